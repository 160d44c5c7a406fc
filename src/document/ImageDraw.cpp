#include "document/ImageDraw.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "Component/Raster32/Ras32_Types.h"
#include "document/ImageCrop.h"
#include "document/ImageSmall.h"
#include "filters/HyRas32Filters.h"
#include "filters/ImageWarping.h"
#include "filters/Ras32_Filters.h"
#include "foundation/HyFileUtils.h"
#include "framework/runtime/SysUtils.h"


// ---------------------------------------------------------------------------
// TImageDraw

namespace {
// Rows and properties that a reader brought in may be shorter than the
// layout says: a missing cell reads as an empty one.
TCell* CellAt(const TRow* Row, Integer Index)
{
    return Row && Index >= 0 && Index < Row->ItemCount() ? Row->GetItem(Index) : nullptr;
}
TCell* PropAt(const TDataTable* Table, Integer Index) { return CellAt(Table->PropertyRow(), Index); }
String TextAt(const TCell* Cell) { return Cell ? Cell->Text() : String(); }
// A cell that is no number (a damaged document's) reads as 0.
Integer ValueAt(const TCell* Cell) { return Cell ? StrToIntDef(Trim(Cell->Text()), 0) : 0; }
bool BoolAt(const TCell* Cell) { return Cell && StrToBoolDef(Trim(Cell->Text()), false); }
TShapeType KindAt(const TRow* Row)
{
    Integer K = ValueAt(CellAt(Row, ObjCol::Kind));
    return K >= 0 && K < ShapeTypeCount ? static_cast<TShapeType>(K) : shNone;
}

std::unique_ptr<TCustomBitmap32> NewBitmap(Integer W = 0, Integer H = 0)
{
    auto B = std::make_unique<TCustomBitmap32>();
    if (W > 0 && H > 0) B->SetSize(W, H);
    return B;
}

std::unique_ptr<TCustomBitmap32> CopyOf(TCustomBitmap32* Src)
{
    auto B = NewBitmap();
    if (Src) B->Assign(Src);
    return B;
}

// A square of Size with a one-pixel black border.
std::unique_ptr<TCustomBitmap32> BorderedSquare(Integer Size, TColor32 Fill)
{
    auto B = NewBitmap(Size, Size);
    B->Clear(Fill);
    B->FrameRectS(0, 0, Size, Size, 0xFF000000);
    return B;
}

// Anti-aliased shape pictures: each pixel's coverage of the shape, sampled
// 4 x 4 per pixel, as the alpha of Fill; pixels within the outline band are
// black. Inside(x, y, Inset) tells whether a point lies inside the shape
// shrunk by Inset.
template <class F>
std::unique_ptr<TCustomBitmap32> AntialiasedShape(Integer W, Integer H, TColor32 Fill, F Inside)
{
    auto B = NewBitmap(W, H);
    B->Clear(0x00FFFFFF);
    B->SetDrawMode(dmBlend);
    for (Integer y = 0; y < H; ++y)
        for (Integer x = 0; x < W; ++x) {
            Integer Outer = 0, Inner = 0;
            for (Integer sy = 0; sy < 4; ++sy)
                for (Integer sx = 0; sx < 4; ++sx) {
                    Single px = x + (sx + 0.5f) / 4, py = y + (sy + 0.5f) / 4;
                    if (Inside(px, py, 0.0f)) ++Outer;
                    if (Inside(px, py, 1.0f)) ++Inner;
                }
            if (Outer == 0) continue;
            // The outline is what lies within one pixel of the edge.
            TColor32 C = Inner * 2 >= Outer ? Fill : 0xFF000000;
            B->SetPixel(x, y, (C & 0x00FFFFFF) | (static_cast<TColor32>(Outer * 255 / 16) << 24));
        }
    return B;
}

std::unique_ptr<TCustomBitmap32> Disc(TColor32 Fill)
{
    // The ellipse (0, 0, 6, 6) through the pixel centres: centre pixel
    // (3, 3), whose middle is at 3.5 in the coordinates of the pixel edges
    // the samples use, radius 3, and the pen half a pixel on either side.
    return AntialiasedShape(7, 7, Fill, [](Single x, Single y, Single Inset) {
        Single dx = x - 3.5f, dy = y - 3.5f, R = 3.0f + 0.5f - Inset;
        return dx * dx + dy * dy <= R * R;
    });
}
}  // namespace

