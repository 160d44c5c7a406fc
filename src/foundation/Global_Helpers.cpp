#include "foundation/Global_Helpers.h"

#include <cmath>
#include <cstring>

#include "framework/runtime/SysUtils.h"

namespace {

// The system's button-face colour (system colour index 15).
constexpr Integer BtnFaceColor = Integer(0xFF00000Fu);

// The first and the last day a date can fall on (years 1 and 9999).
constexpr Double MinDateTime = -693593.0;
constexpr Double MaxDateTime = 2958466.0;
constexpr Double OneMillisecond = 1.0 / 86400000.0;

Integer Clamped(Int64 V)
{
    return V > 2147483647 ? 2147483647 : V < -2147483647 - 1 ? -2147483647 - 1 : Integer(V);
}

Integer TieOrder(TRow* Row1, TRow* Row2, Integer TieColIndex)
{
    return Clamped(Int64(Row1->GetItem(TieColIndex)->Value()) - Row2->GetItem(TieColIndex)->Value());
}

Double CellDate(TRow* Row, Integer ColIndex)
{
    const String Text = Row->GetItem(ColIndex)->Text();
    Double D = 0;
    if (!TryStrToFloat(Text, D)) throw EConvertError(Format(u"'%s' is not a valid floating point value", {Text}));
    if (!(D >= MinDateTime && D < MaxDateTime))
        throw EConvertError(Format(u"'%s' is not a valid date and time", {Text}));
    return D;
}

}  // namespace

Integer CompareRowValues(TRow* Row1, TRow* Row2, Integer ColIndex, bool Ascending, Integer TieColIndex)
{
    Int64 A = Row1->GetItem(ColIndex)->Value(), B = Row2->GetItem(ColIndex)->Value();
    if (!Ascending) std::swap(A, B);
    if (A != B) return Clamped(A - B);
    return TieOrder(Row1, Row2, TieColIndex);
}

Integer CompareRowDates(TRow* Row1, TRow* Row2, Integer ColIndex, bool Ascending, Integer TieColIndex)
{
    Double A = CellDate(Row1, ColIndex), B = CellDate(Row2, ColIndex);
    if (!Ascending) std::swap(A, B);
    if (std::fabs(A - B) >= OneMillisecond) return A < B ? -1 : 1;
    return TieOrder(Row1, Row2, TieColIndex);
}

String Color32ToText(TColor32 Color, bool WithParens)
{
    const String Text = Format(u"%d, %d, %d, %d", {Integer(Color >> 24), Integer((Color >> 16) & 0xFF),
                                                   Integer((Color >> 8) & 0xFF), Integer(Color & 0xFF)});
    return WithParens ? u"(" + Text + u")" : Text;
}

void DrawCheckerboard(TCustomBitmap32* Bitmap, const TRect& R, Integer Size)
{
    Bitmap->Clear(ColorToColor32(BtnFaceColor));
    if (Size < 1) return;
    const Integer Columns = (R.Right - R.Left) / Size, Rows = (R.Bottom - R.Top) / Size;
    if (Rows < 0) return;
    for (Integer Row = 0; Row <= Rows; ++Row)
        for (Integer Col = 0; Col <= Columns; ++Col) {
            const Integer X = R.Left + Col * Size, Y = R.Top + Row * Size;
            const Integer X2 = std::min(X + Size, R.Right), Y2 = std::min(Y + Size, R.Bottom);
            if (X2 <= 0 || Y2 <= 0 || X >= Bitmap->Width() || Y >= Bitmap->Height()) continue;
            Bitmap->FillRectS(X, Y, X2, Y2, (Col % 2) == (Row % 2) ? 0xFFCCCCCC : 0xFFFFFFFF);
        }
}

void WhitenOutsideMask(uint8_t* Bitmap, const uint8_t* Mask, Integer Width, Integer Height, Integer BitmapStride,
                       Integer MaskStride)
{
    const uint32_t White = 0x00FFFFFF;
    for (Integer Y = 0; Y < Height; ++Y) {
        uint8_t* B = Bitmap + Int64(Y) * BitmapStride;
        const uint8_t* M = Mask + Int64(Y) * MaskStride;
        Integer X = 0;
        for (; X < Width && M[X * 4] == 0; ++X) std::memcpy(B + X * 4, &White, 4);
        for (Integer Z = Width - 1; Z > X && M[Z * 4] == 0; --Z) std::memcpy(B + Z * 4, &White, 4);
    }
}

void WhitenOutsideMask(TCustomBitmap32* Bitmap, TCustomBitmap32* Mask)
{
    if (Bitmap->Width() != Mask->Width() || Bitmap->Height() != Mask->Height() || Bitmap->Empty()) return;
    WhitenOutsideMask(reinterpret_cast<uint8_t*>(Bitmap->Bits()), reinterpret_cast<const uint8_t*>(Mask->Bits()),
                      Bitmap->Width(), Bitmap->Height(), Bitmap->Width() * 4, Mask->Width() * 4);
    Bitmap->Changed();
}
