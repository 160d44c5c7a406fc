// SkinAnimatedObjects: more frame objects a skin may place on a form: an
// animation played on the component's animation timer (which may also act as
// a caption button with a command and a menu), a line of text in the skin's
// font, text drawn from a bitmap font, and the items of the form's main menu
// drawn in the caption. The arithmetic is in skin/frame/SkinAnimatedObjectsCore.
#pragma once

#include "skin/frame/SkinAnimatedObjectsCore.h"
#include "skin/frame/win/SkinObjects.h"

class TsfSkinAnimateObject : public TsfActiveSkinObject {
public:
    TsfSkinAnimateObject(TsfSkinForm* AParent, const TsfDataSkinObject* AData);
    String ClassName() const override { return u"TsfSkinAnimateObject"; }
    void ShowLayer() override;
    void HideLayer() override;
    void DblClick() override;
    void MouseDown(Integer X, Integer Y, TMouseButton Button) override;
    void MouseUp(Integer X, Integer Y, TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void Draw(TCanvas* Cnvs, bool UpDate) override;

    void Start();
    void Stop();
    // One tick of the 25 ms animation timer.
    void ChangeFrame();
    void SetFrame(Integer Value);
    Integer Frame() const { return FAnim.Frame; }
    bool Increment() const { return FAnim.Increment; }
    // The menu closed: play back from the last frame.
    void MenuClosed();
    bool MeansRestore() const;
    void ExecuteCommand();
    void OpenAnimateMenu();

    bool FMenuTracking = false;
    Integer TimerInterval = 25;
    TMenuItem* MenuItem = nullptr;  // not owned
    bool FDown = false;
    bool FPopupUp = false;
    Integer CountFrames = 0;
    bool Cycle = false;
    bool ButtonStyle = false;
    TRect DownSkinRect;
    TRect RestoreRect, RestoreActiveRect, RestoreInActiveRect, RestoreDownRect;
    String RestoreHint;
    String FTempHint;

private:
    bool HasMenu() const { return MenuItem && MenuItem->Count() > 0; }
    TsfAnimateState FAnim;  // frame, gathered time, direction (Active is the object's)
};

class TsfSkinLabelObject : public TsfActiveSkinObject {
public:
    TsfSkinLabelObject(TsfSkinForm* AParent, const TsfDataSkinObject* AData);
    String ClassName() const override { return u"TsfSkinLabelObject"; }
    void MouseEnter() override;
    void MouseLeave() override;
    void Draw(TCanvas* Cnvs, bool UpDate) override;

    void SetTextValue(const String& AValue, bool AUpDate);
    const String& TextValue() const { return FTextValue; }

    String FTextValue;
    String FontName;
    TFontStyles FontStyle = 0;
    Integer FontHeight = 0;
    TColor FontColor = 0, ActiveFontColor = 0;
    TAlignment Alignment = taLeftJustify;

private:
    // The object-sized look: the normal or the active background with the text in Colour.
    void MakeLabelImage(TsfBitmap& B, bool ActiveBackground, TColor Colour);
};

class TsfSkinBitLabelObject : public TsfActiveSkinObject {
public:
    TsfSkinBitLabelObject(TsfSkinForm* AParent, const TsfDataSkinObject* AData);
    String ClassName() const override { return u"TsfSkinBitLabelObject"; }
    void Draw(TCanvas* Cnvs, bool UpDate) override;

    void SetTextValue(const String& AValue, bool AUpDate);
    const String& TextValue() const { return FTextValue; }

    String FTextValue;
    Integer SymbolWidth = 0, SymbolHeight = 0;
    std::vector<String> Symbols;  // line i: the characters of cell row i
    bool Transparent = false;
    TColor TransparentColor = 0;
};

// An item of the form's main menu drawn in the caption's main-menu area.
class TsfSkinMainMenuItem : public TsfActiveSkinObject {
public:
    TsfSkinMainMenuItem(TsfSkinForm* AParent, const TsfDataSkinObject* AData, TMenuItem* AMenuItem);
    String ClassName() const override { return u"TsfSkinMainMenuItem"; }
    void Draw(TCanvas* Cnvs, bool UpDate) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseDown(Integer X, Integer Y, TMouseButton Button) override;

    void SetItemDown(bool Value);
    void OpenItemMenu();
    bool Down() const { return FDown; }
    bool HasSubItems() const { return MenuItem && MenuItem->Count() > 0; }
    // Place and fit for the current main-menu area (done at every drawing).
    void CalcItemRect();

    TRect TempObjectRect;
    bool FDown = false;
    TsfMainMenuItemFit Fit;  // Enabled mirrored in the base's field; Visible its own
    TMenuItem* MenuItem = nullptr;  // not owned
    String FontName;
    Integer FontHeight = 0;
    TFontStyles FontStyle = 0;
    TColor UnEnabledFontColor = 0, FontColor = 0, ActiveFontColor = 0, DownFontColor = 0;
    TRect TextRct, DownRect;
    Integer LO = 0, RO = 0;

private:
    void SetItemFont(TCanvas* C) const;
    Integer CaptionWidth();
    void MakeItemImage(TsfBitmap& B, const TRect& R, bool AActive);
    // Releases another item that is down; true when there was one.
    bool ReleaseOtherDownItem();
    void LeaveOtherHotItem();
};
