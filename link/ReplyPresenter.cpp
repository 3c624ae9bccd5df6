#include "link/ReplyPresenter.h"

#include "link/LinkTexts.h"
#include "link/ReplyDecoder.h"

void ReplyPresenter::replyJudged(const JudgedReply& reply) {
    switch (reply.outcome) {
    case PollOutcome::NotPolled:
        break;
    case PollOutcome::WrongEcho:
        events_.setStatus(linktext::kCheckAdapter);
        break;
    case PollOutcome::GoodReply:
    case PollOutcome::NoAnswer:
    case PollOutcome::LinkBroken:
        if (reply.replyGood()) {
            if (reply.buffer) ecu_.rawFrame.store(reply.buffer);
            events_.setStatus(linktext::kDataReceived);
            ecu_.dataValid.store(1.0f);
            events_.setDiagButtonsEnabled(true);
        } else {
            events_.setStatus(linktext::kNoAnswer);
            ecu_.dataValid.store(0.0f);
            ecu_.rawFrame.clear();
            events_.repaintRawPanel();
        }
        if (reply.outcome == PollOutcome::LinkBroken) {
            ecu_.rawFrame.clear();
            events_.repaintRawPanel();
            events_.setStatus(linktext::kLinkBroken);
            events_.setDiagButtonsEnabled(false);
        }
        break;
    }
    DecodeReply(reply.buffer, selection_.ecuFamily.load(), selection_.decimalSeparator.load(), ecu_,
                events_);
}
