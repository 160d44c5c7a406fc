#include "shell/win/EditorCommands.h"

#include "Component/Raster32/win/Ras32_GDI.h"
#include "Component/Raster32/win/Ras32_Image.h"
#include "document/ImageClipboard.h"
#include "document/ImageDraw.h"
#include "document/ImagePolygon.h"
#include "document/ImageSelection.h"
#include "foundation/Global.h"
#include "foundation/HyDataTable.h"
#include "foundation/HyStrUtils.h"
#include "foundation/win/HyFileUtils_Image.h"
#include "foundation/win/HySysUtils_Win.h"
#include "framework/controls/MenusCore.h"
#include "shell/EditMenuRules.h"
#include "shell/ImageCommandRules.h"
#include "shell/win/CanvasInput.h"
#include "shell/win/CanvasRulers.h"
#include "shell/win/EffectLauncher.h"
#include "shell/win/MainLayout.h"
#include "shell/win/OpenDocuments.h"
#include "shell/win/ZezavEzazerForm.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinPanels.h"
#include "skin/frame/win/SkinMenus.h"

#include <shellapi.h>

namespace {

using H = TEditorCommands;

String Lang(Integer Index) { return GetLangText(1, Index); }

constexpr Integer CommandButtonWidth = 68;

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

String PictureFilter()
{
    return Lang(150) + u" (*.bmp;*.jpg;*.jpe;*.jpeg;*.png;*.gif)|*.bmp;*.jpg;*.jpe;*.jpeg;*.png;*.gif";
}

}  // namespace

TEditorCommands::TEditorCommands(TfrmZezavEzazer& AForm) : FForm(AForm)
{
    BuildEditMenu();
    BuildOtherMenus();
    CreateButtons();
    ShowOfferedCommands();
}

TMenuItem* TEditorCommands::Item(const String& Name) const
{
    auto It = FItems.find(Name);
    if (It == FItems.end()) throw EListError(u"No menu item named " + Name);
    return It->second;
}

TMenuItem* TEditorCommands::AddItem(TMenuItem* Parent, const char16_t* Name, const String& Caption, NativeInt Tag,
                                    const String& ShortCut, void (TEditorCommands::*Handler)(TObject*))
{
    auto* Item = new TMenuItem(Parent);
    Item->SetName(Name);
    Item->SetCaption(Caption);
    Item->SetTag(Tag);
    // Shown only: the canvas's key hook runs these commands.
    if (!ShortCut.empty()) Item->SetShortCut(TextToShortCut(ShortCut));
    if (Handler) Item->OnClick = [this, Handler](TObject* Sender) { (this->*Handler)(Sender); };
    Parent->Add(Item);
    FItems[Name] = Item;
    return Item;
}

void TEditorCommands::AddLine(TMenuItem* Parent)
{
    auto* Line = new TMenuItem(Parent);
    Line->SetCaption(u"-");
    Parent->Add(Line);
}

