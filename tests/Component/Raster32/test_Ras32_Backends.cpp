// Pixel backends: the memory backend, size changes, moving pixels between
// backends, and the temporary switch to a backend with a required service.
#include <gtest/gtest.h>

#include "Component/Raster32/Ras32_Backends.h"
#include "Component/Raster32/Ras32_Backends_Generic.h"
#include "framework/runtime/SysUtils.h"

namespace {

int GNativeAlive = 0;

// Stands in for the platform backend: memory plus a canvas service.
class TTestNativeBackend : public TMemoryBackend, public ICanvasSupport {
public:
    TTestNativeBackend() { ++GNativeAlive; }
    String ClassName() const override { return u"TTestNativeBackend"; }
    TNotifyEvent GetCanvasChange() override { return {}; }
    void SetCanvasChange(const TNotifyEvent&) override {}
    TCanvas* GetCanvas() override { return nullptr; }
    void DeleteCanvas() override {}
    bool CanvasAllocated() override { return false; }

protected:
    ~TTestNativeBackend() override { --GNativeAlive; }
    bool GetInterface(const TGUID& IID, void** Obj) override
    {
        return ImplementsInterfaces<ICanvasSupport>(this, IID, Obj) || TMemoryBackend::GetInterface(IID, Obj);
    }
};

int GFailingAlive = 0;

// A backend that never gets memory.
class TFailingBackend : public TMemoryBackend, public ICanvasSupport {
public:
    TFailingBackend() { ++GFailingAlive; }
    TNotifyEvent GetCanvasChange() override { return {}; }
    void SetCanvasChange(const TNotifyEvent&) override {}
    TCanvas* GetCanvas() override { return nullptr; }
    void DeleteCanvas() override {}
    bool CanvasAllocated() override { return false; }

protected:
    ~TFailingBackend() override { --GFailingAlive; }
    void AllocateSurface(Integer, Integer, bool) override { throw EOutOfMemory(u"Out of memory"); }
};

struct TNativeScope {
    TNativeScope() { NativeBackendClass = [] { return static_cast<TCustomBackend*>(new TTestNativeBackend); }; }
    ~TNativeScope() { NativeBackendClass = nullptr; }
};

}  // namespace

TEST(Ras32_Backends, MemoryBackendSizes)
{
    TCustomBackend* Backend = new TMemoryBackend;
    EXPECT_EQ(Backend->RefCount(), 1);
    int Changes = 0, Changings = 0;
    Backend->OnChange = [&](TObject*) { ++Changes; };
    Backend->OnChanging = [&](TObject*) { ++Changings; };
    Integer W = 5, H = 5;
    Backend->ChangeSize(W, H, 3, 2, true);
    EXPECT_EQ(W, 3);
    EXPECT_EQ(H, 2);
    ASSERT_NE(Backend->Bits(), nullptr);
    for (Integer i = 0; i < 6; ++i) EXPECT_EQ(Backend->Bits()[i], 0xFF000000u);
    // 0 x 10: the surface goes, nothing is allocated, the size is reported as asked.
    Backend->ChangeSize(W, H, 0, 10, true);
    EXPECT_EQ(W, 0);
    EXPECT_EQ(H, 10);
    EXPECT_EQ(Backend->Bits(), nullptr);
    // A failed allocation still ends with the change, at 0 x 0.
    EXPECT_THROW(Backend->ChangeSize(W, H, 1 << 20, 1 << 20, true), EOutOfMemory);
    EXPECT_EQ(W, 0);
    EXPECT_EQ(H, 0);
    EXPECT_EQ(Changes, 3);
    EXPECT_EQ(Changings, 3);
    EXPECT_EQ(Backend->_Release(), 0);
}

TEST(Ras32_Backends, NewBackendTakesThePixels)
{
    TCustomBitmap32 B;
    B.SetSize(3, 2);
    B.SetPixel(2, 1, 0x12345678);
    TCustomBackend* Old = B.Backend();
    int Changes = 0;
    B.OnChange = [&](TObject*) { ++Changes; };
    B.SetBackend(new TMemoryBackend);
    EXPECT_NE(B.Backend(), Old);
    EXPECT_EQ(B.Backend()->Owner(), &B);
    EXPECT_EQ(B.Width(), 3);
    EXPECT_EQ(B.Pixel(2, 1), 0x12345678u);
    EXPECT_EQ(B.ClipRect(), RectOf(0, 0, 3, 2));
    EXPECT_EQ(Changes, 1);
    B.SetBackend(nullptr);
    B.SetBackend(B.Backend());
    EXPECT_EQ(Changes, 1);
}

