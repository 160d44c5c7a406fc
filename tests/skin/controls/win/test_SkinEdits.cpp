#include <gtest/gtest.h>

#include "framework/controls/win/Menus.h"
#include "skin/controls/SkinControlTestEnv.h"
#include "skin/controls/win/SkinBoxCtrls.h"
#include "skin/controls/win/SkinMenuHooks.h"
#include "skin/model/SFResStrData.h"

using namespace skintest;

namespace {

// Real key strokes: a virtual key, or a character typed as such.
void Tap(WORD VK, bool Ctrl = false, bool Shift = false)
{
    std::vector<INPUT> In;
    auto Key = [&](WORD K, bool Up) {
        INPUT I = {};
        I.type = INPUT_KEYBOARD;
        I.ki.wVk = K;
        I.ki.dwFlags = Up ? KEYEVENTF_KEYUP : 0;
        In.push_back(I);
    };
    if (Ctrl) Key(VK_CONTROL, false);
    if (Shift) Key(VK_SHIFT, false);
    Key(VK, false);
    Key(VK, true);
    if (Shift) Key(VK_SHIFT, true);
    if (Ctrl) Key(VK_CONTROL, true);
    SendInput(UINT(In.size()), In.data(), sizeof(INPUT));
    guitest::Pump();
}

void Type(const String& S)
{
    for (Char C : S) {
        INPUT In[2] = {};
        In[0].type = In[1].type = INPUT_KEYBOARD;
        In[0].ki.wScan = In[1].ki.wScan = C;
        In[0].ki.dwFlags = KEYEVENTF_UNICODE;
        In[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        SendInput(2, In, sizeof(INPUT));
        guitest::Pump();
    }
}

void Wheel(Integer Delta)
{
    INPUT In = {};
    In.type = INPUT_MOUSE;
    In.mi.dwFlags = MOUSEEVENTF_WHEEL;
    In.mi.mouseData = DWORD(Delta);
    SendInput(1, &In, sizeof(INPUT));
    guitest::Pump();
}

void Click(TControl* C, TPoint At)
{
    guitest::MovePointer(C->ClientToScreen(At));
    guitest::LeftButton(true);
    guitest::Pump();
    guitest::LeftButton(false);
    guitest::Pump();
}

// The pixels of a window with its frame.
std::unique_ptr<guitest::TDib> CaptureWindow(TWinControl* C)
{
    CaptureControl(C);
    RECT R;
    GetWindowRect(C->Handle(), &R);
    return CaptureScreen({R.left, R.top, R.right, R.bottom});
}

void SetClipboardText(const String& S)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL H = GlobalAlloc(GMEM_MOVEABLE, (S.size() + 1) * sizeof(Char));
    auto* P = static_cast<Char*>(GlobalLock(H));
    std::copy(S.begin(), S.end(), P);
    P[S.size()] = 0;
    GlobalUnlock(H);
    SetClipboardData(CF_UNICODETEXT, H);
    CloseClipboard();
}

String ClipboardText()
{
    String S;
    if (!OpenClipboard(nullptr)) return S;
    if (HANDLE H = GetClipboardData(CF_UNICODETEXT)) {
        S = static_cast<const Char*>(GlobalLock(H));
        GlobalUnlock(H);
    }
    CloseClipboard();
    return S;
}

// The menu services as the frame gives them, recording where a menu opens;
// the form's skin (with its interface texts) chosen by the test.
class TRecordingMenu : public TPopupMenu, public TsfSkinPopupMenuLink {
public:
    using TPopupMenu::TPopupMenu;
    TPopupMenu* Menu() override { return this; }
    void SetComponentForm(TCustomForm* Form) override { ComponentForm = Form; }
    void Popup2(TControl*, Integer X, Integer Y) override { OpenedAt = {X, Y}; }
    void PopupFromRect2(TControl*, const TRect&, bool) override {}
    TCustomForm* ComponentForm = nullptr;
    TPoint OpenedAt{-1, -1};
};

class TTestSkinForm : public TsfSkinFormLink {
public:
    TsfSkinData* SkinData() const override { return SD; }
    TsfSkinData* MenusSkinData() const override { return SD; }
    void HideSkinHint() override {}
    TsfSkinData* SD = nullptr;
};

class TTestServices : public TsfSkinMenuServices {
public:
    TsfSkinPopupMenuLink* CreateSkinPopupMenu(TComponent* AOwner) override { return Last = new TRecordingMenu(AOwner); }
    TsfSkinImagesMenuLink* CreateSkinImagesMenu(TComponent*) override { return nullptr; }
    TsfSkinPopupMenuLink* AsSkinPopupMenu(TPopupMenu*) override { return nullptr; }
    TsfSkinImagesMenuLink* AsSkinImagesMenu(TComponent*) override { return nullptr; }
    TsfSkinFormLink* GetSkinForm(TCustomForm*) override { return SkinForm.SD ? &SkinForm : nullptr; }
    TRecordingMenu* Last = nullptr;
    TTestSkinForm SkinForm;
};

class SkinEditsTest : public SkinFormTest {
protected:
    void SetUp() override { FPrevious = InstallSkinMenuServices(&Services); }
    void TearDown() override
    {
        SkinFormTest::TearDown();
        InstallSkinMenuServices(FPrevious);
    }
    template <class T>
    T* NewEdit(TForm* Form, Integer X, Integer Y)
    {
        auto* E = new T(Form);
        E->SetParent(Form);
        E->SetBounds(X, Y, 120, 20);
        return E;
    }
    TTestServices Services;

private:
    TsfSkinMenuServices* FPrevious = nullptr;
};

}  // namespace

