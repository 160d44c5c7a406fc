#include <gtest/gtest.h>

#include "framework/runtime/Classes.h"

TEST(Streams, ReadBufferShortRaises)
{
    TMemoryStream m;
    uint8_t b[4] = {1, 2, 3, 4};
    m.WriteBuffer(b, 4);
    m.SetPosition(2);
    uint8_t r[4];
    try {
        m.ReadBuffer(r, 4);
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), u"Stream read error");
    }
    m.SetPosition(0);
    m.ReadBuffer(r, 4);
    EXPECT_EQ(r[3], 4);
}

TEST(Streams, MemoryStreamSeekSizeAndGaps)
{
    TMemoryStream m;
    EXPECT_EQ(m.Size(), 0);
    m.Seek(10, soBeginning);
    m.WriteValue<uint32_t>(0x11223344);
    EXPECT_EQ(m.Size(), 14);
    EXPECT_EQ(static_cast<uint8_t*>(m.Memory())[5], 0);
    EXPECT_EQ(static_cast<uint8_t*>(m.Memory())[10], 0x44);
    EXPECT_EQ(m.Seek(-4, soEnd), 10);
    EXPECT_EQ(m.ReadValue<uint32_t>(), 0x11223344u);
    m.SetSize(5);
    EXPECT_EQ(m.Position(), 5);
    m.SetSize(8);
    EXPECT_EQ(static_cast<uint8_t*>(m.Memory())[7], 0);
    m.Clear();
    EXPECT_EQ(m.Size(), 0);
    EXPECT_EQ(m.Position(), 0);
}

TEST(Streams, CopyFromZeroCopiesWholeSource)
{
    TMemoryStream src, dst;
    std::string text = "hello world";
    src.WriteBuffer(text.data(), static_cast<Integer>(text.size()));
    src.SetPosition(6);
    EXPECT_EQ(dst.CopyFrom(&src, 0), 11);
    EXPECT_EQ(std::string(static_cast<char*>(dst.Memory()), 11), text);
    src.SetPosition(6);
    TMemoryStream part;
    EXPECT_EQ(part.CopyFrom(&src, 5), 5);
    EXPECT_EQ(std::string(static_cast<char*>(part.Memory()), 5), "world");
    src.SetPosition(8);
    EXPECT_THROW(part.CopyFrom(&src, 5), EReadError);
}

TEST(Streams, FileStreamRoundTripAndErrors)
{
    String dir = GetTempDirectory() + u"lm_rt_test_" + IntToStr(Random(1000000)) + u"\\sub";
    ASSERT_TRUE(ForceDirectories(dir));
    ASSERT_TRUE(DirectoryExists(dir));
    String name = dir + u"\\файл.bin";
    {
        TFileStream f(name, fmCreate);
        f.WriteValue<int32_t>(-2);
        f.WriteValue<uint16_t>(7);
    }
    EXPECT_TRUE(FileExists(name));
    EXPECT_EQ(FileSizeOf(name), 6);
    {
        TFileStream f(name, fmOpenReadWrite | fmShareDenyWrite);
        EXPECT_EQ(f.Size(), 6);
        EXPECT_EQ(f.ReadValue<int32_t>(), -2);
        f.SetSize(4);
        EXPECT_EQ(f.Size(), 4);
    }
    TMemoryStream m;
    m.LoadFromFile(name);
    EXPECT_EQ(m.Size(), 4);
    EXPECT_THROW(TFileStream(dir + u"\\missing", fmOpenRead), EFOpenError);
    EXPECT_THROW(TFileStream(dir + u"\\no\\such\\x", fmCreate), EFCreateError);
    EXPECT_THROW(TFileStream(dir, fmOpenRead), EFOpenError);
    String moved = dir + u"\\moved.bin";
    EXPECT_TRUE(RenameFile(name, moved));
    EXPECT_FALSE(FileExists(name));
    EXPECT_TRUE(DeleteFile(moved));
    EXPECT_FALSE(DeleteFile(moved));
    EXPECT_TRUE(RemoveDir(dir));
    EXPECT_TRUE(RemoveDir(ExtractFileDir(dir)));
}

