// SysUtils: exceptions, string and number conversion, Format, text encodings,
// file-name and file routines, dates.
#pragma once

#include <exception>
#include <initializer_list>
#include <memory>
#include <string>

#include "framework/runtime/System.h"

// ---------------------------------------------------------------------------
// Exceptions. Throw by value, catch by reference.
class Exception : public TObject, public std::exception {
public:
    Exception() = default;
    explicit Exception(const String& Msg) : FMessage(Msg) {}
    String ClassName() const override { return u"Exception"; }
    const String& Message() const { return FMessage; }
    void SetMessage(const String& Value)
    {
        FMessage = Value;
        FWhat.clear();
    }
    const char* what() const noexcept override;

private:
    String FMessage;
    mutable std::string FWhat;
};

#define LM_EXCEPTION_CLASS(Name, Base)                                   \
    class Name : public Base {                                           \
    public:                                                              \
        using Base::Base;                                                \
        String ClassName() const override { return u## #Name; }          \
    }

LM_EXCEPTION_CLASS(EAbort, Exception);
LM_EXCEPTION_CLASS(EAssertionFailed, Exception);
LM_EXCEPTION_CLASS(EConvertError, Exception);
LM_EXCEPTION_CLASS(EListError, Exception);
LM_EXCEPTION_CLASS(EStringListError, Exception);
LM_EXCEPTION_CLASS(EInvalidOperation, Exception);
LM_EXCEPTION_CLASS(EInvalidGraphic, Exception);
LM_EXCEPTION_CLASS(EInvalidGraphicOperation, Exception);
LM_EXCEPTION_CLASS(EOutOfMemory, Exception);
LM_EXCEPTION_CLASS(EIntfCastError, Exception);
LM_EXCEPTION_CLASS(EInvalidPointer, Exception);
LM_EXCEPTION_CLASS(EInvalidArgument, Exception);
LM_EXCEPTION_CLASS(ENotSupportedException, Exception);
LM_EXCEPTION_CLASS(EOSError, Exception);
LM_EXCEPTION_CLASS(EComponentError, Exception);
LM_EXCEPTION_CLASS(EStreamError, Exception);
LM_EXCEPTION_CLASS(EFileStreamError, EStreamError);
LM_EXCEPTION_CLASS(EFCreateError, EFileStreamError);
LM_EXCEPTION_CLASS(EFOpenError, EFileStreamError);
LM_EXCEPTION_CLASS(EReadError, EStreamError);
LM_EXCEPTION_CLASS(EWriteError, EStreamError);
LM_EXCEPTION_CLASS(EIniFileException, Exception);

// Raised by IntfAs when the object lacks the interface.
template <class T, class I>
inline TIntfPtr<T> IntfAs(I* Instance)
{
    TIntfPtr<T> r;
    if (!Supports<T>(Instance, r)) throw EIntfCastError(u"Interface not supported");
    return r;
}
template <class T, class I>
inline TIntfPtr<T> IntfAs(const TIntfPtr<I>& Instance)
{
    return IntfAs<T>(Instance.get());
}

// ---------------------------------------------------------------------------
// Format: a subset of the classic format strings.
//   %[index:][-][width][.precision]type, width and precision may be '*'.
//   d u  decimal        x    hexadecimal (upper case)   s  string
//   f    fixed          n    fixed with thousands separators   e  scientific
//   g    general (15 significant digits)                 p  pointer    %% percent
// Arguments are given as a list: Format(u"%d of %s", {3, Name}).
struct TVarRec {
    enum TKind { vtInt, vtUInt, vtFloat, vtString, vtChar, vtPointer } Kind;
    Int64 VInt = 0;
    Extended VFloat = 0;
    String VString;
    const void* VPointer = nullptr;

    TVarRec(int v) : Kind(vtInt), VInt(v) {}
    TVarRec(unsigned v) : Kind(vtUInt), VInt(v) {}
    TVarRec(long v) : Kind(vtInt), VInt(v) {}
    TVarRec(unsigned long v) : Kind(vtUInt), VInt(static_cast<Int64>(v)) {}
    TVarRec(long long v) : Kind(vtInt), VInt(v) {}
    TVarRec(unsigned long long v) : Kind(vtUInt), VInt(static_cast<Int64>(v)) {}
    TVarRec(short v) : Kind(vtInt), VInt(v) {}
    TVarRec(unsigned short v) : Kind(vtUInt), VInt(v) {}
    TVarRec(signed char v) : Kind(vtInt), VInt(v) {}
    TVarRec(unsigned char v) : Kind(vtUInt), VInt(v) {}
    TVarRec(bool v) : Kind(vtInt), VInt(v ? 1 : 0) {}
    TVarRec(float v) : Kind(vtFloat), VFloat(v) {}
    TVarRec(double v) : Kind(vtFloat), VFloat(v) {}
    TVarRec(long double v) : Kind(vtFloat), VFloat(v) {}
    TVarRec(char16_t v) : Kind(vtChar), VString(1, v) {}
    TVarRec(const char16_t* v) : Kind(vtString), VString(v ? v : u"") {}
    TVarRec(const String& v) : Kind(vtString), VString(v) {}
    TVarRec(const char* v);  // UTF-8 text, so that a narrow literal is a string, not a pointer
    TVarRec(const void* v) : Kind(vtPointer), VPointer(v) {}
};

// Raises EConvertError on a bad format string or a missing/mismatched argument.
String Format(const String& Fmt, std::initializer_list<TVarRec> Args);

// ---------------------------------------------------------------------------
// Integers.
String IntToStr(Int64 Value);
String UIntToStr(UInt64 Value);
String IntToHex(Int64 Value, Integer Digits);
// Decimal, "$" or "0x"/"0X" hexadecimal, optional sign, surrounding blanks allowed.
// Raises EConvertError "'x' is not a valid integer value".
Integer StrToInt(const String& S);
Int64 StrToInt64(const String& S);
Integer StrToIntDef(const String& S, Integer Default);
Int64 StrToInt64Def(const String& S, Int64 Default);
bool TryStrToInt(const String& S, Integer& Value);
bool TryStrToInt64(const String& S, Int64& Value);
bool StrToBool(const String& S);  // "0"/"False" -> false, non-zero/"True" -> true
bool StrToBoolDef(const String& S, bool Default);
bool TryStrToBool(const String& S, bool& Value);
String BoolToStr(bool B, bool UseBoolStrs = false);  // "-1"/"0" or "True"/"False"

// ---------------------------------------------------------------------------
// Floats: written with "." always and 15 significant digits; "." or "," read.
enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber };
String FloatToStr(Extended Value);
String FloatToStrF(Extended Value, TFloatFormat Format, Integer Precision, Integer Digits);
// Raises EConvertError "'x' is not a valid floating point value".
Extended StrToFloat(const String& S);
Extended StrToFloatDef(const String& S, Extended Default);
bool TryStrToFloat(const String& S, Extended& Value);
bool TryStrToFloat(const String& S, Double& Value);
bool TryStrToFloat(const String& S, Single& Value);

