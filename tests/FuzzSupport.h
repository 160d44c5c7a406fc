// What the fuzz targets share: a check that stops the run with a message, the
// input as a stream or a file, and a scratch folder of the process (removed
// when it ends). Readers of files get their input written there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "foundation/TempFolder.h"
#include "framework/runtime/Classes.h"

inline void FuzzCheck(bool Condition, const char* What)
{
    if (Condition) return;
    std::fprintf(stderr, "fuzz property failed: %s\n", What);
    std::abort();
}

inline const TTempFolder& FuzzScratch()
{
    static const TTempFolder Folder(u"lm_fuzz_");
    return Folder;
}

inline void FuzzWriteFile(const String& FileName, const uint8_t* Data, size_t Size)
{
    TFileStream File(FileName, fmCreate);
    if (Size) File.WriteBuffer(Data, static_cast<Integer>(Size));
}

inline void FuzzStream(TMemoryStream& Stream, const uint8_t* Data, size_t Size)
{
    if (Size) Stream.WriteBuffer(Data, static_cast<Integer>(Size));
    Stream.SetPosition(0);
}
