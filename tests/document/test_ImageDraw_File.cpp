// The document file beside a saved image and the document stream: a saved
// document reopens equal, the bytes lie where the layout puts them, older
// files read with their migrations, damaged files open the image alone, and
// a save that fails leaves the previous files.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "DocumentFileHooks.h"
#include "DocumentTestView.h"
#include "SaveFaults.h"
#include "document/ImageEllipse.h"
#include "document/ImageLine.h"
#include "document/ImagePolygon.h"
#include "document/ImageRectangle.h"
#include "document/ImageSmall.h"
#include "document/ImageText.h"
#include "foundation/HyCrypUtils.h"
#include "framework/runtime/SysUtils.h"
#include "framework/runtime/ZLibStreams.h"

namespace {
// ---- Files and bytes

RawByteString FileBytes(const String& Name)
{
    TMemoryStream M;
    M.LoadFromFile(Name);
    return RawByteString(static_cast<const char*>(M.Memory()), static_cast<size_t>(M.Size()));
}

void WriteFileBytes(const String& Name, const RawByteString& Bytes)
{
    TFileStream F(Name, fmCreate);
    if (!Bytes.empty()) F.WriteBuffer(Bytes.data(), static_cast<Integer>(Bytes.size()));
}

RawByteString Int32Bytes(int32_t V) { return RawByteString(reinterpret_cast<const char*>(&V), 4); }

RawByteString BitmapStream(TCustomBitmap32& B)
{
    TMemoryStream M;
    B.SaveToStream(&M, true);
    return RawByteString(static_cast<const char*>(M.Memory()), static_cast<size_t>(M.Size()));
}

RawByteString Zlib(const RawByteString& Raw)
{
    TMemoryStream In, Out;
    In.WriteBuffer(Raw.data(), static_cast<Integer>(Raw.size()));
    ZCompressStream(&In, &Out);
    return RawByteString(static_cast<const char*>(Out.Memory()), static_cast<size_t>(Out.Size()));
}

RawByteString Inflate(const RawByteString& Z)
{
    TMemoryStream In, Out;
    In.WriteBuffer(Z.data(), static_cast<Integer>(Z.size()));
    ZDecompressStream(&Out, &In);
    return RawByteString(static_cast<const char*>(Out.Memory()), static_cast<size_t>(Out.Size()));
}

std::unique_ptr<TCustomBitmap32> Picture(Integer W, Integer H, uint32_t Seed)
{
    auto B = std::make_unique<TCustomBitmap32>();
    B->SetSize(W, H);
    std::mt19937 Random(Seed);
    for (Integer y = 0; y < H; ++y)
        for (Integer x = 0; x < W; ++x) B->SetPixel(x, y, 0xFF000000u | (Random() & 0xFFFFFF));
    return B;
}

bool SamePixels(TCustomBitmap32* A, TCustomBitmap32* B) { return A->SameContent(B); }

// ---- The image side, as the platform gives it: every format is written as
// a BMP here, and kept original files are decoded as BMP.

struct TSaveCall {
    TImageFormat Format;
    Integer Param;
    TColor32 FirstPixel;
};
std::vector<TSaveCall> SaveCalls;
bool FailImageWrite = false;

void SaveImageFile(TCustomBitmap32* Bitmap, const String& FileName, TImageFormat Format, Integer Param)
{
    SaveCalls.push_back({Format, Param, Bitmap->Empty() ? 0 : Bitmap->Pixel(0, 0)});
    if (FailImageWrite) throw EWriteError(u"Cannot write file \"" + FileName + u"\".");
    // Straight to the file: a failing disk in a test is the document file's.
    TFileStream File(FileName, fmCreate);
    Bitmap->SaveToStream(&File, true);
}

Int64 LastJpegQuality = -1;
Int64 JpegSize(TCustomBitmap32* Bitmap, Integer Quality)
{
    LastJpegQuality = Quality;
    return Bitmap->Pixel(0, 0) == 0xFFFFFFFF ? 1000 + Quality : -1;  // white: flattened as it should be
}

class DocumentFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        Saved = ImageDrawHooks;
        ImageDrawHooks.SaveImageFile = &SaveImageFile;
        ImageDrawHooks.DecodePicture = &DecodeBmpPicture;
        ImageDrawHooks.JpegSize = &JpegSize;
        SaveCalls.clear();
        FailImageWrite = false;
        std::random_device Device;
        Folder = GetTempDirectory() + u"lm_docfile_" + IntToStr(static_cast<Integer>(Device() % 100000000)) + u"\\";
        ForceDirectories(Folder);
        Defaults = std::make_unique<TDataTable>();
        for (Integer k = 0; k < ShapeTypeCount; ++k) {
            TRow* R = Defaults->AddItem(String(99, u','));
            for (auto [Col, Value] : {std::pair{14, 0xFF0000}, {15, 0x00FF00}, {16, 255}, {18, 2}, {20, -1},
                                      {21, -1}, {27, -1}, {28, -1}, {29, -1}, {98, 15}})
                R->GetItem(Col)->SetValue(Value);
        }
    }
    void TearDown() override
    {
        ImageDrawHooks = Saved;
        SetDefaultAnsiCodePage(1252);
        for (const String& F : FilesIn()) DeleteFile(Folder + F);
        RemoveDir(ExcludeTrailingPathDelimiter(Folder));
    }

    std::vector<String> FilesIn()
    {
        std::vector<String> Names;
        TSearchRec R;
        if (FindFirst(Folder + u"*", faAnyFile, R) == 0) {
            do
                if (R.Name != u"." && R.Name != u"..") Names.push_back(R.Name);
            while (FindNext(R) == 0);
            FindClose(R);
        }
        std::sort(Names.begin(), Names.end());
        return Names;
    }

    // Opens the image file Name as the program does: decoded, then its document file read.
    std::unique_ptr<TImageDraw> Open(const String& Name)
    {
        TCustomBitmap32 Decoded;
        Decoded.LoadFromFile(Name);
        auto Doc = std::make_unique<TImageDraw>(&View, nullptr, &Decoded, nullptr, nullptr, Name, 0, false, false,
                                                nullptr, 1, 1, 0, false, -1);
        Doc->InitBitmap();
        Doc->Draw();
        return Doc;
    }

    // A document opened from a new image file Name (W x H, no document file).
    std::unique_ptr<TImageDraw> OpenNew(const String& Name, Integer W, Integer H, uint32_t Seed)
    {
        Picture(W, H, Seed)->SaveToFile(Name, true);
        auto Doc = Open(Name);
        Doc->SetPropDT(Defaults.get());
        return Doc;
    }

    TImgShape* Draw(TImageDraw& Doc, TShapeType Kind, Integer X1, Integer Y1, Integer X2, Integer Y2,
                    Integer Style = 0)
    {
        Defaults->GetItem(Kind)->GetItem(24)->SetValue(Style);
        Doc.CreateShape(Kind);
        Doc.DrawShape(X1, Y1, X2, Y2);
        if (auto* P = dynamic_cast<TImgPolygon*>(Doc.Shape()))
            for (TPoint N : {TPoint{X1, Y1}, TPoint{X2, Y1 + 5}, TPoint{X1 + 9, Y2}}) P->AddNewPoint(N.X, N.Y);
        Doc.CreateShapeOver(false);
        return Doc.Shape();
    }

    // One object of every kind that has an object class, saved selections
    // with Chinese names, guides, a ruler, a changed raster.
    void Populate(TImageDraw& Doc);

    TImageDrawHooks Saved;
    TTestView View;
    String Folder;
    std::unique_ptr<TDataTable> Defaults;
};

