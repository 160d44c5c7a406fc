// ZezavEzazerForm: the editor's main window. It owns one object per group of
// its work (layout, open documents, canvas input, tool panels, presets,
// commands, tray) and keeps the operations other parts call as short forwards
// to them. This unit holds the window's life: creation, first show, hiding to
// the tray, the messages other processes send, the end of the session and the
// ordered teardown. The dialogs reach it only through TMainWindowServices.
#pragma once

#include <deque>
#include <memory>
#include <vector>

#include "dialogs/MainWindowServices.h"
#include "shell/CanvasKeys.h"
#include "framework/controls/win/Forms.h"

class TCanvasInput;
class TCanvasRulers;
class TCanvasZoom;
class TColorHandlers;
class TEditorCommands;
class TEffectLauncher;
class TEffectPickers;
class TGradientPanel;
class TImgView32;
class THyLabel;
class TMainLayout;
class TMainLocale;
class TStylePanel;
class TMainTray;
class TOpenDocuments;
class TPresetPanel;
class TPropertyPanels;
class TToolPanels;
class TDataTable;
class TsfSkinData;
class TsfSkinForm;
class TsfSkinPanel;

// Posted to itself to open a file another program handed over, once that
// program's WM_COPYDATA call has returned.
constexpr UINT WM_OPENHANDEDFILE = WM_USER + 0x120;

class TfrmZezavEzazer : public TForm, public TMainWindowServices {
public:
    // Arguments: the command line after the program's name (read at first show).
    explicit TfrmZezavEzazer(TComponent* AOwner, std::vector<String> Arguments = {});
    ~TfrmZezavEzazer() override;
    String ClassName() const override { return u"TfrmZezavEzazer"; }

    // ---- The groups.
    TMainLayout& Layout() { return *FLayout; }
    TOpenDocuments& Documents() { return *FDocuments; }
    TCanvasInput& CanvasInput() { return *FCanvasInput; }
    TToolPanels& ToolPanels() { return *FToolPanels; }
    TEffectLauncher& Effects() { return *FEffects; }
    TPresetPanel& Presets() { return *FPresets; }
    TEditorCommands& Commands() { return *FCommands; }
    TCanvasZoom& Zoom() { return *FZoom; }
    TCanvasRulers& Rulers() { return *FRulers; }
    TMainTray& Tray() { return *FTray; }
    TMainLocale& Locale() { return *FLocale; }
    TColorHandlers& ColorHandlers() { return *FColorHandlers; }
    TStylePanel& StylePanel() { return *FStylePanel; }
    TPropertyPanels& PropertyPanels() { return *FPropertyPanels; }
    TEffectPickers& EffectPickers() { return *FEffectPickers; }
    TGradientPanel& GradientPanel() { return *FGradientPanel; }
    TsfSkinData* SkinData() const { return FSkinData; }
    TsfSkinForm* SkinForm() const { return sfSkinForm1; }

    // ---- Parts of the window (owned by the window, made from the layout table).
    TsfSkinPanel* pnlProp = nullptr;
    TsfSkinPanel* pnlLeft = nullptr;
    TsfSkinPanel* pnlRight = nullptr;
    TsfSkinPanel* pnlImage = nullptr;
    TsfSkinPanel* pnlOpenFile = nullptr;
    TsfSkinPanel* pnlStyles = nullptr;
    TsfSkinPanel* pnlShowRight = nullptr;
    TsfSkinPanel* pnlText = nullptr;
    TImgView32* Image = nullptr;
    THyLabel* lblLink = nullptr;
    TsfSkinForm* sfSkinForm1 = nullptr;

    // ---- State of the window's life.
    bool MainWindowCreated() const { return FMainWindowCreated; }
    bool FormShown() const { return FFormShown; }
    bool AppClosed() const { return FAppClosed; }
    Integer LanguageIndex() const { return FLanguageIndex; }
    Integer CalledAppId() const { return FCalledAppId; }
    void SetCalledAppId(Integer Value) { FCalledAppId = Value; }
    TDataTable& CropSizes() { return *FCropSizeDT; }

