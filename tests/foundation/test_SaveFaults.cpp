// Every writer of a user's file saves through SaveFileAtomically: on a disk
// that fills at any point of the save, or whose close fails, the old file is
// kept byte for byte and no temporary is left beside it. The disk is a real
// small tmpfs where the test may mount one, and an injected failing stream
// everywhere.
#include <gtest/gtest.h>

#include <functional>

#include "Component/Raster32/Ras32.h"
#include "Component/Raster32/Ras32_VectorMaps.h"
#include "SaveFaults.h"
#include "TempFolder.h"
#include "foundation/HyDataTable.h"
#include "foundation/HyFileUtils_Pack.h"
#include "framework/runtime/IniFiles.h"

namespace {

RawByteString ReadBytes(const String& FileName)
{
    TMemoryStream M;
    M.LoadFromFile(FileName);
    return RawByteString(static_cast<const char*>(M.Memory()), static_cast<size_t>(M.Size()));
}

// The files of a folder (not its subfolders).
std::vector<String> FilesIn(const String& Folder)
{
    std::vector<String> Names;
    TSearchRec F;
    if (FindFirst(Folder + u"*", faAnyFile, F) == 0) {
        do
            if (!(F.Attr & faDirectory)) Names.push_back(F.Name);
        while (FindNext(F) == 0);
        FindClose(F);
    }
    return Names;
}

// A writer of a user's file: Size 0 writes a small file, 1 a large one
// (over 100 KB, more than the small disk holds).
struct TWriter {
    const char* Name;
    std::function<void(const String& FileName, int Size)> Write;
};

String Filler(int Size, Integer Small) { return String(static_cast<size_t>(Size ? 70000 : Small), u'x'); }

const TTempFolder& SourceFolder()
{
    static const TTempFolder Folder(u"lm_save_src_");
    return Folder;
}

const std::vector<TWriter>& Writers()
{
    static const std::vector<TWriter> List = {
        {"TMemoryStream::SaveToFile",
         [](const String& F, int Size) {
             TMemoryStream M;
             M.SetSize(Size ? 200000 : 10);
             std::fill_n(static_cast<uint8_t*>(M.Memory()), M.Size(), uint8_t(Size ? 0xAB : 0x01));
             M.SaveToFile(F);
         }},
        {"TStrings::SaveToFile",
         [](const String& F, int Size) {
             TStringList L;
             L.Add(Filler(Size, 5));
             L.Add(u"end");
             L.SaveToFile(F, TEncoding::UTF8());
         }},
        {"TMemIniFile::UpdateFile",
         [](const String& F, int Size) {
             TMemIniFile Ini(F);
             Ini.WriteString(u"Main", u"Value", Filler(Size, 3));
             Ini.UpdateFile();
         }},
        {"TDataTable::Save",
         [](const String& F, int Size) {
             TDataTable T(u"", ColumnSet({1}));
             T.SetIsAddVerifyCode(true);
             for (Integer R = 0; R < (Size ? 4000 : 2); ++R) T.AddItem(u"row,cell text " + IntToStr(R) + u",3");
             T.SaveAs(F);
         }},
        {"TDataTables::Save",
         [](const String& F, int Size) {
             TDataTables L;
             L.AddEmptyItem(1);
             for (Integer R = 0; R < (Size ? 10000 : 2); ++R) L.GetItem(0)->AddItem(u"a,b," + IntToStr(R));
             L.Save(F);
         }},
        {"TVectorMap::SaveToFile (mesh file)",
         [](const String& F, int Size) {
             TVectorMap V;
             V.SetSize(Size ? 150 : 2, Size ? 150 : 2);
             V.SaveToFile(F);
         }},
        {"TCustomBitmap32::SaveToFile",
         [](const String& F, int Size) {
             TCustomBitmap32 B;
             B.SetSize(Size ? 200 : 2, Size ? 200 : 2);
             B.SaveToFile(F, true);
         }},
        {"WriteFilePack",
         [](const String& F, int Size) {
             const String Name = Size ? u"big.bin" : u"small.bin";
             {
                 // Random bytes do not compress: the pack is as large as the file.
                 TFileStream S(SourceFolder() / Name, fmCreate);
                 std::vector<uint8_t> Bytes(Size ? 150000 : 10);
                 uint32_t X = 12345;
                 for (uint8_t& B : Bytes) B = static_cast<uint8_t>((X = X * 1103515245u + 12345u) >> 24);
                 S.WriteBuffer(Bytes.data(), static_cast<Integer>(Bytes.size()));
             }
             TDataTable Index;
             Index.AddItem(u"," + Name + u",0,0");
             WriteFilePack(F, SourceFolder().Path(), u"", &Index);
         }},
    };
    return List;
}

void ExpectKeptAndNoTemporary(const String& Folder, const String& File, const RawByteString& Old)
{
    EXPECT_EQ(ReadBytes(File), Old);
    EXPECT_EQ(FilesIn(Folder), std::vector<String>{ExtractFileName(File)});
}

}  // namespace

