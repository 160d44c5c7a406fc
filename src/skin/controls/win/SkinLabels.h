// SkinLabels: the skin-aware label (font and colour of the skin's
// "stdlabel"), the bevel in the colours of the skin's "bevel", and the live
// splitter with its skinned bar ("hsplitter" / "vsplitter"). The splitter's
// arithmetic is in SkinSplitterCore.
#pragma once

#include "framework/controls/win/ExtCtrls.h"
#include "framework/controls/win/StdCtrls.h"
#include "skin/controls/SkinSplitterCore.h"
#include "skin/controls/win/SkinCtrls.h"

enum TsfEllipsType : Byte { sfetNone, sfetEndEllips, sfetPathEllips };

// A label drawn in the skin's label font and colour.
class TsfSkinStdLabel : public TCustomLabel, public IsfSkinnedControl {
public:
    explicit TsfSkinStdLabel(TComponent* AOwner);
    ~TsfSkinStdLabel() override;
    String ClassName() const override { return u"TsfSkinStdLabel"; }

    TsfSkinData* SkinData() const override { return FSD; }
    void SetSkinData(TsfSkinData* Value) override;
    const String& SkinDataName() const override { return FSkinDataName; }
    void SetSkinDataName(const String& Value) override { FSkinDataName = Value; }
    void BeforeChangeSkinData() override {}
    // Looks the description up, fits the bounds with AutoSize, repaints.
    void ChangeSkinData() override;
    TControl* SkinnedControl() override { return this; }

    TsfEllipsType EllipsType() const { return FEllipsType; }
    void SetEllipsType(TsfEllipsType Value);
    TFont* DefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* Value) { FDefaultFont->Assign(Value); }
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }
    bool UseSkinColor() const { return FUseSkinColor; }
    void SetUseSkinColor(bool Value) { FUseSkinColor = Value; }
    Integer SkinIndex() const { return FIndex; }
    // The font and colour the text is drawn in now.
    void GetTextFont(TFont* Font);

protected:
    void GetSkinData();
    void DoDrawText(TRect& Rect, UINT Flags) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TsfEllipsType FEllipsType = sfetNone;
    Integer FIndex = -1;
    TsfSkinData* FSD = nullptr;
    String FSkinDataName = u"stdlabel";
    std::unique_ptr<TFont> FDefaultFont;
    bool FUseSkinFont = true;
    bool FUseSkinColor = true;
    String FontName = u"Arial";
    TFontStyles FontStyle = 0;
    Integer FontHeight = 12;
    TColor FontColor = 0;
};

// A bevel in the skin's light and dark colours; DividerMode draws a groove
// through the middle.
class TsfSkinBevel : public TBevel, public IsfSkinnedControl {
public:
    explicit TsfSkinBevel(TComponent* AOwner);
    String ClassName() const override { return u"TsfSkinBevel"; }

    TsfSkinData* SkinData() const override { return FSD; }
    // Stores and applies (nil too: back to the system colours).
    void SetSkinData(TsfSkinData* Value) override;
    const String& SkinDataName() const override { return FSkinDataName; }
    void SetSkinDataName(const String& Value) override { FSkinDataName = Value; }
    void BeforeChangeSkinData() override {}
    void ChangeSkinData() override;
    TControl* SkinnedControl() override { return this; }
    bool DividerMode() const { return FDividerMode; }
    void SetDividerMode(bool Value);

    TColor LightColor = clBtnHighlight;
    TColor DarkColor = clBtnShadow;

protected:
    void Paint() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void BevelRect(const TRect& R, TColor Color1, TColor Color2);
    TsfSkinData* FSD = nullptr;
    String FSkinDataName = u"bevel";
    Integer FIndex = -1;
    bool FDividerMode = false;
};

using TSplitterCanResizeEvent = TEvent<TObject* /*Sender*/, Integer& /*NewSize*/, bool& /*Accept*/>;

// A splitter that resizes the neighbour on its aligned side while dragged.
class TsfCustomSplitter : public TsfSkinControl {
public:
    using inherited = TsfSkinControl;
    explicit TsfCustomSplitter(TComponent* AOwner);
    ~TsfCustomSplitter() override;
    String ClassName() const override { return u"TsfCustomSplitter"; }

    bool AutoSnap() const { return FAutoSnap; }
    void SetAutoSnap(bool Value) { FAutoSnap = Value; }
    Integer MinSize() const { return FMinSize; }
    void SetMinSize(Integer Value) { FMinSize = Value; }
    // The control being resized while sizing, else nullptr.
    TControl* Control() const { return FControl; }

    TSplitterCanResizeEvent OnCanResize;
    TNotifyEvent OnMoved;
    TNotifyEvent OnPaint;

protected:
    // The size check of a split beside the control's own check of a new size.
    using inherited::CanResize;
    virtual bool CanResize(Integer& NewSize);
    virtual bool DoCanResize(Integer& NewSize);
    virtual void StopSizing();
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void Paint() override {}
    void Dispatch(TMessage& Message) override;
    TsfSplitSide Side() const;

private:
    TControl* FindTarget();
    void CalcSplitSize(Integer X, Integer Y);
    void UpdateSize(Integer X, Integer Y);
    void UpdateControlSize();
    void FocusKeyDown(TObject* Sender, Word& Key, TShiftState Shift);

    TWinControl* FActiveControl = nullptr;
    bool FAutoSnap = true;
    TControl* FControl = nullptr;
    TPoint FDownPos;
    Integer FMinSize = 30;
    Integer FMaxSize = 0;
    Integer FNewSize = 0;
    Integer FOldSize = -1;
    TKeyEvent FOldKeyDown;
    Integer FSplit = 0;
    TAlign FLastAlign = alNone;
};

// The splitter with its bar drawn from the skin.
class TsfSkinSplitterEx : public TsfCustomSplitter {
public:
    using inherited = TsfCustomSplitter;
    explicit TsfSkinSplitterEx(TComponent* AOwner);
    String ClassName() const override { return u"TsfSkinSplitterEx"; }
    Integer DefaultSize() const { return FDefaultSize; }
    void SetDefaultSize(Integer Value) { FDefaultSize = Value; }
    void GetSkinData() override;
    // Re-reads the description and sets the bar's thickness.
    void ChangeSkinData() override;

protected:
    void Paint() override;

private:
    Integer FDefaultSize = 10;
    TPoint LTPt, RTPt, LBPt;
    TRect SkinRect;
    TsfBitmap* FSkinPicture = nullptr;
    bool StretchEffect = false;
    TRect GripperRect;
    bool GripperTransparent = false;
    TColor GripperTransparentColor = 0xFF00FF;
};
