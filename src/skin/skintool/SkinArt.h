// The pictures of a skin, drawn by code: the window frame and its mask, and the
// picture list the descriptions point into (the controls' atlas, the caption
// buttons, the menu items, the popup and hint windows). Every piece is placed by a fixed shelf
// layout and recorded under a name, so the description refers to pieces by name
// and never by hand-counted coordinates.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "Raster.h"
#include "SkinThemes.h"
#include "framework/runtime/Types.h"

// The frame picture's geometry (pixels of the frame picture).
namespace SkinFrame {
constexpr int Width = 240, Height = 180;
constexpr int CaptionHeight = 30;
constexpr int Border = 4;                       // the sizing border: "borderwidth"
constexpr int CornerLeft = 40, CornerRight = 120;  // the caption's fixed end pieces
constexpr int ButtonsTop = 5, ButtonsRight = Width - 6;
constexpr int CaptionButtonW = 30, CaptionButtonH = 20, SysButtonW = 20;
}  // namespace SkinFrame

// The picture list, in index order; the masks of the pieces that have one
// follow the drawn pictures.
enum TSkinPicture { spControls, spCaptionButtons, spMenu, spPopup, spHint, spCount };

struct TSkinArt {
    Kit::TImage Frame;  // opaque
    Kit::TImage Mask;   // black inside the window, white outside
    std::vector<Kit::TImage> Pictures;               // by TSkinPicture, then the masks
    std::vector<std::u16string> PictureNames;        // the file names, in the same order
    std::map<std::string, std::pair<int, TRect>> Pieces;  // name -> picture, rectangle
    std::map<std::string, int> Masks;                // piece name -> its mask picture

    // The rectangle of a named piece (the tool stops on an unknown name).
    TRect Piece(const std::string& Name) const;
    int PictureOf(const std::string& Name) const;
    // The mask picture of a named piece: a whole picture of the piece's size,
    // black where the piece covers at least half a pixel; -1 when it covers
    // all of it.
    int MaskOf(const std::string& Name) const;
};

TSkinArt DrawSkinArt(const TSkinTheme& Theme);

