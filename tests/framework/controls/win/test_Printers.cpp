// The printer object against a real print queue: scripts/test.sh starts a
// cupsd of its own with a PDF queue (LM_PRINT_QUEUE names it, LM_PDF_DIR is
// where its files land) for win64.test_Printers, and one without any queue
// for win64.test_Printers_None (LM_EXPECT_NO_PRINTER). Pages are rendered
// with pdftoppm and their pixels compared with what was drawn.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "ModalDriver.h"
#include "framework/controls/win/Dialogs.h"
#include "framework/controls/win/Printers.h"
#include "framework/runtime/SysUtils.h"

namespace {

String Env(const char* Name)
{
    const char* V = getenv(Name);
    return V ? Str(V) : String();
}

// A Linux path as Wine shows it.
String WinePath(const String& UnixPath)
{
    String P = u"Z:" + UnixPath;
    for (Char& C : P)
        if (C == u'/') C = u'\\';
    return P;
}

// A rendered page: 8-bit grey rows from a P5 file.
struct TPage {
    int Width = 0, Height = 0;
    std::vector<uint8_t> Grey;
    // The box of the dark pixels (value below 128), or an empty box.
    TRect DarkBox() const
    {
        TRect R = Rect(Width, Height, 0, 0);
        for (int Y = 0; Y < Height; ++Y)
            for (int X = 0; X < Width; ++X)
                if (Grey[size_t(Y) * Width + X] < 128) {
                    R.Left = std::min(R.Left, X);
                    R.Top = std::min(R.Top, Y);
                    R.Right = std::max(R.Right, X + 1);
                    R.Bottom = std::max(R.Bottom, Y + 1);
                }
        return R;
    }
};

// Runs a shell command line. Wine starts Linux programs without a process
// to wait for, so the command leaves a mark file when it has finished.
bool RunAndWait(const String& CommandLine)
{
    const String Mark = Format(u"/tmp/lm_printtest_%d.done", {Integer(GetCurrentProcessId())});
    DeleteFileW(WStr(WinePath(Mark)));
    STARTUPINFOW Si = {};
    Si.cb = sizeof(Si);
    PROCESS_INFORMATION Pi = {};
    String Cmd = u"Z:\\bin\\sh -c \"" + CommandLine + u"; touch " + Mark + u"\"";
    if (!CreateProcessW(nullptr, const_cast<wchar_t*>(WStr(Cmd)), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &Si, &Pi))
        return false;
    CloseHandle(Pi.hThread);
    CloseHandle(Pi.hProcess);
    for (int Tries = 0; Tries < 600; ++Tries) {
        if (GetFileAttributesW(WStr(WinePath(Mark))) != INVALID_FILE_ATTRIBUTES) {
            DeleteFileW(WStr(WinePath(Mark)));
            return true;
        }
        Sleep(50);
    }
    return false;
}

// Renders every page of Pdf at Dpi (pdftoppm, a Linux program Wine runs).
std::vector<TPage> RenderPdf(const String& UnixPdf, int Dpi)
{
    const String Prefix = Format(u"/tmp/lm_printtest_%d", {Integer(GetCurrentProcessId())});
    RunAndWait(Format(u"pdftoppm -gray -r %d '%s' %s", {Dpi, UnixPdf, Prefix}));
    std::vector<TPage> Pages;
    for (int N = 1;; ++N) {
        String Name = WinePath(Prefix + u"-" + IntToStr(N) + u".pgm");
        FILE* F = _wfopen(WStr(Name), L"rb");
        if (!F) break;
        TPage P;
        int Max = 0;
        if (fscanf(F, "P5 %d %d %d", &P.Width, &P.Height, &Max) == 3 && Max == 255 && P.Width > 0 && P.Height > 0) {
            fgetc(F);
            P.Grey.resize(size_t(P.Width) * P.Height);
            if (fread(P.Grey.data(), 1, P.Grey.size(), F) == P.Grey.size()) Pages.push_back(std::move(P));
        }
        fclose(F);
        DeleteFileW(WStr(Name));
    }
    return Pages;
}

// Waits for the PDF that cups-pdf makes of a document titled Title (the
// spooler and Ghostscript run in other processes) and returns its Linux path.
String WaitForPdf(const String& Title)
{
    const String Dir = Env("LM_PDF_DIR");
    // The newest file of the title: name and size.
    auto Look = [&](String& Name, DWORD& Size) {
        WIN32_FIND_DATAW Data;
        HANDLE Find = FindFirstFileW(WStr(WinePath(Dir + u"/" + Title + u"*.pdf")), &Data);
        if (Find == INVALID_HANDLE_VALUE) return false;
        FindClose(Find);
        Name = FromWStr(Data.cFileName);
        Size = Data.nFileSizeLow;
        return true;
    };
    for (int Tries = 0; Tries < 100; ++Tries) {
        String Name1, Name2;
        DWORD Size1 = 0, Size2 = 0;
        const bool Found = Look(Name1, Size1);
        Sleep(300);
        // Complete once the same file is there with the same size a moment later.
        if (Found && Look(Name2, Size2) && Name1 == Name2 && Size1 == Size2 && Size1 > 0) return Dir + u"/" + Name1;
    }
    return String();
}

String UniqueTitle(const char16_t* What)
{
    static int Count = 0;
    return Format(u"LmPrint-%s-%d-%d", {String(What), Integer(GetCurrentProcessId()), ++Count});
}

class PrinterQueue : public testing::Test {
protected:
    void SetUp() override
    {
        if (Env("LM_PRINT_QUEUE").empty()) GTEST_SKIP() << "no print queue (scripts/test.sh starts one)";
    }
};

} // namespace

