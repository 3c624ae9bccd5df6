#include "live/Sampler.h"

void SampleChannels(MainState& state, RepaintRequests& repaint) {
    if (state.dataValid.load() == 1.0f) {
        const int family = state.ecuFamily.load();
        if (family >= kFirstChannelFamily && family <= kLastChannelFamily)
            state.channels.sample(family);
    }
    for (int panel = 1; panel <= 5; ++panel)
        repaint.requestPanelRepaint(panel);
}
