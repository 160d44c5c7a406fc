// Dialogs: the platform's common dialogs (open and save, font, colour,
// printer set-up and print), message boxes (ShowMessage, MessageDlg) and the
// folder picker. Each Execute runs the dialog modally and returns true when
// the user confirmed it; a cancelled dialog leaves every property as it was.
// Windows only.
#pragma once

#include <memory>

#include "framework/controls/win/Forms.h"

// ---------------------------------------------------------------------------
class TCommonDialog : public TComponent {
public:
    explicit TCommonDialog(TComponent* AOwner) : TComponent(AOwner) {}
    String ClassName() const override { return u"TCommonDialog"; }
    virtual bool Execute() = 0;
    // The dialog's window while it shows, else null.
    HWND Handle() const { return FHandle; }

    TNotifyEvent OnShow;
    TNotifyEvent OnClose;

protected:
    // The window that owns the dialog: the active form's, else the main form's.
    static HWND OwnerWindow();
    // Runs Call with the dialog's window made known to Handle and OnShow
    // (through a hook on this thread's window creation), then fires OnClose.
    template <class F>
    bool Run(F Call);

private:
    static LRESULT CALLBACK CbtProc(int Code, WPARAM WParam, LPARAM LParam);
    HWND FHandle = nullptr;
};

// ---------------------------------------------------------------------------
using TOpenOptions = Cardinal;
constexpr TOpenOptions ofReadOnly = 1 << 0;
constexpr TOpenOptions ofOverwritePrompt = 1 << 1;
constexpr TOpenOptions ofHideReadOnly = 1 << 2;
constexpr TOpenOptions ofNoChangeDir = 1 << 3;
constexpr TOpenOptions ofNoValidate = 1 << 4;
constexpr TOpenOptions ofAllowMultiSelect = 1 << 5;
constexpr TOpenOptions ofExtensionDifferent = 1 << 6;  // set by Execute
constexpr TOpenOptions ofPathMustExist = 1 << 7;
constexpr TOpenOptions ofFileMustExist = 1 << 8;
constexpr TOpenOptions ofCreatePrompt = 1 << 9;
constexpr TOpenOptions ofShareAware = 1 << 10;
constexpr TOpenOptions ofNoReadOnlyReturn = 1 << 11;
constexpr TOpenOptions ofNoTestFileCreate = 1 << 12;
constexpr TOpenOptions ofNoNetworkButton = 1 << 13;
constexpr TOpenOptions ofNoDereferenceLinks = 1 << 14;
constexpr TOpenOptions ofEnableSizing = 1 << 15;
constexpr TOpenOptions ofDontAddToRecent = 1 << 16;
constexpr TOpenOptions ofForceShowHidden = 1 << 17;

class TOpenDialog : public TCommonDialog {
public:
    explicit TOpenDialog(TComponent* AOwner);
    ~TOpenDialog() override;
    String ClassName() const override { return u"TOpenDialog"; }
    bool Execute() override;

    // The chosen file (the first of several), with its folder.
    const String& FileName() const { return FFileName; }
    void SetFileName(const String& Value) { FFileName = Value; }
    // Every chosen file, each with its folder.
    TStrings* Files() const { return FFiles.get(); }
    const String& InitialDir() const { return FInitialDir; }
    void SetInitialDir(const String& Value) { FInitialDir = Value; }
    // "Pictures|*.png;*.jpg|All files|*.*": description and mask by turns.
    const String& Filter() const { return FFilter; }
    void SetFilter(const String& Value) { FFilter = Value; }
    // The chosen filter, counted from 1.
    Integer FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(Integer Value) { FFilterIndex = Value; }
    // Added to a name typed without an extension (without the dot).
    const String& DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const String& Value);
    TOpenOptions Options() const { return FOptions; }
    void SetOptions(TOpenOptions Value) { FOptions = Value; }
    const String& Title() const { return FTitle; }
    void SetTitle(const String& Value) { FTitle = Value; }

protected:
    virtual bool ShowPlatformDialog(OPENFILENAMEW& Params);

