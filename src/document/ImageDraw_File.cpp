// The document file beside a saved image, and the document stream that
// stashes an open document in memory: writing both, reading both back with
// the layouts and row forms of older versions, exporting the original image.
//
// Both layouts are read from their end: the trailer gives the table texts,
// the texts give the sizes of the picture blocks, which follow one another
// from offset 0. Document files come from disks and other machines, so every
// stored length is checked against the data before anything is allocated or
// read, and pictures are checked against the largest a document takes; a file
// that fails any check is not read at all.
#include <algorithm>
#include <cstring>
#include <limits>

#include "document/ImageDraw.h"
#include "document/ObjectRows.h"
#include "document/ImageSmall.h"
#include "foundation/HyCrypUtils.h"
#include "framework/runtime/SysUtils.h"
#include "framework/runtime/ZLibStreams.h"

using namespace ImageDrawRows;

// What a reader takes from a document file or stream before the document
// takes it over: nothing of the document changes until all of it was read.
struct TDocumentParts {
    std::unique_ptr<TDataTable> FileDT = std::make_unique<TDataTable>();
    std::unique_ptr<TDataTable> DT = std::make_unique<TDataTable>();
    std::unique_ptr<TDataTable> SelectionDT = std::make_unique<TDataTable>();
    std::unique_ptr<TMemoryStream> OriFile;
    std::unique_ptr<TCustomBitmap32> OriBmp = std::make_unique<TCustomBitmap32>();
    std::unique_ptr<TCustomBitmap32> SrcBmp = std::make_unique<TCustomBitmap32>();
    // The pictures of the picture-object rows, in table order.
    std::vector<std::unique_ptr<TCustomBitmap32>> Pictures;
    // The file-information version as stored (before migration).
    Integer Version = 0;
};

