// ImgShape: the drawn-object base (TImgShape) and the narrow view of the
// document its objects have (TShapeOwner). Every object kind derives from
// TImgShape and sees its document only through TShapeOwner, which the
// document (TImageDraw) implements: the objects' units never include the
// document's header.
#pragma once

#include <memory>
#include <vector>

#include "Component/Raster32/Ras32.h"
#include "document/base/ImageDrawTypes.h"
#include "document/base/ViDuza.h"
#include "foundation/HyDataTable.h"
#include "framework/runtime/UITypes.h"

class TPositionedLayer;

// The platform's colour value (0x00BBGGRR, or a negative system colour).
using TColor = Integer;

// The program's rotate cursor, shown over an object's rotation handle.
constexpr TCursor crRotate = 20;
// FStartX / FStartY / FGradientStartX ... when nothing is under way.
constexpr Integer NoStartPoint = -100000;
// GetShapeCursor over a point where nothing of the document lies, and the
// main window's own cursors it gives over a polygon's edge while nodes are
// added (and off it) and over the ruler.
constexpr TCursor NoDocumentCursor = 100;
constexpr TCursor crAddPointOff = 21, crAddPointOn = 22, crRulerPick = 46;
// Floats in object-table cells: always written with "." whatever the user's
// locale, read with "." or ","; an unreadable cell reads as Default.
String FloatToCellText(Extended Value, Integer Decimals);
Single CellTextToFloat(const String& Text, Single Default = 0);


// The object-table columns every object row has.
namespace ObjCol {
constexpr Integer Id = 0, Kind = 1, Name = 2, Fixed = 3, Hidden = 4;
}

// ---------------------------------------------------------------------------
// What an object sees of its document

class TShapeOwner {
public:
    // The view bitmap the objects draw into, the view's zoom and offsets.
    virtual TCustomBitmap32* Bitmap() const = 0;
    virtual Single Scale() const = 0;
    virtual Integer OffsetHorz() const = 0;
    virtual Integer OffsetVert() const = 0;
    // The state of the mouse and the keys while the pointer acts.
    virtual bool PressSht() const = 0;
    virtual bool PressCtl() const = 0;
    virtual bool PressAlt() const = 0;
    virtual bool LeftMouseDown() const = 0;
    virtual bool Busing() const = 0;
    // The handle pictures.
    virtual TCustomBitmap32* CtrBmpY() const = 0;
    virtual TCustomBitmap32* CtrBmpY2() const = 0;
    virtual TCustomBitmap32* CtrBmpY3() const = 0;
    virtual TCustomBitmap32* CtrBmpG() const = 0;
    virtual TCustomBitmap32* CtrBmpG2() const = 0;
    virtual TCustomBitmap32* CtrBmpW2() const = 0;
    virtual TCustomBitmap32* CtrBmpB() const = 0;
    virtual TCustomBitmap32* CtrBmpAH() const = 0;
    virtual TCustomBitmap32* CtrBmpAV() const = 0;
    // The 8 x 8 pattern of the selection's marching ants.
    virtual TCustomBitmap32* BrushBitmap() const = 0;
    // The layer of handles and outlines, marked changed when they move.
    virtual TPositionedLayer* ControlLayer() const = 0;
    // Document settings the objects follow.
    virtual Integer CropRateIndex() const = 0;
    virtual Single CropFixedRate() const = 0;
    virtual bool SelectionExpanding() const = 0;
    virtual bool PencilEditable() const = 0;
    virtual Integer LanguageIndex() const = 0;
    // The ids of the selected objects, which Select and UnSelect keep.
    virtual TRow* SelectedIds() const = 0;
    // Changes an object makes to the document.
    virtual void SetChanged(bool IsSaveUndo) = 0;
    virtual void ShapeStateChanged() = 0;
    // The raster, which the selection lifts pixels from and drops them into.
    virtual TCustomBitmap32* SrcBmp() const = 0;
    virtual void SetSrcBmpChanged(bool Value) = 0;
    virtual void TempBmpZ_To_SrcBmp(const TRect& ARect) = 0;

protected:
    ~TShapeOwner() = default;
};

