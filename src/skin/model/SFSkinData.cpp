#include "skin/model/SFSkinData.h"

#include <algorithm>
#include <functional>
#include <new>

#include "framework/runtime/SaveFileSet.h"
#include "framework/runtime/SysUtils.h"
#include "framework/runtime/ZLibStreams.h"
#include "skin/model/SFCompressedSkin.h"
#include "skin/model/SFResStrData.h"
#include "skin/model/SFUtils.h"

TsfJpegFileLoader SfJpegFileLoader = nullptr;
TsfSkinMessageSender SfSkinMessageSender = nullptr;
TsfSkinCursorLoader SfSkinCursorLoader = nullptr;

namespace {

// [FORMINFO] in reading order, split where the two adjustments run.
const TSkinKeys<TsfSkinContent> FormInfoKeys1 = {
    {u"lefttoppoint", &TsfSkinContent::LTPoint},
    {u"righttoppoint", &TsfSkinContent::RTPoint},
    {u"leftbottompoint", &TsfSkinContent::LBPoint},
    {u"rightbottompoint", &TsfSkinContent::RBPoint},
    {u"clientrect", &TsfSkinContent::ClRect},
    {u"bgpictureindex", &TsfSkinContent::BGPictureIndex, -1},
    {u"mdibgpictureindex", &TsfSkinContent::MDIBGPictureIndex, -1},
    {u"leftstretch", &TsfSkinContent::LeftStretch},
    {u"rightstretch", &TsfSkinContent::RightStretch},
    {u"topstretch", &TsfSkinContent::TopStretch},
    {u"bottomstretch", &TsfSkinContent::BottomStretch},
    {u"stretcheffect", &TsfSkinContent::StretchEffect},
    {u"stretchtype", &TsfSkinContent::StretchType},
    {u"mdibgstretcheffect", &TsfSkinContent::MDIBGStretchEffect},
    {u"mdibgstretchtype", &TsfSkinContent::MDIBGStretchType},
    {u"buttonsrect", &TsfSkinContent::ButtonsRect},
    {u"captionrect", &TsfSkinContent::CaptionRect},
    {u"buttonsoffset", &TsfSkinContent::ButtonsOffset, 0},
    {u"buttonsinleft", &TsfSkinContent::CapButtonsInLeft},
    {u"maskrectarea", &TsfSkinContent::MaskRectArea},
    {u"hittestlefttoppoint", &TsfSkinContent::HitTestLTPoint},
    {u"hittestrighttoppoint", &TsfSkinContent::HitTestRTPoint},
    {u"hittestleftbottompoint", &TsfSkinContent::HitTestLBPoint},
    {u"hittestrightbottompoint", &TsfSkinContent::HitTestRBPoint},
    {u"rollupleftpoint", &TsfSkinContent::RollUpLeftPoint},
    {u"rolluprightpoint", &TsfSkinContent::RollUpRightPoint},
};
const TSkinKeys<TsfSkinContent> FormInfoKeys2 = {
    {u"mainmenurect", &TsfSkinContent::MainMenuRect},
    {u"iconrect", &TsfSkinContent::IconRect},
    {u"mainmenupopupup", &TsfSkinContent::MainMenuPopupUp},
    {u"borderwidth", &TsfSkinContent::BorderW, 0},
    {u"formminwidth", &TsfSkinContent::FormMinWidth, 0},
    {u"formminheight", &TsfSkinContent::FormMinHeight, 0},
    {u"mditabstransparent", &TsfSkinContent::MDITabsTransparent},
    {u"mainmenubartransparent", &TsfSkinContent::MainMenuBarTransparent},
    {u"cursorindex", &TsfSkinContent::CursorIndex, -1},
    {u"autorenderinginactiveimage", &TsfSkinContent::AutoRenderingInActiveImage},
    {u"inactiveeffect", &TsfSkinContent::InActiveEffect},
};
const TSkinKeys<TsfSkinContent> FormInfoKeys3 = {
    {u"sizegriparea", &TsfSkinContent::SizeGripArea},
    {u"statusbarname", &TsfSkinContent::StatusBarName, u""},
};
const TSkinKeys<TsfSkinContent> VersionKeys = {
    {u"skinname", &TsfSkinContent::SkinName, u""},
    {u"skinauthor", &TsfSkinContent::SkinAuthor, u""},
    {u"authoremail", &TsfSkinContent::AuthorEmail, u""},
    {u"authorurl", &TsfSkinContent::AuthorURL, u""},
    {u"skincomments", &TsfSkinContent::SkinComments, u""},
};

// A list section's count, bounded like every other count a skin gives.
Integer ListCount(const TCustomIniFile* F, const String& Section)
{
    return std::min(F->ReadInteger(Section, u"count", 0), MaxSkinListCount);
}

template <class List>
Integer IndexOfName(const List& Items, const String& AIDName)
{
    for (size_t i = 0; i < Items.size(); ++i)
        if (Items[i]->IDName == AIDName) return static_cast<Integer>(i);
    return -1;
}

template <class Base, class Create>
void ReadListSection(const TCustomIniFile* F, const String& Section, std::vector<std::unique_ptr<Base>>& List,
                     Create MakeData)
{
    const Integer count = ListCount(F, Section);
    for (Integer i = 0; i < count; ++i) {
        const String line = F->ReadString(Section, IntToStr(i), u"");
        const size_t colon = line.find(u':');
        const String id = colon == String::npos ? String() : line.substr(0, colon);
        const String kind = colon == String::npos ? String() : line.substr(colon + 1);
        std::unique_ptr<Base> data = MakeData(kind, id);
        if (!data) continue;
        Base* added = data.get();
        List.push_back(std::move(data));
        added->LoadFromFile(F);
    }
}

}  // namespace

