#include "framework/controls/win/ImgList.h"

#include <algorithm>

#include "framework/controls/ImgListPixels.h"
#include "framework/runtime/SysUtils.h"

namespace {

COLORREF ListColor(TColor Color)
{
    if (Color == clNone) return CLR_NONE;
    if (Color == clDefault) return CLR_DEFAULT;
    return static_cast<COLORREF>(ColorToRGB(Color));
}

uint32_t* Pixels(TBitmap& Bitmap)
{
    return static_cast<uint32_t*>(Bitmap.ScanLine(0));
}

size_t PixelCount(const TBitmap& Bitmap)
{
    return static_cast<size_t>(Bitmap.Width()) * static_cast<size_t>(Bitmap.Height());
}

// A top-down 32-bit bitmap of the size given, all pixels transparent black.
std::unique_ptr<TBitmap> NewPicture(Integer Width, Integer Height)
{
    auto b = std::make_unique<TBitmap>();
    b->SetPixelFormat(pf32bit);
    b->SetSize(Width, Height);
    for (Integer y = 0; y < Height; ++y) std::fill_n(static_cast<uint32_t*>(b->ScanLine(y)), Width, 0u);
    return b;
}

// The native list's mask of a straight-alpha picture: set where alpha is 0.
TGdiObject<HBITMAP> MaskOf(TBitmap& Picture)
{
    Integer w = Picture.Width(), h = Picture.Height();
    Integer stride = ((w + 15) / 16) * 2;  // CreateBitmap rows are word-aligned
    std::vector<uint8_t> bits(static_cast<size_t>(stride) * h, 0);
    for (Integer y = 0; y < h; ++y) {
        auto row = static_cast<const uint32_t*>(Picture.ScanLine(y));
        for (Integer x = 0; x < w; ++x)
            if (!(row[x] >> 24)) bits[static_cast<size_t>(y) * stride + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    }
    return TGdiObject<HBITMAP>(CreateBitmap(w, h, 1, 1, bits.data()));
}

// The pixels of image Index as the list keeps them, alpha included (drawing
// them would lose it): Width x Height, 32 bits, straight alpha.
std::unique_ptr<TBitmap> ImagePixels(HIMAGELIST List, Integer Index, Integer Width, Integer Height)
{
    auto result = NewPicture(Width, Height);
    IMAGEINFO info = {};
    BITMAP bm = {};
    if (!ImageList_GetImageInfo(List, Index, &info) || !GetObjectW(info.hbmImage, sizeof(bm), &bm)) return result;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = bm.bmWidth;
    bi.bmiHeader.biHeight = -bm.bmHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    std::vector<uint32_t> all(static_cast<size_t>(bm.bmWidth) * static_cast<size_t>(bm.bmHeight));
    {
        TClientDC screen(nullptr);
        GetDIBits(screen, info.hbmImage, 0, static_cast<UINT>(bm.bmHeight), all.data(), &bi, DIB_RGB_COLORS);
    }
    Integer w = std::min<Integer>(Width, bm.bmWidth - info.rcImage.left);
    for (Integer y = 0; y < Height && info.rcImage.top + y < bm.bmHeight && w > 0; ++y)
        std::copy_n(all.data() + static_cast<size_t>(info.rcImage.top + y) * bm.bmWidth + info.rcImage.left, w,
                    static_cast<uint32_t*>(result->ScanLine(y)));
    return result;
}

}  // namespace

// ---------------------------------------------------------------------------
// TChangeLink

TChangeLink::~TChangeLink()
{
    SetImages(nullptr);
}

void TChangeLink::SetImages(TCustomImageList* Value)
{
    if (FImages == Value) return;
    if (FImages) {
        auto& links = FImages->FLinks;
        links.erase(std::remove(links.begin(), links.end(), this), links.end());
    }
    FImages = Value;
    if (FImages) FImages->FLinks.push_back(this);
}

// ---------------------------------------------------------------------------
// TCustomImageList

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::TCustomImageList(TComponent* AOwner, Integer AWidth, Integer AHeight) : TComponent(AOwner)
{
    SetSize(AWidth, AHeight);
}

TCustomImageList::~TCustomImageList()
{
    // The links outlive the list in their controls: they forget it.
    for (TChangeLink* link : FLinks) link->FImages = nullptr;
    FLinks.clear();
    FreeHandle();
}

void TCustomImageList::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TCustomImageList*>(Source);
    if (!src) {
        TComponent::Assign(Source);
        return;
    }
    BeginUpdate();
    auto end = ScopeExit([this] { EndUpdate(); });
    FMasked = src->FMasked;
    FBkColor = src->FBkColor;
    FBlendColor = src->FBlendColor;
    FDrawingStyle = src->FDrawingStyle;
    FImageType = src->FImageType;
    FAllocBy = src->FAllocBy;
    FreeHandle();
    FWidth = src->FWidth;
    FHeight = src->FHeight;
    CopyImages(src);
    Change();
}

