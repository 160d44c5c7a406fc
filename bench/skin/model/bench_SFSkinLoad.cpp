// Loading a skin of the built-in skin's make-up cold, from its ".skn" file
// into a fresh model: a 285 x 210 frame at 24 bits and its 8-bit mask, 19
// pictures of 1 to 32 bits, 90 control and 11 frame-object descriptions,
// about 2.4 MB decompressed (the goal is under 100 ms). The peer is zlib
// inflating the same stream alone, the floor of any reader; "same" reports
// whether the loaded model writes the body it was made from.
#include <benchmark/benchmark.h>

#include "framework/runtime/SysUtils.h"
#include "framework/runtime/ZLibStreams.h"
#include "skin/model/SFCompressedSkin.h"
#include "skin/model/SFSkinData.h"

namespace {

TDibImage Art(Integer W, Integer H, TPixelFormat Format, Integer Seed)
{
    TDibImage image;
    image.Allocate(W, H, Format);
    if (IsIndexedFormat(Format)) image.Palette = DefaultPalette(Format);
    // Gradients with some grain, as painted skin parts are.
    for (Integer y = 0; y < H; ++y) {
        uint8_t* row = image.ScanLine(y);
        for (Integer i = 0; i < image.Stride(); ++i)
            row[i] = static_cast<uint8_t>((i * 3 + y * 2 + Seed * 17) ^ ((i * y + Seed) % 7));
    }
    return image;
}

struct TSkinFile {
    String Name;
    RawByteString Compressed;
    Int64 BodySize = 0;
    RawByteString Body;

    TSkinFile()
    {
        TsfSkinData model(nullptr);
        model.FPicture = Art(285, 210, pf24bit, 1);
        model.FMask = Art(285, 210, pf8bit, 2);
        model.FPictureName = u"frame.bmp";
        model.FMaskName = u"mask.bmp";
        const TPixelFormat depths[] = {pf32bit, pf24bit, pf8bit, pf4bit, pf1bit};
        for (Integer i = 0; i < 19; ++i) {
            const TPixelFormat f = depths[i % 5];
            const Integer w = f == pf32bit ? 220 : f == pf24bit ? 250 : 300;
            model.FActivePictures.push_back(Art(w, 150, f, i));
            model.FActivePicturesNames->Add(u"p" + IntToStr(i) + u".bmp");
        }
        const char16_t* objects[] = {u"stdbutton", u"stdbutton", u"stdbutton", u"stdbutton", u"caption",
                                     u"menuitem",  u"mainmenubaritem", u"mainmenubarbutton", u"mainmenubarbutton",
                                     u"mainmenubarbutton", u"mainmenubarbutton"};
        for (Integer i = 0; i < 11; ++i)
            model.ObjectList.push_back(CreateSkinObjectData(objects[i], u"obj" + IntToStr(i)));
        const char16_t* controls[] = {u"button", u"edit", u"listbox", u"scrollbar", u"panel", u"tab",
                                      u"combobox", u"checkradio", u"gauge", u"trackbar"};
        for (Integer i = 0; i < 90; ++i)
            model.CtrlList.push_back(CreateSkinControlData(controls[i % 10], u"ctrl" + IntToStr(i)));
        TMemoryStream body;
        WriteSkinBody(&body, model.MakeBody());
        BodySize = body.Size();
        Body.assign(static_cast<const char*>(body.Memory()), static_cast<size_t>(body.Size()));
        Name = GetTempDirectory() + u"lm_bench_skin.skn";
        model.SaveToCompressedFile(Name);
        TMemoryStream file;
        file.LoadFromFile(Name);
        Compressed.assign(static_cast<const char*>(file.Memory()) + 8, static_cast<size_t>(file.Size() - 8));
    }
};

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
        ZDecompressStream(&out, &source);
        size = out.Size();
    }
    State.counters["same"] = size == s.BodySize;
}
BENCHMARK(BM_SkinInflateOnlyPeer)->Unit(benchmark::kMillisecond);

}  // namespace