// ---------------------------------------------------------------------------
TsfSkinContent::TsfSkinContent()
    : FSkinColors(std::make_unique<TsfSkinColors>()), PopupWindow(std::make_unique<TsfDataSkinPopupWindow>()),
      LayerFrame(std::make_unique<TsfDataSkinLayerFrame>()), HintWindow(std::make_unique<TsfDataSkinHintWindow>()),
      FActivePicturesNames(std::make_unique<TStringList>()), FCursorsNames(std::make_unique<TStringList>())
{
    FSkinColors->SetColorsToDefault();
}

TsfSkinContent::~TsfSkinContent() = default;
TsfSkinContent::TsfSkinContent(TsfSkinContent&&) noexcept = default;
TsfSkinContent& TsfSkinContent::operator=(TsfSkinContent&&) noexcept = default;

TDibImage& TsfSkinContent::FixedPicture(TsfFixedPicture Which)
{
    TDibImage* const pictures[] = {&FPicture, &FInActivePicture, &FMask, &FRollUpPicture, &FRollUpMask};
    return *pictures[Which];
}

const TDibImage& TsfSkinContent::FixedPicture(TsfFixedPicture Which) const
{
    return const_cast<TsfSkinContent*>(this)->FixedPicture(Which);
}

String& TsfSkinContent::FixedPictureName(TsfFixedPicture Which)
{
    String* const names[] = {&FPictureName, &FInActivePictureName, &FMaskName, &FRollUpPictureName,
                             &FRollUpMaskName};
    return *names[Which];
}

Integer TsfSkinContent::GetControlIndex(const String& AIDName) const { return IndexOfName(CtrlList, AIDName); }
Integer TsfSkinContent::GetIndex(const String& AIDName) const { return IndexOfName(ObjectList, AIDName); }
Integer TsfSkinContent::GetAreaIndex(const String& AIDName) const { return IndexOfName(AreaList, AIDName); }

void TsfSkinContent::AddSkinArea(const String& AName, const TRect& ARect, bool AUseAnchors, bool AAnchorLeft,
                                 bool AAnchorTop, bool AAnchorRight, bool AAnchorBottom)
{
    AreaList.push_back(std::make_unique<TsfDataSkinArea>(AName, ARect, AUseAnchors, AAnchorLeft, AAnchorTop,
                                                         AAnchorRight, AAnchorBottom));
}

