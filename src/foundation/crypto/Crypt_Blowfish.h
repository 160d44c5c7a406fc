// Crypt_Blowfish: Blowfish, 64-bit blocks, 16 rounds, keys of up to 448 bits.
#pragma once

#include "foundation/crypto/Crypt_Base.h"

class TCrypt_blowfish : public TCrypt_blockcipher64 {
public:
    explicit TCrypt_blowfish(TComponent* AOwner = nullptr) : TCrypt_blockcipher64(AOwner) {}
    ~TCrypt_blowfish() override;
    String ClassName() const override { return u"TCrypt_blowfish"; }

    static Integer GetId() { return 5; }
    static String GetAlgorithm() { return u"Blowfish"; }
    static Integer GetMaxKeySize() { return 448; }
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
    uint32_t SBox[4][256] = {};
    uint32_t PBox[18] = {};

    uint32_t F(uint32_t x) const
    {
        return ((SBox[0][x >> 24] + SBox[1][(x >> 16) & 0xFF]) ^ SBox[2][(x >> 8) & 0xFF]) +
               SBox[3][x & 0xFF];
    }
    void EncryptWords(uint32_t& L, uint32_t& R) const;
};
