#include "shell/win/OpenFileStrip.h"

#include "Component/Raster32/win/Ras32_Image.h"
#include "dialogs/win/MakeThumbThread.h"
#include "foundation/HyDataTable.h"
#include "foundation/win/Global_Helpers_Win.h"
#include "shell/OpenDocumentsCore.h"
#include "shell/OpenFileStripCore.h"
#include "shell/win/OpenFileForm.h"
#include "framework/controls/win/Hints.h"
#include "framework/graphics/win/Graphics.h"
#include "framework/controls/win/Menus.h"
#include "skin/controls/SkinClock.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinScrollBar.h"
#include "skin/frame/win/SkinMenus.h"

namespace C = OpenFileCol;
namespace S = OpenFileStrip;

namespace {

// The close glyph (a cross) and the modified mark (a dot), drawn blended.
std::unique_ptr<TBitmap32> CloseGlyph()
{
    auto B = std::make_unique<TBitmap32>();
    B->SetSize(11, 10);
    B->Clear(0);
    for (Integer I = 0; I < 8; ++I) {
        B->SetPixel(1 + I, 1 + I, 0xFF404040), B->SetPixel(2 + I, 1 + I, 0xFF404040);
        B->SetPixel(8 - I, 1 + I, 0xFF404040), B->SetPixel(9 - I, 1 + I, 0xFF404040);
    }
    B->SetDrawMode(dmBlend);
    return B;
}

std::unique_ptr<TBitmap32> ModifiedGlyph()
{
    auto B = std::make_unique<TBitmap32>();
    B->SetSize(8, 8);
    B->Clear(0);
    for (Integer Y = 0; Y < 8; ++Y)
        for (Integer X = 0; X < 8; ++X)
            if ((X * 2 - 7) * (X * 2 - 7) + (Y * 2 - 7) * (Y * 2 - 7) <= 49) B->SetPixel(X, Y, 0xFFE07000);
    B->SetDrawMode(dmBlend);
    return B;
}

bool Cell(TRow& R, Integer I) { return R.GetItem(I)->AsBool(); }

// The expand button's arrow, pointing up or down, on the transparent magenta.
std::unique_ptr<TBitmap> ExpandGlyph(bool Up)
{
    auto B = std::make_unique<TBitmap>();
    B->SetSize(9, 5);
    B->Canvas()->Brush()->SetColor(clFuchsia);
    B->Canvas()->FillRect(TRect{0, 0, 9, 5});
    for (Integer Row = 0; Row < 5; ++Row)
        for (Integer X = Row; X < 9 - Row; ++X) B->Canvas()->SetPixels(X, Up ? 4 - Row : Row, TColor(0x404040));
    return B;
}

}  // namespace

TOpenFileStrip::TOpenFileStrip(TWinControl* Box, TDataTable& Table)
    : FBox(Box), FTable(Table), FBitmap_OpenFileClose(CloseGlyph()), FBitmap_OpenFileEdit(ModifiedGlyph())
{
    FWorker = std::make_unique<TMakeThumbThread>();
    FWorker->FGetThumbInfo = [this](Integer& T, Integer& ST, String& F, TBitmap32*& B, TBitmap32*& M, TRow*& R,
                                    Integer& W, Integer& H, bool& OK) {
        GetOpenFileThumbInfo(T, ST, F, B, M, R, W, H, OK);
    };
    FWorker->FSetThumbInfo = [this](Integer W, Integer H, TBitmap32* D) { SetOpenFileThumbInfo(W, H, D); };
    FWorker->Start();

    TComponent* Owner = FBox->Owner() ? FBox->Owner() : FBox;
    pmOpenFile = new TsfSkinPopupMenu(Owner);
    muOpenFileClose = new TMenuItem(pmOpenFile);
    muOpenFileClose->OnClick = [this](TObject*) {
        if (OnClose) OnClose(FPopupIndex);
    };
    pmOpenFile->Items()->Add(muOpenFileClose);
    muOpenFileDelete = new TMenuItem(pmOpenFile);
    muOpenFileDelete->OnClick = [this](TObject*) {
        if (OnDelete) OnDelete(FPopupIndex);
    };
    pmOpenFile->Items()->Add(muOpenFileDelete);
    Hint1 = new TBalloonHint(FBox);
    FBox->OnDragOver = [this](TObject* Sd, TObject* Src, Integer X, Integer Y, TDragState St, bool& A) {
        boxOpenFileDragOver(Sd, Src, X, Y, St, A);
    };
}

