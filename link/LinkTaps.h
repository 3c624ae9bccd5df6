#pragma once
// Who listens to the link cycle besides its presenter: the recording and the live checks, each
// with a reply sink and a command sink of its own. The cycle has one tap of each kind; this one
// hands every judged reply and every command on to each listener set, in the order of the
// slots, so the recording receives exactly what it received alone. Set while the cycle is idle.
#include <cstddef>
#include <cstdint>

#include "link/CommandSink.h"
#include "link/JudgedReply.h"

enum class TapSlot { Recording, Checks };
constexpr int kTapSlots = 2;

class LinkTaps : public ReplySink, public CommandSink {
  public:
    void set(TapSlot slot, ReplySink* replies, CommandSink* commands) {
        replies_[static_cast<int>(slot)] = replies;
        commands_[static_cast<int>(slot)] = commands;
    }

    void replyJudged(const JudgedReply& reply) override {
        for (ReplySink* s : replies_)
            if (s) s->replyJudged(reply);
    }
    void commandExchanged(const uint8_t* frame, std::size_t size, CommandOutcome outcome) override {
        for (CommandSink* s : commands_)
            if (s) s->commandExchanged(frame, size, outcome);
    }
    void clearCodesSent() override {
        for (CommandSink* s : commands_)
            if (s) s->clearCodesSent();
    }

  private:
    ReplySink* replies_[kTapSlots] = {};
    CommandSink* commands_[kTapSlots] = {};
};