TEST_F(PrinterQueue, ListsTheQueueAsTheDefault)
{
    TPrinter P;
    const String Queue = Env("LM_PRINT_QUEUE");
    ASSERT_GE(P.Printers()->IndexOf(Queue), 0);
    EXPECT_EQ(P.Printers()->Strings(P.PrinterIndex()), Queue);
    // A4 at 300 dots per inch, upright until turned.
    EXPECT_EQ(P.PixelsPerInch(), 300);
    EXPECT_NEAR(P.PageWidth(), 2479, 60);
    EXPECT_NEAR(P.PageHeight(), 3508, 60);
    EXPECT_EQ(P.Orientation(), poPortrait);
    const Integer Width = P.PageWidth(), Height = P.PageHeight();
    P.SetOrientation(poLandscape);
    EXPECT_EQ(P.Orientation(), poLandscape);
    EXPECT_EQ(P.PageWidth(), Height);
    EXPECT_EQ(P.PageHeight(), Width);
    P.SetCopies(3);
    EXPECT_EQ(P.Copies(), 3);
    P.SetCopies(0);
    EXPECT_EQ(P.Copies(), 1);
    EXPECT_THROW(P.SetPrinterIndex(P.Printers()->Count()), EPrinter);
    EXPECT_THROW(P.EndDoc(), EPrinter);
    EXPECT_THROW(P.NewPage(), EPrinter);
}

