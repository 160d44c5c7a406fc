// libFuzzer entry for the salted text reader (clang host build with LM_FUZZ=ON).
// The input is read as UTF-16LE text; its first byte also picks a password.
// The reader must never fail loudly, and its result is never longer than the
// body it came from.
#include <cstdio>
#include <cstdlib>

#include "foundation/HyCrypUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    String Text(Size / 2, u'\0');
    for (size_t i = 0; i < Text.size(); ++i) Text[i] = char16_t(Data[2 * i] | Data[2 * i + 1] << 8);
    const String Password = Size && (Data[0] & 1) ? String(u"p\u00e4ss") : String();
    const String Plain = PwdDecryptStr(Text, Password);
    if (Plain.size() > Text.size()) {
        std::fprintf(stderr, "PwdDecryptStr: %zu characters from a text of %zu\n", Plain.size(), Text.size());
        std::abort();
    }
    return 0;
}
