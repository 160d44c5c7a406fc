// The main window's life without a window: crop sizes in the settings, the
// open-documents rows at start, the first document, the close button, the
// places computed on a first start and the file another program hands over.
#include <gtest/gtest.h>

#include <set>

#include "shell/MainLifecycle.h"

namespace {

// Config row 1 with the cells the first show reads.
std::unique_ptr<TRow> SettingsRow(bool OpenDefault, const String& Default, bool OpenLast, const String& Last)
{
    auto R = std::make_unique<TRow>();
    for (Integer I = 0; I < 50; ++I) R->AddItem(String());
    R->GetItem(32)->SetAsBool(OpenDefault);
    R->GetItem(33)->SetText(EscapeCellText(Default));
    R->GetItem(30)->SetAsBool(OpenLast);
    R->GetItem(31)->SetText(EscapeCellText(Last));
    return R;
}

}  // namespace

TEST(MainLifecycle, TitleSuffixIsPartOfTheTitleOfEachLanguage)
{
    EXPECT_EQ(MainTitleSuffix(2), u"- Quorvan Lumatra Standard");
    EXPECT_NE(String(u"图像编辑 - 阔文卢玛特拉标准版").find(MainTitleSuffix(0)), String::npos);
}

TEST(MainLifecycle, CropSizesRoundTripThroughTheSettings)
{
    TDataTable T;
    LoadCropSizes(T, u"120.320.120.240");
    ASSERT_EQ(T.ItemCount(), 2);
    EXPECT_EQ(T.GetItem(0)->ToString(false), u"120,120");
    EXPECT_EQ(T.GetItem(1)->ToString(false), u"320,240");
    EXPECT_EQ(CropSizesText(T), u"120.320.120.240");

    struct {
        const char16_t* Stored;
        Integer Rows;
        const char16_t* Written;
    } const Cases[] = {
        {u"", 2, u"120.320.120.240"},  // nothing stored yet
        {u"10.20.30", 1, u"10.20"},   // odd count: the last piece is left out
        {u"640.480", 1, u"640.480"},
    };
    for (const auto& C : Cases) {
        LoadCropSizes(T, C.Stored);
        EXPECT_EQ(T.ItemCount(), C.Rows) << UTF8Encode(C.Stored);
        EXPECT_EQ(CropSizesText(T), C.Written) << UTF8Encode(C.Stored);
    }
    T.Clear();
    EXPECT_EQ(CropSizesText(T), u"");
}

TEST(MainLifecycle, OpenFileRowsArePaddedResetAndDroppedWhenTheFileIsGone)
{
    TDataTable T(String(), ColumnSet({1}));
    T.AddItem(u"0,C:\\a.png,2,3,-1");  // five cells
    T.AddItem(u"0,C:\\gone.png");
    T.AddItem(u"0,C:\\b.png,,,-1,,,,,,,,1.5,,,-1,,-1,,2");
    const std::set<String> Existing = {u"C:\\a.png", u"C:\\b.png"};
    PrepareOpenFileRows(T, [&](const String& F) { return Existing.count(F) > 0; });
    ASSERT_EQ(T.ItemCount(), 2);
    for (Integer I = 0; I < 2; ++I) {
        TRow* R = T.GetItem(I);
        EXPECT_EQ(R->ItemCount(), OpenFileCells);
        EXPECT_EQ(R->GetItem(15)->Text(), u"0");
        EXPECT_EQ(R->GetItem(4)->Text(), u"0");
        EXPECT_EQ(R->GetItem(12)->Text(), u"");
        EXPECT_NE(R->Data4().As<TDataTable>(), nullptr);
        EXPECT_NE(R->Data5().As<TDataTable>(), nullptr);
    }
    EXPECT_EQ(T.GetItem(1)->GetItem(17)->Text(), u"-1");  // the rest is kept
}

