// The edit menu's rules with a crop frame, a selection, a lifted selection
// and objects on top.
#include <gtest/gtest.h>

#include <map>

#include "framework/runtime/SysUtils.h"

#include "shell/EditMenuRules.h"

namespace {

std::map<String, TEditMenuItemState> Rules(const TEditMenuInput& In)
{
    std::map<String, TEditMenuItemState> M;
    for (const TEditMenuItemState& S : EditMenuRules(In)) M.emplace(S.Name, S);
    return M;
}

using enum TMenuMark;

}  // namespace

TEST(EditMenuRules, ACropFrameShowsTheCropItemsAndHidesTheClipboard)
{
    TEditMenuInput In;
    In.Crop = true, In.CropEnabled = true, In.CropRatioIndex = 8;
    auto M = Rules(In);
    for (const char16_t* Shown : {u"muCrop", u"muSaveCropSize", u"muLoadCropSize", u"muCropRestrainRatio",
                                  u"muCropOriginalRatio", u"muCropNoRestraint"})
        EXPECT_TRUE(M.at(Shown).Visible) << UTF8Encode(Shown);
    for (const char16_t* Hidden : {u"muCut", u"muCopy", u"muPaste", u"muDelete", u"muSelectAllObjects",
                                   u"muSelectImageAll", u"muGuides", u"muCreateNewImage", u"muFlattenAll"})
        EXPECT_FALSE(M.at(Hidden).Visible) << UTF8Encode(Hidden);
    EXPECT_EQ(M.at(u"muCrop").Enabled, On);
    EXPECT_EQ(M.at(u"muCropRestrainRatio").Checked, On);
    EXPECT_EQ(M.at(u"muCropNoRestraint").Checked, Off);
    // Hidden items keep their enabled mark.
    EXPECT_EQ(M.at(u"muSelectImageAll").Enabled, Keep);

    In.CropEnabled = false, In.CropRatioIndex = -1;
    M = Rules(In);
    EXPECT_EQ(M.at(u"muCrop").Enabled, Off);
    EXPECT_EQ(M.at(u"muCropNoRestraint").Checked, On);
}

TEST(EditMenuRules, SelectionPlainAndLifted)
{
    struct {
        bool Lifted;
        bool NewImage, CopyMerged;
        TMenuMark Cut, SelectAll, Invert;
    } const Cases[] = {
        {false, true, true, On, On, On},
        {true, false, false, Off, Off, Off},  // lifted pixels: no new image, no cut
    };
    for (const auto& C : Cases) {
        TEditMenuInput In;
        In.Selection = true, In.SelectionBitmap = C.Lifted, In.CropEnabled = true;
        auto M = Rules(In);
        EXPECT_EQ(M.at(u"muCreateNewImage").Visible, C.NewImage);
        EXPECT_EQ(M.at(u"muCopyMerged").Visible, C.CopyMerged);
        EXPECT_EQ(M.at(u"muCrop").Visible, C.NewImage);
        EXPECT_EQ(M.at(u"muCut").Enabled, C.Cut);
        EXPECT_EQ(M.at(u"muCopy").Enabled, On);
        EXPECT_EQ(M.at(u"muDelete").Enabled, On);
        EXPECT_EQ(M.at(u"muSelectImageAll").Enabled, C.SelectAll);
        EXPECT_EQ(M.at(u"muSelectImageInvert").Enabled, C.Invert);
        EXPECT_FALSE(M.at(u"muSelectAllObjects").Visible);
        EXPECT_FALSE(M.at(u"muGuides").Visible);
        EXPECT_EQ(M.at(u"muSaveSelection").Enabled, On);
        EXPECT_EQ(M.at(u"muLoadSelection").Enabled, Off);
    }
}

TEST(EditMenuRules, SelectedBitmapObjectAndEmptyCanvas)
{
    TEditMenuInput In;
    In.Selected = 1, In.Editable = 1, In.BitmapObject = true, In.PastePropEnabled = true;
    auto M = Rules(In);
    for (const char16_t* Shown : {u"muFlip", u"muReplaceBy", u"muOrder", u"muAlign", u"muFlatten", u"muSelectSameType",
                                  u"muCopyProperty", u"muPasteProperty", u"muSelectAllObjects", u"muFlattenAll"})
        EXPECT_TRUE(M.at(Shown).Visible) << UTF8Encode(Shown);
    for (const char16_t* Hidden : {u"muSelectImageAll", u"muGuides", u"muCopyToClipboard", u"muSaveSelection"})
        EXPECT_FALSE(M.at(Hidden).Visible) << UTF8Encode(Hidden);
    EXPECT_EQ(M.at(u"muCut").Enabled, On);
    EXPECT_EQ(M.at(u"muPasteProperty").Enabled, On);
    EXPECT_EQ(M.at(u"muOrder").Enabled, Keep);

    In.BitmapObject = false;  // a line object
    EXPECT_FALSE(Rules(In).at(u"muFlip").Visible);

    // Nothing on the canvas: guides and the image selection, no object commands.
    M = Rules(TEditMenuInput{});
    EXPECT_TRUE(M.at(u"muGuides").Visible);
    EXPECT_TRUE(M.at(u"muSelectImageAll").Visible);
    EXPECT_EQ(M.at(u"muSelectAllObjects").Enabled, Off);
    EXPECT_FALSE(M.at(u"muFlattenAll").Visible);
    EXPECT_EQ(M.at(u"muCut").Enabled, Off);
    EXPECT_EQ(M.at(u"muPaste").Enabled, Off);
    EXPECT_FALSE(M.at(u"muPasteProperty").Visible);
}
