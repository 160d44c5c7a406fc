// The common dialogs and message boxes as real platform windows, driven from
// a second thread: typed file names, buttons and keys.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "GuiTest.h"
#include "ModalDriver.h"
#include "framework/controls/win/Dialogs.h"

using namespace guitest;

namespace {

// A folder of its own with a few empty files, removed at the end. It lies at
// the root of the system drive, where nothing else comes and goes: the
// folder views of the dialogs read its parent as they open, and other tests
// fill and empty the temporary folder and their working folders meanwhile.
class TScratchFolder {
public:
    explicit TScratchFolder(std::initializer_list<const char16_t*> Files)
    {
        wchar_t Windows[MAX_PATH];
        GetWindowsDirectoryW(Windows, MAX_PATH);
        FPath = ExtractFileDrive(FromWStr(Windows)) + Format(u"\\lm_dialogs_%d", {Integer(GetCurrentProcessId())});
        CreateDirectoryW(WStr(FPath), nullptr);
        for (const char16_t* F : Files) {
            FFiles.push_back(FPath + u"\\" + F);
            CloseHandle(CreateFileW(WStr(FFiles.back()), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        }
    }
    ~TScratchFolder()
    {
        for (const String& F : FFiles) DeleteFileW(WStr(F));
        RemoveDirectoryW(WStr(FPath));
    }
    const String& Path() const { return FPath; }

private:
    String FPath;
    std::vector<String> FFiles;
};

// Types Name into a file dialog's name field and presses a button.
void TypeFileName(HWND Dialog, const String& Name, int Button = IDOK)
{
    // edt1 in the classic layout, the combo box cmb13 in the explorer one.
    SetDlgItemTextW(Dialog, 0x480, WStr(Name));
    SetDlgItemTextW(Dialog, 0x47C, WStr(Name));
    SendMessageW(Dialog, WM_COMMAND, MAKEWPARAM(Button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(Dialog, Button)));
}

void Press(HWND Dialog, int Button)
{
    PostMessageW(Dialog, WM_COMMAND, MAKEWPARAM(Button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(Dialog, Button)));
}

// The text of the item selected in the folder picker's tree ("" before it has one).
String SelectedFolder(HWND Dialog)
{
    HWND Tree = nullptr;
    EnumChildWindows(
        Dialog,
        [](HWND Wnd, LPARAM Data) CALLBACK -> BOOL {
            wchar_t Name[32] = {};
            GetClassNameW(Wnd, Name, 32);
            if (wcscmp(Name, WC_TREEVIEWW) != 0) return TRUE;
            *reinterpret_cast<HWND*>(Data) = Wnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&Tree));
    const auto Item = Tree ? reinterpret_cast<HTREEITEM>(SendMessageW(Tree, TVM_GETNEXTITEM, TVGN_CARET, 0)) : nullptr;
    if (!Item) return u"";
    wchar_t Text[MAX_PATH] = {};
    TVITEMW Info = {};
    Info.mask = TVIF_TEXT;
    Info.hItem = Item;
    Info.pszText = Text;
    Info.cchTextMax = MAX_PATH;
    SendMessageW(Tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&Info));
    return FromWStr(Text);
}

String WindowText(HWND Wnd)
{
    wchar_t Text[256] = {};
    GetWindowTextW(Wnd, Text, 256);
    return FromWStr(Text);
}

class Dialogs : public FormTest {};

} // namespace

TEST_F(Dialogs, OpenAndSaveReturnTheTypedPaths)
{
    TScratchFolder Folder({u"one.txt", u"two.txt", u"three.png"});
    TOpenDialog Open(nullptr);
    Open.SetInitialDir(Folder.Path());
    Open.SetFilter(u"Text|*.txt|All files|*.*");
    Open.SetFilterIndex(2);
    Open.SetOptions(Open.Options() | ofFileMustExist);
    Open.SetTitle(u"Pick one");
    HWND Shown = nullptr;
    Integer Closed = 0;
    String Title;
    Open.OnShow = [&](TObject*) { Shown = Open.Handle(); };
    Open.OnClose = [&](TObject*) { ++Closed; };
    {
        TModalDriver Driver(L"#32770", [&](HWND D) {
            Title = WindowText(D);
            TypeFileName(D, Folder.Path() + u"\\two.txt");
        });
        EXPECT_TRUE(Open.Execute());
    }
    EXPECT_EQ(Open.FileName(), Folder.Path() + u"\\two.txt");
    ASSERT_EQ(Open.Files()->Count(), 1);
    EXPECT_EQ(Open.Files()->Strings(0), Open.FileName());
    EXPECT_EQ(Open.FilterIndex(), 2);
    EXPECT_EQ(Title, u"Pick one");
    EXPECT_NE(Shown, nullptr);
    EXPECT_EQ(Closed, 1);
    EXPECT_EQ(Open.Handle(), nullptr);

    // Several files at once, each with its folder.
    Open.SetOptions(Open.Options() | ofAllowMultiSelect);
    Open.SetFileName(u"");
    {
        TModalDriver Driver(L"#32770", [&](HWND D) { TypeFileName(D, u"\"one.txt\" \"three.png\""); });
        EXPECT_TRUE(Open.Execute());
    }
    ASSERT_EQ(Open.Files()->Count(), 2);
    EXPECT_EQ(Open.Files()->Strings(0), Folder.Path() + u"\\one.txt");
    EXPECT_EQ(Open.Files()->Strings(1), Folder.Path() + u"\\three.png");
    EXPECT_EQ(Open.FileName(), Open.Files()->Strings(0));

    // Cancel: false, and nothing changes.
    {
        TModalDriver Driver(L"#32770", [&](HWND D) { TypeFileName(D, Folder.Path() + u"\\two.txt", IDCANCEL); });
        EXPECT_FALSE(Open.Execute());
    }
    EXPECT_EQ(Open.FileName(), Folder.Path() + u"\\one.txt");
    EXPECT_EQ(Open.Files()->Count(), 2);

    // Saving: a new name gets the default extension.
    TSaveDialog Save(nullptr);
    Save.SetInitialDir(Folder.Path());
    Save.SetDefaultExt(u".png");
    Save.SetFilter(u"Pictures|*.png");
    {
        TModalDriver Driver(L"#32770", [&](HWND D) { TypeFileName(D, u"picture"); });
        EXPECT_TRUE(Save.Execute());
    }
    EXPECT_EQ(Save.FileName(), Folder.Path() + u"\\picture.png");
}

TEST(DialogParts, FiltersAndChosenFiles)
{
    EXPECT_EQ(PlatformFilter(u"Text|*.txt|All|*.*"), String(u"Text\0*.txt\0All\0*.*\0", 19));
    EXPECT_EQ(PlatformFilter(u""), u"");
    const struct {
        std::u16string Buffer;
        std::vector<String> Files;
    } Cases[] = {
        {std::u16string(u"C:\\a\\one.txt\0", 13), {u"C:\\a\\one.txt"}},
        {std::u16string(u"C:\\a\0one\0two\0\0", 15), {u"C:\\a\\one", u"C:\\a\\two"}},
        {std::u16string(u"C:\\\0x\0\0", 7), {u"C:\\x"}},
        // An answer that fills the buffer to its end without its NULs.
        {std::u16string(u"C:\\a\0one\0tw", 11), {u"C:\\a\\one", u"C:\\a\\tw"}},
        {std::u16string(u"\0", 1), {}},
    };
    for (const auto& C : Cases) {
        TStringList Files;
        SplitChosenFiles(reinterpret_cast<const wchar_t*>(C.Buffer.data()), C.Buffer.size(), &Files);
        ASSERT_EQ(Files.Count(), Integer(C.Files.size()));
        for (size_t i = 0; i < C.Files.size(); ++i) EXPECT_EQ(Files.Strings(Integer(i)), C.Files[i]);
    }
}

TEST_F(Dialogs, MessageBoxesAnswerTheKeys)
{
    TForm* Form = NewForm();
    ShowAndWait(Form);
    SetForegroundWindow(Form->Handle());
    const struct {
        const char* Name;
        std::function<Integer()> Show;
        WORD Key;
        Integer Expected;
        const char16_t* Caption;
    } Cases[] = {
        {"Yes/No, No default, Enter", [] { return MessageDlg(u"Sure?", mtConfirmation, mbYesNo, 0, mbNo); },
         VK_RETURN, mrNo, u"Confirm"},
        {"Yes/No, Enter", [] { return MessageDlg(u"Sure?", mtConfirmation, mbYesNo); }, VK_RETURN, mrYes,
         u"Confirm"},
        {"Yes/No/Cancel, Cancel default", [] { return MessageDlg(u"Save?", mtWarning, mbYesNoCancel, 0, mbCancel); },
         VK_RETURN, mrCancel, u"Warning"},
        {"OK/Cancel, Escape", [] { return MessageDlg(u"Go?", mtError, mbOKCancel); }, VK_ESCAPE, mrCancel, u"Error"},
        {"Application box, second default",
         [] { return Application->MessageBox(u"Delete?", u"Lumatra", MB_YESNO | MB_DEFBUTTON2); }, VK_RETURN, IDNO,
         u"Lumatra"},
        {"ShowMessage", [] { ShowMessage(u"Done"); return Integer(mrOk); }, VK_RETURN, mrOk, nullptr},
    };
    for (const auto& C : Cases) {
        String Caption;
        Integer Result = -1;
        {
            TModalDriver Driver(L"#32770", [&](HWND D) {
                Caption = WindowText(D);
                Chord({C.Key});
            });
            Result = C.Show();
            EXPECT_TRUE(Driver.Found()) << C.Name;
        }
        EXPECT_EQ(Result, C.Expected) << C.Name;
        EXPECT_EQ(Caption, C.Caption ? String(C.Caption) : Application->Title()) << C.Name;
    }
    EXPECT_THROW(MessageDlg(u"?", mtCustom, MsgDlgButtons({mbYes, mbOK})), EInvalidArgument);
}

TEST_F(Dialogs, FontAndColourComeBackAsChosen)
{
    TFontDialog FontDialog(nullptr);
    FontDialog.Font()->SetName(u"Arial");
    FontDialog.Font()->SetSize(12);
    FontDialog.Font()->SetStyle(fsBold);
    FontDialog.Font()->SetColor(0x0000FF);
    {
        TModalDriver Driver(L"#32770", [&](HWND D) { Press(D, IDOK); });
        EXPECT_TRUE(FontDialog.Execute());
    }
    EXPECT_EQ(FontDialog.Font()->Size(), 12);
    EXPECT_EQ(FontDialog.Font()->Style(), fsBold);
    EXPECT_EQ(FontDialog.Font()->Color(), 0x0000FF);
    {
        TModalDriver Driver(L"#32770", [&](HWND D) { Press(D, IDCANCEL); });
        EXPECT_FALSE(FontDialog.Execute());
    }
    EXPECT_EQ(FontDialog.Font()->Size(), 12);

    TColorDialog Colour(nullptr);
    Colour.SetColor(RGB(10, 20, 30));
    Colour.CustomColors()->Add(u"ColorA=FF8000");
    Colour.CustomColors()->Add(u"ColorB=nonsense");
    {
        TModalDriver Driver(L"#32770", [&](HWND D) { Press(D, IDOK); });
        EXPECT_TRUE(Colour.Execute());
    }
    EXPECT_EQ(Colour.Color(), TColor(RGB(10, 20, 30)));
    EXPECT_EQ(Colour.CustomColors()->Count(), 16);
    EXPECT_EQ(Colour.CustomColors()->Values(u"ColorA"), u"FF8000");
    EXPECT_EQ(Colour.CustomColors()->Values(u"ColorB"), u"FFFFFF");
    Colour.SetColor(clRed);
    {
        TModalDriver Driver(L"#32770", [&](HWND D) { Press(D, IDCANCEL); });
        EXPECT_FALSE(Colour.Execute());
    }
    EXPECT_EQ(Colour.Color(), clRed);
}

TEST_F(Dialogs, FolderPickerStartsAtTheGivenFolder)
{
    TScratchFolder Folder({});
    String Directory = Folder.Path();
    const String Name = ExtractFileName(Folder.Path());
    String Selected;
    {
        TModalDriver Driver(L"#32770", [&](HWND D) {
            // The tree selects the folder some time after it opens: press OK
            // once it has.
            for (int i = 0; i < 1000 && !SameText(Selected = SelectedFolder(D), Name); ++i) Sleep(10);
            Press(D, IDOK);
        });
        EXPECT_TRUE(SelectDirectory(u"Where?", u"", Directory));
    }
    EXPECT_TRUE(SameText(Selected, Name)) << UTF8Encode(Selected);
    EXPECT_TRUE(SameText(ExcludeTrailingPathDelimiter(Directory), Folder.Path())) << UTF8Encode(Directory);
    const String Before = Directory;
    {
        TModalDriver Driver(L"#32770", [&](HWND D) { Press(D, IDCANCEL); });
        EXPECT_FALSE(SelectDirectory(u"Where?", u"", Directory));
    }
    EXPECT_EQ(Directory, Before);
}