void TEditorCommands::BuildEditMenu()
{
    pmEdit = new TsfSkinPopupMenu(&FForm);
    pmEdit->SetName(u"pmEdit");
    pmEdit->SetSkinData(FForm.SkinData());
    pmEdit->OnPopup = [this](TObject* Sender) { pmEditPopup(Sender); };
    pmEdit->OnMenuClose = [this](TObject*) { FForm.CanvasInput().Core().EditMenuClosed(); };
    TMenuItem* M = pmEdit->Items();

    AddItem(M, u"muCreateNewImage", Lang(203), 0, String(), &H::muCreateNewImageClick);
    AddItem(M, u"muCrop", Lang(79), 0, String(), &H::muCropClick);
    AddItem(M, u"muReplaceBy", Lang(86), 0, String(), &H::muReplaceByClick);
    TMenuItem* Flip = AddItem(M, u"muFlip", Lang(67), 0, String(), nullptr);
    AddItem(Flip, u"muShapeFlipHorz", Lang(12), 0, String(), &H::muShapeFlipHorzClick);
    AddItem(Flip, u"muShapeFlipVert", Lang(13), 1, String(), &H::muShapeFlipHorzClick);
    AddLine(M);
    TMenuItem* Order = AddItem(M, u"muOrder", Lang(192), 0, String(), nullptr);
    AddItem(Order, u"muBringToFront", Lang(70), 0, String(), &H::muBringToFrontClick);
    AddItem(Order, u"muBringForward", Lang(190), 0, String(), &H::muBringForwardClick);
    AddItem(Order, u"muSendBackward", Lang(191), 0, String(), &H::muSendBackwardClick);
    AddItem(Order, u"muSendToBack", Lang(71), 0, String(), &H::muSendToBackClick);
    TMenuItem* Align = AddItem(M, u"muAlign", Lang(193), 0, String(), nullptr);
    const char16_t* AlignNames[6] = {u"muAlignLeft", u"muAlignCenter", u"muAlignRight",
                                     u"muAlignTop",  u"muAlignMiddle", u"muAlignBottom"};
    for (Integer I = 0; I < 6; ++I) AddItem(Align, AlignNames[I], Lang(194 + I), I, String(), &H::muAlignLeftClick);
    AddLine(M);
    AddItem(M, u"muCut", Lang(74), 0, u"Ctrl+X", &H::muCutClick);
    AddItem(M, u"muCopy", Lang(75), 0, u"Ctrl+C", &H::muCopyClick);
    AddItem(M, u"muCopyToClipboard", Lang(95), 0, String(), &H::muCopyToClipboardClick);
    AddItem(M, u"muCopyMerged", Lang(278), 0, u"Ctrl+B", &H::muCopyMergedClick);
    AddItem(M, u"muPaste", Lang(76), 0, u"Ctrl+V", &H::muPasteClick);
    AddItem(M, u"muDelete", Lang(77), 0, u"Del", &H::muDeleteClick);
    AddLine(M);
    AddItem(M, u"muCopyProperty", Lang(68), 0, String(), &H::muCopyPropertyClick);
    TMenuItem* PasteProp = AddItem(M, u"muPasteProperty", Lang(69), 0, String(), nullptr);
    const Integer PropTexts[9] = {49, 51, 57, 53, 52, 50, 311, 312, 313};
    for (Integer I = 0; I < 9; ++I) {
        const String Name = u"muPasteProp" + IntToStr(I);
        AddItem(PasteProp, Name.c_str(), Lang(PropTexts[I]), I, String(), &H::muPasteProp0Click);
    }
    AddLine(M);
    AddItem(M, u"muSelectImageAll", Lang(88), 0, String(), &H::muSelectImageAllClick);
    AddItem(M, u"muSelectImageInvert", Lang(94), 0, String(), &H::muSelectImageInvertClick);
    AddLine(M);
    AddItem(M, u"muFlatten", Lang(72), 0, u"Ctrl+M", &H::muFlattenClick);
    AddItem(M, u"muFlattenAll", Lang(73), 0, String(), &H::muFlattenAllClick);
    AddLine(M);
    AddItem(M, u"muSelectAllObjects", Lang(78), 0, u"Ctrl+A", &H::muSelectAllObjectsClick);
    AddItem(M, u"muSelectSameType", Lang(200), 0, String(), &H::muSelectSameTypeClick);
    AddItem(M, u"muConvertToBitmapObject", Lang(204), 0, String(), nullptr)->SetVisible(false);
    AddLine(M);
    AddItem(M, u"muCropNoRestraint", Lang(277), -1, String(), &H::muCropNoRestraintClick);
    AddItem(M, u"muCropOriginalRatio", Lang(276), 0, String(), &H::muCropNoRestraintClick);
    TMenuItem* Ratio = AddItem(M, u"muCropRestrainRatio", Lang(275), 0, String(), &H::muCropRestrainRatioClick);
    const char16_t* Ratios[9] = {u"1:1", u"2:3", u"3:4", u"4:5", u"5:7", u"3:2", u"4:3", u"16:9", u"16:10"};
    for (Integer I = 1; I <= 9; ++I) {
        const String Name = u"muCropRatio" + IntToStr(I);
        AddItem(Ratio, Name.c_str(), Ratios[I - 1], I, String(), &H::muCropNoRestraintClick);
    }
    AddItem(M, u"muSaveCropSize", Lang(201), 0, String(), &H::muSaveCropSizeClick);
    TMenuItem* Sizes = AddItem(M, u"muLoadCropSize", Lang(202), 0, String(), &H::muLoadCropSizeClick);
    for (Integer I = 0; I < MaxCropSizes; ++I) {
        const String Name = u"muCropSize" + IntToStr(I + 1);
        AddItem(Sizes, Name.c_str(), String(), I, String(), &H::muCropSize1Click);
    }
    AddLine(M);
    AddItem(M, u"muLoadSelection", Lang(270), 0, String(), nullptr);
    AddItem(M, u"muSaveSelection", Lang(271), 0, String(), nullptr);
    AddLine(M);
    TMenuItem* Guides = AddItem(M, u"muGuides", Lang(215), 0, String(), &H::muGuidesClick);
    AddItem(Guides, u"muHorzGuides", Lang(216), 0, String(), &H::muHorzGuidesClick);
    AddItem(Guides, u"muVertGuides", Lang(217), 0, String(), &H::muVertGuidesClick);
    AddItem(Guides, u"muClearGuides", Lang(218), 0, String(), &H::muClearGuidesClick);
    AddItem(Guides, u"muLockGuides", Lang(219), 0, String(), &H::muLockGuidesClick)->SetAutoCheck(true);
}

void TEditorCommands::BuildOtherMenus()
{
    auto Menu = [this](const char16_t* Name) {
        auto* P = new TsfSkinPopupMenu(&FForm);
        P->SetName(Name);
        P->SetSkinData(FForm.SkinData());
        return P;
    };
    pmRotate = Menu(u"pmRotate");
    // Opening it refreshes the edit menu's items as well.
    pmRotate->OnPopup = [this](TObject* Sender) { pmEditPopup(Sender); };
    TMenuItem* R = pmRotate->Items();
    AddItem(R, u"muRotateLeft90", Lang(9), 0, String(), &H::muRotateLeft90Click);
    AddItem(R, u"muRotateRight90", Lang(10), 1, String(), &H::muRotateLeft90Click);
    AddItem(R, u"muRotate180", Lang(11), 2, String(), &H::muRotateLeft90Click);
    AddItem(R, u"muRotateCustom", Lang(181) + u"...", 0, String(), &H::muRotateCustomClick);
    AddLine(R);
    AddItem(R, u"muFlipHorz", Lang(12), 0, String(), &H::muFlipHorzClick);
    AddItem(R, u"muFlipVert", Lang(13), 1, String(), &H::muFlipHorzClick);

    pmPaste = Menu(u"pmPaste");
    pmPaste->OnPopup = [this](TObject* Sender) { pmPastePopup(Sender); };
    AddItem(pmPaste->Items(), u"muPasteImage", Lang(0), 0, String(), &H::muPasteImageClick);
    AddItem(pmPaste->Items(), u"muPasteImageFromClipboard", Lang(6), 0, String(), &H::muPasteImageFromClipboardClick);
    AddItem(pmPaste->Items(), u"muPasteImageFromFile", Lang(7), 1, String(), &H::muPasteImageFromFileClick);

    pmMore = Menu(u"pmMore");
    pmMore->OnPopup = [this](TObject* Sender) { pmMorePopup(Sender); };
    TMenuItem* More = pmMore->Items();
    AddItem(More, u"muImageSize", Lang(85), 0, String(), &H::muImageSizeClick);
    AddItem(More, u"muImageTransform", Lang(87), 0, String(), &H::muImageTransformClick);
    AddItem(More, u"muImageSkew", Lang(89), 0, String(), &H::muImageSkewClick);
    AddLine(More);
    AddItem(More, u"muColorAdjust", Lang(318), 0, String(), &H::muColorAdjustClick);
    AddItem(More, u"muGrayscale", Lang(317), 1, String(), &H::muColorAdjustClick);
    AddItem(More, u"muInvert", Lang(316), 2, String(), &H::muColorAdjustClick);
    AddLine(More);
    AddItem(More, u"muWatermark", GetLangText(3, 28), 0, String(), &H::muWatermarkClick);
    AddLine(More);
    AddItem(More, u"muReplaceOriginal", Lang(126), 0, String(), &H::muReplaceOriginalClick);
    AddItem(More, u"muExportOriginal", Lang(176), 0, String(), &H::muExportOriginalClick);
    TMenuItem* Rulers = AddItem(More, u"muShowRulers", String(), 0, String(), nullptr);
    Rulers->SetAutoCheck(true);
    Rulers->SetVisible(false);
    Rulers->OnClick = [this](TObject* Sender) { FForm.Rulers().muShowRulersClick(Sender); };

    pmCopy = Menu(u"pmCopy");
    pmCopy->OnPopup = [this](TObject* Sender) { pmPastePopup(Sender); };
    AddItem(pmCopy->Items(), u"muCopyImage", Lang(3), 0, String(), &H::muCopyImageClick);
    AddItem(pmCopy->Items(), u"muCopyImageToClipboard", Lang(4), 1, String(), &H::muCopyImageToClipboardClick);
    AddItem(pmCopy->Items(), u"muCopyImageToClipboardNO", Lang(5), 0, String(), &H::muCopyImageToClipboardNOClick);
}