// Shapes land where they were drawn, within a pixel of the rendered page, on
// every page, upright and turned.
TEST_F(PrinterQueue, PagesRenderWithTheShapesWhereTheyWereDrawn)
{
    constexpr int Dpi = 50;  // 6 printer pixels to one rendered pixel
    for (TPrinterOrientation Orientation : {poPortrait, poLandscape}) {
        TPrinter P;
        P.SetOrientation(Orientation);
        const String Title = UniqueTitle(Orientation == poPortrait ? u"Portrait" : u"Landscape");
        P.SetTitle(Title);
        const int OffX = GetDeviceCaps(P.Handle(), PHYSICALOFFSETX);
        const int OffY = GetDeviceCaps(P.Handle(), PHYSICALOFFSETY);
        const int PaperW = GetDeviceCaps(P.Handle(), PHYSICALWIDTH);
        const int PaperH = GetDeviceCaps(P.Handle(), PHYSICALHEIGHT);
        const TRect Boxes[] = {Rect(600, 900, 1200, 1500), Rect(300, 120, 1800, 420)};
        P.BeginDoc();
        EXPECT_TRUE(P.Printing());
        EXPECT_THROW(P.BeginDoc(), EPrinter);
        EXPECT_THROW(P.SetOrientation(poPortrait), EPrinter);
        for (size_t Page = 0; Page < std::size(Boxes); ++Page) {
            if (Page) P.NewPage();
            P.Canvas()->Brush()->SetColor(clBlack);
            P.Canvas()->FillRect(Boxes[Page]);
        }
        EXPECT_EQ(P.PageNumber(), 2);
        P.EndDoc();
        EXPECT_FALSE(P.Printing());
        EXPECT_FALSE(P.Aborted());

        const String Pdf = WaitForPdf(Title);
        ASSERT_FALSE(Pdf.empty()) << "no PDF for " << UTF8Encode(Title);
        std::vector<TPage> Pages = RenderPdf(Pdf, Dpi);
        DeleteFileW(WStr(WinePath(Pdf)));
        ASSERT_EQ(Pages.size(), std::size(Boxes));
        for (size_t Page = 0; Page < Pages.size(); ++Page) {
            const TPage& R = Pages[Page];
            EXPECT_NEAR(R.Width, PaperW * Dpi / 300.0, 1.0);
            EXPECT_NEAR(R.Height, PaperH * Dpi / 300.0, 1.0);
            const TRect Want = Boxes[Page];
            const TRect Got = R.DarkBox();
            EXPECT_NEAR(Got.Left, (Want.Left + OffX) * Dpi / 300.0, 1.0) << Page;
            EXPECT_NEAR(Got.Top, (Want.Top + OffY) * Dpi / 300.0, 1.0) << Page;
            EXPECT_NEAR(Got.Right, (Want.Right + OffX) * Dpi / 300.0, 1.0) << Page;
            EXPECT_NEAR(Got.Bottom, (Want.Bottom + OffY) * Dpi / 300.0, 1.0) << Page;
        }
    }
}

TEST_F(PrinterQueue, AbortedDocumentPrintsNothing)
{
    TPrinter P;
    const String Title = UniqueTitle(u"Aborted");
    P.SetTitle(Title);
    P.BeginDoc();
    P.Canvas()->Rectangle(10, 10, 100, 100);
    P.Abort();
    EXPECT_TRUE(P.Aborted());
    EXPECT_FALSE(P.Printing());
    // The next document prints; the aborted one never appears.
    const String Next = UniqueTitle(u"AfterAbort");
    P.SetTitle(Next);
    P.BeginDoc();
    P.EndDoc();
    const String NextPdf = WaitForPdf(Next);
    EXPECT_FALSE(NextPdf.empty());
    DeleteFileW(WStr(WinePath(NextPdf)));
    WIN32_FIND_DATAW Data;
    HANDLE Find = FindFirstFileW(WStr(WinePath(Env("LM_PDF_DIR") + u"/" + Title + u"*")), &Data);
    EXPECT_EQ(Find, INVALID_HANDLE_VALUE);
    if (Find != INVALID_HANDLE_VALUE) FindClose(Find);
}

// The spooler counts the sheets of a job in its page log: pages times copies.
Integer PrintedSheets(const String& Title)
{
    String Socket = Env("CUPS_SERVER");
    const String Log = WinePath(Socket.substr(0, Socket.rfind(u'/')) + u"/log/page_log");
    for (int Tries = 0; Tries < 100; ++Tries) {
        if (FILE* F = _wfopen(WStr(Log), L"rb")) {
            char Line[1024];
            Integer Sheets = -1;
            while (fgets(Line, sizeof Line, F)) {
                const std::string L = Line;
                const size_t Total = L.find(" total ");
                if (L.find(UTF8Encode(Title) + " ") != std::string::npos && Total != std::string::npos)
                    Sheets = atoi(L.c_str() + Total + 7);
            }
            fclose(F);
            if (Sheets >= 0) return Sheets;
        }
        Sleep(100);
    }
    return -1;
}

