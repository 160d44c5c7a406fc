// sfColorDialog: the skinned colour dialog. Execute builds a modal window
// with a skinned frame in code: the basic and custom colour grids, a hue ring
// around a saturation/lightness square, red/green/blue and hue/saturation/
// value number fields with drop-down track bars, the new-over-old viewer and
// the OK, Cancel and add-to-custom buttons; every part shows the same colour
// after each change. Colour models, palette geometry: SkinColorCore. It lives
// with the frame because the window carries a skinned form component; the
// colour button reaches it through TsfSkinColorDialogLink.
#pragma once

#include <memory>

#include "framework/controls/win/ExtCtrls.h"
#include "framework/controls/win/Forms.h"
#include "skin/controls/SkinColorCore.h"
#include "skin/controls/win/SkinBoxCtrls.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinLabels.h"
#include "skin/controls/win/SkinMenuHooks.h"
#include "skin/controls/win/sfColorCtrls.h"

class TsfSkinColorDialog : public TComponent, public TsfSkinColorDialogLink {
public:
    using inherited = TComponent;
    explicit TsfSkinColorDialog(TComponent* AOwner);
    ~TsfSkinColorDialog() override;
    String ClassName() const override { return u"TsfSkinColorDialog"; }

    // True when the user closed the window with OK: Color and the custom
    // colours hold the choice. The position is remembered either way.
    bool Execute() override;
    // The first ACount of Value (kept within 0..12).
    void SetCustomColors(const TsfCustomColors& Value) override;
    const TsfCustomColors& CustomColors() const override { return FCustom; }

    TComponent* DialogComponent() override { return this; }
    TColor Color() const override { return FColor; }
    void SetColor(TColor Value) override { FColor = Value; }
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value) { FCaption = Value; }
    TsfSkinData* SkinData() const { return FSD; }
    void SetSkinData(TsfSkinData* Value) override;
    TsfSkinData* CtrlSkinData() const { return FCtrlFSD; }
    void SetCtrlSkinData(TsfSkinData* Value) override;
    HWND MainWindowHandle() const { return FMainWindowHandle; }
    void SetMainWindowHandle(HWND Value) override { FMainWindowHandle = Value; }
    Integer DialogFormLeft() const override { return FDialogFormLeft; }
    Integer DialogFormTop() const override { return FDialogFormTop; }
    void SetDialogFormPos(Integer Left, Integer Top) override { FDialogFormLeft = Left, FDialogFormTop = Top; }
    bool GroupBoxTransparentMode() const { return FGroupBoxTransparentMode; }
    void SetGroupBoxTransparentMode(bool Value) { FGroupBoxTransparentMode = Value; }
    const String& ButtonSkinDataName() const { return FButtonSkinDataName; }
    void SetButtonSkinDataName(const String& Value) { FButtonSkinDataName = Value; }
    const String& EditSkinDataName() const { return FEditSkinDataName; }
    void SetEditSkinDataName(const String& Value) { FEditSkinDataName = Value; }
    const String& LabelSkinDataName() const { return FLabelSkinDataName; }
    void SetLabelSkinDataName(const String& Value) { FLabelSkinDataName = Value; }
    TFont* DefaultLabelFont() const { return FDefaultLabelFont.get(); }
    void SetDefaultLabelFont(TFont* Value) { FDefaultLabelFont->Assign(Value); }
    TFont* DefaultEditFont() const { return FDefaultEditFont.get(); }
    void SetDefaultEditFont(TFont* Value) { FDefaultEditFont->Assign(Value); }
    TFont* DefaultButtonFont() const { return FDefaultButtonFont.get(); }
    void SetDefaultButtonFont(TFont* Value) { FDefaultButtonFont->Assign(Value); }
    bool AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool Value) { FAlphaBlend = Value; }
    bool AlphaBlendAnimation() const { return FAlphaBlendAnimation; }
    void SetAlphaBlendAnimation(bool Value) { FAlphaBlendAnimation = Value; }
    Byte AlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(Byte Value) { FAlphaBlendValue = Value; }
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }

    // The window's parts while Execute runs (nullptr otherwise).
    TForm* DialogForm = nullptr;
    TsfSkinColorGrid* ColorGrid = nullptr;
    TsfSkinCustomColorGrid* CustomColorGrid = nullptr;
    TsfSkinButton *OkButton = nullptr, *CancelButton = nullptr, *AddCustomColorButton = nullptr;
    TsfColorViewer* ColorViewer = nullptr;
    TsfSkinTrackEdit *REdit = nullptr, *GEdit = nullptr, *BEdit = nullptr;
    TsfSkinStdLabel *RLabel = nullptr, *GLabel = nullptr, *BLabel = nullptr;
    TsfSkinTrackEdit *HEdit = nullptr, *LEdit = nullptr, *SEdit = nullptr;
    TsfSkinStdLabel *HLabel = nullptr, *LLabel = nullptr, *SLabel = nullptr;
    TsfEmptyControl* PalettePSPPanel = nullptr;
    TImage* PalettePSP = nullptr;
    // The palette's colour and the zone of the last press on it.
    const TPSPColor& PaletteColor() const { return PSPColor; }
    TsfPaletteZone ClickZone() const { return ClickImg; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void BuildWindow(TForm* Form);
    String CtrlText(const char16_t* Key, const char16_t* English) const;
    void CreatePalette();
    void DrawSLSquare();
    void DrawMarkers();
    void RedrawSLSquare();
    void PaletteMouseDown(TMouseButton Button, Integer X, Integer Y);
    void PaletteMouseMove(TShiftState Shift, Integer X, Integer Y);
    void PaletteMouseUp(TMouseButton Button, Integer X, Integer Y);
    // The action of the stored zone at (X, Y).
    void PaletteAction(Integer X, Integer Y);
    void UpdateRGBFromPSP();
    // The palette follows the colour of the R, G, B fields (markers erased and redrawn).
    void PaletteFromRGB(const TsfRGB& C);
    void SetRGBFields(const TsfRGB& C);
    void SetHSVFields(const TsfHSV& V);
    void RGBEditChange();
    void HSLEditChange();
    void GridChange(TColor C);
    void AddCustomColorClick();

    bool RGBStopCheck = false, HSLStopCheck = false, FromPSP = false;
    bool FGroupBoxTransparentMode = false;
    HWND FMainWindowHandle = nullptr;
    Integer FDialogFormLeft = 0, FDialogFormTop = 0;
    TColor FColor = 0;
    String FCaption = u"Set color";
    TsfSkinData* FSD = nullptr;
    TsfSkinData* FCtrlFSD = nullptr;
    String FButtonSkinDataName = u"button", FEditSkinDataName = u"edit", FLabelSkinDataName = u"stdlabel";
    std::unique_ptr<TFont> FDefaultLabelFont, FDefaultEditFont, FDefaultButtonFont;
    bool FAlphaBlend = false, FAlphaBlendAnimation = false;
    Byte FAlphaBlendValue = 200;
    bool FUseSkinFont = true;
    Integer PosCircle = 0, PosCar = 0;
    TsfPaletteZone ClickImg = TsfPaletteZone::None;
    TPSPColor PSPColor;
    TsfCustomColors FCustom;
};