TImageDraw::TImageDraw(TImageDrawView* AOwner, TCustomBitmap32* B, TCustomBitmap32* B32,
                       TCustomBitmap32* CanvasPattern, TRow* WatermarkRow, const String& ImageFile, Integer LangIndex,
                       bool FromClipboard, bool /*FromScreenCapture*/, TStream* P, Integer W, Integer H, TColor C,
                       bool T, Integer Bpp)
    : FOwner(AOwner), FLanguageIndex(LangIndex), FSrcBmpBitsPixelPer(Bpp)
{
    // 1.
    FSelectedIds = std::make_unique<TRow>();
    FPaintTools = std::make_unique<TPaintTools>(*this);
    FEffectRun = std::make_unique<TEffectRun>(*this);
    FEffectBrush = std::make_unique<TEffectBrush>(*this);
    FFrameRun = std::make_unique<TFrameRun>(*this);
    FUndo = std::make_unique<TUndoHistory>(*this);
    FCopyProp = std::make_unique<TRow>();
    FHorzGuidesRow = std::make_unique<TRow>();
    FVertGuidesRow = std::make_unique<TRow>();
    // 2.
    FControlLayer = FOwner->Layers()->Add<TPositionedLayer>();
    FControlLayer->SetLayerOptions(LOB_VISIBLE);
    FControlLayer->OnPaint = [this](TObject* Sender, TCustomBitmap32* Buffer) { PaintControlLayer(Sender, Buffer); };
    // A document that cannot be built leaves no layer painting through it.
    auto DropLayer = ScopeExit([this] {
        FControlLayer->OnPaint = nullptr;
        delete FControlLayer;
        FControlLayer = nullptr;
    });
    FBitmap = FOwner->Bitmap();
    // 3.
    FDT = std::make_unique<TDataTable>();
    FFileDT = std::make_unique<TDataTable>();
    FSelectionDT = std::make_unique<TDataTable>();
    FOriBmp = NewBitmap();
    FOriBmpThumb = NewBitmap();
    FSrcBmp = NewBitmap();
    FWMBmp = NewBitmap();
    FWMBmp->SetDrawMode(dmBlend);
    FWMBmp->SetCombineMode(cmMerge);
    FFileName = ImageFile;
    // 4.
    bool FromStream = P != nullptr;
    bool IsNew = false;
    bool HasFile = !ImageFile.empty() && FileExists(ImageFile);
    if (FromStream) {
        if (HasFile) {
            FFileType = GetImageTypeByExt(ImageFile);
            FProfile = ImageFile + u".vuxa";
        }
        if (ImageDrawHooks.ReadDocumentStream)
            ImageDrawHooks.ReadDocumentStream(*this, *P);
        else
            LoadDocumentStream(*P);
    } else if (HasFile) {
        FFileType = GetImageTypeByExt(ImageFile);
        FProfile = ImageFile + u".vuxa";
        const bool Sidecar = ImageDrawHooks.ReadSidecar ? ImageDrawHooks.ReadSidecar(*this) : LoadSidecar();
        if (!Sidecar) {
            InitNewTables(0xFFFFFF, T);
            FOriBmpFileMS = std::make_unique<TMemoryStream>();
            FOriBmpFileMS->LoadFromFile(ImageFile);
            FDT->GetProp(ObjProp::OriFileName)->SetText(EscapeCellText(ExtractFileName(ImageFile)));
            if (B32) {
                FSrcBmp = CopyOf(B32);
            } else {
                // The bytes just read are the picture: no second read.
                std::unique_ptr<TCustomBitmap32> Decoded;
                if (ImageDrawHooks.DecodePicture) Decoded = ImageDrawHooks.DecodePicture(*FOriBmpFileMS);
                FOriBmpFileMS->SetPosition(0);
                if (!Decoded || Decoded->Empty())
                    throw EImageDraw(u"The picture \"" + ImageFile + u"\" could not be read");
                FSrcBmp = std::move(Decoded);
            }
            FOriBmp = CopyOf(FSrcBmp.get());
        }
    } else if (FromClipboard) {
        FSrcBmp = CopyOf(B);
        FOriBmp = CopyOf(FSrcBmp.get());
        InitNewTables(0xFFFFFF, false);
        IsNew = true;
    } else {
        FSrcBmp->SetSize(Max(W, 0), Max(H, 0));
        if (CanvasPattern && !CanvasPattern->Empty())
            DrawTiledFrame(CanvasPattern, FSrcBmp.get(), FSrcBmp->BoundsRect(), false);
        else
            FSrcBmp->Clear(T ? 0x00FFFFFF : ColorToColor32(C));
        FOriBmp = CopyOf(FSrcBmp.get());
        InitNewTables(C, T);
        IsNew = true;
    }
    // The working raster and the original image draw opaque whatever they were copied from.
    FSrcBmp->SetDrawMode(dmOpaque);
    // 5.
    if (FSrcBmpBitsPixelPer == -1)
        FSrcBmpBitsPixelPer = FFileDT->ItemCount() > 0 ? ValueAt(CellAt(FFileDT->GetItem(0), 9)) : 0;
    // 6.
    BuildHandlePictures();
    // 7. Selections are not restored from a sidecar file.
    if (!FromStream && SelectionExists()) FDT->RemoveItemByIndex(FDT->ItemCount() - 1);
    // 8. The readers migrate old layouts and build the objects of the rows they read.
    // 9. The watermark is a layer of its own now.
    for (Integer i = FDT->ItemCount() - 1; i >= 0; --i)
        if (TextAt(CellAt(FDT->GetItem(i), ObjCol::Name)) == u"Watermark")
            FDT->RemoveItemByIndex(i);
    // 10.
    if (WatermarkRow && BoolAt(CellAt(WatermarkRow, 0))) {
        auto Cell = [&](Integer i) { return ValueAt(CellAt(WatermarkRow, i)); };
        AddWatermark(UnescapeCellText(TextAt(CellAt(WatermarkRow, 1))), Cell(2), Cell(3), Cell(4), Cell(5), Cell(6),
                     Cell(7), Cell(8), Cell(9), BoolAt(CellAt(WatermarkRow, 10)), Cell(11));
    }
    // 11.
    ReadGuidesAndRuler();
    // 12.
    FChanged = FWMEnabled || FromStream || IsNew;
    // 13. The top selection or crop frame of a document stream becomes current.
    if (SelectionExists() || CropExists()) {
        TRow* Top = FDT->GetItem(FDT->ItemCount() - 1);
        if (TImgShape* S = RowShape(Top)) {
            S->Select();
            SetCurrentShape(S->Id());
        }
    }
    DropLayer.Dismiss();
}

