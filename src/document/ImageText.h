// ImageText: the text object (TImgText), a text laid out by the platform's
// text layout inside a frame: one of six plain frames for shText, one of the
// callout frames for shCallout. Portable: the frame paths, the layout
// rectangle, the drawing plan (smoothing, text rendering hint, brushes,
// letter fills) and the row columns; the painting through GDI+ is installed
// by win/ImageText_Win.
//
// Callouts share the class and differ in a few places only, each one call
// into their geometry (ImageCallout: frame path, layout rectangle, point
// handles, stored point text, hit test of the pointer).
#pragma once

#include <bitset>
#include <variant>

#include "document/ImageCallout.h"
#include "document/ImgShape.h"
#include "document/ImageEffects.h"

class TImgText;

// How the letters are filled when they are drawn as shapes.
enum class TLetterFill { None, Solid, Linear, Elliptic, Texture };

// What the painter draws, worked out from the object's fields by
// TImgText::BuildDrawing.
struct TTextDrawing {
    // The frame path (empty for an unknown style), with F as its bounds,
    // the object's turn and its smoothing.
    TClosedShapeDraw Frame;
    // Draw modes 1 to 3 paint the frame alone in the outline colour.
    bool FrameOnly = false;

    enum class TText { None, Shapes, CreatingFrame, String };
    TText Text = TText::None;
    // Layout rectangle (X, Y, W, H) and the string format.
    Single LayoutX = 0, LayoutY = 0, LayoutWidth = 0, LayoutHeight = 0;
    Integer FontStyle = 0;  // 1 bold, 2 italic, 4 underline
    // The font's em size in pixels, within 0 .. MaxTextDrawSize.
    Single EmSize = 0;
    Integer Alignment = 0, LineAlignment = 0;
    bool Vertical = false;
    // The text brush (ARGB): opaque in a frame, else at the object's opacity.
    TColor32 TextColor = 0;

    // Letters as shapes: their fill and outline.
    TLetterFill LetterFill = TLetterFill::None;
    Integer TextureIndex = -1;  // the texture cache's row
    bool StrokeLetters = false;
    Integer StrokeWidth = 1;  // at most MaxTextDrawSize
    TColor32 StrokeColor = 0;

    // The plain string: 4 anti-aliased, 3 anti-aliased and grid-fitted.
    Integer TextRenderingHint = 4;
};

// The largest font size and letter outline width drawn. A damaged row may
// hold any number; the platform's text layout overflows its stack on
// letters millions of pixels high, and no picture shows more than this.
constexpr Integer MaxTextDrawSize = 65536;

struct TImageTextHooks {
    // Paints Drawing onto Target. Unset: Draw paints nothing (the host build).
    void (*Paint)(TImgText& Shape, TCustomBitmap32& Target, const TTextDrawing& Drawing) = nullptr;
};
extern TImageTextHooks ImageTextHooks;

// The object-table columns of a text or callout row (the shared ones are the
// document's).
namespace TextCol {
constexpr Integer FontName = 40, FontSize = 41, FontColor = 42, FontBold = 43, FontItalic = 44, FontUnderline = 45,
                  Alignment = 46, Layout = 47, DirectionVertical = 48, FontStroke = 49, FontStrokeColor = 50,
                  PointsZone = 51, Points = 53, Text = 54, FontStrokeEmpty = 55, FontStrokeWidth = 56,
                  GradientMode = 59, GradientColor = 60, GradientOpacity = 61, GradientPosition = 62,
                  GradientFillMode = 63, GradientLinearAngle = 64, GradientEdgingWidth = 65,
                  GradientGammaCorrected = 66, GradientTextureFileName = 67;
}

class TImgText : public TImgShape {
public:
    TImgText(TShapeOwner* AOwner, Integer ShapeId, TCustomBitmap32* ABitmap);
    ~TImgText() override;
    String ClassName() const override { return u"TImgText"; }

