#pragma once
// The main window's run-time state that is not a window control: what the
// GUI thread, the link thread and the sampler share. TForm1 owns one; the
// portable code (link cycle, decoders, settings, sampler) works on it directly.
//
// Flags, integers and floats shared between threads are atomics. Texts and
// multi-byte records shared between threads sit behind short locks.
#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

#include "live/ChannelStore.h"

// A display colour; t is drawn as alpha. Nominally 0..1.
struct GraphColour {
    float r = 0, g = 0, b = 0, t = 0;
};

// A text written by one thread and read by another: always read whole.
class SharedText {
  public:
    explicit SharedText(std::string initial = {}) : text_(std::move(initial)) {}
    void set(const std::string& text) {
        std::lock_guard<std::mutex> guard(lock_);
        text_ = text;
    }
    std::string get() const {
        std::lock_guard<std::mutex> guard(lock_);
        return text_;
    }

  private:
    mutable std::mutex lock_;
    std::string text_;
};

// Bytes 0..68 of the last good reply.
class RawFrame {
  public:
    static constexpr int kSize = 69;
    void store(const uint8_t* bytes) {
        std::lock_guard<std::mutex> guard(lock_);
        for (int i = 0; i < kSize; ++i)
            bytes_[i] = bytes[i];
    }
    void clear() {
        std::lock_guard<std::mutex> guard(lock_);
        bytes_.fill(0);
    }
    std::array<uint8_t, kSize> snapshot() const {
        std::lock_guard<std::mutex> guard(lock_);
        return bytes_;
    }

  private:
    mutable std::mutex lock_;
    std::array<uint8_t, kSize> bytes_{};
};

// Trouble-code bytes 1..4 (reply bytes 9..12) and their bits; index 0 unused.
struct ErrorCodeSnapshot {
    uint8_t bytes[5] = {};
    uint8_t bits[5][8] = {};
};

class ErrorCodes {
  public:
    // Writes one group k (1..4): the byte and its eight bits together.
    void storeGroup(int k, uint8_t byte) {
        if (k < 1 || k > 4) return;
        std::lock_guard<std::mutex> guard(lock_);
        codes_.bytes[k] = byte;
        for (int j = 0; j < 8; ++j)
            codes_.bits[k][j] = (byte >> j) & 1;
    }
    // One consistent copy of all four groups.
    ErrorCodeSnapshot snapshot() const {
        std::lock_guard<std::mutex> guard(lock_);
        return codes_;
    }

  private:
    mutable std::mutex lock_;
    ErrorCodeSnapshot codes_;
};

constexpr int kCommandSlots = 14;

struct MainState {
    // Settings and selection (GUI thread only, except where noted).
    std::string editedGraph;
    std::string currentGraphSet = "SET_GRAF1";
    std::string carKey = "\\MOTOSKOP\\CARS\\ESPERO";
    std::string engineKey = "\\ENGINE\\1.5_MPFI_DOHC_1\\";
    std::atomic<int32_t> ecuFamily{1}; // read by the link thread and the sampler
    int32_t blinkPhase = 0;
    int32_t connectState = 0;
    int32_t carIndex = 0;
    SharedText portName{"Com1"}; // read by the link thread at each open
    int32_t portIndex = 0;
    std::atomic<uint8_t> openRequested{0};
    std::atomic<uint8_t> closeRequested{0};
    std::array<int32_t, 12> engineIndex{};
    std::array<int32_t, 4> graphParam{};
    int32_t editedParam = 0;
    std::atomic<float> dataValid{0.0f};

    GraphColour gridColour{0.5f, 0.7f, 0.7f, 0.3f};
    GraphColour textColour{0.4f, 0.6f, 0.9f, 0.8f};
    GraphColour text3Colour{0.8f, 0.7f, 0.3f, 0.8f};
    GraphColour graphicColour{0.99f, 0.0f, 0.0f, 0.99f};

    ChannelStore channels;

    std::atomic<uint8_t> clearCodesRequested{0};
    ErrorCodes errors; // errorBytes / errorBits
    std::atomic<int32_t> requestStatus{0};
    std::atomic<uint8_t> returnControlRequested{0};
    std::atomic<int32_t> idleTarget{0};
    std::atomic<int32_t> mixtureTarget{0};
    std::atomic<int32_t> ecuIdleRaw{0};
    std::atomic<int32_t> ecuAirFuelRaw{0};
    std::array<std::atomic<uint8_t>, kCommandSlots> commandRequests{};

    RawFrame rawFrame;
    std::atomic<uint32_t> sampleTimer{0};

    // The user's decimal separator for number texts (a comma with Russian settings).
    std::atomic<char> decimalSeparator{','};
};