TImageDraw::~TImageDraw()
{
    // The thumbnail worker reads FOriBmp and writes FOriBmpThumb: it ends first.
    WaitThumbWorker();
    FCurrentShape = nullptr;
    FDT.reset();  // the rows own their objects
    FWMShape.reset();
    if (FControlLayer) {
        FControlLayer->OnPaint = nullptr;
        delete FControlLayer;  // removes itself from the view
    }
}

void TImageDraw::InitNewTables(TColor CanvasColor, bool Transparent)
{
    FFileDT->Init(5, 20);
    FDT->SetPropCount(50);
    FDT->GetProp(ObjProp::CanvasColor)->SetValue(CanvasColor);
    FDT->GetProp(ObjProp::CanvasTransparent)->SetAsBool(Transparent);
}

void TImageDraw::BuildHandlePictures()
{
    FCtrBmpY = BorderedSquare(7, 0xFFFFFF00);
    FCtrBmpG = BorderedSquare(7, 0xFF00FF00);
    FCtrBmpB = BorderedSquare(7, 0xFF87CEEB);
    FCtrBmpW = BorderedSquare(6, 0xFFFFFFFF);
    FCtrBmpW2 = Disc(0xFFFFFFFF);
    FCtrBmpY2 = Disc(0xFFFFFF00);
    FCtrBmpG2 = Disc(0xFF00FF00);
    FCtrBmpY3 = AntialiasedShape(9, 9, 0xFFFFFF00, [](Single x, Single y, Single Inset) {
        // The diamond (4, 0), (8, 4), (4, 8), (0, 4), through the pixel centres.
        // The pen, half a pixel either side of the edges, reaches 0.5 x the
        // square root of 2 further in this distance.
        return std::fabs(x - 4.5f) + std::fabs(y - 4.5f) <= 4.0f + 0.7071f - Inset * 1.4142f;
    });
    FCtrBmpAH = NewBitmap(15, 7);
    FCtrBmpAH->Clear(0x00FFFFFF);
    FCtrBmpAH->SetDrawMode(dmBlend);
    const TColor32 Blue = 0xFF0000FF;
    FCtrBmpAH->HorzLine(0, 3, 14, Blue);
    FCtrBmpAH->HorzLine(1, 2, 13, Blue);
    FCtrBmpAH->HorzLine(1, 4, 13, Blue);
    static const TPoint Head[] = {{3, 0}, {2, 1}, {3, 1}, {2, 5}, {3, 5}, {3, 6},
                                  {11, 0}, {11, 1}, {12, 1}, {11, 5}, {12, 5}, {11, 6}};
    for (const TPoint& P : Head) FCtrBmpAH->SetPixel(P.X, P.Y, Blue);
    FCtrBmpAV = NewBitmap(7, 15);
    FCtrBmpAV->SetDrawMode(dmBlend);
    for (Integer y = 0; y < 15; ++y)
        for (Integer x = 0; x < 7; ++x) FCtrBmpAV->SetPixel(x, y, FCtrBmpAH->Pixel(y, 6 - x));
    // The selection outline's stripes: black where (x + y) mod 8 < 4.
    FBrushBitmap = NewBitmap(8, 8);
    for (Integer y = 0; y < 8; ++y)
        for (Integer x = 0; x < 8; ++x) FBrushBitmap->SetPixel(x, y, (x + y) % 8 < 4 ? 0xFF000000 : 0xFFFFFFFF);
}

