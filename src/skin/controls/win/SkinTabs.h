// SkinTabs: the skinned page control (with its sheets) and tab control. The
// platform still lays the tabs out and answers the tab-geometry messages; the
// skinned classes fix the tab height, correct the platform's rectangles, and
// paint the client frame, the tab strip and every tab themselves, from the
// skin's tab description or in a built-in look. They track the tab under the
// mouse, give each tab an optional close button, and scroll a single row of
// tabs that does not fit with a skinned up-down in place of the platform's.
// Geometry and state live in SkinTabsCore.
#pragma once

#include <memory>

#include "framework/controls/win/ComCtrls.h"
#include "skin/controls/SkinTabsCore.h"
#include "skin/controls/win/SkinBoxCtrls.h"
#include "skin/controls/win/SkinCtrls.h"
#include "skin/model/win/SFUtils_Win.h"

// Paints a tab's content into Cnvs (the tab's own bitmap, Rct its whole area).
using TsfDrawSkinTabEvent =
    TEvent<Integer /*TabIndex*/, const TRect& /*Rct*/, bool /*Active*/, bool /*MouseIn*/, TCanvas* /*Cnvs*/>;
// Asks before a page closes (Sender: the page).
using TsfCloseEvent = TEvent<TObject* /*Sender*/, bool& /*CanClose*/>;
// Asks before a tab is deleted (Index: that tab).
using TsfCloseEvent2 = TEvent<Integer /*Index*/, bool& /*CanClose*/>;

// Draws B turned counter-clockwise (or clockwise) with its top-left at (X, Y).
void DrawBitmapCCW(TCanvas* Canvas, TsfBitmap* B, Integer X, Integer Y);
void DrawBitmapCW(TCanvas* Canvas, TsfBitmap* B, Integer X, Integer Y);
// Image ImageIndex of Images and the caption centred together in W x H (Offset moves both down).
void DrawTabImageAndText(TCanvas* Canvas, Integer W, Integer H, Integer Offset, bool Enabled, Integer ImageIndex,
                         TCustomImageList* Images, const String& Text);

// The painting, hover, close buttons and scroller both controls share: TBase
// is TPageControl or TTabControl. Not used on its own.
template <class TBase>
class TsfSkinTabsCommon : public TBase, public IsfSkinnedControl {
public:
    explicit TsfSkinTabsCommon(TComponent* AOwner);
    ~TsfSkinTabsCommon() override;

    TsfSkinData* SkinData() const override { return FSD; }
    void SetSkinData(TsfSkinData* Value) override;
    const String& SkinDataName() const override { return FSkinDataName; }
    void SetSkinDataName(const String& Value) override { FSkinDataName = Value; }
    void BeforeChangeSkinData() override {}
    void ChangeSkinData() override;
    TControl* SkinnedControl() override { return this; }

    bool TabExtededDraw() const { return FTabExtendedDraw; }
    void SetTabExtededDraw(bool V);
    Integer TabMargin() const { return FTabMargin; }
    void SetTabMargin(Integer V);
    Integer TabSpacing() const { return FTabSpacing; }
    void SetTabSpacing(Integer V);
    TsfButtonLayout TabLayout() const { return FTabLayout; }
    void SetTabLayout(TsfButtonLayout V);
    bool TextInHorizontal() const { return FTextInHorizontal; }
    void SetTextInHorizontal(bool V);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* V);
    bool ShowCloseButtons() const { return FShowCloseButtons; }
    virtual void SetShowCloseButtons(bool V);
    bool TabsBGTransparent() const { return FTabsBGTransparent; }
    void SetTabsBGTransparent(bool V);
    TFont* DefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* V) { FDefaultFont->Assign(V); }
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool V) { FUseSkinFont = V; }
    Integer DefaultItemHeight() const { return FDefaultItemHeight; }
    void SetDefaultItemHeight(Integer V);
    Integer CloseSize() const { return FCloseSize; }
    // The description's index in the skin, -1 for the built-in look.
    Integer SkinIndex() const { return FIndex; }
    const TsfTabSkin& Skin() const { return FSkin; }
    // The image list handed to the platform: room for images and close buttons.
    TCustomImageList* TempImages() const { return FTempImages.get(); }
    // The tab scroller, nullptr while every tab fits.
    TsfSkinUpDown* SkinUpDown() const { return FSkinUpDown.get(); }

    // Tab size from the description or DefaultItemHeight; frees the scroller on several rows.
    void UpDateTabs();
    void GetSkinData();
    void SetItemSize(Integer W, Integer H);
    // The corrected item rectangle of shown tab Index.
    TRect GetItemRect(Integer Index);
    TRect GetActiveTabRect();
    // The shown tab under the mouse, -1 none.
    Integer HoveredTab() const { return FTracker.Active; }

    TsfDrawSkinTabEvent OnDrawSkinTab;