HIMAGELIST TCustomImageList::Handle()
{
    if (!FHandle) {
        UINT flags = ILC_COLOR32 | (FMasked ? ILC_MASK : 0);
        FHandle = ImageList_Create(FWidth, FHeight, flags, FAllocBy, FAllocBy);
        if (!FHandle) throw EOSError(u"Cannot create an image list");
        ImageList_SetBkColor(FHandle, ListColor(FBkColor));
    }
    return FHandle;
}

void TCustomImageList::FreeHandle()
{
    if (FHandle) ImageList_Destroy(FHandle);
    FHandle = nullptr;
}

void TCustomImageList::SetSize(Integer AWidth, Integer AHeight)
{
    if (AWidth < 1 || AHeight < 1) throw EInvalidOperation(u"Invalid image size");
    if (AWidth == FWidth && AHeight == FHeight) return;
    FWidth = AWidth;
    FHeight = AHeight;
    if (FHandle) {
        FreeHandle();
        Change();
    }
}

Integer TCustomImageList::Count() const
{
    return FHandle ? ImageList_GetImageCount(FHandle) : 0;
}

void TCustomImageList::SetMasked(bool Value)
{
    if (FMasked == Value) return;
    // The native list's flags are fixed at its making: the images move to a new one.
    FMasked = Value;
    if (!FHandle) return;
    HIMAGELIST old = FHandle;
    FHandle = nullptr;
    auto destroy = ScopeExit([old] { ImageList_Destroy(old); });
    Handle();
    for (Integer i = 0, n = ImageList_GetImageCount(old); i < n; ++i) {
        auto piece = ImagePixels(old, i, FWidth, FHeight);
        AddPrepared(*piece);
    }
    Change();
}

void TCustomImageList::SetBkColor(TColor Value)
{
    if (FBkColor == Value) return;
    FBkColor = Value;
    if (FHandle) ImageList_SetBkColor(FHandle, ListColor(Value));
    Change();
}

void TCustomImageList::CheckIndex(Integer Index, bool AllowEnd) const
{
    if (Index < 0 || Index > Count() || (!AllowEnd && Index == Count()))
        throw EInvalidOperation(Format(u"Image index out of bounds (%d)", {Index}));
}

std::unique_ptr<TBitmap> TCustomImageList::ImageForList(TBitmap* Image, TBitmap* Mask, TColor MaskColor,
                                                        bool UseMaskColor) const
{
    if (!Image || Image->Empty()) throw EInvalidOperation(u"No image to add");
    TBitmap copy;
    copy.Assign(Image);
    bool alpha = Image->PixelFormat() == pf32bit && Image->AlphaFormat() != afIgnored;
    copy.SetPixelFormat(pf32bit);
    // Whole images only: a picture narrower than one image (or with a part
    // image at its right) is padded with transparent pixels.
    Integer count = std::max<Integer>(1, (copy.Width() + FWidth - 1) / FWidth);
    auto picture = NewPicture(count * FWidth, FHeight);
    Integer w = std::min(copy.Width(), picture->Width()), h = std::min(copy.Height(), FHeight);
    for (Integer y = 0; y < h; ++y) {
        auto dst = static_cast<uint32_t*>(picture->ScanLine(y));
        std::copy_n(static_cast<const uint32_t*>(copy.ScanLine(y)), w, dst);
        if (!alpha) imglist::MakeOpaque(dst, static_cast<size_t>(w));
        else if (Image->AlphaFormat() == afPremultiplied) imglist::Unpremultiply(dst, static_cast<size_t>(w));
    }
    if (UseMaskColor) {
        if (MaskColor == clDefault) {
            // The bottom-left pixel, as a bitmap's own transparent colour is taken.
            uint32_t p = static_cast<const uint32_t*>(copy.ScanLine(copy.Height() - 1))[0];
            MaskColor = static_cast<TColor>(((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF));
        }
        COLORREF rgb = ColorToRGB(MaskColor);
        uint32_t key = (GetRValue(rgb) << 16) | (GetGValue(rgb) << 8) | GetBValue(rgb);
        for (Integer y = 0; y < h; ++y) imglist::MaskByColor(static_cast<uint32_t*>(picture->ScanLine(y)), w, key);
    }
    if (Mask && !Mask->Empty()) {
        TBitmap m;
        m.Assign(Mask);
        m.SetPixelFormat(pf32bit);
        Integer mw = std::min(w, m.Width()), mh = std::min(h, m.Height());
        for (Integer y = 0; y < mh; ++y) {
            auto src = static_cast<const uint32_t*>(m.ScanLine(y));
            auto dst = static_cast<uint32_t*>(picture->ScanLine(y));
            for (Integer x = 0; x < mw; ++x)
                if ((src[x] & 0xFFFFFF) == 0xFFFFFF) dst[x] = 0;
        }
    }
    return picture;
}

Integer TCustomImageList::AddPrepared(TBitmap& Picture)
{
    TGdiObject<HBITMAP> mask = MaskOf(Picture);
    Integer index = ImageList_Add(Handle(), Picture.Handle(), FMasked ? mask.Handle() : nullptr);
    if (index >= 0) Change();
    return index;
}

Integer TCustomImageList::Add(TBitmap* Image, TBitmap* Mask)
{
    auto picture = ImageForList(Image, Mask, clNone, false);
    return AddPrepared(*picture);
}

Integer TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor)
{
    auto picture = ImageForList(Image, nullptr, MaskColor, true);
    return AddPrepared(*picture);
}

