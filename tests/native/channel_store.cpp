#include <atomic>
#include <cmath>
#include <memory>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "state/MainState.h"
#include "live/Sampler.h"

namespace {

struct RecordedRepaints : RepaintRequests {
    std::vector<int> panels;
    void requestPanelRepaint(int panel) override { panels.push_back(panel); }
};

class Sampling : public ::testing::Test {
  protected:
    std::unique_ptr<MainState> state = std::make_unique<MainState>();
    ChannelStore& store = state->ecu.channels;
    RecordedRepaints repaints;

    void ticks(int n) {
        for (int i = 0; i < n; ++i)
            SampleChannels(state->ecu, state->selection.ecuFamily.load(), repaints);
    }
};

} // namespace

TEST(ChannelStoreLayout, FamiliesAndBitGroups) {
    EXPECT_EQ(ChannelStore::channelCount(4), 55);
    EXPECT_EQ(ChannelStore::channelCount(5), 0);
    EXPECT_FALSE(ChannelStore::exists(1, 34));
    EXPECT_FALSE(ChannelStore::exists(4, -1));
    int groups = 0, flagged = 0;
    for (int f = 1; f <= 4; ++f)
        for (int k = 0; k < ChannelStore::channelCount(f); ++k) {
            groups += ChannelStore::isBitGroup(f, k);
            flagged += ChannelStore::hasBitFlags(f, k);
        }
    EXPECT_EQ(groups, 17); // every family's storage is distinct
    EXPECT_EQ(flagged, 6); // FMDBYTE1 and MW1 of families 1..3
    EXPECT_TRUE(ChannelStore::hasBitFlags(3, 17));
    EXPECT_TRUE(ChannelStore::isBitGroup(2, 34));
    EXPECT_FALSE(ChannelStore::isBitGroup(2, 32));
}

TEST(ChannelStoreLayout, EveryChannelHasItsOwnRecord) {
    auto state = std::make_unique<MainState>();
    ChannelStore& store = state->ecu.channels;
    for (int f = 1; f <= 4; ++f)
        for (int k = 0; k < ChannelStore::channelCount(f); ++k) {
            store.setValue(f, k, static_cast<float>(f * 100 + k));
            store.setText(f, k, std::to_string(f * 100 + k));
            store.setBitText(f, k, 3, std::to_string(f * 100 + k).c_str());
        }
    for (int f = 1; f <= 4; ++f)
        for (int k = 0; k < ChannelStore::channelCount(f); ++k) {
            EXPECT_EQ(store.value(f, k), static_cast<float>(f * 100 + k));
            const std::string own =
                ChannelStore::isBitGroup(f, k) ? store.bitText(f, k, 3) : store.text(f, k);
            EXPECT_EQ(own, std::to_string(f * 100 + k));
        }
}

TEST(ChannelStoreLayout, WritesNamingNoChannelAreIgnored) {
    auto state = std::make_unique<MainState>();
    ChannelStore& store = state->ecu.channels;
    store.setText(5, 0, "x");
    store.setText(1, 8, "bit group has no text");
    store.setBitText(1, 0, 0, "1");   // an ordinary channel has no bit texts
    store.setBitFlag(1, 32, 0, true); // Eer has no flags
    store.setValue(1, 99, 5.0f);
    EXPECT_EQ(store.text(1, 8), "");
    EXPECT_EQ(store.bitText(1, 0, 0), "");
    EXPECT_FALSE(store.bitFlag(1, 32, 0));
    store.setBits(1, 17, 0x81);
    EXPECT_EQ(store.bitText(1, 17, 7), "1");
    EXPECT_EQ(store.bitText(1, 17, 6), "0");
    EXPECT_TRUE(store.bitFlag(1, 17, 0));
    EXPECT_FALSE(store.bitFlag(1, 17, 1));
}

TEST(ChannelStoreSample, TruncationThroughA64BitInteger) {
    EXPECT_EQ(ChannelStore::truncateSample(100.0f), 100);
    EXPECT_EQ(ChannelStore::truncateSample(99.99f), 99);
    EXPECT_EQ(ChannelStore::truncateSample(99.84f), 99);
    EXPECT_EQ(ChannelStore::truncateSample(-0.5f), 0);
    EXPECT_EQ(ChannelStore::truncateSample(-0.7f), 0);
    EXPECT_EQ(ChannelStore::truncateSample(-1.5f), -1);
    EXPECT_EQ(ChannelStore::truncateSample(-40.2f), -40);
    EXPECT_EQ(ChannelStore::truncateSample(NAN), 0);
    EXPECT_EQ(ChannelStore::truncateSample(INFINITY), 0);
    EXPECT_EQ(ChannelStore::truncateSample(1e30f), 0);
    // Beyond 32 bits the low half of the 64-bit integer is kept.
    EXPECT_EQ(ChannelStore::truncateSample(4294967296.0f + 512.0f), 512);
    EXPECT_EQ(ChannelStore::truncateSample(3e9f), static_cast<int32_t>(3000000000u));
}