namespace {
// The last int32 of a document file in the current layout.
constexpr int32_t CurrentLayoutMark = 999999999;
// Versions of the file-information table: written by Save; from
// Utf8TextVersion on the table texts are UTF-8 (before it the system's ANSI
// code page, which loses every character the reading system's page lacks).
constexpr Integer SavedVersion = 18, Utf8TextVersion = 18;

// Object-table properties and columns of the layout.
namespace Prop {
constexpr Integer OldVersion = 0, SrcSize = 2, OriSize = 3, OldBitsPerPixel = 5, OldJpegQuality = 20,
                  OldJpegConfirmed = 21, OldBmpDepth = 22, SelectionSize = 47;
}
constexpr Integer PictureSizeCol = 44;
// File-information cells of row 0.
namespace FileCell {
constexpr Integer Version = 0, BitsPerPixel = 9, JpegQuality = 10, JpegConfirmed = 11, BmpDepth = 12;
}

const String SelectionOpen = u"<Selection>", SelectionClose = u"</Selection>";

// The JPEG quality step of the file information (1 to 10, the encoder's
// quality in tenths). The cell is empty for every picture opened without a
// document file: that, or zero, means the default step, not quality 1.
constexpr Integer DefaultJpegQualityStep = 9;
Integer JpegQualityStep(Integer Cell)
{
    if (Cell <= 0) return DefaultJpegQualityStep;
    return std::min(Cell, 10);
}

constexpr Integer BitmapHeaderSize = 54;
// The picture objects together hold at most as many pixels as the largest
// raster: each keeps several copies of its picture, and a 32-bit process
// must still hold them beside the raster and its history.
constexpr Int64 MaxObjectPicturePixels = MaxImagePixels;

[[noreturn]] void Damaged(const String& What) { throw EImageDraw(What); }

TShapeType KindOf(const TRow& Row)
{
    const Integer K = IntOf(Row, ObjCol::Kind);
    return K >= 0 && K < ShapeTypeCount ? static_cast<TShapeType>(K) : shNone;
}

bool IsTextKind(TShapeType K) { return K == shText || K == shCallout; }

// Row 0 of the file information, which has five rows of twenty cells.
TRow& FileInfoRow(TDataTable& FileDT)
{
    if (FileDT.ItemCount() == 0) FileDT.Init(5, 20);
    TRow& Row = *FileDT.GetItem(0);
    GrowTo(Row, 19);
    return Row;
}

// A row of one empty cell is what the table text makes of nothing (and writes
// as nothing): it is no row of a document.
void DropEmptyRows(TDataTable& Table)
{
    for (Integer i = Table.ItemCount() - 1; i >= 0; --i)
        if (Table.GetItem(i)->ItemCount() <= 1 && Trim(TextOf(*Table.GetItem(i), 0)).empty())
            Table.RemoveItemByIndex(i);
}

// ---- Bytes and texts

RawByteString TextBytes(const String& S, bool Utf8) { return Utf8 ? UTF8Encode(S) : StringToAnsi(S); }
String BytesText(const RawByteString& B, bool Utf8) { return Utf8 ? UTF8ToString(B) : AnsiToString(B); }

// How the texts of a document stream are coded. The stream keeps the
// version of the document it was written for: from Utf8TextVersion on its
// texts are UTF-8; below it an older writer wrote the ANSI code page, while
// this one writes UTF-8 whatever the version (a document never saved is
// version 0). Bytes that are not UTF-8 are therefore the older writer's.
enum class TTextCoding { Ansi, Utf8, ByContent };
bool IsUtf8(const RawByteString& B) { return UTF8Encode(UTF8ToString(B)) == B; }
String CodedText(const RawByteString& B, TTextCoding Coding)
{
    if (Coding == TTextCoding::ByContent) return BytesText(B, IsUtf8(B));
    return BytesText(B, Coding == TTextCoding::Utf8);
}

// Every length of the layout is an int32.
Integer StoredSize(Int64 Value)
{
    if (Value < 0 || Value > std::numeric_limits<int32_t>::max()) Damaged(u"A part of the document is too large to save.");
    return static_cast<Integer>(Value);
}

void WriteInt32(TStream& Out, Int64 Value) { Out.WriteValue<int32_t>(StoredSize(Value)); }

// Writes B and returns its length.
Int64 WriteBytes(TStream& Out, const RawByteString& B)
{
    if (!B.empty()) Out.WriteBuffer(B.data(), static_cast<Integer>(B.size()));
    return static_cast<Int64>(B.size());
}

int32_t ReadInt32At(TStream& In, Int64 Pos)
{
    In.SetPosition(Pos);
    return In.ReadValue<int32_t>();
}

RawByteString ReadBytesAt(TStream& In, Int64 Pos, Int64 Count)
{
    RawByteString B(static_cast<size_t>(Count), '\0');
    In.SetPosition(Pos);
    if (Count > 0) In.ReadBuffer(B.data(), static_cast<Integer>(Count));
    return B;
}

// ---- Pictures

// Bitmap's stream form (bottom-up rows) into Out, compressed at the highest
// level when Compressed; returns the bytes written.
Int64 WritePictureBlock(TStream& Out, TCustomBitmap32& Bitmap, bool Compressed)
{
    const Int64 Start = Out.Position();
    if (Compressed) {
        TCompressionStream Z(clMax, &Out);
        Bitmap.SaveToStream(&Z, true);
        Z.Finish();
    } else {
        Bitmap.SaveToStream(&Out, true);
    }
    return Out.Position() - Start;
}

// The pixels of the bitmap stream at S's position (its header alone read),
// checked against the largest picture a document takes.
Int64 BitmapStreamPixels(TStream& S)
{
    uint8_t H[BitmapHeaderSize];
    S.ReadBuffer(H, BitmapHeaderSize);
    auto Get16 = [&](Integer At) { return static_cast<uint16_t>(H[At] | (H[At + 1] << 8)); };
    auto Get32 = [&](Integer At) {
        uint32_t V;
        std::memcpy(&V, H + At, 4);
        return static_cast<int32_t>(V);
    };
    // Only the form the writer makes: 32 bits a pixel, uncompressed.
    if (Get16(0) != 0x4D42 || Get16(26) != 1 || Get16(28) != 32 || Get32(30) != 0)
        Damaged(u"A picture of the document is damaged.");
    const Int64 W = Get32(18), AbsH = std::abs(static_cast<Int64>(Get32(22)));
    if (W < 0 || W * AbsH > MaxImagePixels) Damaged(u"A picture of the document is damaged.");
    return W * AbsH;
}

void LoadBitmapStream(TStream& S, TCustomBitmap32& Dst)
{
    BitmapStreamPixels(S);
    S.Seek(0, soBeginning);
    Dst.LoadFromStream(&S);
}

// A picture block of Size bytes at Pos: its pixels from the header alone
// (Dst null), or the picture into Dst; an empty block is an empty picture.
Int64 ReadPictureBlock(TStream& In, Int64 Pos, Int64 Size, bool Compressed, TCustomBitmap32* Dst)
{
    if (Size == 0) {
        if (Dst) Dst->SetSize(0, 0);
        return 0;
    }
    TMemoryStream Block;
    In.SetPosition(Pos);
    Block.CopyFrom(&In, Size);
    Block.SetPosition(0);
    std::unique_ptr<TDecompressionStream> Z;
    if (Compressed) Z = std::make_unique<TDecompressionStream>(&Block);
    TStream& S = Z ? static_cast<TStream&>(*Z) : Block;
    if (!Dst) return BitmapStreamPixels(S);
    LoadBitmapStream(S, *Dst);
    return static_cast<Int64>(Dst->Width()) * Dst->Height();
}

// ---- Migration of the rows of older versions

// Style of a migrated line by its old pen (row) and arrow (column); -1 keeps the style.
constexpr Integer LineStyles[4][9] = {{0, 1, 0, 2, 1, 2, 12, 13, 14},
                                      {3, -1, 3, 4, 5, 4, 5, -1, -1},
                                      {9, 10, 11, 9, 10, 11, -1, -1, -1},
                                      {6, 7, 8, 6, 7, 8, -1, -1, -1}};

constexpr const char16_t* EffectDefaults =
    u"45,3,0,3,0,175,,,,,0,0,0,0,0,175,66,,,,26367/65535/26367,100/100/100,0/0.5/1,,,0,45,,15,0";

bool TakesEffectColumns(TShapeType K)
{
    switch (K) {
    case shArrow: case shRectangle: case shLines: case shLine: case shSmall: case shText: case shPolygon:
    case shCallout: case shEllipse: case shFreeShape: return true;
    default: return false;
    }
}

void MigrateRowTo15(TRow& Row)
{
    while (Row.ItemCount() > 60) Row.RemoveItemByIndex(Row.ItemCount() - 1);
    while (Row.ItemCount() < 70) Row.AddItem(String());
    for (Integer n = 42; n >= 25; --n) {
        Row.GetItem(n + 15)->SetText(Row.GetItem(n)->Text());
        Row.GetItem(n)->SetText(String());
    }
    const TShapeType K = KindOf(Row);
    if (K == shLine || K == shArrow) {
        const Integer b = IntOf(Row, 50), p = IntOf(Row, 45);
        Row.GetItem(45)->SetText(String());
        if (b >= 0 && b < 4 && p >= 0 && p < 9 && LineStyles[b][p] >= 0) Row.GetItem(24)->SetValue(LineStyles[b][p]);
        Row.GetItem(50)->SetText(Row.GetItem(9)->Text());
        Row.GetItem(9)->SetText(String());
    }
    if (IsTextKind(K)) {
        for (Integer i : {52, 57, 58, 59}) Row.GetItem(i)->SetText(String());
        Row.GetItem(55)->SetText(u"0");
        Row.GetItem(56)->SetText(u"1");
    }
    const Integer L = IntOf(Row, 10), T = IntOf(Row, 11), R = IntOf(Row, 12), B = IntOf(Row, 13);
    Row.GetItem(25)->SetText(FloatToCellText(L + (static_cast<Extended>(R) - L) / 2, 6));
    Row.GetItem(26)->SetText(FloatToCellText(T + (static_cast<Extended>(B) - T) / 2, 6));
    if (TakesEffectColumns(K) && Row.ItemCount() < 100) {
        TRow Defaults;
        Defaults.Init(EffectDefaults, u',');
        for (Integer i = 0; i < Defaults.ItemCount(); ++i) Row.AddItem(Defaults.GetItem(i)->Text());
        for (Integer i : {27, 28, 29}) Row.GetItem(i)->SetValue(-1);
    }
}

void SetTextDefaults(TRow& Row)
{
    SetInt(Row, 59, -1);
    SetText(Row, 60, u"26367/65535/26367");
    SetText(Row, 61, u"100/100/100");
    SetText(Row, 62, u"0/0.5/1");
    SetInt(Row, 64, 45);
    SetInt(Row, 65, 15);
}

// Brings the rows of versions 1 to 15 to the current form (0: a document
// that was never saved, already current).
void MigrateRows(TDataTable& DT, TRow& Info)
{
    Integer v = IntOf(Info, FileCell::Version);
    if (v >= 1 && v <= 14) {
        for (Integer i = 0; i < DT.ItemCount(); ++i) MigrateRowTo15(*DT.GetItem(i));
        SetInt(Info, FileCell::Version, 15);
        v = 15;
    }
    if (v == 15) {
        for (Integer i = 0; i < DT.ItemCount(); ++i)
            if (IsTextKind(KindOf(*DT.GetItem(i)))) SetTextDefaults(*DT.GetItem(i));
        SetInt(Info, FileCell::Version, 16);
    }
}

// A stored size: a number from 0 up; anything else is damage.
Int64 SizeOf(const TRow& Row, Integer Index)
{
    Integer V;
    const String T = Trim(TextOf(Row, Index));
    if (T.empty()) return 0;
    if (!TryStrToInt(T, V) || V < 0) Damaged(u"A length in the document is damaged.");
    return V;
}

// Reads a document file (AsFile) or a document stream into Parts.
void ParseDocument(TStream& In, bool AsFile, TDocumentParts& Parts)
{
    const Int64 N = In.Size();
    auto Need = [&](bool Ok) {
        if (!Ok) Damaged(u"The document is shorter than its lengths say.");
    };
    // The table texts at the end.
    Int64 TextsStart;  // where the saved-selections block ends
    TTextCoding Coding = TTextCoding::Ansi;
    String FileText, TableText;
    RawByteString TableBytes;
    bool OldLayout = false;
    if (AsFile) {
        Need(N >= 4);
        if (ReadInt32At(In, N - 4) == CurrentLayoutMark) {
            Need(N >= 12);
            const Int64 L1 = ReadInt32At(In, N - 8);
            Need(L1 >= 0 && L1 <= N - 12);
            FileText = PwdDecryptStr(BytesText(ReadBytesAt(In, N - 8 - L1, L1), false), String());
            if (FileText.empty()) Damaged(u"The file information of the document does not decipher.");
            const Int64 L2 = ReadInt32At(In, N - 12 - L1);
            Need(L2 >= 0 && L2 <= N - 12 - L1);
            TableBytes = ReadBytesAt(In, N - 12 - L1 - L2, L2);
            TextsStart = N - 12 - L1 - L2;
        } else {
            OldLayout = true;
            const Int64 L2 = ReadInt32At(In, N - 4);
            Need(L2 >= 0 && L2 <= N - 4);
            TableBytes = ReadBytesAt(In, N - 4 - L2, L2);
            TextsStart = N - 4 - L2;
        }
    } else {
        Need(N >= 8);
        const Int64 L1 = ReadInt32At(In, N - 4);
        Need(L1 >= 0 && L1 <= N - 8);
        FileText = CodedText(ReadBytesAt(In, N - 4 - L1, L1), TTextCoding::ByContent);
        const Int64 L2 = ReadInt32At(In, N - 8 - L1);
        Need(L2 >= 0 && L2 <= N - 8 - L1);
        TableBytes = ReadBytesAt(In, N - 8 - L1 - L2, L2);
        TextsStart = N - 8 - L1 - L2;
    }
    TDataTable& DT = *Parts.DT;
    if (OldLayout) {
        DT.Init(AnsiToString(TableBytes));
        const TRow& P = *DT.PropertyRow();
        Parts.FileDT->Init(5, 20);
        TRow& Info = *Parts.FileDT->GetItem(0);
        Info.GetItem(FileCell::Version)->SetText(TextOf(P, Prop::OldVersion));
        Info.GetItem(FileCell::JpegQuality)->SetText(TextOf(P, Prop::OldJpegQuality));
        Info.GetItem(FileCell::JpegConfirmed)->SetAsBool(BoolOf(P, Prop::OldJpegConfirmed));
        Info.GetItem(FileCell::BmpDepth)->SetText(TextOf(P, Prop::OldBmpDepth));
        Info.GetItem(FileCell::BitsPerPixel)->SetText(TextOf(P, Prop::OldBitsPerPixel));
    } else {
        Parts.FileDT->Init(FileText);
        const bool Utf8Version = IntOf(FileInfoRow(*Parts.FileDT), FileCell::Version) >= Utf8TextVersion;
        if (Utf8Version)
            Coding = TTextCoding::Utf8;
        else if (!AsFile)
            Coding = TTextCoding::ByContent;
        DT.Init(CodedText(TableBytes, Coding));
    }
    DropEmptyRows(DT);
    TRow& Info = FileInfoRow(*Parts.FileDT);
    Parts.Version = IntOf(Info, FileCell::Version);
    const TRow& P = *DT.PropertyRow();

    // The saved selections, just before the texts.
    const Int64 S = SizeOf(P, Prop::SelectionSize);
    Need(S <= TextsStart);
    const Int64 BlocksEnd = TextsStart - S;
    if (S > 0) {
        const String Text = CodedText(ReadBytesAt(In, BlocksEnd, S), Coding);
        const size_t Open = Text.find(SelectionOpen), Close = Text.find(SelectionClose);
        if (Open != String::npos && Close != String::npos && Close > Open + SelectionOpen.size()) {
            Parts.SelectionDT->Init(Text.substr(Open + SelectionOpen.size(), Close - Open - SelectionOpen.size()));
            DropEmptyRows(*Parts.SelectionDT);
        }
    }

    // Rows of older versions first: the migration moves the picture sizes
    // of older rows into their column.
    MigrateRows(DT, Info);

    // The picture blocks from offset 0, each checked to lie before the texts.
    Int64 Pos = 0;
    auto Take = [&](Int64 Size) {
        Need(Size <= BlocksEnd - Pos);
        const Int64 At = Pos;
        Pos += Size;
        return At;
    };
    const bool HasOri = !AsFile || Parts.Version > 10;
    const Int64 OriSize = HasOri ? SizeOf(P, Prop::OriSize) : 0;
    const Int64 OriAt = Take(OriSize);
    const Int64 SrcSize = SizeOf(P, Prop::SrcSize);
    const Int64 SrcAt = Take(SrcSize);
    // The picture objects' blocks: each one's size is checked and their sum
    // refused from the headers alone, before any picture is inflated, since a
    // few kilobytes of blank picture can claim gigabytes.
    std::vector<std::pair<Int64, Int64>> Blocks;
    Int64 Total = 0;
    for (Integer i = 0; i < DT.ItemCount(); ++i) {
        const TRow& Row = *DT.GetItem(i);
        if (KindOf(Row) != shSmall) continue;
        const Int64 Size = SizeOf(Row, PictureSizeCol);
        Blocks.emplace_back(Take(Size), Size);
        Total += ReadPictureBlock(In, Blocks.back().first, Size, true, nullptr);
        if (Total > MaxObjectPicturePixels)
            Damaged(u"The picture objects of the document hold more than " + IntToStr(MaxObjectPicturePixels) +
                    u" pixels.");
    }
    if (HasOri) {
        const Int64 Size = OriSize, At = OriAt;
        if (!Trim(TextOf(P, ObjProp::OriFileName)).empty()) {
            Parts.OriFile = std::make_unique<TMemoryStream>();
            if (Size > 0) {
                In.SetPosition(At);
                Parts.OriFile->CopyFrom(&In, Size);
            }
            Parts.OriFile->SetPosition(0);
            // The document's rasters are all of one class, whatever the decoder makes.
            if (ImageDrawHooks.DecodePicture && Size > 0)
                if (std::unique_ptr<TCustomBitmap32> Decoded = ImageDrawHooks.DecodePicture(*Parts.OriFile))
                    Parts.OriBmp->Assign(Decoded.get());
            Parts.OriFile->SetPosition(0);
        } else {
            ReadPictureBlock(In, At, Size, AsFile, Parts.OriBmp.get());
        }
    }
    ReadPictureBlock(In, SrcAt, SrcSize, AsFile, Parts.SrcBmp.get());
    for (const auto& [At, Size] : Blocks) {
        auto Picture = std::make_unique<TCustomBitmap32>();
        ReadPictureBlock(In, At, Size, true, Picture.get());
        Parts.Pictures.push_back(std::move(Picture));
    }
}

// Sidecar names beside an image: "<image name>.<Tag>.tmp" prefixed by "~",
// as the atomic writer names its temporaries.
String NameBeside(const String& FileName, const String& Tag)
{
    return ExtractFilePath(FileName) + u"~" + ExtractFileName(FileName) + u"." + Tag + u".tmp";
}

// The filter index of a file name's type for the original-image export.
Integer ExportIndexOf(const String& FileName)
{
    switch (GetImageTypeByExt(FileName)) {
    case ifBmp: return 4;
    case ifPng: return 2;
    case ifJpg: return 1;
    default: return 3;
    }
}

// What a reader's failure says: the message of the program's exceptions,
// else what the standard library's say.
String Reason(const std::exception& E)
{
    if (const auto* Ex = dynamic_cast<const Exception*>(&E)) return Ex->Message();
    if (dynamic_cast<const std::bad_alloc*>(&E)) return u"out of memory";
    return UTF8ToString(E.what());
}

bool Writable(TImageFormat F) { return F == ifBmp || F == ifPng || F == ifJpg || F == ifGif; }

void CopyPixels(TCustomBitmap32& Dst, TCustomBitmap32& Src)
{
    Dst.SetSize(Src.Width(), Src.Height());
    if (!Src.Empty())
        std::memcpy(Dst.GetRowPtr(0), Src.GetRowPtr(0), static_cast<size_t>(Src.Width()) * Src.Height() * 4);
}

// Src drawn over a bitmap of its size cleared to Background, combined by merging.
void FlattenOnto(TCustomBitmap32& Dst, TCustomBitmap32& Src, TColor32 Background)
{
    Dst.SetSize(Src.Width(), Src.Height());
    Dst.Clear(Background);
    const TDrawMode OldMode = Src.DrawMode();
    const TCombineMode OldCombine = Src.CombineMode();
    auto Restore = ScopeExit([&] {
        Src.SetDrawMode(OldMode);
        Src.SetCombineMode(OldCombine);
    });
    Src.SetDrawMode(dmBlend);
    Src.SetCombineMode(cmMerge);
    Dst.Draw(0, 0, &Src);
}
}  // namespace

