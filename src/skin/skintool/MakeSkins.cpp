// MakeSkins OUTPUT WORK NAME... [--preview FILE.png]
//
// Draws each named skin ("Rire", "Charm", "Laconic", "Cool", or the test
// skin "FrameObjects" of tests/data/skin, TestSkins.h), writes it as a
// skin folder WORK/<name>/ (the INI description "skin.ini" and its BMP
// pictures) and packs that folder into OUTPUT/<name>.skn. With --preview, a
// PNG of every picture of the named skins side by side. Everything is drawn by
// code with fixed settings: the same sources give the same bytes on every run.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "PictureFiles.h"
#include "SkinDescription.h"
#include "SkinPack.h"
#include "TestSkins.h"
#include "filters/FiltersStartup.h"

namespace {

[[noreturn]] void Fail(const std::string& Message)
{
    std::fprintf(stderr, "MakeSkins: %s\n", Message.c_str());
    std::exit(1);
}

int ThemeIndex(const String& Name)
{
    for (int i = 0; i < SkinThemeCount; ++i)
        if (Name == SkinTheme(i).Name) return i;
    Fail("no skin named " + UTF8Encode(Name));
}

// The frame over the pictures of the list, one column per skin.
Kit::TImage Preview(const std::vector<TSkinArt>& Arts)
{
    const int Gap = 8;
    int W = Gap, H = 0;
    for (const TSkinArt& A : Arts) {
        int ColW = A.Frame.Width(), ColH = A.Frame.Height() + Gap;
        for (const Kit::TImage& P : A.Pictures) ColW = std::max(ColW, P.Width()), ColH += P.Height() + Gap;
        W += ColW + Gap;
        H = std::max(H, ColH + Gap);
    }
    Kit::TImage Out(W, H, Kit::Rgb(0x808890));
    int X = Gap;
    for (const TSkinArt& A : Arts) {
        int Y = Gap, ColW = A.Frame.Width();
        Out.Draw(A.Frame, X, Y);
        Y += A.Frame.Height() + Gap;
        for (const Kit::TImage& P : A.Pictures) {
            Out.Draw(P, X, Y);
            Y += P.Height() + Gap;
            ColW = std::max(ColW, P.Width());
        }
        X += ColW + Gap;
    }
    return Out;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4) Fail("usage: MakeSkins OUTPUT WORK NAME... [--preview FILE.png]");
    InstallFilters();
    try {
        const String Output = IncludeTrailingPathDelimiter(UTF8ToString(argv[1]));
        const String Work = IncludeTrailingPathDelimiter(UTF8ToString(argv[2]));
        String PreviewFile;
        std::vector<TSkinArt> Arts;
        for (int i = 3; i < argc; ++i) {
            if (std::strcmp(argv[i], "--preview") == 0 && i + 1 < argc) {
                PreviewFile = UTF8ToString(argv[++i]);
                continue;
            }
            const String Name = UTF8ToString(argv[i]);
            // A test skin starts as the program skin it is based on.
            const char16_t* Base = TestSkinBase(Name);
            const TSkinTheme& Theme = SkinTheme(ThemeIndex(Base ? String(Base) : Name));
            TSkinArt Art = DrawSkinArt(Theme);
            TsfSkinData Skin(nullptr);
            DescribeSkin(Theme, Art, Skin);
            if (Base) DescribeTestSkin(Name, Skin);
            const String Folder = Work + Name + u"\\";
            if (!ForceDirectories(Folder) || !ForceDirectories(Output)) Fail("cannot make the output folders");
            WriteBytes(Output + Name + u".skn", StoreAndPackSkin(Skin, Folder));
            Arts.push_back(std::move(Art));
        }
        if (!PreviewFile.empty()) WriteBytes(PreviewFile, Files::EncodePng(Preview(Arts), false));
    } catch (const Exception& E) {
        Fail(UTF8Encode(E.Message()));
    }
    return 0;
}