TOpenFileStrip::~TOpenFileStrip()
{
    SkinClock()->StopTimers(this);
    StopWorker();
    FBox->OnDragOver = nullptr;
    delete FPreview;
}

void TOpenFileStrip::AfterClose(Integer Index, bool Hover)
{
    if (Hover && Index >= 0 && Index < FTable.ItemCount() && Index < TileCount())
        OpenFileTileMouseEnter(FOpenFileBox[Index]);
    if (FTable.ItemCount() == 1) Hint1->HideHint();
}

void TOpenFileStrip::StopWorker()
{
    if (FWorker) FWorker->Stop();
}

Integer TOpenFileStrip::IndexOf(TObject* Sender) const
{
    for (Integer I = 0; I < TileCount(); ++I)
        if (FOpenFileBox[I] == Sender) return I;
    return -1;
}

void TOpenFileStrip::CreateOpenFileTiles()
{
    while (TileCount() < FTable.ItemCount()) {
        auto* T = new TPaintBox32(FBox);
        T->SetParent(FBox);
        T->SetBufferOversize(0);
        T->SetBounds(0, 0, S::TileWidth, S::TileHeight);
        T->SetTag(TileCount());
        T->SetVisible(false);
        T->OnMouseEnter = [this](TObject* Sd) { OpenFileTileMouseEnter(Sd); };
        T->OnMouseLeave = [this](TObject* Sd) { OpenFileTileMouseLeave(Sd); };
        T->OnMouseMove = [this](TObject* Sd, TShiftState Sh, Integer X, Integer Y) { OpenFileTileMouseMove(Sd, Sh, X, Y); };
        T->OnMouseDown = [this](TObject* Sd, TMouseButton B, TShiftState Sh, Integer X, Integer Y) {
            OpenFileTileMouseDown(Sd, B, Sh, X, Y);
        };
        T->OnDblClick = [this](TObject* Sd) { OpenFileTileDblClick(Sd); };
        T->OnDragOver = [this](TObject* Sd, TObject* Src, Integer X, Integer Y, TDragState St, bool& A) {
            OpenFileTileDragOver(Sd, Src, X, Y, St, A);
        };
        T->OnEndDrag = [this](TObject* Sd, TObject* Tg, Integer X, Integer Y) { OpenFileTileEndDrag(Sd, Tg, X, Y); };
        T->OnPaintBuffer = [this](TObject* Sd) { DrawOpenFileTiles(IndexOf(Sd)); };
        FOpenFileBox.push_back(T);
    }
}

void TOpenFileStrip::SetSidePanel(TWinControl* Side)
{
    FExpandUp = ExpandGlyph(true);
    FExpandDown = ExpandGlyph(false);
    sbOpenFileExpand = new TsfSkinSpeedButton(Side);
    sbOpenFileExpand->SetParent(Side);
    sbOpenFileExpand->SetBounds(2, 2, 18, 18);
    sbOpenFileExpand->SetGlyph(FExpandUp.get());
    sbOpenFileExpand->SetVisible(false);
    sbOpenFileExpand->OnClick = [this](TObject*) { sbOpenFileExpandClick(); };
    ScrollBar2 = new TsfSkinScrollBar(Side);
    ScrollBar2->SetParent(Side);
    ScrollBar2->SetKind(sbVertical);
    ScrollBar2->SetBounds(Side->ClientWidth() - GetSystemMetrics(SM_CXVSCROLL), 0, GetSystemMetrics(SM_CXVSCROLL),
                          Side->ClientHeight());
    ScrollBar2->SetAnchors(akTop | akRight | akBottom);
    ScrollBar2->SetSmallChange(S::PitchY);
    ScrollBar2->SetLargeChange(S::PitchY);
    ScrollBar2->SetVisible(false);
    ScrollBar2->OnChange = [this](TObject*) { SetScrollPos(ScrollBar2->Position()); };
    UpdateScrollBar();
}

