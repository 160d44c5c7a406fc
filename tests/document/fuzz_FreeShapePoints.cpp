// Fuzz target of the free shape's stored text (object-table column 42):
// byte 0 chooses a skew handle and a point to select, the rest is the text.
// Whatever the text, the loaded shape samples, measures, hit-tests, skews,
// splits and loses nodes within its rows, and its text reads back.
#include "FuzzSupport.h"
#include "document/ImageFreeShape.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    if (Size < 1) return 0;
    String Text;
    for (size_t i = 1; i < Size; ++i) Text += static_cast<char16_t>(Data[i]);
    TCustomBitmap32 Bitmap;
    Bitmap.SetSize(8, 8);
    TImgFreeShape F(nullptr, 1, &Bitmap);
    F.SetLoading(true);
    F.SetPoints(Text);
    F.SetLoading(false);
    F.SetCreating(false);
    const Integer Rows = F.BezierCount();
    FuzzCheck(F.SelectPointIndex() < 2 * Rows, "the selected point lies beyond the rows");
    F.CalcRect();
    F.CalcCenterPoint();
    F.CalcPointsRatio();
    F.CalcPoints(false);
    const TRect R = F.SRect();
    F.PtInShape(R.Left, R.Top);
    // A skew drag of one side handle.
    F.TImgShape::SetControlMode(4);
    F.Click();
    F.SetCurrentCtrIndex(5 + Data[0] % 4);
    F.AdjustShape(0, 0, 7, -9);
    F.CalcPoints(false);
    if (F.PtInPath(R.Left, R.Top)) F.AddNodePoint();
    FuzzCheck(F.BezierCount() >= Rows, "a split lost a segment");
    F.SetSelectPointIndex(Rows > 0 ? (Data[0] >> 2) % (2 * Rows) : -1);
    F.BreakNode();
    F.SetSelectPointIndex(0);
    F.HideTangent();
    F.DeleteSelectPoints();
    F.Draw(nullptr);
    TImgFreeShape Again(nullptr, 2, &Bitmap);
    Again.SetPoints(F.GetPoints());
    FuzzCheck(Again.BezierCount() == F.BezierCount(), "the stored text does not read back");
    return 0;
}
