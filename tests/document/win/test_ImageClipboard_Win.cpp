// The documents' system clipboard on the platform's, through the platform's
// own clipboard calls: pictures another program put (device-independent
// bitmaps of other layouts) pasted as picture objects, what the document
// puts read back as the platform gives it, and damaged pictures refused.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "../DocumentTestView.h"
#include "document/ImageSelection.h"
#include "document/ImageSmall.h"
#include "document/win/ImageClipboard_Win.h"
#include "framework/runtime/win/WinPlatform.h"

namespace {

// Puts Bytes on the clipboard as Format, the way another program does.
void PutRaw(UINT Format, const std::vector<uint8_t>& Bytes)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL H = GlobalAlloc(GMEM_MOVEABLE, Bytes.empty() ? 1 : Bytes.size());
    ASSERT_NE(H, nullptr);
    if (!Bytes.empty()) {
        std::memcpy(GlobalLock(H), Bytes.data(), Bytes.size());
        GlobalUnlock(H);
    }
    if (!SetClipboardData(Format, H)) GlobalFree(H);
    CloseClipboard();
}

// The clipboard's Format as bytes; empty when it holds none.
std::vector<uint8_t> GetRaw(UINT Format)
{
    std::vector<uint8_t> Bytes;
    if (!OpenClipboard(nullptr)) return Bytes;
    if (HANDLE H = GetClipboardData(Format)) {
        const auto* P = static_cast<const uint8_t*>(GlobalLock(H));
        if (P) Bytes.assign(P, P + GlobalSize(H));
        GlobalUnlock(H);
    }
    CloseClipboard();
    return Bytes;
}

void Put32(std::vector<uint8_t>& B, size_t At, uint32_t V) { std::memcpy(B.data() + At, &V, 4); }
uint32_t Get32(const std::vector<uint8_t>& B, size_t At)
{
    uint32_t V = 0;
    std::memcpy(&V, B.data() + At, 4);
    return V;
}

// A packed DIB of W x H (negative H: top-down) at Bits bits per pixel whose
// pixel (x, y) has red 10 x, green 20 y and blue 7 (bottom-up rows counted
// from the top as shown), and at 32 bits Alpha in the fourth byte.
std::vector<uint8_t> MakeDib(Integer W, Integer H, Integer Bits, uint8_t Alpha = 0)
{
    const Integer Rows = H < 0 ? -H : H;
    const size_t Stride = ((static_cast<size_t>(W) * Bits + 31) / 32) * 4;
    std::vector<uint8_t> B(40 + Stride * static_cast<size_t>(Rows));
    Put32(B, 0, 40);
    Put32(B, 4, static_cast<uint32_t>(W));
    Put32(B, 8, static_cast<uint32_t>(H));
    B[12] = 1;
    B[14] = static_cast<uint8_t>(Bits);
    for (Integer y = 0; y < Rows; ++y) {
        const Integer Stored = H < 0 ? y : Rows - 1 - y;
        uint8_t* Row = B.data() + 40 + Stride * static_cast<size_t>(Stored);
        for (Integer x = 0; x < W; ++x) {
            uint8_t* P = Row + static_cast<size_t>(x) * (Bits / 8);
            P[0] = 7;
            P[1] = static_cast<uint8_t>(20 * y);
            P[2] = static_cast<uint8_t>(10 * x);
            if (Bits == 32) P[3] = Alpha;
        }
    }
    return B;
}

TColor32 DibPixel(Integer x, Integer y, TColor32 Alpha = 0xFF)
{
    return Alpha << 24 | static_cast<TColor32>(10 * x) << 16 | static_cast<TColor32>(20 * y) << 8 | 7;
}

