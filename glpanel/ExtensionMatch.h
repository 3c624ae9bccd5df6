#pragma once
// Looking up an OpenGL extension in the context's space-separated extension list.

// True when one whole name of `extensions` equals `name`; a prefix is no match.
bool ExtensionListHas(const char* extensions, const char* name);