protected:
    // What differs between the two controls.
    virtual Integer ShownCount() = 0;
    // The page or tab index of shown tab Pos.
    virtual Integer ItemOf(Integer Pos) = 0;
    virtual String CaptionOf(Integer Index) = 0;
    virtual Integer ImageOf(Integer Index) = 0;
    virtual bool EnabledOf(Integer Index) { (void)Index; return true; }
    virtual TsfCBButtonX* CloseStateOf(Integer Index) = 0;
    virtual void CloseTab(Integer Pos) = 0;
    virtual bool TabsHidden() const { return false; }
    virtual bool BorderHidden() const { return false; }
    // How far unselected captions move towards the client area.
    virtual Integer CaptionShift() const = 0;
    // Where the row starts when centred or offset (0 otherwise).
    virtual Integer RowShift() { return 0; }
    virtual bool IsPageControl() const = 0;
    virtual Integer ScrollerWidth() const = 0;
    virtual Integer ScrollerHeight() const = 0;
    virtual Integer ScrollLimit();
    virtual void PaintSkinFrame(TCanvas* Canvas) = 0;
    // Button-style tabs of the page control; false when not drawn that way.
    virtual bool DrawButtonTab(TsfBitmap* B, bool Active, bool MouseIn) { (void)B, (void)Active, (void)MouseIn; return false; }

    TsfTabSide Side() const { return static_cast<TsfTabSide>(this->TabPosition()); }
    bool Described() const { return FIndex != -1 && FHasSkin; }
    // One horizontal row (tabs on the left or right are always several rows to the platform).
    bool SingleRow() const { return !this->MultiLine() && (Side() == tsdTop || Side() == tsdBottom); }
    std::vector<TRect> ItemRects();
    TsfTabBorders Borders() const;
    TRect DisplayRectOf();

    void PaintWindow(HDC DC) override;
    void PaintDefaultFrame(TCanvas* Canvas);
    // The frame's border strips around F, the selected tab left out.
    void DrawBorderStrips(TCanvas* Canvas, const TRect& F);
    // Source spread over W x H by the description's stretching.
    void DrawBackgroundRule(TCanvas* Canvas, const TsfBitmap* Source, Integer W, Integer H);
    // The client tile of the description.
    std::unique_ptr<TsfBitmap> ClientTile();
    void DrawTabs(TCanvas* Canvas);
    // The skinned tab beside the base's own drawing of a tab.
    using TBase::DrawTab;
    void DrawTab(Integer Index, TRect R, bool Active, bool MouseIn, TCanvas* Canvas);
    void DrawCloseButton(TsfBitmap* B, const TRect& A, Integer Index, Integer W, Integer H);
    // A button description's picture over all of B by state; its text colour.
    bool DrawSkinButtonPicture(TsfBitmap* B, const String& Name, bool Down, bool MouseIn, TColor& Color);
    void RepaintTabs();

    void WndProc(TMessage& Message) override;
    void WMPaint(TWMPaint& Message) override;
    void WMSize(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;
    void CreateWnd() override;
    Integer GetImageIndex(Integer TabIndex) override;
    void Dispatch(TMessage& Message) override;
    bool Designing() const { return (this->ComponentState() & csDesigning) != 0; }
    // Whether the mouse functions track tabs (not while centred or offset in the page control).
    virtual bool TracksOnPress() { return true; }

    void TestActiveTab(Integer X, Integer Y);
    Integer CalcCloseSize() const;
    Integer GetTabsScrollMax();
    Integer GetTabsScrollPosition();
    void UpdateTabsScroller();
    virtual void ShowSkinUpDown();
    void HideSkinUpDown();
    void UpDownChange(TObject* Sender);
    void UpdateScrollerPosition();
    void PlaceScroller();
    void AddRoom(Integer Delta);
    void ApplySkinFont();

    TsfSkinData* FSD = nullptr;
    String FSkinDataName = u"tab";
    Integer FIndex = -1;
    bool FHasSkin = false;
    TsfTabSkin FSkin;
    TsfBitmap* Picture = nullptr;
    bool FTabExtendedDraw = false;
    Integer FTabMargin = -1;
    Integer FTabSpacing = 1;
    TsfButtonLayout FTabLayout = blGlyphLeft;
    bool FTextInHorizontal = false;
    Integer FCloseSize = 14;
    bool FShowCloseButtons = false;
    bool FTabsBGTransparent = false;
    TCustomImageList* FImages = nullptr;
    std::unique_ptr<TCustomImageList> FTempImages;
    std::unique_ptr<TsfSkinUpDown> FSkinUpDown;
    std::unique_ptr<TFont> FDefaultFont;
    bool FUseSkinFont = true;
    Integer FDefaultItemHeight = 20;
    bool FromWMPaint = false;
    TsfTabTracker FTracker;
};

