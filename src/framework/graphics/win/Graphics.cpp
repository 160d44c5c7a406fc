#include "framework/graphics/win/Graphics.h"

#include <algorithm>
#include <cstring>

#include "framework/runtime/win/Classes_Win.h"
#include "framework/graphics/win/GifImg.h"
#include "framework/graphics/win/Jpeg.h"
#include "framework/graphics/win/Metafile.h"
#include "framework/graphics/win/PngImage.h"

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

void TGraphicsObject::ReplaceHandle(HGDIOBJ Value)
{
    HGDIOBJ old;
    bool owns;
    {
        TOwnerLockGuard guard(FOwnerLock);
        old = FHandle;
        owns = FOwnsHandle;
        FHandle = Value;
        FOwnsHandle = true;
    }
    Changed();
    if (old && owns && old != Value) DeleteObject(old);
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
    ReplaceHandle(Value);
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
        if (FBitmap) {
            FHandle = CreatePatternBrush(FBitmap->Handle());
        } else if (FStyle == bsClear) {
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
    SaveFileAtomically(FileName, [this](TStream* Stream) { SaveToStream(Stream); });
}

// ---------------------------------------------------------------------------
// TBitmap

namespace {

struct TSection {
    HBITMAP Handle = nullptr;
    uint8_t* Bits = nullptr;
};

// A top-down DIB section; the palette of an indexed format goes into its colour table.
TSection CreateSection(Integer Width, Integer Height, TPixelFormat Format, const std::vector<uint32_t>& Palette)
{
    struct {
        BITMAPINFOHEADER Header;
        RGBQUAD Colors[256];
    } bi{};
    bi.Header.biSize = sizeof(BITMAPINFOHEADER);
    bi.Header.biWidth = Width;
    bi.Header.biHeight = -Height;
    bi.Header.biPlanes = 1;
    bi.Header.biBitCount = static_cast<WORD>(PixelFormatBits(Format));
    bi.Header.biCompression = BI_RGB;
    if (Format == pf16bit) {
        bi.Header.biCompression = BI_BITFIELDS;
        const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
        std::memcpy(bi.Colors, masks, sizeof masks);
    } else if (IsIndexedFormat(Format)) {
        size_t n = std::min(Palette.size(), size_t(1) << PixelFormatBits(Format));
        bi.Header.biClrUsed = static_cast<DWORD>(n);
        for (size_t i = 0; i < n; ++i) {
            bi.Colors[i].rgbRed = static_cast<BYTE>(Palette[i] >> 16);
            bi.Colors[i].rgbGreen = static_cast<BYTE>(Palette[i] >> 8);
            bi.Colors[i].rgbBlue = static_cast<BYTE>(Palette[i]);
        }
    }
    TSection s;
    void* bits = nullptr;
    s.Handle = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!s.Handle || !bits) {
        if (s.Handle) DeleteObject(s.Handle);
        OutOfResources();
    }
    s.Bits = static_cast<uint8_t*>(bits);
    return s;
}

std::vector<uint32_t> PaletteFor(TPixelFormat Format, const std::vector<uint32_t>& Palette)
{
    if (!IsIndexedFormat(Format)) return {};
    std::vector<uint32_t> p = Palette.empty() ? DefaultPalette(Format) : Palette;
    if (p.size() > (size_t(1) << PixelFormatBits(Format))) p.resize(size_t(1) << PixelFormatBits(Format));
    return p;
}

// Fills a row of Width pixels with white (the palette entry nearest to white).
void FillWhite(uint8_t* Row, Integer Stride, TPixelFormat Format, const std::vector<uint32_t>& Palette)
{
    switch (Format) {
    case pf1bit:
    case pf4bit:
    case pf8bit: {
        int best = 0, bestSum = -1;
        for (size_t i = 0; i < Palette.size(); ++i) {
            int sum = static_cast<int>(((Palette[i] >> 16) & 0xFF) + ((Palette[i] >> 8) & 0xFF) + (Palette[i] & 0xFF));
            if (sum > bestSum) bestSum = sum, best = static_cast<int>(i);
        }
        uint8_t v = Format == pf8bit ? static_cast<uint8_t>(best)
                    : Format == pf4bit ? static_cast<uint8_t>(best << 4 | best)
                                       : static_cast<uint8_t>(best ? 0xFF : 0x00);
        std::memset(Row, v, static_cast<size_t>(Stride));
        break;
    }
    case pf15bit:
        for (Integer i = 0; i + 1 < Stride; i += 2) Row[i] = 0xFF, Row[i + 1] = 0x7F;
        break;
    case pf16bit:
    case pf24bit: std::memset(Row, 0xFF, static_cast<size_t>(Stride)); break;
    default:
        // As GDI paints white on 32 bits: alpha 0.
        for (Integer i = 0; i + 3 < Stride; i += 4) Row[i] = Row[i + 1] = Row[i + 2] = 0xFF, Row[i + 3] = 0;
    }
}

TColor PixelToColor(uint32_t Pixel)
{
    return static_cast<TColor>(((Pixel >> 16) & 0xFF) | (Pixel & 0xFF00) | ((Pixel & 0xFF) << 16));
}

}  // namespace

