// The frame-object test skin, tests/data/skin/FrameObjects.skn, made by the
// skin tool (src/skin/skintool/TestSkins.cpp; "MakeSkins OUT WORK FrameObjects"
// writes it again): the built-in skin with one more picture of solid colour
// pieces and a description of every kind of frame object a skin can place on
// a form (track bar, switch, gauge, frame gauge, frame regulator, animation,
// label, bit label, caption main-menu item), put before the skin's own
// objects so that they win the hit tests. The skin's caption buttons are left
// out, so that nothing covers the objects; the caption moves to the upper
// right corner, clear of them, and the lower right half of the caption strip
// holds the caption main menu. The pieces are plain colours so that a test
// can tell each look from the pixels; their colours and places are below.
#pragma once

#include "SkinControlTestEnv.h"
#include "skin/model/SFObjectData.h"

#include <cstdlib>
#include <string>

namespace frameobjects {

// Colours of the pieces (0x00BBGGRR).
constexpr TColor TrackFill = 0x0000C0, Thumb = 0xC00000, ThumbDrag = 0x00C000, ThumbKey = 0xFF00FF;
constexpr TColor GaugeFill = 0x0080FF, SwitchOn = 0x00E0E0, LabelHot = 0x404040;
constexpr TColor FrameGaugeFrames[5] = {0x100000, 0x200000, 0x300000, 0x400000, 0x500000};
constexpr TColor RegulatorFrames[4] = {0x001000, 0x002000, 0x003000, 0x004000};
constexpr TColor AnimateFrames[3] = {0x000011, 0x000022, 0x000033};
constexpr TColor AnimateDown = 0x000044;
// Bit-label cells: row 0 holds "012", row 1 "345"; cell k is BitCells[k].
constexpr TColor BitCells[6] = {0x606000, 0x707000, 0x808000, 0x909000, 0xA0A000, 0xB0B000};
constexpr TColor MenuItemNormal = 0xE0E0E0, MenuItemHot = 0xF0C080, MenuItemDown = 0xA06020;

struct TObjectsTestSkin {
    std::unique_ptr<TsfSkinData> SD;
    Integer Picture = -1;
};

// The picture of the pieces (200 x 60, the last of the skin's list):
//   track fill (0, 0, 60, 12), thumb (60, 0, 68, 8) with its keyed top-left
//   2 x 2, dragged thumb (68, 0, 76, 8); gauge fill (0, 12, 60, 20); frame
//   gauge frames 10 x 10 from (0, 20); regulator frames 16 x 16 from (0, 30);
//   switch on (80, 0, 96, 10); animation frames 12 x 12 from (100, 0), pressed
//   (136, 0, 148, 12); label hot (80, 12, 140, 32); bit-label cells 6 x 8 from
//   (150, 0); main-menu item normal, hot and down 30 x 14 from (0, 46).
// The objects on the frame: switch (6, 4, 22, 14), animation (24, 4, 36, 16),
// frame gauge (6, 16, 16, 26), bit label (18, 18, 38, 26), track (42, 4, 102,
// 16) from (6, 6) to (54, 6) over 0..96, gauge (42, 18, 102, 26) over 0..100,
// regulator (102, 4, 118, 20) round over 0..100 in 4 frames, label (124, 2,
// 184, 14) "Lbl" named "textlabel" (a control of the skin is "label"); the caption main menu in (120, 16, 236, 30).
inline TObjectsTestSkin MakeObjectsTestSkin()
{
    TObjectsTestSkin S;
    S.SD = std::make_unique<TsfSkinData>(nullptr);
    const char* Root = std::getenv("LM_TEST_DATA");
    const String File = UTF8ToString(std::string(Root ? Root : "tests/data") + "/skin/FrameObjects.skn");
    EXPECT_TRUE(S.SD->LoadFromCompressedFile(File)) << "cannot load " << UTF8Encode(File) << ": "
                                                     << UTF8Encode(S.SD->LoadError());
    S.Picture = Integer(S.SD->FActivePictures.size()) - 1;
    return S;
}

}  // namespace frameobjects
