// A form with one of every control of the framework, built in code: the
// window tests show it and make and free it in a loop, and the benchmark
// times that cycle.
#pragma once

#include "framework/controls/win/ComCtrls.h"
#include "framework/controls/win/ExtCtrls.h"
#include "framework/controls/win/Forms.h"
#include "framework/controls/win/ImgList.h"
#include "framework/controls/win/Menus.h"
#include "framework/controls/win/StdCtrls.h"

namespace guitest {

class TEveryControlForm : public TForm {
public:
    explicit TEveryControlForm(TComponent* AOwner) : TForm(AOwner)
    {
        SetBounds(60, 60, 200, 200);
        SetClientWidth(480);
        SetClientHeight(360);
        SetCaption(u"Every control");
        SetFormStyle(fsStayOnTop);
        SetAutoScroll(true);

        auto* menu = new TMainMenu(this);
        auto* file = new TMenuItem(this);
        file->SetCaption(u"&File");
        menu->Items()->Add(file);
        SetMenu(menu);
        auto* popup = new TPopupMenu(this);
        auto* item = new TMenuItem(this);
        item->SetCaption(u"&Properties");
        popup->Items()->Add(item);

        Images = new TImageList(this);
        Images->SetSize(16, 16);
        TBitmap glyph;
        glyph.SetSize(16, 16);
        glyph.Canvas()->Brush()->SetColor(clBlue);
        glyph.Canvas()->FillRect(Rect(0, 0, 16, 16));
        Images->Add(&glyph);

        Panel = new TPanel(this);
        Panel->SetParent(this);
        Panel->SetAlign(alTop);
        Panel->SetHeight(80);
        Panel->SetCaption(u"Panel");
        Panel->SetPopupMenu(popup);
        auto* bevel = new TBevel(this);
        bevel->SetParent(Panel);
        bevel->SetBounds(8, 8, 100, 60);
        Shape = new TShape(this);
        Shape->SetParent(Panel);
        Shape->SetShape(stCircle);
        Shape->Brush()->SetColor(clRed);
        Shape->SetBounds(120, 8, 60, 60);

        auto* splitter = new TSplitter(this);
        splitter->SetParent(this);
        splitter->SetAlign(alTop);
        splitter->SetTop(80);

        Image = new TImage(this);
        Image->SetParent(this);
        Image->SetBounds(8, 100, 64, 64);
        Image->Picture()->Bitmap()->SetSize(64, 64);
        Image->Picture()->Bitmap()->Canvas()->Brush()->SetColor(clLime);
        Image->Picture()->Bitmap()->Canvas()->FillRect(Rect(0, 0, 64, 64));

        auto* paintBox = new TPaintBox(this);
        paintBox->SetParent(this);
        paintBox->SetBounds(90, 100, 64, 64);
        paintBox->OnPaint = [this, paintBox](TObject*) {
            Images->Draw(paintBox->Canvas(), 24, 24, 0, true);
        };

        // The standard controls, in a row below the pictures.
        auto place = [this](TControl* C, int X, int Y, int W, int H) {
            C->SetParent(this);
            C->SetBounds(X, Y, W, H);
        };
        auto* edit = new TEdit(this);
        place(edit, 8, 180, 80, 22);
        edit->SetText(u"Edit");
        auto* memo = new TMemo(this);
        place(memo, 96, 180, 80, 40);
        memo->Lines()->Add(u"Memo");
        auto* list = new TListBox(this);
        place(list, 184, 180, 80, 40);
        list->Items()->Add(u"One");
        list->Items()->Add(u"Two");
        auto* combo = new TComboBox(this);
        place(combo, 272, 180, 80, 22);
        combo->Items()->Add(u"Three");
        auto* button = new TButton(this);
        place(button, 360, 180, 70, 24);
        button->SetCaption(u"OK");
        button->SetDefault(true);
        auto* check = new TCheckBox(this);
        place(check, 8, 228, 80, 20);
        check->SetCaption(u"Check");
        check->SetChecked(true);
        auto* radio = new TRadioButton(this);
        place(radio, 96, 228, 80, 20);
        radio->SetCaption(u"Radio");
        auto* label = new TLabel(this);
        place(label, 184, 228, 60, 16);
        label->SetCaption(u"&Label");
        label->SetFocusControl(edit);
        auto* group = new TGroupBox(this);
        place(group, 272, 228, 100, 40);
        group->SetCaption(u"Group");
        auto* scroll = new TScrollBar(this);
        place(scroll, 8, 256, 160, 17);
        scroll->SetMax(10);

        // The common controls, in a row below those.
        auto* pages = new TPageControl(this);
        place(pages, 8, 280, 160, 70);
        for (const char16_t* caption : {u"First", u"Second"}) {
            auto* sheet = new TTabSheet(this);
            sheet->SetPageControl(pages);
            sheet->SetCaption(caption);
        }
        auto* tabs = new TTabControl(this);
        place(tabs, 176, 280, 120, 40);
        tabs->Tabs()->Add(u"Tab");
        auto* tree = new TTreeView(this);
        place(tree, 304, 280, 120, 70);
        tree->SetImages(Images);
        TTreeNode* root = tree->Items()->Add(nullptr, u"Root");
        tree->Items()->AddChild(root, u"Child");
        root->SetExpanded(true);
        auto* upDown = new TUpDown(this);
        place(upDown, 432, 280, 17, 22);
        upDown->SetMax(10);
        auto* track = new TTrackBar(this);
        place(track, 176, 324, 120, 30);
        track->SetMax(10);
        auto* progress = new TProgressBar(this);
        place(progress, 8, 356, 160, 16);
        progress->SetPosition(40);
        auto* status = new TStatusBar(this);
        status->SetParent(this);
        status->Panels()->Add()->SetText(u"Status");

        // Beyond the client area: the form scrolls to it.
        auto* outside = new TPanel(this);
        outside->SetParent(this);
        outside->SetBounds(400, 420, 120, 40);
        outside->SetCaption(u"Far");

        auto* timer = new TTimer(this);
        timer->SetEnabled(false);
        Loaded();
    }
    String ClassName() const override { return u"TEveryControlForm"; }

    TImageList* Images = nullptr;
    TPanel* Panel = nullptr;
    TShape* Shape = nullptr;
    TImage* Image = nullptr;
};

} // namespace guitest
