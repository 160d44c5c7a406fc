// TsfSkinContent's pictures as skin bitmaps (declared in SFSkinData.h).
#include "skin/model/SFBitmap.h"
#include "skin/model/SFSkinData.h"

namespace {
using TBitmaps = std::vector<std::unique_ptr<TsfBitmap>>;
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
    if (!cached) {
        auto bitmap = std::make_unique<TsfBitmap>();
        bitmap->SetSize(picture.Width, picture.Height);
        for (Integer y = 0; y < picture.Height; ++y)
            DecodeScanline(picture.ScanLine(y), picture.PixelFormat, picture.Palette, picture.Width,
                           bitmap->ScanLineAddress(y));
        cached = std::move(bitmap);
    }
    return cached.get();
}
