#include "skin/model/SFBitmap.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "Component/Raster32/Ras32_Types.h"
#include "framework/runtime/SysUtils.h"

namespace {

// Zeroed plain memory: the surface of the host build and of tests that need no device context.
class TMemorySurface : public TsfBitmapSurface {
public:
    explicit TMemorySurface(size_t Count) : FBits(Count) {}
    TsfColor* Bits() const override { return const_cast<TsfColor*>(FBits.data()); }

private:
    std::vector<TsfColor> FBits;
};

std::unique_ptr<TsfBitmapSurface> MakeMemorySurface(Integer Width, Integer Height)
{
    try {
        return std::make_unique<TMemorySurface>(static_cast<size_t>(Width) * static_cast<size_t>(Height));
    } catch (const std::bad_alloc&) {
        throw Exception(u"Can't allocate the DIB handle");
    }
}

std::vector<TsfBitmap*>* GRegistry = nullptr;

void Register(TsfBitmap* Bitmap)
{
    if (!GRegistry) GRegistry = new std::vector<TsfBitmap*>;
    if (std::find(GRegistry->begin(), GRegistry->end(), Bitmap) == GRegistry->end()) GRegistry->push_back(Bitmap);
}

void Unregister(TsfBitmap* Bitmap)
{
    if (GRegistry) GRegistry->erase(std::remove(GRegistry->begin(), GRegistry->end(), Bitmap), GRegistry->end());
}

bool InsideBitmap(const TsfBitmap& B, const TRect& R)
{
    return R.Left >= 0 && R.Top >= 0 && R.Right <= B.Width() && R.Bottom <= B.Height();
}

TsfRowProc RowOpFor(const TsfBitmap& B)
{
    if (B.AlphaBlend()) return BlendRow;
    if (B.Transparent()) return KeyRow;
    return MoveRow;
}

// Source index of target index I of a stretch from [S0, S1) to [D0, D1):
// a target narrower than 2 takes the middle, otherwise the scaled position,
// truncated or (RoundTables) rounded halves to even.
Integer StretchIndex(Integer I, Integer D0, Integer D1, Integer S0, Integer S1, double Factor, bool RoundTables)
{
    if (D1 - D0 < 2) return (S0 + S1 - 1) / 2;
    const double V = (I - D0) * Factor + S0;
    return static_cast<Integer>(RoundTables ? Round(V) : Trunc(V));
}

}  // namespace

TsfSurfaceFactory SfSurfaceFactory = MakeMemorySurface;
TsfPlatformAssign SfPlatformAssignFrom = nullptr;
TsfPlatformAssign SfPlatformAssignTo = nullptr;
TsfCanvasRebind SfCanvasRebind = nullptr;

const std::vector<TsfBitmap*>& SkinBitmapRegistry()
{
    static const std::vector<TsfBitmap*> None;
    return GRegistry ? *GRegistry : None;
}

bool TileMeetsClip(const TRect& Tile, const TRect& DstClip)
{
    TRect I;
    return RectIsEmpty(DstClip) || (IntersectRects(I, Tile, DstClip) && !RectIsEmpty(I));
}

TsfBitmap* FindSkinBitmapByDC(HDC__* DC)
{
    if (!GRegistry || !DC) return nullptr;
    for (TsfBitmap* B : *GRegistry)
        if (B->DC() == DC) return B;
    return nullptr;
}

void FreeSkinBitmapRegistry()
{
    delete GRegistry;
    GRegistry = nullptr;
}

// ---------------------------------------------------------------------------
// Lifetime and size

TsfBitmap::TsfBitmap() = default;

TsfBitmap::~TsfBitmap()
{
    Unregister(this);
    FCanvas.reset();
}