TEST_F(Sampling, RepaintsFivePanelsInOrderOnEveryTick) {
    state->ecu.dataValid = 0.0f;
    ticks(1);
    state->ecu.dataValid = 1.0f;
    state->selection.ecuFamily = 5;
    ticks(1);
    state->selection.ecuFamily = 1;
    ticks(1);
    EXPECT_EQ(repaints.panels, (std::vector<int>{1, 2, 3, 4, 5, 1, 2, 3, 4, 5, 1, 2, 3, 4, 5}));
}

TEST_F(Sampling, NothingIsSampledWithoutValidDataOrWithFamily5) {
    store.setValue(1, 9, 42.0f);
    state->ecu.dataValid = 0.0f;
    ticks(3);
    state->ecu.dataValid = 0.5f;
    ticks(3);
    state->ecu.dataValid = 1.0f;
    state->selection.ecuFamily = 5;
    ticks(3);
    for (int slot = 0; slot <= kKeptSamples; ++slot) {
        EXPECT_EQ(store.historySlot(1, 9, slot), 0);
        EXPECT_EQ(store.xPosSlot(1, 9, slot), 0);
    }
}

TEST_F(Sampling, FirstTickFillsSlotOneAndEveryPosition) {
    state->ecu.dataValid = 1.0f;
    store.setValue(1, 9, 42.9f);
    store.setValue(1, 8, 64.68f); // a bit group samples too
    ticks(1);
    EXPECT_EQ(store.historySlot(1, 9, 1), 42);
    EXPECT_EQ(store.historySlot(1, 8, 1), 64);
    for (int slot = 2; slot <= kKeptSamples; ++slot)
        EXPECT_EQ(store.historySlot(1, 9, slot), 0);
    EXPECT_EQ(store.xPosSlot(1, 9, 0), 0);
    for (int slot = 1; slot <= kKeptSamples; ++slot)
        EXPECT_EQ(store.xPosSlot(1, 9, slot), 1);
    EXPECT_EQ(store.xPosSlot(1, 9, kKeptSamples + 1), 0);
}

TEST_F(Sampling, HistoryShiftsAndPositionsSaturate) {
    state->ecu.dataValid = 1.0f;
    for (int n = 1; n <= 460; ++n) {
        store.setValue(1, 0, static_cast<float>(n));
        ticks(1);
        if (n == 430) {
            for (int slot = 1; slot <= 430; ++slot)
                ASSERT_EQ(store.xPosSlot(1, 0, slot), slot);
        }
    }
    // Slot 1 is the newest; slot 450 holds the sample of tick 11; older ones dropped.
    EXPECT_EQ(store.historySlot(1, 0, 1), 460);
    EXPECT_EQ(store.historySlot(1, 0, 450), 11);
    EXPECT_EQ(store.historySlot(1, 0, 451), 0);
    for (int slot = 1; slot <= kKeptSamples; ++slot)
        ASSERT_EQ(store.xPosSlot(1, 0, slot), slot);

    ChannelSnapshot snap;
    ASSERT_TRUE(store.snapshot(1, 0, snap));
    EXPECT_EQ(snap.history[430], 31);
    EXPECT_EQ(snap.xPos[430], 430);
    EXPECT_FALSE(store.snapshot(5, 0, snap));
}

TEST_F(Sampling, OtherFamiliesKeepTheirHistories) {
    state->ecu.dataValid = 1.0f;
    store.setValue(1, 3, 10.0f);
    store.setValue(2, 3, 20.0f);
    ticks(2);
    state->selection.ecuFamily = 2;
    ticks(1);
    state->selection.ecuFamily = 1;
    ticks(1);
    EXPECT_EQ(store.historySlot(1, 3, 1), 10);
    EXPECT_EQ(store.xPosSlot(1, 3, 3), 3);
    EXPECT_EQ(store.historySlot(2, 3, 1), 20);
    EXPECT_EQ(store.historySlot(2, 3, 2), 0);
    EXPECT_EQ(store.xPosSlot(2, 3, 2), 1);
}

TEST(ChannelStoreThreads, ReadersSeeWholeTexts) {
    auto state = std::make_unique<MainState>();
    ChannelStore& store = state->ecu.channels;
    const std::string a(40, 'a'), b(200, 'b');
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (int i = 0; i < 20000; ++i) {
            store.setText(1, 2, i % 2 ? a : b);
            store.setBits(1, 8, i % 2 ? 0xFF : 0x00);
        }
        done = true;
    });
    std::thread sampler([&] {
        while (!done)
            store.sample(1);
    });
    while (!done) {
        const std::string t = store.text(1, 2);
        ASSERT_TRUE(t.empty() || t == a || t == b);
        ChannelSnapshot snap;
        store.snapshot(1, 8, snap);
        for (int j = 1; j < 8; ++j)
            ASSERT_EQ(snap.bitTexts[j], snap.bitTexts[0]);
    }
    writer.join();
    sampler.join();
}
