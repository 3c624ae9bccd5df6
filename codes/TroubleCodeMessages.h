#pragma once
// The trouble-code messages of each ECU family: one row per error bit that has
// a message, in the order the list shows them.
#include <cstddef>

struct TroubleCodeRow {
    int errorByte; // 1..4
    int bit;       // 0..7, bit 0 the least significant
    const char* message;
};

struct TroubleCodeTable {
    const TroubleCodeRow* rows = nullptr;
    std::size_t size = 0;
};

// The message table of an ECU family; empty for family 5 and any unknown value.
TroubleCodeTable TroubleCodeMessages(int family);

// How many error bytes (1..n) the family reports: 2, 2, 3, 4 for families 1..4,
// 0 otherwise.
int UsedErrorBytes(int family);