// ---------------------------------------------------------------------------
// Writing

void TImageDraw::WriteDocument(TStream& Out, bool AsFile)
{
    // Both layouts store their texts as UTF-8 now (the file with the version that says so).
    const bool Utf8 = true;
    TRow& P = *FDT->PropertyRow();
    // 1. The original image: the file's own bytes when it came from one.
    const bool KeepsFile = !Trim(TextOf(P, ObjProp::OriFileName)).empty() && FOriBmpFileMS && FOriBmpFileMS->Size() > 0;
    if (!KeepsFile) SetText(P, ObjProp::OriFileName, String());
    Int64 Size;
    if (KeepsFile) {
        Size = FOriBmpFileMS->Size();
        Out.WriteBuffer(FOriBmpFileMS->Memory(), static_cast<Integer>(Size));
    } else {
        Size = WritePictureBlock(Out, *FOriBmp, AsFile);
    }
    SetInt(P, Prop::OriSize, StoredSize(Size));
    // 2. The working raster.
    Size = WritePictureBlock(Out, *FSrcBmp, AsFile);
    SetInt(P, Prop::SrcSize, StoredSize(Size));
    // 3. The pictures of the picture objects, in table order.
    for (Integer i = 0; i < FDT->ItemCount(); ++i) {
        TRow& Row = *FDT->GetItem(i);
        if (KindOf(Row) != shSmall) continue;
        auto* Small = dynamic_cast<TImgSmall*>(RowShape(&Row));
        TCustomBitmap32 None;
        SetInt(Row, PictureSizeCol, StoredSize(WritePictureBlock(Out, Small ? *Small->SrcBmp() : None, true)));
    }
    StoreGuidesAndRuler();
    // 4. The saved selections.
    SetInt(P, Prop::SelectionSize,
           StoredSize(WriteBytes(Out, TextBytes(SelectionOpen + FSelectionDT->ToString(true) + SelectionClose, Utf8))));
    // 5, 6. The object table.
    StoreShapeGeometry();
    WriteInt32(Out, WriteBytes(Out, TextBytes(FDT->ToString(true), Utf8)));
    // 7, 8 (and 9). The file information.
    TRow& Info = FileInfoRow(*FFileDT);
    if (AsFile) {
        SetInt(Info, FileCell::Version, SavedVersion);
        const String Enciphered = PwdEncryptStrRandom(FFileDT->ToString(true), String());
        if (Enciphered.empty()) Damaged(u"The file information could not be enciphered.");
        WriteInt32(Out, WriteBytes(Out, TextBytes(Enciphered, false)));
        Out.WriteValue<int32_t>(CurrentLayoutMark);
    } else {
        WriteInt32(Out, WriteBytes(Out, TextBytes(FFileDT->ToString(true), true)));
    }
}