TEST_F(SkinEditsTest, EnterAndEscapeReachTheFormsButtonsAndAreNeverTyped)
{
    TForm* Form = NewForm(100, 100, 300, 100);
    auto* E = NewEdit<TsfSkinEdit>(Form, 10, 10);
    E->SetText(u"abc");
    auto* Ok = new guitest::TTestButton(Form);
    Ok->SetParent(Form);
    Ok->SetBounds(10, 50, 75, 25);
    Ok->Default = true;
    auto* Cancel = new guitest::TTestButton(Form);
    Cancel->SetParent(Form);
    Cancel->SetBounds(100, 50, 75, 25);
    Cancel->Cancel = true;
    int Oks = 0, Cancels = 0;
    Ok->OnClick = [&](TObject*) { ++Oks; };
    Cancel->OnClick = [&](TObject*) { ++Cancels; };
    std::vector<Char> Seen;
    E->OnKeyPress = [&](TObject*, Char& K) { Seen.push_back(K); };
    ShowAndWait(Form);
    E->SetFocus();
    E->SetSelStart(3);
    Tap(VK_RETURN);
    EXPECT_EQ(Oks, 1);
    Tap(VK_ESCAPE);
    EXPECT_EQ(Cancels, 1);
    EXPECT_EQ(Seen, (std::vector<Char>{13, 27}));
    EXPECT_EQ(E->Text(), u"abc");
    // Tab still moves on (the window is a multi-line one underneath).
    Tap(VK_TAB);
    EXPECT_FALSE(E->Focused());
}

TEST_F(SkinEditsTest, ReadOnlyBlocksTypingDeletePasteAndUndoButCopies)
{
    TForm* Form = NewForm(100, 100, 300, 60);
    auto* E = NewEdit<TsfSkinEdit>(Form, 10, 10);
    E->SetText(u"hello");
    ShowAndWait(Form);
    E->SetFocus();
    E->SetSelStart(5);
    Type(u"x");
    EXPECT_EQ(E->Text(), u"hellox");  // writable: typed, and undoable
    E->SetReadOnly(true);
    SetClipboardText(u"zz");
    E->SelectAll();
    Type(u"y");
    Tap(VK_DELETE);
    Tap(VK_BACK);
    Tap('V', true);
    Tap('X', true);
    Tap('Z', true);
    EXPECT_EQ(E->Text(), u"hellox");
    E->SetSelStart(0);
    E->SetSelLength(4);
    Tap('C', true);
    EXPECT_EQ(ClipboardText(), u"hell");
    E->SetReadOnly(false);
    E->SetSelStart(4);
    E->SetSelLength(2);
    Tap('V', true);
    EXPECT_EQ(E->Text(), u"hellhell");
}

