#pragma once
// The 14-byte command frames F4 60 04, ten data bytes, checksum; one table per
// ECU family, rows in the order the command step serves them.
#include <array>
#include <cstdint>

constexpr int kCommandFrameSize = 14;
using CommandFrame = std::array<uint8_t, kCommandFrameSize>;

// Which target a template frame carries in byte 10 (and the reply must echo back).
enum class FrameTarget { None, Idle, Mixture };

struct CommandFrameRow {
    int slot;         // index into commandRequests; -1 for clear-codes / return-control
    uint8_t data[10]; // frame bytes 3..12 (templates: byte 10 is filled at send time)
    uint8_t checksum; // frame byte 13 (templates: computed at send time)
    int checkByte;    // reply byte tested for confirmation; -1 = no test
    uint8_t expected; // value it must hold (templates: the target instead)
    FrameTarget target;
};

struct CommandTable {
    const CommandFrameRow* rows;
    int count;
};

// The family's slot table (empty for family 5 and anything unknown).
CommandTable FamilyCommandTable(int family);
const CommandFrameRow& ClearCodesFrame(int family);
const CommandFrameRow& ReturnControlFrame();

// The value of byte 13 that makes all 14 bytes add up to 0 modulo 256.
uint8_t FrameChecksum(const uint8_t* first13);

// The frame as sent: header, data, checksum; templates get the target's low byte
// in byte 10 and a fresh checksum.
CommandFrame BuildCommandFrame(const CommandFrameRow& row, int32_t target);