class PlatformClipboard : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallImageClipboardHooks();
        ObjectClipboard().Clear();
        SetImageClipboard(nullptr);
        Doc = NewBlankDocument(View, 300, 200, false, 0x563412);
        Doc->InitBitmap();
    }
    void TearDown() override
    {
        SetSystemClipboard(nullptr);
        SetImageClipboard(nullptr);
    }
    TImgSmall* LastPicture()
    {
        if (Doc->DT()->ItemCount() == 0) return nullptr;
        return dynamic_cast<TImgSmall*>(TImageDraw::RowShape(Doc->DT()->GetItem(Doc->DT()->ItemCount() - 1)));
    }

    TTestView View;
    std::unique_ptr<TImageDraw> Doc;
};

TEST_F(PlatformClipboard, PicturesOtherProgramsPutArePastedAsPictureObjects)
{
    struct Case {
        Integer W, H, Bits;
        uint8_t Alpha;
        TColor32 Pasted;  // the alpha pasted
    } Cases[] = {
        {5, 3, 24, 0, 0xFF},     {6, -4, 24, 0, 0xFF},
        {4, 4, 32, 0, 0xFF},     // a fourth byte left 0 by the program: opaque
        {3, -2, 32, 0, 0xFF},    {4, 3, 32, 0x80, 0x80},  // a real alpha stays
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(testing::Message() << C.W << "x" << C.H << " at " << C.Bits << " alpha " << int(C.Alpha));
        PutRaw(CF_DIB, MakeDib(C.W, C.H, C.Bits, C.Alpha));
        // The platform offers the device bitmap made from it too.
        EXPECT_TRUE(Doc->GetPasteEnabled());
        const Integer Before = Doc->DT()->ItemCount();
        Doc->Paste(50, 60, nullptr, true, false);
        ASSERT_EQ(Doc->DT()->ItemCount(), Before + 1);
        TImgSmall* P = LastPicture();
        ASSERT_NE(P, nullptr);
        const Integer Rows = C.H < 0 ? -C.H : C.H;
        EXPECT_EQ(P->SRect(), (TRect{50, 60, 50 + C.W, 60 + Rows}));
        for (Integer y = 0; y < Rows; ++y)
            for (Integer x = 0; x < C.W; ++x) EXPECT_EQ(P->SrcBmp()->Pixel(x, y), DibPixel(x, y, C.Pasted)) << x << "," << y;
    }
}

TEST_F(PlatformClipboard, WhatTheDocumentPutsOtherProgramsRead)
{
    Doc->SrcBmp()->Clear(0xFF102030);
    Doc->SrcBmp()->SetPixel(0, 0, 0x00000000);  // transparent: the canvas colour shows
    Doc->CopyImageToClipboard(false);
    // A device bitmap of the picture's size...
    ASSERT_TRUE(OpenClipboard(nullptr));
    BITMAP Info{};
    HANDLE Device = GetClipboardData(CF_BITMAP);
    const bool HasDevice = Device && GetObjectW(Device, sizeof(Info), &Info) != 0;
    CloseClipboard();
    ASSERT_TRUE(HasDevice);
    EXPECT_EQ(Info.bmWidth, 300);
    EXPECT_EQ(Info.bmHeight, 200);
    // ...and its exact pixels, opaque over the canvas colour, as a packed DIB.
    std::vector<uint8_t> Dib = GetRaw(CF_DIB);
    ASSERT_GE(Dib.size(), 40u);
    const int32_t W = static_cast<int32_t>(Get32(Dib, 4)), H = static_cast<int32_t>(Get32(Dib, 8));
    const Integer Bits = Dib[14];
    ASSERT_EQ(W, 300);
    ASSERT_EQ(H < 0 ? -H : H, 200);
    ASSERT_TRUE(Bits == 24 || Bits == 32);
    const size_t Masks = Get32(Dib, 16) == 3 ? 12 : 0, Stride = ((static_cast<size_t>(W) * Bits + 31) / 32) * 4;
    auto Pixel = [&](Integer x, Integer y) {
        const size_t Row = static_cast<size_t>(H < 0 ? y : 200 - 1 - y);
        const uint8_t* P = Dib.data() + 40 + Masks + Row * Stride + static_cast<size_t>(x) * (Bits / 8);
        return static_cast<TColor32>(P[2]) << 16 | static_cast<TColor32>(P[1]) << 8 | P[0];
    };
    ASSERT_GE(Dib.size(), 40 + Masks + Stride * 200);
    EXPECT_EQ(Pixel(0, 0), 0x123456u);
    EXPECT_EQ(Pixel(1, 0), 0x102030u);
    EXPECT_EQ(Pixel(299, 199), 0x102030u);

    Doc->CopyText(u"Hello, \u4E2D\u6587");
    std::vector<uint8_t> Text = GetRaw(CF_UNICODETEXT);
    ASSERT_GE(Text.size(), 20u);
    EXPECT_EQ(String(reinterpret_cast<const char16_t*>(Text.data())), u"Hello, \u4E2D\u6587");
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
}

