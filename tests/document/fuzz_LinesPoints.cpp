// Fuzz target of the pencil stroke's row texts: byte 0 chooses the style
// (bits 0..1), the pen width (bits 2..6) and whether the stroke is still
// being drawn (bit 7), bytes 1..8 its rectangle (four 16-bit values); the
// rest is the points text, a zero byte, then the ratio text. Whatever the
// texts, the stroke keeps one ratio pair per point, inside its rectangle,
// and drawing, hit tests, scaling and thinning read only its points.
#include <cmath>

#include "FuzzSupport.h"
#include "document/ImageLines.h"

namespace {
Integer Int16At(const uint8_t* Data, size_t I) { return static_cast<int16_t>(Data[I] | (Data[I + 1] << 8)); }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    if (Size < 9) return 0;
    const TRect R{Int16At(Data, 1), Int16At(Data, 3), Int16At(Data, 5), Int16At(Data, 7)};
    String Points, Ratios;
    bool Second = false;
    for (size_t i = 9; i < Size; ++i) {
        if (Data[i] == 0 && !Second) Second = true;
        else (Second ? Ratios : Points) += static_cast<char16_t>(Data[i]);
    }
    TCustomBitmap32 Bitmap;
    Bitmap.SetSize(8, 8);
    TImgLines L(nullptr, 0, &Bitmap);
    L.SetStyleId(Data[0] & 3);
    L.SetOutWidth((Data[0] >> 2) & 31);
    L.SetSRect(R);
    L.SetPoints(Points);
    L.SetPointsRatio(Ratios);
    const size_t N = static_cast<size_t>(L.PointsCount());
    FuzzCheck(L.PointsRX().size() == N && L.PointsRY().size() == N, "a point without its ratios");
    for (size_t i = 0; i < N; ++i)
        FuzzCheck(L.PointsRX()[i] >= 0 && L.PointsRX()[i] <= 1 && L.PointsRY()[i] >= 0 && L.PointsRY()[i] <= 1,
                  "a ratio outside the rectangle");
    // The ratio text written reads back as the same ratios.
    TImgLines Back(nullptr, 0, &Bitmap);
    Back.SetSRect(R);
    Back.SetPoints(L.GetPoints());
    Back.SetPointsRatio(L.GetPointsRatio());
    FuzzCheck(Back.PointsRX() == L.PointsRX() && Back.PointsRY() == L.PointsRY(), "the ratios do not read back");

    L.SetCreating((Data[0] & 0x80) != 0);
    L.SetDebounce(true);
    L.CalcPoints(false);
    L.CalcRect();
    L.PtInShape(R.Left, R.Top);
    L.BuildDrawing();
    L.Draw(nullptr);
    L.VerifyPoints();
    FuzzCheck(L.PointsCount() <= static_cast<Integer>(N) && (N < 2 || L.PointsCount() >= 2),
              "thinning lost an end or made points");
    L.AddNewPoint(1, 2);
    L.CalcRect();
    L.CalcPointsRatio();
    L.OffsetShape(3, 4);
    L.BuildDrawing();
    return 0;
}
