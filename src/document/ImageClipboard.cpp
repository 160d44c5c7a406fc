#include "document/ImageClipboard.h"

namespace {
TDataTable& ObjectTable()
{
    static TDataTable Table;
    return Table;
}
std::unique_ptr<TCustomBitmap32>& ImageSlot()
{
    static std::unique_ptr<TCustomBitmap32> Slot;
    return Slot;
}
std::unique_ptr<TSystemClipboard>& SystemSlot()
{
    static std::unique_ptr<TSystemClipboard> Slot = std::make_unique<TSystemClipboard>();
    return Slot;
}
}  // namespace

TDataTable& ObjectClipboard() { return ObjectTable(); }

TCustomBitmap32* ClipboardRowPicture(TRow& Row) { return Row.Data2().As<TCustomBitmap32>(); }

TCustomBitmap32* ImageClipboard() { return ImageSlot().get(); }

void SetImageClipboard(std::unique_ptr<TCustomBitmap32> Value) { ImageSlot() = std::move(Value); }

TSystemClipboard& SystemClipboard() { return *SystemSlot(); }

void SetSystemClipboard(std::unique_ptr<TSystemClipboard> Value)
{
    SystemSlot() = Value ? std::move(Value) : std::make_unique<TSystemClipboard>();
}
