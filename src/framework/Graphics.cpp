#include "framework/Graphics.h"

#include <algorithm>
#include <atomic>

namespace {

// Holds an optional owner lock for a scope.
class TOwnerLockGuard {
public:
    explicit TOwnerLockGuard(CRITICAL_SECTION* Lock) : FLock(Lock)
    {
        if (FLock) EnterCriticalSection(FLock);
    }
    ~TOwnerLockGuard()
    {
        if (FLock) LeaveCriticalSection(FLock);
    }
    TOwnerLockGuard(const TOwnerLockGuard&) = delete;
    TOwnerLockGuard& operator=(const TOwnerLockGuard&) = delete;

private:
    CRITICAL_SECTION* FLock;
};

Integer ScreenLogPixels()
{
    static const Integer Value = [] {
        HDC dc = GetDC(nullptr);
        Integer v = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
        if (dc) ReleaseDC(nullptr, dc);
        return v > 0 ? v : 96;
    }();
    return Value;
}

String LastErrorText()
{
    DWORD code = GetLastError();
    wchar_t* buf = nullptr;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<wchar_t*>(&buf), 0, nullptr);
    String r = n ? TrimRight(FromWStr(buf)) : u"System error " + IntToStr(code);
    if (buf) LocalFree(buf);
    return r;
}

[[noreturn]] void OutOfResources()
{
    throw EOutOfResources(u"Out of system resources");
}

const RECT* AsRECT(const TRect& R) { return reinterpret_cast<const RECT*>(&R); }

}  // namespace

TColor ColorToRGB(TColor Color)
{
    if (Color < 0) return static_cast<TColor>(GetSysColor(Color & 0xFF));
    return Color;
}

// ---------------------------------------------------------------------------
// TGraphicsObject

void TGraphicsObject::Lock()
{
    if (FOwnerLock) EnterCriticalSection(FOwnerLock);
}

void TGraphicsObject::Unlock()
{
    if (FOwnerLock) LeaveCriticalSection(FOwnerLock);
}

void TGraphicsObject::Changed()
{
    if (OnChange) OnChange(this);
}

void TGraphicsObject::HandleChanged()
{
    HGDIOBJ old;
    bool owns;
    {
        TOwnerLockGuard guard(FOwnerLock);
        old = FHandle;
        owns = FOwnsHandle;
        FHandle = nullptr;
        FOwnsHandle = true;
    }
    Changed();
    if (old && owns) DeleteObject(old);
}

void TGraphicsObject::DestroyHandle()
{
    if (FHandle && FOwnsHandle) DeleteObject(FHandle);
    FHandle = nullptr;
    FOwnsHandle = true;
}

// ---------------------------------------------------------------------------
// TFont

TFont::TFont() : FName(u"Tahoma"), FPixelsPerInch(ScreenLogPixels())
{
    FHeight = -MulDiv(8, FPixelsPerInch, 72);
}

TFont::~TFont() { DestroyHandle(); }

void TFont::Assign(TPersistent* Source)
{
    if (auto* f = dynamic_cast<TFont*>(Source)) {
        if (f == this) return;
        {
            TOwnerLockGuard guard(OwnerCriticalSection());
            FName = f->FName;
            FHeight = f->FHeight;
            FStyle = f->FStyle;
            FColor = f->FColor;
            FCharset = f->FCharset;
            FOrientation = f->FOrientation;
            FPitch = f->FPitch;
            FQuality = f->FQuality;
            FPixelsPerInch = f->FPixelsPerInch;
        }
        HandleChanged();
        return;
    }
    TGraphicsObject::Assign(Source);
}

