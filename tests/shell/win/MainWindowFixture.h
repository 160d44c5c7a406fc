// A shown main window over a fresh profile with a new 300 x 200 document, on
// the injectable skin clock: the ground of the shell's window tests.
#pragma once

#include <gtest/gtest.h>

#include "../../dialogs/win/DialogTest.h"

#include "Component/Raster32/win/Ras32_Image.h"
#include "document/ImageDraw.h"
#include "shell/win/OpenDocuments.h"
#include "shell/win/PresetPanel.h"
#include "shell/win/ZezavEzazerForm.h"
#include "skin/controls/SkinClock.h"

class MainWindowFixture : public GlobalsTest {
protected:
    TSkinClockScope Clock;
    TfrmZezavEzazer* Form = nullptr;
    // The new document's canvas colour.
    TColor CanvasColour = 0xFFFFFF;

    void SetUp() override
    {
        GlobalsTest::SetUp();
        Form = new TfrmZezavEzazer(nullptr);
        Form->SetBounds(0, 0, 1180, 760);
        Form->Show();
        WaitShown(Form);
        ASSERT_NE(Doc(), nullptr);
        ConfigTable->GetItem(1)->GetItem(0)->SetValue(300);
        ConfigTable->GetItem(1)->GetItem(1)->SetValue(200);
        ConfigTable->GetItem(1)->GetItem(2)->SetValue(CanvasColour);
        ConfigTable->GetItem(1)->GetItem(3)->SetValue(0);
        ASSERT_TRUE(Form->Documents().LoadDocument(String(), true));
        guitest::Pump();
    }
    void TearDown() override
    {
        Form->Presets().StopWorker();
        delete Form;
        GlobalsTest::TearDown();
    }
    TImageDraw* Doc() { return Form->Documents().Live(); }
    // The canvas at 100 %, so that picture and screen pixels line up.
    void ViewAtFullSize()
    {
        Form->Image->SetScale(1);
        Doc()->SetScale(1);
        guitest::Pump();
    }
};
