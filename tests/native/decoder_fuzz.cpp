#include <cmath>
#include <memory>
#include <random>

#include <gtest/gtest.h>

#include "state/MainState.h"
#include "link/ReplyDecoder.h"
#include "live/Sampler.h"

namespace {

struct Quiet : NoLinkEvents, RepaintRequests {
    int readouts = 0;
    void setReadout(int, const std::string& text) override { readouts += !text.empty(); }
    void requestPanelRepaint(int) override {}
};

} // namespace

// Random replies through every family's decoder and the sampler: no fault
// (the test runs under the address and undefined-behaviour sanitizers) and
// every chart value stays a finite number.
TEST(DecoderFuzz, RandomRepliesDecodeAndSample) {
    auto state = std::make_unique<MainState>();
    Quiet events;
    std::mt19937 random(20240607);
    std::uniform_int_distribution<int> byte(0, 255);
    uint8_t reply[kReplyBufferSize];
    state->ecu.dataValid = 1.0f;
    for (int round = 0; round < 100000; ++round) {
        for (uint8_t& b : reply)
            b = static_cast<uint8_t>(byte(random));
        for (int family = 1; family <= 5; ++family) {
            state->selection.ecuFamily = family;
            DecodeReply(reply, state->selection.ecuFamily.load(),
                        state->selection.decimalSeparator.load(), state->ecu, events);
            SampleChannels(state->ecu, state->selection.ecuFamily.load(), events);
        }
    }
    EXPECT_EQ(events.readouts, 100000 * 4 * 14);
    for (int family = 1; family <= 4; ++family)
        for (int k = 0; k < ChannelStore::channelCount(family); ++k) {
            EXPECT_TRUE(std::isfinite(state->ecu.channels.value(family, k))) << family << "/" << k;
            EXPECT_LE(std::abs(state->ecu.channels.historySlot(family, k, 1)), 6500);
        }
}