// ---------------------------------------------------------------------------
// Shared steps

TImageDraw* TEditorCommands::Live() const { return FForm.Documents().Live(); }

void TEditorCommands::RedrawAndRecord(TImageDraw& Doc)
{
    Doc.Draw();
    Doc.SaveUndo();
}

bool TEditorCommands::SelectionBitmapExists(TImageDraw& Doc) const
{
    TImgSelection* Sel = Doc.SelectionExists() ? Doc.SelectionShape() : nullptr;
    return Sel && Sel->SelBitmap() && !Sel->SelBitmap()->Empty();
}

bool TEditorCommands::CheckSelectionCommand()
{
    FForm.EndEffectDrawing();
    TImageDraw* Doc = Live();
    if (!Doc || !Doc->SelectionExists()) return true;
    if (Doc->CropEnabled()) return true;
    ShowInfoMsg(Lang(125), EditionTitle);
    return false;
}

void TEditorCommands::DropSelectionShape(bool IsSaveUndo)
{
    TImageDraw* Doc = Live();
    if (!Doc) return;
    if (Doc->DeleteSelectionCropShape(true)) {
        if (IsSaveUndo) Doc->SaveUndo();
    } else
        Doc->SelectShape(selNone, -1);
    Doc->Draw();
}

void TEditorCommands::CopyImageToClipboard(bool IsIncludeObjects)
{
    TImageDraw* Doc = Live();
    if (!Doc) return;
    DropSelectionShape(true);
    Doc->CopyImageToClipboard(IsIncludeObjects);
}

void TEditorCommands::Undo()
{
    TImageDraw* Doc = Live();
    if (!Doc || Doc->UndoIndex() <= 0) return;
    Doc->Undo();
    Doc->Draw();
    if (OnShowImageSizeInfo) OnShowImageSizeInfo();
}

void TEditorCommands::Redo()
{
    TImageDraw* Doc = Live();
    if (!Doc || Doc->UndoIndex() >= Doc->UndoCount() - 1) return;
    Doc->Redo();
    Doc->Draw();
    if (OnShowImageSizeInfo) OnShowImageSizeInfo();
}

void TEditorCommands::PopupEditMenu(Integer X, Integer Y)
{
    const TPoint P = FForm.Image->ClientToScreen(TPoint{X, Y});
    pmEdit->SetPopupComponent(FForm.Image);
    pmEdit->Popup(P.X, P.Y);
}

// ---------------------------------------------------------------------------
// The edit menu's rules

void TEditorCommands::pmEditPopup(TObject*)
{
    TImageDraw* Doc = Live();
    if (!Doc) return;
    TEditMenuInput In;
    In.Crop = Doc->CropExists();
    In.Selection = Doc->SelectionExists();
    In.SelectionBitmap = SelectionBitmapExists(*Doc);
    In.Selected = Doc->ShapeSelectedCount();
    In.CropEnabled = Doc->CropEnabled();
    In.PasteEnabled = Doc->GetPasteEnabled();
    In.Editable = Doc->ShapeEditableCount();
    In.SavedSelections = Doc->SelectionDT() && Doc->SelectionDT()->ItemCount() > 0;
    In.PastePropEnabled = Doc->GetPastePropEnabled();
    In.BitmapObject = Doc->ShapeType() == shSmall;
    In.CropRatioIndex = FCropRatioIndex;
    for (const TEditMenuItemState& S : EditMenuRules(In)) {
        TMenuItem* I = Item(S.Name);
        I->SetVisible(S.Visible);
        if (S.Enabled != TMenuMark::Keep) I->SetEnabled(S.Enabled == TMenuMark::On);
        if (S.Checked != TMenuMark::Keep) I->SetChecked(S.Checked == TMenuMark::On);
    }
}

void TEditorCommands::pmPastePopup(TObject*)
{
    Item(u"muPasteImage")->SetEnabled(ImageClipboard() != nullptr);
    Item(u"muPasteImageFromClipboard")->SetEnabled(IsClipboardFormatAvailable(CF_BITMAP) != 0);
}

// ---------------------------------------------------------------------------
// Clipboard commands

void TEditorCommands::muCutClick(TObject*)
{
    TImageDraw* Doc = Live();
    if (!Doc) return;
    if (Doc->SelectionExists()) {
        if (!CheckSelectionCommand()) return;
        Doc->CutSelection();
        Doc->DeleteSelectionCropShape(false);
    } else
        Doc->CutShape();
    RedrawAndRecord(*Doc);
}