TEST_F(SkinEditsTest, ContextMenuItemsFollowTheSelectionAndReadOnly)
{
    TForm* Form = NewForm(100, 100, 300, 60);
    auto* E = NewEdit<TsfSkinEdit>(Form, 10, 10);
    E->SetText(u"hello");
    ShowAndWait(Form);
    E->SetFocus();
    SetClipboardText(u"zz");
    auto Open = [&](bool Keyboard) -> std::vector<String> {
        // A request from the keyboard comes without a point.
        SendMessageW(E->Handle(), WM_CONTEXTMENU, WPARAM(E->Handle()), Keyboard ? LPARAM(-1) : guitest::Pos(150, 25));
        std::vector<String> Items;
        TPopupMenu* M = E->SysPopupMenu();
        if (!M) return Items;
        for (Integer I = 0; I < M->Items()->Count(); ++I) {
            TMenuItem* It = M->Items()->Items(I);
            Items.push_back(It->Caption() + (It->IsLine() || It->Enabled() ? u"" : u" (off)"));
        }
        return Items;
    };
    struct Case {
        bool ReadOnly;
        Integer SelStart, SelLength;
        std::vector<String> Expected;
    };
    const Case Cases[] = {
        {false, 2, 0, {u"Undo (off)", u"-", u"Cut (off)", u"Copy (off)", u"Paste", u"Delete (off)", u"-", u"Select All"}},
        {false, 0, 5, {u"Undo (off)", u"-", u"Cut", u"Copy", u"Paste", u"Delete", u"-", u"Select All (off)"}},
        {true, 1, 2, {u"Undo (off)", u"-", u"Cut (off)", u"Copy", u"Paste (off)", u"Delete (off)", u"-", u"Select All"}},
    };
    for (const Case& C : Cases) {
        E->SetReadOnly(C.ReadOnly);
        E->SetSelStart(C.SelStart);
        E->SetSelLength(C.SelLength);
        EXPECT_EQ(Open(false), C.Expected);
        EXPECT_EQ(Services.Last->OpenedAt, (TPoint{150, 25}));
        EXPECT_EQ(Services.Last->ComponentForm, Form);
    }
    // From the keyboard: at the control's centre. The command's end frees the menu.
    Open(true);
    ASSERT_NE(E->SysPopupMenu(), nullptr);
    const TPoint Centre = E->ClientToScreen({0, 0});
    EXPECT_EQ(Services.Last->OpenedAt, (TPoint{Centre.X + E->Width() / 2, Centre.Y + E->Height() / 2}));
    Services.Last->Items()->Items(7)->Click();
    SendMessageW(E->Handle(), WM_SKINMENUCOMMAND, 0, 0);
    EXPECT_EQ(E->SysPopupMenu(), nullptr);
    EXPECT_EQ(E->SelLength(), 5);
    // The texts of the form's skin: a missing key gives an empty caption.
    TsfSkinData SD(nullptr);
    TsfResourceStrData Texts(nullptr);
    TStringList Lines;
    Lines.SetText(u"EDIT_UNDO=Rückgängig\r\nEDIT_COPY=Kopieren\r\n");
    Texts.SetResStrings(&Lines);
    SD.SetResourceStrData(&Texts);
    Services.SkinForm.SD = &SD;
    const std::vector<String> Items = Open(false);
    ASSERT_EQ(Items.size(), 8u);
    EXPECT_EQ(Items[0], u"Rückgängig (off)");
    EXPECT_EQ(Items[3], u"Kopieren");  // all is selected now
    EXPECT_EQ(Items[7], u" (off)");
    SD.SetResourceStrData(nullptr);
    Services.SkinForm.SD = nullptr;
}

