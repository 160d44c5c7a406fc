#include <gtest/gtest.h>

#include "skin/model/SFIniCodecs.h"

namespace {

std::unique_ptr<TMemIniFile> Ini(const String& Text)
{
    auto ini = std::make_unique<TMemIniFile>(u"");
    ini->SetText(Text);
    return ini;
}

String ConvertErrorOf(const std::function<void()>& Action)
{
    try {
        Action();
    } catch (const EConvertError& e) {
        return e.Message();
    }
    return u"<no error>";
}

}  // namespace

TEST(SFIniCodecs, RectanglesAndPoints)
{
    struct {
        const char16_t* text;
        TRect rect;
    } rects[] = {
        {u"-3,4,10,20", {3, 4, 10, 20}},       // the sign is dropped
        {u"1 , 2,+3 ,4.0", {1, 2, 3, 40}},     // blanks, "+" and "." are dropped too
        {u"1,2,3,4,5", {1, 2, 3, 4}},          // a fifth part is ignored
        {u"0,0,2147483647,7", {0, 0, 2147483647, 7}},
    };
    for (auto& r : rects) EXPECT_EQ(ParseRectText(r.text), r.rect) << RectToText(r.rect).size();
    EXPECT_EQ(ParsePointText(u"5 , 6"), Point(5, 6));
    EXPECT_EQ(ParsePointText(u"5,6,7"), Point(5, 6));

    // The error names the first part that fails, counted from the last one.
    struct {
        const char16_t* text;
        bool point;
        const char16_t* error;
    } bad[] = {
        {u"1,2,3", false, u"'' is not a valid integer value"},
        {u"", false, u"'' is not a valid integer value"},
        {u"1,x,3,4", false, u"'' is not a valid integer value"},
        {u"1,2,3,2147483648", false, u"'2147483648' is not a valid integer value"},
        {u"7", true, u"'' is not a valid integer value"},
    };
    for (auto& b : bad) {
        const String error = ConvertErrorOf([&] {
            if (b.point) ParsePointText(b.text);
            else ParseRectText(b.text);
        });
        EXPECT_EQ(error, b.error) << String(b.text).size();
    }
    EXPECT_EQ(RectToText({-1, 2, -3, 4}), u"-1,2,-3,4");
    EXPECT_EQ(PointToText({-5, 6}), u"-5,6");
}

TEST(SFIniCodecs, ValuesFromTheText)
{
    auto ini = Ini(u"[button]\r\n"
                   u"SkinRect=-3,4,10,20\r\n"
                   u"emptyrect=\r\n"
                   u"lefttoppoint=5 , 6\r\n"
                   u"b1=1\r\nb01=01\r\nbhex=0x1\r\nb2=2\r\nbyes=yes\r\nbempty=\r\n"
                   u"i16=0x10\r\nibad=abc\r\niempty=\r\ncolour=-16777201\r\n"
                   u"dup=1\r\ndup=2\r\n"
                   u"[Button]\r\n"     // a later occurrence replaces the section: nothing above is seen
                   u"late=1\r\n"
                   u"[b2]\r\n"
                   u"skinrect=1,2,3,4\r\n"
                   u"emptyrect=\r\n"
                   u"lefttoppoint=5 , 6\r\n"
                   u"b1=1\r\nb01=01\r\nbhex=0x1\r\nb2=2\r\nbyes=yes\r\nbempty=\r\n"
                   u"i16=0x10\r\nibad=abc\r\niempty=\r\ncolour=-16777201\r\n"
                   u"dup=1\r\ndup=2\r\n");
    TRect r{9, 9, 9, 9};
    ReadRect(ini.get(), u"button", u"skinrect", r);
    EXPECT_EQ(r, TRect());  // the section seen is the later one, without the key
    ReadRect(ini.get(), u"b2", u"SKINRECT", r);
    EXPECT_EQ(r, Rect(1, 2, 3, 4));
    ReadRect(ini.get(), u"b2", u"missing", r);
    EXPECT_EQ(r, TRect());
    // An empty value is not a missing key: it is read, and fails.
    EXPECT_NE(ConvertErrorOf([&] { ReadRect(ini.get(), u"b2", u"emptyrect", r); }), u"<no error>");
    TPoint p;
    ReadPoint(ini.get(), u"b2", u"lefttoppoint", p);
    EXPECT_EQ(p, Point(5, 6));

    struct {
        const char16_t* key;
        bool value;
    } flags[] = {{u"b1", true},  {u"b01", true},    {u"bhex", true},    {u"b2", false},
                 {u"byes", false}, {u"bempty", false}, {u"missing", false}};
    for (auto& f : flags) EXPECT_EQ(ReadBoolean(ini.get(), u"b2", f.key), f.value) << String(f.key).size();

    struct {
        const char16_t* key;
        Integer value;
    } ints[] = {{u"i16", 16}, {u"ibad", -7}, {u"iempty", -7}, {u"missing", -7},
                {u"colour", static_cast<Integer>(0xFF00000F)}, {u"dup", 2}};
    for (auto& i : ints) EXPECT_EQ(ini->ReadInteger(u"b2", i.key, -7), i.value) << String(i.key).size();
}

