// Replays the saved fuzzing corpus (and the inputs that once failed) through
// the fuzz target, so every build checks them.
#include <gtest/gtest.h>

#include "framework/runtime/Classes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size);

TEST(FuzzReplay, SavedCorpus)
{
    const String dir = IncludeTrailingPathDelimiter(Str(LM_FUZZ_CORPUS));
    TSearchRec r;
    int files = 0;
    for (Integer rc = FindFirst(dir + u"*", 0, r); rc == 0; rc = FindNext(r)) {
        TMemoryStream m;
        m.LoadFromFile(dir + r.Name);
        LLVMFuzzerTestOneInput(static_cast<const uint8_t*>(m.Memory()), static_cast<size_t>(m.Size()));
        ++files;
    }
    FindClose(r);
    EXPECT_GT(files, 10);
}
