// Fuzz target of the skin bitmap's readers of outside data: the bitmap and
// bitmap-link stream formats and the PCX reader. The first byte chooses the
// reader, the rest is its input. A libFuzzer program in a clang build (LM_FUZZ),
// replayed over its corpus in the host build (lm_fuzz).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "framework/runtime/SysUtils.h"
#include "skin/model/SFBitmap.h"

namespace {

void Check(bool Condition)
{
    if (!Condition) std::abort();
}

TMemoryStream* StreamOf(TMemoryStream& M, const uint8_t* Data, size_t Size)
{
    if (Size) M.WriteBuffer(Data, static_cast<Integer>(Size));
    M.SetPosition(0);
    return &M;
}

// A bitmap read is either refused (EReadError, bitmap unchanged) or writes
// back to a stream that reads back the same.
void FuzzBitmap(const uint8_t* Data, size_t Size)
{
    TMemoryStream M;
    TsfBitmap B;
    try {
        B.LoadFromStream(StreamOf(M, Data, Size));
    } catch (const EReadError&) {
        Check(B.Empty());
        return;
    }
    TMemoryStream Out;
    B.SaveToStream(&Out);
    Out.SetPosition(0);
    TsfBitmap Again;
    Again.LoadFromStream(&Out);
    Check(Again.Width() == B.Width() && Again.Height() == B.Height() && Again.Name() == B.Name());
    if (!B.Empty())
        Check(std::memcmp(Again.Bits(), B.Bits(), static_cast<size_t>(B.Width()) * B.Height() * 4) == 0);
}

void FuzzLink(const uint8_t* Data, size_t Size)
{
    TMemoryStream M;
    TsfBitmapLink L;
    try {
        L.LoadFromStream(StreamOf(M, Data, Size));
    } catch (const EReadError&) {
    }
}

// A PCX picture never exceeds what its bytes can describe.
void FuzzPcx(const uint8_t* Data, size_t Size)
{
    TMemoryStream M;
    TsfBitmap B;
    B.LoadFromPcxStream(StreamOf(M, Data, Size));
    Check(static_cast<size_t>(B.Width()) * B.Height() <= 64 * (Size + 1));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    if (Size == 0) return 0;
    switch (Data[0] % 3) {
    case 0: FuzzBitmap(Data + 1, Size - 1); break;
    case 1: FuzzLink(Data + 1, Size - 1); break;
    default: FuzzPcx(Data + 1, Size - 1); break;
    }
    return 0;
}
