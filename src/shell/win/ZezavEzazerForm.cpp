#include "shell/win/ZezavEzazerForm.h"

#include "Component/Raster32/win/Ras32_Image.h"
#include "dialogs/win/AboutForm.h"
#include "dialogs/win/HyControls.h"
#include "dialogs/win/RemindConfirmForm.h"
#include "document/ImageDraw.h"
#include "foundation/HyPresets.h"
#include "foundation/win/Global_Win.h"
#include "framework/controls/win/StdCtrls.h"
#include "shell/MainLayoutTable.h"
#include "shell/MainLifecycle.h"
#include "shell/ColorButtonCore.h"
#include "shell/win/CanvasInput.h"
#include "shell/win/CanvasRulers.h"
#include "shell/win/CanvasZoom.h"
#include "shell/win/ColorHandlers.h"
#include "shell/win/StylePanel.h"
#include "shell/win/EditorCommands.h"
#include "shell/win/ImageDialogs.h"
#include "shell/win/EffectLauncher.h"
#include "shell/win/EffectPickers.h"
#include "shell/win/GradientPanel.h"
#include "shell/win/MainLayout.h"
#include "shell/win/MainLocale.h"
#include "shell/win/MainTray.h"
#include "shell/win/OpenDocuments.h"
#include "shell/win/OpenFileStrip.h"
#include "shell/win/PerspectiveCommand.h"
#include "shell/win/PresetPanel.h"
#include "shell/win/PropertyPanels.h"
#include "shell/win/ProgramEntry.h"
#include "shell/win/ToolPanels.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinCheckCtrls.h"
#include "skin/controls/win/SkinLabels.h"
#include "skin/controls/win/SkinPanels.h"
#include "skin/frame/win/SkinForm.h"
#include "skin/model/SFSkinData.h"

namespace S = MainLayoutSize;