HFONT TFont::Handle()
{
    TOwnerLockGuard guard(OwnerCriticalSection());
    if (!FHandle) {
        LOGFONTW lf{};
        lf.lfHeight = FHeight;
        lf.lfEscapement = FOrientation;
        lf.lfOrientation = FOrientation;
        lf.lfWeight = (FStyle & fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (FStyle & fsItalic) ? 1 : 0;
        lf.lfUnderline = (FStyle & fsUnderline) ? 1 : 0;
        lf.lfStrikeOut = (FStyle & fsStrikeOut) ? 1 : 0;
        lf.lfCharSet = FCharset;
        // Rotated text needs an outline font.
        lf.lfOutPrecision = FOrientation != 0 ? OUT_TT_ONLY_PRECIS : OUT_DEFAULT_PRECIS;
        lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        static const BYTE Qualities[] = {DEFAULT_QUALITY,         DRAFT_QUALITY,     PROOF_QUALITY,
                                         NONANTIALIASED_QUALITY,  ANTIALIASED_QUALITY, CLEARTYPE_QUALITY,
                                         CLEARTYPE_NATURAL_QUALITY};
        lf.lfQuality = Qualities[FQuality];
        static const BYTE Pitches[] = {DEFAULT_PITCH, VARIABLE_PITCH, FIXED_PITCH};
        lf.lfPitchAndFamily = Pitches[FPitch];
        String face = SameText(FName, u"Default") ? String(u"Tahoma") : FName;
        face = face.substr(0, LF_FACESIZE - 1);
        std::copy(face.begin(), face.end(), lf.lfFaceName);
        FHandle = CreateFontIndirectW(&lf);
        if (!FHandle) OutOfResources();
        FOwnsHandle = true;
    }
    return static_cast<HFONT>(FHandle);
}

void TFont::SetHandle(HFONT Value)
{
    if (Value == FHandle) return;
    LOGFONTW lf{};
    if (Value && GetObjectW(Value, sizeof lf, &lf) == sizeof lf) {
        TOwnerLockGuard guard(OwnerCriticalSection());
        FHeight = lf.lfHeight;
        FOrientation = lf.lfOrientation;
        FStyle = (lf.lfWeight >= FW_BOLD ? fsBold : 0) | (lf.lfItalic ? fsItalic : 0) |
                 (lf.lfUnderline ? fsUnderline : 0) | (lf.lfStrikeOut ? fsStrikeOut : 0);
        FCharset = lf.lfCharSet;
        FName = FromWStr(lf.lfFaceName);
        switch (lf.lfPitchAndFamily & 3) {
        case VARIABLE_PITCH: FPitch = fpVariable; break;
        case FIXED_PITCH: FPitch = fpFixed; break;
        default: FPitch = fpDefault;
        }
        switch (lf.lfQuality) {
        case DRAFT_QUALITY: FQuality = fqDraft; break;
        case PROOF_QUALITY: FQuality = fqProof; break;
        case NONANTIALIASED_QUALITY: FQuality = fqNonAntialiased; break;
        case ANTIALIASED_QUALITY: FQuality = fqAntialiased; break;
        case CLEARTYPE_QUALITY: FQuality = fqClearType; break;
        case CLEARTYPE_NATURAL_QUALITY: FQuality = fqClearTypeNatural; break;
        default: FQuality = fqDefault;
        }
    }
    HandleChanged();
    TOwnerLockGuard guard(OwnerCriticalSection());
    FHandle = Value;
    FOwnsHandle = true;
}

void TFont::SetName(const String& Value)
{
    if (Value.empty() || Value == FName) return;
    FName = Value;
    HandleChanged();
}

void TFont::SetHeight(Integer Value)
{
    if (Value == FHeight) return;
    FHeight = Value;
    HandleChanged();
}

Integer TFont::Size() const { return -MulDiv(FHeight, 72, FPixelsPerInch); }

void TFont::SetSize(Integer Value) { SetHeight(-MulDiv(Value, FPixelsPerInch, 72)); }

void TFont::SetStyle(TFontStyles Value)
{
    if (Value == FStyle) return;
    FStyle = Value;
    HandleChanged();
}

void TFont::SetColor(TColor Value)
{
    if (Value == FColor) return;
    FColor = Value;
    Changed();  // the colour is not part of the handle
}

void TFont::SetCharset(TFontCharset Value)
{
    if (Value == FCharset) return;
    FCharset = Value;
    HandleChanged();
}

void TFont::SetOrientation(Integer Value)
{
    if (Value == FOrientation) return;
    FOrientation = Value;
    HandleChanged();
}

void TFont::SetPitch(TFontPitch Value)
{
    if (Value == FPitch) return;
    FPitch = Value;
    HandleChanged();
}

void TFont::SetQuality(TFontQuality Value)
{
    if (Value == FQuality) return;
    FQuality = Value;
    HandleChanged();
}

// ---------------------------------------------------------------------------
// TPen

TPen::~TPen() { DestroyHandle(); }

void TPen::Assign(TPersistent* Source)
{
    if (auto* p = dynamic_cast<TPen*>(Source)) {
        if (p == this) return;
        FColor = p->FColor;
        FWidth = p->FWidth;
        FStyle = p->FStyle;
        FMode = p->FMode;
        HandleChanged();
        return;
    }
    TGraphicsObject::Assign(Source);
}

HPEN TPen::Handle()
{
    TOwnerLockGuard guard(OwnerCriticalSection());
    if (!FHandle) {
        static const UINT Styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
        LOGPEN lp{};
        lp.lopnStyle = Styles[FStyle];
        lp.lopnWidth.x = FWidth;
        lp.lopnColor = static_cast<COLORREF>(ColorToRGB(FColor));
        FHandle = CreatePenIndirect(&lp);
        if (!FHandle) OutOfResources();
        FOwnsHandle = true;
    }
    return static_cast<HPEN>(FHandle);
}

void TPen::SetColor(TColor Value)
{
    if (Value == FColor) return;
    FColor = Value;
    HandleChanged();
}

void TPen::SetWidth(Integer Value)
{
    if (Value < 0 || Value == FWidth) return;
    FWidth = Value;
    HandleChanged();
}

void TPen::SetStyle(TPenStyle Value)
{
    if (Value == FStyle) return;
    FStyle = Value;
    HandleChanged();
}

void TPen::SetMode(TPenMode Value)
{
    if (Value == FMode) return;
    FMode = Value;
    Changed();
}

// ---------------------------------------------------------------------------
// TBrush

TBrush::~TBrush() { DestroyHandle(); }

void TBrush::Assign(TPersistent* Source)
{
    if (auto* b = dynamic_cast<TBrush*>(Source)) {
        if (b == this) return;
        FColor = b->FColor;
        FStyle = b->FStyle;
        FBitmap = b->FBitmap;
        HandleChanged();
        return;
    }
    TGraphicsObject::Assign(Source);
}

HBRUSH TBrush::Handle()
{
    TOwnerLockGuard guard(OwnerCriticalSection());
    if (!FHandle) {
        FOwnsHandle = true;
        if (FStyle == bsClear) {
            FHandle = GetStockObject(NULL_BRUSH);
            FOwnsHandle = false;
        } else if (FStyle == bsSolid) {
            FHandle = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(FColor)));
        } else {
            static const int Hatches[] = {HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL,
                                          HS_BDIAGONAL,  HS_CROSS,    HS_DIAGCROSS};
            FHandle = CreateHatchBrush(Hatches[FStyle - bsHorizontal], static_cast<COLORREF>(ColorToRGB(FColor)));
        }
        if (!FHandle) OutOfResources();
    }
    return static_cast<HBRUSH>(FHandle);
}

