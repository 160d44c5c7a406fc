// ProgramEntry: the program's start and end: the start-up installs, the
// program-wide set-up, the hand-over to a copy that runs already, the main
// window and the message loop; an error that reaches it is reported and ends
// the program with a non-zero code.
#pragma once

#include <vector>

#include "framework/controls/win/Forms.h"

// The command-line arguments after the program's own name.
std::vector<String> ProgramArguments();

// Runs the program; its exit code.
int RunProgram(std::initializer_list<TApplication::TInstallProc> Installs);

// Tells the user of an error that ends the program: a message box when a
// window can be shown, the standard error stream otherwise.
void ReportFatalError(const String& Text);
