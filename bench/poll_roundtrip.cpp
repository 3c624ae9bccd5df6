// Round trip of one poll through Wine's serial layer to the ECU simulator and back:
// write F4 56 01 B5, read up to 70 bytes (ends 25 ms after the 68th), purge.
// usage: bench_poll_roundtrip.exe [COMn] [polls]   prints median, min and max in ms.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <windows.h>

#include "platform/Win32SerialPort.h"

int main(int argc, char** argv) {
    const char* portName = argc > 1 ? argv[1] : "COM1";
    const int polls = argc > 2 ? std::atoi(argv[2]) : 100;
    Win32SerialPort port;
    if (!port.open(portName)) {
        std::printf("cannot open %s\n", portName);
        return 1;
    }
    port.applyLineSettings(SerialLineSettings());
    port.setTimeouts(SerialTimeouts());

    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const uint8_t request[4] = {0xF4, 0x56, 0x01, 0xB5};
    std::vector<double> ms;
    int good = 0;
    for (int i = 0; i < polls; ++i) {
        uint8_t reply[100];
        LARGE_INTEGER t0, t1;
        QueryPerformanceCounter(&t0);
        port.write(request, 4);
        const int n = port.read(reply, 70);
        port.purgeReceive();
        QueryPerformanceCounter(&t1);
        good += n == 68 ? 1 : 0;
        ms.push_back(1000.0 * double(t1.QuadPart - t0.QuadPart) / double(frequency.QuadPart));
    }
    std::sort(ms.begin(), ms.end());
    std::printf("polls %d, 68-byte answers %d, round trip median %.1f ms, min %.1f, max %.1f\n",
                polls, good, ms[ms.size() / 2], ms.front(), ms.back());
    return good == polls ? 0 : 2;
}
