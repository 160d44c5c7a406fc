// GradientStops: the stop editor both gradient dialogs carry, without a
// window. A gradient is three "/"-separated lists of equal length (colours,
// opacities, positions), one entry per stop; the editor keeps them as three
// rows, the marker of each stop on the strip under the gradient bar, and the
// selected stop. The windows only turn mouse and control events into the
// calls below and show the result.
#pragma once

#include <vector>

#include "foundation/HyDataTable.h"
#include "framework/runtime/Types.h"
#include "framework/runtime/UITypes.h"

// The words a colour entry may hold in place of a number.
extern const char16_t* const GradientForeWord;  // "ForeColor"
extern const char16_t* const GradientBackWord;  // "BackColor"

// A position as the editor writes it: at most three decimals, "." as the
// separator whatever the locale ("0", "0.5", "0.802", "1").
String GradientPositionText(Extended Value);
// A position rounded to three decimals (halves to even, like the editor's
// other roundings).
Extended RoundPosition(Extended Value);
// The selected stop's position as the label shows it: a percentage with at
// most one decimal ("50%", "12.5%").
String GradientPercentText(Extended Position);
// A position entry as a number; a text that is no number reads as 0.
Extended GradientPositionOf(const String& Text);

class TGradientStops {
public:
    static constexpr Integer MaxStops = 20;
    static constexpr Integer MinStops = 2;
    static constexpr Integer MarkerSize = 9;

    // BarLeft and StripTop: the strip's top left (the gradient bar's left and
    // bottom); Width: the bar's width in pixels.
    TGradientStops(Integer BarLeft, Integer StripTop, Integer Width);

    // The colours the words stand for when a stop is drawn.
    TColor ForeColor = 0, BackColor = 0xFFFFFF;

    // Fills the rows from the three lists and lays the markers out; stop 0 is
    // selected. Lists of unequal length are cut to the shortest (a damaged
    // row never indexes past one of them); fewer than two stops get the
    // fore-to-back default so that the editor always has two.
    void Load(const String& Colors, const String& Opacities, const String& Positions);
    String ColorsText() const { return FColorRow.ToString(true, u'/'); }
    String OpacitiesText() const { return FOpacityRow.ToString(true, u'/'); }
    String PositionsText() const { return FPositionRow.ToString(true, u'/'); }
    const TRow& ColorRow() const { return FColorRow; }
    const TRow& OpacityRow() const { return FOpacityRow; }
    const TRow& PositionRow() const { return FPositionRow; }

    Integer Count() const { return FColorRow.ItemCount(); }
    Integer Index() const { return FIndex; }
    void Select(Integer Index);
    bool CanDelete() const { return Count() > MinStops; }

    // The strip: left and top inclusive, right and bottom exclusive.
    TRect Strip() const { return FStrip; }
    Integer Width() const { return FWidth; }
    // Marker i's left (the square is MarkerSize wide, at Strip().Top + 6).
    Integer MarkerLeft(Integer i) const { return FLefts[static_cast<size_t>(i)]; }
    Integer MarkerTop() const { return FStrip.Top + 6; }

    // Stop i's colour entry, its colour (words resolved; a negative number is
    // a system colour and stays as it is), opacity and position.
    String ColorEntry(Integer i) const { return FColorRow.GetItem(i)->Text(); }
    TColor ColorOf(Integer i) const;
    Integer OpacityOf(Integer i) const { return FOpacityRow.GetItem(i)->Value(); }
    Extended PositionOf(Integer i) const { return GradientPositionOf(FPositionRow.GetItem(i)->Text()); }
    bool IsForeWord(Integer i) const { return ColorEntry(i) == GradientForeWord; }
    bool IsBackWord(Integer i) const { return ColorEntry(i) == GradientBackWord; }

