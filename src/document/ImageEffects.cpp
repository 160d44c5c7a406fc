#include "document/ImageEffects.h"

#include <algorithm>
#include <cmath>

#include "document/ImageDrawHooks.h"
#include "document/ImgShape.h"
#include "foundation/HyFileUtils_ImageInfo.h"
#include "framework/runtime/Classes.h"
#include "framework/runtime/SysUtils.h"

TImageEffectsHooks ImageEffectsHooks;

// ---------------------------------------------------------------------------
// Gradient lists

void SplitGradientList(const String& List, TRow& Row) { Row.Init(List, u'/'); }

void BuildGradientBlend(const TRow& ColorRow, const TRow& OpacityRow, const TRow& PositionRow, Integer Opacity,
                        std::vector<TColor32>& Colors, std::vector<Single>& Positions, Integer ForeColor,
                        Integer BackColor)
{
    const Integer N = std::min({ColorRow.ItemCount(), OpacityRow.ItemCount(), PositionRow.ItemCount()});
    if (N <= 0) {
        Colors.clear();
        Positions.clear();
        return;
    }
    const Integer Lead = PositionRow.GetItem(0)->Text() == u"0" ? 0 : 1;
    const Integer Trail = PositionRow.GetItem(N - 1)->Text() == u"1" ? 0 : 1;
    const size_t Size = static_cast<size_t>(N + Lead + Trail);
    Colors.assign(Size, 0);
    Positions.assign(Size, 0);
    for (Integer i = 0; i < N; ++i) {
        const String C = ColorRow.GetItem(i)->Text();
        TColor32 Base;
        if (C == u"ForeColor")
            Base = ColorToColor32(ForeColor);
        else if (C == u"BackColor")
            Base = ColorToColor32(BackColor);
        else
            Base = ColorToColor32(StrToIntDef(Trim(C), 0));
        const Extended Percent = StrToIntDef(Trim(OpacityRow.GetItem(i)->Text()), 0);
        const Integer Alpha = static_cast<Integer>(
            std::clamp<Extended>(Round((Percent * 255 / 100) * (static_cast<Extended>(Opacity) / 255)), 0, 255));
        const size_t k = static_cast<size_t>(i + Lead);
        Colors[k] = (Base & 0x00FFFFFF) | (static_cast<TColor32>(Alpha) << 24);
        Positions[k] = CellTextToFloat(Trim(PositionRow.GetItem(i)->Text()), 0);
    }
    if (Lead) {
        Colors[0] = Colors[1];
        Positions[0] = 0;
    }
    if (Trail) {
        Colors[Size - 1] = Colors[Size - 2];
        Positions[Size - 1] = 1.0f;
    }
}

TGradientBox GrowEllipticGradientBox(TGradientBox Box, const TFloatPoint& Centre,
                                     std::initializer_list<TFloatPoint> Inside)
{
    // A far point of a damaged document stops growing somewhere.
    for (Integer Guard = 0; Guard < 100000; ++Guard) {
        Box.X -= 10;
        Box.Y -= 10;
        Box.Width += 20;
        Box.Height += 20;
        bool All = true;
        for (const TFloatPoint& P : Inside) {
            const Extended dx = P.X - Centre.X, dy = P.Y - Centre.Y;
            if (dx * dx / (Box.Width * Box.Width / 4) + dy * dy / (Box.Height * Box.Height / 4) > 1) All = false;
        }
        if (All) break;
    }
    return Box;
}

// ---------------------------------------------------------------------------
// Textures

namespace {
std::unique_ptr<TDataTable>& TextureTableHolder()
{
    static std::unique_ptr<TDataTable> Table;
    return Table;
}

bool IsSeparator(Char C) { return C == u'\\' || C == u'/'; }

// CON, PRN, AUX, NUL, COM1..9, LPT1..9 (also with an extension or trailing
// spaces): the platform opens the device whatever folder is named.
bool IsDeviceName(const String& FileName)
{
    String Name = ExtractFileName(FileName);
    for (Char& C : Name)
        if (C == u'/') C = u'\\';
    const size_t Slash = Name.find_last_of(u'\\');
    if (Slash != String::npos) Name.erase(0, Slash + 1);
    const size_t Dot = Name.find(u'.');
    if (Dot != String::npos) Name.erase(Dot);
    while (!Name.empty() && (Name.back() == u' ' || Name.back() == u':')) Name.pop_back();
    Name = UpperCase(Name);
    if (Name == u"CON" || Name == u"PRN" || Name == u"AUX" || Name == u"NUL" || Name == u"CONIN$" ||
        Name == u"CONOUT$")
        return true;
    return Name.size() == 4 && (Name.starts_with(u"COM") || Name.starts_with(u"LPT")) && Name[3] >= u'1' &&
           Name[3] <= u'9';
}
}  // namespace

