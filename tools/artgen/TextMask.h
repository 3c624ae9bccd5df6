#pragma once
// Anti-aliased text as a coverage mask, rendered by ImageMagick's `convert`
// with a font from the Debian packages (DejaVu).
#include <string>

#include "tools/artgen/Canvas.h"

// Throws std::runtime_error when convert is missing or fails.
Mask RenderText(const std::string& utf8, const std::string& font, double pixels);
// Tight box of the covered pixels, so text can be centred by its ink.
void InkBounds(const Mask& mask, int& left, int& top, int& right, int& bottom);
