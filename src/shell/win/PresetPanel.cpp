#include "shell/win/PresetPanel.h"

#include "Component/Raster32/win/Ras32_GDI.h"
#include "Component/Raster32/win/Ras32_Image.h"
#include "dialogs/win/ImageFrames.h"
#include "dialogs/win/MakeThumbThread.h"
#include "document/ImageDraw.h"
#include "foundation/Global.h"
#include "foundation/HyMediaPack.h"
#include "foundation/HyPresets.h"
#include "foundation/HySysUtils.h"
#include "foundation/win/Global_Helpers_Win.h"
#include "foundation/win/Global_Win.h"
#include "foundation/win/HySysUtils_Win.h"
#include "document/ImageSelection.h"
#include "shell/EffectLauncherCore.h"
#include "shell/win/EffectLauncher.h"
#include "shell/win/MainLayout.h"
#include "shell/win/MainLocale.h"
#include "shell/win/OpenDocuments.h"
#include "shell/win/ZezavEzazerForm.h"
#include "skin/controls/win/SkinButtons.h"
#include "skin/controls/win/SkinPanels.h"
#include "skin/controls/win/SkinScrollBar.h"
#include "skin/controls/win/SkinTabs.h"

namespace C = PresetCell;

TPresetPanel::TPresetPanel(TfrmZezavEzazer& AForm) : FForm(AForm) {}

TPresetPanel::~TPresetPanel() { StopWorker(); }

void TPresetPanel::StopWorker()
{
    if (FMakeThumbThread) FMakeThumbThread->Stop();
}

TDataTable* TPresetPanel::TypeTable(Integer Type) const
{
    return Type == 0 ? EffectPresetTable.get() : FramePresetTable.get();
}

void TPresetPanel::CreateControls()
{
    auto* Thumb = FForm.Layout().PartAs<TWinControl>(u"pnlThumb");
    auto Type = [&](const String& Name, Integer Tag, Integer X, const String& Caption) {
        auto* B = new TsfSkinSpeedButton(&FForm);
        B->SetName(Name);
        B->SetSkinData(FForm.SkinData());
        B->SetUseSkinSize(false);
        B->SetFlat(true);
        B->SetCaption(Caption);
        B->SetTag(Tag);
        B->SetGroupIndex(31);
        B->SetBounds(X, 2, 100, 24);
        B->SetParent(Thumb);
        B->OnClick = [this](TObject* S) { sbEffectsClick(S); };
        return B;
    };
    sbEffects = Type(u"sbEffects", 0, 8, GetLangText(2, 31));
    sbFrames = Type(u"sbFrames", 1, 112, GetLangText(2, 32));
    sbEffects->SetDown(true);

    tabThumb = new TsfSkinTabControl(&FForm);
    tabThumb->SetName(u"tabThumb");
    tabThumb->SetSkinData(FForm.SkinData());
    tabThumb->SetBounds(2, 30, Thumb->Width() - 4, 24);
    tabThumb->SetParent(Thumb);
    tabThumb->OnChange = [this](TObject* S) { tabThumbChange(S); };

    boxScroll = new TsfSkinPanel(&FForm);
    boxScroll->SetName(u"boxScroll");
    boxScroll->SetSkinData(FForm.SkinData());
    boxScroll->SetCaption(String());
    boxScroll->SetBounds(2, 56, 2 * 86 + 8, 400);
    boxScroll->SetParent(Thumb);
    ScrollBar1 = new TsfSkinScrollBar(&FForm);
    ScrollBar1->SetName(u"ScrollBar1");
    ScrollBar1->SetSkinData(FForm.SkinData());
    ScrollBar1->SetKind(sbVertical);
    ScrollBar1->SetBounds(boxScroll->Left() + boxScroll->Width(), 56, 17, 400);
    ScrollBar1->SetParent(Thumb);
    ScrollBar1->OnChange = [this](TObject*) { DrawPresetThumbs(-1); };
    Thumb->OnResize = [this, Thumb](TObject*) {
        const Integer H = std::max(Thumb->Height() - 58, 40);
        boxScroll->SetHeight(H);
        ScrollBar1->SetHeight(H);
        ScrollPresetThumbs(false);
    };


    FMakeThumbThread = std::make_unique<TMakeThumbThread>();
    FMakeThumbThread->FGetThumbInfo = [this](Integer& Type, Integer& Sub, String& File, TBitmap32*& Bmp,
                                             TBitmap32*& Mask, TRow*& Row, Integer& W, Integer& H, bool& OK) {
        GetThumbInfo(Type, Sub, File, Bmp, Mask, Row, W, H, OK);
    };
    FMakeThumbThread->FSetThumbInfo = [this](Integer W, Integer H, TBitmap32* D) { SetThumbInfo(W, H, D); };
    FMakeThumbThread->FApplyPresetEffect = [](TBitmap32& B, const TRow& Preset, TBitmap32* Mask) {
        const Integer Kind = Preset.ItemCount() > C::Kind ? Preset.GetItem(C::Kind)->Value() : 0;
        const Integer Value = Preset.ItemCount() > C::Value ? Preset.GetItem(C::Value)->Value() : 0;
        ApplyPresetPreview(B, Kind, Value, Mask);
    };
    FMakeThumbThread->Start();
}

