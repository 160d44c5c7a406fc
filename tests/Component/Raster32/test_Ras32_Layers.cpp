// Layers and the layer collection: order, announcements, hit testing and mouse capture.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Component/Raster32/Ras32_Layers.h"
#include "framework/runtime/SysUtils.h"

namespace {

// Counts what the collection announces through its hooks.
struct THookLog {
    Integer Changing = 0, Change = 0, Overlay = 0, LayerUpdates = 0, Areas = 0;
    std::vector<TLayerListNotification> Lists;
    std::vector<Integer> ListIndexes;
    TRect LastArea;

    TLayerCollection* Hooked;
    explicit THookLog(TLayerCollection& C) : Hooked(&C)
    {
        C.OnChanging = [this](TObject*) { ++Changing; };
        C.OnChange = [this](TObject*) { ++Change; };
        C.OnGDIUpdate = [this](TObject*) { ++Overlay; };
        C.OnLayerUpdated = [this](TObject*, TCustomLayer*) { ++LayerUpdates; };
        C.OnAreaUpdated = [this](TObject*, const TRect& R, Cardinal Info) {
            ++Areas;
            LastArea = R;
            EXPECT_EQ(Info, AreaInfoRect);
        };
        C.OnListNotify = [this](TLayerCollection*, TLayerListNotification A, TCustomLayer*, Integer I) {
            Lists.push_back(A);
            ListIndexes.push_back(I);
        };
    }
    THookLog(const THookLog&) = delete;
    THookLog& operator=(const THookLog&) = delete;
    // The collection may outlive the log.
    ~THookLog()
    {
        if (!Hooked) return;
        Hooked->OnChanging = Hooked->OnChange = Hooked->OnGDIUpdate = nullptr;
        Hooked->OnLayerUpdated = nullptr;
        Hooked->OnAreaUpdated = nullptr;
        Hooked->OnListNotify = nullptr;
    }
    void Reset()
    {
        Changing = Change = Overlay = LayerUpdates = Areas = 0;
        Lists.clear();
        ListIndexes.clear();
    }
};

// A layer that logs its mouse events as text.
struct TLoggingLayer : TPositionedLayer {
    explicit TLoggingLayer(TLayerCollection* C) : TPositionedLayer(C) {}
    std::string* Log = nullptr;
    std::string Name;
    void LayerMouseDown(TMouseButton B, TShiftState S, Integer X, Integer Y) override
    {
        *Log += Name + ".down" + std::to_string(B) + " ";
        TPositionedLayer::LayerMouseDown(B, S, X, Y);
    }
    void LayerMouseMove(TShiftState S, Integer X, Integer Y) override
    {
        *Log += Name + ".move ";
        TPositionedLayer::LayerMouseMove(S, X, Y);
    }
    void LayerMouseUp(TMouseButton B, TShiftState S, Integer X, Integer Y) override
    {
        *Log += Name + ".up" + std::to_string(B) + " ";
        TPositionedLayer::LayerMouseUp(B, S, X, Y);
    }
};

TLoggingLayer* AddLogging(TLayerCollection& C, std::string& Log, const char* Name, TFloatRect Where)
{
    auto* L = C.Add<TLoggingLayer>();
    L->Log = &Log;
    L->Name = Name;
    L->SetLocation(Where);
    return L;
}

}  // namespace

