#include "framework/runtime/SysUtils.h"

#include "framework/runtime/CodePages.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <chrono>
#include <ctime>
#include <cmath>
#include <cstring>

#ifdef _WIN32
#include "framework/runtime/win/WinPlatform.h"
#else
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#include <climits>
#include <cstdlib>
#include <cstdio>
#endif

// ---------------------------------------------------------------------------
// Exception

const char* Exception::what() const noexcept
{
    try {
        if (FWhat.empty()) FWhat = UTF8Encode(FMessage);
        return FWhat.c_str();
    } catch (...) {
        return "Exception";
    }
}

String Str(const char* S)
{
    return S ? UTF8ToString(S) : String();
}

static String Ascii(const std::string& S)
{
    return String(S.begin(), S.end());
}

// ---------------------------------------------------------------------------
// Integers

String IntToStr(Int64 Value)
{
    char buf[32];
    auto res = std::to_chars(buf, buf + sizeof buf, Value);
    return Ascii(std::string(buf, res.ptr));
}

String UIntToStr(UInt64 Value)
{
    char buf[32];
    auto res = std::to_chars(buf, buf + sizeof buf, Value);
    return Ascii(std::string(buf, res.ptr));
}

String IntToHex(Int64 Value, Integer Digits)
{
    static const char* hex = "0123456789ABCDEF";
    UInt64 v = static_cast<UInt64>(Value);
    String r;
    do {
        r.insert(r.begin(), static_cast<Char>(hex[v & 15]));
        v >>= 4;
    } while (v);
    if (static_cast<Integer>(r.size()) < Digits) r.insert(0, Digits - r.size(), u'0');
    return r;
}

// Leading blanks, sign, "$" / "0x" hexadecimal or decimal digits; nothing after.
// Hexadecimal may use the full unsigned width (wrapping as the integer's bits).
static bool ParseInt(const String& S, Int64& Value, bool Wide)
{
    size_t i = 0, n = S.size();
    while (i < n && (S[i] == u' ' || S[i] == u'\t')) ++i;
    bool neg = false;
    if (i < n && (S[i] == u'-' || S[i] == u'+')) neg = S[i++] == u'-';
    bool hex = false;
    if (i < n && S[i] == u'$') {
        hex = true;
        ++i;
    } else if (i + 1 < n && S[i] == u'0' && (S[i + 1] == u'x' || S[i + 1] == u'X')) {
        hex = true;
        i += 2;
    }
    if (i >= n) return false;
    UInt64 v = 0;
    const UInt64 limit = hex ? (Wide ? ~UInt64(0) : 0xFFFFFFFFull)
                             : (Wide ? (neg ? 0x8000000000000000ull : 0x7FFFFFFFFFFFFFFFull)
                                     : (neg ? 0x80000000ull : 0x7FFFFFFFull));
    for (; i < n; ++i) {
        Char c = S[i];
        unsigned d;
        if (c >= u'0' && c <= u'9') d = c - u'0';
        else if (hex && c >= u'a' && c <= u'f') d = c - u'a' + 10;
        else if (hex && c >= u'A' && c <= u'F') d = c - u'A' + 10;
        else return false;
        unsigned base = hex ? 16 : 10;
        if (v > (limit - d) / base) return false;
        v = v * base + d;
    }
    if (hex && !Wide) v = static_cast<UInt64>(static_cast<Int64>(static_cast<int32_t>(static_cast<uint32_t>(v))));
    Value = neg ? static_cast<Int64>(0 - v) : static_cast<Int64>(v);
    return true;
}

bool TryStrToInt(const String& S, Integer& Value)
{
    Int64 v;
    if (!ParseInt(S, v, false)) return false;
    Value = static_cast<Integer>(v);
    return true;
}

bool TryStrToInt64(const String& S, Int64& Value)
{
    return ParseInt(S, Value, true);
}

static EConvertError IntError(const String& S)
{
    return EConvertError(u"'" + S + u"' is not a valid integer value");
}

Integer StrToInt(const String& S)
{
    Integer v;
    if (!TryStrToInt(S, v)) throw IntError(S);
    return v;
}

Int64 StrToInt64(const String& S)
{
    Int64 v;
    if (!TryStrToInt64(S, v)) throw IntError(S);
    return v;
}

Integer StrToIntDef(const String& S, Integer Default)
{
    Integer v;
    return TryStrToInt(S, v) ? v : Default;
}

Int64 StrToInt64Def(const String& S, Int64 Default)
{
    Int64 v;
    return TryStrToInt64(S, v) ? v : Default;
}

bool TryStrToBool(const String& S, bool& Value)
{
    Extended f;
    if (SameText(S, u"True")) Value = true;
    else if (SameText(S, u"False")) Value = false;
    else if (TryStrToFloat(S, f)) Value = f != 0;
    else return false;
    return true;
}

bool StrToBool(const String& S)
{
    bool b;
    if (!TryStrToBool(S, b)) throw EConvertError(u"'" + S + u"' is not a valid boolean value");
    return b;
}

bool StrToBoolDef(const String& S, bool Default)
{
    bool b;
    return TryStrToBool(S, b) ? b : Default;
}

String BoolToStr(bool B, bool UseBoolStrs)
{
    if (UseBoolStrs) return B ? u"True" : u"False";
    return B ? u"-1" : u"0";
}

// ---------------------------------------------------------------------------
// Floats. Digits come from std::to_chars on a double: exact, locale-free and
// the same in every build.

// Decimal digits and exponent of Value rounded to Precision significant digits:
// Value = 0.d1d2d3... * 10^Exp. Digits has no trailing zeros unless Keep.
static void FloatDigits(double Value, int Precision, std::string& Digits, int& Exp, bool Strip = true)
{
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(Value), std::chars_format::scientific,
                             Precision - 1);
    std::string s(buf, res.ptr);  // d.dddde+XX
    size_t e = s.find('e');
    Digits.clear();
    for (size_t i = 0; i < e; ++i)
        if (s[i] != '.') Digits += s[i];
    Exp = std::stoi(s.substr(e + 1)) + 1;
    if (Value == 0) Exp = 0;
    while (Strip && Digits.size() > 1 && Digits.back() == '0') Digits.pop_back();
}

static String SpecialFloat(double v)
{
    if (std::isnan(v)) return u"NAN";
    return v < 0 ? u"-INF" : u"INF";
}

