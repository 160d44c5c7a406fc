// The main window's open documents with real windows and real input: two
// pictures opened, a click on the strip switches, the close glyph closes;
// saving through the JPEG options dialog clicked like a user, the caller
// told of each save; untitled names, a modified new image across a switch,
// pictures refused, files dropped and handed over by another program, and
// many open and close cycles with the thumbnail worker busy.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstring>
#include <deque>

#include "../../dialogs/win/DialogTest.h"
#include "../../framework/controls/win/HandleCount.h"

#include "Component/Raster32/win/Ras32_Image.h"
#include "dialogs/FileOptions.h"
#include "dialogs/win/JpgOptionForm.h"
#include "document/ImageClipboard.h"
#include "document/ImageDraw.h"
#include "document/win/ImageDraw_Win.h"
#include "filters/FiltersStartup.h"
#include "foundation/HyDataTable.h"
#include "foundation/win/HyFileUtils_Image.h"
#include "foundation/win/HyMediaPack_Win.h"
#include "framework/controls/win/ExtCtrls.h"
#include "shell/OpenDocumentsCore.h"
#include "shell/OpenFileStripCore.h"
#include "shell/win/CanvasInput.h"
#include "shell/win/OpenDocuments.h"
#include "shell/win/OpenFileStrip.h"
#include "shell/win/ZezavEzazerForm.h"
#include "skin/controls/win/SkinBoxCtrls.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinCheckCtrls.h"

namespace {

namespace C = OpenFileCol;
namespace S = OpenFileStrip;

// What the program installs at its start besides the skin platform.
class TEditorStartup : public testing::Environment {
public:
    void SetUp() override
    {
        InstallFilters();
        InstallImageControls();
        InstallMediaPackPlatform();
        InstallImageDrawHooks();
    }
};
testing::Environment* const GEditorStartup = testing::AddGlobalTestEnvironment(new TEditorStartup);

// Message boxes and file dialogs answered by the test; the option dialogs
// are the program's own, clicked by the test.
class TTestPrompts : public TProgramPrompts {
public:
    TTestPrompts() : TProgramPrompts(nullptr) {}
    std::vector<String> Messages, Questions;
    std::deque<Integer> Answers;  // IDNO when none is left
    String SaveName;
    Integer SaveFilterIndex = 1;
    Integer JpgShown = 0;

    void ShowMessage(const String& Text) override { Messages.push_back(Text); }
    Integer Ask(const String& Text, Cardinal) override
    {
        Questions.push_back(Text);
        if (Answers.empty()) return IDNO;
        const Integer A = Answers.front();
        Answers.pop_front();
        return A;
    }
    String OpenName, OpenFolderShown;
    String ChooseOpenFile(const String&, const String& InitialDir) override
    {
        OpenFolderShown = InitialDir;
        return OpenName;
    }
    String ChooseSaveFile(const String&, const String&, Integer, Integer& FilterIndex) override
    {
        FilterIndex = SaveFilterIndex;
        return SaveName;
    }
    bool JpgOptions(TImageDraw& Document) override
    {
        ++JpgShown;
        return TProgramPrompts::JpgOptions(Document);
    }
};

// A window of another program that hears of saves.
class TSaveReceiver {
public:
    TSaveReceiver()
    {
        WNDCLASSW Class = {};
        Class.lpfnWndProc = Proc;
        Class.hInstance = GetModuleHandleW(nullptr);
        Class.lpszClassName = L"LmSaveReceiver";
        RegisterClassW(&Class);
        Got.clear();
        Wnd = CreateWindowW(L"LmSaveReceiver", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, Class.hInstance, nullptr);
    }
    ~TSaveReceiver() { DestroyWindow(Wnd); }
    TSaveReceiver(const TSaveReceiver&) = delete;
    TSaveReceiver& operator=(const TSaveReceiver&) = delete;
    String HandleText() const { return IntToStr(static_cast<Int64>(reinterpret_cast<intptr_t>(Wnd))); }

