#include "framework/controls/win/Dialogs.h"

#include <commdlg.h>
#include <objbase.h>
#include <shlobj.h>

#include <vector>

#include "framework/controls/win/Printers.h"
#include "framework/runtime/Maths.h"

// ---------------------------------------------------------------------------
// TCommonDialog

namespace {

// The dialog being executed on this thread, told its window by the hook.
thread_local TCommonDialog* RunningDialog = nullptr;

bool IsDialogWindow(HWND Wnd)
{
    wchar_t Class[16] = {};
    GetClassNameW(Wnd, Class, 16);
    return wcscmp(Class, L"#32770") == 0;
}

// Global memory the platform's print dialog takes and hands back.
class TGlobalMemory {
public:
    TGlobalMemory() = default;
    // A copy of Size bytes at Data.
    void Assign(const void* Data, size_t Size)
    {
        HGLOBAL Block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, Size);
        if (!Block) throw EOutOfMemory(u"Out of memory");
        memcpy(GlobalLock(Block), Data, Size);
        GlobalUnlock(Block);
        if (FHandle) GlobalFree(FHandle);
        FHandle = Block;
    }
    ~TGlobalMemory()
    {
        if (FHandle) GlobalFree(FHandle);
    }
    TGlobalMemory(const TGlobalMemory&) = delete;
    TGlobalMemory& operator=(const TGlobalMemory&) = delete;
    // The dialog may free the block and give another: the new one is ours.
    HGLOBAL& Handle() { return FHandle; }
    size_t Size() const { return FHandle ? GlobalSize(FHandle) : 0; }

private:
    HGLOBAL FHandle = nullptr;
};

// A DEVNAMES block naming one printer of the spooler.
std::vector<uint8_t> DevNamesOf(const String& Printer)
{
    const String Driver = u"winspool", Port = u"";
    std::vector<uint8_t> Block(sizeof(DEVNAMES) + (Driver.size() + Printer.size() + Port.size() + 3) * sizeof(wchar_t));
    auto* Names = reinterpret_cast<DEVNAMES*>(Block.data());
    auto* Text = reinterpret_cast<char16_t*>(Block.data() + sizeof(DEVNAMES));
    size_t At = 0;
    auto Put = [&](const String& S, WORD& Offset) {
        Offset = static_cast<WORD>(sizeof(DEVNAMES) / sizeof(wchar_t) + At);
        std::copy(S.begin(), S.end(), Text + At);
        At += S.size() + 1;
    };
    Put(Driver, Names->wDriverOffset);
    Put(Printer, Names->wDeviceOffset);
    Put(Port, Names->wOutputOffset);
    return Block;
}

// Hands the dialog's printer choice and settings over to Printer.
void TakePrinterChoice(TGlobalMemory& Names, TGlobalMemory& Mode)
{
    if (const size_t Size = Names.Size(); Size > sizeof(DEVNAMES)) {
        const auto* Block = static_cast<const uint8_t*>(GlobalLock(Names.Handle()));
        const auto* N = reinterpret_cast<const DEVNAMES*>(Block);
        // The device name lies inside the block and ends inside it.
        const size_t Chars = Size / sizeof(wchar_t);
        String Device;
        if (N->wDeviceOffset < Chars) {
            const auto* Text = reinterpret_cast<const char16_t*>(Block);
            size_t End = N->wDeviceOffset;
            while (End < Chars && Text[End]) ++End;
            Device.assign(Text + N->wDeviceOffset, Text + End);
        }
        GlobalUnlock(Names.Handle());
        const Integer Index = Printer->Printers()->IndexOf(Device);
        if (Index >= 0 && Index != Printer->PrinterIndex()) Printer->SetPrinterIndex(Index);
    }
    if (const size_t Size = Mode.Size(); Size >= sizeof(DEVMODEW)) {
        const auto* M = static_cast<const DEVMODEW*>(GlobalLock(Mode.Handle()));
        if (size_t(M->dmSize) + M->dmDriverExtra <= Size) Printer->SetDevMode(M);
        GlobalUnlock(Mode.Handle());
    }
}

} // namespace

