#include "ui/Bitmap.h"

#include <cstring>

#include "ui/JpegDecode.h"

namespace ui {

Bitmap::Bitmap(HBITMAP handle) {
    if (!handle) return;
    handle_.reset(handle, [](HBITMAP h) { DeleteObject(h); });
    BITMAP info{};
    if (GetObjectW(handle, sizeof info, &info)) {
        width_ = info.bmWidth;
        height_ = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    }
}

Bitmap Bitmap::FromRgb(int width, int height, const uint8_t* rgb) {
    if (width <= 0 || height <= 0 || !rgb) return {};
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height; // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dib || !bits) return {};
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t(3);
    auto* dst = static_cast<uint8_t*>(bits);
    for (int y = 0; y < height; ++y) {
        const uint8_t* src = rgb + static_cast<size_t>(y) * width * 3;
        uint8_t* row = dst + stride * y;
        for (int x = 0; x < width; ++x) { // DIBs store blue first
            row[3 * x + 0] = src[3 * x + 2];
            row[3 * x + 1] = src[3 * x + 1];
            row[3 * x + 2] = src[3 * x + 0];
        }
    }
    GdiFlush();
    return Bitmap(dib);
}

Bitmap Bitmap::FromResource(int id) {
    HANDLE h = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0,
                          LR_CREATEDIBSECTION);
    return Bitmap(static_cast<HBITMAP>(h));
}

Bitmap Bitmap::FromJpegResource(int id) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10)); // RT_RCDATA
    if (!found) return {};
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return {};
    RgbImage image;
    if (!DecodeJpeg(static_cast<const uint8_t*>(data), SizeofResource(module, found), image))
        return {};
    return FromRgb(image.width, image.height, image.rgb.data());
}

Bitmap Bitmap::Crop(const Bitmap& source, int left, int top, int width, int height) {
    if (source.empty() || width <= 0 || height <= 0) return {};
    HDC screen = GetDC(nullptr);
    HBITMAP copy = CreateCompatibleBitmap(screen, width, height);
    HDC from = CreateCompatibleDC(screen);
    HDC to = CreateCompatibleDC(screen);
    HGDIOBJ oldFrom = SelectObject(from, source.handle());
    HGDIOBJ oldTo = SelectObject(to, copy);
    BitBlt(to, 0, 0, width, height, from, left, top, SRCCOPY);
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
    DeleteDC(from);
    DeleteDC(to);
    ReleaseDC(nullptr, screen);
    return Bitmap(copy);
}

void DrawBitmap(HDC dc, const Bitmap& bitmap, int x, int y, bool dim) {
    if (bitmap.empty()) return;
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, bitmap.handle());
    BitBlt(dc, x, y, bitmap.width(), bitmap.height(), source, 0, 0, SRCCOPY);
    if (dim) {
        // Darken toward black at half strength: a disabled button still reads, but quieter.
        HDC black = CreateCompatibleDC(dc);
        HBITMAP pixel = CreateCompatibleBitmap(dc, 1, 1);
        HGDIOBJ oldPixel = SelectObject(black, pixel);
        SetPixel(black, 0, 0, RGB(0, 0, 0));
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 150, 0};
        AlphaBlend(dc, x, y, bitmap.width(), bitmap.height(), black, 0, 0, 1, 1, blend);
        SelectObject(black, oldPixel);
        DeleteObject(pixel);
        DeleteDC(black);
    }
    SelectObject(source, old);
    DeleteDC(source);
}

COLORREF Bitmap::pixelAt(int x, int y, COLORREF fallback) const {
    if (empty()) return fallback;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, handle());
    const COLORREF colour = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return colour == CLR_INVALID ? fallback : colour;
}

} // namespace ui