    HWND Wnd;
    static inline std::vector<std::pair<WPARAM, LPARAM>> Got;

private:
    static LRESULT CALLBACK Proc(HWND W, UINT M, WPARAM WP, LPARAM LP)
    {
        if (M == WM_FILESAVED) {
            Got.push_back({WP, LP});
            return 0;
        }
        return DefWindowProcW(W, M, WP, LP);
    }
};

String WritePicture(const String& File, Integer W, Integer H, TColor32 Colour, TImageFormat Format = ifPng)
{
    TBitmap32 B;
    B.SetSize(W, H);
    B.Clear(Colour);
    SaveBitmap32ToFile(&B, File, Format, Format == ifJpg ? 9 : 0);
    return File;
}

class MainDocuments : public GlobalsTest {
protected:
    TfrmZezavEzazer* Main = nullptr;
    TTestPrompts Prompts;

    void TearDown() override
    {
        delete Main;
        guitest::Pump();
        GlobalsTest::TearDown();
    }
    // The main window, shown with its first document.
    void Start()
    {
        Main = new TfrmZezavEzazer(nullptr);
        Main->Documents().SetPrompts(&Prompts);
        Main->Show();
        WaitShown(Main);
        ASSERT_NE(Docs().Live(), nullptr);
    }
    TOpenDocuments& Docs() { return Main->Documents(); }
    TDataTable& Table() { return Docs().OpenFileDT(); }
    String RowName(Integer I) { return Table().GetItem(I)->GetItem(C::FileName)->Text(); }
    String Untitled(Integer N) { return GetLangText(1, 1) + u" " + IntToStr(N); }
    // Runs the messages and the worker's hand-overs until Done.
    template <class F>
    bool Until(F Done)
    {
        return guitest::PumpUntil([&] {
            CheckSynchronize(0);
            return Done();
        });
    }
    TPoint TileScreen(Integer I, TPoint At) { return Docs().Strip()->Tile(I)->ClientToScreen(At); }
    // The colour the canvas shows at its centre.
    COLORREF CanvasCentre()
    {
        const TPoint P = Main->Image->ClientToScreen(TPoint{Main->Image->Width() / 2, Main->Image->Height() / 2});
        return guitest::ScreenPixelNow(P.X, P.Y);
    }
    // Runs Script on the JPEG options dialog once it handles input in its
    // modal loop.
    template <class F>
    TTimer* WhenJpgDialog(F Script)
    {
        auto* T = new TTimer(Main);
        T->SetInterval(10);
        T->OnTimer = [T, Script](TObject*) {
            for (Integer I = 0; I < Screen->FormCount(); ++I)
                if (auto* D = dynamic_cast<TfrmJpgOption*>(Screen->Forms(I)); D && IsWindowVisible(D->Handle())) {
                    T->SetEnabled(false);
                    WaitShown(D);
                    Script(D);
                    return;
                }
        };
        return T;
    }
};

}  // namespace