TEST_F(PlatformClipboard, SelectedPixelsRoundTripThroughTheClipboard)
{
    for (Integer y = 0; y < 200; ++y)
        for (Integer x = 0; x < 300; ++x) Doc->SrcBmp()->SetPixel(x, y, 0xFF000000 | (x << 8) | y);
    Doc->SetAntialiasing(false);
    TRow* Row = Doc->SelectionDT()->AddItem(u"s");
    Row->Init(std::vector<String>{u"s", u"20.30.60.50", u"0", u"0"});
    ASSERT_TRUE(Doc->LoadSelection(u"s"));
    Doc->CutSelection();
    EXPECT_EQ(Doc->SrcBmp()->Pixel(25, 35), 0x00FFFFFFu);
    // Pasted from the system clipboard (not the image clipboard) where the
    // pixels were.
    SetImageClipboard(nullptr);
    Doc->Paste(20, 30, nullptr, true, false);
    TImgSmall* P = LastPicture();
    ASSERT_NE(P, nullptr);
    EXPECT_EQ(P->SRect(), (TRect{20, 30, 60, 50}));
    EXPECT_EQ(P->SrcBmp()->Pixel(5, 5), 0xFF000000u | (25 << 8) | 35);
}

TEST_F(PlatformClipboard, DamagedPicturesAreRefused)
{
    auto Dib = [](auto Change) {
        std::vector<uint8_t> B = MakeDib(4, 4, 24);
        Change(B);
        return B;
    };
    struct Case {
        const char* What;
        std::vector<uint8_t> Bytes;
    } Cases[] = {
        {"short header", std::vector<uint8_t>(10, 0x28)},
        {"pixels cut off", Dib([](std::vector<uint8_t>& B) { B.resize(40 + 20); })},
        {"a huge size", Dib([](std::vector<uint8_t>& B) {
             Put32(B, 4, 100000);
             Put32(B, 8, 100000);
         })},
        {"a negative width", Dib([](std::vector<uint8_t>& B) { Put32(B, 4, static_cast<uint32_t>(-4)); })},
        {"a header larger than the data", Dib([](std::vector<uint8_t>& B) { Put32(B, 0, 0x7FFFFFFF); })},
        {"no such depth", Dib([](std::vector<uint8_t>& B) { B[14] = 7; })},
        {"a palette past the end", Dib([](std::vector<uint8_t>& B) {
             B[14] = 8;
             Put32(B, 32, 0x10000000);
         })},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.What);
        PutRaw(CF_DIB, C.Bytes);
        EXPECT_EQ(SystemClipboard().GetBitmap(), nullptr);
        const Integer Before = Doc->DT()->ItemCount();
        Doc->SetChangedFlag(false);
        Doc->Paste(10, 10, nullptr, true, false);
        EXPECT_EQ(Doc->DT()->ItemCount(), Before);
        EXPECT_FALSE(Doc->Changed());
    }
    // An empty clipboard pastes nothing either.
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_FALSE(Doc->GetPasteEnabled());
    Doc->Paste(10, 10, nullptr, true, false);
    EXPECT_EQ(Doc->DT()->ItemCount(), 0);
}

}  // namespace
