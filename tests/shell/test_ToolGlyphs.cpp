// The glyphs of the tool buttons: every button the main window makes has
// one, each is a whole 16 x 16 mask, and none is blank or a bare frame
// (what a missing symbol used to look like).
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "shell/ToolGlyphs.h"
#include "shell/ToolSelection.h"

namespace {

Integer InkCount(const TToolGlyphRows& G)
{
    Integer N = 0;
    for (Integer y = 0; y < ToolGlyphSize; ++y)
        for (Integer x = 0; x < ToolGlyphSize; ++x) N += ToolGlyphInk(G, x, y) > 0;
    return N;
}

// Ink exactly on the border of its own bounding box: a frame with nothing in it.
bool BareFrame(const TToolGlyphRows& G)
{
    Integer L = ToolGlyphSize, T = ToolGlyphSize, R = -1, B = -1;
    for (Integer y = 0; y < ToolGlyphSize; ++y)
        for (Integer x = 0; x < ToolGlyphSize; ++x)
            if (ToolGlyphInk(G, x, y)) L = std::min(L, x), T = std::min(T, y), R = std::max(R, x), B = std::max(B, y);
    if (R < 0) return false;
    for (Integer y = T; y <= B; ++y)
        for (Integer x = L; x <= R; ++x) {
            const bool Edge = x == L || x == R || y == T || y == B;
            if ((ToolGlyphInk(G, x, y) > 0) != Edge) return false;
        }
    return true;
}

}  // namespace

TEST(ToolGlyphs, EveryToolButtonAndPropertyButtonHasOne)
{
    for (const TToolButtonDef& D : ToolButtonDefs()) EXPECT_NE(FindToolGlyph(D.Name), nullptr) << UTF8Encode(D.Name);
    for (const char16_t* Name : {u"sbArrow0", u"sbArrow1", u"sbArrow2", u"sbSave", u"sbUndo", u"sbRedo"})
        EXPECT_NE(FindToolGlyph(Name), nullptr) << UTF8Encode(Name);
    EXPECT_EQ(FindToolGlyph(u"sbNoSuchButton"), nullptr);
}

TEST(ToolGlyphs, EachIsAWholeMaskOfKnownInkNeitherBlankNorABareFrame)
{
    std::set<std::string> Seen;
    for (const String& Name : ToolGlyphNames()) {
        const TToolGlyphRows* G = FindToolGlyph(Name);
        ASSERT_NE(G, nullptr);
        std::string All;
        for (const char* Row : G->Rows) {
            ASSERT_NE(Row, nullptr) << UTF8Encode(Name);
            EXPECT_EQ(std::string(Row).size(), size_t(ToolGlyphSize)) << UTF8Encode(Name) << ": " << Row;
            EXPECT_EQ(std::string(Row).find_first_not_of("#+."), std::string::npos) << UTF8Encode(Name) << ": " << Row;
            All += Row;
        }
        EXPECT_GE(InkCount(*G), 12) << UTF8Encode(Name);
        EXPECT_FALSE(BareFrame(*G)) << UTF8Encode(Name);
        EXPECT_TRUE(Seen.insert(All).second) << UTF8Encode(Name) << " looks like another button";
    }
}

TEST(ToolGlyphs, InkLevelsAndPointsOutsideTheMask)
{
    const TToolGlyphRows* G = FindToolGlyph(u"sbShape12");  // frame of full ink around half ink
    ASSERT_NE(G, nullptr);
    EXPECT_EQ(ToolGlyphInk(*G, 0, 3), 255);
    EXPECT_EQ(ToolGlyphInk(*G, 1, 4), 110);
    EXPECT_EQ(ToolGlyphInk(*G, 15, 0), 0);
    for (auto [X, Y] : {std::pair{-1, 3}, {16, 3}, {0, -1}, {0, 16}}) EXPECT_EQ(ToolGlyphInk(*G, X, Y), 0);
}
