// Fuzz target of the callout point text of text-object rows: byte 0 chooses
// the style (low nibble, 0..15) and the handle dragged (high nibble), bytes
// 1..8 the frame (four 16-bit values), the rest is the text. Whatever the
// text, the callout keeps the points its frame reads, and drawing plans,
// hit tests, handles and drags read only those.
#include "FuzzSupport.h"
#include "document/ImageCallout.h"

namespace {
Integer Int16At(const uint8_t* Data, size_t I) { return static_cast<int16_t>(Data[I] | (Data[I + 1] << 8)); }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    if (Size < 9) return 0;
    TRect R{Int16At(Data, 1), Int16At(Data, 3), Int16At(Data, 5), Int16At(Data, 7)};
    String Text;
    for (size_t i = 9; i < Size; ++i) Text += static_cast<char16_t>(Data[i]);
    TImgShape Shape(nullptr, 1, nullptr);
    const Integer Style = Data[0] % 16;
    Shape.SetStyleId(Style);
    Shape.SetSRect(R);
    Shape.CalcCenterPoint();
    Shape.SetCreating(false);
    TCalloutPoints C;
    C.InitPoints(Style, false);
    C.SetPoints(Shape, Text);
    C.CalcPoints(Shape, false);
    const Integer Needed = Style == 11 ? 40 : CalloutPointCount(Style, false);
    FuzzCheck(C.FPointsCount >= Needed, "a callout lacks the points of its style");
    FuzzCheck(C.FPoints.size() == size_t(C.FPointsCount) && C.FPointsRateX.size() == size_t(C.FPointsCount) &&
                  C.FCtrRect.size() == size_t(C.FPointsCount),
              "the point arrays disagree with the count");
    C.FramePath(Shape);
    C.LayoutRect(Shape);
    C.LinearGradientRect(Shape);
    C.EllipticGradientBox(Shape);
    C.GetMaxLengthOfOutPoint(Shape);
    C.PtInPointer(Style, R.Left - 3, R.Bottom + 3);
    C.CalcControlPoints(Shape);
    C.PtInControl(Shape, R.Left, R.Top);
    Shape.SetCurrentCtrIndex(9 + (Data[0] >> 4));
    C.Click(Shape);
    C.AdjustShape(Shape, 0, 0, 7, -5);
    C.CalcPoints(Shape, false);
    C.UpgradePoints(Shape);
    TArrayOfPoint Again;
    const String Out = C.GetPoints(Style);
    FuzzCheck(Out.empty() ? CalloutPointsNotSaved(Style) || C.FPointsCount == 0
                          : TextToPoints(Out, Again) && static_cast<Integer>(Again.size()) == C.FPointsCount,
              "the point text does not read back");
    return 0;
}
