// Crypt_Cast256: CAST-256, 128-bit blocks, keys of up to 256 bits (shorter
// keys are padded with zero bytes).
#pragma once

#include "foundation/crypto/Crypt_Base.h"

class TCrypt_cast256 : public TCrypt_blockcipher128 {
public:
    explicit TCrypt_cast256(TComponent* AOwner = nullptr) : TCrypt_blockcipher128(AOwner) {}
    ~TCrypt_cast256() override;
    String ClassName() const override { return u"TCrypt_cast256"; }

    static Integer GetId() { return 15; }
    static String GetAlgorithm() { return u"Cast256"; }
    static Integer GetMaxKeySize() { return 256; }
    static bool SelfTest();
    Integer Id() const override { return GetId(); }
    String Algorithm() const override { return GetAlgorithm(); }
    Integer MaxKeySize() const override { return GetMaxKeySize(); }

    void Burn() override;
    void EncryptECB(const void* InBlock, void* OutBlock) override;
    void DecryptECB(const void* InBlock, void* OutBlock) override;

protected:
    void ExpandKey(const void* Key, Cardinal Size) override;

private:
    uint32_t Kr[12][4] = {};  // rotation keys of the 12 quad-rounds
    uint32_t Km[12][4] = {};  // masking keys
};