    void Draw(TCustomBitmap32* ToBitmap) override;
    TRect PictureBounds() override;
    void DrawControlPoint(TCustomBitmap32* ToBitmap) override;
    bool PtInControl(Integer X, Integer Y) override;
    bool PtInShape(Integer X, Integer Y) override;
    void Click() override;
    void AdjustShape(Integer X1, Integer Y1, Integer X2, Integer Y2) override;
    void MoveShape(Integer X1, Integer Y1, Integer X2, Integer Y2) override;
    void OffsetShape(Integer DX, Integer DY) override;
    void InitPoints(bool IsDrawStyle) override;
    void CalcPoints(bool IsForceCalc) override;
    void CalcControlPoints() override;

    // The stored point text of the row ("x1.x2.y1.y2"); a plain text frame
    // has no points and stores "".
    String GetPoints() const override;
    void SetPoints(const String& S) override;
    // Documents of early versions kept a callout's points relative to the
    // frame's top-left corner: moves them to where they belong.
    void UpgradePoints() override;
    // How far a balloon's tip or a thought bubble's trail reaches out.
    Integer GetMaxLengthOfOutPoint() override;

    // The drawing plan of the object as it is now. Rebuilds the cached letter
    // blend while Changed2 is set, and takes a stroke width of 0 as 1 (the
    // object keeps the 1).
    TTextDrawing BuildDrawing();
    // The frame path of the style into Path (nothing for an unknown style).
    void BuildFramePath(TShapePath& Path) const;
    // The plain frames of shText: X, Y, W, H the frame rectangle.
    static void PlainFramePath(Integer Style, Integer X, Integer Y, Integer W, Integer H, TShapePath& Path);
    // The text layout rectangle (X, Y, W, H).
    void GetLayoutRect(Single& X, Single& Y, Single& W, Single& H) const;
    // The platform's text rendering hint for a font size: plain anti-aliased
    // (4) for the Chinese interface (language index 0) and below 18 pixels,
    // else grid-fitted anti-aliased (3). LanguageIndex -1: no document, the
    // size rule alone.
    static Integer TextRenderingHintFor(Integer LanguageIndex, Integer FontSize);

    // The font, text-gradient and stroke columns of a row (40 to 50, 55, 56,
    // 59 to 67; the texture name unescaped), and back.
    void ReadTextColumns(const TRow& Row);
    void WriteTextColumns(TRow& Row) const;