// ---------------------------------------------------------------------------
// Strings. Positions count from 1 as the design counts them.
String UpperCase(const String& S);  // ASCII letters only
String LowerCase(const String& S);
String AnsiUpperCase(const String& S);  // every letter
String AnsiLowerCase(const String& S);
Integer CompareStr(const String& S1, const String& S2);   // ordinal
Integer CompareText(const String& S1, const String& S2);  // ASCII case folding
bool SameStr(const String& S1, const String& S2);
bool SameText(const String& S1, const String& S2);
Integer AnsiCompareStr(const String& S1, const String& S2);
Integer AnsiCompareText(const String& S1, const String& S2);  // any letter's case folded
bool AnsiSameText(const String& S1, const String& S2);
String Trim(const String& S);  // drops characters <= ' ' at both ends
String TrimLeft(const String& S);
String TrimRight(const String& S);
Integer Pos(const String& SubStr, const String& S, Integer Offset = 1);  // 0 when absent
String Copy(const String& S, Integer Index, Integer Count);
String Copy(const String& S, Integer Index);  // to the end
void Delete(String& S, Integer Index, Integer Count);
void Insert(const String& Source, String& S, Integer Index);
enum TReplaceFlag { rfReplaceAll = 1, rfIgnoreCase = 2 };
using TReplaceFlags = Integer;
String StringReplace(const String& S, const String& OldPattern, const String& NewPattern,
                     TReplaceFlags Flags);
String StringOfChar(Char Ch, Integer Count);
String QuotedStr(const String& S, Char Quote = u'\'');
String AnsiDequotedStr(const String& S, Char Quote);
bool StartsText(const String& SubText, const String& Text);
bool EndsText(const String& SubText, const String& Text);
bool StartsStr(const String& SubText, const String& Text);
bool EndsStr(const String& SubText, const String& Text);

// Literal ASCII/UTF-8 text into a String (for messages built from char literals).
String Str(const char* S);

// ---------------------------------------------------------------------------
// Encodings.
UTF8String UTF8Encode(const String& S);
String UTF8ToString(const UTF8String& S);  // malformed bytes become U+FFFD
String UTF8Decode(const UTF8String& S);
// ANSI code pages. CodePage 0 = the system's ANSI code page (Windows: GetACP;
// host: 1252 unless set with SetDefaultAnsiCodePage). The host knows 936 and 1252;
// any other page is read as 1252 there.
Cardinal AnsiCodePage();
void SetDefaultAnsiCodePage(Cardinal CodePage);  // host only; ignored on Windows
AnsiString StringToAnsi(const String& S, Cardinal CodePage = 0);
String AnsiToString(const AnsiString& S, Cardinal CodePage = 0);

