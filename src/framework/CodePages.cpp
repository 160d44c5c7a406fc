#include "framework/CodePages.h"

#include <algorithm>

namespace {

// 0x80..0x9F of code page 1252; the five undefined bytes map to the C1
// control of the same value, as the system does.
const char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

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

int Cp1252Byte(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
    for (int i = 0; i < 32; ++i)
        if (Cp1252High[i] == c) return 0x80 + i;
    return -1;
}

AnsiString StringToCp1252(const String& S)
{
    AnsiString r;
    r.reserve(S.size());
    for (size_t i = 0; i < S.size(); ++i) {
        Char c = S[i];
        // A surrogate pair is one character: one '?'.
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < S.size() && S[i + 1] >= 0xDC00 && S[i + 1] <= 0xDFFF) ++i;
        int b = Cp1252Byte(c);
        r += b < 0 ? '?' : static_cast<char>(b);
    }
    return r;
}

}  // namespace

bool IsTableCodePage(Cardinal CodePage)
{
    return CodePage == 1252;
}

AnsiString TableStringToAnsi(const String& S, Cardinal CodePage)
{
    (void)CodePage;
    return StringToCp1252(S);
}

String TableAnsiToString(const AnsiString& S, Cardinal CodePage)
{
    (void)CodePage;
    return Cp1252ToString(S);
}