TfrmZezavEzazer::TfrmZezavEzazer(TComponent* AOwner, std::vector<String> Arguments)
    : TForm(AOwner), FArguments(std::move(Arguments))
{
    SetName(u"frmZezavEzazer");
    SetCaption(u"图片编辑器");
    SetBounds(0, 0, S::FormWidth, S::FormHeight);
    SetPosition(poScreenCenter);

    FSkinData = new TsfSkinData(this);
    sfSkinForm1 = new TsfSkinForm(this);
    sfSkinForm1->SetSkinData(FSkinData);
    sfSkinForm1->OnDeActivate = [this](TObject* Sender) { sfSkinForm1DeActivate(Sender); };

    FCropSizeDT = std::make_unique<TDataTable>();
    FLayout = std::make_unique<TMainLayout>(*this);
    FLayout->CreateParts(FSkinData);
    pnlProp = FLayout->PartAs<TsfSkinPanel>(u"pnlProp");
    pnlLeft = FLayout->PartAs<TsfSkinPanel>(u"pnlLeft");
    pnlRight = FLayout->PartAs<TsfSkinPanel>(u"pnlRight");
    pnlImage = FLayout->PartAs<TsfSkinPanel>(u"pnlImage");
    pnlOpenFile = FLayout->PartAs<TsfSkinPanel>(u"pnlOpenFile");
    pnlStyles = FLayout->PartAs<TsfSkinPanel>(u"pnlStyles");
    pnlShowRight = FLayout->PartAs<TsfSkinPanel>(u"pnlShowRight");
    pnlText = FLayout->PartAs<TsfSkinPanel>(u"pnlText");
    Image = FLayout->PartAs<TImgView32>(u"Image");
    lblLink = FLayout->PartAs<THyLabel>(u"lblLink");

    FDocuments = std::make_unique<TOpenDocuments>(*this);
    FCanvasInput = std::make_unique<TCanvasInput>(*Image, [this] { return FDocuments->Live(); });
    FToolPanels = std::make_unique<TToolPanels>(*this);
    FEffects = std::make_unique<TEffectLauncher>(*this);
    FPresets = std::make_unique<TPresetPanel>(*this);
    FCommands = std::make_unique<TEditorCommands>(*this);
    FZoom = std::make_unique<TCanvasZoom>(*this);
    FRulers = std::make_unique<TCanvasRulers>(*this);
    BindCanvasCommands();
    BindImageDialogs(*this);
    FTray = std::make_unique<TMainTray>(*this);
    FToolPanels->CreateControls();
    FEffects->CreateControls();
    FPresets->CreateControls();
    FCanvasInput->OnLoadToolProperties = [this] { FToolPanels->LoadToolProperties(); };
    FCanvasInput->OnNoStampSource = [this] {
        Application->MessageBox(GetLangText(1, 254), EditionTitle, MB_OK | MB_ICONINFORMATION);
        AfterModalDialog();
    };
    FCanvasInput->OnShowPixelValue = [] { return ConfigTable && ConfigTable->GetItem(1)->GetItem(47)->AsBool(); };
    FCanvasInput->OnShowPointer = [this](const String& XY, const String& ARGB) {
        FLayout->PartAs<TLabel>(u"lblXY")->SetCaption(XY);
        FLayout->PartAs<TLabel>(u"lblARGB")->SetCaption(ARGB);
    };
    FCanvasInput->OnWandOptions = [](Integer& Tolerance, bool& Continuous) {
        // The wand's row of the selection options.
        if (!SelectionTable || SelectionTable->ItemCount() <= 5) return;
        Tolerance = SelectionTable->GetItem(5)->GetItem(1)->Value();
        Continuous = SelectionTable->GetItem(5)->GetItem(2)->AsBool();
    };
    FLocale = std::make_unique<TMainLocale>(*this);
    FColorHandlers = std::make_unique<TColorHandlers>(*this);
    FStylePanel = std::make_unique<TStylePanel>(*this);
    FPropertyPanels = std::make_unique<TPropertyPanels>(*this);
    FPropertyPanels->CreateControls();
    FEffectPickers = std::make_unique<TEffectPickers>(*this);
    FEffectPickers->CreateControls();
    FGradientPanel = std::make_unique<TGradientPanel>(*this);
    FGradientPanel->CreateControls();
    FLocale->CreateParts();
    FCommands->AddProgramMenuItems(FLocale->pmMenu->Items());
    FLocale->OnSkinChanged = [this](TObject*) { FStylePanel->DrawStyleImages(); };
    FToolPanels->OnToolSelected = [this] { FStylePanel->BuildStyleImages(); };

    OnResize = [this](TObject*) { FLayout->FormResize(); };
    OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
    OnShow = [this](TObject* Sender) { FormShow(Sender); };
    OnCloseQuery = [this](TObject* Sender, bool& CanClose) { FormCloseQuery(Sender, CanClose); };
    OnDestroy = [this](TObject* Sender) { FormDestroy(Sender); };
    Loaded();
}

TfrmZezavEzazer::~TfrmZezavEzazer()
{
    // The idle pass reaches the groups, which go with the window.
    Application->OnIdle = nullptr;
}

// ---------------------------------------------------------------------------
// Creation

