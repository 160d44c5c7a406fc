// MakeStockContent SOURCES OUTPUT
//
// Builds the stock content the program reads from its "Media" folder: the
// media packs (effects, patterns, brushes, shadows, reflections and the four
// frame packs), the clip-art file pack, the sample picture and the watermark
// sample. The pack tables come from SOURCES (resources/media: one text file
// per pack, rows in the table text of the program's tables, ";" comments,
// "@N=text" for property N); every picture is made by code (Stock.h), named
// in cell 14 of its row. The packs are written with the program's own table,
// pack and cipher code. The same sources give the same bytes on every run.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "PictureFiles.h"
#include "Stock.h"
#include "filters/FiltersStartup.h"
#include "foundation/HyCrypUtils.h"
#include "foundation/HyFileUtils_Pack.h"
#include "foundation/HyMediaPack.h"

namespace {

using Bytes = std::vector<uint8_t>;

// The code page of the packs' table texts (their Chinese names).
constexpr Cardinal PackCodePage = 936;
constexpr Integer FrameTail = 7;

String Source, Output;

[[noreturn]] void Fail(const String& Message)
{
    std::fprintf(stderr, "MakeStockContent: %s\n", UTF8Encode(Message).c_str());
    std::exit(1);
}

// A pack table from its text file.
std::unique_ptr<TDataTable> ReadTable(const String& Name, Integer MinCells)
{
    TMemoryStream File;
    File.LoadFromFile(Source + Name);
    const String Text =
        UTF8ToString(UTF8String(static_cast<const char*>(File.Memory()), static_cast<size_t>(File.Size())));
    if (Text.find(u'\uFFFD') != String::npos) Fail(Name + u": not valid UTF-8");
    auto T = std::make_unique<TDataTable>();
    size_t Start = 0;
    while (Start < Text.size()) {
        size_t Stop = Text.find(u'\n', Start);
        if (Stop == String::npos) Stop = Text.size();
        String Line = Text.substr(Start, Stop - Start);
        Start = Stop + 1;
        if (!Line.empty() && Line.back() == u'\r') Line.pop_back();
        if (Line.empty() || Line[0] == u';') continue;
        if (Line[0] == u'@') {
            const size_t Eq = Line.find(u'=');
            Integer Index;
            if (Eq == String::npos || !TryStrToInt(Line.substr(1, Eq - 1), Index) || Index < 0 || Index > 99)
                Fail(Name + u": bad property line " + Line);
            if (T->PropCount() <= Index) T->AddPropCount(Index + 1 - T->PropCount());
            T->GetProp(Index)->SetText(Line.substr(Eq + 1));
            continue;
        }
        TRow* Row = T->AddItem(Line);
        while (Row->ItemCount() < MinCells) Row->AddItem(String());
    }
    if (T->ItemCount() == 0) Fail(Name + u": no rows");
    return T;
}

// The picture named in cell 14, without its extension.
std::string PictureName(const TRow* Row)
{
    const String File = Row->GetItem(14)->Text();
    return UTF8Encode(File.substr(0, File.rfind(u'.')));
}

void WriteFile(const String& Name, const Bytes& B)
{
    TFileStream F(Output + Name, fmCreate);
    if (!B.empty()) F.WriteBuffer(B.data(), Integer(B.size()));
}

// Checks that the table text survives the trip through the pack's code page,
// and through the other code page the program may run with: no byte of a
// Chinese character may read as a separator there.
void CheckCodePage(const String& Name, const TDataTable& T)
{
    const String Text = T.ToString(true);
    const AnsiString A = StringToAnsi(Text, PackCodePage);
    if (AnsiToString(A, PackCodePage) != Text) Fail(Name + u": a text has no form in code page 936");
    for (char Sep : {',', '|', '#'}) {
        const size_t InText = size_t(std::count(Text.begin(), Text.end(), char16_t(Sep)));
        if (size_t(std::count(A.begin(), A.end(), Sep)) != InText)
            Fail(Name + u": a Chinese name holds a byte that reads as a separator");
    }
}

void WritePack(const String& Name, TDataTable& T, Integer Tail, const Bytes& Blobs)
{
    CheckCodePage(Name, T);
    TFileStream F(Output + Name, fmCreate);
    TMediaPackWriter W(&F);
    W.AddBlob(Blobs);
    W.Finish(T, PackCodePage, Tail);
}

// Appends a blob to Blobs and gives its length.
Integer Add(Bytes& Blobs, const Bytes& B)
{
    Blobs.insert(Blobs.end(), B.begin(), B.end());
    return Integer(B.size());
}

void SetLength(TRow* Row, Integer Cell, Integer Length) { Row->GetItem(Cell)->SetValue(Length); }

// ---------------------------------------------------------------------------

void EffectsPack()
{
    auto T = ReadTable(u"Effects.txt", 17);
    Bytes Blobs;
    for (Integer i = 0; i < T->ItemCount(); ++i) {
        TRow* Row = T->GetItem(i);
        if (Row->GetItem(14)->Text().empty()) continue;
        SetLength(Row, 15, Add(Blobs, ZlibBytes(Files::EncodeJpeg(Stock::Scene(PictureName(Row)), 88))));
    }
    WritePack(u"Effects.dat", *T, 0, Blobs);
}

void PatternPack()
{
    auto T = ReadTable(u"Pattern.txt", 17);
    Bytes Blobs;
    for (Integer i = 0; i < T->ItemCount(); ++i) {
        TRow* Row = T->GetItem(i);
        SetLength(Row, 15, Add(Blobs, ZlibBytes(Files::EncodeJpeg(Stock::Pattern(PictureName(Row)), 92))));
    }
    WritePack(u"Pattern.dat", *T, 0, Blobs);
}

void BrushPack()
{
    auto T = ReadTable(u"Brush.txt", 17);
    Bytes Blobs;
    for (Integer i = 0; i < T->ItemCount(); ++i) {
        TRow* Row = T->GetItem(i);
        const Kit::TImage Style = Stock::BrushStyle(PictureName(Row));
        SetLength(Row, 15, Add(Blobs, ZlibBytes(Files::EncodeBmp24(Style))));
        SetLength(Row, 16, Add(Blobs, Files::EncodePng(Stock::BrushTip(Style), true)));
    }
    WritePack(u"Brush.dat", *T, 0, Blobs);
}

void IconPack(const String& Text, const String& Pack)
{
    auto T = ReadTable(Text, 17);
    Bytes Blobs;
    for (Integer i = 0; i < T->ItemCount(); ++i) {
        TRow* Row = T->GetItem(i);
        SetLength(Row, 16, Add(Blobs, Files::EncodePng(Stock::EffectIcon(PictureName(Row)), true)));
    }
    WritePack(Pack, *T, 0, Blobs);
}

void PreviewFramePack(const String& Text, const String& Pack)
{
    auto T = ReadTable(Text, 18);
    Bytes Blobs;
    for (Integer i = 0; i < T->ItemCount(); ++i) {
        TRow* Row = T->GetItem(i);
        SetLength(Row, 15, Add(Blobs, ZlibBytes(Files::EncodeBitmap32(Stock::FramePreview(PictureName(Row))))));
    }
    WritePack(Pack, *T, FrameTail, Blobs);
}

// A layered frame drawn as the document draws it, around a landscape, for
// the preview of its tile in the preset panel.
Kit::TImage LayeredPreview(const TDataTable& Layers, const std::vector<Kit::TImage>& Tiles)
{
    using namespace Kit;
    const int PicW = 170, PicH = 150;
    int Sum = 0;
    for (Integer i = 0; i < Layers.ItemCount(); ++i) Sum += Layers.GetItem(i)->GetItem(10)->Value();
    const int W = PicW + 2 * Sum, H = PicH + 2 * Sum;
    TImage F(W, H, Rgb(0xFFFFFF));
    // Outermost first: each layer fills its rectangle; the inner ones cover the rest.
    int Outer = 0;
    for (Integer i = Layers.ItemCount() - 1; i >= 0; --i) {
        const TRow* L = Layers.GetItem(i);
        const int Width = L->GetItem(10)->Value();
        const int X0 = Outer, Y0 = Outer, X1 = W - Outer, Y1 = H - Outer;
        if (L->GetItem(1)->AsBool()) {
            const Integer C = L->GetItem(2)->Value();
            const TRGBA Color = Rgb(uint32_t(((C & 0xFF) << 16) | (C & 0xFF00) | ((C >> 16) & 0xFF)));
            F.Fill({Kit::Rect(X0, Y0, X1 - X0, Y1 - Y0)}, Color);
            if (L->GetItem(5)->AsBool())
                for (Integer K = 0; K < L->GetItem(6)->Value(); ++K) {
                    const float Dark = 1 - 0.12f * (K + 1);
                    const TRGBA Line{Color.R * Dark, Color.G * Dark, Color.B * Dark, 1};
                    F.Stroke(Kit::Rect(X0 + K + 0.5, Y0 + K + 0.5, X1 - X0 - 2 * K - 1, Y1 - Y0 - 2 * K - 1), 1, Line, true);
                }
        } else {
            const TImage& Tile = Tiles[size_t(i)];
            const bool Mitred = L->GetItem(3)->AsBool();
            for (int Y = Y0; Y < Y1; ++Y)
                for (int X = X0; X < X1; ++X) {
                    int TX = (X - X0) % Tile.Width(), TY = (Y - Y0) % Tile.Height();
                    if (Mitred) {
                        // Along the sides, the tile's top row outward.
                        const int DL = X - X0, DT = Y - Y0, DR = X1 - 1 - X, DB = Y1 - 1 - Y;
                        const int D = std::min({DL, DT, DR, DB});
                        if (D >= Width) continue;
                        if (D == DT) TX = (X - X0) % Tile.Width(), TY = DT;
                        else if (D == DR) TX = (Y - Y0) % Tile.Width(), TY = DR;
                        else if (D == DB) TX = (X1 - 1 - X) % Tile.Width(), TY = DB;
                        else TX = (Y1 - 1 - Y) % Tile.Width(), TY = DL;
                    }
                    F.Set(X, Y, Tile.Get(TX, std::min(TY, Tile.Height() - 1)));
                }
        }
        Outer += Width;
    }
    F.Draw(Stock::Landscape(PicW, PicH), Sum, Sum);
    return F.Resized(78, 71);
}

void LayeredFramePack()
{
    auto T = ReadTable(u"frame2.txt", 16);
    Bytes Blobs;
    for (Integer i = 0; i < T->ItemCount(); ++i) {
        TRow* Row = T->GetItem(i);
        const std::string Name = PictureName(Row);
        auto Layers = ReadTable(u"frame2\\" + Str(Name.c_str()) + u".txt", 20);
        Layers->SetPropCount(10);
        TMemoryStream Nested;
        TMediaPackWriter W(&Nested);
        std::vector<Kit::TImage> Tiles(size_t(Layers->ItemCount()));
        for (Integer k = 0; k < Layers->ItemCount(); ++k) {
            TRow* L = Layers->GetItem(k);
            if (L->GetItem(1)->AsBool()) continue;
            const Integer Size = L->GetItem(10)->Value();
            Tiles[size_t(k)] = Stock::FrameTile(UTF8Encode(L->GetItem(14)->Text()), Size);
            SetLength(L, 19, W.AddZBlob(Files::EncodeBitmap32(Tiles[size_t(k)])));
        }
        Layers->GetProp(9)->SetValue(W.AddZBlob(Files::EncodeJpeg(LayeredPreview(*Layers, Tiles), 92)));
        CheckCodePage(Row->GetItem(14)->Text(), *Layers);
        W.Finish(*Layers, PackCodePage);
        const uint8_t* P = static_cast<const uint8_t*>(Nested.Memory());
        SetLength(Row, 15, Add(Blobs, ZlibBytes(Bytes(P, P + Nested.Size()))));
    }
    WritePack(u"frame2.dat", *T, FrameTail, Blobs);
}

void MaskFramePack()
{
    auto T = ReadTable(u"frame3.txt", 16);
    Bytes Blobs;
    for (Integer i = 0; i < T->ItemCount(); ++i) {
        TRow* Row = T->GetItem(i);
        SetLength(Row, 15, Add(Blobs, ZlibBytes(Files::EncodePng(Stock::FrameMask(PictureName(Row)), false))));
    }
    WritePack(u"frame3.dat", *T, FrameTail, Blobs);
}

// The salted index text with a fixed salt and IV, so that the pack's bytes
// are the same on every build; any reader of the format reads it.
String FixedSaltIndex(const String& Text, const String& Key)
{
    const String Salt = u"Lm5tk0Pk", IV = u"Qv0Media";
    std::unique_ptr<TCrypt_hash> Hash = CreateHash(0);
    std::unique_ptr<TCrypt_cipher> Cipher = CreateCipher(0);
    Hash->Init();
    Hash->UpdateStr(Salt + Key);
    std::vector<uint8_t> Digest(size_t(Hash->HashSize() / 8));
    Hash->Final(Digest.data());
    const AnsiString IVBytes(IV.begin(), IV.end());
    Cipher->Init(Digest.data(), Cardinal(std::min(Cipher->MaxKeySize(), Hash->HashSize())), IVBytes.data());
    if (auto* Block = dynamic_cast<TCrypt_blockcipher*>(Cipher.get())) Block->SetCipherMode(cmCBC);
    // Blowfish and HAVAL: the index characters are the salt's own.
    const String Result = Salt + Salt[3] + Salt[4] + IV + Cipher->EncryptString(Text);
    if (PwdDecryptStr(Result, Key) != Text) Fail(u"the clip-art pack's index does not read back");
    return Result;
}

void RemoveTree(const String& Folder)
{
    TSearchRec F;
    if (FindFirst(Folder + u"*", faAnyFile, F) == 0) {
        do {
            if (F.Name == u"." || F.Name == u"..") continue;
            if (F.Attr & faDirectory)
                RemoveTree(Folder + F.Name + u"\\");
            else
                DeleteFile(Folder + F.Name);
        } while (FindNext(F) == 0);
        FindClose(F);
    }
    RemoveDir(ExcludeTrailingPathDelimiter(Folder));
}

void ClipartPack()
{
    auto T = ReadTable(u"Cliparts.txt", 6);
    TDataTable Index(String(), ColumnSet({1}));
    Index.Init(T->ToString(true));
    const String Staging = Output + u"cliparts.tmp\\";
    for (Integer i = 0; i < Index.ItemCount(); ++i) {
        TRow* Row = Index.GetItem(i);
        const String Folder = Staging + Row->GetItem(0)->Text();
        ForceDirectories(Folder);
        const String File = Row->GetItem(1)->Text();
        const Bytes B = Files::EncodePng(Stock::Clipart(UTF8Encode(File.substr(0, File.rfind(u'.')))), true);
        TFileStream F(Folder + File, fmCreate);
        F.WriteBuffer(B.data(), Integer(B.size()));
    }
    WriteFilePack(Output + u"Cliparts.dat", Staging, String(), &Index, String(), FixedSaltIndex);
    RemoveTree(Staging);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: MakeStockContent SOURCES OUTPUT\n");
        return 2;
    }
    Source = IncludeTrailingPathDelimiter(Str(argv[1]));
    Output = IncludeTrailingPathDelimiter(Str(argv[2]));
    InstallFilters();
    try {
        ForceDirectories(Output);
        EffectsPack();
        PatternPack();
        BrushPack();
        IconPack(u"Shadow.txt", u"Shadow.dat");
        IconPack(u"Reflection.txt", u"Reflection.dat");
        PreviewFramePack(u"frame0.txt", u"frame0.dat");
        PreviewFramePack(u"frame1.txt", u"frame1.dat");
        LayeredFramePack();
        MaskFramePack();
        ClipartPack();
        WriteFile(u"Sample.jpg", Files::EncodeJpeg(Stock::SamplePicture(), 90));
        WriteFile(u"WMSample.png", Files::EncodePng(Stock::WatermarkSample(), true));
    } catch (const Exception& E) {
        Fail(E.Message());
    } catch (const std::exception& E) {
        Fail(Str(E.what()));
    }
    return 0;
}