void TBrush::SetColor(TColor Value)
{
    if (Value == FColor) return;
    FColor = Value;
    // A colour given to a clear brush is meant to be painted.
    if (FStyle == bsClear) FStyle = bsSolid;
    HandleChanged();
}

void TBrush::SetStyle(TBrushStyle Value)
{
    if (Value == FStyle) return;
    FStyle = Value;
    HandleChanged();
}

void TBrush::SetBitmap(TBitmap* Value)
{
    if (Value == FBitmap) return;
    FBitmap = Value;
    HandleChanged();
}

// ---------------------------------------------------------------------------
// TCanvas

TCanvas::TCanvas()
{
    InitializeCriticalSection(&FLock);
    FFont = std::make_unique<TFont>();
    FFont->OnChange = [this](TObject* Sender) { FontChanged(Sender); };
    FFont->SetOwnerCriticalSection(&FLock);
    FPen = std::make_unique<TPen>();
    FPen->OnChange = [this](TObject* Sender) { PenChanged(Sender); };
    FPen->SetOwnerCriticalSection(&FLock);
    FBrush = std::make_unique<TBrush>();
    FBrush->OnChange = [this](TObject* Sender) { BrushChanged(Sender); };
    FBrush->SetOwnerCriticalSection(&FLock);
}

TCanvas::~TCanvas()
{
    SetHandle(nullptr);
    FFont->OnChange = nullptr;
    FPen->OnChange = nullptr;
    FBrush->OnChange = nullptr;
    FFont->SetOwnerCriticalSection(nullptr);
    FPen->SetOwnerCriticalSection(nullptr);
    FBrush->SetOwnerCriticalSection(nullptr);
    DeleteCriticalSection(&FLock);
}