void TImageDraw::SetChanged(bool IsSaveUndo)
{
    FChanged = true;
    if (IsSaveUndo) FModified = true;
    if (OnChanged) OnChanged(this);
}

void TImageDraw::ShapeStateChanged()
{
    if (OnShapeStateChanged) OnShapeStateChanged(this);
    SetChanged(true);
}

TImgShape* TImageDraw::RowShape(TRow* Row) { return Row ? Row->Data().As<TImgShape>() : nullptr; }

TImgShape* TImageDraw::GetShapeByName(const String& ShapeName) const
{
    for (Integer i = 0; i < FDT->ItemCount(); ++i) {
        if (TextAt(CellAt(FDT->GetItem(i), ObjCol::Name)) == ShapeName) return RowShape(FDT->GetItem(i));
    }
    return nullptr;
}

Integer TImageDraw::IndexOfShapeId(Integer Id) const
{
    // A damaged document's row whose id is no number matches no id.
    for (Integer i = 0; i < FDT->ItemCount(); ++i) {
        Integer Value;
        if (TryStrToInt(Trim(TextAt(CellAt(FDT->GetItem(i), ObjCol::Id))), Value) && Value == Id) return i;
    }
    return -1;
}

TImgShape* TImageDraw::FindCurrentShape() const
{
    Integer i = IndexOfShapeId(FShapeId);
    return i >= 0 ? RowShape(FDT->GetItem(i)) : nullptr;
}

void TImageDraw::SetCurrentShape(Integer Id)
{
    FShapeId = Id;
    if (Id == -1) {
        FCurrentShape = nullptr;
        FObjectType = shNone;
        return;
    }
    FCurrentShape = FindCurrentShape();
    FObjectType = FCurrentShape ? FCurrentShape->ShapeType() : shNone;
}

String TImageDraw::ConvertCellEscapes(const String& S, bool ToPlain)
{
    return ToPlain ? UnescapeCellText(S) : EscapeCellText(S);
}

void TImageDraw::SetControlMode(TControlMode Value)
{
    if (FControlMode == Value) return;
    FControlMode = Value;
    FControlLayer->Update(FOwner->GetViewportRect());
}

void TImageDraw::SetScale(Single Value)
{
    // The selection's outline follows the zoom (selection object).
    FScale = Value;
}

Integer TImageDraw::OffsetHorz() const { return static_cast<Integer>(Round(FOwner->OffsetHorz())); }
Integer TImageDraw::OffsetVert() const { return static_cast<Integer>(Round(FOwner->OffsetVert())); }

void TImageDraw::SetTimeString(const String& Value)
{
    FTimeString = Value;
    if (OnTimeStringChanged) OnTimeStringChanged(this);
}

TShapeType TImageDraw::LastRowKind() const
{
    return FDT->ItemCount() == 0 ? shNone : KindAt(FDT->GetItem(FDT->ItemCount() - 1));
}

template <class F>
Integer TImageDraw::CountRows(F Fn) const
{
    Integer N = 0;
    for (Integer i = 0; i < FDT->ItemCount(); ++i) {
        TRow* Row = FDT->GetItem(i);
        // The object's own state when it exists (it is ahead of its row while
        // edited), else the row's cells.
        if (TImgShape* S = RowShape(Row)) {
            N += Fn(S->ShapeType(), S->Fixed(), S->Hided()) ? 1 : 0;
        } else {
            N += Fn(KindAt(Row), BoolAt(CellAt(Row, ObjCol::Fixed)), BoolAt(CellAt(Row, ObjCol::Hidden))) ? 1 : 0;
        }
    }
    return N;
}

Integer TImageDraw::ShapeCount() const
{
    return CountRows([](TShapeType K, bool, bool Hidden) { return !Hidden && K != shCrop && K != shSelection; });
}

Integer TImageDraw::ShapeEditableCount() const
{
    return CountRows(
        [](TShapeType K, bool Fixed, bool Hidden) { return !Hidden && !Fixed && K != shCrop && K != shSelection; });
}

Integer TImageDraw::VectorObjectCount() const
{
    return CountRows([](TShapeType K, bool Fixed, bool Hidden) {
        return !Hidden && !Fixed && K != shCrop && K != shSmall && K != shSelection;
    });
}

Integer TImageDraw::BitmapObjectCount() const
{
    return CountRows([](TShapeType K, bool Fixed, bool Hidden) { return !Hidden && !Fixed && K == shSmall; });
}

