// SFSkinData: the application's skin (TsfSkinData): its pictures, the frame
// geometry, the control, frame-object and area descriptions, the skin colours,
// the options of the skinned parts, and the announcement of a skin change to
// the forms. Portable; the Windows part (win/SFSkinData_Win) installs the
// sender that delivers the announcement to the owner form and Screen.Forms.
#pragma once

#include <memory>
#include <vector>

#include "framework/graphics/BmpFormat.h"
#include "skin/model/SFControlData.h"
#include "skin/model/SFMessages.h"
#include "skin/model/SFObjectData.h"
#include "skin/model/SFSkinBody.h"
#include "skin/model/SFWindowData.h"

class TsfBitmap;
class TsfCompressedStoredSkin;
class TsfCompressedSkinList;
class TsfResourceStrData;



// Everything a skin brings: what a load reads and replaces as a whole. A load
// reads into a separate content and swaps it in only when the whole skin was
// read, so a damaged skin never leaves the application without one.
class TsfSkinContent {
public:
    TsfSkinContent();
    ~TsfSkinContent();
    TsfSkinContent(TsfSkinContent&&) noexcept;
    TsfSkinContent& operator=(TsfSkinContent&&) noexcept;

    std::unique_ptr<TsfSkinColors> FSkinColors;
    TRect SizeGripArea;
    String StatusBarName;
    TRect ButtonsRect;
    TRect CaptionRect;
    Integer ButtonsOffset = 0;
    bool CapButtonsInLeft = false;
    bool AutoRenderingInActiveImage = false;
    TsfInActiveEffect InActiveEffect = ieBrightness;
    Integer StartCursorIndex = 1;
    Integer CursorIndex = -1;
    std::unique_ptr<TsfDataSkinPopupWindow> PopupWindow;
    std::unique_ptr<TsfDataSkinLayerFrame> LayerFrame;
    std::unique_ptr<TsfDataSkinHintWindow> HintWindow;
    TDibImage FPicture;
    TDibImage FInActivePicture;
    TDibImage FMask;
    TDibImage FRollUpPicture;
    TDibImage FRollUpMask;
    // The picture list that descriptions refer to by 0-based index.
    std::vector<TDibImage> FActivePictures;
    // Picture Index of that list as a skin bitmap, made on first use and kept
    // with the content (a load replaces both); nullptr for an index outside
    // the list or an empty picture (SFSkinData_Bitmaps.cpp).
    TsfBitmap* ActiveBitmap(Integer Index) const;
    String FPictureName;
    String FInActivePictureName;
    String FMaskName;
    String FRollUpPictureName;
    String FRollUpMaskName;
    std::unique_ptr<TStringList> FActivePicturesNames;
    std::unique_ptr<TStringList> FCursorsNames;
    std::vector<std::unique_ptr<TsfDataSkinObject>> ObjectList;
    std::vector<std::unique_ptr<TsfDataSkinArea>> AreaList;
    std::vector<std::unique_ptr<TsfDataSkinControl>> CtrlList;
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    Integer BGPictureIndex = -1;
    Integer MDIBGPictureIndex = -1;
    TRect MainMenuRect;
    TRect IconRect;
    bool MainMenuPopupUp = false;
    TRect MaskRectArea;
    TPoint HitTestLTPoint, HitTestRTPoint, HitTestLBPoint, HitTestRBPoint;
    TRect ClRect;
    Integer BorderW = 0;
    Integer FormMinWidth = 0;
    Integer FormMinHeight = 0;
    bool MDITabsTransparent = false;
    bool MainMenuBarTransparent = false;
    bool TopStretch = false;
    bool LeftStretch = false;
    bool RightStretch = false;
    bool BottomStretch = false;
    bool StretchEffect = false;
    TsfStretchType StretchType = sfstFull;
    bool MDIBGStretchEffect = false;
    TsfStretchType MDIBGStretchType = sfstFull;
    TPoint RollUpLeftPoint, RollUpRightPoint;
    String SkinName, SkinAuthor, AuthorURL, AuthorEmail, SkinComments;

    // The fixed pictures and their names in body order.
    TDibImage& FixedPicture(TsfFixedPicture Which);
    const TDibImage& FixedPicture(TsfFixedPicture Which) const;
    String& FixedPictureName(TsfFixedPicture Which);

    // Lookups: the first description whose IDName equals AIDName exactly; -1 when none.
    Integer GetControlIndex(const String& AIDName) const;
    Integer GetIndex(const String& AIDName) const;
    Integer GetAreaIndex(const String& AIDName) const;

    void AddSkinArea(const String& AName, const TRect& ARect, bool AUseAnchors, bool AAnchorLeft, bool AAnchorTop,
                     bool AAnchorRight, bool AAnchorBottom);
    // A BMP file, or a JPEG one when the name contains ".jpg" or ".jpeg";
    // counted in Budget when given (LoadSkinPictureFile).
    void AddBitMap(const String& FileName, TsfSkinPixelBudget* Budget = nullptr);
    void DeleteBitMap(Integer Index);

    // The descriptions, areas and picture list go; the colours are the defaults.
    void ClearObjects();
    // ClearObjects, and the five fixed pictures and their names.
    void ClearPictures();

    // The reading steps shared by both roads, in their order.
    void ReadVersion(const TCustomIniFile* F);
    void ReadFormInfo(const TCustomIniFile* F);
    void ReadWindowsAndColors(const TCustomIniFile* F);
    void ReadSkinAreas(const TCustomIniFile* F);
    void ReadSkinObjects(const TCustomIniFile* F);
    void ReadSkinControls(const TCustomIniFile* F);
    // A body and its description text (the stored-skin road).
    void ReadBody(TsfSkinBody& Body);
    // The body's text as written for this content (SaveToCustomIniFile into an empty INI object).
    TsfSkinBody MakeBody() const;