// ---------------------------------------------------------------------------
// The drawn-object base

class TImgShape : public TObject {
public:
    // Owner null: a stand-alone object (a style preview) drawing into ABitmap.
    TImgShape(TShapeOwner* AOwner, Integer ShapeId, TCustomBitmap32* ABitmap);
    ~TImgShape() override;
    String ClassName() const override { return u"TImgShape"; }

    // The virtual operations, in slot order.
    virtual void Draw(TCustomBitmap32* ToBitmap);                           // 0
    virtual void DrawControlPoint(TCustomBitmap32* ToBitmap);               // 1
    virtual bool PtInControl(Integer X, Integer Y);                         // 2, view coordinates
    virtual bool PtInShape(Integer X, Integer Y);                           // 3, image coordinates
    virtual void Click();                                                   // 4
    virtual void AdjustShape(Integer X1, Integer Y1, Integer X2, Integer Y2);  // 5
    virtual void MoveShape(Integer X1, Integer Y1, Integer X2, Integer Y2);    // 6
    virtual void MoveShapeOver(Integer DX, Integer DY);                     // 7
    virtual void OffsetShape(Integer DX, Integer DY);                       // 8
    virtual void InitPoints(bool IsDrawStyle);                              // 9
    virtual void CalcPoints(bool IsForceCalc);                              // 10
    virtual void CalcControlPoints();                                       // 11
    virtual void CalcRect();                                                // 12
    virtual void CalcCenterPoint();                                         // 13
    virtual void CalcPointsRatio();                                         // 14
    virtual void Select();                                                  // 15
    virtual void UnSelect();                                                // 16

    // A style preview: FBitmap cleared to BGColor, framed red while the
    // pointer is over it (SelectMode bit 0), else navy for the current style
    // (bit 1), then drawn.
    void StartDraw(TColor BGColor);
    void PrepareMove();
    // The angle that puts the rotation handle under (X, Y): 270 - CalcAngle.
    void SetAngleByPoint(Integer X, Integer Y);
    // FRect (clamped to the drawing bitmap when Clip) in view coordinates.
    void GetViewRect(bool Clip, TRect& R);
    void ClipRectToBitmap(TRect& R);
    void PointToView(TPoint& P);
    void PointsToView(TPoint* Points, Integer Count);
    static void ClampSingle(Single& Value, Single AMin, Single AMax);

