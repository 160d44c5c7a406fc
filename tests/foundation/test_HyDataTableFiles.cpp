// Table files: check bytes, enciphered bodies, loading and saving.
#include <gtest/gtest.h>

#include "SaveFaults.h"
#include "TempFolder.h"
#include "foundation/HyCrypUtils.h"
#include "foundation/HyDataTable.h"

namespace {

RawByteString ReadBytes(const String& FileName)
{
    TMemoryStream M;
    M.LoadFromFile(FileName);
    return RawByteString(static_cast<const char*>(M.Memory()), static_cast<size_t>(M.Size()));
}

void WriteBytes(const String& FileName, const RawByteString& Bytes)
{
    TFileStream F(FileName, fmCreate);
    if (!Bytes.empty()) F.WriteBuffer(Bytes.data(), static_cast<Integer>(Bytes.size()));
}

RawByteString FromHex(const char* Hex)
{
    RawByteString R;
    for (const char* P = Hex; P[0] && P[1]; P += 2) R += static_cast<char>(std::stoi(std::string(P, 2), nullptr, 16));
    return R;
}

// A small table with an escaped column and a property.
void Fill(TDataTable& T)
{
    T.SetPropCount(3);
    T.GetProp(0)->SetText(u"7");
    T.GetProp(2)->SetText(u"x");
    T.AddItem(u"1,a,");
    T.AddItem(u"2,,b");
    T.GetItem(1)->GetItem(1)->SetText(u"p, q | r");
}

void ExpectSame(const TDataTable& A, const TDataTable& B)
{
    EXPECT_EQ(A.ToString(true), B.ToString(true));
    ASSERT_EQ(A.ItemCount(), B.ItemCount());
}

}  // namespace

TEST(TableFiles, RoundTripInEveryEncoding)
{
    TTempFolder Dir;
    struct Case {
        Integer IOMode;
        bool Check;
        const char16_t* Key;
        const char16_t* KeyCustom;
    };
    const Case Cases[] = {
        {0, false, u"", u""},   {1, true, u"", u""},    {2, true, u"", u""},     {2, false, u"", u""},
        {3, true, u"", u""},    {2, true, u"key", u""}, {6, true, u"", u""},     {6, false, u"k", u"c"},
        {4, false, u"", u""},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.IOMode);
        TDataTable T(C.Key, ColumnSet({1}));
        T.SetIOMode(C.IOMode);
        T.SetIsAddVerifyCode(C.Check);
        if (*C.KeyCustom) T.SetKeyCustom(PwdEncryptStr(C.KeyCustom, u"", 5, 1));
        Fill(T);
        T.SaveAs(Dir / u"t.db");
        EXPECT_FALSE(T.DataChanged());

        TDataTable R(C.Key, ColumnSet({1}));
        R.SetIOMode(C.IOMode);
        R.SetIsAddVerifyCode(C.Check);
        R.SetKeyCustom(T.KeyCustom());
        R.Load(Dir / u"t.db", 0, 0);
        ExpectSame(T, R);
        EXPECT_EQ(R.GetItem(1)->GetItem(1)->Text(), u"p, q | r");
        EXPECT_EQ(R.GetProp(2)->Text(), u"x");
        EXPECT_FALSE(R.DataChanged());
    }
}

TEST(TableFiles, PlainBodyIsTheUtf8Text)
{
    TTempFolder Dir;
    TDataTable T;
    T.SetIOMode(0);
    T.SetPropCount(1);
    T.AddItem(u"中,b");
    T.SaveAs(Dir / u"p.db");
    EXPECT_EQ(ReadBytes(Dir / u"p.db"), "##\xE4\xB8\xAD,b");
}

