#include "framework/runtime/CodePages.h"

#include <array>
#include <memory>

namespace {

#include "framework/runtime/CodePages_Tables.inc"

// 0x80..0x9F of code page 1252; the five undefined bytes map to the C1
// control of the same value, as the system does.
const char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Character -> code, 0 for none (U+0000 is handled before the lookup). A code
// above 0xFF is a lead byte and a trail byte.
using TReverse = std::array<uint16_t, 65536>;

const TReverse& Cp1252Reverse()
{
    static const std::unique_ptr<TReverse> table = [] {
        auto t = std::make_unique<TReverse>();
        t->fill(0);
        for (size_t i = 0; i < std::size(Cp1252BestFit); i += 2) (*t)[Cp1252BestFit[i]] = Cp1252BestFit[i + 1];
        for (int b = 1; b < 256; ++b) (*t)[b >= 0x80 && b < 0xA0 ? Cp1252High[b - 0x80] : b] = static_cast<uint16_t>(b);
        return t;
    }();
    return *table;
}

const TReverse& Cp936Reverse()
{
    static const std::unique_ptr<TReverse> table = [] {
        auto t = std::make_unique<TReverse>();
        t->fill(0);
        for (size_t i = 0; i < std::size(Cp936BestFit); i += 2) (*t)[Cp936BestFit[i]] = Cp936BestFit[i + 1];
        for (size_t i = 0; i < std::size(Cp936Double); ++i) {
            unsigned lead = 0x81 + static_cast<unsigned>(i / 190), ti = static_cast<unsigned>(i % 190);
            unsigned trail = ti < 63 ? 0x40 + ti : 0x80 + ti - 63;
            (*t)[Cp936Double[i]] = static_cast<uint16_t>(lead << 8 | trail);
        }
        for (int b = 1; b < 0x80; ++b) (*t)[b] = static_cast<uint16_t>(b);
        (*t)[0x20AC] = 0x80;
        (*t)[0xF8F5] = 0xFF;
        return t;
    }();
    return *table;
}

String Cp1252ToString(const AnsiString& S)
{
    String r;
    r.reserve(S.size());
    for (char ch : S) {
        uint8_t b = static_cast<uint8_t>(ch);
        r += b >= 0x80 && b < 0xA0 ? Cp1252High[b - 0x80] : static_cast<Char>(b);
    }
    return r;
}

// A lead byte takes the next byte with it (except a NUL); a pair outside the
// table, or a lead byte at the end, reads as '?'.
String Cp936ToString(const AnsiString& S)
{
    String r;
    r.reserve(S.size());
    const size_t n = S.size();
    for (size_t i = 0; i < n; ++i) {
        uint8_t b = static_cast<uint8_t>(S[i]);
        if (b < 0x80) {
            r += static_cast<Char>(b);
        } else if (b == 0x80) {
            r += u'\x20AC';
        } else if (b == 0xFF) {
            r += u'\xF8F5';
        } else if (i + 1 >= n || S[i + 1] == 0) {
            r += u'?';
        } else {
            uint8_t t = static_cast<uint8_t>(S[++i]);
            if (t >= 0x40 && t <= 0xFE && t != 0x7F) r += Cp936Double[(b - 0x81) * 190 + (t < 0x7F ? t - 0x40 : t - 0x80 + 63)];
            else r += u'?';
        }
    }
    return r;
}

// Each UTF-16 unit without a form (a surrogate included) becomes one '?'.
AnsiString EncodeWith(const String& S, const TReverse& Rev)
{
    AnsiString r;
    r.reserve(S.size());
    for (Char c : S) {
        uint16_t code = c == 0 ? 0 : Rev[c];
        if (c != 0 && code == 0) r += '?';
        else if (code > 0xFF) {
            r += static_cast<char>(code >> 8);
            r += static_cast<char>(code & 0xFF);
        } else {
            r += static_cast<char>(code);
        }
    }
    return r;
}

}  // namespace

bool IsTableCodePage(Cardinal CodePage)
{
    return CodePage == 1252 || CodePage == 936;
}

AnsiString TableStringToAnsi(const String& S, Cardinal CodePage)
{
    return EncodeWith(S, CodePage == 936 ? Cp936Reverse() : Cp1252Reverse());
}

String TableAnsiToString(const AnsiString& S, Cardinal CodePage)
{
    return CodePage == 936 ? Cp936ToString(S) : Cp1252ToString(S);
}
