#include "framework/graphics/win/GifImg.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include <gif_lib.h>

#include "framework/graphics/ColorQuantizer.h"

namespace {

constexpr uint64_t MaxPixels = MaxPicturePixels;

[[noreturn]] void Invalid() { throw EGIFError(u"GIF image is not valid"); }

// giflib reads and writes through these; they never let an exception into giflib.
struct TGifReader {
    TStream* Stream;
};

int ReadFromStream(GifFileType* Gif, GifByteType* Buffer, int Count)
{
    auto* r = static_cast<TGifReader*>(Gif->UserData);
    try {
        return r->Stream->Read(Buffer, Count);
    } catch (...) {
        return 0;
    }
}

struct TGifWriter {
    std::vector<uint8_t> Data;
};

int WriteToBuffer(GifFileType* Gif, const GifByteType* Buffer, int Count)
{
    auto* w = static_cast<TGifWriter*>(Gif->UserData);
    try {
        w->Data.insert(w->Data.end(), Buffer, Buffer + Count);
        return Count;
    } catch (...) {
        return 0;
    }
}

TColor ToColor(const GifColorType& c) { return c.Red | (c.Green << 8) | (c.Blue << 16); }

void ReadMap(const ColorMapObject* Map, TGIFColorMap& Out)
{
    Out.Clear();
    if (!Map) return;
    for (int i = 0; i < Map->ColorCount; ++i) Out.Add(ToColor(Map->Colors[i]));
}

// A giflib map (freed by giflib with the file) padded to a power of two; nullptr for an empty map.
ColorMapObject* MakeMap(TGIFColorMap& Map)
{
    if (Map.Count() == 0) return nullptr;
    int size = 2;
    while (size < Map.Count() && size < 256) size *= 2;
    std::vector<GifColorType> colors(static_cast<size_t>(size), GifColorType{0, 0, 0});
    for (int i = 0; i < std::min(size, Map.Count()); ++i) {
        TColor c = Map.Colors(i);
        colors[i] = GifColorType{static_cast<GifByteType>(c & 0xFF), static_cast<GifByteType>((c >> 8) & 0xFF),
                                 static_cast<GifByteType>((c >> 16) & 0xFF)};
    }
    return GifMakeMapObject(size, colors.data());
}

// Extension blocks as giflib lists them: a block with a function code, then
// its continuation blocks.
void ReadExtensions(int Count, const ExtensionBlock* Blocks, std::vector<std::unique_ptr<TGIFExtension>>& Out)
{
    for (int i = 0; i < Count; ++i) {
        const ExtensionBlock& b = Blocks[i];
        std::vector<uint8_t> bytes(b.Bytes, b.Bytes + std::max(b.ByteCount, 0));
        if (b.Function == GRAPHICS_EXT_FUNC_CODE) {
            GraphicsControlBlock gcb{};
            if (DGifExtensionToGCB(static_cast<size_t>(b.ByteCount), b.Bytes, &gcb) != GIF_OK) Invalid();
            auto ext = std::make_unique<TGIFGraphicControlExtension>();
            ext->SetDisposal(gcb.DisposalMode);
            ext->SetUserInput(gcb.UserInputFlag);
            ext->SetDelay(gcb.DelayTime);
            ext->SetTransparent(gcb.TransparentColor >= 0);
            ext->SetTransparentColorIndex(static_cast<Byte>(gcb.TransparentColor >= 0 ? gcb.TransparentColor : 0));
            Out.push_back(std::move(ext));
        } else if (b.Function == CONTINUE_EXT_FUNC_CODE && !Out.empty() &&
                   !dynamic_cast<TGIFGraphicControlExtension*>(Out.back().get())) {
            Out.back()->Blocks.push_back(std::move(bytes));
        } else {
            auto ext = std::make_unique<TGIFExtension>(static_cast<Byte>(b.Function));
            ext->Blocks.push_back(std::move(bytes));
            Out.push_back(std::move(ext));
        }
    }
}

bool WriteExtensions(const std::vector<std::unique_ptr<TGIFExtension>>& List, int* Count, ExtensionBlock** Blocks)
{
    for (const auto& e : List) {
        if (auto* g = dynamic_cast<TGIFGraphicControlExtension*>(e.get())) {
            GraphicsControlBlock gcb{};
            gcb.DisposalMode = g->Disposal();
            gcb.UserInputFlag = g->UserInput();
            gcb.DelayTime = g->Delay();
            gcb.TransparentColor = g->Transparent() ? g->TransparentColorIndex() : NO_TRANSPARENT_COLOR;
            GifByteType bytes[4];
            size_t n = EGifGCBToExtension(&gcb, bytes);
            if (GifAddExtensionBlock(Count, Blocks, GRAPHICS_EXT_FUNC_CODE, static_cast<unsigned int>(n), bytes) !=
                GIF_OK)
                return false;
            continue;
        }
        for (size_t i = 0; i < e->Blocks.size(); ++i) {
            std::vector<uint8_t> bytes = e->Blocks[i];
            int function = i == 0 ? e->FunctionCode() : CONTINUE_EXT_FUNC_CODE;
            if (GifAddExtensionBlock(Count, Blocks, function, static_cast<unsigned int>(bytes.size()), bytes.data()) !=
                GIF_OK)
                return false;
        }
    }
    return true;
}

}  // namespace

