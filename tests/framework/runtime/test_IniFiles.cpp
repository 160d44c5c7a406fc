#include <gtest/gtest.h>

#include "framework/runtime/IniFiles.h"

namespace {
const char16_t* Sample =
    u"lost=before any section\r\n"
    u"  [ Button ]  \r\n"
    u"; a comment=1\r\n"
    u"SkinRect = 1,2,3,4 \r\n"
    u"fontname=\r\n"
    u"a=b=c\r\n"
    u"dup=first\r\n"
    u"dup=second\r\n"
    u"no equals sign here\r\n"
    u"hex=0x10\r\n"
    u"HEX2=0X1f\r\n"
    u"dollar=$20\r\n"
    u"neg= -5\r\n"
    u"bad=abc\r\n"
    u"one=01\r\n"
    u"colour=-16777201\r\n"
    u"\r\n"
    u"[only comment]\r\n"
    u";nothing\r\n"
    u"[bare]\r\n"
    u"just a line\r\n"
    u"[twice]\r\n"
    u"old=1\r\n"
    u"[TWICE]\r\n"
    u"new=2\r\n";
}  // namespace

TEST(IniFiles, ReadingRules)
{
    TMemIniFile ini(u"");
    ini.SetText(Sample);
    struct { const char16_t *sec, *key, *value; } reads[] = {
        {u"button", u"skinrect", u"1,2,3,4"},   // case-insensitive, trimmed
        {u"BUTTON", u"fontname", u""},          // empty value is not missing
        {u"button", u"a", u"b=c"},              // split at the first "="
        {u"button", u"dup", u"second"},         // the later key wins
        {u"button", u"no equals sign here", u"<default>"},
        {u"button", u"; a comment", u"<default>"},
        {u"button", u"lost", u"<default>"},
        {u"twice", u"old", u"<default>"},       // the later section replaces the earlier
        {u"twice", u"new", u"2"},
        {u"missing", u"x", u"<default>"}};
    for (auto& r : reads) EXPECT_EQ(ini.ReadString(r.sec, r.key, u"<default>"), r.value) << String(r.key).size();

    struct { const char16_t* key; Integer value; } ints[] = {
        {u"hex", 16}, {u"hex2", 31}, {u"dollar", 32}, {u"neg", -5}, {u"bad", 77}, {u"fontname", 77},
        {u"one", 1}, {u"colour", static_cast<Integer>(0xFF00000F)}, {u"missing", 77}};
    for (auto& r : ints) EXPECT_EQ(ini.ReadInteger(u"Button", r.key, 77), r.value) << String(r.key).size();
    EXPECT_TRUE(ini.ReadBool(u"Button", u"one", false));
    EXPECT_TRUE(ini.ReadBool(u"Button", u"bad", true));

    EXPECT_TRUE(ini.SectionExists(u"button"));
    EXPECT_TRUE(ini.SectionExists(u"bare"));            // a line without "=" counts
    EXPECT_FALSE(ini.SectionExists(u"only comment"));   // comments do not
    EXPECT_FALSE(ini.SectionExists(u"nowhere"));
    EXPECT_TRUE(ini.ValueExists(u"button", u"FONTNAME"));

    TStringList keys;
    ini.ReadSection(u"button", &keys);
    EXPECT_EQ(keys.CommaText(), u"SkinRect,fontname,a,dup,hex,HEX2,dollar,neg,bad,one,colour");
    ini.ReadSections(&keys);
    EXPECT_EQ(keys.CommaText(), u"Button,\"only comment\",bare,twice");
}

TEST(IniFiles, IntegerRule)
{
    struct { const char16_t* text; bool ok; Integer v; } cases[] = {
        {u"0x10", true, 16}, {u"0x", false, 0}, {u"0xG", false, 0}, {u"-0x10", false, 0},
        {u" 0x10", false, 0}, {u"0xFFFFFFFF", true, -1}, {u"0x100000000", false, 0},
        {u"12", true, 12}, {u"  12", true, 12}, {u"$ff", true, 255}, {u"", false, 0}, {u"1.0", false, 0}};
    for (auto& c : cases) {
        Integer v = 0;
        EXPECT_EQ(TCustomIniFile::TryIniTextToInt(c.text, v), c.ok) << String(c.text).size();
        if (c.ok) {
            EXPECT_EQ(v, c.v);
        }
    }
}

TEST(IniFiles, WritingEditingAndFileRoundTrip)
{
    String name = GetTempDirectory() + u"lm_ini_" + IntToStr(Random(1000000)) + u".ini";
    {
        TMemIniFile ini(name);
        ini.WriteString(u"VERSION", u"skinname", u"Rire");
        ini.WriteInteger(u"VERSION", u"ver", 2);
        ini.WriteBool(u"opts", u"flag", true);
        ini.WriteString(u"opts", u"gone", u"x");
        ini.WriteString(u"erase", u"k", u"v");
        ini.WriteString(u"version", u"SKINNAME", u"Other");  // same key, other case: replaced
        ini.DeleteKey(u"opts", u"gone");
        ini.EraseSection(u"ERASE");
        ini.UpdateFile();
    }
    TStringList text;
    text.LoadFromFile(name);
    EXPECT_EQ(text.Text(), u"[VERSION]\r\nskinname=Other\r\nver=2\r\n\r\n[opts]\r\nflag=1\r\n\r\n");
    TMemIniFile again(name);
    EXPECT_EQ(again.ReadInteger(u"version", u"ver", 0), 2);
    EXPECT_TRUE(again.ReadBool(u"OPTS", u"flag", false));
    EXPECT_FALSE(again.SectionExists(u"erase"));
    EXPECT_TRUE(DeleteFile(name));
}

TEST(IniFiles, UnicodeFileKeepsItsEncoding)
{
    String name = GetTempDirectory() + u"lm_ini_u_" + IntToStr(Random(1000000)) + u".ini";
    {
        TStringList l;
        l.Add(u"[皮肤]");
        l.Add(u"名称=简洁");
        l.SaveToFile(name, TEncoding::UTF8());
    }
    TMemIniFile ini(name);
    EXPECT_EQ(ini.ReadString(u"皮肤", u"名称", u""), u"简洁");
    ini.WriteString(u"皮肤", u"作者", u"我");
    ini.UpdateFile();
    TMemIniFile again(name);
    EXPECT_EQ(again.ReadString(u"皮肤", u"作者", u""), u"我");
    EXPECT_EQ(again.Encoding(), TEncoding::UTF8());
    EXPECT_TRUE(DeleteFile(name));
}
