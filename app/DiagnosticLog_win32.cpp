#include "app/DiagnosticLog_win32.h"

#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/TForm1.h"
#include "platform/Clock.h"
#include "platform/TextConversion.h"

namespace {

constexpr UINT kTickMs = 20;
constexpr UINT_PTR kTimerId = 0x4D44; // on the main window
const wchar_t kProperty[] = L"MotoskopDiagnosticLog";

// Hangs on the main window (a window property) and is used by its timer only,
// on the GUI thread; it lives as long as the process.
struct DiagnosticLog {
    FILE* file = nullptr;
    unsigned everyMs = 60000;
    unsigned long long lastTick = 0;
    unsigned long long lastFigures = 0;
    unsigned long long worstGap = 0; // since the last figures line
    std::string status;
};

// The log's stamps: wall milliseconds since 1970, comparable with other logs.
unsigned long long StampMs() {
    return static_cast<unsigned long long>(WallNow().utcMs);
}

// Committed private memory, summed over the address space: what "private bytes"
// means, also where the system's own counter is not filled in (Wine).
unsigned long long CommittedPrivate() {
    unsigned long long total = 0;
    MEMORY_BASIC_INFORMATION info;
    const char* at = nullptr;
    while (VirtualQuery(at, &info, sizeof info) == sizeof info) {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) total += info.RegionSize;
        const char* next = static_cast<const char*>(info.BaseAddress) + info.RegionSize;
        if (next <= at) break;
        at = next;
    }
    return total;
}

// Kernel handles by trying each handle value, for systems whose handle count
// reads 0 (Wine): values are multiples of 4 from 4.
DWORD ProbedHandleCount() {
    DWORD count = 0;
    for (ULONG_PTR value = 4; value < 4 * 8192; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++count;
    }
    return count;
}

BOOL CALLBACK CountWindow(HWND window, LPARAM counter) {
    ++*reinterpret_cast<unsigned*>(counter);
    EnumChildWindows(window, CountWindow, counter);
    return TRUE;
}

// The windows of this thread and their children (USER objects that can be counted).
unsigned WindowCount() {
    unsigned count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

void WriteFigures(DiagnosticLog& log, unsigned long long now) {
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                         sizeof memory);
    DWORD handles = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handles);
    const DWORD probed = handles == 0 ? ProbedHandleCount() : 0;
    const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    std::fprintf(log.file,
                 "%llu figures private=%llu committed=%llu working=%llu handles=%lu "
                 "probed-handles=%lu gdi=%lu user=%lu windows=%u gui-gap=%llu\n",
                 now, static_cast<unsigned long long>(memory.PrivateUsage), CommittedPrivate(),
                 static_cast<unsigned long long>(memory.WorkingSetSize),
                 static_cast<unsigned long>(handles), static_cast<unsigned long>(probed),
                 static_cast<unsigned long>(gdi), static_cast<unsigned long>(user), WindowCount(),
                 log.worstGap);
    log.worstGap = 0;
    log.lastFigures = now;
}

void CALLBACK Tick(HWND window, UINT, UINT_PTR, DWORD) {
    auto* found = static_cast<DiagnosticLog*>(GetPropW(window, kProperty));
    if (!found) return;
    DiagnosticLog& log = *found;
    const unsigned long long now = StampMs();
    if (log.lastTick != 0 && now - log.lastTick > log.worstGap) log.worstGap = now - log.lastTick;
    // A GUI thread that stalls shows as a late tick.
    if (log.lastTick != 0 && now - log.lastTick >= 500)
        std::fprintf(log.file, "%llu stall %llu\n", now, now - log.lastTick);
    log.lastTick = now;
    if (Form1 && Form1->Label51.text() != log.status) {
        log.status = Form1->Label51.text();
        std::fprintf(log.file, "%llu status %s\n", now, log.status.c_str());
    }
    if (now - log.lastFigures >= log.everyMs) {
        WriteFigures(log, now);
        log.lastTick = StampMs(); // the figures' own time is no stall
    }
    std::fflush(log.file);
}

} // namespace

void StartDiagnosticLog(const std::string& path, int everySeconds) {
    if (!Form1 || GetPropW(Form1->handle(), kProperty) || path.empty()) return;
    const unsigned every = everySeconds > 0 ? static_cast<unsigned>(everySeconds) : 60;

    FILE* file = _wfopen(Widen(path).c_str(), L"ab");
    if (!file) return;             // no log: the program runs as always
    auto* log = new DiagnosticLog; // kept until the process ends
    log->file = file;
    log->everyMs = (every == 0 ? 60 : every) * 1000;
    const unsigned long long now = StampMs();
    std::fprintf(file, "%llu start pid=%lu\n", now,
                 static_cast<unsigned long>(GetCurrentProcessId()));
    WriteFigures(*log, now);
    std::fflush(file);
    SetPropW(Form1->handle(), kProperty, log);
    SetTimer(Form1->handle(), kTimerId, kTickMs, Tick);
}
