#pragma once
// The panel's pixel-format flags, the rule that keeps exactly one of GDI support
// and double buffering, and the pixel format descriptor built from them.
#include <cstdint>
#include <initializer_list>

enum TPFDPixelTypes { f_PFD_TYPE_RGBA, f_PFD_TYPE_COLORINDEX };

enum TPFDFlag {
    f_PFD_DRAW_TO_WINDOW,
    f_PFD_DRAW_TO_BITMAP,
    f_PFD_SUPPORT_GDI,
    f_PFD_SUPPORT_OPENGL,
    f_PFD_GENERIC_ACCELERATED,
    f_PFD_GENERIC_FORMAT,
    f_PFD_NEED_PALETTE,
    f_PFD_NEED_SYSTEM_PALETTE,
    f_PFD_DOUBLEBUFFER,
    f_PFD_STEREO,
    f_PFD_SWAP_LAYER_BUFFERS,
};

// A set of TPFDFlag members (11 bits).
class TPFDFlags {
  public:
    constexpr TPFDFlags() = default;
    constexpr TPFDFlags(std::initializer_list<TPFDFlag> flags) {
        for (TPFDFlag f : flags)
            bits_ |= bit(f);
    }
    constexpr bool has(TPFDFlag f) const { return (bits_ & bit(f)) != 0; }
    constexpr TPFDFlags with(TPFDFlag f) const { return fromBits(bits_ | bit(f)); }
    constexpr TPFDFlags without(TPFDFlag f) const { return fromBits(bits_ & ~bit(f)); }
    constexpr uint16_t bits() const { return bits_; }
    static constexpr TPFDFlags fromBits(uint16_t bits) {
        TPFDFlags s;
        s.bits_ = bits & 0x7FF;
        return s;
    }
    constexpr bool operator==(TPFDFlags o) const { return bits_ == o.bits_; }
    constexpr bool operator!=(TPFDFlags o) const { return bits_ != o.bits_; }

  private:
    static constexpr uint16_t bit(TPFDFlag f) { return uint16_t(1u << f); }
    uint16_t bits_ = 0;
};

// The set actually stored when `assigned` is given to a panel holding `current`.
TPFDFlags ApplyPFDFlagRule(TPFDFlags assigned, TPFDFlags current);

// dwFlags bits of the WGL pixel format descriptor.
namespace pfd {
constexpr uint32_t kDoubleBuffer = 0x1;
constexpr uint32_t kStereo = 0x2;
constexpr uint32_t kDrawToWindow = 0x4;
constexpr uint32_t kDrawToBitmap = 0x8;
constexpr uint32_t kSupportGdi = 0x10;
constexpr uint32_t kSupportOpenGL = 0x20;
constexpr uint32_t kGenericFormat = 0x40;
constexpr uint32_t kNeedPalette = 0x80;
constexpr uint32_t kNeedSystemPalette = 0x100;
constexpr uint32_t kSwapLayerBuffers = 0x800;
constexpr uint32_t kGenericAccelerated = 0x1000;
} // namespace pfd

uint32_t PixelFormatDwFlags(TPFDFlags flags);

// Field for field the 40-byte WGL PIXELFORMATDESCRIPTOR.
struct PixelFormatDescription {
    uint16_t nSize;
    uint16_t nVersion;
    uint32_t dwFlags;
    uint8_t iPixelType;
    uint8_t cColorBits;
    uint8_t cRedBits;
    uint8_t cRedShift;
    uint8_t cGreenBits;
    uint8_t cGreenShift;
    uint8_t cBlueBits;
    uint8_t cBlueShift;
    uint8_t cAlphaBits;
    uint8_t cAlphaShift;
    uint8_t cAccumBits;
    uint8_t cAccumRedBits;
    uint8_t cAccumGreenBits;
    uint8_t cAccumBlueBits;
    uint8_t cAccumAlphaBits;
    uint8_t cDepthBits;
    uint8_t cStencilBits;
    uint8_t cAuxBuffers;
    uint8_t iLayerType;
    uint8_t bReserved;
    uint32_t dwLayerMask;
    uint32_t dwVisibleMask;
    uint32_t dwDamageMask;
};
static_assert(sizeof(PixelFormatDescription) == 40, "PIXELFORMATDESCRIPTOR layout");

// nSize 40, nVersion 1, the flags, pixel type, colour and depth bits; all else 0.
PixelFormatDescription BuildPixelFormatDescription(TPFDFlags flags, uint8_t pixelTypeCode,
                                                   uint8_t colorBits, uint8_t depthBits);

// The same request for drawing into a DIB section of `dibBits` bits per pixel
// (how the panel presents under Wine): bitmap + GDI, single buffered.
PixelFormatDescription ForBitmapRendering(PixelFormatDescription desc, uint8_t dibBits);
