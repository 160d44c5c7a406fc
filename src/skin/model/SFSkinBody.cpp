#include "skin/model/SFSkinBody.h"

bool SkinBodyHasPicture(Integer Version, TsfFixedPicture Picture)
{
    switch (Picture) {
        case fpInActivePicture: return Version == 2 || Version == 3;
        case fpRollUpPicture:
        case fpRollUpMask: return Version == 1 || Version == 2;
        default: return true;
    }
}

void ReadSkinBody(TStream* Stream, TsfSkinBody& Body)
{
    Body.Version = Stream->ReadValue<int32_t>();
    if (Body.Version > MaxSkinBodyLayoutVersion)
        throw ESkinBodyError(u"Unsupported skin layout version " + IntToStr(Body.Version));
    for (Integer i = 0; i < FixedPictureCount; ++i) {
        Body.Fixed[i] = TDibImage();
        if (!SkinBodyHasPicture(Body.Version, static_cast<TsfFixedPicture>(i))) continue;
        // Any flag but 0 means no picture.
        if (Stream->ReadValue<uint8_t>() == 0) ReadBmp(Stream, Body.Fixed[i]);
    }
    const int32_t count = Stream->ReadValue<int32_t>();
    Body.Pictures.clear();
    // No reserve: the count is the file's word; each picture must be there
    // before the next one is made, so a false count ends at the data's end.
    for (int32_t i = 0; i < count; ++i) ReadBmp(Stream, Body.Pictures.emplace_back());
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
