#include "shell/win/OpenFileForm.h"

#include "Component/Raster32/win/Ras32_Image.h"
#include "foundation/HySysUtils.h"
#include "foundation/win/HyFileUtils_Image.h"
#include "framework/controls/win/ExtCtrls.h"
#include "framework/controls/win/StdCtrls.h"
#include "shell/OpenFileStripCore.h"

namespace {
constexpr Integer ThumbW = 240, ThumbH = 180, Margin = 6;
const TColor32 BackColour = 0xFFF4F6F8;

TLabel* NewLabel(TWinControl* Parent, Integer Top)
{
    auto* L = new TLabel(Parent);
    L->SetParent(Parent);
    L->SetAutoSize(false);
    L->SetBounds(Margin, Top, ThumbW, 16);
    return L;
}
}  // namespace

TfrmOpenFile::TfrmOpenFile(TComponent* AOwner) : TForm(AOwner)
{
    SetName(u"frmOpenFile");
    SetBorderStyle(bsNone);
    SetColor(clWhite);
    SetBounds(0, 0, ThumbW + 2 * Margin + 2, ThumbH + 2 * Margin + 44);
    Shape1 = new TShape(this);
    Shape1->SetParent(this);
    Shape1->SetBounds(Margin - 1, Margin - 1, ThumbW + 2, ThumbH + 2);
    Shape1->Brush()->SetStyle(bsClear);
    Shape1->Pen()->SetColor(TColor(0xC0C0C0));
    imgThumb = new TImage32(this);
    imgThumb->SetParent(this);
    imgThumb->SetBounds(Margin, Margin, ThumbW, ThumbH);
    lblFileName = NewLabel(this, Margin + ThumbH + 6);
    lblFileInfo = NewLabel(this, Margin + ThumbH + 24);
}

TfrmOpenFile::~TfrmOpenFile() = default;

void TfrmOpenFile::CreateParams(TCreateParams& Params)
{
    TForm::CreateParams(Params);
    Params.Style = WS_POPUP | WS_BORDER;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    Params.WndParent = nullptr;
}

void TfrmOpenFile::CMShowingChanged(TMessage& Message) { TWinControl::CMShowingChanged(Message); }

void TfrmOpenFile::PaintToBox(const String& FileName, TBitmap32*& Data, String& sType, Integer& iSize,
                              Integer& iWidth, Integer& iHeight)
{
    TBitmap32& B = *imgThumb->Bitmap();
    B.SetSize(imgThumb->Width(), imgThumb->Height());
    B.Clear(BackColour);
    if (!Data) {
        auto P = std::make_unique<TBitmap32>();
        Integer W = 0, H = 0;
        if (LoadThumbnailFile(FileName, P.get(), B.Width(), B.Height(), true, W, H)) {
            sType = UpperCase(Copy(ExtractFileExt(FileName), 2, 0x7FFFFFFF));
            iSize = static_cast<Integer>(std::min<Int64>(FileSizeOf(FileName), 0x7FFFFFFF));
            iWidth = W;
            iHeight = H;
        } else {
            sType = u"-";
            iSize = -1;
        }
        P->SetDrawMode(dmBlend);
        Data = P.release();
    }
    B.Draw((B.Width() - Data->Width()) / 2, (B.Height() - Data->Height()) / 2, Data);
    imgThumb->Invalidate();
    FFileName = FileName;
    FitPathText();
    lblFileInfo->SetCaption(sType + u"    " + IntToStr(iWidth) + u"×" + IntToStr(iHeight) + u"    " +
                            (iSize < 0 ? String(u"-") : FormatFileSize(iSize)));
}

void TfrmOpenFile::FitPathText()
{
    TCanvas* C = Canvas();
    C->Font()->Assign(lblFileName->Font());
    lblFileName->SetCaption(::FitPathText(FFileName, lblFileName->Width(),
                                          [C](const String& S) { return C->TextWidth(S); }));
}

void TfrmOpenFile::ShowPreview()
{
    SetVisible(true);
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TfrmOpenFile::HidePreview() { SetVisible(false); }

bool TfrmOpenFile::Showing() const { return Visible(); }

void TfrmOpenFile::MoveLeft(Integer ALeft)
{
    SetLeft(ALeft);
    if (Showing()) UpdateWindow(Handle());
}