static std::string FixedText(double Value, int Decimals)
{
    // to_chars fixed rounds the exact binary value, half to even on exact ties.
    char buf[400];
    auto res = std::to_chars(buf, buf + sizeof buf, Value, std::chars_format::fixed, Decimals);
    std::string s(buf, res.ptr);
    // "-0.00" is shown as "0.00".
    if (s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
    return s;
}

static std::string GroupThousands(const std::string& Fixed)
{
    size_t start = Fixed[0] == '-' ? 1 : 0;
    size_t dot = Fixed.find('.');
    if (dot == std::string::npos) dot = Fixed.size();
    std::string r = Fixed.substr(0, start);
    for (size_t i = start; i < dot; ++i) {
        r += Fixed[i];
        size_t left = dot - i - 1;
        if (left > 0 && left % 3 == 0) r += ',';
    }
    r += Fixed.substr(dot);
    return r;
}

static std::string ExponentText(double Value, int Precision, int MinExpDigits, bool PlusSign)
{
    std::string digits;
    int exp;
    FloatDigits(Value, Precision, digits, exp, false);
    std::string r = Value < 0 ? "-" : "";
    r += digits[0];
    if (digits.size() > 1) r += "." + digits.substr(1);
    int e = Value == 0 ? 0 : exp - 1;
    r += 'E';
    if (e < 0) r += '-';
    else if (PlusSign) r += '+';
    std::string es = std::to_string(std::abs(e));
    while (static_cast<int>(es.size()) < MinExpDigits) es = "0" + es;
    return r + es;
}

// General format: fixed notation unless the exponent would need more than
// Precision digits or the value is below 1E-4.
static std::string GeneralText(double Value, int Precision)
{
    std::string digits;
    int exp;
    FloatDigits(Value, Precision, digits, exp);
    if (digits == "0") return "0";
    std::string sign = Value < 0 ? "-" : "";
    if (exp > Precision || exp < -3) {
        std::string r = sign + digits[0];
        if (digits.size() > 1) r += "." + digits.substr(1);
        return r + "E" + std::to_string(exp - 1);
    }
    std::string r;
    if (exp <= 0) {
        r = "0." + std::string(-exp, '0') + digits;
    } else {
        std::string ip = digits.substr(0, std::min<size_t>(exp, digits.size()));
        ip += std::string(exp - ip.size(), '0');
        r = ip;
        if (static_cast<int>(digits.size()) > exp) r += "." + digits.substr(exp);
    }
    return sign + r;
}

String FloatToStr(Extended Value)
{
    return FloatToStrF(Value, ffGeneral, 15, 0);
}

String FloatToStrF(Extended Value, TFloatFormat Format, Integer Precision, Integer Digits)
{
    double v = static_cast<double>(Value);
    if (!std::isfinite(v)) return SpecialFloat(v);
    if (Precision < 1) Precision = 1;
    if (Precision > 17) Precision = 17;
    if (Digits < 0) Digits = 0;
    if (Digits > 18) Digits = 18;
    switch (Format) {
    case ffExponent:
        return Ascii(ExponentText(v, Precision, Digits, true));
    case ffFixed:
    case ffNumber: {
        // Beyond Precision significant digits the fixed form falls back to general.
        std::string digits;
        int exp;
        FloatDigits(v, Precision, digits, exp);
        if (exp > Precision) return Ascii(GeneralText(v, Precision));
        std::string s = FixedText(v, Digits);
        return Ascii(Format == ffNumber ? GroupThousands(s) : s);
    }
    case ffGeneral:
    default:
        return Ascii(GeneralText(v, Precision));
    }
}

bool TryStrToFloat(const String& S, Extended& Value)
{
    size_t i = 0, n = S.size();
    while (i < n && (S[i] == u' ' || S[i] == u'\t')) ++i;
    while (n > i && (S[n - 1] == u' ' || S[n - 1] == u'\t')) --n;
    std::string t;
    bool neg = false;
    if (i < n && (S[i] == u'+' || S[i] == u'-')) neg = S[i++] == u'-';
    for (; i < n; ++i) {
        Char c = S[i];
        if (c == u',') c = u'.';
        // Only digits, one point and an exponent: no "inf", "nan" or hexadecimal.
        if (!((c >= u'0' && c <= u'9') || c == u'.' || c == u'e' || c == u'E' || c == u'+' || c == u'-'))
            return false;
        t += static_cast<char>(c);
    }
    if (t.empty() || t[0] == '+' || t[0] == '-') return false;
    double d;
    auto res = std::from_chars(t.data(), t.data() + t.size(), d);
    if (res.ec != std::errc() || res.ptr != t.data() + t.size()) return false;
    Value = neg ? -d : d;
    return true;
}

bool TryStrToFloat(const String& S, Double& Value)
{
    Extended e;
    if (!TryStrToFloat(S, e)) return false;
    Value = static_cast<Double>(e);
    return true;
}

bool TryStrToFloat(const String& S, Single& Value)
{
    Extended e;
    if (!TryStrToFloat(S, e)) return false;
    Value = static_cast<Single>(e);
    return true;
}

Extended StrToFloat(const String& S)
{
    Extended v;
    if (!TryStrToFloat(S, v)) throw EConvertError(u"'" + S + u"' is not a valid floating point value");
    return v;
}

Extended StrToFloatDef(const String& S, Extended Default)
{
    Extended v;
    return TryStrToFloat(S, v) ? v : Default;
}

// ---------------------------------------------------------------------------
// Format

TVarRec::TVarRec(const char* v) : Kind(vtString), VString(v ? UTF8ToString(v) : String()) {}

static EConvertError FormatError(const String& Fmt)
{
    return EConvertError(u"Format '" + Fmt + u"' invalid or incompatible with argument");
}

String Format(const String& Fmt, std::initializer_list<TVarRec> Args)
{
    const TVarRec* args = Args.begin();
    const size_t argc = Args.size();
    size_t next = 0;
    String out;
    size_t i = 0, n = Fmt.size();
    auto takeArg = [&]() -> const TVarRec& {
        if (next >= argc) throw FormatError(Fmt);
        return args[next++];
    };
    auto readNum = [&](int& v) -> bool {
        if (i < n && Fmt[i] == u'*') {
            const TVarRec& a = takeArg();
            if (a.Kind != TVarRec::vtInt && a.Kind != TVarRec::vtUInt) throw FormatError(Fmt);
            v = static_cast<int>(a.VInt);
            ++i;
            return true;
        }
        bool any = false;
        v = 0;
        while (i < n && Fmt[i] >= u'0' && Fmt[i] <= u'9') {
            v = v * 10 + (Fmt[i++] - u'0');
            if (v > 100000) throw FormatError(Fmt);
            any = true;
        }
        return any;
    };
    while (i < n) {
        Char c = Fmt[i++];
        if (c != u'%') {
            out += c;
            continue;
        }
        if (i < n && Fmt[i] == u'%') {
            out += u'%';
            ++i;
            continue;
        }
        // [index:][-][width][.prec]type
        int num = 0;
        bool left = false;
        int width = -1, prec = -1;
        size_t save = i;
        if (i < n && Fmt[i] >= u'0' && Fmt[i] <= u'9' && readNum(num) && i < n && Fmt[i] == u':') {
            if (static_cast<size_t>(num) >= argc) throw FormatError(Fmt);
            next = num;
            ++i;
        } else {
            i = save;
        }
        if (i < n && Fmt[i] == u'-') {
            left = true;
            ++i;
        }
        int w;
        if (readNum(w)) width = w;
        if (i < n && Fmt[i] == u'.') {
            ++i;
            int p;
            prec = readNum(p) ? p : 0;
        }
        if (i >= n) throw FormatError(Fmt);
        Char t = Fmt[i++];
        if (t >= u'a' && t <= u'z') t -= 32;
        const TVarRec& a = takeArg();
        bool isInt = a.Kind == TVarRec::vtInt || a.Kind == TVarRec::vtUInt;
        String s;
        switch (t) {
        case u'D':
        case u'U': {
            if (!isInt) throw FormatError(Fmt);
            bool neg = a.Kind == TVarRec::vtInt && a.VInt < 0;
            UInt64 mag = neg ? 0 - static_cast<UInt64>(a.VInt) : static_cast<UInt64>(a.VInt);
            if (t == u'U' && neg) {  // an unsigned view of a negative 32-bit value
                mag = static_cast<uint32_t>(a.VInt);
                neg = false;
            }
            s = UIntToStr(mag);
            if (prec > static_cast<int>(s.size())) s.insert(0, prec - s.size(), u'0');
            if (neg) s.insert(0, 1, u'-');
            break;
        }
        case u'X': {
            if (!isInt) throw FormatError(Fmt);
            Int64 v = a.VInt;
            if (a.Kind == TVarRec::vtInt && v < 0 && v >= INT32_MIN) v = static_cast<uint32_t>(v);
            s = IntToHex(v, prec < 0 ? 0 : prec);
            break;
        }
        case u'F':
        case u'N':
        case u'E':
        case u'G': {
            double v;
            if (a.Kind == TVarRec::vtFloat) v = static_cast<double>(a.VFloat);
            else if (isInt) v = static_cast<double>(a.VInt);
            else throw FormatError(Fmt);
            if (t == u'F') s = FloatToStrF(v, ffFixed, 15, prec < 0 ? 2 : prec);
            else if (t == u'N') s = FloatToStrF(v, ffNumber, 15, prec < 0 ? 2 : prec);
            else if (t == u'E') {
                if (!std::isfinite(v)) s = SpecialFloat(v);
                else s = Ascii(ExponentText(v, prec < 0 ? 15 : std::clamp(prec, 1, 17), 3, true));
            } else
                s = FloatToStrF(v, ffGeneral, prec < 0 ? 15 : std::clamp(prec, 1, 17), 0);
            break;
        }
        case u'S':
            if (a.Kind == TVarRec::vtString || a.Kind == TVarRec::vtChar) s = a.VString;
            else throw FormatError(Fmt);
            if (prec >= 0 && static_cast<size_t>(prec) < s.size()) s.resize(prec);
            break;
        case u'P':
            if (a.Kind != TVarRec::vtPointer) throw FormatError(Fmt);
            s = IntToHex(static_cast<Int64>(reinterpret_cast<uintptr_t>(a.VPointer)),
                         static_cast<Integer>(sizeof(void*) * 2));
            break;
        default:
            throw FormatError(Fmt);
        }
        if (width > static_cast<int>(s.size())) {
            if (left) s.append(width - s.size(), u' ');
            else s.insert(0, width - s.size(), u' ');
        }
        out += s;
    }
    return out;
}

// ---------------------------------------------------------------------------
// Strings

static inline Char AsciiUpper(Char c) { return c >= u'a' && c <= u'z' ? c - 32 : c; }
static inline Char AsciiLower(Char c) { return c >= u'A' && c <= u'Z' ? c + 32 : c; }

// Simple case mapping of the letters of Latin-1, Latin Extended-A, Greek and
// Cyrillic; every other character maps to itself. Written out so that both
// builds fold alike.
static Char UnicodeUpper(Char c)
{
    if (c < 0x80) return AsciiUpper(c);
    if (c == 0xB5) return 0x39C;
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 32;
    if (c == 0xFF) return 0x178;
    if (c >= 0x100 && c <= 0x17F) {
        if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? c : c - 1;
        if (c == 0x131) return u'I';
        if (c == 0x17F) return u'S';
        if (c == 0x138 || c == 0x149) return c;
        return (c & 1) ? c - 1 : c;
    }
    if (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) return c - 32;
    if (c == 0x3C2) return 0x3A3;
    if (c == 0x3AC) return 0x386;
    if (c >= 0x3AD && c <= 0x3AF) return c - 37;
    if (c == 0x3CC) return 0x38C;
    if (c == 0x3CD || c == 0x3CE) return c - 63;
    if (c >= 0x430 && c <= 0x44F) return c - 32;
    if (c >= 0x450 && c <= 0x45F) return c - 80;
    if (c >= 0xFF41 && c <= 0xFF5A) return c - 32;  // full-width Latin
    return c;
}

static Char UnicodeLower(Char c)
{
    if (c < 0x80) return AsciiLower(c);
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 32;
    if (c == 0x178) return 0xFF;
    if (c >= 0x100 && c <= 0x17F) {
        if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? c + 1 : c;
        if (c == 0x130) return u'i';
        if (c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
        return (c & 1) ? c : c + 1;
    }
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 32;
    if (c == 0x386) return 0x3AC;
    if (c >= 0x388 && c <= 0x38A) return c + 37;
    if (c == 0x38C) return 0x3CC;
    if (c == 0x38E || c == 0x38F) return c + 63;
    if (c >= 0x410 && c <= 0x42F) return c + 32;
    if (c >= 0x400 && c <= 0x40F) return c + 80;
    if (c >= 0xFF21 && c <= 0xFF3A) return c + 32;
    return c;
}

// S with every character through Map.
template <class TMap>
static String MapChars(const String& S, TMap Map)
{
    String r(S);
    for (Char& c : r) c = Map(c);
    return r;
}

String UpperCase(const String& S)
{
    return MapChars(S, AsciiUpper);
}

String LowerCase(const String& S)
{
    return MapChars(S, AsciiLower);
}

String AnsiUpperCase(const String& S)
{
    return MapChars(S, UnicodeUpper);
}

String AnsiLowerCase(const String& S)
{
    return MapChars(S, UnicodeLower);
}

template <class Fold>
static Integer CompareFolded(const String& a, const String& b, Fold f)
{
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        Char x = f(a[i]), y = f(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

Integer CompareStr(const String& S1, const String& S2)
{
    return CompareFolded(S1, S2, [](Char c) { return c; });
}

Integer CompareText(const String& S1, const String& S2)
{
    return CompareFolded(S1, S2, AsciiUpper);
}

bool SameStr(const String& S1, const String& S2) { return S1 == S2; }

bool SameText(const String& S1, const String& S2)
{
    return S1.size() == S2.size() && CompareText(S1, S2) == 0;
}

Integer AnsiCompareStr(const String& S1, const String& S2)
{
    return CompareStr(S1, S2);
}

Integer AnsiCompareText(const String& S1, const String& S2)
{
    // Ordinal after case folding: the same order in every build (a linguistic
    // order would depend on the system's locale).
    return CompareFolded(S1, S2, UnicodeLower);
}

bool AnsiSameText(const String& S1, const String& S2)
{
    return S1.size() == S2.size() && AnsiCompareText(S1, S2) == 0;
}

String Trim(const String& S)
{
    size_t b = 0, e = S.size();
    while (b < e && S[b] <= u' ') ++b;
    while (e > b && S[e - 1] <= u' ') --e;
    return S.substr(b, e - b);
}

String TrimLeft(const String& S)
{
    size_t b = 0;
    while (b < S.size() && S[b] <= u' ') ++b;
    return S.substr(b);
}

String TrimRight(const String& S)
{
    size_t e = S.size();
    while (e > 0 && S[e - 1] <= u' ') --e;
    return S.substr(0, e);
}

Integer Pos(const String& SubStr, const String& S, Integer Offset)
{
    if (SubStr.empty() || Offset < 1 || static_cast<size_t>(Offset) > S.size()) return 0;
    size_t p = S.find(SubStr, Offset - 1);
    return p == String::npos ? 0 : static_cast<Integer>(p) + 1;
}

String Copy(const String& S, Integer Index, Integer Count)
{
    if (Index < 1) Index = 1;
    if (Count <= 0 || static_cast<size_t>(Index) > S.size()) return String();
    return S.substr(Index - 1, Count);
}

String Copy(const String& S, Integer Index)
{
    return Copy(S, Index, INT32_MAX);
}

void Delete(String& S, Integer Index, Integer Count)
{
    if (Index < 1 || static_cast<size_t>(Index) > S.size() || Count <= 0) return;
    S.erase(Index - 1, Count);
}

void Insert(const String& Source, String& S, Integer Index)
{
    if (Index < 1) Index = 1;
    if (static_cast<size_t>(Index) > S.size() + 1) Index = static_cast<Integer>(S.size()) + 1;
    S.insert(Index - 1, Source);
}

String StringReplace(const String& S, const String& OldPattern, const String& NewPattern,
                     TReplaceFlags Flags)
{
    if (OldPattern.empty()) return S;
    const bool ic = Flags & rfIgnoreCase;
    const String hay = ic ? AnsiUpperCase(S) : S;
    const String pat = ic ? AnsiUpperCase(OldPattern) : OldPattern;
    String r;
    size_t from = 0;
    while (true) {
        size_t p = hay.find(pat, from);
        if (p == String::npos) break;
        r.append(S, from, p - from);
        r += NewPattern;
        from = p + pat.size();
        if (!(Flags & rfReplaceAll)) break;
    }
    r.append(S, from, String::npos);
    return r;
}

String StringOfChar(Char Ch, Integer Count)
{
    return Count > 0 ? String(Count, Ch) : String();
}

String QuotedStr(const String& S, Char Quote)
{
    String r(1, Quote);
    for (Char c : S) {
        r += c;
        if (c == Quote) r += c;
    }
    r += Quote;
    return r;
}

String AnsiDequotedStr(const String& S, Char Quote)
{
    if (S.size() < 2 || S.front() != Quote) return S;
    String r;
    size_t i = 1;
    for (; i < S.size(); ++i) {
        if (S[i] == Quote) {
            if (i + 1 < S.size() && S[i + 1] == Quote) {
                r += Quote;
                ++i;
            } else {
                break;
            }
        } else {
            r += S[i];
        }
    }
    // An unterminated quote is not a quoted string.
    return i < S.size() ? r : S;
}

bool StartsText(const String& SubText, const String& Text)
{
    return SubText.size() <= Text.size() && AnsiSameText(Text.substr(0, SubText.size()), SubText);
}

bool EndsText(const String& SubText, const String& Text)
{
    return SubText.size() <= Text.size() && AnsiSameText(Text.substr(Text.size() - SubText.size()), SubText);
}

bool StartsStr(const String& SubText, const String& Text)
{
    return Text.compare(0, SubText.size(), SubText) == 0 && SubText.size() <= Text.size();
}

bool EndsStr(const String& SubText, const String& Text)
{
    return SubText.size() <= Text.size() && Text.compare(Text.size() - SubText.size(), SubText.size(), SubText) == 0;
}

// ---------------------------------------------------------------------------
// UTF-8

UTF8String UTF8Encode(const String& S)
{
    std::string r;
    r.reserve(S.size());
    for (size_t i = 0; i < S.size(); ++i) {
        uint32_t c = S[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < S.size() && S[i + 1] >= 0xDC00 && S[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (S[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;  // a lone surrogate has no UTF-8 form
        }
        if (c < 0x80) {
            r += static_cast<char>(c);
        } else if (c < 0x800) {
            r += static_cast<char>(0xC0 | (c >> 6));
            r += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            r += static_cast<char>(0xE0 | (c >> 12));
            r += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            r += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            r += static_cast<char>(0xF0 | (c >> 18));
            r += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            r += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            r += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return r;
}

String UTF8ToString(const UTF8String& S)
{
    String r;
    r.reserve(S.size());
    const auto* p = reinterpret_cast<const uint8_t*>(S.data());
    size_t n = S.size(), i = 0;
    while (i < n) {
        uint8_t b = p[i];
        if (b < 0x80) {
            r += static_cast<Char>(b);
            ++i;
            continue;
        }
        int len = b >= 0xF0 && b <= 0xF4 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 && b < 0xE0 ? 2 : 0;
        if (b >= 0xF5) len = 0;
        uint32_t c = len == 4 ? b & 0x07 : len == 3 ? b & 0x0F : b & 0x1F;
        int k = 1;
        bool ok = len > 0;
        for (; ok && k < len; ++k) {
            if (i + k >= n || (p[i + k] & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            c = (c << 6) | (p[i + k] & 0x3F);
        }
        // Overlong forms, surrogates and values above U+10FFFF are malformed.
        if (ok && ((len == 3 && (c < 0x800 || (c >= 0xD800 && c <= 0xDFFF))) || (len == 4 && (c < 0x10000 || c > 0x10FFFF))))
            ok = false;
        if (!ok) {
            r += u'\xFFFD';
            i += std::max(1, k);
            continue;
        }
        if (c >= 0x10000) {
            c -= 0x10000;
            r += static_cast<Char>(0xD800 + (c >> 10));
            r += static_cast<Char>(0xDC00 + (c & 0x3FF));
        } else {
            r += static_cast<Char>(c);
        }
        i += len;
    }
    return r;
}

String UTF8Decode(const UTF8String& S)
{
    return UTF8ToString(S);
}

// ---------------------------------------------------------------------------
// File names

static inline bool IsDelim(Char c) { return c == u'\\' || c == u'/'; }

static size_t LastDelimiter(const String& S, bool WithDrive)
{
    for (size_t i = S.size(); i > 0; --i)
        if (IsDelim(S[i - 1]) || (WithDrive && S[i - 1] == DriveDelim)) return i;
    return 0;  // 1-based position, 0 when none
}

String ExtractFilePath(const String& FileName)
{
    return FileName.substr(0, LastDelimiter(FileName, true));
}

String ExtractFileDir(const String& FileName)
{
    size_t p = LastDelimiter(FileName, true);
    // Keep the delimiter of a root ("C:\", "\").
    if (p > 1 && IsDelim(FileName[p - 1]) && FileName[p - 2] != DriveDelim && !IsDelim(FileName[p - 2])) --p;
    return FileName.substr(0, p);
}

String ExtractFileName(const String& FileName)
{
    return FileName.substr(LastDelimiter(FileName, true));
}

String ExtractFileExt(const String& FileName)
{
    size_t start = LastDelimiter(FileName, true);
    size_t dot = FileName.rfind(u'.');
    if (dot == String::npos || dot < start) return String();
    return FileName.substr(dot);
}

String ExtractFileDrive(const String& FileName)
{
    if (FileName.size() >= 2 && FileName[1] == DriveDelim) return FileName.substr(0, 2);
    if (FileName.size() >= 2 && IsDelim(FileName[0]) && IsDelim(FileName[1])) {
        // \\server\share
        size_t n = 0, i = 2;
        for (; i < FileName.size(); ++i)
            if (IsDelim(FileName[i]) && ++n == 2) break;
        return FileName.substr(0, i);
    }
    return String();
}

String ChangeFileExt(const String& FileName, const String& Extension)
{
    size_t start = LastDelimiter(FileName, true);
    size_t dot = FileName.rfind(u'.');
    if (dot == String::npos || dot < start) return FileName + Extension;
    return FileName.substr(0, dot) + Extension;
}

String IncludeTrailingPathDelimiter(const String& S)
{
    if (!S.empty() && IsDelim(S.back())) return S;
    return S + PathDelim;
}

String ExcludeTrailingPathDelimiter(const String& S)
{
    if (!S.empty() && IsDelim(S.back())) return S.substr(0, S.size() - 1);
    return S;
}

bool IsPathDelimiter(const String& S, Integer Index)
{
    return Index >= 1 && static_cast<size_t>(Index) <= S.size() && IsDelim(S[Index - 1]);
}

// ---------------------------------------------------------------------------
// Dates

static const Word DaysBefore[2][13] = {
    {0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334},
    {0, 0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335}};

bool IsLeapYear(Word Year)
{
    return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0);
}

Word DaysInAMonth(Word Year, Word Month)
{
    static const Word d[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (Month < 1 || Month > 12) return 0;
    return Month == 2 && IsLeapYear(Year) ? 29 : d[Month];
}

bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Date)
{
    if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > DaysInAMonth(Year, Month))
        return false;
    Int64 y = Year - 1;
    Int64 days = y * 365 + y / 4 - y / 100 + y / 400 + DaysBefore[IsLeapYear(Year)][Month] + Day;
    Date = static_cast<double>(days - 693594);  // day number of 1899-12-30
    return true;
}

TDateTime EncodeDate(Word Year, Word Month, Word Day)
{
    TDateTime d;
    if (!TryEncodeDate(Year, Month, Day, d)) throw EConvertError(u"Invalid argument to date encode");
    return d;
}

bool TryEncodeTime(Word Hour, Word Min, Word Sec, Word MSec, TDateTime& Time)
{
    if (Hour > 23 || Min > 59 || Sec > 59 || MSec > 999) return false;
    Time = (Hour * 3600000.0 + Min * 60000.0 + Sec * 1000.0 + MSec) / 86400000.0;
    return true;
}

TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec)
{
    TDateTime t;
    if (!TryEncodeTime(Hour, Min, Sec, MSec, t)) throw EConvertError(u"Invalid argument to time encode");
    return t;
}

void DecodeDate(TDateTime Date, Word& Year, Word& Month, Word& Day)
{
    Int64 days = static_cast<Int64>(std::trunc(Date)) + 693593;  // days since 0001-01-01, 0-based
    if (days < 0) {
        Year = Month = Day = 0;
        return;
    }
    Int64 y = 1;
    Int64 n400 = days / 146097;
    days %= 146097;
    Int64 n100 = std::min<Int64>(days / 36524, 3);
    days -= n100 * 36524;
    Int64 n4 = days / 1461;
    days %= 1461;
    Int64 n1 = std::min<Int64>(days / 365, 3);
    days -= n1 * 365;
    y += n400 * 400 + n100 * 100 + n4 * 4 + n1;
    Year = static_cast<Word>(y);
    const Word* db = DaysBefore[IsLeapYear(Year)];
    Word m = 12;
    while (m > 1 && db[m] > days) --m;
    Month = m;
    Day = static_cast<Word>(days - db[m] + 1);
}

void DecodeTime(TDateTime Time, Word& Hour, Word& Min, Word& Sec, Word& MSec)
{
    double f = std::fabs(Time - std::trunc(Time));
    Int64 ms = static_cast<Int64>(std::llround(f * 86400000.0));
    if (ms >= 86400000) ms = 86399999;
    Hour = static_cast<Word>(ms / 3600000);
    Min = static_cast<Word>(ms / 60000 % 60);
    Sec = static_cast<Word>(ms / 1000 % 60);
    MSec = static_cast<Word>(ms % 1000);
}

Word DayOf(TDateTime Date)
{
    Word y, m, d;
    DecodeDate(Date, y, m, d);
    return d;
}

Word MonthOf(TDateTime Date)
{
    Word y, m, d;
    DecodeDate(Date, y, m, d);
    return m;
}

Word YearOf(TDateTime Date)
{
    Word y, m, d;
    DecodeDate(Date, y, m, d);
    return y;
}

Integer DayOfWeek(TDateTime Date)
{
    // 1899-12-30 was a Saturday (7).
    Int64 d = static_cast<Int64>(std::trunc(Date));
    Int64 w = ((d - 1) % 7 + 7) % 7;  // 0 = Sunday
    return static_cast<Integer>(w + 1);
}

String FormatDateTime(const String& Fmt, TDateTime DateTime)
{
    Word y, mo, d, h, mi, s, ms;
    DecodeDate(DateTime, y, mo, d);
    DecodeTime(DateTime, h, mi, s, ms);
    auto pad = [](int v, size_t w) {
        String r = IntToStr(v);
        if (r.size() < w) r.insert(0, w - r.size(), u'0');
        return r;
    };
    String out;
    size_t i = 0, n = Fmt.size();
    while (i < n) {
        Char c = AsciiLower(Fmt[i]);
        size_t run = 1;
        while (i + run < n && AsciiLower(Fmt[i + run]) == c) ++run;
        if (Fmt[i] == u'"' || Fmt[i] == u'\'') {
            Char q = Fmt[i++];
            while (i < n && Fmt[i] != q) out += Fmt[i++];
            if (i < n) ++i;
            continue;
        }
        switch (c) {
        case u'y': out += run >= 3 ? pad(y, 4) : pad(y % 100, 2); break;
        case u'm': out += pad(mo, run >= 2 ? 2 : 1); break;
        case u'd': out += pad(d, run >= 2 ? 2 : 1); break;
        case u'h': out += pad(h, run >= 2 ? 2 : 1); break;
        case u'n': out += pad(mi, run >= 2 ? 2 : 1); break;
        case u's': out += pad(s, run >= 2 ? 2 : 1); break;
        case u'z': out += pad(ms, run >= 3 ? 3 : 1); break;
        default: out.append(Fmt, i, run); break;
        }
        i += run;
    }
    return out;
}

String DateToStr(TDateTime Date)
{
    return FormatDateTime(u"yyyy-mm-dd", Date);
}

String TimeToStr(TDateTime Time)
{
    return FormatDateTime(u"hh:nn:ss", Time);
}

String DateTimeToStr(TDateTime DateTime)
{
    return FormatDateTime(u"yyyy-mm-dd hh:nn:ss", DateTime);
}

// ---------------------------------------------------------------------------
// Files

std::string HostPath(const String& FileName)
{
    std::string r = UTF8Encode(FileName);
#ifndef _WIN32
    std::replace(r.begin(), r.end(), '\\', '/');
#endif
    return r;
}

#ifdef _WIN32

bool FileExists(const String& FileName)
{
    DWORD a = GetFileAttributesW(WStr(FileName));
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const String& Directory)
{
    DWORD a = GetFileAttributesW(WStr(Directory));
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateDir(const String& Dir)
{
    return CreateDirectoryW(WStr(Dir), nullptr) != 0;
}

bool RemoveDir(const String& Dir)
{
    return RemoveDirectoryW(WStr(Dir)) != 0;
}

bool DeleteFile(const String& FileName)
{
    return DeleteFileW(WStr(FileName)) != 0;
}

bool RenameFile(const String& OldName, const String& NewName)
{
    return MoveFileW(WStr(OldName), WStr(NewName)) != 0;
}

bool RenameFileReplacing(const String& OldName, const String& NewName)
{
    return MoveFileExW(WStr(OldName), WStr(NewName), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

Int64 FileSizeOf(const String& FileName)
{
    WIN32_FILE_ATTRIBUTE_DATA d;
    if (!GetFileAttributesExW(WStr(FileName), GetFileExInfoStandard, &d) ||
        (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return -1;
    return (static_cast<Int64>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
}

String GetCurrentDir()
{
    wchar_t buf[MAX_PATH * 4];
    DWORD n = GetCurrentDirectoryW(MAX_PATH * 4, buf);
    return n && n < MAX_PATH * 4 ? FromWStr(buf) : String();
}

String GetEnvironmentVariable(const String& Name)
{
    DWORD n = GetEnvironmentVariableW(WStr(Name), nullptr, 0);
    if (n == 0) return String();
    std::wstring buf(n, L'\0');
    n = GetEnvironmentVariableW(WStr(Name), buf.data(), n);
    buf.resize(n);
    return FromWStr(buf.c_str());
}

String GetTempDirectory()
{
    wchar_t buf[MAX_PATH + 2];
    DWORD n = GetTempPathW(MAX_PATH + 1, buf);
    return n ? IncludeTrailingPathDelimiter(FromWStr(buf)) : String();
}

String ExpandFileName(const String& FileName)
{
    DWORD n = GetFullPathNameW(WStr(FileName), 0, nullptr, nullptr);
    if (n == 0) return FileName;
    std::wstring buf(n, L'\0');
    n = GetFullPathNameW(WStr(FileName), n, buf.data(), nullptr);
    buf.resize(n);
    return FromWStr(buf.c_str());
}

TDateTime Now()
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    return EncodeDate(st.wYear, st.wMonth, st.wDay) + EncodeTime(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
}


static TDateTime FileTimeToDateTime(const FILETIME& ft)
{
    FILETIME local;
    SYSTEMTIME st;
    if (!FileTimeToLocalFileTime(&ft, &local) || !FileTimeToSystemTime(&local, &st)) return 0;
    TDateTime d, t;
    if (!TryEncodeDate(st.wYear, st.wMonth, st.wDay, d) || !TryEncodeTime(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds, t))
        return 0;
    return d + t;
}

bool FileAge(const String& FileName, TDateTime& FileDateTime)
{
    WIN32_FILE_ATTRIBUTE_DATA d;
    if (!GetFileAttributesExW(WStr(FileName), GetFileExInfoStandard, &d) || (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    FileDateTime = FileTimeToDateTime(d.ftLastWriteTime);
    return true;
}

namespace {
struct TWinFind {
    HANDLE Handle = INVALID_HANDLE_VALUE;
    ~TWinFind()
    {
        if (Handle != INVALID_HANDLE_VALUE) ::FindClose(Handle);
    }
};

bool TakeEntry(TSearchRec& F, const WIN32_FIND_DATAW& d)
{
    Integer attr = static_cast<Integer>(d.dwFileAttributes);
    if (attr & F.ExcludeAttr) return false;
    F.Attr = attr;
    F.Size = (static_cast<Int64>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
    F.TimeStamp = FileTimeToDateTime(d.ftLastWriteTime);
    F.Name = FromWStr(d.cFileName);
    return true;
}
}  // namespace

Integer FindFirst(const String& Path, Integer Attr, TSearchRec& F)
{
    F.ExcludeAttr = ~Attr & (faHidden | faSysFile | faVolumeID | faDirectory);
    auto h = std::make_shared<TWinFind>();
    WIN32_FIND_DATAW d;
    h->Handle = FindFirstFileW(WStr(Path), &d);
    if (h->Handle == INVALID_HANDLE_VALUE) {
        F.FindHandle.reset();
        return static_cast<Integer>(GetLastError());
    }
    F.FindHandle = h;
    if (TakeEntry(F, d)) return 0;
    Integer rc = FindNext(F);
    return rc == ERROR_NO_MORE_FILES ? ERROR_FILE_NOT_FOUND : rc;
}

Integer FindNext(TSearchRec& F)
{
    auto* h = static_cast<TWinFind*>(F.FindHandle.get());
    if (!h) return ERROR_NO_MORE_FILES;
    WIN32_FIND_DATAW d;
    while (FindNextFileW(h->Handle, &d))
        if (TakeEntry(F, d)) return 0;
    return static_cast<Integer>(GetLastError());
}

void FindClose(TSearchRec& F)
{
    F.FindHandle.reset();
}

#else

bool FileExists(const String& FileName)
{
    struct stat st;
    return stat(HostPath(FileName).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const String& Directory)
{
    struct stat st;
    return stat(HostPath(Directory).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CreateDir(const String& Dir)
{
    return mkdir(HostPath(Dir).c_str(), 0777) == 0;
}

bool RemoveDir(const String& Dir)
{
    return rmdir(HostPath(Dir).c_str()) == 0;
}

bool DeleteFile(const String& FileName)
{
    if (DirectoryExists(FileName)) return false;
    return unlink(HostPath(FileName).c_str()) == 0;
}

bool RenameFile(const String& OldName, const String& NewName)
{
    // As on Windows, an existing target is not replaced.
    std::string to = HostPath(NewName);
    struct stat st;
    if (lstat(to.c_str(), &st) == 0) return false;
    return rename(HostPath(OldName).c_str(), to.c_str()) == 0;
}

bool RenameFileReplacing(const String& OldName, const String& NewName)
{
    std::string to = HostPath(NewName);
    struct stat st;
    if (stat(to.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return false;
    return rename(HostPath(OldName).c_str(), to.c_str()) == 0;
}

Int64 FileSizeOf(const String& FileName)
{
    struct stat st;
    if (stat(HostPath(FileName).c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return -1;
    return static_cast<Int64>(st.st_size);
}

String GetCurrentDir()
{
    char buf[PATH_MAX];
    return getcwd(buf, sizeof buf) ? UTF8ToString(buf) : String();
}

String GetEnvironmentVariable(const String& Name)
{
    const char* v = getenv(UTF8Encode(Name).c_str());
    return v ? UTF8ToString(v) : String();
}

String GetTempDirectory()
{
    const char* t = getenv("TMPDIR");
    return IncludeTrailingPathDelimiter(UTF8ToString(t && *t ? t : "/tmp"));
}

String ExpandFileName(const String& FileName)
{
    if (!FileName.empty() && (IsDelim(FileName[0]))) return FileName;
    return IncludeTrailingPathDelimiter(GetCurrentDir()) + FileName;
}

TDateTime Now()
{
    auto now = std::chrono::system_clock::now();
    std::time_t t = std::chrono::system_clock::to_time_t(now);
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm tm{};
    localtime_r(&t, &tm);
    return EncodeDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday) +
           EncodeTime(tm.tm_hour, tm.tm_min, std::min(tm.tm_sec, 59), static_cast<Word>(ms));
}


static TDateTime UnixToLocalDateTime(std::time_t t, long nsec)
{
    std::tm tm{};
    if (!localtime_r(&t, &tm)) return 0;
    TDateTime d, tt;
    if (!TryEncodeDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, d) ||
        !TryEncodeTime(tm.tm_hour, tm.tm_min, std::min(tm.tm_sec, 59), static_cast<Word>(nsec / 1000000), tt))
        return 0;
    return d + tt;
}

bool FileAge(const String& FileName, TDateTime& FileDateTime)
{
    struct stat st;
    if (stat(HostPath(FileName).c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
    FileDateTime = UnixToLocalDateTime(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
    return true;
}

namespace {
// "*" any run, "?" any one character; without case, as the Windows file system matches.
bool WildMatch(const String& Pattern, const String& Name)
{
    size_t p = 0, n = 0, star = String::npos, mark = 0;
    while (n < Name.size()) {
        if (p < Pattern.size() && (Pattern[p] == u'?' || AnsiSameText(Pattern.substr(p, 1), Name.substr(n, 1)))) {
            ++p;
            ++n;
        } else if (p < Pattern.size() && Pattern[p] == u'*') {
            star = p++;
            mark = n;
        } else if (star != String::npos) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < Pattern.size() && Pattern[p] == u'*') ++p;
    return p == Pattern.size();
}

struct THostFind {
    std::vector<TSearchRec> Entries;
    size_t Next = 0;
};

Integer TakeNext(TSearchRec& F)
{
    auto* h = static_cast<THostFind*>(F.FindHandle.get());
    if (!h || h->Next >= h->Entries.size()) return 18;  // no more files
    const TSearchRec& e = h->Entries[h->Next++];
    F.TimeStamp = e.TimeStamp;
    F.Size = e.Size;
    F.Attr = e.Attr;
    F.Name = e.Name;
    return 0;
}
}  // namespace

Integer FindFirst(const String& Path, Integer Attr, TSearchRec& F)
{
    F.ExcludeAttr = ~Attr & (faHidden | faSysFile | faVolumeID | faDirectory);
    F.FindHandle.reset();
    String dir = ExtractFilePath(Path);
    String pattern = ExtractFileName(Path);
    if (pattern == u"*.*") pattern = u"*";
    std::string hostDir = HostPath(dir.empty() ? String(u".") : dir);
    DIR* d = opendir(hostDir.c_str());
    if (!d) return 3;  // path not found
    auto h = std::make_shared<THostFind>();
    while (dirent* e = readdir(d)) {
        String name = UTF8ToString(e->d_name);
        if (!WildMatch(pattern, name)) continue;
        struct stat st;
        if (stat((hostDir + "/" + e->d_name).c_str(), &st) != 0) continue;
        TSearchRec r;
        r.Name = name;
        r.Attr = S_ISDIR(st.st_mode) ? faDirectory : faArchive;
        if (!(st.st_mode & S_IWUSR)) r.Attr |= faReadOnly;
        if (r.Attr & F.ExcludeAttr) continue;
        r.Size = S_ISDIR(st.st_mode) ? 0 : static_cast<Int64>(st.st_size);
        r.TimeStamp = UnixToLocalDateTime(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
        h->Entries.push_back(std::move(r));
    }
    closedir(d);
    // A stable order, like the Windows file system's.
    std::sort(h->Entries.begin(), h->Entries.end(), [](const TSearchRec& a, const TSearchRec& b) {
        Integer c = AnsiCompareText(a.Name, b.Name);
        return c != 0 ? c < 0 : a.Name < b.Name;
    });
    if (h->Entries.empty()) return 2;  // file not found
    F.FindHandle = h;
    return TakeNext(F);
}

Integer FindNext(TSearchRec& F)
{
    return TakeNext(F);
}

void FindClose(TSearchRec& F)
{
    F.FindHandle.reset();
}

#endif

TDateTime Date()
{
    return std::trunc(Now());
}

bool ForceDirectories(const String& Dir)
{
    if (Dir.empty()) return false;
    String d = ExcludeTrailingPathDelimiter(Dir);
    if (d.empty() || DirectoryExists(d)) return true;
    // A drive ("C:") or a root ends the climb.
    if (d.size() == 2 && d[1] == DriveDelim) return DirectoryExists(d + PathDelim);
    String parent = ExtractFileDir(d);
    if (!parent.empty() && parent != d && !ForceDirectories(parent)) return false;
    return CreateDir(d) || DirectoryExists(d);
}

// ---------------------------------------------------------------------------
// ANSI code pages

#ifdef _WIN32

Cardinal AnsiCodePage()
{
    return ::GetACP();
}

void SetDefaultAnsiCodePage(Cardinal) {}

AnsiString StringToAnsi(const String& S, Cardinal CodePage)
{
    if (S.empty()) return AnsiString();
    UINT cp = CodePage ? CodePage : CP_ACP;
    int n = WideCharToMultiByte(cp, 0, WStr(S), static_cast<int>(S.size()), nullptr, 0, nullptr, nullptr);
    if (n <= 0) return AnsiString();
    AnsiString r(n, '\0');
    WideCharToMultiByte(cp, 0, WStr(S), static_cast<int>(S.size()), r.data(), n, nullptr, nullptr);
    return r;
}

String AnsiToString(const AnsiString& S, Cardinal CodePage)
{
    if (S.empty()) return String();
    UINT cp = CodePage ? CodePage : CP_ACP;
    int n = MultiByteToWideChar(cp, 0, S.data(), static_cast<int>(S.size()), nullptr, 0);
    if (n <= 0) return String();
    String r(n, u'\0');
    MultiByteToWideChar(cp, 0, S.data(), static_cast<int>(S.size()), reinterpret_cast<wchar_t*>(r.data()), n);
    return r;
}

#else

static std::atomic<Cardinal> HostCodePage{1252};

Cardinal AnsiCodePage()
{
    return HostCodePage;
}

void SetDefaultAnsiCodePage(Cardinal CodePage)
{
    HostCodePage = IsTableCodePage(CodePage) ? CodePage : 1252;
}

AnsiString StringToAnsi(const String& S, Cardinal CodePage)
{
    if (CodePage == 0) CodePage = AnsiCodePage();
    if (CodePage == 65001) return UTF8Encode(S);
    return TableStringToAnsi(S, IsTableCodePage(CodePage) ? CodePage : 1252);
}

String AnsiToString(const AnsiString& S, Cardinal CodePage)
{
    if (CodePage == 0) CodePage = AnsiCodePage();
    if (CodePage == 65001) return UTF8ToString(S);
    return TableAnsiToString(S, IsTableCodePage(CodePage) ? CodePage : 1252);
}

#endif