TDibImage LoadSkinPictureFile(const String& Path, TsfSkinPixelBudget* Budget)
{
    TDibImage image;
    const String lower = LowerCase(ExtractFileName(Path));
    if (lower.find(u".jpg") != String::npos || lower.find(u".jpeg") != String::npos) {
        if (!SfJpegFileLoader) throw EInvalidGraphic(u"JPEG pictures are not available");
        SfJpegFileLoader(Path, image, Budget);
        return image;
    }
    TFileStream file(Path, fmOpenRead | fmShareDenyWrite);
    ReadSkinPicture(&file, image, Budget);
    return image;
}

void TsfSkinContent::AddBitMap(const String& FileName, TsfSkinPixelBudget* Budget)
{
    TDibImage picture = LoadSkinPictureFile(FileName, Budget);
    FActivePicturesNames->Add(ExtractFileName(FileName));
    FActivePictures.push_back(std::move(picture));
}

void TsfSkinContent::DeleteBitMap(Integer Index)
{
    if (Index < 0 || Index >= static_cast<Integer>(FActivePictures.size()))
        throw EListError(Format(u"List index out of bounds (%d)", {Index}));
    FActivePictures.erase(FActivePictures.begin() + Index);
    FActiveBitmaps.reset();
    if (Index < FActivePicturesNames->Count()) FActivePicturesNames->Delete(Index);
}

void TsfSkinContent::ClearObjects()
{
    AreaList.clear();
    ObjectList.clear();
    CtrlList.clear();
    FActivePictures.clear();
    FActiveBitmaps.reset();
    PopupWindow->WindowPictureIndex = -1;
    HintWindow->WindowPictureIndex = -1;
    LayerFrame->PictureIndex = -1;
    FCursorsNames->Clear();
    FActivePicturesNames->Clear();
    FSkinColors->SetColorsToDefault();
}

// ---------------------------------------------------------------------------
// Reading
void TsfSkinContent::ReadVersion(const TCustomIniFile* F) { ReadSkinKeys(F, u"VERSION", *this, VersionKeys); }

void TsfSkinContent::ReadFormInfo(const TCustomIniFile* F)
{
    const String section = u"FORMINFO";
    ReadSkinKeys(F, section, *this, FormInfoKeys1);
    if (!FMaskName.empty()) {
        if (IsNullRect(MaskRectArea)) {
            MaskRectArea = ClRect;
        } else {
            MaskRectArea.Left = std::min(MaskRectArea.Left, ClRect.Left);
            MaskRectArea.Top = std::min(MaskRectArea.Top, ClRect.Top);
            MaskRectArea.Right = std::max(MaskRectArea.Right, ClRect.Right);
            MaskRectArea.Bottom = std::max(MaskRectArea.Bottom, ClRect.Bottom);
        }
        const std::pair<TPoint*, const TPoint*> hitTests[] = {
            {&HitTestLTPoint, &LTPoint}, {&HitTestRTPoint, &RTPoint},
            {&HitTestLBPoint, &LBPoint}, {&HitTestRBPoint, &RBPoint}};
        for (auto [hit, corner] : hitTests)
            if (IsNullPoint(*hit)) *hit = *corner;
    }
    ReadSkinKeys(F, section, *this, FormInfoKeys2);
    if (RBPoint.X != LTPoint.X && RBPoint.Y != LTPoint.Y) {
        LTPoint.X = std::max(LTPoint.X, ClRect.Left);
        LTPoint.Y = std::max(LTPoint.Y, ClRect.Top);
        RTPoint.X = std::min(RTPoint.X, ClRect.Right);
        RTPoint.Y = std::max(RTPoint.Y, ClRect.Top);
        LBPoint.X = std::max(LBPoint.X, ClRect.Left);
        LBPoint.Y = std::min(LBPoint.Y, ClRect.Bottom);
        RBPoint.X = std::min(RBPoint.X, ClRect.Right);
        RBPoint.Y = std::min(RBPoint.Y, ClRect.Bottom);
    }
    ReadSkinKeys(F, section, *this, FormInfoKeys3);
}