void TsfBitmap::SetSize(Integer AWidth, Integer AHeight)
{
    // abs of the most negative value does not exist: no bitmap can be that large anyway.
    if (AWidth == INT32_MIN || AHeight == INT32_MIN) return;
    AWidth = std::abs(AWidth);
    AHeight = std::abs(AHeight);
    if (AWidth == 0 || AHeight == 0) return;
    if (FSurface && AWidth == FWidth && AHeight == FHeight) return;
    Unregister(this);
    // The canvas lets go of the old device context before it goes.
    if (FCanvas && SfCanvasRebind) SfCanvasRebind(FCanvas.get(), nullptr);
    FSurface.reset();
    FBits = nullptr;
    FWidth = 0;
    FHeight = 0;
    FSurface = SfSurfaceFactory(AWidth, AHeight);
    FBits = FSurface->Bits();
    if (FSurface->DC()) Register(this);
    FWidth = AWidth;
    FHeight = AHeight;
    RebindCanvas();
}

void TsfBitmap::RebindCanvas()
{
    if (FCanvas && SfCanvasRebind) SfCanvasRebind(FCanvas.get(), DC());
}

void TsfBitmap::Clear(TsfColor Color)
{
    if (FBits) FillRow(FBits, FWidth * FHeight, Color);
}

TsfColor TsfBitmap::GetPixel(Integer X, Integer Y) const
{
    if (!FBits || X < 0 || Y < 0 || X >= FWidth || Y >= FHeight) return 0;
    return *PixelAddress(X, Y);
}

void TsfBitmap::SetPixel(Integer X, Integer Y, TsfColor Value)
{
    if (!FBits || X < 0 || Y < 0 || X >= FWidth || Y >= FHeight) return;
    *PixelAddress(X, Y) = Value;
}

// ---------------------------------------------------------------------------
// Alpha and key checks

void TsfBitmap::CheckRGBA()
{
    for (Integer i = 0, n = FWidth * FHeight; i < n; ++i) {
        const TsfColor C = FBits[i], A = C >> 24;
        const TsfColor R = std::min((C >> 16) & 0xFF, A), G = std::min((C >> 8) & 0xFF, A), B = std::min(C & 0xFF, A);
        FBits[i] = (A << 24) | (R << 16) | (G << 8) | B;
    }
}

void TsfBitmap::CheckRGBA2()
{
    for (Integer i = 0, n = FWidth * FHeight; i < n; ++i) {
        const TsfColor C = FBits[i], A = C >> 24;
        TsfColor Out = A << 24;
        for (int Shift = 0; Shift < 24; Shift += 8) {
            // Round(alpha * channel / 255), halves to even; exact in double.
            const double V = static_cast<double>(A * ((C >> Shift) & 0xFF)) / 255.0;
            Out |= static_cast<TsfColor>(Round(V)) << Shift;
        }
        FBits[i] = Out;
    }
}

void TsfBitmap::CheckingAlphaBlend()
{
    FAlphaBlend = false;
    for (Integer i = 0, n = FWidth * FHeight; i < n; ++i) {
        const TsfColor A = FBits[i] >> 24;
        if (A > 0 && A < 255) {
            FAlphaBlend = true;
            return;
        }
    }
}

void TsfBitmap::CheckingAlphaBlend(const TRect& ARect)
{
    (void)ARect;
    CheckingAlphaBlend();
}

void TsfBitmap::CheckingTransparent(TsfColor Color)
{
    FTransparent = false;
    const Integer R0 = (Color >> 16) & 0xFF, G0 = (Color >> 8) & 0xFF, B0 = Color & 0xFF;
    for (Integer i = 0, n = FWidth * FHeight; i < n; ++i) {
        const TsfColor C = FBits[i];
        if (std::abs(static_cast<Integer>((C >> 16) & 0xFF) - R0) < 6 &&
            std::abs(static_cast<Integer>((C >> 8) & 0xFF) - G0) < 6 &&
            std::abs(static_cast<Integer>(C & 0xFF) - B0) < 6) {
            FBits[i] = sfTransparent;
            FTransparent = true;
        }
    }
}

void TsfBitmap::CheckingTransparent(const TRect& ARect, TsfColor Color)
{
    (void)ARect;
    CheckingTransparent(Color);
}

void TsfBitmap::SetAlpha(uint8_t Alpha)
{
    if (FBits) SetAlphaRow(FBits, FWidth * FHeight, Alpha);
}

