#pragma once
// ALDL framing as the K-line ECUs speak it: F4, a length byte (0x52 + the frame's
// total length), a mode byte, data, and a last byte that makes the byte sum 0 mod 256.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace ecusim {

constexpr uint8_t kFrameStart = 0xF4;
constexpr uint8_t kLengthBase = 0x52;
constexpr uint8_t kModeData = 0x01;
constexpr uint8_t kModeCommand = 0x04;

constexpr size_t kPollSize = 4;       // F4 56 01 B5
constexpr size_t kCommandSize = 14;   // F4 60 04, ten data bytes, checksum
constexpr size_t kDataFrameSize = 64; // the ECU's answer to a poll
constexpr size_t kDataBytes = 60;     // data bytes of that answer
constexpr size_t kPollReplySize = 68; // echo + answer, as the program reads it

extern const uint8_t kPollRequest[kPollSize];

// The byte that makes the sum of bytes[0..count) plus itself 0 modulo 256.
uint8_t checksumFor(const uint8_t* bytes, size_t count);
// True when the bytes add up to 0 modulo 256.
bool sumsToZero(const uint8_t* bytes, size_t count);
// Total frame length announced by a length byte (0 when it announces less than 4).
size_t frameLengthFrom(uint8_t lengthByte);
// F4, length, mode, the data and the checksum.
std::vector<uint8_t> buildFrame(uint8_t mode, const uint8_t* data, size_t count);

} // namespace ecusim