void TsfSkinContent::ReadWindowsAndColors(const TCustomIniFile* F)
{
    PopupWindow->LoadFromFile(F);
    LayerFrame->LoadFromFile(F);
    HintWindow->LoadFromFile(F);
    FSkinColors->LoadFromFile(F);
}

void TsfSkinContent::ReadSkinAreas(const TCustomIniFile* F)
{
    const Integer count = ListCount(F, u"SKINAREAS");
    for (Integer i = 0; i < count; ++i) {
        const String line = F->ReadString(u"SKINAREAS", IntToStr(i), u"");
        const size_t colon = line.rfind(u':');
        const size_t semicolon = line.rfind(u';');
        String name;
        TRect rect;
        if (colon != String::npos) {
            name = line.substr(0, colon);
            // A ";" before the ":" belongs to the name: the rectangle runs to the end.
            const size_t end = semicolon != String::npos && semicolon > colon ? semicolon : line.size();
            rect = ParseRectText(line.substr(colon + 1, end - colon - 1));
        }
        bool flags[5] = {};
        if (semicolon != String::npos) {
            const String text = line.substr(semicolon + 1);
            if (text.size() == 9)
                for (size_t k = 0; k < 5; ++k) flags[k] = text[2 * k] == u'1';
        }
        AddSkinArea(name, rect, flags[0], flags[1], flags[2], flags[3], flags[4]);
    }
}

void TsfSkinContent::ReadSkinObjects(const TCustomIniFile* F)
{
    ReadListSection(F, u"SKINOBJECTS", ObjectList, CreateSkinObjectData);
}

void TsfSkinContent::ReadSkinControls(const TCustomIniFile* F)
{
    ReadListSection(F, u"SKINCONTROLS", CtrlList, CreateSkinControlData);
}

void TsfSkinContent::ReadBody(TsfSkinBody& Body)
{
    for (Integer i = 0; i < FixedPictureCount; ++i)
        FixedPicture(static_cast<TsfFixedPicture>(i)) = std::move(Body.Fixed[i]);
    FActivePictures = std::move(Body.Pictures);
    TStringList lines;
    SkinIniTextLines(Body.IniText, &lines);
    TMemIniFile ini(u"");
    ini.SetStrings(&lines);
    ReadVersion(&ini);
    // The inactive picture's name is not read on this road.
    for (TsfFixedPicture which : {fpPicture, fpMask, fpRollUpPicture, fpRollUpMask})
        FixedPictureName(which) = ini.ReadString(u"PICTURES", SkinPictureKey(which), u"");
    ReadIndexedList(&ini, u"PICTURES", u"activepictures", FActivePicturesNames.get());
    ReadFormInfo(&ini);
    ReadWindowsAndColors(&ini);
    ReadSkinAreas(&ini);
    ReadSkinObjects(&ini);
    ReadSkinControls(&ini);
}