TBitmapCanvas::~TBitmapCanvas() { FreeContext(); }

void TBitmapCanvas::CreateHandle()
{
    if (FDC) return;
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) OutOfResources();
    FOldBitmap = FBitmap->FHandle ? SelectObject(dc, FBitmap->FHandle) : nullptr;
    FDC = dc;
    SetHandle(dc);
}

void TBitmapCanvas::FreeContext()
{
    if (!FDC) return;
    Lock();
    SetHandle(nullptr);
    if (FOldBitmap) SelectObject(FDC, FOldBitmap);
    DeleteDC(FDC);
    FDC = nullptr;
    FOldBitmap = nullptr;
    Unlock();
}

TBitmap::TBitmap() = default;

TBitmap::TBitmap(Integer AWidth, Integer AHeight) { SetSize(AWidth, AHeight); }

TBitmap::~TBitmap()
{
    FCanvas.reset();
    DeleteSection();
}

void TBitmap::FreeContext()
{
    if (FCanvas) FCanvas->FreeContext();
}

void TBitmap::DeleteSection()
{
    if (FHandle) DeleteObject(FHandle);
    FHandle = nullptr;
    FBits = nullptr;
    // The palette handle follows the colour table, which goes with the section.
    if (FPaletteHandle) DeleteObject(FPaletteHandle);
    FPaletteHandle = nullptr;
}

HPALETTE TBitmap::Palette()
{
    if (!FPaletteHandle && FHandle && IsIndexedFormat(FPixelFormat) && !FPalette.empty()) {
        std::vector<uint8_t> buf(sizeof(LOGPALETTE) + FPalette.size() * sizeof(PALETTEENTRY));
        auto* lp = reinterpret_cast<LOGPALETTE*>(buf.data());
        lp->palVersion = 0x300;
        lp->palNumEntries = static_cast<WORD>(FPalette.size());
        for (size_t i = 0; i < FPalette.size(); ++i)
            lp->palPalEntry[i] = PALETTEENTRY{static_cast<BYTE>(FPalette[i] >> 16), static_cast<BYTE>(FPalette[i] >> 8),
                                              static_cast<BYTE>(FPalette[i]), 0};
        FPaletteHandle = CreatePalette(lp);
    }
    return FPaletteHandle;
}

void TBitmap::NewSection(Integer AWidth, Integer AHeight, TPixelFormat AFormat, const std::vector<uint32_t>& APalette)
{
    std::vector<uint32_t> palette = PaletteFor(AFormat, APalette);
    TSection s = CreateSection(AWidth, AHeight, AFormat, palette);
    FreeContext();
    DeleteSection();
    FHandle = s.Handle;
    FBits = s.Bits;
    FWidth = AWidth;
    FHeight = AHeight;
    FStride = BytesPerScanline(AWidth, PixelFormatBits(AFormat));
    FTopDown = true;
    FPixelFormat = AFormat;
    FPalette = std::move(palette);
}

void TBitmap::SetSize(Integer AWidth, Integer AHeight)
{
    AWidth = std::max(AWidth, 0);
    AHeight = std::max(AHeight, 0);
    if (AWidth == FWidth && AHeight == FHeight && (FHandle || AWidth == 0 || AHeight == 0)) return;
    if (AWidth == 0 || AHeight == 0) {
        FreeContext();
        DeleteSection();
        FWidth = AWidth;
        FHeight = AHeight;
        Changed();
        return;
    }
    TDibImage old;
    if (FHandle) GetDib(old);
    NewSection(AWidth, AHeight, FPixelFormat, FPalette);
    for (Integer y = 0; y < FHeight; ++y) FillWhite(Row(y), FStride, FPixelFormat, FPalette);
    if (!old.Empty()) {
        // The old picture stays in the top-left corner.
        Integer bits = PixelFormatBits(FPixelFormat), w = std::min(old.Width, FWidth);
        size_t whole = static_cast<size_t>(w) * bits / 8;
        Integer rest = static_cast<Integer>((static_cast<size_t>(w) * bits % 8) / bits);
        for (Integer y = 0; y < std::min(old.Height, FHeight); ++y) {
            const uint8_t* src = old.ScanLine(y);
            uint8_t* dst = Row(y);
            std::memcpy(dst, src, whole);
            for (Integer i = 0; i < rest; ++i) {
                // Pixels of a last, partly used byte of a 1- or 4-bit row.
                Integer shift = 8 - bits * (i + 1);
                uint8_t mask = static_cast<uint8_t>(((1 << bits) - 1) << shift);
                dst[whole] = static_cast<uint8_t>((dst[whole] & ~mask) | (src[whole] & mask));
            }
        }
    }
    Changed();
}

TCanvas* TBitmap::Canvas()
{
    if (!FCanvas) {
        FCanvas = std::make_unique<TBitmapCanvas>(this);
        FCanvas->OnChange = [this](TObject*) { Changed(); };
    }
    return FCanvas.get();
}

HBITMAP TBitmap::Handle()
{
    FreeContext();
    return FHandle;
}

