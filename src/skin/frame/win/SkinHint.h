// SkinHint: the skinned hint. TsfSkinHintWindow draws a hint from the skin's
// hint-window picture (or in a plain look), with an optional bold title and a
// small image, constant transparency and a fade-in; TsfSkinHint installs it as
// the application's hint window class and shows hints on request, at the
// cursor after the application's HintPause or next to a rectangle. Timers and
// the fade run on the skin clock. The arithmetic is in skin/frame/SkinHintCore.
#pragma once

#include "framework/controls/win/Hints.h"
#include "framework/controls/win/ImgList.h"
#include "skin/frame/SkinHintCore.h"
#include "skin/model/SFSkinData.h"

class TsfSkinHint;

class TsfSkinHintWindow : public THintWindow {
public:
    explicit TsfSkinHintWindow(TComponent* AOwner);
    ~TsfSkinHintWindow() override;
    String ClassName() const override { return u"TsfSkinHintWindow"; }

    void ActivateHint(const TRect& Rect, const String& AHint) override;
    // The application's own hints come this way: they get the skinned showing too.
    void ActivateHintData(const TRect& Rect, const String& AHint, void* AData) override;
    void ActivateHintEx(const TRect& Rect, const String& AHintTitle, TCustomImageList* AImageList,
                        Integer AImageIndex, const String& AHint);
    void ActivateHintFromRect(const TRect& ARect, const String& AHint, bool ATop);

    TRect NewClRect;
    TPoint NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint;
    TsfSkinHint* FspHint = nullptr;
    TsfSkinData* FSD = nullptr;  // null: the plain look
    std::unique_ptr<TBitmap> SI;  // the screen under the hint (transparency without layered windows)
    bool OldAlphaBlend = false;
    Integer OldAlphaBlendValue = 0;
    bool AExtendedStyle = false;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void WMNCPaint(TMessage& Message) override;
    void WMEraseBkgnd(TMessage& Message) override;

private:
    // Steps 2 to 15 of a showing, for an anchor and a place rule.
    void Show(const TRect& Anchor, const String& AHint, bool FromRect, bool Top);
    void SetHintFont(TCanvas* C) const;
    void SetHintRegion();
    // The content size of the current text (with the title and image of an extended hint).
    void ContentSize(Integer& W, Integer& H);
    bool HasImage() const;
    const TsfDataSkinHintWindow* Data() const { return FSD ? FSD->HintWindow.get() : nullptr; }
    void FadeStep();
    String FTitle;
    TCustomImageList* FImageList = nullptr;
    Integer FImageIndex = 0;
    Integer FFadeAlpha = 0;
    bool FHasRegion = false;
};

class TsfSkinHint : public TComponent {
public:
    explicit TsfSkinHint(TComponent* AOwner);
    ~TsfSkinHint() override;
    String ClassName() const override { return u"TsfSkinHint"; }

    bool IsVisible() const;
    // Scan lines from the cursor's hot spot to the end of its mask.
    Integer GetCursorHeightMargin() const;
    void ActivateHint(const TPoint& P, const String& AHint);
    void ActivateHintEx(const TPoint& P, const String& AHintTitle, TCustomImageList* AImageList, Integer AImageIndex,
                        const String& AHint);
    // After the application's HintPause, at the cursor.
    void ActivateHint2(const String& AHint);
    void ActivateHintEx2(const String& AHintTitle, const String& AHint, TCustomImageList* AImageList,
                         Integer AImageIndex);
    // After HintPause, centred above (ATop) or below AFromRect.
    void ActivateHint3(const TRect& AFromRect, const String& AHint, bool ATop);
    void HideHint();
    // The pending show or hide step (the hint timer) is running.
    bool HintTimerRunning() const;
    TsfSkinHintWindow* Window() const { return HW; }

    const String& LineSeparator() const { return FLineSeparator; }
    void SetLineSeparator(const String& Value) { FLineSeparator = Value; }
    TFont* DefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* Value);
    bool UseSkinFont = true;
    bool AlphaBlendSupport() const { return FAlphaBlendSupport; }
    void SetAlphaBlendSupport(bool Value);
    bool AlphaBlend = false;
    Byte AlphaBlendValue = 200;
    bool AlphaBlendAnimation = false;
    TsfSkinData* SkinData() const { return FSD; }
    void SetSkinData(TsfSkinData* Value);
    bool Active() const { return FActive; }
    void SetActive(bool Value);
    TShowHintEvent OnShowHint;

    // The title and image of the hint being shown.
    String FHintTitle;
    Integer FHintImageIndex = 0;
    TCustomImageList* FHintImageList = nullptr;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void DoShowHint(String& HintStr, bool& CanShow, THintInfo& HintInfo);
    void ClearTitleAndImage();
    // Replaces a pending step with Show after HintPause.
    void Arm(void (TsfSkinHint::*Show)());
    void HintTimerShow();
    void HintTimerShowEx();
    void HintTimerShowFromRect();
    void ArmHide();
    TPoint CursorPoint() const;

    TsfSkinHintWindow* HW = nullptr;  // owned as a component
    bool FActive = true;
    TsfSkinData* FSD = nullptr;
    bool FAlphaBlendSupport = true;
    std::unique_ptr<TFont> FDefaultFont;
    String HintText;
    String FLineSeparator = u"@";
    TRect FromRect;
    bool Top = false;
};

// The first active hint component of the application's main form, or null.
TsfSkinHint* FindActiveSkinHint();