HWND TCommonDialog::OwnerWindow()
{
    if (HWND Active = GetActiveWindow()) return Active;
    TCustomForm* Main = Application->MainForm();
    return Main && Main->HandleAllocated() ? Main->Handle() : nullptr;
}

LRESULT CALLBACK TCommonDialog::CbtProc(int Code, WPARAM WParam, LPARAM LParam)
{
    if (Code == HCBT_ACTIVATE && RunningDialog && !RunningDialog->FHandle) {
        auto Wnd = reinterpret_cast<HWND>(WParam);
        if (IsDialogWindow(Wnd)) {
            RunningDialog->FHandle = Wnd;
            if (RunningDialog->OnShow) {
                try {
                    RunningDialog->OnShow(RunningDialog);
                } catch (...) {
                    HandleWindowProcException(RunningDialog);  // never across the platform's hook
                }
            }
        }
    }
    return CallNextHookEx(nullptr, Code, WParam, LParam);
}

template <class F>
bool TCommonDialog::Run(F Call)
{
    TCommonDialog* Outer = RunningDialog;
    RunningDialog = this;
    FHandle = nullptr;
    HHOOK Hook = SetWindowsHookExW(WH_CBT, CbtProc, nullptr, GetCurrentThreadId());
    auto Restore = ScopeExit([&] {
        if (Hook) UnhookWindowsHookEx(Hook);
        RunningDialog = Outer;
        FHandle = nullptr;
    });
    const bool Result = Call();
    if (OnClose) OnClose(this);
    return Result;
}

// ---------------------------------------------------------------------------
// TOpenDialog

namespace {

const struct {
    TOpenOptions Option;
    DWORD Flag;
} OpenFlags[] = {
    {ofReadOnly, OFN_READONLY},
    {ofOverwritePrompt, OFN_OVERWRITEPROMPT},
    {ofHideReadOnly, OFN_HIDEREADONLY},
    {ofNoChangeDir, OFN_NOCHANGEDIR},
    {ofNoValidate, OFN_NOVALIDATE},
    {ofAllowMultiSelect, OFN_ALLOWMULTISELECT},
    {ofExtensionDifferent, OFN_EXTENSIONDIFFERENT},
    {ofPathMustExist, OFN_PATHMUSTEXIST},
    {ofFileMustExist, OFN_FILEMUSTEXIST},
    {ofCreatePrompt, OFN_CREATEPROMPT},
    {ofShareAware, OFN_SHAREAWARE},
    {ofNoReadOnlyReturn, OFN_NOREADONLYRETURN},
    {ofNoTestFileCreate, OFN_NOTESTFILECREATE},
    {ofNoNetworkButton, OFN_NONETWORKBUTTON},
    {ofNoDereferenceLinks, OFN_NODEREFERENCELINKS},
    {ofEnableSizing, OFN_ENABLESIZING},
    {ofDontAddToRecent, OFN_DONTADDTORECENT},
    {ofForceShowHidden, OFN_FORCESHOWHIDDEN},
};

// Room for the answer: a long path, or many names when several may be chosen.
constexpr size_t SingleFileChars = 32768;
constexpr size_t MultiFileChars = 65536;

} // namespace

String PlatformFilter(const String& Filter)
{
    if (Filter.empty()) return String();
    String Result = Filter;
    for (Char& C : Result)
        if (C == u'|') C = 0;
    Result += Char(0);  // the end of the last part; c_str() adds the second NUL
    return Result;
}

void SplitChosenFiles(const wchar_t* Buffer, size_t Size, TStrings* Files)
{
    Files->Clear();
    std::vector<String> Parts;
    size_t At = 0;
    while (At < Size && Buffer[At]) {
        size_t End = At;
        while (End < Size && Buffer[End]) ++End;
        Parts.push_back(FromWStr(std::wstring(Buffer + At, Buffer + End).c_str()));
        At = End + 1;
    }
    if (Parts.size() == 1) {
        Files->Add(Parts[0]);
        return;
    }
    for (size_t i = 1; i < Parts.size(); ++i) Files->Add(IncludeTrailingPathDelimiter(Parts[0]) + Parts[i]);
}

