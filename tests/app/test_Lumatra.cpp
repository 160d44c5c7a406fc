// The program file and the platform it runs on: the version resource, and
// the fonts every form and every GDI+ text call relies on.
#include <gtest/gtest.h>

#include <windows.h>
#include <gdiplus.h>

#include <string>
#include <vector>

#include "skin/model/SFCompressedSkin.h"
#include "skin/model/SFResStrData.h"
#include "skin/model/SFSkinData.h"

namespace {

std::wstring ExePath()
{
    std::string s = LM_EXE_PATH;
    return std::wstring(s.begin(), s.end());
}

std::wstring VersionString(const std::vector<char>& Info, const wchar_t* Name)
{
    std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + Name;
    wchar_t* value = nullptr;
    UINT len = 0;
    if (!VerQueryValueW(Info.data(), key.c_str(), reinterpret_cast<void**>(&value), &len) || !value)
        return L"";
    return value;
}

TEST(Lumatra, CarriesItsVersionResource)
{
    std::wstring path = ExePath();
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &len));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(2, 5));
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(0, 6));
    EXPECT_EQ(VersionString(info, L"ProductName"), L"Quorvan Lumatra Standard");
    EXPECT_EQ(VersionString(info, L"FileVersion"), L"5.2.6.0");

    HMODULE exe = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr);
    EXPECT_NE(FindResourceW(exe, L"MAINICON", reinterpret_cast<LPCWSTR>(RT_GROUP_ICON)), nullptr);
    // The manifest asks for version 6 of the common controls.
    HRSRC manifest = FindResourceW(exe, MAKEINTRESOURCEW(1), reinterpret_cast<LPCWSTR>(RT_MANIFEST));
    ASSERT_NE(manifest, nullptr);
    std::string text(static_cast<const char*>(LockResource(LoadResource(exe, manifest))), SizeofResource(exe, manifest));
    EXPECT_NE(text.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(text.find("version=\"6.0.0.0\""), std::string::npos);
    FreeLibrary(exe);
}

// The bytes of an RCDATA resource of the program file.
std::string ResourceBytes(HMODULE Module, const wchar_t* Name)
{
    HRSRC res = FindResourceW(Module, Name, reinterpret_cast<LPCWSTR>(RT_RCDATA));
    if (!res) return {};
    const char* data = static_cast<const char*>(LockResource(LoadResource(Module, res)));
    return std::string(data, SizeofResource(Module, res));
}

// The built-in skin is a resource of the program; the other skins are files in
// "Skin" beside it; the skin library's texts come in both languages.
TEST(Lumatra, CarriesItsSkinsAndTheSkinTexts)
{
    HMODULE exe = LoadLibraryExW(ExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr);
    const std::string rire = ResourceBytes(exe, L"Rire");
    const std::string zh = ResourceBytes(exe, L"SkinStringsZh"), en = ResourceBytes(exe, L"SkinStringsEn");
    FreeLibrary(exe);

    TMemoryStream skn;
    skn.WriteBuffer(rire.data(), Integer(rire.size()));
    TsfCompressedStoredSkin stored(nullptr);
    stored.LoadFromCompressStream(&skn);
    TsfSkinData skin(nullptr);
    ASSERT_TRUE(skin.LoadCompressedStoredSkin(&stored)) << UTF8Encode(skin.LoadError());
    EXPECT_EQ(skin.SkinName, u"Rire");
    const String folder = ExtractFilePath(UTF8ToString(LM_EXE_PATH)) + u"Skin\\";
    for (const char16_t* name : {u"Charm", u"Laconic", u"Cool"}) {
        EXPECT_TRUE(skin.LoadFromCompressedFile(folder + name + u".skn")) << UTF8Encode(skin.LoadError());
        EXPECT_EQ(skin.SkinName, name);
    }

    TsfResourceStrData texts(nullptr);
    for (const auto& [bytes, close] : {std::pair{zh, String(u"关闭(&C)")}, std::pair{en, String(u"&Close")}}) {
        TStringList lines;
        lines.SetText(UTF8ToString(bytes));
        texts.SetResStrings(&lines);
        EXPECT_EQ(texts.GetResStr(u"MI_CLOSECAPTION"), close);
        EXPECT_FALSE(texts.GetResStr(u"PICKCOLOR").empty());
    }
}

std::wstring GdiFaceOf(const wchar_t* Face)
{
    HFONT font = CreateFontW(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, Face);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    wchar_t name[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, name);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(font);
    return name;
}

TEST(Platform, GdiFindsTheFacesThePogramAsksFor)
{
    EXPECT_EQ(GdiFaceOf(L"Tahoma"), L"Tahoma");
    EXPECT_EQ(GdiFaceOf(L"Marlett"), L"Marlett");
}

// The ink of one character drawn white on black in a 32x32 DIB, as a bitmap of
// lit pixels, so that two characters can be compared.
std::vector<int> Ink(const wchar_t* Face, wchar_t Ch)
{
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = 32;
    bi.bmiHeader.biHeight = -32;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ oldBmp = SelectObject(dc, bmp);
    HFONT font = CreateFontW(-24, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                             NONANTIALIASED_QUALITY, 0, Face);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkColor(dc, RGB(0, 0, 0));
    TextOutW(dc, 2, 2, &Ch, 1);
    GdiFlush();
    std::vector<int> lit(32 * 32);
    for (int i = 0; i < 32 * 32; ++i)
        lit[i] = (static_cast<const DWORD*>(bits)[i] & 0xFFFFFF) != 0;
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBmp);
    DeleteObject(font);
    DeleteObject(bmp);
    DeleteDC(dc);
    return lit;
}

TEST(Platform, ChineseFaceDrawsChineseGlyphs)
{
    const wchar_t* yahei = L"\x5FAE\x8F6F\x96C5\x9ED1"; // the face name 微软雅黑
    std::vector<int> zhong = Ink(yahei, L'\x4E2D');       // 中
    std::vector<int> wen = Ink(yahei, L'\x6587');         // 文
    std::vector<int> missing = Ink(yahei, L'\xE000');     // a private-use code: the missing glyph
    int ink = 0;
    for (int v : zhong) ink += v;
    EXPECT_GT(ink, 20);
    // Boxes would all look alike.
    EXPECT_NE(zhong, wen);
    EXPECT_NE(zhong, missing);
}

class GdiPlusSession : public testing::Test {
protected:
    void SetUp() override
    {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::GdiplusStartup(&Token, &input, nullptr), Gdiplus::Ok);
    }
    void TearDown() override { Gdiplus::GdiplusShutdown(Token); }
    ULONG_PTR Token = 0;
};

TEST_F(GdiPlusSession, FindsTheFamiliesThePogramAsksFor)
{
    for (const wchar_t* name : {L"Arial", L"Tahoma", L"Courier New", L"SimSun"}) {
        Gdiplus::GpFontFamily* family = nullptr;
        EXPECT_EQ(Gdiplus::DllExports::GdipCreateFontFamilyFromName(name, nullptr, &family), Gdiplus::Ok)
            << "family " << std::string(name, name + wcslen(name));
        if (family)
            Gdiplus::DllExports::GdipDeleteFontFamily(family);
    }
    Gdiplus::GpFontFamily* sans = nullptr;
    EXPECT_EQ(Gdiplus::DllExports::GdipGetGenericFontFamilySansSerif(&sans), Gdiplus::Ok);
    EXPECT_NE(sans, nullptr);
}

} // namespace
