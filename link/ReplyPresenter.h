#pragma once
// Shows a judged reply: the status line, the last good reply, the data-valid
// flag, the ERROR/TEST buttons, then the decoder's readout, channels and
// trouble-code bytes. Runs on the producer's thread (the link thread, or the
// player of a recording); window changes go out through LinkEvents.
#include "link/JudgedReply.h"
#include "link/LinkEvents.h"
#include "state/EcuData.h"
#include "state/Selection.h"

class ReplyPresenter : public ReplySink {
  public:
    ReplyPresenter(const Selection& selection, EcuData& ecu, LinkEvents& events)
        : selection_(selection), ecu_(ecu), events_(events) {}

    void replyJudged(const JudgedReply& reply) override;

  private:
    const Selection& selection_;
    EcuData& ecu_;
    LinkEvents& events_;
};
