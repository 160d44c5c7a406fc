#include "Component/Raster32/Ras32_VectorMaps.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "Component/Raster32/Ras32_Backends_Generic.h"
#include "Component/Raster32/Ras32_Math.h"
#include "framework/runtime/SysUtils.h"

namespace {

// The format names itself with these eight UTF-16 characters at offset 4.
const String MeshMagic = u"yfqLhseM";
constexpr Integer MeshHeaderSize = 32;
constexpr Integer MeshTrailerSize = 8;

// Moves a large block through a stream in pieces the stream's Integer counts can hold.
void ReadChunked(TStream& Stream, void* Buffer, size_t Bytes)
{
    for (size_t Done = 0; Done < Bytes;) {
        Integer Piece = static_cast<Integer>(std::min<size_t>(Bytes - Done, size_t(1) << 24));
        Stream.ReadBuffer(static_cast<Byte*>(Buffer) + Done, Piece);
        Done += static_cast<size_t>(Piece);
    }
}

void WriteChunked(TStream& Stream, const void* Buffer, size_t Bytes)
{
    for (size_t Done = 0; Done < Bytes;) {
        Integer Piece = static_cast<Integer>(std::min<size_t>(Bytes - Done, size_t(1) << 24));
        Stream.WriteBuffer(static_cast<const Byte*>(Buffer) + Done, Piece);
        Done += static_cast<size_t>(Piece);
    }
}

inline Integer AddWrapped(Integer A, Integer B)
{
    return static_cast<Integer>(static_cast<Cardinal>(A) + static_cast<Cardinal>(B));
}

}  // namespace

TFixedPoint LerpFixedVector(const TFixedPoint& A, const TFixedPoint& B, TFixed W)
{
    return TFixedPoint{FixedLerp(W, B.X, A.X), FixedLerp(W, B.Y, A.Y)};
}

TVectorMap::~TVectorMap()
{
    Lock();
    try {
        SetSize(0, 0);
    } catch (...) {
        // Releasing cannot fail in a way a destructor could report.
    }
    Unlock();
}

void TVectorMap::StoreSize(Integer& Width, Integer& Height, Integer NewWidth, Integer NewHeight)
{
    TArrayOfFixedVector().swap(FVectors);
    Width = 0;
    Height = 0;
    Int64 Count = static_cast<Int64>(NewWidth) * NewHeight;
    if (NewWidth > 0 && NewHeight > 0) {
        if (Count > MaxBitmapPixels) throw Exception(u"Can't allocate VectorMap!");
        try {
            FVectors.resize(static_cast<size_t>(Count));  // value-initialised: all (0, 0)
        } catch (const std::bad_alloc&) {
            throw Exception(u"Can't allocate VectorMap!");
        }
    }
    TCustomMap::StoreSize(Width, Height, NewWidth, NewHeight);
}

void TVectorMap::Clear()
{
    if (!FVectors.empty())
        FillDwords(reinterpret_cast<Cardinal*>(FVectors.data()), static_cast<Integer>(FVectors.size() * 2), 0);
}

bool TVectorMap::Empty() const { return FWidth == 0 || FHeight == 0 || FVectors.empty(); }

void TVectorMap::SetVectorCombineMode(TVectorCombineMode Value)
{
    if (FVectorCombineMode == Value) return;
    FVectorCombineMode = Value;
    Changed();
}

TFixedPoint TVectorMap::IntVectorSafe(Integer X, Integer Y) const
{
    if (X < 0 || Y < 0 || X >= FWidth || Y >= FHeight) return TFixedPoint{};
    return IntVector(X, Y);
}

TFixedPoint TVectorMap::FixedVector(TFixed X, TFixed Y) const
{
    Integer ix = X >> 16, iy = Y >> 16;
    if (ix < 0 || iy < 0 || ix > FWidth - 1 || iy > FHeight - 1) return TFixedPoint{};
    Integer Right = ix < FWidth - 1 ? 1 : 0;
    Integer Lower = iy < FHeight - 1 ? FWidth : 0;
    const TFixedPoint* P = &FVectors[static_cast<size_t>(iy) * FWidth + ix];
    TFixed fx = X & 0xFFFF, fy = Y & 0xFFFF;
    TFixedPoint Top = LerpFixedVector(P[0], P[Right], fx);
    TFixedPoint Bottom = LerpFixedVector(P[Lower], P[Lower + Right], fx);
    return LerpFixedVector(Top, Bottom, fy);
}