    // Default places of the effect dialogs (set at first show; the dialogs
    // read them when they open and write them back when they close).
    Integer FEffectWindowLeft = 0, FEffectWindowTop = 0;
    Integer FEffectsWindowLeft = 0, FEffectsWindowTop = 0;
    Integer FFramesWindowLeft = 0, FFramesWindowTop = 0;
    Integer FWatermarkWindowLeft = 0, FWatermarkWindowTop = 0;
    Integer FShadowWindowLeft = 0, FShadowWindowTop = 0;
    Integer FTransformWindowLeft = 0, FTransformWindowTop = 0;
    Integer FColorAdjustWindowLeft = 0, FColorAdjustWindowTop = 0;

    // ---- Operations.
    // Shows or hides the window; shown, the application comes to the front
    // and a dialog it shows comes before it.
    void ShowMainWindow(bool Visible);
    // The tray's exit: ask to save, then end the program.
    void muTrayCloseClick(TObject* Sender);
    // The tray icon and its show item: show or hide the window.
    void TrayIcon1Click(TObject* Sender);
    // Asks to save each modified document; false when the user cancelled.
    bool QuerySaveDocuments(bool IsExit);
    // The About box (the main menu's About item).
    void ShowAbout();
    // Ends any effect-brush drawing (the effect launcher's work).
    void EndEffectDrawing();
    // A new live document was loaded: its events, tool and presets.
    void DocumentLoaded();
    // A canvas shortcut that is a command of the window.
    void CanvasKeyCommand(TCanvasKeyAction Action);
    // The canvas's hooks into the commands, zoom and rulers.
    void BindCanvasCommands();

    // ---- TMainWindowServices.
    std::uintptr_t MainWindowHandle() const override;
    bool OpenImageFile(const String& FileName) override;
    void InsertImageFiles(const String& Folder, const String& Files) override;
    void AddWatermark(bool IsEnabled, const String& FileName, Integer LocationType, Integer Location,
                      Integer LocationED1, Integer LocationED2, Integer LocationSD1, Integer LocationSD2,
                      Integer Angle, Integer Opacity, bool UseTC, TColor TC) override;
    void AfterModalDialog() override;
    void clColorShowTrackMenu(TObject* Sender) override;
    void clColorHideTrackMenu(TObject* Sender) override;
    void clColorColorDialogClose(TObject* Sender) override;
    TColor PanelBackColor() const override;

protected:
    void Dispatch(TMessage& Message) override;

private:
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void FormDestroy(TObject* Sender);
    void sfSkinForm1DeActivate(TObject*) {}
    // The close notice, once or until it is closed ticked.
    void ShowCloseNotice();
    // Writes the window's settings and every table the program keeps.
    void SaveState();

    void WMShowMainWindow(TMessage& Message);
    void WMCopyData(TMessage& Message);
    void WMOpenHandedFile(TMessage& Message);
    void WMQueryEndSession(TMessage& Message);
    void WMEndSession(TMessage& Message);
    void WMEnable(TMessage& Message);

    TsfSkinData* FSkinData = nullptr;
    std::unique_ptr<TMainLayout> FLayout;
    std::unique_ptr<TOpenDocuments> FDocuments;
    std::unique_ptr<TCanvasInput> FCanvasInput;
    std::unique_ptr<TToolPanels> FToolPanels;
    std::unique_ptr<TEffectLauncher> FEffects;
    std::unique_ptr<TPresetPanel> FPresets;
    std::unique_ptr<TEditorCommands> FCommands;
    std::unique_ptr<TCanvasZoom> FZoom;
    std::unique_ptr<TCanvasRulers> FRulers;
    std::unique_ptr<TMainTray> FTray;
    std::vector<String> FArguments;
    std::unique_ptr<TMainLocale> FLocale;
    std::unique_ptr<TColorHandlers> FColorHandlers;
    std::unique_ptr<TStylePanel> FStylePanel;
    std::unique_ptr<TPropertyPanels> FPropertyPanels;
    std::unique_ptr<TEffectPickers> FEffectPickers;
    std::unique_ptr<TGradientPanel> FGradientPanel;
    std::unique_ptr<TDataTable> FCropSizeDT;

    bool FMainWindowCreated = false;
    bool FFormShown = false;
    bool FAppClosed = false;
    bool FStateSaved = false;
    Integer FLanguageIndex = 2;
    Integer FCalledAppId = 0;
    // Files other programs handed over, with their ids, waiting to be opened.
    struct THandedFile {
        String FileName;
        Integer CallerId;
    };
    std::deque<THandedFile> FHandedFiles;
};
