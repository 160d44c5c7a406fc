// Replays the saved fuzzing corpus of the picture decoders.
#include <gtest/gtest.h>

#include "../framework/runtime/FuzzReplay.h"

TEST(ImageDecodeFuzzReplay, SavedCorpus) { EXPECT_GT(ReplayFuzzCorpus(LM_FUZZ_CORPUS), 10); }
