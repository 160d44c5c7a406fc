#include "framework/controls/win/Printers.h"

#include <winspool.h>

#include "framework/runtime/Maths.h"

namespace {

std::unique_ptr<TPrinter>& PrinterSlot()
{
    static std::unique_ptr<TPrinter> Slot;
    return Slot;
}

// Owns an open spooler handle of a printer.
class TPrinterHandle {
public:
    explicit TPrinterHandle(const String& Name)
    {
        if (!OpenPrinterW(const_cast<wchar_t*>(WStr(Name)), &FHandle, nullptr)) FHandle = nullptr;
    }
    ~TPrinterHandle()
    {
        if (FHandle) ClosePrinter(FHandle);
    }
    TPrinterHandle(const TPrinterHandle&) = delete;
    TPrinterHandle& operator=(const TPrinterHandle&) = delete;
    HANDLE Handle() const { return FHandle; }

private:
    HANDLE FHandle = nullptr;
};

} // namespace

TPrinter::TPrinter() : FTitle(u"Document") {}

TPrinter::~TPrinter()
{
    if (FPrinting) {
        AbortDoc(FDC);
        FPrinting = false;
    }
    FreeDC();
}

[[noreturn]] void TPrinter::RaiseSpoolerError(const String& What)
{
    const DWORD Code = GetLastError();
    wchar_t Text[512] = {};
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, Code, 0, Text, 512, nullptr);
    throw EPrinter(Format(u"%s (%s)", {What, Trim(FromWStr(Text))}));
}

void TPrinter::CheckPrinting(bool Value)
{
    if (FPrinting == Value) return;
    throw EPrinter(Value ? u"The printer is not printing a document" : u"The printer is printing a document");
}

TStrings* TPrinter::Printers()
{
    if (!FPrinters) {
        FPrinters = std::make_unique<TStringList>();
        Refresh();
    }
    return FPrinters.get();
}

void TPrinter::Refresh()
{
    if (!FPrinters) FPrinters = std::make_unique<TStringList>();
    FPrinters->Clear();
    const DWORD Flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    DWORD Needed = 0, Returned = 0;
    EnumPrintersW(Flags, nullptr, 4, nullptr, 0, &Needed, &Returned);
    if (Needed) {
        // PRINTER_INFO_4W records followed by their strings; aligned for the records.
        std::vector<PRINTER_INFO_4W> Buffer(Needed / sizeof(PRINTER_INFO_4W) + 1);
        const DWORD Size = static_cast<DWORD>(Buffer.size() * sizeof(PRINTER_INFO_4W));
        if (EnumPrintersW(Flags, nullptr, 4, reinterpret_cast<BYTE*>(Buffer.data()), Size, &Needed, &Returned)) {
            Returned = std::min<DWORD>(Returned, Size / sizeof(PRINTER_INFO_4W));
            for (DWORD i = 0; i < Returned; ++i)
                if (Buffer[i].pPrinterName) FPrinters->Add(FromWStr(Buffer[i].pPrinterName));
        }
    }
    if (FPrinterIndex >= FPrinters->Count()) FPrinterIndex = -1;
    FDevMode.clear();
    if (!FPrinting) FreeDC();
}

Integer TPrinter::PrinterIndex()
{
    TStrings* List = Printers();
    if (FPrinterIndex >= 0) return FPrinterIndex;
    if (List->Count() == 0) return -1;
    wchar_t Name[512] = {};
    DWORD Size = 512;
    if (GetDefaultPrinterW(Name, &Size)) {
        Integer Index = List->IndexOf(FromWStr(Name));
        if (Index >= 0) return Index;
    }
    return 0;  // no default: the first one
}

void TPrinter::SetPrinterIndex(Integer Value)
{
    CheckPrinting(false);
    if (Value < -1 || Value >= Printers()->Count())
        throw EPrinter(Format(u"There is no printer number %d", {Value}));
    FPrinterIndex = Value;
    FDevMode.clear();
    FreeDC();
}

String TPrinter::PrinterName()
{
    Integer Index = PrinterIndex();
    if (Index < 0) throw EPrinter(u"No printer is installed");
    return Printers()->Strings(Index);
}

void TPrinter::LoadDevMode()
{
    if (!FDevMode.empty()) return;
    const String Name = PrinterName();
    TPrinterHandle Handle(Name);
    if (!Handle.Handle()) RaiseSpoolerError(u"Cannot open the printer " + Name);
    auto* PName = const_cast<wchar_t*>(WStr(Name));
    LONG Size = DocumentPropertiesW(nullptr, Handle.Handle(), PName, nullptr, nullptr, 0);
    if (Size < LONG(sizeof(DEVMODEW))) RaiseSpoolerError(u"Cannot read the settings of the printer " + Name);
    std::vector<uint8_t> Buffer(static_cast<size_t>(Size));
    auto* Mode = reinterpret_cast<DEVMODEW*>(Buffer.data());
    if (DocumentPropertiesW(nullptr, Handle.Handle(), PName, Mode, nullptr, DM_OUT_BUFFER) != IDOK)
        RaiseSpoolerError(u"Cannot read the settings of the printer " + Name);
    // The driver says how much it filled; never trust it beyond the buffer.
    if (size_t(Mode->dmSize) + Mode->dmDriverExtra > Buffer.size()) Mode->dmDriverExtra = 0;
    FDevMode = std::move(Buffer);
}

std::vector<uint8_t> TPrinter::DevMode()
{
    LoadDevMode();
    return FDevMode;
}

