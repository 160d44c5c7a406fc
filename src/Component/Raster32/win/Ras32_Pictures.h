// Ras32_Pictures: how a bitmap is exchanged with the platform's pictures:
// platform bitmaps, icons and other graphics, the picture container and the
// clipboard, both ways, and picture files that are not BMPs. TCustomBitmap32's
// Assign and AssignTo reach these through the hooks Ras32_GDI installs.
// Windows only.
#pragma once

#include "Component/Raster32/Ras32.h"
#include "framework/graphics/win/Graphics.h"

// Bitmap takes the picture of a platform graphic, a picture container or the
// clipboard; false for any other class. Alpha afterwards: a platform bitmap
// gives 255 unless it has 32 bits per pixel, then its transparent colour (when
// it is marked transparent) alpha 0; an icon keeps its alpha, or takes its
// mask's when it has none; a metafile goes through the masked import; any
// other graphic is drawn over opaque white and is opaque. An empty picture container empties the bitmap.
bool ImportPlatformPicture(TCustomBitmap32* Bitmap, TPersistent* Source);
// A platform bitmap (32 bits per pixel, alpha bytes included), a picture
// container (its bitmap) or the clipboard takes the bitmap; false for any other class.
bool ExportPlatformPicture(TCustomBitmap32* Bitmap, TPersistent* Dest);

// Bitmap is sized to Graphic and cleared to Background, and Graphic draws
// itself into it through a device context (a bitmap whose backend has none
// borrows a native backend meanwhile); then optionally every alpha := 255.
// Raises "Inpropriate Backend" when no backend can give a context or canvas.
void DrawGraphicInto(TCustomBitmap32* Bitmap, TGraphic* Graphic, TColor32 Background, bool ResetAlphaAfter);

// Bitmap takes a graphic that draws only part of its frame (a metafile): it
// is drawn over opaque white and again over opaque red; where both agree the
// graphic covered the pixel (alpha 255), elsewhere the pixel keeps the colour
// drawn over white with alpha 0.
void ImportGraphicMasked(TCustomBitmap32* Bitmap, TGraphic* Graphic);

// A picture file that is not a BMP, through the picture container.
void LoadPictureFile(TCustomBitmap32* Bitmap, const String& FileName);

// The size of a platform graphic, picture container or control; false for other classes.
bool PlatformPictureSize(TPersistent* Source, Integer& Width, Integer& Height);