TEST(Ras32_Layers, NewLayersAttachOnTopWithTheirDefaults)
{
    TLayerCollection C(nullptr);
    THookLog Log(C);
    auto* A = C.Add<TCustomLayer>();
    auto* B = C.Add<TPositionedLayer>();
    EXPECT_EQ(C.Count(), 2);
    EXPECT_EQ(A->Index(), 0);
    EXPECT_EQ(B->Index(), 1);
    EXPECT_EQ(A->LayerOptions(), LOB_VISIBLE);
    EXPECT_EQ(B->LayerOptions(), LOB_VISIBLE | LOB_MOUSE_EVENTS);
    EXPECT_EQ(B->Location(), (TFloatRect{0, 0, 64, 64}));
    EXPECT_FALSE(B->Scaled());
    EXPECT_EQ(Log.Lists, (std::vector<TLayerListNotification>{lnLayerAdded, lnLayerAdded}));
    EXPECT_EQ(Log.ListIndexes, (std::vector<Integer>{0, 1}));
    // Each attachment is one bracket: changing, then change.
    EXPECT_EQ(Log.Changing, 2);
    EXPECT_EQ(Log.Change, 2);

    TCustomLayer Free(nullptr);
    EXPECT_EQ(Free.Index(), -1);
    EXPECT_EQ(Free.LayerCollection(), nullptr);
}

TEST(Ras32_Layers, IndexIsClampedAndOnlyVisibleMovesAnnounce)
{
    TLayerCollection C(nullptr);
    auto* A = C.Add<TCustomLayer>();
    auto* B = C.Add<TCustomLayer>();
    auto* D = C.Add<TCustomLayer>();
    THookLog Log(C);

    struct TCase {
        TCustomLayer* Layer;
        Integer NewIndex, Expected, Announced;
    } Cases[] = {
        {D, -5, 0, 1},                  // to the bottom
        {D, 0, 0, 0},                   // the current index: nothing at all
        {D, C.Count() + 3, 2, 1},       // to the top
        {A, 1, 1, 1},
    };
    for (const TCase& T : Cases) {
        Log.Reset();
        T.Layer->SetIndex(T.NewIndex);
        EXPECT_EQ(T.Layer->Index(), T.Expected) << T.NewIndex;
        EXPECT_EQ(Log.Change, T.Announced) << T.NewIndex;
        EXPECT_TRUE(Log.Lists.empty());
    }
    // An invisible layer moves silently.
    B->SetVisible(false);
    Log.Reset();
    B->SendToBack();
    EXPECT_EQ(B->Index(), 0);
    EXPECT_EQ(Log.Change + Log.Changing, 0);
    B->BringToFront();
    EXPECT_EQ(B->Index(), 2);
}

TEST(Ras32_Layers, HidingReportsTheLayerOnceAndShowingReportsItToo)
{
    TLayerCollection C(nullptr);
    auto* L = C.Add<TPositionedLayer>();
    THookLog Log(C);
    L->SetVisible(false);
    EXPECT_EQ(Log.LayerUpdates, 1);
    EXPECT_EQ(Log.Changing, 1);
    EXPECT_FALSE(L->Visible());
    EXPECT_EQ(L->LayerOptions() & LOB_FORCE_UPDATE, 0u);

    // Hidden: changes of the layer are not reported any more.
    Log.Reset();
    L->SetLocation(TFloatRect{1, 1, 2, 2});
    EXPECT_EQ(Log.LayerUpdates, 0);

    // A hidden layer with the overlay bit asks for an overlay refresh instead.
    L->SetLayerOptions(L->LayerOptions() | LOB_GDI_OVERLAY);
    Log.Reset();
    L->Changed();
    EXPECT_EQ(Log.Overlay, 1);
    C.BeginUpdate();
    L->Changed();
    C.EndUpdate();
    EXPECT_EQ(Log.Overlay, 1);  // not while the collection is updating

    Log.Reset();
    L->SetVisible(true);
    EXPECT_EQ(Log.LayerUpdates, 1);
    EXPECT_GE(Log.Change, 1);
}

