// Crypt_RC4: the RC4 key schedule and generator, keys of up to 2048 bits.
// Every Encrypt or Decrypt call restarts the generator's two indexes at 0
// over the permutation the previous call left, so a message is standard RC4
// only when processed in one call; the stored formats depend on this.
#pragma once

#include "foundation/crypto/Crypt_Base.h"

class TCrypt_rc4 : public TCrypt_cipher {
public:
    explicit TCrypt_rc4(TComponent* AOwner = nullptr) : TCrypt_cipher(AOwner) {}
    ~TCrypt_rc4() override;
    String ClassName() const override { return u"TCrypt_rc4"; }

    static Integer GetId() { return 19; }
    static String GetAlgorithm() { return u"RC4"; }
    static Integer GetMaxKeySize() { return 2048; }
    static bool SelfTest();
    Integer Id() const override { return GetId(); }
    String Algorithm() const override { return GetAlgorithm(); }
    Integer MaxKeySize() const override { return GetMaxKeySize(); }

    // InitVector is ignored.
    void Init(const void* Key, Cardinal Size, const void* InitVector) override;
    void Burn() override;
    // Restarts the keystream from the beginning.
    void Reset() override;
    void Encrypt(const void* InData, void* OutData, Cardinal Size) override;
    void Decrypt(const void* InData, void* OutData, Cardinal Size) override;

protected:
    uint8_t KeyData[256] = {};  // the current permutation
    uint8_t KeyOrg[256] = {};   // the permutation right after the key schedule
};
