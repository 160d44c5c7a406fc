// The members of TsfEffectBmp that take a bitmap handle or a device context
// (declared in sfeffbmp.h), and its DIB section.
#include "skin/model/sfeffbmp.h"
#include "skin/model/win/SFKernels_Win.h"

namespace {

BITMAPINFO EffectHeader(Integer Width, Integer Height) { return TopDownDibHeader(Width, Height, 24); }

// A 24-bit top-down section, released here only.
class TEffectDibSurface : public TsfEffectSurface {
public:
    TEffectDibSurface(Integer Width, Integer Height)
    {
        const BITMAPINFO Info = EffectHeader(Width, Height);
        void* Bits = nullptr;
        FHandle = CreateDIBSection(nullptr, &Info, DIB_RGB_COLORS, &Bits, nullptr, 0);
        if (!FHandle || !Bits) {
            if (FHandle) DeleteObject(FHandle);
            throw Exception(u"Can't allocate the DIB handle");
        }
        FBits = static_cast<uint8_t*>(Bits);
    }
    ~TEffectDibSurface() override { DeleteObject(FHandle); }
    uint8_t* Bits() const override { return FBits; }
    HBITMAP__* Handle() const override { return FHandle; }

private:
    HBITMAP FHandle = nullptr;
    uint8_t* FBits = nullptr;
};

}  // namespace

std::unique_ptr<TsfEffectSurface> MakeEffectDibSurface(Integer Width, Integer Height)
{
    return std::make_unique<TEffectDibSurface>(Width, Height);
}

std::unique_ptr<TsfEffectBmp> TsfEffectBmp::CreateFromhWnd(HBITMAP__* hBmp)
{
    BITMAP Info{};
    if (!hBmp || !GetObjectW(hBmp, sizeof Info, &Info)) return std::make_unique<TsfEffectBmp>(0, 0);
    auto B = std::make_unique<TsfEffectBmp>(Info.bmWidth, Info.bmHeight);
    if (!B->Bits) return B;
    HDC Screen = CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr);
    BITMAPINFO Header = EffectHeader(B->Width, B->Height);
    // The pixels of any depth as 24-bit rows.
    GetDIBits(Screen, hBmp, 0, static_cast<UINT>(B->Height), B->Bits, &Header, DIB_RGB_COLORS);
    DeleteDC(Screen);
    return B;
}

void TsfEffectBmp::Draw(HDC__* hDC, Integer x, Integer y)
{
    if (!Bits) return;
    const BITMAPINFO Info = EffectHeader(Width, Height);
    SetDIBitsToDevice(hDC, x, y, static_cast<DWORD>(Width), static_cast<DWORD>(Height), 0, 0, 0,
                      static_cast<UINT>(Height), Bits, &Info, DIB_RGB_COLORS);
}

void TsfEffectBmp::Stretch(HDC__* hDC, Integer x, Integer y, Integer cx, Integer cy)
{
    if (!Bits) return;
    const BITMAPINFO Info = EffectHeader(Width, Height);
    StretchDIBits(hDC, x, y, cx, cy, 0, 0, Width, Height, Bits, &Info, DIB_RGB_COLORS, SRCCOPY);
}

void TsfEffectBmp::DrawRect(HDC__* hDC, Integer hx, Integer hy, Integer x, Integer y, Integer cx, Integer cy)
{
    if (!Bits) return;
    const BITMAPINFO Info = EffectHeader(Width, Height);
    StretchDIBits(hDC, hx, hy + cy - 1, cx, 1 - cy, x, Height - y, cx, 1 - cy, Bits, &Info, DIB_RGB_COLORS,
                  SRCCOPY);
}
