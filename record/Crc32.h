#pragma once
// CRC-32 (IEEE 802.3, the one zip and PNG use): reflected polynomial 0xEDB88320,
// initial value and final xor 0xFFFFFFFF. Crc32("123456789") == 0xCBF43926.
#include <cstddef>
#include <cstdint>

uint32_t Crc32(const uint8_t* data, std::size_t size, uint32_t crc = 0);
