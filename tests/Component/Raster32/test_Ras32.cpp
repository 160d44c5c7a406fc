// The notification and sampler bases and the bitmap core.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "Component/Raster32/Ras32.h"
#include "Component/Raster32/Ras32_Blend_Variants.h"
#include "framework/runtime/SysUtils.h"

namespace {

// What a bitmap reported, in order.
struct TEventLog {
    std::vector<TRect> Areas;
    std::vector<Cardinal> Infos;
    int Changes = 0;
    int Resizes = 0;

    void Attach(TCustomBitmap32& B)
    {
        B.OnAreaChanged = [this](TObject*, const TRect& Area, Cardinal Info) {
            Areas.push_back(Area);
            Infos.push_back(Info);
        };
        B.OnChange = [this](TObject*) { ++Changes; };
        B.OnResize = [this](TObject*) { ++Resizes; };
    }
    void Reset() { *this = TEventLog{}; }
};

bool AllPixels(const TCustomBitmap32& B, TColor32 C)
{
    for (Integer i = 0; i < B.Width() * B.Height(); ++i)
        if (B.Bits()[i] != C) return false;
    return true;
}

class TTestMap : public TCustomMap {};

class TUnrelated : public TPersistent {
public:
    String ClassName() const override { return u"TUnrelated"; }
};

}  // namespace

// ---------------------------------------------------------------------------
// Notification bases

TEST(Ras32_Notification, UpdateBracketsSuppressAndDoNotFire)
{
    TTestMap Map;
    int Changes = 0;
    Map.OnChange = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &Map);
        ++Changes;
    };
    Map.BeginUpdate();
    Map.BeginUpdate();
    Map.Changed();
    Map.EndUpdate();
    Map.Changed();
    Map.EndUpdate();
    EXPECT_EQ(Changes, 0);  // EndUpdate itself fires nothing
    Map.Changed();
    EXPECT_EQ(Changes, 1);
    try {
        Map.EndUpdate();
        FAIL() << "an unpaired EndUpdate must raise";
    } catch (const EAssertionFailed& E) {
        EXPECT_EQ(E.Message(), u"Unpaired TThreadPersistent.EndUpdate");
    }
    EXPECT_EQ(Map.UpdateCount(), 0);
}

TEST(Ras32_Notification, MapSizes)
{
    TTestMap Map;
    int Changes = 0, Resizes = 0;
    Map.OnChange = [&](TObject*) { ++Changes; };
    Map.OnResize = [&](TObject*) { ++Resizes; };
    EXPECT_TRUE(Map.SetSize(-5, 10));
    EXPECT_EQ(Map.Width(), 0);
    EXPECT_EQ(Map.Height(), 10);
    EXPECT_TRUE(Map.Empty());
    EXPECT_FALSE(Map.SetSize(-5, 10));
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(Resizes, 1);
    Map.SetWidth(3);
    EXPECT_EQ(Map.Width(), 3);
    EXPECT_FALSE(Map.Empty());

    TTestMap Other;
    Other.SetSize(7, 8);
    EXPECT_TRUE(Map.SetSizeFrom(&Other));
    EXPECT_EQ(Map.Height(), 8);
    EXPECT_TRUE(Map.SetSizeFrom(nullptr));
    EXPECT_TRUE(Map.Empty());

    TUnrelated Unrelated;
    try {
        Map.SetSizeFrom(&Unrelated);
        FAIL() << "an unrelated class must raise";
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message(), u"Can't set size from 'TUnrelated'");
    }
    // A platform graphic or control answers through the hook.
    PlatformSizeOf = [](TPersistent* Source, Integer& W, Integer& H) {
        if (Source->ClassName() != u"TUnrelated") return false;
        W = 11;
        H = 12;
        return true;
    };
    EXPECT_TRUE(Map.SetSizeFrom(&Unrelated));
    EXPECT_EQ(Map.Width(), 11);
    PlatformSizeOf = nullptr;
}

