#include <gtest/gtest.h>

#include <vector>

#include "skin/controls/SkinColorCore.h"
#include "skin/controls/SkinControlTestEnv.h"
#include "skin/controls/win/SkinExCtrls.h"

using namespace skintest;

namespace {

// An images menu that keeps its items in memory (the skinned menus are not part of these tests).
struct TFakeGrid : TComponent, TsfSkinImagesMenuLink {
    explicit TFakeGrid(TComponent* AOwner) : TComponent(AOwner) {}
    TComponent* MenuComponent() override { return this; }
    TCustomImageList* Images() const override { return FImages; }
    Integer ItemIndex() const override { return Index; }
    void SetItemIndex(Integer Value) override { Index = Value; }
    Integer SelectedImageIndex() const override
    {
        return Index >= 0 && Index < Integer(Items.size()) ? Items[size_t(Index)] : -1;
    }
    String SelectedCaption() const override { return {}; }
    TColor SelectedColor() const override { return clNone; }
    void SetSkinData(TsfSkinData*) override {}
    void PopupFromRect(const TRect&) override {}
    void Hide() override {}
    void SetOnInternalChange(TNotifyEvent) override {}
    void SetOnInternalMenuClose(TNotifyEvent) override {}
    void SetImages(TCustomImageList* Value) override { FImages = Value; }
    void ClearItems() override { Items.clear(); }
    Integer ItemCount() const override { return Integer(Items.size()); }
    void AddItem(Integer ImageIndex, const String&, bool, TColor) override { Items.push_back(ImageIndex); }
    void SetItemCaption(Integer, const String&) override {}
    TColor ItemColor(Integer) const override { return clNone; }
    void SetColumnsCount(Integer Value) override { Columns = Value; }
    void StoreItemIndex(Integer Value) override { Index = Value; }
    TsfSkinData* MenuSkinData() const override { return nullptr; }
    void SetMainWindowHandle(HWND) override {}
    void SetOnItemClick(TNotifyEvent) override {}
    void SetOnMenuPopup(TNotifyEvent) override {}
    void SetOnItemIndexChanged(TEvent<TObject*, Integer>) override {}
    TsfImagesMenuOptions Options() const override { return {}; }
    void SetOptions(const TsfImagesMenuOptions&) override {}
    TFont* MenuDefaultFont() override { return nullptr; }
    TComponent* MenuSkinHint() const override { return nullptr; }
    void SetMenuSkinHint(TComponent*) override {}
    TCollection* MenuItems() override { return nullptr; }
    TCollectionItem* SelectedMenuItem() const override { return nullptr; }
    TCustomImageList* FImages = nullptr;
    std::vector<Integer> Items;
    Integer Index = -1;
    Integer Columns = 0;
};

struct TFakeServices : TsfSkinMenuServices {
    TsfSkinPopupMenuLink* CreateSkinPopupMenu(TComponent*) override { return nullptr; }
    TsfSkinImagesMenuLink* CreateSkinImagesMenu(TComponent* AOwner) override { return new TFakeGrid(AOwner); }
    TsfSkinPopupMenuLink* AsSkinPopupMenu(TPopupMenu*) override { return nullptr; }
    TsfSkinImagesMenuLink* AsSkinImagesMenu(TComponent*) override { return nullptr; }
    TsfSkinFormLink* GetSkinForm(TCustomForm*) override { return nullptr; }
};

class SkinGraphicButtonsTest : public SkinFormTest {
protected:
    void SetUp() override
    {
        SkinFormTest::SetUp();
        FOld = InstallSkinMenuServices(&FServices);
        guitest::MovePointer({1000, 700});
    }
    void TearDown() override
    {
        SkinFormTest::TearDown();
        InstallSkinMenuServices(FOld);
    }
    TFakeServices FServices;
    TsfSkinMenuServices* FOld = nullptr;
};

// The black columns of the picture row 7 found on the face.
std::vector<int> BlackColumns(const guitest::TDib& D, int Row)
{
    std::vector<int> Out;
    for (int x = 0; x < D.Width(); ++x)
        if (D.Pixel(x, Row) == ScreenRGB(0)) Out.push_back(x);
    return Out;
}

}  // namespace

TEST_F(SkinGraphicButtonsTest, PenStyleFaceFollowsItemIndex)
{
    TForm* form = NewForm(100, 100, 120, 50);
    auto* B = new TsfSkinPenStyleButton(form);
    B->SetParent(form);
    B->SetBounds(10, 10, 65, 25);
    ASSERT_NE(B->GraphicMenu(), nullptr);
    auto* G = static_cast<TFakeGrid*>(B->GraphicMenu());
    EXPECT_EQ(G->Items, (std::vector<Integer>{0, 1, 2, 3, 4}));
    EXPECT_EQ(G->Columns, 1);
    EXPECT_EQ(B->ItemIndex(), 0);
    EXPECT_EQ(B->GraphicImages()->Count(), 5);
    ShowAndWait(form);

    // Find the picture's line row: the solid style is black in 40 columns.
    auto Face = CaptureControl(B);
    int Row = -1;
    for (int y = 0; y < Face->Height() && Row < 0; ++y)
        if (BlackColumns(*Face, y).size() == 40) Row = y;
    ASSERT_GE(Row, 0) << "the solid line is on the face";
    const int X0 = BlackColumns(*Face, Row).front() - 2;  // picture column 2 is the first black one

    B->SetItemIndex(3);
    guitest::Pump();
    auto Dash = CaptureControl(B);
    std::vector<int> Expected;
    for (int x : {7, 8, 9, 10, 11, 12, 13, 14, 15, 21, 22, 23, 29, 30, 31, 32, 33, 34, 35, 36, 37}) Expected.push_back(X0 + x);
    EXPECT_EQ(BlackColumns(*Dash, Row), Expected) << "dash-dot columns 7-15, 21-23, 29-37";

    SaveScreenshot(B, u"penbutton_dashdot");
    B->SetItemIndex(7);  // no such item: no picture
    guitest::Pump();
    EXPECT_TRUE(BlackColumns(*CaptureControl(B), Row).empty());
}