TDataTable& TextureTable()
{
    auto& Table = TextureTableHolder();
    if (!Table) Table = std::make_unique<TDataTable>();
    return *Table;
}

void ClearTextureTable() { TextureTableHolder().reset(); }

bool IsLocalFilePath(const String& FileName)
{
    if (FileName.empty()) return false;
    // "\\server\share", "//server", "\\.\device", "\\?\UNC\...", "\??\".
    if (FileName.size() >= 2 && IsSeparator(FileName[0]) && IsSeparator(FileName[1])) return false;
    if (FileName.starts_with(u"\\??\\")) return false;
    // "file:" or "http:" style names are not paths of this machine either.
    const size_t Colon = FileName.find(u':');
    if (Colon != String::npos && Colon != 1) return false;
    if (IsDeviceName(FileName)) return false;
    if (ImageEffectsHooks.IsRemoteDrive && ImageEffectsHooks.IsRemoteDrive(FileName)) return false;
    return true;
}

Integer RegisterTexture(const String& FileName)
{
    TDataTable& Table = TextureTable();
    const Integer Found = Table.IndexOfText(0, FileName);
    if (Found >= 0) return Found;
    if (!IsLocalFilePath(FileName) || !FileExists(FileName)) return -1;
    const Int64 Size = FileSizeOf(FileName);
    if (Size <= 0 || Size > MaxTextureFileSize) return -1;
    // The decoders apply no size limit: a small file may claim a picture far
    // too large for memory, so the header must name a size the document takes.
    TImageHeader Header;
    if (!ReadImageFileHeader(FileName, Header) || Header.Width <= 0 || Header.Height <= 0 ||
        Header.Width > MaxImagePixels / Header.Height)
        return -1;
    if (!ImageDrawHooks.LoadPicture) return -1;
    std::unique_ptr<TCustomBitmap32> Picture;
    try {
        Picture = ImageDrawHooks.LoadPicture(FileName);
    } catch (const Exception&) {
        return -1;  // an unreadable texture gives no fill
    }
    if (!Picture || Picture->Width() <= 0 || Picture->Height() <= 0) return -1;
    auto Bytes = std::make_unique<TMemoryStream>();
    try {
        TFileStream File(FileName, fmOpenRead | fmShareDenyWrite);
        const Int64 Now = File.Size();
        if (Now <= 0 || Now > MaxTextureFileSize) return -1;
        Bytes->CopyFrom(&File, Now);
    } catch (const Exception&) {
        return -1;
    }
    Bytes->SetPosition(0);
    TRow* Row = Table.AddItem(u",,,,,");
    Row->GetItem(0)->SetText(FileName);
    Row->Data().Own(std::move(Bytes));
    return Row->GetIndex();
}

// ---------------------------------------------------------------------------
// Effect bitmaps

void FadeReflection(TCustomBitmap32& Bitmap, Integer ReflectHeight)
{
    const Integer H = Bitmap.Height(), W = Bitmap.Width();
    // Beyond the bitmap's height the fade-out reaches no further.
    const Integer L = static_cast<Integer>(
        std::clamp<Extended>(Trunc(static_cast<Extended>(H) * ReflectHeight / 100), -1, static_cast<Extended>(H) + 1));
    if (L <= 0) return;
    const Extended k = 255.0L / L;
    for (Integer i = 0; i < H; ++i) {
        TColor32* Row = Bitmap.GetPixelPtr(0, i);
        const Integer Loss = static_cast<Integer>(Round(i * k));
        for (Integer x = 0; x < W; ++x) {
            Integer A = static_cast<Integer>(Row[x] >> 24);
            if (i > L)
                A = 0;
            else if (A != 0)
                A = std::max(0, A - Loss);
            Row[x] = (Row[x] & 0x00FFFFFF) | (static_cast<TColor32>(A) << 24);
        }
    }
}

Integer ShadowZoomGrowth(Integer Size, Integer Zoom)
{
    // Clamped before the conversion; sizes that large are refused later.
    Integer G = static_cast<Integer>(
        std::clamp<Extended>(Round(static_cast<Extended>(Size) * Zoom / 200), -Extended(1 << 30), Extended(1 << 30)));
    if (G % 2 == 1) --G;
    return G;
}

