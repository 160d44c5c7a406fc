#include "document/win/ImageClipboard_Win.h"

#include <new>

#include "Component/Raster32/win/Ras32_Pictures.h"
#include "framework/graphics/win/Clipbrd.h"

namespace {

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
