// The document on a real image view in a shown form (Wine on an X display):
// a 200 x 100 grey canvas whose raster the view shows.
#pragma once

#include "../../framework/controls/win/GuiTest.h"

#include <memory>

#include "document/win/ImageDraw_Win.h"

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
    // Where the left button went down (image coordinates), and whether it is held.
    TPoint Press;
    bool Down = false;
};
