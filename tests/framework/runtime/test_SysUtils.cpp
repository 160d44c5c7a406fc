#include <gtest/gtest.h>

#include "framework/runtime/SysUtils.h"

TEST(SysUtils, StrToIntFamily)
{
    struct { const char16_t* s; bool ok; Integer v; } cases[] = {
        {u"0", true, 0}, {u"42", true, 42}, {u"-42", true, -42}, {u"+7", true, 7},
        {u"$1F", true, 31}, {u"0x1F", true, 31}, {u"0X1f", true, 31}, {u"-$10", true, -16},
        {u"$FFFFFFFF", true, -1}, {u"2147483647", true, 2147483647}, {u"-2147483648", true, INT32_MIN},
        {u"  12", true, 12},
        {u"2147483648", false, 0}, {u"1F", false, 0}, {u"", false, 0}, {u"$", false, 0},
        {u"12 ", false, 0}, {u"1.5", false, 0}, {u"$100000000", false, 0}, {u"-", false, 0}};
    for (auto& c : cases) {
        Integer v = -999;
        EXPECT_EQ(TryStrToInt(c.s, v), c.ok) << String(c.s).size();
        if (c.ok) {
            EXPECT_EQ(v, c.v);
        }
    }
    EXPECT_EQ(StrToIntDef(u"$1F", 0), 31);
    EXPECT_EQ(StrToIntDef(u"0x1F", 0), 31);
    EXPECT_EQ(StrToIntDef(u"1F", 7), 7);
    try {
        StrToInt(u"x");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), u"'x' is not a valid integer value");
    }
    EXPECT_EQ(StrToInt64(u"-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(IntToStr(-123), u"-123");
    EXPECT_EQ(IntToStr(INT64_MIN), u"-9223372036854775808");
    EXPECT_EQ(IntToHex(255, 4), u"00FF");
    EXPECT_EQ(IntToHex(-1, 2), u"FFFFFFFFFFFFFFFF");
}

TEST(SysUtils, FloatsWriteWithPointAndReadBoth)
{
    struct { double v; const char16_t* s; } w[] = {
        {0, u"0"}, {1.5, u"1.5"}, {-1.5, u"-1.5"}, {0.1, u"0.1"}, {1.0 / 3, u"0.333333333333333"},
        {100, u"100"}, {1e15, u"1E15"}, {123456789012345.0, u"123456789012345"}, {0.0001, u"0.0001"},
        {0.00001, u"1E-5"}, {1.25e-10, u"1.25E-10"}, {2.0 / 3, u"0.666666666666667"}};
    for (auto& c : w) EXPECT_EQ(FloatToStr(c.v), c.s) << c.v;
    EXPECT_EQ(FloatToStrF(2.345, ffFixed, 15, 2), u"2.35");  // 2.345 is stored a little above
    EXPECT_EQ(FloatToStrF(2.5, ffFixed, 15, 0), u"2");
    EXPECT_EQ(FloatToStrF(-0.001, ffFixed, 15, 2), u"0.00");
    EXPECT_EQ(FloatToStrF(1234567.891, ffNumber, 15, 2), u"1,234,567.89");

    Extended v;
    EXPECT_TRUE(TryStrToFloat(u"1.5", v));
    EXPECT_EQ(v, 1.5);
    EXPECT_TRUE(TryStrToFloat(u"1,5", v));
    EXPECT_EQ(v, 1.5);
    EXPECT_TRUE(TryStrToFloat(u" -2.5E3 ", v));
    EXPECT_EQ(v, -2500);
    for (const char16_t* bad : {u"", u"abc", u"1.5x", u"inf", u"nan", u"--1", u"1.2.3", u"0x10"})
        EXPECT_FALSE(TryStrToFloat(bad, v)) << String(bad).size();
    EXPECT_THROW(StrToFloat(u"x"), EConvertError);
}

TEST(SysUtils, FormatSubset)
{
    EXPECT_EQ(Format(u"%d|%5d|%-5d|%.3d", {7, 7, 7, 7}), u"7|    7|7    |007");
    EXPECT_EQ(Format(u"%s and %s and %s", {u"a", String(u"b"), "c"}), u"a and b and c");
    EXPECT_EQ(Format(u"%x %.4x %X", {255, 255, -1}), u"FF 00FF FFFFFFFF");
    EXPECT_EQ(Format(u"%f %.1f %.0f", {1.5, 2.25, 2.5}), u"1.50 2.2 2");
    EXPECT_EQ(Format(u"%n %0.2n %.0n", {1234567.5, 1000.0, 999.0}), u"1,234,567.50 1,000.00 999");
    EXPECT_EQ(Format(u"%e", {1234.5}), u"1.23450000000000E+003");
    EXPECT_EQ(Format(u"%g", {0.5}), u"0.5");
    EXPECT_EQ(Format(u"%1:s %0:s %%", {u"a", u"b"}), u"b a %");
    EXPECT_EQ(Format(u"%*d", {4, 1}), u"   1");
    EXPECT_EQ(Format(u"List index out of bounds (%d)", {-1}), u"List index out of bounds (-1)");
    EXPECT_THROW(Format(u"%d", {u"x"}), EConvertError);
    EXPECT_THROW(Format(u"%d %d", {1}), EConvertError);
    EXPECT_THROW(Format(u"%", {1}), EConvertError);
}

TEST(SysUtils, StringRoutines)
{
    EXPECT_EQ(Pos(u"b", u"abcb"), 2);
    EXPECT_EQ(Pos(u"b", u"abcb", 3), 4);
    EXPECT_EQ(Pos(u"x", u"abc"), 0);
    EXPECT_EQ(Pos(u"", u"abc"), 0);
    EXPECT_EQ(Copy(u"abcdef", 2, 3), u"bcd");
    EXPECT_EQ(Copy(u"abcdef", 0, 2), u"ab");
    EXPECT_EQ(Copy(u"abcdef", 5, 100), u"ef");
    EXPECT_EQ(Copy(u"abcdef", 7, 1), u"");
    String s = u"abcdef";
    Delete(s, 2, 2);
    EXPECT_EQ(s, u"adef");
    Insert(u"XY", s, 2);
    EXPECT_EQ(s, u"aXYdef");
    Insert(u"!", s, 100);
    EXPECT_EQ(s, u"aXYdef!");
    EXPECT_EQ(Trim(u" \t a b \r\n"), u"a b");
    EXPECT_EQ(TrimLeft(u"  a "), u"a ");
    EXPECT_EQ(TrimRight(u"  a "), u"  a");
    EXPECT_EQ(UpperCase(u"abcÄé"), u"ABCÄé");
    EXPECT_EQ(AnsiUpperCase(u"abcäéяω"), u"ABCÄÉЯΩ");
    EXPECT_EQ(AnsiLowerCase(u"ÄÉЯΩI"), u"äéяωi");
    EXPECT_TRUE(SameText(u"Hello", u"hELLO"));
    EXPECT_FALSE(SameText(u"é", u"É"));
    EXPECT_TRUE(AnsiSameText(u"é", u"É"));
    EXPECT_LT(CompareText(u"abc", u"ABD"), 0);
    EXPECT_GT(CompareText(u"abcd", u"ABC"), 0);
    EXPECT_EQ(CompareText(u"abc", u"ABC"), 0);
    EXPECT_LT(CompareStr(u"ABC", u"abc"), 0);
    EXPECT_EQ(StringReplace(u"aXbxc", u"x", u"-", rfReplaceAll), u"aXb-c");
    EXPECT_EQ(StringReplace(u"aXbxc", u"x", u"-", rfReplaceAll | rfIgnoreCase), u"a-b-c");
    EXPECT_EQ(StringReplace(u"aXbxc", u"x", u"-", rfIgnoreCase), u"a-bxc");
    EXPECT_EQ(StringReplace(u"aaa", u"aa", u"b", rfReplaceAll), u"ba");
    EXPECT_EQ(QuotedStr(u"it's"), u"'it''s'");
    EXPECT_EQ(AnsiDequotedStr(u"'it''s'", u'\''), u"it's");
}

TEST(SysUtils, Utf8RoundTripAndMalformedBytes)
{
    String s = u"aé中\U0001F600z";
    UTF8String u = UTF8Encode(s);
    EXPECT_EQ(u, "a\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80z");
    EXPECT_EQ(UTF8ToString(u), s);
    EXPECT_EQ(UTF8ToString("a\xFF" "b"), u"a\uFFFDb");
    EXPECT_EQ(UTF8ToString("\xC0\xAF"), u"\uFFFD\uFFFD");   // overlong
    EXPECT_EQ(UTF8ToString("\xE4\xB8"), u"\uFFFD");         // cut short
    EXPECT_EQ(UTF8Encode(String(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(SysUtils, AnsiCodePage1252)
{
    String s = u"A€é\u0081Ÿ";
    AnsiString a = StringToAnsi(s, 1252);
    EXPECT_EQ(a, "A\x80\xE9\x81\x9F");
    EXPECT_EQ(AnsiToString(a, 1252), s);
    EXPECT_EQ(StringToAnsi(u"中", 1252), "?");
}

TEST(SysUtils, FileNames)
{
    struct { const char16_t *name, *path, *file, *ext, *dir; } cases[] = {
        {u"C:\\a\\b.txt", u"C:\\a\\", u"b.txt", u".txt", u"C:\\a"},
        {u"C:\\b.tar.gz", u"C:\\", u"b.tar.gz", u".gz", u"C:\\"},
        {u"b", u"", u"b", u"", u""},
        {u"C:\\a.d\\b", u"C:\\a.d\\", u"b", u"", u"C:\\a.d"},
        {u"/tmp/x/y.png", u"/tmp/x/", u"y.png", u".png", u"/tmp/x"},
        {u"C:x.bmp", u"C:", u"x.bmp", u".bmp", u"C:"}};
    for (auto& c : cases) {
        EXPECT_EQ(ExtractFilePath(c.name), c.path);
        EXPECT_EQ(ExtractFileName(c.name), c.file);
        EXPECT_EQ(ExtractFileExt(c.name), c.ext);
        EXPECT_EQ(ExtractFileDir(c.name), c.dir);
    }
    EXPECT_EQ(ChangeFileExt(u"C:\\a.d\\b", u".png"), u"C:\\a.d\\b.png");
    EXPECT_EQ(ChangeFileExt(u"C:\\a\\b.jpg", u".vuxa"), u"C:\\a\\b.vuxa");
    EXPECT_EQ(ChangeFileExt(u"C:\\a\\b.jpg", u""), u"C:\\a\\b");
    EXPECT_EQ(IncludeTrailingPathDelimiter(u"C:\\a"), u"C:\\a\\");
    EXPECT_EQ(IncludeTrailingPathDelimiter(u"C:\\a\\"), u"C:\\a\\");
    EXPECT_EQ(ExcludeTrailingPathDelimiter(u"C:\\a\\"), u"C:\\a");
    EXPECT_EQ(ExtractFileDrive(u"C:\\a"), u"C:");
}

TEST(SysUtils, Dates)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
    EXPECT_EQ(EncodeDate(2000, 1, 1), 36526);
    EXPECT_EQ(EncodeDate(1899, 12, 29), -1);
    EXPECT_THROW(EncodeDate(2001, 2, 29), EConvertError);
    Word y, m, d;
    for (TDateTime t : {-600000.0, -1.0, 0.0, 36526.0, 45000.0, 2958465.0}) {
        DecodeDate(t, y, m, d);
        EXPECT_EQ(EncodeDate(y, m, d), t);
    }
    DecodeDate(EncodeDate(2024, 2, 29) + 0.75, y, m, d);
    EXPECT_EQ(y, 2024);
    EXPECT_EQ(m, 2);
    EXPECT_EQ(d, 29);
    EXPECT_EQ(DayOf(EncodeDate(2024, 3, 17)), 17);
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 17)), 1);  // a Sunday
    EXPECT_EQ(DateToStr(EncodeDate(2024, 3, 7)), u"2024-03-07");
    EXPECT_EQ(FormatDateTime(u"yyyymmdd hh:nn:ss.zzz", EncodeDate(2024, 3, 7) + EncodeTime(13, 5, 9, 42)),
              u"20240307 13:05:09.042");
    TDateTime now = Now();
    EXPECT_GT(now, EncodeDate(2020, 1, 1));
}

#include <set>

#include "framework/runtime/Classes.h"

TEST(SysUtils, FindFirstAndFileAge)
{
    String dir = GetTempDirectory() + u"lm_find_" + IntToStr(Random(1000000)) + u"\\";
    ASSERT_TRUE(ForceDirectories(dir + u"c.dat"));
    for (const char16_t* n : {u"a.dat", u"b.DAT", u"x.txt", u"datfile"}) {
        TFileStream f(dir + n, fmCreate);
        f.WriteBuffer("12345", 5);
    }
    auto list = [&](const String& pattern, Integer attr) {
        std::set<String> names;
        TSearchRec r;
        for (Integer rc = FindFirst(dir + pattern, attr, r); rc == 0; rc = FindNext(r)) {
            names.insert(r.Name + ((r.Attr & faDirectory) ? u"\\" : u""));
            if (!(r.Attr & faDirectory)) {
                EXPECT_EQ(r.Size, 5);
            }
        }
        FindClose(r);
        return names;
    };
    EXPECT_EQ(list(u"*.dat", 0), (std::set<String>{u"a.dat", u"b.DAT"}));
    EXPECT_EQ(list(u"*.dat", faDirectory), (std::set<String>{u"a.dat", u"b.DAT", u"c.dat\\"}));
    EXPECT_EQ(list(u"?.txt", faAnyFile), (std::set<String>{u"x.txt"}));
    std::set<String> all = list(u"*.*", 0);
    EXPECT_EQ(all.size(), 4u);
    TSearchRec r;
    EXPECT_NE(FindFirst(dir + u"*.none", faAnyFile, r), 0);
    FindClose(r);
    EXPECT_NE(FindFirst(dir + u"missing\\*", faAnyFile, r), 0);
    FindClose(r);

    TDateTime age;
    ASSERT_TRUE(FileAge(dir + u"a.dat", age));
    EXPECT_LT(std::abs(age - Now()), 1.0 / 24);  // written just now (an hour of slack for clocks)
    EXPECT_FALSE(FileAge(dir + u"nothere", age));
    EXPECT_FALSE(FileAge(dir + u"c.dat", age));

    for (const char16_t* n : {u"a.dat", u"b.DAT", u"x.txt", u"datfile"}) EXPECT_TRUE(DeleteFile(dir + n));
    EXPECT_TRUE(RemoveDir(dir + u"c.dat"));
    EXPECT_TRUE(RemoveDir(dir));
}

#include "framework/runtime/CodePages.h"

TEST(SysUtils, AnsiCodePage936)
{
    // "中文 图像" and the euro sign, in code page 936.
    const AnsiString gbk = "\xD6\xD0\xCE\xC4 \xCD\xBC\xCF\xF1\x80";
    const String text = u"中文 图像€";
    EXPECT_EQ(TableAnsiToString(gbk, 936), text);
    EXPECT_EQ(TableStringToAnsi(text, 936), gbk);
    EXPECT_EQ(AnsiToString(gbk, 936), text);
    EXPECT_EQ(StringToAnsi(text, 936), gbk);
    // A lead byte at the end, or before a byte that cannot follow it.
    EXPECT_EQ(TableAnsiToString("a\xD6", 936), u"a?");
    EXPECT_EQ(TableAnsiToString(AnsiString("\xD6\0b", 3), 936), String(u"?\0b", 3));
    EXPECT_EQ(TableAnsiToString("\xD6\x30z", 936), u"?z");
    EXPECT_EQ(TableStringToAnsi(u"\U0001F600", 936), "??");
}

TEST(SysUtils, StringListInCodePage936WithoutBom)
{
    const RawByteString bytes = "\xC6\xA4\xB7\xF4=\xBC\xF2\xBD\xE0\r\n";  // 皮肤=简洁
    {
        TStringStream s{bytes};
        TStringList l;
        l.LoadFromStream(&s, TEncoding::GetCodePage(936));
        EXPECT_EQ(l.Values(u"皮肤"), u"简洁");
    }
#ifndef _WIN32
    // The host's system code page set to 936: no encoding named.
    SetDefaultAnsiCodePage(936);
    TStringStream s{bytes};
    TStringList l;
    l.LoadFromStream(&s);
    EXPECT_EQ(l.Values(u"皮肤"), u"简洁");
    TStringStream out{RawByteString()};
    l.SaveToStream(&out);
    EXPECT_EQ(out.Bytes(), bytes);
    SetDefaultAnsiCodePage(1252);
#endif
}
