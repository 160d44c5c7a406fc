// What the dialogs' and the main window's window tests share: the program-wide
// set-up over a temporary APPDATA with the program's language table, and
// clicks by the system's own input.
#pragma once

#include "../../framework/controls/win/GuiTest.h"

#include "ScopedEnv.h"
#include "TempFolder.h"
#include "foundation/win/Global_Win.h"
#include "framework/controls/win/ExtCtrls.h"
#include "skin/model/win/SFKernels_Win.h"
#include "skin/model/win/SFSkinData_Win.h"

// The skin platform the program installs at its start: every skinned
// surface draws through it.
class TSkinStartup : public testing::Environment {
public:
    void SetUp() override
    {
        InstallSkinKernelsWin();
        InstallSkinDataWin();
    }
    void TearDown() override { UninstallSkinKernels(); }
};
inline testing::Environment* const GSkinStartup = testing::AddGlobalTestEnvironment(new TSkinStartup);

class GlobalsTest : public guitest::FormTest {
protected:
    TTempFolder Dir{u"lm_dlg_"};
    TScopedEnv EnvAppData{u"APPDATA", Dir / u"AppData"};
    TScopedEnv EnvHomeDrive{u"HOMEDRIVE", ExtractFileDrive(Dir.Path())};
    TScopedEnv EnvHomePath{u"HOMEPATH", Copy(Dir.Path(), 3, 4096) + u"Home"};
    void SetUp() override
    {
        ForceDirectories(Dir / u"AppData");
        InitGlobals(u"LumatraStd", 5);
        LoadLangTable();
        EditionTitle = GetLangText(0, 163);
    }
    void TearDown() override
    {
        guitest::FormTest::TearDown();
        DoneGlobals();
    }
};

// The centre of a control on the screen.
inline TPoint ScreenCentre(TControl* C)
{
    POINT P{C->Left() + C->Width() / 2, C->Top() + C->Height() / 2};
    ::ClientToScreen(C->Parent()->Handle(), &P);
    return TPoint{P.x, P.y};
}

// A left click at a screen point by the system's input: the pointer moves
// there first (the control sees it enter), then the press and the release,
// each handled before the next.
inline void Click(const TPoint& P)
{
    guitest::MovePointer(P);
    guitest::LeftButton(true);
    guitest::Pump();
    guitest::LeftButton(false);
    guitest::Pump();
}

// Waits until Form is on the screen, the window the pointer finds there, with
// its controls painted, so that input reaches them (an activation comes
// before the platform maps the window).
inline void WaitShown(TCustomForm* Form)
{
    guitest::PumpUntil([&] {
        POINT P{Form->ClientWidth() / 2, Form->ClientHeight() / 2};
        ::ClientToScreen(Form->Handle(), &P);
        const HWND At = WindowFromPoint(P);
        return IsWindowVisible(Form->Handle()) && (At == Form->Handle() || IsChild(Form->Handle(), At));
    });
    RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    guitest::Pump();
}

// Runs Script once Form's modal loop handles messages (its activation comes
// while the platform is still showing the window, too early for input).
template <class F>
void WhenModal(TCustomForm* Form, F Script)
{
    auto* Start = new TTimer(Form);
    Start->SetInterval(1);
    Start->OnTimer = [Form, Start, Script](TObject*) {
        Start->SetEnabled(false);
        WaitShown(Form);
        Script();
    };
}

inline void QueueKey(WORD Key)
{
    INPUT In[2] = {};
    In[0].type = In[1].type = INPUT_KEYBOARD;
    In[0].ki.wVk = In[1].ki.wVk = Key;
    In[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, In, sizeof(INPUT));
}