TEST_F(PrinterQueue, CopiesReachTheSpooler)
{
    for (Integer Copies : {1, 3}) {
        TPrinter P;
        P.SetCopies(Copies);
        const String Title = UniqueTitle(u"Copies");
        P.SetTitle(Title);
        P.BeginDoc();
        P.Canvas()->Rectangle(100, 100, 400, 400);
        P.NewPage();
        P.EndDoc();
        const String Pdf = WaitForPdf(Title);
        EXPECT_FALSE(Pdf.empty());
        DeleteFileW(WStr(WinePath(Pdf)));
        EXPECT_EQ(PrintedSheets(Title), 2 * Copies) << Copies;
    }
}

// The printer dialogs hand what was chosen in them to the program's printer.
TEST_F(PrinterQueue, DialogsSetThePrinter)
{
    SetPrinter(std::make_unique<TPrinter>());
    ASSERT_EQ(Printer->Orientation(), poPortrait);
    TPrinterSetupDialog Setup(nullptr);
    {
        // The landscape button (rad2) of the set-up dialog, then OK.
        guitest::TModalDriver Driver(L"#32770", [](HWND D) {
            SendMessageW(GetDlgItem(D, 0x421), BM_CLICK, 0, 0);
            PostMessageW(D, WM_COMMAND, IDOK, 0);
        });
        EXPECT_TRUE(Setup.Execute());
    }
    EXPECT_EQ(Printer->Orientation(), poLandscape);
    EXPECT_GT(Printer->PageWidth(), Printer->PageHeight());

    TPrintDialog Print(nullptr);
    {
        // The copies field (edt3), then OK.
        guitest::TModalDriver Driver(L"#32770", [](HWND D) {
            SetDlgItemInt(D, 0x482, 4, FALSE);
            PostMessageW(D, WM_COMMAND, IDOK, 0);
        });
        EXPECT_TRUE(Print.Execute());
    }
    EXPECT_EQ(Print.Copies(), 4);
    EXPECT_EQ(Printer->Copies(), 4);
    EXPECT_EQ(Printer->Orientation(), poLandscape);
    {
        guitest::TModalDriver Driver(L"#32770", [](HWND D) {
            SetDlgItemInt(D, 0x482, 7, FALSE);
            PostMessageW(D, WM_COMMAND, IDCANCEL, 0);
        });
        EXPECT_FALSE(Print.Execute());
    }
    EXPECT_EQ(Printer->Copies(), 4);
    SetPrinter(nullptr);
}

TEST(NoPrinter, EverythingSaysSoWithoutCrashing)
{
    if (Env("LM_EXPECT_NO_PRINTER").empty()) GTEST_SKIP() << "a printer may be installed";
    TPrinter P;
    EXPECT_EQ(P.Printers()->Count(), 0);
    EXPECT_EQ(P.PrinterIndex(), -1);
    EXPECT_FALSE(P.Printing());
    const struct {
        const char* What;
        std::function<void()> Call;
    } Calls[] = {
        {"BeginDoc", [&] { P.BeginDoc(); }},
        {"PageWidth", [&] { P.PageWidth(); }},
        {"Orientation", [&] { P.Orientation(); }},
        {"SetCopies", [&] { P.SetCopies(2); }},
        {"Canvas", [&] { P.Canvas(); }},
    };
    for (const auto& C : Calls) {
        try {
            C.Call();
            ADD_FAILURE() << C.What << " did not raise";
        } catch (const EPrinter& E) {
            EXPECT_EQ(E.Message(), u"No printer is installed") << C.What;
        }
    }
    EXPECT_THROW(P.SetPrinterIndex(0), EPrinter);
    P.SetPrinterIndex(-1);
    EXPECT_THROW(P.EndDoc(), EPrinter);
    EXPECT_THROW(P.Abort(), EPrinter);
    EXPECT_FALSE(P.Printing());
}
