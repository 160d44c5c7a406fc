// The document on a real image view in a shown form (Wine on an X display):
// a 200 x 100 grey canvas whose raster the view shows.
#pragma once

#include "../../framework/controls/win/GuiTest.h"

#include <functional>
#include <memory>

#include "document/win/ImageDraw_Win.h"

// The style a painter test starts from: opaque, outline and fill in two plain
// colours, each on or off, no gradient.
inline void SetPlainStyle(TImgShape& S, TColor Outline, TColor Fill, bool IsFill, bool IsOutline, Integer Width,
                          bool Antialias)
{
    S.SetColor(Outline);
    S.SetFillColor(Fill);
    S.SetOpacity(255);
    S.SetIsFill(IsFill);
    S.SetIsOutline(IsOutline);
    S.SetOutWidth(Width);
    S.SetGradientMode(-1);
    S.SetAntialias(Antialias);
}

class DocumentOnView : public guitest::FormTest {
protected:
    void SetUp() override
    {
        InstallImageDrawHooks();
        Form = NewForm(50, 50, 400, 300);
        ShowAndWait(Form);
        View = new TImgView32(Form);
        View->SetParent(Form);
        View->SetBounds(0, 0, 317, 217);
        guitest::Pump();
        Adapter = std::make_unique<TImgViewDrawView>(View);
        Doc = std::make_unique<TImageDraw>(Adapter.get(), nullptr, nullptr, nullptr, nullptr, String(), 0, false,
                                           false, nullptr, 200, 100, 0x808080, false, 24);
        Doc->InitBitmap();
        View->Bitmap()->Draw(0, 0, Doc->SrcBmp());
    }
    // Composes, lets the view repaint and finds its client area on the screen.
    void Show()
    {
        Doc->Draw();
        View->Invalidate();
        RedrawWindow(View->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        guitest::Pump();
        POINT P{0, 0};
        ClientToScreen(View->Handle(), &P);
        Origin = TPoint{P.x, P.y};
    }
    // A drag with the left button between two image points, the pointer
    // moved by the system's own input; the fixture's mouse handlers keep
    // Down set while the button is held.
    void Drag(TPoint From, TPoint To)
    {
        guitest::MovePointer(View->ClientToScreen(View->BitmapToControl(From)));
        guitest::LeftButton(true);
        ASSERT_TRUE(guitest::PumpUntil([&] { return Down; }));
        const TPoint Half{(From.X + To.X) / 2, (From.Y + To.Y) / 2};
        for (TPoint P : {Half, To}) guitest::MovePointer(View->ClientToScreen(View->BitmapToControl(P)));
        guitest::LeftButton(false);
        ASSERT_TRUE(guitest::PumpUntil([&] { return !Down; }));
    }
    // A row of default properties for every kind of object, which the
    // document reads from now on: Kind's row, for the case to set its cells.
    TRow* DefaultsFor(TShapeType Kind)
    {
        Defaults.AddItem(String(99, u','));
        for (Integer k = 1; k < ShapeTypeCount; ++k) Defaults.AddItem(Defaults.GetItem(0), true);
        Doc->SetPropDT(&Defaults);
        return Defaults.GetItem(Kind);
    }
    // The view's mouse wired as the main window wires it: a press notes its
    // image point in Press and calls OnPress (which starts an object, or
    // picks one and sets Moving); while the button is held the object moves
    // or is drawn out from Press; the release finishes it.
    void WireObjectMouse(std::function<void(TShiftState Shift, Integer X, Integer Y)> OnPress)
    {
        View->OnMouseDown = [this, OnPress](TObject*, TMouseButton, TShiftState Shift, Integer X, Integer Y,
                                            TCustomLayer*) {
            Press = View->ControlToBitmap(TPoint{X, Y});
            OnPress(Shift, X, Y);
            Down = true;
        };
        View->OnMouseMove = [this](TObject*, TShiftState, Integer X, Integer Y, TCustomLayer*) {
            if (!Down) return;
            const TPoint P = View->ControlToBitmap(TPoint{X, Y});
            if (Moving) Doc->MoveShape(Press.X, Press.Y, P.X, P.Y);
            else Doc->DrawShape(Press.X, Press.Y, P.X, P.Y);
            View->Bitmap()->Changed();
        };
        View->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, Integer, Integer, TCustomLayer*) {
            Down = false;
            if (Doc->ShapeCreating()) Doc->CreateShapeOver(false);
            else Doc->AdjustShapeOver();
            Doc->Draw();
            View->Bitmap()->Changed();
        };
    }
    // The window's own painting into Dib, and its pixel at an image point.
    void Paint(guitest::TDib& Dib)
    {
        View->Invalidate();
        View->Perform(WM_PAINT, reinterpret_cast<WPARAM>(Dib.DC()), 0);
    }
    COLORREF PaintedAt(guitest::TDib& Dib, TPoint P)
    {
        const TPoint C = View->BitmapToControl(P);
        return Dib.Pixel(C.X, C.Y);
    }
    // A pixel of the view's client area, read from the screen.
    COLORREF At(Integer X, Integer Y) const { return guitest::ScreenPixel(Origin.X + X, Origin.Y + Y); }
    COLORREF At(const TPoint& P) const { return At(P.X, P.Y); }
    // A pixel as TDib and the screen read it (0xRRGGBB) is the red the
    // objects are filled with: blended at full opacity it may be a step off.
    static bool IsRed(COLORREF C) { return (C >> 16) >= 0xFE && (C & 0xFFFF) <= 0x0101; }

    void TearDown() override
    {
        Doc.reset();
        FormTest::TearDown();
    }

    TForm* Form = nullptr;
    TImgView32* View = nullptr;
    std::unique_ptr<TImgViewDrawView> Adapter;
    std::unique_ptr<TImageDraw> Doc;
    TPoint Origin;
    // Where the left button went down (image coordinates), whether it is
    // held, and whether the press picked an object to move.
    TPoint Press;
    bool Down = false;
    bool Moving = false;
    TDataTable Defaults;
};