// ---------------------------------------------------------------------------
// Pages

void TPresetPanel::FillPresetTabs()
{
    TDataTable* T = TypeTable(FThumbTypeIndex);
    if (!T) return;
    FFillingTabs = true;
    TStrings* Tabs = tabThumb->Tabs();
    Tabs->Clear();
    for (const String& S : PresetTabCaptions(T->GetProp(LangColumn == 0 ? 0 : 2)->Text())) Tabs->Add(S);
    if (FThumbSubTypeIndex >= 0 && FThumbSubTypeIndex < Tabs->Count()) tabThumb->SetTabIndex(FThumbSubTypeIndex);
    FFillingTabs = false;
}

bool TPresetPanel::LoadFramePack(Integer Position)
{
    if (Position < 4 || Position > 7) return false;
    const String File = ProgramFolder + u"Media\\frame" + IntToStr(Position - 4) + u".dat";
    if (!FileExists(File)) return false;
    auto Pack = std::make_unique<TDataTable>();
    bool Ok = false;
    // A damaged pack leaves an empty page, never an error out of a click.
    try {
        switch (Position) {
            case 4:
            case 5: Ok = LoadMediaPack(Pack.get(), File); break;
            case 6: Ok = LoadNestedMediaPack(Pack.get(), File); break;
            default: Ok = LoadGPImageMediaPack(Pack.get(), File); break;
        }
    } catch (const Exception& E) {
        LogStockError(File + u": " + E.Message());
        Ok = false;
    }
    if (!Ok || !FramePresetTable) return false;
    // The rows move over with their pictures.
    while (Pack->ItemCount() > 0) FramePresetTable->AddItem(Pack->ExtractItem(0));
    FPresetPackLoaded[Position - 4] = true;
    return true;
}

void TPresetPanel::ShowPresetPage()
{
    // The first page shown: the tables exist by now.
    if (tabThumb->Tabs()->Count() == 0 && TypeTable(FThumbTypeIndex)) {
        FThumbCaptionIndex = LangColumn + 2;
        FThumbSubTypeIndex = TypeTable(FThumbTypeIndex)->GetProp(8)->Value();
        FillPresetTabs();
    }
    if (!FPresetPackLoaded[0]) FPresetPackLoaded[0] = LoadFramePack(4) || true;
    const Integer Position = FThumbTypeIndex * 4 + FThumbSubTypeIndex;
    if (Position > 4 && Position <= 7 && !FPresetPackLoaded[Position - 4]) {
        // A missing or damaged pack leaves its page empty; it is not read again.
        LoadFramePack(Position);
        FPresetPackLoaded[Position - 4] = true;
    }
    TDataTable* T = TypeTable(FThumbTypeIndex);
    FThumbDT = T ? FilterPresetRows(*T, FThumbSubTypeIndex) : std::vector<TRow*>();
    CreatePresetThumbBoxes();
    FSize = PresetThumbSizeFor(FThumbTypeIndex, FThumbSubTypeIndex, T && T->GetProp(9)->AsBool());
    ScrollBar1->SetSmallChange(FSize.SmallChange);
    ScrollBar1->SetLargeChange(FSize.LargeChange);
    ScrollPresetThumbs(true);
    ClearPresetThumbCache(false);
}