bool TImageDraw::Save()
{
    if (FFileName.empty() || !Writable(FFileType) || !ImageDrawHooks.SaveImageFile) return false;
    // 1. The composed picture; a transparent canvas keeps its alpha where the format holds it.
    TCustomBitmap32 Picture;
    if (FFileType != ifBmp && FFileType != ifJpg && FCanvasTransparent)
        CopyPixels(Picture, *FBitmap);
    else
        FlattenOnto(Picture, *FBitmap, FCanvasColor);
    // 2, 3. The image writer's parameter and the bits a pixel of the file.
    TRow& Info = FileInfoRow(*FFileDT);
    Integer Param = 0, Bits = IntOf(Info, FileCell::BitsPerPixel);
    switch (FFileType) {
    case ifBmp: Param = Bits = IntOf(Info, FileCell::BmpDepth); break;
    case ifPng: Param = FCanvasTransparent ? -1 : 0; Bits = FCanvasTransparent ? 32 : 24; break;
    case ifJpg: Param = JpegQualityStep(IntOf(Info, FileCell::JpegQuality)); Bits = 24; break;
    default: Bits = 8; break;  // GIF
    }
    // 4. Image and document file each written whole beside their targets,
    // then put in place: the document file first (it is what reopening
    // reads), and back again when the image cannot follow it.
    const String ImageTemp = NameBeside(FFileName, u"new");
    const String FileTemp = NameBeside(FProfile, u"new");
    const String FileBackup = NameBeside(FProfile, u"old");
    const bool WithFile = !FNotSaveDataFile;
    auto Cleanup = ScopeExit([&] {
        DeleteFile(ImageTemp);
        if (WithFile) DeleteFile(FileTemp);
    });
    ImageDrawHooks.SaveImageFile(&Picture, ImageTemp, FFileType, Param);
    SetInt(Info, FileCell::BitsPerPixel, Bits);
    FSrcBmpBitsPixelPer = Bits;
    if (WithFile) {
        SaveFileAtomically(FileTemp, [this](TStream* Out) { WriteDocument(*Out, true); });
        const bool HadFile = FileExists(FProfile);
        if (HadFile && !RenameFileReplacing(FProfile, FileBackup))
            throw EFCreateError(u"Cannot create file \"" + FProfile + u"\".");
        if (!RenameFileReplacing(FileTemp, FProfile)) {
            if (HadFile) RenameFileReplacing(FileBackup, FProfile);
            throw EFCreateError(u"Cannot create file \"" + FProfile + u"\".");
        }
        if (!RenameFileReplacing(ImageTemp, FFileName)) {
            if (HadFile) RenameFileReplacing(FileBackup, FProfile);
            else DeleteFile(FProfile);
            throw EFCreateError(u"Cannot create file \"" + FFileName + u"\".");
        }
        if (HadFile) DeleteFile(FileBackup);
    } else if (!RenameFileReplacing(ImageTemp, FFileName)) {
        throw EFCreateError(u"Cannot create file \"" + FFileName + u"\".");
    }
    // 5.
    FChanged = false;
    if (OnChanged) OnChanged(this);
    return true;
}

