// SFMessages: the window messages that the skin model, the skinned controls,
// the skinned menus and the skinned frame send one another, each declared once
// with a name. The framework's own notifications (CM_MOUSEENTER,
// CM_CANCELMODE ...) are in framework/controls/win/Messages.h; the system
// commands (SC_KEYMENU, SC_RESTORE ...) are the platform's. Portable.
#pragma once

#include "framework/runtime/Types.h"

// Skin changes, broadcast to the forms: wParam is the model, lParam
// SkinDataMessageLParam.
constexpr Integer WM_BEFORECHANGESKINDATA = 1225;  // the old skin is about to go
constexpr Integer WM_AFTERCHANGESKINDATA = 1226;   // the new skin is in place
constexpr Integer WM_CHANGESKINDATAFINISHED = 1227;
constexpr Integer SkinDataMessageLParam = 1000;

// Skinned menus: a menu closed (to its form, and to the control that opened
// it: sent to a windowed control's window, performed on a windowless one);
// a command chosen in it has run (to the opener, delivered alike).
constexpr Integer WM_SKINMENUCLOSE = 1228;    // 0x4CC
constexpr Integer WM_SKINMENUCOMMAND = 1229;  // 0x4CD

// Between the components of a multiple-document parent and its children.
constexpr Integer WM_MDICHILDFITPARENT = 1230;     // a maximised child takes its parent's client area
constexpr Integer WM_MDICHILDMAXIMIZED = 1231;     // to the parent: a child was maximised
constexpr Integer WM_MDICHILDRESTORED = 1232;      // to the parent: a child was restored
constexpr Integer WM_MDICHILDMOVED = 1233;         // to the parent: wParam the child moved (0: any)
constexpr Integer WM_MDIRESTOREALL = 1234;         // to the parent: restore every child
constexpr Integer WM_MDIRESTOREOTHERS = 1235;      // to the parent: restore all but wParam's child
constexpr Integer WM_MDIISCHILDMAXIMIZED = 1236;   // to the parent: answers 1 with a maximised child

constexpr Integer WM_CHANGERESSTRDATA = 1274;  // the interface strings were replaced

// To a control: what lies behind it changed (moved, resized, repainted); a
// blending control repaints and passes it on to its children. wParam 0, lParam 0.
constexpr Integer WM_PARENTBGCHANGED = 1284;  // 0x504

constexpr Integer WM_CHANGESKINNABLEFORM = 1294;

// Posted by a button to itself: show or hide its glow layer after the
// current message.
constexpr Integer WM_SHOWBUTTONGLOW = 1424;  // 0x590
constexpr Integer WM_HIDEBUTTONGLOW = 1425;  // 0x591
// Posted to the main form by the tray icon on restore (the form's Tag is -10000).
constexpr Integer WM_RESTOREFROMTRAY = 1426;  // 0x592
constexpr Integer WM_SHOWLAYEREDBORDERS = 1427;
constexpr Integer WM_AEROBLURENABLED = 1428;

// Live colour messages to a main window: the images menu's hovered item
// (wParam its colour, lParam its index), the colour dialog's view after a
// change (wParam the colour).
constexpr Integer WM_IMAGESMENUHOVER = 0x40B;   // 1035
constexpr Integer WM_COLORVIEWCHANGED = 0x40C;  // 1036

// Questions other windows may ask a skinned form, and the answers.
constexpr Integer WM_SKINFORMQUERY = 0xB1B2;          // answers one of the two below
constexpr Integer SkinFormQuerySkinned = 12853;        // skinnable (or a system before 6)
constexpr Integer SkinFormQueryNotSkinned = 12852;
constexpr Integer WM_SMARTEFFECTSSHOW = 0xB1B3;       // a show effect is about to run
constexpr Integer WM_SMARTEFFECTSDONE = 0xB1B4;       // ... it ran: show the layered border
constexpr Integer WM_PAINTFRAMEINTO = 0xB1C9;         // wParam a DC: paint the frame into it
constexpr Integer PaintFrameIntoAnswer = 12851;
constexpr Integer WM_PAINTBACKGROUNDINTO = 0xBC4A;    // wParam a DC, lParam PaintIntoKey
constexpr Integer WM_PAINTFRAMEINTO2 = 0xBC4B;        // as WM_PAINTFRAMEINTO, lParam PaintIntoKey
constexpr Integer PaintIntoKey = 16802;                // lParam asked and answer given