// Everything the document keeps, as texts to compare.
std::vector<String> Contents(TImageDraw& Doc)
{
    Doc.StoreShapeGeometry();
    std::vector<String> C;
    for (Integer i = 0; i < Doc.DT()->ItemCount(); ++i) {
        TRow* Row = Doc.DT()->GetItem(i);
        C.push_back(Row->ToString(true));
        if (auto* S = dynamic_cast<TImgSmall*>(TImageDraw::RowShape(Row)))
            C.push_back(Format(u"picture %d x %d %x", {S->SrcBmp()->Width(), S->SrcBmp()->Height(),
                                                        static_cast<Integer>(S->SrcBmp()->Pixel(1, 1))}));
    }
    C.push_back(Doc.SelectionDT()->ToString(true));
    C.push_back(Doc.DT()->PropertyRow()->ToString(true));
    return C;
}

void DocumentFile::Populate(TImageDraw& Doc)
{
    auto Draw = [&](TShapeType K, Integer X1, Integer Y1, Integer X2, Integer Y2, Integer Style) {
        return this->Draw(Doc, K, X1, Y1, X2, Y2, Style);
    };
    Draw(shArrow, 10, 10, 60, 40, 3);
    Draw(shLine, 15, 50, 70, 20, 0);
    Draw(shRectangle, 20, 20, 80, 60, 4)->SetAngle(12.5f);
    Draw(shEllipse, 5, 30, 40, 70, 2);
    Draw(shPolygon, 30, 10, 90, 50, 0);
    Draw(shHLRect, 40, 40, 90, 70, 0);
    auto Small = Picture(9, 7, 5);
    TRow Row;
    Row.Init(String(99, u','), u',');
    for (auto [Col, Value] : {std::pair{1, Integer(shSmall)}, {10, 3}, {11, 4}, {12, 30}, {13, 24}, {16, 200}})
        Row.GetItem(Col)->SetValue(Value);
    ASSERT_TRUE(Doc.CreateShapeAuto(Row.ToString(true), Small.get(), 0, 0));
    Draw(shCrop, 2, 2, 50, 50, 0);
    TRow* Sel = Doc.SelectionDT()->AddItem(u"x");
    Sel->Init(std::vector<String>{u"选区一", u"1.1.5.5", u"-1", u"0", u"", u"", u"", u""});
    Doc.SelectionDT()->AddItem(u"second,2.2.4.4,0,3,,,,");
    Doc.CreateGuides(0, 33, true);
    Doc.CreateGuides(44, 0, false);
    Doc.CreateRuler(1, 2, 30, 40);
    Doc.SrcBmp()->FillRectS(0, 0, 8, 8, 0xFF123456);
    Doc.SetSrcBmpChanged(true);
    Doc.Draw();
}

// ---------------------------------------------------------------------------

TEST_F(DocumentFile, ASavedDocumentReopensEqual)
{
    const String Image = Folder + u"picture.png";
    auto Doc = OpenNew(Image, 96, 80, 1);
    const RawByteString Original = FileBytes(Image);
    Populate(*Doc);
    Integer ChangedEvents = 0;
    Doc->OnChanged = [&](TObject*) { ++ChangedEvents; };
    ASSERT_TRUE(Doc->Changed());
    ASSERT_TRUE(Doc->Save());
    EXPECT_FALSE(Doc->Changed());
    EXPECT_EQ(ChangedEvents, 1);
    EXPECT_EQ(FilesIn(), (std::vector<String>{u"picture.png", u"picture.png.vuxa"}));  // no temporaries left
    const std::vector<String> Before = Contents(*Doc);

    auto Again = Open(Image);
    EXPECT_FALSE(Again->Changed());
    EXPECT_EQ(Again->MsgString(), String());
    EXPECT_EQ(Contents(*Again), Before);
    EXPECT_EQ(Again->SelectionDT()->GetItem(0)->GetItem(0)->Text(), u"选区一");
    EXPECT_EQ(Again->DT()->ItemCount(), 8);
    EXPECT_TRUE(Again->CropExists());
    EXPECT_TRUE(SamePixels(Again->SrcBmp(), Doc->SrcBmp()));
    EXPECT_TRUE(SamePixels(Again->OriBmp(), Doc->OriBmp()));
    // The original file's bytes are kept as they were read.
    ASSERT_NE(Again->OriBmpFileMS(), nullptr);
    EXPECT_EQ(RawByteString(static_cast<const char*>(Again->OriBmpFileMS()->Memory()),
                            static_cast<size_t>(Again->OriBmpFileMS()->Size())),
              Original);
    EXPECT_EQ(Again->HorzGuidesRow()->ToString(true), u"33");
    EXPECT_EQ(Again->RulerP2(), (TPoint{30, 40}));
    EXPECT_EQ(Again->SrcBmpBitsPixelPer(), 24);  // PNG from an opaque canvas
    // Saved again unchanged, the document file describes the same document.
    ASSERT_TRUE(Again->Save());
    EXPECT_EQ(Contents(*Open(Image)), Before);
}

