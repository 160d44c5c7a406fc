// ImgList: lists of same-sized images over the common controls' image lists
// (HIMAGELIST), 32 bits per pixel with alpha. Controls that show images
// (tabs, tree nodes, menus, buttons) take one through their Images property
// and draw from it by index. Windows only.
#pragma once

#include <memory>
#include <vector>

#include "framework/graphics/win/Graphics.h"
#include "framework/runtime/Classes.h"

#include <commctrl.h>

enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };
enum TImageType { itImage, itMask };

class TCustomImageList;

// A control's link to an image list: the list calls OnChange when its images
// change and forgets the link when it goes (Images() becomes null).
class TChangeLink {
public:
    TChangeLink() = default;
    ~TChangeLink();
    TChangeLink(const TChangeLink&) = delete;
    TChangeLink& operator=(const TChangeLink&) = delete;
    TCustomImageList* Images() const { return FImages; }
    // Registers with Value (and leaves the previous list).
    void SetImages(TCustomImageList* Value);
    TNotifyEvent OnChange;

private:
    friend class TCustomImageList;
    TCustomImageList* FImages = nullptr;
};

class TCustomImageList : public TComponent {
public:
    explicit TCustomImageList(TComponent* AOwner);
    // A list of AWidth x AHeight images.
    TCustomImageList(TComponent* AOwner, Integer AWidth, Integer AHeight);
    ~TCustomImageList() override;
    String ClassName() const override { return u"TCustomImageList"; }
    void Assign(TPersistent* Source) override;

    // The native list, made on first use.
    HIMAGELIST Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }

    // The size of every image; changing either clears the list.
    Integer Width() const { return FWidth; }
    void SetWidth(Integer Value) { SetSize(Value, FHeight); }
    Integer Height() const { return FHeight; }
    void SetHeight(Integer Value) { SetSize(FWidth, Value); }
    void SetSize(Integer AWidth, Integer AHeight);
    Integer Count() const;
    // How many images the list grows by when it is full.
    Integer AllocBy() const { return FAllocBy; }
    void SetAllocBy(Integer Value) { FAllocBy = Value > 0 ? Value : 1; }
    // Images drawn with a transparent background (through their masks or alpha).
    bool Masked() const { return FMasked; }
    void SetMasked(bool Value);
    TColor BkColor() const { return FBkColor; }
    void SetBkColor(TColor Value);
    TColor BlendColor() const { return FBlendColor; }
    void SetBlendColor(TColor Value) { FBlendColor = Value; }
    TDrawingStyle DrawingStyle() const { return FDrawingStyle; }
    void SetDrawingStyle(TDrawingStyle Value) { FDrawingStyle = Value; }
    TImageType ImageType() const { return FImageType; }
    void SetImageType(TImageType Value) { FImageType = Value; }

    // Adds the images of Image cut into Width-wide pieces (its pixel format
    // and alpha format say how its fourth byte counts); Mask, when given,
    // marks transparent pixels white. Returns the index of the first, -1 when
    // none was added.
    Integer Add(TBitmap* Image, TBitmap* Mask = nullptr);
    // The same with the pixels of colour MaskColor transparent (clDefault: the
    // bottom-left pixel's colour).
    Integer AddMasked(TBitmap* Image, TColor MaskColor);
    Integer AddIcon(TIcon* Image);
    // Adds every image of another list.
    void AddImages(TCustomImageList* Value);
    void Insert(Integer Index, TBitmap* Image, TBitmap* Mask = nullptr);
    void InsertIcon(Integer Index, TIcon* Image);
    void Replace(Integer Index, TBitmap* Image, TBitmap* Mask = nullptr);
    void ReplaceIcon(Integer Index, TIcon* Image);
    void Delete(Integer Index);
    void Move(Integer CurIndex, Integer NewIndex);
    void Clear();

    // Draws image Index at (X, Y); a disabled image is drawn grey and half
    // transparent. An index outside the list draws nothing.
    void Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index, bool Enabled = true);
    void Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index, TDrawingStyle ADrawingStyle,
              TImageType AImageType, bool Enabled = true);
    // The same on a context (for painting code that holds no canvas).
    void DrawOn(HDC DC, Integer X, Integer Y, Integer Index, bool Enabled = true);
    // Image Index into Image: Width x Height, 32 bits with straight alpha.
    // False (Image untouched) for an index outside the list.
    bool GetBitmap(Integer Index, TBitmap* Image);
    // Image Index as an icon owned by Image; false for an index outside the list.
    bool GetIcon(Integer Index, TIcon* Image);

    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    TNotifyEvent OnChange;

protected:
    virtual void Change();

private:
    friend class TChangeLink;
    void CheckIndex(Integer Index, bool AllowEnd = false) const;
    void FreeHandle();
    // The straight-alpha 32-bit copy of Image that the native list takes.
    std::unique_ptr<TBitmap> ImageForList(TBitmap* Image, TBitmap* Mask, TColor MaskColor, bool UseMaskColor) const;
    // Adds the prepared picture; the index of its first image or -1.
    Integer AddPrepared(TBitmap& Picture);
    // Writes one prepared Width x Height picture over image Index.
    void PutImage(Integer Index, TBitmap& Piece);
    // Moves the Added images from First (the end) to Index.
    void MoveLastTo(Integer First, Integer Added, Integer Index);
    void CopyImages(TCustomImageList* Source);

    HIMAGELIST FHandle = nullptr;
    Integer FWidth = 16;
    Integer FHeight = 16;
    Integer FAllocBy = 4;
    bool FMasked = true;
    TColor FBkColor = clNone;
    TColor FBlendColor = clNone;
    TDrawingStyle FDrawingStyle = dsNormal;
    TImageType FImageType = itImage;
    Integer FUpdateCount = 0;
    bool FChanged = false;
    std::vector<TChangeLink*> FLinks;
};

class TImageList : public TCustomImageList {
public:
    using TCustomImageList::TCustomImageList;
    String ClassName() const override { return u"TImageList"; }
};