    TShapeOwner* Parent() const { return FParent; }
    Integer Id() const { return FId; }
    TCustomBitmap32* Bitmap32() const { return FBitmap; }
    const TArrayOfPoint& PointsA() const { return FPointsA; }
    const TArrayOfPoint& CtrPoints() const { return FCtrPoints; }
    const TArrayOfRect& CtrRect() const { return FCtrRect; }
    Integer CurrentCtrIndex() const { return FCurrentCtrIndex; }
    void SetCurrentCtrIndex(Integer Value) { FCurrentCtrIndex = Value; }
    Integer MinSize() const { return FMinSize; }
    void SetMinSize(Integer Value) { FMinSize = Value; }
    Integer ControlMode() const { return FControlMode; }
    void SetControlMode(Integer Value);
    TShapeType ShapeType() const { return FShapeType; }
    void SetShapeType(TShapeType Value) { FShapeType = Value; }
    Integer StartX() const { return FStartX; }
    void SetStartX(Integer Value) { FStartX = Value; }
    Integer StartY() const { return FStartY; }
    void SetStartY(Integer Value) { FStartY = Value; }
    Single StartRate() const { return FStartRate; }
    const TRect& StartRect() const { return FStartRect; }
    TCursor CurrentCursor() const { return FCurrentCursor; }
    void SetCurrentCursor(TCursor Value) { FCurrentCursor = Value; }
    const TRect& SRect() const { return FRect; }
    void SetSRect(const TRect& Value);
    TRect RotateRect() const { return GetRotateRect(); }
    const TFloatPoint& CenterPoint() const { return FCenterPoint; }
    void SetCenterPoint(const TFloatPoint& Value) { FCenterPoint = Value; }
    Integer Width() const { return FRect.Right - FRect.Left; }
    Integer Height() const { return FRect.Bottom - FRect.Top; }
    bool Selected() const { return FSelected; }
    bool Fixed() const { return FFixed; }
    void SetFixed(bool Value) { FFixed = Value; }
    bool Hided() const { return FHided; }
    void SetHided(bool Value) { FHided = Value; }
    bool Changed2() const { return FChanged2; }
    void SetChanged2(bool Value) { FChanged2 = Value; }
    bool Rotated2() const { return FRotated2; }
    void SetRotated2(bool Value) { FRotated2 = Value; }
    bool DataChanged() const { return FDataChanged; }
    void SetDataChanged(bool Value) { FDataChanged = Value; }
    Integer DrawMode2() const { return FDrawMode2; }
    void SetDrawMode2(Integer Value) { FDrawMode2 = Value; }
    bool Creating() const { return FCreating; }
    void SetCreating(bool Value) { FCreating = Value; }
    bool Adjusting() const { return FAdjusting; }
    void SetAdjusting(bool Value) { FAdjusting = Value; }
    bool Loading() const { return FLoading; }
    void SetLoading(bool Value) { FLoading = Value; }
    Integer SelectMode() const { return FSelectMode; }
    void SetSelectMode(Integer Value) { FSelectMode = Value; }

    // Style values every kind shares.
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    TColor FillColor() const { return FFillColor; }
    void SetFillColor(TColor Value) { FFillColor = Value; }
    Integer Opacity() const { return FOpacity; }
    void SetOpacity(Integer Value) { FOpacity = Value; }
    Integer ShadowMode() const { return FShadowMode; }
    void SetShadowMode(Integer Value) { FShadowMode = Value; }
    Integer ReflectMode() const { return FReflectMode; }
    void SetReflectMode(Integer Value) { FReflectMode = Value; }
    Integer GradientMode() const { return FGradientMode; }
    void SetGradientMode(Integer Value) { FGradientMode = Value; }
    Integer OutWidth() const { return FOutWidth; }
    void SetOutWidth(Integer Value) { FOutWidth = Value; }
    Single Angle() const { return FAngle; }
    void SetAngle(Single Value) { FAngle = Value; }
    bool IsOutline() const { return FIsOutline; }
    void SetIsOutline(bool Value) { FIsOutline = Value; }
    bool IsFill() const { return FIsFill; }
    void SetIsFill(bool Value) { FIsFill = Value; }
    Integer PenStyle() const { return FPenStyle; }
    void SetPenStyle(Integer Value) { FPenStyle = Value; }
    Integer StyleId() const { return FStyleId; }
    void SetStyleId(Integer Value) { FStyleId = Value; }
    bool Antialias() const { return FAntialias; }
    void SetAntialias(bool Value) { FAntialias = Value; }

