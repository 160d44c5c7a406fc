// File packs: writing and reading back, the trailer, and packs whose index
// tries to put files outside the destination or lies about its sizes.
#include <gtest/gtest.h>

#include "TempFolder.h"
#include "foundation/HyCrypUtils.h"
#include "foundation/HyFileUtils_Pack.h"
#include "framework/runtime/ZLibStreams.h"

namespace {

RawByteString ReadBytes(const String& FileName)
{
    TMemoryStream M;
    M.LoadFromFile(FileName);
    return RawByteString(static_cast<const char*>(M.Memory()), static_cast<size_t>(M.Size()));
}

void WriteBytes(const String& FileName, const RawByteString& Bytes)
{
    ForceDirectories(ExtractFilePath(FileName));
    TFileStream F(FileName, fmCreate);
    if (!Bytes.empty()) F.WriteBuffer(Bytes.data(), static_cast<Integer>(Bytes.size()));
}

RawByteString Deflate(const RawByteString& Bytes)
{
    TMemoryStream Source, Dest;
    Source.WriteBuffer(Bytes.data(), Integer(Bytes.size()));
    ZCompressStream(&Source, &Dest);
    return RawByteString(static_cast<const char*>(Dest.Memory()), size_t(Dest.Size()));
}

// A pack made by hand: the blobs, then the index rows (table text) enciphered
// under the empty key, then the short trailer.
RawByteString CraftPack(const std::vector<RawByteString>& Blobs, const String& IndexRows)
{
    RawByteString Pack;
    for (const RawByteString& B : Blobs) Pack += B;
    const String Salted = PwdEncryptStr(u"#,,,,,,,,,#" + IndexRows, String(), 0, 0);
    const RawByteString Index(Salted.begin(), Salted.end());
    Pack += Index;
    const int32_t L = int32_t(Index.size());
    Pack.append(reinterpret_cast<const char*>(&L), 4);
    Pack += "\x0A\x14\x02";
    return Pack;
}

// Every file below Folder, as paths relative to it.
void ListTree(const String& Folder, const String& Prefix, std::vector<String>& Out)
{
    TSearchRec F;
    if (FindFirst(Folder + u"*", faAnyFile, F) != 0) return;
    do {
        if (F.Name == u"." || F.Name == u"..") continue;
        if (F.Attr & faDirectory)
            ListTree(Folder + F.Name + u"\\", Prefix + F.Name + u"\\", Out);
        else
            Out.push_back(Prefix + F.Name);
    } while (FindNext(F) == 0);
    FindClose(F);
}

std::vector<String> Tree(const String& Folder)
{
    std::vector<String> Out;
    ListTree(Folder, String(), Out);
    std::sort(Out.begin(), Out.end());
    return Out;
}

TDataTable IndexTable() { return TDataTable(String(), ColumnSet({1})); }

}  // namespace

TEST(FilePack, WritesAndReadsBack)
{
    TTempFolder Dir;
    const String Src = Dir / u"src\\base\\";
    WriteBytes(Src + u"a\\sub\\x.dat", "x-content x-content x-content");
    WriteBytes(Src + u"y.txt", "why");
    WriteBytes(Src + u"b\\z.bin", RawByteString("\0\1\2\3", 4));
    WriteBytes(Dir / u"src\\up.txt", "from the parent");
    WriteBytes(Src + u"empty.dat", "");

    TDataTable T = IndexTable();
    T.AddItem(u"a\\,sub\\x.dat,0,0,0,0");
    T.AddItem(u",y.txt,0,0,0,0");
    T.AddItem(u"b\\,z.bin,0,0,-1,0");  // straight into the destination
    T.AddItem(u",up.txt,0,0,0,-1");    // relative to the source's parent
    T.AddItem(u",empty.dat,0,0,0,0");
    const String Pack = Dir / u"out.pack";
    WriteFilePack(Pack, Src, String(), &T);

    EXPECT_EQ(T.GetItem(0)->GetItem(3)->Value(), 29);
    EXPECT_EQ(T.GetItem(2)->GetItem(3)->Value(), 4);
    EXPECT_EQ(T.GetItem(4)->GetItem(3)->Value(), 0);
    Int64 Blobs = 0;
    for (Integer i = 0; i < T.ItemCount(); ++i) Blobs += T.GetItem(i)->GetItem(2)->Value();

    // Blobs, the index text, L, $0A, $14, $02.
    const RawByteString Bytes = ReadBytes(Pack);
    ASSERT_GT(Bytes.size(), 7u);
    EXPECT_EQ(Bytes.substr(Bytes.size() - 3), "\x0A\x14\x02");
    int32_t L = 0;
    memcpy(&L, Bytes.data() + Bytes.size() - 7, 4);
    EXPECT_EQ(Int64(Bytes.size()), Blobs + L + 7);
    const RawByteString Salted = Bytes.substr(size_t(Blobs), size_t(L));
    const String Index = PwdDecryptStr(String(Salted.begin(), Salted.end()), String());
    EXPECT_EQ(Index, T.ToString(true));

    std::vector<Int64> Progress;
    const String Dest = Dir / u"dest\\";
    EXPECT_TRUE(ReadFilePack(Pack, Dest, String(), [&](Int64 P) { Progress.push_back(P); }));
    EXPECT_EQ(Tree(Dest), (std::vector<String>{u"a\\x.dat", u"empty.dat", u"up.txt", u"y.txt", u"z.bin"}));
    EXPECT_EQ(ReadBytes(Dest + u"a\\x.dat"), "x-content x-content x-content");
    EXPECT_EQ(ReadBytes(Dest + u"z.bin"), RawByteString("\0\1\2\3", 4));
    EXPECT_EQ(ReadBytes(Dest + u"up.txt"), "from the parent");
    ASSERT_EQ(Progress.size(), 5u);
    EXPECT_EQ(Progress.back(), 100);

    // An existing file is overwritten.
    WriteBytes(Dest + u"y.txt", "old");
    EXPECT_TRUE(ReadFilePack(Pack, Dest, String()));
    EXPECT_EQ(ReadBytes(Dest + u"y.txt"), "why");
}

