// The open-documents rules without a window: rows and untitled names, the
// stash's view cells, refused pictures and drops, and the rules of saving.
#include <gtest/gtest.h>

#include "shell/MainLifecycle.h"
#include "shell/OpenDocumentsCore.h"

namespace {

String Name(const TDataTable& T, Integer I) { return T.GetItem(I)->GetItem(OpenFileCol::FileName)->Text(); }
bool Current(const TDataTable& T, Integer I) { return T.GetItem(I)->GetItem(OpenFileCol::Current)->AsBool(); }

}  // namespace

TEST(OpenDocumentsCore, UntitledNamesTakeTheLowestFreeNumber)
{
    TDataTable T;
    const String A = UntitledName(T, u"Untitled", 2);
    EXPECT_EQ(A, u"Untitled 1");
    RegisterOpenFileRow(T, A, true, 640, 480);
    EXPECT_EQ(UntitledName(T, u"Untitled", 2), u"Untitled 2");
    RegisterOpenFileRow(T, u"Untitled 2", true, 640, 480);
    // Closing the first frees its name again.
    T.RemoveItemByIndex(FindOpenFileRow(T, u"Untitled 1"));
    EXPECT_EQ(UntitledName(T, u"Untitled", 2), u"Untitled 1");
    // The Chinese interface runs the number on; names compare without case.
    EXPECT_EQ(UntitledName(T, u"未命名", 0), u"未命名1");
    EXPECT_EQ(UntitledName(T, u"UNTITLED", 2), u"UNTITLED 1");
}

TEST(OpenDocumentsCore, RegisteringAddsAtTheTopOrFindsTheRowAndMakesItCurrent)
{
    TDataTable T;
    const TRegisteredRow New = RegisterOpenFileRow(T, u"Untitled 1", true, 800, 600);
    EXPECT_TRUE(New.Added);
    const TRow& R = *T.GetItem(0);
    ASSERT_EQ(R.ItemCount(), OpenFileCells);
    EXPECT_TRUE(R.GetItem(OpenFileCol::New)->AsBool());
    EXPECT_EQ(R.GetItem(OpenFileCol::Width)->Value(), 800);
    EXPECT_EQ(R.GetItem(OpenFileCol::Height)->Value(), 600);
    EXPECT_EQ(R.GetItem(OpenFileCol::Tool)->Value(), OpenFileNewRowTool);
    EXPECT_NE(const_cast<TRow&>(R).Data4().As<TDataTable>(), nullptr);
    EXPECT_NE(const_cast<TRow&>(R).Data5().As<TDataTable>(), nullptr);

    const TRegisteredRow File = RegisterOpenFileRow(T, u"C:\\Pics\\a.jpg", false, 800, 600);
    EXPECT_EQ(File.Index, 0);
    EXPECT_EQ(Name(T, 1), u"Untitled 1");
    EXPECT_FALSE(T.GetItem(0)->GetItem(OpenFileCol::New)->AsBool());
    EXPECT_TRUE(Current(T, 0));
    EXPECT_FALSE(Current(T, 1));

    const TRegisteredRow Again = RegisterOpenFileRow(T, u"c:\\pics\\A.JPG", false, 1, 1);
    EXPECT_FALSE(Again.Added);
    EXPECT_EQ(Again.Index, 0);
    EXPECT_EQ(T.ItemCount(), 2);
    RegisterOpenFileRow(T, u"Untitled 1", true, 1, 1);
    EXPECT_FALSE(Current(T, 0));
    EXPECT_TRUE(Current(T, 1));
    EXPECT_EQ(T.RowIndex(), 1);
}

TEST(OpenDocumentsCore, StashWritesTheScaleWithAPointAndReadsItBack)
{
    TDataTable T;
    RegisterOpenFileRow(T, u"a.png", false, 0, 0);
    TRow& R = *T.GetItem(0);
    StashViewCells(R, {1.5f, 320, -7, true, 3});
    EXPECT_EQ(R.GetItem(OpenFileCol::Scale)->Text(), u"1.5");
    EXPECT_EQ(R.GetItem(OpenFileCol::CenterX)->Value(), 320);
    EXPECT_EQ(R.GetItem(OpenFileCol::CenterY)->Value(), -7);
    EXPECT_TRUE(R.GetItem(OpenFileCol::AntiAlias)->AsBool());
    EXPECT_EQ(R.GetItem(OpenFileCol::UndoIndex)->Value(), 3);
    Single S = 0;
    ASSERT_TRUE(StoredScale(R, S));
    EXPECT_FLOAT_EQ(S, 1.5f);
    // Rows written by older runs with a comma still read; junk does not.
    const struct {
        const char16_t* Text;
        bool Ok;
    } Rows[] = {{u"0,25", true}, {u"", false}, {u"abc", false}, {u"0", false}, {u"-2", false}};
    for (const auto& C : Rows) {
        R.GetItem(OpenFileCol::Scale)->SetText(C.Text);
        EXPECT_EQ(StoredScale(R, S), C.Ok) << UTF8Encode(C.Text);
    }
}

