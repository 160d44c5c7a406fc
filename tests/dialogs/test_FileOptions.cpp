// The JPEG and BMP options as the file-information row keeps them.
#include <gtest/gtest.h>

#include "dialogs/FileOptions.h"

TEST(FileOptions, TheRowIsMadeInAnEmptyTableAndGrownInAShortOne)
{
    TDataTable Empty;
    TRow& R = FileOptionsRow(Empty);
    EXPECT_EQ(Empty.ItemCount(), 5);
    EXPECT_GT(R.ItemCount(), FileOptionCol::BmpDepth);

    TDataTable Short;
    Short.AddItem(u"1,2");
    EXPECT_GT(FileOptionsRow(Short).ItemCount(), FileOptionCol::BmpDepth);
    EXPECT_EQ(Short.GetItem(0)->GetItem(1)->Text(), u"2");
}

TEST(FileOptions, JpegDialogStartsAtTheStoredStepElseNine)
{
    const struct {
        const char16_t* Cell;
        Integer Step;
    } Rows[] = {{u"", 9}, {u"0", 9}, {u"3", 3}, {u"10", 10}, {u"11", 9}, {u"-1", 9}, {u"x", 9}};
    TDataTable T;
    TRow& R = FileOptionsRow(T);
    for (const auto& C : Rows) {
        R.GetItem(FileOptionCol::JpegStep)->SetText(C.Cell);
        EXPECT_EQ(InitialJpegStep(R), C.Step) << UTF8Encode(C.Cell);
    }
}

TEST(FileOptions, BmpDepthIsTheFirstCheckedElse32)
{
    EXPECT_EQ(CheckedBmpDepth({false, false, false, false, true, false}), 24);
    EXPECT_EQ(CheckedBmpDepth({true, false, false, false, true, false}), 1);
    EXPECT_EQ(CheckedBmpDepth({false, false, false, true, false, false}), 16);
    EXPECT_EQ(CheckedBmpDepth({false, false, false, false, false, true}), 32);
    EXPECT_EQ(CheckedBmpDepth({false, false, false, false, false, false}), 32);
}
