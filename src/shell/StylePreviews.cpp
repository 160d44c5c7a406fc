#include "shell/StylePreviews.h"

#include "Component/Raster32/Ras32.h"
#include "document/ImageCrop.h"
#include "document/ImageEllipse.h"
#include "document/ImageLine.h"
#include "document/ImageLines.h"
#include "document/ImagePolygon.h"
#include "document/ImageRectangle.h"
#include "document/ImageText.h"
#include "document/ImgShape.h"
#include "foundation/HyDataTable.h"
#include "framework/runtime/SysUtils.h"

namespace StylePreviews {

namespace {

// Cells of a style row.
enum : Integer {
    cTool = 1, cStyleId = 2, cColor = 14, cFillColor = 15, cOpacity = 16, cWidth = 18, cOutline = 20, cPenStyle = 22,
    cFontName = 40, cFontSize = 41, cFontColor = 42, cBold = 43, cItalic = 44, cUnderline = 45, cAlignment = 46,
    cLayout = 47, cText = 54
};

Integer Cell(const TRow& Row, Integer Index)
{
    return Index < Row.ItemCount() ? Row.GetItem(Index)->Value() : 0;
}
String CellText(const TRow& Row, Integer Index)
{
    return Index < Row.ItemCount() ? Row.GetItem(Index)->Text() : String();
}
bool CellBool(const TRow& Row, Integer Index) { return Index < Row.ItemCount() && Row.GetItem(Index)->AsBool(); }

TFloatPoint CentreOf(const TRect& R)
{
    return TFloatPoint{(R.Left + R.Right) / 2.0f, (R.Top + R.Bottom) / 2.0f};
}

TRect CalloutRect(Integer Id, Integer W, Integer H)
{
    switch (Id) {
        case 1: return {6, 8, W - 7, H - 8};
        case 2: return {5, 6, W - 5, H - 3};
        case 3:
        case 4: return {5, 5, W - 5, H - 5};
        case 5:
        case 6:
        case 7: return {8, 11, W - 8, H - 11};
        case 8: return {6, 3, W - 6, H / 2 + 4};
        case 9: return {6, 6, W - 6, H / 2 + 8};
        case 11: return {4, 3, W - 4, H - 2};
        default: return {6, 8, W - 6, H - 4};
    }
}

std::unique_ptr<TImgShape> MakeLine(TShapeType Tool, Integer Id, const TRow& Row, TCustomBitmap32* B)
{
    const Integer W = B->Width(), H = B->Height();
    auto L = std::make_unique<TImgLine>(nullptr, 0, B);
    L->SetShapeType(Tool);
    L->SetStyleId(Id);
    L->SetArrowType(0);
    L->SetGradientMode(-1);
    const Integer Width = Cell(Row, cWidth);
    if (Id >= 9 && Id <= 11) {
        L->SetPoint(1, {7, 9});
        L->SetPoint(4, {W - 7, H - 9});
    } else if (Id >= 6 && Id <= 8) {
        L->SetPoint(1, {7, (H - Width) / 2});
        L->SetPoint(3, {(W - Width) / 2, 7});
        L->SetPoint(4, {W - 7, H - 7});
    } else {
        const Integer Y = (H - Width) / 2;
        const Integer X4 = W - 8;
        L->SetPoint(1, {7, Y});
        L->SetPoint(4, {X4, Y});
        L->SetPoint(2, {26, Y - 26});
        L->SetPoint(3, {X4 - 26, Y + 26});
    }
    return L;
}

std::unique_ptr<TImgShape> MakeText(TShapeType Tool, Integer Id, const TRow& Row, TCustomBitmap32* B)
{
    const Integer W = B->Width(), H = B->Height();
    auto T = std::make_unique<TImgText>(nullptr, 0, B);
    T->SetShapeType(Tool);
    T->SetStyleId(Id);
    TRect R;
    if (Tool == shCallout)
        R = CalloutRect(Id, W, H);
    else
        R = Id == 3 ? TRect{5, 7, W - 5, H - 7} : TRect{6, 8, W - 6, H - 4};
    T->SetSRect(R);
    T->SetCenterPoint(CentreOf(R));
    T->SetFontName(CellText(Row, cFontName));
    T->SetFontSize(Cell(Row, cFontSize));
    T->SetFontColor(Cell(Row, cFontColor));
    T->SetFontBold(CellBool(Row, cBold));
    T->SetFontItalic(CellBool(Row, cItalic));
    T->SetFontUnderline(CellBool(Row, cUnderline));
    T->SetAlignment(Cell(Row, cAlignment));
    T->SetLayout(Cell(Row, cLayout));
    T->SetText(UnescapeCellText(CellText(Row, cText)));
    T->SetTextGradientMode(-1);
    T->SetGradientMode(-1);
    T->SetIsOutline(CellBool(Row, cOutline));
    T->SetIsFill(Tool == shCallout);
    T->SetAntialias(true);
    T->InitPoints(true);
    T->CalcPoints(true);
    return T;
}

std::unique_ptr<TImgShape> MakePolygon(Integer Id, TCustomBitmap32* B)
{
    const Integer W = B->Width(), H = B->Height();
    auto P = std::make_unique<TImgPolygon>(nullptr, 0, B);
    P->SetShapeType(shPolygon);
    P->SetStyleId(Id);
    P->SetIsOutline(true);
    P->SetGradientMode(-1);
    P->SetAntialias(true);
    if (Id == 0 || Id == 5) {
        P->SetPoints(u"20.9.22.51.49.7.36.44.35.17");
        P->CalcRect();
        return P;
    }
    TRect R;
    if (Id == 4 || Id == 7)
        R = {7, 9, W - 7, H - 9};
    else if (Id == 8)
        R = {7, 13, W - 7, H - 3};
    else
        R = {8, 10, W - 8, H - 5};
    P->SetSRect(R);
    if (Id != 4 && Id != 7) {
        const Integer Extra = Id == 8 ? 4 : Id == 12 ? 5 : 0;
        P->SetCenterPoint(TFloatPoint{static_cast<Single>(W / 2), static_cast<Single>(H / 2 + Extra)});
    } else {
        P->SetCenterPoint(CentreOf(R));
    }
    P->CalcPoints(true);
    return P;
}

}  // namespace

std::unique_ptr<TImgShape> CreatePreview(TShapeType Tool, const TRow& Row, TCustomBitmap32* B)
{
    const Integer Id = Cell(Row, cStyleId);
    const Integer W = B->Width(), H = B->Height();
    std::unique_ptr<TImgShape> S;
    switch (Tool) {
        case shCrop: {
            S = std::make_unique<TImgCrop>(nullptr, 0, B);
            S->SetShapeType(shCrop);
            S->SetStyleId(Id);
            S->SetSRect({12, 12, W - 12, H - 6});
            break;
        }
        case shArrow:
        case shLine: S = MakeLine(Tool, Id, Row, B); break;
        case shRectangle:
        case shEllipse: {
            if (Tool == shRectangle)
                S = std::make_unique<TImgRectangle>(nullptr, 0, B);
            else
                S = std::make_unique<TImgEllipse>(nullptr, 0, B);
            S->SetShapeType(Tool);
            S->SetStyleId(Id);
            const TRect R{8, 10, W - 8, H - 5};
            S->SetSRect(R);
            S->SetIsOutline(true);
            S->SetIsFill(false);
            S->SetGradientMode(-1);
            S->SetAntialias(Tool == shEllipse || Id > 0);
            if (Tool == shEllipse) S->SetCenterPoint(CentreOf(R));
            S->InitPoints(true);
            S->CalcPoints(true);
            break;
        }
        case shLines: {
            auto L = std::make_unique<TImgLines>(nullptr, 0, B);
            L->SetShapeType(shLines);
            L->SetStyleId(Id);
            L->SetPoints(u"7.35.45.55.27.27.15.27");
            L->CalcRect();
            S = std::move(L);
            break;
        }
        case shText:
        case shCallout: S = MakeText(Tool, Id, Row, B); break;
        case shPolygon: S = MakePolygon(Id, B); break;
        default: return nullptr;
    }
    S->SetColor(Cell(Row, cColor));
    S->SetFillColor(Cell(Row, cFillColor));
    S->SetOutWidth(Cell(Row, cWidth));
    S->SetOpacity(Cell(Row, cOpacity));
    S->SetPenStyle(Cell(Row, cPenStyle));
    S->SetCreating(false);
    return S;
}

TStyleStrip::TStyleStrip(TDataTable& Presets, const std::array<TCustomBitmap32*, ImageCount>& Bitmaps)
    : FPresets(Presets), FBitmaps(Bitmaps)
{
}

Integer TStyleStrip::Build(TShapeType Tool)
{
    FTool = Tool;
    Integer K = 0;
    for (Integer I = 0; I < FPresets.ItemCount() && K < ImageCount; ++I) {
        TRow* Row = FPresets.GetItem(I);
        if (Cell(*Row, cTool) != Tool) continue;
        if (!Row->Data().Get()) {
            std::unique_ptr<TImgShape> S = CreatePreview(Tool, *Row, FBitmaps[static_cast<size_t>(K)]);
            if (!S) continue;
            Row->Data().Own(std::move(S));
        }
        FTags[static_cast<size_t>(K)] = Cell(*Row, cStyleId);
        ++K;
    }
    FVisible = K;
    return K;
}

TRow* TStyleStrip::RowOf(Integer StyleId) const
{
    for (Integer I = 0; I < FPresets.ItemCount(); ++I) {
        TRow* Row = FPresets.GetItem(I);
        if (Cell(*Row, cTool) == FTool && Cell(*Row, cStyleId) == StyleId) return Row;
    }
    return nullptr;
}

TImgShape* TStyleStrip::Preview(Integer Index) const
{
    if (Index < 0 || Index >= FVisible) return nullptr;
    TRow* Row = RowOf(FTags[static_cast<size_t>(Index)]);
    return Row ? static_cast<TImgShape*>(Row->Data().Get()) : nullptr;
}

void TStyleStrip::Draw(Integer CurrentStyleId, TColor Back, Integer ColCount)
{
    for (Integer I = 0; I < FVisible; ++I) {
        TImgShape* S = Preview(I);
        if (!S) continue;
        if (FTags[static_cast<size_t>(I)] == CurrentStyleId) {
            S->SetSelectMode(2);
            if (ColCount > 0) FPageIndex = I / ColCount;
            if (FTool == shPolygon) FPolygonType = S->StyleId();
        } else {
            S->SetSelectMode(0);
        }
        S->StartDraw(Back);
    }
    FPageCount = ColCount > 0 ? (FVisible + ColCount - 1) / ColCount : 0;
}

void TStyleStrip::Hover(Integer Index, bool Inside, TColor Back)
{
    TImgShape* S = Preview(Index);
    if (!S) return;
    S->SetSelectMode(Inside ? (S->SelectMode() | 1) : (S->SelectMode() & ~1));
    S->StartDraw(Back);
}

}  // namespace StylePreviews
