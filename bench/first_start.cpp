// Start-up settings load against the Win32 registry: the first start (builds
// the whole default tree), the start after it (adds the colour values) and a
// later start (reads only). Runs under a scratch key below HKEY_CURRENT_USER,
// never the user's own \MOTOSKOP. Prints the median of 5 runs of each.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "state/MainState.h"
#include "platform/Win32Registry.h"
#include "settings/SelectionView.h"
#include "settings/SettingsStore.h"
#include "settings/VehicleSelection.h"

namespace {

const char* const kScratch = "MOTOSKOP_BENCH"; // below HKEY_CURRENT_USER

class ScratchRegistry : public Registry {
  public:
    bool keyExists(const std::string& path) override { return real_.keyExists(prefix_ + path); }
    std::unique_ptr<RegistryKey> openKey(const std::string& path, bool create) override {
        return real_.openKey(prefix_ + path, create);
    }

  private:
    std::string prefix_ = std::string("\\") + kScratch;
    Win32Registry real_;
};

double startMs(Registry& registry) {
    auto state = std::make_unique<MainState>();
    NoSelectionView view;
    LARGE_INTEGER f, t0, t1;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t0);
    LoadSettingsAtStartup(registry, state->selection, state->colours, view);
    ApplyPortIndex(state->selection, view);
    QueryPerformanceCounter(&t1);
    return 1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) /
           static_cast<double>(f.QuadPart);
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main() {
    ScratchRegistry registry;
    std::vector<double> first, second, later;
    for (int run = 0; run < 5; ++run) {
        RegDeleteTreeA(HKEY_CURRENT_USER, kScratch);
        first.push_back(startMs(registry));
        second.push_back(startMs(registry));
        later.push_back(startMs(registry));
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, kScratch);
    std::printf("first start (434 keys, 1694 values): median %.2f ms  (target < 500 ms)\n",
                median(first));
    std::printf("second start (writes 16 colours):     median %.2f ms\n", median(second));
    std::printf("later start (reads only):             median %.2f ms  (target < 20 ms)\n",
                median(later));
    return 0;
}
