// Printers: the printer object over the print spooler and the printer's
// device context: the printers installed, the one chosen and its settings,
// and a document printed page by page on its canvas. Windows only.
#pragma once

#include <memory>
#include <vector>

#include "framework/controls/win/Controls.h"

LM_EXCEPTION_CLASS(EPrinter, Exception);

enum TPrinterOrientation { poPortrait, poLandscape };

class TPrinter : public TObject {
public:
    TPrinter();
    ~TPrinter() override;
    String ClassName() const override { return u"TPrinter"; }

    // The names of the printers installed, read on first use and by Refresh.
    TStrings* Printers();
    void Refresh();
    // The chosen printer: the default printer until one is chosen, -1 when
    // none is installed. Setting -1 chooses the default printer again.
    Integer PrinterIndex();
    void SetPrinterIndex(Integer Value);
    // The chosen printer's settings, from its defaults when it was chosen.
    TPrinterOrientation Orientation();
    void SetOrientation(TPrinterOrientation Value);
    Integer Copies();
    void SetCopies(Integer Value);
    // The printable area in the printer's pixels, and its resolution.
    Integer PageWidth();
    Integer PageHeight();
    Integer PixelsPerInch();
    // The settings as the spooler keeps them (DEVMODEW and its driver's part),
    // for the set-up dialogs; Set takes a copy and re-reads the settings.
    std::vector<uint8_t> DevMode();
    void SetDevMode(const DEVMODEW* Value);

    // The name the document has in the spooler.
    const String& Title() const { return FTitle; }
    void SetTitle(const String& Value) { FTitle = Value; }
    // Starts a document on the chosen printer and its first page. Raises
    // EPrinter when no printer is installed or a document is already open.
    void BeginDoc();
    // Ends the page and the document: the spooler prints it.
    void EndDoc();
    void NewPage();
    // Drops the open document; nothing is printed.
    void Abort();
    bool Aborted() const { return FAborted; }
    bool Printing() const { return FPrinting; }
    Integer PageNumber() const { return FPageNumber; }
    // The printer's device context: the document's while printing, else an
    // information context of the chosen printer (for measuring).
    HDC Handle();
    // Draws on Handle.
    TCanvas* Canvas();

private:
    void CheckPrinting(bool Value);
    // The chosen printer's name; raises EPrinter when there is none.
    String PrinterName();
    void LoadDevMode();
    void FreeDC();
    // Raises EPrinter with the platform's reason for a failed spooler call.
    [[noreturn]] void RaiseSpoolerError(const String& What);

    std::unique_ptr<TStringList> FPrinters;
    Integer FPrinterIndex = -2;  // -2: not chosen yet (the default printer)
    std::vector<uint8_t> FDevMode;
    HDC FDC = nullptr;
    std::unique_ptr<TCanvas> FCanvas;
    String FTitle;
    bool FPrinting = false;
    bool FAborted = false;
    Integer FPageNumber = 0;
};

// The program's printer object, made on first use.
TPrinter* PrinterInstance();
inline constexpr TGlobalObject<TPrinter, PrinterInstance> Printer{};
// Puts another printer object in its place (tests); returns the old one.
std::unique_ptr<TPrinter> SetPrinter(std::unique_ptr<TPrinter> Value);
