#include "foundation/HyMediaPack.h"

#include <cstring>
#include <mutex>

#include "foundation/Global.h"
#include "framework/runtime/SysUtils.h"
#include "framework/runtime/ZLibStreams.h"

TStockLogProc StockLogProc = nullptr;

namespace {

TMediaPictureDecoder PortableDecoder;
TMediaPictureDecoder* InstalledDecoder = nullptr;

std::mutex LogLock;
std::vector<String> LogLines;
constexpr size_t MaxLogLines = 50;

LM_EXCEPTION_CLASS(EMediaPackError, EStreamError);

// Cells of a pack row.
constexpr Integer cNoPicture = 1, cFile = 14, cBlob1 = 15, cBlob2 = 16, cFrameBlob2 = 17, cNestedBlob = 19;
// The property of a nested pack that gives its preview's length.
constexpr Integer pPreview = 9;
constexpr Integer FrameTail = 7;

String CellText(const TRow* Row, Integer Index)
{
    return Row->ItemCount() > Index ? Row->GetItem(Index)->Text() : String();
}

// An absent or empty cell reads 0, as the table store reads an empty cell.
Integer CellValue(const TRow* Row, Integer Index)
{
    return Row->ItemCount() > Index ? Row->GetItem(Index)->Value() : 0;
}

bool HasPictures(const TRow* Row) { return !CellText(Row, cFile).empty(); }

// Blobs are taken one after the other from offset 0 and must end where the
// table text starts.
class TBlobReader {
public:
    TBlobReader(TStream& Pack, Int64 End) : FPack(Pack), FEnd(End) {}

    std::vector<uint8_t> Raw(Integer Length)
    {
        if (Length < 0 || FPack.Position() + Length > FEnd)
            throw EMediaPackError(Format(u"A picture of %d bytes does not fit the pack", {Length}));
        std::vector<uint8_t> Bytes(static_cast<size_t>(Length));
        if (Length > 0) FPack.ReadBuffer(Bytes.data(), Length);
        return Bytes;
    }

    // The blob is read whole before it is inflated, so it is consumed whole
    // also when its zlib stream ends early.
    std::vector<uint8_t> Inflated(Integer Length)
    {
        const std::vector<uint8_t> Blob = Raw(Length);
        TMemoryStream Source;
        if (!Blob.empty()) Source.WriteBuffer(Blob.data(), Integer(Blob.size()));
        Source.SetPosition(0);
        TDecompressionStream Z(&Source);
        std::vector<uint8_t> Out;
        uint8_t Buffer[65536];
        for (;;) {
            const Integer N = Z.Read(Buffer, sizeof Buffer);
            if (N <= 0) break;
            if (Int64(Out.size()) + N > MaxMediaBlobSize)
                throw EMediaPackError(u"A picture of the pack inflates beyond the limit");
            Out.insert(Out.end(), Buffer, Buffer + N);
        }
        return Out;
    }

