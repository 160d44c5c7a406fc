// The portable file routines: names, folder lists and file sizes.
#include <gtest/gtest.h>

#include <algorithm>

#include "TempFolder.h"
#include "foundation/HyFileUtils.h"

TEST(HyFileUtils, BaseNameAndExtension)
{
    struct {
        const char16_t* Name;
        const char16_t* Base;
        const char16_t* Ext;
    } const Cases[] = {
        {u"C:\\a\\b.c.txt", u"b.c", u"txt"},
        {u"C:\\dir.v2\\name", u"name", u""},
        {u"archive.tar.gz", u"archive.tar", u"gz"},
        {u"x.JPG", u"x", u"JPG"},
        {u"C:\\a\\.hidden", u"", u"hidden"},
        {u"noext.", u"noext", u""},
        {u"", u"", u""},
    };
    for (const auto& C : Cases) {
        EXPECT_EQ(ExtractFileBaseName(C.Name), C.Base) << "for " << UTF8Encode(C.Name);
        EXPECT_EQ(ExtractFileExtNoDot(C.Name), C.Ext) << "for " << UTF8Encode(C.Name);
    }
}

TEST(HyFileUtils, FileListHasPlainFilesOfTheExtension)
{
    TTempFolder Dir;
    for (const char16_t* Name : {u"a.dat", u"b.DAT", u"c.txt", u"d.data"}) {
        TFileStream F(Dir / Name, fmCreate);
    }
    ForceDirectories(Dir / u"e.dat");

    std::unique_ptr<TStringList> List = GetFileList(Dir.Path(), u"dat", false);
    ASSERT_NE(List, nullptr);
    std::vector<String> Names;
    for (Integer I = 0; I < List->Count(); ++I) Names.push_back(List->Strings(I));
    std::sort(Names.begin(), Names.end());
    EXPECT_EQ(Names, (std::vector<String>{u"a.dat", u"b.DAT"}));

    List = GetFileList(Dir.Path(), u"txt", true);
    ASSERT_EQ(List->Count(), 1);
    EXPECT_EQ(List->Strings(0), Dir / u"c.txt");

    List = GetFileList(Dir / u"missing\\", u"dat", false);
    ASSERT_NE(List, nullptr);
    EXPECT_EQ(List->Count(), 0);
}

TEST(HyFileUtils, FileSizesBeyondFourGigabytes)
{
    TTempFolder Dir;
    EXPECT_EQ(GetFileSizeByName(Dir / u"missing.bin"), -1);
    {
        TFileStream F(Dir / u"small.bin", fmCreate);
        F.WriteBuffer("12345", 5);
    }
    EXPECT_EQ(GetFileSizeByName(Dir / u"small.bin"), 5);
    // A sparse file: 5 GiB that take no room.
    const Int64 Big = Int64(5) << 30;
    {
        TFileStream F(Dir / u"big.bin", fmCreate);
        F.SetSize(Big);
    }
    EXPECT_EQ(GetFileSizeByName(Dir / u"big.bin"), Big);
}