TEST(TableFiles, AnyFlippedCheckByteLoadsNothing)
{
    TTempFolder Dir;
    TDataTable T(u"", ColumnSet({1}));
    T.SetIsAddVerifyCode(true);
    Fill(T);
    T.SaveAs(Dir / u"c.db");
    const RawByteString Good = ReadBytes(Dir / u"c.db");
    ASSERT_GT(Good.size(), 7u);
    const size_t Positions[] = {0, 1, 2, Good.size() - 3, Good.size() - 2, Good.size() - 1};
    for (size_t Pos : Positions) {
        SCOPED_TRACE(Pos);
        RawByteString Bad = Good;
        Bad[Pos] = static_cast<char>(Bad[Pos] ^ 0x01);
        WriteBytes(Dir / u"c.db", Bad);
        TDataTable R;
        R.SetIsAddVerifyCode(true);
        R.Load(Dir / u"c.db", 0, 0);
        EXPECT_EQ(R.ItemCount(), 0);
        EXPECT_FALSE(R.DataChanged());
    }
    // Six bytes that satisfy the three relations are still too short.
    WriteBytes(Dir / u"c.db", FromHex("010203f76520"));
    TDataTable R;
    R.SetIsAddVerifyCode(true);
    R.Load(Dir / u"c.db", 0, 0);
    EXPECT_EQ(R.ItemCount(), 0);
}

TEST(TableFiles, TwoSavesDifferInBytesButReadBackEqual)
{
    TTempFolder Dir;
    TDataTable T(u"", ColumnSet({1}));
    T.SetIsAddVerifyCode(true);
    Fill(T);
    T.SaveAs(Dir / u"a.db");
    T.SaveAs(Dir / u"b.db");
    EXPECT_NE(ReadBytes(Dir / u"a.db"), ReadBytes(Dir / u"b.db"));
    TDataTable A(u"", ColumnSet({1})), B(u"", ColumnSet({1}));
    A.SetIsAddVerifyCode(true);
    B.SetIsAddVerifyCode(true);
    A.Load(Dir / u"a.db");
    B.Load(Dir / u"b.db");
    ExpectSame(A, B);
    ExpectSame(T, A);
}

TEST(TableFiles, MissingEmptyAndUndecipherableFilesAutoCreate)
{
    TTempFolder Dir;
    WriteBytes(Dir / u"empty.db", "");
    // Valid check bytes around a body that is no salted stream.
    WriteBytes(Dir / u"junk.db", FromHex("0a141e") + "not a salted stream at all" + FromHex("127729"));
    for (const char16_t* Name : {u"missing.db", u"empty.db", u"junk.db"}) {
        SCOPED_TRACE(String(Name) == u"junk.db" ? "junk" : "missing or empty");
        TDataTable T;
        T.SetIsAddVerifyCode(true);
        T.Load(Dir / Name, 10, 50);
        ASSERT_EQ(T.ItemCount(), 10);
        EXPECT_EQ(T.GetItem(9)->ItemCount(), 50);
        EXPECT_TRUE(T.DataChanged());
        EXPECT_EQ(T.FileName(), Dir / Name);

        TDataTable Z;
        Z.SetIsAddVerifyCode(true);
        Z.Load(Dir / Name, 0, 0);
        EXPECT_EQ(Z.ItemCount(), 0);
        EXPECT_FALSE(Z.DataChanged());
    }
    // The damaged file is left alone until a save overwrites it.
    EXPECT_EQ(ReadBytes(Dir / u"junk.db").size(), 32u);
}

namespace {
std::vector<String> TableLog;
void KeepTableLog(const String& Message) { TableLog.push_back(Message); }
}  // namespace