TEST(Lists, TListOperationsAndBounds)
{
    int a = 1, b = 2, c = 3;
    TList l;
    l.Add(&a);
    l.Add(&b);
    l.Insert(0, &c);
    EXPECT_EQ(l.Count(), 3);
    EXPECT_EQ(l.First(), &c);
    EXPECT_EQ(l.Last(), &b);
    l.Move(0, 2);
    EXPECT_EQ(l.IndexOf(&c), 2);
    l.Exchange(0, 1);
    EXPECT_EQ(l[0], &b);
    EXPECT_EQ(l.Remove(&a), 1);
    EXPECT_EQ(l.Remove(&a), -1);
    EXPECT_EQ(l.Extract(&b), &b);
    EXPECT_EQ(l.Extract(&b), nullptr);
    try {
        l.Items(5);
        FAIL();
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), u"List index out of bounds (5)");
    }
    EXPECT_THROW(l.Delete(-1), EListError);
    int v[5] = {5, 3, 4, 3, 1};
    TList s;
    for (int& x : v) s.Add(&x);
    s.Sort([](void* p, void* q) { return *static_cast<int*>(p) - *static_cast<int*>(q); });
    EXPECT_EQ(*static_cast<int*>(s[0]), 1);
    EXPECT_EQ(s[1], &v[1]);  // equal items keep their order
    EXPECT_EQ(s[2], &v[3]);
    EXPECT_EQ(*static_cast<int*>(s[4]), 5);
}

namespace {
int Live = 0;
struct TCounted : TObject {
    TCounted() { ++Live; }
    ~TCounted() override { --Live; }
};
}  // namespace

TEST(Lists, ObjectListOwnsItsObjects)
{
    {
        TObjectList l;
        l.Add(new TCounted);
        l.Add(new TCounted);
        auto* keep = new TCounted;
        l.Add(keep);
        EXPECT_EQ(Live, 3);
        l.Delete(0);
        EXPECT_EQ(Live, 2);
        EXPECT_EQ(l.Extract(keep), keep);
        EXPECT_EQ(Live, 2);
        delete keep;
        l.SetItems(0, new TCounted);
        EXPECT_EQ(Live, 1);
    }
    EXPECT_EQ(Live, 0);
    TObjectList notOwning(false);
    TCounted x;
    notOwning.Add(&x);
    notOwning.Clear();
    EXPECT_EQ(Live, 1);
}

TEST(StringLists, TextCommaAndDelimited)
{
    TStringList l;
    l.SetText(u"a\r\nb\nc\r\rd");
    ASSERT_EQ(l.Count(), 5);
    EXPECT_EQ(l[3], u"");
    EXPECT_EQ(l.Text(), u"a\r\nb\r\nc\r\n\r\nd\r\n");
    l.SetText(u"x\r\n");
    EXPECT_EQ(l.Count(), 1);

    l.SetCommaText(u"a, \"b c\",\"d\"\"e\",,f ");
    ASSERT_EQ(l.Count(), 5);
    EXPECT_EQ(l[0], u"a");
    EXPECT_EQ(l[1], u"b c");
    EXPECT_EQ(l[2], u"d\"e");
    EXPECT_EQ(l[3], u"");
    EXPECT_EQ(l[4], u"f");
    EXPECT_EQ(l.CommaText(), u"a,\"b c\",\"d\"\"e\",,f");
    l.SetCommaText(u"a b,");
    ASSERT_EQ(l.Count(), 3);  // a blank splits too; a trailing delimiter adds an empty item
    EXPECT_EQ(l[2], u"");

    l.SetDelimiter(u'|');
    l.SetQuoteChar(u'\'');
    l.SetStrictDelimiter(true);
    l.SetDelimitedText(u"a b|'c|d'|e");
    ASSERT_EQ(l.Count(), 3);
    EXPECT_EQ(l[0], u"a b");
    EXPECT_EQ(l[1], u"c|d");
    EXPECT_EQ(l.DelimitedText(), u"a b|'c|d'|e");
}