TFixedPoint TVectorMap::FixedVectorSafe(TFixed X, TFixed Y) const
{
    Integer ix = X >> 16, iy = Y >> 16;
    TFixed fx = X & 0xFFFF, fy = Y & 0xFFFF;
    TFixedPoint Top = LerpFixedVector(IntVectorSafe(ix, iy), IntVectorSafe(ix + 1, iy), fx);
    TFixedPoint Bottom = LerpFixedVector(IntVectorSafe(ix, iy + 1), IntVectorSafe(ix + 1, iy + 1), fx);
    return LerpFixedVector(Top, Bottom, fy);
}

TFloatPoint TVectorMap::FloatVector(Single X, Single Y) const
{
    return FixedToFloatPoint(FixedVector(FloatToFixed(X), FloatToFixed(Y)));
}

void TVectorMap::Merge(Integer DstLeft, Integer DstTop, TVectorMap* Src, const TRect& SrcRect)
{
    if (!Src || Src->Empty()) throw Exception(u"Src is empty!");
    if (Empty()) throw Exception(u"Base is empty!");
    TRect S, D;
    IntersectRects(S, SrcRect, Src->BoundsRect());
    TRect Placed{DstLeft, DstTop, DstLeft + (S.Right - S.Left), DstTop + (S.Bottom - S.Top)};
    IntersectRects(D, Placed, BoundsRect());
    if (RectIsEmpty(D)) return;
    // Where the placed area was cut at its left or top, the source start
    // moves with it, so every vector lands where it was placed.
    Integer SrcLeft = S.Left + (D.Left - Placed.Left);
    Integer SrcTop = S.Top + (D.Top - Placed.Top);
    Integer W = D.Right - D.Left, H = D.Bottom - D.Top;

    switch (Src->VectorCombineMode()) {
    case vcmAdd:
        for (Integer r = 0; r < H; ++r) {
            const TFixedPoint* F = &Src->FVectors[static_cast<size_t>(SrcTop + r) * Src->FWidth + SrcLeft];
            TFixedPoint* B = &FVectors[static_cast<size_t>(D.Top + r) * FWidth + D.Left];
            for (Integer c = 0; c < W; ++c) {
                B[c].X = AddWrapped(B[c].X, F[c].X);
                B[c].Y = AddWrapped(B[c].Y, F[c].Y);
            }
        }
        break;
    case vcmReplace:
        for (Integer r = 0; r < H; ++r)
            std::memcpy(&FVectors[static_cast<size_t>(D.Top + r) * FWidth + D.Left],
                        &Src->FVectors[static_cast<size_t>(SrcTop + r) * Src->FWidth + SrcLeft],
                        static_cast<size_t>(W) * sizeof(TFixedPoint));
        break;
    case vcmCustom: {
        // The progression runs from -1 to 1 across the area; an area one
        // column wide or one row high has no such progression: nothing to do.
        if (W < 2 || H < 2 || !Src->OnVectorCombine) return;
        TFixed StepX = FloatToFixed(2.0f / static_cast<Single>(W - 1));
        TFixed StepY = FloatToFixed(2.0f / static_cast<Single>(H - 1));
        TFixedPoint P{0, -FixedOne};
        for (Integer r = 0; r < H; ++r, P.Y += StepY) {
            const TFixedPoint* F = &Src->FVectors[static_cast<size_t>(SrcTop + r) * Src->FWidth + SrcLeft];
            TFixedPoint* B = &FVectors[static_cast<size_t>(D.Top + r) * FWidth + D.Left];
            P.X = -FixedOne;
            for (Integer c = 0; c < W; ++c, P.X += StepX) Src->OnVectorCombine(F[c], P, B[c]);
        }
        break;
    }
    }
}

