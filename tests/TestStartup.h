// The start-up every test and benchmark program's main makes first.
#pragma once

void InstallTestProgram();
