// ImageDraw_Win: the document's Windows side: its view over the window's
// image view (TImgView32) and the platform's picture decoder, installed as
// the document's hook at start-up.
#pragma once

#include "Component/Raster32/win/Ras32_Image.h"
#include "document/ImageDraw.h"

// The image view as the document sees it. The view outlives the documents
// drawn into it; the view bitmap writes in Tahoma at size 9.
class TImgViewDrawView : public TImageDrawView {
public:
    explicit TImgViewDrawView(TImgView32* AView);
    TLayerCollection* Layers() override { return FView->Layers(); }
    TCustomBitmap32* Bitmap() override { return FView->Bitmap(); }
    Single OffsetHorz() override { return FView->OffsetHorz(); }
    Single OffsetVert() override { return FView->OffsetVert(); }
    TRect GetViewportRect() override { return FView->GetViewportRect(); }
    TSize ControlSize() override { return TSize{FView->Width(), FView->Height()}; }
    TImgView32* View() const { return FView; }

private:
    TImgView32* FView;
};

// Points the document's picture decoder and image writer at the image-file
// routines (GDI+, libjpeg-turbo) and its free-memory query at the system's,
// installs the document file readers, and installs the objects' drawing
// (InstallImageEffectsHooks, InstallImageShapeHooks, InstallImageTextHooks,
// InstallImageSelectionHooks), the gradient fill's (InstallImageFillHooks),
// the control layer's (InstallControlLayerHooks) and the system clipboard
// (InstallImageClipboardHooks).
// Called once at start-up.
void InstallImageDrawHooks();
