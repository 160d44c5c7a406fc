// The thumbnail workers: jobs taken and results handed over on this
// (the user-interface) thread, the file, copy and preset renderings, the
// gallery's sizes and white box, and stopping a busy worker: joined, no
// callback after it, nothing leaked over many cycles.
#include <gtest/gtest.h>

#include <windows.h>

#include "../../foundation/TempFolder.h"
#include "Component/Raster32/win/Ras32_GDI.h"
#include "dialogs/win/MakeThumbThread.h"
#include "dialogs/win/ReadImageThread.h"
#include "foundation/HyDataTable.h"
#include "foundation/win/HyFileUtils_Image.h"

namespace {

String WritePicture(const TTempFolder& Dir, const String& Name, Integer W, Integer H)
{
    TBitmap32 B;
    B.SetSize(W, H);
    B.Clear(0xFF2040C0);
    const String File = Dir / Name;
    SaveBitmap32ToFile(&B, File, ifPng, 0);
    return File;
}

// Runs the hand-overs until Done (the workers hand over through this thread).
template <class F>
bool HandOverUntil(F Done)
{
    for (int I = 0; I < 1000 && !Done(); ++I) CheckSynchronize(10);
    return Done();
}

struct TDelivered {
    Integer W = -1, H = -1;
    std::unique_ptr<TBitmap32> D;
    int Count = 0;
};

}  // namespace

TEST(ThumbWorkers, MakeThumbRendersFilesCopiesAndPresets)
{
    TTempFolder Dir{u"lm_thw_"};
    const String Wide = WritePicture(Dir, u"wide.png", 160, 40);
    TBitmap32 Picture;
    Picture.SetSize(30, 20);
    Picture.Clear(0xFF00FF00);
    TRow Row;
    Row.Init(std::vector<String>(12));
    Row.GetItem(10)->SetText(u"7");
    Row.Data2().Ref(&Picture);

    struct TJob {
        Integer Type, SubType, W, H;
        String File;
        bool Throw;
        Integer WantW, WantH;
        TColor32 WantPixel;
    };
    const TJob Jobs[] = {
        {1, 99, 80, 60, Wide, false, 80, 20, 0xFF2040C0},                 // a file, fitted keeping its shape
        {1, 99, 80, 60, Dir / u"gone.png", false, 80, 60, 0xFFFFFFFF},    // missing: the white box
        {1, 1, 0, 0, String(), false, 30, 20, 0xFF00FF00},                // the row's picture copied
        {1, 3, 15, 10, String(), false, 15, 10, 0xFF00FF00},              // and resized
        {0, 0, 0, 0, String(), false, 30, 20, 0xFF000007},                // a preset's effect
        {0, 0, 0, 0, String(), true, 30, 20, 0xFF000007},                 // an effect that fails midway
    };
    for (const TJob& J : Jobs) {
        TMakeThumbThread T;
        bool Given = false;
        TDelivered Out;
        T.FGetThumbInfo = [&](Integer& Type, Integer& Sub, String& File, TBitmap32*& Thumb, TBitmap32*&,
                              TRow*& R, Integer& W, Integer& H, bool& OK) {
            OK = !Given;
            if (Given) return;
            Given = true;
            Type = J.Type, Sub = J.SubType, File = J.File, W = J.W, H = J.H, R = &Row, Thumb = &Picture;
        };
        T.FSetThumbInfo = [&](Integer W, Integer H, TBitmap32* D) {
            Out.W = W, Out.H = H, Out.D.reset(D), ++Out.Count;
        };
        T.FApplyPresetEffect = [&](TBitmap32& B, const TRow& Preset, TBitmap32*) {
            B.Clear(0xFF000000 | TColor32(Preset.GetItem(10)->Value()));
            if (J.Throw) throw std::runtime_error("effect failed");
            B.Clear(0xFF000000 | TColor32(Preset.GetItem(10)->Value()));
        };
        T.Start();
        T.Wake();
        ASSERT_TRUE(HandOverUntil([&] { return Out.Count > 0; })) << J.Type << "/" << J.SubType;
        // With no job left the worker goes back to sleep.
        ASSERT_TRUE(HandOverUntil([&] { return !T.Work(); }));
        T.Stop();
        EXPECT_EQ(Out.Count, 1);
        EXPECT_EQ(Out.W, J.WantW) << J.Type << "/" << J.SubType;
        EXPECT_EQ(Out.H, J.WantH);
        ASSERT_TRUE(Out.D);
        EXPECT_EQ(Out.D->Width(), J.WantW);
        EXPECT_EQ(Out.D->Pixel(Out.D->Width() / 2, Out.D->Height() / 2), J.WantPixel) << J.Type << "/" << J.SubType;
    }
}

