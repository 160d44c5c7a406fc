// ShadowReflect: the values of the shadow and reflection dialogs without a
// window: where they come from (the one selected object, or the current
// tool's row of the shape-property table), how they go back to the object
// while the dialog is open, and what OK writes into the tool's row.
#pragma once

#include "foundation/HyDataTable.h"
#include "framework/runtime/UITypes.h"

class TImgShape;

// Opacity shown in % and kept as 0..255 (rounding halves to even).
Integer OpacityToPercent(Integer Stored);
Integer PercentToOpacity(Integer Percent);

// The tool-row cells the dialogs read and write.
namespace ShadowCell {
constexpr Integer Mode = 27, Angle = 70, Distance = 71, Zoom = 72, Blur = 73, Color = 74, Opacity = 75, Inner = 76;
}
namespace ReflectCell {
constexpr Integer Mode = 28, Distance = 81, Blur = 83, Opacity = 85, Height = 86;
}

// As the controls show them (opacity in %).
struct TShadowValues {
    bool Enabled = false, Inner = false;
    TColor Color = 0;
    Integer Angle = 45, Distance = 5, Zoom = 0, Blur = 3, OpacityPercent = 69;
};
struct TReflectValues {
    bool Enabled = false;
    Integer Distance = 0, Blur = 0, OpacityPercent = 69, Height = 50;
};

TShadowValues ShadowValuesOf(const TImgShape& Shape);
TShadowValues ShadowValuesOf(const TRow& ToolRow);
TReflectValues ReflectValuesOf(const TImgShape& Shape);
TReflectValues ReflectValuesOf(const TRow& ToolRow);

// Live editing: the object takes the values (mode 0 or -1) and is marked
// changed; the caller redraws.
void ApplyShadow(TImgShape& Shape, const TShadowValues& V);
void ApplyReflect(TImgShape& Shape, const TReflectValues& V);

// OK: the tool's row takes the values (rows too short grow).
void StoreShadow(TRow& ToolRow, const TShadowValues& V);
void StoreReflect(TRow& ToolRow, const TReflectValues& V);

// The object's effect fields as the pickers keep them while a dialog runs,
// to put back on Cancel.
struct TShadowFields {
    Integer Mode = 0, Angle = 0, Distance = 0, Zoom = 0, Opacity = 0, Blur = 0;
    TColor Color = 0;
};
struct TReflectFields {
    Integer Mode = 0, Distance = 0, Opacity = 0, Blur = 0, Height = 0;
};
TShadowFields KeepShadow(const TImgShape& Shape);
void RestoreShadow(TImgShape& Shape, const TShadowFields& F);
TReflectFields KeepReflect(const TImgShape& Shape);
void RestoreReflect(TImgShape& Shape, const TReflectFields& F);

// The gradient fields of an object (or a text object's glyph gradient).
struct TGradientFields {
    Integer Mode = -1, FillMode = 0, Angle = 0, EdgingWidth = 15, HatchMode = 0;
    String Colors, Opacities, Positions, Texture;
    TColor HatchFore = 0, HatchBack = 0;
    bool Gamma = false;
};
TGradientFields KeepGradient(const TImgShape& Shape, bool IsText);
void RestoreGradient(TImgShape& Shape, const TGradientFields& F, bool IsText);
