#include "skin/model/SFSkinBody.h"

#include <cstdlib>
#include <cstring>

// A header asking for more pixels than MaxSkinPicturePixels is refused before
// anything is made: run-length data can claim a picture of hundreds of
// megabytes in a few bytes of a skin.
void TsfSkinPixelBudget::Claim(int64_t Pixels)
{
    if (Pixels > MaxSkinPixels - FClaimed)
        throw EInvalidGraphic(u"The skin's pictures hold more than " + IntToStr(MaxSkinPixels) + u" pixels");
    FClaimed += Pixels;
}

void ClaimSkinPicture(int64_t Width, int64_t Height, TsfSkinPixelBudget* Budget)
{
    const int64_t pixels = std::llabs(Width) * std::llabs(Height);
    if (pixels > MaxSkinPicturePixels) throw EInvalidGraphic(u"The skin picture is too large");
    if (Budget) Budget->Claim(pixels);
}

void ReadSkinPicture(TStream* Stream, TDibImage& Picture, TsfSkinPixelBudget* Budget)
{
    const Int64 at = Stream->Position();
    uint8_t head[26];
    if (Stream->Read(head, sizeof head) == sizeof head && head[0] == 'B' && head[1] == 'M') {
        uint32_t infoSize;
        std::memcpy(&infoSize, head + 14, 4);
        int64_t width, height;
        if (infoSize == 12) {  // the old core header: 16-bit sizes
            uint16_t w, h;
            std::memcpy(&w, head + 18, 2);
            std::memcpy(&h, head + 20, 2);
            width = w, height = h;
        } else {
            int32_t w, h;
            std::memcpy(&w, head + 18, 4);
            std::memcpy(&h, head + 22, 4);
            width = w, height = h;
        }
        ClaimSkinPicture(width, height, Budget);
    }
    Stream->SetPosition(at);
    ReadBmp(Stream, Picture);
}

bool SkinBodyHasPicture(Integer Version, TsfFixedPicture Picture)
{
    switch (Picture) {
        case fpInActivePicture: return Version == 2 || Version == 3;
        case fpRollUpPicture:
        case fpRollUpMask: return Version == 1 || Version == 2;
        default: return true;
    }
}

const char16_t* SkinPictureKey(TsfFixedPicture Picture)
{
    static const char16_t* const keys[FixedPictureCount] = {u"picture", u"inactivepicture", u"mask",
                                                            u"rolluppicture", u"rollupmask"};
    return keys[Picture];
}

void ReadSkinBody(TStream* Stream, TsfSkinBody& Body)
{
    Body.Version = Stream->ReadValue<int32_t>();
    if (Body.Version > MaxSkinBodyLayoutVersion)
        throw ESkinBodyError(u"Unsupported skin layout version " + IntToStr(Body.Version));
    TsfSkinPixelBudget budget;
    for (Integer i = 0; i < FixedPictureCount; ++i) {
        Body.Fixed[i] = TDibImage();
        if (!SkinBodyHasPicture(Body.Version, static_cast<TsfFixedPicture>(i))) continue;
        // Any flag but 0 means no picture.
        if (Stream->ReadValue<uint8_t>() == 0) ReadSkinPicture(Stream, Body.Fixed[i], &budget);
    }
    const int32_t count = Stream->ReadValue<int32_t>();
    Body.Pictures.clear();
    // No reserve: the count is the file's word; each picture must be there
    // before the next one is made, so a false count ends at the data's end.
    for (int32_t i = 0; i < count; ++i) ReadSkinPicture(Stream, Body.Pictures.emplace_back(), &budget);
    const Int64 rest = Stream->Size() - Stream->Position();
    Body.IniText.assign(static_cast<size_t>(rest > 0 ? rest : 0), '\0');
    if (rest > 0) Stream->ReadBuffer(Body.IniText.data(), static_cast<Integer>(rest));
}

void WriteSkinBody(TStream* Stream, const TsfSkinBody& Body)
{
    Stream->WriteValue<int32_t>(SkinBodyLayoutVersion);
    for (const TDibImage& picture : Body.Fixed) {
        Stream->WriteValue<uint8_t>(picture.Empty() ? 1 : 0);
        if (!picture.Empty()) WriteBmp(Stream, picture);
    }
    Stream->WriteValue<int32_t>(static_cast<int32_t>(Body.Pictures.size()));
    for (const TDibImage& picture : Body.Pictures) WriteBmp(Stream, picture);
    if (!Body.IniText.empty()) Stream->WriteBuffer(Body.IniText.data(), static_cast<Integer>(Body.IniText.size()));
}

RawByteString SkinIniTextBytes(const TStrings* Lines)
{
    TStringStream out;
    TStringList copy;
    copy.Assign(const_cast<TStrings*>(Lines));
    copy.SetLineBreak(u"\r\n");
    copy.SetWriteBOM(false);
    copy.SaveToStream(&out, TEncoding::Default());
    return out.Bytes();
}

void SkinIniTextLines(const RawByteString& Text, TStrings* Lines)
{
    TStringStream in{Text};
    Lines->LoadFromStream(&in, TEncoding::Default());
}
