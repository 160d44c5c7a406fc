// SkinTreeView: the platform's tree view dressed in the skin: colours and
// font from the skin's "treeview" description, selected rows painted with the
// item pictures of its "listbox" description, its own expand buttons and
// fading connector lines, and two outside skinned scroll bars in place of the
// window's own. Items, selection, editing and keys stay the platform's. The
// bar rules and button sizes live in SkinListCore. Windows only.
#pragma once

#include "framework/controls/win/ComCtrls.h"
#include "skin/controls/win/SkinCtrls.h"
#include "skin/controls/win/SkinScrollBar.h"

class TsfSkinCustomTreeView : public TCustomTreeView, public IsfSkinnedControl {
public:
    using inherited = TCustomTreeView;
    explicit TsfSkinCustomTreeView(TComponent* AOwner);
    ~TsfSkinCustomTreeView() override;
    String ClassName() const override { return u"TsfSkinCustomTreeView"; }

    TsfSkinData* SkinData() const override { return FSD; }
    // Stores; a loaded skin outside design time is applied at once.
    void SetSkinData(TsfSkinData* Value) override;
    const String& SkinDataName() const override { return FSkinDataName; }
    void SetSkinDataName(const String& Value) override { FSkinDataName = Value; }
    void BeforeChangeSkinData() override {}
    virtual void SetDrawSkin(bool Value);
    void ChangeSkinData() override;
    TControl* SkinnedControl() override { return this; }

    bool DrawSkin() const { return FDrawSkin; }
    TsfSkinScrollBar* VScrollBar() const { return FVScrollBar; }
    void SetVScrollBar(TsfSkinScrollBar* Value);
    TsfSkinScrollBar* HScrollBar() const { return FHScrollBar; }
    void SetHScrollBar(TsfSkinScrollBar* Value);
    TFont* DefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* Value);
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }
    TColor DefaultColor() const { return FDefaultColor; }
    void SetDefaultColor(TColor Value);
    TCustomImageList* ButtonImageList() const { return FButtonImageList; }
    void SetButtonImageList(TCustomImageList* Value);
    Integer ButtonExpandImageIndex = 1;
    Integer ButtonNoExpandImageIndex = 0;
    const String& ItemSkinDataName() const { return FItemSkinDataName; }
    void SetItemSkinDataName(const String& Value) { FItemSkinDataName = Value; }
    const String& CheckSkinDataName() const { return FCheckSkinDataName; }
    void SetCheckSkinDataName(const String& Value) { FCheckSkinDataName = Value; }
    TColor LineColor() const { return FLineColor; }
    TColor ButtonColor() const { return FButtonColor; }
    // The description's index in the skin, -1 without one.
    Integer SkinIndex() const { return FIndex; }

    // Shows, ranges or hides the outside bars from the native scroll state.
    void UpDateScrollBars();

protected:
    void CreateParams(TCreateParams& Params) override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;
    void Change(TTreeNode* Node) override;

private:
    // The skinned row painter.
    void DrawRow(TTreeNode* Node, TCustomDrawState State, bool& DefaultDraw);
    void DrawLinesAndButton(TCanvas* C, TTreeNode* Node, const TRect& R);
    void DrawFadingLine(HDC DC, Integer X1, Integer X2, Integer Y);
    void VBarChange(TObject*);
    void HBarChange(TObject*);
    void LinkBar(TsfSkinScrollBar*& Field, TsfSkinScrollBar* Value, bool Vertical);
    // The item description of the loaded skin, when it has one with a valid picture.
    TsfDataSkinListBox* ItemDescription(TsfBitmap*& Picture) const;

    std::unique_ptr<TBitmap> FExpandImage, FNoExpandImage;
    TCustomImageList* FButtonImageList = nullptr;
    String FItemSkinDataName = u"listbox";
    String FCheckSkinDataName = u"checkbox";
    TColor FLineColor = TColor(0x808080);
    TColor FButtonColor = TColor(0x808080);
    Integer FButtonSize = 5;
    bool FDrawSkin = false;
    bool FInCheckScrollBars = false;
    TsfSkinData* FSD = nullptr;
    String FSkinDataName = u"treeview";
    Integer FIndex = -1;
    std::unique_ptr<TFont> FDefaultFont;
    bool FUseSkinFont = true;
    TColor FDefaultColor = clWindow;
    TsfSkinScrollBar* FVScrollBar = nullptr;
    TsfSkinScrollBar* FHScrollBar = nullptr;
};

class TsfSkinTreeView : public TsfSkinCustomTreeView {
public:
    using TsfSkinCustomTreeView::TsfSkinCustomTreeView;
    String ClassName() const override { return u"TsfSkinTreeView"; }
};
