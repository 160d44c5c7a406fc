#include "shell/win/CanvasInput.h"

#include <algorithm>
#include <cmath>

#include "Component/Raster32/Ras32_ImageCore.h"
#include "Component/Raster32/win/Ras32_GDI.h"
#include "Component/Raster32/win/Ras32_Image.h"
#include "document/ImageSelection.h"
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
    TPaintStage* Stage = FImage.PaintStages()->Insert(2);
    Stage->DsgnTime = false;
    Stage->RunTime = true;
    Stage->Stage = PST_CUSTOM;
    Stage->Parameter = 0;
    FImage.OnPaintStage = [this](TObject* S, TBitmap32* Buffer, Cardinal StageNum) {
        ImagePaintStage(S, Buffer, StageNum);
    };
    FImage.OnMouseLeave = [this](TObject* S) { ImageMouseLeave(S); };
}

TCanvasInput::~TCanvasInput()
{
    if (FHookInstalled) Application->OnMessage = FPreviousHook;
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

void TCanvasInput::ImagePaintStage(TObject*, TBitmap32* Buffer, Cardinal StageNum)
{
    TImageDraw* Doc = FLive();
    if (StageNum != 2 || !Doc || !Buffer) return;
    const TRect B = FImage.GetBitmapRect();
    const TRect R{std::max(B.Left, 0), std::max(B.Top, 0), std::min(B.Right, Buffer->Width()),
                  std::min(B.Bottom, Buffer->Height())};
    if (R.Right <= R.Left || R.Bottom <= R.Top) return;
    if (!Doc->CanvasTransparent()) {
        Buffer->FillRectS(R, Doc->CanvasColor() | 0xFF000000);
        return;
    }
    // The squares keep their places on the picture while it scrolls.
    constexpr Integer Square = 8;
    for (Integer y = R.Top; y < R.Bottom; y += Square - ((y - B.Top) % Square))
        for (Integer x = R.Left; x < R.Right; x += Square - ((x - B.Left) % Square)) {
            const bool Light = (((x - B.Left) / Square) + ((y - B.Top) / Square)) % 2 == 0;
            Buffer->FillRectS(x, y, std::min(x + Square - (x - B.Left) % Square, R.Right),
                              std::min(y + Square - (y - B.Top) % Square, R.Bottom), Light ? 0xFFFFFFFF : 0xFFCCCCCC);
        }
}

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

// ---------------------------------------------------------------------------
// Keys

void TCanvasInput::InstallKeyHook(void* MainWindow)
{
    FMainWindow = MainWindow;
    if (FHookInstalled) return;
    FPreviousHook = Application->OnMessage;
    Application->OnMessage = [this](MSG& Msg, bool& Handled) {
        if (FPreviousHook) FPreviousHook(Msg, Handled);
        if (!Handled) EditorKeyHook(Msg, Handled);
    };
    FHookInstalled = true;
}

void TCanvasInput::EditorKeyHook(MSG& Msg, bool& Handled)
{
    const Word Key = static_cast<Word>(Msg.wParam);
    const bool IsModifier = Key == CanvasKey::Shift || Key == CanvasKey::Ctrl || Key == CanvasKey::Alt;
    if (Msg.message == WM_KEYUP || Msg.message == WM_SYSKEYUP) {
        if (IsModifier) FCore.SetModifierKeyState(Key, false);
        return;
    }
    if (Msg.message != WM_KEYDOWN && Msg.message != WM_SYSKEYDOWN) return;
    TImageDraw* Doc = Document();
    const HWND Main = static_cast<HWND>(FMainWindow);
    TCanvasKeyState S;
    S.Focused = FImage.HandleAllocated() && GetFocus() == FImage.Handle();
    S.MainIsTarget = Main && (Msg.hwnd == Main || IsChild(Main, Msg.hwnd));
    // A modal window disables the main one while it is up.
    S.ModalUp = Main && !IsWindowEnabled(Main);
    S.Ctrl = GetKeyState(VK_CONTROL) < 0;
    S.Shift = GetKeyState(VK_SHIFT) < 0;
    S.ModifierHeld = (Key == CanvasKey::Shift && FCore.PressSht()) || (Key == CanvasKey::Ctrl && FCore.PressCtl()) ||
                     (Key == CanvasKey::Alt && FCore.PressAlt());
    if (Doc) {
        S.CropExists = Doc->CropExists();
        S.ObjectsSelected = Doc->ObjectSelectedCount() > 0;
        S.SelectionExists = Doc->SelectionExists();
        S.SelectionCreating = S.SelectionExists && Doc->ShapeCreating();
    }
    S.CropEnabled = OnCropEnabled ? OnCropEnabled() : (Doc && Doc->CropEnabled());
    S.SaveEnabled = OnSaveEnabled ? OnSaveEnabled() : Doc != nullptr;
    S.ClipboardHasBitmap = IsClipboardFormatAvailable(CF_BITMAP) || IsClipboardFormatAvailable(CF_DIB);
    RunKeyAction(DecideCanvasKey(Key, S), Key);
    if (CanvasKeyHandled(S)) Handled = true;
}

void TCanvasInput::RunKeyAction(TCanvasKeyAction Action, Word Key)
{
    using A = TCanvasKeyAction;
    TImageDraw* Doc = Document();
    switch (Action) {
        case A::None: return;
        case A::Modifier: FCore.SetModifierKeyState(Key, true); return;
        case A::MoveObjects:
            if (!Doc) return;
            if (TImgSelection* Sel = Doc->SelectionExists() ? Doc->SelectionShape() : nullptr)
                Sel->SetUseMoveSelection(FCore.Tool.Type == shSelection && FCore.Tool.StyleId == TSelectionStyle::Move);
            Doc->MoveShapeByArrowKey(Key);
            Doc->Draw();
            Doc->SaveUndo();
            return;
        case A::DeleteLastPoint:
            if (TImgSelection* Sel = Doc ? Doc->SelectionShape() : nullptr) {
                Sel->DeleteLastPoint();
                Doc->Draw();
            }
            return;
        case A::DropSelection:
            if (Doc && Doc->DeleteSelectionCropShape(true)) {
                Doc->SaveUndo();
                Doc->Draw();
            }
            return;
        case A::FillSelection:
            if (!Doc) return;
            // The fill covers the whole selection whatever point it starts at.
            Doc->Fill(0, 0, OnSelectionFillColor ? OnSelectionFillColor() : 0);
            Doc->SaveUndo();
            Doc->Draw();
            return;
        default:
            if (OnKeyCommand) OnKeyCommand(Action);
            return;
    }
}