// ---------------------------------------------------------------------------

TColor TGIFColorMap::Colors(Integer Index) const
{
    return Index >= 0 && Index < Count() ? FColors[static_cast<size_t>(Index)] : clBlack;
}

void TGIFColorMap::SetColors(Integer Index, TColor Value)
{
    if (Index < 0 || Index > 255) return;
    if (Index >= Count()) FColors.resize(static_cast<size_t>(Index) + 1, clBlack);
    FColors[static_cast<size_t>(Index)] = Value;
}

// ---------------------------------------------------------------------------

TGIFFrame::~TGIFFrame() = default;

void TGIFFrame::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    FLeft = ALeft;
    FTop = ATop;
    AWidth = std::max(AWidth, 0);
    AHeight = std::max(AHeight, 0);
    if (AWidth != FWidth || AHeight != FHeight) {
        FWidth = AWidth;
        FHeight = AHeight;
        FData.assign(static_cast<size_t>(AWidth) * AHeight, 0);
    }
    FreeBitmap();
}

TGIFColorMap* TGIFFrame::ActiveColorMap() { return FColorMap.Count() ? &FColorMap : FImage->GlobalColorMap(); }

void TGIFFrame::AddExtension(std::unique_ptr<TGIFExtension> Extension)
{
    FExtensions.push_back(std::move(Extension));
    FreeBitmap();
}

TGIFGraphicControlExtension* TGIFFrame::GraphicControlExtension() const
{
    for (const auto& e : FExtensions)
        if (auto* g = dynamic_cast<TGIFGraphicControlExtension*>(e.get())) return g;
    return nullptr;
}

