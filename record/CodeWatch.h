#pragma once
// Follows the error bytes of successive good replies and tells which trouble
// code bits came and went. The first reply only sets what is known.
#include <cstdint>
#include <vector>

struct CodeChange {
    int errorByte; // 1..4
    int bit;       // 0..7
    bool appeared;
};

class CodeWatch {
  public:
    // reply: the 68 bytes of a good reply; family decides how many error bytes count.
    std::vector<CodeChange> next(const uint8_t* reply, int family);
    void reset() { known_ = false; }

  private:
    bool known_ = false;
    uint8_t bytes_[5] = {};
};