TEST(StringLists, NamesAndValues)
{
    TStringList l;
    l.Add(u"A=B=C");
    l.Add(u"noequals");
    l.Add(u"key=");
    EXPECT_EQ(l.Values(u"a"), u"B=C");
    EXPECT_EQ(l.Names(0), u"A");
    EXPECT_EQ(l.ValueFromIndex(0), u"B=C");
    EXPECT_EQ(l.Values(u"noequals"), u"");
    EXPECT_EQ(l.IndexOfName(u"KEY"), 2);
    l.SetValues(u"new", u"1");
    EXPECT_EQ(l[3], u"new=1");
    l.SetValues(u"A", u"2");
    EXPECT_EQ(l[0], u"A=2");
    l.SetValues(u"a", u"");
    EXPECT_EQ(l.IndexOfName(u"A"), -1);
}

TEST(StringLists, SortedAndDuplicates)
{
    TStringList l;
    l.SetSorted(true);
    for (const char16_t* s : {u"pear", u"Apple", u"banana", u"apple"}) l.Add(s);
    ASSERT_EQ(l.Count(), 3);  // "apple" is a duplicate of "Apple" without case
    EXPECT_EQ(l[0], u"Apple");
    EXPECT_EQ(l[2], u"pear");
    EXPECT_EQ(l.IndexOf(u"BANANA"), 1);
    EXPECT_THROW(l.Insert(0, u"x"), EStringListError);
    l.SetDuplicates(dupError);
    EXPECT_THROW(l.Add(u"PEAR"), EStringListError);
    l.SetDuplicates(dupAccept);
    l.Add(u"PEAR");
    EXPECT_EQ(l.Count(), 4);
    l.SetCaseSensitive(true);
    EXPECT_EQ(l.IndexOf(u"BANANA"), -1);
}

TEST(StringLists, ChangeEventsBracketed)
{
    TStringList l;
    int changes = 0;
    l.OnChange = [&](TObject*) { ++changes; };
    l.Add(u"a");
    EXPECT_EQ(changes, 1);
    l.BeginUpdate();
    l.Add(u"b");
    l.Add(u"c");
    l.EndUpdate();
    EXPECT_EQ(changes, 2);
}

TEST(StringLists, LoadPicksEncodingByBom)
{
    struct { std::string bytes; String line; } cases[] = {
        {"\xEF\xBB\xBFh\xC3\xA9", u"hé"},
        {std::string("\xFF\xFEh\0\xE9\0", 6), u"hé"},
        {std::string("\xFE\xFF\0h\0\xE9", 6), u"hé"},
        {"h\xE9", u"hé"}};  // no mark: the ANSI code page (1252 here)
    SetDefaultAnsiCodePage(1252);
    for (auto& c : cases) {
        TStringStream s(c.bytes);
        TStringList l;
        if (AnsiCodePage() != 1252 && c.bytes[0] == 'h') continue;
        l.LoadFromStream(&s);
        ASSERT_EQ(l.Count(), 1);
        EXPECT_EQ(l[0], c.line);
        // Saved again in the encoding it came in, with its mark.
        TStringStream out(RawByteString{});
        l.SaveToStream(&out);
        EXPECT_EQ(out.Bytes(), c.bytes + (c.bytes[0] == 'h' || c.bytes[0] == '\xEF' ? std::string("\r\n") :
                                          c.bytes[0] == '\xFF' ? std::string("\r\0\n\0", 4) : std::string("\0\r\0\n", 4)));
    }
}

