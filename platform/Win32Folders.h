#pragma once
// Folders on the disk, paths in UTF-8.
#include <string>

// The user's documents folder, without a trailing separator: MOTOSKOP_DOCUMENTS
// when it is set (tests, a portable setup), else the shell's "Documents"; empty
// when neither answers.
std::string DocumentsFolder();
// Creates folder and every folder above it that is missing; true when it is there
// afterwards.
bool CreateFolders(const std::string& folder);
