// Crypt_Twofish: Twofish, 128-bit blocks, 16 rounds, keys of up to 256 bits
// (padded with zero bytes to 128, 192 or 256 bits).
#pragma once

#include "foundation/crypto/Crypt_Base.h"

class TCrypt_twofish : public TCrypt_blockcipher128 {
public:
    // The first construction in the process builds the MDS tables.
    explicit TCrypt_twofish(TComponent* AOwner = nullptr);
    ~TCrypt_twofish() override;
    String ClassName() const override { return u"TCrypt_twofish"; }

    static Integer GetId() { return 6; }
    static String GetAlgorithm() { return u"Twofish"; }
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
    uint32_t SubKeys[40] = {};    // K0..K7 whitening, K8..K39 round keys
    uint32_t sbox[4][256] = {};   // the key-dependent S-boxes fused with the MDS matrix

private:
    uint32_t G(uint32_t x) const
    {
        return sbox[0][x & 0xFF] ^ sbox[1][(x >> 8) & 0xFF] ^ sbox[2][(x >> 16) & 0xFF] ^ sbox[3][x >> 24];
    }
};
