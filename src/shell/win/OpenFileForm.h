// OpenFileForm: the preview that shows above the open-documents strip while
// the mouse rests on a tile: a larger picture of the file, its path
// (shortened to fit) and its type, dimensions and size. One instance, made at
// the first hover and kept; it never takes the focus from the main window.
#pragma once

#include "framework/controls/win/Forms.h"

class TBitmap32;
class TImage32;
class TLabel;
class TShape;

class TfrmOpenFile : public TForm {
public:
    explicit TfrmOpenFile(TComponent* AOwner);
    ~TfrmOpenFile() override;
    String ClassName() const override { return u"TfrmOpenFile"; }

    TImage32* imgThumb = nullptr;
    TLabel* lblFileName = nullptr;
    TLabel* lblFileInfo = nullptr;
    TShape* Shape1 = nullptr;

    // Shows FileName's preview: Data when it holds one, else a thumbnail
    // made now and handed back in Data (the caller's row keeps it) with the
    // file's type text, byte size and dimensions ("-" and -1 when it cannot
    // be read: a white box stands in).
    void PaintToBox(const String& FileName, TBitmap32*& Data, String& sType, Integer& iSize, Integer& iWidth,
                    Integer& iHeight);
    // The path in lblFileName, shortened to its width.
    void FitPathText();
    const String& FileName() const { return FFileName; }

    // Shown over every window without taking the focus; hidden.
    void ShowPreview();
    void HidePreview();
    bool Showing() const;
    // Moves its left edge (screen coordinates).
    void MoveLeft(Integer Left);

protected:
    void CreateParams(TCreateParams& Params) override;
    // Shown and hidden without activation: the main window keeps the focus.
    void CMShowingChanged(TMessage& Message) override;

private:
    String FFileName;
};
