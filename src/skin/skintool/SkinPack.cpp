#include "SkinPack.h"

#include "PictureFiles.h"
#include "framework/graphics/BmpFormat.h"
#include "framework/runtime/ZLibStreams.h"
#include "skin/model/SFIniCodecs.h"

namespace {

// The mask as an 8-bit grey picture (black inside the window).
TBytes EncodeMask(const Kit::TImage& Mask)
{
    TDibImage Dib;
    Dib.Allocate(Mask.Width(), Mask.Height(), pf8bit);
    for (uint32_t g = 0; g < 256; ++g) Dib.Palette.push_back(g << 16 | g << 8 | g);
    for (int y = 0; y < Mask.Height(); ++y)
        for (int x = 0; x < Mask.Width(); ++x) Dib.ScanLine(y)[x] = uint8_t(Mask.Get(x, y).R * 255.0f + 0.5f);
    TMemoryStream S;
    WriteBmp(&S, Dib);
    const auto* P = static_cast<const uint8_t*>(S.Memory());
    return TBytes(P, P + S.Size());
}

TBytes ReadBytes(const String& FileName)
{
    TMemoryStream S;
    S.LoadFromFile(FileName);
    const auto* P = static_cast<const uint8_t*>(S.Memory());
    return TBytes(P, P + S.Size());
}

// A picture file as it goes into the body: whole, after checking that it is a
// BMP whose header covers exactly the file.
TBytes PictureFile(const String& FileName)
{
    TBytes B = ReadBytes(FileName);
    TMemoryStream S;
    S.WriteBuffer(B.data(), Integer(B.size()));
    S.SetPosition(0);
    TDibImage Dib;
    ReadBmp(&S, Dib);
    if (S.Position() != S.Size()) throw Exception(FileName + u": the BMP header does not cover the file");
    return B;
}

}  // namespace

void WriteBytes(const String& FileName, const TBytes& Bytes)
{
    SaveFileAtomically(FileName, [&](TStream* S) {
        if (!Bytes.empty()) S->WriteBuffer(Bytes.data(), Integer(Bytes.size()));
    });
}

void WriteSkinFolder(const String& Folder, const TSkinArt& Art, const TMemIniFile& Ini)
{
    WriteBytes(Folder + u"frame.bmp", Files::EncodeBmp24(Art.Frame));
    WriteBytes(Folder + u"mask.bmp", EncodeMask(Art.Mask));
    for (int i = 0; i < spCount; ++i) WriteBytes(Folder + SkinPictureNames[i], Files::EncodeBmp24(Art.Pictures[i]));
    TStringList Lines;
    Ini.GetStrings(&Lines);
    const AnsiString Text = StringToAnsi(Lines.Text(), 1252);
    WriteBytes(Folder + u"skin.ini", TBytes(Text.begin(), Text.end()));
}

TBytes PackSkinFolder(const String& IniFileName)
{
    const String Folder = ExtractFilePath(IniFileName);
    const TBytes Text = ReadBytes(IniFileName);
    TMemIniFile Ini(IniFileName);
    if (!IsSkinIniFile(&Ini)) throw Exception(IniFileName + u": not a skin description");

    TMemoryStream Body;
    Body.WriteValue<int32_t>(2);
    for (const char16_t* Key : {u"picture", u"inactivepicture", u"mask", u"rolluppicture", u"rollupmask"}) {
        const String Name = Ini.ReadString(u"PICTURES", Key, u"");
        if (Name.empty()) {
            Body.WriteValue<uint8_t>(1);
            continue;
        }
        Body.WriteValue<uint8_t>(0);
        const TBytes B = PictureFile(Folder + Name);
        Body.WriteBuffer(B.data(), Integer(B.size()));
    }
    TStringList Names;
    ReadIndexedList(&Ini, u"PICTURES", u"activepictures", &Names);
    Body.WriteValue<int32_t>(Names.Count());
    for (Integer i = 0; i < Names.Count(); ++i) {
        const TBytes B = PictureFile(Folder + Names[i]);
        Body.WriteBuffer(B.data(), Integer(B.size()));
    }
    Body.WriteBuffer(Text.data(), Integer(Text.size()));

    TMemoryStream Compressed;
    ZCompressStream(&Body, &Compressed);
    TMemoryStream Skn;
    Skn.WriteValue<int32_t>(2);
    Skn.WriteValue<int32_t>(Integer(Compressed.Size()));
    Skn.WriteBuffer(Compressed.Memory(), Integer(Compressed.Size()));
    const auto* P = static_cast<const uint8_t*>(Skn.Memory());
    return TBytes(P, P + Skn.Size());
}