TEST_F(MainDocuments, TwoPicturesSwitchByTheStripAndCloseByTheGlyph)
{
    const String Red = WritePicture(Dir / u"red.png", 300, 200, 0xFFE00000);
    const String Blue = WritePicture(Dir / u"blue.png", 300, 200, 0xFF0000E0);
    Start();
    ASSERT_TRUE(Docs().OpenImageFile(Red));
    ASSERT_TRUE(Docs().OpenImageFile(Blue));
    // New rows come at the top: blue (live), red, the first new image.
    ASSERT_EQ(Table().ItemCount(), 3);
    EXPECT_EQ(RowName(0), Blue);
    EXPECT_EQ(RowName(1), Red);
    EXPECT_EQ(RowName(2), Untitled(1));
    EXPECT_EQ(Docs().OpenFileIndex(), 0);
    EXPECT_TRUE(Table().GetItem(0)->GetItem(C::Current)->AsBool());
    EXPECT_EQ(Main->Caption(), u"blue.png - " + EditionTitle);
    EXPECT_TRUE(guitest::PumpUntil([&] { return CanvasCentre() == RGB(0, 0, 0xE0); }));

    // Every tile gets its file's thumbnail, shown on the screen.
    ASSERT_TRUE(Until([&] {
        for (Integer I = 0; I < 3; ++I)
            if (!Table().GetItem(I)->Data()) return false;
        return true;
    }));
    const TPoint RedTile = TileScreen(1, TPoint{S::TileWidth / 2, S::TileHeight / 2});
    EXPECT_TRUE(guitest::PumpUntil([&] { return guitest::ScreenPixelNow(RedTile.X, RedTile.Y) == RGB(0xE0, 0, 0); }));

    // A click on the red tile makes it live: the canvas shows red.
    Click(TileScreen(1, TPoint{20, 40}));
    ASSERT_TRUE(Until([&] { return Docs().FileName() == Red; }));
    EXPECT_EQ(Docs().OpenFileIndex(), 1);
    EXPECT_TRUE(Table().GetItem(1)->GetItem(C::Current)->AsBool());
    EXPECT_FALSE(Table().GetItem(0)->GetItem(C::Current)->AsBool());
    EXPECT_TRUE(guitest::PumpUntil([&] { return CanvasCentre() == RGB(0xE0, 0, 0); }));
    EXPECT_EQ(Main->Caption(), u"red.png - " + EditionTitle);

    // The close glyph of the blue tile closes blue; red stays live.
    Click(TileScreen(0, TPoint{S::TileWidth - 8, 6}));
    ASSERT_TRUE(Until([&] { return Table().ItemCount() == 2; }));
    EXPECT_EQ(RowName(0), Red);
    EXPECT_EQ(Docs().FileName(), Red);
    EXPECT_EQ(Docs().OpenFileIndex(), 0);
    // The tile now under the mouse is the hovered one.
    EXPECT_TRUE(Table().GetItem(0)->GetItem(C::Hover)->AsBool());
    EXPECT_TRUE(guitest::PumpUntil([&] { return !Docs().Strip()->Tile(2)->Visible(); }));

    // Closing the live one makes its right-hand neighbour live. (Each press
    // on the close area lands a few pixels from the last: the same spot
    // again would be a double-click, which the tiles ignore.)
    Click(TileScreen(0, TPoint{S::TileWidth - 12, 3}));
    ASSERT_TRUE(Until([&] { return Table().ItemCount() == 1; }));
    EXPECT_EQ(Docs().FileName(), Untitled(1));
    EXPECT_EQ(Docs().OpenFileIndex(), 0);
    // The last document cannot be closed.
    Click(TileScreen(0, TPoint{S::TileWidth - 4, 10}));
    guitest::Pump();
    EXPECT_EQ(Table().ItemCount(), 1);
    EXPECT_TRUE(Prompts.Questions.empty());
}

