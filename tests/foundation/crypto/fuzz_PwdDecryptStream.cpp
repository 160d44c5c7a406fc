// libFuzzer entry for the salted stream reader (clang host build with LM_FUZZ=ON).
// The input is read as a salted stream; its plain result, when there is one,
// is exactly the bytes after the header. The input is then also written as a
// salted stream (cipher and hash picked by its first bytes) and must read back.
#include <cstdio>
#include <cstdlib>

#include "foundation/HyCrypUtils.h"

namespace {

[[noreturn]] void Fail(const char* What, size_t a, size_t b)
{
    std::fprintf(stderr, "%s (%zu, %zu)\n", What, a, b);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    TMemoryStream In;
    if (Size) In.WriteBuffer(Data, Integer(Size));
    In.SetPosition(0);
    const UTF8String Plain = PwdDecryptStream(u"", &In);
    if (!Plain.empty() && Plain.size() + 10 > Size) Fail("PwdDecryptStream: result too long", Plain.size(), Size);

    if (Size > 2) {
        const RawByteString Payload(reinterpret_cast<const char*>(Data + 2), Size - 2);
        const Byte Cipher = Byte(Data[0] % 9), Hash = Byte(Data[1] % 5);
        TMemoryStream Out;
        if (!PwdEncryptStream(Payload, u"k", Cipher, Hash, &Out)) Fail("PwdEncryptStream failed", Cipher, Hash);
        Out.SetPosition(0);
        if (PwdDecryptStream(u"k", &Out) != Payload) Fail("round trip differs", Cipher, Hash);
    }
    return 0;
}
