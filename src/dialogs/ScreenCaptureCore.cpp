#include "dialogs/ScreenCaptureCore.h"

#include <algorithm>

#include "framework/runtime/SysUtils.h"

namespace ScreenCapture {

void TSnapSelection::SetSnapMode(TSnapMode Mode, Integer W, Integer H)
{
    FMode = Mode;
    if (Mode == smFixRect) {
        FSnapWidth = W;
        FSnapHeight = H;
        FCurRect = TRect{FCurPoint.X, FCurPoint.Y, FCurPoint.X + W, FCurPoint.Y + H};
    }
}

bool TSnapSelection::MouseMove(Integer X, Integer Y)
{
    FCurPoint = TPoint{X, Y};
    if (FMode == smRect && FStarted)
        // Both the start pixel and the one under the pointer lie inside.
        FCurRect = TRect{std::min(X, FStartPoint.X), std::min(Y, FStartPoint.Y), std::max(X, FStartPoint.X) + 1,
                         std::max(Y, FStartPoint.Y) + 1};
    else if (FMode == smFixRect)
        FCurRect = TRect{X, Y, X + FSnapWidth, Y + FSnapHeight};
    return FMode == smRect || FMode == smPolygon || FMode == smFixRect || FMode == smPickColor;
}

void TSnapSelection::PressLeft(Integer X, Integer Y)
{
    if (FResult != srRunning) return;
    if (X == -1 || Y == -1) {
        X = FCurPoint.X;
        Y = FCurPoint.Y;
    }
    switch (FMode) {
    case smRect:
        if (!FStarted) {
            FStartPoint = TPoint{X, Y};
            FStarted = true;
            MouseMove(X, Y);
        } else {
            MouseMove(X, Y);
            Finish(srOk);
        }
        break;
    case smWindow:
        if (!FStarted)
            FStarted = true;
        else
            Finish(srOk);
        break;
    case smPolygon:
        if (FPoints.empty() || !(FPoints.back() == TPoint{X, Y})) FPoints.push_back(TPoint{X, Y});
        break;
    case smFixRect:
        FCurRect.Left = std::max<Integer>(FCurRect.Left, 0);
        FCurRect.Top = std::max<Integer>(FCurRect.Top, 0);
        FCurRect.Right = std::min(FCurRect.Right, FScreenW);
        FCurRect.Bottom = std::min(FCurRect.Bottom, FScreenH);
        Finish(FCurRect.Width() > 0 && FCurRect.Height() > 0 ? srOk : srCancel);
        break;
    case smPickColor:
        Finish(srCancel);
        break;
    default:
        break;
    }
}

void TSnapSelection::DoubleClick()
{
    if (FMode != smPolygon || FResult != srRunning) return;
    if (FPoints.size() < 3) {
        Finish(srCancel);
        return;
    }
    TRect Box{FPoints[0].X, FPoints[0].Y, FPoints[0].X, FPoints[0].Y};
    for (const TPoint& P : FPoints) {
        Box.Left = std::min(Box.Left, P.X);
        Box.Top = std::min(Box.Top, P.Y);
        Box.Right = std::max(Box.Right, P.X);
        Box.Bottom = std::max(Box.Bottom, P.Y);
    }
    FCurRect = Box;
    Finish(Box.Width() > 0 && Box.Height() > 0 ? srOk : srCancel);
}

TKeyAction TSnapSelection::Key(Integer VirtualKey) const
{
    TKeyAction A;
    switch (VirtualKey) {
    case 13: A.Press = true; break;
    case 27: A.Cancel = true; break;
    case 37: A.Dx = -1; break;
    case 38: A.Dy = -1; break;
    case 39: A.Dx = 1; break;
    case 40: A.Dy = 1; break;
    default: return A;
    }
    A.Handled = true;
    return A;
}

TRect InfoBoxRect(TSnapMode Mode, const TPoint& Cursor, Integer SnapHeight, Integer ScreenW, Integer ScreenH)
{
    Integer Right = 20, Down = 13, Left = 20, Up = 13;
    if (Mode == smFixRect) {
        Right = 0;
        Down = SnapHeight + 8;
        Left = 8;
        Up = 8;
    }
    const Integer L = Cursor.X + Right + InfoBoxW < ScreenW ? Cursor.X + Right : Cursor.X - InfoBoxW - Left;
    const Integer T = Cursor.Y + Down + InfoBoxH < ScreenH ? Cursor.Y + Down : Cursor.Y - InfoBoxH - Up;
    return TRect{L, T, L + InfoBoxW, T + InfoBoxH};
}

TPoint ShowColorPlace(Integer X, Integer Y, Integer W, Integer H, Integer ScreenW, Integer ScreenH)
{
    return TPoint{X + 20 + W <= ScreenW ? X + 20 : X - 20 - W, Y + H <= ScreenH ? Y : Y - H};
}

namespace {
Integer R(uint32_t C) { return C & 0xFF; }
Integer G(uint32_t C) { return (C >> 8) & 0xFF; }
Integer B(uint32_t C) { return (C >> 16) & 0xFF; }
String Hex2(Integer V) { return IntToHex(V, 2); }
} // namespace

String ColorRgbText(uint32_t Color)
{
    return u"(" + IntToStr(R(Color)) + u", " + IntToStr(G(Color)) + u", " + IntToStr(B(Color)) + u")";
}

std::vector<String> ColorPickerValues(uint32_t Color)
{
    Color &= 0xFFFFFF;
    const String Bgr = Hex2(B(Color)) + Hex2(G(Color)) + Hex2(R(Color));
    return {IntToStr(R(Color)) + u", " + IntToStr(G(Color)) + u", " + IntToStr(B(Color)), IntToStr(Color),
            u"#" + Hex2(R(Color)) + Hex2(G(Color)) + Hex2(B(Color)), u"0x" + Bgr, u"$00" + Bgr};
}

Integer PickSourceCode(const String& Name)
{
    static const char16_t* const Names[] = {u"clColor",          u"clFillColor",      u"clFontColor",
                                            u"cbDrawEffectBrushColor", u"clGradientForeColor", u"clGradientBackColor",
                                            u"cbNewColor",       u"cbCanvasColor",    u"clWMTransColor",
                                            u"clFontStrokeColor", u"clShadowColor",   u"cbPointColor",
                                            u"clPointColor",     u"clHatchForeColor", u"clHatchBackColor"};
    for (Integer i = 0; i < 15; ++i)
        if (Name == Names[i]) return i + 1;
    if (Name == u"muTrayColorPicker") return 99;
    return 0;
}

TPickEnd PickEndAction(Integer Code, TPickEndCause Cause)
{
    TPickEnd E;
    if (Code == 0) return E;
    if (Cause != peLeftUp) {
        E.ReleaseLeft = true;
        return E;
    }
    E.ApplyColor = Code >= 1 && Code <= 15;
    E.ShowPicker = Code == 99;
    return E;
}

} // namespace ScreenCapture