TEST(Ras32_Notification, LockAndReferenceCounting)
{
    TTestMap Map;
    Map.Lock();
    Map.Lock();  // re-entrant for its holder
    EXPECT_EQ(Map.LockCount(), 2);
    Map.Unlock();
    Map.Unlock();
    EXPECT_EQ(Map.LockCount(), 0);
    // Not counted: the reference operations are inert.
    EXPECT_EQ(Map._AddRef(), -1);
    EXPECT_EQ(Map._Release(), -1);
    void* Obj = nullptr;
    EXPECT_EQ(Map.QueryInterface(IInterface::IID, &Obj), S_OK_);
    EXPECT_EQ(Obj, static_cast<IInterface*>(&Map));
    TGUID Other = StringToGUIDConst("{11111111-2222-3333-4444-555555555555}");
    EXPECT_EQ(Map.QueryInterface(Other, &Obj), E_NOINTERFACE_);
    EXPECT_EQ(Obj, nullptr);
}

// ---------------------------------------------------------------------------
// Samplers

namespace {

struct TFloatOnly : TCustomSampler {
    Single LastX = -1, LastY = -1;
    TColor32 GetSampleFloat(Single X, Single Y) override
    {
        LastX = X;
        LastY = Y;
        return 0x11223344;
    }
};

struct TFixedOnly : TCustomSampler {
    TFixed LastX = -1, LastY = -1;
    TColor32 GetSampleFixed(TFixed X, TFixed Y) override
    {
        LastX = X;
        LastY = Y;
        return 0x55667788;
    }
};

struct TNeither : TCustomSampler {};

int GResamplersAlive = 0;

class TTestResampler : public TCustomResampler {
public:
    explicit TTestResampler(TCustomBitmap32* B) : TCustomResampler(B) { ++GResamplersAlive; }
    ~TTestResampler() override { --GResamplersAlive; }
    String ClassName() const override { return u"TTestResampler"; }
    void Resample(TCustomBitmap32*, const TRect&, const TRect&, TCustomBitmap32*, const TRect&, TDrawMode,
                  const TPixelCombineEvent&) override
    {
    }
};

class TOtherResampler : public TTestResampler {
public:
    using TTestResampler::TTestResampler;
    String ClassName() const override { return u"TOtherResampler"; }
};

}  // namespace

TEST(Ras32_Samplers, EitherFormAnswersTheOthers)
{
    TFloatOnly F;
    EXPECT_EQ(F.GetSampleInt(2, 3), 0x11223344u);
    EXPECT_EQ(F.LastX, 2.0f);
    EXPECT_EQ(F.LastY, 3.0f);
    F.GetSampleFixed(0x18000, -0x8000);
    EXPECT_EQ(F.LastX, 1.5f);
    EXPECT_EQ(F.LastY, -0.5f);

    TFixedOnly X;
    EXPECT_EQ(X.GetSampleFloat(1.5f, 2.25f), 0x55667788u);
    EXPECT_EQ(X.LastX, 0x18000);
    EXPECT_EQ(X.LastY, 0x24000);
    X.GetSampleInt(-1, 4);
    EXPECT_EQ(X.LastX, -0x10000);
    EXPECT_EQ(X.LastY, 0x40000);

    // Overriding neither raises instead of recursing without end.
    TNeither N;
    EXPECT_THROW(N.GetSampleInt(1, 1), EInvalidOperation);
    EXPECT_THROW(N.GetSampleFloat(1, 1), EInvalidOperation);
    EXPECT_FALSE(N.HasBounds());
    EXPECT_TRUE(std::isinf(N.GetSampleBounds().Left));
}