TOpenDialog::TOpenDialog(TComponent* AOwner) : TCommonDialog(AOwner), FFiles(std::make_unique<TStringList>()) {}

TOpenDialog::~TOpenDialog() = default;

void TOpenDialog::SetDefaultExt(const String& Value)
{
    FDefaultExt = !Value.empty() && Value[0] == u'.' ? Value.substr(1) : Value;
}

bool TOpenDialog::ShowPlatformDialog(OPENFILENAMEW& Params)
{
    return GetOpenFileNameW(&Params) != FALSE;
}

bool TSaveDialog::ShowPlatformDialog(OPENFILENAMEW& Params)
{
    return GetSaveFileNameW(&Params) != FALSE;
}

bool TOpenDialog::Execute()
{
    const size_t Chars = (FOptions & ofAllowMultiSelect) ? MultiFileChars : SingleFileChars;
    std::vector<wchar_t> Buffer(Chars + 2, 0);
    // The name shown first, cut to the room there is.
    const size_t Shown = std::min(FFileName.size(), Chars - 1);
    std::copy(FFileName.begin(), FFileName.begin() + Shown, reinterpret_cast<char16_t*>(Buffer.data()));
    const String Filter = PlatformFilter(FFilter);

    OPENFILENAMEW Params = {};
    Params.lStructSize = sizeof(Params);
    Params.hwndOwner = OwnerWindow();
    Params.lpstrFilter = Filter.empty() ? nullptr : WStr(Filter);
    Params.nFilterIndex = static_cast<DWORD>(std::max<Integer>(FFilterIndex, 0));
    Params.lpstrFile = Buffer.data();
    Params.nMaxFile = static_cast<DWORD>(Chars);
    Params.lpstrInitialDir = FInitialDir.empty() ? nullptr : WStr(FInitialDir);
    Params.lpstrTitle = FTitle.empty() ? nullptr : WStr(FTitle);
    Params.lpstrDefExt = FDefaultExt.empty() ? nullptr : WStr(FDefaultExt);
    Params.Flags = OFN_EXPLORER;
    for (const auto& F : OpenFlags)
        if ((FOptions & F.Option) && F.Option != ofExtensionDifferent) Params.Flags |= F.Flag;

    const bool Chosen = Run([&] { return ShowPlatformDialog(Params); });
    if (!Chosen) return false;  // cancelled (or failed): everything stays
    SplitChosenFiles(Buffer.data(), Chars, FFiles.get());
    if (FFiles->Count() > 0) FFileName = FFiles->Strings(0);
    FFilterIndex = static_cast<Integer>(Params.nFilterIndex);
    FOptions &= ~(ofReadOnly | ofExtensionDifferent);
    if (Params.Flags & OFN_READONLY) FOptions |= ofReadOnly;
    if (Params.Flags & OFN_EXTENSIONDIFFERENT) FOptions |= ofExtensionDifferent;
    return true;
}

// ---------------------------------------------------------------------------
// TFontDialog

TFontDialog::TFontDialog(TComponent* AOwner) : TCommonDialog(AOwner), FFont(std::make_unique<TFont>()) {}

TFontDialog::~TFontDialog() = default;

