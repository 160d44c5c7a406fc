// A form with every panel, check and radio box, label, bevel and splitter, in
// each of the program's four skins and without one; the screenshots are kept
// as test output (screenshots/controls-<skin>.png), not compared.
#include <gtest/gtest.h>

#include "skin/controls/SkinControlTestEnv.h"
#include "skin/controls/win/SkinCheckCtrls.h"
#include "skin/controls/win/SkinLabels.h"
#include "skin/controls/win/SkinPanels.h"

using namespace skintest;

namespace {

class SkinControlsScreenshot : public SkinFormTest {};

}  // namespace

TEST_F(SkinControlsScreenshot, EveryControlInEverySkin)
{
    TForm* form = NewForm(20, 20, 640, 420);
    form->SetColor(clBtnFace);
    auto place = [&](TControl* C, TWinControl* Parent, TRect R) {
        C->SetParent(Parent);
        C->SetBounds(R.Left, R.Top, R.Right, R.Bottom);
    };
    std::vector<IsfSkinnedControl*> skinned;

    auto* body = new TsfSkinPanel(form);
    place(body, form, {0, 0, 180, 400});
    body->SetAlign(alLeft);
    auto* split = new TsfSkinSplitterEx(form);
    place(split, form, {180, 0, 6, 400});
    split->SetAlign(alLeft);
    auto* status = new TsfSkinStatusBar(form);
    status->SetParent(form);
    status->SetCaption(u"Ready");
    status->SetSizeGrip(true);
    auto* right = new TsfSkinPanel(form);
    right->SetParent(form);
    right->SetAlign(alClient);
    right->SetBorderStyle(TsfSkinBorderStyle::bvNone);

    // Left: boxes and labels on the plain panel.
    const char16_t* names[] = {u"Unchecked", u"Checked", u"Grayed", u"Disabled"};
    for (int i = 0; i < 4; ++i) {
        auto* b = new TsfSkinCheckRadioBox(form);
        place(b, body, {10, 10 + 28 * i, 160, 25});
        b->SetCaption(names[i]);
        b->SetAllowGrayed(true);
        if (i == 1) b->SetChecked(true);
        if (i == 2) b->SetState(cbGrayed);
        if (i == 3) b->SetEnabled(false);
    }
    for (int i = 0; i < 2; ++i) {
        auto* r = new TsfSkinCheckRadioBox(form);
        place(r, body, {10, 130 + 28 * i, 160, 25});
        r->SetSkinDataName(u"radiobox");
        r->SetRadio(true);
        r->SetGroupIndex(1);
        r->SetCaption(i ? u"Radio off" : u"Radio on");
        if (!i) r->SetChecked(true);
    }
    for (int i = 0; i < 2; ++i) {
        auto* b = new TsfSkinCheckRadioBox(form);
        place(b, body, {10, 190 + 28 * i, 160, 25});
        b->SetFlat(false);
        b->SetCaption(i ? u"Body box" : u"Body box checked");
        if (!i) b->SetChecked(true);
    }
    auto* label = new TsfSkinStdLabel(form);
    place(label, body, {12, 260, 150, 18});
    label->SetCaption(u"Skinned label");
    auto* grey = new TsfSkinStdLabel(form);
    place(grey, body, {12, 282, 150, 18});
    grey->SetCaption(u"Disabled label");
    grey->SetEnabled(false);
    auto* line = new TsfSkinBevel(form);
    place(line, body, {10, 306, 160, 4});
    line->SetShape(bsTopLine);
    auto* groove = new TsfSkinBevel(form);
    place(groove, body, {10, 314, 160, 12});
    groove->SetShape(bsTopLine);
    groove->SetDividerMode(true);
    auto* box = new TsfSkinBevel(form);
    place(box, body, {10, 332, 160, 40});
    box->SetShape(bsFrame);

    // Right: the panel looks.
    auto* caption = new TsfSkinPanel(form);
    place(caption, right, {10, 10, 200, 120});
    caption->SetCaption(u"Caption panel");
    caption->SetSkinDataName(u"groupbox");
    caption->SetCaptionMode(true);
    caption->SetCheckedMode(true);
    caption->SetChecked(true);
    caption->SetRollUpMode(true);
    auto* inner = new TsfSkinCheckRadioBox(form);
    place(inner, caption, {15, 40, 150, 25});
    inner->SetCaption(u"Inside");
    auto* rolled = new TsfSkinPanel(form);
    place(rolled, right, {220, 10, 200, 120});
    rolled->SetCaption(u"Rolled up");
    rolled->SetSkinDataName(u"groupbox");
    rolled->SetCaptionMode(true);
    rolled->SetRollUpMode(true);
    auto* group = new TsfSkinPanel(form);
    place(group, right, {10, 140, 200, 100});
    group->SetCaption(u"Group box look");
    group->SetTransparentMode(true);
    group->SetCaptionMode(true);
    auto* groupBox = new TsfSkinCheckRadioBox(form);
    place(groupBox, group, {10, 30, 150, 25});
    groupBox->SetCaption(u"In the group");
    auto* transparent = new TsfSkinPanel(form);
    place(transparent, right, {220, 140, 200, 100});
    transparent->SetTransparentMode(true);
    auto* paint = new TsfSkinPaintPanel(form);
    place(paint, right, {10, 250, 200, 100});
    paint->OnPanelPaint = [](TObject*, TCanvas* C, TRect R) {
        C->Pen()->SetColor(clRed);
        C->MoveTo(R.Left + 10, R.Top + 10);
        C->LineTo(R.Right - 10, R.Bottom - 10);
    };
    auto* ribbon = new TsfSkinPanel(form);
    place(ribbon, right, {220, 250, 200, 100});
    ribbon->SetCaption(u"Own caption height");
    ribbon->SetSkinDataName(u"groupbox");
    ribbon->SetCaptionMode(true);
    ribbon->SetUseSkinSize(false);
    ribbon->SetDefaultCaptionHeight(40);

    ShowAndWait(form);
    CollectSkinnedControls(form, skinned);
    for (const char16_t* skin : {u"", u"Rire", u"Charm", u"Laconic", u"Cool"}) {
        TsfSkinData* sd = *skin ? Skin(skin) : nullptr;
        for (IsfSkinnedControl* c : skinned) c->BeforeChangeSkinData();
        for (IsfSkinnedControl* c : skinned) {
            c->SetSkinData(sd);
            if (!sd) c->ChangeSkinData();
        }
        rolled->SetRollUpState(false);
        rolled->SetRollUpState(true);
        form->Invalidate();
        guitest::Pump();
        UpdateWindow(form->Handle());
        RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        guitest::Pump();
        SaveScreenshot(ScreenRect(form), String(u"controls-") + (*skin ? skin : u"none"));
        EXPECT_TRUE(rolled->RollUpState());
    }
}
