// The skin kernels' platform start-up for a Windows test program, and the
// bitmaps its drawing tests draw on and read back.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <utility>

#include "framework/graphics/win/Graphics.h"
#include "skin/model/win/SFKernels_Win.h"

class TSkinPlatformEnvironment : public testing::Environment {
public:
    void SetUp() override { InstallSkinKernelsWin(); }
    void TearDown() override { UninstallSkinKernels(); }
};

// One per test program: gtest owns the environment.
inline testing::Environment* const GSkinPlatformEnvironment =
    testing::AddGlobalTestEnvironment(new TSkinPlatformEnvironment);

// A 24-bit bitmap filled with Color.
inline std::unique_ptr<TBitmap> SolidBitmap(Integer W, Integer H, TColor Color = clWhite)
{
    auto B = std::make_unique<TBitmap>();
    B->SetPixelFormat(pf24bit);
    B->SetSize(W, H);
    B->Canvas()->Brush()->SetColor(Color);
    B->Canvas()->FillRect({0, 0, W, H});
    return B;
}

// The pixels of colour C.
inline std::set<std::pair<Integer, Integer>> PixelsOf(TBitmap* B, TColor C)
{
    GdiFlush();
    std::set<std::pair<Integer, Integer>> S;
    for (Integer y = 0; y < B->Height(); ++y)
        for (Integer x = 0; x < B->Width(); ++x)
            if (B->Canvas()->Pixels(x, y) == C) S.insert({x, y});
    return S;
}

// Their bounds ((MAX, MAX, MIN, MIN) for none).
inline TRect BoundsOf(const std::set<std::pair<Integer, Integer>>& S)
{
    TRect R{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (const auto& P : S) {
        R.Left = std::min(R.Left, P.first);
        R.Top = std::min(R.Top, P.second);
        R.Right = std::max(R.Right, P.first + 1);
        R.Bottom = std::max(R.Bottom, P.second + 1);
    }
    return R;
}
