// A skinned form wearing the frame-object test skin, with the helpers of the
// frame-object window tests: the frame painted into a picture, object places
// on the screen, and clicks and drags by the real pointer.
#pragma once

#include "FrameObjectsTestSkin.h"
#include "skin/frame/win/SkinForm.h"

namespace frameobjects {

using namespace guitest;
using namespace skintest;

class FrameObjectsTest : public SkinFormTest {
protected:
    void SetUp() override
    {
        SkinFormTest::SetUp();
        FSkin = MakeObjectsTestSkin();
    }
    TsfSkinForm* NewObjectsForm(int W = 320, int H = 160)
    {
        TForm* F = NewForm(100, 100, 100, 100);
        F->SetCaption(u"");
        auto* C = new TsfSkinForm(F);
        C->SetSkinData(FSkin.SD.get());
        F->SetBounds(100, 100, W, H);
        ShowAndWait(F);
        SetActiveWindow(F->Handle());
        Pump();
        MovePointer({50, 600});  // away from the frame
        C->FindActiveObject(-1, -1, false);
        return C;
    }
    template <class T>
    static T* Object(TsfSkinForm* C, const char16_t* Name)
    {
        for (const auto& O : C->ObjectList)
            if (O->IDName == Name) return dynamic_cast<T*>(O.get());
        return nullptr;
    }
    // The frame as a full painting draws it (window coordinates).
    static std::unique_ptr<TDib> FrameInto(TCustomForm* Form)
    {
        auto Dib = std::make_unique<TDib>(Form->Width(), Form->Height());
        SendMessageW(Form->Handle(), WM_PAINTFRAMEINTO, reinterpret_cast<WPARAM>(Dib->DC()), 0);
        return Dib;
    }
    // The frame pixel at object-relative (X, Y).
    static DWORD PixelOf(const TDib& D, const TsfActiveSkinObject* O, int X, int Y)
    {
        return D.Pixel(O->ObjectRect.Left + X, O->ObjectRect.Top + Y);
    }
    // Object-relative (X, Y) on the screen.
    static TPoint ScreenPoint(TsfSkinForm* C, const TsfActiveSkinObject* O, int X, int Y)
    {
        RECT W;
        GetWindowRect(C->Form()->Handle(), &W);
        return {W.left + O->ObjectRect.Left + X, W.top + O->ObjectRect.Top + Y};
    }
    // Waits until the screen shows Colour at object-relative (X, Y).
    static bool ScreenShows(TsfSkinForm* C, const TsfActiveSkinObject* O, int X, int Y, TColor Colour)
    {
        const TPoint P = ScreenPoint(C, O, X, Y);
        return PumpUntil([&] { return ScreenPixel(P.X, P.Y) == static_cast<COLORREF>(Colour); }, 2000);
    }
    void Click(TsfSkinForm* C, const TsfActiveSkinObject* O, int X, int Y)
    {
        MovePointer(ScreenPoint(C, O, X, Y));
        LeftButton(true);
        Pump();
        LeftButton(false);
        Pump();
    }
    TObjectsTestSkin FSkin;
};

}  // namespace frameobjects
