#include "shell/win/CanvasInput.h"

#include <cmath>

#include "Component/Raster32/win/Ras32_Image.h"
#include "framework/controls/win/Forms.h"

TCanvasInput::TCanvasInput(TImgView32& AImage, std::function<TImageDraw*()> ALive)
    : FImage(AImage), FLive(std::move(ALive))
{
    FImage.OnMouseDown = [this](TObject* S, TMouseButton B, TShiftState Sh, Integer X, Integer Y, TCustomLayer* L) {
        ImageMouseDown(S, B, Sh, X, Y, L);
    };
    FImage.OnMouseMove = [this](TObject* S, TShiftState Sh, Integer X, Integer Y, TCustomLayer* L) {
        ImageMouseMove(S, Sh, X, Y, L);
    };
    FImage.OnMouseUp = [this](TObject* S, TMouseButton B, TShiftState Sh, Integer X, Integer Y, TCustomLayer* L) {
        ImageMouseUp(S, B, Sh, X, Y, L);
    };
    FImage.OnDblClick = [this](TObject* S) { ImageDblClick(S); };
    FImage.OnMouseLeave = [this](TObject* S) { ImageMouseLeave(S); };
}

void TCanvasInput::ImageMouseDown(TObject*, TMouseButton Button, TShiftState Shift, Integer X, Integer Y,
                                  TCustomLayer*)
{
    FCore.MouseDown(Button, Shift, X, Y);
}

void TCanvasInput::ImageMouseMove(TObject*, TShiftState Shift, Integer X, Integer Y, TCustomLayer*)
{
    // Moves that queued up behind a slow step are dropped: only the newest
    // position matters to a drag.
    MSG Newer;
    if (PeekMessageW(&Newer, FImage.Handle(), WM_MOUSEMOVE, WM_MOUSEMOVE, PM_NOREMOVE)) return;
    FCore.MouseMove(Shift, X, Y);
}

void TCanvasInput::ImageMouseUp(TObject*, TMouseButton Button, TShiftState Shift, Integer X, Integer Y, TCustomLayer*)
{
    FCore.MouseUp(Button, Shift, X, Y);
}

void TCanvasInput::ImageDblClick(TObject*) { FCore.DblClick(); }

void TCanvasInput::ImageMouseLeave(TObject*) { FCore.MouseLeave(); }

// ---------------------------------------------------------------------------

TCanvasViewGeometry TCanvasInput::ViewGeometry()
{
    return {FImage.OffsetHorz(), FImage.OffsetVert(), FImage.ScaleX(), FImage.GetBitmapRect()};
}

void TCanvasInput::FocusCanvas()
{
    if (FImage.CanFocus()) FImage.SetFocus();
}

void TCanvasInput::SetAutoScroll(bool Enabled)
{
    if (OnAutoScroll) OnAutoScroll(Enabled);
}

void TCanvasInput::ShowNoStampSource()
{
    if (OnNoStampSource) OnNoStampSource();
}

void TCanvasInput::PopupEditMenu(Integer X, Integer Y)
{
    if (OnPopupEditMenu) OnPopupEditMenu(X, Y);
}

void TCanvasInput::ScrollViewBy(Integer DX, Integer DY) { FImage.Scroll(DX, DY); }

bool TCanvasInput::ZoomClickAllowed() { return OnZoomClickAllowed ? OnZoomClickAllowed() : true; }

void TCanvasInput::ZoomClick(bool ZoomIn, Integer X, Integer Y)
{
    if (OnZoomClick) OnZoomClick(ZoomIn, X, Y);
}

void TCanvasInput::SetCanvasCursor(TCursor Cursor)
{
    FImage.SetCursor(Cursor);
    // The view shows the new cursor at once while the pointer is over it,
    // not only on the next move.
    if (!FImage.HandleAllocated()) return;
    POINT P;
    GetCursorPos(&P);
    ScreenToClient(FImage.Handle(), &P);
    RECT R;
    GetClientRect(FImage.Handle(), &R);
    if (PtInRect(&R, P)) ::SetCursor(Screen->Cursors(Cursor));
}

void TCanvasInput::ShowPointer(const String& XY, const String& ARGB)
{
    if (OnShowPointer) OnShowPointer(XY, ARGB);
}

bool TCanvasInput::ShowPixelValue() { return OnShowPixelValue && OnShowPixelValue(); }

void TCanvasInput::DrawRulers(bool Full)
{
    if (OnDrawRulers) OnDrawRulers(Full);
}

void TCanvasInput::LoadToolProperties()
{
    if (OnLoadToolProperties) OnLoadToolProperties();
}

bool TCanvasInput::SelectionAntialiasing() { return OnSelectionAntialiasing && OnSelectionAntialiasing(); }

void TCanvasInput::WandOptions(Integer& Tolerance, bool& Continuous)
{
    if (OnWandOptions) OnWandOptions(Tolerance, Continuous);
}

void TCanvasInput::GradientDo()
{
    if (OnGradientDo) OnGradientDo();
}

void TCanvasInput::ApplyCanvasDrag()
{
    if (OnApplyCanvasDrag) OnApplyCanvasDrag();
}

void TCanvasInput::FocusTextBox()
{
    if (OnFocusTextBox) OnFocusTextBox();
}

void TCanvasInput::ReleaseAddNodeButton(TShapeType Tool)
{
    if (OnReleaseAddNodeButton) OnReleaseAddNodeButton(Tool);
}