TEST(Ras32_Layers, NoUpdateBitSilencesChangesButNotExplicitUpdates)
{
    TLayerCollection C(nullptr);
    auto* L = C.Add<TPositionedLayer>();
    C.Add<TPositionedLayer>();
    L->SetLayerOptions(L->LayerOptions() | LOB_NO_UPDATE);
    THookLog Log(C);
    Integer OwnChanges = 0;
    L->OnChange = [&](TObject*) { ++OwnChanges; };

    L->SetLayerOptions(L->LayerOptions() | 1);
    L->SetMouseEvents(false);
    L->SetLocation(TFloatRect{5, 5, 10, 10});
    L->SetScaled(true);
    L->Changed();
    L->Changed(TRect{0, 0, 1, 1});
    L->SetVisible(false);
    L->SetVisible(true);
    EXPECT_EQ(Log.Changing + Log.Change + Log.LayerUpdates + Log.Areas, 0);
    EXPECT_EQ(OwnChanges, 0);
    EXPECT_EQ(L->Location(), (TFloatRect{5, 5, 10, 10}));

    L->Update();
    EXPECT_EQ(Log.LayerUpdates, 1);
    L->Update(TRect{1, 2, 3, 4});
    EXPECT_EQ(Log.Areas, 1);
    EXPECT_EQ(Log.LastArea, (TRect{1, 2, 3, 4}));
    Log.Reset();
    L->SetIndex(1);  // a visible move still announces
    EXPECT_EQ(Log.Change, 1);
}

TEST(Ras32_Layers, ChangedReachesTheLayersOwnEventOnlyOutsideItsBrackets)
{
    TLayerCollection C(nullptr);
    auto* L = C.Add<TPositionedLayer>();
    THookLog Log(C);
    Integer OwnChanges = 0;
    L->OnChange = [&](TObject*) { ++OwnChanges; };
    L->BeginUpdate();
    L->SetLocation(TFloatRect{0, 0, 8, 8});
    EXPECT_EQ(Log.LayerUpdates, 0);
    L->EndUpdate();
    EXPECT_EQ(OwnChanges, 0);  // EndUpdate announces nothing
    L->Changed();
    EXPECT_EQ(OwnChanges, 1);
    EXPECT_EQ(Log.LayerUpdates, 1);
}

TEST(Ras32_Layers, CollectionBracketsAndErrors)
{
    TLayerCollection C(nullptr);
    THookLog Log(C);
    C.BeginUpdate();
    C.BeginUpdate();
    C.EndUpdate();
    EXPECT_EQ(Log.Change, 0);
    C.EndUpdate();
    EXPECT_EQ(Log.Changing, 1);
    EXPECT_EQ(Log.Change, 1);
    try {
        C.EndUpdate();
        FAIL() << "no exception";
    } catch (const EAssertionFailed& E) {
        EXPECT_EQ(E.Message(), u"Unpaired EndUpdate");
    }
    EXPECT_EQ(C.UpdateCount(), -1);

    TLayerCollection D(nullptr);
    D.Add<TCustomLayer>();
    for (Integer Bad : {-1, 1}) {
        EXPECT_THROW(D.LayerAt(Bad), EListError);
        EXPECT_THROW(D.Delete(Bad), EListError);
    }
    try {
        D.LayerAt(7);
    } catch (const EListError& E) {
        EXPECT_EQ(E.Message(), u"List index out of bounds (7)");
    }
}

TEST(Ras32_Layers, InsertClampsAndReportsTheRequestedIndex)
{
    TLayerCollection C(nullptr);
    C.Add<TCustomLayer>();
    C.Add<TCustomLayer>();
    THookLog Log(C);
    auto* L = C.Insert<TPositionedLayer>(-3);
    EXPECT_EQ(L->Index(), 0);
    EXPECT_EQ(Log.Lists, (std::vector<TLayerListNotification>{lnLayerAdded, lnLayerInserted}));
    EXPECT_EQ(Log.ListIndexes, (std::vector<Integer>{2, -3}));
    EXPECT_EQ(Log.Change, 1);  // one bracket around it all
    auto* M = C.Insert<TCustomLayer>(99);
    EXPECT_EQ(M->Index(), 3);
}

