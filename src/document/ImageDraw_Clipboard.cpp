// The document's clipboard commands: copying, cutting and pasting objects,
// selected pixels and pictures through the program-wide clipboards and the
// system clipboard; the property template; making the raster the original.
#include "document/ImageClipboard.h"
#include "document/ImageDraw.h"
#include "document/ObjectRows.h"
#include "document/ImageSelection.h"
#include "document/ImageSmall.h"
#include "document/ImageText.h"

using namespace ImageDrawRows;

namespace {
namespace Col {
constexpr Integer Left = 10, Top = 11;
}

// The picture object a pasted picture becomes: its row with the picture's
// rectangle and centre filled in.
String PastedPictureRow(Integer X, Integer Y, Integer W, Integer H)
{
    const String CX = FloatToCellText(X + W / 2.0, 6), CY = FloatToCellText(Y + H / 2.0, 6);
    return u"0,8,,,,,,,,," + IntToStr(X) + u"," + IntToStr(Y) + u"," + IntToStr(X + W) + u"," + IntToStr(Y + H) +
           u",,,255,,,0,,,,,0," + CX + u"," + CY +
           u",-1,-1,-1,-1,-1,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,45,3,0,3,0,175,,,,,0,0,0,0,0,175,66,,,,"
           u"26367/65535/26367,100/100/100,0/0.5/1,,,0,45,,,0";
}

std::unique_ptr<TCustomBitmap32> CopyOf(TCustomBitmap32& Src)
{
    auto B = std::make_unique<TCustomBitmap32>();
    B->Assign(&Src);
    return B;
}

// Src blended over Background (made opaque): what the system clipboard
// gets, since its readers ignore alpha.
void PutOverBackground(TCustomBitmap32& Src, TColor32 Background)
{
    TCustomBitmap32 B;
    B.SetSize(Src.Width(), Src.Height());
    B.Clear(Background | 0xFF000000);
    const TDrawMode Mode = Src.DrawMode();
    const TCombineMode Combine = Src.CombineMode();
    Src.SetDrawMode(dmBlend);
    Src.SetCombineMode(cmMerge);
    B.Draw(0, 0, &Src);
    Src.SetDrawMode(Mode);
    Src.SetCombineMode(Combine);
    SystemClipboard().SetBitmap(B);
}
}  // namespace

void TImageDraw::CopyShape()
{
    StoreShapeGeometry();
    TDataTable& Board = ObjectClipboard();
    Board.Clear();
    for (Integer i = 0; i < FDT->ItemCount(); ++i) {
        TRow* Row = FDT->GetItem(i);
        TImgShape* S = RowShape(Row);
        // A crop frame or selection pasted elsewhere would no longer be the
        // top row, where the document looks for it.
        if (!S || !S->Selected() || S->ShapeType() == shCrop || S->ShapeType() == shSelection) continue;
        auto Copy = std::make_unique<TRow>();
        Copy->CopyFrom(Row);
        if (auto* Picture = dynamic_cast<TImgSmall*>(S)) Copy->Data2().Own(CopyOf(*Picture->SrcBmp()));
        Board.AddItem(std::move(Copy));
    }
    SetImageClipboard(nullptr);
}

void TImageDraw::CutShape()
{
    CopyShape();
    DeleteShapes();
}

bool TImageDraw::GetPasteEnabled() const
{
    return ObjectClipboard().ItemCount() > 0 || SystemClipboard().HasBitmap() || ImageClipboard();
}