bool TFontDialog::Execute()
{
    LOGFONTW Font = {};
    GetObjectW(FFont->Handle(), sizeof(Font), &Font);
    CHOOSEFONTW Params = {};
    Params.lStructSize = sizeof(Params);
    Params.hwndOwner = OwnerWindow();
    Params.lpLogFont = &Font;
    Params.rgbColors = ColorToRGB(FFont->Color());
    Params.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
    const struct {
        TFontDialogOptions Option;
        DWORD Flag;
    } Flags[] = {
        {fdAnsiOnly, CF_SCRIPTSONLY},          {fdTrueTypeOnly, CF_TTONLY},
        {fdEffects, CF_EFFECTS},               {fdFixedPitchOnly, CF_FIXEDPITCHONLY},
        {fdForceFontExist, CF_FORCEFONTEXIST}, {fdNoFaceSel, CF_NOFACESEL},
        {fdNoSimulations, CF_NOSIMULATIONS},   {fdNoSizeSel, CF_NOSIZESEL},
        {fdNoStyleSel, CF_NOSTYLESEL},         {fdNoVectorFonts, CF_NOVECTORFONTS},
        {fdScalableOnly, CF_SCALABLEONLY},
    };
    for (const auto& F : Flags)
        if (FOptions & F.Option) Params.Flags |= F.Flag;
    if ((FOptions & fdLimitSize) && (FMinFontSize > 0 || FMaxFontSize > 0)) {
        Params.Flags |= CF_LIMITSIZE;
        Params.nSizeMin = FMinFontSize;
        Params.nSizeMax = FMaxFontSize > 0 ? FMaxFontSize : 0x7FFF;
    }
    if (!Run([&] { return ChooseFontW(&Params) != FALSE; })) return false;
    const Integer PixelsPerInch = FFont->PixelsPerInch();
    FFont->SetHandle(CreateFontIndirectW(&Font));
    FFont->SetPixelsPerInch(PixelsPerInch);
    if (FOptions & fdEffects) FFont->SetColor(static_cast<TColor>(Params.rgbColors));
    return true;
}

// ---------------------------------------------------------------------------
// TColorDialog

TColorDialog::TColorDialog(TComponent* AOwner)
    : TCommonDialog(AOwner), FCustomColors(std::make_unique<TStringList>())
{
}

TColorDialog::~TColorDialog() = default;

bool TColorDialog::Execute()
{
    COLORREF Custom[16];
    for (Integer i = 0; i < 16; ++i) {
        const String Value = FCustomColors->Values(u"Color" + String(1, Char(u'A' + i)));
        // RRGGBB, red first as people write colours; anything else is white.
        const Integer RGBValue = Value.size() == 6 ? StrToIntDef(u"$" + Value, -1) : -1;
        Custom[i] = RGBValue < 0 ? RGB(255, 255, 255)
                                 : RGB((RGBValue >> 16) & 0xFF, (RGBValue >> 8) & 0xFF, RGBValue & 0xFF);
    }
    CHOOSECOLORW Params = {};
    Params.lStructSize = sizeof(Params);
    Params.hwndOwner = OwnerWindow();
    Params.rgbResult = ColorToRGB(FColor);
    Params.lpCustColors = Custom;
    Params.Flags = CC_RGBINIT;
    if (FOptions & cdFullOpen) Params.Flags |= CC_FULLOPEN;
    if (FOptions & cdPreventFullOpen) Params.Flags |= CC_PREVENTFULLOPEN;
    if (FOptions & cdSolidColor) Params.Flags |= CC_SOLIDCOLOR;
    if (FOptions & cdAnyColor) Params.Flags |= CC_ANYCOLOR;
    if (!Run([&] { return ChooseColorW(&Params) != FALSE; })) return false;
    FColor = static_cast<TColor>(Params.rgbResult);
    for (Integer i = 0; i < 16; ++i) {
        const COLORREF C = Custom[i];
        FCustomColors->SetValues(u"Color" + String(1, Char(u'A' + i)),
                                 Format(u"%.2X%.2X%.2X", {Integer(GetRValue(C)), Integer(GetGValue(C)),
                                                          Integer(GetBValue(C))}));
    }
    return true;
}

// ---------------------------------------------------------------------------
// The printer dialogs

