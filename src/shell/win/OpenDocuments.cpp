#include "shell/win/OpenDocuments.h"

#include "dialogs/FileOptions.h"
#include "dialogs/win/BmpOptionForm.h"
#include "dialogs/win/JpgOptionForm.h"
#include "document/ImageClipboard.h"
#include "document/win/ImageDraw_Win.h"
#include "foundation/HyPresets.h"
#include "foundation/win/Global_Win.h"
#include "foundation/win/HyFileUtils_Image.h"
#include "foundation/win/HySysUtils_Win.h"
#include "framework/controls/win/Dialogs.h"
#include "framework/controls/win/Menus.h"
#include "framework/controls/win/StdCtrls.h"
#include "shell/ImageCommandRules.h"
#include "shell/MainLifecycle.h"
#include "shell/OpenDocumentsCore.h"
#include "shell/win/MainLayout.h"
#include "shell/win/OpenFileStrip.h"
#include "shell/win/ZezavEzazerForm.h"

namespace C = OpenFileCol;

namespace {

// The hourglass for a scope.
class TBusyCursor {
public:
    TBusyCursor() : FOld(Screen->Cursor()) { Screen->SetCursor(crHourGlass); }
    ~TBusyCursor() { Screen->SetCursor(FOld); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;

private:
    TCursor FOld;
};

const char16_t* const SaveFilter =
    u"JPEG Image (*.jpg;*.jpe;*.jpeg)|*.jpg;*.jpe;*.jpeg;|Portable Network Graphics (*.png)|*.png;|"
    u"CompuServ GIF Image (*.gif)|*.gif;|Bitmap Image (*.bmp)|*.bmp;";

String OpenFilter()
{
    return GetLangText(1, 150) + u" (*.bmp;*.jpg;*.jpe;*.jpeg;*.png;*.gif)|*.bmp;*.jpg;*.jpe;*.jpeg;*.png;*.gif";
}

bool HasSidecar(const String& FileName)
{
    return FileExists(FileName + u".vuxa") || FileExists(FileName + u".qelm") ||
           FileExists(ChangeFileExt(FileName, u"") + u".qelm");
}

TRow& Settings() { return *ConfigTable->GetItem(1); }

// Worded as the document's own message for a file it cannot read.
String NotFoundText(const String& FileName) { return u"The picture \"" + FileName + u"\" could not be found"; }

}  // namespace

TOpenDocuments::TOpenDocuments(TfrmZezavEzazer& AForm) : FForm(AForm)
{
    FForm.OnDropFiles = [this](TObject*, const std::vector<String>& Names, const TPoint&) { DropFiles(Names); };
}

TOpenDocuments::~TOpenDocuments() = default;

void TOpenDocuments::SetPrompts(TDocumentPrompts* Prompts) { FPrompts = Prompts; }

TDocumentPrompts& TOpenDocuments::Prompts()
{
    if (FPrompts) return *FPrompts;
    if (!FOwnPrompts) FOwnPrompts = std::make_unique<TProgramPrompts>(FForm.SkinData());
    return *FOwnPrompts;
}

void TOpenDocuments::LoadOpenFileTable()
{
    FOpenFileDT = std::make_unique<TDataTable>(String(), ColumnSet({1}));
    FOpenFileDT->SetIsAddVerifyCode(true);
    FOpenFileDT->Load(DataFolder + u"OpenFile.db");
    PrepareOpenFileRows(*FOpenFileDT, [](const String& F) { return !F.empty() && FileExists(F); });
    if (auto* Box = FForm.Layout().PartAs<TWinControl>(u"boxOpenFile")) {
        FStrip = std::make_unique<TOpenFileStrip>(Box, *FOpenFileDT);
        FStrip->OnSwitch = [this](Integer I) { SwitchTo(I); };
        FStrip->OnClose = [this](Integer I) { CloseOpenDocument(0, I); };
        FStrip->OnDelete = [this](Integer I) { CloseOpenDocument(1, I); };
        FStrip->Busy = [this] { return FDocument && FDocument->ShapeCreating(); };
        FStrip->muOpenFileClose->SetCaption(GetLangText(1, 96));
        FStrip->muOpenFileDelete->SetCaption(GetLangText(1, 97));
        FStrip->CloseHint = GetLangText(1, 169);
        FStrip->SetPanel(FForm.Layout().PartAs<TWinControl>(u"pnlOpenFile"));
        if (auto* Side = FForm.Layout().PartAs<TWinControl>(u"pnlOpenFileRight")) FStrip->SetSidePanel(Side);
        FStrip->OnMoved = [this] { FOpenFileIndex = FindOpenFileRow(*FOpenFileDT, FFileName); };
        Box->OnResize = [this](TObject*) {
            if (FForm.FormShown()) FStrip->DrawOpenFileTiles(-1);
        };
        FStrip->ResetOpenFileThumb(-1);
    }
}

void TOpenDocuments::RowsChanged()
{
    if (FStrip) {
        FStrip->DrawOpenFileTiles(-1);
        FStrip->ScrollOpenFileIntoView(FOpenFileIndex);
    }
    if (OnRowsChanged) OnRowsChanged();
}

void TOpenDocuments::ThumbReset(Integer Index)
{
    if (FStrip) FStrip->ResetOpenFileThumb(Index);
    if (OnThumbReset) OnThumbReset(Index);
}

TRow* TOpenDocuments::LiveRow() const
{
    if (!FOpenFileDT || FOpenFileIndex < 0 || FOpenFileIndex >= FOpenFileDT->ItemCount()) return nullptr;
    return FOpenFileDT->GetItem(FOpenFileIndex);
}

// ---------------------------------------------------------------------------
// Loading

bool TOpenDocuments::LoadDocument(const String& FileName, bool IsNew, bool FromClipboard,
                                  TCustomBitmap32* CanvasPattern, TBitmap* Bitmap, bool FromScreenCapture)
{
    std::unique_ptr<TBitmap> Given(Bitmap);
    if (!FFileName.empty() && FFileName == FileName) return false;
    TRow& Config = Settings();

    // The picture: a file with a sidecar is read by the document itself.
    std::unique_ptr<TBitmap32> Decoded;
    bool HasAlpha = false;
    Integer BitDepth = -1;
    const bool FromFile = !FileName.empty() && !IsNew && FileExists(FileName);
    // A new image from the clipboard: its picture, taken now. Without one (or
    // with one that cannot be read) there is nothing to open.
    std::unique_ptr<TCustomBitmap32> Pasted;
    if (FromClipboard && !Given) {
        Pasted = SystemClipboard().GetBitmap();
        if (!Pasted || Pasted->Empty()) {
            Prompts().ShowMessage(GetLangText(1, 395));
            return false;
        }
    } else if (FromFile && !HasSidecar(FileName)) {
        TImageLoadStatus Status;
        Decoded = LoadImageToBitmap32(FileName, HasAlpha, BitDepth, &Status);
        const bool Loaded = Decoded && !Decoded->Empty();
        const Int64 W = Loaded ? Decoded->Width() : Status.Width, H = Loaded ? Decoded->Height() : Status.Height;
        if (Loaded || Status.Result == ilrTooLarge || (Status.Width > 0 && Status.Height > 0)) {
            const String Refusal =
                ImageSizeRefusal(W, H, GetLangText(1, 385), GetLangText(1, 384), GetLangText(1, 395));
            if (!Refusal.empty()) {
                Prompts().ShowMessage(Refusal);
                return false;
            }
        }
        if (!Loaded) Decoded.reset();  // the document reads the file and names what is wrong
    } else if (!FileName.empty() && !IsNew && !FromFile) {
        Prompts().ShowMessage(NotFoundText(FileName));
        return false;
    } else if (Given) {
        Config.GetItem(0)->SetValue(Given->Width());
        Config.GetItem(1)->SetValue(Given->Height());
    }
    FForm.EndEffectDrawing();

    // The name the row goes by and its stash, if it has one.
    const bool Untitled = !FromFile;
    const String Name = FileName.empty() ? UntitledName(*FOpenFileDT, GetLangText(1, 1), LangColumn) : FileName;
    const Integer Existing = FindOpenFileRow(*FOpenFileDT, Name);
    TMemoryStream* Stash = Existing >= 0 ? FOpenFileDT->GetItem(Existing)->Data3().As<TMemoryStream>() : nullptr;
    if (Stash) Stash->SetPosition(0);

    // The new document is built before the live one goes, so that a document
    // that cannot be read leaves the live one (and the rows) as they were.
    if (!FView) FView = std::make_unique<TImgViewDrawView>(FForm.Image);
    std::unique_ptr<TImageDraw> Doc;
    std::unique_ptr<TBitmap32> Clip;
    if (Given || Pasted) {
        Clip = std::make_unique<TBitmap32>();
        if (Given)
            Clip->Assign(Given.get());
        else
            Clip->Assign(Pasted.get());
    }
    // Every new document takes the watermark of the settings.
    const std::unique_ptr<TRow> Watermark =
        ConfigTable && ConfigTable->ItemCount() > 3 ? BuildWatermarkRow(*ConfigTable->GetItem(3)) : nullptr;
    try {
        if (FromFile)
            Doc = std::make_unique<TImageDraw>(FView.get(), nullptr, Decoded.get(), nullptr, Watermark.get(), FileName,
                                               FForm.LanguageIndex(), false, false, Stash, 0, 0, 0, HasAlpha,
                                               Decoded ? BitDepth : -1);
        else
            Doc = std::make_unique<TImageDraw>(
                FView.get(), Clip.get(), nullptr, CanvasPattern, Watermark.get(), String(), FForm.LanguageIndex(),
                FromClipboard, FromScreenCapture, Stash, Config.GetItem(0)->Value(), Config.GetItem(1)->Value(),
                static_cast<TColor>(Config.GetItem(2)->Value()), Config.GetItem(3)->Value() == 2, 24);
    } catch (const Exception& E) {
        Prompts().ShowMessage(E.Message());
        return false;
    }
    Decoded.reset();
    Clip.reset();
    Pasted.reset();

    RegisterOpenDocument(Name, Untitled);
    FFileName = Name;
    ShowCaption();
    FDocument = std::move(Doc);

    TImageDraw& D = *FDocument;
    D.SetPropDT(PropertyTable.get());
    D.SetShadowDT(ShadowPresetTable.get());
    D.SetReflectDT(ReflectPresetTable.get());
    D.SetObjGradientDT(ObjGradientTable.get());
    D.SetLockGuides(Config.GetItem(19)->AsBool());
    D.SetNotSaveDataFile(Config.GetItem(49)->AsBool());

    TRow& Row = *LiveRow();
    D.SetActionDT(Row.Data5().As<TDataTable>());
    D.SetUndoDT(Row.Data4().As<TDataTable>());
    if (D.UndoCount() < 2)
        D.SaveUndoFirst();
    else {
        D.SetUndoIndex(Row.GetItem(C::UndoIndex)->Value());
        D.Godo(true);
    }
    D.OnChanged = [this](TObject*) { DocumentChanged(); };
    if (OnDocumentCreated) OnDocumentCreated(D);
    D.InitBitmap();
    D.Draw();
    D.SetAntialiasing(Row.GetItem(C::AntiAlias)->AsBool());
    ApplyRowView(Row);
    // The row's modified mark follows the document's change events only: a
    // new image starts changed without being touched by the user.
    ShowImageSizeInfo();
    FForm.DocumentLoaded();
    return true;
}

void TOpenDocuments::ShowImageSizeInfo()
{
    if (!FDocument) return;
    if (auto* L = FForm.Layout().PartAs<TLabel>(u"lblImageSize"))
        L->SetCaption(ImageSizeText(FDocument->Width(), FDocument->Height()));
    if (auto* L = FForm.Layout().PartAs<TLabel>(u"lblImageBits"))
        L->SetCaption(ImageBitsText(FDocument->SrcBmpBitsPixelPer()));
}

void TOpenDocuments::RegisterOpenDocument(const String& Name, bool IsNew)
{
    if (!IsNew) Settings().GetItem(31)->SetText(EscapeCellText(Name));
    const TRegisteredRow R =
        RegisterOpenFileRow(*FOpenFileDT, Name, IsNew, Settings().GetItem(0)->Value(), Settings().GetItem(1)->Value());
    FOpenFileIndex = R.Index;
    if (R.Added) ThumbReset(R.Index);
    RowsChanged();
}

void TOpenDocuments::ApplyRowView(const TRow& Row)
{
    TImgView32& View = *FForm.Image;
    Single Scale = 1;
    if (StoredScale(Row, Scale)) {
        View.SetScale(Scale);
        FDocument->SetScale(Scale);
        View.ScrollToCenter(Row.GetItem(C::CenterX)->Value(), Row.GetItem(C::CenterY)->Value());
        return;
    }
    const TRect VP = View.GetViewportRect();
    if (Settings().GetItem(45)->AsBool() &&
        (FDocument->Width() > VP.Right - VP.Left || FDocument->Height() > VP.Bottom - VP.Top)) {
        const Single S = std::min(Single(VP.Right - VP.Left) / FDocument->Width(),
                                  Single(VP.Bottom - VP.Top) / FDocument->Height());
        View.SetScale(S);
        FDocument->SetScale(S);
    } else {
        View.SetScale(1);
        FDocument->SetScale(1);
    }
}

void TOpenDocuments::ShowCaption()
{
    const String Title = ExtractFileName(FFileName) + u" - " + EditionTitle;
    FForm.SetCaption(Title);
    Application->SetTitle(Title);
}

void TOpenDocuments::DocumentChanged()
{
    TRow* Row = LiveRow();
    if (!Row || !FDocument) return;
    if (Row->GetItem(C::Modified)->AsBool() != FDocument->Changed()) {
        Row->GetItem(C::Modified)->SetAsBool(FDocument->Changed());
        if (FStrip) FStrip->DrawOpenFileTiles(FOpenFileIndex);
    }
}

void TOpenDocuments::LoadFirstDocument(const String& ArgFile, const String& Chosen)
{
    if (!ArgFile.empty() && !FileExists(ArgFile)) Prompts().ShowMessage(NotFoundText(ArgFile));
    if (Chosen.empty() || !LoadDocument(Chosen)) LoadDocument(String());
}

bool TOpenDocuments::OpenImageFile(const String& FileName)
{
    SaveToStream();
    return LoadDocument(FileName);
}

Integer TOpenDocuments::GetViewCenterX() const
{
    const TImgView32& V = *FForm.Image;
    const TRect R = const_cast<TImgView32&>(V).GetViewportRect();
    return static_cast<Integer>(Round(((R.Right - R.Left) / 2 - V.OffsetHorz()) / V.Scale()));
}

Integer TOpenDocuments::GetViewCenterY() const
{
    const TImgView32& V = *FForm.Image;
    const TRect R = const_cast<TImgView32&>(V).GetViewportRect();
    return static_cast<Integer>(Round(((R.Bottom - R.Top) / 2 - V.OffsetVert()) / V.Scale()));
}

// ---------------------------------------------------------------------------
// Stash and switching

bool TOpenDocuments::SaveToStream()
{
    TRow* Row = LiveRow();
    if (!Row || !FDocument) return true;
    if (FDocument->Changed()) {
        std::unique_ptr<TMemoryStream> P;
        FDocument->SaveToStream(P);
        Row->Data3().Own(std::move(P));
    } else
        Row->Data3().Clear();
    StashViewCells(*Row, {FForm.Image->Scale(), GetViewCenterX(), GetViewCenterY(), FDocument->Antialiasing(),
                          FDocument->UndoIndex()});
    return true;
}

void TOpenDocuments::SwitchTo(Integer Index)
{
    if (Index < 0 || Index >= FOpenFileDT->ItemCount() || Index == FOpenFileIndex) return;
    TBusyCursor Busy;
    SaveToStream();
    const TRow& Row = *FOpenFileDT->GetItem(Index);
    LoadDocument(Row.GetItem(C::FileName)->Text(), Row.GetItem(C::New)->AsBool());
}

bool TOpenDocuments::QuerySaveDocuments(bool All)
{
    auto AskLive = [this]() {
        TRow* Row = LiveRow();
        if (!Row || !FDocument || !Row->GetItem(C::Modified)->AsBool() || !FDocument->Changed()) return true;
        const String Text = GetLangText(1, 149) + u"\"" + FFileName + u"\"" + GetLangText(1, 151);
        switch (Prompts().Ask(Text, MB_YESNOCANCEL | MB_ICONQUESTION)) {
            case IDCANCEL: return false;
            case IDYES: return Save();
            default: return true;
        }
    };
    if (!AskLive()) return false;
    if (!All) return true;
    for (Integer I = 0; I < FOpenFileDT->ItemCount(); ++I) {
        if (I == FOpenFileIndex || !FOpenFileDT->GetItem(I)->GetItem(C::Modified)->AsBool()) continue;
        SwitchTo(I);
        if (!AskLive()) return false;
    }
    return true;
}

void TOpenDocuments::CloseOpenDocument(Integer Mode, Integer Index)
{
    if (Index < 0 || Index >= FOpenFileDT->ItemCount() || FOpenFileDT->ItemCount() < 2) return;
    const String Name = FOpenFileDT->GetItem(Index)->GetItem(C::FileName)->Text();
    const Integer Tag = Index;
    const bool WasModified = FOpenFileDT->GetItem(Index)->GetItem(C::Modified)->AsBool();
    if (Mode == 1) {
        const String Text = GetLangText(1, 387) + u" \"" + Name + u"\" " + GetLangText(1, 388);
        if (Prompts().Ask(Text, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    } else if (FOpenFileDT->GetItem(Index)->GetItem(C::Modified)->AsBool()) {
        if (Index != FOpenFileIndex) SwitchTo(Index);
        if (!QuerySaveDocuments(false)) return;
        Index = FOpenFileIndex;
    }
    const bool WasLive = Index == FOpenFileIndex;
    // The live document works on its row's undo and action tables: it goes
    // before the row that owns them.
    if (WasLive) {
        FDocument.reset();
        FFileName.clear();
    }
    FOpenFileDT->RemoveItemByIndex(Index);
    if (WasLive) {
        FOpenFileIndex = -1;
        const TRow& Next = *FOpenFileDT->GetItem(NextLiveRowAfterClose(Index, FOpenFileDT->ItemCount()));
        if (!LoadDocument(Next.GetItem(C::FileName)->Text(), Next.GetItem(C::New)->AsBool()))
            LoadDocument(String(), true);
    } else
        FOpenFileIndex = FindOpenFileRow(*FOpenFileDT, FFileName);
    if (Mode == 1 && FileExists(Name)) {
        DeleteFile(Name);
        DeleteFile(Name + u".vuxa");
    }
    RowsChanged();
    if (FStrip) FStrip->AfterClose(Tag, Mode == 0 && !WasModified);
}

// ---------------------------------------------------------------------------
// Opening by dialog and by drop

void TOpenDocuments::sbOpenClick(TObject*)
{
    TCell& Folder = *Settings().GetItem(40);
    const String File = Prompts().ChooseOpenFile(OpenFilter(), UnescapeCellText(Folder.Text()));
    if (File.empty()) return;
    Application->ProcessMessages();
    TBusyCursor Busy;
    Folder.SetText(EscapeCellText(ExtractFilePath(File)));
    OpenImageFile(File);
}

void TOpenDocuments::DropFiles(const std::vector<String>& FileNames)
{
    std::vector<String> Names;
    for (const String& N : FileNames) Names.push_back(N.size() > MAX_PATH ? N.substr(0, MAX_PATH) : N);
    const std::vector<String> Accepted = AcceptedDroppedFiles(Names);
    if (Accepted.empty()) {
        Prompts().ShowMessage(GetLangText(1, 253));
        return;
    }
    TBusyCursor Busy;
    OpenImageFile(Accepted.front());
}

void TOpenDocuments::InsertImageFiles(const String& Folder, const String& Files)
{
    if (!FDocument) return;
    FForm.EndEffectDrawing();
    // A selection or crop frame would sit above the pasted pictures.
    if (FDocument->DeleteSelectionCropShape(true)) FDocument->Draw();
    TBusyCursor Busy;
    for (size_t From = 0; From <= Files.size();) {
        size_t To = Files.find(u'|', From);
        if (To == String::npos) To = Files.size();
        const String Name = Files.substr(From, To - From);
        From = To + 1;
        const String File = IncludeTrailingPathDelimiter(Folder) + Name;
        if (Name.empty() || !FileExists(File)) continue;
        bool HasAlpha = false;
        Integer Depth = 0;
        std::unique_ptr<TBitmap32> B = LoadImageToBitmap32(File, HasAlpha, Depth);
        if (B && B->Width() > 0 && B->Height() > 0)
            FDocument->Paste(GetViewCenterX(), GetViewCenterY(), B.get(), false, true);
    }
    FDocument->Draw();
    FDocument->SaveUndo();
}

// ---------------------------------------------------------------------------
// Saving

// A selection or crop frame is no part of the saved picture: it goes (lifted
// pixels stamped back first) with an undo state of its own.
void TOpenDocuments::DropSelectionForSave()
{
    if (!FDocument->DeleteSelectionCropShape(true)) return;
    FDocument->Draw();
    FDocument->SaveUndo();
}

bool TOpenDocuments::Save()
{
    if (!FDocument) return false;
    TRow* Row = LiveRow();
    if (FDocument->FileName().empty() || (Row && Row->GetItem(C::New)->AsBool())) return SaveAs();
    if (FDocument->FileType() == ifJpg && !AskJpgOptions()) return false;
    if (FDocument->FileType() == ifBmp && !AskBmpOptions(false)) return false;
    {
        TBusyCursor Busy;
        FForm.EndEffectDrawing();
        DropSelectionForSave();
        if (!FDocument->Save()) return false;
    }
    Announce();
    return true;
}

bool TOpenDocuments::SaveAs()
{
    if (!FDocument) return false;
    TCell& Folder = *Settings().GetItem(41);
    Integer FilterIndex = 1;
    String Name = Prompts().ChooseSaveFile(SaveFilter, UnescapeCellText(Folder.Text()), FDocument->ExportGetFilterIndex(),
                                           FilterIndex);
    if (Name.empty()) return false;
    Folder.SetText(EscapeCellText(ExtractFilePath(Name)));
    Name = SaveAsFileName(Name, FilterIndex);
    if (FindOpenFileRow(*FOpenFileDT, Name) >= 0) {
        Prompts().ShowMessage(SaveAsOpenRefusal(Name, GetLangText(1, 174), GetLangText(1, 175)));
        return false;
    }
    if (FileExists(Name) && Prompts().Ask(GetLangText(1, 152), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return false;
    const TImageFormat Format = GetImageTypeByExt(Name);
    if (Format == ifJpg && !AskJpgOptions()) return false;
    if (Format == ifBmp && !AskBmpOptions(true)) return false;
    {
        TBusyCursor Busy;
        FForm.EndEffectDrawing();
        DropSelectionForSave();
        if (!FDocument->SaveAs(Name)) return false;
    }
    TRow& Row = *LiveRow();
    Row.GetItem(C::FileName)->SetText(Name);
    Row.GetItem(C::New)->SetAsBool(false);
    FFileName = Name;
    ShowCaption();
    Settings().GetItem(31)->SetText(EscapeCellText(Name));
    Announce();
    return true;
}

bool TOpenDocuments::AskJpgOptions()
{
    TRow& Options = FileOptionsRow(*FDocument->FileDT());
    switch (DecideJpgOptions(Settings().GetItem(48)->AsBool(), Options.GetItem(FileOptionCol::SameOnNext)->AsBool())) {
        case TJpgOptionsStep::Quality90: Options.GetItem(FileOptionCol::JpegStep)->SetText(u"9"); return true;
        case TJpgOptionsStep::Stored: return true;
        case TJpgOptionsStep::Ask: break;
    }
    const bool Ok = Prompts().JpgOptions(*FDocument);
    FForm.AfterModalDialog();
    return Ok;
}

bool TOpenDocuments::AskBmpOptions(bool Always)
{
    if (!BmpOptionsAsked(Always, FDocument->SrcBmpBitsPixelPer())) {
        FileOptionsRow(*FDocument->FileDT()).GetItem(FileOptionCol::BmpDepth)->SetValue(FDocument->SrcBmpBitsPixelPer());
        return true;
    }
    const bool Ok = Prompts().BmpOptions(*FDocument);
    FForm.AfterModalDialog();
    return Ok;
}

// The saved file's thumbnail is made again; the gallery or the calling
// program hears of it.
void TOpenDocuments::Announce()
{
    DocumentChanged();
    ShowImageSizeInfo();
    ThumbReset(FOpenFileIndex);
    const String GalleryFolder = ProductShareRow && ProductShareRow->ItemCount() > 14
                                     ? ProductShareRow->GetItem(14)->Text()
                                     : String();
    const std::uintptr_t Gallery = GalleryWindow ? GalleryWindow() : 0;
    HWND Target = nullptr;
    switch (DecideSaveNotice(FForm.CalledAppId(), Gallery != 0, GalleryFolder, FFileName)) {
        case TSaveNotice::Gallery: Target = reinterpret_cast<HWND>(Gallery); break;
        case TSaveNotice::Caller: {
            Target = reinterpret_cast<HWND>(
                StoredWindowHandle(GetShareCell(CallerShareRowName(FForm.CalledAppId()), 1)));
            if (Target && !IsWindowEnabled(Target)) Target = nullptr;
            break;
        }
        case TSaveNotice::None: break;
    }
    if (Target) PostMessageW(Target, WM_FILESAVED, static_cast<WPARAM>(-1), 0);
}

// ---------------------------------------------------------------------------
// The end

void TOpenDocuments::SaveTable()
{
    if (FOpenFileDT) FOpenFileDT->Save();
}

void TOpenDocuments::FreeRowObjects()
{
    // The worker reads the rows and the document works on its row's tables.
    if (FStrip) FStrip->StopWorker();
    FDocument.reset();
    if (!FOpenFileDT) return;
    for (Integer I = 0; I < FOpenFileDT->ItemCount(); ++I) {
        TRow* R = FOpenFileDT->GetItem(I);
        for (TDataSlot* S : {&R->Data(), &R->Data2(), &R->Data3(), &R->Data4(), &R->Data5()}) S->Clear();
    }
}

void TOpenDocuments::FreeDocument() { FDocument.reset(); }

void TOpenDocuments::FreeTable()
{
    FStrip.reset();
    FOpenFileDT.reset();
}

// ---------------------------------------------------------------------------
// The program's prompts

void TProgramPrompts::ShowMessage(const String& Text) { ShowInfoMsg(Text, EditionTitle); }

Integer TProgramPrompts::Ask(const String& Text, Cardinal Flags)
{
    return Application->MessageBox(Text, EditionTitle, Flags);
}

String TProgramPrompts::ChooseOpenFile(const String& Filter, const String& InitialDir)
{
    TOpenDialog D(nullptr);
    D.SetFilter(Filter);
    D.SetFileName(String());
    if (DirectoryExists(InitialDir)) D.SetInitialDir(InitialDir);
    return D.Execute() ? D.FileName() : String();
}

String TProgramPrompts::ChooseSaveFile(const String& Filter, const String& InitialDir, Integer DefaultFilter,
                                       Integer& FilterIndex)
{
    TSaveDialog D(nullptr);
    D.SetFilter(Filter);
    D.SetFileName(String());
    D.SetFilterIndex(DefaultFilter);
    if (DirectoryExists(InitialDir)) D.SetInitialDir(InitialDir);
    if (!D.Execute()) return String();
    FilterIndex = D.FilterIndex();
    return D.FileName();
}

bool TProgramPrompts::JpgOptions(TImageDraw& Document)
{
    TfrmJpgOption D(Application, FSkinData, FileOptionsRow(*Document.FileDT()),
                    [&Document](Integer Quality) { return Document.CalcJpgFileSize(Quality); });
    return D.ShowModal() == mrOk;
}

bool TProgramPrompts::BmpOptions(TImageDraw& Document)
{
    TfrmBmpOption D(Application, FSkinData, FileOptionsRow(*Document.FileDT()));
    return D.ShowModal() == mrOk;
}