    // Shadow, reflection and gradient settings (built and drawn by the effect routines).
    Integer ShadowAngle() const { return FShadowAngle; }
    void SetShadowAngle(Integer Value) { FShadowAngle = Value; }
    Integer ShadowDistance() const { return FShadowDistance; }
    void SetShadowDistance(Integer Value) { FShadowDistance = Value; }
    Integer ShadowZoomValue() const { return FShadowZoomValue; }
    void SetShadowZoomValue(Integer Value) { FShadowZoomValue = Value; }
    Integer ShadowBlurSize() const { return FShadowBlurSize; }
    void SetShadowBlurSize(Integer Value) { FShadowBlurSize = Value; }
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor Value) { FShadowColor = Value; }
    Integer ShadowOpacity() const { return FShadowOpacity; }
    void SetShadowOpacity(Integer Value) { FShadowOpacity = Value; }
    bool ShadowInner() const { return FShadowInner; }
    void SetShadowInner(bool Value) { FShadowInner = Value; }
    Integer ReflectDistance() const { return FReflectDistance; }
    void SetReflectDistance(Integer Value) { FReflectDistance = Value; }
    Integer ReflectBlurSize() const { return FReflectBlurSize; }
    void SetReflectBlurSize(Integer Value) { FReflectBlurSize = Value; }
    Integer ReflectOpacity() const { return FReflectOpacity; }
    void SetReflectOpacity(Integer Value) { FReflectOpacity = Value; }
    Integer ReflectHeight() const { return FReflectHeight; }
    void SetReflectHeight(Integer Value) { FReflectHeight = Value; }
    const String& GradientColor() const { return FGradientColor; }
    void SetGradientColor(const String& Value) { FGradientColor = Value; }
    const String& GradientOpacity() const { return FGradientOpacity; }
    void SetGradientOpacity(const String& Value) { FGradientOpacity = Value; }
    const String& GradientPosition() const { return FGradientPosition; }
    void SetGradientPosition(const String& Value) { FGradientPosition = Value; }
    Integer GradientFillMode() const { return FGradientFillMode; }
    void SetGradientFillMode(Integer Value) { FGradientFillMode = Value; }
    Integer GradientLinearAngle() const { return FGradientLinearAngle; }
    void SetGradientLinearAngle(Integer Value) { FGradientLinearAngle = Value; }
    const String& GradientTextureFileName() const { return FGradientTextureFileName; }
    void SetGradientTextureFileName(const String& Value) { FGradientTextureFileName = Value; }
    bool GradientGammaCorrected() const { return FGradientGammaCorrected; }
    void SetGradientGammaCorrected(bool Value) { FGradientGammaCorrected = Value; }
    TCustomBitmap32* GradientEdgingBmp() const { return FGradientEdgingBmp.get(); }
    TCustomBitmap32* ShadowBmp() const { return FShadowBmp.get(); }
    TCustomBitmap32* ShadowReflectBmp() const { return FShadowReflectBmp.get(); }
    TCustomBitmap32* ReflectBmp() const { return FReflectBmp.get(); }
    Integer ShadowExtendLength() const { return FShadowExtendLength; }
    Integer ShadowOffsetAngleLeft() const { return FShadowOffsetAngleLeft; }
    Integer ShadowOffsetAngleTop() const { return FShadowOffsetAngleTop; }
    Integer ShadowOffsetZoomLeft() const { return FShadowOffsetZoomLeft; }
    Integer ShadowOffsetZoomTop() const { return FShadowOffsetZoomTop; }
    Integer ReflectExtendLength() const { return FReflectExtendLength; }
    // The cached gradient blend (ARGB colours and positions), rebuilt by the
    // fill while Changed2 is set.
    std::vector<TColor32>& GradientColors() { return FGradientColors; }
    std::vector<Single>& GradientPositions() { return FGradientPositions; }
    Integer GradientEdgingExtendLength() const { return FGradientEdgingExtendLength; }
    void SetGradientEdgingExtendLength(Integer Value) { FGradientEdgingExtendLength = Value; }
    Integer GradientEdgingWidth() const { return FGradientEdgingWidth; }
    void SetGradientEdgingWidth(Integer Value) { FGradientEdgingWidth = Value; }
    Integer GradientHatchMode() const { return FGradientHatchMode; }
    void SetGradientHatchMode(Integer Value) { FGradientHatchMode = Value; }
    TColor GradientHatchForeColor() const { return FGradientHatchForeColor; }
    void SetGradientHatchForeColor(TColor Value) { FGradientHatchForeColor = Value; }
    TColor GradientHatchBackColor() const { return FGradientHatchBackColor; }
    void SetGradientHatchBackColor(TColor Value) { FGradientHatchBackColor = Value; }

    // Fill, shadow and reflection settings from an object-table row (the
    // columns up to 29, and 70 to 99 when the row has more than 70 cells). A
    // missing cell reads as empty; an edging width of 0 reads as 15.
    void ReadEffectColumns(const TRow& Row);

    // The effect routines composition runs before Draw, in this order:
    // PrepareGradientEdging, PrepareShadow, DrawShadowReflection,
    // DrawReflection, DrawShadow. Bitmaps are rebuilt only while Changed2 or
    // Rotated2 is set. A null ToBitmap draws into the object's own bitmap.
    void PrepareGradientEdging();
    void PrepareShadow();
    void DrawShadow(TCustomBitmap32* ToBitmap);
    void DrawShadowReflection(TCustomBitmap32* ToBitmap);
    void DrawReflection(TCustomBitmap32* ToBitmap);
    // The effect bitmaps built (when changed) and drawn apart: composition
    // builds every object's first, so that it knows where they go before it
    // draws. PrepareEffects builds edging, shadow, the shadow's reflection and
    // the reflection; DrawEffectBitmaps draws the last three as they are, in
    // the order composition draws them.
    void PrepareEffects();
    void DrawEffectBitmaps(TCustomBitmap32* ToBitmap);
    void PrepareReflection();
    void PrepareShadowReflection();
    // The area the object's composition touches: its picture area (see
    // PictureBounds) and, WithEffects, where its effect bitmaps go as they
    // are built now. False when the class names no picture area (its drawing
    // may reach anywhere).
    bool DrawnBounds(bool WithEffects, TRect& Bounds);
    // The room the shadow and reflection bitmaps leave around the turned
    // rectangle: half the outline, the blur passes and 9 pixels (plus a
    // callout's pointer).
    Integer EffectExtendLength(Integer BlurSize);
    // How far a callout's pointer reaches beyond its frame (0 for others).
    virtual Integer GetMaxLengthOfOutPoint() { return 0; }

    // ---- Points of older documents (the document file reader) ----
    // Text and callout objects of documents written by early versions hold
    // their points in an older form: UpgradePoints converts them in place.
    // The reader then applies them again through SetPoints(GetPoints()). The
    // base has no points text and nothing to convert.
    virtual void UpgradePoints() {}
    virtual String GetPoints() const { return String(); }
    virtual void SetPoints(const String&) {}

    // The area Draw touches as the object is now (document/PictureArea.h
    // gathers it from what the painter is handed): its outline's pen and
    // line ends included, its shadow and reflection not (DrawnBounds adds
    // them). Composition recomposes only where objects changed by it. An
    // empty area (the default) is no known area: composition then composes
    // everything.
    virtual TRect PictureBounds() { return TRect{}; }
    // The picture cache of composition. A class whose Draw only blends over
    // what lies below it (reads nothing of the target) may say so; composition
    // then draws it once into a picture of its PictureBounds and blends the
    // picture while the object is unchanged (Changed2 and Rotated2 clear),
    // instead of drawing it anew on every mouse step. Drawn through a picture
    // the pixels may differ in the last bit from drawn directly.
    virtual bool CachesPicture() const { return false; }
    // Blends the object's cached picture into Target, first drawing it when
    // the object changed or has none; false when the object keeps no picture
    // (CachesPicture), or one too large to keep (drawn directly then).
    bool DrawPicture(TCustomBitmap32* Target);
    void FreePicture() { FPicture.reset(); }
    TCustomBitmap32* Picture() const { return FPicture.get(); }

