// The private side of the GDI+ object layer, shared by its source files:
// casts between the layer's records and GDI+'s, argument checks, and the
// module-wide counters and caches. Not for use outside src/gdiplus.
#pragma once

#include <atomic>
#include <mutex>
#include <span>

#include "gdiplus/win/GdiPlus.h"

namespace gp = Gdiplus;
using namespace Gdiplus::DllExports;

namespace GdiPlusPrivate {

// The native object behind a wrapper; null for nil.
template <class T>
inline T* Nat(const IGdiplusBase* Obj)
{
    return Obj ? static_cast<T*>(Obj->GetNativeHandle()) : nullptr;
}
template <class T, class I>
inline T* Nat(const TIntfPtr<I>& Obj)
{
    return Nat<T>(static_cast<const IGdiplusBase*>(Obj.get()));
}

// Records and arrays cross to GDI+ as they are (same layouts).
inline const gp::GpPointF* PF(const TGPPointF* P) { return reinterpret_cast<const gp::GpPointF*>(P); }
inline gp::GpPointF* PF(TGPPointF* P) { return reinterpret_cast<gp::GpPointF*>(P); }
inline const gp::GpPoint* PI(const TGPPoint* P) { return reinterpret_cast<const gp::GpPoint*>(P); }
inline gp::GpPoint* PI(TGPPoint* P) { return reinterpret_cast<gp::GpPoint*>(P); }
inline const gp::GpRectF* RF(const TGPRectF* R) { return reinterpret_cast<const gp::GpRectF*>(R); }
inline gp::GpRectF* RF(TGPRectF* R) { return reinterpret_cast<gp::GpRectF*>(R); }
inline const gp::GpRect* RI(const TGPRect* R) { return reinterpret_cast<const gp::GpRect*>(R); }
inline gp::GpRect* RI(TGPRect* R) { return reinterpret_cast<gp::GpRect*>(R); }
inline gp::ARGB* AC(TGPColor* C) { return reinterpret_cast<gp::ARGB*>(C); }
inline const gp::ARGB* AC(const TGPColor* C) { return reinterpret_cast<const gp::ARGB*>(C); }
inline const GUID* G(const TGUID* Id) { return reinterpret_cast<const GUID*>(Id); }
inline GUID* G(TGUID* Id) { return reinterpret_cast<GUID*>(Id); }
inline const WCHAR* W(const String& S) { return reinterpret_cast<const WCHAR*>(S.c_str()); }
inline INT Len(const String& S) { return static_cast<INT>(S.size()); }
template <class T>
inline INT Len(std::span<T> A)
{
    return static_cast<INT>(A.size());
}
inline gp::MatrixOrder MO(Integer Order) { return static_cast<gp::MatrixOrder>(Order); }
inline gp::CombineMode CM(Integer Mode) { return static_cast<gp::CombineMode>(Mode); }
inline BOOL B(bool V) { return V ? TRUE : FALSE; }

// Array arguments must hold at least one element.
template <class T>
inline void NotEmpty(std::span<T> A, std::source_location Where = std::source_location::current())
{
    GPAssert(!A.empty(), Where);
}

extern std::atomic<Int64> WrappersCreated;
extern std::atomic<Int64> WrappersFreed;

// Module-wide cached objects, filled under the lock on first request (worker
// threads decode and encode too) and released before GDI+ shuts down.
struct TCaches {
    std::mutex Lock;
    TGPPtr<IGPFontFamily> SansSerif, Serif, Monospace;
    TGPPtr<IGPStringFormat> GenericDefault, GenericTypographic;
    bool EncodersEnumerated = false;
    TGPPtr<IGPImageFormat> Bmp, Jpeg, Gif, Tiff, Png;
    void Release()
    {
        std::lock_guard<std::mutex> Guard(Lock);
        SansSerif.reset();
        Serif.reset();
        Monospace.reset();
        GenericDefault.reset();
        GenericTypographic.reset();
        Bmp.reset();
        Jpeg.reset();
        Gif.reset();
        Tiff.reset();
        Png.reset();
        EncodersEnumerated = false;
    }
};

TCaches& Caches();

// An enumeration value GDI+ reports (0 when the call fails).
template <class TEnum, class TGet>
inline Integer ReadEnum(TGet Get)
{
    TEnum R = static_cast<TEnum>(0);
    Get(&R);
    return R;
}

// A new identity matrix filled with a transform GDI+ reports.
template <class TGet>
inline TGPStatus ReadTransform(TGPPtr<IGPMatrix>& Matrix, TGet Get)
{
    Matrix = TGPPtr<IGPMatrix>(new TGPMatrix());
    return Get(Nat<gp::GpMatrix>(Matrix));
}

}  // namespace GdiPlusPrivate

using namespace GdiPlusPrivate;
