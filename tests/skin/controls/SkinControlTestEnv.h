// Helpers of the skinned controls' window tests: the skin kernels' start-up,
// the program's four skins ("Rire" built in, "Charm", "Laconic", "Cool") as the
// build packs them, a form on the virtual display, pixels of a control read
// back from the screen, and screenshots kept as test output (screenshots/ in
// the test's build folder; never compared byte for byte).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>

#include "framework/controls/win/Forms.h"
#include "framework/controls/win/GuiTest.h"
#include "framework/graphics/win/PngImage.h"
#include "framework/runtime/SysUtils.h"
#include "skin/controls/SkinClock.h"
#include "skin/model/SFSkinData.h"
#include "skin/model/win/SFKernels_Win.h"
#include "skin/model/win/SFSkinData_Win.h"

#ifndef LM_SKIN_FOLDER
#error "LM_SKIN_FOLDER: the folder of the packed test skins"
#endif

namespace skintest {

class TSkinControlsEnvironment : public testing::Environment {
public:
    void SetUp() override { InstallSkinKernelsWin(); }
    void TearDown() override { UninstallSkinKernels(); }
};

// One per test program: gtest owns the environment.
inline testing::Environment* const GSkinControlsEnvironment =
    testing::AddGlobalTestEnvironment(new TSkinControlsEnvironment);

// The four skins of the program, the built-in one first.
inline const char16_t* const SkinNames[] = {u"Rire", u"Charm", u"Laconic", u"Cool"};

// A skin model with one of the packed skins loaded.
inline std::unique_ptr<TsfSkinData> LoadSkin(const String& Name)
{
    auto sd = std::make_unique<TsfSkinData>(nullptr);
    const String file = String(u"" LM_SKIN_FOLDER) + Name + u".skn";
    EXPECT_TRUE(sd->LoadFromCompressedFile(file)) << "cannot load " << UTF8Encode(file) << ": "
                                                  << UTF8Encode(sd->LoadError());
    return sd;
}

// An in-memory skin made by a test: pictures of solid colours and rectangles,
// and the descriptions the test adds. Not Empty.
class TTestSkin {
public:
    TTestSkin() : SD(std::make_unique<TsfSkinData>(nullptr)) { SD->Empty = false; }
    // A new 24-bit picture of W x H in Fill; its index.
    Integer AddPicture(Integer W, Integer H, TColor Fill)
    {
        TDibImage pic;
        pic.Allocate(W, H, pf24bit);
        SD->FActivePictures.push_back(std::move(pic));
        const Integer index = Integer(SD->FActivePictures.size()) - 1;
        FillRect(index, {0, 0, W, H}, Fill);
        return index;
    }
    void FillRect(Integer Picture, const TRect& R, TColor C)
    {
        TDibImage& pic = SD->FActivePictures[size_t(Picture)];
        for (Integer y = std::max(R.Top, 0); y < std::min(R.Bottom, pic.Height); ++y)
            for (Integer x = std::max(R.Left, 0); x < std::min(R.Right, pic.Width); ++x) {
                uint8_t* p = pic.ScanLine(y) + 3 * x;
                p[0] = uint8_t(C >> 16);
                p[1] = uint8_t(C >> 8);
                p[2] = uint8_t(C);
            }
    }
    template <class T>
    T* Add(const String& Name)
    {
        auto d = std::make_unique<T>(Name);
        T* raw = d.get();
        SD->CtrlList.push_back(std::move(d));
        return raw;
    }
    std::unique_ptr<TsfSkinData> SD;
};

// A colour as the screen pixels of guitest::TDib give it (0xRRGGBB).
inline DWORD ScreenRGB(TColor C)
{
    const TColor c = ColorToRGB(C);
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

// The screen's pixels under a rectangle (screen coordinates), once it shows
// the windows' own.
using guitest::CaptureScreen;

// The screen rectangle of a control (windowed or not).
inline TRect ScreenRect(TControl* C)
{
    const TPoint p = C->ClientToScreen({0, 0});
    return {p.X, p.Y, p.X + C->Width(), p.Y + C->Height()};
}

// The control's pixels as the screen shows them, after pending paints.
inline std::unique_ptr<guitest::TDib> CaptureControl(TControl* C)
{
    guitest::Pump();
    if (auto* w = dynamic_cast<TWinControl*>(C)) {
        if (w->HandleAllocated()) UpdateWindow(w->Handle());
    } else if (C->Parent() && C->Parent()->HandleAllocated()) {
        UpdateWindow(C->Parent()->Handle());
    }
    GdiFlush();
    return CaptureScreen(ScreenRect(C));
}

// Writes the screen under R to screenshots/<Name>.png in the working folder.
inline void SaveScreenshot(const TRect& R, const String& Name)
{
    CreateDir(u"screenshots");
    TBitmap bmp;
    bmp.SetPixelFormat(pf24bit);
    bmp.SetSize(R.Width(), R.Height());
    guitest::WaitForScreen(R);
    HDC screen = GetDC(nullptr);
    BitBlt(bmp.Canvas()->Handle(), 0, 0, R.Width(), R.Height(), screen, R.Left, R.Top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    TPngImage png;
    png.Assign(&bmp);
    png.SaveToFile(u"screenshots/" + Name + u".png");
}

inline void SaveScreenshot(TControl* C, const String& Name)
{
    CaptureControl(C);
    SaveScreenshot(ScreenRect(C), Name);
}

// A form test with the skins at hand (each loaded once per test) and a
// manual clock for the timers.
class SkinFormTest : public guitest::FormTest {
protected:
    TsfSkinData* Skin(const String& Name)
    {
        auto& slot = FSkins[Name];
        if (!slot) slot = LoadSkin(Name);
        return slot.get();
    }
    void TearDown() override
    {
        guitest::FormTest::TearDown();
        FSkins.clear();
    }
    TSkinClockScope FClock;

private:
    std::map<String, std::unique_ptr<TsfSkinData>> FSkins;
};

}  // namespace skintest