TEST_F(DocumentFile, TheStreamRoundTrips)
{
    struct Case {
        const char* Name;
        bool FromFile;  // else a blank canvas that was never saved
    };
    for (const Case& C : {Case{"opened from a file", true}, Case{"never saved", false}}) {
        SCOPED_TRACE(C.Name);
        std::unique_ptr<TImageDraw> Doc;
        if (C.FromFile) {
            Doc = OpenNew(Folder + u"s.bmp", 64, 48, 2);
        } else {
            Doc = NewBlankDocument(View, 64, 48, true);
            Doc->SetPropDT(Defaults.get());
            Doc->InitBitmap();
        }
        Populate(*Doc);
        std::unique_ptr<TMemoryStream> Stream = std::make_unique<TMemoryStream>();
        Doc->SaveToStream(Stream);
        ASSERT_NE(Stream, nullptr);
        EXPECT_TRUE(Doc->Changed());  // a stream is no save
        const std::vector<String> Before = Contents(*Doc);
        TImageDraw Back(&View, nullptr, nullptr, nullptr, nullptr, C.FromFile ? Folder + u"s.bmp" : String(), 0, false,
                        false, Stream.get(), 1, 1, 0, false, -1);
        EXPECT_TRUE(Back.Changed());
        EXPECT_EQ(Contents(Back), Before);
        EXPECT_TRUE(SamePixels(Back.SrcBmp(), Doc->SrcBmp()));
        EXPECT_TRUE(SamePixels(Back.OriBmp(), Doc->OriBmp()));
        EXPECT_EQ(Back.FileDT()->GetItem(0)->GetItem(0)->Text(), String());  // version 0 stays: never saved
        EXPECT_EQ(Back.OriBmpFileMS() != nullptr, C.FromFile);
        DeleteFile(Folder + u"s.bmp");
    }
}

TEST_F(DocumentFile, TheFileLiesWhereTheLayoutSays)
{
    const String Image = Folder + u"l.jpg";
    auto Doc = OpenNew(Image, 40, 30, 3);
    const RawByteString Original = FileBytes(Image);
    Populate(*Doc);
    ASSERT_TRUE(Doc->Save());
    const RawByteString F = FileBytes(Image + u".vuxa");
    auto Int = [&](size_t At) {
        int32_t V;
        std::memcpy(&V, F.data() + At, 4);
        return static_cast<Int64>(V);
    };
    const size_t N = F.size();
    ASSERT_GT(N, 12u);
    EXPECT_EQ(Int(N - 4), 999999999);
    const Int64 L1 = Int(N - 8);
    TDataTable Info;
    Info.Init(PwdDecryptStr(AnsiToString(F.substr(N - 8 - L1, L1)), String()));
    ASSERT_GT(Info.ItemCount(), 0);
    EXPECT_EQ(Info.GetItem(0)->GetItem(0)->Text(), u"18");
    EXPECT_EQ(Info.GetItem(0)->GetItem(9)->Text(), u"24");
    const Int64 L2 = Int(N - 12 - L1);
    TDataTable Table;
    Table.Init(UTF8ToString(F.substr(N - 12 - L1 - L2, L2)));
    const TRow& P = *Table.PropertyRow();
    const Int64 OriSize = StrToInt(P.GetItem(3)->Text()), SrcSize = StrToInt(P.GetItem(2)->Text());
    const Int64 SelSize = StrToInt(P.GetItem(47)->Text());
    Int64 Pictures = 0;
    std::vector<std::pair<Int64, Int64>> PictureBlocks;
    for (Integer i = 0; i < Table.ItemCount(); ++i)
        if (Table.GetItem(i)->GetItem(1)->Value() == shSmall) {
            const Int64 Size = StrToInt(Table.GetItem(i)->GetItem(44)->Text());
            PictureBlocks.push_back({OriSize + SrcSize + Pictures, Size});
            Pictures += Size;
        }
    ASSERT_EQ(PictureBlocks.size(), 1u);
    // The blocks fill the file from offset 0 up to the texts.
    EXPECT_EQ(OriSize + SrcSize + Pictures + SelSize + L2 + 4 + L1 + 4 + 4, static_cast<Int64>(N));
    EXPECT_EQ(F.substr(0, static_cast<size_t>(OriSize)), Original);
    EXPECT_EQ(Inflate(F.substr(OriSize, SrcSize)), BitmapStream(*Doc->SrcBmp()));
    for (Integer i = 0; i < Doc->DT()->ItemCount(); ++i)
        if (auto* S = dynamic_cast<TImgSmall*>(TImageDraw::RowShape(Doc->DT()->GetItem(i))))
            EXPECT_EQ(Inflate(F.substr(PictureBlocks[0].first, PictureBlocks[0].second)), BitmapStream(*S->SrcBmp()));
    const RawByteString Sel = F.substr(OriSize + SrcSize + Pictures, SelSize);
    EXPECT_EQ(Sel.rfind("<Selection>", 0), 0u);
    EXPECT_EQ(Sel.substr(Sel.size() - 12), "</Selection>");
}

// ---- Older files

struct TOldFile {
    RawByteString Ori;           // original-image block (empty: none)
    RawByteString Src;           // working-raster block
    RawByteString Pictures;      // picture-object blocks
    String Selections;           // the saved-selections text (empty: none)
    TDataTable Table;            // object table
    String FileInfo;             // file-information text (empty: the older layout)
    Cardinal CodePage = 1252;    // the code page of the texts
};

RawByteString Build(TOldFile& F, bool AsStream = false)
{
    const RawByteString Sel =
        F.Selections.empty() ? RawByteString() : StringToAnsi(u"<Selection>" + F.Selections + u"</Selection>", F.CodePage);
    TRow& P = *F.Table.PropertyRow();
    while (P.ItemCount() < 50) P.AddItem(String());
    P.GetItem(3)->SetValue(static_cast<Integer>(F.Ori.size()));
    P.GetItem(2)->SetValue(static_cast<Integer>(F.Src.size()));
    P.GetItem(47)->SetValue(static_cast<Integer>(Sel.size()));
    const RawByteString Table = StringToAnsi(F.Table.ToString(true), F.CodePage);
    RawByteString B = F.Ori + F.Src + F.Pictures + Sel + Table + Int32Bytes(static_cast<int32_t>(Table.size()));
    if (AsStream) {
        // The stream's file information is plain, and no mark closes it.
        const RawByteString Info = StringToAnsi(F.FileInfo, F.CodePage);
        B += Info + Int32Bytes(static_cast<int32_t>(Info.size()));
    } else if (!F.FileInfo.empty()) {
        const RawByteString Info = StringToAnsi(PwdEncryptStrRandom(F.FileInfo, String()));
        B += Info + Int32Bytes(static_cast<int32_t>(Info.size())) + Int32Bytes(999999999);
    }
    return B;
}

// A row of Count cells with the listed ones set.
String RowText(Integer Count, std::initializer_list<std::pair<Integer, const char16_t*>> Cells)
{
    TRow Row;
    Row.Init(String(static_cast<size_t>(Count - 1), u','), u',');
    for (auto [Index, Text] : Cells) Row.GetItem(Index)->SetText(Text);
    return Row.ToString(true);
}

String FileInfoText(const char16_t* Version)
{
    TDataTable T;
    T.Init(5, 20);
    T.GetItem(0)->GetItem(0)->SetText(Version);
    T.GetItem(0)->GetItem(9)->SetText(u"8");
    return T.ToString(true);
}

