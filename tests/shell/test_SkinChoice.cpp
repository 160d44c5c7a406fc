// The skin menu's choices and the localisation's small rules, without windows.
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "foundation/HyDataTable.h"
#include "shell/MainTexts.h"
#include "shell/SkinChoice.h"

namespace {

using namespace SkinChoice;

// The program's four skins, in the table's order.
std::unique_ptr<TDataTable> MakeSkins()
{
    auto T = std::make_unique<TDataTable>();
    for (const char16_t* Row : {u"Charm,a", u"Laconic,b", u"Rire,c", u"Cool,d"}) T->AddItem(Row);
    return T;
}

const String Folder = u"C:\\Prog\\";

TEST(SkinChoice, NamesMatchIgnoringCaseButOnlyTheExactNameIsTheStoredSkin)
{
    const auto Table = MakeSkins();
    const TDataTable& T = *Table;
    struct Case {
        const char16_t* Name;
        Integer Row;
        TSkinSource Source;
    } Cases[] = {
        {u"Charm", 0, TSkinSource::File},     {u"laconic", 1, TSkinSource::File},
        {u"Rire", 2, TSkinSource::Stored},    {u"rire", 2, TSkinSource::File},
        {u"RIRE", 2, TSkinSource::File},      {u"Cool", 3, TSkinSource::File},
        {u"Autumn", -1, TSkinSource::None},   {u"", -1, TSkinSource::None},
    };
    for (const Case& C : Cases) {
        EXPECT_EQ(SkinRowOf(T, C.Name), C.Row) << UTF8Encode(C.Name);
        EXPECT_EQ(SkinSourceOf(T, C.Name), C.Source) << UTF8Encode(C.Name);
    }
    EXPECT_EQ(SkinFileName(Folder, u"Cool"), u"C:\\Prog\\Skin\\Cool.skn");
}

TEST(SkinChoice, MenuEnablesTheSkinsWithFilesAndAlwaysTheStoredOne)
{
    const auto Table = MakeSkins();
    const TDataTable& T = *Table;
    struct Case {
        std::set<String> Files;
        const char16_t* Current;
        bool Enabled[4];
        Integer Checked;
    } Cases[] = {
        {{}, u"Rire", {false, false, true, false}, 2},
        {{u"C:\\Prog\\Skin\\Charm.skn", u"C:\\Prog\\Skin\\Cool.skn"}, u"Cool", {true, false, true, true}, 3},
        {{u"C:\\Prog\\Skin\\Laconic.skn"}, u"laconic", {false, true, true, false}, 1},
        // The stored skin's name in lower case still checks its item.
        {{}, u"rire", {false, false, true, false}, 2},
        {{}, u"Nowhere", {false, false, true, false}, -1},
    };
    for (const Case& C : Cases) {
        const TSkinMenuState S =
            SkinMenuState(T, C.Current, Folder, [&](const String& F) { return C.Files.count(F) > 0; });
        for (Integer I = 0; I < SkinCount; ++I) EXPECT_EQ(S.Enabled[I], C.Enabled[I]) << UTF8Encode(C.Current) << I;
        EXPECT_EQ(S.Checked, C.Checked) << UTF8Encode(C.Current);
    }
}

TEST(SkinChoice, ChoosingTheCurrentSkinDoesNothingAndAVanishedFileHidesNothing)
{
    const auto Table = MakeSkins();
    const TDataTable& T = *Table;
    const auto All = [](const String&) { return true; };
    const auto None = [](const String&) { return false; };
    EXPECT_EQ(DecideSkinChoice(T, 2, 2, Folder, All), TSkinChoiceStep::Nothing);
    EXPECT_EQ(DecideSkinChoice(T, 0, 2, Folder, All), TSkinChoiceStep::Switch);
    EXPECT_EQ(DecideSkinChoice(T, 3, -1, Folder, All), TSkinChoiceStep::Switch);
    EXPECT_EQ(DecideSkinChoice(T, 0, 2, Folder, None), TSkinChoiceStep::Missing);
    EXPECT_EQ(DecideSkinChoice(T, 2, 0, Folder, None), TSkinChoiceStep::Switch);
    EXPECT_EQ(DecideSkinChoice(T, 4, 0, Folder, All), TSkinChoiceStep::Nothing);
    EXPECT_EQ(DecideSkinChoice(T, -1, 0, Folder, All), TSkinChoiceStep::Nothing);
}

TEST(SkinChoice, TitlesLabelTopsAndFontSets)
{
    struct {
        Integer Edition, Number;
    } Titles[] = {{3, 161}, {4, 162}, {5, 163}, {2, 160}, {0, 160}, {6, 160}};
    for (auto C : Titles) {
        EXPECT_EQ(EditionTitleText(C.Edition).Group, 0);
        EXPECT_EQ(EditionTitleText(C.Edition).Number, C.Number) << C.Edition;
    }
    EXPECT_EQ(PropertyLabelTop(0), 3);
    EXPECT_EQ(PropertyLabelTop(2), 2);
    EXPECT_EQ(PropertyLabelTop(1), 2);
    EXPECT_TRUE(UsesChineseFontSet(0, 6));
    EXPECT_TRUE(UsesChineseFontSet(0, 10));
    EXPECT_FALSE(UsesChineseFontSet(0, 5));
    EXPECT_FALSE(UsesChineseFontSet(2, 10));
    EXPECT_EQ(MainCaptionFont(true).Size, 9);
    EXPECT_FALSE(MainCaptionFont(true).UseSkinFont);
    EXPECT_EQ(String(MainCaptionFont(false).Face), u"Arial");
    EXPECT_TRUE(MainCaptionFont(false).UseSkinFont);
}

TEST(SkinChoice, ColourTablesAreBlueHighTColors)
{
    EXPECT_EQ(LabelColors[0], 0xE9D6C9);
    EXPECT_EQ(BackColors[3], 0xEAE7E3);
    // Charm's light blue has its blue in the high byte.
    EXPECT_GT((BackColors[0] >> 16) & 0xFF, BackColors[0] & 0xFF);
}

TEST(MainTexts, EveryComponentTakesOneTextPerTarget)
{
    std::set<std::pair<String, int>> Seen;
    for (const TMainText& T : MainWindowTexts())
        EXPECT_TRUE(Seen.insert({T.Component, static_cast<int>(T.Target)}).second) << UTF8Encode(T.Component);
    // The selection tolerance shares the fill tolerance's text, with its colon.
    for (const TMainText& T : MainWindowTexts())
        if (String(T.Component) == u"lblSelectionTolerance") {
            EXPECT_EQ(T.Text.Number, 232);
            EXPECT_TRUE(T.Text.Colon);
        }
}

}  // namespace
