// Clipbrd: the system clipboard (TClipboard) for text, bitmaps and raw
// handles, and the program's one instance of it (Clipboard()).
#pragma once

#include "framework/graphics/win/Graphics.h"

LM_EXCEPTION_CLASS(EClipboardException, Exception);

class TMetafile;

class TClipboard : public TPersistent {
public:
    TClipboard() = default;
    TClipboard(const TClipboard&) = delete;
    TClipboard& operator=(const TClipboard&) = delete;
    ~TClipboard() override;
    String ClassName() const override { return u"TClipboard"; }

    // Open/Close nest. Between them the first thing put on the clipboard empties it
    // once, so that several formats can be put together. Open raises
    // EClipboardException "Cannot open clipboard: <reason>" when another program
    // keeps the clipboard open.
    void Open();
    void Close();
    // Empties the clipboard.
    void Clear();
    bool HasFormat(Word Format) const;

    // Unicode text; empty when the clipboard holds none.
    String AsText();
    void SetAsText(const String& Value);

    // The clipboard's own handle of a format (valid until the clipboard changes), or nullptr.
    HANDLE GetAsHandle(Word Format);
    // Puts Value as Format; the clipboard owns it afterwards.
    void SetAsHandle(Word Format, HANDLE Value);

    // A TBitmap (as CF_DIB with its exact pixels and as CF_BITMAP), a TMetafile
    // (as CF_ENHMETAFILE), a TPicture's graphic or any other TGraphic (through
    // a bitmap).
    void Assign(TPersistent* Source) override;

protected:
    // To a TBitmap, a TPicture (its Bitmap) or another TGraphic (through a
    // bitmap): the clipboard's CF_DIB, else its CF_BITMAP; to a TMetafile, and
    // to a TPicture when the clipboard holds only a metafile: its
    // CF_ENHMETAFILE, else its CF_METAFILEPICT. Raises EInvalidGraphic
    // "Unsupported clipboard format" when it holds nothing of the kind.
    void AssignTo(TPersistent* Dest) override;

private:
    void Adding();
    void AssignBitmap(TBitmap* Bitmap);
    void ReadBitmap(TBitmap* Bitmap);
    bool ReadMetafile(TMetafile* Metafile);
    HWND FWindow = nullptr;  // owner of what this clipboard puts
    Integer FOpenRefCount = 0;
    bool FEmptied = false;
};

// The program's clipboard, made on first use.
TClipboard* Clipboard();
