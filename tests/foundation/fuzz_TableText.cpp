// libFuzzer entry for the table text reader (clang host build with LM_FUZZ=ON).
#include <cstdio>
#include <cstdlib>

#include "TableTextFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    std::string Error = FuzzTableText(Data, Size);
    if (!Error.empty()) {
        std::fprintf(stderr, "table text property failed: %s\n", Error.c_str());
        std::abort();
    }
    return 0;
}