void TfrmZezavEzazer::FormCreate(TObject*)
{
    InitSkinTable(Handle(), true);
    UpgradeConfigDefaults();
    ValidateSkinName();
    TRow& Settings = *ConfigTable->GetItem(1);

    if (Screen->Width() <= S::NarrowScreen) pnlShowRight->SetWidth(S::ShowRightNarrow);
    // The language of the interface is its column: a code page that reads
    // as Chinese to nothing else (950) keeps the English column throughout.
    FLanguageIndex = LangColumn;
    SetAcceptFiles(true);

    if (Settings.GetItem(16)->Value() == 0) {
        const TPanelPlace P = DefaultTextPanelPlace(Width(), pnlRight->Width(), pnlText->Width(), pnlProp->Height());
        Settings.GetItem(15)->SetValue(P.Left);
        Settings.GetItem(16)->SetValue(P.Top);
    }
    pnlText->SetBounds(Settings.GetItem(15)->Value(), Settings.GetItem(16)->Value(), pnlText->Width(),
                       pnlText->Height());
    pnlRight->SetVisible(Settings.GetItem(46)->AsBool());
    FToolPanels->sbShowRight->SetDown(pnlRight->Visible());
    // The feedback link, when the settings give an address.
    lblLink->SetCaption(ConfigTable->GetProp(60)->Text());
    lblLink->SetUrl(ConfigTable->GetProp(61)->Text());
    lblLink->Font()->SetColor(static_cast<TColor>(ConfigTable->GetProp(62)->Value()));
    lblLink->SetVisible(!lblLink->Url().empty());
    LoadCropSizes(*FCropSizeDT, Settings.GetItem(13)->Text());

    InitHotkeys(10, ByteSet({5, 6, 7, 8}), {6, 6, 6, 6}, {u'S', u'M', u'A', u'F'});
    FLocale->LocalizeMainWindow();
    FLocale->LoadSkin(ConfigTable->GetProp(2)->Text());
    FLocale->ApplySkinColors();
    InitPropertyTables();

    const Integer Columns = StyleColumnCount(Screen->Width(), pnlStyles->Left(), S::StyleButtonsWidth);
    pnlStyles->SetWidth(Columns * S::StylePitchX + S::StyleButtonsWidth + 18);
    pnlShowRight->SetLeft(pnlStyles->Left() + pnlStyles->Width() + 3);
    FStylePanel->CreateStyleImages(Columns);

    InitEffectFrameTables();
    FDocuments->LoadOpenFileTable();

    SetShareCells(ProductName, 1, IntToStr(static_cast<Int64>(reinterpret_cast<intptr_t>(Handle()))));
    // The tray icon shows for the editions that live in the tray.
    if (EditionCode == 4 || EditionCode == 5) FTray->Show();
    FCanvasInput->OnKeyCommand = [this](TCanvasKeyAction Action) { CanvasKeyCommand(Action); };
    FCanvasInput->OnSaveEnabled = [this] { return FToolPanels->sbSave->Enabled(); };
    FCanvasInput->InstallKeyHook(Handle());
    FColorHandlers->BindButtons();
    Application->OnIdle = [this](TObject*, bool&) { FToolPanels->IdleUpdate(); };
    FMainWindowCreated = true;
    FLayout->LayoutRightPanel();
}

// ---------------------------------------------------------------------------
// First show

void TfrmZezavEzazer::FormShow(TObject*)
{
    if (FFormShown) return;
    const Integer R = pnlRight->Left() + pnlRight->Width(), T = pnlImage->Top();
    FEffectWindowLeft = R - 374, FEffectWindowTop = T + 55;
    FEffectsWindowLeft = R - 488, FEffectsWindowTop = T + 55;
    FFramesWindowLeft = R - 413, FFramesWindowTop = T + 55;
    FWatermarkWindowLeft = pnlLeft->Width() + 20, FWatermarkWindowTop = T + 40;
    FShadowWindowLeft = pnlRight->Left() - 300, FShadowWindowTop = T + 40;
    FTransformWindowLeft = pnlRight->Left() - 200, FTransformWindowTop = T + 40;
    FColorAdjustWindowLeft = R - 474, FColorAdjustWindowTop = (Screen->Height() - 620) / 2;

    const std::vector<String>& Args = FArguments;
    if (Args.size() >= 2) FCalledAppId = CalledAppIdOf(Args[1]);
    TDataTable& Open = FDocuments->OpenFileDT();
    TFirstDocumentInput In{Args.empty() ? String() : Args[0], ConfigTable->GetItem(1),
                           Open.ItemCount() > 0 ? Open.GetItem(0)->GetItem(1)->Text() : String()};
    FDocuments->LoadFirstDocument(In.ArgFile, ChooseFirstDocument(In, [](const String& F) { return FileExists(F); }));
    FPresets->ShowPresetPage();
    FCommands->ShowOfferedCommands();
    FFormShown = true;
}

