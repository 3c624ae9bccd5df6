#pragma once
// File paths as the program handles them: UTF-8, with '\\' or '/' (both are
// separators on Windows, and the tests run with '/'). Only text here; making
// folders is the system's (platform/Win32Folders.h).
#include <string>

// folder + separator + name; the separator is the one the folder already uses
// ('\\' unless it holds only '/').
std::string JoinPath(const std::string& folder, const std::string& name);
// Splits a path at its last '\\' or '/' (folder empty when there is none; a root,
// "C:\\" or "/", keeps its separator).
void SplitPath(const std::string& path, std::string& folder, std::string& name);
// The name after the last separator.
std::string FileNameOf(const std::string& path);
// That name without its extension (a leading dot is no extension).
std::string FileStemOf(const std::string& path);
// The path with extension (".csv") in place of its own, added when it has none.
std::string WithExtension(const std::string& path, const std::string& extension);
