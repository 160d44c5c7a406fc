#include "shell/win/CanvasInput.h"

#include "shell/win/ZezavEzazerForm.h"

TCanvasInput::TCanvasInput(TfrmZezavEzazer& AForm) : FForm(AForm) {}