// ---------------------------------------------------------------------------
// Writing
void TsfSkinContent::SaveToCustomIniFile(TCustomIniFile* F) const
{
    for (const char16_t* section :
         {u"VERSION", u"PICTURES", u"CURSORS", u"FORMINFO", u"SKINAREAS", u"SKINOBJECTS", u"SKINCONTROLS"})
        F->EraseSection(section);
    F->WriteInteger(u"VERSION", u"ver", 2);
    WriteSkinKeys(F, u"VERSION", *this, VersionKeys);
    auto* self = const_cast<TsfSkinContent*>(this);
    for (Integer i = 0; i < FixedPictureCount; ++i)
        F->WriteString(u"PICTURES", SkinPictureKey(static_cast<TsfFixedPicture>(i)), self->FixedPictureName(static_cast<TsfFixedPicture>(i)));
    WriteIndexedList(F, u"PICTURES", u"activepictures", FActivePicturesNames.get());
    F->WriteInteger(u"CURSORS", u"startcursorindex", StartCursorIndex);
    WriteIndexedList(F, u"CURSORS", u"cursors", FCursorsNames.get());
    WriteSkinKeys(F, u"FORMINFO", *this, FormInfoKeys1);
    WriteSkinKeys(F, u"FORMINFO", *this, FormInfoKeys2);
    WriteSkinKeys(F, u"FORMINFO", *this, FormInfoKeys3);
    PopupWindow->SaveToFile(F);
    LayerFrame->SaveToFile(F);
    HintWindow->SaveToFile(F);
    F->WriteInteger(u"SKINAREAS", u"count", static_cast<Integer>(AreaList.size()));
    for (size_t i = 0; i < AreaList.size(); ++i) {
        const TsfDataSkinArea& a = *AreaList[i];
        auto flag = [](bool B, const char16_t* Tail) { return String(B ? u"1" : u"0") + Tail; };
        F->WriteString(u"SKINAREAS", IntToStr(static_cast<Integer>(i)),
                       a.IDName + u":" + RectToText(a.AreaRect) + u";" + flag(a.UseAnchors, u",") +
                           flag(a.AnchorLeft, u",") + flag(a.AnchorTop, u",") + flag(a.AnchorRight, u",") +
                           flag(a.AnchorBottom, u""));
    }
    FSkinColors->SaveToFile(F);
    F->WriteInteger(u"SKINOBJECTS", u"count", static_cast<Integer>(ObjectList.size()));
    for (size_t i = 0; i < ObjectList.size(); ++i) {
        F->WriteString(u"SKINOBJECTS", IntToStr(static_cast<Integer>(i)),
                       ObjectList[i]->IDName + u":" + SkinObjectKind(ObjectList[i].get()));
        ObjectList[i]->SaveToFile(F);
    }
    F->WriteInteger(u"SKINCONTROLS", u"count", static_cast<Integer>(CtrlList.size()));
    for (size_t i = 0; i < CtrlList.size(); ++i) {
        F->WriteString(u"SKINCONTROLS", IntToStr(static_cast<Integer>(i)),
                       CtrlList[i]->IDName + u":" + SkinControlKind(CtrlList[i].get()));
        CtrlList[i]->SaveToFile(F);
    }
}

TsfSkinBody TsfSkinContent::MakeBody() const
{
    TsfSkinBody body;
    for (Integer i = 0; i < FixedPictureCount; ++i)
        body.Fixed[i] = FixedPicture(static_cast<TsfFixedPicture>(i));
    body.Pictures = FActivePictures;
    TMemIniFile ini(u"");
    SaveToCustomIniFile(&ini);
    TStringList lines;
    ini.GetStrings(&lines);
    body.IniText = SkinIniTextBytes(&lines);
    return body;
}

// ---------------------------------------------------------------------------
TsfSkinData::TsfSkinData(TComponent* AOwner) : TComponent(AOwner) {}

TsfSkinData::~TsfSkinData()
{
    Empty = true;
    ClearObjects();
}

void TsfSkinData::ClearAll()
{
    ClearObjects();
    for (Integer i = 0; i < FixedPictureCount; ++i) {
        FixedPicture(static_cast<TsfFixedPicture>(i)) = TDibImage();
        FixedPictureName(static_cast<TsfFixedPicture>(i)).clear();
    }
    Empty = true;
}

void TsfSkinData::ClearSkin()
{
    // Announced before anything goes, as a load does: a receiver of 1225 may
    // still look at its old description while it lets go of it.
    Empty = true;
    SendSkinDataMessage(WM_BEFORECHANGESKINDATA);
    ClearAll();
    SendSkinDataMessage(WM_AFTERCHANGESKINDATA);
    SendSkinDataMessage(WM_CHANGESKINDATAFINISHED);
}