void TEditorCommands::muCopyClick(TObject*)
{
    TImageDraw* Doc = Live();
    if (!Doc) return;
    if (!Doc->SelectionExists()) {
        Doc->CopyShape();
        if (Doc->ShapeType() == shSmall) Doc->CopySmallToClipboard();
    } else if (CheckSelectionCommand())
        Doc->CopySelection(false);
}

void TEditorCommands::muCopyMergedClick(TObject*)
{
    TImageDraw* Doc = Live();
    if (Doc && Doc->SelectionExists() && CheckSelectionCommand()) Doc->CopySelection(true);
}

void TEditorCommands::muCopyToClipboardClick(TObject*)
{
    if (TImageDraw* Doc = Live()) Doc->CopySmallToClipboard();
}

void TEditorCommands::muPasteClick(TObject*)
{
    TImageDraw* Doc = Live();
    if (!Doc || !Doc->GetPasteEnabled()) return;
    DropSelectionShape(false);
    const TPoint P = FForm.CanvasInput().Core().LastImagePoint();
    if (PasteAtPointer(P.X, P.Y, Doc->Width(), Doc->Height()))
        Doc->Paste(P.X, P.Y, nullptr, false, false);
    else
        Doc->Paste(FForm.Documents().GetViewCenterX(), FForm.Documents().GetViewCenterY(), nullptr, false, true);
    RedrawAndRecord(*Doc);
}

void TEditorCommands::muDeleteClick(TObject*)
{
    TImageDraw* Doc = Live();
    if (!Doc) return;
    if (!Doc->SelectionExists())
        Doc->DeleteShapes();
    else if (SelectionBitmapExists(*Doc))
        Doc->DeleteSelectionCropShape(false);
    else if (CheckSelectionCommand())
        Doc->DeleteSelection();
    else
        return;
    RedrawAndRecord(*Doc);
}

void TEditorCommands::muCropClick(TObject*)
{
    TImageDraw* Doc = Live();
    if (!Doc) return;
    Doc->Crop();
    Doc->DeleteCropShape();
    RedrawAndRecord(*Doc);
}

void TEditorCommands::muCreateNewImageClick(TObject*)
{
    TImageDraw* Doc = Live();
    if (!Doc || !CheckSelectionCommand()) return;
    Doc->CopySelection(true);
    if (!IsClipboardFormatAvailable(CF_BITMAP)) return;
    FForm.Documents().SaveToStream();
    FForm.Documents().LoadDocument(String(), true, true);
}

// ---------------------------------------------------------------------------
// Picture paste and image copy

void TEditorCommands::muPasteImageClick(TObject*)
{
    TImageDraw* Doc = Live();
    if (!Doc) return;
    FForm.EndEffectDrawing();
    DropSelectionShape(false);
    Doc->Paste(FForm.Documents().GetViewCenterX(), FForm.Documents().GetViewCenterY(), ImageClipboard(), false, true);
    RedrawAndRecord(*Doc);
}

void TEditorCommands::muPasteImageFromClipboardClick(TObject*)
{
    TImageDraw* Doc = Live();
    if (!Doc) return;
    FForm.EndEffectDrawing();
    DropSelectionShape(false);
    Doc->Paste(FForm.Documents().GetViewCenterX(), FForm.Documents().GetViewCenterY(), nullptr, true, true);
    RedrawAndRecord(*Doc);
}

String TEditorCommands::ChoosePictureFile(Integer FolderCell)
{
    TCell& Folder = *ConfigTable->GetItem(1)->GetItem(FolderCell);
    const String Start = DirectoryExists(Folder.Text()) ? Folder.Text() : String();
    const String File =
        OnChoosePictureFile ? OnChoosePictureFile(Start) : FForm.Documents().Prompts().ChooseOpenFile(PictureFilter(), Start);
    if (File.empty()) return File;
    Application->ProcessMessages();
    Folder.SetText(ExtractFilePath(File));
    return File;
}

void TEditorCommands::muPasteImageFromFileClick(TObject*)
{
    const String File = ChoosePictureFile(43);
    if (!File.empty()) PasteImageFile(File);
}

void TEditorCommands::PasteImageFile(const String& FileName)
{
    bool HasAlpha = false;
    Integer BitDepth = -1;
    std::unique_ptr<TBitmap32> B = LoadImageToBitmap32(FileName, HasAlpha, BitDepth);
    TImageDraw* Doc = Live();
    if (!Doc) return;
    if (!B || B->Width() <= 0 || B->Height() <= 0) {
        ShowInfoMsg(Lang(156));
        return;
    }
    FForm.EndEffectDrawing();
    DropSelectionShape(false);
    Doc->Paste(FForm.Documents().GetViewCenterX(), FForm.Documents().GetViewCenterY(), B.get(), false, true);
    RedrawAndRecord(*Doc);
}

void TEditorCommands::muCopyImageClick(TObject*)
{
    if (TImageDraw* Doc = Live()) Doc->CopyImage();
}

void TEditorCommands::muCopyImageToClipboardClick(TObject*) { CopyImageToClipboard(true); }

void TEditorCommands::muCopyImageToClipboardNOClick(TObject*) { CopyImageToClipboard(false); }

// ---------------------------------------------------------------------------
// Object properties, arrangement and selection

void TEditorCommands::muCopyPropertyClick(TObject*)
{
    TImageDraw* Doc = Live();
    if (Doc && Doc->ShapeSelectedCount() > 0) Doc->CopyProperty();
}

void TEditorCommands::muPasteProp0Click(TObject* Sender)
{
    TImageDraw* Doc = Live();
    auto* Item = dynamic_cast<TMenuItem*>(Sender);
    if (!Doc || !Item || Doc->ShapeSelectedCount() <= 0 || !Doc->GetPastePropEnabled()) return;
    Doc->PasteProperty(static_cast<Integer>(Item->Tag()));
    RedrawAndRecord(*Doc);
    if (Doc->ShapeSelectedCount() == 1 && OnTakeShapeProperties) OnTakeShapeProperties();
}

