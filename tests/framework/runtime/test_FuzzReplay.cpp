// Replays the saved fuzzing corpus of the runtime's readers.
#include <gtest/gtest.h>

#include "FuzzReplay.h"

TEST(FuzzReplay, SavedCorpus) { EXPECT_GT(ReplayFuzzCorpus(LM_FUZZ_CORPUS), 10); }