TEST_F(SkinEditsTest, NumericEditFiltersClampsAndFormats)
{
    struct Case {
        TsfValueType Type;
        double Min, Max;
        const char16_t* Typed;
        const char16_t* Shown;   // while typing
        double Value;
        const char16_t* Left;    // after leaving the field
        double LeftValue;
    };
    const Case Cases[] = {
        {vtInteger, 1, 100, u"500", u"100", 100, u"100", 100},
        {vtInteger, 1, 100, u"0", u"0", 1, u"1", 1},
        {vtInteger, 0, 0, u"12345", u"12345", 12345, u"12345", 12345},
        {vtInteger, -50, 50, u"-80", u"-50", -50, u"-50", -50},
        {vtInteger, 0, 0, u"99999999999", u"99999999999", 2147483647, u"2147483647", 2147483647},
        // Letters and separators refused; a minus after digits is taken and
        // leaves the number as it was.
        {vtInteger, 0, 0, u"1a2.-3", u"12-3", 12, u"12", 12},
        {vtFloat, 0, 0, u"-.", u"-.", 7, u"7.00", 7},
        {vtFloat, 0, 0, u"1.239", u"1.239", 1.239, u"1.24", 1.24},
        {vtFloat, 0, 0, u"1..5", u"1.5", 1.5, u"1.50", 1.5},
    };
    TForm* Form = NewForm(100, 100, 300, 80);
    auto* N = NewEdit<TsfSkinNumericEdit>(Form, 10, 10);
    auto* Other = NewEdit<TsfSkinEdit>(Form, 10, 40);
    ShowAndWait(Form);
    for (const Case& C : Cases) {
        N->SetValueType(C.Type);
        N->SetMinValue(C.Min);
        N->SetMaxValue(C.Max);
        N->SetValue(7);
        N->SetFocus();
        N->SelectAll();
        Tap(VK_BACK);
        Type(C.Typed);
        EXPECT_EQ(N->Text(), C.Shown) << UTF8Encode(C.Typed);
        EXPECT_DOUBLE_EQ(N->Value(), C.Value) << UTF8Encode(C.Typed);
        Other->SetFocus();
        EXPECT_EQ(N->Text(), C.Left) << UTF8Encode(C.Typed);
        EXPECT_DOUBLE_EQ(N->Value(), C.LeftValue) << UTF8Encode(C.Typed);
    }
    N->SetValueType(vtInteger);
    N->SetValue(2.5);
    EXPECT_EQ(N->Text(), u"2");
    EXPECT_EQ(N->Value(), 2.5);
}

TEST_F(SkinEditsTest, WheelAwayFromTheUserDecreasesTowardsIncreases)
{
    TForm* Form = NewForm(100, 100, 300, 80);
    auto* S = new TsfSkinSpinEdit(Form);
    S->SetParent(Form);
    S->SetBounds(10, 10, 120, 20);
    auto* T = NewEdit<TsfSkinTrackEdit>(Form, 10, 40);
    ShowAndWait(Form);
    S->SetValue(10);
    T->SetValue(10);
    int Ups = 0, Downs = 0;
    S->OnUpButtonClick = [&](TObject*) { ++Ups; };
    S->OnDownButtonClick = [&](TObject*) { ++Downs; };
    S->Edit()->SetFocus();
    guitest::MovePointer(S->ClientToScreen({20, 10}));
    Wheel(WHEEL_DELTA);
    EXPECT_EQ(S->Value(), 9);
    Wheel(-WHEEL_DELTA);
    Wheel(-WHEEL_DELTA);
    EXPECT_EQ(S->Value(), 11);
    EXPECT_EQ(Downs, 1);
    EXPECT_EQ(Ups, 2);
    T->SetFocus();
    guitest::MovePointer(T->ClientToScreen({20, 10}));
    Wheel(WHEEL_DELTA);
    EXPECT_EQ(T->Value(), 9);
    EXPECT_EQ(T->Text(), u"9");
    Wheel(-WHEEL_DELTA);
    Wheel(-WHEEL_DELTA);
    EXPECT_EQ(T->Value(), 11);
}