TEST(Ras32_Backends, SwitchToARequiredService)
{
    TNativeScope Native;
    TCustomBitmap32 B;
    B.SetSize(2, 2);
    B.SetPixel(1, 1, 0xABCDEF01);
    EXPECT_FALSE((Supports<ICanvasSupport>(&B)));

    // Any of the two: the memory backend has neither, so the bitmap switches
    // and keeps its pixels.
    TCustomBackend* Saved = nullptr;
    RequireBackendInterfaces(&B, {IID_IDeviceContextSupport, ICanvasSupport::IID}, romOr, false, Saved);
    ASSERT_NE(Saved, nullptr);
    EXPECT_EQ(Saved->ClassName(), u"TMemoryBackend");
    EXPECT_EQ(B.Backend()->ClassName(), u"TTestNativeBackend");
    EXPECT_EQ(B.Pixel(1, 1), 0xABCDEF01u);
    EXPECT_TRUE((Supports<ICanvasSupport>(&B)));  // reached through the bitmap

    // Now it has one of them: nothing changes.
    TCustomBackend* Again = reinterpret_cast<TCustomBackend*>(1);
    RequireBackendInterfaces(&B, {IID_IDeviceContextSupport, ICanvasSupport::IID}, romOr, false, Again);
    EXPECT_EQ(Again, nullptr);
    // Both required: the device context is missing, so it would switch again.
    TCustomBackend* Third = nullptr;
    RequireBackendInterfaces(&B, {ICanvasSupport::IID, IID_IDeviceContextSupport}, romAnd, false, Third);
    ASSERT_NE(Third, nullptr);
    EXPECT_EQ(GNativeAlive, 2);
    ReinstallBackend(&B, Third);
    EXPECT_EQ(GNativeAlive, 1);

    // Back: the saved backend gets the pixels drawn meanwhile; the temporary one goes.
    B.SetPixel(0, 0, 0x0F0F0F0F);
    ReinstallBackend(&B, Saved);
    EXPECT_EQ(GNativeAlive, 0);
    EXPECT_EQ(B.Backend(), Saved);
    EXPECT_EQ(Saved->RefCount(), 1);
    EXPECT_EQ(B.Pixel(0, 0), 0x0F0F0F0Fu);
    EXPECT_EQ(B.Pixel(1, 1), 0xABCDEF01u);
    ReinstallBackend(&B, nullptr);
    EXPECT_EQ(B.Backend(), Saved);

    // Destructive: the bitmap is emptied before the switch.
    RequireBackendInterfaces(&B, {ICanvasSupport::IID}, romAnd, true, Saved);
    ASSERT_NE(Saved, nullptr);
    EXPECT_TRUE(B.Empty());
    ReinstallBackend(&B, Saved);
    EXPECT_EQ(GNativeAlive, 0);
}

TEST(Ras32_Backends, NoNativeBackendLeavesTheBitmap)
{
    TCustomBitmap32 B;
    B.SetSize(1, 1);
    TCustomBackend* Saved = nullptr;
    RequireBackendInterfaces(&B, {ICanvasSupport::IID}, romAnd, false, Saved);
    EXPECT_EQ(Saved, nullptr);
    EXPECT_EQ(B.Backend()->ClassName(), u"TMemoryBackend");
    // Nothing required: present.
    TNativeScope Native;
    RequireBackendInterfaces(&B, {}, romAnd, false, Saved);
    EXPECT_EQ(Saved, nullptr);
}

TEST(Ras32_Backends, ABackendWithoutMemoryLeavesTheBitmapAsItWas)
{
    TCustomBitmap32 B;
    B.SetSize(3, 2);
    B.SetPixel(2, 1, 0x12345678);
    TCustomBackend* Old = B.Backend();
    EXPECT_THROW(B.SetBackend(new TFailingBackend), EOutOfMemory);
    EXPECT_EQ(GFailingAlive, 0);
    EXPECT_EQ(B.Backend(), Old);
    EXPECT_EQ(B.Width(), 3);
    EXPECT_EQ(B.Height(), 2);
    EXPECT_EQ(B.Pixel(2, 1), 0x12345678u);
    EXPECT_EQ(B.UpdateCount(), 0);

    NativeBackendClass = [] { return static_cast<TCustomBackend*>(new TFailingBackend); };
    TCustomBackend* Saved = reinterpret_cast<TCustomBackend*>(1);
    EXPECT_THROW(RequireBackendInterfaces(&B, {ICanvasSupport::IID}, romAnd, false, Saved), EOutOfMemory);
    NativeBackendClass = nullptr;
    EXPECT_EQ(Saved, nullptr);
    EXPECT_EQ(B.Backend(), Old);
    EXPECT_EQ(Old->RefCount(), 1);
    EXPECT_EQ(GFailingAlive, 0);
    EXPECT_EQ(B.Pixel(2, 1), 0x12345678u);
}