TEST(ThumbWorkers, GalleryThumbnailsAreNeverEnlargedAndAtLeastOnePixel)
{
    const struct {
        Integer W, H, IW, IH, TW, TH;
    } Rows[] = {
        {100, 100, 1000, 5, 100, 1}, {100, 100, 40, 30, 40, 30}, {100, 100, 200, 100, 100, 50},
        {100, 100, 100, 400, 25, 100}, {100, 50, 100, 50, 100, 50}, {10, 100, 5, 1000, 1, 100},
    };
    for (const auto& C : Rows) {
        Integer TW = 0, TH = 0;
        ReadImageThumbSize(C.W, C.H, C.IW, C.IH, TW, TH);
        EXPECT_EQ(TW, C.TW) << C.IW << "x" << C.IH;
        EXPECT_EQ(TH, C.TH) << C.IW << "x" << C.IH;
    }
}

TEST(ThumbWorkers, GalleryWorkerReadsFilesAndGivesAWhiteBoxOnError)
{
    TTempFolder Dir{u"lm_thw_"};
    const String Strip = WritePicture(Dir, u"strip.png", 1000, 5);
    const struct {
        String File;
        bool Error;
        Integer IW, IH, TW, TH;
    } Rows[] = {{Strip, false, 1000, 5, 100, 1}, {Dir / u"gone.png", true, 100, 100, 100, 100}};
    for (const auto& C : Rows) {
        TReadImageThread T;
        bool Given = false;
        Integer Got[4] = {};
        bool Error = false;
        std::unique_ptr<TBitmap32> D;
        T.FGetImageInfo = [&](String& File, Integer& W, Integer& H, bool& OK) {
            OK = !Given;
            Given = true;
            File = C.File, W = 100, H = 100;
        };
        T.FSetImageInfo = [&](Integer IW, Integer IH, Integer TW, Integer TH, TBitmap32* B, bool E) {
            Got[0] = IW, Got[1] = IH, Got[2] = TW, Got[3] = TH, Error = E, D.reset(B);
        };
        T.Start();
        T.Wake();
        ASSERT_TRUE(HandOverUntil([&] { return D != nullptr; }));
        T.Stop();
        EXPECT_EQ(Error, C.Error);
        EXPECT_EQ(Got[0], C.IW);
        EXPECT_EQ(Got[1], C.IH);
        EXPECT_EQ(Got[2], C.TW);
        EXPECT_EQ(Got[3], C.TH);
        EXPECT_EQ(D->Width(), C.TW);
        if (C.Error) EXPECT_EQ(D->Pixel(50, 50), 0xFFFFFFFF);
    }
}

TEST(ThumbWorkers, BusyWorkersStopWithoutLateCallbacksOrLeaks)
{
    TTempFolder Dir{u"lm_thw_"};
    const String File = WritePicture(Dir, u"a.png", 400, 300);
    auto Cycle = [&](int Hands) {
        auto T = std::make_unique<TMakeThumbThread>();
        int Delivered = 0;
        bool Stopped = false;
        bool Late = false;
        T->FGetThumbInfo = [&](Integer& Type, Integer& Sub, String& F, TBitmap32*&, TBitmap32*&, TRow*&, Integer& W,
                               Integer& H, bool& OK) {
            Late |= Stopped;
            Type = 1, Sub = 99, F = File, W = 80, H = 60, OK = true;  // always busy
        };
        T->FSetThumbInfo = [&](Integer, Integer, TBitmap32* D) {
            Late |= Stopped;
            delete D;
            ++Delivered;
        };
        T->Start();
        T->Wake();
        HandOverUntil([&] { return Delivered >= Hands; });
        T->Stop();
        Stopped = true;
        for (int I = 0; I < 5; ++I) CheckSynchronize(2);
        T.reset();
        EXPECT_FALSE(Late);
    };
    Cycle(1);  // the first start makes what a process keeps once (thread pools, the decoders' tables)
    const DWORD Before = [] {
        DWORD N = 0;
        GetProcessHandleCount(GetCurrentProcess(), &N);
        return N;
    }();
    for (int I = 0; I < 200; ++I) Cycle(I % 3);
    DWORD After = 0;
    GetProcessHandleCount(GetCurrentProcess(), &After);
    EXPECT_LE(After, Before + 5);
}