extern template class TsfSkinTabsCommon<TPageControl>;
extern template class TsfSkinTabsCommon<TTabControl>;

class TsfSkinPageControl;

class TsfSkinCustomTabSheet : public TTabSheet {
public:
    using inherited = TTabSheet;
    explicit TsfSkinCustomTabSheet(TComponent* AOwner);
    ~TsfSkinCustomTabSheet() override;
    String ClassName() const override { return u"TsfSkinCustomTabSheet"; }

    TBitmap* WallPaper() const { return FWallPaper.get(); }
    void SetWallPaper(TBitmap* Value);
    // The sheet's background: wallpaper, the description's picture or client tile, else clBtnFace.
    void PaintBG(HDC DC);

    // The close button of the sheet's tab, relative to its item rectangle.
    TsfCBButtonX CloseState;

protected:
    void CreateParams(TCreateParams& Params) override;
    void WMEraseBkgnd(TMessage& Message) override;
    void WMSize(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;

private:
    std::unique_ptr<TBitmap> FWallPaper;
};

class TsfSkinTabSheet : public TsfSkinCustomTabSheet {
public:
    using TsfSkinCustomTabSheet::TsfSkinCustomTabSheet;
    String ClassName() const override { return u"TsfSkinTabSheet"; }
};

class TsfSkinPageControl : public TsfSkinTabsCommon<TPageControl> {
public:
    using inherited = TsfSkinTabsCommon<TPageControl>;
    explicit TsfSkinPageControl(TComponent* AOwner);
    ~TsfSkinPageControl() override;
    String ClassName() const override { return u"TsfSkinPageControl"; }

    bool MouseWheelSupport() const { return FMouseWheelSupport; }
    void SetMouseWheelSupport(bool V) { FMouseWheelSupport = V; }
    Integer TabsOffset() const { return FTabsOffset; }
    void SetTabsOffset(Integer V);
    bool TabsInCenter() const { return FTabsInCenter; }
    void SetTabsInCenter(bool V);
    bool FreeOnClose() const { return FFreeOnClose; }
    void SetFreeOnClose(bool V) { FFreeOnClose = V; }
    const String& ButtonTabSkinDataName() const { return FButtonTabSkinDataName; }
    void SetButtonTabSkinDataName(const String& V) { FButtonTabSkinDataName = V; }
    bool HideTabsState() const { return FHideTabs; }