    std::unique_ptr<TCustomBitmap32> Picture(TMediaPicture Kind, Integer Length, bool Zipped)
    {
        const std::vector<uint8_t> Bytes = Zipped ? Inflated(Length) : Raw(Length);
        return MediaPictureDecoder().Decode(Kind, Bytes.data(), Bytes.size());
    }

private:
    TStream& FPack;
    Int64 FEnd;
};

// Reads the table text that ends Tail bytes before the end into Table and
// goes back to offset 0; the end of the blob area.
Int64 ReadPackTable(TDataTable* Table, TStream& Pack, Int64 Tail)
{
    const Int64 E = Pack.Size();
    if (E < Tail + 4) throw EMediaPackError(u"The pack is too short");
    Pack.SetPosition(E - Tail - 4);
    const Int64 L = Pack.ReadValue<int32_t>();
    const Int64 Start = E - Tail - 4 - L;
    if (L < 0 || Start < 0) throw EMediaPackError(u"The pack's table does not fit the file");
    AnsiString Text(static_cast<size_t>(L), '\0');
    Pack.SetPosition(Start);
    if (L > 0) Pack.ReadBuffer(Text.data(), Integer(L));
    Table->Init(AnsiToString(Text));
    Pack.SetPosition(0);
    return Start;
}

template <class T>
void Own(TDataSlot& Slot, std::unique_ptr<T> Value)
{
    Slot.Own(std::move(Value));
}

void OwnPicture(TDataSlot& Slot, std::unique_ptr<TCustomBitmap32> Picture) { Slot.Own(std::move(Picture)); }

enum TPackKind { pkEffects, pkPattern, pkBrush, pkShadow, pkFrame, pkNested, pkGdiFrame };

void ReadRows(TDataTable* Table, TStream& Pack, TPackKind Kind)
{
    const Int64 Tail = Kind == pkFrame || Kind == pkNested || Kind == pkGdiFrame ? FrameTail : 0;
    TBlobReader Blobs(Pack, ReadPackTable(Table, Pack, Tail));
    for (Integer i = 0; i < Table->ItemCount(); ++i) {
        TRow* Row = Table->GetItem(i);
        switch (Kind) {
        case pkEffects:
            if (!HasPictures(Row)) break;
            OwnPicture(Row->Data2(), Blobs.Picture(mpJpeg, CellValue(Row, cBlob1), true));
            if (CellValue(Row, cBlob2) > 0)
                OwnPicture(Row->Data3(), Blobs.Picture(mpJpeg, CellValue(Row, cBlob2), true));
            break;
        case pkPattern:
            if (HasPictures(Row)) OwnPicture(Row->Data(), Blobs.Picture(mpJpeg, CellValue(Row, cBlob1), true));
            break;
        case pkBrush:
            if (!HasPictures(Row)) break;
            OwnPicture(Row->Data(), Blobs.Picture(mpBmp, CellValue(Row, cBlob1), true));
            if (CellValue(Row, cBlob2) > 0)
                OwnPicture(Row->Data2(), Blobs.Picture(mpGdiBitmap, CellValue(Row, cBlob2), false));
            break;
        case pkShadow:
            // The pack holds no first blobs.
            if (HasPictures(Row) && CellValue(Row, cBlob2) > 0)
                OwnPicture(Row->Data2(), Blobs.Picture(mpGdiBitmap, CellValue(Row, cBlob2), false));
            break;
        case pkFrame:
            OwnPicture(Row->Data2(), Blobs.Picture(mpBitmap32, CellValue(Row, cBlob1), true));
            if (CellValue(Row, cFrameBlob2) > 0)
                OwnPicture(Row->Data3(), Blobs.Picture(mpJpeg, CellValue(Row, cFrameBlob2), true));
            break;
        case pkNested: {
            if (!HasPictures(Row)) break;
            const std::vector<uint8_t> Bytes = Blobs.Inflated(CellValue(Row, cBlob1));
            TMemoryStream Nested;
            if (!Bytes.empty()) Nested.WriteBuffer(Bytes.data(), Integer(Bytes.size()));
            auto Frame = std::make_unique<TDataTable>();
            ReadNestedPack(Frame.get(), &Nested);
            std::unique_ptr<TCustomBitmap32> Preview = MediaPictureDecoder().NewBitmap();
            if (TCustomBitmap32* P = Frame->Data().As<TCustomBitmap32>()) {
                Preview->SetSize(P->Width(), P->Height());
                if (!P->Empty())
                    std::memcpy(Preview->Bits(), P->Bits(), size_t(P->Width()) * size_t(P->Height()) * 4);
                Preview->SetDrawMode(P->DrawMode());
            }
            OwnPicture(Row->Data2(), std::move(Preview));
            Own(Row->Data3(), std::move(Frame));
            break;
        }
        case pkGdiFrame:
            if (HasPictures(Row)) OwnPicture(Row->Data2(), Blobs.Picture(mpGdiImage, CellValue(Row, cBlob1), true));
            break;
        }
    }
}

// Reads a pack of the program; a damaged one leaves Table empty and is logged.
bool LoadPack(TDataTable* Table, const String& FileName, TPackKind Kind)
{
    if (!FileExists(FileName)) return false;
    try {
        TFileStream Pack(FileName, fmOpenRead | fmShareDenyWrite);
        ReadRows(Table, Pack, Kind);
        return true;
    } catch (const Exception& E) {
        Table->Clear();
        LogStockError(Format(u"The media pack %s cannot be read: %s", {FileName, E.Message()}));
    } catch (const std::exception& E) {
        Table->Clear();
        LogStockError(Format(u"The media pack %s cannot be read: %s", {FileName, Str(E.what())}));
    }
    return false;
}

// The engine's stream checked before anything is allocated for it: a header
// that promises more pixels than the bytes hold is refused.
void CheckBitmap32Stream(const uint8_t* Data, size_t Size)
{
    if (Size < 54 || Data[0] != 'B' || Data[1] != 'M') return;  // not the native form
    int32_t W, H;
    uint16_t Bits;
    std::memcpy(&W, Data + 18, 4);
    std::memcpy(&H, Data + 22, 4);
    std::memcpy(&Bits, Data + 28, 2);
    const Int64 AbsH = H < 0 ? -Int64(H) : Int64(H);
    if (W < 0 || Int64(W) * AbsH > MaxMediaPixels) throw EMediaPackError(u"The picture is too large");
    if (Bits == 32 && Int64(W) * AbsH * 4 > Int64(Size) - 54) throw EReadError(u"Stream read error");
}

}  // namespace

