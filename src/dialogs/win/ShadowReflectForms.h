// ShadowReflectForms: the drop shadow dialog (TfrmCustomShadow) and the
// reflection dialog (TfrmCustomReflect). With exactly one object selected
// they edit it live; OK also stores the values as the current tool's
// defaults (its row of the shape-property table), which is all they edit
// with no or several objects selected. The caller keeps the object's fields
// and puts them back on Cancel.
#pragma once

#include "dialogs/ShadowReflect.h"
#include "framework/controls/win/Forms.h"

class TImageDraw;
class TImgShape;
class TLabel;
class TMainWindowServices;
class TPaintBox;
class TTimer;
class TsfSkinButton;
class TsfSkinCheckRadioBox;
class TsfSkinColorButton;
class TsfSkinData;
class TsfSkinForm;
class TsfSkinSlider;
class TsfSkinSpinEdit;

// The live colour messages of a colour button's drop-down: the hovered grid
// colour (wParam colour, lParam item) and the colour dialog's colour.
constexpr UINT WM_COLORPREVIEWHOVER = 0x40B;
constexpr UINT WM_COLORPREVIEWTRACK = 0x40C;

class TfrmCustomShadow : public TForm {
public:
    // Main may be null (no shared colour handlers); Doc may be null; ToolRow
    // is the current tool's row.
    TfrmCustomShadow(TComponent* AOwner, TsfSkinData* SkinData, TMainWindowServices* Main, TImageDraw* Doc,
                     TRow& ToolRow);
    ~TfrmCustomShadow() override;
    String ClassName() const override { return u"TfrmCustomShadow"; }

    TsfSkinForm* sfSkinForm1 = nullptr;
    TsfSkinCheckRadioBox* chkEnable = nullptr;
    TsfSkinCheckRadioBox* chkInner = nullptr;
    TLabel* lblColor = nullptr;
    TsfSkinColorButton* clShadowColor = nullptr;
    TLabel *lblOpacity = nullptr, *lblOpacityValue = nullptr;
    TsfSkinSlider* sliderOpacity = nullptr;
    TLabel *lblAngle = nullptr, *lblAngleUnit = nullptr;
    TPaintBox* imgAngle = nullptr;
    TsfSkinSpinEdit* editAngle = nullptr;
    TLabel *lblDistance = nullptr, *lblDistanceValue = nullptr;
    TsfSkinSlider* sliderDistance = nullptr;
    TLabel *lblBlurSize = nullptr, *lblBlurSizeValue = nullptr;
    TsfSkinSlider* sliderBlurSize = nullptr;
    TLabel *lblZoom = nullptr, *lblZoomValue = nullptr;
    TsfSkinSlider* sliderZoom = nullptr;
    TsfSkinButton* btnOk = nullptr;
    TsfSkinButton* btnCancel = nullptr;
    TTimer* Timer1 = nullptr;

    // The values the controls show.
    TShadowValues Values() const;
    // The one selected object, or null.
    TImgShape* Target() const;
    void ApplyShadow(TColor Colour);

protected:
    void Dispatch(TMessage& Message) override;

private:
    void FormShow(TObject*);
    void ShowValueLabels();
    void ShowParameters();
    void DrawAngleDial();
    void AngleFromPoint(Integer X, Integer Y);
    void btnOkClick(TObject*);

    TMainWindowServices* FMain;
    TImageDraw* FDoc;
    TRow& FToolRow;
    bool FPending = false;
    bool FMouseDown = false;
    String FColorButtonName;
    TColor FColorButtonColor = 0;
};

class TfrmCustomReflect : public TForm {
public:
    TfrmCustomReflect(TComponent* AOwner, TsfSkinData* SkinData, TImageDraw* Doc, TRow& ToolRow);
    ~TfrmCustomReflect() override;
    String ClassName() const override { return u"TfrmCustomReflect"; }

    TsfSkinForm* sfSkinForm1 = nullptr;
    TsfSkinCheckRadioBox* chkEnable = nullptr;
    TLabel *lblOpacity = nullptr, *lblOpacityValue = nullptr;
    TsfSkinSlider* sliderOpacity = nullptr;
    TLabel *lblHeight = nullptr, *lblHeightValue = nullptr;
    TsfSkinSlider* sliderHeight = nullptr;
    TLabel *lblBlurSize = nullptr, *lblBlurSizeValue = nullptr;
    TsfSkinSlider* sliderBlurSize = nullptr;
    TLabel *lblDistance = nullptr, *lblDistanceValue = nullptr;
    TsfSkinSlider* sliderDistance = nullptr;
    TsfSkinButton* btnOk = nullptr;
    TsfSkinButton* btnCancel = nullptr;

    TReflectValues Values() const;
    TImgShape* Target() const;
    void ApplyReflect();

private:
    void FormShow(TObject*);
    void ShowValueLabels();
    void ShowParameters();
    void btnOkClick(TObject*);

    TImageDraw* FDoc;
    TRow& FToolRow;
    bool FPending = false;
};
