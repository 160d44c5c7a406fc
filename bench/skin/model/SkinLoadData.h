// The skin of the cold-load benchmarks (host and Windows): the built-in
// skin's make-up, built in memory and written as a ".skn" file.
#pragma once

#include "framework/runtime/SysUtils.h"
#include "skin/model/SFCompressedSkin.h"
#include "skin/model/SFSkinData.h"

namespace skinbench {


inline TDibImage Art(Integer W, Integer H, TPixelFormat Format, Integer Seed)
{
    TDibImage image;
    image.Allocate(W, H, Format);
    if (IsIndexedFormat(Format)) image.Palette = DefaultPalette(Format);
    // Gradients with some grain, as painted skin parts are.
    for (Integer y = 0; y < H; ++y) {
        uint8_t* row = image.ScanLine(y);
        for (Integer i = 0; i < image.Stride(); ++i)
            row[i] = static_cast<uint8_t>((i * 3 + y * 2 + Seed * 17) ^ ((i * y + Seed) % 7));
    }
    return image;
}

struct TSkinFile {
    String Name;
    RawByteString Compressed;
    Int64 BodySize = 0;
    RawByteString Body;

    TSkinFile()
    {
        TsfSkinData model(nullptr);
        model.FPicture = Art(285, 210, pf24bit, 1);
        model.FMask = Art(285, 210, pf8bit, 2);
        model.FPictureName = u"frame.bmp";
        model.FMaskName = u"mask.bmp";
        const TPixelFormat depths[] = {pf32bit, pf24bit, pf8bit, pf4bit, pf1bit};
        for (Integer i = 0; i < 19; ++i) {
            const TPixelFormat f = depths[i % 5];
            const Integer w = f == pf32bit ? 220 : f == pf24bit ? 250 : 300;
            model.FActivePictures.push_back(Art(w, 240, f, i));
            model.FActivePicturesNames->Add(u"p" + IntToStr(i) + u".bmp");
        }
        const char16_t* objects[] = {u"stdbutton", u"stdbutton", u"stdbutton", u"stdbutton", u"caption",
                                     u"menuitem",  u"mainmenubaritem", u"mainmenubarbutton", u"mainmenubarbutton",
                                     u"mainmenubarbutton", u"mainmenubarbutton"};
        for (Integer i = 0; i < 11; ++i)
            model.ObjectList.push_back(CreateSkinObjectData(objects[i], u"obj" + IntToStr(i)));
        const char16_t* controls[] = {u"button", u"edit", u"listbox", u"scrollbar", u"panel", u"tab",
                                      u"combobox", u"checkradio", u"gauge", u"trackbar"};
        for (Integer i = 0; i < 90; ++i)
            model.CtrlList.push_back(CreateSkinControlData(controls[i % 10], u"ctrl" + IntToStr(i)));
        TMemoryStream body;
        WriteSkinBody(&body, model.MakeBody());
        BodySize = body.Size();
        Body.assign(static_cast<const char*>(body.Memory()), static_cast<size_t>(body.Size()));
        Name = GetTempDirectory() + u"lm_bench_skin.skn";
        model.SaveToCompressedFile(Name);
        TMemoryStream file;
        file.LoadFromFile(Name);
        Compressed.assign(static_cast<const char*>(file.Memory()) + 8, static_cast<size_t>(file.Size() - 8));
    }
};

}  // namespace skinbench
