#include "skin/model/win/SFKernels_Win.h"
#include "skin/model/win/SFUtils_Win.h"

#include <memory>

#include "framework/graphics/win/Graphics.h"
#include "skin/model/sfeffbmp.h"

namespace {

// A DIB section selected into a memory device context for the bitmap's whole
// life; both are released here only.
class TDibSurface : public TsfBitmapSurface {
public:
    TDibSurface(Integer Width, Integer Height)
    {
        const BITMAPINFO Info = TopDownDibHeader(Width, Height, 32);
        void* Bits = nullptr;
        FHandle.Reset(CreateDIBSection(nullptr, &Info, DIB_RGB_COLORS, &Bits, nullptr, 0));
        if (!FHandle.Handle() || !Bits) throw Exception(u"Can't allocate the DIB handle");
        FBits = static_cast<TsfColor*>(Bits);
        try {
            FDC = std::make_unique<TMemoryDC>();
        } catch (EOutOfResources&) {
            throw Exception(u"Can't create compatible DC");
        }
        FSelected = std::make_unique<TSelectedObject>(FDC->Handle(), FHandle.Handle());
        if (!FSelected->Selected()) throw Exception(u"Can't bslect an object into DC");
    }
    TsfColor* Bits() const override { return FBits; }
    HDC__* DC() const override { return FDC->Handle(); }
    HBITMAP__* Handle() const override { return FHandle.Handle(); }

private:
    // Released in reverse: the section leaves the context, the context goes, then the section.
    TGdiObject<HBITMAP> FHandle;
    std::unique_ptr<TMemoryDC> FDC;
    std::unique_ptr<TSelectedObject> FSelected;
    TsfColor* FBits = nullptr;
};

std::unique_ptr<TsfBitmapSurface> MakeDibSurface(Integer Width, Integer Height)
{
    return std::make_unique<TDibSurface>(Width, Height);
}

using TTransparentBltProc = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);

bool GInstalled = false;
HMODULE GMsImg = nullptr;
TTransparentBltProc GTransparentBlt = nullptr;
FARPROC GAlphaBlend = nullptr;  // stored, never called
Integer GScreenDepth = 0;

// Keyed drawing through the platform's transparent copy. Under some
// platforms it clears the alpha of the whole target rectangle: callers that
// need alpha draw into a skin bitmap, which takes the in-memory route.
void DrawKeyedTransparentBlt(TsfBitmap* Bitmap, HDC DC, const TRect& DstRect, const TRect& SrcRect)
{
    GTransparentBlt(DC, DstRect.Left, DstRect.Top, DstRect.Width(), DstRect.Height(), Bitmap->DC(), SrcRect.Left,
                    SrcRect.Top, SrcRect.Width(), SrcRect.Height(), 0x7F007F);
}

void ShutdownWin()
{
    if (GMsImg) FreeLibrary(GMsImg);
    GMsImg = nullptr;
    GTransparentBlt = nullptr;
    GAlphaBlend = nullptr;
    FreeSkinBitmapRegistry();
    FreeSkinPlatformFunctions();
    GInstalled = false;
}

void RebindCanvas(TPersistent* Canvas, HDC__* DC) { static_cast<TCanvas*>(Canvas)->SetHandle(DC); }

}  // namespace

// What the device context shows under DstRect, the bitmap drawn onto it in
// memory, and the result put back.
void DrawThroughTemporaryBitmap(TsfBitmap* Bitmap, HDC DC, const TRect& DstRect, const TRect& SrcRect)
{
    const Integer W = DstRect.Width(), H = DstRect.Height();
    TsfBitmap Temp;
    Temp.SetSize(W, H);
    BitBlt(Temp.DC(), 0, 0, W, H, DC, DstRect.Left, DstRect.Top, SRCCOPY);
    GdiFlush();
    Bitmap->Draw(&Temp, TRect{0, 0, W, H}, SrcRect);
    BitBlt(DC, DstRect.Left, DstRect.Top, W, H, Temp.DC(), 0, 0, SRCCOPY);
}

TsfDCRoute DCKeyedRoute = DrawThroughTemporaryBitmap;

// The effect bitmap's section (sfeffbmp_DC.cpp).
std::unique_ptr<TsfEffectSurface> MakeEffectDibSurface(Integer Width, Integer Height);
// Assign and AssignTo with the platform's pictures (SFBitmap_DC.cpp).
bool SkinBitmapAssignFrom(TsfBitmap* Bitmap, TPersistent* Source);
bool SkinBitmapAssignTo(TsfBitmap* Bitmap, TPersistent* Dest);

void InstallSkinKernelsWin()
{
    InstallSkinKernels();
    if (GInstalled) return;
    GInstalled = true;
    SfSurfaceFactory = MakeDibSurface;
    SfEffectSurfaceFactory = MakeEffectDibSurface;
    SfPlatformAssignFrom = SkinBitmapAssignFrom;
    SfPlatformAssignTo = SkinBitmapAssignTo;
    SfCanvasRebind = RebindCanvas;
    SkinPlatformShutdown = ShutdownWin;
    LoadSkinPlatformFunctions();

    // The transparent copy came with Windows 2000 (5.0).
    const DWORD Version = GetVersion();
    const Integer Major = Version & 0xFF, Minor = (Version >> 8) & 0xFF;
    if (Major > 5 || (Major == 5 && Minor <= 2)) {
        GMsImg = LoadLibraryW(L"msimg32.dll");
        if (GMsImg) {
            GTransparentBlt = reinterpret_cast<TTransparentBltProc>(
                reinterpret_cast<void*>(GetProcAddress(GMsImg, "TransparentBlt")));
            GAlphaBlend = GetProcAddress(GMsImg, "AlphaBlend");
        }
    }
    TClientDC Screen(nullptr);
    GScreenDepth = GetDeviceCaps(Screen, BITSPIXEL) * GetDeviceCaps(Screen, PLANES);
    BindDCKeyedRoute(true);
}

void BindDCKeyedRoute(bool UseTransparentBlt)
{
    DCKeyedRoute = UseTransparentBlt && GMsImg && GTransparentBlt && IsTrueColorScreen() ? DrawKeyedTransparentBlt
                                                                                          : DrawThroughTemporaryBitmap;
}

BITMAPINFO TopDownDibHeader(Integer Width, Integer Height, WORD BitCount)
{
    BITMAPINFO Info{};
    Info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    Info.bmiHeader.biWidth = Width;
    Info.bmiHeader.biHeight = -Height;  // top-down
    Info.bmiHeader.biPlanes = 1;
    Info.bmiHeader.biBitCount = BitCount;
    Info.bmiHeader.biCompression = BI_RGB;
    return Info;
}

Integer ScreenColorDepth() { return GScreenDepth; }
bool IsTrueColorScreen() { return GScreenDepth >= 24; }
bool IsMsImgLoaded() { return GMsImg != nullptr; }

void* GetDCDib(HDC DC, Integer& Width, Integer& Height, Integer& BitsPerPixel)
{
    Width = Height = BitsPerPixel = 0;
    HGDIOBJ Bitmap = GetCurrentObject(DC, OBJ_BITMAP);
    DIBSECTION Dib{};
    // The structure's own size: asking for less or more fails on some systems.
    if (!Bitmap || GetObjectW(Bitmap, sizeof(DIBSECTION), &Dib) != sizeof(DIBSECTION) || !Dib.dsBm.bmBits)
        return nullptr;
    Width = Dib.dsBmih.biWidth;
    Height = Dib.dsBmih.biHeight;
    BitsPerPixel = Dib.dsBmih.biBitCount;
    return Dib.dsBm.bmBits;
}
