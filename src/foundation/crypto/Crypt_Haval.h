// Crypt_Haval: HAVAL with 5 passes and a 256-bit digest. The padding starts
// with the byte 0x80 instead of the published 0x01; stored data (file-pack
// indexes, the fixed-key password) depends on this variant.
#pragma once

#include "foundation/crypto/Crypt_Base.h"

class TCrypt_haval : public TCrypt_bufferedhash<128, uint32_t, uint32_t, 8> {
public:
    using TCrypt_bufferedhash::TCrypt_bufferedhash;
    String ClassName() const override { return u"TCrypt_haval"; }

    static Integer GetId() { return 14; }
    static String GetAlgorithm() { return String(u"Haval (") + u"256bit, " + u"5 passes)"; }
    static Integer GetHashSize() { return 256; }
    static bool SelfTest();
    Integer Id() const override { return GetId(); }
    String Algorithm() const override { return GetAlgorithm(); }
    Integer HashSize() const override { return GetHashSize(); }

    void Init() override;
    void Final(void* Digest) override;

protected:
    void Compress() override;
    // Final with the first padding byte given (the published algorithm uses 0x01).
    void FinalPadded(void* Digest, uint8_t Mark);
};