void TPresetPanel::CreatePresetThumbBoxes()
{
    const bool Chinese = LangColumn == 0 && Win32MajorVersion >= 6;
    while (FThumbBox.size() < FThumbDT.size()) {
        auto* T = new TPaintBox32(boxScroll);
        T->SetBufferOversize(0);
        T->Font()->SetName(Chinese ? u"微软雅黑" : u"Tahoma");
        T->Font()->SetSize(Chinese ? 9 : 8);
        T->SetTag(TileCount());
        T->SetVisible(false);
        T->SetBounds(0, 0, FSize.TileWidth, FSize.TileHeight);
        T->SetParent(boxScroll);
        T->OnClick = [this](TObject* S) { ApplyThumbnailPreset(TileIndexOf(S)); };
        T->OnMouseEnter = [this](TObject* S) { SetMouseOver(S, true); };
        T->OnMouseLeave = [this](TObject* S) { SetMouseOver(S, false); };
        T->OnPaintBuffer = [this](TObject* S) { DrawPresetThumbs(TileIndexOf(S)); };
        FThumbBox.push_back(T);
    }
}

Integer TPresetPanel::TileIndexOf(TObject* Sender) const
{
    for (Integer i = 0; i < TileCount(); ++i)
        if (FThumbBox[size_t(i)] == Sender) return i;
    return -1;
}

void TPresetPanel::SetMouseOver(TObject* Sender, bool Over)
{
    const Integer i = TileIndexOf(Sender);
    if (i < 0 || i >= Integer(FThumbDT.size())) return;
    FThumbDT[size_t(i)]->GetItem(C::MouseOver)->SetAsBool(Over);
    DrawPresetThumbs(i);
}

void TPresetPanel::ScrollPresetThumbs(bool ResetPosition)
{
    const Integer Page = PresetPageHeight(Integer(FThumbDT.size()), FSize);
    const Integer View = boxScroll->Height();
    ScrollBar1->SetRange(0, std::max(Page - 1, 0), ResetPosition ? 0 : std::min(ScrollBar1->Position(), Page),
                         std::max(View, 1));
    ScrollBar1->SetVisible(Page > View);
    DrawPresetThumbs(-1);
}

void TPresetPanel::DrawPresetThumbs(Integer Index)
{
    if (Index < 0) {
        for (Integer i = 0; i < TileCount(); ++i) DrawPresetThumbs(i);
        return;
    }
    if (Index >= TileCount()) return;
    TPaintBox32& Tile = *FThumbBox[size_t(Index)];
    const bool Shown = Index < Integer(FThumbDT.size());
    Tile.SetVisible(Shown);
    if (!Shown) return;
    const TRect R = PresetTileBounds(Index, FSize, ScrollBar1->Position());
    Tile.SetBounds(R.Left, R.Top, FSize.TileWidth, FSize.TileHeight);
    TBitmap32& B = *Tile.Buffer();
    B.SetSize(FSize.TileWidth, FSize.TileHeight);
    B.Clear(ColorToColor32(boxScroll->Color()));
    TRow& Row = *FThumbDT[size_t(Index)];
    if (auto* Thumb = Row.Data().As<TBitmap32>()) {
        if (Row.GetItem(C::Highlight)->AsBool())
            DrawItemHighlight(&B, 0, 0, FSize.TileWidth, FSize.TileHeight, 1);
        else if (Row.GetItem(C::MouseOver)->AsBool())
            DrawItemHighlight(&B, 0, 0, FSize.TileWidth, FSize.TileHeight, 2);
        Thumb->SetDrawMode(dmBlend);
        B.Draw((FSize.TileWidth - Row.GetItem(C::ThumbWidth)->Value()) / 2,
               (FSize.TileHeight - FSize.CaptionHeight - Row.GetItem(C::ThumbHeight)->Value()) / 2, Thumb);
        const String Caption = Row.GetItem(FThumbCaptionIndex)->Text();
        if (FSize.CaptionHeight > 0 && !Caption.empty()) {
            B.Font()->Assign(Tile.Font());
            const TRect CR{0, FSize.TileHeight - FSize.CaptionHeight, FSize.TileWidth, FSize.TileHeight};
            const bool Narrow = B.TextWidth(Caption) < FSize.TileWidth;
            B.TextoutW(CR, DT_SINGLELINE | DT_VCENTER | (Narrow ? DT_CENTER : DT_LEFT), Caption);
        }
    }
    Tile.Invalidate();
}