#ifdef _WIN32
// The wchar_t view of a String for the W functions (wchar_t is 16 bits on Windows).
inline const wchar_t* WStr(const String& S) { return reinterpret_cast<const wchar_t*>(S.c_str()); }
inline String FromWStr(const wchar_t* S) { return S ? String(reinterpret_cast<const char16_t*>(S)) : String(); }
#endif

// ---------------------------------------------------------------------------
// File names: the program's paths are Windows paths ("\" separators, drive
// letters) in every build; "/" is accepted as a separator too.
constexpr Char PathDelim = u'\\';
constexpr Char DriveDelim = u':';
String ExtractFilePath(const String& FileName);  // with the trailing delimiter
String ExtractFileDir(const String& FileName);   // without it
String ExtractFileName(const String& FileName);
String ExtractFileExt(const String& FileName);  // with the dot; "" when none
String ExtractFileDrive(const String& FileName);
String ChangeFileExt(const String& FileName, const String& Extension);
String IncludeTrailingPathDelimiter(const String& S);
String ExcludeTrailingPathDelimiter(const String& S);
bool IsPathDelimiter(const String& S, Integer Index);
String ExpandFileName(const String& FileName);

using TDateTime = double;

// ---------------------------------------------------------------------------
// Files. On the host a path's "\" become "/" before the system sees it.
bool FileExists(const String& FileName);
bool DirectoryExists(const String& Directory);
bool ForceDirectories(const String& Dir);
bool CreateDir(const String& Dir);
bool RemoveDir(const String& Dir);
// windows.h turns these names into macros; Windows units include
// "framework/WinPlatform.h" (which undoes them) instead of <windows.h>.
#ifdef DeleteFile
#undef DeleteFile
#endif
#ifdef GetEnvironmentVariable
#undef GetEnvironmentVariable
#endif
bool DeleteFile(const String& FileName);
bool RenameFile(const String& OldName, const String& NewName);
// Renames OldName to NewName, replacing an existing NewName in one step, so a
// reader sees either the old file or the new one, never a missing or partial one.
bool RenameFileReplacing(const String& OldName, const String& NewName);
Int64 FileSizeOf(const String& FileName);  // -1 when missing
String GetCurrentDir();
String GetEnvironmentVariable(const String& Name);
String GetTempDirectory();  // with a trailing delimiter

// Last write time of a file (local time); false when it does not exist.
bool FileAge(const String& FileName, TDateTime& FileDateTime);

// Directory search. Path may end in a pattern with "*" and "?" (matched without
// case). Entries with faHidden, faSysFile, faVolumeID or faDirectory are
// returned only when Attr asks for them; plain files always are.
constexpr Integer faReadOnly = 0x01;
constexpr Integer faHidden = 0x02;
constexpr Integer faSysFile = 0x04;
constexpr Integer faVolumeID = 0x08;
constexpr Integer faDirectory = 0x10;
constexpr Integer faArchive = 0x20;
constexpr Integer faNormal = 0x80;
constexpr Integer faAnyFile = 0x1FF;
struct TSearchRec {
    TDateTime TimeStamp = 0;  // last write, local time
    Int64 Size = 0;
    Integer Attr = 0;
    String Name;  // without the folder
    Integer ExcludeAttr = 0;
    std::shared_ptr<void> FindHandle;
};
// 0 when an entry was found, else a system error code (2 none found, 3 no such
// folder, 18 no more entries). FindClose releases the search.
Integer FindFirst(const String& Path, Integer Attr, TSearchRec& F);
Integer FindNext(TSearchRec& F);
void FindClose(TSearchRec& F);

// The native form of a path for the C library on the host (UTF-8, "/").
std::string HostPath(const String& FileName);

// ---------------------------------------------------------------------------
// Dates: TDateTime counts days since 1899-12-30, the fraction is the time of day.
struct TSystemTime {
    Word Year, Month, DayOfWeek, Day, Hour, Minute, Second, Milliseconds;
};
TDateTime Now();
TDateTime Date();
TDateTime EncodeDate(Word Year, Word Month, Word Day);  // EConvertError on a bad date
bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Date);
TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec);
bool TryEncodeTime(Word Hour, Word Min, Word Sec, Word MSec, TDateTime& Time);
void DecodeDate(TDateTime Date, Word& Year, Word& Month, Word& Day);
void DecodeTime(TDateTime Time, Word& Hour, Word& Min, Word& Sec, Word& MSec);
Word DayOf(TDateTime Date);
Word MonthOf(TDateTime Date);
Word YearOf(TDateTime Date);
Integer DayOfWeek(TDateTime Date);  // 1 = Sunday .. 7 = Saturday
bool IsLeapYear(Word Year);
Word DaysInAMonth(Word Year, Word Month);
String DateToStr(TDateTime Date);      // "yyyy-mm-dd"
String TimeToStr(TDateTime Time);      // "hh:nn:ss"
String DateTimeToStr(TDateTime DateTime);
// Subset of the classic date format: yyyy yy mm m dd d hh h nn n ss s zzz, quoted text.
String FormatDateTime(const String& Fmt, TDateTime DateTime);
