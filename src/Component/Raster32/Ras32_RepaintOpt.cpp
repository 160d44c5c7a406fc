#include "Component/Raster32/Ras32_RepaintOpt.h"

#include <algorithm>
#include <chrono>

// ---------------------------------------------------------------------------
// TCustomRepaintOptimizer

TCustomRepaintOptimizer::TCustomRepaintOptimizer(TCustomBitmap32* Buffer, TRectList* InvalidRects)
    : FInvalidRects(InvalidRects), FBuffer(Buffer)
{
}

TCustomRepaintOptimizer::~TCustomRepaintOptimizer()
{
    UnregisterAll();
}

void TCustomRepaintOptimizer::UnregisterAll()
{
    while (!FLayerCollections.empty()) UnregisterLayerCollection(FLayerCollections.back());
}

void TCustomRepaintOptimizer::RegisterLayerCollection(TLayerCollection* Layers)
{
    if (!Layers || std::find(FLayerCollections.begin(), FLayerCollections.end(), Layers) != FLayerCollections.end())
        return;
    FLayerCollections.push_back(Layers);
    Layers->OnListNotify = [this](TLayerCollection* Sender, TLayerListNotification Action, TCustomLayer* Layer,
                                  Integer Index) { ListNotifyHandler(Sender, Action, Layer, Index); };
}

void TCustomRepaintOptimizer::UnregisterLayerCollection(TLayerCollection* Layers)
{
    auto It = std::find(FLayerCollections.begin(), FLayerCollections.end(), Layers);
    if (It == FLayerCollections.end()) return;
    Layers->OnListNotify = nullptr;
    FLayerCollections.erase(It);
}

// ---------------------------------------------------------------------------
// TMicroTilesMap

TMicroTilesMap::~TMicroTilesMap()
{
    Clear();  // the base destructor would not reach this class's Delete
}

PMicroTiles TMicroTilesMap::Add(TCustomLayer* Item)
{
    bool IsNew;
    PPData Data = TPointerMap::Add(Item, IsNew);
    if (IsNew || !*Data) *Data = new TMicroTiles{};
    return static_cast<PMicroTiles>(*Data);
}

PMicroTiles TMicroTilesMap::Find(TCustomLayer* Item) const
{
    PPData Data;
    return TPointerMap::Find(Item, Data) ? static_cast<PMicroTiles>(*Data) : nullptr;
}