TEST_F(SkinEditsTest, SpinEditButtonsStepOnReleaseOverThemAndRepeatWhileHeld)
{
    TForm* Form = NewForm(100, 100, 300, 60);
    auto* S = new TsfSkinSpinEdit(Form);
    S->SetParent(Form);
    S->SetBounds(10, 10, 120, 20);
    S->SetValueType(vtFloat);
    S->SetMaxValue(999);
    S->SetIncrement(0.01);
    S->SetValue(0.01);
    int Changes = 0, Ups = 0;
    S->OnChange = [&](TObject*) { ++Changes; };
    S->OnUpButtonClick = [&](TObject*) { ++Ups; };
    ShowAndWait(Form);
    const TRect Up = S->Core().Button(udUpButton).R;
    Click(S, {Up.Left + 5, Up.Top + 3});
    EXPECT_EQ(S->Edit()->Text(), u"0.02");
    EXPECT_EQ(Ups, 1);
    EXPECT_EQ(Changes, 1);
    // Released outside: no step.
    guitest::MovePointer(S->ClientToScreen({Up.Left + 5, Up.Top + 3}));
    guitest::LeftButton(true);
    guitest::Pump();
    guitest::MovePointer(S->ClientToScreen({200, 40}));
    guitest::LeftButton(false);
    guitest::Pump();
    EXPECT_EQ(S->Edit()->Text(), u"0.02");
    EXPECT_EQ(Ups, 1);
    // Held on the down button: a step every 100 ms after 500 ms.
    S->SetValue(5);
    Changes = 0;
    const TRect Down = S->Core().Button(udDownButton).R;
    guitest::MovePointer(S->ClientToScreen({Down.Left + 5, Down.Top + 3}));
    guitest::LeftButton(true);
    guitest::Pump();
    FClock.Clock.Advance(750);
    EXPECT_EQ(Changes, 2);
    guitest::LeftButton(false);
    guitest::Pump();
    EXPECT_EQ(Changes, 3);
    EXPECT_EQ(S->Edit()->Text(), u"4.97");
    // At the limit the step keeps the value and still reports.
    S->SetValue(999);
    Changes = Ups = 0;
    Click(S, {Up.Left + 5, Up.Top + 3});
    EXPECT_EQ(S->Edit()->Text(), u"999.00");
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(Ups, 1);
}

TEST_F(SkinEditsTest, SpinEditTypingClampsAndLimitsMeanNoneWhenEqual)
{
    TForm* Form = NewForm(100, 100, 300, 60);
    auto* S = new TsfSkinSpinEdit(Form);
    S->SetParent(Form);
    S->SetBounds(10, 10, 120, 20);
    ShowAndWait(Form);
    S->Edit()->SetFocus();
    struct Case {
        double Min, Max;
        const char16_t* Typed;
        const char16_t* Shown;
        double Value;
    };
    const Case Cases[] = {
        {1, 100, u"500", u"100", 100},
        {10, 100, u"5", u"5", 10},
        {0, 0, u"-7", u"-7", -7},
        // A minimum with the maximum left at 0 is no range up to 0.
        {5, 5, u"300", u"300", 300},
        {0, 0, u"99999999999", u"99999999999", 2147483647},
    };
    for (const Case& C : Cases) {
        S->SetMinValue(0);
        S->SetMaxValue(0);
        S->SetValue(0);
        S->SetMinValue(C.Min);
        S->SetMaxValue(C.Max);
        S->Edit()->SelectAll();
        Tap(VK_BACK);
        Type(C.Typed);
        EXPECT_EQ(S->Edit()->Text(), C.Shown) << UTF8Encode(C.Typed);
        EXPECT_EQ(S->Value(), C.Value) << UTF8Encode(C.Typed);
    }
    S->SetValueType(vtFloat);
    S->SetValue(3);
    S->Edit()->SelectAll();
    Tap(VK_BACK);
    Type(u"-.");
    EXPECT_EQ(S->Value(), 3);
}