void TImageDraw::Paste(Integer X, Integer Y, TCustomBitmap32* ABmp, bool IsFromClipboard, bool IsCenterXY)
{
    TDataTable& Board = ObjectClipboard();
    // What is pasted becomes the selection: the objects selected before
    // would otherwise move, change or be deleted with it.
    auto UnselectObjects = [this] {
        for (Integer i = 0; i < FDT->ItemCount(); ++i) {
            TImgShape* S = RowShape(FDT->GetItem(i));
            if (S && S->Selected() && S->ShapeType() != shCrop && S->ShapeType() != shSelection) S->UnSelect();
        }
    };
    if (Board.ItemCount() > 0 && !ABmp && !IsFromClipboard) {
        UnselectObjects();
        Integer MinL = IntOf(*Board.GetItem(0), Col::Left), MinT = IntOf(*Board.GetItem(0), Col::Top);
        for (Integer i = 1; i < Board.ItemCount(); ++i) {
            MinL = Min(MinL, IntOf(*Board.GetItem(i), Col::Left));
            MinT = Min(MinT, IntOf(*Board.GetItem(i), Col::Top));
        }
        for (Integer i = 0; i < Board.ItemCount(); ++i) {
            TRow* Row = Board.GetItem(i);
            auto Copy = std::make_unique<TRow>();
            Copy->CopyFrom(Row);
            CreateShapeFromRow(std::move(Copy), ClipboardRowPicture(*Row), X - MinL, Y - MinT);
        }
    } else {
        std::unique_ptr<TCustomBitmap32> Picture;
        if (ABmp) Picture = CopyOf(*ABmp);
        else if (IsFromClipboard || !ImageClipboard()) Picture = SystemClipboard().GetBitmap();
        else Picture = CopyOf(*ImageClipboard());
        if (!Picture || Picture->Empty()) return;
        UnselectObjects();
        // The picture object takes the pixels as they are.
        Picture->SetDrawMode(dmOpaque);
        const Integer W = Picture->Width(), H = Picture->Height();
        if (IsCenterXY) {
            X -= W / 2;
            Y -= H / 2;
        }
        CreateShapeAuto(PastedPictureRow(X, Y, W, H), Picture.get(), 0, 0);
    }
    SetChanged(true);
    ShapeSelectStateChanged(true);
}

TRect TImageDraw::CopySelection(bool bMerged)
{
    TImgSelection* Sel = SelectionShape();
    if (!Sel) return TRect{};
    TRect Result{};
    std::unique_ptr<TCustomBitmap32> Made;
    TCustomBitmap32* Source = Sel->SelBitmap();
    if (!Source) {
        // Nothing for a selection wholly off the raster.
        Made = Sel->GetSelectionBitmap(Result);
        if (!Made) return TRect{};
        Source = Made.get();
        if (bMerged) {
            TCustomBitmap32 All;
            All.SetSize(FBitmap->Width(), FBitmap->Height());
            All.Clear(0x00FFFFFF);
            DrawTo(&All, 0);
            All.SetDrawMode(dmBlend);
            All.SetCombineMode(cmMerge);
            // The region box lies where the lifted pixels start plus their margin.
            const TRect Box = Sel->RegionRect();
            Source->Draw(Sel->SelBitmapOX(), Sel->SelBitmapOY(), Box, &All);
        }
    }
    auto Copy = CopyOf(*Source);
    Copy->SetDrawMode(dmOpaque);
    Copy->SetCombineMode(cmBlend);
    SetImageClipboard(std::move(Copy));
    PutOverBackground(*Source, FCanvasColor);
    ObjectClipboard().Clear();
    return Result;
}

void TImageDraw::CutSelection()
{
    const TRect R = CopySelection(false);
    if (R.Right > R.Left && R.Bottom > R.Top) TempBmpZ_To_SrcBmp(R);
    // Lifted pixels were copied: they go, the raster under them stays.
    else if (TImgSelection* Sel = SelectionShape()) Sel->DiscardBitmap();
}

void TImageDraw::DeleteSelection()
{
    TImgSelection* Sel = SelectionShape();
    if (!Sel) return;
    // Lifted pixels float above the raster, their hole already made: they
    // are what is deleted, and the raster under them is left alone.
    if (Sel->DiscardBitmap()) return;
    TRect R;
    // Only its work bitmaps are wanted: the remainder goes into the raster
    // (nothing for a selection wholly off it).
    if (Sel->GetSelectionBitmap(R)) TempBmpZ_To_SrcBmp(R);
}

void TImageDraw::CopyImage()
{
    auto Copy = CopyOf(*FBitmap);
    Copy->SetDrawMode(dmOpaque);
    SetImageClipboard(std::move(Copy));
    ObjectClipboard().Clear();
}

void TImageDraw::CopyImageToClipboard(bool bMerged)
{
    SystemClipboard().Clear();
    if (bMerged) {
        PutOverBackground(*FBitmap, FCanvasColor);
        FBitmap->SetCombineMode(cmBlend);
    } else {
        PutOverBackground(*FSrcBmp, FCanvasColor);
        FSrcBmp->SetDrawMode(dmOpaque);
        FSrcBmp->SetCombineMode(cmBlend);
    }
}

void TImageDraw::CopySmallToClipboard()
{
    auto* Picture = dynamic_cast<TImgSmall*>(FCurrentShape);
    if (!Picture) return;
    Picture->DrawPrepare();
    if (Picture->TmpBmp()->Empty()) return;
    PutOverBackground(*Picture->TmpBmp(), 0xFFFFFFFF);
}

void TImageDraw::CopyText(const String& S) { SystemClipboard().SetText(S); }

