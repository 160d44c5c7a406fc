// The skin cold load under Windows (a release win64 build run under Wine):
// the same skin as the host benchmark, loaded from its ".skn" file into a
// fresh model N times, beside zlib inflating the same stream alone in the
// same run. Prints the median and fastest of each and their ratio.
//   wine bench_SFSkinLoad_Win.exe [repeats]      (default 21)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "WinTiming.h"

#include "SkinLoadData.h"
#include "framework/runtime/ZLibStreams.h"

namespace {

using namespace skinbench;

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const int repeats = argc > 1 ? std::max(1, _wtoi(argv[1])) : 21;
    TSkinFile skin;
    bool loaded = true;
    const auto load = TimeRepeats(repeats, [&] {
        TsfSkinData model(nullptr);
        loaded = loaded && model.LoadFromCompressedFile(skin.Name);
    });
    TMemoryStream source;
    source.WriteBuffer(skin.Compressed.data(), static_cast<Integer>(skin.Compressed.size()));
    const auto inflate = TimeRepeats(repeats, [&] {
        TMemoryStream out;
        out.SetCapacity(skin.BodySize);  // the floor: no growing on the way
        ZDecompressStream(&out, &source);
    });
    std::printf("skin cold load      median %7.2f ms  fastest %7.2f ms  (%s, body %.2f MB, skn %.1f KB)\n",
                load.first, load.second, loaded ? "loaded" : "FAILED", skin.BodySize / 1e6,
                skin.Compressed.size() / 1e3);
    std::printf("zlib inflate (peer) median %7.2f ms  fastest %7.2f ms  load/inflate %.1fx\n", inflate.first,
                inflate.second, load.first / inflate.first);
    DeleteFileW(reinterpret_cast<const wchar_t*>(skin.Name.c_str()));
    return loaded ? 0 : 1;
}
