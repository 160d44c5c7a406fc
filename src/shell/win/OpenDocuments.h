// OpenDocuments: the open documents of the main window: the open-documents
// table "OpenFile.db" and the live document drawn into the canvas view;
// opening (dialog, drop, another program, the command line), stashing and
// switching, the save questions, closing and deleting, and saving.
// A group of the main window: owned by TfrmZezavEzazer, which keeps the
// named operations other parts call as short forwards to it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "framework/runtime/Classes.h"
#include "framework/runtime/UITypes.h"

class TfrmZezavEzazer;
class TBitmap;
class TCustomBitmap32;
class TDataTable;
class TImageDraw;
class TImgViewDrawView;
class TOpenFileStrip;
class TRow;

// What the documents ask the user. The program shows message boxes and the
// platform's file dialogs; a test answers in their place.
class TDocumentPrompts {
public:
    virtual ~TDocumentPrompts() = default;
    virtual void ShowMessage(const String& Text) = 0;
    // Flags as for a message box (MB_YESNOCANCEL ...); answers IDYES, IDNO or IDCANCEL.
    virtual Integer Ask(const String& Text, Cardinal Flags) = 0;
    // The open dialog: the chosen file, or empty.
    virtual String ChooseOpenFile(const String& Filter, const String& InitialDir) = 0;
    // The save dialog: the chosen name (empty: cancelled) and its filter index.
    virtual String ChooseSaveFile(const String& Filter, const String& InitialDir, Integer DefaultFilter,
                                  Integer& FilterIndex) = 0;
    // The option dialogs write their choice into the file-information row;
    // false on Cancel.
    virtual bool JpgOptions(TImageDraw& Document) = 0;
    virtual bool BmpOptions(TImageDraw& Document) = 0;
};

class TsfSkinData;

// The program's own prompts: message boxes, the platform's file dialogs and
// the option dialogs on the main window's skin. A test may take the option
// dialogs from here and answer the rest itself.
class TProgramPrompts : public TDocumentPrompts {
public:
    explicit TProgramPrompts(TsfSkinData* SkinData) : FSkinData(SkinData) {}
    void ShowMessage(const String& Text) override;
    Integer Ask(const String& Text, Cardinal Flags) override;
    String ChooseOpenFile(const String& Filter, const String& InitialDir) override;
    String ChooseSaveFile(const String& Filter, const String& InitialDir, Integer DefaultFilter,
                          Integer& FilterIndex) override;
    bool JpgOptions(TImageDraw& Document) override;
    bool BmpOptions(TImageDraw& Document) override;

private:
    TsfSkinData* FSkinData;
};

class TOpenDocuments {
public:
    explicit TOpenDocuments(TfrmZezavEzazer& AForm);
    ~TOpenDocuments();
    TOpenDocuments(const TOpenDocuments&) = delete;
    TOpenDocuments& operator=(const TOpenDocuments&) = delete;

    // Replaces the message boxes and dialogs (null: the program's own).
    void SetPrompts(TDocumentPrompts* Prompts);

    // Loads "OpenFile.db" from the data folder and readies its rows (rows
    // whose file is gone are dropped).
    void LoadOpenFileTable();
    TDataTable& OpenFileDT() { return *FOpenFileDT; }
    // The live document (null before the first show and after the end).
    TImageDraw* Live() const { return FDocument.get(); }
    const String& FileName() const { return FFileName; }
    Integer OpenFileIndex() const { return FOpenFileIndex; }
    TRow* LiveRow() const;
    // The strip of tiles (made with the table).
    TOpenFileStrip* Strip() const { return FStrip.get(); }

    // Makes FileName the live document: its sidecar or stash when there is
    // one, else the file; empty or IsNew: a new image (Bitmap, a clipboard
    // picture or a blank of the default size). False when it is live already
    // or was refused (the user was told); the live document then stays as
    // it was. Takes Bitmap over.
    bool LoadDocument(const String& FileName, bool IsNew = false, bool FromClipboard = false,
                      TCustomBitmap32* CanvasPattern = nullptr, TBitmap* Bitmap = nullptr,
                      bool FromScreenCapture = false);
    // The first show: the chosen document, else a new image. A file named on
    // the command line that is not there is reported first.
    void LoadFirstDocument(const String& ArgFile, const String& Chosen);
    // Stashes the live document, then opens the file.
    bool OpenImageFile(const String& FileName);
    // Keeps the live document in its row: its stream when it changed (else
    // the stream goes), its view, anti-aliasing and undo position.
    bool SaveToStream();
    // Stashes the live document and makes row Index live.
    void SwitchTo(Integer Index);
    // Asks to save the live document when it changed, and with All every
    // other modified one (each made live first); false on Cancel or a failed save.
    bool QuerySaveDocuments(bool All);
    // Mode 0 closes, 1 deletes (with the file and its sidecar) row Index.
    void CloseOpenDocument(Integer Mode, Integer Index);
    // The open button: the open dialog.
    void sbOpenClick(TObject* Sender);
    // Dropped files: the first picture among them opens.
    void DropFiles(const std::vector<String>& FileNames);
    // Pictures Files (names split at "|", in Folder) pasted into the live
    // document as picture objects centred in the view, one undo state for all.
    void InsertImageFiles(const String& Folder, const String& Files);
    // The status bar's labels of the live picture's size and depth.
    void ShowImageSizeInfo();
    // The image coordinate under the centre of the view.
    Integer GetViewCenterX() const;
    Integer GetViewCenterY() const;

    // ---- Saving.
    bool Save();
    bool SaveAs();
    bool AskJpgOptions();
    bool AskBmpOptions(bool Always);

    // Told when the rows or the live row changed (the strip redraws), and
    // when a row's thumbnail must be made again.
    std::function<void()> OnRowsChanged;
    std::function<void(Integer Index)> OnThumbReset;
    // Told when a document was built, before it is first drawn: the main
    // window binds its events.
    std::function<void(TImageDraw& Document)> OnDocumentCreated;
    // The messages and dialogs the documents use.
    TDocumentPrompts& Prompts();
    // The gallery window of this program (an HWND), 0 when it is not open.
    std::function<std::uintptr_t()> GalleryWindow;

    // The end: saves "OpenFile.db", frees the live document, then what the
    // rows hold and the table (the document works on its row's tables).
    void SaveTable();
    void FreeRowObjects();
    void FreeDocument();
    void FreeTable();

private:
    void RegisterOpenDocument(const String& FileName, bool IsNew);
    void ApplyRowView(const TRow& Row);
    void ShowCaption();
    void Announce();
    void DocumentChanged();
    void RowsChanged();
    void ThumbReset(Integer Index);
    void DropSelectionForSave();

    TfrmZezavEzazer& FForm;
    std::unique_ptr<TDataTable> FOpenFileDT;
    std::unique_ptr<TOpenFileStrip> FStrip;
    std::unique_ptr<TImgViewDrawView> FView;
    std::unique_ptr<TImageDraw> FDocument;
    std::unique_ptr<TDocumentPrompts> FOwnPrompts;
    TDocumentPrompts* FPrompts = nullptr;
    String FFileName;
    Integer FOpenFileIndex = -1;
};
