// SFResStrData: the skin library's own interface texts (system-menu captions,
// caption-button hints, edit and message-box commands ...), a table of
// NAME=text lines looked up by name. Portable.
#pragma once

#include "framework/runtime/Classes.h"

using TFontCharset = Byte;

class TsfResourceStrData : public TComponent {
public:
    // Filled with the English defaults; CharSet DEFAULT_CHARSET (1).
    explicit TsfResourceStrData(TComponent* AOwner);
    String ClassName() const override { return u"TsfResourceStrData"; }

    TStrings* ResStrings() const { return FResStrs.get(); }
    // Copies Value's lines over the whole list.
    void SetResStrings(TStrings* Value) { FResStrs->Assign(Value); }
    TFontCharset CharSet() const { return FCharSet; }
    void SetCharSet(TFontCharset Value) { FCharSet = Value; }

    // The text after the first "=" of the first line whose name equals ResName
    // without regard to case; empty when no line has that name.
    String GetResStr(const String& ResName) const;

private:
    std::unique_ptr<TStringList> FResStrs;
    TFontCharset FCharSet = 1;
};