void TsfBitmap::SetAlpha(uint8_t Alpha, const TRect& Rect)
{
    if (Rect.Width() == 0 || Rect.Height() == 0 || !FBits) return;
    const TRect R{std::max(Rect.Left, 0), std::max(Rect.Top, 0), std::min(Rect.Right, FWidth),
                  std::min(Rect.Bottom, FHeight)};
    if (RectIsEmpty(R)) return;
    SetAlphaRect(FBits, FWidth, FHeight, Alpha, R.Left, R.Top, R.Right - 1, R.Bottom - 1);
}

// ---------------------------------------------------------------------------
// Filling and colour operations

void TsfBitmap::FillRect(const TRect& R, TsfColor Color)
{
    TRect C;
    IntersectRects(C, R, TRect{0, 0, FWidth, FHeight});
    if (C.Width() <= 0 || C.Height() <= 0 || !FBits) return;
    if (!FAlphaBlend) {
        FillPixelRect(FBits, FWidth, FHeight, Color, C.Left, C.Top, C.Right - 1, C.Bottom - 1);
        return;
    }
    const std::vector<TsfColor> Row(static_cast<size_t>(C.Width()), Color);
    for (Integer y = C.Top; y < C.Bottom; ++y) BlendRow(Row.data(), PixelAddress(C.Left, y), C.Width());
}

void TsfBitmap::ColorOperation(TsfColor (*Step)(TsfColor, Integer), Integer Arg)
{
    for (Integer i = 0, n = FWidth * FHeight; i < n; ++i) {
        const TsfColor C = FBits[i];
        if ((C >> 24) == 0) continue;
        FBits[i] = (Step(C, Arg) & 0x00FFFFFF) | (C & 0xFF000000);
    }
}

void TsfBitmap::ChangeBitmapBrightness(Integer DeltaBrightness)
{
    if (DeltaBrightness != 0) ColorOperation(ChangeSpColorBrightness, DeltaBrightness);
}

void TsfBitmap::SetBitmapHue(Integer Hue) { ColorOperation(SetSpColorHue, Hue); }

void TsfBitmap::ChangeBitmapSat(Integer DeltaSat)
{
    if (DeltaSat != 0) ColorOperation(ChangeSpColorSat, DeltaSat);
}

void TsfBitmap::ChangeBitmapHue(Integer DeltaHue)
{
    if (DeltaHue != 0) ColorOperation(ChangeSpColorHue, DeltaHue);
}

void TsfBitmap::FlipVert()
{
    for (Integer i = 0; i < FHeight / 2; ++i)
        std::swap_ranges(ScanLineAddress(i), ScanLineAddress(i) + FWidth, ScanLineAddress(FHeight - 1 - i));
}

void TsfBitmap::ReflectionBy(Integer K)
{
    FlipVert();
    const double Step = 2.0 / FHeight;
    double X = 1.0;
    for (Integer y = 0; y < FHeight; ++y, X -= Step) {
        TsfColor* Row = ScanLineAddress(y);
        for (Integer x = 0; x < FWidth; ++x) {
            const TsfColor A = Row[x] >> 24;
            if (A == 0) continue;
            const Int64 V = std::max<Int64>(Round(X * A) / K, 0);
            Row[x] = (Row[x] & 0x00FFFFFF) | (static_cast<TsfColor>(V) << 24);
        }
    }
}

void TsfBitmap::Reflection() { ReflectionBy(3); }
void TsfBitmap::Reflection2() { ReflectionBy(4); }
void TsfBitmap::Reflection3() { ReflectionBy(2); }

// ---------------------------------------------------------------------------
// Drawing into bitmaps

TsfPixelTarget TsfBitmap::PixelTarget() const
{
    return TsfPixelTarget{FBits, FWidth, FWidth, FHeight, TRect{0, 0, FWidth, FHeight}};
}