TEST(SaveFaults, AFullDiskOrAFailingCloseKeepsTheOldFile)
{
    // Disks that fill at the first byte, inside the data, and later; one whose
    // close fails after every byte went in (reported, not taken for success).
    struct TFault {
        Int64 Limit;
        bool FailClose;
    };
    const TFault Faults[] = {{0, false}, {7, false}, {5000, false}, {30000, false}, {Int64(1) << 40, true}};
    TTempFolder Dir(u"lm_save_");
    for (const TWriter& W : Writers()) {
        SCOPED_TRACE(W.Name);
        const String File = Dir / u"file.dat";
        W.Write(File, 0);
        const RawByteString Old = ReadBytes(File);
        for (const TFault& F : Faults) {
            SCOPED_TRACE(F.Limit);
            TScopedSaveFault Fault(F.Limit, F.FailClose);
            EXPECT_THROW(W.Write(File, 1), EWriteError);
            EXPECT_EQ(Fault.TempNames.size(), 1u);
            ExpectKeptAndNoTemporary(Dir.Path(), File, Old);
        }
        DeleteFile(File);
    }
}

TEST(SaveFaults, ASaveReplacesTheFileWhole)
{
    TTempFolder Dir(u"lm_save_");
    for (const TWriter& W : Writers()) {
        SCOPED_TRACE(W.Name);
        const String File = Dir / u"file.dat";
        W.Write(File, 0);
        W.Write(File, 1);
        EXPECT_GT(ReadBytes(File).size(), 60000u);
        EXPECT_EQ(FilesIn(Dir.Path()), std::vector<String>{u"file.dat"});
        DeleteFile(File);
    }
}

#ifndef _WIN32
TEST(SaveFaults, ARealFullDiskKeepsTheOldFile)
{
    TSmallDisk Disk(64);
    if (!Disk.Mounted()) GTEST_SKIP() << "no small disk can be mounted here (needs root)";
    for (const TWriter& W : Writers()) {
        SCOPED_TRACE(W.Name);
        const String File = Disk.Path() + u"file.dat";
        W.Write(File, 0);
        const RawByteString Old = ReadBytes(File);
        EXPECT_THROW(W.Write(File, 1), EStreamError);
        ExpectKeptAndNoTemporary(Disk.Path(), File, Old);
        DeleteFile(File);
    }
}

TEST(SaveFaults, UnpackingOntoAFullDiskKeepsTheFileThere)
{
    TSmallDisk Disk(64);
    if (!Disk.Mounted()) GTEST_SKIP() << "no small disk can be mounted here (needs root)";
    TTempFolder Dir(u"lm_save_");
    Writers().back().Write(Dir / u"pack.dat", 1);  // holds big.bin
    const String Dest = Disk.Path();
    TStringList Old;
    Old.Add(u"the user's own big.bin");
    Old.SaveToFile(Dest + u"big.bin");
    const RawByteString OldBytes = ReadBytes(Dest + u"big.bin");
    EXPECT_THROW(ReadFilePack(Dir / u"pack.dat", Dest, u""), EStreamError);
    ExpectKeptAndNoTemporary(Dest, Dest + u"big.bin", OldBytes);
}
#endif
