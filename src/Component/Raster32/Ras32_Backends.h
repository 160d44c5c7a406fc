// Ras32_Backends: the services a pixel backend may offer a bitmap, each asked
// for separately through QueryInterface, and the temporary switch of a
// bitmap's backend to one that has a required service.
#pragma once

#include <vector>

#include "Component/Raster32/Ras32.h"

class TFont;
class TCanvas;

// Text output on the bitmap.
struct ITextSupport : virtual IInterface {
    static constexpr TGUID IID = StringToGUIDConst("{225997CC-958A-423E-8B60-9EDE0D3B53B5}");
    virtual void Textout(Integer X, Integer Y, const String& Text) = 0;
    virtual void Textout(Integer X, Integer Y, const TRect& ClipRect, const String& Text) = 0;
    virtual void Textout(TRect& DstRect, Cardinal Flags, const String& Text) = 0;
    virtual TSize TextExtent(const String& Text) = 0;
    virtual void TextoutW(Integer X, Integer Y, const String& Text) = 0;
    virtual void TextoutW(Integer X, Integer Y, const TRect& ClipRect, const String& Text) = 0;
    virtual void TextoutW(TRect& DstRect, Cardinal Flags, const String& Text) = 0;
    virtual TSize TextExtentW(const String& Text) = 0;
};

// The platform font the text is drawn with.
struct IFontSupport : virtual IInterface {
    static constexpr TGUID IID = StringToGUIDConst("{67C73044-1EFF-4FDE-AEA2-56BFADA50A48}");
    virtual TNotifyEvent GetOnFontChange() = 0;
    virtual void SetOnFontChange(const TNotifyEvent& Handler) = 0;
    virtual TFont* GetFont() = 0;
    virtual void SetFont(TFont* Font) = 0;
    virtual void UpdateFont() = 0;
};

// A platform canvas over the bitmap.
struct ICanvasSupport : virtual IInterface {
    static constexpr TGUID IID = StringToGUIDConst("{5ACFEEC7-0123-4AD8-8AE6-145718438E01}");
    virtual TNotifyEvent GetCanvasChange() = 0;
    virtual void SetCanvasChange(const TNotifyEvent& Handler) = 0;
    virtual TCanvas* GetCanvas() = 0;
    virtual void DeleteCanvas() = 0;
    virtual bool CanvasAllocated() = 0;
};

// The identifiers of the services whose operations take platform handles; the
// interfaces themselves are declared beside the platform backend.
constexpr TGUID IID_IDeviceContextSupport = StringToGUIDConst("{DD1109DA-4019-4A5C-A450-3631A73CF288}");
constexpr TGUID IID_IBitmapContextSupport = StringToGUIDConst("{DF0F9475-BA13-4C6B-81C3-D138624C4D08}");
constexpr TGUID IID_IPaintSupport = StringToGUIDConst("{CE64DBEE-C4A9-4E8E-ABCA-1B1FD6F45924}");

// The backend class of platform bitmaps (the GDI backend on Windows), made by
// this function, which the platform backend's unit sets; nil where there is none.
using TBackendFactory = TCustomBackend* (*)();
extern TBackendFactory NativeBackendClass;

// romAnd: every identifier is required; romOr: any one of them will do.
enum TRequireOperatorMode : Byte { romAnd, romOr };

// Makes sure the bitmap's backend has the required services: when it lacks
// them, the current backend is kept (with a reference) in SavedBackend and a
// native backend takes its place, with its pixels unless Destructive (the
// bitmap is then emptied first). SavedBackend is nil when nothing changed.
void RequireBackendInterfaces(TCustomBitmap32* TargetBitmap, const std::vector<TGUID>& RequiredInterfaces,
                              TRequireOperatorMode Mode, bool Destructive, TCustomBackend*& SavedBackend);
// Puts a saved backend back (its pixels copied from the temporary one, which
// is released); nil does nothing.
void ReinstallBackend(TCustomBitmap32* TargetBitmap, TCustomBackend* SavedBackend);