protected:
    // The turned rectangle grown by E on every side: the size of an effect's
    // scratch bitmap.
    TRect EffectRect(Integer E) const;
    // Draws the object into Scratch (sized like EffectRect(E)) centred in it.
    void DrawCentred(TCustomBitmap32& Scratch, Integer E);
    TRect GetRotateRect() const;
    // Where the shadow, the reflection and the shadow's reflection are drawn.
    TPoint ShadowOrigin() const;
    TPoint ReflectionOrigin() const;
    TPoint ShadowReflectionOrigin() const;
    void PlaceReflection(TCustomBitmap32* ToBitmap);
    void PlaceShadowReflection(TCustomBitmap32* ToBitmap);
    // The document's zoom and view offsets (1 and 0 without a document).
    Single ViewScale() const;
    Integer ViewOffsetHorz() const;
    Integer ViewOffsetVert() const;
    // The document's Shift state (false without a document).
    bool ShiftHeld() const;
    // The float centre of FRect the handles turn about.
    TFloatPoint RectCenter() const;
    // Moving and offsetting an object that keeps points of its own beside its
    // rectangle (style points): the base step, then the same offset for
    // Points; a move step then starts from (X2, Y2).
    void MoveShapeAndPoints(TArrayOfPoint& Points, Integer X1, Integer Y1, Integer X2, Integer Y2);
    void OffsetShapeAndPoints(TArrayOfPoint& Points, Integer DX, Integer DY);

    TArrayOfPoint FPointsA;
    TArrayOfPoint FCtrPoints;
    TArrayOfRect FCtrRect;
    Integer FControlMode = 0;
    Integer FMinSize = 1;
    TShapeOwner* FParent;
    Integer FId;
    bool FChanged2 = true;
    bool FRotated2 = false;
    bool FDataChanged = true;
    bool FCreating = true;
    bool FAdjusting = false;
    bool FLoading = false;
    Integer FDrawMode2 = 0;
    TCustomBitmap32* FBitmap;
    TShapeType FShapeType = shNone;
    Integer FStartX = 0, FStartY = 0;
    Integer FStartX0 = 0, FStartY0 = 0;
    Single FStartRate = 0;
    TRect FStartRect;
    TRect FRect;
    TFloatPoint FCenterPoint;
    TCursor FCurrentCursor = 0;
    Integer FCurrentCtrIndex = -1;
    bool FSelected = false;
    bool FFixed = false;
    bool FHided = false;
    TColor FColor = 0, FFillColor = 0;
    Integer FOpacity = 0;
    Integer FShadowMode = -1, FReflectMode = -1, FGradientMode = -1;
    Integer FOutWidth = 0;
    Single FAngle = 0;
    bool FIsOutline = false, FIsFill = false;
    Integer FPenStyle = 0;
    Integer FStyleId = 0;
    bool FAntialias = true;
    std::unique_ptr<TCustomBitmap32> FShadowBmp;
    Integer FShadowExtendLength = 0, FShadowOffsetAngleLeft = 0, FShadowOffsetAngleTop = 0;
    Integer FShadowOffsetZoomLeft = 0, FShadowOffsetZoomTop = 0;
    Integer FShadowAngle = 0, FShadowDistance = 0, FShadowZoomValue = 0, FShadowBlurSize = 0;
    TColor FShadowColor = 0;
    Integer FShadowOpacity = 0;
    bool FShadowInner = false;
    std::unique_ptr<TCustomBitmap32> FShadowReflectBmp, FReflectBmp;
    Integer FReflectExtendLength = 0;
    Integer FReflectDistance = 0, FReflectBlurSize = 0, FReflectOpacity = 0, FReflectHeight = 0;
    String FGradientColor, FGradientOpacity, FGradientPosition;
    Integer FGradientFillMode = 0, FGradientLinearAngle = 0;
    String FGradientTextureFileName;
    bool FGradientGammaCorrected = false;
    std::unique_ptr<TCustomBitmap32> FGradientEdgingBmp;
    Integer FGradientEdgingExtendLength = 0, FGradientEdgingWidth = 15, FGradientHatchMode = 0;
    TColor FGradientHatchForeColor = 0, FGradientHatchBackColor = 0;
    std::vector<TColor32> FGradientColors;
    std::vector<Single> FGradientPositions;
    std::unique_ptr<TCustomBitmap32> FPicture;
    TPoint FPictureOrigin;
    Integer FSelectMode = 0;
};