void TBitmap::SetHandle(HBITMAP Value)
{
    if (Value == FHandle) return;
    FreeContext();
    if (!Value) {
        DeleteSection();
        FWidth = FHeight = 0;
        Changed();
        return;
    }
    DIBSECTION ds{};
    if (GetObjectW(Value, sizeof ds, &ds) == static_cast<int>(sizeof ds) && ds.dsBm.bmBits) {
        TPixelFormat fmt;
        switch (ds.dsBmih.biBitCount) {
        case 1: fmt = pf1bit; break;
        case 4: fmt = pf4bit; break;
        case 8: fmt = pf8bit; break;
        case 16:
            fmt = ds.dsBmih.biCompression == BI_BITFIELDS && ds.dsBitfields[1] == 0x07E0 ? pf16bit : pf15bit;
            break;
        case 24: fmt = pf24bit; break;
        default: fmt = pf32bit;
        }
        std::vector<uint32_t> palette;
        if (IsIndexedFormat(fmt)) {
            RGBQUAD q[256];
            HDC dc = CreateCompatibleDC(nullptr);
            HGDIOBJ old = SelectObject(dc, Value);
            UINT n = GetDIBColorTable(dc, 0, 256, q);
            SelectObject(dc, old);
            DeleteDC(dc);
            for (UINT i = 0; i < n; ++i)
                palette.push_back(static_cast<uint32_t>(q[i].rgbRed) << 16 | q[i].rgbGreen << 8 | q[i].rgbBlue);
        }
        DeleteSection();
        FHandle = Value;
        FBits = static_cast<uint8_t*>(ds.dsBm.bmBits);
        FWidth = ds.dsBm.bmWidth;
        FHeight = std::abs(ds.dsBmih.biHeight);
        FTopDown = ds.dsBmih.biHeight < 0;
        FStride = ds.dsBm.bmWidthBytes;
        FPixelFormat = fmt;
        FPalette = std::move(palette);
        Changed();
        return;
    }
    // A device-dependent bitmap: its pixels are copied into a section.
    BITMAP bm{};
    if (!GetObjectW(Value, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        throw EInvalidGraphic(u"Bitmap image is not valid");
    TPixelFormat fmt = bm.bmBitsPixel == 1 ? pf1bit
                       : bm.bmBitsPixel == 4 ? pf4bit
                       : bm.bmBitsPixel == 8 ? pf8bit
                       : bm.bmBitsPixel == 16 ? pf16bit
                       : bm.bmBitsPixel == 24 ? pf24bit
                                               : pf32bit;
    TDibImage img;
    img.Allocate(bm.bmWidth, bm.bmHeight, fmt);
    struct {
        BITMAPINFOHEADER Header;
        RGBQUAD Colors[256];
    } bi{};
    bi.Header.biSize = sizeof(BITMAPINFOHEADER);
    bi.Header.biWidth = img.Width;
    bi.Header.biHeight = -img.Height;
    bi.Header.biPlanes = 1;
    bi.Header.biBitCount = static_cast<WORD>(PixelFormatBits(fmt));
    if (fmt == pf16bit) {
        bi.Header.biCompression = BI_BITFIELDS;
        const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
        std::memcpy(bi.Colors, masks, sizeof masks);
    }
    HDC dc = GetDC(nullptr);
    int rows = GetDIBits(dc, Value, 0, static_cast<UINT>(img.Height), img.Bits.data(),
                         reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    if (rows == 0) throw EInvalidGraphic(u"Bitmap image is not valid");
    if (IsIndexedFormat(fmt))
        for (size_t i = 0; i < (size_t(1) << PixelFormatBits(fmt)); ++i)
            img.Palette.push_back(static_cast<uint32_t>(bi.Colors[i].rgbRed) << 16 | bi.Colors[i].rgbGreen << 8 |
                                  bi.Colors[i].rgbBlue);
    DeleteObject(Value);
    SetDib(img);
}

HBITMAP TBitmap::ReleaseHandle()
{
    FreeContext();
    HBITMAP h = FHandle;
    FHandle = nullptr;
    FBits = nullptr;
    FWidth = FHeight = 0;
    if (FPaletteHandle) DeleteObject(FPaletteHandle);
    FPaletteHandle = nullptr;
    Changed();
    return h;
}

void TBitmap::SetPixelFormat(TPixelFormat Value)
{
    if (Value == FPixelFormat) return;
    if (!FHandle) {
        FPixelFormat = Value;
        FPalette.clear();
        return;
    }
    TDibImage img;
    GetDib(img);
    SetDib(ConvertDib(img, Value));
}

void TBitmap::SetAlphaFormat(TAlphaFormat Value)
{
    if (Value == FAlphaFormat) return;
    FAlphaFormat = Value;
    Changed();
}

void TBitmap::SetColorTable(const std::vector<uint32_t>& Value)
{
    if (!IsIndexedFormat(FPixelFormat)) return;
    TDibImage img;
    GetDib(img);
    img.Palette = PaletteFor(FPixelFormat, Value);
    SetDib(img);
}

void* TBitmap::ScanLine(Integer Row)
{
    if (!FHandle || Row < 0 || Row >= FHeight) throw EInvalidGraphic(u"Scan line index out of range");
    GdiFlush();
    return this->Row(Row);
}

TColor TBitmap::TransparentColor()
{
    if (FTransparentMode == tmFixed) return FTransparentColor;
    if (!FHandle) return clDefault;
    GdiFlush();
    uint32_t px = 0;
    DecodeScanline(Row(FHeight - 1), FPixelFormat, FPalette, 1, &px);
    return PixelToColor(px);
}

void TBitmap::SetTransparentColor(TColor Value)
{
    if (Value == FTransparentColor && FTransparentMode == (Value == clDefault ? tmAuto : tmFixed)) return;
    FTransparentColor = Value;
    FTransparentMode = Value == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode Value)
{
    if (Value == FTransparentMode) return;
    // Fixing the mode keeps the colour that was in use.
    FTransparentColor = Value == tmAuto ? clDefault : TransparentColor();
    FTransparentMode = Value;
    Changed();
}

void TBitmap::GetDib(TDibImage& Image)
{
    Image.Allocate(FHandle ? FWidth : 0, FHandle ? FHeight : 0, FPixelFormat);
    Image.Palette = FPalette;
    if (!FHandle) {
        Image.Width = FWidth;
        Image.Height = FHeight;
        return;
    }
    GdiFlush();
    size_t n = static_cast<size_t>(std::min(Image.Stride(), FStride));
    for (Integer y = 0; y < FHeight; ++y) std::memcpy(Image.ScanLine(y), Row(y), n);
}

void TBitmap::SetDib(const TDibImage& Image)
{
    if (Image.Empty()) {
        FreeContext();
        DeleteSection();
        FWidth = std::max(Image.Width, 0);
        FHeight = std::max(Image.Height, 0);
        FPixelFormat = Image.PixelFormat;
        FPalette = PaletteFor(Image.PixelFormat, Image.Palette);
        Changed();
        return;
    }
    NewSection(Image.Width, Image.Height, Image.PixelFormat, Image.Palette);
    size_t n = static_cast<size_t>(std::min(Image.Stride(), FStride));
    for (Integer y = 0; y < FHeight; ++y) std::memcpy(Row(y), Image.ScanLine(y), n);
    Changed();
}

void TBitmap::Assign(TPersistent* Source)
{
    if (!Source) {
        FreeContext();
        DeleteSection();
        FWidth = FHeight = 0;
        Changed();
        return;
    }
    if (auto* b = dynamic_cast<TBitmap*>(Source)) {
        if (b == this) return;
        TDibImage img;
        b->GetDib(img);
        FAlphaFormat = b->FAlphaFormat;
        FTransparentColor = b->FTransparentColor;
        FTransparentMode = b->FTransparentMode;
        SetTransparent(b->Transparent());
        SetDib(img);
        return;
    }
    TGraphic::Assign(Source);
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& R)
{
    if (!FHandle || !ACanvas) return;
    HDC dst = ACanvas->Handle();
    HDC src = Canvas()->Handle();
    Integer w = R.Width(), h = R.Height();
    if (PixelFormatBits(FPixelFormat) == 32 && FAlphaFormat != afIgnored) {
        BLENDFUNCTION bf{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        if (FAlphaFormat == afPremultiplied) {
            AlphaBlend(dst, R.Left, R.Top, w, h, src, 0, 0, FWidth, FHeight, bf);
            return;
        }
        // Blending needs premultiplied colours: a multiplied copy, the bitmap stays as it is.
        TSection s = CreateSection(FWidth, FHeight, pf32bit, {});
        GdiFlush();
        for (Integer y = 0; y < FHeight; ++y) {
            const uint8_t* p = Row(y);
            uint8_t* q = s.Bits + static_cast<size_t>(y) * FWidth * 4;
            for (Integer x = 0; x < FWidth * 4; x += 4) {
                uint32_t a = p[x + 3];
                // c * a / 255, rounded to nearest.
                q[x] = static_cast<uint8_t>((p[x] * a + 127) / 255);
                q[x + 1] = static_cast<uint8_t>((p[x + 1] * a + 127) / 255);
                q[x + 2] = static_cast<uint8_t>((p[x + 2] * a + 127) / 255);
                q[x + 3] = static_cast<uint8_t>(a);
            }
        }
        HDC tdc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(tdc, s.Handle);
        AlphaBlend(dst, R.Left, R.Top, w, h, tdc, 0, 0, FWidth, FHeight, bf);
        SelectObject(tdc, old);
        DeleteDC(tdc);
        DeleteObject(s.Handle);
        return;
    }
    if (Transparent()) {
        TransparentBlt(dst, R.Left, R.Top, w, h, src, 0, 0, FWidth, FHeight,
                       static_cast<UINT>(ColorToRGB(TransparentColor())));
        return;
    }
    SetStretchBltMode(dst, COLORONCOLOR);
    StretchBlt(dst, R.Left, R.Top, w, h, src, 0, 0, FWidth, FHeight, static_cast<DWORD>(ACanvas->CopyMode()));
}

void TBitmap::LoadFromStream(TStream* Stream)
{
    TDibImage img;
    ReadBmp(Stream, img);
    SetDib(img);
}

void TBitmap::SaveToStream(TStream* Stream)
{
    TDibImage img;
    GetDib(img);
    WriteBmp(Stream, img);
}

void TBitmap::LoadFromResourceName(HINSTANCE Instance, const String& ResName)
{
    TResourceStream rs(Instance, ResName, RT_BITMAP);
    TDibImage img;
    ReadPackedDib(static_cast<const uint8_t*>(rs.Memory()), static_cast<size_t>(rs.Size()), img);
    SetDib(img);
}

void TBitmap::LoadFromResourceID(HINSTANCE Instance, Integer ResID)
{
    TResourceStream rs(Instance, ResID, RT_BITMAP);
    TDibImage img;
    ReadPackedDib(static_cast<const uint8_t*>(rs.Memory()), static_cast<size_t>(rs.Size()), img);
    SetDib(img);
}

// ---------------------------------------------------------------------------
// TIcon

namespace {

[[noreturn]] void InvalidIcon() { throw EInvalidGraphic(u"Icon image is not valid"); }

// The icon's pixels as 32-bit rows top to bottom: colour with alpha, and the
// AND mask (0 where the icon covers, 0xFFFFFF where it does not).
bool IconPixels(HICON Icon, Integer& W, Integer& H, std::vector<uint32_t>& Color, std::vector<uint32_t>& Mask)
{
    ICONINFO ii{};
    if (!GetIconInfo(Icon, &ii)) return false;
    BITMAP bm{};
    GetObjectW(ii.hbmMask, sizeof bm, &bm);
    W = bm.bmWidth;
    H = ii.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
    auto read = [&](HBITMAP b, Integer rows, std::vector<uint32_t>& out) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bi.bmiHeader.biWidth = W;
        bi.bmiHeader.biHeight = -rows;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        out.assign(static_cast<size_t>(W) * rows, 0);
        HDC dc = GetDC(nullptr);
        GetDIBits(dc, b, 0, static_cast<UINT>(rows), out.data(), &bi, DIB_RGB_COLORS);
        ReleaseDC(nullptr, dc);
    };
    bool ok = W > 0 && H > 0;
    if (ok) {
        if (ii.hbmColor) {
            read(ii.hbmColor, H, Color);
            read(ii.hbmMask, H, Mask);
        } else {
            // A monochrome icon: the AND mask above the XOR picture in one bitmap.
            std::vector<uint32_t> both;
            read(ii.hbmMask, 2 * H, both);
            Mask.assign(both.begin(), both.begin() + static_cast<size_t>(W) * H);
            Color.assign(both.begin() + static_cast<size_t>(W) * H, both.end());
        }
    }
    if (ii.hbmColor) DeleteObject(ii.hbmColor);
    if (ii.hbmMask) DeleteObject(ii.hbmMask);
    return ok;
}

}  // namespace

TIcon::~TIcon()
{
    if (FHandle) DestroyIcon(FHandle);
}

void TIcon::Reset(HICON Value)
{
    if (FHandle && FHandle != Value) DestroyIcon(FHandle);
    FHandle = Value;
    FWidth = FHeight = 0;
    if (!Value) return;
    ICONINFO ii{};
    if (GetIconInfo(Value, &ii)) {
        BITMAP bm{};
        GetObjectW(ii.hbmMask, sizeof bm, &bm);
        FWidth = bm.bmWidth;
        FHeight = ii.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
        if (ii.hbmColor) DeleteObject(ii.hbmColor);
        if (ii.hbmMask) DeleteObject(ii.hbmMask);
    }
}

void TIcon::SetHandle(HICON Value)
{
    if (Value == FHandle) return;
    Reset(Value);
    FData.clear();
    Changed();
}

HICON TIcon::ReleaseHandle()
{
    HICON h = FHandle;
    FHandle = nullptr;
    FWidth = FHeight = 0;
    FData.clear();
    Changed();
    return h;
}

void TIcon::SetWidth(Integer Value)
{
    if (FHandle) {
        if (Value != FWidth) throw EInvalidGraphicOperation(u"Cannot change the size of an icon");
        return;
    }
    FRequestedWidth = Value;
}

void TIcon::SetHeight(Integer Value)
{
    if (FHandle) {
        if (Value != FHeight) throw EInvalidGraphicOperation(u"Cannot change the size of an icon");
        return;
    }
    FRequestedHeight = Value;
}

void TIcon::Assign(TPersistent* Source)
{
    if (!Source) {
        Reset(nullptr);
        FData.clear();
        Changed();
        return;
    }
    if (auto* i = dynamic_cast<TIcon*>(Source)) {
        if (i == this) return;
        Reset(i->FHandle ? CopyIcon(i->FHandle) : nullptr);
        FData = i->FData;
        Changed();
        return;
    }
    TGraphic::Assign(Source);
}

void TIcon::Draw(TCanvas* ACanvas, const TRect& R)
{
    if (!FHandle || !ACanvas) return;
    DrawIconEx(ACanvas->Handle(), R.Left, R.Top, FHandle, R.Width(), R.Height(), 0, nullptr, DI_NORMAL);
}

void TIcon::LoadFromStream(TStream* Stream)
{
    auto rd16 = [](const uint8_t* p) { return static_cast<uint32_t>(p[0] | (p[1] << 8)); };
    auto rd32 = [&](const uint8_t* p) { return rd16(p) | (rd16(p + 2) << 16); };
    Int64 avail = Stream->Size() - Stream->Position();
    if (avail < 6) InvalidIcon();
    std::vector<uint8_t> data(6);
    Stream->ReadBuffer(data.data(), 6);
    uint32_t count = rd16(data.data() + 4);
    if (rd16(data.data()) != 0 || rd16(data.data() + 2) != 1 || count == 0) InvalidIcon();
    size_t dirEnd = 6 + 16 * static_cast<size_t>(count);
    if (static_cast<Int64>(dirEnd) > avail) InvalidIcon();
    data.resize(dirEnd);
    Stream->ReadBuffer(data.data() + 6, static_cast<Integer>(dirEnd - 6));
    // The file ends with its last image.
    uint64_t end = dirEnd;
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* e = data.data() + 6 + 16 * i;
        uint64_t size = rd32(e + 8), offset = rd32(e + 12);
        if (size == 0 || offset < dirEnd || offset + size > static_cast<uint64_t>(avail)) InvalidIcon();
        end = std::max(end, offset + size);
    }
    data.resize(static_cast<size_t>(end));
    Stream->ReadBuffer(data.data() + dirEnd, static_cast<Integer>(end - dirEnd));

    // The image nearest to the wanted size, the most colours among equals.
    Integer wantW = FRequestedWidth > 0 ? FRequestedWidth : GetSystemMetrics(SM_CXICON);
    Integer wantH = FRequestedHeight > 0 ? FRequestedHeight : GetSystemMetrics(SM_CYICON);
    int best = -1;
    int64_t bestScore = 0;
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* e = data.data() + 6 + 16 * i;
        Integer w = e[0] ? e[0] : 256, h = e[1] ? e[1] : 256;
        const uint8_t* img = data.data() + rd32(e + 12);
        bool png = rd32(e + 8) >= 8 && img[0] == 0x89 && img[1] == 'P';
        Integer bits = rd16(e + 6) ? static_cast<Integer>(rd16(e + 6)) : png ? 32 : e[2] == 2 ? 1 : e[2] == 16 ? 4 : 8;
        int64_t score = -(static_cast<int64_t>(std::abs(w - wantW)) + std::abs(h - wantH)) * 64 + bits;
        if (best < 0 || score > bestScore) best = static_cast<int>(i), bestScore = score;
    }
    const uint8_t* e = data.data() + 6 + 16 * best;
    Integer w = e[0] ? e[0] : 256, h = e[1] ? e[1] : 256;
    HICON icon = CreateIconFromResourceEx(data.data() + rd32(e + 12), rd32(e + 8), TRUE, 0x00030000, w, h,
                                          LR_DEFAULTCOLOR);
    if (!icon) InvalidIcon();
    Reset(icon);
    FData = std::move(data);
    Changed();
}

void TIcon::SaveToStream(TStream* Stream)
{
    if (!FData.empty()) {
        Stream->WriteBuffer(FData.data(), static_cast<Integer>(FData.size()));
        return;
    }
    if (!FHandle) return;
    Integer w = 0, h = 0;
    std::vector<uint32_t> color, mask;
    if (!IconPixels(FHandle, w, h, color, mask)) InvalidIcon();
    Integer maskStride = BytesPerScanline(w, 1);
    uint32_t xorBytes = static_cast<uint32_t>(w) * h * 4, andBytes = static_cast<uint32_t>(maskStride) * h;
    std::vector<uint8_t> b;
    auto put16 = [&](uint32_t v) {
        b.push_back(static_cast<uint8_t>(v));
        b.push_back(static_cast<uint8_t>(v >> 8));
    };
    auto put32 = [&](uint32_t v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    put16(0);
    put16(1);
    put16(1);
    b.push_back(static_cast<uint8_t>(w >= 256 ? 0 : w));
    b.push_back(static_cast<uint8_t>(h >= 256 ? 0 : h));
    b.push_back(0);
    b.push_back(0);
    put16(1);
    put16(32);
    put32(40 + xorBytes + andBytes);
    put32(22);
    put32(40);
    put32(static_cast<uint32_t>(w));
    put32(static_cast<uint32_t>(2 * h));  // colour and mask
    put16(1);
    put16(32);
    put32(0);
    put32(xorBytes + andBytes);
    for (int i = 0; i < 4; ++i) put32(0);
    for (Integer y = h - 1; y >= 0; --y)
        for (Integer x = 0; x < w; ++x) put32(color[static_cast<size_t>(y) * w + x]);
    for (Integer y = h - 1; y >= 0; --y) {
        std::vector<uint8_t> row(static_cast<size_t>(maskStride), 0);
        for (Integer x = 0; x < w; ++x)
            if (mask[static_cast<size_t>(y) * w + x] & 0xFFFFFF) row[x >> 3] |= static_cast<uint8_t>(0x80 >> (x & 7));
        b.insert(b.end(), row.begin(), row.end());
    }
    Stream->WriteBuffer(b.data(), static_cast<Integer>(b.size()));
}

void TIcon::AssignTo(TPersistent* Dest)
{
    auto* bmp = dynamic_cast<TBitmap*>(Dest);
    if (!bmp) {
        TGraphic::AssignTo(Dest);
        return;
    }
    if (!FHandle) {
        bmp->Assign(nullptr);
        return;
    }
    Integer w = 0, h = 0;
    std::vector<uint32_t> color, mask;
    if (!IconPixels(FHandle, w, h, color, mask)) InvalidIcon();
    bool alpha = std::any_of(color.begin(), color.end(), [](uint32_t c) { return (c >> 24) != 0; });
    TDibImage img;
    img.Allocate(w, h, pf32bit);
    for (Integer y = 0; y < h; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(img.ScanLine(y));
        for (Integer x = 0; x < w; ++x) {
            size_t i = static_cast<size_t>(y) * w + x;
            // Without an alpha channel the mask says what the icon covers.
            row[x] = alpha ? color[i] : (color[i] & 0xFFFFFF) | ((mask[i] & 0xFFFFFF) ? 0 : 0xFF000000u);
        }
    }
    bmp->SetDib(img);
    bmp->SetAlphaFormat(afDefined);
}

// ---------------------------------------------------------------------------
// TPicture

namespace {

struct TFileFormat {
    String Extension;
    String Description;
    TGraphicFactory Factory;
};

std::vector<TFileFormat>& FileFormats()
{
    static std::vector<TFileFormat> List = {
        {u"bmp", u"Bitmaps", [] { return std::unique_ptr<TGraphic>(new TBitmap); }},
        {u"ico", u"Icons", [] { return std::unique_ptr<TGraphic>(new TIcon); }},
        {u"png", u"PNG pictures", [] { return std::unique_ptr<TGraphic>(new TPngImage); }},
        {u"jpg", u"JPEG pictures", [] { return std::unique_ptr<TGraphic>(new TJPEGImage); }},
        {u"jpeg", u"JPEG pictures", [] { return std::unique_ptr<TGraphic>(new TJPEGImage); }},
        {u"jpe", u"JPEG pictures", [] { return std::unique_ptr<TGraphic>(new TJPEGImage); }},
        {u"gif", u"GIF pictures", [] { return std::unique_ptr<TGraphic>(new TGIFImage); }},
        {u"emf", u"Enhanced metafiles", [] { return std::unique_ptr<TGraphic>(new TMetafile); }},
        {u"wmf", u"Metafiles", [] { return std::unique_ptr<TGraphic>(new TMetafile); }},
    };
    return List;
}

}  // namespace

void TPicture::RegisterFileFormat(const String& Extension, const String& Description, TGraphicFactory Factory)
{
    String ext = LowerCase(Extension);
    for (TFileFormat& f : FileFormats())
        if (f.Extension == ext) {
            f.Description = Description;
            f.Factory = std::move(Factory);
            return;
        }
    FileFormats().push_back({ext, Description, std::move(Factory)});
}

TPicture::~TPicture()
{
    if (FGraphic) FGraphic->OnChange = nullptr;
}

void TPicture::Changed()
{
    if (OnChange) OnChange(this);
}

void TPicture::Replace(std::unique_ptr<TGraphic> Value)
{
    if (FGraphic) FGraphic->OnChange = nullptr;
    FGraphic = std::move(Value);
    if (FGraphic) FGraphic->OnChange = [this](TObject*) { Changed(); };
    Changed();
}

void TPicture::SetGraphic(TGraphic* Value)
{
    if (!Value) {
        Replace(nullptr);
        return;
    }
    if (Value == FGraphic.get()) return;
    std::unique_ptr<TGraphic> g = Value->NewOfSameClass();
    g->Assign(Value);
    Replace(std::move(g));
}

TBitmap* TPicture::Bitmap()
{
    if (!dynamic_cast<TBitmap*>(FGraphic.get())) Replace(std::make_unique<TBitmap>());
    return static_cast<TBitmap*>(FGraphic.get());
}

TIcon* TPicture::Icon()
{
    if (!dynamic_cast<TIcon*>(FGraphic.get())) Replace(std::make_unique<TIcon>());
    return static_cast<TIcon*>(FGraphic.get());
}

void TPicture::LoadFromFile(const String& FileName)
{
    String ext = LowerCase(ExtractFileExt(FileName));
    if (!ext.empty()) ext.erase(0, 1);
    for (const TFileFormat& f : FileFormats())
        if (f.Extension == ext) {
            std::unique_ptr<TGraphic> g = f.Factory();
            g->LoadFromFile(FileName);
            Replace(std::move(g));
            return;
        }
    throw EInvalidGraphic(Format(u"Unknown picture file extension (.%s)", {ext}));
}

void TPicture::SaveToFile(const String& FileName)
{
    if (FGraphic) FGraphic->SaveToFile(FileName);
}

void TPicture::Assign(TPersistent* Source)
{
    if (!Source) {
        SetGraphic(nullptr);
    } else if (auto* p = dynamic_cast<TPicture*>(Source)) {
        if (p != this) SetGraphic(p->Graphic());
    } else if (auto* g = dynamic_cast<TGraphic*>(Source)) {
        SetGraphic(g);
    } else {
        TPersistent::Assign(Source);
    }
}

void TPicture::AssignTo(TPersistent* Dest)
{
    if (FGraphic && dynamic_cast<TGraphic*>(Dest)) {
        Dest->Assign(FGraphic.get());
        return;
    }
    TPersistent::AssignTo(Dest);
}

// ---------------------------------------------------------------------------
// Scoped GDI

void DeleteGdiObject(HGDIOBJ Handle)
{
    if (Handle) DeleteObject(Handle);
}

TSolidBrush::TSolidBrush(TColor Color) : TGdiObject(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(Color))))
{
    if (!Handle()) throw EOutOfResources(u"Out of system resources");
}