TEST_F(MainDocuments, SaveThroughTheJpegDialogTellsTheCaller)
{
    TSaveReceiver Caller;
    SetShareCells(u"Gallery", 1, Caller.HandleText());
    Start();
    Main->SetCalledAppId(1);
    const String Out = Dir / u"out.jpg";

    // Cancel in the dialog: nothing written, the row and the name stay.
    Prompts.SaveName = Dir / u"out";
    TTimer* T = WhenJpgDialog([](TfrmJpgOption* D) { Click(ScreenCentre(D->btnCancel)); });
    EXPECT_FALSE(Docs().Save());
    delete T;
    EXPECT_EQ(Prompts.JpgShown, 1);
    EXPECT_FALSE(FileExists(Out));
    EXPECT_EQ(RowName(0), Untitled(1));
    EXPECT_TRUE(Table().GetItem(0)->GetItem(C::New)->AsBool());
    guitest::Pump();
    EXPECT_TRUE(TSaveReceiver::Got.empty());

    // Save: the dialog opens at step 9; ticked to keep its options.
    Integer ShownStep = 0;
    T = WhenJpgDialog([&](TfrmJpgOption* D) {
        ShownStep = D->cbQuality->ItemIndex() + 1;
        Click(ScreenCentre(D->chkSameOnNext));
        guitest::PumpUntil([&] { return D->chkSameOnNext->Checked(); });
        Click(ScreenCentre(D->btnSave));
    });
    ASSERT_TRUE(Docs().Save());
    delete T;
    EXPECT_EQ(ShownStep, 9);
    ASSERT_TRUE(FileExists(Out));
    EXPECT_EQ(GetImageTypeByExt(Out), ifJpg);
    bool Alpha = false;
    Integer Depth = 0;
    auto Back = LoadImageToBitmap32(Out, Alpha, Depth);
    ASSERT_TRUE(Back);
    EXPECT_EQ(Back->Width(), ConfigTable->GetItem(1)->GetItem(0)->Value());
    EXPECT_EQ(RowName(0), Out);
    EXPECT_FALSE(Table().GetItem(0)->GetItem(C::New)->AsBool());
    EXPECT_EQ(Docs().FileName(), Out);
    EXPECT_EQ(Main->Caption(), u"out.jpg - " + EditionTitle);
    TRow& Options = FileOptionsRow(*Docs().Live()->FileDT());
    EXPECT_EQ(Options.GetItem(FileOptionCol::JpegStep)->Value(), 9);
    EXPECT_TRUE(Options.GetItem(FileOptionCol::SameOnNext)->AsBool());
    ASSERT_TRUE(guitest::PumpUntil([&] { return TSaveReceiver::Got.size() == 1; }));
    EXPECT_EQ(TSaveReceiver::Got[0].first, static_cast<WPARAM>(-1));
    EXPECT_EQ(TSaveReceiver::Got[0].second, 0);

    // The next save asks nothing and tells the caller again.
    ASSERT_TRUE(Docs().Save());
    EXPECT_EQ(Prompts.JpgShown, 2);
    ASSERT_TRUE(guitest::PumpUntil([&] { return TSaveReceiver::Got.size() == 2; }));

    // A caller whose window is disabled hears nothing; the save stands.
    EnableWindow(Caller.Wnd, FALSE);
    ASSERT_TRUE(Docs().Save());
    guitest::Pump();
    EXPECT_EQ(TSaveReceiver::Got.size(), 2u);

    // Save As onto the name already open is refused, and nothing is asked.
    Prompts.SaveName = Out;
    EXPECT_FALSE(Docs().SaveAs());
    ASSERT_EQ(Prompts.Messages.size(), 1u);
    EXPECT_NE(Prompts.Messages[0].find(u"\"" + Out + u"\""), String::npos);
    EXPECT_TRUE(Prompts.Questions.empty());
}

TEST_F(MainDocuments, UntitledNamesAndAModifiedNewImageAcrossASwitch)
{
    const String Pic = WritePicture(Dir / u"pic.png", 40, 30, 0xFF00C000);
    Start();
    EXPECT_EQ(Docs().FileName(), Untitled(1));
    Docs().SaveToStream();
    ASSERT_TRUE(Docs().LoadDocument(String(), true));
    EXPECT_EQ(Docs().FileName(), Untitled(2));

    // The second new image gets a picture: modified, it survives a switch
    // from its stream, still marked modified.
    Docs().InsertImageFiles(Dir.Path(), u"missing.png|pic.png");
    ASSERT_TRUE(Docs().Live()->Changed());
    const Integer Objects = Docs().Live()->DT()->ItemCount();
    EXPECT_TRUE(Table().GetItem(0)->GetItem(C::Modified)->AsBool());
    Docs().SwitchTo(1);
    EXPECT_EQ(Docs().FileName(), Untitled(1));
    EXPECT_FALSE(Table().GetItem(1)->GetItem(C::Modified)->AsBool());
    EXPECT_TRUE(Table().GetItem(0)->GetItem(C::Modified)->AsBool());
    EXPECT_NE(Table().GetItem(0)->Data3().As<TMemoryStream>(), nullptr);
    Docs().SwitchTo(0);
    EXPECT_EQ(Docs().FileName(), Untitled(2));
    EXPECT_TRUE(Docs().Live()->Changed());
    EXPECT_TRUE(Table().GetItem(0)->GetItem(C::Modified)->AsBool());
    EXPECT_EQ(Docs().Live()->DT()->ItemCount(), Objects);

    // Closing "1" frees its number for the next new image.
    Docs().CloseOpenDocument(0, 1);
    ASSERT_EQ(Table().ItemCount(), 1);
    Docs().SaveToStream();
    ASSERT_TRUE(Docs().LoadDocument(String(), true));
    EXPECT_EQ(Docs().FileName(), Untitled(1));
}