void TImageDraw::CopyProperty()
{
    const Integer Index = IndexOfShapeId(FShapeId);
    if (FShapeId < 0 || Index < 0) return;
    const TRow& Row = *FDT->GetItem(Index);
    // The style panels change the objects, not their rows.
    StoreShapeGeometry();
    FCopyProp->CopyFrom(&Row);
    FCopyProp->SetTag(IntOf(Row, ObjCol::Kind));
}

bool TImageDraw::GetPastePropEnabled() const
{
    if (FCopyProp->ItemCount() == 0) return false;
    bool Any = false;
    for (Integer i = 0; i < FDT->ItemCount(); ++i) {
        TImgShape* S = RowShape(FDT->GetItem(i));
        if (!S || !S->Selected()) continue;
        if (S->ShapeType() != FCopyProp->Tag()) return false;
        Any = true;
    }
    return Any;
}

namespace {
// The groups of the property template, as PasteProperty's modes number them.
void PasteGroup(TImgShape& S, const TRow& T, Integer Group)
{
    const Integer Cells = T.ItemCount();
    switch (Group) {
    case 1:
        S.SetColor(IntOf(T, 14));
        S.SetIsOutline(BoolOf(T, 20));
        break;
    case 2: S.SetOutWidth(IntOf(T, 18)); break;
    case 3: S.SetPenStyle(IntOf(T, 22)); break;
    case 4:
        S.SetFillColor(IntOf(T, 15));
        S.SetIsFill(BoolOf(T, 21));
        break;
    case 5: S.SetOpacity(IntOf(T, 16)); break;
    case 6:
        S.SetShadowMode(IntOf(T, 27));
        if (Cells <= 70) break;
        S.SetShadowAngle(IntOf(T, 70));
        S.SetShadowDistance(IntOf(T, 71));
        S.SetShadowZoomValue(IntOf(T, 72));
        S.SetShadowBlurSize(IntOf(T, 73));
        S.SetShadowColor(IntOf(T, 74));
        S.SetShadowOpacity(IntOf(T, 75));
        S.SetShadowInner(BoolOf(T, 76));
        break;
    case 7:
        S.SetReflectMode(IntOf(T, 28));
        if (Cells <= 80) break;
        S.SetReflectDistance(IntOf(T, 81));
        S.SetReflectBlurSize(IntOf(T, 83));
        S.SetReflectOpacity(IntOf(T, 85));
        S.SetReflectHeight(IntOf(T, 86));
        break;
    case 8:
        S.SetGradientMode(IntOf(T, 29));
        if (Cells <= 90) break;
        S.SetGradientColor(TextOf(T, 90));
        S.SetGradientOpacity(TextOf(T, 91));
        S.SetGradientPosition(TextOf(T, 92));
        S.SetGradientFillMode(IntOf(T, 95));
        S.SetGradientLinearAngle(IntOf(T, 96));
        S.SetGradientEdgingWidth(IntOf(T, 98));
        S.SetGradientHatchMode(IntOf(T, 87));
        S.SetGradientHatchForeColor(IntOf(T, 88));
        S.SetGradientHatchBackColor(IntOf(T, 89));
        S.SetGradientTextureFileName(TImageDraw::ConvertCellEscapes(TextOf(T, 97), true));
        S.SetGradientGammaCorrected(BoolOf(T, 99));
        break;
    default: break;
    }
}
}  // namespace

void TImageDraw::PasteProperty(Integer Mode)
{
    if (FCopyProp->ItemCount() == 0) return;
    for (Integer i = 0; i < FDT->ItemCount(); ++i) {
        TImgShape* S = RowShape(FDT->GetItem(i));
        if (!S || !S->Selected()) continue;
        if (Mode == 0)
            for (Integer Group = 1; Group <= 8; ++Group) PasteGroup(*S, *FCopyProp, Group);
        else PasteGroup(*S, *FCopyProp, Mode);
        // All of it on a text or callout also carries the font and text
        // style, never the text itself.
        if (auto* T = dynamic_cast<TImgText*>(S); T && Mode == 0) T->ReadTextColumns(*FCopyProp);
        S->SetChanged2(true);
    }
    SetChanged(true);
}

void TImageDraw::SrcBmpToOriBmp()
{
    {
        auto Lock = LockOriBmp();
        FOriBmp->Assign(FSrcBmp.get());
        FOriBmpThumbChanged = true;
    }
    SetChanged(false);
    SetText(*FDT->PropertyRow(), ObjProp::OriFileName, String());
    if (OnOriBmpChanged) OnOriBmpChanged(this);
}