TSolidPen::TSolidPen(TColor Color, Integer Width, Integer Style)
    : TGdiObject(CreatePen(Style, Width, static_cast<COLORREF>(ColorToRGB(Color))))
{
    if (!Handle()) throw EOutOfResources(u"Out of system resources");
}

TPatternBrush::TPatternBrush(const void* PackedDib) : TGdiObject(CreateDIBPatternBrushPt(PackedDib, DIB_RGB_COLORS))
{
    if (!Handle()) throw EOutOfResources(u"Out of system resources");
}

TCompatibleBitmap::TCompatibleBitmap(HDC DC, Integer Width, Integer Height)
    : TGdiObject(CreateCompatibleBitmap(DC, Width, Height))
{
    if (!Handle()) throw EOutOfResources(u"Out of system resources");
}

TRegion::TRegion(const TRect& R) : TGdiObject(CreateRectRgn(R.Left, R.Top, R.Right, R.Bottom))
{
    if (!Handle()) throw EOutOfResources(u"Out of system resources");
}

TRegion TRegion::CopyOf(HRGN Source)
{
    TRegion r;
    if (!Source) return r;
    r.Reset(CreateRectRgn(0, 0, 0, 0));
    if (!r.Handle() || CombineRgn(r.Handle(), Source, nullptr, RGN_COPY) == ERROR) r.Reset();
    return r;
}

