#include "framework/graphics/win/Clipbrd.h"

#include <cstring>

#include "framework/graphics/win/Metafile.h"

namespace {

String ErrorText(DWORD Code)
{
    wchar_t* buf = nullptr;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, Code, 0, reinterpret_cast<wchar_t*>(&buf), 0, nullptr);
    String r = n ? TrimRight(FromWStr(buf)) : u"System error " + IntToStr(Code);
    if (buf) LocalFree(buf);
    return r;
}

// A movable global block holding a copy of Size bytes.
HGLOBAL GlobalCopy(const void* Data, size_t Size)
{
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, Size);
    if (!h) throw EOutOfMemory(u"Out of memory");
    void* p = GlobalLock(h);
    std::memcpy(p, Data, Size);
    GlobalUnlock(h);
    return h;
}

}  // namespace

TClipboard::~TClipboard()
{
    if (FOpenRefCount > 0) CloseClipboard();
    if (FWindow) DestroyWindow(FWindow);
}

void TClipboard::Open()
{
    if (FOpenRefCount == 0) {
        if (!FWindow) {
            // A message-only window owns what is put, as the clipboard expects an owner.
            FWindow = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
        }
        // Another program may hold the clipboard for a moment.
        bool opened = false;
        DWORD error = 0;
        for (int attempt = 0; attempt < 10 && !opened; ++attempt) {
            opened = OpenClipboard(FWindow);
            if (!opened) {
                error = GetLastError();
                Sleep(10);
            }
        }
        if (!opened) throw EClipboardException(u"Cannot open clipboard: " + ErrorText(error));
        FEmptied = false;
    }
    ++FOpenRefCount;
}

void TClipboard::Close()
{
    if (FOpenRefCount == 0) return;
    if (--FOpenRefCount == 0) CloseClipboard();
}

void TClipboard::Clear()
{
    Open();
    EmptyClipboard();
    Close();
}

void TClipboard::Adding()
{
    if (FOpenRefCount != 0 && !FEmptied) {
        EmptyClipboard();
        FEmptied = true;
    }
}

bool TClipboard::HasFormat(Word Format) const { return IsClipboardFormatAvailable(Format) != 0; }

String TClipboard::AsText()
{
    String text;
    Open();
    HANDLE h = GetClipboardData(CF_UNICODETEXT);
    if (h) {
        auto* p = static_cast<const char16_t*>(GlobalLock(h));
        if (p) {
            size_t max = GlobalSize(h) / sizeof(char16_t), n = 0;
            while (n < max && p[n]) ++n;
            text.assign(p, n);
            GlobalUnlock(h);
        }
    }
    Close();
    return text;
}

void TClipboard::SetAsText(const String& Value)
{
    HGLOBAL h = GlobalCopy(Value.c_str(), (Value.size() + 1) * sizeof(char16_t));
    try {
        SetAsHandle(CF_UNICODETEXT, h);
    } catch (...) {
        GlobalFree(h);
        throw;
    }
}

HANDLE TClipboard::GetAsHandle(Word Format)
{
    Open();
    HANDLE h = GetClipboardData(Format);
    Close();
    return h;
}

void TClipboard::SetAsHandle(Word Format, HANDLE Value)
{
    Open();
    Adding();
    bool ok = SetClipboardData(Format, Value) != nullptr;
    DWORD error = GetLastError();
    Close();
    if (!ok) throw EClipboardException(u"Cannot put data on the clipboard: " + ErrorText(error));
}

void TClipboard::AssignBitmap(TBitmap* Bitmap)
{
    TDibImage img;
    Bitmap->GetDib(img);
    std::vector<uint8_t> dib = MakePackedDib(img);
    Open();
    try {
        Adding();
        // The exact pixels for readers of device-independent bitmaps...
        HGLOBAL h = GlobalCopy(dib.data(), dib.size());
        if (!SetClipboardData(CF_DIB, h)) GlobalFree(h);
        // ... and a device bitmap for the others.
        if (!img.Empty()) {
            const auto* info = reinterpret_cast<const BITMAPINFO*>(dib.data());
            size_t colors = IsIndexedFormat(img.PixelFormat) ? info->bmiHeader.biClrUsed
                            : img.PixelFormat == pf16bit   ? 3
                                                            : 0;
            const uint8_t* bits = dib.data() + info->bmiHeader.biSize + colors * 4;
            HDC screen = GetDC(nullptr);
            HBITMAP ddb = CreateDIBitmap(screen, &info->bmiHeader, CBM_INIT, bits, info, DIB_RGB_COLORS);
            ReleaseDC(nullptr, screen);
            if (ddb && !SetClipboardData(CF_BITMAP, ddb)) DeleteObject(ddb);
        }
    } catch (...) {
        Close();
        throw;
    }
    Close();
}

