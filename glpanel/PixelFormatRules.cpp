#include "glpanel/PixelFormatRules.h"

TPFDFlags ApplyPFDFlagRule(TPFDFlags assigned, TPFDFlags current) {
    TPFDFlags result = assigned;
    const bool gdi = assigned.has(f_PFD_SUPPORT_GDI);
    const bool dbl = assigned.has(f_PFD_DOUBLEBUFFER);
    if (gdi && dbl) {
        // The member that was just added wins.
        result = current.has(f_PFD_SUPPORT_GDI) ? result.without(f_PFD_SUPPORT_GDI)
                                                : result.without(f_PFD_DOUBLEBUFFER);
    } else if (!gdi && !dbl) {
        result = current.has(f_PFD_SUPPORT_GDI) ? result.with(f_PFD_DOUBLEBUFFER)
                                                : result.with(f_PFD_SUPPORT_GDI);
    }
    return result;
}

uint32_t PixelFormatDwFlags(TPFDFlags flags) {
    struct Mapping {
        TPFDFlag flag;
        uint32_t bit;
    };
    static const Mapping kMappings[] = {
        {f_PFD_DRAW_TO_WINDOW,      pfd::kDrawToWindow      },
        {f_PFD_DRAW_TO_BITMAP,      pfd::kDrawToBitmap      },
        {f_PFD_SUPPORT_GDI,         pfd::kSupportGdi        },
        {f_PFD_SUPPORT_OPENGL,      pfd::kSupportOpenGL     },
        {f_PFD_GENERIC_ACCELERATED, pfd::kGenericAccelerated},
        {f_PFD_GENERIC_FORMAT,      pfd::kGenericFormat     },
        {f_PFD_NEED_PALETTE,        pfd::kNeedPalette       },
        {f_PFD_NEED_SYSTEM_PALETTE, pfd::kNeedSystemPalette },
        {f_PFD_STEREO,              pfd::kStereo            },
        {f_PFD_SWAP_LAYER_BUFFERS,  pfd::kSwapLayerBuffers  },
    };
    uint32_t dw = 0;
    for (const Mapping& m : kMappings)
        if (flags.has(m.flag)) dw |= m.bit;
    // Double buffering has no bit of its own: it is asked for exactly when GDI is not.
    if (!flags.has(f_PFD_SUPPORT_GDI)) dw |= pfd::kDoubleBuffer;
    return dw;
}

PixelFormatDescription BuildPixelFormatDescription(TPFDFlags flags, uint8_t pixelTypeCode,
                                                   uint8_t colorBits, uint8_t depthBits) {
    PixelFormatDescription d{};
    d.nSize = sizeof(PixelFormatDescription);
    d.nVersion = 1;
    d.dwFlags = PixelFormatDwFlags(flags);
    d.iPixelType = pixelTypeCode;
    d.cColorBits = colorBits;
    d.cDepthBits = depthBits;
    return d;
}

PixelFormatDescription ForBitmapRendering(PixelFormatDescription desc, uint8_t dibBits) {
    desc.dwFlags &= ~(pfd::kDrawToWindow | pfd::kDoubleBuffer | pfd::kSwapLayerBuffers);
    desc.dwFlags |= pfd::kDrawToBitmap | pfd::kSupportGdi;
    desc.cColorBits = dibBits;
    return desc;
}