bool TImageDraw::SaveAs(const String& FileName)
{
    const String OldName = FFileName, OldProfile = FProfile;
    const TImageFormat OldType = FFileType;
    FFileName = FileName;
    FFileType = GetImageTypeByExt(FileName);
    FProfile = FileName + u".vuxa";
    bool Saved = false;
    auto Restore = ScopeExit([&] {
        if (Saved) return;
        FFileName = OldName;
        FFileType = OldType;
        FProfile = OldProfile;
    });
    Saved = Save();
    return Saved;
}

void TImageDraw::SaveToStream(std::unique_ptr<TMemoryStream>& P)
{
    P = std::make_unique<TMemoryStream>();
    WriteDocument(*P, false);
    P->SetPosition(0);
}

Integer TImageDraw::ExportGetFilterIndex() const
{
    const String Name = UnescapeCellText(TextOf(*FDT->PropertyRow(), ObjProp::OriFileName));
    if (Trim(Name).empty()) return 1;
    switch (GetImageTypeByExt(Name)) {
    case ifBmp: return 4;
    case ifPng: return 2;
    case ifGif: return 3;
    default: return 1;
    }
}

void TImageDraw::ExportOriBmpAs(const String& FileName)
{
    const Integer b = ExportIndexOf(FileName);
    const String Original = UnescapeCellText(TextOf(*FDT->PropertyRow(), ObjProp::OriFileName));
    if (!Trim(Original).empty() && ExportIndexOf(Original) == b && FOriBmpFileMS && FOriBmpFileMS->Size() > 0) {
        SaveFileAtomically(FileName, [this](TStream* Out) {
            Out->WriteBuffer(FOriBmpFileMS->Memory(), static_cast<Integer>(FOriBmpFileMS->Size()));
        });
        return;
    }
    if (!ImageDrawHooks.SaveImageFile) throw EImageDraw(u"No image file writer is installed");
    static const TImageFormat Formats[] = {ifJpg, ifPng, ifGif, ifBmp};
    static const Integer Params[] = {10, 0, 0, 24};
    ImageDrawHooks.SaveImageFile(FOriBmp.get(), FileName, Formats[b - 1], Params[b - 1]);
}

