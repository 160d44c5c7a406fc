// Crypt_Base64: the Base64 form of enciphered bytes (the standard alphabet with
// "=" padding, no line breaks). The decoder takes its input in independent
// groups of four characters: a shorter remainder is ignored and a "=" ends
// only its own group.
#pragma once

#include "framework/runtime/System.h"

// Writes (Size + 2) div 3 * 4 characters to Output and returns their number.
Cardinal EncodeBase64Buffer(const void* Input, void* Output, Cardinal Size);
// Decodes Size characters; Output needs room for Size div 4 * 3 bytes. Returns
// the number of bytes written.
Cardinal DecodeBase64Buffer(const void* Input, void* Output, Cardinal Size);

AnsiString EncodeBase64Ansi(const AnsiString& Text);
AnsiString DecodeBase64Ansi(const AnsiString& Text);
// Encodes the UTF-16LE bytes of the text.
String EncodeBase64Wide(const String& Text);
// Decodes to bytes and reads them as UTF-16LE characters; an odd last byte is dropped.
String DecodeBase64Wide(const String& Text);

// The text as single-byte characters, as the wide decoder reads it: anything
// outside ASCII becomes "?", which is no Base64 character.
AnsiString Base64Narrow(const String& Text);