Integer TImageDraw::ShapeSelectedCount() const
{
    Integer N = ObjectSelectedCount();
    if (CropExists() || SelectionExists()) --N;
    return N;
}

Integer TImageDraw::SelectionSize() const
{
    return FCurrentShape ? FCurrentShape->Width() * FCurrentShape->Height() : 0;
}

// ---------------------------------------------------------------------------
// The original-image thumbnail

void TImageDraw::MakeThumbOfOriBmp(Integer ThumbWidth, Integer ThumbHeight)
{
    std::lock_guard<std::mutex> Guard(FOriBmpLock);
    if (!FOriBmpThumbChanged) return;
    FitBitmap32(FOriBmp.get(), FOriBmpThumb.get(), ThumbWidth, ThumbHeight);
    FOriBmpThumbChanged = false;
}

void TImageDraw::MakeThumbOfOriBmpAsync(Integer ThumbWidth, Integer ThumbHeight, std::function<void()> Done)
{
    WaitThumbWorker();
    FThumbWorker = std::thread([this, ThumbWidth, ThumbHeight, Done = std::move(Done)] {
        MakeThumbOfOriBmp(ThumbWidth, ThumbHeight);
        if (Done) Done();
    });
}

void TImageDraw::WaitThumbWorker()
{
    if (FThumbWorker.joinable()) FThumbWorker.join();
}

// ---------------------------------------------------------------------------
// View bitmap and watermark layer

void TImageDraw::AddWatermark(const String& FileName, Integer LocationType, Integer Location, Integer ED1,
                              Integer ED2, Integer SD1, Integer SD2, Integer WMAngle, Integer WMOpacity, bool WMUseTC,
                              TColor WMTC)
{
    std::unique_ptr<TCustomBitmap32> Picture;
    if (ImageDrawHooks.LoadPicture) Picture = ImageDrawHooks.LoadPicture(FileName);
    if (!Picture) Picture = NewBitmap();
    AddWatermarkPicture(Picture.get(), LocationType, Location, ED1, ED2, SD1, SD2, WMAngle, WMOpacity, WMUseTC, WMTC);
}

void TImageDraw::AddWatermarkPicture(TCustomBitmap32* Picture, Integer LocationType, Integer Location, Integer ED1,
                                     Integer ED2, Integer SD1, Integer SD2, Integer WMAngle, Integer WMOpacity,
                                     bool WMUseTC, TColor WMTC)
{
    FWMShape.reset();
    if (!Picture || Picture->Width() == 0 || Picture->Height() == 0) {
        FWMEnabled = false;
    } else {
        FWMShape = std::make_unique<TImgSmall>(this, -1, nullptr);
        FWMShape->SetOpacity(WMOpacity);
        FWMShape->SetAngle(static_cast<Single>(WMAngle));
        FWMShape->SetSRect(TRect{0, 0, Picture->Width(), Picture->Height()});
        FWMShape->CalcCenterPoint();
        TCustomBitmap32* Src = FWMShape->SrcBmp();
        Src->SetSize(Picture->Width(), Picture->Height());
        Src->Clear(0);
        Src->Draw(0, 0, Picture);
        if (WMUseTC) MakeColorTransparent(Src, ColorToColor32(WMTC));
        FWMEnabled = true;
        FWMLocationType = LocationType;
        FWMLocation = Location;
        FWMLocationED1 = ED1;
        FWMLocationED2 = ED2;
        FWMLocationSD1 = SD1;
        FWMLocationSD2 = SD2;
    }
    SetChanged(false);
}

