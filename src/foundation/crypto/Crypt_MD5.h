// Crypt_MD5: the MD5 message digest (128 bits).
#pragma once

#include "foundation/crypto/Crypt_Base.h"

class TCrypt_md5 : public TCrypt_bufferedhash<64, uint32_t, uint32_t, 4> {
public:
    using TCrypt_bufferedhash::TCrypt_bufferedhash;
    String ClassName() const override { return u"TCrypt_md5"; }

    static Integer GetId() { return 16; }
    static String GetAlgorithm() { return u"MD5"; }
    static Integer GetHashSize() { return 128; }
    static bool SelfTest();
    Integer Id() const override { return GetId(); }
    String Algorithm() const override { return GetAlgorithm(); }
    Integer HashSize() const override { return GetHashSize(); }

    void Init() override;
    void Final(void* Digest) override;

protected:
    void Compress() override;
};
