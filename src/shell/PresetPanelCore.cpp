#include "shell/PresetPanelCore.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "Component/Raster32/Ras32_Blend.h"
#include "filters/HyRas32Filters.h"
#include "filters/Ras32_BlendModes.h"
#include "filters/Ras32_Filters.h"
#include "filters/SharpenLib32.h"

TPresetThumbSize PresetThumbSizeFor(Integer Type, Integer SubType, bool CaptionLine)
{
    TPresetThumbSize S;
    S.CaptionHeight = CaptionLine ? 20 : 0;
    if (Type == 1) S.ThumbHeight = SubType <= 1 ? 66 : 71;
    S.TileWidth = S.ThumbWidth + 6;
    S.TileHeight = S.ThumbHeight + S.CaptionHeight + 5;
    S.PitchWidth = S.ThumbWidth + 8;
    S.PitchHeight = S.TileHeight + 2;
    S.SmallChange = S.PitchHeight / 2;
    S.LargeChange = S.PitchHeight;
    return S;
}

TRect PresetTileBounds(Integer Index, const TPresetThumbSize& S, Integer Pos)
{
    const Integer L = (Index % 2) * S.PitchWidth + 4, T = (Index / 2) * S.PitchHeight - Pos + 3;
    return {L, T, L + S.TileWidth, T + S.TileHeight};
}

Integer PresetPageHeight(Integer Count, const TPresetThumbSize& S) { return (Count + 1) / 2 * S.PitchHeight + 3; }

std::vector<TRow*> FilterPresetRows(TDataTable& Table, Integer SubType)
{
    std::vector<TRow*> Rows;
    for (Integer i = 0; i < Table.ItemCount(); ++i) {
        TRow* R = Table.GetItem(i);
        if (R->ItemCount() <= PresetCell::SubType || R->GetItem(PresetCell::SubType)->Value() != SubType) continue;
        while (R->ItemCount() < PresetRowCells) R->AddItem(String());
        Rows.push_back(R);
    }
    return Rows;
}

TRow* NextPresetJob(const std::vector<TRow*>& Rows)
{
    for (TRow* R : Rows)
        if (!R->Data().Get()) return R;
    return nullptr;
}

bool PresetRowOnPage(const std::vector<TRow*>& Rows, const TRow* Job)
{
    return Job && std::find(Rows.begin(), Rows.end(), Job) != Rows.end();
}

std::vector<String> PresetTabCaptions(const String& Prop)
{
    std::vector<String> Tabs;
    String Piece;
    for (Char C : Prop) {
        if (C == u'.') {
            Tabs.push_back(Trim(Piece));
            Piece.clear();
        } else {
            Piece += C;
        }
    }
    if (!Prop.empty()) Tabs.push_back(Trim(Piece));
    return Tabs;
}

namespace {
// The blend modes the recipes name, by their index in the blend-mode list.
enum : Integer { bmScreen = 2, bmOverlay = 3, bmReflect = 4, bmSoftLight = 5, bmColorBurn = 9, bmDarken = 11,
                 bmFreeze = 20 };

// A layer of one colour at alpha A drawn over P with blend mode Mode.
void ColorLayer(TCustomBitmap32& P, TColor32 Color, Byte A, Integer Mode)
{
    if (P.Empty()) return;
    const std::vector<TColor32> Row(static_cast<size_t>(P.Width()), (Color & 0x00FFFFFF) | (TColor32(A) << 24));
    for (Integer y = 0; y < P.Height(); ++y) BlendModeRows[Mode](Row.data(), P.GetPixelPtr(0, y), P.Width(), 255);
}

// Layer L (P's size) with its own alpha drawn over P with blend mode Mode.
void Layer(TCustomBitmap32& P, TCustomBitmap32& L, Integer Mode)
{
    if (P.Empty() || L.Width() != P.Width() || L.Height() != P.Height()) return;
    for (Integer y = 0; y < P.Height(); ++y)
        BlendModeRows[Mode](L.GetPixelPtr(0, y), P.GetPixelPtr(0, y), P.Width(), 255);
}

// Layer L merged over P (plain alpha compositing).
void MergeLayer(TCustomBitmap32& P, TCustomBitmap32& L)
{
    if (P.Empty() || L.Width() != P.Width() || L.Height() != P.Height()) return;
    for (Integer y = 0; y < P.Height(); ++y) {
        const TColor32* S = L.GetPixelPtr(0, y);
        TColor32* D = P.GetPixelPtr(0, y);
        for (Integer x = 0; x < P.Width(); ++x) MergePixelInPlace(S[x], D[x]);
    }
}

std::unique_ptr<TCustomBitmap32> SolidLike(TCustomBitmap32& P, TColor32 Color)
{
    auto L = std::make_unique<TCustomBitmap32>();
    L->SetSize(P.Width(), P.Height());
    L->Clear(Color);
    return L;
}

std::unique_ptr<TCustomBitmap32> GreyOf(TCustomBitmap32& P)
{
    auto L = std::make_unique<TCustomBitmap32>();
    L->Assign(&P);
    GrayscaleBitmap(L.get(), L.get(), true);
    return L;
}

TColor32 Hue(Single Degrees) { return HSLToColor32(Degrees / 360.0f, 1, 0.5f); }
Byte Clamp255(Integer V) { return static_cast<Byte>(std::clamp(V, 0, 255)); }

void StylePreview(TCustomBitmap32& P, TCustomBitmap32* Mask, Integer Value, Integer Mode)
{
    if (!Mask || Mask->Empty() || P.Empty()) return;
    TCustomBitmap32 L;
    ResizeBitmap(Mask, &L, P.Width(), P.Height());
    L.ResetAlpha(Clamp255(static_cast<Integer>(std::lround(Value * 2.55))));
    Layer(P, L, Mode);
}
}  // namespace

