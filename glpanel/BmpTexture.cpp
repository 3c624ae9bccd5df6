#include "glpanel/BmpTexture.h"

#include <memory>
#include <new>

#include "glpanel/BmpLoader.h"

BMPTexture* LoadBMPTexture(const std::string& fileName, bool alpha) {
    BmpImage image;
    if (!LoadBmpFile(fileName, image)) return nullptr;
    std::unique_ptr<BMPTexture> texture(new (std::nothrow) BMPTexture);
    if (!texture) return nullptr;
    texture->components = alpha ? 4 : 3;
    texture->width = image.width;
    texture->height = image.height;
    texture->format = alpha ? 0x1908 : 0x1907;
    texture->type = 0x1401;
    const size_t n = size_t(image.width) * image.height * texture->components;
    texture->data = new (std::nothrow) uint8_t[n];
    if (!texture->data) return nullptr;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const uint8_t* src = image.pixel(x, image.height - 1 - y);
            uint8_t* dst = &texture->data[(size_t(y) * image.width + x) * texture->components];
            dst[0] = src[0];
            dst[1] = src[1];
            dst[2] = src[2];
            if (alpha) dst[3] = 255;
        }
    }
    return texture.release();
}
