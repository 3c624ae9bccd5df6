// One sampler tick over the 55 channels of family 4.
#include <memory>

#include <benchmark/benchmark.h>

#include "state/MainState.h"
#include "live/Sampler.h"

namespace {

struct NoPanels : RepaintRequests {
    int requests = 0;
    void requestPanelRepaint(int) override { ++requests; }
};

std::unique_ptr<MainState> family4State() {
    auto state = std::make_unique<MainState>();
    state->selection.ecuFamily = 4;
    state->ecu.dataValid = 1.0f;
    for (int k = 0; k < ChannelStore::channelCount(4); ++k)
        state->ecu.channels.setValue(4, k, static_cast<float>(k) * 1.7f);
    return state;
}

// The steady state: after the first 450 ticks every position is final.
void SampleOneTick(benchmark::State& run) {
    auto state = family4State();
    NoPanels panels;
    for (auto _ : run) {
        SampleChannels(state->ecu, state->selection.ecuFamily.load(), panels);
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(panels.requests);
}

// The first 450 ticks of a channel, while the positions still advance.
void SampleOneTickWhileFilling(benchmark::State& run) {
    auto state = family4State();
    NoPanels panels;
    int ticks = 0;
    for (auto _ : run) {
        if (++ticks == kKeptSamples) {
            run.PauseTiming();
            state = family4State();
            ticks = 0;
            run.ResumeTiming();
        }
        SampleChannels(state->ecu, state->selection.ecuFamily.load(), panels);
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(panels.requests);
}

} // namespace

BENCHMARK(SampleOneTick)->Unit(benchmark::kMicrosecond);
BENCHMARK(SampleOneTickWhileFilling)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
