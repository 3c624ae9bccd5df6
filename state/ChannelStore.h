#pragma once
// The live values of every catalogue row of ECU families 1..4, side by side:
// the link thread writes texts and chart values, the 50 ms sampler shifts the
// values into the histories, the GUI thread reads them to paint the charts.
//
// All texts, histories and positions are guarded by one short lock so that no
// reader sees half a string or a half-shifted history. Chart values are atomic.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <memory>
#include <string>
#include <vector>

constexpr int kHistorySlots = 1024;      // slot 0 staging, 1..450 kept, the rest unused
constexpr int kKeptSamples = 450;        // the samples a chart keeps
constexpr unsigned kSamplePeriodMs = 50; // the sampling tick: each moves the histories on by one
constexpr int kDrawnSamples = 430;
constexpr int kFirstChannelFamily = 1;
constexpr int kLastChannelFamily = 4;

struct ChannelRecord {
    std::string text;
    std::atomic<float> value{0.0f};
    int32_t history[kHistorySlots] = {};
    int32_t xPos[kHistorySlots] = {};
};

struct BitGroupRecord {
    std::string bitTexts[8];
    std::atomic<float> value{0.0f};
    int32_t history[kHistorySlots] = {};
    int32_t xPos[kHistorySlots] = {};
    bool bitFlags[8] = {}; // only meaningful where hasBitFlags (FMDBYTE1, MW1 of families 1..3)
    bool hasBitFlags = false;
};

// What a chart needs of one channel, copied out under the lock.
struct ChannelSnapshot {
    bool isBitGroup = false;
    std::string text;                        // ChannelRecord text
    std::string bitTexts[8];                 // BitGroupRecord texts, element j = bit j
    int32_t history[kDrawnSamples + 1] = {}; // slots 0..430 (slot 0 unused by charts)
    int32_t xPos[kDrawnSamples + 1] = {};
};

class ChannelStore {
  public:
    ChannelStore();
    ChannelStore(const ChannelStore&) = delete;
    ChannelStore& operator=(const ChannelStore&) = delete;

    // The rows of the family's reply layout (34, 35, 35, 55 for families 1..4);
    // 0 for any other family.
    static int channelCount(int family);
    // False for a pair that names no channel.
    static bool exists(int family, int index);
    static bool isBitGroup(int family, int index);
    static bool hasBitFlags(int family, int index);

    // Writers (link thread). Calls naming no channel are ignored.
    void setText(int family, int index, const std::string& text);
    void setBitText(int family, int index, int bit, const char* text);
    void setValue(int family, int index, float value);
    void setBitFlag(int family, int index, int bit, bool set);
    // A whole bit group at once: bitTexts "1"/"0" by bit j of byte and, where the
    // channel has them, bitFlags; readers see the eight texts change together.
    void setBits(int family, int index, uint8_t byte);
    bool bitFlag(int family, int index, int bit) const;

    // Readers.
    float value(int family, int index) const;
    std::string text(int family, int index) const;
    std::string bitText(int family, int index, int bit) const;
    int32_t historySlot(int family, int index, int slot) const;
    int32_t xPosSlot(int family, int index, int slot) const;
    // False (and out untouched) when the pair names no channel.
    bool snapshot(int family, int index, ChannelSnapshot& out) const;

    // One sampler tick for every channel of the family (no-op for other families).
    // Allocates nothing.
    void sample(int family);
    // Every history and position back to zero, as the store starts (a replay's
    // seek refills them).
    void clearHistories();

    // The history sample of a chart value: truncated toward zero through a 64-bit
    // integer whose low 32 bits are kept; NaN and values beyond 64 bits give 0.
    static int32_t truncateSample(float value);

  private:
    struct Slot {
        ChannelRecord* record = nullptr;
        BitGroupRecord* group = nullptr;
    };
    Slot slot(int family, int index) const;

    mutable std::mutex lock_;
    // One record per channel of every family, shaped by the families' reply
    // layouts (ecu/DecodeTables.h); slots_ maps (family, index) to them.
    std::unique_ptr<ChannelRecord[]> records_;
    std::unique_ptr<BitGroupRecord[]> groups_;
    std::vector<Slot> slots_[kLastChannelFamily + 1];
};