TRect TVectorMap::GetTrimmedBounds() const
{
    TRect Result{};
    if (Empty()) return Result;
    auto NonZero = [](const TFixedPoint& V) { return V.X != 0 || V.Y != 0; };
    auto First = std::find_if(FVectors.begin(), FVectors.end(), NonZero);
    if (First == FVectors.end()) return Result;
    auto Last = std::find_if(FVectors.rbegin(), FVectors.rend(), NonZero);
    Integer Top = static_cast<Integer>((First - FVectors.begin()) / FWidth);
    Integer Bottom = static_cast<Integer>((FVectors.rend() - Last - 1) / FWidth) + 1;
    Integer Left = FWidth, Right = 0;
    for (Integer y = Top; y < Bottom; ++y) {
        const TFixedPoint* Row = &FVectors[static_cast<size_t>(y) * FWidth];
        for (Integer x = 0; x < Left; ++x)
            if (NonZero(Row[x])) {
                Left = x;
                break;
            }
        for (Integer x = FWidth - 1; x >= Right; --x)
            if (NonZero(Row[x])) {
                Right = x + 1;
                break;
            }
    }
    return TRect{Left, Top, Right, Bottom};
}

void TVectorMap::SaveToFile(const String& FileName) const
{
    // Written from a copy: saving leaves the vectors in memory as they are.
    std::vector<Single> Body(FVectors.size() * 2);
    for (size_t i = 0; i < FVectors.size(); ++i) {
        Body[2 * i] = FVectors[i].X / 65536.0f;
        Body[2 * i + 1] = FVectors[i].Y / 65536.0f;
    }
    SaveFileAtomically(FileName, [&](TStream* File) {
        TStream& Stream = *File;
        Stream.WriteValue<Cardinal>(0x02000000);
        for (Char C : MeshMagic) Stream.WriteValue<Word>(C);
        Stream.WriteValue<Integer>(2);
        Stream.WriteValue<Integer>(FWidth);
        Stream.WriteValue<Integer>(FHeight);
        WriteChunked(Stream, Body.data(), Body.size() * sizeof(Single));
        const Byte Trailer[MeshTrailerSize] = {};
        Stream.WriteBuffer(Trailer, MeshTrailerSize);
    });
}

void TVectorMap::LoadFromFile(const String& FileName)
{
    if (!FileExists(FileName)) throw Exception(u"File not found!");
    TFileStream Stream(FileName, fmOpenRead | fmShareDenyWrite);
    Int64 FileSize = Stream.Size();
    if (FileSize < MeshHeaderSize) throw EReadError(u"Stream read error");
    Stream.ReadValue<Cardinal>();
    String Magic;
    for (int i = 0; i < 8; ++i) Magic += static_cast<Char>(Stream.ReadValue<Word>());
    if (LowerCase(Magic) != LowerCase(MeshMagic)) throw Exception(u"Bad format - Photoshop .msh expected!");
    Stream.ReadValue<Integer>();
    Integer NewWidth = Stream.ReadValue<Integer>();
    Integer NewHeight = Stream.ReadValue<Integer>();
    if (NewWidth < 0 || NewHeight < 0) throw Exception(u"Bad format - Photoshop .msh expected!");
    // The announced vectors must be in the file before anything is allocated.
    Int64 Count = static_cast<Int64>(NewWidth) * NewHeight;
    if (Count > (FileSize - MeshHeaderSize) / 8) throw EReadError(u"Stream read error");
    if (Count > MaxBitmapPixels) throw Exception(u"Can't allocate VectorMap!");
    std::vector<Single> Body(static_cast<size_t>(Count) * 2);
    ReadChunked(Stream, Body.data(), Body.size() * sizeof(Single));
    SetSize(NewWidth, NewHeight);
    Clear();
    for (size_t i = 0; i < FVectors.size(); ++i) {
        FVectors[i].X = FloatToFixed(Body[2 * i]);
        FVectors[i].Y = FloatToFixed(Body[2 * i + 1]);
    }
}