void TsfSkinData::SendSkinDataMessage(Integer M)
{
    if (BuildMode || !SfSkinMessageSender) return;
    SfSkinMessageSender(this, M);
}

void TsfSkinData::ApplySkin(TsfSkinContent&& Staged)
{
    Empty = true;
    ChangeSkinDataProcess = true;
    SendSkinDataMessage(WM_BEFORECHANGESKINDATA);
    ClearAll();
    static_cast<TsfSkinContent&>(*this) = std::move(Staged);
    Empty = false;
    if (OnLoadData) OnLoadData(this);
    SendSkinDataMessage(WM_AFTERCHANGESKINDATA);
    ChangeSkinDataProcess = false;
    SendSkinDataMessage(WM_CHANGESKINDATAFINISHED);
}

bool TsfSkinData::LoadCompressedStoredSkin(TsfCompressedStoredSkin* AStoredSkin)
{
    FLoadError.clear();
    if (!AStoredSkin || AStoredSkin->Empty()) return false;
    TsfSkinContent staged;
    try {
        TMemoryStream body;
        // Room for a typical body at once: growing a block of megabytes step
        // by step costs more than inflating it under Wine. Skins compress
        // about 25 to 1; a larger one still grows as needed.
        body.SetCapacity(std::min<Int64>(AStoredSkin->CompressedStream()->Size() * 32, Int64(64) << 20));
        ZDecompressStream(&body, AStoredSkin->CompressedStream(), MaxSkinBodySize);
        body.SetPosition(0);
        TsfSkinBody parts;
        ReadSkinBody(&body, parts);
        staged.ReadBody(parts);
    } catch (const Exception& E) {
        FLoadError = E.Message();
        return false;
    } catch (const std::bad_alloc&) {
        // Within the caps a 32-bit process can still run short.
        FLoadError = u"Out of memory";
        return false;
    }
    ApplySkin(std::move(staged));
    return true;
}

bool TsfSkinData::LoadFromCompressedFile(const String& FileName)
{
    FLoadError.clear();
    TsfCompressedStoredSkin stored(nullptr);
    try {
        stored.LoadFromCompressFile(FileName);
    } catch (const Exception& E) {
        FLoadError = E.Message();
        return false;
    }
    if (!LoadCompressedStoredSkin(&stored)) return false;
    FSkinFileName = FileName;
    return true;
}

bool TsfSkinData::LoadFromFile(const String& FileName)
{
    FLoadError.clear();
    TsfSkinContent staged;
    try {
        TMemIniFile ini(FileName);
        if (!IsSkinIniFile(&ini)) return false;
        const String base = ExtractFilePath(FileName);
        staged.ReadVersion(&ini);
        for (Integer i = 0; i < FixedPictureCount; ++i)
            staged.FixedPictureName(static_cast<TsfFixedPicture>(i)) =
                ini.ReadString(u"PICTURES", SkinPictureKey(static_cast<TsfFixedPicture>(i)), u"");
        TsfSkinPixelBudget budget;
        for (Integer i = 0; i < FixedPictureCount; ++i) {
            const String& name = staged.FixedPictureName(static_cast<TsfFixedPicture>(i));
            if (!name.empty())
                staged.FixedPicture(static_cast<TsfFixedPicture>(i)) = LoadSkinPictureFile(base + name, &budget);
        }
        TStringList names;
        ReadIndexedList(&ini, u"PICTURES", u"activepictures", &names);
        for (Integer i = 0; i < names.Count(); ++i) staged.AddBitMap(base + names[i], &budget);
        staged.StartCursorIndex = std::max(1, ini.ReadInteger(u"CURSORS", u"startcursorindex", 1));
        ReadIndexedList(&ini, u"CURSORS", u"cursors", staged.FCursorsNames.get());
        staged.ReadFormInfo(&ini);
        staged.ReadWindowsAndColors(&ini);
        staged.ReadSkinAreas(&ini);
        staged.ReadSkinObjects(&ini);
        staged.ReadSkinControls(&ini);
    } catch (const Exception& E) {
        FLoadError = E.Message();
        return false;
    } catch (const std::bad_alloc&) {
        FLoadError = u"Out of memory";
        return false;
    }
    const String base = ExtractFilePath(FileName);
    ApplySkin(std::move(staged));
    // A cursor file that cannot be loaded leaves its slot to the default cursor.
    if (!BuildMode && SfSkinCursorLoader)
        for (Integer i = 0; i < FCursorsNames->Count(); ++i)
            SfSkinCursorLoader(base + (*FCursorsNames)[i], StartCursorIndex + i);
    FSkinFileName = FileName;
    return true;
}

