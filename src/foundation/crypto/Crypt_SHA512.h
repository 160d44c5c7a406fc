// Crypt_SHA512: the SHA-512 secure hash (512 bits) over its 64-bit base.
#pragma once

#include "foundation/crypto/Crypt_Base.h"

// The buffering, length count and compression of the 64-bit SHA family.
class TCrypt_sha512base : public TCrypt_bufferedhash<128, uint64_t, uint64_t, 8> {
public:
    using TCrypt_bufferedhash::TCrypt_bufferedhash;
    String ClassName() const override { return u"TCrypt_sha512base"; }

protected:
    void Compress() override;
};

class TCrypt_sha512 : public TCrypt_sha512base {
public:
    using TCrypt_sha512base::TCrypt_sha512base;
    String ClassName() const override { return u"TCrypt_sha512"; }

    static Integer GetId() { return 30; }
    static String GetAlgorithm() { return u"SHA512"; }
    static Integer GetHashSize() { return 512; }
    static bool SelfTest();
    Integer Id() const override { return GetId(); }
    String Algorithm() const override { return GetAlgorithm(); }
    Integer HashSize() const override { return GetHashSize(); }

    void Init() override;
    void Final(void* Digest) override;
};
