// Ras32_RepaintOpt: the repaint optimiser of a paint box. While enabled it
// collects the changed areas of the bitmap and of the layers and, at paint
// time, turns them into the paint box's list of invalid rectangles, so that
// only those parts of the back buffer are redrawn and shown. The micro-tile
// optimiser remembers what each layer covered when last painted, so a moved
// or changed layer invalidates its old and its new footprint, and adapts:
// when fine-grained repaints turn out slower than a full one it falls back to
// whole tiles, then to full repaints, and tries finer ones again later.
#pragma once

#include <memory>
#include <vector>

#include "Component/Raster32/Ras32.h"
#include "Component/Raster32/Ras32_Containers.h"
#include "Component/Raster32/Ras32_Layers.h"
#include "Component/Raster32/Ras32_MicroTiles.h"  // also InflateOriented
#include "Component/Raster32/Ras32_System.h"

// The protocol, as the paint box drives it: Enabled while the control is in
// its optimised repaint mode; areas (in control pixels) and layers arrive
// through the handlers; before a paint the control asks UpdatesAvailable and
// calls PerformOptimization, which fills the invalid-rectangle list (empty
// means everything); paints are bracketed by BeginPaint/EndPaint, redraws of
// the buffer by BeginPaintBuffer/EndPaintBuffer.
class TCustomRepaintOptimizer : public TObject {
public:
    // Buffer and InvalidRects belong to the paint box.
    TCustomRepaintOptimizer(TCustomBitmap32* Buffer, TRectList* InvalidRects);
    TCustomRepaintOptimizer(const TCustomRepaintOptimizer&) = delete;
    TCustomRepaintOptimizer& operator=(const TCustomRepaintOptimizer&) = delete;
    ~TCustomRepaintOptimizer() override;
    String ClassName() const override { return u"TCustomRepaintOptimizer"; }

    bool Enabled() const { return GetEnabled(); }
    virtual bool GetEnabled() const { return FEnabled; }
    virtual void SetEnabled(bool Value) { FEnabled = Value; }

    virtual void RegisterLayerCollection(TLayerCollection* Layers);
    virtual void UnregisterLayerCollection(TLayerCollection* Layers);

    virtual void BeginPaint() {}
    virtual void EndPaint() {}
    virtual void BeginPaintBuffer() {}
    virtual void EndPaintBuffer() {}

    virtual void Reset() = 0;
    virtual bool UpdatesAvailable() = 0;
    virtual void PerformOptimization() = 0;

    virtual void AreaUpdateHandler(TObject* Sender, const TRect& Area, Cardinal Info) = 0;
    virtual void LayerUpdateHandler(TObject* Sender, TCustomLayer* Layer) = 0;
    virtual void BufferResizedHandler(Integer NewWidth, Integer NewHeight) = 0;

    TCustomBitmap32* Buffer() const { return FBuffer; }
    TRectList* InvalidRects() const { return FInvalidRects; }

protected:
    virtual void ListNotifyHandler(TLayerCollection* Sender, TLayerListNotification Action, TCustomLayer* Layer,
                                   Integer Index) = 0;
    // Unregisters every collection; a subclass with its own unregistration
    // calls this from its destructor (the base destructor cannot reach it).
    void UnregisterAll();

    bool FEnabled = false;
    std::vector<TLayerCollection*> FLayerCollections;
    TRectList* FInvalidRects;
    TCustomBitmap32* FBuffer;
};

// Maps a layer to the tiles it covered when last measured; owns the records.
class TMicroTilesMap : public TPointerMap {
public:
    ~TMicroTilesMap() override;
    String ClassName() const override { return u"TMicroTilesMap"; }
    // The layer's record, made (zeroed, without tiles) when it has none.
    PMicroTiles Add(TCustomLayer* Item);
    PMicroTiles Find(TCustomLayer* Item) const;

protected:
    void* Delete(Integer BucketIndex, Integer ItemIndex) override;
};