TEST(OpenDocumentsCore, PicturesTooLargeOrEmptyAreRefused)
{
    const struct {
        Int64 W, H;
        const char16_t* Message;
    } Rows[] = {
        {6000, 5000, u""},
        {6001, 5000, u"big\r\nsize 6001 × 5000 = 30005000."},
        {0, 5000, u"empty"},
        {5000, 0, u"empty"},
        // The product is taken in 64 bits: 32 bits would wrap below the limit.
        {65536, 65537, u"big\r\nsize 65536 × 65537 = 4295032832."},
    };
    for (const auto& C : Rows)
        EXPECT_EQ(ImageSizeRefusal(C.W, C.H, u"big", u"size", u"empty"), String(C.Message)) << C.W << "x" << C.H;
}

TEST(OpenDocumentsCore, DroppedFilesPassByTheirExtension)
{
    EXPECT_EQ(AcceptedDroppedFiles({u"C:\\a.JPG", u"b.jp", u"c.Jpeg", u"d.txt", u"e.gif", u"f.jpe", u"g.bmp", u"h.PNG"}),
              (std::vector<String>{u"C:\\a.JPG", u"c.Jpeg", u"e.gif", u"f.jpe", u"g.bmp", u"h.PNG"}));
    EXPECT_TRUE(AcceptedDroppedFiles({u"x.jp"}).empty());
    EXPECT_TRUE(AcceptedDroppedFiles({u"jpg"}).empty());
}

TEST(OpenDocumentsCore, CloseMakesTheRightNeighbourOrTheLastRowLive)
{
    EXPECT_EQ(NextLiveRowAfterClose(1, 3), 1);
    EXPECT_EQ(NextLiveRowAfterClose(3, 3), 2);
    EXPECT_EQ(NextLiveRowAfterClose(0, 1), 0);
}

TEST(OpenDocumentsCore, SaveRules)
{
    EXPECT_EQ(SaveAsFileName(u"C:\\p\\a", 1), u"C:\\p\\a.jpg");
    EXPECT_EQ(SaveAsFileName(u"C:\\p\\a.png", 4), u"C:\\p\\a.bmp");
    EXPECT_EQ(SaveAsFileName(u"a.gif", 3), u"a.gif");
    EXPECT_EQ(SaveAsFileName(u"a.gif", 5), u"a.gif");
    EXPECT_EQ(SaveAsOpenRefusal(u"a.png", u"The file", u"is open."), u"The file \"a.png\" is open.");

    EXPECT_EQ(DecideJpgOptions(true, false), TJpgOptionsStep::Quality90);
    EXPECT_EQ(DecideJpgOptions(true, true), TJpgOptionsStep::Quality90);
    EXPECT_EQ(DecideJpgOptions(false, true), TJpgOptionsStep::Stored);
    EXPECT_EQ(DecideJpgOptions(false, false), TJpgOptionsStep::Ask);

    EXPECT_FALSE(BmpOptionsAsked(false, 24));  // a BMP read at 24 bits is written at 24 again
    EXPECT_TRUE(BmpOptionsAsked(false, 0));    // a new image
    EXPECT_TRUE(BmpOptionsAsked(false, -1));
    EXPECT_TRUE(BmpOptionsAsked(true, 24));    // save under a new name
}

TEST(OpenDocumentsCore, SaveNoticeGoesToTheGalleryOrTheCaller)
{
    const struct {
        Integer App;
        bool Gallery;
        const char16_t* Folder;
        TSaveNotice Notice;
    } Rows[] = {
        {0, true, u"C:\\Gallery\\", TSaveNotice::Gallery}, {0, false, u"C:\\Gallery\\", TSaveNotice::None},
        {0, true, u"D:\\Other\\", TSaveNotice::None},      {0, true, u"", TSaveNotice::None},
        {-1, true, u"C:\\Gallery\\", TSaveNotice::Gallery}, {1, true, u"D:\\Other\\", TSaveNotice::Caller},
        {2, false, u"", TSaveNotice::Caller},               {3, true, u"C:\\Gallery\\", TSaveNotice::None},
    };
    for (const auto& C : Rows)
        EXPECT_EQ(DecideSaveNotice(C.App, C.Gallery, C.Folder, u"C:\\Gallery\\a.png"), C.Notice) << C.App;
    EXPECT_EQ(CallerShareRowName(1), u"Gallery");
    EXPECT_EQ(CallerShareRowName(2), u"Trivane");
    EXPECT_EQ(CallerShareRowName(3), u"");
    EXPECT_EQ(StoredWindowHandle(u"132456"), 132456u);
    EXPECT_EQ(StoredWindowHandle(u""), 0u);
    EXPECT_EQ(StoredWindowHandle(u"12ab"), 0u);
}

TEST(OpenDocumentsCore, SizeLabels)
{
    EXPECT_EQ(ImageSizeText(6000, 5000), u"6000 × 5000");
    const std::pair<Integer, const char16_t*> Bits[] = {{24, u"24b"}, {1, u"1b"}, {8, u"8b"}, {-1, u"32b"}, {0, u""}};
    for (const auto& [Depth, Text] : Bits) EXPECT_EQ(ImageBitsText(Depth), Text) << Depth;
}
