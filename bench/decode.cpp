// One poll reply decoded, per ECU family.
#include <memory>
#include <random>

#include <benchmark/benchmark.h>

#include "state/MainState.h"
#include "link/ReplyDecoder.h"

namespace {

struct NoWindow : NoLinkEvents {
    void setReadout(int, const std::string& text) override {
        benchmark::DoNotOptimize(text.data());
    }
};

void DecodeOneReply(benchmark::State& run) {
    auto state = std::make_unique<MainState>();
    state->selection.ecuFamily = static_cast<int>(run.range(0));
    NoWindow events;
    uint8_t reply[kReplyBufferSize];
    std::mt19937 random(7);
    for (uint8_t& b : reply)
        b = static_cast<uint8_t>(random());
    for (auto _ : run) {
        DecodeReply(reply, state->selection.ecuFamily.load(),
                    state->selection.decimalSeparator.load(), state->ecu, events);
        benchmark::ClobberMemory();
    }
}

} // namespace

BENCHMARK(DecodeOneReply)->ArgName("family")->DenseRange(1, 4)->Unit(benchmark::kNanosecond);
BENCHMARK_MAIN();
