// The start-up of the skin kernels for a test program (the program makes the
// same call at its start).
#pragma once

#include <gtest/gtest.h>

#include "skin/model/SFKernels.h"

class TSkinKernelsEnvironment : public testing::Environment {
public:
    void SetUp() override { InstallSkinKernels(); }
    void TearDown() override { UninstallSkinKernels(); }
};

// One per test program: gtest owns the environment.
inline testing::Environment* const GSkinKernelsEnvironment =
    testing::AddGlobalTestEnvironment(new TSkinKernelsEnvironment);