TEST(FilePack, EmptyTableAndLongKeyAndSuffix)
{
    TTempFolder Dir;
    TDataTable Empty = IndexTable();
    WriteFilePack(Dir / u"empty.pack", Dir.Path(), String(), &Empty);
    const RawByteString Bytes = ReadBytes(Dir / u"empty.pack");
    int32_t L = 0;
    memcpy(&L, Bytes.data() + Bytes.size() - 7, 4);
    EXPECT_EQ(Bytes.size(), size_t(L) + 7);
    EXPECT_TRUE(ReadFilePack(Dir / u"empty.pack", Dir / u"d1\\", String()));
    EXPECT_TRUE(Tree(Dir / u"d1\\").empty());

    // A 12-character key: its first and last ten characters, then $01; an
    // 8-byte suffix before the last byte.
    WriteBytes(Dir / u"f.txt", "file");
    TDataTable T = IndexTable();
    T.AddItem(u",f.txt,0,0,0,0");
    const String Key = u"abcdefghijkl";
    WriteFilePack(Dir / u"keyed.pack", Dir.Path(), Key, &T, u"SUFFIX08");
    const RawByteString K = ReadBytes(Dir / u"keyed.pack");
    EXPECT_EQ(K.substr(K.size() - 29), "abcdefghijcdefghijklSUFFIX08\x01");
    EXPECT_TRUE(ReadFilePack(Dir / u"keyed.pack", Dir / u"d2\\", Key));
    EXPECT_EQ(ReadBytes(Dir / u"d2\\f.txt"), "file");

    // A wrong key reads a meaningless index: nothing is unpacked.
    EXPECT_FALSE(ReadFilePack(Dir / u"keyed.pack", Dir / u"d3\\", u"another key!"));
    EXPECT_TRUE(Tree(Dir / u"d3\\").empty());

    EXPECT_THROW(WriteFilePack(Dir / u"bad.pack", Dir.Path(), String(), &T, u"short"), EInvalidArgument);
    EXPECT_FALSE(FileExists(Dir / u"bad.pack"));
}

TEST(FilePack, MissingSourceKeepsThePreviousPack)
{
    TTempFolder Dir;
    WriteBytes(Dir / u"old.pack", "previous pack");
    TDataTable T = IndexTable();
    T.AddItem(u",missing.txt,0,0,0,0");
    EXPECT_THROW(WriteFilePack(Dir / u"old.pack", Dir.Path(), String(), &T), EFOpenError);
    EXPECT_EQ(ReadBytes(Dir / u"old.pack"), "previous pack");
    EXPECT_EQ(Tree(Dir.Path()), (std::vector<String>{u"old.pack"}));
}