TEST_F(DocumentFile, OlderFilesReadWithTheirMigrations)
{
    auto Raster = Picture(20, 10, 7), Ori = Picture(20, 10, 8), Small = Picture(3, 2, 9);
    // The rows: a line (pen 2, arrow 4; its old colour in cell 9), a
    // picture (its block size in the old cell 29), a text.
    auto Rows = [&](TOldFile& F, bool Old) {
        F.Table.AddItem(RowText(60, {{0, u"1"}, {1, u"5"}, {9, u"255"}, {10, u"2"}, {11, u"4"}, {12, u"12"},
                                     {13, u"9"}, {24, u"0"}, {35, u"2"}, {30, u"4"}}));
        const RawByteString Z = Zlib(BitmapStream(*Small));
        F.Table.AddItem(RowText(Old ? 60 : 100, {{0, u"2"}, {1, u"8"}, {10, u"1"}, {11, u"1"}, {12, u"4"}, {13, u"3"},
                                                 {Old ? 29 : 44, IntToStr(static_cast<Integer>(Z.size())).c_str()}}));
        F.Pictures = Z;
        F.Table.AddItem(RowText(Old ? 60 : 100, {{0, u"3"}, {1, u"9"}, {10, u"0"}, {12, u"10"}}));
        F.Src = Zlib(BitmapStream(*Raster));
    };
    struct Case {
        const char* Name;
        const char16_t* Version;  // file-information version; null: the older layout
        const char16_t* OldVersion;  // property 0 of the older layout
        bool Migrated, TextDefaults, HasOri;
    };
    const Case Cases[] = {
        {"older layout, version 10", nullptr, u"10", true, true, false},
        {"older layout, version 12", nullptr, u"12", true, true, true},
        {"version 14", u"14", nullptr, true, true, true},
        {"version 15", u"15", nullptr, false, true, true},
        {"version 17", u"17", nullptr, false, false, true},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        TOldFile F;
        Rows(F, C.Migrated);
        if (C.HasOri) F.Ori = Zlib(BitmapStream(*Ori));
        if (C.Version) {
            F.FileInfo = FileInfoText(C.Version);
        } else {
            F.Table.SetPropCount(50);
            for (auto [Prop, Value] : {std::pair{0, C.OldVersion}, {20, u"9"}, {21, u"-1"}, {22, u"24"}, {5, u"32"}})
                F.Table.GetProp(Prop)->SetText(Value);
        }
        const String Image = Folder + u"old.bmp";
        Raster->SaveToFile(Image, true);
        WriteFileBytes(Image + u".vuxa", Build(F));
        auto Doc = Open(Image);
        ASSERT_EQ(Doc->MsgString(), String());
        ASSERT_EQ(Doc->DT()->ItemCount(), 3);
        const TRow& Line = *Doc->DT()->GetItem(0);
        const TRow& Text = *Doc->DT()->GetItem(2);
        const TRow& Info = *Doc->FileDT()->GetItem(0);
        EXPECT_TRUE(SamePixels(Doc->SrcBmp(), Raster.get()));
        EXPECT_EQ(SamePixels(Doc->OriBmp(), Ori.get()), C.HasOri);
        EXPECT_EQ(Doc->OriBmp()->Empty(), !C.HasOri);
        auto* Pic = dynamic_cast<TImgSmall*>(TImageDraw::RowShape(Doc->DT()->GetItem(1)));
        ASSERT_NE(Pic, nullptr);
        EXPECT_TRUE(SamePixels(Pic->SrcBmp(), Small.get()));
        if (C.Migrated) {
            EXPECT_EQ(Line.GetItem(24)->Text(), u"10");  // pen 2 with arrow 4
            EXPECT_EQ(Line.GetItem(50)->Text(), u"255");  // the colour moved
            EXPECT_EQ(Line.GetItem(9)->Text(), String());
            EXPECT_EQ(Line.GetItem(45)->Text(), String());
            EXPECT_EQ(Line.GetItem(25)->Text(), u"7");  // the centre
            EXPECT_EQ(Line.GetItem(26)->Text(), u"6.5");
            EXPECT_EQ(Line.ItemCount(), 100);
            EXPECT_EQ(Line.GetItem(27)->Text(), u"-1");
            EXPECT_EQ(Line.GetItem(90)->Text(), u"26367/65535/26367");
            EXPECT_EQ(Text.GetItem(55)->Text(), u"0");
            EXPECT_EQ(Text.GetItem(56)->Text(), u"1");
        } else {
            EXPECT_EQ(Line.GetItem(24)->Text(), u"0");
        }
        EXPECT_EQ(Text.GetItem(60)->Text(), C.TextDefaults ? u"26367/65535/26367" : u"");
        EXPECT_EQ(Text.GetItem(65)->Text(), C.TextDefaults ? u"15" : u"");
        EXPECT_EQ(Info.GetItem(0)->Text(), C.Version && !C.TextDefaults ? C.Version : u"16");
        if (!C.Version) {
            // The file information is rebuilt from the table's properties.
            EXPECT_EQ(Info.GetItem(10)->Text(), u"9");
            EXPECT_TRUE(Info.GetItem(11)->AsBool());
            EXPECT_EQ(Info.GetItem(12)->Text(), u"24");
            EXPECT_EQ(Doc->SrcBmpBitsPixelPer(), 32);
        } else {
            EXPECT_EQ(Doc->SrcBmpBitsPixelPer(), 8);
        }
        Doc.reset();
        DeleteFile(Image);
        DeleteFile(Image + u".vuxa");
    }
}