void ApplyPresetPreview(TCustomBitmap32& P, Integer Kind, Integer V, TCustomBitmap32* Mask)
{
    if (P.Empty()) return;
    const TRect All{0, 0, P.Width(), P.Height()};
    switch (Kind) {
        case 1: ExponentialBlur(&P, 4); break;
        case 2:
            for (Integer i = 0; i < V; ++i) SharpenBitmap(&P, 0);
            break;
        case 3: AddNoise(&P, V * 3, false); break;
        case 4: DenoiseBitmap(&P, 3, V); break;
        case 5: GrayscaleBitmap(&P, &P, true); break;
        case 6: InvertColorChannels(&P, &P); break;
        case 7: SoftenBitmap(&P, V, -1); break;
        case 8:
            GrayscaleBitmap(&P, &P, true);
            ColorLayer(P, Hue(static_cast<Single>(V)), 165, bmSoftLight);
            break;
        case 9: ColorLayer(P, 0xFFFFFFFF, 160, bmSoftLight); break;
        case 10: ColorLayer(P, 0xFF000000, 200, bmSoftLight); break;
        case 12: {
            AddNoise(&P, 15, true);
            ColorLayer(P, 0xFF7F7F7F, 100, bmFreeze);
            ColorLayer(P, Hue(25), 60, bmSoftLight);
            auto L = SolidLike(P, 0xFF000000);
            AlphaRadialFade(L.get(), 80);
            Layer(P, *L, bmDarken);
            break;
        }
        case 13: {
            auto L = SolidLike(P, 0xFFFFFFFF);
            FadeBorderAlpha(L.get(), 80, 70);
            MultiplyAlphaInRect(L.get(), &P, All);
            MergeLayer(P, *L);
            break;
        }
        case 14: {
            auto L = GreyOf(P);
            ColorLayer(*L, Hue(30), 255, bmSoftLight);
            L->ResetAlpha(153);
            MultiplyAlphaInRect(L.get(), &P, All);
            AddNoise(L.get(), 30, true);
            MergeLayer(P, *L);
            break;
        }
        case 15: FadeEdgesAlpha(&P, 45, sideRight); break;
        case 16: RandomJaggedEdges(&P, 6, sideRight, true); break;
        case 17: LightenEdges(&P, 5, sideLeft | sideTop | sideRight | sideBottom); break;
        case 18:
        case 19:
        case 20:
        case 21: {
            static const Single Hues[] = {210, 150, 10, 50};
            AdjustHueSaturation(&P, 0, -100);
            AdjustContrast(&P, 30);
            ColorLayer(P, Hue(Hues[Kind - 18]), Clamp255(V), bmOverlay);
            break;
        }
        case 22: ColorLayer(P, 0xFFFFFF00, 130, bmColorBurn); break;
        case 23: {
            auto L = GreyOf(P);
            L->ResetAlpha(255);
            Layer(P, *L, bmOverlay);
            break;
        }
        case 24: {
            auto L = GreyOf(P);
            L->ResetAlpha(200);
            Layer(P, *L, bmFreeze);
            break;
        }
        case 25: ColorLayer(P, 0xFFAA692F, 200, bmSoftLight); break;  // the colour 0x2F69AA
        case 26: ColorLayer(P, Hue(static_cast<Single>(V)), 255, bmOverlay); break;
        case 27: StylePreview(P, Mask, V, bmReflect); break;
        case 28:
        case 29:
        case 32: StylePreview(P, Mask, V, bmScreen); break;
        case 30:
            ExponentialBlur(&P, 2);
            LightenBitmap(&P, -30);
            AdjustHueSaturation(&P, 0, -50);
            StylePreview(P, Mask, V, bmScreen);
            break;
        case 31: StylePreview(P, Mask, V, bmSoftLight); break;
        default: break;  // the preview is the picture itself
    }
}

void ClearFrameGround(TCustomBitmap32& B)
{
    for (Integer y = 0; y < B.Height(); ++y) {
        TColor32* Row = B.GetPixelPtr(0, y);
        for (Integer x = 0; x < B.Width(); ++x)
            if (Row[x] == 0xFFFFFFFF || Row[x] == 0xFFF9FDFD || Row[x] == 0xFFE6E6E6) Row[x] = 0;
    }
}
