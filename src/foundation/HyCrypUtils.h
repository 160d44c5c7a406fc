// HyCrypUtils: the salted password formats, the only door to the cipher suite.
// A text or byte string is enciphered under a password with a fresh random
// salt, and the output names the cipher and hash it used, so that a reader
// needs nothing but the password.
//
// Salted text (printable ASCII): 8 salt characters from "0"-"9", "A"-"Z",
// "a"-"z"; the character (salt character 4 - cipher index); the character
// (salt character 5 - hash index); the IV as B characters of the same set
// (none for RC4); the Base64 of the CFB-8bit (or RC4) encryption of the text's
// UTF-16LE bytes. Key: the digest of the salt followed by the password (both
// as UTF-16LE).
//
// Salted stream (bytes): 8 salt bytes (each 0 to 241); (salt byte 4 + cipher
// index) and (salt byte 5 + hash index), counting bytes from 0; B random IV
// bytes (none for RC4); the data enciphered in CBC (or RC4), as long as the
// data. Key: the digest of the 8 salt bytes followed by the password's
// UTF-16LE bytes.
//
// In both the key is the leading min(cipher MaxKeySize, hash HashSize) bits of
// the digest. Nothing here raises: a failure gives an empty result or false; a
// wrong password is not detected and gives meaningless data of the right length.
#pragma once

#include <memory>

#include "foundation/crypto/Crypt_Base.h"
#include "framework/runtime/Classes.h"
#include "framework/runtime/System.h"

// Cipher index 0 Blowfish, 1 CAST-128, 2 CAST-256, 3 DES, 4 triple DES,
// 5 Rijndael, 6 RC4, 7 Twofish, 8 IDEA; only the low seven bits count (128
// also gives Blowfish). Any other value gives no cipher.
std::unique_ptr<TCrypt_cipher> CreateCipher(Byte Index);
// Hash index 0 HAVAL, 1 MD5, 2 SHA-1, 3 SHA-256, 4 SHA-512; low seven bits.
std::unique_ptr<TCrypt_hash> CreateHash(Byte Index);

// The salted text of S; empty when S is empty, or the indexes name no
// algorithm, or anything fails.
String PwdEncryptStr(const String& S, const String& Password, Byte CipherIndex, Byte HashIndex);
// The plain text of a salted text; empty on any failure.
String PwdDecryptStr(const String& Text, const String& Password);
// As PwdEncryptStr with a cipher drawn from 0-8 and a hash from 0-4.
String PwdEncryptStrRandom(const String& S, const String& Password);

// Makes this thread's salts, IVs and random choices repeat from Seed, so that a
// build tool writes the same bytes every time. The program itself never calls it.
void SeedSalts(uint32_t Seed);

// Appends the salted stream of Data at OutStream's position. False, with
// nothing written, when Data is empty or the indexes name no algorithm; false
// on a failure while writing (what was written stays).
bool PwdEncryptStream(const RawByteString& Data, const String& Password, Byte CipherIndex,
                      Byte HashIndex, TStream* OutStream);
// Reads one salted stream from InStream's position to its end; the plain
// bytes (UTF-8 text for the table files), or empty on any failure.
UTF8String PwdDecryptStream(const String& Password, TStream* InStream);

// The password belonging to a table key: no salt, so one key always gives
// the same password. Empty for an empty key.
String KeyEncryptStr(const String& Key);