TEST(Ras32_Samplers, ResamplerBelongsToItsBitmap)
{
    {
        TCustomBitmap32 B;
        B.SetSize(4, 3);
        TEventLog Log;
        Log.Attach(B);
        B.SetResampler(new TTestResampler(&B));
        EXPECT_EQ(GResamplersAlive, 1);
        EXPECT_EQ(B.ResamplerClassName(), u"TTestResampler");
        EXPECT_EQ(Log.Changes, 1);

        // A property change of the resampler is the bitmap's whole-area change.
        B.Resampler()->SetPixelAccessMode(pamWrap);
        EXPECT_EQ(Log.Changes, 2);
        EXPECT_EQ(Log.Areas.back(), B.BoundsRect());
        B.Resampler()->SetPixelAccessMode(pamWrap);
        EXPECT_EQ(Log.Changes, 2);
        B.BeginUpdate();
        B.Resampler()->SetPixelAccessMode(pamSafe);
        B.EndUpdate();
        EXPECT_EQ(Log.Changes, 2);
        EXPECT_FALSE(B.Resampler()->HasBounds() && B.Resampler()->PixelAccessMode() == pamWrap);

        B.SetClipRect(RectOf(1, 1, 3, 2));
        B.Resampler()->SetPixelAccessMode(pamTransparentEdge);
        EXPECT_EQ(B.Resampler()->GetSampleBounds(), (TFloatRect{0, 0, 4, 3}));
        B.Resampler()->SetPixelAccessMode(pamWrap);
        EXPECT_FALSE(B.Resampler()->HasBounds());

        // By name: an unknown name keeps the resampler, a known one replaces it.
        ResamplerByNameFactory = [](const String& Name, TCustomBitmap32* Bitmap) -> TCustomResampler* {
            return Name == u"TOtherResampler" ? new TOtherResampler(Bitmap) : nullptr;
        };
        TCustomResampler* Before = B.Resampler();
        B.SetResamplerClassName(u"TNoSuchResampler");
        EXPECT_EQ(B.Resampler(), Before);
        B.SetResamplerClassName(u"TOtherResampler");
        EXPECT_EQ(B.ResamplerClassName(), u"TOtherResampler");
        EXPECT_EQ(B.Resampler()->Bitmap(), &B);
        EXPECT_EQ(GResamplersAlive, 1);
        ResamplerByNameFactory = nullptr;
        B.SetResampler(nullptr);
        EXPECT_NE(B.Resampler(), nullptr);
    }
    EXPECT_EQ(GResamplersAlive, 0);  // the bitmap frees its resampler

    DefaultResamplerFactory = [](TCustomBitmap32* B) -> TCustomResampler* { return new TTestResampler(B); };
    {
        TCustomBitmap32 B;
        EXPECT_EQ(B.ResamplerClassName(), u"TTestResampler");
    }
    DefaultResamplerFactory = nullptr;
    EXPECT_EQ(GResamplersAlive, 0);
}

// ---------------------------------------------------------------------------
// Bitmap core

TEST(Ras32_Bitmap, NewBitmapIsEmptyThenOpaqueBlack)
{
    TCustomBitmap32 B;
    EXPECT_TRUE(B.Empty());
    EXPECT_EQ(B.Bits(), nullptr);
    EXPECT_EQ(B.DrawMode(), dmOpaque);
    EXPECT_EQ(B.CombineMode(), cmBlend);
    EXPECT_EQ(B.WrapMode(), wmClamp);
    EXPECT_EQ(B.MasterAlpha(), 255u);
    EXPECT_EQ(B.OuterColor(), 0u);
    EXPECT_EQ(B.PenColor(), 0xFFFFFFFFu);
    EXPECT_EQ(B.StippleStep(), 1.0f);
    EXPECT_EQ(B.BlendProc, BlendPixelInPlace);

    TEventLog Log;
    Log.Attach(B);
    EXPECT_TRUE(B.SetSize(3, 2));
    EXPECT_EQ(B.Width(), 3);
    EXPECT_EQ(B.Height(), 2);
    EXPECT_TRUE(AllPixels(B, 0xFF000000));
    EXPECT_EQ(B.ClipRect(), RectOf(0, 0, 3, 2));
    EXPECT_FALSE(B.Clipping());
    // The bitmap's change (the whole area), then the resize.
    ASSERT_EQ(Log.Areas.size(), 1u);
    EXPECT_EQ(Log.Areas[0], RectOf(0, 0, 3, 2));
    EXPECT_EQ(Log.Infos[0], AreaInfoRect);
    EXPECT_EQ(Log.Changes, 1);
    EXPECT_EQ(Log.Resizes, 1);
    EXPECT_FALSE(B.SetSize(3, 2));
    EXPECT_EQ(Log.Changes, 1);

    B.FillRect(0, 0, 3, 2, 0x12345678);
    B.Clear();
    EXPECT_TRUE(AllPixels(B, 0xFF000000));
    B.Delete();
    EXPECT_TRUE(B.Empty());
    EXPECT_EQ(B.Bits(), nullptr);
}