void TsfBitmap::DrawToPixels(const TsfPixelTarget& Target, const TRect& DstRect, const TRect& SrcRect,
                             bool RoundTables) const
{
    if (RectIsEmpty(SrcRect) || !FBits || !Target.Row0) return;
    TRect Clip;
    IntersectRects(Clip, DstRect, TRect{0, 0, Target.Width, Target.Height});
    IntersectRects(Clip, Clip, Target.Clip);
    if (RectIsEmpty(Clip) || !InsideBitmap(*this, SrcRect)) return;
    const TsfRowProc Op = RowOpFor(*this);
    auto TargetRow = [&](Integer y) { return Target.Row0 + y * Target.Stride; };
    const Integer CW = Clip.Width();

    if (SrcRect.Width() == DstRect.Width() && SrcRect.Height() == DstRect.Height()) {
        const Integer SX = SrcRect.Left + Clip.Left - DstRect.Left, SY = SrcRect.Top + Clip.Top - DstRect.Top;
        for (Integer y = Clip.Top; y < Clip.Bottom; ++y)
            Op(PixelAddress(SX, SY + y - Clip.Top), TargetRow(y) + Clip.Left, CW);
        return;
    }

    // Nearest neighbour, computed for the clip only.
    const double FX = DstRect.Width() < 2 ? 0 : double(SrcRect.Width() - 1) / (DstRect.Width() - 1);
    const double FY = DstRect.Height() < 2 ? 0 : double(SrcRect.Height() - 1) / (DstRect.Height() - 1);
    std::vector<Integer> Cols(static_cast<size_t>(CW));
    for (Integer c = 0; c < CW; ++c)
        Cols[c] = StretchIndex(Clip.Left + c, DstRect.Left, DstRect.Right, SrcRect.Left, SrcRect.Right, FX,
                               RoundTables);
    std::vector<TsfColor> Buffer(static_cast<size_t>(CW));
    Integer LastRow = -1;
    for (Integer y = Clip.Top; y < Clip.Bottom; ++y) {
        const Integer SY =
            StretchIndex(y, DstRect.Top, DstRect.Bottom, SrcRect.Top, SrcRect.Bottom, FY, RoundTables);
        TsfColor* Dst = TargetRow(y) + Clip.Left;
        if (Op == MoveRow && SY == LastRow) {
            MoveRow(TargetRow(y - 1) + Clip.Left, Dst, CW);  // the previous target row is the same
            continue;
        }
        if (SY != LastRow) {
            const TsfColor* Src = ScanLineAddress(SY);
            for (Integer c = 0; c < CW; ++c) Buffer[c] = Src[Cols[c]];
            LastRow = SY;
        }
        Op(Buffer.data(), Dst, CW);
    }
}

void TsfBitmap::Draw(TsfBitmap* Bitmap, Integer X, Integer Y)
{
    Draw(Bitmap, TRect{X, Y, X + FWidth, Y + FHeight}, TRect{0, 0, FWidth, FHeight});
}

void TsfBitmap::Draw(TsfBitmap* Bitmap, Integer X, Integer Y, const TRect& SrcRect)
{
    Draw(Bitmap, TRect{X, Y, X + SrcRect.Width(), Y + SrcRect.Height()}, SrcRect);
}

void TsfBitmap::Draw(TsfBitmap* Bitmap, const TRect& DstRect) { Draw(Bitmap, DstRect, TRect{0, 0, FWidth, FHeight}); }

void TsfBitmap::Draw(TsfBitmap* Bitmap, const TRect& DstRect, const TRect& SrcRect)
{
    if (Bitmap) DrawToPixels(Bitmap->PixelTarget(), DstRect, SrcRect);
}


void TsfBitmap::Tile(TsfBitmap* Bitmap, const TRect& DstRect, const TRect& SrcRect)
{
    ForEachSkinTile(DstRect, SrcRect, [&](const TRect& T, const TRect& S) { Draw(Bitmap, T, S); });
}

void TsfBitmap::TileClip(TsfBitmap* Bitmap, const TRect& DstRect, const TRect& DstClip, const TRect& SrcRect)
{
    ForEachSkinTile(DstRect, SrcRect, [&](const TRect& T, const TRect& S) {
        if (TileMeetsClip(T, DstClip)) Draw(Bitmap, T, S);
    });
}

