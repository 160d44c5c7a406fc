// Crypt_Cast128: CAST-128, 64-bit blocks, keys of up to 128 bits; keys of at
// most 80 bits run 12 rounds, longer ones 16.
#pragma once

#include "foundation/crypto/Crypt_Base.h"

class TCrypt_cast128 : public TCrypt_blockcipher64 {
public:
    explicit TCrypt_cast128(TComponent* AOwner = nullptr) : TCrypt_blockcipher64(AOwner) {}
    ~TCrypt_cast128() override;
    String ClassName() const override { return u"TCrypt_cast128"; }

    static Integer GetId() { return 7; }
    static String GetAlgorithm() { return u"Cast128"; }
    static Integer GetMaxKeySize() { return 128; }
    static bool SelfTest();
    Integer Id() const override { return GetId(); }
    String Algorithm() const override { return GetAlgorithm(); }
    Integer MaxKeySize() const override { return GetMaxKeySize(); }

    void Burn() override;
    void EncryptECB(const void* InBlock, void* OutBlock) override;
    void DecryptECB(const void* InBlock, void* OutBlock) override;

protected:
    void ExpandKey(const void* Key, Cardinal Size) override;
    uint32_t KeyData[32] = {};  // masking keys Km1..Km16, then rotation keys Kr1..Kr16
    Integer Rounds = 0;
};