TEST_F(DocumentFile, CalloutPointsOfEarlyVersionsMoveWithTheirFrame)
{
    // A thought bubble on the frame (100, 200)-(300, 300) whose trail end is
    // stored as (5, 5): relative to the frame before version 13.
    auto Raster = Picture(8, 6, 13);
    struct Case {
        const char* Name;
        const char16_t* Version;
        Integer Cells, PointsCol;  // rows before version 15 have 60 cells, their points in 38
        TPoint Point;
    };
    const Case Cases[] = {
        {"version 1", u"1", 60, 38, {105, 205}},
        {"version 12", u"12", 60, 38, {105, 205}},
        {"version 13", u"13", 60, 38, {5, 5}},
        {"version 17", u"17", 100, 53, {5, 5}},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        TOldFile F;
        F.Src = Zlib(BitmapStream(*Raster));
        F.FileInfo = FileInfoText(C.Version);
        const String Row = RowText(C.Cells, {{0, u"1"}, {1, u"13"}, {10, u"100"}, {11, u"200"}, {12, u"300"},
                                             {13, u"300"}, {24, u"8"}});
        F.Table.AddItem(Row)->GetItem(C.PointsCol)->SetText(u"5.5");
        const String Image = Folder + u"c.bmp";
        Raster->SaveToFile(Image, true);
        WriteFileBytes(Image + u".vuxa", Build(F));
        auto Doc = Open(Image);
        auto* T = dynamic_cast<TImgText*>(TImageDraw::RowShape(Doc->DT()->GetItem(0)));
        ASSERT_NE(T, nullptr);
        ASSERT_EQ(T->PointsCount(), 1);
        EXPECT_EQ(T->Callout().FPoints[0], C.Point);
        Doc.reset();
        DeleteFile(Image + u".vuxa");
    }
    // A stream of a document never saved (version 0) restores its points as they are.
    auto Doc = NewBlankDocument(View, 64, 48, true);
    Doc->SetPropDT(Defaults.get());
    Doc->InitBitmap();
    Doc->DT()->AddItem(RowText(100, {{0, u"1"}, {1, u"13"}, {10, u"10"}, {11, u"20"}, {12, u"50"}, {13, u"40"},
                                     {24, u"8"}, {53, u"5.5"}}));
    Doc->CreateShapeObjects(-1);
    std::unique_ptr<TMemoryStream> Stream = std::make_unique<TMemoryStream>();
    Doc->SaveToStream(Stream);
    ASSERT_NE(Stream, nullptr);
    TImageDraw Back(&View, nullptr, nullptr, nullptr, nullptr, String(), 0, false, false, Stream.get(), 1, 1, 0, false,
                    -1);
    auto* T = dynamic_cast<TImgText*>(TImageDraw::RowShape(Back.DT()->GetItem(0)));
    ASSERT_NE(T, nullptr);
    EXPECT_EQ(T->Callout().FPoints[0], (TPoint{5, 5}));
}

TEST_F(DocumentFile, DocumentFilesOfTheOlderNamesMoveIntoPlace)
{
    auto Raster = Picture(6, 5, 11);
    TOldFile F;
    F.Src = Zlib(BitmapStream(*Raster));
    F.FileInfo = FileInfoText(u"17");
    F.Table.AddItem(RowText(100, {{0, u"4"}, {1, u"3"}, {10, u"1"}, {12, u"3"}}));
    const RawByteString Bytes = Build(F);
    struct Case {
        const char* Name;
        const char16_t* Older;  // the name the file has, after the folder
    };
    for (const Case& C : {Case{"name without extension", u"m.qelm"}, Case{"full name", u"m.png.qelm"}}) {
        SCOPED_TRACE(C.Name);
        const String Image = Folder + u"m.png";
        Raster->SaveToFile(Image, true);
        WriteFileBytes(Folder + C.Older, Bytes);
        auto Doc = Open(Image);
        EXPECT_EQ(Doc->DT()->ItemCount(), 1);
        EXPECT_EQ(FilesIn(), (std::vector<String>{u"m.png", u"m.png.vuxa"}));
        Doc.reset();
        DeleteFile(Image + u".vuxa");
    }
    // A move whose target exists is left alone: the current file is read.
    const String Image = Folder + u"m.png";
    WriteFileBytes(Image + u".qelm", "old");
    WriteFileBytes(Image + u".vuxa", Bytes);
    EXPECT_EQ(Open(Image)->DT()->ItemCount(), 1);
    EXPECT_EQ(FileBytes(Image + u".qelm"), "old");
}

TEST_F(DocumentFile, ChineseNamesSurviveOnEveryCodePage)
{
    // Saved now: UTF-8, whatever the code page that reads it.
    SetDefaultAnsiCodePage(936);
    const String Image = Folder + u"c.bmp";
    auto Doc = OpenNew(Image, 8, 8, 12);
    Doc->SelectionDT()->AddItem(u"x")->Init(std::vector<String>{u"选区", u"1.1.2.2", u"-1", u"0"});
    ASSERT_TRUE(Doc->Save());
    SetDefaultAnsiCodePage(1252);
    EXPECT_EQ(Open(Image)->SelectionDT()->GetItem(0)->GetItem(0)->Text(), u"选区");
    // Saved by version 17 on a Chinese system: read in the system's code page
    // (the host's can be chosen).
    SetDefaultAnsiCodePage(936);
    if (AnsiCodePage() != 936) return;
    TOldFile F;
    F.CodePage = 936;
    F.Src = Zlib(BitmapStream(*Picture(8, 8, 12)));
    F.FileInfo = FileInfoText(u"17");
    F.Selections = u"#0#选区,1.1.2.2,-1,0,,,,";
    const String Old = Folder + u"o.bmp";
    Picture(8, 8, 12)->SaveToFile(Old, true);
    WriteFileBytes(Old + u".vuxa", Build(F));
    auto Read = Open(Old);
    ASSERT_EQ(Read->SelectionDT()->ItemCount(), 1);
    EXPECT_EQ(Read->SelectionDT()->GetItem(0)->GetItem(0)->Text(), u"选区");
}

TEST_F(DocumentFile, StreamsReadTheirTextsInTheCodingOfTheirWriter)
{
    // An older writer's stream of version 17 (or of a document never saved)
    // is in the ANSI code page; this writer's streams are UTF-8 whatever
    // their version.
    SetDefaultAnsiCodePage(1252);
    if (AnsiCodePage() != 1252) return;
    const String Name = u"Grüße";
    struct Case {
        const char* Name;
        const char16_t* Version;
        bool Ansi;
    };
    const Case Cases[] = {
        {"older writer, version 17", u"17", true},
        {"older writer, never saved", u"", true},
        {"this writer, version 17", u"17", false},
        {"this writer, never saved", u"", false},
        {"this writer, version 18", u"18", false},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        TOldFile F;
        F.Ori = BitmapStream(*Picture(6, 4, 3));
        F.Src = BitmapStream(*Picture(6, 4, 5));
        F.FileInfo = FileInfoText(C.Version);
        F.Selections = u"#0#" + Name + u",1.1.2.2,-1,0,,,,";
        F.Table.AddItem(RowText(100, {{0, u"1"}, {1, u"3"}, {10, u"1"}, {11, u"1"}, {12, u"3"}, {13, u"3"}}));
        F.Table.GetItem(0)->GetItem(60)->SetText(Name);
        F.CodePage = C.Ansi ? 1252 : 65001;
        const RawByteString Bytes = Build(F, true);
        TMemoryStream Stream;
        Stream.WriteBuffer(Bytes.data(), static_cast<Integer>(Bytes.size()));
        TImageDraw Back(&View, nullptr, nullptr, nullptr, nullptr, String(), 0, false, false, &Stream, 1, 1, 0, false,
                        -1);
        ASSERT_EQ(Back.SelectionDT()->ItemCount(), 1);
        EXPECT_EQ(Back.SelectionDT()->GetItem(0)->GetItem(0)->Text(), Name);
        ASSERT_EQ(Back.DT()->ItemCount(), 1);
        EXPECT_EQ(Back.DT()->GetItem(0)->GetItem(60)->Text(), Name);
    }
}

