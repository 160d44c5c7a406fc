#include "skin/model/win/SFSkinData_Win.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "foundation/HyFileUtils_ImageInfo.h"
#include "framework/controls/win/Forms.h"
#include "framework/graphics/win/Graphics.h"
#include "framework/graphics/win/Jpeg.h"

namespace {

void LoadJpegFile(const String& Path, TDibImage& Image, TsfSkinPixelBudget* Budget)
{
    TMemoryStream data;
    data.LoadFromFile(Path);
    // The size is counted from the header: the decoder would make the
    // picture (and the bitmap it becomes) before the skin could refuse it.
    TImageHeader header;
    if (!ReadImageHeader(&data, header) || header.Format != ifJpg)
        throw EInvalidGraphic(u"The skin picture " + ExtractFileName(Path) + u" is not a JPEG picture");
    ClaimSkinPicture(header.Width, header.Height, Budget);
    data.SetPosition(0);
    TJPEGImage jpeg;
    jpeg.LoadFromStream(&data);
    TBitmap bitmap;
    bitmap.Assign(&jpeg);
    bitmap.GetDib(Image);
}

void LoadCursorFile(const String& Path, Integer Slot)
{
    // A file that does not load leaves the slot to the default cursor.
    if (HCURSOR cursor = LoadCursorFromFileW(reinterpret_cast<const wchar_t*>(Path.c_str())))
        Screen->SetCursors(Slot, cursor);
}

}  // namespace

void SendSkinDataToForms(TsfSkinData* SkinData, Integer Msg)
{
    const auto wParam = reinterpret_cast<WPARAM>(SkinData);
    TCustomForm* served = nullptr;
    if (auto* owner = dynamic_cast<TForm*>(SkinData->Owner()); owner && !SkinData->ShowLayeredBorders()) {
        SendMessageW(owner->Handle(), Msg, wParam, SkinDataMessageLParam);
        served = owner;
    }
    // Handles, not forms: a receiver may free a form while others still wait,
    // and a message to a window that is gone is simply not delivered.
    std::vector<HWND> handles;
    for (Integer i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* form = Screen->Forms(i);
        if (form == served || form->ClassName() == u"TsfFormLayerWindow") continue;
        handles.push_back(form->Handle());
    }
    if (SkinData->ShowLayeredBorders() && SkinData->LayerFrame->PictureIndex != -1)
        std::reverse(handles.begin(), handles.end());
    for (HWND h : handles) SendMessageW(h, Msg, wParam, SkinDataMessageLParam);
}

void InstallSkinDataWin()
{
    SfSkinMessageSender = SendSkinDataToForms;
    SfJpegFileLoader = LoadJpegFile;
    SfSkinCursorLoader = LoadCursorFile;
}