TBitmap* TGIFFrame::Bitmap()
{
    if (FBitmap) return FBitmap.get();
    TGIFColorMap* map = ActiveColorMap();
    TGIFGraphicControlExtension* gce = GraphicControlExtension();
    int transparent = gce && gce->Transparent() ? gce->TransparentColorIndex() : -1;
    TDibImage img;
    img.Allocate(FWidth, FHeight, pf32bit);
    for (Integer y = 0; y < FHeight; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(img.ScanLine(y));
        for (Integer x = 0; x < FWidth; ++x) {
            uint8_t i = FData[static_cast<size_t>(y) * FWidth + x];
            TColor c = map->Colors(i);
            uint32_t rgb = static_cast<uint32_t>(((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF));
            row[x] = rgb | (i == transparent ? 0 : 0xFF000000u);
        }
    }
    auto b = std::make_unique<TBitmap>();
    b->SetDib(img);
    if (transparent >= 0) b->SetAlphaFormat(afDefined);
    FBitmap = std::move(b);
    return FBitmap.get();
}

void TGIFFrame::FreeBitmap() { FBitmap.reset(); }

// ---------------------------------------------------------------------------

TGIFImage::~TGIFImage() = default;

void TGIFImage::SetWidth(Integer Value)
{
    if (Value != FWidth) throw EInvalidGraphicOperation(u"Cannot change the size of a GIF image");
}

void TGIFImage::SetHeight(Integer Value)
{
    if (Value != FHeight) throw EInvalidGraphicOperation(u"Cannot change the size of a GIF image");
}

void TGIFImage::SetReductionBits(Integer Value) { FReductionBits = std::clamp<Integer>(Value, 1, 8); }

bool TGIFImage::Transparent() const
{
    if (FImages.empty()) return false;
    TGIFGraphicControlExtension* g = FImages[0]->GraphicControlExtension();
    return g && g->Transparent();
}

TGIFFrame* TGIFImage::AddFrame()
{
    FImages.push_back(std::make_unique<TGIFFrame>(this));
    return FImages.back().get();
}

void TGIFImage::Clear()
{
    FImages.clear();
    FTrailingExtensions.clear();
    FGlobalColorMap.Clear();
    FWidth = FHeight = 0;
    FBackgroundColorIndex = 0;
}

void TGIFImage::Assign(TPersistent* Source)
{
    if (!Source) {
        Clear();
        Changed();
        return;
    }
    if (auto* g = dynamic_cast<TGIFImage*>(Source)) {
        if (g == this) return;
        Clear();
        FWidth = g->FWidth;
        FHeight = g->FHeight;
        FGlobalColorMap = g->FGlobalColorMap;
        FBackgroundColorIndex = g->FBackgroundColorIndex;
        FColorReduction = g->FColorReduction;
        FReductionBits = g->FReductionBits;
        FDitherMode = g->FDitherMode;
        auto copyExtensions = [](const std::vector<std::unique_ptr<TGIFExtension>>& From,
                                 std::vector<std::unique_ptr<TGIFExtension>>& To) {
            for (const auto& e : From) {
                if (auto* gce = dynamic_cast<TGIFGraphicControlExtension*>(e.get()))
                    To.push_back(std::make_unique<TGIFGraphicControlExtension>(*gce));
                else
                    To.push_back(std::make_unique<TGIFExtension>(*e));
            }
        };
        for (const auto& f : g->FImages) {
            TGIFFrame* n = AddFrame();
            n->FLeft = f->FLeft;
            n->FTop = f->FTop;
            n->FWidth = f->FWidth;
            n->FHeight = f->FHeight;
            n->FData = f->FData;
            n->FColorMap = f->FColorMap;
            copyExtensions(f->FExtensions, n->FExtensions);
        }
        copyExtensions(g->FTrailingExtensions, FTrailingExtensions);
        Changed();
        return;
    }
    if (auto* b = dynamic_cast<TBitmap*>(Source)) {
        TDibImage img;
        b->GetDib(img);
        Clear();
        if (!img.Empty()) {
            size_t w = static_cast<size_t>(img.Width);
            std::vector<uint32_t> px(w * img.Height);
            for (Integer y = 0; y < img.Height; ++y)
                DecodeScanline(img.ScanLine(y), img.PixelFormat, img.Palette, img.Width, px.data() + y * w);
            Integer colors = FColorReduction == rmQuantize ? 1 << FReductionBits : 256;
            std::vector<uint32_t> palette = QuantizePalette(px.data(), px.size(), colors);
            FWidth = img.Width;
            FHeight = img.Height;
            for (uint32_t c : palette)
                FGlobalColorMap.Add(static_cast<TColor>(((c >> 16) & 0xFF) | (c & 0xFF00) | ((c & 0xFF) << 16)));
            TGIFFrame* f = AddFrame();
            f->SetBounds(0, 0, img.Width, img.Height);
            MapToPalette(px.data(), img.Width, img.Height, palette, FDitherMode == dmFloydSteinberg, f->Data());
        }
        Changed();
        return;
    }
    TGraphic::Assign(Source);
}

void TGIFImage::AssignTo(TPersistent* Dest)
{
    auto* b = dynamic_cast<TBitmap*>(Dest);
    if (!b) {
        TGraphic::AssignTo(Dest);
        return;
    }
    if (FImages.empty() || FWidth <= 0 || FHeight <= 0) {
        b->Assign(nullptr);
        return;
    }
    TGIFFrame* f = FImages[0].get();
    TBitmap* fb = f->Bitmap();
    bool covers = f->FLeft == 0 && f->FTop == 0 && f->FWidth == FWidth && f->FHeight == FHeight;
    if (covers) {
        b->Assign(fb);
        return;
    }
    // The frame on a transparent screen.
    TDibImage frame, screen;
    fb->GetDib(frame);
    screen.Allocate(FWidth, FHeight, pf32bit);
    for (Integer y = 0; y < f->FHeight; ++y) {
        Integer sy = y + f->FTop;
        if (sy < 0 || sy >= FHeight) continue;
        const uint32_t* src = reinterpret_cast<const uint32_t*>(frame.ScanLine(y));
        uint32_t* dst = reinterpret_cast<uint32_t*>(screen.ScanLine(sy));
        for (Integer x = 0; x < f->FWidth; ++x) {
            Integer sx = x + f->FLeft;
            if (sx >= 0 && sx < FWidth) dst[sx] = src[x];
        }
    }
    b->SetDib(screen);
    b->SetAlphaFormat(afDefined);
}

void TGIFImage::Draw(TCanvas* ACanvas, const TRect& R)
{
    if (Empty()) return;
    TBitmap b;
    AssignTo(&b);
    b.Draw(ACanvas, R);
}

void TGIFImage::LoadFromStream(TStream* Stream)
{
    TGifReader reader{Stream};
    int error = 0;
    GifFileType* gif = DGifOpen(&reader, ReadFromStream, &error);
    if (!gif) Invalid();
    // giflib's structures are copied into ours, then freed; a failure frees them too.
    std::unique_ptr<GifFileType, void (*)(GifFileType*)> hold(gif, [](GifFileType* g) {
        int e = 0;
        DGifCloseFile(g, &e);
    });
    if (DGifSlurp(gif) != GIF_OK || gif->ImageCount < 1) Invalid();

    TGIFImage loaded;
    loaded.FWidth = gif->SWidth;
    loaded.FHeight = gif->SHeight;
    loaded.FBackgroundColorIndex = static_cast<Byte>(gif->SBackGroundColor);
    ReadMap(gif->SColorMap, loaded.FGlobalColorMap);
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& sp = gif->SavedImages[i];
        const GifImageDesc& d = sp.ImageDesc;
        if (d.Width <= 0 || d.Height <= 0 || static_cast<uint64_t>(d.Width) * d.Height > MaxPixels || !sp.RasterBits)
            Invalid();
        TGIFFrame* f = loaded.AddFrame();
        f->FLeft = d.Left;
        f->FTop = d.Top;
        f->FWidth = d.Width;
        f->FHeight = d.Height;
        f->FData.assign(sp.RasterBits, sp.RasterBits + static_cast<size_t>(d.Width) * d.Height);
        ReadMap(d.ColorMap, f->FColorMap);
        ReadExtensions(sp.ExtensionBlockCount, sp.ExtensionBlocks, f->FExtensions);
    }
    ReadExtensions(gif->ExtensionBlockCount, gif->ExtensionBlocks, loaded.FTrailingExtensions);
    if (loaded.FWidth <= 0 || loaded.FHeight <= 0) Invalid();
    hold.reset();

    loaded.FColorReduction = FColorReduction;
    loaded.FReductionBits = FReductionBits;
    loaded.FDitherMode = FDitherMode;
    Assign(&loaded);
}