TPaintDC::TPaintDC(HWND Wnd) : FWnd(Wnd), FDC(BeginPaint(Wnd, &FPaint)) {}

TPaintDC::~TPaintDC()
{
    EndPaint(FWnd, &FPaint);
}

TReleasedDC::TReleasedDC(TReleasedDC&& Other) noexcept : FWnd(Other.FWnd), FDC(Other.FDC)
{
    Other.FWnd = nullptr;
    Other.FDC = nullptr;
}

TReleasedDC& TReleasedDC::operator=(TReleasedDC&& Other) noexcept
{
    if (this != &Other) {
        Reset();
        FWnd = Other.FWnd;
        FDC = Other.FDC;
        Other.FWnd = nullptr;
        Other.FDC = nullptr;
    }
    return *this;
}

TReleasedDC TReleasedDC::Adopt(HWND Wnd, HDC DC)
{
    TReleasedDC r;
    r.FWnd = Wnd;
    r.FDC = DC;
    return r;
}

void TReleasedDC::Reset()
{
    if (FDC) ReleaseDC(FWnd, FDC);
    FDC = nullptr;
    FWnd = nullptr;
}

TClientDC::TClientDC(HWND Wnd, DWORD Flags)
{
    FWnd = Wnd;
    FDC = Flags ? GetDCEx(Wnd, nullptr, Flags) : GetDC(Wnd);
    if (!FDC) throw EOutOfResources(u"Cannot get a device context");
}