// ---------------------------------------------------------------------------
// Showing, hiding and closing

void TfrmZezavEzazer::ShowMainWindow(bool AVisible)
{
    if (AVisible != Visible()) SetVisible(AVisible);
    if (!Visible()) return;
    Application->Restore();
    // A dialog the window shows comes before it: the platform need not lift
    // an owned window with its owner shown again.
    if (!IsWindowEnabled(Handle()) && ActiveFormWindow) {
        SetWindowPos(ActiveFormWindow, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(ActiveFormWindow);
    } else {
        Application->BringToFront();
        SetForegroundWindow(Handle());
    }
    // The strip's tiles may have changed while the window was in the tray.
    if (TOpenFileStrip* Strip = FDocuments->Strip()) Strip->DrawOpenFileTiles(-1);
}

void TfrmZezavEzazer::TrayIcon1Click(TObject*) { ShowMainWindow(!Visible()); }

void TfrmZezavEzazer::muTrayCloseClick(TObject*)
{
    EndEffectDrawing();
    // The save questions come with the window they are about.
    const TDataTable& Open = FDocuments->OpenFileDT();
    for (Integer I = 0; I < Open.ItemCount(); ++I)
        if (Open.GetItem(I)->GetItem(15)->AsBool()) {
            ShowMainWindow(true);
            break;
        }
    if (!QuerySaveDocuments(true)) return;
    FAppClosed = true;
    Close();
}

bool TfrmZezavEzazer::QuerySaveDocuments(bool IsExit) { return FDocuments->QuerySaveDocuments(IsExit); }

void TfrmZezavEzazer::EndEffectDrawing() { FEffects->EndEffectDrawing(); }

void TfrmZezavEzazer::DocumentLoaded()
{
    FToolPanels->DocumentLoaded();
    FPresets->ClearPresetThumbCache(true);
}

void TfrmZezavEzazer::CanvasKeyCommand(TCanvasKeyAction Action)
{
    switch (Action) {
        case TCanvasKeyAction::Save: FDocuments->Save(); break;
        case TCanvasKeyAction::OpenClipboard:
            FDocuments->SaveToStream();
            FDocuments->LoadDocument(String(), true, true);
            break;
        case TCanvasKeyAction::ToggleZoom: FZoom->SetZoom(ToggledZoom(Image->ScaleX()), true); break;
        case TCanvasKeyAction::Crop: FCommands->muCropClick(this); break;
        case TCanvasKeyAction::Delete: FCommands->muDeleteClick(this); break;
        case TCanvasKeyAction::SelectAll: FCommands->muSelectAllObjectsClick(this); break;
        case TCanvasKeyAction::CopyMerged: FCommands->muCopyMergedClick(this); break;
        case TCanvasKeyAction::Copy: FCommands->muCopyClick(this); break;
        case TCanvasKeyAction::Merge: FCommands->muFlattenClick(this); break;
        case TCanvasKeyAction::Paste: FCommands->muPasteClick(this); break;
        case TCanvasKeyAction::Cut: FCommands->muCutClick(this); break;
        case TCanvasKeyAction::Undo: FCommands->Undo(); break;
        case TCanvasKeyAction::Redo: FCommands->Redo(); break;
        default: break;
    }
}

void TfrmZezavEzazer::BindCanvasCommands()
{
    TCanvasInput& In = *FCanvasInput;
    In.OnPopupEditMenu = [this](Integer X, Integer Y) { FCommands->PopupEditMenu(X, Y); };
    In.OnApplyCanvasDrag = [this] { FCommands->ApplyCanvasDrag(); };
    In.OnAutoScroll = [this](bool Enabled) { FZoom->SetAutoScroll(Enabled); };
    In.OnZoomClickAllowed = [this] { return FZoom->ZoomClickAllowed(); };
    In.OnZoomClick = [this](bool ZoomIn, Integer X, Integer Y) { FZoom->ZoomClick(ZoomIn, X, Y); };
    In.OnDrawRulers = [this](bool Full) { FRulers->DrawRulers(Full); };
    FCommands->OnShowImageSizeInfo = [this] { FDocuments->ShowImageSizeInfo(); };
    FCommands->OnColorAdjustDialog = [this](TImageDraw& Doc) { return FEffects->ShowColorAdjustDialog(Doc); };
    FCommands->OnTransformDialog = [this](TImageDraw& Doc) { return ShowTransformDialog(*this, Doc); };
    FDocuments->OnDocumentCreated = [this](TImageDraw& D) {
        D.OnRulerChanged = [this](TImageDraw* Sender, Integer X1, Integer Y1, Integer X2, Integer Y2) {
            FRulers->DocumentRulerChanged(Sender, X1, Y1, X2, Y2);
        };
    };
}

void TfrmZezavEzazer::FormCloseQuery(TObject*, bool& CanClose)
{
    switch (DecideClose(IsZezavEzazerExe, FAppClosed, ConfigTable->GetProp(66)->AsBool())) {
        case TMainCloseStep::AskAndEnd:
            EndEffectDrawing();
            CanClose = QuerySaveDocuments(true);
            return;
        case TMainCloseStep::End: return;
        case TMainCloseStep::HideWithNotice: ShowCloseNotice(); break;
        case TMainCloseStep::Hide: break;
    }
    CanClose = false;
    Hide();
}

void TfrmZezavEzazer::ShowCloseNotice()
{
    auto Notice = std::make_unique<TfrmRemindConfirm>(Application, FSkinData);
    Notice->AdjustLayout(70, true, false, taLeftJustify, true, false);
    Notice->lblMsg->SetCaption(GetLangText(0, 197));
    Notice->ShowModal();
    ConfigTable->GetProp(66)->SetAsBool(Notice->chkNotRemind->Checked());
    Notice.reset();
    AfterModalDialog();
}

void TfrmZezavEzazer::ShowAbout()
{
    auto About = std::make_unique<TfrmAbout>(Application, FSkinData);
    About->ShowModal();
    About.reset();
    AfterModalDialog();
}

// ---------------------------------------------------------------------------
// Messages of other processes and of the session

void TfrmZezavEzazer::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
        case WM_SHOWMAINWINDOW: WMShowMainWindow(Message); return;
        case WM_COPYDATA: WMCopyData(Message); return;
        case WM_OPENHANDEDFILE: WMOpenHandedFile(Message); return;
        case WM_QUERYENDSESSION: WMQueryEndSession(Message); return;
        case WM_ENDSESSION: WMEndSession(Message); return;
        case WM_ENABLE: WMEnable(Message); break;
        case ColorButtons::WM_COLORBUTTONHOVER: FColorHandlers->WMColorButtonHover(Message); return;
        case ColorButtons::WM_COLORBUTTONTRACK: FColorHandlers->WMColorButtonTrack(Message); return;
    }
    TForm::Dispatch(Message);
}

