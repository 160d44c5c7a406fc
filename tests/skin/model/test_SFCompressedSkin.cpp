// The skin body layouts, the ".skn" container and the stored skin, the skin
// list: what a reader accepts and refuses, and that writers and readers agree.
#include <gtest/gtest.h>

#include "SkinTestData.h"
#include "skin/model/SFCompressedSkin.h"

using namespace skintest;

namespace {

TEST(SkinBody, LayoutVersionsCarryTheirPictures)
{
    const bool all[FixedPictureCount] = {true, true, true, true, true};
    struct Case {
        Integer Version;
        bool Expected[FixedPictureCount];  // picture, inactive, mask, roll-up, roll-up mask
    };
    const Case cases[] = {
        {0, {true, false, true, false, false}},  {1, {true, false, true, true, true}},
        {2, {true, true, true, true, true}},     {3, {true, true, true, false, false}},
        {-1, {true, false, true, false, false}},
    };
    for (const Case& c : cases) {
        TMemoryStream s;
        const RawByteString bytes = BodyBytes(c.Version, all, 2, "[VERSION]\r\nskinname=x\r\n");
        s.WriteBuffer(bytes.data(), static_cast<Integer>(bytes.size()));
        s.SetPosition(0);
        TsfSkinBody body;
        ReadSkinBody(&s, body);
        for (Integer i = 0; i < FixedPictureCount; ++i)
            EXPECT_EQ(!body.Fixed[i].Empty(), c.Expected[i]) << "version " << c.Version << " slot " << i;
        if (c.Expected[fpMask]) ExpectSamePicture(body.Fixed[fpMask], Picture(3 + fpMask, 2, pf24bit, fpMask), "mask");
        ASSERT_EQ(body.Pictures.size(), 2u);
        ExpectSamePicture(body.Pictures[1], Picture(4, 4, pf8bit, 11), "list");
        EXPECT_EQ(body.IniText, "[VERSION]\r\nskinname=x\r\n");
    }
}

TEST(SkinBody, AnyNonZeroFlagIsAnEmptyPicture)
{
    TMemoryStream s;
    s.WriteValue<int32_t>(0);
    s.WriteValue<uint8_t>(7);  // picture: none
    s.WriteValue<uint8_t>(0);  // mask follows
    WriteBmp(&s, Picture(2, 2, pf1bit, 1));
    s.WriteValue<int32_t>(0);
    s.SetPosition(0);
    TsfSkinBody body;
    ReadSkinBody(&s, body);
    EXPECT_TRUE(body.Fixed[fpPicture].Empty());
    ExpectSamePicture(body.Fixed[fpMask], Picture(2, 2, pf1bit, 1), "mask");
    EXPECT_TRUE(body.IniText.empty());
}

TEST(SkinBody, WriterEmitsVersionTwoAndReadsBackEveryDepth)
{
    TsfSkinBody body;
    body.Version = 3;  // ignored by the writer
    body.Fixed[fpPicture] = Picture(285, 21, pf24bit, 1);
    body.Fixed[fpMask] = Picture(285, 21, pf8bit, 2);
    body.Fixed[fpRollUpMask] = Picture(9, 3, pf1bit, 3);
    const TPixelFormat depths[] = {pf1bit, pf4bit, pf8bit, pf24bit, pf32bit};
    for (Integer i = 0; i < 5; ++i) body.Pictures.push_back(Picture(13 + i, 5, depths[i], 20 + i));
    body.IniText = "[VERSION]\r\nver=2\r\n";
    TMemoryStream s;
    WriteSkinBody(&s, body);
    const auto* b = static_cast<const uint8_t*>(s.Memory());
    EXPECT_EQ(b[0], 2);
    EXPECT_EQ(b[4], 0);  // picture follows
    s.SetPosition(0);
    TsfSkinBody back;
    ReadSkinBody(&s, back);
    EXPECT_EQ(back.Version, 2);
    for (Integer i = 0; i < FixedPictureCount; ++i) ExpectSamePicture(back.Fixed[i], body.Fixed[i], "fixed");
    ASSERT_EQ(back.Pictures.size(), body.Pictures.size());
    for (size_t i = 0; i < body.Pictures.size(); ++i) ExpectSamePicture(back.Pictures[i], body.Pictures[i], "list");
    EXPECT_EQ(back.IniText, body.IniText);
}

TEST(SkinBody, RefusesWhatItCannotRead)
{
    const bool all[FixedPictureCount] = {true, true, true, true, true};
    const RawByteString good = BodyBytes(2, all, 1, "");
    struct Case {
        const char* Name;
        RawByteString Bytes;
    };
    RawByteString version4 = good;
    version4[0] = 4;
    RawByteString hugeCount = BodyBytes(0, all, 0, "");
    const size_t countAt = hugeCount.size() - 4;
    hugeCount.replace(countAt, 4, RawByteString("\xFF\xFF\xFF\x7F", 4));
    RawByteString huge = good;  // the frame picture claims 5000 x 5000 pixels
    const int32_t side = 5000;
    huge.replace(5 + 18, 4, RawByteString(reinterpret_cast<const char*>(&side), 4));
    huge.replace(5 + 22, 4, RawByteString(reinterpret_cast<const char*>(&side), 4));
    const Case cases[] = {
        {"layout version 4", version4},
        {"a picture larger than a skin holds", huge},
        {"cut inside a picture", good.substr(0, 40)},
        {"cut before the count", good.substr(0, 3)},
        {"a list count of two billion", hugeCount},
    };
    for (const Case& c : cases) {
        TMemoryStream s;
        s.WriteBuffer(c.Bytes.data(), static_cast<Integer>(c.Bytes.size()));
        s.SetPosition(0);
        TsfSkinBody body;
        EXPECT_THROW(ReadSkinBody(&s, body), Exception) << c.Name;
    }
}

// ---------------------------------------------------------------------------
TEST(StoredSkin, ContainerHeadersAcceptedAndRefused)
{
    const bool all[FixedPictureCount] = {true, false, true, false, false};
    const RawByteString z = Compress(BodyBytes(2, all, 0, "[VERSION]\r\n"));
    const auto c = static_cast<int32_t>(z.size());
    struct Case {
        const char* Name;
        RawByteString File;
        bool Raises;
        size_t StoredSize;
        const char16_t* Message = u"";  // what a refused file reports
    };
    const Case cases[] = {
        {"version 2", Container(2, c, z), false, z.size()},
        {"version 3", Container(3, c, z), false, z.size()},
        {"version 4: empty, no error", Container(4, c, z), false, 0},
        {"count 0", Container(2, 0, z), true, 0, u"The skin file holds no compressed skin (its byte count is 0)"},
        {"negative count", Container(2, -8, z), true, 0, u"The skin file holds no compressed skin (its byte count is -8)"},
        {"count past the end", Container(2, c + 1, z), true, 0, u"Stream read error"},
        {"no count", RawByteString("\2\0\0\0", 4), true, 0, u"Stream read error"},
    };
    for (const Case& k : cases) {
        TsfCompressedStoredSkin skin(nullptr);
        TMemoryStream old;
        old.WriteBuffer("x", 1);
        skin.ReadCompressedData(&old);  // loading clears what was there
        TMemoryStream s;
        s.WriteBuffer(k.File.data(), static_cast<Integer>(k.File.size()));
        s.SetPosition(5);  // read from position 0 whatever the position
        if (k.Raises) {
            try {
                skin.LoadFromCompressStream(&s);
                ADD_FAILURE() << k.Name << ": no error";
            } catch (const EReadError& E) {
                EXPECT_EQ(E.Message(), k.Message) << k.Name;
            }
        } else
            EXPECT_NO_THROW(skin.LoadFromCompressStream(&s)) << k.Name;
        EXPECT_EQ(skin.CompressedStream()->Size(), static_cast<Int64>(k.StoredSize)) << k.Name;
    }
}

TEST(StoredSkin, FileAndFormDataRoundTrips)
{
    const bool all[FixedPictureCount] = {true, false, true, false, false};
    const RawByteString plain = BodyBytes(2, all, 3, "[VERSION]\r\nskinname=Rire\r\n");
    const RawByteString z = Compress(plain);
    EXPECT_EQ(static_cast<uint8_t>(z[0]), 0x78);
    EXPECT_EQ(static_cast<uint8_t>(z[1]), 0xDA);  // highest level

    const String name = TempName(u"rt") + u".skn";
    WriteFile(name, Container(3, static_cast<int32_t>(z.size()), z));
    TsfCompressedStoredSkin skin(nullptr);
    skin.LoadFromCompressFile(name);
    const String saved = name + u".out";
    skin.SaveToCompressFile(saved);
    TMemoryStream back;
    back.LoadFromFile(saved);
    EXPECT_EQ(Bytes(back), Container(2, static_cast<int32_t>(z.size()), z));  // written as version 2
    DeleteFile(name);
    DeleteFile(saved);

    TMemoryStream body;
    body.WriteBuffer("pre", 3);
    skin.DeCompressToStream(&body);  // appends
    EXPECT_EQ(Bytes(body), "pre" + plain);

    TMemoryStream data;
    skin.WriteCompressedData(&data);
    EXPECT_EQ(Bytes(data), z);
    data.SetPosition(0);
    TsfCompressedStoredSkin copy(nullptr);
    copy.ReadCompressedData(&data);
    EXPECT_EQ(Bytes(*copy.CompressedStream()), z);

    // An empty property after other data stays empty.
    data.SetPosition(data.Size());
    copy.ReadCompressedData(&data);
    EXPECT_TRUE(copy.Empty());

    TsfCompressedStoredSkin empty(nullptr);
    TMemoryStream none;
    empty.WriteCompressedData(&none);
    EXPECT_EQ(none.Size(), 0);
    empty.SaveToCompressStream(&none);
    EXPECT_EQ(Bytes(none), Container(2, 0, ""));
    const String notWritten = TempName(u"empty") + u".skn";
    empty.SaveToCompressFile(notWritten);
    EXPECT_FALSE(FileExists(notWritten));
}

TEST(StoredSkin, MissingFileRaisesAndLeavesItEmpty)
{
    TsfCompressedStoredSkin skin(nullptr);
    TMemoryStream old;
    old.WriteBuffer("x", 1);
    skin.ReadCompressedData(&old);
    EXPECT_THROW(skin.LoadFromCompressFile(TempName(u"missing") + u".skn"), EFOpenError);
    EXPECT_TRUE(skin.Empty());
}

// Bytes after the end of the zlib stream inside the count: decompression
// stops at the stream's end and ignores them.
TEST(StoredSkin, BytesBehindTheZlibStreamAreIgnored)
{
    const bool all[FixedPictureCount] = {true, false, true, false, false};
    const RawByteString plain = BodyBytes(2, all, 0, "[VERSION]\r\n");
    const RawByteString z = Compress(plain) + RawByteString(10000, 'Z');
    const RawByteString file = Container(2, static_cast<int32_t>(z.size()), z);
    TMemoryStream s;
    s.WriteBuffer(file.data(), static_cast<Integer>(file.size()));
    TsfCompressedStoredSkin skin(nullptr);
    skin.LoadFromCompressStream(&s);
    TMemoryStream body;
    skin.DeCompressToStream(&body);
    EXPECT_EQ(Bytes(body), plain);
}

TEST(SkinList, ItemsAreNamedByIndexAndCopied)
{
    TsfCompressedSkinList list(nullptr);
    for (Integer i = 0; i < 3; ++i) list.Skins()->Add();
    EXPECT_EQ(list.Skins()->Items(0)->Name(), u"sfSkin0");
    EXPECT_EQ(list.Skins()->Items(2)->DisplayName(), u"sfSkin2");
    EXPECT_EQ(list.Skins()->Owner(), &list);

    const RawByteString z = Compress("abc");
    TMemoryStream s;
    const RawByteString file = Container(2, static_cast<int32_t>(z.size()), z);
    s.WriteBuffer(file.data(), static_cast<Integer>(file.size()));
    list.Skins()->Items(1)->ReadSkinData(&s);
    list.Skins()->Items(1)->SetDescription(u"blue");
    // Outside the designer a file name is only stored.
    list.Skins()->Items(1)->SetCompressedFileName(u"C:\\skins\\blue.skn");

    TsfCompressedSkinList other(nullptr);
    other.SetSkins(list.Skins());
    ASSERT_EQ(other.Skins()->Count(), 3);
    TsfSkinListItem* copy = other.Skins()->Items(1);
    EXPECT_EQ(copy->Description(), u"blue");
    EXPECT_EQ(copy->CompressedFileName(), u"C:\\skins\\blue.skn");
    EXPECT_EQ(copy->Name(), u"sfSkin1");
    TMemoryStream out;
    copy->WriteSkinData(&out);
    EXPECT_EQ(Bytes(out), file);
}

}  // namespace