TEST(TableFiles, AnUnreadableFileIsKeptBesideItselfBeforeItIsReplaced)
{
    TTempFolder Dir;
    TableLog.clear();
    TableLogProc = KeepTableLog;
    const RawByteString Junk = FromHex("0a141e") + "not a salted stream at all" + FromHex("127729");
    const RawByteString BadCheck = "\x01\x02\x03 the user's table with broken check bytes \x04\x05\x06";
    WriteBytes(Dir / u"Config.db", Junk);
    WriteBytes(Dir / u"Other.db", BadCheck);
    for (const char16_t* Name : {u"Config.db", u"Other.db"}) {
        SCOPED_TRACE(UTF8Encode(Name));
        const RawByteString Before = ReadBytes(Dir / Name);
        for (Integer Run = 0; Run < 2; ++Run) {  // met twice, kept once
            TDataTable T;
            T.SetIsAddVerifyCode(true);
            T.Load(Dir / Name, 10, 50);
            T.Save(false);  // the defaults replace the file ...
        }
        EXPECT_NE(ReadBytes(Dir / Name), Before);
        EXPECT_EQ(ReadBytes(Dir / Name + u".bad"), Before);  // ... which survives beside it
        EXPECT_FALSE(FileExists(Dir / Name + u".bad2"));
    }
    ASSERT_EQ(TableLog.size(), 2u);
    EXPECT_EQ(TableLog[0], u"The table file " + Dir / u"Config.db" + u" cannot be read; it is kept as " + Dir /
                               u"Config.db.bad");
    // Another damaged file under the same name gets the next free name;
    // missing and empty files are nothing to keep.
    WriteBytes(Dir / u"Config.db", Junk + "x");
    WriteBytes(Dir / u"empty.db", "");
    for (const char16_t* Name : {u"Config.db", u"empty.db", u"missing.db"}) {
        TDataTable T;
        T.SetIsAddVerifyCode(true);
        T.Load(Dir / Name, 10, 50);
    }
    EXPECT_EQ(ReadBytes(Dir / u"Config.db.bad2"), Junk + "x");
    EXPECT_FALSE(FileExists(Dir / u"empty.db.bad"));
    EXPECT_EQ(TableLog.size(), 3u);
    TableLogProc = nullptr;
}

TEST(TableFiles, SaveWritesOnlyWhatChanged)
{
    TTempFolder Dir;
    TDataTable T(u"", ColumnSet({1}));
    T.SetIsAddVerifyCode(true);
    Fill(T);
    T.SaveAs(Dir / u"s.db");
    const RawByteString First = ReadBytes(Dir / u"s.db");

    TDataTable R(u"", ColumnSet({1}));
    R.SetIsAddVerifyCode(true);
    R.Load(Dir / u"s.db", 10, 50);
    R.Save(false);
    EXPECT_EQ(ReadBytes(Dir / u"s.db"), First);  // fresh salts would have changed it

    R.GetItem(0)->GetItem(0)->SetText(u"9");
    EXPECT_TRUE(R.DataChanged());
    R.Save(false);
    EXPECT_FALSE(R.DataChanged());
    TDataTable Back;
    Back.SetIsAddVerifyCode(true);
    Back.Load(Dir / u"s.db");
    EXPECT_EQ(Back.GetItem(0)->GetItem(0)->Text(), u"9");

    // SaveAs with no name writes nothing and keeps the name.
    R.GetItem(0)->GetItem(0)->SetText(u"8");
    R.SaveAs(u"");
    EXPECT_EQ(R.FileName(), Dir / u"s.db");
    EXPECT_TRUE(R.DataChanged());
    // Without a file name Save does nothing either.
    TDataTable NoName;
    NoName.AddItem(u"1");
    NoName.Save(true);
    EXPECT_TRUE(NoName.DataChanged());
}

TEST(TableFiles, CrLfModeDropsCrLfButKeepsLoneLf)
{
    TTempFolder Dir;
    TDataTable T(u"", ColumnSet({0}));
    T.SetIOMode(3);
    T.SetReserveLFSet(ColumnSet({0}));
    T.AddItem(u"x");
    T.AddItem(u"y");
    T.GetItem(0)->GetItem(0)->SetText(u"a\r\nb");
    T.GetItem(1)->GetItem(0)->SetText(u"c\nd");
    T.SaveAs(Dir / u"lf.db");
    TDataTable R(u"", ColumnSet({0}));
    R.SetIOMode(3);
    R.SetReserveLFSet(ColumnSet({0}));
    R.Load(Dir / u"lf.db");
    ASSERT_EQ(R.ItemCount(), 2);
    EXPECT_EQ(R.GetItem(0)->GetItem(0)->Text(), u"ab");
    EXPECT_EQ(R.GetItem(1)->GetItem(0)->Text(), u"c\nd");
}

