// Small skins made by the tests: pictures of every bit depth, bodies of any
// layout version, and ".skn" bytes with a chosen header.
#pragma once

#include <gtest/gtest.h>
#include <zlib.h>

#include "framework/runtime/SysUtils.h"
#include "skin/model/SFSkinBody.h"

namespace skintest {

// A W x H picture whose pixels depend on Seed, in Format.
inline TDibImage Picture(Integer W, Integer H, TPixelFormat Format, Integer Seed)
{
    TDibImage image;
    image.Allocate(W, H, Format);
    if (IsIndexedFormat(Format)) image.Palette = DefaultPalette(Format);
    for (size_t i = 0; i < image.Bits.size(); ++i) image.Bits[i] = static_cast<uint8_t>(i * 7 + Seed * 31);
    // Padding bytes at the end of each row are not part of the picture.
    const Integer used = (W * PixelFormatBits(Format) + 7) / 8;
    for (Integer y = 0; y < H; ++y)
        std::fill(image.ScanLine(y) + used, image.ScanLine(y) + image.Stride(), uint8_t(0));
    return image;
}

inline void ExpectSamePicture(const TDibImage& A, const TDibImage& B, const char* What)
{
    EXPECT_EQ(A.Width, B.Width) << What;
    EXPECT_EQ(A.Height, B.Height) << What;
    EXPECT_EQ(A.PixelFormat, B.PixelFormat) << What;
    EXPECT_TRUE(A.Bits == B.Bits) << What;
}

inline RawByteString Bytes(TMemoryStream& S) { return RawByteString(static_cast<const char*>(S.Memory()), S.Size()); }

// A body written by hand for any layout version: Present[i] says whether
// fixed picture i is stored (only the slots the version carries are written).
inline RawByteString BodyBytes(Integer Version, const bool (&Present)[FixedPictureCount], Integer ListCount,
                               const RawByteString& Ini)
{
    TMemoryStream s;
    s.WriteValue<int32_t>(Version);
    for (Integer i = 0; i < FixedPictureCount; ++i) {
        if (!SkinBodyHasPicture(Version, static_cast<TsfFixedPicture>(i))) continue;
        s.WriteValue<uint8_t>(Present[i] ? 0 : 1);
        if (Present[i]) WriteBmp(&s, Picture(3 + i, 2, pf24bit, i));
    }
    s.WriteValue<int32_t>(ListCount);
    for (Integer i = 0; i < ListCount; ++i) WriteBmp(&s, Picture(4, 4, pf8bit, 10 + i));
    s.WriteBuffer(Ini.data(), static_cast<Integer>(Ini.size()));
    return Bytes(s);
}

// zlib itself at level 9, as the writers compress (the container's colour
// constants and the stream unit's level names cannot meet in one unit).
inline RawByteString Compress(const RawByteString& Plain)
{
    uLongf size = compressBound(static_cast<uLong>(Plain.size()));
    RawByteString out(size, '\0');
    EXPECT_EQ(compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(Plain.data()),
                        static_cast<uLong>(Plain.size()), 9),
              Z_OK);
    out.resize(size);
    return out;
}

// A ".skn" file's bytes: version, count, then the data.
inline RawByteString Container(int32_t Version, int32_t Count, const RawByteString& Data)
{
    TMemoryStream s;
    s.WriteValue(Version);
    s.WriteValue(Count);
    s.WriteBuffer(Data.data(), static_cast<Integer>(Data.size()));
    return Bytes(s);
}

inline void WriteFile(const String& Name, const RawByteString& Data)
{
    TFileStream f(Name, fmCreate);
    f.WriteBuffer(Data.data(), static_cast<Integer>(Data.size()));
}

inline String TempName(const String& Stem)
{
    return GetTempDirectory() + u"lm_skin_" + Stem + u"_" + IntToStr(Random(100000000));
}

}  // namespace skintest
