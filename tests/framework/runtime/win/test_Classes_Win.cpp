#include <gtest/gtest.h>

#include "framework/runtime/win/Classes_Win.h"
#include "framework/runtime/win/IniFiles_Win.h"

TEST(ResourceStream, ReadsRcDataByNameAndNumber)
{
    TResourceStream r(GetModuleHandleW(nullptr), u"TESTDATA");
    ASSERT_EQ(r.Size(), 14);
    std::string s(14, '\0');
    r.ReadBuffer(s.data(), 14);
    EXPECT_EQ(s, "hello resource");
    TMemoryStream copy;
    copy.CopyFrom(&r, 0);
    EXPECT_EQ(copy.Size(), 14);
    EXPECT_THROW(r.WriteBuffer("x", 1), EStreamError);
    TResourceStream n(GetModuleHandleW(nullptr), 4711);
    EXPECT_EQ(n.Size(), 9);
    try {
        TResourceStream missing(GetModuleHandleW(nullptr), u"NOSUCH");
        FAIL();
    } catch (const EResNotFound& e) {
        EXPECT_EQ(e.Message(), u"Resource NOSUCH not found");
    }
}

TEST(StreamAdapter, IStreamOverTStream)
{
    auto* m = new TMemoryStream;
    m->WriteBuffer("0123456789", 10);
    m->SetPosition(0);
    IStream* s = new TStreamAdapter(m, soOwned);
    s->AddRef();
    IStream* q = nullptr;
    ASSERT_EQ(s->QueryInterface(IID_IStream, reinterpret_cast<void**>(&q)), S_OK);
    q->Release();

    char buf[20];
    ULONG n = 0;
    EXPECT_EQ(s->Read(buf, 4, &n), S_OK);
    EXPECT_EQ(n, 4u);
    EXPECT_EQ(std::string(buf, 4), "0123");
    LARGE_INTEGER move;
    move.QuadPart = -2;
    ULARGE_INTEGER pos;
    EXPECT_EQ(s->Seek(move, STREAM_SEEK_END, &pos), S_OK);
    EXPECT_EQ(pos.QuadPart, 8u);
    EXPECT_EQ(s->Read(buf, 20, &n), S_OK);
    EXPECT_EQ(n, 2u);
    EXPECT_EQ(s->Write("AB", 2, &n), S_OK);
    STATSTG st;
    EXPECT_EQ(s->Stat(&st, STATFLAG_NONAME), S_OK);
    EXPECT_EQ(st.cbSize.QuadPart, 12u);

    // Copy into a stream of the system's and compare.
    IStream* h = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &h), S_OK);
    move.QuadPart = 0;
    s->Seek(move, STREAM_SEEK_SET, nullptr);
    ULARGE_INTEGER all, r, w;
    all.QuadPart = 100;
    EXPECT_EQ(s->CopyTo(h, all, &r, &w), S_OK);
    EXPECT_EQ(r.QuadPart, 12u);
    EXPECT_EQ(w.QuadPart, 12u);
    h->Seek(move, STREAM_SEEK_SET, nullptr);
    h->Read(buf, 20, &n);
    EXPECT_EQ(std::string(buf, n), "0123456789AB");
    h->Release();
    EXPECT_EQ(s->Release(), 0u);  // frees the adapter and the owned memory stream
}

TEST(IniFile, ProfileApiReadsAndWrites)
{
    String name = GetTempDirectory() + u"lm_profile_" + IntToStr(Random(1000000)) + u".ini";
    {
        // The profile API keeps Unicode text only in a file that starts as UTF-16.
        TStringList l;
        l.Add(u"[皮肤]");
        l.Add(u"名称 = 简洁");
        l.SaveToFile(name, TEncoding::Unicode());
        TIniFile ini(name);
        ini.WriteInteger(u"opts", u"count", 0x10);
        ini.WriteBool(u"opts", u"on", true);
        ini.WriteString(u"gone", u"k", u"v");
        ini.EraseSection(u"gone");
        ini.WriteString(u"opts", u"drop", u"x");
        ini.DeleteKey(u"opts", u"drop");
        ini.UpdateFile();
    }
    TIniFile ini(name);
    EXPECT_EQ(ini.ReadString(u"皮肤", u"名称", u""), u"简洁");
    EXPECT_EQ(ini.ReadInteger(u"OPTS", u"COUNT", 0), 16);
    EXPECT_TRUE(ini.ReadBool(u"opts", u"on", false));
    EXPECT_EQ(ini.ReadString(u"opts", u"missing", u"def"), u"def");
    EXPECT_TRUE(ini.SectionExists(u"opts"));
    EXPECT_FALSE(ini.SectionExists(u"gone"));
    EXPECT_TRUE(ini.ValueExists(u"opts", u"on"));
    EXPECT_FALSE(ini.ValueExists(u"opts", u"drop"));
    TStringList l;
    ini.ReadSection(u"opts", &l);
    EXPECT_EQ(l.CommaText(), u"count,on");
    ini.ReadSections(&l);
    EXPECT_EQ(l.Count(), 2);
    // The in-memory reader sees the same file the same way.
    TMemIniFile mem(name);
    EXPECT_EQ(mem.ReadInteger(u"opts", u"count", 0), 16);
    EXPECT_TRUE(DeleteFile(name));
}