HDC TCanvas::Handle()
{
    RequiredState(csHandleValid);
    return FHandle;
}

void TCanvas::SetHandle(HDC Value)
{
    if (Value == FHandle) return;
    if (FHandle) {
        DeselectHandles();
        POINT p{};
        if (GetCurrentPositionEx(FHandle, &p)) FPenPos = TPoint{p.x, p.y};
        FHandle = nullptr;
        FState &= ~csHandleValid;
    }
    if (Value) {
        FHandle = Value;
        FState |= csHandleValid;
        MoveToEx(FHandle, FPenPos.X, FPenPos.Y, nullptr);
    }
}

void TCanvas::CreateHandle() {}

void TCanvas::RequiredState(TCanvasState ReqState)
{
    TCanvasState needed = ReqState & ~FState;
    if (!needed) return;
    if (needed & csHandleValid) {
        CreateHandle();
        if (!FHandle) throw EInvalidOperation(u"Canvas does not allow drawing");
    }
    if (needed & csFontValid) CreateFont();
    if (needed & csPenValid) CreatePen();
    if (needed & csBrushValid) CreateBrush();
}

void TCanvas::CreateFont()
{
    SelectObject(FHandle, FFont->Handle());
    SetTextColor(FHandle, static_cast<COLORREF>(ColorToRGB(FFont->Color())));
    FState |= csFontValid;
}

void TCanvas::CreatePen()
{
    static const int Rops[] = {R2_BLACK,       R2_WHITE,       R2_NOP,         R2_NOT,
                               R2_COPYPEN,     R2_NOTCOPYPEN,  R2_MERGEPENNOT, R2_MASKPENNOT,
                               R2_MERGENOTPEN, R2_MASKNOTPEN,  R2_MERGEPEN,    R2_NOTMERGEPEN,
                               R2_MASKPEN,     R2_NOTMASKPEN,  R2_XORPEN,      R2_NOTXORPEN};
    SelectObject(FHandle, FPen->Handle());
    SetROP2(FHandle, Rops[FPen->Mode()]);
    FState |= csPenValid;
}

void TCanvas::CreateBrush()
{
    HBRUSH b = FBrush->Handle();
    UnrealizeObject(b);
    SelectObject(FHandle, b);
    COLORREF c = static_cast<COLORREF>(ColorToRGB(FBrush->Color()));
    if (FBrush->Style() == bsSolid) {
        SetBkColor(FHandle, c);
        SetBkMode(FHandle, OPAQUE);
    } else {
        // Hatches are drawn over a transparent background; a background colour
        // equal to the hatch colour would hide them on some systems.
        SetBkColor(FHandle, ~c & 0xFFFFFF);
        SetBkMode(FHandle, TRANSPARENT);
    }
    FState |= csBrushValid;
}

void TCanvas::DeselectHandles()
{
    if (!FHandle) return;
    if (FState & csFontValid) SelectObject(FHandle, GetStockObject(SYSTEM_FONT));
    if (FState & csPenValid) SelectObject(FHandle, GetStockObject(BLACK_PEN));
    if (FState & csBrushValid) SelectObject(FHandle, GetStockObject(HOLLOW_BRUSH));
    FState &= ~(csFontValid | csPenValid | csBrushValid);
}

void TCanvas::FontChanged(TObject*)
{
    if (FState & csFontValid) {
        FState &= ~csFontValid;
        SelectObject(FHandle, GetStockObject(SYSTEM_FONT));
    }
}

void TCanvas::PenChanged(TObject*)
{
    if (FState & csPenValid) {
        FState &= ~csPenValid;
        SelectObject(FHandle, GetStockObject(BLACK_PEN));
    }
}

void TCanvas::BrushChanged(TObject*)
{
    if (FState & csBrushValid) {
        FState &= ~csBrushValid;
        SelectObject(FHandle, GetStockObject(HOLLOW_BRUSH));
    }
}

void TCanvas::Changing()
{
    if (OnChanging) OnChanging(this);
}

void TCanvas::Changed()
{
    if (OnChange) OnChange(this);
}

void TCanvas::Lock()
{
    EnterCriticalSection(&FLock);
    ++FLockCount;
}