void TClipboard::ReadBitmap(TBitmap* Bitmap)
{
    Open();
    try {
        if (HANDLE h = GetClipboardData(CF_DIB)) {
            const auto* p = static_cast<const uint8_t*>(GlobalLock(h));
            TDibImage img;
            try {
                if (!p) throw EInvalidGraphic(u"Unsupported clipboard format");
                ReadPackedDib(p, GlobalSize(h), img);
            } catch (...) {
                if (p) GlobalUnlock(h);
                throw;
            }
            GlobalUnlock(h);
            Bitmap->SetDib(img);
        } else if (HANDLE b = GetClipboardData(CF_BITMAP)) {
            // The clipboard keeps its bitmap: the picture takes a copy.
            HBITMAP copy = static_cast<HBITMAP>(CopyImage(b, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
            if (!copy) throw EInvalidGraphic(u"Unsupported clipboard format");
            Bitmap->SetHandle(copy);
        } else {
            throw EInvalidGraphic(u"Unsupported clipboard format");
        }
    } catch (...) {
        Close();
        throw;
    }
    Close();
}

void TClipboard::Assign(TPersistent* Source)
{
    if (auto* b = dynamic_cast<TBitmap*>(Source)) {
        AssignBitmap(b);
    } else if (auto* m = dynamic_cast<TMetafile*>(Source)) {
        Open();
        try {
            Adding();
            m->SaveToOpenClipboard();
        } catch (...) {
            Close();
            throw;
        }
        Close();
    } else if (auto* p = dynamic_cast<TPicture*>(Source)) {
        Assign(p->Graphic());
    } else if (auto* g = dynamic_cast<TGraphic*>(Source)) {
        TBitmap tmp;
        tmp.Assign(g);
        AssignBitmap(&tmp);
    } else {
        TPersistent::Assign(Source);
    }
}

bool TClipboard::ReadMetafile(TMetafile* Metafile)
{
    Open();
    bool Read = false;
    try {
        Read = Metafile->LoadFromOpenClipboard();
    } catch (...) {
        Close();
        throw;
    }
    Close();
    return Read;
}

void TClipboard::AssignTo(TPersistent* Dest)
{
    // A clipboard that holds only a metafile gives the metafile.
    const bool OnlyMetafile = !HasFormat(CF_DIB) && !HasFormat(CF_BITMAP) &&
                              (HasFormat(CF_ENHMETAFILE) || HasFormat(CF_METAFILEPICT));
    if (auto* m = dynamic_cast<TMetafile*>(Dest)) {
        if (!ReadMetafile(m)) throw EInvalidGraphic(u"Unsupported clipboard format");
    } else if (auto* b = dynamic_cast<TBitmap*>(Dest)) {
        ReadBitmap(b);
    } else if (auto* p = dynamic_cast<TPicture*>(Dest)) {
        if (OnlyMetafile) {
            TMetafile tmp;
            if (!ReadMetafile(&tmp)) throw EInvalidGraphic(u"Unsupported clipboard format");
            p->SetGraphic(&tmp);
            return;
        }
        TBitmap tmp;
        ReadBitmap(&tmp);
        p->Bitmap()->Assign(&tmp);
    } else if (auto* g = dynamic_cast<TGraphic*>(Dest)) {
        TBitmap tmp;
        ReadBitmap(&tmp);
        g->Assign(&tmp);
    } else {
        TPersistent::AssignTo(Dest);
    }
}

TClipboard* Clipboard()
{
    static std::unique_ptr<TClipboard> Instance = std::make_unique<TClipboard>();
    return Instance.get();
}
