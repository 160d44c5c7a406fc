// ImageFrames: the frame dialog: the parameters of the frame preset chosen
// in the preset panel (bands, a band or texture, a pattern's three layers,
// an edge colour), previewed on the live document whenever a change ends.
// The caller sets the document's frame type and mode and opens and ends the
// document's frame run around the modal dialog. A pattern frame's table is
// edited on a copy and reaches the preset only on OK; so does the texture
// folder.
#pragma once

#include <functional>
#include <memory>

#include "dialogs/EffectPreview.h"
#include "dialogs/ImageFramesCore.h"
#include "framework/controls/win/Forms.h"

class TDataTable;
class TEdit;
class TImageDraw;
class TLabel;
class TMainWindowServices;
class TsfSkinBevel;
class TsfSkinButton;
class TsfSkinCheckRadioBox;
class TsfSkinColorButton;
class TsfSkinComboBox;
class TsfSkinData;
class TsfSkinForm;
class TsfSkinPanel;
class TsfSkinSlider;

class TfrmImageFrames : public TForm, public TEffectPreviewTarget {
public:
    // Config: the settings table (row 5 the frames, row 1 cell 42 the
    // texture folder); FrameDT: a pattern preset's own table (type 2), not
    // owned; Services: the main window's colour handlers (may be null);
    // BackColor: the style panel's colour.
    TfrmImageFrames(TComponent* AOwner, TsfSkinData* SkinData, TImageDraw& Document, TDataTable& Config,
                    TDataTable* FrameDT, TMainWindowServices* Services, TColor BackColor);
    ~TfrmImageFrames() override;
    String ClassName() const override { return u"TfrmImageFrames"; }

    TsfSkinBevel* bvBox = nullptr;
    TsfSkinPanel* pnlParam = nullptr;
    TsfSkinPanel* pnlParamRow[3] = {};
    TLabel* lblParam[3] = {};
    TsfSkinSlider* sliderValue[3] = {};
    TLabel* lblValue[3] = {};
    TsfSkinColorButton* cbColor[3] = {};
    TsfSkinCheckRadioBox* chkStereo[3] = {};
    TsfSkinComboBox* cbStereoWidth[3] = {};
    TsfSkinPanel* pnlCheck = nullptr;
    TsfSkinCheckRadioBox* chkOption1 = nullptr;
    TEdit* editFile = nullptr;
    TsfSkinButton* btnFile = nullptr;
    TLabel* lblTextureMissing = nullptr;
    TsfSkinButton* btnOk = nullptr;
    TsfSkinButton* btnCancel = nullptr;
    TsfSkinForm* sfSkinForm1 = nullptr;

    TEffectPreview& Preview() { return *FPreview; }
    const FrameDialog::TFrameSetup& Setup() const { return FSetup; }
    // The table the previews draw (the copy of the preset's), null unless type 2.
    TDataTable* PreviewTable() const { return FTable ? FTable->Table() : nullptr; }
    // The folder the next texture choice starts in (kept on OK).
    const String& TextureFolder() const { return FFolder; }

    // Chooses a picture file starting in Folder (empty: none chosen); the
    // program's open dialog unless set.
    std::function<String(const String& Folder)> OnChooseFile;
    // Shows a message (MB_ flags) and gives the answer; the program's
    // message box unless set.
    std::function<Integer(const String& Text, Cardinal Flags)> OnMessage;

    void sliderValueChange(Integer Row);
    void sliderValueChanged(Integer Row);
    void cbColorChangeColor(Integer Row);
    void chkStereoClick(Integer Row);
    void cbStereoWidthChange(Integer Row);
    void chkOption1Click(TObject* Sender);
    void btnFileClick(TObject* Sender);
    void btnOkClick(TObject* Sender);
    void btnCancelClick(TObject* Sender);

private:
    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void SetupFrame();
    void LayoutPanels();
    void ShowValue(Integer Row);
    void ShowOptionRow();
    void Recompute();
    Integer Ask(const String& Text, Cardinal Flags);
    TCell* ConfigCell(Integer Row, Integer Index) const;

    // TEffectPreviewTarget: the frame run (opened and ended by the caller).
    void EffectBegin() override;
    void EffectEnd(bool IsApply) override;
    void PreviewOnce() override;
    void ProcessMessages() override;
    void SetBusyCursor(bool Busy) override;

    TImageDraw& FDocument;
    TDataTable& FConfig;
    TMainWindowServices* FServices;
    Integer FType, FMode;
    FrameDialog::TFrameSetup FSetup;
    std::unique_ptr<FrameDialog::TFrameTableCopy> FTable;
    String FFolder;
    std::unique_ptr<TEffectPreview> FPreview;
};
