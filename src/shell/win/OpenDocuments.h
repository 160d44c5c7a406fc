// OpenDocuments: the open documents of the main window: the open-documents
// table "OpenFile.db" and the live document drawn into the canvas view.
// A group of the main window: owned by TfrmZezavEzazer, which keeps the
// named operations other parts call as short forwards to it.
#pragma once

#include <memory>

#include "framework/runtime/Classes.h"

class TfrmZezavEzazer;
class TDataTable;
class TImageDraw;
class TImgViewDrawView;

class TOpenDocuments {
public:
    explicit TOpenDocuments(TfrmZezavEzazer& AForm);
    ~TOpenDocuments();
    TOpenDocuments(const TOpenDocuments&) = delete;
    TOpenDocuments& operator=(const TOpenDocuments&) = delete;

    // Loads "OpenFile.db" from the data folder and readies its rows (rows
    // whose file is gone are dropped).
    void LoadOpenFileTable();
    TDataTable& OpenFileDT() { return *FOpenFileDT; }
    // The live document (null before the first show and after the end).
    TImageDraw* Live() const { return FDocument.get(); }
    const String& FileName() const { return FFileName; }

    // Makes FileName (empty: a new blank image of the default size) the live
    // document; false when it is live already or could not be read (the user
    // was told).
    bool LoadDocument(const String& FileName);
    bool OpenImageFile(const String& FileName);
    // Asks to save the live document when it changed; false on Cancel or a
    // failed save.
    bool QuerySaveDocuments(bool All);

    // The end: saves "OpenFile.db", frees what the rows hold, then the live
    // document and the table.
    void SaveTable();
    void FreeRowObjects();
    void FreeDocument();
    void FreeTable();

private:
    TfrmZezavEzazer& FForm;
    std::unique_ptr<TDataTable> FOpenFileDT;
    std::unique_ptr<TImgViewDrawView> FView;
    std::unique_ptr<TImageDraw> FDocument;
    String FFileName;
};
