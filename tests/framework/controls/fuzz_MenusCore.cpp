// Fuzz target of the short-cut and hotkey texts (short cuts read from
// settings, captions from language tables). The input is UTF-8 text. A
// libFuzzer program in a clang build (LM_FUZZ), replayed over its corpus in
// the host build (lm_fuzz).
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "framework/controls/MenusCore.h"
#include "framework/runtime/SysUtils.h"

namespace {

void Check(bool Condition)
{
    if (!Condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const String Text = UTF8ToString(RawByteString(reinterpret_cast<const char*>(Data), Size));
    // A short cut read from a text writes a text that reads back the same.
    if (const TShortCut S = TextToShortCut(Text)) {
        const String Written = ShortCutToText(S);
        Check(!Written.empty());
        Check(TextToShortCut(Written) == S);
    }
    // Stripping removes marks only: never longer, and nothing left to strip
    // but the "&" that stood for "&&".
    const String Plain = StripHotkey(Text);
    Check(Plain.size() <= Text.size());
    const Char Key = GetHotkey(Text);
    Check(Key == 0 || IsAccel(Key, Text));
    return 0;
}