TEST(TableFiles, AFailedSaveKeepsTheOldFile)
{
    TTempFolder Dir;
    TDataTable T(u"", ColumnSet({1}));
    T.SetIsAddVerifyCode(true);
    Fill(T);
    T.SaveAs(Dir / u"keep.db");
    const RawByteString Old = ReadBytes(Dir / u"keep.db");

    // Failing in the check bytes, the salt, the enciphered body and the tail.
    for (Integer Limit : {0, 2, 12, 30, static_cast<Integer>(Old.size()) - 1}) {
        SCOPED_TRACE(Limit);
        TDataTable D(u"", ColumnSet({1}));
        D.SetIsAddVerifyCode(true);
        D.Load(Dir / u"keep.db");
        D.GetItem(0)->GetItem(0)->SetText(u"changed");
        TScopedSaveFault Fault(Limit);
        EXPECT_THROW(D.Save(false), EWriteError);
        EXPECT_TRUE(D.DataChanged());
        EXPECT_EQ(ReadBytes(Dir / u"keep.db"), Old);
        ASSERT_EQ(Fault.TempNames.size(), 1u);
        EXPECT_FALSE(FileExists(Fault.TempNames[0]));
    }
}

TEST(TableFiles, UnwritableFolderRaisesAndKeepsChanges)
{
    TTempFolder Dir;
    TDataTable T;
    T.AddItem(u"1");
    EXPECT_THROW(T.SaveAs(Dir / u"no such folder\\t.db"), EFileStreamError);
    EXPECT_TRUE(T.DataChanged());
}

TEST(TableFiles, LoadFromStreamReadsFromTheStart)
{
    TDataTable T(u"", ColumnSet({1}));
    T.SetIsAddVerifyCode(true);
    Fill(T);
    TMemoryStream M;
    T.SaveToStream(T.ToString(true), &M);  // position now at the end
    TDataTable R(u"", ColumnSet({1}));
    R.SetIsAddVerifyCode(true);
    R.LoadFromStream(&M);
    ExpectSame(T, R);
}

TEST(TableFiles, AppendFromFileTakesKeyColumnsAndMode)
{
    TTempFolder Dir;
    TDataTable Src(u"k", ColumnSet({1}));
    Src.SetIOMode(3);
    Fill(Src);
    Src.SaveAs(Dir / u"src.db");

    TDataTable T(u"k", ColumnSet({1}));
    T.SetIOMode(3);
    T.SetIsAddVerifyCode(true);  // not taken over: the file has no check bytes
    T.AddItem(u"0,z,");
    Integer Adds = 0;
    T.OnDataChanged = [&](TDataTable*, TDataTableChangeMode Mode, TRow*, TCell*, Integer, Integer) {
        if (Mode == cmRowBatchAdd) ++Adds;
    };
    T.AppendFromFile(Dir / u"src.db", 1);
    ASSERT_EQ(T.ItemCount(), 2);
    EXPECT_EQ(T.GetItem(1)->ToString(true), u"1,a,");
    EXPECT_EQ(Adds, 1);
    T.AppendFromFile(Dir / u"missing.db");
    EXPECT_EQ(T.ItemCount(), 2);
}

// A file written once by this program: every build must read the same table.
const char* const FixedTableHex =
    "b7aa20957af1a8c85476f1c956d2f1bb0efa7a76fad2174adef07fe4fd21c14d7d6d8a341e258d4b3a0d6c3f140dd6";

TEST(TableFiles, ReadsAFileWrittenEarlier)
{
    TTempFolder Dir;
    WriteBytes(Dir / u"fixed.db", FromHex(FixedTableHex));
    TDataTable T(u"", ColumnSet({1}));
    T.SetIsAddVerifyCode(true);
    T.Load(Dir / u"fixed.db");
    EXPECT_EQ(T.ToString(true), String(u"#7,,x#1,a,|2,p\x1A q \x1B r,b"));
}
