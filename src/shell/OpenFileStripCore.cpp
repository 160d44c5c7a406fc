#include "shell/OpenFileStripCore.h"

#include <algorithm>
#include <cstdlib>

#include "framework/runtime/SysUtils.h"

namespace S = OpenFileStrip;

Integer OpenFileColumns(Integer PanelWidth, Integer ScrollBarWidth)
{
    const Integer N = (PanelWidth - ScrollBarWidth + 3) / S::PitchX;
    return N < 1 ? 1 : N;
}

TRect OpenFileTileRect(Integer Index, Integer Columns, Integer ScrollPos)
{
    const Integer L = (Index % Columns) * S::PitchX + 6, T = (Index / Columns) * S::PitchY - ScrollPos + 4;
    return TRect{L, T, L + S::TileWidth, T + S::TileHeight};
}

bool InOpenFileCloseArea(Integer X, Integer Y)
{
    return X >= S::TileWidth - 13 && X < S::TileWidth - 2 && Y >= 2 && Y < 12;
}

TOpenFileTileLook OpenFileTileLook(bool HasThumb, Integer ThumbW, Integer ThumbH, bool Current, bool Hovered,
                                   bool Modified, Integer RowCount, TPoint CloseGlyph, TPoint ModifiedGlyph)
{
    TOpenFileTileLook L;
    if (!HasThumb) return L;  // the background alone
    L.Highlight = Current ? 1 : (Hovered ? 2 : 0);
    L.Thumb = true;
    L.ThumbAt = TPoint{(S::TileWidth - ThumbW) / 2, (S::TileHeight - ThumbH) / 2};
    L.Close = Hovered && RowCount > 1;
    L.CloseAt = TPoint{S::TileWidth - CloseGlyph.X - 2, 2};
    L.Modified = Modified;
    L.ModifiedAt = TPoint{(S::TileWidth - ModifiedGlyph.X) / 2, S::TileHeight - ModifiedGlyph.Y - 6};
    return L;
}

Integer ScrollOpenFileIntoView(Integer Index, Integer Count, Integer Columns, Integer ScrollPos, Integer BoxHeight)
{
    if (Index < 0 || Index >= Count) return -1;
    const Integer Row = Index / Columns;
    const Integer Top = OpenFileTileRect(Index, Columns, ScrollPos).Top;
    if (Top < 0) return Row * S::PitchY - 6;
    // A box lower than one pitch still shows one row: counting none would
    // scroll the row it brings into view out of it again.
    const Integer Rows = std::max<Integer>(1, BoxHeight / S::PitchY);
    if (BoxHeight - S::PitchY < Top && Row >= Rows) return S::PitchY * (Row - Rows + 1);
    return -1;
}

Integer OpenFileDropMode(Integer X) { return X < S::TileWidth / 2 ? 1 : 2; }

Integer OpenFileBoxIndexAt(Integer X, Integer Y, Integer ScrollPos, Integer Columns, Integer Count)
{
    if (X < 0 || Y + ScrollPos < 0) return -1;
    const Integer Col = X / S::PitchX;
    if (Col >= Columns) return -1;
    const Integer I = (Y + ScrollPos) / S::PitchY * Columns + Col;
    return I < Count ? I : -1;
}

std::vector<TRect> OpenFileDropMark(Integer Over, Integer Mode, Integer Columns, Integer ScrollPos)
{
    Integer X0 = (Over % Columns) * S::PitchX + 3;
    if (Mode == 2) {
        const Integer K = (Over + 1) % Columns;
        X0 = K != 0 ? K * S::PitchX + 3 : ((Over % Columns) + 1) * S::PitchX + 3;
    }
    const Integer T = (Over / Columns) * S::PitchY - ScrollPos + 6;
    return {
        TRect{X0 - 1, T, X0 + 1, T + 63},          // the bar
        TRect{X0 - 2, T - 1, X0 + 2, T},           // inner caps, 4 wide
        TRect{X0 - 2, T + 63, X0 + 2, T + 64},
        TRect{X0 - 2, T - 2, X0 + 3, T - 1},       // outer caps, 5 wide
        TRect{X0 - 2, T + 64, X0 + 3, T + 65},
    };
}

Integer OpenFileDropTarget(Integer Start, Integer Over, Integer Mode)
{
    Integer To = Over;
    if (Start < To && Mode == 1) --To;
    if (To < Start && Mode == 2) ++To;
    return To;
}

Integer ExpandedOpenFileHeight(Integer Count, Integer Columns)
{
    const Integer Rows = (Count + Columns - 1) / Columns;
    return std::min(S::MaxExpandedRows * S::PitchY, Rows * S::PitchY);
}

String FitPathText(const String& Path, Integer LabelWidth, const std::function<Integer(const String&)>& TextWidth)
{
    if (LabelWidth >= TextWidth(Path)) return Path;
    const String Tail = u"...\\" + ExtractFileName(Path);
    String Text = Tail;
    for (Integer K = 3; TextWidth(Text) < LabelWidth - 10 && K < Integer(Path.size()); ++K)
        Text = Path.substr(0, K) + Tail;
    return Text;
}

Integer OpenFilePreviewLeft(Integer TileX, Integer PreviewWidth)
{
    return TileX - (PreviewWidth - OpenFileStrip::TileWidth) / 2;
}

std::vector<Integer> OpenFilePreviewSlide(Integer From, Integer To)
{
    std::vector<Integer> Steps;
    const Integer Step = std::abs(To - From) > OpenFileStrip::TileWidth ? 2 : 1;
    for (Integer L = From; L != To;) {
        L = To > L ? std::min(L + Step, To) : std::max(L - Step, To);
        Steps.push_back(L);
    }
    return Steps;
}
