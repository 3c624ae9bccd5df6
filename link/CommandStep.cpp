#include "link/CommandStep.h"

#include "link/CommandFrames.h"
#include "link/PortExchange.h"

namespace {

constexpr int32_t kConfirmed = 1;
constexpr int32_t kRejected = 2;

int32_t targetOf(const LinkRequests& requests, FrameTarget target) {
    switch (target) {
    case FrameTarget::Idle:
        return requests.idleTarget.load();
    case FrameTarget::Mixture:
        return requests.mixtureTarget.load();
    default:
        return 0;
    }
}

// Sends the row's frame and tells whether the reply confirms it. A reply that
// ends before the tested byte is a rejection: a silent ECU confirms nothing.
bool exchangeRow(const LinkRequests& requests, SerialPort& port, bool portOpen,
                 const CommandFrameRow& row, CommandFrame& sent) {
    // The target is read after its flag was seen, so it is the one written before the flag.
    const int32_t target = targetOf(requests, row.target);
    const CommandFrame frame = BuildCommandFrame(row, target);
    sent = frame;
    uint8_t reply[kCommandReplySize] = {};
    const int received =
        portOpen ? ExchangeOnPort(port, frame.data(), kCommandFrameSize, reply, kCommandReplySize)
                 : 0;
    if (row.checkByte < 0 || received <= row.checkByte) return false;
    const int32_t expected = row.target == FrameTarget::None ? row.expected : target;
    return static_cast<int32_t>(reply[row.checkByte]) == expected;
}

// Takes the request and clears it in one go, so a request made while its frame
// is on the wire (a new target, say) stays pending for the next step.
bool takeRequest(std::atomic<uint8_t>& flag) {
    return flag.exchange(0) != 0;
}

} // namespace

void RunCommandStep(LinkRequests& requests, int family, SerialPort& port, bool portOpen,
                    const std::atomic<bool>& stop, CommandSink* sink) {
    CommandFrame sent{};
    auto tell = [&](bool confirmed) {
        if (sink)
            sink->commandExchanged(sent.data(), sent.size(),
                                   confirmed ? CommandOutcome::Confirmed
                                             : CommandOutcome::Rejected);
    };
    if (stop.load()) return;
    if (takeRequest(requests.clearCodesRequested)) {
        exchangeRow(requests, port, portOpen, ClearCodesFrame(family), sent); // no outcome
        if (sink) sink->clearCodesSent();
    }

    const CommandTable table = FamilyCommandTable(family);
    for (int i = 0; i < table.count; ++i) {
        if (stop.load()) return;
        const CommandFrameRow& row = table.rows[i];
        if (!takeRequest(requests.commandRequests[row.slot])) continue;
        const bool confirmed = exchangeRow(requests, port, portOpen, row, sent);
        requests.requestStatus.store(confirmed ? kConfirmed : kRejected);
        tell(confirmed);
    }

    if (stop.load()) return;
    if (takeRequest(requests.returnControlRequested)) {
        const bool confirmed = exchangeRow(requests, port, portOpen, ReturnControlFrame(), sent);
        requests.requestStatus.store(confirmed ? kConfirmed : kRejected);
        tell(confirmed);
    }
}