    void HideTabs();
    void ShowTabs();
    void HideBorderAndTabs();
    void ShowBorderAndTabs();
    // The page control's own background (no page shows a tab).
    void PaintBG(HDC DC);
    // Where the centred or offset row starts.
    Integer CalcTabsStart();
    void ActivateNextPage();
    void ActivatePriorPage();

    TsfCloseEvent OnClose;
    TNotifyEvent OnAfterClose;

protected:
    friend class TsfSkinCustomTabSheet;
    Integer ShownCount() override;
    Integer ItemOf(Integer Pos) override;
    String CaptionOf(Integer Index) override;
    Integer ImageOf(Integer Index) override;
    bool EnabledOf(Integer Index) override;
    TsfCBButtonX* CloseStateOf(Integer Index) override;
    void CloseTab(Integer Pos) override;
    bool TabsHidden() const override { return FHideTabs; }
    bool BorderHidden() const override { return FHideBorder; }
    Integer CaptionShift() const override { return 2; }
    Integer RowShift() override;
    bool IsPageControl() const override { return true; }
    Integer ScrollerWidth() const override { return 2 * FDefaultItemHeight; }
    Integer ScrollerHeight() const override { return FDefaultItemHeight; }
    void PaintSkinFrame(TCanvas* Canvas) override;
    bool DrawButtonTab(TsfBitmap* B, bool Active, bool MouseIn) override;
    bool TracksOnPress() override { return !Shifted(); }
    void ShowSkinUpDown() override;

    void WndProc(TMessage& Message) override;
    void WMEraseBkgnd(TMessage& Message) override;
    void Change() override;
    bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, const TPoint& MousePos) override;
    void Dispatch(TMessage& Message) override;
    bool Shifted() const { return FTabsInCenter || FTabsOffset > 0; }

private:
    // The page whose tab shows at position Pos, nullptr none.
    TTabSheet* PageAt(Integer Pos);

    bool FMouseWheelSupport = false;
    bool FHideTabs = false;
    bool FHideBorder = false;
    TTabPosition FOldTabPosition = tpTop;
    bool FOldMultiLine = false;
    Integer FOldTabHeight = -1;
    bool FFreeOnClose = false;
    bool FTabsInCenter = false;
    Integer FTabsOffset = 0;
    String FButtonTabSkinDataName = u"resizetoolbutton";
    TsfCBButtonX FNoState;
};

class TsfSkinTabControl : public TsfSkinTabsCommon<TTabControl>, public TsfSkinTabBackground {
public:
    using inherited = TsfSkinTabsCommon<TTabControl>;
    explicit TsfSkinTabControl(TComponent* AOwner);
    ~TsfSkinTabControl() override;
    String ClassName() const override { return u"TsfSkinTabControl"; }

    // Every time it is switched on, every tab's close state starts afresh.
    void SetShowCloseButtons(bool V) override;
    // The client background, (0, 0, Width, Height): what transparent children show.
    void PaintBG(HDC DC) override;
    const TsfTabCloseStates& CloseStates() const { return FCloseStates; }

    TsfCloseEvent2 OnClose;
    TNotifyEvent OnAfterClose;

protected:
    Integer ShownCount() override;
    Integer ItemOf(Integer Pos) override { return Pos; }
    String CaptionOf(Integer Index) override;
    Integer ImageOf(Integer Index) override;
    TsfCBButtonX* CloseStateOf(Integer Index) override;
    void CloseTab(Integer Pos) override;
    Integer CaptionShift() const override { return 1; }
    bool IsPageControl() const override { return false; }
    Integer ScrollerWidth() const override { return 36; }
    Integer ScrollerHeight() const override { return 18; }
    Integer ScrollLimit() override;
    void PaintSkinFrame(TCanvas* Canvas) override;

    void WMEraseBkgnd(TMessage& Message) override;
    void WMSize(TMessage& Message) override;
    void Change() override;

private:
    TsfTabCloseStates FCloseStates;
};
