// Throughput of the receive ring and frame synchroniser over a long stream of
// mixed valid and invalid frames with noise between them.
#include "comm/FrameEnvelope.h"
#include "comm/FrameSync.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace {

class CountingHandlers : public IFrameHandlers {
public:
    void HandleShortFrame(const uint8_t* f) override { Count(f, 9); }
    void HandleMidFrame(const uint8_t* f) override { Count(f, 17); }
    void HandleVarFrame(const uint8_t* f, int n) override { Count(f, n); }
    long valid = 0;
    long invalid = 0;

private:
    void Count(const uint8_t* f, int n) { Frame::IsValid(f, n) ? ++valid : ++invalid; }
};

std::vector<uint8_t> MixedStream(size_t bytes)
{
    std::mt19937 rng(7);
    std::vector<uint8_t> s;
    s.reserve(bytes + 300);
    while (s.size() < bytes) {
        for (unsigned k = rng() % 4; k > 0; --k)
            s.push_back(static_cast<uint8_t>(rng() % 0xA0));
        const int kind = static_cast<int>(rng() % 3);
        const int n = kind == 0 ? 9 : kind == 1 ? 17 : static_cast<int>(9 + rng() % 60);
        std::vector<uint8_t> f(n, 0x33);
        f[0] = 0xAA;
        f[1] = kind == 0 ? 0x01 : kind == 1 ? 0x41 : 0xC0;
        f[5] = 0x91;
        if (kind == 2)
            f[6] = static_cast<uint8_t>(n - 9);
        Frame::Seal(f.data(), n);
        if (rng() % 5 == 0)
            f[n - 2] ^= 0xFF;
        s.insert(s.end(), f.begin(), f.end());
    }
    return s;
}

void BM_ParseMixedStream(benchmark::State& state)
{
    const std::vector<uint8_t> stream = MixedStream(4 << 20);
    const int chunk = static_cast<int>(state.range(0));
    TRecvRing ring;
    CountingHandlers handlers;
    TFrameSync sync(ring, handlers);
    for (auto _ : state) {
        for (size_t at = 0; at + chunk <= stream.size(); at += chunk) {
            ring.CopyReceivedBytes(stream.data() + at, chunk);
            sync.ParseRecvData();
        }
        benchmark::DoNotOptimize(handlers.valid);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(stream.size()));
    state.counters["frames"] = benchmark::Counter(static_cast<double>(handlers.valid + handlers.invalid),
                                                  benchmark::Counter::kAvgIterations);
}

}  // namespace

// Deliveries of a whole read buffer, and of single bytes as a slow line gives them.
BENCHMARK(BM_ParseMixedStream)->Arg(4096)->Arg(64)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
