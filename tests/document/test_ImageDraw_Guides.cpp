// The document's guides and ruler: made, dragged, cleared, announced, and
// kept in the object table's properties.
#include <gtest/gtest.h>

#include "DocumentTestView.h"
#include "framework/runtime/SysUtils.h"

namespace {
std::vector<Integer> Values(const TRow& Row)
{
    std::vector<Integer> V;
    for (Integer i = 0; i < Row.ItemCount(); ++i) V.push_back(Row.GetItem(i)->Value());
    return V;
}

class Guides : public ::testing::Test {
protected:
    void SetUp() override
    {
        Doc = NewBlankDocument(View, 400, 300, false);
        Doc->OnRulerChanged = [this](TImageDraw*, Integer X1, Integer Y1, Integer X2, Integer Y2) {
            Announced.push_back({X1, Y1, X2, Y2});
        };
    }
    TTestView View;
    std::unique_ptr<TImageDraw> Doc;
    std::vector<TRect> Announced;
};
}  // namespace

TEST_F(Guides, MadeOnceEach)
{
    Doc->SetChangedFlag(false);
    Doc->CreateGuides(5, 100, true);
    EXPECT_TRUE(Doc->Changed());
    EXPECT_FALSE(Doc->Modified());  // changed, not a step to undo
    Doc->SetChangedFlag(false);
    Doc->CreateGuides(6, 100, true);
    EXPECT_FALSE(Doc->Changed());  // already there
    Doc->CreateGuides(100, 7, false);
    Doc->CreateGuides(100, 8, true);
    EXPECT_EQ(Values(*Doc->HorzGuidesRow()), (std::vector<Integer>{100, 8}));
    EXPECT_EQ(Values(*Doc->VertGuidesRow()), (std::vector<Integer>{100}));
}

TEST_F(Guides, TheCursorPicksTheGuideThatIsDragged)
{
    Doc->CreateGuides(0, 40, true);
    Doc->CreateGuides(0, 80, true);
    Doc->CreateGuides(25, 0, false);
    EXPECT_EQ(Doc->GetShapeCursor(-1, 80, -1, 80), crVSplit);
    Doc->SetGuidesPosition(33, 90);
    EXPECT_EQ(Values(*Doc->HorzGuidesRow()), (std::vector<Integer>{40, 90}));
    EXPECT_EQ(Values(*Doc->VertGuidesRow()), (std::vector<Integer>{25}));
    EXPECT_EQ(Doc->GetShapeCursor(25, -1, 25, -1), crHSplit);
    Doc->SetGuidesPosition(33, 90);
    EXPECT_EQ(Values(*Doc->VertGuidesRow()), (std::vector<Integer>{33}));
    Doc->ClearGuides();
    EXPECT_EQ(Doc->HorzGuidesRow()->ItemCount() + Doc->VertGuidesRow()->ItemCount(), 0);
    Doc->SetGuidesPosition(1, 1);  // nothing left to drag
}

TEST_F(Guides, RulerDragsFromWhereTheDragBegan)
{
    Doc->CreateRuler(10, 20, 110, 20);
    EXPECT_TRUE(Doc->RulerEnabled());
    struct Case {
        TPoint At;       // where the press was picked (view = image here)
        Integer Pick;
        TPoint P1, P2;   // after a drag from (10, 10) to (15, 30) in several steps
    };
    const Case Cases[] = {
        {{60, 22}, 0, {15, 40}, {115, 40}},
        {{12, 20}, 1, {15, 40}, {110, 20}},
        {{108, 18}, 2, {10, 20}, {115, 40}},
        {{60, 60}, -1, {10, 20}, {110, 20}},
    };
    for (const Case& C : Cases) {
        Doc->CreateRuler(10, 20, 110, 20);
        Doc->GetShapeCursor(C.At.X, C.At.Y, C.At.X, C.At.Y);
        ASSERT_EQ(Doc->RulerPickMode(), C.Pick);
        Doc->BackupRulerPosition();
        for (TPoint Step : {TPoint{11, 12}, TPoint{40, -3}, TPoint{15, 30}}) Doc->SetRulerPosition(10, 10, Step.X, Step.Y);
        EXPECT_EQ(Doc->RulerP1(), C.P1) << C.Pick;
        EXPECT_EQ(Doc->RulerP2(), C.P2) << C.Pick;
        EXPECT_EQ(Announced.back(), (TRect{C.P1.X, C.P1.Y, C.P2.X, C.P2.Y}));
    }
    // Cleared, it is announced with its last ends.
    Announced.clear();
    Doc->ClearRuler();
    EXPECT_FALSE(Doc->RulerEnabled());
    ASSERT_EQ(Announced.size(), 1u);
    EXPECT_EQ(Announced[0], (TRect{10, 20, 110, 20}));
}

