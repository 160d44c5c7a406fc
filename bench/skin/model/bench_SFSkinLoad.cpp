// Loading a skin of the built-in skin's make-up cold, from its ".skn" file
// into a fresh model: a 285 x 210 frame at 24 bits and its 8-bit mask, 19
// pictures of 1 to 32 bits, 90 control and 11 frame-object descriptions,
// about 2.4 MB decompressed (the goal is under 100 ms). The peer is zlib
// inflating the same stream alone, the floor of any reader; "same" reports
// whether the loaded model writes the body it was made from.
#include <benchmark/benchmark.h>

#include "SkinLoadData.h"
#include "framework/runtime/ZLibStreams.h"

namespace {

using namespace skinbench;

TSkinFile& Skin()
{
    static TSkinFile S;
    return S;
}

void BM_SkinColdLoad(benchmark::State& State)
{
    TSkinFile& s = Skin();
    bool same = false;
    for (auto _ : State) {
        TsfSkinData model(nullptr);
        if (!model.LoadFromCompressedFile(s.Name)) State.SkipWithError("the skin did not load");
        State.PauseTiming();
        TMemoryStream again;
        WriteSkinBody(&again, model.MakeBody());
        same = again.Size() == s.BodySize &&
               RawByteString(static_cast<const char*>(again.Memory()), static_cast<size_t>(again.Size())) == s.Body;
        State.ResumeTiming();
    }
    State.counters["same"] = same;
    State.counters["body_MB"] = static_cast<double>(s.BodySize) / 1e6;
    State.counters["skn_KB"] = static_cast<double>(s.Compressed.size()) / 1e3;
}
BENCHMARK(BM_SkinColdLoad)->Unit(benchmark::kMillisecond);

void BM_SkinInflateOnlyPeer(benchmark::State& State)
{
    TSkinFile& s = Skin();
    TMemoryStream source;
    source.WriteBuffer(s.Compressed.data(), static_cast<Integer>(s.Compressed.size()));
    Int64 size = 0;
    for (auto _ : State) {
        TMemoryStream out;
        out.SetCapacity(s.BodySize);  // the floor: no growing on the way
        ZDecompressStream(&out, &source);
        size = out.Size();
    }
    State.counters["same"] = size == s.BodySize;
}
BENCHMARK(BM_SkinInflateOnlyPeer)->Unit(benchmark::kMillisecond);

}  // namespace
