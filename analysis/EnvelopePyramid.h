#pragma once
// The smallest and largest value of any run of polls of one column, in time that
// grows with the logarithm of the run rather than its length: the minima and
// maxima of blocks of 8 polls, of 8 such blocks, and so on up. A run is covered by
// whole blocks of the highest levels that fit and at most 7 pieces a level at
// each end. Failed polls (NaN) count for nothing. For bit channels the same
// blocks keep which bits were ever set and which were always set.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace analysis {

struct Envelope {
    bool empty = true; // no value in the run
    float min = 0;
    float max = 0;
    uint8_t anyBits = 0; // bit channels: bits set in some value
    uint8_t allBits = 0; //               bits set in every value
};

class EnvelopePyramid {
  public:
    static constexpr std::size_t kFanOut = 8;

    // values: count polls, kept by the caller for as long as the pyramid is used.
    void build(const float* values, std::size_t count, bool bits);
    // The envelope of values[begin, end).
    Envelope query(std::size_t begin, std::size_t end) const;
    std::size_t bytes() const;

  private:
    struct Level {
        std::vector<float> min, max;
        std::vector<uint8_t> any, all;
    };
    void take(int level, std::size_t i, Envelope& e) const;

    const float* values_ = nullptr;
    std::size_t count_ = 0;
    bool bits_ = false;
    std::vector<Level> levels_; // levels_[l]: blocks of 8^(l+1) polls
};

} // namespace analysis