TEST(Ras32_Bitmap, HostileSizesFailCleanly)
{
    TCustomBitmap32 B;
    B.SetSize(2, 2);
    EXPECT_TRUE(B.SetSize(-1, -7));
    EXPECT_EQ(B.Width(), 0);
    // Too many pixels to address: an out-of-memory error, no allocation, and a
    // consistent empty bitmap afterwards.
    for (auto Size : {std::pair{100000, 100000}, std::pair{0x7FFFFFFF, 0x7FFFFFFF}, std::pair{0x7FFFFFFF, 2}}) {
        EXPECT_THROW(B.SetSize(Size.first, Size.second), EOutOfMemory);
        EXPECT_EQ(B.Width(), 0);
        EXPECT_EQ(B.Height(), 0);
        EXPECT_EQ(B.Bits(), nullptr);
        EXPECT_TRUE(B.Empty());
        EXPECT_EQ(B.ClipRect(), RectOf(0, 0, 0, 0));
    }
    EXPECT_TRUE(B.SetSize(5, 4));
    EXPECT_TRUE(AllPixels(B, 0xFF000000));
    // Zero on one side: a size without pixels.
    EXPECT_TRUE(B.SetSize(0, 10));
    EXPECT_EQ(B.Height(), 10);
    EXPECT_TRUE(B.Empty());
    TEventLog Log;
    Log.Attach(B);
    B.Clear(0x11111111);  // nothing at all on an empty bitmap
    EXPECT_EQ(Log.Changes, 0);
    EXPECT_TRUE(Log.Areas.empty());
}

TEST(Ras32_Bitmap, ClipRectangle)
{
    TCustomBitmap32 B;
    B.SetSize(4, 4);
    TEventLog Log;
    Log.Attach(B);
    B.SetClipRect(RectOf(-5, -5, 2, 2));
    EXPECT_EQ(B.ClipRect(), RectOf(0, 0, 2, 2));
    EXPECT_TRUE(B.Clipping());
    EXPECT_EQ(B.FixedClipRect(), (TFixedRect{0, 0, 0x20000, 0x20000}));
    EXPECT_EQ(B.ClipRect256(), RectOf(0, 0, 0x200, 0x200));
    B.SetClipRect(RectOf(10, 10, 20, 20));
    EXPECT_EQ(B.ClipRect(), RectOf(0, 0, 0, 0));
    B.ResetClipRect();
    EXPECT_FALSE(B.Clipping());
    EXPECT_EQ(Log.Changes, 0);  // the clip rectangle fires nothing

    B.SetOuterColor(0xCAFEBABE);
    B.SetClipRect(RectOf(1, 1, 3, 3));
    B.SetPixel(1, 1, 0x01010101);
    EXPECT_EQ(B.GetPixelClipped(1, 1), 0x01010101u);
    EXPECT_EQ(B.GetPixelClipped(0, 1), 0xCAFEBABEu);
    EXPECT_EQ(B.GetPixelClipped(3, 2), 0xCAFEBABEu);
    B.SetPixelClipped(3, 2, 0x02020202);
    EXPECT_EQ(B.Pixel(3, 2), 0xFF000000u);
    B.SetPixelClipped(2, 2, 0x02020202);
    EXPECT_EQ(B.GetPixelUnchecked(2, 2), 0x02020202u);

    // Clear with a clip rectangle fills only the clip rectangle.
    B.Clear(0x44444444);
    for (Integer Y = 0; Y < 4; ++Y)
        for (Integer X = 0; X < 4; ++X)
            EXPECT_EQ(B.Pixel(X, Y), (X >= 1 && X < 3 && Y >= 1 && Y < 3) ? 0x44444444u : 0xFF000000u);
}

TEST(Ras32_Bitmap, WrappedReads)
{
    TCustomBitmap32 B;
    B.SetSize(4, 3);
    for (Integer Y = 0; Y < 3; ++Y)
        for (Integer X = 0; X < 4; ++X) B.SetPixel(X, Y, Cardinal(Y * 16 + X));
    struct {
        TWrapMode Mode;
        Integer X, Y;
        TColor32 Expected;
    } Cases[] = {
        {wmClamp, -3, 1, 0x10}, {wmClamp, 9, 9, 0x23}, {wmRepeat, 4, 3, 0x00}, {wmRepeat, -1, -1, 0x23},
        {wmMirror, 4, 0, 0x03}, {wmMirror, -1, 3, 0x20}, {wmMirror, 8, -4, 0x20},
    };
    for (auto& c : Cases) {
        B.SetWrapMode(c.Mode);
        EXPECT_EQ(B.GetPixelWrapped(c.X, c.Y), c.Expected) << int(c.Mode) << " " << c.X << " " << c.Y;
    }
    B.SetWrapMode(wmRepeat);
    EXPECT_EQ(B.WrapProcHorz, WrapRangePow2);  // 4 wide: the power-of-two form
    EXPECT_EQ(B.WrapProcVert, WrapRange);
    B.SetClipRect(RectOf(1, 0, 3, 3));
    EXPECT_EQ(B.GetPixelWrapped(3, 0), 0x01u);
    // An empty clip rectangle has nothing to wrap to: the outer colour.
    B.SetOuterColor(0x99);
    B.SetClipRect(RectOf(2, 2, 2, 2));
    B.SetWrapMode(wmClamp);
    EXPECT_EQ(B.GetPixelWrapped(5, 5), 0x99u);
}