void TPresetPanel::ClearPresetThumbCache(bool Clear)
{
    if (Clear && EffectPresetTable)
        for (Integer i = 0; i < EffectPresetTable->ItemCount(); ++i) EffectPresetTable->GetItem(i)->Data().Clear();
    if (Clear) DrawPresetThumbs(-1);
    if (FMakeThumbThread) FMakeThumbThread->Wake();
}

void TPresetPanel::sbEffectsClick(TObject* Sender)
{
    const Integer Tag = dynamic_cast<TComponent*>(Sender)->Tag();
    if (Tag == FThumbTypeIndex) return;
    TDataTable* T = TypeTable(Tag);
    if (!T) return;
    FThumbTypeIndex = Tag;
    FThumbSubTypeIndex = T->GetProp(8)->Value();
    FillPresetTabs();
    ShowPresetPage();
}

void TPresetPanel::tabThumbChange(TObject*)
{
    if (FFillingTabs) return;
    FThumbSubTypeIndex = tabThumb->TabIndex();
    if (TDataTable* T = TypeTable(FThumbTypeIndex)) T->GetProp(8)->SetValue(FThumbSubTypeIndex);
    ShowPresetPage();
}

// ---------------------------------------------------------------------------
// The worker's jobs

void TPresetPanel::GetThumbInfo(Integer& ThumbType, Integer& ThumbSubType, String& FileName, TBitmap32*& ThumbBmp,
                                TBitmap32*& MaskBmp, TRow*& ThumbRow, Integer& ThumbWidth, Integer& ThumbHeight,
                                bool& OK)
{
    OK = false;
    TRow* Job = NextPresetJob(FThumbDT);
    if (!Job) return;
    FMakeThumbRow = Job;
    FMakeThumbTypeIndex = FThumbTypeIndex;
    ThumbType = FThumbTypeIndex;
    ThumbSubType = FThumbSubTypeIndex;
    ThumbWidth = FSize.ThumbWidth;
    ThumbHeight = FSize.ThumbHeight;
    ThumbRow = Job;
    FileName.clear();
    ThumbBmp = nullptr;
    MaskBmp = nullptr;
    if (FThumbTypeIndex == 0) {
        TImageDraw* Doc = FForm.Documents().Live();
        if (!Doc) return;
        TCustomBitmap32* Thumb = Doc->OriBmpThumb();
        if (!Thumb || Doc->OriBmpThumbChanged() || Thumb->Width() > ThumbWidth || Thumb->Height() > ThumbHeight ||
            (Thumb->Width() != ThumbWidth && Thumb->Height() != ThumbHeight))
            Doc->MakeThumbOfOriBmp(ThumbWidth, ThumbHeight);
        {
            auto Lock = Doc->LockOriBmp();
            if (!FThumbSource) FThumbSource = std::make_unique<TBitmap32>();
            FThumbSource->Assign(Doc->OriBmpThumb());
        }
        ThumbBmp = FThumbSource.get();
        auto* Mask = Job->Data3().As<TBitmap32>();
        MaskBmp = Mask ? Mask : Job->Data2().As<TBitmap32>();
    }
    OK = true;
}

void TPresetPanel::SetThumbInfo(Integer ThumbWidth, Integer ThumbHeight, TBitmap32* D)
{
    std::unique_ptr<TBitmap32> Result(D);
    TRow* Row = FMakeThumbRow;
    FMakeThumbRow = nullptr;
    // The page changed meanwhile: the result has no row to go to.
    if (!PresetRowOnPage(FThumbDT, Row)) {
        // An empty result would be asked for again and again: the row keeps
        // an empty picture instead.
        return;
    }
    if (FMakeThumbTypeIndex == 1 && FThumbSubTypeIndex <= 1) ClearFrameGround(*Result);
    Row->GetItem(C::ThumbWidth)->SetValue(ThumbWidth);
    Row->GetItem(C::ThumbHeight)->SetValue(ThumbHeight);
    Row->Data().Own(std::move(Result));
    if (FThumbTypeIndex == FMakeThumbTypeIndex)
        for (size_t i = 0; i < FThumbDT.size(); ++i)
            if (FThumbDT[i] == Row) DrawPresetThumbs(Integer(i));
}