void MakeEdgingGlow(const TCustomBitmap32& Outline, const TCustomBitmap32& Band, TCustomBitmap32& Inside,
                    Integer Width)
{
    const Integer W = Inside.Width(), H = Inside.Height();
    if (Width <= 0 || Outline.Width() != W || Outline.Height() != H || Band.Width() != W || Band.Height() != H)
        return;
    // The outline pixels by row, so that each glow pixel looks only at the
    // rows of its window.
    std::vector<std::vector<Integer>> OutlineRows(static_cast<size_t>(H));
    for (Integer y = 0; y < H; ++y) {
        const TColor32* Row = Outline.GetPixelPtr(0, y);
        for (Integer x = 0; x < W; ++x)
            if (Row[x] >> 24) OutlineRows[static_cast<size_t>(y)].push_back(x);
    }
    const Extended k = 255.0L / Width;
    for (Integer y = 0; y < H; ++y) {
        TColor32* Row = Inside.GetPixelPtr(0, y);
        const TColor32* BandRow = Band.GetPixelPtr(0, y);
        for (Integer x = 0; x < W; ++x) {
            Integer A = 0;
            if ((Row[x] >> 24) != 0 && (BandRow[x] >> 24) != 0) {
                Extended d = 100000;
                // The window x - W - 2 < px < x + W + 2, likewise for y.
                const Integer y0 = std::max(0, y - Width - 1), y1 = std::min(H - 1, y + Width + 1);
                for (Integer py = y0; py <= y1; ++py)
                    for (Integer px : OutlineRows[static_cast<size_t>(py)]) {
                        if (px <= x - Width - 2) continue;
                        if (px >= x + Width + 2) break;
                        const Extended dx = px - x, dy = py - y;
                        d = std::min(d, std::sqrt(dx * dx + dy * dy));
                    }
                if (d <= Width) A = 255 - static_cast<Integer>(Round(d * k));
            }
            Row[x] = (Row[x] & 0x00FFFFFF) | (static_cast<TColor32>(std::clamp(A, 0, 255)) << 24);
        }
    }
}

// ---------------------------------------------------------------------------
// Closed-shape drawing

namespace {
TShapePath::TItem BoxItem(TShapePath::TOp Op, Single X, Single Y, Single Width, Single Height, Single Start = 0,
                          Single Sweep = 0)
{
    TShapePath::TItem I{.Op = Op};
    I.X = X;
    I.Y = Y;
    I.Width = Width;
    I.Height = Height;
    I.Start = Start;
    I.Sweep = Sweep;
    return I;
}
}  // namespace

void TShapePath::AddRectangle(Single X, Single Y, Single Width, Single Height)
{
    FItems.push_back(BoxItem(TOp::Rectangle, X, Y, Width, Height));
}

void TShapePath::AddEllipse(Single X, Single Y, Single Width, Single Height)
{
    FItems.push_back(BoxItem(TOp::Ellipse, X, Y, Width, Height));
}

void TShapePath::AddArc(Single X, Single Y, Single Width, Single Height, Single StartAngle, Single SweepAngle)
{
    FItems.push_back(BoxItem(TOp::Arc, X, Y, Width, Height, StartAngle, SweepAngle));
}

void TShapePath::AddLine(Single X1, Single Y1, Single X2, Single Y2) { AddLines({{X1, Y1}, {X2, Y2}}); }

void TShapePath::AddLines(std::vector<TFloatPoint> Points)
{
    FItems.push_back({.Op = TOp::Lines, .Points = std::move(Points)});
}

void TShapePath::AddPolygon(std::vector<TFloatPoint> Points)
{
    FItems.push_back({.Op = TOp::Polygon, .Points = std::move(Points)});
}

void TShapePath::AddBeziers(std::vector<TFloatPoint> Points)
{
    FItems.push_back({.Op = TOp::Beziers, .Points = std::move(Points)});
}

void TShapePath::AddCurve(std::vector<TFloatPoint> Points, Single Tension)
{
    FItems.push_back({.Op = TOp::Curve, .Points = std::move(Points), .Tension = Tension});
}

void TShapePath::AddClosedCurve(std::vector<TFloatPoint> Points, Single Tension)
{
    FItems.push_back({.Op = TOp::ClosedCurve, .Points = std::move(Points), .Tension = Tension});
}

void TShapePath::StartFigure() { FItems.push_back(BoxItem(TOp::StartFigure, 0, 0, 0, 0)); }

void TShapePath::CloseFigure() { FItems.push_back(BoxItem(TOp::CloseFigure, 0, 0, 0, 0)); }

void DrawClosedShape(TImgShape& Shape, TCustomBitmap32* Target, const TClosedShapeDraw& Args)
{
    if (!Target) Target = Shape.Bitmap32();
    if (!Target || Target->Empty() || !ImageEffectsHooks.DrawClosedShape) return;
    ImageEffectsHooks.DrawClosedShape(Shape, *Target, Args);
}