TEST_F(DocumentFile, AnImageFileWithoutItsPictureIsReadOnceAndDecodedFromMemory)
{
    static Integer Decodes;
    static RawByteString Seen;
    Decodes = 0;
    ImageDrawHooks.DecodePicture = [](TMemoryStream& Bytes) {
        ++Decodes;
        Seen.assign(static_cast<const char*>(Bytes.Memory()), static_cast<size_t>(Bytes.Size()));
        return DecodeBmpPicture(Bytes);
    };
    const String Image = Folder + u"once.bmp";
    auto Raster = Picture(7, 5, 21);
    Raster->SaveToFile(Image, true);
    const RawByteString Bytes = FileBytes(Image);
    {
        TImageDraw Doc(&View, nullptr, nullptr, nullptr, nullptr, Image, 0, false, false, nullptr, 1, 1, 0, false, -1);
        EXPECT_EQ(Decodes, 1);
        EXPECT_EQ(Seen, Bytes);
        EXPECT_TRUE(SamePixels(Doc.SrcBmp(), Raster.get()));
        EXPECT_TRUE(SamePixels(Doc.OriBmp(), Raster.get()));
        ASSERT_NE(Doc.OriBmpFileMS(), nullptr);
        EXPECT_EQ(RawByteString(static_cast<const char*>(Doc.OriBmpFileMS()->Memory()),
                                static_cast<size_t>(Doc.OriBmpFileMS()->Size())),
                  Bytes);
        // Saved with its document file: reopening reads that, not the image.
        ASSERT_TRUE(Doc.SaveAs(Folder + u"once.png"));
    }
    Decodes = 0;
    TImageDraw Again(&View, nullptr, nullptr, nullptr, nullptr, Folder + u"once.png", 0, false, false, nullptr, 1, 1, 0,
                     false, -1);
    EXPECT_TRUE(SamePixels(Again.SrcBmp(), Raster.get()));
    EXPECT_EQ(Decodes, 1);  // only the kept original, from the document file's bytes
    EXPECT_EQ(Seen, Bytes);

    // A file that decodes to nothing: a clear error, and no layer of the
    // document left in the view.
    const String Junk = Folder + u"junk.bmp";
    WriteFileBytes(Junk, "not a picture");
    const Integer Layers = View.Layers()->Count();
    EXPECT_THROW(TImageDraw(&View, nullptr, nullptr, nullptr, nullptr, Junk, 0, false, false, nullptr, 1, 1, 0, false,
                            -1),
                 EImageDraw);
    EXPECT_EQ(View.Layers()->Count(), Layers);
}

// ---- Damage

TEST_F(DocumentFile, DamagedDocumentFilesOpenTheImageAlone)
{
    const String Image = Folder + u"d.png";
    auto Doc = OpenNew(Image, 30, 20, 13);
    Populate(*Doc);
    const size_t OriSize = FileBytes(Image).size();
    ASSERT_TRUE(Doc->Save());
    Doc.reset();
    const RawByteString Good = FileBytes(Image + u".vuxa");
    const size_t N = Good.size();
    int32_t L1;
    std::memcpy(&L1, Good.data() + N - 8, 4);
    auto Patched = [&](size_t At, int32_t V) {
        RawByteString B = Good;
        std::memcpy(B.data() + At, &V, 4);
        return B;
    };
    // A table text whose lengths are replaced: the picture sizes lie.
    auto WithTable = [&](const std::function<void(TDataTable&)>& Change) {
        int32_t L2;
        std::memcpy(&L2, Good.data() + N - 12 - L1, 4);
        TDataTable T;
        T.Init(UTF8ToString(Good.substr(N - 12 - L1 - L2, L2)));
        Change(T);
        const RawByteString Text = UTF8Encode(T.ToString(true));
        return Good.substr(0, N - 12 - L1 - L2) + Text + Int32Bytes(static_cast<int32_t>(Text.size())) +
               Good.substr(N - 8 - L1);
    };
    auto Flip = [&](size_t At) {
        RawByteString B = Good;
        B[At] = static_cast<char>(B[At] ^ 0x5A);
        return B;
    };
    struct Case {
        std::string Name;
        RawByteString Bytes;
    };
    std::vector<Case> Cases = {
        {"empty", ""},
        {"three bytes", Good.substr(0, 3)},
        {"truncated at the end", Good.substr(0, N - 1)},
        {"truncated at the start", Good.substr(N / 2)},
        {"file information longer than the file", Patched(N - 8, static_cast<int32_t>(N))},
        {"negative file-information length", Patched(N - 8, -5)},
        {"table longer than the file", Patched(N - 12 - L1, static_cast<int32_t>(N))},
        {"raster size beyond the texts", WithTable([&](TDataTable& T) { T.GetProp(2)->SetValue(static_cast<Integer>(N)); })},
        {"negative raster size", WithTable([](TDataTable& T) { T.GetProp(2)->SetValue(-1); })},
        {"raster size that is no number", WithTable([](TDataTable& T) { T.GetProp(2)->SetText(u"x"); })},
        {"selections larger than the file", WithTable([&](TDataTable& T) { T.GetProp(47)->SetValue(0x7FFFFFFF); })},
        {"picture size too large", WithTable([](TDataTable& T) {
             for (Integer i = 0; i < T.ItemCount(); ++i)
                 if (T.GetItem(i)->GetItem(1)->Value() == shSmall) T.GetItem(i)->GetItem(44)->SetValue(1 << 30);
         })},
        {"raster block damaged", Flip(OriSize + 20)},
    };
    // A raster whose header claims more pixels than a document takes.
    {
        TOldFile F;
        RawByteString Header = BitmapStream(*Picture(2, 2, 1));
        const int32_t Huge = 40000;
        std::memcpy(Header.data() + 18, &Huge, 4);
        std::memcpy(Header.data() + 22, &Huge, 4);
        F.Src = Zlib(Header);
        F.FileInfo = FileInfoText(u"17");
        Cases.push_back({"raster claiming 40000 x 40000 pixels", Build(F)});
    }
    std::mt19937 Random(27);
    for (Integer i = 0; i < 40; ++i) {
        RawByteString B = Good;
        for (Integer k = 0; k < 1 + i % 4; ++k) B[Random() % N] = static_cast<char>(Random());
        Cases.push_back({"random damage " + std::to_string(i), B});
    }
    // The enciphered text has no check of its own: a changed character
    // deciphers to other text, read as far as it makes sense.
    Cases.push_back({"random: a changed file-information character", Flip(N - 20)});
    TCustomBitmap32 Image0;
    Image0.LoadFromFile(Image);
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        WriteFileBytes(Image + u".vuxa", C.Bytes);
        std::unique_ptr<TImageDraw> Opened;
        ASSERT_NO_THROW(Opened = Open(Image));
        if (!Opened->MsgString().empty()) {
            // Nothing of the file: the image alone.
            EXPECT_TRUE(SamePixels(Opened->SrcBmp(), &Image0));
            EXPECT_EQ(Opened->DT()->ItemCount(), 0);
            EXPECT_EQ(Opened->SelectionDT()->ItemCount(), 0);
            EXPECT_EQ(Opened->DT()->PropCount(), 50);
            EXPECT_NE(Opened->MsgString().find(u"d.png.vuxa"), String::npos);
        } else {
            // Damage the checks cannot see (inside a text or a stored file) reads as data.
            EXPECT_TRUE(C.Name.rfind("random", 0) == 0) << "read without complaint";
        }
    }
}