// ---------------------------------------------------------------------------
void TsfSkinData::SaveToFile(const String& FileName) const
{
    TMemIniFile ini(FileName);
    SaveToCustomIniFile(&ini);
    ini.UpdateFile();
}

void TsfSkinData::StoreToDisk(const String& AFileName) const
{
    // The folder as a whole: a description beside pictures of another skin
    // would load as neither.
    TMemIniFile ini(AFileName);
    SaveToCustomIniFile(&ini);
    TStringList lines;
    ini.GetStrings(&lines);
    std::vector<TFileToSave> files{{AFileName, [&](TStream* S) { lines.SaveToStream(S, ini.Encoding()); }}};
    const String base = ExtractFilePath(AFileName);
    auto store = [&](const String& Name, const TDibImage& Picture) {
        if (Name.empty() || Picture.Empty()) return;
        files.push_back({base + Name, [&Picture](TStream* S) { WriteBmp(S, Picture); }});
    };
    auto* self = const_cast<TsfSkinData*>(this);
    for (Integer i = 0; i < FixedPictureCount; ++i)
        store(self->FixedPictureName(static_cast<TsfFixedPicture>(i)), FixedPicture(static_cast<TsfFixedPicture>(i)));
    for (size_t i = 0; i < FActivePictures.size(); ++i)
        if (static_cast<Integer>(i) < FActivePicturesNames->Count())
            store((*FActivePicturesNames)[static_cast<Integer>(i)], FActivePictures[i]);
    SaveFilesAtomically(files);
}

void TsfSkinData::SaveToCompressedFile(const String& FileName)
{
    TsfCompressedStoredSkin stored(nullptr);
    stored.LoadFromSkinData(this);
    stored.SaveToCompressFile(FileName);
}

void TsfSkinData::GlobalChangeFont(const String& ANewFontName, Integer AFontHeightCorrection)
{
    auto change = [&](auto* D) {
        D->FontName = ANewFontName;
        D->FontHeight += AFontHeightCorrection;
    };
    change(HintWindow.get());
    for (auto& o : ObjectList) {
        if (auto* d = dynamic_cast<TsfDataSkinLabel*>(o.get())) change(d);
        else if (auto* d = dynamic_cast<TsfDataSkinMenuItem*>(o.get())) change(d);
        else if (auto* d = dynamic_cast<TsfDataSkinMainMenuBarItem*>(o.get())) change(d);
        else if (auto* d = dynamic_cast<TsfDataSkinCaption*>(o.get())) change(d);
    }
    for (auto& c : CtrlList) {
        TsfDataSkinControl* p = c.get();
        if (auto* d = dynamic_cast<TsfDataSkinTreeView*>(p)) change(d);
        else if (auto* d = dynamic_cast<TsfDataSkinListView*>(p)) change(d);
        else if (auto* d = dynamic_cast<TsfDataSkinRichEdit*>(p)) change(d);
        else if (auto* d = dynamic_cast<TsfDataSkinTabControl*>(p)) change(d);
        else if (auto* d = dynamic_cast<TsfDataSkinGridControl*>(p)) {
            change(d);
            d->FixedFontName = ANewFontName;
            d->FixedFontHeight += AFontHeightCorrection;
        } else if (auto* d = dynamic_cast<TsfDataSkinComboBox*>(p)) change(d);
        else if (auto* d = dynamic_cast<TsfDataSkinListBox*>(p)) {
            change(d);
            d->CaptionFontName = ANewFontName;
            d->CaptionFontHeight += AFontHeightCorrection;
        } else if (auto* d = dynamic_cast<TsfDataSkinSpinEditControl*>(p)) change(d);
        else if (auto* d = dynamic_cast<TsfDataSkinEditControl*>(p)) change(d);
        else if (auto* d = dynamic_cast<TsfDataSkinStdLabelControl*>(p)) change(d);
        else if (auto* d = dynamic_cast<TsfDataSkinLabelControl*>(p)) change(d);
        else if (auto* d = dynamic_cast<TsfDataSkinGaugeControl*>(p)) change(d);
        else if (auto* d = dynamic_cast<TsfDataSkinButtonControl*>(p)) change(d);
        else if (auto* d = dynamic_cast<TsfDataSkinCheckRadioControl*>(p)) change(d);
        else if (auto* d = dynamic_cast<TsfDataSkinPanelControl*>(p)) change(d);
        else if (auto* d = dynamic_cast<TsfDataSkinExPanelControl*>(p)) change(d);
    }
}

