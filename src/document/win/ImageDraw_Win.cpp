#include "document/win/ImageDraw_Win.h"

#include "document/win/ImageControlLayer_Win.h"
#include "document/win/ImageEffects_Win.h"
#include "document/win/ImageSelection_Win.h"
#include "document/win/ImageShapes_Win.h"
#include "document/win/ImageText_Win.h"
#include "foundation/win/HyFileUtils_Image.h"
#include "foundation/win/HySysUtils_Win.h"

TImgViewDrawView::TImgViewDrawView(TImgView32* AView) : FView(AView)
{
    TFont* Font = FView->Bitmap()->Font();
    Font->SetName(u"Tahoma");
    Font->SetSize(9);
}

namespace {
std::unique_ptr<TCustomBitmap32> LoadPicture(const String& FileName)
{
    bool HasAlpha = false;
    Integer BitDepth = -1;
    return LoadImageToBitmap32(FileName, HasAlpha, BitDepth);
}
}  // namespace

void InstallImageDrawHooks()
{
    ImageDrawHooks.LoadPicture = &LoadPicture;
    ImageDrawHooks.AvailPhysMemory = &GetAvailPhysMemory;
    InstallImageEffectsHooks();
    InstallImageShapeHooks();
    InstallImageTextHooks();
    InstallControlLayerHooks();
    InstallImageSelectionHooks();
}