void* TMicroTilesMap::Delete(Integer BucketIndex, Integer ItemIndex)
{
    auto* Tiles = static_cast<PMicroTiles>(TPointerMap::Delete(BucketIndex, ItemIndex));
    if (Tiles) {
        TilesRelease(*Tiles);
        delete Tiles;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------
// TMicroTilesRepaintOptimizer

TRepaintOptimizerFactory DefaultRepaintOptimizerClass = [](TCustomBitmap32* Buffer, TRectList* InvalidRects) {
    return static_cast<TCustomRepaintOptimizer*>(new TMicroTilesRepaintOptimizer(Buffer, InvalidRects));
};

TMicroTilesRepaintOptimizer::TMicroTilesRepaintOptimizer(TCustomBitmap32* Buffer, TRectList* InvalidRects)
    : TCustomRepaintOptimizer(Buffer, InvalidRects),
      FOldInvalidTilesMap(std::make_unique<TMicroTilesMap>()),
      FPerfTimer(std::make_unique<TPerfTimer>())
{
}

TMicroTilesRepaintOptimizer::~TMicroTilesRepaintOptimizer()
{
    UnregisterAll();
    ReleaseWorkingTiles();
}

void TMicroTilesRepaintOptimizer::HookCollection(TLayerCollection* Layers)
{
    Layers->OnLayerUpdated = [this](TObject* Sender, TCustomLayer* Layer) { LayerUpdateHandler(Sender, Layer); };
    Layers->OnAreaUpdated = [this](TObject* Sender, const TRect& Area, Cardinal Info) {
        AreaUpdateHandler(Sender, Area, Info);
    };
    Layers->OnListNotify = [this](TLayerCollection* Sender, TLayerListNotification Action, TCustomLayer* Layer,
                                  Integer Index) { ListNotifyHandler(Sender, Action, Layer, Index); };
}

void TMicroTilesRepaintOptimizer::UnhookCollection(TLayerCollection* Layers)
{
    Layers->OnLayerUpdated = nullptr;
    Layers->OnAreaUpdated = nullptr;
    Layers->OnListNotify = nullptr;
}

void TMicroTilesRepaintOptimizer::ReleaseWorkingTiles()
{
    TilesRelease(FTempTiles);
    TilesRelease(FInvalidTiles);
    TilesRelease(FForcedInvalidTiles);
    FWorkingTilesValid = false;
}

void TMicroTilesRepaintOptimizer::RemoveInvalidLayer(TCustomLayer* Layer)
{
    FInvalidLayers.erase(std::remove(FInvalidLayers.begin(), FInvalidLayers.end(), Layer), FInvalidLayers.end());
}

void TMicroTilesRepaintOptimizer::RegisterLayerCollection(TLayerCollection* Layers)
{
    TCustomRepaintOptimizer::RegisterLayerCollection(Layers);
    if (Layers && FEnabled) HookCollection(Layers);
}

void TMicroTilesRepaintOptimizer::UnregisterLayerCollection(TLayerCollection* Layers)
{
    if (!Layers) return;
    UnhookCollection(Layers);
    // The collection's layers may go without a word from now on: forget them.
    for (Integer I = 0; I < Layers->Count(); ++I) {
        TCustomLayer* Layer = Layers->LayerAt(I);
        RemoveInvalidLayer(Layer);
        FOldInvalidTilesMap->Remove(Layer);
    }
    TCustomRepaintOptimizer::UnregisterLayerCollection(Layers);
}

void TMicroTilesRepaintOptimizer::SetEnabled(bool Value)
{
    if (Value == FEnabled) return;
    if (Value) {
        for (TLayerCollection* Layers : FLayerCollections) HookCollection(Layers);
        BufferResizedHandler(FBuffer->Width(), FBuffer->Height());
    } else {
        for (TLayerCollection* Layers : FLayerCollections) UnhookCollection(Layers);
        ReleaseWorkingTiles();
        FUseInvalidTiles = false;
        FOldInvalidTilesValid = false;
        FOldInvalidTilesMap->Clear();
        FInvalidLayers.clear();
    }
    FEnabled = Value;
}

void TMicroTilesRepaintOptimizer::SetAdaptiveMode(bool Value)
{
    if (Value == FAdaptiveMode) return;
    FAdaptiveMode = Value;
    RestartAdaption();
}

void TMicroTilesRepaintOptimizer::BufferResizedHandler(Integer NewWidth, Integer NewHeight)
{
    FBufferBounds = TRect{0, 0, NewWidth, NewHeight};
    Reset();
}

void TMicroTilesRepaintOptimizer::Reset()
{
    FWorkingTilesValid = false;
    FOldInvalidTilesValid = false;
    RebuildLayerTiles();
    TilesClear(FForcedInvalidTiles, MICROTILE_FULL);
    FForcedInvalidTiles.BoundsUsedTiles = TRect{0, 0, FForcedInvalidTiles.Columns, FForcedInvalidTiles.Rows};
    FUseInvalidTiles = true;
}

bool TMicroTilesRepaintOptimizer::UpdatesAvailable()
{
    RebuildLayerTiles();
    return FUseInvalidTiles;
}

void TMicroTilesRepaintOptimizer::AreaUpdateHandler(TObject* Sender, const TRect& Area, Cardinal Info)
{
    (void)Sender;
    EnsureWorkingTiles();
    AddAreaToTiles(FForcedInvalidTiles, Area, Info);
    FUseInvalidTiles = true;
}

void TMicroTilesRepaintOptimizer::LayerUpdateHandler(TObject* Sender, TCustomLayer* Layer)
{
    (void)Sender;
    if (!FOldInvalidTilesValid || Layer->IsInvalid()) return;
    FInvalidLayers.push_back(Layer);
    Layer->SetInvalid(true);
    FUseInvalidTiles = true;
}

void TMicroTilesRepaintOptimizer::ListNotifyHandler(TLayerCollection* Sender, TLayerListNotification Action,
                                                    TCustomLayer* Layer, Integer Index)
{
    (void)Sender, (void)Index;
    switch (Action) {
    case lnLayerAdded:
    case lnLayerInserted:
        TilesResize(*FOldInvalidTilesMap->Add(Layer), FBufferBounds);
        FOldInvalidTilesValid = true;
        break;
    case lnLayerDeleted:
        if (FOldInvalidTilesValid) {
            if (PMicroTiles Old = FOldInvalidTilesMap->Find(Layer)) {
                EnsureWorkingTiles();
                TilesUnion(FInvalidTiles, *Old, false);
                FUseInvalidTiles = true;
            }
        }
        RemoveInvalidLayer(Layer);
        FOldInvalidTilesMap->Remove(Layer);
        break;
    case lnCleared:
        if (FOldInvalidTilesValid) {
            EnsureWorkingTiles();
            TPointerMapIterator It(FOldInvalidTilesMap.get());
            while (It.Next()) TilesUnion(FInvalidTiles, *static_cast<PMicroTiles>(It.Data()), false);
            FUseInvalidTiles = true;
            RestartAdaption();
        }
        FOldInvalidTilesMap->Clear();
        FInvalidLayers.clear();
        FOldInvalidTilesValid = true;
        break;
    }
}

void TMicroTilesRepaintOptimizer::BeginPaintBuffer()
{
    if (FAdaptiveMode) FPerfTimer->Start();
}

void TMicroTilesRepaintOptimizer::EndPaintBuffer()
{
    FUseInvalidTiles = false;
    // A full repaint (no rectangles: forced by the control) drew everything
    // marked so far; left marked, it would all be repainted again at the next
    // change.
    if (FInvalidRects->Count() == 0) {
        TilesClearUsed(FInvalidTiles, MICROTILE_EMPTY);
        TilesClearUsed(FForcedInvalidTiles, MICROTILE_EMPTY);
    }
    RateLastRepaint();
}

void TMicroTilesRepaintOptimizer::PerformOptimization()
{
    if (FUseInvalidTiles) {
        EnsureWorkingTiles();
        bool Whole = FPerformanceLevel > 0;
        // Each changed layer invalidates its new footprint and the old one.
        for (TCustomLayer* Layer : FInvalidLayers) {
            TilesClearUsed(FTempTiles, MICROTILE_EMPTY);
            MeasureLayer(FTempTiles, Layer);
            TilesUnion(FInvalidTiles, FTempTiles, Whole);
            PMicroTiles Old = FOldInvalidTilesMap->Add(Layer);
            TilesUnion(FInvalidTiles, *Old, Whole);
            TilesCopy(*Old, FTempTiles);
            Layer->SetInvalid(false);
        }
        FInvalidLayers.clear();
        TilesCalcRects(FInvalidTiles, FInvalidRects, false);
        TilesCalcRects(FForcedInvalidTiles, FInvalidRects, false);
    }
    CheckAdaption();
    TilesClearUsed(FInvalidTiles, MICROTILE_EMPTY);
    TilesClearUsed(FForcedInvalidTiles, MICROTILE_EMPTY);
}

void TMicroTilesRepaintOptimizer::EnsureWorkingTiles()
{
    if (FWorkingTilesValid) return;
    TilesResize(FTempTiles, FBufferBounds);
    TilesResize(FInvalidTiles, FBufferBounds);
    TilesResize(FForcedInvalidTiles, FBufferBounds);
    FWorkingTilesValid = true;
}

void TMicroTilesRepaintOptimizer::RebuildLayerTiles()
{
    if (FOldInvalidTilesValid) return;
    EnsureWorkingTiles();
    for (TLayerCollection* Layers : FLayerCollections) {
        for (Integer I = 0; I < Layers->Count(); ++I) {
            TCustomLayer* Layer = Layers->LayerAt(I);
            PMicroTiles Tiles = FOldInvalidTilesMap->Add(Layer);
            TilesResize(*Tiles, FBufferBounds);
            MeasureLayer(*Tiles, Layer);
            Layer->SetInvalid(false);
        }
    }
    FInvalidLayers.clear();
    FOldInvalidTilesValid = true;
    FUseInvalidTiles = false;
}

void TMicroTilesRepaintOptimizer::MeasureLayer(TMicroTiles& Tiles, TCustomLayer* Layer)
{
    // In measuring mode the buffer draws nothing and reports every area it would touch.
    FBuffer->BeginMeasuring(
        [this](TObject* Sender, const TRect& Area, Cardinal Info) { MeasuringHandler(Sender, Area, Info); });
    FWorkMicroTiles = &Tiles;
    auto Restore = ScopeExit([&] {
        FWorkMicroTiles = nullptr;
        FBuffer->EndMeasuring();
    });
    Layer->RenderLayer(FBuffer);
}

void TMicroTilesRepaintOptimizer::MeasuringHandler(TObject* Sender, const TRect& Area, Cardinal Info)
{
    (void)Sender;
    if (FWorkMicroTiles) AddAreaToTiles(*FWorkMicroTiles, Area, Info);
}

void TMicroTilesRepaintOptimizer::AddAreaToTiles(TMicroTiles& Tiles, const TRect& Area, Cardinal Info)
{
    bool Whole = FPerformanceLevel > 0;
    if (Info & AreaInfoLine) {
        Integer Width = static_cast<Integer>(Info & 0x00FFFFFF);
        TRect R = Area;
        InflateOriented(R, Width, Width);
        TilesAddLine(Tiles, R.Left, R.Top, R.Right, R.Bottom, Width, Whole);
    } else {
        TilesAddRect(Tiles, Area, Whole);
    }
}

Cardinal TMicroTilesRepaintOptimizer::ReadTickCount()
{
    return TickCount();
}

Int64 TMicroTilesRepaintOptimizer::ReadElapsedTime()
{
    return FPerfTimer->ReadValue();
}

void TMicroTilesRepaintOptimizer::RestartAdaption()
{
    FTimeDelta = 1000;
    FAdaptionFailed = false;
    FPerformanceLevel = 0;
}

namespace {

// Whether the tick count has passed Deadline; tick counts wrap after 49.7 days.
bool TickPassed(Cardinal Tick, Cardinal Deadline)
{
    return static_cast<Integer>(Tick - Deadline) > 0;
}

}  // namespace

void TMicroTilesRepaintOptimizer::CheckAdaption()
{
    if (!FAdaptiveMode || FPerformanceLevel <= 0) return;
    if (!FCheckScheduled || TickPassed(ReadTickCount(), FNextCheck)) {
        FPerformanceLevel = std::max(FPerformanceLevel - 1, 0);
        FTimedCheck = true;
    } else if (!FAdaptionFailed && FInvalidRects->Count() < FOldInvalidRectsCount - 10) {
        FPerformanceLevel = std::max(FPerformanceLevel - 1, 0);
    } else if (FPerformanceLevel == 2) {
        FInvalidRects->Clear();  // a full repaint
    }
}

void TMicroTilesRepaintOptimizer::RateLastRepaint()
{
    Int64 T = ReadElapsedTime();
    auto Schedule = [this](Integer Delta) {
        FTimeDelta = std::clamp(Delta, 1000, 5000);
        FNextCheck = ReadTickCount() + static_cast<Cardinal>(FTimeDelta);
        FCheckScheduled = true;
    };
    if (FInvalidRects->Count() == 0) {
        FElapsedTimeForFullSceneRepaint = T;
    } else if (FAdaptiveMode) {
        if (T > FElapsedTimeForFullSceneRepaint) {
            Integer Level = std::min(FPerformanceLevel + 1, 2);
            if (Level != FPerformanceLevel) {
                FOldInvalidRectsCount = FInvalidRects->Count();
                FPerformanceLevel = Level;
                if (FTimedCheck) {
                    Schedule(FTimeDelta + 250);
                    FElapsedTimeOnLastPenalty = T;
                    FTimedCheck = false;
                }
            }
            FAdaptionFailed = true;
        } else if (T < FElapsedTimeForFullSceneRepaint) {
            if (FTimedCheck) {
                Schedule(1000);
                FTimedCheck = false;
            } else if (FTimeDelta > 1000) {
                Schedule(FTimeDelta - 1000);
            }
            FAdaptionFailed = false;
        } else if (T < FElapsedTimeOnLastPenalty && FTimedCheck) {
            Schedule(FTimeDelta - 250);
            FTimedCheck = false;
        }
    }
    FElapsedTimeForLastRepaint = T;
}