TEST(Ras32_Bitmap, ModeSettersNotifyOnlyOnChange)
{
    TCustomBitmap32 B;
    B.SetSize(2, 2);
    TEventLog Log;
    Log.Attach(B);
    B.SetDrawMode(dmOpaque);
    B.SetMasterAlpha(255);
    B.SetCombineMode(cmBlend);
    B.SetWrapMode(wmClamp);
    EXPECT_EQ(Log.Changes, 0);
    B.SetDrawMode(dmBlend);
    B.SetMasterAlpha(128);
    B.SetCombineMode(cmMerge);
    B.SetWrapMode(wmMirror);
    EXPECT_EQ(Log.Changes, 4);
    EXPECT_EQ(B.BlendProc, MergePixelInPlace);
    B.SetOuterColor(1);
    B.SetPenColor(2);
    EXPECT_EQ(Log.Changes, 4);  // plain fields
    B.PropertyChanged();
    EXPECT_EQ(Log.Changes, 5);
    EXPECT_EQ(Log.Areas.size(), 4u);  // PropertyChanged reports no area
}

TEST(Ras32_Bitmap, CombinedPixelWrites)
{
    TCustomBitmap32 B;
    B.SetSize(3, 1);
    B.FillRect(0, 0, 3, 1, 0x80000000);
    B.SetPixelT(0, 0, 0xFFFFFFFF);  // blend: opaque stores whole
    EXPECT_EQ(B.Pixel(0, 0), 0xFFFFFFFFu);
    B.SetCombineMode(cmMerge);
    B.SetPixelT(1, 0, 0x80FF0000);
    EXPECT_EQ(B.Pixel(1, 0), 0xC0AA0000u);
    PColor32 P = B.GetPixelPtr(2, 0);
    B.SetPixelT(P, 0xFF00FF00);
    EXPECT_EQ(P, B.GetPixelPtr(3, 0));
    EXPECT_EQ(B.Pixel(2, 0), 0xFF00FF00u);
    B.SetClipRect(RectOf(0, 0, 1, 1));
    B.SetPixelTS(2, 0, 0xFF0000FF);
    EXPECT_EQ(B.Pixel(2, 0), 0xFF00FF00u);
    B.SetPixelTS(0, 0, 0xFF0000FF);
    EXPECT_EQ(B.Pixel(0, 0), BlendPas::MergePixel(0xFF0000FF, 0xFFFFFFFF));
}