namespace {

// Runs PrintDlgW over Printer's choice and settings; on OK they go back to Printer.
bool RunPrintDlg(PRINTDLGW& Params)
{
    TGlobalMemory Names, Mode;
    if (Printer->PrinterIndex() >= 0) {
        const std::vector<uint8_t> DevNames = DevNamesOf(Printer->Printers()->Strings(Printer->PrinterIndex()));
        Names.Assign(DevNames.data(), DevNames.size());
        const std::vector<uint8_t> DevMode = Printer->DevMode();
        Mode.Assign(DevMode.data(), DevMode.size());
    }
    Params.hDevNames = Names.Handle();
    Params.hDevMode = Mode.Handle();
    const bool Chosen = PrintDlgW(&Params) != FALSE;
    // Whatever the dialog left in the parameters is ours to free.
    Names.Handle() = Params.hDevNames;
    Mode.Handle() = Params.hDevMode;
    if (Chosen) TakePrinterChoice(Names, Mode);
    return Chosen;
}

} // namespace

bool TPrinterSetupDialog::Execute()
{
    PRINTDLGW Params = {};
    Params.lStructSize = sizeof(Params);
    Params.hwndOwner = OwnerWindow();
    Params.Flags = PD_PRINTSETUP;
    return Run([&] { return RunPrintDlg(Params); });
}

bool TPrintDialog::Execute()
{
    PRINTDLGW Params = {};
    Params.lStructSize = sizeof(Params);
    Params.hwndOwner = OwnerWindow();
    Params.Flags = PD_USEDEVMODECOPIESANDCOLLATE;
    if (!(FOptions & poPrintToFile)) Params.Flags |= PD_HIDEPRINTTOFILE;
    if (FOptions & poDisablePrintToFile) Params.Flags |= PD_DISABLEPRINTTOFILE;
    if (!(FOptions & poPageNums)) Params.Flags |= PD_NOPAGENUMS;
    if (!(FOptions & poSelection)) Params.Flags |= PD_NOSELECTION;
    if (!(FOptions & poWarning)) Params.Flags |= PD_NOWARNING;
    if (FPrintToFile) Params.Flags |= PD_PRINTTOFILE;
    if (FPrintRange == prSelection) Params.Flags |= PD_SELECTION;
    if (FPrintRange == prPageNums) Params.Flags |= PD_PAGENUMS;
    Params.nFromPage = static_cast<WORD>(EnsureRange(FFromPage, 0, 0xFFFF));
    Params.nToPage = static_cast<WORD>(EnsureRange(FToPage, 0, 0xFFFF));
    Params.nMinPage = static_cast<WORD>(EnsureRange(FMinPage, 0, 0xFFFF));
    Params.nMaxPage = static_cast<WORD>(EnsureRange(FMaxPage, 0, 0xFFFF));
    // The copies are the printer's setting; an own value goes in first.
    if (FCopies > 0 && Printer->PrinterIndex() >= 0) Printer->SetCopies(FCopies);
    if (!Run([&] { return RunPrintDlg(Params); })) return false;
    FCopies = Printer->PrinterIndex() >= 0 ? Printer->Copies() : Params.nCopies;
    FFromPage = Params.nFromPage;
    FToPage = Params.nToPage;
    FPrintRange = (Params.Flags & PD_SELECTION) ? prSelection : (Params.Flags & PD_PAGENUMS) ? prPageNums : prAllPages;
    FPrintToFile = (Params.Flags & PD_PRINTTOFILE) != 0;
    return true;
}

// ---------------------------------------------------------------------------
// Message boxes

void ShowMessage(const String& Msg)
{
    Application->MessageBox(Msg, Application->Title(), MB_OK);
}

Integer MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, Integer HelpCtx)
{
    // The first button of the platform's order has the focus.
    const TMsgDlgBtn Order[] = {mbYes, mbOK, mbAbort, mbRetry, mbNo, mbIgnore, mbCancel};
    for (TMsgDlgBtn B : Order)
        if (Buttons & (1u << B)) return MessageDlg(Msg, DlgType, Buttons, HelpCtx, B);
    return MessageDlg(Msg, DlgType, Buttons, HelpCtx, mbOK);
}

