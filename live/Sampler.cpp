#include "live/Sampler.h"

void SampleChannels(EcuData& ecu, int family, RepaintRequests& repaint) {
    if (ecu.dataValid.load() == 1.0f) {
        if (family >= kFirstChannelFamily && family <= kLastChannelFamily)
            ecu.channels.sample(family);
    }
    for (int panel = 1; panel <= 5; ++panel)
        repaint.requestPanelRepaint(panel);
}