TEST_F(MainDocuments, RefusedPicturesLeaveTheLiveDocument)
{
    const String Big = WritePicture(Dir / u"big.png", 6001, 5000, 0xFFFFFFFF);
    Start();
    TImageDraw* Before = Docs().Live();
    EXPECT_FALSE(Docs().OpenImageFile(Big));
    ASSERT_EQ(Prompts.Messages.size(), 1u);
    EXPECT_NE(Prompts.Messages[0].find(u"6001 × 5000 = 30005000."), String::npos) << UTF8Encode(Prompts.Messages[0]);
    EXPECT_EQ(Docs().Live(), Before);
    EXPECT_EQ(Table().ItemCount(), 1);
    EXPECT_EQ(Docs().FileName(), Untitled(1));

    // A damaged file is the document engine's to name; nothing changes either.
    const String Bad = Dir / u"bad.png";
    {
        TFileStream F(Bad, fmCreate);
        F.WriteBuffer("\x89PNG\r\n\x1a\n garbage", 18);
    }
    EXPECT_FALSE(Docs().OpenImageFile(Bad));
    EXPECT_EQ(Prompts.Messages.size(), 2u);
    EXPECT_EQ(Docs().Live(), Before);
    EXPECT_EQ(Table().ItemCount(), 1);
}

TEST_F(MainDocuments, DroppedAndHandedOverFilesOpen)
{
    const String Jpg = WritePicture(Dir / u"photo.JPG", 64, 48, 0xFF808000, ifJpg);
    const String Odd = WritePicture(Dir / u"photo.jp", 64, 48, 0xFF808000, ifJpg);
    const String Png = WritePicture(Dir / u"handed.png", 64, 48, 0xFF008080);
    Start();
    auto Drop = [&](const String& Name) {
        const std::size_t Bytes = sizeof(DROPFILES) + (Name.size() + 2) * sizeof(Char);
        HGLOBAL H = GlobalAlloc(GHND, Bytes);
        auto* D = static_cast<DROPFILES*>(GlobalLock(H));
        D->pFiles = sizeof(DROPFILES);
        D->fWide = TRUE;
        std::memcpy(reinterpret_cast<char*>(D) + sizeof(DROPFILES), Name.c_str(), Name.size() * sizeof(Char));
        GlobalUnlock(H);
        PostMessageW(Main->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(H), 0);
    };
    Drop(Odd);
    ASSERT_TRUE(guitest::PumpUntil([&] { return !Prompts.Messages.empty(); }));
    EXPECT_EQ(Prompts.Messages[0], GetLangText(1, 253));
    Drop(Jpg);
    ASSERT_TRUE(guitest::PumpUntil([&] { return Docs().FileName() == Jpg; }));

    // Another program hands a file over: it opens once the sender's call returned.
    COPYDATASTRUCT Data = {};
    Data.dwData = 2;
    Data.cbData = static_cast<DWORD>((Png.size() + 1) * sizeof(Char));
    Data.lpData = const_cast<Char*>(Png.c_str());
    SendMessageW(Main->Handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&Data));
    ASSERT_TRUE(guitest::PumpUntil([&] { return Docs().FileName() == Png; }));
    EXPECT_EQ(Main->CalledAppId(), 2);
    EXPECT_EQ(Table().ItemCount(), 3);
}