void TImageDraw::InitBitmap()
{
    FBitmap->SetSize(FSrcBmp->Width(), FSrcBmp->Height());
    if (BoolAt(PropAt(FDT.get(), ObjProp::CanvasTransparent))) {
        FCanvasTransparent = true;
        FCanvasColor = 0xFFFFFFFF;
    } else {
        FCanvasTransparent = false;
        TCell* Color = PropAt(FDT.get(), ObjProp::CanvasColor);
        FCanvasColor = ColorToColor32(Color ? ValueAt(Color) : 0xFFFFFF);
    }
    FSrcBmpRect = FSrcBmp->BoundsRect();
    FWMBmp->SetSize(FBitmap->Width(), FBitmap->Height());
    FWMBmp->Clear(0x00FFFFFF);
    FWMBmpBlank = !FWMShape || !FWMEnabled;
    if (FWMBmpBlank) return;
    FWMBmp->SetMasterAlpha(static_cast<Cardinal>(EnsureRange(FWMShape->Opacity(), 0, 255)));
    FWMBmp->SetClipRect(FSrcBmpRect);
    FWMShape->DrawPrepare();
    Integer BW = FWMBmp->Width(), BH = FWMBmp->Height();
    if (FWMLocationType != 0) {
        TRect M = FWMShape->GetMaxRect();
        Integer w = M.Right - M.Left, h = M.Bottom - M.Top;
        // A tile is placed while about a third of it would show; the steps
        // are at least one pixel, so a picture with no extent cannot loop.
        Integer StepX = Max(w + FWMLocationSD1, 1), StepY = Max(h + FWMLocationSD2, 1);
        Integer x = 0, y = 0;
        while (x < BW - w / 3 && y < BH - h / 3) {
            FWMShape->DrawByRect(FWMBmp.get(), x, y, 255);
            x += StepX;
            if (x >= BW - w / 3) {
                x = 0;
                y += StepY;
            }
        }
    } else {
        Integer w = FWMShape->Width(), h = FWMShape->Height();
        Integer a = static_cast<Integer>(Round(BW * static_cast<Extended>(FWMLocationED1) / 100));
        Integer b = static_cast<Integer>(Round(BH * static_cast<Extended>(FWMLocationED2) / 100));
        Integer x = a, y = b;
        switch (FWMLocation) {
        case 1: x = BW - w - a; y = b; break;
        case 2: x = a; y = BH - h - b; break;
        case 3: x = BW - w - a; y = BH - h - b; break;
        case 4: x = (BW - w) / 2; y = (BH - h) / 2; break;
        default: break;  // 0 and anything else: top-left
        }
        FWMShape->SetSRect(TRect{x, y, x + w, y + h});
        FWMShape->CalcCenterPoint();
        FWMShape->DrawByRect(FWMBmp.get(), x, y, 255);
    }
}

bool TImageDraw::ImageRestore()
{
    {
        auto Lock = LockOriBmp();
        if (!ImageRestoreEnabled()) return false;
        FSrcBmp = CopyOf(FOriBmp.get());
    }
    FSrcBmp->SetDrawMode(dmOpaque);
    FSrcBmpChanged = true;
    InitBitmap();
    SetChanged(true);
    return true;
}

// ---------------------------------------------------------------------------
// Composition

void TImageDraw::DrawEffects(TImgShape* Shape, TCustomBitmap32* Target)
{
    Shape->PrepareEffects();
    Shape->DrawEffectBitmaps(Target);
}

void TImageDraw::Draw()
{
    FBitmap->SetDrawMode(dmBlend);
    FSrcBmp->SetDrawMode(dmOpaque);
    TImgShape* Crop = CropExists() ? RowShape(FDT->GetItem(FDT->ItemCount() - 1)) : nullptr;
    auto* CropPicture = dynamic_cast<TCropPicture*>(Crop);
    TCustomBitmap32* Dimmed = CropPicture ? CropPicture->AdjustSrcBmp() : nullptr;
    const bool DimOutside = Dimmed && FCurrentShape && FCurrentShape->StyleId() == 0;
    TCustomBitmap32* Base = DimOutside ? Dimmed : FSrcBmp.get();
    // The base, drawn opaque over the whole view bitmap, replaces every pixel
    // of the clear: with one of the same size the clear is skipped (a
    // whole-picture pass on every mouse step).
    if (Base->Width() != FBitmap->Width() || Base->Height() != FBitmap->Height()) FBitmap->Clear(0x00FFFFFF);
    if (DimOutside) {
        Dimmed->SetDrawMode(dmOpaque);
        FBitmap->Draw(0, 0, Dimmed);
        const TRect R = Crop->SRect();
        FBitmap->Draw(R.Left, R.Top, R, FSrcBmp.get());
    } else {
        FBitmap->Draw(0, 0, FSrcBmp.get());
    }
    // A watermark layer left fully transparent by InitBitmap adds nothing.
    if (FWMBmp && !FWMBmp->Empty() && !FWMBmpBlank) FBitmap->Draw(0, 0, FWMBmp.get());
    for (Integer i = 0; i < FDT->ItemCount(); ++i) {
        TImgShape* Shape = RowShape(FDT->GetItem(i));
        if (!Shape || Shape->Hided() || Shape->ShapeType() == shCrop) continue;
        const bool Editing = Shape->Creating() || Shape->Adjusting();
        if (!Editing) DrawEffects(Shape, nullptr);
        // An object being edited changes on every step: no picture for it.
        if (Editing) Shape->FreePicture();
        if (Editing || !Shape->DrawPicture(Shape->Bitmap32())) Shape->Draw(nullptr);
        if (!Editing) {
            Shape->SetChanged2(false);
            Shape->SetRotated2(false);
        }
    }
    RememberDrawn();
    if (FControlLayer) FControlLayer->Changed();
}

