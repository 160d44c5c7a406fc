#include "shell/win/EditorCommands.h"

#include "shell/win/ZezavEzazerForm.h"

TEditorCommands::TEditorCommands(TfrmZezavEzazer& AForm) : FForm(AForm) {}