Int64 TImageDraw::CalcJpgFileSize(Integer Quality)
{
    if (!ImageDrawHooks.JpegSize) return -1;
    TCustomBitmap32 Picture;
    FlattenOnto(Picture, *FBitmap, 0xFFFFFFFF);
    return ImageDrawHooks.JpegSize(&Picture, Quality);
}

// ---------------------------------------------------------------------------
// Reading

void TImageDraw::AdoptDocument(TDocumentParts& Parts)
{
    FFileDT = std::move(Parts.FileDT);
    FDT = std::move(Parts.DT);
    FSelectionDT = std::move(Parts.SelectionDT);
    FOriBmpFileMS = std::move(Parts.OriFile);
    FOriBmp = std::move(Parts.OriBmp);
    FSrcBmp = std::move(Parts.SrcBmp);
    CreateShapeObjects(-1);
    size_t Next = 0;
    for (Integer i = 0; i < FDT->ItemCount(); ++i) {
        TRow* Row = FDT->GetItem(i);
        if (KindOf(*Row) != shSmall) continue;
        TCustomBitmap32* Picture = Parts.Pictures.at(Next++).get();
        if (auto* Small = dynamic_cast<TImgSmall*>(RowShape(Row))) {
            Small->SrcBmp()->Assign(Picture);
            Small->SetChanged2(true);
        }
    }
    // Text objects of versions 1 to 12 keep their points in the older form.
    if (Parts.Version >= 1 && Parts.Version <= 12)
        for (Integer i = 0; i < FDT->ItemCount(); ++i) {
            TImgShape* S = RowShape(FDT->GetItem(i));
            if (!S || !IsTextKind(S->ShapeType())) continue;
            S->UpgradePoints();
            S->SetPoints(S->GetPoints());
        }
}

