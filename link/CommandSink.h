#pragma once
// Who hears of the frames the command step sends (a recording): the link thread
// tells it right after each exchange. It must not block.
#include <cstddef>
#include <cstdint>

enum class CommandOutcome : uint8_t { Confirmed, Rejected };

class CommandSink {
  public:
    virtual ~CommandSink() = default;
    // An actuator frame (or the return of control) and the ECU's verdict on it.
    virtual void commandExchanged(const uint8_t* frame, std::size_t size,
                                  CommandOutcome outcome) = 0;
    // The clear-codes frame went out (it has no verdict).
    virtual void clearCodesSent() = 0;
};