TEST_F(MainDocuments, OpenAndCloseCyclesWithABusyWorkerLeaveTheCountsFlat)
{
    const String A = WritePicture(Dir / u"a.png", 200, 150, 0xFFE00000);
    const String B = WritePicture(Dir / u"b.png", 200, 150, 0xFF0000E0);
    Start();
    ASSERT_TRUE(Docs().OpenImageFile(A));
    // B opens at the top (the worker is woken for its thumbnail) and closes
    // again while live: A, its right-hand neighbour, comes back.
    auto Cycle = [&] {
        if (!Docs().OpenImageFile(B)) return false;
        Docs().CloseOpenDocument(0, FindOpenFileRow(Table(), B));
        CheckSynchronize(0);
        guitest::Pump();
        return Docs().FileName() == A && Table().ItemCount() == 2;
    };
    auto Settled = [&] {
        return Until([&] {
            for (Integer I = 0; I < Table().ItemCount(); ++I)
                if (!Table().GetItem(I)->Data()) return false;
            return true;
        });
    };
    for (int I = 0; I < 10; ++I) ASSERT_TRUE(Cycle()) << I;
    ASSERT_TRUE(Settled());
    const int Gdi = guitest::LiveGdiObjects(), Windows = guitest::ThreadWindowCount();
    DWORD Handles = 0;
    GetProcessHandleCount(GetCurrentProcess(), &Handles);
    for (int I = 0; I < 190; ++I) ASSERT_TRUE(Cycle()) << I;
    ASSERT_TRUE(Settled());
    DWORD HandlesAfter = 0;
    GetProcessHandleCount(GetCurrentProcess(), &HandlesAfter);
    EXPECT_LE(guitest::LiveGdiObjects(), Gdi + 2);
    EXPECT_EQ(guitest::ThreadWindowCount(), Windows);
    EXPECT_LE(HandlesAfter, Handles + 4);
    EXPECT_TRUE(Prompts.Messages.empty());
}

TEST_F(MainDocuments, ARectangleDrawnOnAPhotoComesBackFromItsDocumentFile)
{
    const String Photo = WritePicture(Dir / u"photo.jpg", 320, 240, 0xFF909090, ifJpg);
    ConfigTable->GetItem(1)->GetItem(49)->SetAsBool(false);  // the document file is written
    Start();
    ASSERT_TRUE(Docs().OpenImageFile(Photo));
    ASSERT_EQ(Table().ItemCount(), 2);  // closing needs two

    // A rectangle dragged on the canvas with the real mouse.
    TImgView32& View = *Main->Image;
    auto Screen = [&](TPoint P) { return View.ClientToScreen(View.BitmapToControl(P)); };
    Main->CanvasInput().Tool().Type = shRectangle;
    guitest::MovePointer(Screen({40, 40}));
    guitest::LeftButton(true);
    ASSERT_TRUE(guitest::PumpUntil([&] { return Docs().Live()->LeftMouseDown(); }));
    guitest::MovePointer(Screen({120, 90}));
    guitest::MovePointer(Screen({200, 150}));
    guitest::LeftButton(false);
    ASSERT_TRUE(guitest::PumpUntil([&] { return !Docs().Live()->LeftMouseDown(); }));
    guitest::Pump();
    ASSERT_EQ(Docs().Live()->ShapeCount(), 1);
    // The object's place as its row keeps it (left, top, right, bottom).
    auto Place = [&] {
        TRow& R = *Docs().Live()->DT()->GetItem(Docs().Live()->DT()->ItemCount() - 1);
        return R.GetItem(10)->Text() + u"," + R.GetItem(11)->Text() + u"," + R.GetItem(12)->Text() + u"," +
               R.GetItem(13)->Text();
    };
    const String Drawn = Place();
    EXPECT_TRUE(Table().GetItem(0)->GetItem(C::Modified)->AsBool());
    Docs().Live()->Undo();
    EXPECT_EQ(Docs().Live()->ShapeCount(), 0);
    Docs().Live()->Redo();
    ASSERT_EQ(Docs().Live()->ShapeCount(), 1);

    // Saved as PNG under a new name, closed by its glyph, opened again.
    Prompts.SaveName = Dir / u"edited.jpg";
    Prompts.SaveFilterIndex = 2;
    ASSERT_TRUE(Docs().SaveAs());
    const String Png = Dir / u"edited.png";
    EXPECT_EQ(Docs().FileName(), Png);
    ASSERT_TRUE(FileExists(Png));
    ASSERT_TRUE(FileExists(Png + u".vuxa"));
    EXPECT_FALSE(Table().GetItem(0)->GetItem(C::Modified)->AsBool());
    Click(TileScreen(Docs().OpenFileIndex(), TPoint{S::TileWidth - 8, 6}));
    ASSERT_TRUE(Until([&] { return Table().ItemCount() == 1; }));
    EXPECT_TRUE(Prompts.Questions.empty());  // saved: nothing to ask
    EXPECT_EQ(Docs().FileName(), Untitled(1));

    ASSERT_TRUE(Docs().OpenImageFile(Png));
    ASSERT_EQ(Docs().Live()->ShapeCount(), 1);
    EXPECT_EQ(Place(), Drawn);
}

