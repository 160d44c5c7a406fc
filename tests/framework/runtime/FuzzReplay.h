// Replays a saved fuzzing corpus (and the inputs that once failed) through the
// test program's fuzz target, so every build checks them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "framework/runtime/Classes.h"
#include "framework/runtime/SysUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size);

// Every file of Folder through the target; returns how many there were.
inline int ReplayFuzzCorpus(const char* Folder)
{
    const String dir = IncludeTrailingPathDelimiter(Str(Folder));
    TSearchRec r;
    int files = 0;
    for (Integer rc = FindFirst(dir + u"*", 0, r); rc == 0; rc = FindNext(r)) {
        TMemoryStream m;
        m.LoadFromFile(dir + r.Name);
        LLVMFuzzerTestOneInput(static_cast<const uint8_t*>(m.Memory()), static_cast<size_t>(m.Size()));
        ++files;
    }
    FindClose(r);
    return files;
}
