// ImageFramesCore: the frame dialog's choices without a window: which rows,
// colour buttons and stereo boxes a frame type and mode show, their names,
// ranges and stored defaults; the stored value list of settings row 5; the
// dialog's height; the texture size check; and the pattern frame's table,
// edited on a copy that reaches the preset's own table only on OK.
#pragma once

#include <memory>

#include "foundation/HyDataTable.h"
#include "framework/runtime/UITypes.h"

namespace FrameDialog {

// Settings: row 5 holds the stored frames, row 1 cell 42 the texture folder.
constexpr Integer SettingsRow = 5, TextureOptionCell = 48, TextureFileCell = 49;
constexpr Integer FolderRow = 1, FolderCell = 42;
constexpr Integer RowHeight = 36, StereoRowHeight = 68, OptionRowHeight = 78;

struct TFrameSetup {
    bool RowShown[3] = {true, false, false};
    bool ColorShown[3] = {true, false, false};
    bool StereoShown[3] = {false, false, false};
    bool OptionRow = false;
    // Language text (5, NameIndex) followed by ":".
    Integer NameIndex[3] = {1, 2, 3};
    Integer Min[3] = {0, 0, 0}, Max[3] = {100, 100, 100};
    bool Percent[3] = {false, false, false};
    // Settings row 5 cell of the stored list, -1: nothing is stored.
    Integer Cell = -1;
    String DefaultList;
    // Every opening starts from these (the edge frame).
    bool FixedStart = false;
};
TFrameSetup FrameSetupFor(Integer FrameType, Integer FrameMode);

struct TFrameValues {
    Integer Value[3] = {0, 0, 0};
    TColor Color[3] = {0, 0, 0};
};
// The stored list (the default list when Stored is empty): for each shown
// row its slider and, when shown, its colour. A missing or broken number
// takes the default list's; a slider value is clamped into its range.
TFrameValues ParseFrameValues(const TFrameSetup& S, const String& Stored);
String JoinFrameValues(const TFrameSetup& S, const TFrameValues& V);

// Heights of the dialog: rows 1 to 3 (0 when hidden), the bevel, the panel
// inside it and the form.
struct TFrameLayout {
    Integer Row[3] = {0, 0, 0};
    Integer Option = 0;
    Integer Bevel = 0, Panel = 0, Form = 0;
};
TFrameLayout FrameLayoutFor(const TFrameSetup& S, Integer BevelTop);

// What a chosen texture picture's size says.
enum class TTextureCheck { Accept, Ask, TooLarge, Empty };
TTextureCheck CheckTextureSize(Integer Width, Integer Height);
// Where the texture chooser starts: the stored folder, else the program's.
String TextureFolder(const String& Stored, const String& ProgramFolder);

// A pattern frame's table as the dialog edits it: a copy (cells copied, the
// rows' pictures shared) that previews draw, written back into the preset's
// own table by Commit. Dialog row 0 edits table row 2 (the outer layer),
// row 1 table row 1, row 2 table row 0. Cells: 2 colour, 5 stereo, 6 stereo
// width, 10 .. 13 the widths of the four sides.
class TFrameTableCopy {
public:
    explicit TFrameTableCopy(TDataTable* Source);
    TDataTable* Table() const { return FCopy.get(); }
    bool HasRow(Integer DialogRow) const;
    Integer Width(Integer DialogRow) const;
    TColor Color(Integer DialogRow) const;
    bool Stereo(Integer DialogRow) const;
    Integer StereoWidth(Integer DialogRow) const;  // 1 .. 9
    void SetWidth(Integer DialogRow, Integer Value);
    void SetColor(Integer DialogRow, TColor Value);
    void SetStereo(Integer DialogRow, bool Value);
    void SetStereoWidth(Integer DialogRow, Integer Value);
    // The edited cells into the preset's table.
    void Commit();

private:
    TCell* Cell(Integer DialogRow, Integer Index) const;
    TDataTable* FSource;
    std::unique_ptr<TDataTable> FCopy;
};

}  // namespace FrameDialog