    // A press at (X, Y) on the group box: inside the strip and with room for
    // another stop, a stop of Color at full opacity is added there, put in
    // position order and selected. False when nothing was added.
    bool AddStopAt(Integer X, Integer Y, TColor Color);
    // Moves the selected stop to index Dest in all three rows (and its marker).
    void MoveCurrentStop(Integer Dest);
    // The selected marker's new left when the pointer is at X: from the strip
    // (group-local x), or over the marker itself (marker-local x, the drag
    // having started at MoveX).
    Integer DragLeftFromStrip(Integer X) const { return X - 4; }
    Integer DragLeftFromMarker(Integer X, Integer MoveX) const { return X + MarkerLeft(FIndex) - MoveX; }
    // Drags the selected stop's marker to left L (clamped to the strip),
    // reorders the stops so that positions stay ascending and writes its
    // position.
    void DragTo(Integer L);
    // Deletes the selected stop (refused at MinStops); the new last stop is
    // selected.
    bool DeleteCurrent();

    // The selected stop takes Color as a number.
    void SetCurrentColor(TColor Color);
    // The selected stop takes the word (On) or the colour as a number (Off).
    void SetCurrentForeWord(bool On, TColor Color);
    void SetCurrentBackWord(bool On, TColor Color);
    void SetCurrentOpacity(Integer Percent);

    // The colour drop-down of the stop's colour button: opening remembers the
    // selected entry as it is (a word stays a word); a live preview writes a
    // colour; closing without a choice puts the remembered entry back.
    void BeginColorPreview();
    void PreviewColor(TColor Color);
    // The drop-down closed; Chosen when a colour was chosen (then nothing is
    // restored). True when the entry was restored.
    bool EndColorPreview(bool Chosen);
    bool ColorPreviewOpen() const { return FPreviewOpen; }

private:
    void LayOut();
    Integer LeftOfPosition(Extended Position) const;
    void SetEntry(Integer i, const String& Text) { FColorRow.GetItem(i)->SetText(Text); }

    TRow FColorRow, FOpacityRow, FPositionRow;
    std::vector<Integer> FLefts;
    TRect FStrip;
    Integer FWidth;
    Integer FIndex = 0;
    bool FPreviewOpen = false;
    Integer FPreviewIndex = -1;
    String FPreviewEntry;
};

// Whether a live colour message of a drop-down grid is applied: a black
// "colour" of an item past the grid's first eleven is the menu's own item,
// not a colour cell.
inline bool IsGridPreviewColor(Integer Color, Integer ItemIndex) { return !(Color == 0 && ItemIndex > 10); }

// ---------------------------------------------------------------------------
// Preset tiles

// Columns of the tile list: (panel width - scroll bar width - 5) div Pitch,
// at least 1.
Integer ThumbColumns(Integer PanelWidth, Integer ScrollBarWidth, Integer Pitch = 32);
// The top left of tile i in the list scrolled to ScrollPos.
TPoint ThumbPlace(Integer i, Integer Columns, Integer ScrollPos, Integer Pitch = 32);
// A preset index brought into range for a table of Rows rows: past the end
// is the last row, below 0 is 0 (-1 when the table is empty).
Integer ClampPresetIndex(Integer Index, Integer Rows);
// A new preset row of 20 empty cells with the three lists in cells 1, 2 and
// 3 and Name in cell NameCell (none when NameCell < 0), appended to Table.
// Returns its index.
Integer AppendGradientPreset(TDataTable& Table, const String& Colors, const String& Opacities,
                             const String& Positions, Integer NameCell, const String& Name);
// Cells 1, 2, 3 (and the name cell when NameCell >= 0) of row Index.
void StoreGradientPreset(TDataTable& Table, Integer Index, const String& Colors, const String& Opacities,
                         const String& Positions, Integer NameCell, const String& Name);
// Removes row Index; returns the preset that is current after it (the row
// that took its place, or the new last row; -1 when the table is empty).
Integer DeleteGradientPreset(TDataTable& Table, Integer Index);