void TfrmZezavEzazer::WMShowMainWindow(TMessage& Message)
{
    if (Message.WParam == 1) ShowMainWindow(true);
}

void TfrmZezavEzazer::WMCopyData(TMessage& Message)
{
    // The sender waits inside SendMessage: take a bounded copy of the name
    // and open it once that call has returned.
    const auto* Data = reinterpret_cast<const COPYDATASTRUCT*>(Message.LParam);
    Message.Result = 0;
    if (!Data) return;
    const String FileName = CopiedFileName(Data->lpData, Data->cbData);
    if (FileName.empty()) return;
    FHandedFiles.push_back({FileName, static_cast<Integer>(Data->dwData)});
    PostMessageW(Handle(), WM_OPENHANDEDFILE, 0, 0);
}

void TfrmZezavEzazer::WMOpenHandedFile(TMessage&)
{
    // Not under a modal dialog (it may work on the live document): the file
    // waits until the window is enabled again.
    if (FHandedFiles.empty() || !IsWindowEnabled(Handle())) return;
    const THandedFile F = FHandedFiles.front();
    FHandedFiles.pop_front();
    if (!FHandedFiles.empty()) PostMessageW(Handle(), WM_OPENHANDEDFILE, 0, 0);
    if (!OpenImageFile(F.FileName)) return;
    FCalledAppId = F.CallerId;
    Application->BringToFront();
}

