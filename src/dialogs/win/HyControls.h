// HyControls: the program's own small controls, used on several windows: a
// label that can be a web link (THyLabel), a speed button that notices the
// cursor resting on it and can fire while it does (THySpeedButton), and the
// frame of nested one-pixel rectangles both kinds of panel draw
// (DrawBevelFrame).
#pragma once

#include "dialogs/HyControlsCore.h"
#include "framework/controls/win/StdCtrls.h"
#include "skin/controls/win/SkinButtons.h"

class TTimer;

// Count nested frames inside Rect: top and left edges in TopLeftColor, right
// and bottom in BottomRightColor, the outermost on Rect's last column and row.
void DrawBevelFrame(TCanvas* Canvas, const TRect& Rect, TColor TopLeftColor, Integer Count,
                    TColor BottomRightColor);

// How a link is opened (the shell's "open"); tests put a recorder here.
using THyOpenUrlProc = void (*)(const String& Url);
extern THyOpenUrlProc HyOpenUrl;

// A label with an optional frame; with a Url it is a link: while the cursor
// is over it the text takes ActiveStyle (and ActiveColor when
// UseActiveColor), and a click opens the address.
class THyLabel : public TCustomLabel {
public:
    explicit THyLabel(TComponent* AOwner);
    ~THyLabel() override;
    String ClassName() const override { return u"THyLabel"; }

    Integer Tag2() const { return FTag2; }
    void SetTag2(Integer Value) { FTag2 = Value; }
    TColor ColorHighLight() const { return FColorHighLight; }
    void SetColorHighLight(TColor Value);
    TColor ColorShadow() const { return FColorShadow; }
    void SetColorShadow(TColor Value);
    bool DrawBorder() const { return FDrawBorder; }
    void SetDrawBorder(bool Value);
    const String& Url() const { return FUrl; }
    void SetUrl(const String& Value) { FUrl = Value; }
    TColor ActiveColor() const { return FActiveColor; }
    void SetActiveColor(TColor Value) { FActiveColor = Value; }
    TFontStyles ActiveStyle() const { return FActiveStyle; }
    void SetActiveStyle(TFontStyles Value) { FActiveStyle = Value; }
    bool UseActiveColor() const { return FUseActiveColor; }
    void SetUseActiveColor(bool Value) { FUseActiveColor = Value; }
    bool MouseIn() const { return FMouseIn; }

    TNotifyEvent OnBeforePaint;

    void Click() override;

protected:
    void Paint() override;
    void DoDrawText(TRect& Rect, UINT Flags) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;

private:
    bool ShowsActive() const { return Enabled() && FMouseIn && !FUrl.empty(); }

    Integer FTag2 = 0;
    TColor FColorHighLight = 0x8396A0;
    TColor FColorShadow = 0x8396A0;
    bool FDrawBorder = true;
    String FUrl;
    TColor FActiveColor = 0xFF0000;
    TFontStyles FActiveStyle = fsUnderline;
    bool FUseActiveColor = false;
    bool FMouseIn = false;
    std::unique_ptr<TFont> FActiveFont;
};

// The speed button that notices the cursor resting on it: its hover timer
// runs while the cursor is over it, fires up to TriggerCount steps (each a
// click too with SimulateClick) and makes good a leave that never came.
class THySpeedButton : public TsfSkinSpeedButton {
public:
    using inherited = TsfSkinSpeedButton;
    explicit THySpeedButton(TComponent* AOwner);
    ~THySpeedButton() override;
    String ClassName() const override { return u"THySpeedButton"; }

    // Color (the control's, repainting when set) is the background of a flat,
    // transparent button; the button face (the default) paints none.
    Integer TriggerCount() const { return FTriggerCount; }
    void SetTriggerCount(Integer Value) { FTriggerCount = Value; }
    Cardinal TimerInterval() const;
    void SetTimerInterval(Cardinal Value);
    bool SimulateClick() const { return FSimulateClick; }
    void SetSimulateClick(bool Value) { FSimulateClick = Value; }

    // The button's own enter and leave events (the skinned base's stay
    // unused): once per stay of the cursor.
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TEvent<TObject* /*Sender*/, bool& /*IsTrigger*/> OnTriggerStart;
    TNotifyEvent OnTimerTrigger;

    TTimer* Timer() const { return FTimer; }
    const THoverTrigger& Hover() const { return FHover; }

protected:
    void Paint() override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;

private:
    void TimerStep(TObject* Sender);

    TTimer* FTimer = nullptr;  // owned (a component of the button)
    THoverTrigger FHover;
    Integer FTriggerCount = 0;
    bool FSimulateClick = false;
};
