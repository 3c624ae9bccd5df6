#pragma once
// The command step of the link cycle: sends one frame per pending request flag
// (clear codes, the family's slots in table order, return control) and records
// in requestStatus whether the ECU confirmed it.
#include <atomic>

#include "link/CommandSink.h"
#include "platform/SerialPort.h"
#include "state/LinkRequests.h"

constexpr int kCommandReplySize = 30;

// portOpen false: nothing is sent and every tested command counts as rejected.
// Stops between exchanges once `stop` is raised. `sink`, when given, hears of
// every frame sent.
void RunCommandStep(LinkRequests& requests, int family, SerialPort& port, bool portOpen,
                    const std::atomic<bool>& stop, CommandSink* sink = nullptr);
