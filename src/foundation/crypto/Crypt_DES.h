// Crypt_DES: DES and triple DES (encrypt-decrypt-encrypt) on 64-bit blocks.
#pragma once

#include "foundation/crypto/Crypt_Base.h"

// The DES key schedule and block function that DES and triple DES share.
class TCrypt_customdes : public TCrypt_blockcipher64 {
public:
    using TCrypt_blockcipher64::TCrypt_blockcipher64;
    String ClassName() const override { return u"TCrypt_customdes"; }

protected:
    // 32 round-key words from 8 key bytes (parity bits ignored): two per
    // round, each holding four 6-bit groups in its four bytes.
    static void ScheduleKey(const uint8_t* Key, uint32_t* KeyData);
    // The 16 rounds on the two halves after the initial permutation; the
    // halves come back exchanged, ready for the final permutation or the next pass.
    static void Rounds(const uint32_t* KeyData, bool Decrypting, uint32_t& L, uint32_t& R);
    static void InitialPermutation(const uint8_t* Block, uint32_t& L, uint32_t& R);
    static void FinalPermutation(uint32_t L, uint32_t R, uint8_t* Block);
};

class TCrypt_des : public TCrypt_customdes {
public:
    explicit TCrypt_des(TComponent* AOwner = nullptr) : TCrypt_customdes(AOwner) {}
    ~TCrypt_des() override;
    String ClassName() const override { return u"TCrypt_des"; }

    static Integer GetId() { return 23; }
    static String GetAlgorithm() { return u"DES"; }
    static Integer GetMaxKeySize() { return 64; }
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
    uint32_t KeyData[32] = {};
};

// K1 = key bytes 0-7, K2 = bytes 8-15, K3 = bytes 16-23, or K1 again for keys
// of at most 128 bits (two-key triple DES).
class TCrypt_3des : public TCrypt_customdes {
public:
    explicit TCrypt_3des(TComponent* AOwner = nullptr) : TCrypt_customdes(AOwner) {}
    ~TCrypt_3des() override;
    String ClassName() const override { return u"TCrypt_3des"; }

    static Integer GetId() { return 24; }
    static String GetAlgorithm() { return u"3DES"; }
    static Integer GetMaxKeySize() { return 192; }
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
    uint32_t KeyData[3][32] = {};
};
