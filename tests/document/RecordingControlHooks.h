// Control-layer hooks for host tests: record the focus frames and texts the
// layer asks the platform for; texts measure 7 pixels a character.
#pragma once

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "document/ImageControlLayer.h"

// Installed for its lifetime; the hooks before it come back at its end.
struct TRecordingHooks {
    std::vector<TRect> Frames;
    std::vector<std::pair<TPoint, String>> Texts;
    TControlLayerHooks Saved = ControlLayerHooks;
    static inline TRecordingHooks* Current = nullptr;
    TRecordingHooks()
    {
        Current = this;
        ControlLayerHooks.FocusRect = [](TCustomBitmap32&, const TRect& R) { Current->Frames.push_back(R); };
        ControlLayerHooks.MeasureText = [](TCustomBitmap32&, const String& Text, Integer FontSize) {
            EXPECT_EQ(FontSize, 9);
            return static_cast<Integer>(Text.size()) * 7;
        };
        ControlLayerHooks.WriteText = [](TCustomBitmap32&, Integer X, Integer Y, const String& Text, Integer) {
            Current->Texts.push_back({TPoint{X, Y}, Text});
        };
    }
    ~TRecordingHooks()
    {
        ControlLayerHooks = Saved;
        Current = nullptr;
    }
};