Integer TCustomImageList::AddIcon(TIcon* Image)
{
    if (!Image || Image->Empty()) throw EInvalidOperation(u"No icon to add");
    Integer index = ImageList_ReplaceIcon(Handle(), -1, Image->Handle());
    if (index >= 0) Change();
    return index;
}

void TCustomImageList::AddImages(TCustomImageList* Value)
{
    if (!Value || Value == this) return;
    BeginUpdate();
    auto end = ScopeExit([this] { EndUpdate(); });
    CopyImages(Value);
}

void TCustomImageList::CopyImages(TCustomImageList* Source)
{
    for (Integer i = 0, n = Source->Count(); i < n; ++i) {
        TBitmap b;
        Source->GetBitmap(i, &b);
        Add(&b);
    }
}

void TCustomImageList::MoveLastTo(Integer First, Integer Added, Integer Index)
{
    // The images from Index on are rewritten in their new order (the native
    // list has no insertion of its own).
    std::vector<std::unique_ptr<TBitmap>> images;
    for (Integer i = Index; i < First + Added; ++i) images.push_back(ImagePixels(FHandle, i, FWidth, FHeight));
    std::rotate(images.begin(), images.end() - Added, images.end());
    for (Integer i = Index; i < First + Added; ++i) PutImage(i, *images[static_cast<size_t>(i - Index)]);
}

void TCustomImageList::PutImage(Integer Index, TBitmap& Piece)
{
    TGdiObject<HBITMAP> mask = MaskOf(Piece);
    if (!ImageList_Replace(Handle(), Index, Piece.Handle(), FMasked ? mask.Handle() : nullptr))
        throw EOSError(u"Cannot replace an image");
}

void TCustomImageList::Insert(Integer Index, TBitmap* Image, TBitmap* Mask)
{
    CheckIndex(Index, true);
    BeginUpdate();
    auto end = ScopeExit([this] { EndUpdate(); });
    Integer before = Count();
    Integer first = Add(Image, Mask);
    if (first >= 0) MoveLastTo(first, Count() - before, Index);
}

void TCustomImageList::InsertIcon(Integer Index, TIcon* Image)
{
    CheckIndex(Index, true);
    BeginUpdate();
    auto end = ScopeExit([this] { EndUpdate(); });
    Integer first = AddIcon(Image);
    if (first >= 0) MoveLastTo(first, 1, Index);
}

void TCustomImageList::Replace(Integer Index, TBitmap* Image, TBitmap* Mask)
{
    CheckIndex(Index);
    auto picture = ImageForList(Image, Mask, clNone, false);
    // One image replaces one: the first piece of a wider picture.
    auto piece = NewPicture(FWidth, FHeight);
    for (Integer y = 0; y < FHeight; ++y)
        std::copy_n(static_cast<const uint32_t*>(picture->ScanLine(y)), FWidth, static_cast<uint32_t*>(piece->ScanLine(y)));
    PutImage(Index, *piece);
    Change();
}

