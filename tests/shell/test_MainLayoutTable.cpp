// The main window's layout table: every part can be made in table order and
// the sizes other parts of the window rely on hold.
#include <gtest/gtest.h>

#include <set>

#include "framework/runtime/SysUtils.h"
#include "shell/MainLayoutTable.h"

TEST(MainLayoutTable, ParentsComeFirstAndCanHoldChildren)
{
    std::set<String> Made;
    for (const TMainPart& P : MainLayoutParts()) {
        EXPECT_TRUE(Made.insert(P.Name).second) << "twice: " << UTF8Encode(P.Name);
        if (!P.Parent) continue;
        const TMainPart* Parent = FindMainPart(P.Parent);
        ASSERT_NE(Parent, nullptr) << UTF8Encode(P.Name);
        EXPECT_TRUE(Made.count(P.Parent)) << UTF8Encode(P.Name) << " before its parent";
        EXPECT_TRUE(Parent->Kind == TMainPartKind::Panel || Parent->Kind == TMainPartKind::ScrollBox)
            << UTF8Encode(P.Name) << " in a part that holds no children";
    }
    EXPECT_EQ(FindMainPart(u"nothing"), nullptr);
}

TEST(MainLayoutTable, KeepsTheFixedSizes)
{
    struct {
        const char16_t* Name;
        Integer Width, Height;
    } const Cases[] = {
        {u"pnlOpenFile", 0, MainLayoutSize::OpenFileHeight},
        {u"pnlProp", 0, 93},
        {u"pnlStyles", -1, 93},
        {u"lblMsg1", 240, 0},
        {u"pnlShowRight", MainLayoutSize::ShowRightWidth, -1},
    };
    for (const auto& C : Cases) {
        const TMainPart* P = FindMainPart(C.Name);
        ASSERT_NE(P, nullptr) << UTF8Encode(C.Name);
        if (C.Width >= 0) EXPECT_EQ(P->Width, C.Width) << UTF8Encode(C.Name);
        if (C.Height >= 0) EXPECT_EQ(P->Height, C.Height) << UTF8Encode(C.Name);
    }
    EXPECT_EQ(MainLayoutSize::OpenFileHeight, 72);
    EXPECT_EQ(MainLayoutSize::RulerSize, 17);
    // The canvas takes what the docked parts leave.
    EXPECT_EQ(FindMainPart(u"Image")->Align, TMainPartAlign::Client);
}
