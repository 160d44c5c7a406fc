#include "shell/win/PresetPanel.h"

#include "shell/win/ZezavEzazerForm.h"

TPresetPanel::TPresetPanel(TfrmZezavEzazer& AForm) : FForm(AForm) {}