    const String& FontName() const { return FFontName; }
    void SetFontName(const String& Value) { FFontName = Value; }
    Integer FontSize() const { return FFontSize; }
    void SetFontSize(Integer Value) { FFontSize = Value; }
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor Value) { FFontColor = Value; }
    bool FontBold() const { return FFontBold; }
    void SetFontBold(bool Value) { FFontBold = Value; }
    bool FontItalic() const { return FFontItalic; }
    void SetFontItalic(bool Value) { FFontItalic = Value; }
    bool FontUnderline() const { return FFontUnderline; }
    void SetFontUnderline(bool Value) { FFontUnderline = Value; }
    bool FontStroke() const { return FFontStroke; }
    void SetFontStroke(bool Value) { FFontStroke = Value; }
    bool FontStrokeEmpty() const { return FFontStrokeEmpty; }
    void SetFontStrokeEmpty(bool Value) { FFontStrokeEmpty = Value; }
    Integer FontStrokeWidth() const { return FFontStrokeWidth; }
    void SetFontStrokeWidth(Integer Value) { FFontStrokeWidth = Value; }
    TColor FontStrokeColor() const { return FFontStrokeColor; }
    void SetFontStrokeColor(TColor Value) { FFontStrokeColor = Value; }
    bool DirectionVertical() const { return FDirectionVertical; }
    void SetDirectionVertical(bool Value) { FDirectionVertical = Value; }
    Integer Alignment() const { return FAlignment; }
    void SetAlignment(Integer Value) { FAlignment = Value; }
    Integer Layout() const { return FLayout; }
    void SetLayout(Integer Value) { FLayout = Value; }
    const String& Text() const { return FText; }
    void SetText(const String& Value) { FText = Value; }
    Integer TextGradientMode() const { return FTextGradientMode; }
    void SetTextGradientMode(Integer Value) { FTextGradientMode = Value; }
    const String& TextGradientColor() const { return FTextGradientColor; }
    void SetTextGradientColor(const String& Value) { FTextGradientColor = Value; }
    const String& TextGradientOpacity() const { return FTextGradientOpacity; }
    void SetTextGradientOpacity(const String& Value) { FTextGradientOpacity = Value; }
    const String& TextGradientPosition() const { return FTextGradientPosition; }
    void SetTextGradientPosition(const String& Value) { FTextGradientPosition = Value; }
    Integer TextGradientFillMode() const { return FTextGradientFillMode; }
    void SetTextGradientFillMode(Integer Value) { FTextGradientFillMode = Value; }
    Integer TextGradientLinearAngle() const { return FTextGradientLinearAngle; }
    void SetTextGradientLinearAngle(Integer Value) { FTextGradientLinearAngle = Value; }
    Integer TextGradientEdgingWidth() const { return FTextGradientEdgingWidth; }
    void SetTextGradientEdgingWidth(Integer Value) { FTextGradientEdgingWidth = Value; }
    const String& TextGradientTextureFileName() const { return FTextGradientTextureFileName; }
    void SetTextGradientTextureFileName(const String& Value) { FTextGradientTextureFileName = Value; }
    bool TextGradientGammaCorrected() const { return FTextGradientGammaCorrected; }
    void SetTextGradientGammaCorrected(bool Value) { FTextGradientGammaCorrected = Value; }
    Integer PointsZone() const { return FCallout.FPointsZone; }
    void SetPointsZone(Integer Value) { FCallout.FPointsZone = Value; }
    Integer PointsCount() const { return FCallout.FPointsCount; }
    // A callout's points (none for shText).
    const TCalloutPoints& Callout() const { return FCallout; }
    // The cached blend of the letters (ARGB colours and positions).
    const std::vector<TColor32>& TextGradientColors() const { return FTextGradientColors; }
    const std::vector<Single>& TextGradientPositions() const { return FTextGradientPositions; }

protected:
    // One object-table column of the text and its field.
    struct TTextColumn {
        Integer Column;
        std::variant<String TImgText::*, Integer TImgText::*, bool TImgText::*> Field;
        bool Escaped = false;
    };
    static const std::vector<TTextColumn>& TextColumns();

    String FFontName;
    Integer FFontSize = 0;
    TColor FFontColor = 0;
    bool FFontBold = false, FFontItalic = false, FFontUnderline = false;
    bool FFontStroke = false;
    bool FFontStrokeEmpty = false;
    Integer FFontStrokeWidth = 0;
    TColor FFontStrokeColor = 0;
    Integer FAlignment = 0;
    Integer FLayout = 0;
    bool FDirectionVertical = false;
    String FText;
    Integer FTextGradientMode = -1;
    String FTextGradientColor, FTextGradientOpacity, FTextGradientPosition;
    Integer FTextGradientFillMode = 0;
    Integer FTextGradientLinearAngle = 0;
    Integer FTextGradientEdgingWidth = 0;
    String FTextGradientTextureFileName;
    bool FTextGradientGammaCorrected = false;

    // ---- Callout points (none for shText) ----
    // The points of the callout frame as rates of the frame, in image and
    // view coordinates, their handles and the balloons' pointer zone. Its
    // FPointsA, FCtrPoints and FCtrRect are the point handles' own, apart
    // from the base's nine handles.
    TCalloutPoints FCallout;
    // Styles whose points are never stored.
    std::bitset<32> FNotSavePointsStyleIds;

    // The cached blend of the letter gradient (the frame's is the base's).
    std::vector<TColor32> FTextGradientColors;
    std::vector<Single> FTextGradientPositions;
};
