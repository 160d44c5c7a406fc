// Crypt_SHA256: the SHA-256 secure hash (256 bits).
#pragma once

#include "foundation/crypto/Crypt_Base.h"

class TCrypt_sha256 : public TCrypt_bufferedhash<64, uint32_t, uint32_t, 8> {
public:
    using TCrypt_bufferedhash::TCrypt_bufferedhash;
    String ClassName() const override { return u"TCrypt_sha256"; }

    static Integer GetId() { return 28; }
    static String GetAlgorithm() { return u"SHA256"; }
    static Integer GetHashSize() { return 256; }
    static bool SelfTest();
    Integer Id() const override { return GetId(); }
    String Algorithm() const override { return GetAlgorithm(); }
    Integer HashSize() const override { return GetHashSize(); }

    void Init() override;
    void Final(void* Digest) override;

protected:
    void Compress() override;
};