// Picture objects each within the largest picture but together beyond what
// a document takes: refused from their headers, before any is inflated (the
// blocks hold the headers alone, so reading one would fail otherwise).
TEST_F(DocumentFile, PictureObjectsBeyondTheSumAreRefusedBeforeReading)
{
    const String Image = Folder + u"sum.png";
    Picture(4, 3, 5)->SaveToFile(Image, true);
    struct Case {
        Integer Count, W, H;
        bool Refused;
    };
    for (const Case& C : {Case{6, 5000, 6000, true}, Case{2, 5000, 3001, true}, Case{2, 5000, 3000, false}}) {
        SCOPED_TRACE(std::to_string(C.Count) + " of " + std::to_string(C.W) + " x " + std::to_string(C.H));
        TOldFile F;
        RawByteString Header = BitmapStream(*Picture(2, 2, 1)).substr(0, 54);
        std::memcpy(Header.data() + 18, &C.W, 4);
        std::memcpy(Header.data() + 22, &C.H, 4);
        const RawByteString Z = Zlib(Header);
        for (Integer i = 0; i < C.Count; ++i) {
            F.Table.AddItem(RowText(100, {{0, IntToStr(i + 1).c_str()}, {1, u"8"}, {10, u"0"}, {11, u"0"},
                                          {12, u"4"}, {13, u"3"}, {44, IntToStr(static_cast<Integer>(Z.size())).c_str()}}));
            F.Pictures += Z;
        }
        F.Src = Zlib(BitmapStream(*Picture(4, 3, 5)));
        F.FileInfo = FileInfoText(u"17");
        WriteFileBytes(Image + u".vuxa", Build(F));
        std::unique_ptr<TImageDraw> Opened;
        ASSERT_NO_THROW(Opened = Open(Image));
        EXPECT_EQ(Opened->DT()->ItemCount(), 0);
        // Within the sum the truncated blocks are read, and found damaged.
        EXPECT_EQ(Opened->MsgString().find(u"more than 30000000 pixels") != String::npos, C.Refused)
            << UTF8Encode(Opened->MsgString());
    }
}

TEST_F(DocumentFile, DamagedStreamsRaise)
{
    auto Doc = NewBlankDocument(View, 10, 10, false);
    std::unique_ptr<TMemoryStream> Stream;
    Doc->SaveToStream(Stream);
    Stream->SetSize(Stream->Size() - 3);
    EXPECT_THROW(TImageDraw(&View, nullptr, nullptr, nullptr, nullptr, String(), 0, false, false, Stream.get(), 1, 1,
                            0, false, -1),
                 EImageDraw);
}

// ---- Writing

TEST_F(DocumentFile, FormatsFlattenAndRecordTheirDepth)
{
    struct Case {
        const char16_t* Ext;
        bool Transparent;
        TImageFormat Format;
        Integer Param, Bits;
        TColor32 FirstPixel;  // the canvas under a transparent corner
    };
    const Case Cases[] = {
        {u"png", true, ifPng, -1, 32, 0x00FFFFFF}, {u"png", false, ifPng, 0, 24, 0xFF0000FF},
        {u"jpg", true, ifJpg, 7, 24, 0xFFFFFFFF},  {u"bmp", true, ifBmp, 16, 16, 0xFFFFFFFF},
        {u"gif", false, ifGif, 0, 8, 0xFF0000FF},  {u"gif", true, ifGif, 0, 8, 0x00FFFFFF},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(testing::Message() << UTF8Encode(C.Ext) << (C.Transparent ? " transparent" : " opaque"));
        SaveCalls.clear();
        auto Doc = NewBlankDocument(View, 4, 4, C.Transparent, 0xFF0000);
        Doc->FileDT()->GetItem(0)->GetItem(10)->SetValue(7);
        Doc->FileDT()->GetItem(0)->GetItem(12)->SetValue(16);
        Doc->InitBitmap();
        Doc->Draw();
        ASSERT_TRUE(Doc->SaveAs(Folder + u"f." + C.Ext));
        ASSERT_EQ(SaveCalls.size(), 1u);
        EXPECT_EQ(SaveCalls[0].Format, C.Format);
        EXPECT_EQ(SaveCalls[0].Param, C.Param);
        EXPECT_EQ(SaveCalls[0].FirstPixel, C.FirstPixel);
        EXPECT_EQ(Doc->FileDT()->GetItem(0)->GetItem(9)->Value(), C.Bits);
        EXPECT_EQ(Doc->SrcBmpBitsPixelPer(), C.Bits);
        EXPECT_EQ(Doc->FileName(), Folder + u"f." + C.Ext);
        EXPECT_EQ(Doc->Profile(), Folder + u"f." + C.Ext + u".vuxa");
        EXPECT_TRUE(FileExists(Doc->Profile()));
    }
}

TEST_F(DocumentFile, AnEmptyJpegQualityCellSavesTheDefaultQuality)
{
    struct Case {
        const char16_t* Cell;
        Integer Param;
    };
    const Case Cases[] = {{u"", 9}, {u"0", 9}, {u"-3", 9}, {u"1", 1}, {u"7", 7}, {u"10", 10}, {u"25", 10}};
    for (const Case& C : Cases) {
        SCOPED_TRACE(UTF8Encode(C.Cell));
        SaveCalls.clear();
        auto Doc = NewBlankDocument(View, 4, 4, false);
        Doc->FileDT()->GetItem(0)->GetItem(10)->SetText(C.Cell);
        Doc->InitBitmap();
        Doc->Draw();
        ASSERT_TRUE(Doc->SaveAs(Folder + u"q.jpg"));
        ASSERT_EQ(SaveCalls.size(), 1u);
        EXPECT_EQ(SaveCalls[0].Param, C.Param);
    }
}

