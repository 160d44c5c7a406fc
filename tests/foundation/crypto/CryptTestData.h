// Reading the published test vectors kept in tests/data/crypto/, and the small
// conversions the cipher tests share.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace CryptTest {

using Bytes = std::vector<uint8_t>;

// The lines of one "[section]" of a data file whose header starts with Prefix,
// without blank lines and "#" notes.
inline std::vector<std::string> Section(const std::string& File, const std::string& Prefix)
{
    const char* Root = std::getenv("LM_TEST_DATA");
    std::ifstream In(std::string(Root ? Root : "tests/data") + "/crypto/" + File);
    EXPECT_TRUE(In.good()) << "cannot read " << File;
    std::vector<std::string> Lines;
    std::string Line;
    bool Inside = false;
    while (std::getline(In, Line)) {
        if (!Line.empty() && Line.back() == '\r') Line.pop_back();
        if (!Line.empty() && Line[0] == '[') {
            Inside = Line.compare(1, Prefix.size(), Prefix) == 0;
            continue;
        }
        if (Inside && !Line.empty() && Line[0] != '#') Lines.push_back(Line);
    }
    EXPECT_FALSE(Lines.empty()) << "no section [" << Prefix << "] in " << File;
    return Lines;
}

// Whitespace-separated words of some lines.
inline std::vector<std::string> Words(const std::vector<std::string>& Lines)
{
    std::vector<std::string> Result;
    for (const std::string& Line : Lines) {
        std::istringstream s(Line);
        std::string w;
        while (s >> w) Result.push_back(w);
    }
    return Result;
}

inline Bytes Hex(const std::string& Text)
{
    auto Digit = [](char c) -> int {
        return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c - 'A' + 10;
    };
    Bytes Result;
    for (size_t i = 0; i + 1 < Text.size(); i += 2)
        Result.push_back(uint8_t(Digit(Text[i]) << 4 | Digit(Text[i + 1])));
    return Result;
}

inline std::string ToHex(const void* p, size_t n)
{
    static const char Digits[] = "0123456789abcdef";
    std::string s;
    for (size_t i = 0; i < n; ++i) {
        const uint8_t b = static_cast<const uint8_t*>(p)[i];
        s += Digits[b >> 4];
        s += Digits[b & 15];
    }
    return s;
}

inline std::string ToHex(const Bytes& b) { return ToHex(b.data(), b.size()); }

// The value of "name=value" among the words of a line, or "".
inline std::string Field(const std::string& Line, const std::string& Name)
{
    std::istringstream s(Line);
    std::string w;
    while (s >> w)
        if (w.compare(0, Name.size() + 1, Name + "=") == 0) return w.substr(Name.size() + 1);
    return std::string();
}

}  // namespace CryptTest
