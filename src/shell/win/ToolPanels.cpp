#include "shell/win/ToolPanels.h"

#include "shell/win/ZezavEzazerForm.h"

TToolPanels::TToolPanels(TfrmZezavEzazer& AForm) : FForm(AForm) {}