void TEditorCommands::muAlignLeftClick(TObject* Sender)
{
    TImageDraw* Doc = Live();
    auto* Item = dynamic_cast<TMenuItem*>(Sender);
    if (!Doc || !Item) return;
    Doc->AlignShape(static_cast<Integer>(Item->Tag()));
    RedrawAndRecord(*Doc);
}

void TEditorCommands::muBringToFrontClick(TObject*)
{
    if (TImageDraw* Doc = Live()) Doc->BringToFront(), RedrawAndRecord(*Doc);
}

void TEditorCommands::muBringForwardClick(TObject*)
{
    if (TImageDraw* Doc = Live()) Doc->BringForward(), RedrawAndRecord(*Doc);
}

void TEditorCommands::muSendBackwardClick(TObject*)
{
    if (TImageDraw* Doc = Live()) Doc->SendBackward(), RedrawAndRecord(*Doc);
}

void TEditorCommands::muSendToBackClick(TObject*)
{
    if (TImageDraw* Doc = Live()) Doc->SendToBack(), RedrawAndRecord(*Doc);
}

void TEditorCommands::muSelectImageAllClick(TObject*)
{
    if (TImageDraw* Doc = Live()) Doc->SelectImage(true), RedrawAndRecord(*Doc);
}

void TEditorCommands::muSelectImageInvertClick(TObject*)
{
    TImageDraw* Doc = Live();
    if (!Doc) return;
    Doc->SetAntialiasing(FForm.CanvasInput().SelectionAntialiasing());
    Doc->SelectImage(false);
    RedrawAndRecord(*Doc);
}

void TEditorCommands::muSelectAllObjectsClick(TObject*)
{
    if (TImageDraw* Doc = Live()) Doc->SelectShape(selAll, -1), Doc->Draw();
}

void TEditorCommands::muSelectSameTypeClick(TObject*)
{
    if (TImageDraw* Doc = Live()) Doc->SelectShape(selSame, Doc->ShapeId()), Doc->Draw();
}

void TEditorCommands::muFlattenClick(TObject*)
{
    TImageDraw* Doc = Live();
    if (!Doc || Doc->ShapeSelectedCount() <= 0) return;
    Doc->Flatten(false);
    RedrawAndRecord(*Doc);
}

void TEditorCommands::muFlattenAllClick(TObject*)
{
    if (TImageDraw* Doc = Live()) Doc->Flatten(true), RedrawAndRecord(*Doc);
}

// ---------------------------------------------------------------------------
// Bitmap objects and the polygon's node buttons

void TEditorCommands::muShapeFlipHorzClick(TObject* Sender)
{
    TImageDraw* Doc = Live();
    auto* Item = dynamic_cast<TMenuItem*>(Sender);
    if (!Doc || !Item) return;
    Doc->FlipShape(static_cast<Integer>(Item->Tag()));
    RedrawAndRecord(*Doc);
}

void TEditorCommands::muReplaceByClick(TObject*)
{
    const String File = ChoosePictureFile(40);
    if (File.empty()) return;
    TBusyCursor Busy;
    bool HasAlpha = false;
    Integer BitDepth = -1;
    std::unique_ptr<TBitmap32> B = LoadImageToBitmap32(File, HasAlpha, BitDepth);
    TImageDraw* Doc = Live();
    if (!Doc) return;
    if (!B || B->Width() <= 0 || B->Height() <= 0) {
        ShowInfoMsg(Lang(156));
        return;
    }
    Doc->SmallReplaceBy(B.get());
    RedrawAndRecord(*Doc);
}

void TEditorCommands::sbPolygonAddNodeClick(bool Down)
{
    TImageDraw* Doc = Live();
    if (auto* P = Doc ? dynamic_cast<TImgPolygon*>(Doc->Shape()) : nullptr) P->SetPointAdding(Down);
}

void TEditorCommands::sbPolygonDeleteNodeClick(TObject*)
{
    TImageDraw* Doc = Live();
    if (!Doc) return;
    Doc->PolygonDeleteNode();
    RedrawAndRecord(*Doc);
}

// ---------------------------------------------------------------------------
// Guides

void TEditorCommands::muGuidesClick(TObject*)
{
    Item(u"muLockGuides")->SetChecked(ConfigTable->GetItem(1)->GetItem(19)->AsBool());
}

void TEditorCommands::muLockGuidesClick(TObject*)
{
    const bool Locked = Item(u"muLockGuides")->Checked();
    ConfigTable->GetItem(1)->GetItem(19)->SetAsBool(Locked);
    if (TImageDraw* Doc = Live()) Doc->SetLockGuides(Locked);
}

void TEditorCommands::muHorzGuidesClick(TObject*)
{
    TImageDraw* Doc = Live();
    if (!Doc) return;
    // Through the point where the menu was opened.
    const TPoint P = FForm.CanvasInput().Core().PressImagePoint();
    Doc->CreateGuides(P.X, P.Y, true);
    Doc->Draw();
}

void TEditorCommands::muVertGuidesClick(TObject*)
{
    TImageDraw* Doc = Live();
    if (!Doc) return;
    const TPoint P = FForm.CanvasInput().Core().PressImagePoint();
    Doc->CreateGuides(P.X, P.Y, false);
    Doc->Draw();
}

void TEditorCommands::muClearGuidesClick(TObject*)
{
    if (TImageDraw* Doc = Live()) Doc->ClearGuides(), Doc->Draw();
}

// ---------------------------------------------------------------------------
// Image commands

void TEditorCommands::muRotateLeft90Click(TObject* Sender)
{
    TImageDraw* Doc = Live();
    auto* Item = dynamic_cast<TMenuItem*>(Sender);
    if (!Doc || !Item) return;
    FForm.EndEffectDrawing();
    Doc->Rotate(static_cast<Integer>(Item->Tag()));
    RedrawAndRecord(*Doc);
}

