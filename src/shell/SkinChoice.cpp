#include "shell/SkinChoice.h"

#include "foundation/HyDataTable.h"
#include "framework/runtime/SysUtils.h"

namespace SkinChoice {

const char16_t* const StoredSkinName = u"Rire";

const TColor LabelColors[SkinCount] = {0xE9D6C9, 0xC0C0C0, 0xD6CFC9, 0xD3CBC5};
const TColor BackColors[SkinCount] = {0xEEE7E1, 0xE6E6E6, 0xE8E6E3, 0xEAE7E3};

Integer SkinRowOf(const TDataTable& Skins, const String& Name)
{
    for (Integer I = 0; I < Skins.ItemCount(); ++I)
        if (SameText(Skins.GetItem(I)->GetItem(0)->Text(), Name)) return I;
    return -1;
}

String SkinFileName(const String& ProgramFolder, const String& Name)
{
    return ProgramFolder + u"Skin\\" + Name + u".skn";
}

TSkinSource SkinSourceOf(const TDataTable& Skins, const String& Name)
{
    if (SkinRowOf(Skins, Name) < 0) return TSkinSource::None;
    // Only the exact name means the stored skin; another spelling of it
    // looks for a file of that spelling.
    return Name == StoredSkinName ? TSkinSource::Stored : TSkinSource::File;
}

TSkinMenuState SkinMenuState(const TDataTable& Skins, const String& CurrentName, const String& ProgramFolder,
                             const TFileExists& Exists)
{
    TSkinMenuState State;
    for (Integer I = 0; I < SkinCount && I < Skins.ItemCount(); ++I)
        State.Enabled[I] =
            I == StoredSkinRow || Exists(SkinFileName(ProgramFolder, Skins.GetItem(I)->GetItem(0)->Text()));
    const Integer Row = SkinRowOf(Skins, CurrentName);
    State.Checked = Row < SkinCount ? Row : -1;
    return State;
}

TSkinChoiceStep DecideSkinChoice(const TDataTable& Skins, Integer ChosenRow, Integer CheckedRow,
                                 const String& ProgramFolder, const TFileExists& Exists)
{
    if (ChosenRow < 0 || ChosenRow >= Skins.ItemCount() || ChosenRow == CheckedRow) return TSkinChoiceStep::Nothing;
    const String Name = Skins.GetItem(ChosenRow)->GetItem(0)->Text();
    if (SkinSourceOf(Skins, Name) == TSkinSource::File && !Exists(SkinFileName(ProgramFolder, Name)))
        return TSkinChoiceStep::Missing;
    return TSkinChoiceStep::Switch;
}

TTextId EditionTitleText(Integer EditionCode)
{
    switch (EditionCode) {
        case 3: return {0, 161};
        case 4: return {0, 162};
        case 5: return {0, 163};
        default: return {0, 160};
    }
}

Integer PropertyLabelTop(Integer LangColumn) { return LangColumn != 0 ? 2 : 3; }

bool UsesChineseFontSet(Integer LangColumn, Integer WindowsMajorVersion)
{
    return LangColumn == 0 && WindowsMajorVersion >= 6;
}

}  // namespace SkinChoice