void TOpenFileStrip::UpdateScrollBar()
{
    if (!ScrollBar2) return;
    const Integer Range = ScrollRange();
    if (Range > 0) ScrollBar2->SetRange(0, Range, std::min(FScrollPos, Range), 0);
    ScrollBar2->SetVisible(Range > 0);
    sbOpenFileExpand->SetVisible(Range > 0 || FExpanded);
}

void TOpenFileStrip::sbOpenFileExpandClick()
{
    TWinControl* Panel = FPanel ? FPanel : FBox;
    FExpanded = !FExpanded;
    if (FExpanded)
        Panel->SetHeight(ExpandedOpenFileHeight(FTable.ItemCount(), FOpenFileColCount));
    else
        Panel->SetHeight(S::CollapsedHeight);
    sbOpenFileExpand->SetGlyph(FExpanded ? FExpandDown.get() : FExpandUp.get());
    SetScrollPos(FScrollPos);
    LayoutOpenFileTiles();
}

void TOpenFileStrip::LayoutOpenFileTiles()
{
    FOpenFileColCount = OpenFileColumns(FBox->ClientWidth() + GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CXVSCROLL));
    for (Integer I = 0; I < TileCount(); ++I) {
        const bool Shown = I < FTable.ItemCount();
        if (Shown) {
            const TRect R = OpenFileTileRect(I, FOpenFileColCount, FScrollPos);
            FOpenFileBox[I]->SetBounds(R.Left, R.Top, S::TileWidth, S::TileHeight);
        }
        FOpenFileBox[I]->SetVisible(Shown);
    }
    UpdateScrollBar();
}

void TOpenFileStrip::DrawOpenFileTiles(Integer Index)
{
    if (Index < 0) {
        CreateOpenFileTiles();
        LayoutOpenFileTiles();
        for (Integer I = 0; I < std::min(TileCount(), FTable.ItemCount()); ++I) DrawOpenFileTiles(I);
        return;
    }
    if (Index >= TileCount() || Index >= FTable.ItemCount()) return;
    TPaintBox32& Tile = *FOpenFileBox[Index];
    TBitmap32& B = *Tile.Buffer();
    B.SetSize(S::TileWidth, S::TileHeight);
    B.Clear(ColorToColor32(FBox->Color()));
    TRow& Row = *FTable.GetItem(Index);
    auto* Thumb = Row.Data().As<TBitmap32>();
    const TOpenFileTileLook L = OpenFileTileLook(
        Thumb != nullptr, Row.GetItem(C::ThumbWidth)->Value(), Row.GetItem(C::ThumbHeight)->Value(),
        Cell(Row, C::Current), Cell(Row, C::Hover), Cell(Row, C::Modified), FTable.ItemCount(),
        TPoint{FBitmap_OpenFileClose->Width(), FBitmap_OpenFileClose->Height()},
        TPoint{FBitmap_OpenFileEdit->Width(), FBitmap_OpenFileEdit->Height()});
    if (L.Highlight) DrawItemHighlight(&B, 0, 0, S::TileWidth, S::TileHeight, L.Highlight);
    if (L.Thumb) B.Draw(L.ThumbAt.X, L.ThumbAt.Y, Thumb);
    if (L.Close) B.Draw(L.CloseAt.X, L.CloseAt.Y, FBitmap_OpenFileClose.get());
    if (L.Modified) B.Draw(L.ModifiedAt.X, L.ModifiedAt.Y, FBitmap_OpenFileEdit.get());
    Tile.Invalidate();
}

void TOpenFileStrip::ResetOpenFileThumb(Integer Index)
{
    if (Index >= 0 && Index < FTable.ItemCount()) {
        FTable.GetItem(Index)->Data().Clear();
        FTable.GetItem(Index)->Data2().Clear();
    }
    if (!FWorker->Work()) FWorker->Wake();
}

void TOpenFileStrip::ScrollOpenFileIntoView(Integer Index)
{
    const Integer Pos = ::ScrollOpenFileIntoView(Index, FTable.ItemCount(), FOpenFileColCount, FScrollPos,
                                                 FBox->ClientHeight());
    if (Pos >= 0) SetScrollPos(Pos);
}