TEST(Ras32_Layers, DeleteClearAndDestructionDetach)
{
    auto C = std::make_unique<TLayerCollection>(nullptr);
    THookLog Log(*C);
    std::vector<std::string> Gone;
    for (const char* Name : {"a", "b", "c"}) {
        auto* L = C->Add<TCustomLayer>();
        L->OnDestroy = [&Gone, Name](TObject*) { Gone.push_back(Name); };
    }
    Log.Reset();
    C->Delete(1);
    EXPECT_EQ(Gone, (std::vector<std::string>{"b"}));
    EXPECT_EQ(Log.Lists, (std::vector<TLayerListNotification>{lnLayerDeleted}));
    EXPECT_EQ(Log.ListIndexes, (std::vector<Integer>{1}));
    EXPECT_EQ(C->Count(), 2);

    // A layer freed directly leaves its collection.
    delete C->LayerAt(0);
    EXPECT_EQ(C->Count(), 1);
    EXPECT_EQ(Gone, (std::vector<std::string>{"b", "a"}));

    // Moving a layer to another collection.
    TLayerCollection Other(nullptr);
    TCustomLayer* Last = C->LayerAt(0);
    Last->SetLayerCollection(&Other);
    EXPECT_EQ(C->Count(), 0);
    EXPECT_EQ(Other.Count(), 1);
    Last->SetLayerCollection(C.get());

    C->Add<TCustomLayer>()->OnDestroy = [&Gone](TObject*) { Gone.push_back("d"); };
    Log.Reset();
    C->Clear();
    EXPECT_EQ(Gone, (std::vector<std::string>{"b", "a", "d", "c"}));  // top first
    EXPECT_EQ(Log.Lists.back(), lnCleared);
    EXPECT_EQ(Log.Change, 1);

    // Destruction frees the layers and announces nothing.
    C->Add<TCustomLayer>();
    Log.Reset();
    C.reset();
    Log.Hooked = nullptr;
    EXPECT_EQ(Log.Change + Log.Changing, 0);
}

TEST(Ras32_Layers, AssigningCollectionsFailsBeforeFreeingAnything)
{
    TLayerCollection Dst(nullptr), Src(nullptr), Empty(nullptr);
    Dst.Add<TPositionedLayer>();
    Dst.Add<TPositionedLayer>();
    Src.Add<TPositionedLayer>();
    try {
        Dst.Assign(&Src);
        FAIL() << "no exception";
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message(), u"Cannot assign a TPositionedLayer to a TPositionedLayer");
    }
    EXPECT_EQ(Dst.Count(), 2);
    EXPECT_EQ(Src.Count(), 1);

    Dst.Assign(&Empty);
    EXPECT_EQ(Dst.Count(), 0);

    TCustomLayer Stranger(nullptr);
    EXPECT_THROW(Dst.Assign(&Stranger), EConvertError);
}

TEST(Ras32_Layers, HitSearchFromTheTopFallsThroughWhenRefused)
{
    TLayerCollection C(nullptr);
    auto* Lower = C.Add<TPositionedLayer>();
    auto* Upper = C.Add<TPositionedLayer>();
    auto* NoMouse = C.Add<TPositionedLayer>();
    NoMouse->SetMouseEvents(false);  // on top, but not searched
    EXPECT_EQ(C.FindLayerAt(10, 10, LOB_MOUSE_EVENTS), Upper);
    bool Refuse = true;
    Upper->OnHitTest = [&](TObject*, Integer, Integer, bool& Passed) { Passed = !Refuse; };
    EXPECT_EQ(C.FindLayerAt(10, 10, LOB_MOUSE_EVENTS), Lower);
    EXPECT_EQ(C.FindLayerAt(64, 10, LOB_MOUSE_EVENTS), nullptr);  // right edge is exclusive
    EXPECT_EQ(C.FindLayerAt(10, 10, 0), nullptr);
    EXPECT_EQ(C.FindLayerAt(10, 10, LOB_VISIBLE), NoMouse);
}