class TMicroTilesRepaintOptimizer : public TCustomRepaintOptimizer {
public:
    TMicroTilesRepaintOptimizer(TCustomBitmap32* Buffer, TRectList* InvalidRects);
    ~TMicroTilesRepaintOptimizer() override;
    String ClassName() const override { return u"TMicroTilesRepaintOptimizer"; }

    void SetEnabled(bool Value) override;
    void RegisterLayerCollection(TLayerCollection* Layers) override;
    void UnregisterLayerCollection(TLayerCollection* Layers) override;

    void BeginPaintBuffer() override;
    void EndPaintBuffer() override;

    // Everything becomes invalid: the next optimisation yields the whole buffer.
    void Reset() override;
    bool UpdatesAvailable() override;
    void PerformOptimization() override;

    void AreaUpdateHandler(TObject* Sender, const TRect& Area, Cardinal Info) override;
    void LayerUpdateHandler(TObject* Sender, TCustomLayer* Layer) override;
    void BufferResizedHandler(Integer NewWidth, Integer NewHeight) override;

    bool AdaptiveMode() const { return FAdaptiveMode; }
    void SetAdaptiveMode(bool Value);
    // 0 exact micro tiles, 1 whole tiles, 2 full repaints.
    Integer PerformanceLevel() const { return FPerformanceLevel; }

protected:
    void ListNotifyHandler(TLayerCollection* Sender, TLayerListNotification Action, TCustomLayer* Layer,
                           Integer Index) override;
    // The clocks of the adaptive mode: the platform's millisecond tick count
    // and the repaint timer; tests replace them.
    virtual Cardinal ReadTickCount();
    virtual Int64 ReadElapsedTime();

    void EnsureWorkingTiles();
    void RebuildLayerTiles();
    void MeasureLayer(TMicroTiles& Tiles, TCustomLayer* Layer);
    void MeasuringHandler(TObject* Sender, const TRect& Area, Cardinal Info);
    void AddAreaToTiles(TMicroTiles& Tiles, const TRect& Area, Cardinal Info);
    void RestartAdaption();
    void CheckAdaption();
    void RateLastRepaint();

private:
    void HookCollection(TLayerCollection* Layers);
    void UnhookCollection(TLayerCollection* Layers);
    void ReleaseWorkingTiles();
    void RemoveInvalidLayer(TCustomLayer* Layer);

    TRect FBufferBounds;
    TMicroTiles* FWorkMicroTiles = nullptr;
    TMicroTiles FTempTiles;
    TMicroTiles FInvalidTiles;
    TMicroTiles FForcedInvalidTiles;
    std::vector<TCustomLayer*> FInvalidLayers;
    std::unique_ptr<TMicroTilesMap> FOldInvalidTilesMap;
    bool FWorkingTilesValid = false;
    bool FOldInvalidTilesValid = false;
    bool FUseInvalidTiles = false;
    bool FAdaptiveMode = true;
    std::unique_ptr<TPerfTimer> FPerfTimer;
    Integer FPerformanceLevel = 0;
    Int64 FElapsedTimeForLastRepaint = 0;
    Int64 FElapsedTimeForFullSceneRepaint = 0;
    bool FAdaptionFailed = false;
    bool FTimedCheck = false;
    Integer FTimeDelta = 1000;
    // The next timed check (tick count) once one is scheduled; before that
    // every check is due.
    Cardinal FNextCheck = 0;
    bool FCheckScheduled = false;
    Int64 FElapsedTimeOnLastPenalty = 0;
    Integer FOldInvalidRectsCount = 0;
};

// The optimiser every paint box makes (TMicroTilesRepaintOptimizer unless replaced).
using TRepaintOptimizerFactory = TCustomRepaintOptimizer* (*)(TCustomBitmap32* Buffer, TRectList* InvalidRects);
extern TRepaintOptimizerFactory DefaultRepaintOptimizerClass;
