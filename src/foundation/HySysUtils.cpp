#include "foundation/HySysUtils.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<Integer> VersionParts(const String& V)
{
    std::vector<Integer> Parts;
    size_t Start = 0;
    for (;;) {
        size_t Stop = V.find(u'.', Start);
        String Part = V.substr(Start, Stop == String::npos ? String::npos : Stop - Start);
        // Read as a table cell reads its value: empty is 0.
        Parts.push_back(Part.empty() ? 0 : StrToInt(Part));
        if (Stop == String::npos) break;
        Start = Stop + 1;
    }
    return Parts;
}

// Value rounded to one decimal (halves to even), in its shortest form.
String OneDecimal(Double Value)
{
    Int64 Tenths = Round(Value * 10);
    String Text = IntToStr(Tenths / 10);
    if (Tenths % 10 != 0) {
        Text += u'.';
        Text += IntToStr(Tenths % 10);
    }
    return Text;
}

String Scaled(Int64 Size, Double Unit, const String& Name)
{
    Double M = static_cast<Double>(Size) / Unit;
    String Text = M > 100 ? IntToStr(Round(M)) : OneDecimal(M);
    Text += Name;
    return Text;
}

}  // namespace

String CompareVersion(const String& V1, const String& V2)
{
    if (V1.empty() || V2.empty()) return String();
    std::vector<Integer> A = VersionParts(V1), B = VersionParts(V2);
    for (size_t I = 0; I < std::max(A.size(), B.size()); ++I) {
        if (I >= A.size()) return u"<";
        if (I >= B.size()) return u">";
        if (A[I] > B[I]) return u">";
        if (A[I] < B[I]) return u"<";
    }
    return u"=";
}

String FormatFileSize(Int64 Size)
{
    String Text;
    if (Size < 1024) {
        Text = IntToStr(Size);
        Text += u" Bytes";
        return Text;
    }
    if (Size < 1048576) {
        Text = IntToStr(Round(static_cast<Double>(Size) / 1024));
        Text += u" KB";
        return Text;
    }
    if (Size < 1073741824) return Scaled(Size, 1048576.0, u" MB");
    return Scaled(Size, 1073741824.0, u" GB");
}
