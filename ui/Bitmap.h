#pragma once
// A shared, immutable GDI bitmap. An empty Bitmap stands for "no picture".
#include <windows.h>

#include <cstdint>
#include <memory>
#include <type_traits>

namespace ui {

class Bitmap {
  public:
    Bitmap() = default;
    // Takes ownership of the handle (deleted with the last copy).
    explicit Bitmap(HBITMAP handle);

    bool empty() const { return !handle_; }
    HBITMAP handle() const { return handle_ ? handle_.get() : nullptr; }
    int width() const { return width_; }
    int height() const { return height_; }
    // The colour at (x, y), or fallback for an empty bitmap or a point outside it.
    COLORREF pixelAt(int x, int y, COLORREF fallback) const;

    // A 24-bit top-down DIB section from packed RGB rows (width * 3 bytes per row).
    static Bitmap FromRgb(int width, int height, const uint8_t* rgb);
    // A BMP resource (RT_BITMAP) of this module.
    static Bitmap FromResource(int id);
    // A JPEG stored as RT_RCDATA resource of this module, decoded with libjpeg.
    static Bitmap FromJpegResource(int id);
    // A rectangle cut out of another bitmap.
    static Bitmap Crop(const Bitmap& source, int left, int top, int width, int height);

  private:
    std::shared_ptr<std::remove_pointer_t<HBITMAP>> handle_;
    int width_ = 0, height_ = 0;
};

// Draws the bitmap at (x, y) of dc; with dim, half-blended toward black.
void DrawBitmap(HDC dc, const Bitmap& bitmap, int x, int y, bool dim = false);

} // namespace ui