TEST_F(Guides, KeptInTheTableProperties)
{
    Doc->CreateGuides(0, 40, true);
    Doc->CreateGuides(0, 80, true);
    Doc->StoreGuidesAndRuler();
    EXPECT_EQ(Doc->DT()->GetProp(ObjProp::HorzGuides)->Text(), u"40.80");
    EXPECT_EQ(Doc->DT()->GetProp(ObjProp::VertGuides)->Text(), u"");
    EXPECT_EQ(Doc->DT()->GetProp(ObjProp::Ruler)->Text(), u"");
    Doc->CreateRuler(1, 2, -3, 4);
    Doc->CreateGuides(7, 0, false);
    Doc->StoreGuidesAndRuler();
    EXPECT_EQ(Doc->DT()->GetProp(ObjProp::Ruler)->Text(), u"-1.1.2.-3.4");
    EXPECT_EQ(Doc->DT()->GetProp(ObjProp::VertGuides)->Text(), u"7");
}

TEST_F(Guides, ReadWhenADocumentOpens)
{
    struct Case {
        const char16_t* Horz;
        const char16_t* Ruler;
        std::vector<Integer> Guides;
        bool Enabled;
        TPoint P1, P2;
    };
    // A document made elsewhere may hold anything: what is no number is left out or read as 0.
    const Case Cases[] = {
        {u"40.80", u"-1.1.2.-3.4", {40, 80}, true, {1, 2}, {-3, 4}},
        {u"", u"0.5.6.7.8", {}, false, {5, 6}, {7, 8}},
        {u"12.x..9", u"-1.7", {12, 9}, true, {7, 0}, {0, 0}},
        {u"..", u"junk", {}, false, {0, 0}, {0, 0}},
    };
    for (const Case& C : Cases) {
        struct Reader {
            static const Case*& Current() { static const Case* P; return P; }
            static bool Read(TImageDraw& D)
            {
                D.DT()->SetPropCount(50);
                D.DT()->GetProp(ObjProp::HorzGuides)->SetText(Current()->Horz);
                D.DT()->GetProp(ObjProp::Ruler)->SetText(Current()->Ruler);
                return true;
            }
        };
        Reader::Current() = &C;
        const TImageDrawHooks Saved = ImageDrawHooks;
        ImageDrawHooks.ReadSidecar = &Reader::Read;
        std::unique_ptr<TImageDraw> Opened;
        {
            // An image file that exists, so that its sidecar is read.
            const String File = u"test_ImageDraw_Guides.png";
            TFileStream(File, fmCreate).Write("x", 1);
            Opened = std::make_unique<TImageDraw>(&View, nullptr, nullptr, nullptr, nullptr, File, 0, false, false,
                                                  nullptr, 10, 10, 0, false, 24);
            DeleteFile(File);
        }
        ImageDrawHooks = Saved;
        EXPECT_EQ(Values(*Opened->HorzGuidesRow()), C.Guides) << UTF8Encode(C.Horz);
        EXPECT_EQ(Opened->RulerEnabled(), C.Enabled) << UTF8Encode(C.Ruler);
        EXPECT_EQ(Opened->RulerP1(), C.P1) << UTF8Encode(C.Ruler);
        EXPECT_EQ(Opened->RulerP2(), C.P2) << UTF8Encode(C.Ruler);
        EXPECT_EQ(Opened->RulerPickMode(), -1);
        EXPECT_EQ(Opened->HorzGuidesIndex(), -1);
    }
}
