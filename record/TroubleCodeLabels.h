#pragma once
// How a recording names a trouble code: by its error byte and bit, "1.3"
// (byte 1, bit 3), and the family's message for it where there is one.
#include <string>

std::string TroubleCodeLabel(int errorByte, int bit);
// The family's message for the code, or an empty text.
std::string TroubleCodeText(int family, int errorByte, int bit);
// The labels of the set bits of the family's error bytes, blank-separated,
// in byte and bit order: "1.3 2.6". reply: the 68 bytes of a good reply.
std::string ActiveTroubleCodes(const unsigned char* reply, int family);
