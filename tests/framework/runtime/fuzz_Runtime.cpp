// Fuzz target of the runtime's readers of outside data: the INI reader (with
// the string list's encoding detection under it) and the decompressing stream.
// The first byte chooses the reader, the rest is its input. A libFuzzer program
// in a clang build (LM_FUZZ), replayed over its corpus in the host build (lm_fuzz).
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "framework/runtime/IniFiles.h"
#include "framework/runtime/ZLibStreams.h"

namespace {

void Check(bool Condition)
{
    if (!Condition) std::abort();
}

// Reads an INI text; what it writes back reads back the same.
void FuzzIni(const uint8_t* Data, size_t Size)
{
    TStringStream src{RawByteString(reinterpret_cast<const char*>(Data), Size)};
    TStringList lines;
    lines.LoadFromStream(&src);
    TMemIniFile ini(u"");
    ini.SetStrings(&lines);

    TStringList written;
    ini.GetStrings(&written);
    TMemIniFile again(u"");
    again.SetStrings(&written);

    TStringList sections, keys;
    ini.ReadSections(&sections);
    for (Integer i = 0; i < sections.Count(); ++i) {
        const String sec = sections[i];
        Check(again.SectionExists(sec) == ini.SectionExists(sec));
        ini.ReadSection(sec, &keys);
        for (Integer k = 0; k < keys.Count(); ++k) {
            const String v = ini.ReadString(sec, keys[k], u"\x1F");
            Check(again.ReadString(sec, keys[k], u"\x1F") == v);
            Check(ini.ReadInteger(sec, keys[k], 7) == again.ReadInteger(sec, keys[k], 7));
        }
    }
}

// Decompresses at most 4 MB; damaged data must end in EDecompressionError.
void FuzzInflate(const uint8_t* Data, size_t Size)
{
    TMemoryStream src;
    if (Size) src.WriteBuffer(Data, static_cast<Integer>(Size));
    src.SetPosition(0);
    try {
        TDecompressionStream d(&src);
        uint8_t buf[4096];
        size_t total = 0;
        Integer n;
        while (total < (4u << 20) && (n = d.Read(buf, sizeof buf)) > 0) total += n;
        d.Seek(0, soBeginning);
        d.Read(buf, 100);
    } catch (const EDecompressionError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    if (Size == 0) return 0;
    if (Data[0] & 1) FuzzInflate(Data + 1, Size - 1);
    else FuzzIni(Data + 1, Size - 1);
    return 0;
}
