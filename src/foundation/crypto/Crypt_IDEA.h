// Crypt_IDEA: IDEA, 64-bit blocks, 128-bit keys (shorter keys are padded with
// zero bytes), 8 rounds and the output transformation.
#pragma once

#include "foundation/crypto/Crypt_Base.h"

class TCrypt_idea : public TCrypt_blockcipher64 {
public:
    explicit TCrypt_idea(TComponent* AOwner = nullptr) : TCrypt_blockcipher64(AOwner) {}
    ~TCrypt_idea() override;
    String ClassName() const override { return u"TCrypt_idea"; }

    static Integer GetId() { return 12; }
    static String GetAlgorithm() { return u"IDEA"; }
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
    uint16_t EK[52] = {};  // encryption subkeys
    uint16_t DK[52] = {};  // their inverses, in decryption order
};