void TsfBitmap::MergeDraw(TsfBitmap* Bitmap, Integer X, Integer Y, const TRect& SrcRect)
{
    if (!Bitmap || !FBits || !Bitmap->FBits) return;
    const TRect S{std::max(SrcRect.Left, 0), std::max(SrcRect.Top, 0), std::min(SrcRect.Right, Bitmap->FWidth),
                  std::min(SrcRect.Bottom, Bitmap->FHeight)};
    for (Integer b = S.Top; b < S.Bottom; ++b) {
        const Integer TY = Y + b - SrcRect.Top;
        if (TY < 0 || TY >= FHeight) continue;
        for (Integer a = S.Left; a < S.Right; ++a) {
            const Integer TX = X + a - SrcRect.Left;
            if (TX < 0 || TX >= FWidth) continue;
            TsfColor& T = *PixelAddress(TX, TY);
            const TsfColor A = T >> 24;
            if (A == 0) T = *Bitmap->PixelAddress(a, b);
            else if (A != 255) T = BlendPixel(T, *Bitmap->PixelAddress(a, b));
        }
    }
}

// ---------------------------------------------------------------------------
// Assign and streams

void TsfBitmap::Assign(TPersistent* Source)
{
    if (auto* B = dynamic_cast<TsfBitmap*>(Source)) {
        if (B == this || B->Empty()) return;
        SetSize(B->FWidth, B->FHeight);
        MoveRow(B->FBits, FBits, FWidth * FHeight);
        FName = B->FName;
        FTransparent = B->FTransparent;
        FAlphaBlend = B->FAlphaBlend;
        return;
    }
    if (SfPlatformAssignFrom && SfPlatformAssignFrom(this, Source)) return;
    TPersistent::Assign(Source);
}

void TsfBitmap::AssignTo(TPersistent* Dest)
{
    if (SfPlatformAssignTo && SfPlatformAssignTo(this, Dest)) return;
    TPersistent::AssignTo(Dest);
}

namespace {

void WriteName(TStream* Stream, const String& Name)
{
    Stream->WriteValue<int32_t>(static_cast<int32_t>(Name.size()));
    if (!Name.empty()) Stream->WriteBuffer(Name.data(), static_cast<Integer>(Name.size() * 2));
}

// The stored name, refused when it claims more than the stream still holds.
String ReadName(TStream* Stream)
{
    const int32_t N = Stream->ReadValue<int32_t>();
    if (N < 0 || Int64(N) * 2 > Stream->Size() - Stream->Position()) throw EReadError(u"Stream read error");
    String Name(static_cast<size_t>(N), u'\0');
    if (N) Stream->ReadBuffer(Name.data(), N * 2);
    return Name;
}

}  // namespace

void TsfBitmap::SaveToStream(TStream* Stream) const
{
    WriteName(Stream, FName);
    Stream->WriteValue<int32_t>(FWidth);
    Stream->WriteValue<int32_t>(FHeight);
    if (FBits) Stream->WriteBuffer(FBits, FWidth * FHeight * 4);
}

void TsfBitmap::LoadFromStream(TStream* Stream)
{
    String Name = ReadName(Stream);
    const int32_t W = Stream->ReadValue<int32_t>();
    int32_t H = Stream->ReadValue<int32_t>();
    const bool BottomUp = H <= 0;
    // The pixels the header announces must be in the stream: a damaged or
    // hostile header must not make the bitmap allocate what is not there.
    const Int64 Pixels = std::abs(Int64(W)) * std::abs(Int64(H));
    const Int64 Left = Stream->Size() - Stream->Position();
    if (Pixels > Left / 4 || Pixels > INT32_MAX / 4 || W == INT32_MIN || H == INT32_MIN)
        throw EReadError(u"Stream read error");
    FName = std::move(Name);
    H = std::abs(H);
    SetSize(W, H);
    if (FWidth != W || FHeight != H) return;
    Stream->ReadBuffer(FBits, FWidth * FHeight * 4);
    if (BottomUp) FlipVert();
}

TsfBitmapLink* TsfBitmap::GetBitmapLink(const TRect& Rect)
{
    auto* L = new TsfBitmapLink;
    L->SetImage(this);
    L->SetName(FName);
    L->SetRect(Rect);
    return L;
}

