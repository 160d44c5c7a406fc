// The program's entry. Until the editor's main window exists it shows a small
// form with the product's name, so that the program can be started and seen.
#include "Component/Raster32/win/Ras32_Image.h"
#include "filters/FiltersStartup.h"
#include "foundation/win/HyMediaPack_Win.h"
#include "framework/controls/win/Forms.h"
#include "skin/model/win/SFKernels_Win.h"
#include "skin/model/win/SFSkinData_Win.h"

namespace {

const String ProductName = u"Quorvan Lumatra Standard";

class TStartForm : public TForm {
public:
    explicit TStartForm(TComponent* AOwner) : TForm(AOwner)
    {
        SetCaption(ProductName);
        SetBounds(0, 0, 640, 400);
        SetPosition(poScreenCenter);
        Font()->SetHeight(-24);
        OnPaint = [this](TObject*) { PaintName(); };
        OnResize = [this](TObject*) { Invalidate(); };
        Loaded();
    }

private:
    void PaintName()
    {
        TCanvas* canvas = Canvas();
        canvas->Font()->Assign(Font());
        canvas->Brush()->SetStyle(bsClear);
        TSize size = canvas->TextExtent(ProductName);
        canvas->TextOut((ClientWidth() - size.cx) / 2, (ClientHeight() - size.cy) / 2, ProductName);
    }
};

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    // The skin kernels come before any form: every skinned surface draws through them.
    Application->Initialize(
        {InstallFilters, InstallImageControls, InstallMediaPackPlatform, InstallSkinKernelsWin, InstallSkinDataWin});
    Application->SetTitle(ProductName);
    Application->CreateForm<TStartForm>();
    Application->Run();
    UninstallSkinKernels();
    return 0;
}
