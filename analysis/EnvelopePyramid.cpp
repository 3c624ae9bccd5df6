#include "analysis/EnvelopePyramid.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace analysis {
namespace {

constexpr float kNoMin = std::numeric_limits<float>::infinity();
constexpr float kNoMax = -std::numeric_limits<float>::infinity();

} // namespace

void EnvelopePyramid::build(const float* values, std::size_t count, bool bits) {
    values_ = values;
    count_ = count;
    bits_ = bits;
    levels_.clear();
    // Level 0 from the values, every next level from the one below.
    std::size_t below = count;
    for (int l = 0; below > 1; ++l) {
        const std::size_t blocks = (below + kFanOut - 1) / kFanOut;
        Level level;
        level.min.assign(blocks, kNoMin);
        level.max.assign(blocks, kNoMax);
        if (bits) {
            level.any.assign(blocks, 0);
            level.all.assign(blocks, 0xFF);
        }
        for (std::size_t j = 0; j < below; ++j) {
            const std::size_t b = j / kFanOut;
            if (l == 0) {
                const float v = values[j];
                if (std::isnan(v)) continue;
                level.min[b] = std::min(level.min[b], v);
                level.max[b] = std::max(level.max[b], v);
                if (bits) {
                    const uint8_t byte = static_cast<uint8_t>(v);
                    level.any[b] |= byte;
                    level.all[b] &= byte;
                }
            } else {
                const Level& from = levels_[l - 1];
                level.min[b] = std::min(level.min[b], from.min[j]);
                level.max[b] = std::max(level.max[b], from.max[j]);
                if (bits) {
                    level.any[b] |= from.any[j];
                    level.all[b] &= from.all[j];
                }
            }
        }
        levels_.push_back(std::move(level));
        below = blocks;
    }
}

// Adds element i of a level (-1: the values themselves) to e.
void EnvelopePyramid::take(int level, std::size_t i, Envelope& e) const {
    float lo, hi;
    uint8_t any = 0, all = 0xFF;
    if (level < 0) {
        const float v = values_[i];
        if (std::isnan(v)) return;
        lo = hi = v;
        if (bits_) any = all = static_cast<uint8_t>(v);
    } else {
        const Level& l = levels_[level];
        lo = l.min[i];
        hi = l.max[i];
        if (lo > hi) return; // a block without values
        if (bits_) {
            any = l.any[i];
            all = l.all[i];
        }
    }
    if (e.empty) {
        e = {false, lo, hi, any, all};
        return;
    }
    e.min = std::min(e.min, lo);
    e.max = std::max(e.max, hi);
    e.anyBits |= any;
    e.allBits &= all;
}

Envelope EnvelopePyramid::query(std::size_t begin, std::size_t end) const {
    Envelope e;
    end = std::min(end, count_);
    if (begin >= end) return e;
    // [lo, hi) in units of the current level; pieces that do not fill a whole
    // block of the level above are taken here, the rest goes up.
    std::size_t lo = begin, hi = end;
    for (int level = -1;; ++level) {
        const bool top = level + 1 == static_cast<int>(levels_.size());
        if (top) {
            for (; lo < hi; ++lo)
                take(level, lo, e);
            break;
        }
        for (; lo < hi && lo % kFanOut != 0; ++lo)
            take(level, lo, e);
        for (; lo < hi && hi % kFanOut != 0;)
            take(level, --hi, e);
        if (lo >= hi) break;
        lo /= kFanOut;
        hi /= kFanOut;
    }
    return e;
}

std::size_t EnvelopePyramid::bytes() const {
    std::size_t n = 0;
    for (const Level& l : levels_)
        n += l.min.size() * 2 * sizeof(float) + l.any.size() * 2;
    return n;
}

} // namespace analysis
