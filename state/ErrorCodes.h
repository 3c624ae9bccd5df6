#pragma once
// The trouble-code bytes (reply bytes 9..12) and their bits: written by the
// decoder on the link thread, read as one consistent copy by the trouble-code
// window.
#include <cstdint>
#include <mutex>

// Groups 1..4; index 0 unused.
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
