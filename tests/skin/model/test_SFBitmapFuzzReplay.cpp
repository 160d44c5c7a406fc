// Replays the saved fuzzing corpus of the skin bitmap's readers.
#include <gtest/gtest.h>

#include "../../framework/runtime/FuzzReplay.h"

TEST(SFBitmapFuzzReplay, SavedCorpus) { EXPECT_GT(ReplayFuzzCorpus(LM_FUZZ_CORPUS), 10); }
