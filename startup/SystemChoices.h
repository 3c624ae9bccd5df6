#pragma once
// Small rules for what the program takes from the machine at start-up.
#include <string>

// The separator formatFixed uses, from the locale's LOCALE_SDECIMAL text (UTF-8): that
// character when it is one printable ASCII character other than a digit or a minus,
// else the comma of the Russian settings the program is made for.
char ChooseDecimalSeparator(const std::string& localeSeparator);

// The graph panels draw through a bitmap when asked to on the command line, and always
// under Wine, which does not show GL drawn into a child window.
bool PanelsDrawThroughBitmap(bool forcedByCommandLine, bool runningUnderWine);

// The status-line text when the panels could not draw on their windows and fell back to
// a bitmap; `failure` is the first failure as the panel reports it ("SetPixelFormat:2000").
std::string GlFallbackStatus(const std::string& failure);