// ---------------------------------------------------------------------------
// A click on a tile

void TPresetPanel::ApplyThumbnailPreset(Integer Index)
{
    if (Index < 0 || Index >= Integer(FThumbDT.size())) return;
    TImageDraw* Doc = FForm.Documents().Live();
    if (!Doc) return;
    TRow& Row = *FThumbDT[size_t(Index)];
    FForm.EndEffectDrawing();
    if (Doc->DeleteCropShape()) Doc->SaveUndo();
    const bool OnBitmap = Doc->ObjectSelectedCount() == 1 && Doc->Shape() && Doc->Shape()->ShapeType() == shSmall;
    if (FThumbTypeIndex != 0) {
        ApplyFramePreset(Row, OnBitmap);
        return;
    }

    const Integer Kind = Row.GetItem(C::Kind)->Value();
    Doc->SetEffectSmall(OnBitmap);
    if (!OnBitmap && Kind >= 1 && Kind <= 33 && Doc->SelectionExists() && !Doc->CropEnabled()) {
        Application->MessageBox(GetLangText(1, 125), EditionTitle, MB_OK | MB_ICONINFORMATION);
        return;
    }
    Doc->SetEffectMode(static_cast<TEffectMode>(Kind));
    if (Kind == emGrayscale || Kind == emInvert) {
        Doc->EffectBegin();
        Doc->EffectDo(0, false);
        Doc->EffectEnd(true);
        Doc->Draw();
        Doc->SetEffectMode(emNone);
        return;
    }
    Int64 Pixels = Int64(Doc->Width()) * Doc->Height();
    if (Doc->SelectionExists()) {
        const TRect R = Doc->SelectionShape()->RegionRect();
        Pixels = Int64(R.Right - R.Left) * (R.Bottom - R.Top);
    }
    if (PresetAsksSize(static_cast<TEffectMode>(Kind), OnBitmap, Pixels)) {
        const String Text = GetLangText(2, 40);
        const bool Go = OnAskLarge ? OnAskLarge(Text)
                                   : Application->MessageBox(Text, EditionTitle, MB_YESNO | MB_ICONQUESTION) == IDYES;
        if (!Go) {
            Doc->SetEffectMode(emNone);
            return;
        }
    }
    Doc->SetEffectMaskBmp(Row.Data2().As<TCustomBitmap32>());
    FForm.Effects().ShowEffectDialog(Row.GetItem(FThumbCaptionIndex)->Text());
    Doc->SetEffectMaskBmp(nullptr);
}

// A frame tile: the frame dialog over the document's frame run.
void TPresetPanel::ApplyFramePreset(TRow& Row, bool OnBitmap)
{
    TImageDraw* Doc = FForm.Documents().Live();
    if (!Doc || !ConfigTable) return;
    Doc->SetFrameSmall(OnBitmap);
    Doc->SetFrameType(FThumbSubTypeIndex);
    Doc->SetFrameMode(Row.GetItem(C::Kind)->Value());
    TDataTable* Table = FThumbSubTypeIndex == 2 ? Row.Data3().As<TDataTable>() : nullptr;
    if (FThumbSubTypeIndex == 3) Doc->SetFrameMaskBmp(Row.Data2().As<TCustomBitmap32>());
    auto Dialog = std::make_unique<TfrmImageFrames>(Application, FForm.SkinData(), *Doc, *ConfigTable, Table, &FForm,
                                                    FForm.Locale().BackColor());
    Dialog->SetLeft(FForm.FFramesWindowLeft);
    Dialog->SetTop(FForm.FFramesWindowTop);
    Doc->FrameBegin();
    const bool Ok = Dialog->ShowModal() == mrOk;
    Doc->FrameEnd(Ok);
    FForm.FFramesWindowLeft = Dialog->Left();
    FForm.FFramesWindowTop = Dialog->Top();
    Dialog.reset();
    Doc->SetFrameMaskBmp(nullptr);
    FForm.AfterModalDialog();
}
