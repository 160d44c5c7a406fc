#include "document/win/ImageClipboard_Win.h"

#include <new>

#include "Component/Raster32/win/Ras32_Pictures.h"
#include "framework/graphics/win/Clipbrd.h"

namespace {

// Most programs put 32-bit pictures whose fourth byte is unused and 0: read
// as alpha, the pasted picture would be invisible.
bool NoAlpha(const TCustomBitmap32& B)
{
    const TColor32* P = B.Bits();
    for (size_t i = 0, N = static_cast<size_t>(B.Width()) * static_cast<size_t>(B.Height()); i < N; ++i)
        if (P[i] >> 24) return false;
    return true;
}

class TPlatformClipboard : public TSystemClipboard {
public:
    bool HasBitmap() override { return Clipboard()->HasFormat(CF_BITMAP); }
    std::unique_ptr<TCustomBitmap32> GetBitmap() override
    {
        // What another program put may be damaged or claim sizes its data
        // does not hold: such a picture is refused, and nothing is pasted.
        try {
            auto B = std::make_unique<TCustomBitmap32>();
            ImportPlatformPicture(B.get(), Clipboard());
            if (NoAlpha(*B)) B->ResetAlpha();
            return B;
        } catch (const Exception&) {
            return nullptr;
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
    }
    void Clear() override { Clipboard()->Clear(); }
    void SetBitmap(TCustomBitmap32& Bitmap) override { ExportPlatformPicture(&Bitmap, Clipboard()); }
    void SetText(const String& Text) override { Clipboard()->SetAsText(Text); }
};

}  // namespace

void InstallImageClipboardHooks() { SetSystemClipboard(std::make_unique<TPlatformClipboard>()); }
