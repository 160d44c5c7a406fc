// Fuzz target of the point texts of the ellipse and polygon rows: byte 0
// chooses the object and its style, bytes 1..8 its rectangle (four 16-bit
// values), the rest is the text. Whatever the text, the object keeps the
// points its style needs, and drawing, hit tests and drags read only those.
#include "FuzzSupport.h"
#include "document/ImageEllipse.h"
#include "document/ImagePolygon.h"

namespace {
Integer Int16At(const uint8_t* Data, size_t I) { return static_cast<int16_t>(Data[I] | (Data[I + 1] << 8)); }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    if (Size < 9) return 0;
    TRect R{Int16At(Data, 1), Int16At(Data, 3), Int16At(Data, 5), Int16At(Data, 7)};
    String Text;
    for (size_t i = 9; i < Size; ++i) Text += static_cast<char16_t>(Data[i]);
    TCustomBitmap32 Bitmap;
    Bitmap.SetSize(8, 8);
    const Integer Style = Data[0] % 16;
    if (Data[0] & 0x80) {
        TImgEllipse E(nullptr, 1, &Bitmap);
        E.SetStyleId(Style % 4);
        E.SetSRect(R);
        E.CalcCenterPoint();
        E.InitPoints(false);
        E.SetPoints(Text);
        FuzzCheck(E.PointsCount() == (Style % 4 == 0 ? 0 : 2), "the ellipse lacks its style's points");
        E.CalcPoints(false);
        E.SetIsOutline(true);
        E.SetOutWidth(Data[0] & 0x0F);
        E.Draw(nullptr);
        E.PtInShape(R.Left, R.Top);
        TArrayOfPoint Again;
        FuzzCheck(TextToPoints(E.GetPoints(), Again) && static_cast<Integer>(Again.size()) == E.PointsCount(),
                  "the ellipse's text does not read back");
    } else {
        TImgPolygon P(nullptr, 1, &Bitmap);
        P.SetStyleId(Style);
        P.SetSRect(R);
        P.CalcCenterPoint();
        P.SetCreating(false);
        P.SetPoints(Text);
        TPolygonLayout L;
        if (GetPolygonLayout(Style, L)) FuzzCheck(P.PointsCount() == L.N, "a generated shape lacks its vertices");
        P.SetCurrentCtrIndex(P.PointsCount() - 1);
        P.Click();
        P.AdjustShape(0, 0, 3, 4);
        P.CalcPoints(false);
        P.CalcRect();
        P.PtInShape(R.Left, R.Top);
        P.PtInPath(R.Left, R.Top);
        P.SetPointIndex(0);
        P.DeleteNodePoint();
        P.Draw(nullptr);
        FuzzCheck(P.GetPoints().size() <= 24 * static_cast<size_t>(P.PointsCount()), "the node text grew");
    }
    return 0;
}