TEST(Ras32_Layers, ViewportMappingOfScaledLayers)
{
    TLayerCollection C(nullptr);
    TFloatPoint P{3, 4};
    EXPECT_EQ(C.LocalToViewport(P, true), P);  // no hooks: scale 1, shift 0
    EXPECT_EQ(C.ViewportToLocal(P, true), P);

    std::string Asked;
    C.OnGetViewportScale = [&](TObject*, Single& X, Single& Y) {
        Asked += "scale ";
        X = 2;
        Y = 4;
    };
    C.OnGetViewportShift = [&](TObject*, Single& X, Single& Y) {
        Asked += "shift ";
        X = 10;
        Y = 20;
    };
    EXPECT_EQ(C.LocalToViewport(P, true), (TFloatPoint{16, 36}));
    EXPECT_EQ(Asked, "shift scale ");
    EXPECT_EQ(C.ViewportToLocal(TFloatPoint{16, 36}, true), P);
    EXPECT_EQ(C.LocalToViewport(P, false), P);

    auto* L = C.Add<TPositionedLayer>();
    L->SetLocation(TFloatRect{0, 0, 5, 5});
    EXPECT_FALSE(L->HitTest(12, 22));
    L->SetScaled(true);
    EXPECT_EQ(L->GetAdjustedLocation(), (TFloatRect{10, 20, 20, 40}));
    EXPECT_TRUE(L->HitTest(12, 22));
    EXPECT_FALSE(L->HitTest(20, 22));
}

TEST(Ras32_Layers, CaptureHoldsAcrossTheReleaseAndWithTwoButtons)
{
    TLayerCollection C(nullptr);
    std::string Log;
    auto* A = AddLogging(C, Log, "a", TFloatRect{0, 0, 10, 10});
    auto* B = AddLogging(C, Log, "b", TFloatRect{20, 0, 30, 10});

    // Press on A, move over B, release over B: A gets all of it.
    EXPECT_EQ(C.DispatchMouseDown(mbLeft, ssLeft, 5, 5), A);
    EXPECT_EQ(C.MouseListener(), A);
    EXPECT_EQ(A->LayerStates(), 1 << lsMouseLeft);
    EXPECT_EQ(C.DispatchMouseMove(ssLeft, 25, 5), A);
    EXPECT_EQ(C.DispatchMouseUp(mbLeft, 0, 25, 5), A);
    EXPECT_EQ(C.MouseListener(), nullptr);
    EXPECT_EQ(Log, "a.down0 a.move a.up0 ");

    // Two buttons: releasing one keeps the capture, the second ends it.
    Log.clear();
    C.DispatchMouseDown(mbLeft, ssLeft, 25, 5);
    C.DispatchMouseDown(mbRight, ssLeft | ssRight, 5, 5);
    EXPECT_EQ(B->LayerStates(), (1 << lsMouseLeft) | (1 << lsMouseRight));
    C.DispatchMouseUp(mbLeft, ssRight, 5, 5);
    EXPECT_EQ(C.MouseListener(), B);
    C.DispatchMouseUp(mbRight, 0, 5, 5);
    EXPECT_EQ(C.MouseListener(), nullptr);
    EXPECT_EQ(Log, "b.down0 b.down1 b.up0 b.up1 ");

    // Without a listener, events go to the layer under the pointer.
    Log.clear();
    EXPECT_EQ(C.DispatchMouseMove(0, 5, 5), A);
    EXPECT_EQ(C.DispatchMouseMove(0, 50, 50), nullptr);
    EXPECT_EQ(C.DispatchMouseDown(mbLeft, 0, 50, 50), nullptr);
    EXPECT_EQ(Log, "a.move ");

    // Switching mouse events off drops the listener and its states.
    C.DispatchMouseDown(mbMiddle, ssMiddle, 5, 5);
    EXPECT_EQ(C.MouseListener(), A);
    C.SetMouseEvents(false);
    EXPECT_EQ(C.MouseListener(), nullptr);
    EXPECT_EQ(A->LayerStates(), 0);
    EXPECT_FALSE(C.MouseEvents());
}