TWindowDC::TWindowDC(HWND Wnd)
{
    FWnd = Wnd;
    FDC = GetWindowDC(Wnd);
    if (!FDC) throw EOutOfResources(u"Cannot get a device context");
}

TWindowDC::TWindowDC(HWND Wnd, HRGN UpdateRegion)
{
    FWnd = Wnd;
    // 1 stands for the whole window. GetDCEx takes the region over, so it gets a copy.
    if (UpdateRegion && UpdateRegion != reinterpret_cast<HRGN>(1)) {
        TRegion clip = TRegion::CopyOf(UpdateRegion);
        FDC = GetDCEx(Wnd, clip.Handle(), DCX_WINDOW | DCX_INTERSECTRGN | DCX_CACHE | DCX_CLIPSIBLINGS);
        if (FDC) clip.Release();
    }
    if (!FDC) FDC = GetWindowDC(Wnd);
    if (!FDC) throw EOutOfResources(u"Cannot get a device context");
}

TMemoryDC::TMemoryDC(HDC DC) : FDC(CreateCompatibleDC(DC))
{
    if (!FDC) throw EOutOfResources(u"Cannot make a memory device context");
}

TMemoryDC::~TMemoryDC()
{
    DeleteDC(FDC);
}

TNonClientCanvas::TNonClientCanvas(HWND Wnd) : FDC(Wnd)
{
    SetHandle(FDC.Handle());
}

TNonClientCanvas::TNonClientCanvas(HWND Wnd, HRGN UpdateRegion) : FDC(Wnd, UpdateRegion)
{
    SetHandle(FDC.Handle());
}

TNonClientCanvas::~TNonClientCanvas()
{
    // The canvas's objects leave the context before it is released.
    SetHandle(nullptr);
}

TRect TNonClientCanvas::WindowRect() const
{
    RECT r;
    GetWindowRect(FDC.Window(), &r);
    return Rect(0, 0, r.right - r.left, r.bottom - r.top);
}