TEST_F(MainDocuments, NamesWithCommasKeepTheSettingsRowWhole)
{
    const String Folder = Dir / u"Trip, 2026\\";
    ForceDirectories(Folder);
    const String Pic = WritePicture(Folder + u"beach, day 1.png", 40, 30, 0xFF2080C0);
    Start();
    Prompts.OpenName = Pic;
    Docs().sbOpenClick(nullptr);
    ASSERT_EQ(Docs().FileName(), Pic);
    Docs().sbOpenClick(nullptr);  // the dialog starts in the folder it was left in
    EXPECT_EQ(Prompts.OpenFolderShown, Folder);

    // Written and read back, the row keeps its cells: the last image and the
    // folder come back whole and the cells after them stay where they were.
    TRow& Settings = *ConfigTable->GetItem(1);
    Settings.GetItem(45)->SetText(u"-1");
    const Integer Cells = Settings.ItemCount();
    ConfigTable->Save();
    TDataTable Back;
    Back.SetIsAddVerifyCode(true);
    Back.Load(ConfigFileName, 0, 0);
    TRow& Row = *Back.GetItem(1);
    EXPECT_EQ(Row.ItemCount(), Cells);
    EXPECT_EQ(UnescapeCellText(Row.GetItem(31)->Text()), Pic);
    EXPECT_EQ(UnescapeCellText(Row.GetItem(40)->Text()), Folder);
    EXPECT_EQ(Row.GetItem(45)->Text(), u"-1");
}

TEST_F(MainDocuments, ANewImageFromTheClipboardTakesItsPicture)
{
    Start();
    TImageDraw* Before = Docs().Live();
    // Nothing on the clipboard: refused, the live document stays.
    SystemClipboard().Clear();
    Docs().SaveToStream();
    EXPECT_FALSE(Docs().LoadDocument(String(), true, true));
    ASSERT_EQ(Prompts.Messages.size(), 1u);
    EXPECT_EQ(Prompts.Messages[0], GetLangText(1, 395));
    EXPECT_EQ(Docs().Live(), Before);
    EXPECT_EQ(Table().ItemCount(), 1);

    TCustomBitmap32 Picture;
    Picture.SetSize(123, 45);
    Picture.Clear(0xFF10A020);
    SystemClipboard().SetBitmap(Picture);
    ASSERT_TRUE(Docs().LoadDocument(String(), true, true));
    EXPECT_EQ(Docs().Live()->Width(), 123);
    EXPECT_EQ(Docs().Live()->Height(), 45);
    EXPECT_EQ(Docs().FileName(), Untitled(2));
    EXPECT_EQ(Table().ItemCount(), 2);
}
