#pragma once
// Writes a canvas as a 24-bit BMP or as a JPEG (libjpeg).
#include <string>

#include "tools/artgen/Canvas.h"

void WriteBmp(const Canvas& canvas, const std::string& path);
void WriteJpeg(const Canvas& canvas, const std::string& path, int quality = 92);