TEST(SFIniCodecs, FontStylesAndWords)
{
    auto ini = Ini(u"[s]\r\n"
                   u"f1=fsitalic,fsbold\r\nf2=Bold\r\nf3=fsboldx\r\nf4=fsstrikeout;fsunderline\r\nf5=\r\n"
                   u"stretch1=STFULL\r\nstretch2=stvert\r\nstretch3=\r\n"
                   u"align1=center\r\nalign2=taleftjustify\r\n"
                   u"morph1=MKPUSH\r\nmorph2=mkpush\r\n"
                   u"effect1=ienoise\r\neffect2=noise\r\n"
                   u"command=close\r\ngauge1=gkvertical\r\ngauge2=\r\n"
                   u"frames=vertical\r\nregulator=rkhorizontal\r\n");
    struct {
        const char16_t* key;
        TFontStyles styles;
    } styles[] = {{u"f1", fsBold | fsItalic}, {u"f2", 0}, {u"f3", fsBold}, {u"f4", fsStrikeOut | fsUnderline},
                  {u"f5", 0}, {u"missing", 0}};
    for (auto& s : styles) EXPECT_EQ(ReadFontStyles(ini.get(), u"s", s.key), s.styles) << String(s.key).size();

    EXPECT_EQ(ReadStretchType(ini.get(), u"s", u"stretch1"), sfstHorz);
    EXPECT_EQ(ReadStretchType(ini.get(), u"s", u"stretch2"), sfstVert);
    EXPECT_EQ(ReadStretchType(ini.get(), u"s", u"stretch3"), sfstHorz);  // empty is "any other text"
    EXPECT_EQ(ReadStretchType(ini.get(), u"s", u"missing"), sfstFull);
    EXPECT_EQ(ReadAlignment(ini.get(), u"s", u"align1"), taRightJustify);
    EXPECT_EQ(ReadAlignment(ini.get(), u"s", u"align2"), taLeftJustify);
    EXPECT_EQ(ReadAlignment(ini.get(), u"s", u"missing"), taCenter);
    EXPECT_EQ(ReadMorphKind(ini.get(), u"s", u"morph1"), mkDefault);
    EXPECT_EQ(ReadMorphKind(ini.get(), u"s", u"morph2"), mkPush);
    EXPECT_EQ(ReadInActiveEffect(ini.get(), u"s", u"effect1"), ieNoise);
    EXPECT_EQ(ReadInActiveEffect(ini.get(), u"s", u"effect2"), ieGrayScale);
    EXPECT_EQ(ReadInActiveEffect(ini.get(), u"s", u"missing"), ieBrightness);
    const auto word = [&](const char16_t* Key, auto Type) {
        return static_cast<decltype(Type)>(ReadSkinWord(ini.get(), u"s", Key, SkinWordsOf(Type)));
    };
    EXPECT_EQ(word(u"command", TStdCommand{}), cmMinimizeToTray);
    EXPECT_EQ(word(u"missing", TStdCommand{}), cmDefault);
    EXPECT_EQ(word(u"gauge1", TGaugeKind{}), gkVertical);
    EXPECT_EQ(word(u"gauge2", TGaugeKind{}), gkVertical);
    EXPECT_EQ(word(u"missing", TGaugeKind{}), gkHorizontal);
    EXPECT_EQ(word(u"frames", TFramesPlacement{}), fpVertical);
    EXPECT_EQ(word(u"regulator", TRegulatorKind{}), rkHorizontal);
    EXPECT_EQ(word(u"missing", TRegulatorKind{}), rkRound);

    // Writers give the words (and the style words in their fixed order).
    TMemIniFile out(u"");
    WriteFontStyles(&out, u"w", u"f", fsStrikeOut | fsBold | fsUnderline);
    WriteFontStyles(&out, u"w", u"none", 0);
    WriteAlignment(&out, u"w", u"a", taRightJustify);
    WriteStretchType(&out, u"w", u"s", sfstVert);
    WriteMorphKind(&out, u"w", u"m", mkRightSlide);
    WriteInActiveEffect(&out, u"w", u"e", ieSplitBlur);
    WriteBoolean(&out, u"w", u"b", true);
    WriteRect(&out, u"w", u"r", {1, 2, 3, 4});
    WritePoint(&out, u"w", u"p", {5, 6});
    TStringList lines;
    out.GetStrings(&lines);
    EXPECT_EQ(lines.Text(), u"[w]\r\nf=fsbold,fsunderline,fsstrikeout\r\nnone=\r\na=tarightjustify\r\ns=stvert\r\n"
                            u"m=mkrightslide\r\ne=iesplitblur\r\nb=1\r\nr=1,2,3,4\r\np=5,6\r\n\r\n");
}