// ---------------------------------------------------------------------------
// Properties
void TsfSkinData::SetCompressedStoredSkin(TsfCompressedStoredSkin* Value)
{
    if (FCompressedStoredSkin) FCompressedStoredSkin->RemoveFreeNotification(this);
    FCompressedStoredSkin = Value;
    if (Value) Value->FreeNotification(this);
    if (!Designing() && Value) LoadCompressedStoredSkin(Value);
}

void TsfSkinData::SetResourceStrData(TsfResourceStrData* Value)
{
    if (FResourceStrData) FResourceStrData->RemoveFreeNotification(this);
    FResourceStrData = Value;
    if (Value) Value->FreeNotification(this);
    if (!Designing()) SendSkinDataMessage(WM_CHANGERESSTRDATA);
}

void TsfSkinData::SetSkinList(TsfCompressedSkinList* Value)
{
    if (FCompressedSkinList) FCompressedSkinList->RemoveFreeNotification(this);
    FCompressedSkinList = Value;
    if (!Value) return;
    Value->FreeNotification(this);
    if (!Designing() && FCompressedSkinIndex >= 0 && FCompressedSkinIndex < Value->Skins()->Count())
        LoadCompressedStoredSkin(Value->Skins()->Items(FCompressedSkinIndex)->Skin());
}

void TsfSkinData::SetSkinIndex(Integer Value)
{
    if (Value == FCompressedSkinIndex) return;
    if (!FCompressedSkinList) {
        FCompressedSkinIndex = Value;
        return;
    }
    if (Value < 0 || Value >= FCompressedSkinList->Skins()->Count()) return;
    FCompressedSkinIndex = Value;
    if (!Designing()) LoadCompressedStoredSkin(FCompressedSkinList->Skins()->Items(Value)->Skin());
}

void TsfSkinData::SetSkinnableForm(bool Value)
{
    if (Value == FSkinnableForm) return;
    FSkinnableForm = Value;
    if (!DesigningOrLoading()) SendSkinDataMessage(WM_CHANGESKINNABLEFORM);
}

void TsfSkinData::SetShowLayeredBorders(bool Value)
{
    if (Value == FShowLayeredBorders) return;
    FShowLayeredBorders = Value;
    if (!DesigningOrLoading()) SendSkinDataMessage(WM_SHOWLAYEREDBORDERS);
}

void TsfSkinData::SetAeroBlurEnabled(bool Value)
{
    if (Value == FAeroBlurEnabled) return;
    FAeroBlurEnabled = Value;
    if (!DesigningOrLoading()) SendSkinDataMessage(WM_AEROBLURENABLED);
}

void TsfSkinData::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FCompressedStoredSkin) FCompressedStoredSkin = nullptr;
    if (AComponent == FResourceStrData) FResourceStrData = nullptr;
    if (AComponent == FCompressedSkinList) FCompressedSkinList = nullptr;
}