TEST(Ras32_Layers, NoCaptureLayersLeaveLaterEventsToThePointer)
{
    TLayerCollection C(nullptr);
    std::string Log;
    auto* A = AddLogging(C, Log, "a", TFloatRect{0, 0, 10, 10});
    auto* B = AddLogging(C, Log, "b", TFloatRect{20, 0, 30, 10});
    A->SetLayerOptions(A->LayerOptions() | LOB_NO_CAPTURE);
    EXPECT_EQ(C.DispatchMouseDown(mbLeft, ssLeft, 5, 5), A);  // the target of the press
    EXPECT_EQ(C.MouseListener(), nullptr);
    EXPECT_EQ(C.DispatchMouseMove(ssLeft, 25, 5), B);
    EXPECT_EQ(C.DispatchMouseUp(mbLeft, 0, 25, 5), B);
    EXPECT_EQ(Log, "b.move b.up0 ");
}

TEST(Ras32_Layers, FreeingTheListenerReleasesTheCapture)
{
    TLayerCollection C(nullptr);
    std::string Log;
    auto* A = AddLogging(C, Log, "a", TFloatRect{0, 0, 10, 10});
    C.DispatchMouseDown(mbLeft, ssLeft, 5, 5);
    delete A;
    EXPECT_EQ(C.MouseListener(), nullptr);
    EXPECT_EQ(C.DispatchMouseUp(mbLeft, 0, 5, 5), nullptr);
}

TEST(Ras32_Layers, CursorsGoThroughThePlatformHooks)
{
    static std::vector<TCursor> Shown;
    Shown.clear();
    LayerScreenCursorProc = [](TCursor Cursor) { Shown.push_back(Cursor); };
    LayerOwnerCursorFunc = [](TPersistent* Owner, TCursor& Cursor) {
        Cursor = crHandPoint;
        return Owner != nullptr;
    };
    TPersistent Owner;
    TLayerCollection C(&Owner);
    auto* L = C.Add<TPositionedLayer>();
    L->SetCursor(crCross);              // not the listener: nothing shown
    C.DispatchMouseMove(0, 5, 5);       // the layer's cursor
    C.DispatchMouseMove(0, 100, 100);   // no layer: the owner's cursor
    C.DispatchMouseDown(mbLeft, 0, 5, 5);
    L->SetCursor(crIBeam);              // the listener shows its new cursor
    C.DispatchMouseUp(mbLeft, 0, 5, 5); // the default on release
    L->SetAsMouseListener();
    EXPECT_EQ(Shown, (std::vector<TCursor>{crCross, crHandPoint, crIBeam, crDefault, crIBeam}));
    EXPECT_EQ(C.MouseListener(), L);
    LayerScreenCursorProc = nullptr;
    LayerOwnerCursorFunc = nullptr;
}

TEST(Ras32_Layers, RenderLayerPaintsThenCallsOnPaint)
{
    struct TPainted : TCustomLayer {
        using TCustomLayer::TCustomLayer;
        std::string* Log = nullptr;
        void PaintLayer(TCustomBitmap32*) override { *Log += "paint "; }
    };
    TLayerCollection C(nullptr);
    std::string Log;
    auto* L = C.Add<TPainted>();
    L->Log = &Log;
    TCustomBitmap32 Buffer;
    L->OnPaint = [&](TObject* Sender, TCustomBitmap32* B) {
        EXPECT_EQ(Sender, L);
        EXPECT_EQ(B, &Buffer);
        Log += "event ";
    };
    L->RenderLayer(&Buffer);
    EXPECT_EQ(Log, "paint event ");
}