void TEditorCommands::muFlipHorzClick(TObject* Sender)
{
    TImageDraw* Doc = Live();
    auto* Item = dynamic_cast<TMenuItem*>(Sender);
    if (!Doc || !Item) return;
    FForm.EndEffectDrawing();
    Doc->Flip(static_cast<Integer>(Item->Tag()));
    RedrawAndRecord(*Doc);
}

void TEditorCommands::muColorAdjustClick(TObject* Sender)
{
    TImageDraw* Doc = Live();
    auto* Item = dynamic_cast<TMenuItem*>(Sender);
    if (!Doc || !Item) return;
    FForm.EndEffectDrawing();
    if (Doc->DeleteCropShape()) {
        Doc->SaveUndo();
        Doc->Draw();
    }
    const bool Small = Doc->ShapeSelectedCount() == 1 && Doc->ShapeType() == shSmall;
    Doc->SetEffectSmall(Small);
    if (!Small && !CheckSelectionCommand()) return;
    switch (Item->Tag()) {
        case 0:
            Doc->SetEffectMode(emColorAdjust);
            if (OnColorAdjustDialog) {
                OnColorAdjustDialog(*Doc);
                FForm.AfterModalDialog();
            }
            break;
        default:
            Doc->SetEffectMode(Item->Tag() == 1 ? emGrayscale : emInvert);
            Doc->EffectBegin();
            Doc->EffectDo(0, false);
            Doc->EffectEnd(true);
            Doc->Draw();
            break;
    }
    Doc->SetEffectMode(emNone);
}

void TEditorCommands::muCropRestrainRatioClick(TObject*)
{
    TMenuItem* Parent = Item(u"muCropRestrainRatio");
    for (Integer I = 0; I < Parent->Count(); ++I) Parent->Items(I)->SetChecked(Parent->Items(I)->Tag() == FCropRatioIndex);
}

void TEditorCommands::muCropNoRestraintClick(TObject* Sender)
{
    TImageDraw* Doc = Live();
    auto* Item = dynamic_cast<TMenuItem*>(Sender);
    if (!Doc || !Item || Item->Tag() == FCropRatioIndex) return;
    FCropRatioIndex = static_cast<Integer>(Item->Tag());
    Doc->SetCropRateIndex(FCropRatioIndex);
    if (!Doc->Shape()) return;
    const TRect R = FitCropToRatio(Doc->Shape()->SRect(), Doc->CropFixedRate());
    Doc->ShapeSetSize(R.Width(), R.Height());
    RedrawAndRecord(*Doc);
}

void TEditorCommands::muSaveCropSizeClick(TObject*)
{
    TImageDraw* Doc = Live();
    if (!Doc || !Doc->CropExists() || !Doc->Shape()) return;
    const TRect R = Doc->Shape()->SRect();
    SaveCropSize(FForm.CropSizes(), R.Width(), R.Height());
}

void TEditorCommands::muLoadCropSizeClick(TObject*)
{
    TDataTable& Sizes = FForm.CropSizes();
    for (Integer I = 0; I < MaxCropSizes; ++I) {
        TMenuItem* Entry = Item(u"muCropSize" + IntToStr(I + 1));
        const bool Exists = I < Sizes.ItemCount() && Sizes.GetItem(I)->ItemCount() >= 2;
        Entry->SetVisible(Exists);
        if (Exists)
            Entry->SetCaption(Sizes.GetItem(I)->GetItem(0)->Text() + u" × " + Sizes.GetItem(I)->GetItem(1)->Text());
    }
}

void TEditorCommands::muCropSize1Click(TObject* Sender)
{
    TImageDraw* Doc = Live();
    auto* Item = dynamic_cast<TMenuItem*>(Sender);
    TDataTable& Sizes = FForm.CropSizes();
    if (!Doc || !Item || Item->Tag() >= Sizes.ItemCount()) return;
    const TRow& Row = *Sizes.GetItem(static_cast<Integer>(Item->Tag()));
    Doc->ShapeSetSize(Row.GetItem(0)->Value(), Row.GetItem(1)->Value());
    RedrawAndRecord(*Doc);
    FCropRatioIndex = -1;
    Doc->SetCropRateIndex(-1);
}

void TEditorCommands::pmMorePopup(TObject*)
{
    TImageDraw* Doc = Live();
    const bool Sidecar = Doc && !Doc->Profile().empty() && FileExists(Doc->Profile());
    Item(u"muExportOriginal")->SetEnabled(Sidecar);
    Item(u"muReplaceOriginal")->SetEnabled(Sidecar);
    Item(u"muShowRulers")->SetChecked(ConfigTable->GetItem(1)->GetItem(17)->AsBool());
    ShowOfferedCommands();
}

void TEditorCommands::muReplaceOriginalClick(TObject*)
{
    TImageDraw* Doc = Live();
    if (!Doc) return;
    if (FForm.Documents().Prompts().Ask(Lang(127), MB_YESNO | MB_ICONQUESTION) == IDNO) return;
    Doc->SrcBmpToOriBmp();
}

