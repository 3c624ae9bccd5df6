#pragma once
// Writes a canvas as a 24-bit BMP or as a JPEG (libjpeg).
#include <string>

#include "tools/artgen/Canvas.h"
#include "tools/artgen/Look.h"

void WriteBmp(const Canvas& canvas, const std::string& path);
void WriteJpeg(const Canvas& canvas, const std::string& path, int quality = 92);
// A button whose picture swaps its face: name.bmp (normal) and name_lit.bmp.
void WriteButtonFaces(const std::string& dir, const std::string& name, int w, int h,
                      const look::Content& content);
