#pragma once
// One exchange on the K-line: write the request, read what comes back within the
// time-outs (the adapter's echo first, then the ECU), then discard whatever is
// still pending on the receive side.
#include <cstdint>

#include "platform/SerialPort.h"

// Returns how many bytes the read delivered (0 when nothing came).
inline int ExchangeOnPort(SerialPort& port, const uint8_t* request, int requestSize, uint8_t* reply,
                          int maxReply) {
    port.write(request, requestSize);
    const int received = port.read(reply, maxReply);
    port.purgeReceive();
    return received < 0 ? 0 : (received > maxReply ? maxReply : received);
}