void TImageDraw::DropReadDocument()
{
    FCurrentShape = nullptr;
    FShapeId = -1;
    FObjectType = shNone;
    FSelectedIds->Clear();
    FDT = std::make_unique<TDataTable>();
    FFileDT = std::make_unique<TDataTable>();
    FSelectionDT = std::make_unique<TDataTable>();
    FOriBmpFileMS.reset();
    FOriBmp = std::make_unique<TCustomBitmap32>();
    FSrcBmp = std::make_unique<TCustomBitmap32>();
}

bool TImageDraw::LoadSidecar()
{
    // A document file of an older name is moved into place; a move whose
    // target exists fails and is left alone.
    const String Older = ChangeFileExt(FFileName, u"") + u".qelm";
    const String Named = FFileName + u".qelm";
    FProfile = FFileName + u".vuxa";
    if (FileExists(Older)) RenameFile(Older, Named);
    if (FileExists(Named)) RenameFile(Named, FProfile);
    if (!FileExists(FProfile)) return false;
    try {
        TDocumentParts Parts;
        {
            TFileStream File(FProfile, fmOpenRead | fmShareDenyWrite);
            ParseDocument(File, true, Parts);
        }
        // Selections are not restored from a document file.
        if (Parts.DT->ItemCount() > 0 && KindOf(*Parts.DT->GetItem(Parts.DT->ItemCount() - 1)) == shSelection)
            Parts.DT->RemoveItemByIndex(Parts.DT->ItemCount() - 1);
        AdoptDocument(Parts);
        return true;
    } catch (const std::exception& E) {
        DropReadDocument();
        FMsgString = u"The document file \"" + FProfile + u"\" could not be read (" + Reason(E) +
                     u"); the image was opened without it.";
        return false;
    }
}

void TImageDraw::LoadDocumentStream(TStream& Stream)
{
    try {
        TDocumentParts Parts;
        ParseDocument(Stream, false, Parts);
        AdoptDocument(Parts);
    } catch (const std::exception& E) {
        DropReadDocument();
        throw EImageDraw(u"The document could not be restored: " + Reason(E));
    }
}
