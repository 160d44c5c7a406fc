#include "dialogs/AboutVersion.h"

#include "framework/runtime/SysUtils.h"

String AboutVersionText(const String& ProductVersion)
{
    // By number, so that a part of two digits keeps both.
    Integer Parts[3] = {0, 0, 0};
    String Rest = ProductVersion;
    for (Integer I = 0; I < 3; ++I) {
        const auto Dot = Rest.find(u'.');
        const String Piece = Trim(Rest.substr(0, Dot));
        if (!TryStrToInt(Piece, Parts[I]) || Parts[I] < 0) {
            if (I == 0) return String();
            Parts[I] = 0;
        }
        if (Dot == String::npos) break;
        Rest = Rest.substr(Dot + 1);
    }
    if (Parts[1] == 0 && Parts[2] == 0) return IntToStr(Parts[0]) + u".0";
    return IntToStr(Parts[0]) + u"." + IntToStr(Parts[1]) + IntToStr(Parts[2]);
}