TEST(Ras32_Bitmap, RectangleFills)
{
    TCustomBitmap32 B;
    B.SetSize(6, 5);
    TEventLog Log;
    Log.Attach(B);

    B.FillRect(1, 1, 3, 2, 0x11111111);
    EXPECT_EQ(B.Pixel(1, 1), 0x11111111u);
    EXPECT_EQ(B.Pixel(2, 1), 0x11111111u);
    EXPECT_EQ(B.Pixel(3, 1), 0xFF000000u);
    EXPECT_EQ(Log.Areas.back(), RectOf(1, 1, 3, 2));

    // Clipped: only inside the clip rectangle; the clipped area is reported.
    B.SetClipRect(RectOf(2, 2, 5, 4));
    Log.Reset();
    B.FillRectS(0, 0, 6, 5, 0x22222222);
    for (Integer Y = 0; Y < 5; ++Y)
        for (Integer X = 0; X < 6; ++X)
            ASSERT_EQ(B.Pixel(X, Y) == 0x22222222u, X >= 2 && X < 5 && Y >= 2 && Y < 4) << X << " " << Y;
    EXPECT_EQ(Log.Areas.back(), RectOf(2, 2, 5, 4));
    // Outside the clip rectangle nothing is drawn, but the rectangle is reported.
    Log.Reset();
    B.FillRectS(RectOf(0, 0, 2, 2), 0x33333333);
    EXPECT_EQ(B.Pixel(0, 0), 0xFF000000u);
    ASSERT_EQ(Log.Areas.size(), 1u);
    EXPECT_EQ(Log.Areas[0], RectOf(0, 0, 2, 2));
    B.ResetClipRect();

    // Through the combine mode: alpha 0 does nothing and reports nothing.
    Log.Reset();
    B.FillRectT(0, 0, 6, 5, 0x00FFFFFF);
    EXPECT_TRUE(Log.Areas.empty());
    EXPECT_EQ(Log.Changes, 0);
    EXPECT_EQ(B.Pixel(0, 0), 0xFF000000u);
    // Alpha 255 is a plain fill.
    B.FillRectT(0, 0, 1, 1, 0xFF123456);
    EXPECT_EQ(B.Pixel(0, 0), 0xFF123456u);
    // Otherwise each pixel is combined by the colour's alpha (cmBlend) ...
    TColor32 Before = B.Pixel(2, 2);
    B.FillRectT(2, 2, 4, 3, 0x80FFFFFF);
    EXPECT_EQ(B.Pixel(2, 2), BlendPas::CombinePixel(0x80FFFFFF, Before, 0x80));
    EXPECT_EQ(Log.Areas.back(), RectOf(2, 2, 4, 3));
    // ... or merged (cmMerge).
    B.SetCombineMode(cmMerge);
    B.FillRect(0, 4, 6, 5, 0x80000000);
    B.FillRectT(0, 4, 6, 5, 0x80FF0000);
    for (Integer X = 0; X < 6; ++X) EXPECT_EQ(B.Pixel(X, 4), 0xC0AA0000u);
    // The clipped form clips like FillRectS.
    B.SetClipRect(RectOf(0, 0, 1, 1));
    Log.Reset();
    B.FillRectTS(-3, -3, 2, 2, 0xFF0000FF);
    EXPECT_EQ(B.Pixel(0, 0), 0xFF0000FFu);
    EXPECT_EQ(B.Pixel(1, 1), 0x11111111u);
    EXPECT_EQ(Log.Areas.back(), RectOf(0, 0, 1, 1));
}

TEST(Ras32_Bitmap, MeasuringReportsWithoutDrawing)
{
    TCustomBitmap32 B;
    B.SetSize(4, 4);
    TEventLog Log;
    Log.Attach(B);
    std::vector<TRect> Measured;
    B.BeginUpdate();
    B.BeginMeasuring([&](TObject*, const TRect& Area, Cardinal Info) {
        Measured.push_back(Area);
        EXPECT_EQ(Info, AreaInfoRect);
    });
    EXPECT_TRUE(B.MeasuringMode());
    B.FillRectS(1, 1, 9, 9, 0x11111111);
    B.FillRectS(RectOf(-1, -1, 2, 2), 0x11111111);
    B.FillRectTS(RectOf(0, 0, 1, 1), 0x80111111);
    B.Clear(0x22222222);
    B.EndMeasuring();
    B.EndUpdate();
    EXPECT_TRUE(AllPixels(B, 0xFF000000));
    // Reports reach the callback inside the update bracket; OnChange never fires.
    ASSERT_EQ(Measured.size(), 4u);
    EXPECT_EQ(Measured[0], RectOf(1, 1, 9, 9));
    EXPECT_EQ(Measured[1], RectOf(-1, -1, 2, 2));
    EXPECT_EQ(Measured[2], RectOf(0, 0, 1, 1));
    EXPECT_EQ(Measured[3], RectOf(0, 0, 4, 4));
    EXPECT_EQ(Log.Changes, 0);
    EXPECT_TRUE(Log.Areas.empty());
    // The saved handler is back.
    B.Changed(RectOf(1, 2, 3, 4), AreaInfoLine + 2);
    ASSERT_EQ(Log.Areas.size(), 1u);
    EXPECT_EQ(Log.Infos[0], AreaInfoLine + 2);
    EXPECT_EQ(Log.Changes, 1);
    // Outside measuring, an update bracket holds both back.
    B.BeginUpdate();
    B.FillRectS(0, 0, 1, 1, 0x33333333);
    B.EndUpdate();
    EXPECT_EQ(B.Pixel(0, 0), 0x33333333u);
    EXPECT_EQ(Log.Areas.size(), 1u);
    EXPECT_EQ(Log.Changes, 1);
}