std::unique_ptr<TCustomBitmap32> TMediaPictureDecoder::NewBitmap() { return std::make_unique<TCustomBitmap32>(); }

std::unique_ptr<TCustomBitmap32> TMediaPictureDecoder::Decode(TMediaPicture Kind, const uint8_t* Data, size_t Size)
{
    if (Kind != mpBmp && Kind != mpBitmap32)
        throw EInvalidGraphic(u"This picture needs the platform's decoders");
    CheckBitmap32Stream(Data, Size);
    TMemoryStream S;
    if (Size > 0) S.WriteBuffer(Data, Integer(Size));
    S.SetPosition(0);
    std::unique_ptr<TCustomBitmap32> B = NewBitmap();
    B->LoadFromStream(&S);
    return B;
}

TMediaPictureDecoder& MediaPictureDecoder() { return InstalledDecoder ? *InstalledDecoder : PortableDecoder; }
void SetMediaPictureDecoder(TMediaPictureDecoder* Decoder) { InstalledDecoder = Decoder; }

String MediaPackFileName(const String& Name) { return ProgramFolder + u"Media\\" + Name; }
String FramePackFileName(Integer Number) { return MediaPackFileName(u"frame" + IntToStr(Number) + u".dat"); }

bool LoadEffectsPack(TDataTable* Table) { return LoadPack(Table, MediaPackFileName(u"Effects.dat"), pkEffects); }
bool LoadPatternPack(TDataTable* Table) { return LoadPack(Table, MediaPackFileName(u"Pattern.dat"), pkPattern); }
bool LoadBrushPack(TDataTable* Table) { return LoadPack(Table, MediaPackFileName(u"Brush.dat"), pkBrush); }
bool LoadShadowPack(TDataTable* Table) { return LoadPack(Table, MediaPackFileName(u"Shadow.dat"), pkShadow); }
bool LoadReflectionPack(TDataTable* Table)
{
    return LoadPack(Table, MediaPackFileName(u"Reflection.dat"), pkShadow);
}
bool LoadMediaPack(TDataTable* Table, const String& FileName) { return LoadPack(Table, FileName, pkFrame); }
bool LoadNestedMediaPack(TDataTable* Table, const String& FileName) { return LoadPack(Table, FileName, pkNested); }
bool LoadGPImageMediaPack(TDataTable* Table, const String& FileName)
{
    return LoadPack(Table, FileName, pkGdiFrame);
}

void ReadNestedPack(TDataTable* Table, TMemoryStream* Stream)
{
    TBlobReader Blobs(*Stream, ReadPackTable(Table, *Stream, 0));
    for (Integer i = 0; i < Table->ItemCount(); ++i) {
        TRow* Row = Table->GetItem(i);
        const bool NoPicture = Row->ItemCount() > cNoPicture && Row->GetItem(cNoPicture)->AsBool();
        if (!NoPicture) OwnPicture(Row->Data(), Blobs.Picture(mpBitmap32, CellValue(Row, cNestedBlob), true));
    }
    const Integer Preview = Table->PropCount() > pPreview ? Table->GetProp(pPreview)->Value() : 0;
    if (Preview > 0) OwnPicture(Table->Data(), Blobs.Picture(mpJpeg, Preview, true));
}

void LogStockError(const String& Message)
{
    {
        std::lock_guard<std::mutex> Guard(LogLock);
        if (LogLines.size() == MaxLogLines) LogLines.erase(LogLines.begin());
        LogLines.push_back(Message);
    }
    if (StockLogProc) StockLogProc(Message);
}

std::vector<String> StockErrors()
{
    std::lock_guard<std::mutex> Guard(LogLock);
    return LogLines;
}

void ClearStockErrors()
{
    std::lock_guard<std::mutex> Guard(LogLock);
    LogLines.clear();
}