private:
    String FFileName;
    std::unique_ptr<TStringList> FFiles;
    String FInitialDir;
    String FFilter;
    Integer FFilterIndex = 1;
    String FDefaultExt;
    TOpenOptions FOptions = ofHideReadOnly | ofEnableSizing;
    String FTitle;
};

class TSaveDialog : public TOpenDialog {
public:
    explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}
    String ClassName() const override { return u"TSaveDialog"; }

protected:
    bool ShowPlatformDialog(OPENFILENAMEW& Params) override;
};

// The platform's form of a filter: the parts separated by NULs, two at the end.
String PlatformFilter(const String& Filter);
// The files of a multi-select answer: the folder, then the names, each ended
// by a NUL and the whole by two; a single full name when only one was chosen.
// Never reads past Size characters.
void SplitChosenFiles(const wchar_t* Buffer, size_t Size, TStrings* Files);

// ---------------------------------------------------------------------------
using TFontDialogOptions = Cardinal;
constexpr TFontDialogOptions fdAnsiOnly = 1 << 0;
constexpr TFontDialogOptions fdTrueTypeOnly = 1 << 1;
constexpr TFontDialogOptions fdEffects = 1 << 2;
constexpr TFontDialogOptions fdFixedPitchOnly = 1 << 3;
constexpr TFontDialogOptions fdForceFontExist = 1 << 4;
constexpr TFontDialogOptions fdNoFaceSel = 1 << 5;
constexpr TFontDialogOptions fdNoSimulations = 1 << 6;
constexpr TFontDialogOptions fdNoSizeSel = 1 << 7;
constexpr TFontDialogOptions fdNoStyleSel = 1 << 8;
constexpr TFontDialogOptions fdNoVectorFonts = 1 << 9;
constexpr TFontDialogOptions fdLimitSize = 1 << 10;
constexpr TFontDialogOptions fdScalableOnly = 1 << 11;

class TFontDialog : public TCommonDialog {
public:
    explicit TFontDialog(TComponent* AOwner);
    ~TFontDialog() override;
    String ClassName() const override { return u"TFontDialog"; }
    bool Execute() override;
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    TFontDialogOptions Options() const { return FOptions; }
    void SetOptions(TFontDialogOptions Value) { FOptions = Value; }
    // With fdLimitSize: the sizes offered, in points (0: no limit).
    Integer MinFontSize() const { return FMinFontSize; }
    void SetMinFontSize(Integer Value) { FMinFontSize = Value; }
    Integer MaxFontSize() const { return FMaxFontSize; }
    void SetMaxFontSize(Integer Value) { FMaxFontSize = Value; }

private:
    std::unique_ptr<TFont> FFont;
    TFontDialogOptions FOptions = fdEffects;
    Integer FMinFontSize = 0;
    Integer FMaxFontSize = 0;
};

// ---------------------------------------------------------------------------
using TColorDialogOptions = Cardinal;
constexpr TColorDialogOptions cdFullOpen = 1 << 0;
constexpr TColorDialogOptions cdPreventFullOpen = 1 << 1;
constexpr TColorDialogOptions cdSolidColor = 1 << 2;
constexpr TColorDialogOptions cdAnyColor = 1 << 3;

class TColorDialog : public TCommonDialog {
public:
    explicit TColorDialog(TComponent* AOwner);
    ~TColorDialog() override;
    String ClassName() const override { return u"TColorDialog"; }
    bool Execute() override;
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    // The 16 custom colours as "ColorA=RRGGBB" .. "ColorP=RRGGBB" (hexadecimal,
    // red first); missing or unreadable entries are white. Execute writes all 16.
    TStrings* CustomColors() const { return FCustomColors.get(); }
    TColorDialogOptions Options() const { return FOptions; }
    void SetOptions(TColorDialogOptions Value) { FOptions = Value; }

private:
    TColor FColor = clBlack;
    std::unique_ptr<TStringList> FCustomColors;
    TColorDialogOptions FOptions = 0;
};

// ---------------------------------------------------------------------------
// Chooses the printer of Printer and its settings.
class TPrinterSetupDialog : public TCommonDialog {
public:
    explicit TPrinterSetupDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}
    String ClassName() const override { return u"TPrinterSetupDialog"; }
    bool Execute() override;
};