void TGIFImage::SaveToStream(TStream* Stream)
{
    if (FImages.empty()) throw EGIFError(u"Cannot save an empty GIF image");
    TGifWriter writer;
    int error = 0;
    GifFileType* gif = EGifOpen(&writer, WriteToBuffer, &error);
    if (!gif) throw EGIFError(u"Cannot write the GIF image");
    bool ok = true;
    gif->SWidth = FWidth;
    gif->SHeight = FHeight;
    gif->SColorResolution = 8;
    gif->SBackGroundColor = FBackgroundColorIndex;
    gif->AspectByte = 0;
    gif->SColorMap = MakeMap(FGlobalColorMap);
    for (const auto& f : FImages) {
        SavedImage* sp = GifMakeSavedImage(gif, nullptr);
        if (!sp) {
            ok = false;
            break;
        }
        sp->ImageDesc.Left = f->FLeft;
        sp->ImageDesc.Top = f->FTop;
        sp->ImageDesc.Width = f->FWidth;
        sp->ImageDesc.Height = f->FHeight;
        sp->ImageDesc.Interlace = false;
        sp->ImageDesc.ColorMap = MakeMap(f->FColorMap);
        sp->RasterBits = static_cast<GifByteType*>(std::malloc(f->FData.size() + 1));
        if (!sp->RasterBits || (!gif->SColorMap && !sp->ImageDesc.ColorMap)) {
            ok = false;
            break;
        }
        std::memcpy(sp->RasterBits, f->FData.data(), f->FData.size());
        if (!WriteExtensions(f->FExtensions, &sp->ExtensionBlockCount, &sp->ExtensionBlocks)) {
            ok = false;
            break;
        }
    }
    ok = ok && WriteExtensions(FTrailingExtensions, &gif->ExtensionBlockCount, &gif->ExtensionBlocks);
    // EGifSpew closes (and frees) the file when it succeeds.
    if (!ok || EGifSpew(gif) != GIF_OK) {
        EGifCloseFile(gif, &error);
        throw EGIFError(u"Cannot write the GIF image");
    }
    Stream->WriteBuffer(writer.Data.data(), static_cast<Integer>(writer.Data.size()));
}