void TCanvas::Unlock()
{
    --FLockCount;
    LeaveCriticalSection(&FLock);
}

bool TCanvas::TryLock()
{
    if (!TryEnterCriticalSection(&FLock)) return false;
    ++FLockCount;
    return true;
}

void TCanvas::Refresh() { DeselectHandles(); }

TPoint TCanvas::PenPos()
{
    RequiredState(csHandleValid);
    POINT p{};
    GetCurrentPositionEx(FHandle, &p);
    return TPoint{p.x, p.y};
}

TRect TCanvas::ClipRect()
{
    RequiredState(csHandleValid);
    TRect r;
    GetClipBox(FHandle, reinterpret_cast<RECT*>(&r));
    return r;
}

void TCanvas::MoveTo(Integer X, Integer Y)
{
    RequiredState(csHandleValid);
    MoveToEx(FHandle, X, Y, nullptr);
}

void TCanvas::LineTo(Integer X, Integer Y)
{
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    ::LineTo(FHandle, X, Y);
    Changed();
}

void TCanvas::Rectangle(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    ::Rectangle(FHandle, X1, Y1, X2, Y2);
    Changed();
}

void TCanvas::FillRect(const TRect& R)
{
    Changing();
    RequiredState(csHandleValid | csBrushValid);
    ::FillRect(FHandle, AsRECT(R), FBrush->Handle());
    Changed();
}

void TCanvas::FrameRect(const TRect& R)
{
    Changing();
    RequiredState(csHandleValid | csBrushValid);
    ::FrameRect(FHandle, AsRECT(R), FBrush->Handle());
    Changed();
}

void TCanvas::Ellipse(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    ::Ellipse(FHandle, X1, Y1, X2, Y2);
    Changed();
}

void TCanvas::RoundRect(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3)
{
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    ::RoundRect(FHandle, X1, Y1, X2, Y2, X3, Y3);
    Changed();
}

