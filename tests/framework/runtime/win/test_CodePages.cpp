// The built-in code page tables against the system's converter, code by code.
#include <gtest/gtest.h>

#include "framework/runtime/CodePages.h"
#include "framework/runtime/SysUtils.h"
#include "framework/runtime/win/WinPlatform.h"

namespace {

String SystemDecode(const AnsiString& S, UINT cp)
{
    wchar_t out[16];
    int n = MultiByteToWideChar(cp, 0, S.data(), static_cast<int>(S.size()), out, 16);
    return String(reinterpret_cast<char16_t*>(out), n > 0 ? n : 0);
}

AnsiString SystemEncode(const String& S, UINT cp)
{
    char out[16];
    int n = WideCharToMultiByte(cp, 0, WStr(S), static_cast<int>(S.size()), out, 16, nullptr, nullptr);
    return AnsiString(out, n > 0 ? n : 0);
}

}  // namespace

class CodePages : public testing::TestWithParam<Cardinal> {};

TEST_P(CodePages, AgreeWithTheSystem)
{
    const Cardinal cp = GetParam();
    int bad = 0;
    for (int b = 0; b < 256 && bad < 10; ++b) {
        AnsiString s(1, static_cast<char>(b));
        if (TableAnsiToString(s, cp) != SystemDecode(s, cp)) ADD_FAILURE() << "byte " << b, ++bad;
        for (int t = 0; t < 256 && bad < 10; ++t) {
            AnsiString p{static_cast<char>(b), static_cast<char>(t)};
            if (TableAnsiToString(p, cp) != SystemDecode(p, cp)) ADD_FAILURE() << "bytes " << b << " " << t, ++bad;
        }
    }
    for (int u = 1; u < 0x10000 && bad < 20; ++u) {
        String s(1, static_cast<char16_t>(u));
        if (TableStringToAnsi(s, cp) != SystemEncode(s, cp)) ADD_FAILURE() << "character " << u, ++bad;
    }
    String pair = u"a\U0001F600b";
    EXPECT_EQ(TableStringToAnsi(pair, cp), SystemEncode(pair, cp));
}

INSTANTIATE_TEST_SUITE_P(Tables, CodePages, testing::Values(936u, 1252u));