namespace {
bool RectEmpty(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }
TRect Union(const TRect& A, const TRect& B)
{
    if (RectEmpty(A)) return B;
    if (RectEmpty(B)) return A;
    return TRect{std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
                 std::max(A.Bottom, B.Bottom)};
}
TRect Intersection(const TRect& A, const TRect& B)
{
    const TRect R{std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right),
                  std::min(A.Bottom, B.Bottom)};
    return RectEmpty(R) ? TRect{} : R;
}
bool Contains(const TRect& Outer, const TRect& Inner)
{
    return RectEmpty(Inner) || (Inner.Left >= Outer.Left && Inner.Top >= Outer.Top && Inner.Right <= Outer.Right &&
                                Inner.Bottom <= Outer.Bottom);
}
// Copies the pixels of Src inside R (which lies inside both) into Dst.
void CopyArea(TCustomBitmap32& Dst, const TCustomBitmap32& Src, const TRect& R, Integer SrcX, Integer SrcY,
              Integer DstX, Integer DstY)
{
    const size_t N = static_cast<size_t>(R.Right - R.Left) * sizeof(TColor32);
    for (Integer y = 0; y < R.Bottom - R.Top; ++y)
        std::memcpy(Dst.GetPixelPtr(DstX, DstY + y), Src.GetPixelPtr(SrcX, SrcY + y), N);
}
}  // namespace

bool TImageDraw::CollectDrawn(std::vector<TDrawnObject>& Out, bool Prepare)
{
    Out.clear();
    for (Integer i = 0; i < FDT->ItemCount(); ++i) {
        TImgShape* Shape = RowShape(FDT->GetItem(i));
        if (!Shape || Shape->Hided() || Shape->ShapeType() == shCrop) continue;
        const bool Editing = Shape->Creating() || Shape->Adjusting();
        if (Prepare && !Editing) Shape->PrepareEffects();
        TRect Bounds;
        if (!Shape->DrawnBounds(!Editing, Bounds)) return false;
        Out.push_back({Shape, Bounds, Editing});
    }
    return true;
}

void TImageDraw::RememberDrawn()
{
    FDrawnValid = !CropExists() && CollectDrawn(FDrawn, false);
    FDrawnBase = FSrcBmp.get();
    FDrawnBaseSize = TSize{FSrcBmp->Width(), FSrcBmp->Height()};
    FStale = TRect{};
}

TRect TImageDraw::VisibleImageRect() const
{
    const TRect V = FOwner->GetViewportRect();
    const Single S = FScale > 0 ? FScale : 1;
    const Single OX = FOwner->OffsetHorz(), OY = FOwner->OffsetVert();
    // Whole pixels that any part of the viewport shows.
    return TRect{static_cast<Integer>(std::floor((V.Left - OX) / S)), static_cast<Integer>(std::floor((V.Top - OY) / S)),
                 static_cast<Integer>(std::ceil((V.Right - OX) / S)), static_cast<Integer>(std::ceil((V.Bottom - OY) / S))};
}