TEST(SFIniCodecs, TextLinesAndIndexedLists)
{
    auto ini = Ini(u"[s]\r\n"
                   u"symbolslinecount=2\r\nsymbolsline0=abc\r\n"
                   u"activepicturescount=3\r\n0=a.bmp\r\n1=b.bmp\r\n2=c.bmp\r\n"
                   u"[huge]\r\n"
                   u"symbolslinecount=2000000000\r\n"
                   u"[negative]\r\n"
                   u"count=-4\r\n0=x\r\n");
    TStringList list;
    list.Add(u"kept");
    ReadTextLines(ini.get(), u"s", u"symbols", &list);
    EXPECT_EQ(list.Text(), u"kept\r\nabc\r\n\r\n");  // appended; the missing line is empty
    list.Clear();
    ReadIndexedList(ini.get(), u"s", u"activepictures", &list);
    EXPECT_EQ(list.Text(), u"a.bmp\r\nb.bmp\r\nc.bmp\r\n");
    list.Clear();
    ReadIndexedList(ini.get(), u"negative", u"", &list);
    EXPECT_EQ(list.Count(), 0);
    // A hostile count is bounded rather than making two billion lines.
    ReadTextLines(ini.get(), u"huge", u"symbols", &list);
    EXPECT_EQ(list.Count(), MaxSkinListCount);

    TMemIniFile out(u"");
    list.Clear();
    list.Add(u"x=y");
    list.Add(u"");
    WriteTextLines(&out, u"w", u"symbols", &list);
    WriteIndexedList(&out, u"p", u"cursors", &list);
    TStringList lines;
    out.GetStrings(&lines);
    EXPECT_EQ(lines.Text(), u"[w]\r\nsymbolslinecount=2\r\nsymbolsline0=x=y\r\nsymbolsline1=\r\n\r\n"
                            u"[p]\r\ncursorscount=2\r\n0=x=y\r\n1=\r\n\r\n");
}

TEST(SFIniCodecs, IsSkinIniFile)
{
    const String required = u"[VERSION]\r\nskinname=a\r\n[PICTURES]\r\npicture=p.bmp\r\n[FORMINFO]\r\nx=1\r\n"
                            u"[SKINOBJECTS]\r\ncount=0\r\n";
    EXPECT_TRUE(IsSkinIniFile(Ini(required + u"[skincontrols]\r\ncount=0\r\n").get()));
    EXPECT_FALSE(IsSkinIniFile(Ini(required).get()));
    // A section holding only a comment does not exist.
    EXPECT_FALSE(IsSkinIniFile(Ini(required + u"[SKINCONTROLS]\r\n; none\r\n").get()));
    EXPECT_TRUE(IsSkinIniFile(Ini(required + u"[SKINCONTROLS]\r\nno equals sign\r\n").get()));
}
