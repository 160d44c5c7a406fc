// The application's access to the objects on a skinned frame by their skin
// name: each call looks the object up anew, so a skin change in between is safe.
#include "skin/frame/win/SkinForm.h"
#include "skin/frame/win/SkinObjects.h"

namespace {

// The first object of that name when it is a T (or derived), else null.
template <class T>
T* NamedObject(const TsfSkinForm* C, const String& AIDName)
{
    const Integer I = C->GetIndex(AIDName);
    return I < 0 ? nullptr : dynamic_cast<T*>(C->ObjectList[static_cast<size_t>(I)].get());
}

}  // namespace

Integer TsfSkinForm::GetIndex(const String& AIDName) const
{
    for (size_t i = 0; i < ObjectList.size(); ++i)
        if (ObjectList[i]->IDName == AIDName) return static_cast<Integer>(i);
    return -1;
}

void TsfSkinForm::UserObjectDraw(const String& AIDName)
{
    if (auto* O = NamedObject<TsfUserObject>(this, AIDName)) DrawSkinObject(O);
}

void TsfSkinForm::CaptionSetText(const String& AIDName, const String& AText)
{
    auto* O = NamedObject<TsfSkinCaptionObject>(this, AIDName);
    if (!O) return;
    if (FInChangeSkinData)
        O->SimpleSetTextValue(AText);  // the new skin paints it anyway
    else
        O->SetTextValue(AText);
}

void TsfSkinForm::ButtonSetDown(const String& AIDName, bool ADown)
{
    if (auto* O = NamedObject<TsfSkinButtonObject>(this, AIDName)) O->SetDown(ADown);
}

bool TsfSkinForm::ButtonGetDown(const String& AIDName) const
{
    const auto* O = NamedObject<TsfSkinButtonObject>(this, AIDName);
    return O && O->Down();
}

void TsfSkinForm::SetEnabled(const String& AIDName, bool Value)
{
    const Integer I = GetIndex(AIDName);
    if (I >= 0) ObjectList[static_cast<size_t>(I)]->Enabled = Value;
}

void TsfSkinForm::AnimateStart(const String& AIDName)
{
    if (auto* O = NamedObject<TsfSkinAnimateObject>(this, AIDName)) O->Start();
}

void TsfSkinForm::AnimateStop(const String& AIDName)
{
    if (auto* O = NamedObject<TsfSkinAnimateObject>(this, AIDName)) O->Stop();
}

Integer TsfSkinForm::TrackBarGetValue(const String& AIDName) const
{
    const auto* O = NamedObject<TsfSkinTrackBarObject>(this, AIDName);
    return O ? O->Value() : 0;
}

// While a new skin is applied the setters take the objects' quiet variants
// (no drawing: the new skin paints the whole frame anyway).
void TsfSkinForm::TrackBarSetValue(const String& AIDName, Integer AValue)
{
    auto* O = NamedObject<TsfSkinTrackBarObject>(this, AIDName);
    if (!O) return;
    if (FInChangeSkinData) O->SimplySetValue(AValue);
    else O->SetValue(AValue);
}

Integer TsfSkinForm::FrameRegulatorGetValue(const String& AIDName) const
{
    const auto* O = NamedObject<TsfSkinFrameRegulatorObject>(this, AIDName);
    return O ? O->Value() : 0;
}

void TsfSkinForm::FrameRegulatorSetValue(const String& AIDName, Integer AValue)
{
    auto* O = NamedObject<TsfSkinFrameRegulatorObject>(this, AIDName);
    if (!O) return;
    if (FInChangeSkinData) O->SimplySetValue(AValue);
    else O->SetValue(AValue);
}

void TsfSkinForm::GaugeSetValue(const String& AIDName, Integer AValue)
{
    auto* O = NamedObject<TsfSkinGaugeObject>(this, AIDName);
    if (!O) return;
    if (FInChangeSkinData) O->SimplySetValue(AValue);
    else O->SetValue(AValue);
}

void TsfSkinForm::FrameGaugeSetValue(const String& AIDName, Integer AValue)
{
    auto* O = NamedObject<TsfSkinFrameGaugeObject>(this, AIDName);
    if (!O) return;
    if (FInChangeSkinData) O->SimplySetValue(AValue);
    else O->SetValue(AValue);
}

void TsfSkinForm::LabelSetText(const String& AIDName, const String& ATextValue)
{
    if (auto* O = NamedObject<TsfSkinLabelObject>(this, AIDName)) O->SetTextValue(ATextValue, !FInChangeSkinData);
}

void TsfSkinForm::BitLabelSetText(const String& AIDName, const String& AValue)
{
    if (auto* O = NamedObject<TsfSkinBitLabelObject>(this, AIDName)) O->SetTextValue(AValue, !FInChangeSkinData);
}

void TsfSkinForm::SwitchSetState(const String& AIDName, TSwitchState Value)
{
    auto* O = NamedObject<TsfSkinSwitchObject>(this, AIDName);
    if (!O) return;
    if (FInChangeSkinData) O->SimpleSetState(Value);
    else O->SetState(Value);
}

TSwitchState TsfSkinForm::SwitchGetState(const String& AIDName) const
{
    const auto* O = NamedObject<TsfSkinSwitchObject>(this, AIDName);
    return O ? O->State() : swsOff;
}

void TsfSkinForm::DoSwitchChangeState(const String& IDName, TSwitchState State)
{
    if (OnSwitchChangeStateEvent) OnSwitchChangeStateEvent(IDName, State);
}

void TsfSkinForm::DoTrackBarChangeValue(const String& IDName, Integer Value)
{
    if (OnTrackBarChangeValueEvent) OnTrackBarChangeValueEvent(IDName, Value);
}

void TsfSkinForm::DoFrameRegulatorChangeValue(const String& IDName, Integer Value)
{
    if (OnFrameRegulatorChangeValueEvent) OnFrameRegulatorChangeValueEvent(IDName, Value);
}