TEST(Persistent, AssignErrorText)
{
    TStringList l;
    TPersistent p;
    try {
        p.Assign(&l);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), u"Cannot assign a TStringList to a TPersistent");
    }
    try {
        l.Assign(nullptr);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), u"Cannot assign a nil to a TStringList");
    }
    TStringList m;
    m.Add(u"x");
    l.Assign(&m);
    EXPECT_EQ(l.Text(), u"x\r\n");
}

namespace {
std::vector<String> Log;
struct TLogged : TComponent {
    using TComponent::TComponent;
    ~TLogged() override { Log.push_back(u"free " + Name()); }
    TComponent* Watched = nullptr;
    void Notification(TComponent* C, TOperation Op) override
    {
        TComponent::Notification(C, Op);
        if (Op == opRemove && C == Watched) {
            Log.push_back(Name() + u" lost " + C->Name());
            Watched = nullptr;
        }
    }
};
}  // namespace

TEST(Components, OwnerFreesInReverseOrderAndNotifies)
{
    Log.clear();
    auto* owner = new TLogged(nullptr);
    owner->SetName(u"owner");
    auto* a = new TLogged(owner);
    a->SetName(u"a");
    auto* b = new TLogged(owner);
    b->SetName(u"b");
    EXPECT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(owner->Components(1), b);
    EXPECT_EQ(owner->FindComponent(u"A"), a);
    EXPECT_THROW(b->SetName(u"A"), EComponentError);
    EXPECT_THROW(b->SetName(u"1x"), EComponentError);

    // A sibling hears of the removal through the owner; an outsider through FreeNotification.
    auto* outsider = new TLogged(nullptr);
    outsider->SetName(u"out");
    outsider->Watched = a;
    a->FreeNotification(outsider);
    b->Watched = a;
    delete a;
    EXPECT_EQ(owner->ComponentCount(), 1);
    EXPECT_EQ(Log, (std::vector<String>{u"free a", u"out lost a", u"b lost a"}));
    Log.clear();
    new TLogged(owner);
    owner->Components(1)->SetName(u"c");
    delete owner;  // its own destructor body first, then what it owns, newest first
    EXPECT_EQ(Log, (std::vector<String>{u"free owner", u"free c", u"free b"}));
    delete outsider;
}

namespace {
struct TNamedItem : TCollectionItem {
    explicit TNamedItem(TCollection* C) : TCollectionItem(C), Name(Format(u"item%d", {Index()})) {}
    String Name;
    void Assign(TPersistent* Source) override
    {
        if (auto* s = dynamic_cast<TNamedItem*>(Source)) Name = s->Name + u"'";
        else TCollectionItem::Assign(Source);
    }
};
}  // namespace

TEST(Collections, ItemsIndexesAndAssign)
{
    TOwnedCollectionOf<TNamedItem> c;
    int changes = 0;
    c.OnChange = [&](TObject*) { ++changes; };
    c.Add();
    c.Add();
    TNamedItem* first = c.Insert(0);
    EXPECT_EQ(c.Count(), 3);
    EXPECT_EQ(first->Name, u"item2");  // named by its index when it was made
    EXPECT_EQ(first->Index(), 0);
    EXPECT_EQ(c[1]->Name, u"item0");
    EXPECT_EQ(c.FindItemID(first->ID()), first);
    EXPECT_GT(changes, 0);
    c[2]->SetIndex(0);
    EXPECT_EQ(c[0]->Name, u"item1");
    delete c[0];  // an item leaves its collection when freed
    EXPECT_EQ(c.Count(), 2);
    EXPECT_THROW(c.Items(2), EListError);

    TOwnedCollectionOf<TNamedItem> copy;
    copy.Add();
    changes = 0;
    copy.OnChange = [&](TObject*) { ++changes; };
    copy.Assign(&c);
    EXPECT_EQ(changes, 1);  // one notification for the whole copy
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy[0]->Name, u"item2'");
    c.Delete(0);
    c.Clear();
    EXPECT_EQ(c.Count(), 0);
}