TEST(FilePack, RefusesEntriesOutsideTheDestination)
{
    TTempFolder Dir;
    const RawByteString Blob = Deflate("payload");
    const String N = IntToStr(Int64(Blob.size()));
    // Each index is otherwise valid: one harmless row first, then the bad one.
    const String Good = u"ok\\,good.txt," + N + u",7,0,0|";
    const String Bad[] = {
        u"..\\,evil.txt," + N + u",7,0,0",
        u"a\\..\\..\\,evil.txt," + N + u",7,0,0",
        u"..,evil.txt," + N + u",7,0,0",
        u"C:\\Windows\\,evil.txt," + N + u",7,0,0",
        u"\\abs\\,evil.txt," + N + u",7,0,0",
        u"/abs/,evil.txt," + N + u",7,0,0",
        u"$System$,evil.txt," + N + u",7,0,0",
        u"$Third$\\x\\,evil.txt," + N + u",7,0,0",
        u"a:b\\,evil.txt," + N + u",7,0,0",
        u",..," + N + u",7,0,0",
        u",evil.txt:stream," + N + u",7,0,0",
        u",," + N + u",7,0,0",
        u",evil.txt," + N + u"",                    // no size cell
        u",evil.txt,99999,7,0,0",                    // longer than the pack
        u",evil.txt,-1,7,0,0",                       // negative length
        u",evil.txt," + N + u",-7,0,0",               // negative size
        u",evil.txt,x,7,0,0",                        // not a number
        u",evil.txt," + N + u",999999999,0,0",        // above the size limit
        u",evil.txt," + N + u",7,maybe,0",            // flag that is no flag
    };
    for (const String& Row : Bad) {
        SCOPED_TRACE(UTF8Encode(Row));
        const String Pack = Dir / u"bad.pack";
        WriteBytes(Pack, CraftPack({Blob, Blob}, Good + Row));
        const String Dest = Dir / u"out\\dest\\";
        EXPECT_FALSE(ReadFilePack(Pack, Dest, String()));
        EXPECT_TRUE(Tree(Dir / u"out\\").empty());
        EXPECT_EQ(Tree(Dir.Path()), (std::vector<String>{u"bad.pack"}));
        TTempFolder::RemoveTree(Dir / u"out\\");
    }

    // The same layout with only good rows unpacks; a stored file name with
    // folders keeps its last part.
    WriteBytes(Dir / u"good.pack", CraftPack({Blob, Blob}, Good + u"a\\,sub\\..\\x.txt," + N + u",7,0,0"));
    EXPECT_TRUE(ReadFilePack(Dir / u"good.pack", Dir / u"out\\dest\\", String()));
    EXPECT_EQ(Tree(Dir / u"out\\"), (std::vector<String>{u"dest\\a\\x.txt", u"dest\\ok\\good.txt"}));
}

TEST(FilePack, DamagedPacks)
{
    TTempFolder Dir;
    const RawByteString Blob = Deflate("payload");
    const String N = IntToStr(Int64(Blob.size()));
    const RawByteString Good = CraftPack({Blob}, u",f.txt," + N + u",7,0,0");

    // Trailers that do not fit: nothing is read.
    struct {
        const char* Name;
        RawByteString Bytes;
    } const Trailers[] = {
        {"empty", ""},
        {"short", "\x0A\x14\x02"},
        {"length too large", Good.substr(0, Good.size() - 7) + RawByteString("\xff\xff\xff\x7f\x0A\x14\x02", 7)},
        {"negative length", Good.substr(0, Good.size() - 7) + RawByteString("\xfe\xff\xff\xff\x0A\x14\x02", 7)},
        {"garbled index", RawByteString(Good).replace(Blob.size(), 4, "zzzz")},
    };
    for (const auto& C : Trailers) {
        SCOPED_TRACE(C.Name);
        WriteBytes(Dir / u"t.pack", C.Bytes);
        EXPECT_FALSE(ReadFilePack(Dir / u"t.pack", Dir / u"d\\", String()));
        EXPECT_TRUE(Tree(Dir / u"d\\").empty());
    }

    // A blob that inflates to less than its stated size is not written.
    WriteBytes(Dir / u"short.pack", CraftPack({Blob}, u",f.txt," + N + u",70,0,0"));
    EXPECT_FALSE(ReadFilePack(Dir / u"short.pack", Dir / u"d\\", String()));
    EXPECT_TRUE(Tree(Dir / u"d\\").empty());

    // A blob that inflates to more is cut at its stated size.
    WriteBytes(Dir / u"long.pack", CraftPack({Blob}, u",f.txt," + N + u",3,0,0"));
    EXPECT_TRUE(ReadFilePack(Dir / u"long.pack", Dir / u"d\\", String()));
    EXPECT_EQ(ReadBytes(Dir / u"d\\f.txt"), "pay");

    // Damaged zlib data raises; no file is left behind for it.
    RawByteString Broken = Blob;
    Broken[4] = char(Broken[4] ^ 0x55);
    Broken[5] = char(Broken[5] ^ 0x55);
    WriteBytes(Dir / u"zlib.pack", CraftPack({Broken}, u",g.txt," + N + u",7,0,0"));
    EXPECT_THROW(ReadFilePack(Dir / u"zlib.pack", Dir / u"d\\", String()), EZlibError);
    EXPECT_FALSE(FileExists(Dir / u"d\\g.txt"));

    EXPECT_THROW(ReadFilePack(Dir / u"missing.pack", Dir / u"d\\", String()), EFOpenError);
}
