// SkinObjects: the base of the objects a skin draws on a form's frame
// (caption, caption buttons and the rest). The form component keeps them in
// its object list, lays them out through their place (TsfFrameObjectPlace),
// draws them into the frame strips and hands them the mouse.
#pragma once

#include "framework/controls/win/Controls.h"
#include "skin/frame/SkinFrameGeometry.h"

class TsfSkinForm;

class TsfActiveSkinObject : public TObject, public TsfFrameObjectPlace {
public:
    explicit TsfActiveSkinObject(TsfSkinForm* AParent) : Parent(AParent) {}
    String ClassName() const override { return u"TsfActiveSkinObject"; }

    // Whether an object-relative point counts as on the object.
    virtual bool InMask(Integer X, Integer Y);
    // Draws the object on a canvas in window coordinates. UpDate: drawn alone
    // over a frame already on the screen (False: as part of a full frame painting).
    virtual void Draw(TCanvas* Cnvs, bool UpDate);
    virtual void DblClick() {}
    virtual void MouseDown(Integer X, Integer Y, TMouseButton Button);
    virtual void MouseUp(Integer X, Integer Y, TMouseButton Button);
    virtual void MouseMove(Integer X, Integer Y);
    virtual void MouseEnter();
    virtual void MouseLeave();

    TsfSkinForm* Parent;
    String IDName;
    String Hint;
    bool Active = false;
    bool Enabled = true;
};