Integer TOpenFileStrip::ScrollRange() const
{
    const Integer Rows = (FTable.ItemCount() + FOpenFileColCount - 1) / FOpenFileColCount;
    return std::max(0, Rows * S::PitchY - FBox->ClientHeight());
}

void TOpenFileStrip::SetScrollPos(Integer Pos)
{
    Pos = std::max(0, std::min(Pos, std::max(ScrollRange(), FScrollPos)));
    if (Pos == FScrollPos) return;
    FScrollPos = Pos;
    if (ScrollBar2 && ScrollBar2->Position() != Pos) ScrollBar2->SimplySetPosition(Pos);
    LayoutOpenFileTiles();
}

// ---------------------------------------------------------------------------
// The mouse

void TOpenFileStrip::OpenFileTileMouseEnter(TObject* Sender)
{
    const Integer I = IndexOf(Sender);
    if (I < 0 || I >= FTable.ItemCount()) return;
    FOpenFileMouseEntered = true;
    TRow& Row = *FTable.GetItem(I);
    Row.GetItem(C::Hover)->SetAsBool(true);
    DrawOpenFileTiles(I);

    if (!FPreview) FPreview = new TfrmOpenFile(nullptr);
    TBitmap32* Picture = Row.Data2().As<TBitmap32>();
    TBitmap32* const Kept = Picture;
    String Type = Row.GetItem(C::TypeText)->Text();
    Integer Size = Row.GetItem(C::FileSize)->Value(), W = Row.GetItem(C::Width)->Value(),
            H = Row.GetItem(C::Height)->Value();
    FPreview->PaintToBox(Row.GetItem(C::FileName)->Text(), Picture, Type, Size, W, H);
    if (Picture != Kept) Row.Data2().Own(std::unique_ptr<TBitmap32>(Picture));
    Row.GetItem(C::TypeText)->SetText(Type);
    Row.GetItem(C::FileSize)->SetValue(Size);
    Row.GetItem(C::Width)->SetValue(W);
    Row.GetItem(C::Height)->SetValue(H);

    // Above the strip, centred on the tile; an open preview slides there.
    TWinControl* Panel = FPanel ? FPanel : FBox;
    const Integer Top = Panel->ClientToScreen(TPoint{0, 0}).Y - FPreview->Height() - 18;
    const Integer Target = OpenFilePreviewLeft(FOpenFileBox[I]->ClientToScreen(TPoint{0, 0}).X, FPreview->Width());
    FPreview->SetTop(Top);
    if (FPreview->Showing()) {
        SetWindowPos(FPreview->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        for (Integer L : OpenFilePreviewSlide(FPreview->Left(), Target)) FPreview->MoveLeft(L);
    } else {
        FPreview->SetLeft(std::max(Target, 0));
        SkinClock()->StartTimer(this, TimerOpenFileOpen, OpenDelay, [this] { TimerOpenFileOpenTimer(); });
    }
}

void TOpenFileStrip::TimerOpenFileOpenTimer()
{
    SkinClock()->StopTimer(this, TimerOpenFileOpen);
    if (FOpenFileMouseEntered && FPreview) FPreview->ShowPreview();
}

void TOpenFileStrip::OpenFileTileMouseLeave(TObject* Sender)
{
    Hint1->HideHint();
    const Integer I = IndexOf(Sender);
    if (I >= 0 && I < FTable.ItemCount()) {
        FTable.GetItem(I)->GetItem(C::Hover)->SetAsBool(false);
        DrawOpenFileTiles(I);
    }
    FOpenFileMouseEntered = false;
    SkinClock()->StartTimer(this, TimerOpenFileClose, CloseDelay, [this] { TimerOpenFileCloseTimer(); });
}

void TOpenFileStrip::TimerOpenFileCloseTimer()
{
    if (FOpenFileMouseEntered) return;
    if (FPreview && FPreview->Showing()) {
        POINT P;
        GetCursorPos(&P);
        const TPoint Origin = FPreview->ClientToScreen(TPoint{0, 0});
        if (P.x >= Origin.X && P.y >= Origin.Y && P.x < Origin.X + FPreview->ClientWidth() &&
            P.y < Origin.Y + FPreview->ClientHeight())
            return;
    }
    if (FPreview) FPreview->HidePreview();
    SkinClock()->StopTimer(this, TimerOpenFileOpen);
    SkinClock()->StopTimer(this, TimerOpenFileClose);
}

void TOpenFileStrip::OpenFileTileMouseMove(TObject* Sender, TShiftState, Integer X, Integer Y)
{
    if (!InOpenFileCloseArea(X, Y)) {
        if (Hint1->ShowingHint()) Hint1->HideHint();
        return;
    }
    if (Hint1->ShowingHint() || FTable.ItemCount() < 2 || CloseHint.empty()) return;
    Hint1->SetDescription(CloseHint);
    if (auto* Tile = dynamic_cast<TControl*>(Sender)) Hint1->ShowHint(Tile->ClientToScreen(TPoint{X, Y}));
}

void TOpenFileStrip::OpenFileTileDblClick(TObject*) { FDblClick = true; }

void TOpenFileStrip::OpenFileTileMouseDown(TObject* Sender, TMouseButton Button, TShiftState, Integer X, Integer Y)
{
    // The second press of a double-click neither switches again nor drags.
    if (FDblClick) {
        FDblClick = false;
        return;
    }
    if (Busy && Busy()) return;
    const Integer I = IndexOf(Sender);
    if (I < 0 || I >= FTable.ItemCount()) return;
    FOpenFileMouseEntered = false;
    TimerOpenFileCloseTimer();
    FPopupIndex = I;
    if (Button != mbLeft) {
        muOpenFileClose->SetEnabled(FTable.ItemCount() > 1);
        muOpenFileDelete->SetEnabled(FTable.ItemCount() > 1);
        POINT P;
        GetCursorPos(&P);
        pmOpenFile->Popup(P.x, P.y);
        return;
    }
    if (InOpenFileCloseArea(X, Y)) {
        if (FTable.ItemCount() > 1 && OnClose) OnClose(I);
        return;
    }
    FTable.SetRowIndex(I);
    if (!Cell(*FTable.GetItem(I), C::Current) && OnSwitch) OnSwitch(I);
    if (I >= TileCount() || I >= FTable.ItemCount()) return;
    FDragStartIndex = I;
    FDragOverIndex = FDragOverMode = -1;
    SkinClock()->StartTimer(this, TimerDragOpenFile, DragScrollDelay, [this] { TimerDragOpenFileTimer(); });
    FOpenFileBox[I]->BeginDrag(false);
}

// ---------------------------------------------------------------------------
// Reordering by drag

void TOpenFileStrip::DrawOpenFileDropMark(Integer Over, Integer Mode)
{
    // A DC of the box for this drawing only: one kept for the program's life
    // would hold a window DC the system has a few of.
    TClientDC DC(FBox->Handle());
    if (!DC.Handle()) return;
    TSolidBrush Brush(TColor(0xFFFF00));  // cyan
    TSelectedObject Selected(DC, Brush);
    for (const TRect& R : OpenFileDropMark(Over, Mode, FOpenFileColCount, FScrollPos))
        PatBlt(DC, R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top, PATINVERT);
}

void TOpenFileStrip::OpenFileTileDragOver(TObject* Sender, TObject* Source, Integer X, Integer, TDragState,
                                          bool& Accept)
{
    Accept = dynamic_cast<TPaintBox32*>(Source) != nullptr && FDragStartIndex >= 0;
    FDragAccept = Accept;
    if (!Accept) return;
    const Integer Over = IndexOf(Sender), Mode = OpenFileDropMode(X);
    if (Over == FDragOverIndex && Mode == FDragOverMode) return;
    if (FDragOverIndex >= 0 && FDragOverIndex != FDragStartIndex) DrawOpenFileDropMark(FDragOverIndex, FDragOverMode);
    FDragOverIndex = Over;
    FDragOverMode = Mode;
    if (Over != FDragStartIndex) DrawOpenFileDropMark(Over, Mode);
}

void TOpenFileStrip::boxOpenFileDragOver(TObject*, TObject* Source, Integer X, Integer Y, TDragState, bool& Accept)
{
    Accept = dynamic_cast<TPaintBox32*>(Source) != nullptr && FDragStartIndex >= 0 &&
             OpenFileBoxIndexAt(X, Y, FScrollPos, FOpenFileColCount, FTable.ItemCount()) >= 0;
    FDragAccept = Accept;
    TrackOpenFileDrag();
}

bool TOpenFileStrip::MouseInBox() const
{
    POINT P;
    GetCursorPos(&P);
    const TPoint Origin = FBox->ClientToScreen(TPoint{0, 0});
    return P.x >= Origin.X && P.y >= Origin.Y && P.x < Origin.X + FBox->ClientWidth() &&
           P.y < Origin.Y + FBox->ClientHeight();
}

void TOpenFileStrip::TrackOpenFileDrag()
{
    if (FDragStartIndex < 0 || FDragOverIndex < 0 || FDragOverIndex == FDragStartIndex) return;
    if (MouseInBox() && FDragAccept) return;
    DrawOpenFileDropMark(FDragOverIndex, FDragOverMode);
    FDragOverIndex = FDragOverMode = -1;
}

void TOpenFileStrip::TimerDragOpenFileTimer()
{
    TrackOpenFileDrag();
    if (MouseInBox() || ScrollRange() <= 0) return;
    POINT P;
    GetCursorPos(&P);
    const Integer Top = FBox->ClientToScreen(TPoint{0, 0}).Y;
    if (P.y < Top)
        SetScrollPos(FScrollPos - S::PitchY);
    else if (P.y >= Top + FBox->ClientHeight())
        SetScrollPos(FScrollPos + S::PitchY);
}

void TOpenFileStrip::OpenFileTileEndDrag(TObject*, TObject* Target, Integer X, Integer Y)
{
    SkinClock()->StopTimer(this, TimerDragOpenFile);
    if ((Target || X != 0 || Y != 0) && FDragOverIndex >= 0 && FDragStartIndex >= 0) {
        if (FDragOverIndex != FDragStartIndex) DrawOpenFileDropMark(FDragOverIndex, FDragOverMode);
        const Integer To = OpenFileDropTarget(FDragStartIndex, FDragOverIndex, FDragOverMode);
        if (To != FDragStartIndex && To >= 0 && To < FTable.ItemCount()) {
            FTable.MoveItem(FDragStartIndex, To);
            FTable.SetRowIndex(To);
            DrawOpenFileTiles(-1);
            if (OnMoved) OnMoved();
        }
    }
    FDragStartIndex = FDragOverIndex = FDragOverMode = -1;
}

// ---------------------------------------------------------------------------
// File thumbnails (handed over on this thread by the worker)

void TOpenFileStrip::GetOpenFileThumbInfo(Integer& ThumbType, Integer& ThumbSubType, String& FileName, TBitmap32*&,
                                          TBitmap32*&, TRow*& ThumbRow, Integer& ThumbWidth, Integer& ThumbHeight,
                                          bool& OK)
{
    for (Integer I = 0; I < FTable.ItemCount(); ++I) {
        TRow* R = FTable.GetItem(I);
        if (R->Data()) continue;
        FMakeOpenFileName = R->GetItem(C::FileName)->Text();
        ThumbType = 1, ThumbSubType = 99, ThumbWidth = S::ThumbWidth, ThumbHeight = S::ThumbHeight;
        ThumbRow = R;
        FileName = FMakeOpenFileName;
        OK = true;
        return;
    }
    OK = false;
}

void TOpenFileStrip::SetOpenFileThumbInfo(Integer ThumbWidth, Integer ThumbHeight, TBitmap32* D)
{
    std::unique_ptr<TBitmap32> Thumb(D);
    const Integer I = FindOpenFileRow(FTable, FMakeOpenFileName);
    if (I < 0) return;  // closed meanwhile: the picture goes
    TRow& R = *FTable.GetItem(I);
    R.GetItem(C::ThumbWidth)->SetValue(ThumbWidth);
    R.GetItem(C::ThumbHeight)->SetValue(ThumbHeight);
    Thumb->SetDrawMode(dmBlend);
    R.Data().Own(std::move(Thumb));
    DrawOpenFileTiles(I);
}