void TfrmZezavEzazer::WMEnable(TMessage& Message)
{
    if (Message.WParam && !FHandedFiles.empty()) PostMessageW(Handle(), WM_OPENHANDEDFILE, 0, 0);
}

void TfrmZezavEzazer::WMQueryEndSession(TMessage& Message) { Message.Result = TRUE; }

void TfrmZezavEzazer::WMEndSession(TMessage& Message)
{
    // The process ends without the message loop's end: keep what the
    // destruction would have written.
    if (Message.WParam) SaveState();
}

// ---------------------------------------------------------------------------
// The end

void TfrmZezavEzazer::SaveState()
{
    if (FStateSaved || !ConfigTable) return;
    FStateSaved = true;
    TRow& Settings = *ConfigTable->GetItem(1);
    Settings.GetItem(15)->SetValue(pnlText->Left());
    Settings.GetItem(16)->SetValue(pnlText->Top());
    Settings.GetItem(46)->SetAsBool(pnlRight->Visible());
    Settings.GetItem(13)->SetText(CropSizesText(*FCropSizeDT));
    ConfigTable->Save();
    FDocuments->SaveTable();
    for (TDataTable* T : {PropertyTable.get(), SelectionTable.get(), GradientTable.get(), GradientObjTable.get(),
                          ShadowPresetTable.get()})
        if (T) T->Save();
}

void TfrmZezavEzazer::FormDestroy(TObject*)
{
    // The preset worker reads the live document and the preset rows.
    FPresets->StopWorker();
    SaveState();
    FDocuments->FreeRowObjects();
    DoneHotkeys();
    FDocuments->FreeTable();
    FDocuments->FreeDocument();
    DonePresetTables();
}

// ---------------------------------------------------------------------------
// What the dialogs ask of the main window

std::uintptr_t TfrmZezavEzazer::MainWindowHandle() const
{
    return reinterpret_cast<std::uintptr_t>(const_cast<TfrmZezavEzazer*>(this)->Handle());
}

bool TfrmZezavEzazer::OpenImageFile(const String& FileName) { return FDocuments->OpenImageFile(FileName); }

void TfrmZezavEzazer::InsertImageFiles(const String& Folder, const String& Files)
{
    FDocuments->InsertImageFiles(Folder, Files);
}

void TfrmZezavEzazer::AddWatermark(bool IsEnabled, const String& FileName, Integer LocationType, Integer Location,
                                   Integer LocationED1, Integer LocationED2, Integer LocationSD1, Integer LocationSD2,
                                   Integer Angle, Integer Opacity, bool UseTC, TColor TC)
{
    FCommands->AddWatermark(IsEnabled, FileName, LocationType, Location, LocationED1, LocationED2, LocationSD1,
                            LocationSD2, Angle, Opacity, UseTC, TC);
}

void TfrmZezavEzazer::AfterModalDialog() { FEffects->AfterModalDialog(); }
void TfrmZezavEzazer::clColorShowTrackMenu(TObject* Sender) { FColorHandlers->ShowTrackMenu(Sender); }
void TfrmZezavEzazer::clColorHideTrackMenu(TObject* Sender) { FColorHandlers->HideTrackMenu(Sender); }
void TfrmZezavEzazer::clColorColorDialogClose(TObject* Sender) { FColorHandlers->ColorDialogClose(Sender); }

TColor TfrmZezavEzazer::PanelBackColor() const { return FLocale->BackColor(); }
