#include <gtest/gtest.h>

#include "skin/frame/SkinSystemMenuCore.h"

using Names = std::vector<std::u16string>;

TEST(SkinSystemMenuCore, ItemsFollowTheStateAndTheBorderIcons)
{
    struct { const char* Name; TsfSysMenuState S; Names Want; } Cases[] = {
        {"dialog with the system menu only", {sfwsNormal, false, false, false, false, false, false}, {u"DSF_CLOSE"}},
        {"maximised main window", {sfwsMaximized, false, false, true, true, false, false},
         {u"DSF_MINITEM", u"DSF_RESTORE", u"-", u"DSF_CLOSE"}},
        {"rolled-up form", {sfwsNormal, true, false, true, true, true, false},
         {u"DSF_MINITEM", u"DSF_MAXITEM", u"DSF_RESTORE", u"-", u"DSF_CLOSE"}},
        {"normal form, every icon", {sfwsNormal, false, false, true, true, true, true},
         {u"DSF_MINITEM", u"DSF_MAXITEM", u"DSF_ROLLUP", u"DSF_MINTOTRAY", u"-", u"DSF_CLOSE"}},
        {"minimised: no roll-up", {sfwsMinimized, false, false, true, true, true, false},
         {u"DSF_MAXITEM", u"DSF_RESTORE", u"-", u"DSF_CLOSE"}},
        {"maximised child: no roll-up", {sfwsMaximized, false, true, false, true, true, false},
         {u"DSF_RESTORE", u"-", u"DSF_CLOSE"}},
    };
    for (const auto& C : Cases) EXPECT_EQ(SysMenuItemNames(C.S), C.Want) << C.Name;
}

TEST(SkinSystemMenuCore, MergedItemsGoOnTopInTheMenusOrder)
{
    EXPECT_EQ(SysMenuMergedNames({sfwsNormal, false, false, true, true, true, false}),
              (Names{u"DSF_MINITEM", u"DSF_MAXITEM", u"DSF_ROLLUP"}));
    EXPECT_EQ(SysMenuMergedNames({sfwsMaximized, false, false, true, true, true, true}),
              (Names{u"DSF_MINITEM", u"DSF_RESTORE", u"DSF_ROLLUP", u"DSF_MINTOTRAY"}));
    EXPECT_EQ(SysMenuMergedNames({sfwsNormal, false, false, false, false, false, false}), Names{});
    EXPECT_TRUE(IsStandardSysMenuName(u"DSF_CLOSE"));
    EXPECT_FALSE(IsStandardSysMenuName(u"TRAY_DSF_CLOSE"));
    EXPECT_FALSE(IsStandardSysMenuName(u"Mine"));
}