TEST_F(DocumentFile, WhatCannotBeWrittenAsksForANewName)
{
    auto Doc = NewBlankDocument(View, 4, 4, false);
    Doc->InitBitmap();
    EXPECT_FALSE(Doc->Save());  // never saved: no name
    const String Tiff = Folder + u"t.tif";
    Picture(4, 4, 1)->SaveToFile(Tiff, true);
    auto Opened = Open(Tiff);
    Opened->SetChangedFlag(true);
    EXPECT_FALSE(Opened->Save());
    EXPECT_TRUE(Opened->Changed());
    EXPECT_FALSE(Opened->SaveAs(Folder + u"u.xyz"));
    EXPECT_EQ(Opened->FileName(), Tiff);  // the former name stays
    EXPECT_EQ(Opened->Profile(), Tiff + u".vuxa");
    EXPECT_EQ(FilesIn(), (std::vector<String>{u"t.tif"}));
    EXPECT_TRUE(SaveCalls.empty());
    // Without the document file only the image is written.
    Opened->SetNotSaveDataFile(true);
    ASSERT_TRUE(Opened->SaveAs(Folder + u"t.png"));
    EXPECT_EQ(FilesIn(), (std::vector<String>{u"t.png", u"t.tif"}));
}

TEST_F(DocumentFile, AFailedSaveLeavesThePreviousFiles)
{
    const String Image = Folder + u"k.png";
    auto Doc = OpenNew(Image, 50, 40, 21);
    Populate(*Doc);
    ASSERT_TRUE(Doc->Save());
    const RawByteString OldImage = FileBytes(Image), OldFile = FileBytes(Image + u".vuxa");
    Doc->SrcBmp()->Clear(0xFF00FF00);
    Doc->Draw();
    Doc->SetChanged(true);
    struct Case {
        const char* Name;
        Int64 DiskBytes;  // the sidecar's disk takes this much (-1: no limit)
        bool FailClose, FailImage;
    };
    const Case Cases[] = {
        {"the image writer fails", -1, false, true},
        {"the disk is full", 0, false, false},
        {"the disk fills while the document file is written", 100, false, false},
        {"the document file's close fails", std::numeric_limits<Int64>::max(), true, false},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        FailImageWrite = C.FailImage;
        std::unique_ptr<TScopedSaveFault> Fault;
        if (C.DiskBytes >= 0) Fault = std::make_unique<TScopedSaveFault>(C.DiskBytes, C.FailClose);
        EXPECT_THROW(Doc->Save(), Exception);
        Fault.reset();
        EXPECT_TRUE(Doc->Changed());
        EXPECT_EQ(FileBytes(Image), OldImage);
        EXPECT_EQ(FileBytes(Image + u".vuxa"), OldFile);
        EXPECT_EQ(FilesIn(), (std::vector<String>{u"k.png", u"k.png.vuxa"}));
    }
    FailImageWrite = false;
    ASSERT_TRUE(Doc->Save());
    EXPECT_EQ(Open(Image)->SrcBmp()->Pixel(3, 3), 0xFF00FF00);
}

#ifndef _WIN32
TEST_F(DocumentFile, AFullDiskLeavesThePreviousFiles)
{
    TSmallDisk Disk(64);
    if (!Disk.Mounted()) GTEST_SKIP() << "no small disk can be mounted here";
    const String Image = Disk.Path() + u"full.bmp";
    auto Doc = OpenNew(Image, 20, 20, 31);
    ASSERT_TRUE(Doc->Save());
    const RawByteString OldImage = FileBytes(Image), OldFile = FileBytes(Image + u".vuxa");
    // A raster that does not compress: more than the disk holds.
    Doc->SrcBmp()->Assign(Picture(120, 120, 32).get());
    Doc->InitBitmap();
    Doc->Draw();
    EXPECT_THROW(Doc->Save(), Exception);
    EXPECT_EQ(FileBytes(Image), OldImage);
    EXPECT_EQ(FileBytes(Image + u".vuxa"), OldFile);
    DeleteFile(Image);
    DeleteFile(Image + u".vuxa");
}
#endif

TEST_F(DocumentFile, ExportingTheOriginalImage)
{
    struct FilterCase {
        const char16_t* Original;  // property 4
        Integer Index;
    };
    auto Doc = NewBlankDocument(View, 4, 4, false);
    for (const FilterCase& C : {FilterCase{u"", 1}, FilterCase{u"a.BMP", 4}, FilterCase{u"a.png", 2},
                                FilterCase{u"a.gif", 3}, FilterCase{u"a.jpeg", 1}, FilterCase{u"a.tif", 1}}) {
        Doc->DT()->GetProp(ObjProp::OriFileName)->SetText(C.Original);
        EXPECT_EQ(Doc->ExportGetFilterIndex(), C.Index) << UTF8Encode(C.Original);
    }
    const String Image = Folder + u"e.png";
    auto Opened = OpenNew(Image, 6, 6, 41);
    const RawByteString Bytes = FileBytes(Image);
    Opened->ExportOriBmpAs(Folder + u"copy.png");  // the same type: the bytes as read
    EXPECT_EQ(FileBytes(Folder + u"copy.png"), Bytes);
    EXPECT_TRUE(SaveCalls.empty());
    struct WriteCase {
        const char16_t* Name;
        TImageFormat Format;
        Integer Param;
    };
    for (const WriteCase& C : {WriteCase{u"x.jpg", ifJpg, 10}, WriteCase{u"x.bmp", ifBmp, 24},
                               WriteCase{u"x.gif", ifGif, 0}, WriteCase{u"x.tif", ifGif, 0}}) {
        SaveCalls.clear();
        Opened->ExportOriBmpAs(Folder + C.Name);
        ASSERT_EQ(SaveCalls.size(), 1u) << UTF8Encode(C.Name);
        EXPECT_EQ(SaveCalls[0].Format, C.Format);
        EXPECT_EQ(SaveCalls[0].Param, C.Param);
    }
    // A document without an original file encodes even a PNG.
    SaveCalls.clear();
    auto Blank = NewBlankDocument(View, 4, 4, false);
    Blank->ExportOriBmpAs(Folder + u"b.png");
    ASSERT_EQ(SaveCalls.size(), 1u);
    EXPECT_EQ(SaveCalls[0].Format, ifPng);
    EXPECT_EQ(SaveCalls[0].Param, 0);
}

TEST_F(DocumentFile, TheJpegSizeIsMeasuredOverWhite)
{
    auto Doc = NewBlankDocument(View, 5, 5, true);
    Doc->InitBitmap();
    Doc->Draw();
    EXPECT_EQ(Doc->CalcJpgFileSize(75), 1075);
    EXPECT_EQ(LastJpegQuality, 75);
}
}  // namespace
