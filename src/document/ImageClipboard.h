// ImageClipboard: what documents copy and paste through. The program-wide
// object clipboard (copies of object-table rows; a picture object's row
// carries a copy of its picture in its second data slot) and image
// clipboard live for the whole run and are shared by every open document, so
// what is copied in one can be pasted into another. The system clipboard is
// reached through TSystemClipboard, which the platform installs
// (win/ImageClipboard_Win). Portable.
#pragma once

#include <memory>

#include "Component/Raster32/Ras32.h"
#include "foundation/HyDataTable.h"

// The object clipboard: rows copied from an object table, bottom to top.
TDataTable& ObjectClipboard();
// The picture a row of the object clipboard carries, or null.
TCustomBitmap32* ClipboardRowPicture(TRow& Row);
// The image clipboard; null until something is copied into it.
TCustomBitmap32* ImageClipboard();
// Replaces the image clipboard (null frees it).
void SetImageClipboard(std::unique_ptr<TCustomBitmap32> Value);

// The system clipboard as documents use it: bitmaps and Unicode text. The
// base holds nothing and takes nothing (a program without the platform's).
class TSystemClipboard {
public:
    virtual ~TSystemClipboard() = default;
    // It holds a bitmap.
    virtual bool HasBitmap() { return false; }
    // A copy of its bitmap; null when it holds none, or one that cannot be
    // read (damaged, truncated or of an impossible size).
    virtual std::unique_ptr<TCustomBitmap32> GetBitmap() { return nullptr; }
    virtual void Clear() {}
    // Puts Bitmap (already drawn over an opaque background).
    virtual void SetBitmap(TCustomBitmap32& /*Bitmap*/) {}
    virtual void SetText(const String& /*Text*/) {}
};

// The program's system clipboard: the base until the platform's is installed.
TSystemClipboard& SystemClipboard();
// Installs Value (null puts the base back); the previous one is freed.
void SetSystemClipboard(std::unique_ptr<TSystemClipboard> Value);
