// TsfSkinContent's pictures as skin bitmaps (declared in SFSkinData.h).
#include "skin/model/SFBitmap.h"
#include "skin/model/SFSkinData.h"

namespace {
using TBitmaps = std::vector<std::unique_ptr<TsfBitmap>>;
}

std::unique_ptr<TsfBitmap> SkinPictureToBitmap(const TDibImage& Picture)
{
    auto Bitmap = std::make_unique<TsfBitmap>();
    // A damaged picture (fewer bytes than its size needs) is no picture.
    if (Picture.Empty() || Picture.Bits.size() < size_t(Picture.Stride()) * size_t(Picture.Height)) return Bitmap;
    Bitmap->SetSize(Picture.Width, Picture.Height);
    for (Integer y = 0; y < Picture.Height; ++y)
        DecodeScanline(Picture.ScanLine(y), Picture.PixelFormat, Picture.Palette, Picture.Width,
                       Bitmap->ScanLineAddress(y));
    return Bitmap;
}

TsfBitmap* TsfSkinContent::ActiveBitmap(Integer Index) const
{
    if (Index < 0 || Index >= static_cast<Integer>(FActivePictures.size())) return nullptr;
    const TDibImage& picture = FActivePictures[size_t(Index)];
    if (picture.Empty()) return nullptr;
    if (!FActiveBitmaps) FActiveBitmaps = std::make_shared<TBitmaps>();
    auto& bitmaps = *static_cast<TBitmaps*>(FActiveBitmaps.get());
    if (bitmaps.size() != FActivePictures.size()) bitmaps.resize(FActivePictures.size());
    auto& cached = bitmaps[size_t(Index)];
    if (!cached) cached = SkinPictureToBitmap(picture);
    return cached->Empty() ? nullptr : cached.get();
}
