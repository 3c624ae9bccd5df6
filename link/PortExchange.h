#pragma once
// One exchange on the K-line: write the request, read what comes back within the
// time-outs (the adapter's echo first, then the ECU), then discard whatever is
// still pending on the receive side.
#include <cstdint>

#include "platform/SerialPort.h"

// The read's time-outs (ms): its total is this constant plus this much per byte asked for.
constexpr uint32_t kReadTotalConstantMs = 10;
constexpr uint32_t kReadTotalPerByteMs = 10;

// Returns how many bytes the read delivered (0 when nothing came). An I/O error
// (the adapter pulled out) counts as nothing: the read is not attempted after a
// failed write, and the time a silent line would have taken is waited out, so a
// dead port paces the link like a silent one instead of letting it spin.
inline int ExchangeOnPort(SerialPort& port, const uint8_t* request, int requestSize, uint8_t* reply,
                          int maxReply) {
    const int written = port.write(request, requestSize);
    const int received = written < 0 ? -1 : port.read(reply, maxReply);
    port.purgeReceive();
    if (received < 0) {
        port.idle(kReadTotalConstantMs + kReadTotalPerByteMs * static_cast<uint32_t>(maxReply));
        return 0;
    }
    return received > maxReply ? maxReply : received;
}