    void SaveToCustomIniFile(TCustomIniFile* F) const;

private:
    // The bitmaps of ActiveBitmap, kept opaque here so that the build
    // machine's tools that read skins need no skin bitmaps.
    mutable std::shared_ptr<void> FActiveBitmaps;
};

// A skin picture as a skin bitmap (SFSkinData_Bitmaps.cpp); an empty or
// damaged picture gives an empty bitmap.
std::unique_ptr<TsfBitmap> SkinPictureToBitmap(const TDibImage& Picture);

// Reads the picture file Path: JPEG when the name says so, BMP otherwise.
// Either is counted from its header (ClaimSkinPicture, with Budget when given)
// before it is made: a few hundred bytes of JPEG can claim gigabytes.
TDibImage LoadSkinPictureFile(const String& Path, TsfSkinPixelBudget* Budget = nullptr);
// JPEG files need the platform's decoder: the Windows part installs it; without
// it a JPEG name raises EInvalidGraphic. The loader passes the size the file's
// header claims to ClaimSkinPicture(..., Budget) before it decodes anything.
using TsfJpegFileLoader = void (*)(const String& Path, TDibImage& Image, TsfSkinPixelBudget* Budget);
extern TsfJpegFileLoader SfJpegFileLoader;

class TsfSkinData;
// Delivers a skin message to the forms; null (the default) delivers nothing.
using TsfSkinMessageSender = void (*)(TsfSkinData* SkinData, Integer Msg);
extern TsfSkinMessageSender SfSkinMessageSender;
// Installs a skin cursor file in the application's cursor table at Slot.
using TsfSkinCursorLoader = void (*)(const String& Path, Integer Slot);
extern TsfSkinCursorLoader SfSkinCursorLoader;

class TsfSkinData : public TComponent, public TsfSkinContent {
public:
    explicit TsfSkinData(TComponent* AOwner);
    ~TsfSkinData() override;
    String ClassName() const override { return u"TsfSkinData"; }

    // The three loads replace the skin only when the new one was read whole:
    // 1225 (Empty and ChangeSkinDataProcess True), the swap, OnLoadData, 1226,
    // ChangeSkinDataProcess False, 1227. Anything unreadable (a damaged file or
    // picture, a layout above 3, a malformed rectangle) keeps the old skin,
    // sends nothing and returns false with the reason in LoadError. Nothing to
    // load (an empty stored skin, a container version above 3, a file that is
    // no skin description) also returns false, with LoadError empty.
    bool LoadCompressedStoredSkin(TsfCompressedStoredSkin* AStoredSkin);
    bool LoadFromCompressedFile(const String& FileName);
    bool LoadFromFile(const String& FileName);
    const String& LoadError() const { return FLoadError; }

    // Announces (1225), clears, then 1226 and 1227; Empty stays True.
    void ClearSkin();
    void ClearAll();

    void SendSkinDataMessage(Integer M);

    void SaveToFile(const String& FileName) const;
    void StoreToDisk(const String& AFileName) const;
    void SaveToCompressedFile(const String& FileName);
    void GlobalChangeFont(const String& ANewFontName, Integer AFontHeightCorrection);

    TNotifyEvent OnLoadData;
    bool BuildMode = false;
    bool Empty = true;
    bool ChangeSkinDataProcess = false;
    String FSkinFileName;

    TsfCompressedSkinList* SkinList() const { return FCompressedSkinList; }
    void SetSkinList(TsfCompressedSkinList* Value);
    Integer SkinIndex() const { return FCompressedSkinIndex; }
    void SetSkinIndex(Integer Value);
    TsfCompressedStoredSkin* CompressedStoredSkin() const { return FCompressedStoredSkin; }
    void SetCompressedStoredSkin(TsfCompressedStoredSkin* Value);
    TsfResourceStrData* ResourceStrData() const { return FResourceStrData; }
    void SetResourceStrData(TsfResourceStrData* Value);
    TsfSkinColors* SkinColors() const { return FSkinColors.get(); }

    bool SkinnableForm() const { return FSkinnableForm; }
    void SetSkinnableForm(bool Value);
    bool ShowLayeredBorders() const { return FShowLayeredBorders; }
    void SetShowLayeredBorders(bool Value);
    bool AeroBlurEnabled() const { return FAeroBlurEnabled; }
    void SetAeroBlurEnabled(bool Value);

    bool EnableSkinEffects = true;
    bool ShowButtonGlowFrames = true;
    bool ShowCaptionButtonGlowFrames = true;
    bool AnimationForAllWindows = false;
    bool DlgTreeViewDrawSkin = true;
    String DlgTreeViewItemSkinDataName = u"listbox";
    bool DlgListViewDrawSkin = true;
    String DlgListViewItemSkinDataName = u"listbox";

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TsfCompressedSkinList* FCompressedSkinList = nullptr;
    Integer FCompressedSkinIndex = 0;
    bool FSkinnableForm = true;
    TsfCompressedStoredSkin* FCompressedStoredSkin = nullptr;
    TsfResourceStrData* FResourceStrData = nullptr;
    bool FShowLayeredBorders = true;
    bool FAeroBlurEnabled = true;
    String FLoadError;

    void ApplySkin(TsfSkinContent&& Staged);
    bool Designing() const { return (ComponentState() & csDesigning) != 0; }
    bool DesigningOrLoading() const { return (ComponentState() & (csDesigning | csLoading)) != 0; }
};
