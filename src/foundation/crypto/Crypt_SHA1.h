// Crypt_SHA1: the SHA-1 secure hash (160 bits).
#pragma once

#include "foundation/crypto/Crypt_Base.h"

class TCrypt_sha1 : public TCrypt_bufferedhash<64, uint32_t, uint32_t, 5> {
public:
    using TCrypt_bufferedhash::TCrypt_bufferedhash;
    String ClassName() const override { return u"TCrypt_sha1"; }

    static Integer GetId() { return 2; }
    static String GetAlgorithm() { return u"SHA1"; }
    static Integer GetHashSize() { return 160; }
    static bool SelfTest();
    Integer Id() const override { return GetId(); }
    String Algorithm() const override { return GetAlgorithm(); }
    Integer HashSize() const override { return GetHashSize(); }

    void Init() override;
    void Final(void* Digest) override;

protected:
    void Compress() override;
};