TEST(MainLifecycle, FirstDocumentByPreference)
{
    const std::set<String> Existing = {u"C:\\arg.png", u"C:\\def,ault.png", u"C:\\last.png"};
    auto Exists = [&](const String& F) { return Existing.count(F) > 0; };
    struct {
        const char16_t* Arg;
        bool OpenDefault;
        const char16_t* Default;
        bool OpenLast;
        const char16_t* Last;
        const char16_t* FirstRow;
        const char16_t* Expected;
    } const Cases[] = {
        {u"C:\\arg.png", true, u"C:\\def,ault.png", true, u"C:\\last.png", u"C:\\row.png", u"C:\\arg.png"},
        {u"C:\\missing.png", true, u"C:\\def,ault.png", true, u"C:\\last.png", u"", u"C:\\def,ault.png"},
        {u"", false, u"C:\\def,ault.png", true, u"C:\\last.png", u"C:\\row.png", u"C:\\last.png"},
        // The last image is gone: the first open document.
        {u"", false, u"", true, u"C:\\gone.png", u"C:\\row.png", u"C:\\row.png"},
        {u"", false, u"", true, u"C:\\gone.png", u"", u""},
        // Without "open the last image", a blank image even with documents open last time.
        {u"", false, u"", false, u"C:\\last.png", u"C:\\row.png", u""},
        {u"", true, u"C:\\gone.png", false, u"", u"", u""},
    };
    for (const auto& C : Cases) {
        auto Settings = SettingsRow(C.OpenDefault, C.Default, C.OpenLast, C.Last);
        EXPECT_EQ(ChooseFirstDocument({C.Arg, Settings.get(), C.FirstRow}, Exists), C.Expected)
            << UTF8Encode(C.Arg) << " / " << UTF8Encode(C.Last);
    }
}

TEST(MainLifecycle, CalledAppIdAndClose)
{
    EXPECT_EQ(CalledAppIdOf(u"2"), 2);
    EXPECT_EQ(CalledAppIdOf(u" 1 "), 1);
    EXPECT_EQ(CalledAppIdOf(u"gallery"), 0);
    EXPECT_EQ(CalledAppIdOf(u""), 0);

    EXPECT_EQ(DecideClose(true, false, false), TMainCloseStep::AskAndEnd);
    EXPECT_EQ(DecideClose(false, true, false), TMainCloseStep::End);
    EXPECT_EQ(DecideClose(false, false, false), TMainCloseStep::HideWithNotice);
    EXPECT_EQ(DecideClose(false, false, true), TMainCloseStep::Hide);
}

TEST(MainLifecycle, PlacesOfAFirstStart)
{
    const TPanelPlace P = DefaultTextPanelPlace(1180, 230, 220, 93);
    EXPECT_EQ(P.Left, 1180 - 230 - 220 - 20);
    EXPECT_EQ(P.Top, 93 + 25);
    EXPECT_EQ(StyleColumnCount(1280, 367, 24), 6);          // 13 fit, six are kept
    EXPECT_EQ(StyleColumnCount(367 + 24 + 15 + 3 * 67, 367, 24), 3);
    EXPECT_EQ(StyleColumnCount(300, 367, 24), 1);            // never none
}

TEST(MainLifecycle, CopiedFileNameStaysInsideTheBlock)
{
    const Char Terminated[] = u"C:\\a.png\0junk";
    EXPECT_EQ(CopiedFileName(Terminated, sizeof(Terminated)), u"C:\\a.png");
    // No terminator inside the block: the name ends with the block.
    const Char Unterminated[] = {u'C', u':', u'\\', u'b'};
    EXPECT_EQ(CopiedFileName(Unterminated, sizeof(Unterminated)), u"C:\\b");
    EXPECT_EQ(CopiedFileName(Unterminated, 3), u"C");  // an odd last byte is left out
    EXPECT_EQ(CopiedFileName(nullptr, 10), u"");
    EXPECT_EQ(CopiedFileName(Unterminated, 0), u"");
}