void TCustomImageList::ReplaceIcon(Integer Index, TIcon* Image)
{
    CheckIndex(Index);
    if (!Image || Image->Empty()) throw EInvalidOperation(u"No icon to add");
    if (ImageList_ReplaceIcon(Handle(), Index, Image->Handle()) < 0) throw EOSError(u"Cannot replace an image");
    Change();
}

void TCustomImageList::Delete(Integer Index)
{
    CheckIndex(Index);
    ImageList_Remove(FHandle, Index);
    Change();
}

void TCustomImageList::Move(Integer CurIndex, Integer NewIndex)
{
    CheckIndex(CurIndex);
    CheckIndex(NewIndex);
    if (CurIndex == NewIndex) return;
    Integer lo = std::min(CurIndex, NewIndex), hi = std::max(CurIndex, NewIndex);
    std::vector<std::unique_ptr<TBitmap>> images;
    for (Integer i = lo; i <= hi; ++i) images.push_back(ImagePixels(FHandle, i, FWidth, FHeight));
    if (CurIndex < NewIndex) std::rotate(images.begin(), images.begin() + 1, images.end());
    else std::rotate(images.begin(), images.end() - 1, images.end());
    for (Integer i = lo; i <= hi; ++i) PutImage(i, *images[static_cast<size_t>(i - lo)]);
    Change();
}

void TCustomImageList::Clear()
{
    if (!Count()) return;
    ImageList_Remove(FHandle, -1);
    Change();
}

void TCustomImageList::Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index, bool Enabled)
{
    Draw(Canvas, X, Y, Index, FDrawingStyle, FImageType, Enabled);
}

void TCustomImageList::DrawOn(HDC DC, Integer X, Integer Y, Integer Index, bool Enabled)
{
    if (Index < 0 || Index >= Count()) return;
    if (!Enabled) {
        TBitmap b;
        GetBitmap(Index, &b);
        imglist::DisabledLook(Pixels(b), PixelCount(b));
        imglist::Premultiply(Pixels(b), PixelCount(b));
        BLENDFUNCTION bf = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        AlphaBlend(DC, X, Y, FWidth, FHeight, b.Canvas()->Handle(), 0, 0, FWidth, FHeight, bf);
        return;
    }
    UINT style = FImageType == itMask ? ILD_MASK : ILD_NORMAL;
    switch (FDrawingStyle) {
    case dsFocus: style |= ILD_FOCUS; break;
    case dsSelected: style |= ILD_SELECTED; break;
    case dsTransparent: style |= ILD_TRANSPARENT; break;
    case dsNormal: break;
    }
    ImageList_DrawEx(FHandle, Index, DC, X, Y, 0, 0, ListColor(FBkColor), ListColor(FBlendColor), style);
}

void TCustomImageList::Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index, TDrawingStyle ADrawingStyle,
                            TImageType AImageType, bool Enabled)
{
    if (!Canvas) return;
    TDrawingStyle oldStyle = FDrawingStyle;
    TImageType oldType = FImageType;
    FDrawingStyle = ADrawingStyle;
    FImageType = AImageType;
    auto restore = ScopeExit([&] {
        FDrawingStyle = oldStyle;
        FImageType = oldType;
    });
    DrawOn(Canvas->Handle(), X, Y, Index, Enabled);
}

bool TCustomImageList::GetBitmap(Integer Index, TBitmap* Image)
{
    if (!Image || Index < 0 || Index >= Count()) return false;
    auto pixels = ImagePixels(FHandle, Index, FWidth, FHeight);
    Image->Assign(pixels.get());
    Image->SetAlphaFormat(afDefined);
    return true;
}

bool TCustomImageList::GetIcon(Integer Index, TIcon* Image)
{
    if (!Image || Index < 0 || Index >= Count()) return false;
    HICON icon = ImageList_GetIcon(FHandle, Index, ILD_NORMAL);
    if (!icon) return false;
    Image->SetHandle(icon);
    return true;
}

void TCustomImageList::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0 && FChanged) {
        FChanged = false;
        Change();
    }
}

void TCustomImageList::Change()
{
    if (FUpdateCount > 0) {
        FChanged = true;
        return;
    }
    if (OnChange) OnChange(this);
    // A link's handler may leave or join: walk a copy.
    std::vector<TChangeLink*> links = FLinks;
    for (TChangeLink* link : links)
        if (std::find(FLinks.begin(), FLinks.end(), link) != FLinks.end() && link->OnChange) link->OnChange(this);
}