Integer MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, Integer, TMsgDlgBtn DefaultButton)
{
    // The sets the platform's box offers, with their buttons in its order.
    const struct {
        TMsgDlgButtons Set;
        UINT Type;
        TMsgDlgBtn Order[3];
        Integer Count;
    } Boxes[] = {
        {mbOKOnly, MB_OK, {mbOK}, 1},
        {mbOKCancel, MB_OKCANCEL, {mbOK, mbCancel}, 2},
        {mbYesNo, MB_YESNO, {mbYes, mbNo}, 2},
        {mbYesNoCancel, MB_YESNOCANCEL, {mbYes, mbNo, mbCancel}, 3},
        {mbAbortRetryIgnore, MB_ABORTRETRYIGNORE, {mbAbort, mbRetry, mbIgnore}, 3},
        {mbRetryCancel, MB_RETRYCANCEL, {mbRetry, mbCancel}, 2},
    };
    const UINT Defaults[] = {MB_DEFBUTTON1, MB_DEFBUTTON2, MB_DEFBUTTON3};
    const struct {
        const char16_t* Caption;
        UINT Icon;
    } Types[] = {
        {u"Warning", MB_ICONWARNING},
        {u"Error", MB_ICONERROR},
        {u"Information", MB_ICONINFORMATION},
        {u"Confirm", MB_ICONQUESTION},
        {nullptr, 0},
    };
    for (const auto& Box : Boxes) {
        if (Box.Set != Buttons) continue;
        UINT Flags = Box.Type | Types[DlgType].Icon | MB_DEFBUTTON1;
        for (Integer i = 0; i < Box.Count; ++i)
            if (Box.Order[i] == DefaultButton) Flags = (Flags & ~MB_DEFMASK) | Defaults[i];
        const String Caption = Types[DlgType].Caption ? String(Types[DlgType].Caption) : Application->Title();
        // The platform's results are the mr values.
        return Application->MessageBox(Msg, Caption, Flags);
    }
    throw EInvalidArgument(u"A message box cannot offer these buttons");
}

// ---------------------------------------------------------------------------
// The folder picker

namespace {

int CALLBACK BrowseCallback(HWND Wnd, UINT Msg, LPARAM, LPARAM Data)
{
    // The first folder shown is the one passed in.
    if (Msg == BFFM_INITIALIZED && Data) SendMessageW(Wnd, BFFM_SETSELECTIONW, TRUE, Data);
    return 0;
}

} // namespace

bool SelectDirectory(const String& Caption, const String& Root, String& Directory)
{
    // The picker is made of shell objects: COM must run on this thread.
    const HRESULT Com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    auto Uninit = ScopeExit([&] {
        if (SUCCEEDED(Com)) CoUninitialize();
    });
    PIDLIST_ABSOLUTE RootList = nullptr;
    if (!Root.empty() && FAILED(SHParseDisplayName(WStr(Root), nullptr, &RootList, 0, nullptr))) RootList = nullptr;
    auto FreeRoot = ScopeExit([&] { CoTaskMemFree(RootList); });
    wchar_t Display[MAX_PATH] = {};
    const String Start = Directory;
    BROWSEINFOW Info = {};
    Info.hwndOwner = GetActiveWindow();
    Info.pidlRoot = RootList;
    Info.pszDisplayName = Display;
    Info.lpszTitle = WStr(Caption);
    Info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    Info.lpfn = BrowseCallback;
    Info.lParam = Start.empty() ? 0 : reinterpret_cast<LPARAM>(WStr(Start));
    PIDLIST_ABSOLUTE Chosen = SHBrowseForFolderW(&Info);
    if (!Chosen) return false;
    auto FreeChosen = ScopeExit([&] { CoTaskMemFree(Chosen); });
    wchar_t Path[MAX_PATH] = {};
    if (!SHGetPathFromIDListW(Chosen, Path)) return false;
    Directory = FromWStr(Path);
    return true;
}
