// UITypes: the mouse buttons, shift states, cursor numbers and mouse events
// that the controls share with portable code which takes part in mouse
// handling without a window of its own (the layers of the image controls), and
// the colour, font-style and alignment values that portable descriptions of a
// look (the skin's) hand to the drawing side. Portable; Controls and Graphics
// include it.
#pragma once

#include "framework/runtime/Classes.h"

enum TMouseButton { mbLeft, mbRight, mbMiddle };

using TShiftState = Word;
constexpr TShiftState ssShift = 1 << 0;
constexpr TShiftState ssAlt = 1 << 1;
constexpr TShiftState ssCtrl = 1 << 2;
constexpr TShiftState ssLeft = 1 << 3;
constexpr TShiftState ssRight = 1 << 4;
constexpr TShiftState ssMiddle = 1 << 5;
constexpr TShiftState ssDouble = 1 << 6;

// Cursors: the numbers of Screen.Cursors. The negative ones are the system's;
// a program registers its own under positive numbers.
using TCursor = SmallInt;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSize = -5;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;    // a drag over a control that accepts the drop
constexpr TCursor crNoDrop = -13;  // a drag over one that does not
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

using TMouseEvent = TEvent<TObject* /*Sender*/, TMouseButton, TShiftState, Integer /*X*/, Integer /*Y*/>;
using TMouseMoveEvent = TEvent<TObject* /*Sender*/, TShiftState, Integer /*X*/, Integer /*Y*/>;

// A TColor is 0x00BBGGRR; a negative value 0xFF0000nn names system colour nn.
// The named colours are in Graphics.
using TColor = Integer;

// Small sets are bit masks: bit n stands for the enumeration value n.
using TFontStyles = Byte;
constexpr TFontStyles fsBold = 1 << 0;
constexpr TFontStyles fsItalic = 1 << 1;
constexpr TFontStyles fsUnderline = 1 << 2;
constexpr TFontStyles fsStrikeOut = 1 << 3;

enum TAlignment : Byte { taLeftJustify, taRightJustify, taCenter };