void TCanvas::Arc(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4)
{
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    ::Arc(FHandle, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
    Changed();
}

void TCanvas::Pie(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4)
{
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    ::Pie(FHandle, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
    Changed();
}

void TCanvas::Polygon(const TPoint* Points, Integer Count)
{
    if (Count <= 0) return;
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    ::Polygon(FHandle, reinterpret_cast<const POINT*>(Points), Count);
    Changed();
}

void TCanvas::Polyline(const TPoint* Points, Integer Count)
{
    if (Count <= 0) return;
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    ::Polyline(FHandle, reinterpret_cast<const POINT*>(Points), Count);
    Changed();
}

void TCanvas::DrawFocusRect(const TRect& R)
{
    Changing();
    RequiredState(csHandleValid | csBrushValid);
    ::DrawFocusRect(FHandle, AsRECT(R));
    Changed();
}

void TCanvas::TextOut(Integer X, Integer Y, const String& Text)
{
    Changing();
    RequiredState(csHandleValid | csFontValid | csBrushValid);
    ExtTextOutW(FHandle, X, Y, static_cast<UINT>(FTextFlags), nullptr, WStr(Text), static_cast<UINT>(Text.size()),
                nullptr);
    MoveTo(X + TextWidth(Text), Y);
    Changed();
}

void TCanvas::TextRect(const TRect& R, Integer X, Integer Y, const String& Text)
{
    Changing();
    RequiredState(csHandleValid | csFontValid | csBrushValid);
    UINT options = ETO_CLIPPED | static_cast<UINT>(FTextFlags);
    if (FBrush->Style() != bsClear) options |= ETO_OPAQUE;
    ExtTextOutW(FHandle, X, Y, options, AsRECT(R), WStr(Text), static_cast<UINT>(Text.size()), nullptr);
    Changed();
}

TSize TCanvas::TextExtent(const String& Text)
{
    RequiredState(csHandleValid | csFontValid);
    SIZE s{};
    GetTextExtentPoint32W(FHandle, WStr(Text), static_cast<int>(Text.size()), &s);
    return TSize{s.cx, s.cy};
}

TColor TCanvas::Pixels(Integer X, Integer Y)
{
    RequiredState(csHandleValid);
    return static_cast<TColor>(GetPixel(FHandle, X, Y));
}

void TCanvas::SetPixels(Integer X, Integer Y, TColor Value)
{
    Changing();
    RequiredState(csHandleValid | csPenValid);
    SetPixel(FHandle, X, Y, static_cast<COLORREF>(ColorToRGB(Value)));
    Changed();
}

void TCanvas::Draw(Integer X, Integer Y, TGraphic* Graphic)
{
    if (!Graphic || Graphic->Empty()) return;
    StretchDraw(TRect{X, Y, X + Graphic->Width(), Y + Graphic->Height()}, Graphic);
}

void TCanvas::StretchDraw(const TRect& R, TGraphic* Graphic)
{
    if (!Graphic || Graphic->Empty()) return;
    Changing();
    RequiredState(csHandleValid);
    // Monochrome pictures take their two colours from the canvas.
    SetBkColor(FHandle, static_cast<COLORREF>(ColorToRGB(FBrush->Color())));
    SetTextColor(FHandle, static_cast<COLORREF>(ColorToRGB(FFont->Color())));
    Graphic->Draw(this, R);
    Changed();
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source)
{
    Changing();
    RequiredState(csHandleValid | csFontValid | csBrushValid);
    Canvas->RequiredState(csHandleValid | csBrushValid);
    SetStretchBltMode(FHandle, COLORONCOLOR);
    StretchBlt(FHandle, Dest.Left, Dest.Top, Dest.Width(), Dest.Height(), Canvas->FHandle, Source.Left, Source.Top,
               Source.Width(), Source.Height(), static_cast<DWORD>(FCopyMode));
    Changed();
}

void Frame3D(TCanvas* Canvas, TRect& R, TColor TopColor, TColor BottomColor, Integer Width)
{
    Canvas->Pen()->SetWidth(1);
    // Work on the inclusive corners: the last column and row belong to the frame.
    --R.Bottom;
    --R.Right;
    for (; Width > 0; --Width) {
        Canvas->Pen()->SetColor(TopColor);
        const TPoint topLeftArm[3] = {{R.Left, R.Bottom}, {R.Left, R.Top}, {R.Right, R.Top}};
        Canvas->Polyline(topLeftArm, 3);
        Canvas->Pen()->SetColor(BottomColor);
        // Polyline leaves out its last point, so the bottom arm runs one pixel further left.
        const TPoint bottomRightArm[3] = {{R.Right, R.Top}, {R.Right, R.Bottom}, {R.Left - 1, R.Bottom}};
        Canvas->Polyline(bottomRightArm, 3);
        ++R.Left;
        ++R.Top;
        --R.Right;
        --R.Bottom;
    }
    ++R.Bottom;
    ++R.Right;
}

// ---------------------------------------------------------------------------
// TGraphic

void TGraphic::SetSize(Integer AWidth, Integer AHeight)
{
    SetWidth(AWidth);
    SetHeight(AHeight);
}

void TGraphic::SetTransparent(bool Value)
{
    if (Value == FTransparent) return;
    FTransparent = Value;
    Changed();
}

void TGraphic::SetModified(bool Value)
{
    if (Value) Changed();
    else FModified = false;
}

void TGraphic::Changed()
{
    FModified = true;
    if (OnChange) OnChange(this);
}

void TGraphic::LoadFromFile(const String& FileName)
{
    TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&stream);
}

void TGraphic::SaveToFile(const String& FileName)
{
    static std::atomic<unsigned> Counter{0};
    String dir = ExtractFilePath(ExpandFileName(FileName));
    String temp = dir + u"~" + ExtractFileName(FileName) + u"." +
                  IntToHex(static_cast<Int64>(GetCurrentProcessId()) * 65536 + (++Counter & 0xFFFF), 8) + u".tmp";
    std::unique_ptr<TFileStream> stream;
    try {
        stream = std::make_unique<TFileStream>(temp, fmCreate);
    } catch (EFCreateError& e) {
        // The temporary name means nothing to the user: report the file asked for.
        throw EFCreateError(StringReplace(e.Message(), temp, FileName, rfReplaceAll));
    }
    try {
        SaveToStream(stream.get());
        stream.reset();
        if (!MoveFileExW(WStr(temp), WStr(FileName), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            throw EFCreateError(u"Cannot create file \"" + FileName + u"\". " + LastErrorText());
    } catch (...) {
        stream.reset();
        DeleteFileW(WStr(temp));
        throw;
    }
}
