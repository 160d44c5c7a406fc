// Metafile: vector pictures (TMetafile) over GDI's enhanced metafiles. Reads
// EMF and WMF files (placeable or plain; WMF is converted by GDI), writes
// either, draws by playing the records, and goes to and from the clipboard as
// CF_ENHMETAFILE (read also from CF_METAFILEPICT).
#pragma once

#include "framework/graphics/win/Graphics.h"

class TMetafile : public TGraphic {
public:
    TMetafile() = default;
    ~TMetafile() override;
    String ClassName() const override { return u"TMetafile"; }
    // From a TMetafile (a copy of its records and size) or nil (empty).
    void Assign(TPersistent* Source) override;

    bool Empty() const override { return FHandle == nullptr; }
    // The size it is drawn at, in pixels: the picture frame at the screen's
    // resolution unless set.
    Integer Width() const override { return FWidth; }
    Integer Height() const override { return FHeight; }
    void SetWidth(Integer Value) override;
    void SetHeight(Integer Value) override;
    // Metafiles draw only what their records draw: the rest stays as it was.
    bool Transparent() const override { return true; }

    // Plays the records stretched into R.
    void Draw(TCanvas* ACanvas, const TRect& R) override;
    // An EMF or a WMF (with or without the placeable header) from the stream's
    // position to its end. Raises EInvalidGraphic for anything else, and for
    // one whose frame has no size; the picture held before then stays.
    void LoadFromStream(TStream* Stream) override;
    // EMF when Enhanced, else a placeable WMF. Raises EInvalidGraphic when empty.
    void SaveToStream(TStream* Stream) override;
    std::unique_ptr<TGraphic> NewOfSameClass() const override { return std::make_unique<TMetafile>(); }

    // The format SaveToStream writes: true (the default) EMF, false WMF.
    bool Enhanced() const { return FEnhanced; }
    void SetEnhanced(bool Value) { FEnhanced = Value; }
    HENHMETAFILE Handle() const { return FHandle; }
    // Takes over Value (deleted with the metafile); the size becomes its frame's.
    void SetHandle(HENHMETAFILE Value);
    HENHMETAFILE ReleaseHandle();

    // A metafile of the clipboard's CF_ENHMETAFILE, else its CF_METAFILEPICT;
    // false (and nothing changed) when the clipboard holds neither. The
    // clipboard must be open.
    bool LoadFromOpenClipboard();
    // A copy of the records as CF_ENHMETAFILE (the system offers
    // CF_METAFILEPICT from it). The clipboard must be open and emptied.
    void SaveToOpenClipboard() const;

private:
    void Reset(HENHMETAFILE Value);
    HENHMETAFILE FHandle = nullptr;
    Integer FWidth = 0;
    Integer FHeight = 0;
    bool FEnhanced = true;
};
