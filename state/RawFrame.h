#pragma once
// Bytes 0..68 of the last good reply: written by the link thread, read whole by
// the received-data panel and the actuator window.
#include <array>
#include <cstdint>
#include <mutex>

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
