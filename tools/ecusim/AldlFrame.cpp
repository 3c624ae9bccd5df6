#include "tools/ecusim/AldlFrame.h"

namespace ecusim {

const uint8_t kPollRequest[kPollSize] = {0xF4, 0x56, 0x01, 0xB5};

uint8_t checksumFor(const uint8_t* bytes, size_t count) {
    unsigned sum = 0;
    for (size_t i = 0; i < count; ++i)
        sum += bytes[i];
    return static_cast<uint8_t>((256 - (sum & 0xFF)) & 0xFF);
}

bool sumsToZero(const uint8_t* bytes, size_t count) {
    unsigned sum = 0;
    for (size_t i = 0; i < count; ++i)
        sum += bytes[i];
    return (sum & 0xFF) == 0;
}

size_t frameLengthFrom(uint8_t lengthByte) {
    if (lengthByte < kLengthBase + 4) return 0;
    return static_cast<size_t>(lengthByte - kLengthBase);
}

std::vector<uint8_t> buildFrame(uint8_t mode, const uint8_t* data, size_t count) {
    std::vector<uint8_t> frame;
    frame.reserve(count + 4);
    frame.push_back(kFrameStart);
    frame.push_back(static_cast<uint8_t>(kLengthBase + count + 4));
    frame.push_back(mode);
    frame.insert(frame.end(), data, data + count);
    frame.push_back(checksumFor(frame.data(), frame.size()));
    return frame;
}

} // namespace ecusim