TEST_F(SkinEditsTest, TrackEditPopupOpensBelowAboveOrShiftedLeft)
{
    RECT Work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &Work, 0);
    struct Case {
        Integer FormX, FormY;  // the form's client origin, from the work area's right/bottom when negative
        const char* Where;
    };
    const Case Cases[] = {{100, 100, "below"}, {100, -30, "above"}, {-130, 100, "shifted"}};
    for (const Case& C : Cases) {
        const Integer X = C.FormX < 0 ? Work.right + C.FormX : C.FormX;
        const Integer Y = C.FormY < 0 ? Work.bottom + C.FormY : C.FormY;
        TForm* Form = NewForm(X, Y, 400, 50);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(X, Y, 400, 50);
        auto* T = NewEdit<TsfSkinTrackEdit>(Form, 0, 5);
        T->SetWidth(120);
        T->SetTrackBarWidth(200);
        T->SetMaxValue(255);
        ShowAndWait(Form);
        // A click on the edit's button (its square at the right).
        Click(T, {T->ClientWidth() + T->Height() / 2, T->Height() / 2 - 2});
        ASSERT_TRUE(T->PopupShowing()) << C.Where;
        RECT P, E;
        GetWindowRect(T->PopupTrackBar()->Handle(), &P);
        GetWindowRect(T->Handle(), &E);
        EXPECT_EQ(P.right - P.left, 200) << C.Where;
        if (std::string(C.Where) == "below") {
            EXPECT_EQ(P.top, E.bottom);
            EXPECT_EQ(P.left, E.left);
        } else if (std::string(C.Where) == "above") {
            EXPECT_EQ(P.bottom, E.top);
        } else {
            EXPECT_EQ(P.right, Work.right);
        }
        // The popup never takes the activation; Up moves it and the edit follows.
        EXPECT_EQ(GetActiveWindow(), Form->Handle());
        Tap(VK_UP);
        EXPECT_EQ(T->PopupTrackBar()->Value(), 1);
        EXPECT_EQ(T->Text(), u"1");
        Tap(VK_ESCAPE);
        EXPECT_FALSE(T->PopupShowing());
        Type(u"300");
        EXPECT_EQ(T->Text(), u"255");
        EXPECT_EQ(T->Value(), 255);
    }
}

// Setting the value from code shows it (clamped) and notifies, as typing does.
TEST_F(SkinEditsTest, TrackEditValueSetInCodeShowsAndNotifies)
{
    TForm* Form = NewForm(100, 100, 200, 50);
    auto* T = NewEdit<TsfSkinTrackEdit>(Form, 10, 10);
    T->SetMaxValue(255);
    int Changes = 0;
    T->OnChange = [&](TObject*) { ++Changes; };
    T->SetValue(64);
    EXPECT_EQ(T->Text(), u"64");
    EXPECT_EQ(Changes, 1);
    T->SetValue(300);
    EXPECT_EQ(T->Text(), u"255");
    EXPECT_EQ(T->Value(), 255);
    EXPECT_EQ(Changes, 2);
}