void TEditorCommands::muExportOriginalClick(TObject*)
{
    TImageDraw* Doc = Live();
    if (!Doc) return;
    static const String Filter = u"JPEG (*.jpg;*.jpeg)|*.jpg;*.jpeg|PNG (*.png)|*.png|GIF (*.gif)|*.gif|BMP (*.bmp)|*.bmp";
    TDocumentPrompts& P = FForm.Documents().Prompts();
    Integer Index = Doc->ExportGetFilterIndex();
    String Name = P.ChooseSaveFile(Filter, String(), Index, Index);
    if (Name.empty()) return;
    Name = AddFilterExt(Name, u"jpg,png,gif,bmp", Index - 1, u"jpg");
    if (FileExists(Name) && P.Ask(Lang(152), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDNO) return;
    Doc->ExportOriBmpAs(Name);
}

// ---------------------------------------------------------------------------
// Canvas changes and the watermark

void TEditorCommands::ApplyCanvasDrag()
{
    TImageDraw* Doc = Live();
    if (!Doc) return;
    Doc->DeleteCropShape();
    const TCanvasSides S = CanvasDragSides(Doc->CanvasCtrIndex(), Doc->CanvasDx(), Doc->CanvasDy());
    Doc->ExtendCanvas(S.Left, S.Right, S.Top, S.Bottom);
    AfterCanvasResize(S.Left, S.Top);
}

void TEditorCommands::AfterCanvasResize(Integer dx, Integer dy)
{
    TImageDraw* Doc = Live();
    if (!Doc) return;
    if (dx != 0 || dy != 0) Doc->ResetShapeLocation(dx, dy);
    Doc->InitBitmap();
    RedrawAndRecord(*Doc);
    if (OnShowImageSizeInfo) OnShowImageSizeInfo();
    FForm.Rulers().DrawRulers(true);
}

void TEditorCommands::AddWatermark(bool IsEnabled, const String& FileName, Integer LocationType, Integer Location,
                                   Integer LocationED1, Integer LocationED2, Integer LocationSD1, Integer LocationSD2,
                                   Integer Angle, Integer Opacity, bool UseTC, TColor TC)
{
    TImageDraw* Doc = Live();
    if (!Doc) return;
    Doc->SetWatermarkEnabled(false);
    if (IsEnabled)
        Doc->AddWatermark(FileName, LocationType, Location, LocationED1, LocationED2, LocationSD1, LocationSD2, Angle,
                          Opacity, UseTC, TC);
    Doc->InitBitmap();
    Doc->Draw();
}

// ---------------------------------------------------------------------------
// Command buttons and the commands behind dialogs

void TEditorCommands::CreateButtons()
{
    // Right of the preset panel's switch in the top bar: two rows of three.
    pnlCommands = new TsfSkinPanel(&FForm);
    pnlCommands->SetName(u"pnlCommands");
    pnlCommands->SetSkinData(FForm.SkinData());
    pnlCommands->SetCaption(String());
    pnlCommands->SetBounds(FForm.pnlShowRight->Left() + FForm.pnlShowRight->Width() + 4, 0,
                           3 * (CommandButtonWidth + 2) + 2, FForm.pnlProp->Height());
    pnlCommands->SetParent(FForm.pnlProp);
    auto Place = [this](TsfSkinSpeedButton* B, const char16_t* Name, Integer Slot) {
        B->SetName(Name);
        B->SetSkinData(FForm.SkinData());
        B->SetFlat(true);
        B->SetCaption(String());
        B->SetBounds(2 + (Slot % 3) * (CommandButtonWidth + 2), 6 + (Slot / 3) * 30, CommandButtonWidth, 28);
        B->SetParent(pnlCommands);
    };
    auto Menu = [this, &Place](const char16_t* Name, Integer Slot, TsfSkinPopupMenu* Popup) {
        auto* B = new TsfSkinMenuSpeedButton(&FForm);
        Place(B, Name, Slot);
        B->SetSkinPopupMenu(Popup);
        return B;
    };
    sbCopy = Menu(u"sbCopy", 0, pmCopy);
    sbPaste = Menu(u"sbPaste", 1, pmPaste);
    sbRotate = Menu(u"sbRotate", 2, pmRotate);
    sbMore = Menu(u"sbMore", 3, pmMore);
    sbCanvas = new TsfSkinSpeedButton(&FForm);
    Place(sbCanvas, u"sbCanvas", 4);
    sbCanvas->OnClick = [this](TObject* Sender) { sbCanvasClick(Sender); };
    sbNew = new TsfSkinSpeedButton(&FForm);
    Place(sbNew, u"sbNew", 5);
    sbNew->OnClick = [this](TObject* Sender) { sbNewClick(Sender); };
    // Captions and hints come with the language; until then the names of
    // the language table's group 1 stand.
    sbCopy->SetCaption(Lang(21));
    sbPaste->SetCaption(Lang(76));
    sbRotate->SetCaption(Lang(20));
    sbRotate->SetHint(Lang(8));
    sbMore->SetCaption(Lang(28));
    sbCanvas->SetCaption(Lang(15));
    sbCanvas->SetHint(Lang(80));
    sbNew->SetCaption(u"+");
    sbNew->SetHint(Lang(1));
}

void TEditorCommands::ShowOfferedCommands()
{
    // A command whose dialog is not there does not pretend to work.
    if (sbNew) sbNew->SetVisible(static_cast<bool>(OnNewImageDialog));
    if (sbCanvas) sbCanvas->SetVisible(static_cast<bool>(OnCanvasDialog));
    Item(u"muImageSize")->SetVisible(static_cast<bool>(OnImageSizeDialog));
    Item(u"muImageTransform")->SetVisible(static_cast<bool>(OnTransformDialog));
    Item(u"muColorAdjust")->SetVisible(static_cast<bool>(OnColorAdjustDialog));
    Item(u"muWatermark")->SetVisible(static_cast<bool>(OnWatermarkDialog));
    if (FItems.count(u"muSettings")) Item(u"muSettings")->SetVisible(static_cast<bool>(OnOptionsDialog));
}

void TEditorCommands::AddProgramMenuItems(TMenuItem* Menu)
{
    const struct {
        const char16_t* Name;
        Integer Text;
        void (TEditorCommands::*Handler)(TObject*);
    } Items[] = {{u"muSettings", 290, &H::muSettingsClick},
                 {u"muHelp", 256, &H::muHelpClick},
                 {u"muForum", 296, &H::muForumClick},
                 {u"muAbout", 298, &H::muAboutClick}};
    Integer At = 0;
    for (const auto& I : Items) {
        auto* Item = new TMenuItem(Menu);
        Item->SetName(I.Name);
        Item->SetCaption(Lang(I.Text));
        auto Handler = I.Handler;
        Item->OnClick = [this, Handler](TObject* Sender) { (this->*Handler)(Sender); };
        Menu->Insert(At++, Item);
        FItems[I.Name] = Item;
    }
    auto* Line = new TMenuItem(Menu);
    Line->SetCaption(u"-");
    Menu->Insert(At, Line);
    ShowOfferedCommands();
}

void TEditorCommands::muSettingsClick(TObject*)
{
    if (!OnOptionsDialog) return;
    OnOptionsDialog();
    FForm.AfterModalDialog();
    // The new settings take effect at once.
    TRow& Settings = *ConfigTable->GetItem(1);
    if (TImageDraw* Doc = Live()) {
        Doc->SetNotSaveDataFile(Settings.GetItem(49)->AsBool());
        Doc->SetDefaultTextOnCreatingObject(UnescapeCellText(Settings.GetItem(34)->Text()));
    }
    const bool ShowPixel = Settings.GetItem(47)->AsBool();
    if (auto* Bevel = FForm.Layout().PartAs<TControl>(u"bevelARGB")) Bevel->SetVisible(ShowPixel);
    if (auto* Label = FForm.Layout().PartAs<TControl>(u"lblARGB")) Label->SetShowHint(ShowPixel);
}

void TEditorCommands::muAboutClick(TObject*) { FForm.ShowAbout(); }

void TEditorCommands::muForumClick(TObject*)
{
    const String Link = BuildWebLink(u"home");
    if (OnOpenWebPage)
        OnOpenWebPage(Link, false);
    else
        ShellExecuteW(nullptr, L"open", reinterpret_cast<LPCWSTR>(Link.c_str()), nullptr, nullptr, SW_SHOWNORMAL);
}

void TEditorCommands::muHelpClick(TObject*)
{
    const String Link = BuildWebLink(u"FAQ");
    if (OnOpenWebPage)
        OnOpenWebPage(Link, true);
    else
        ShellExecuteW(FForm.Handle(), L"open", reinterpret_cast<LPCWSTR>(Link.c_str()), nullptr, nullptr,
                      SW_SHOWMAXIMIZED);
}

void TEditorCommands::sbNewClick(TObject*)
{
    if (!OnNewImageDialog) return;
    TNewImageRequest Request;
    const bool Ok = OnNewImageDialog(Request);
    FForm.AfterModalDialog();
    if (!Ok) return;
    FForm.Documents().SaveToStream();
    FForm.Documents().LoadDocument(String(), true, Request.FromClipboard, Request.Pattern.get());
}

void TEditorCommands::sbCanvasClick(TObject*)
{
    if (!OnCanvasDialog || !Live()) return;
    TCanvasRequest Request;
    const bool Ok = OnCanvasDialog(Request);
    FForm.AfterModalDialog();
    TImageDraw* Doc = Live();
    if (!Ok || !Doc) return;
    FForm.EndEffectDrawing();
    Doc->DeleteCropShape();
    Doc->SetChanged(true);
    if (Request.Relative) {
        const Integer L = static_cast<Integer>(Round(Request.Left)), R = static_cast<Integer>(Round(Request.Right));
        const Integer T = static_cast<Integer>(Round(Request.Top)), B = static_cast<Integer>(Round(Request.Bottom));
        Doc->ExtendCanvas(L, R, T, B);
        AfterCanvasResize(L, T);
    } else {
        // The picture stays centred: objects follow by half the growth.
        const Integer OldW = Doc->Width(), OldH = Doc->Height();
        Doc->ResizeCanvas(Request.Width, Request.Height);
        AfterCanvasResize((Request.Width - OldW) / 2, (Request.Height - OldH) / 2);
    }
}

void TEditorCommands::muImageSizeClick(TObject*)
{
    TImageDraw* Doc = Live();
    if (!OnImageSizeDialog || !Doc) return;
    Integer W = Doc->Width(), H = Doc->Height();
    const bool Ok = OnImageSizeDialog(W, H);
    FForm.AfterModalDialog();
    Doc = Live();
    if (!Ok || !Doc || (W == Doc->Width() && H == Doc->Height())) return;
    FForm.EndEffectDrawing();
    Doc->DeleteCropShape();
    Doc->ResizeImage(W, H);
    AfterCanvasResize(0, 0);
}

void TEditorCommands::muImageTransformClick(TObject*)
{
    TImageDraw* Doc = Live();
    if (!OnTransformDialog || !Doc) return;
    Doc->SetEffectSmall(false);
    Doc->SetEffectMode(emTransform);
    OnTransformDialog(*Doc);
    Doc->SetEffectMode(emNone);
    FForm.AfterModalDialog();
}

void TEditorCommands::ShowGeometryDialog(TEffectMode Mode, const String& Caption)
{
    TImageDraw* Doc = Live();
    if (!Doc) return;
    FForm.EndEffectDrawing();
    Doc->SetEffectSmall(false);
    Doc->SetEffectMode(Mode);
    FForm.Effects().ShowEffectDialog(Caption);
}

void TEditorCommands::muImageSkewClick(TObject*) { ShowGeometryDialog(emSkew, Lang(89)); }

void TEditorCommands::muRotateCustomClick(TObject*) { ShowGeometryDialog(emRotate, Lang(20)); }

void TEditorCommands::muWatermarkClick(TObject*)
{
    TImageDraw* Doc = Live();
    if (!OnWatermarkDialog || !Doc) return;
    FForm.EndEffectDrawing();
    const bool WasChanged = Doc->Changed();
    const Integer Result = OnWatermarkDialog(*Doc);
    // Whatever the answer, the stored settings are applied again: after
    // Cancel they are those from before, and the dialog's preview goes.
    const TWatermarkSettings W = ReadWatermarkSettings(*ConfigTable->GetItem(3));
    AddWatermark(W.Enabled, W.FileName, W.LocationType, W.Location, W.LocationED1, W.LocationED2, W.LocationSD1,
                 W.LocationSD2, W.Angle, W.Opacity, W.UseTC, W.TC);
    if (TImageDraw* D = Live()) D->SetChangedFlag(ChangedAfterWatermark(Result, WasChanged));
    FForm.AfterModalDialog();
}