void TPrinter::SetDevMode(const DEVMODEW* Value)
{
    CheckPrinting(false);
    if (!Value || Value->dmSize < offsetof(DEVMODEW, dmFields) + sizeof(DWORD)) return;
    const size_t Size = size_t(Value->dmSize) + Value->dmDriverExtra;
    FDevMode.assign(reinterpret_cast<const uint8_t*>(Value), reinterpret_cast<const uint8_t*>(Value) + Size);
    if (FDevMode.size() < sizeof(DEVMODEW)) FDevMode.resize(sizeof(DEVMODEW));
    FreeDC();
}

TPrinterOrientation TPrinter::Orientation()
{
    LoadDevMode();
    auto* Mode = reinterpret_cast<DEVMODEW*>(FDevMode.data());
    return Mode->dmOrientation == DMORIENT_LANDSCAPE ? poLandscape : poPortrait;
}

void TPrinter::SetOrientation(TPrinterOrientation Value)
{
    CheckPrinting(false);
    LoadDevMode();
    auto* Mode = reinterpret_cast<DEVMODEW*>(FDevMode.data());
    Mode->dmOrientation = Value == poLandscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    Mode->dmFields |= DM_ORIENTATION;
    FreeDC();
}

Integer TPrinter::Copies()
{
    LoadDevMode();
    auto* Mode = reinterpret_cast<DEVMODEW*>(FDevMode.data());
    return (Mode->dmFields & DM_COPIES) && Mode->dmCopies > 0 ? Mode->dmCopies : 1;
}

void TPrinter::SetCopies(Integer Value)
{
    CheckPrinting(false);
    LoadDevMode();
    auto* Mode = reinterpret_cast<DEVMODEW*>(FDevMode.data());
    Mode->dmCopies = static_cast<short>(EnsureRange(Value, 1, 9999));
    Mode->dmFields |= DM_COPIES;
    FreeDC();
}

HDC TPrinter::Handle()
{
    if (!FDC) {
        const String Name = PrinterName();
        LoadDevMode();
        FDC = CreateICW(L"WINSPOOL", WStr(Name), nullptr, reinterpret_cast<DEVMODEW*>(FDevMode.data()));
        if (!FDC) RaiseSpoolerError(u"Cannot open the printer " + Name);
        if (FCanvas) FCanvas->SetHandle(FDC);
    }
    return FDC;
}

TCanvas* TPrinter::Canvas()
{
    if (!FCanvas) FCanvas = std::make_unique<TCanvas>();
    if (!FCanvas->HandleAllocated()) FCanvas->SetHandle(Handle());
    return FCanvas.get();
}

Integer TPrinter::PageWidth()
{
    return GetDeviceCaps(Handle(), HORZRES);
}

Integer TPrinter::PageHeight()
{
    return GetDeviceCaps(Handle(), VERTRES);
}

Integer TPrinter::PixelsPerInch()
{
    return GetDeviceCaps(Handle(), LOGPIXELSY);
}

void TPrinter::FreeDC()
{
    if (FCanvas) FCanvas->SetHandle(nullptr);
    if (FDC) DeleteDC(FDC);
    FDC = nullptr;
}

void TPrinter::BeginDoc()
{
    CheckPrinting(false);
    const String Name = PrinterName();
    LoadDevMode();
    FreeDC();
    FDC = CreateDCW(L"WINSPOOL", WStr(Name), nullptr, reinterpret_cast<DEVMODEW*>(FDevMode.data()));
    if (!FDC) RaiseSpoolerError(u"Cannot open the printer " + Name);
    auto Close = ScopeExit([&] { FreeDC(); });
    DOCINFOW Info = {};
    Info.cbSize = sizeof(Info);
    Info.lpszDocName = WStr(FTitle);
    if (StartDocW(FDC, &Info) <= 0) RaiseSpoolerError(u"Cannot start a document on " + Name);
    if (StartPage(FDC) <= 0) {
        AbortDoc(FDC);
        RaiseSpoolerError(u"Cannot start a page on " + Name);
    }
    Close.Dismiss();
    FPrinting = true;
    FAborted = false;
    FPageNumber = 1;
    if (FCanvas) FCanvas->SetHandle(FDC);
}

void TPrinter::NewPage()
{
    CheckPrinting(true);
    if (FCanvas) FCanvas->Refresh();  // a new page starts with the context's defaults
    if (EndPage(FDC) <= 0 || StartPage(FDC) <= 0) {
        Abort();
        RaiseSpoolerError(u"Cannot start a new page");
    }
    ++FPageNumber;
}

void TPrinter::EndDoc()
{
    CheckPrinting(true);
    FPrinting = false;
    auto Close = ScopeExit([&] { FreeDC(); });
    if (FCanvas) FCanvas->Refresh();
    const bool Ended = EndPage(FDC) > 0;
    if (!Ended) {
        AbortDoc(FDC);
        FAborted = true;
        RaiseSpoolerError(u"The document could not be printed");
    }
    if (::EndDoc(FDC) <= 0) RaiseSpoolerError(u"The document could not be printed");
}

void TPrinter::Abort()
{
    CheckPrinting(true);
    FPrinting = false;
    FAborted = true;
    AbortDoc(FDC);
    FreeDC();
}

TPrinter* PrinterInstance()
{
    std::unique_ptr<TPrinter>& Slot = PrinterSlot();
    if (!Slot) Slot = std::make_unique<TPrinter>();
    return Slot.get();
}

std::unique_ptr<TPrinter> SetPrinter(std::unique_ptr<TPrinter> Value)
{
    std::unique_ptr<TPrinter> Old = std::move(PrinterSlot());
    PrinterSlot() = std::move(Value);
    return Old;
}