TEST_F(SkinEditsTest, BuiltInLookAndScreenshotsInTheFourSkins)
{
    for (const String& Name : {String(u"none"), String(u"Rire"), String(u"Charm"), String(u"Laconic"), String(u"Cool")}) {
        TForm* Form = NewForm(100, 100, 300, 150);
        Form->SetColor(clBtnFace);
        TsfSkinData* SD = Name == u"none" ? nullptr : Skin(Name);
        auto* E = NewEdit<TsfSkinEdit>(Form, 10, 10);
        E->SetText(u"Edit text");
        auto* B = NewEdit<TsfSkinEdit>(Form, 150, 10);
        B->SetButtonMode(true);
        B->SetSkinDataName(u"buttonedit");
        B->SetText(u"Button edit");
        auto* N = NewEdit<TsfSkinNumericEdit>(Form, 10, 45);
        N->SetValueType(vtFloat);
        N->SetValue(12.5);
        auto* S = new TsfSkinSpinEdit(Form);
        S->SetParent(Form);
        S->SetBounds(150, 45, 120, 20);
        S->SetValue(42);
        auto* T = NewEdit<TsfSkinTrackEdit>(Form, 10, 80);
        T->SetValue(64);
        auto* D = NewEdit<TsfSkinEdit>(Form, 150, 80);
        D->SetText(u"Disabled");
        D->SetEnabled(false);
        for (TControl* C : std::vector<TControl*>{E, B, N, T, D}) static_cast<TsfSkinCustomEdit*>(C)->SetSkinData(SD);
        S->SetSkinData(SD);
        ShowAndWait(Form);
        if (!SD) {
            auto Pix = CaptureWindow(E);
            EXPECT_EQ(Pix->Pixel(0, 0), ScreenRGB(clBtnShadow));
            EXPECT_EQ(Pix->Pixel(1, 1), ScreenRGB(clBtnFace));
            EXPECT_EQ(Pix->Pixel(E->Width() - 4, E->Height() / 2), ScreenRGB(clWindow));
            // The button edit's square at the right.
            auto BP = CaptureWindow(B);
            EXPECT_EQ(BP->Pixel(B->Width() - 1, 0), ScreenRGB(clBtnShadow));
            EXPECT_EQ(BP->Pixel(B->Width() - B->Height() / 2, 3), ScreenRGB(clBtnFace));
            // Without a skin the font decides the height, whatever is asked.
            const Integer H = E->Height();
            E->SetHeight(50);
            EXPECT_EQ(E->Height(), H);
        } else {
            // The description's height with the skin's font.
            const Integer I = SD->GetControlIndex(u"edit");
            if (I != -1) EXPECT_EQ(E->Height(), SD->CtrlList[I]->SkinRect.Height()) << UTF8Encode(Name);
        }
        guitest::Pump();
        const TPoint O = Form->ClientToScreen({0, 0});
        SaveScreenshot(TRect{O.X, O.Y, O.X + Form->ClientWidth(), O.Y + Form->ClientHeight()}, u"edits_" + Name);
        delete Form;
        Forget(Form);
    }
}

TEST_F(SkinEditsTest, ImagesAtTheEndsKeepTheTextClearAndClick)
{
    TForm* Form = NewForm(100, 100, 300, 60);
    TCustomImageList Images(nullptr, 16, 16);
    TBitmap Red;
    Red.SetSize(16, 16);
    Red.Canvas()->Brush()->SetColor(clRed);
    Red.Canvas()->FillRect({0, 0, 16, 16});
    Images.Add(&Red);
    auto* E = NewEdit<TsfSkinEdit>(Form, 10, 10);
    E->SetImages(&Images);
    E->SetLeftImageIndex(0);
    E->SetRightImageIndex(0);
    int Lefts = 0, Rights = 0;
    E->OnLeftButtonClick = [&](TObject*) { ++Lefts; };
    E->OnRightButtonClick = [&](TObject*) { ++Rights; };
    ShowAndWait(Form);
    E->Invalidate();
    auto Pix = CaptureControl(E);
    EXPECT_EQ(Pix->Pixel(4, E->ClientHeight() / 2), ScreenRGB(clRed));
    EXPECT_EQ(Pix->Pixel(E->ClientWidth() - 4, E->ClientHeight() / 2), ScreenRGB(clRed));
    // The text's formatting rectangle leaves both images free.
    RECT R;
    SendMessageW(E->Handle(), EM_GETRECT, 0, LPARAM(&R));
    EXPECT_GE(R.left, 18);
    EXPECT_LE(R.right, E->ClientWidth() - 18);
    Click(E, {4, E->ClientHeight() / 2});
    EXPECT_EQ(Lefts, 1);
    Click(E, {E->ClientWidth() - 4, E->ClientHeight() / 2});
    EXPECT_EQ(Rights, 1);
    EXPECT_EQ(Lefts, 1);
}