enum TPrintRange { prAllPages, prSelection, prPageNums };
using TPrintDialogOptions = Cardinal;
constexpr TPrintDialogOptions poPrintToFile = 1 << 0;
constexpr TPrintDialogOptions poPageNums = 1 << 1;
constexpr TPrintDialogOptions poSelection = 1 << 2;
constexpr TPrintDialogOptions poWarning = 1 << 3;
constexpr TPrintDialogOptions poDisablePrintToFile = 1 << 4;

// Chooses the printer, the pages and the copies of a document.
class TPrintDialog : public TCommonDialog {
public:
    explicit TPrintDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}
    String ClassName() const override { return u"TPrintDialog"; }
    bool Execute() override;
    Integer Copies() const { return FCopies; }
    void SetCopies(Integer Value) { FCopies = Value; }
    Integer FromPage() const { return FFromPage; }
    void SetFromPage(Integer Value) { FFromPage = Value; }
    Integer ToPage() const { return FToPage; }
    void SetToPage(Integer Value) { FToPage = Value; }
    Integer MinPage() const { return FMinPage; }
    void SetMinPage(Integer Value) { FMinPage = Value; }
    Integer MaxPage() const { return FMaxPage; }
    void SetMaxPage(Integer Value) { FMaxPage = Value; }
    TPrintRange PrintRange() const { return FPrintRange; }
    void SetPrintRange(TPrintRange Value) { FPrintRange = Value; }
    TPrintDialogOptions Options() const { return FOptions; }
    void SetOptions(TPrintDialogOptions Value) { FOptions = Value; }
    bool PrintToFile() const { return FPrintToFile; }
    void SetPrintToFile(bool Value) { FPrintToFile = Value; }

private:
    Integer FCopies = 0;  // 0: the printer's own setting
    Integer FFromPage = 0, FToPage = 0, FMinPage = 0, FMaxPage = 0;
    TPrintRange FPrintRange = prAllPages;
    TPrintDialogOptions FOptions = 0;
    bool FPrintToFile = false;
};

// ---------------------------------------------------------------------------
// Message boxes.
enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore };
using TMsgDlgButtons = Word;  // bit n for TMsgDlgBtn n
constexpr TMsgDlgButtons MsgDlgButtons(std::initializer_list<TMsgDlgBtn> Buttons)
{
    TMsgDlgButtons Set = 0;
    for (TMsgDlgBtn B : Buttons) Set |= TMsgDlgButtons(1u << B);
    return Set;
}
constexpr TMsgDlgButtons mbYesNo = MsgDlgButtons({mbYes, mbNo});
constexpr TMsgDlgButtons mbYesNoCancel = MsgDlgButtons({mbYes, mbNo, mbCancel});
constexpr TMsgDlgButtons mbOKCancel = MsgDlgButtons({mbOK, mbCancel});
constexpr TMsgDlgButtons mbAbortRetryIgnore = MsgDlgButtons({mbAbort, mbRetry, mbIgnore});
constexpr TMsgDlgButtons mbRetryCancel = MsgDlgButtons({mbRetry, mbCancel});
constexpr TMsgDlgButtons mbOKOnly = MsgDlgButtons({mbOK});

// A message box captioned with the application's title.
void ShowMessage(const String& Msg);
// A message box of the type's caption and icon with Buttons, one of the sets
// above; DefaultButton (one of Buttons) has the focus, else the first. Returns
// the mr value of the button pressed (mrCancel for Escape where Cancel is
// offered). Raises EInvalidArgument for a set the platform has no box for.
Integer MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, Integer HelpCtx = 0);
Integer MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, Integer HelpCtx,
                   TMsgDlgBtn DefaultButton);

// ---------------------------------------------------------------------------
// The folder picker: Caption above the tree, Root its top (empty: the
// desktop), Directory the folder shown first and, when true is returned, the
// folder chosen.
bool SelectDirectory(const String& Caption, const String& Root, String& Directory);
