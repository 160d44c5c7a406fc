// MainLayoutTable: the main window's parts as a table: each panel, view and
// strip with its parent, its kind, where it docks and its designed size. The
// window side (win/MainLayout) makes the controls from it in table order, so
// a parent always comes before its children and, among the parts docked to
// one side, the first listed lies outermost.
#pragma once

#include <vector>

#include "framework/runtime/System.h"

enum class TMainPartKind : Byte {
    Panel,      // a skinned panel
    ScrollBox,  // a skinned scroll box
    ImageView,  // the canvas view
    Label,      // a plain label
    MsgText,    // the message ticker
    LinkLabel,  // the program's own label that can be a web link
    Bevel,      // a skinned bevel
};

enum class TMainPartAlign : Byte { None, Top, Bottom, Left, Right, Client };

struct TMainPart {
    const char16_t* Name;
    const char16_t* Parent;  // nullptr: the form
    TMainPartKind Kind;
    TMainPartAlign Align;
    Integer Left, Top, Width, Height;
    bool Visible;
};

// Sizes the other parts of the window rely on.
namespace MainLayoutSize {
constexpr Integer FormWidth = 1180, FormHeight = 760;
constexpr Integer PropHeight = 93;        // the top bar: the style strip's one-row height
constexpr Integer LeftWidth = 64;         // the tool buttons
constexpr Integer RightWidth = 230;       // the preset panel
constexpr Integer ShowRightWidth = 24;    // the button that shows or hides the right panel
constexpr Integer ShowRightNarrow = 18;   // ... on a screen at most 1280 pixels wide
constexpr Integer NarrowScreen = 1280;
constexpr Integer StatusHeight = 24;
constexpr Integer OpenFileHeight = 72;    // the open-documents strip, collapsed
constexpr Integer RulerSize = 17;
constexpr Integer StyleWidth = 53, StyleHeight = 62;  // a style image
constexpr Integer StylePitchX = 67, StylePitchY = 78;
constexpr Integer StyleMaxColumns = 6;
constexpr Integer StyleButtonsWidth = 24;  // pnlStyleC
constexpr Integer MsgLabelWidth = 240;     // lblMsg1
}  // namespace MainLayoutSize

// The parts in creation order.
const std::vector<TMainPart>& MainLayoutParts();
// The part of that name, or nullptr.
const TMainPart* FindMainPart(const String& Name);
