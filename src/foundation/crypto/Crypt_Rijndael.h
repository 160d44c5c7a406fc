// Crypt_Rijndael: Rijndael with 128-bit blocks (AES). Keys of up to 128 bits
// run 10 rounds, up to 192 bits 12, longer ones 14; a key between the defined
// lengths is padded with zero bytes to the next one.
#pragma once

#include "foundation/crypto/Crypt_Base.h"

class TCrypt_rijndael : public TCrypt_blockcipher128 {
public:
    explicit TCrypt_rijndael(TComponent* AOwner = nullptr) : TCrypt_blockcipher128(AOwner) {}
    ~TCrypt_rijndael() override;
    String ClassName() const override { return u"TCrypt_rijndael"; }

    static Integer GetId() { return 9; }
    static String GetAlgorithm() { return u"Rijndael"; }
    static Integer GetMaxKeySize() { return 256; }
    static bool SelfTest();
    Integer Id() const override { return GetId(); }
    String Algorithm() const override { return GetAlgorithm(); }
    Integer MaxKeySize() const override { return GetMaxKeySize(); }

    void Burn() override;
    void EncryptECB(const void* InBlock, void* OutBlock) override;
    void DecryptECB(const void* InBlock, void* OutBlock) override;

    // The forward and inverse S-boxes, built from their definition.
    static const uint8_t* SBox();
    static const uint8_t* InvSBox();

protected:
    void ExpandKey(const void* Key, Cardinal Size) override;
    Integer numrounds = 0;
    uint32_t rk[60] = {};   // encryption round keys
    uint32_t drk[60] = {};  // round keys of the equivalent inverse cipher
};