TRect TImageDraw::DrawChanged(const TRect& Visible)
{
    const TRect Whole = FBitmap->BoundsRect();
    std::vector<TDrawnObject> Now;
    const bool SameBase = FDrawnBase == FSrcBmp.get() && FDrawnBaseSize.cx == FSrcBmp->Width() &&
                          FDrawnBaseSize.cy == FSrcBmp->Height() && FSrcBmp->Width() == FBitmap->Width() &&
                          FSrcBmp->Height() == FBitmap->Height();
    if (!FDrawnValid || !SameBase || CropExists() || !CollectDrawn(Now, true)) {
        Draw();
        return Whole;
    }
    // What changed: objects gone, new, changed, moved or reordered.
    TRect Dirty = FStale;
    std::vector<const TDrawnObject*> OldOrder, NowOrder;
    for (const TDrawnObject& Old : FDrawn) {
        auto It = std::find_if(Now.begin(), Now.end(), [&](const TDrawnObject& N) { return N.Shape == Old.Shape; });
        if (It == Now.end()) Dirty = Union(Dirty, Old.Bounds);
        else OldOrder.push_back(&Old);
    }
    for (const TDrawnObject& N : Now) {
        TImgShape* S = N.Shape;
        auto It = std::find_if(FDrawn.begin(), FDrawn.end(), [&](const TDrawnObject& O) { return O.Shape == S; });
        if (It == FDrawn.end()) {
            Dirty = Union(Dirty, N.Bounds);
            continue;
        }
        NowOrder.push_back(&N);
        if (N.Editing || It->Editing || S->Changed2() || S->Rotated2() || It->Bounds != N.Bounds)
            Dirty = Union(Dirty, Union(It->Bounds, N.Bounds));
    }
    // Objects that changed places in the order, both ways.
    for (size_t k = 0; k < OldOrder.size() && k < NowOrder.size(); ++k)
        if (OldOrder[k]->Shape != NowOrder[k]->Shape)
            Dirty = Union(Dirty, Union(OldOrder[k]->Bounds, NowOrder[k]->Bounds));
    Dirty = Intersection(Dirty, Whole);
    const TRect Seen = RectEmpty(Visible) ? Whole : Intersection(Visible, Whole);
    const TRect Area = Intersection(Dirty, Seen);
    FDrawn = std::move(Now);
    FStale = Contains(Seen, Dirty) ? TRect{} : Dirty;
    if (RectEmpty(Area)) return TRect{};

    // Every object drawn over the area paints its whole extent: the pixels it
    // reaches outside the area are kept aside and put back.
    TRect Reach = Area;
    for (const TDrawnObject& D : FDrawn)
        if (!RectEmpty(Intersection(D.Bounds, Area))) Reach = Union(Reach, D.Bounds);
    Reach = Intersection(Reach, Whole);
    TCustomBitmap32 Kept;
    Kept.SetSize(Reach.Right - Reach.Left, Reach.Bottom - Reach.Top);
    CopyArea(Kept, *FBitmap, Reach, Reach.Left, Reach.Top, 0, 0);

    FBitmap->SetDrawMode(dmBlend);
    FSrcBmp->SetDrawMode(dmOpaque);
    FBitmap->Draw(Area.Left, Area.Top, Area, FSrcBmp.get());
    if (FWMBmp && !FWMBmp->Empty() && !FWMBmpBlank) FBitmap->Draw(Area.Left, Area.Top, Area, FWMBmp.get());
    for (const TDrawnObject& D : FDrawn) {
        if (RectEmpty(Intersection(D.Bounds, Area))) continue;
        TImgShape* Shape = D.Shape;
        const bool Editing = Shape->Creating() || Shape->Adjusting();
        if (!Editing) Shape->DrawEffectBitmaps(nullptr);
        if (Editing) Shape->FreePicture();
        if (Editing || !Shape->DrawPicture(Shape->Bitmap32())) Shape->Draw(nullptr);
        if (!Editing) {
            Shape->SetChanged2(false);
            Shape->SetRotated2(false);
        }
    }
    // The reach outside the area as it was: above, below, left and right.
    const Integer KX = Reach.Left, KY = Reach.Top;
    for (const TRect& Band : {TRect{Reach.Left, Reach.Top, Reach.Right, Area.Top},
                              TRect{Reach.Left, Area.Bottom, Reach.Right, Reach.Bottom},
                              TRect{Reach.Left, Area.Top, Area.Left, Area.Bottom},
                              TRect{Area.Right, Area.Top, Reach.Right, Area.Bottom}})
        if (!RectEmpty(Band)) CopyArea(*FBitmap, Kept, Band, Band.Left - KX, Band.Top - KY, Band.Left, Band.Top);
    if (FControlLayer) FControlLayer->Changed();
    return Area;
}

void TImageDraw::DrawTo(TCustomBitmap32* ABitmap, Integer Mode)
{
    if (!ABitmap) return;
    for (Integer i = 0; i < FDT->ItemCount(); ++i) {
        TImgShape* Shape = RowShape(FDT->GetItem(i));
        if (!Shape || Shape->Hided()) continue;
        const TShapeType Kind = Shape->ShapeType();
        if (Kind == shCrop || Kind == shSelection) continue;
        if ((Mode == 1 && Kind != shSmall) || (Mode == 2 && Kind == shSmall)) continue;
        DrawEffects(Shape, ABitmap);
        Shape->Draw(ABitmap);
    }
}

void TImageDraw::Flatten(bool bAll)
{
    TRow Ids;
    for (Integer i = 0; i < FDT->ItemCount(); ++i) {
        TRow* Row = FDT->GetItem(i);
        TImgShape* Shape = RowShape(Row);
        if (!Shape || !(bAll || Shape->Selected())) continue;
        DrawEffects(Shape, FSrcBmp.get());
        Shape->Draw(FSrcBmp.get());
        Ids.AddItem(Shape->Id());
    }
    DeleteShapes(Ids);
    FSrcBmpChanged = true;
    SetChanged(true);
}

void TImageDraw::FlattenSelection()
{
    for (Integer i = 0; i < FDT->ItemCount(); ++i) {
        TRow* Row = FDT->GetItem(i);
        if (KindAt(Row) != shSelection) continue;
        if (TImgShape* Shape = RowShape(Row)) Shape->Draw(FSrcBmp.get());
        FSrcBmpChanged = true;
        SetChanged(true);
        return;
    }
}
