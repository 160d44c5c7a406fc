#include "foundation/crypto/Crypt_Base64.h"

#include "foundation/crypto/Crypt_Bits.h"

namespace {

const char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The value of a character; characters outside the alphabet (which no writer
// produces) count as 0 so that a damaged text still decodes to something.
uint8_t CharValue(uint8_t c)
{
    if (c >= 'A' && c <= 'Z') return uint8_t(c - 'A');
    if (c >= 'a' && c <= 'z') return uint8_t(c - 'a' + 26);
    if (c >= '0' && c <= '9') return uint8_t(c - '0' + 52);
    if (c == '+') return 62;
    if (c == '/') return 63;
    return 0;
}

}  // namespace

Cardinal EncodeBase64Buffer(const void* Input, void* Output, Cardinal Size)
{
    const uint8_t* In = static_cast<const uint8_t*>(Input);
    uint8_t* Out = static_cast<uint8_t*>(Output);
    Cardinal o = 0;
    Cardinal i = 0;
    for (; Size - i >= 3; i += 3) {
        const uint32_t v = uint32_t(In[i]) << 16 | uint32_t(In[i + 1]) << 8 | In[i + 2];
        Out[o++] = Alphabet[v >> 18];
        Out[o++] = Alphabet[(v >> 12) & 63];
        Out[o++] = Alphabet[(v >> 6) & 63];
        Out[o++] = Alphabet[v & 63];
    }
    if (Size - i == 1) {
        Out[o++] = Alphabet[In[i] >> 2];
        Out[o++] = Alphabet[(In[i] & 3) << 4];
        Out[o++] = '=';
        Out[o++] = '=';
    } else if (Size - i == 2) {
        Out[o++] = Alphabet[In[i] >> 2];
        Out[o++] = Alphabet[(In[i] & 3) << 4 | In[i + 1] >> 4];
        Out[o++] = Alphabet[(In[i + 1] & 15) << 2];
        Out[o++] = '=';
    }
    return o;
}

Cardinal DecodeBase64Buffer(const void* Input, void* Output, Cardinal Size)
{
    const uint8_t* In = static_cast<const uint8_t*>(Input);
    uint8_t* Out = static_cast<uint8_t*>(Output);
    Cardinal o = 0;
    for (Cardinal i = 0; i < Size / 4 * 4; i += 4) {
        const uint8_t a = CharValue(In[i]), b = CharValue(In[i + 1]);
        const uint8_t c = CharValue(In[i + 2]), d = CharValue(In[i + 3]);
        Out[o++] = uint8_t(a << 2 | b >> 4);
        if (In[i + 2] == '=') continue;
        Out[o++] = uint8_t(b << 4 | c >> 2);
        if (In[i + 3] == '=') continue;
        Out[o++] = uint8_t(c << 6 | d);
    }
    return o;
}

AnsiString EncodeBase64Ansi(const AnsiString& Text)
{
    AnsiString Result((Text.size() + 2) / 3 * 4, '\0');
    Result.resize(EncodeBase64Buffer(Text.data(), Result.data(), Cardinal(Text.size())));
    return Result;
}

AnsiString DecodeBase64Ansi(const AnsiString& Text)
{
    AnsiString Result(Text.size() / 4 * 3, '\0');
    Result.resize(DecodeBase64Buffer(Text.data(), Result.data(), Cardinal(Text.size())));
    return Result;
}

String EncodeBase64Wide(const String& Text)
{
    AnsiString Ascii = EncodeBase64Ansi(CryptBits::Utf16LeBytes(Text));
    return String(Ascii.begin(), Ascii.end());
}

String DecodeBase64Wide(const String& Text)
{
    AnsiString Bytes = DecodeBase64Ansi(Base64Narrow(Text));
    return CryptBits::FromUtf16LeBytes(reinterpret_cast<const uint8_t*>(Bytes.data()),
                                       Bytes.size() / 2);
}

AnsiString Base64Narrow(const String& Text)
{
    AnsiString Result(Text.size(), '\0');
    for (size_t i = 0; i < Text.size(); ++i) Result[i] = Text[i] < 0x80 ? char(Text[i]) : '?';
    return Result;
}