TsfBitmapLink* TsfBitmap::GetBitmapLink(const String& Rect)
{
    String Rest = Rect;
    Integer V[4];
    bool Ok = true;
    for (Integer& Value : V) {
        const size_t P = Rest.find_first_of(u" (),:;=");
        String Token = P == String::npos ? Rest : Rest.substr(0, P);
        Rest = P == String::npos ? String() : Rest.substr(P + 1);
        Token = Trim(Token);
        Rest = Trim(Rest);
        Ok = Ok && TryStrToInt(Token, Value);
    }
    return GetBitmapLink(Ok ? TRect{V[0], V[1], V[2], V[3]} : TRect{});
}

// ---------------------------------------------------------------------------
// TsfBitmapLink

void TsfBitmapLink::Assign(TPersistent* Source)
{
    if (auto* L = dynamic_cast<TsfBitmapLink*>(Source)) {
        FImage = L->FImage;
        FRect = L->FRect;
        FName = L->FName;
        FMasked = L->FMasked;
        FMaskedBorder = L->FMaskedBorder;
        FMaskedAngles = L->FMaskedAngles;
        return;
    }
    TPersistent::Assign(Source);
}

bool TsfBitmapLink::Assigned() const
{
    // The product wraps like the 32-bit product it always was.
    const int32_t Area = static_cast<int32_t>(static_cast<uint32_t>(FRect.Right - FRect.Left) *
                                              static_cast<uint32_t>(FRect.Bottom - FRect.Top));
    return FImage && Area > 0;
}

void TsfBitmapLink::SaveToStream(TStream* Stream) const
{
    WriteName(Stream, FName);
    for (Integer V : {FRect.Left, FRect.Top, FRect.Right, FRect.Bottom}) Stream->WriteValue<int32_t>(V);
}

void TsfBitmapLink::LoadFromStream(TStream* Stream)
{
    FName = ReadName(Stream);
    FRect.Left = Stream->ReadValue<int32_t>();
    FRect.Top = Stream->ReadValue<int32_t>();
    FRect.Right = Stream->ReadValue<int32_t>();
    FRect.Bottom = Stream->ReadValue<int32_t>();
}

void TsfBitmapLink::Draw(TsfBitmap* Bitmap, Integer X, Integer Y)
{
    if (FImage && !FImage->Empty() && FRect.Width() > 0 && FRect.Height() > 0) FImage->Draw(Bitmap, X, Y, FRect);
}

void TsfBitmapLink::CheckingMasked() { CheckingMasked(TRect{}); }

void TsfBitmapLink::CheckingMasked(const TRect& Margin)
{
    FMasked = FMaskedBorder = FMaskedAngles = false;
    if (!FImage) return;
    auto SeeThrough = [&](Integer X, Integer Y) {
        const TsfColor C = FImage->GetPixel(X, Y);
        return C != 0x33333333 && (C == sfTransparent || (C >> 24) < 255);
    };
    const Integer W = FRect.Width(), H = FRect.Height();
    const bool NoMargin = Margin.Left == 0 && Margin.Top == 0 && Margin.Right == 0 && Margin.Bottom == 0;
    const Integer ML = Margin.Left, MT = Margin.Top, MR = Margin.Right, MB = Margin.Bottom;
    const TRect Angles[4] = {{0, 0, ML, MT}, {W - MR, 0, W, MT}, {W - MR, H - MB, W, H}, {0, H - MB, ML, H}};
    const TRect Borders[4] = {
        {ML, 0, W - MR, MT}, {ML, H - MB, W - MR, H}, {0, MT, ML, H - MB}, {W - MR, MT, W, H - MB}};
    const TRect Centre{ML, MT, W - MR, H - MB};
    for (Integer y = 0; y < H; ++y)
        for (Integer x = 0; x < W; ++x) {
            if (!SeeThrough(FRect.Left + x, FRect.Top + y)) continue;
            if (NoMargin) {
                FMasked = true;
                return;
            }
            const TPoint P{x, y};
            for (const TRect& R : Angles) FMaskedAngles = FMaskedAngles || PointInRect(R, P);
            for (const TRect& R : Borders) FMaskedBorder = FMaskedBorder || PointInRect(R, P);
            FMasked = FMasked || PointInRect(Centre, P);
        }
}
