#include "framework/runtime/ZLibStreams.h"

#include <cstring>

#include <zlib.h>

#include "framework/runtime/SysUtils.h"

struct TCustomZlibStream::TZRec {
    z_stream z{};
    bool Inited = false;
    bool Deflating = false;
};

TCustomZlibStream::TCustomZlibStream(TStream* Strm) : FStrm(Strm), FStrmPos(Strm->Position()), FZRec(new TZRec)
{
}

TCustomZlibStream::~TCustomZlibStream()
{
    if (FZRec->Inited) {
        if (FZRec->Deflating) deflateEnd(&FZRec->z);
        else inflateEnd(&FZRec->z);
    }
}

void TCustomZlibStream::Progress()
{
    if (OnProgress) OnProgress(this);
}

static const char16_t* InvalidOp = u"Invalid stream operation";

// ---------------------------------------------------------------------------

TCompressionStream::TCompressionStream(TCompressionLevel CompressionLevel, TStream* Dest) : TCustomZlibStream(Dest)
{
    static const int Levels[4] = {Z_NO_COMPRESSION, Z_BEST_SPEED, Z_DEFAULT_COMPRESSION, Z_BEST_COMPRESSION};
    z_stream& z = FZRec->z;
    z.next_out = FBuffer;
    z.avail_out = BufferSize;
    if (deflateInit(&z, Levels[CompressionLevel]) != Z_OK) throw ECompressionError(u"error");
    FZRec->Inited = true;
    FZRec->Deflating = true;
}

TCompressionStream::~TCompressionStream()
{
    try {
        Finish();
    } catch (...) {
        // Nothing can be reported from a destructor; Finish raised it to whoever called it.
    }
}

void TCompressionStream::Finish()
{
    if (FFinished) return;
    FFinished = true;
    z_stream& z = FZRec->z;
    z.next_in = nullptr;
    z.avail_in = 0;
    if (FStrm->Position() != FStrmPos) FStrm->SetPosition(FStrmPos);
    int rc;
    while ((rc = deflate(&z, Z_FINISH)) != Z_STREAM_END) {
        if (rc != Z_OK && rc != Z_BUF_ERROR) throw ECompressionError(u"error");
        FStrm->WriteBuffer(FBuffer, BufferSize - z.avail_out);
        z.next_out = FBuffer;
        z.avail_out = BufferSize;
    }
    if (z.avail_out < static_cast<uInt>(BufferSize)) FStrm->WriteBuffer(FBuffer, BufferSize - z.avail_out);
    FStrmPos = FStrm->Position();
    z.next_out = FBuffer;
    z.avail_out = BufferSize;
}

Integer TCompressionStream::Read(void*, Integer)
{
    throw ECompressionError(InvalidOp);
}

Integer TCompressionStream::Write(const void* Buffer, Integer Count)
{
    if (FFinished) throw ECompressionError(InvalidOp);
    if (Count <= 0) return 0;
    z_stream& z = FZRec->z;
    z.next_in = static_cast<Bytef*>(const_cast<void*>(Buffer));
    z.avail_in = static_cast<uInt>(Count);
    if (FStrm->Position() != FStrmPos) FStrm->SetPosition(FStrmPos);
    while (z.avail_in > 0) {
        if (deflate(&z, Z_NO_FLUSH) != Z_OK) throw ECompressionError(u"error");
        if (z.avail_out == 0) {
            FStrm->WriteBuffer(FBuffer, BufferSize);
            z.next_out = FBuffer;
            z.avail_out = BufferSize;
            FStrmPos = FStrm->Position();
            Progress();
        }
    }
    return Count;
}

Int64 TCompressionStream::Seek(Int64 Offset, TSeekOrigin Origin)
{
    if (Offset == 0 && Origin == soCurrent) return static_cast<Int64>(FZRec->z.total_in);
    throw ECompressionError(InvalidOp);
}

Single TCompressionStream::CompressionRate() const
{
    const z_stream& z = FZRec->z;
    if (z.total_in == 0) return 0;
    return static_cast<Single>((1.0 - static_cast<double>(z.total_out) / static_cast<double>(z.total_in)) * 100.0);
}

// ---------------------------------------------------------------------------

TDecompressionStream::TDecompressionStream(TStream* Source) : TCustomZlibStream(Source), FStart(FStrmPos)
{
    z_stream& z = FZRec->z;
    z.next_in = FBuffer;
    z.avail_in = 0;
    if (inflateInit(&z) != Z_OK) throw EDecompressionError(u"compression error");
    FZRec->Inited = true;
}

TDecompressionStream::~TDecompressionStream() = default;

Integer TDecompressionStream::Read(void* Buffer, Integer Count)
{
    if (Count <= 0 || FEnded) return 0;
    z_stream& z = FZRec->z;
    z.next_out = static_cast<Bytef*>(Buffer);
    z.avail_out = static_cast<uInt>(Count);
    if (FStrm->Position() != FStrmPos) FStrm->SetPosition(FStrmPos);
    while (z.avail_out > 0) {
        if (z.avail_in == 0) {
            Integer n = FStrm->Read(FBuffer, BufferSize);
            // The source ended inside the zlib stream: the data is cut short.
            if (n <= 0) throw EDecompressionError(u"compression error");
            z.next_in = FBuffer;
            z.avail_in = static_cast<uInt>(n);
            FStrmPos = FStrm->Position();
            Progress();
        }
        int rc = inflate(&z, Z_NO_FLUSH);
        if (rc == Z_STREAM_END) {
            FEnded = true;
            break;
        }
        if (rc != Z_OK) throw EDecompressionError(u"compression error");
    }
    return Count - static_cast<Integer>(z.avail_out);
}

Integer TDecompressionStream::Write(const void*, Integer)
{
    throw EDecompressionError(InvalidOp);
}

Int64 TDecompressionStream::Seek(Int64 Offset, TSeekOrigin Origin)
{
    z_stream& z = FZRec->z;
    const Int64 produced = static_cast<Int64>(z.total_out);
    if (Offset == 0 && Origin == soCurrent) return produced;
    if (Offset == 0 && Origin == soBeginning) {
        if (inflateReset(&z) != Z_OK) throw EDecompressionError(u"compression error");
        z.next_in = FBuffer;
        z.avail_in = 0;
        FEnded = false;
        FStrm->SetPosition(FStart);
        FStrmPos = FStart;
        return 0;
    }
    Int64 skip;
    if (Origin == soCurrent && Offset > 0) skip = Offset;
    else if (Origin == soBeginning && Offset > produced) skip = Offset - produced;
    else throw EDecompressionError(InvalidOp);
    uint8_t buf[BufferSize];
    while (skip > 0) {
        Integer n = Read(buf, static_cast<Integer>(skip < BufferSize ? skip : BufferSize));
        if (n == 0) break;
        skip -= n;
    }
    return static_cast<Int64>(z.total_out);
}

// ---------------------------------------------------------------------------

void ZCompressStream(TMemoryStream* Source, TMemoryStream* Dest)
{
    TCompressionStream c(clMax, Dest);
    Source->SetPosition(0);
    c.CopyFrom(Source, 0);
    c.Finish();
}

void ZDecompressStream(TStream* Dest, TMemoryStream* Source, Int64 MaxSize)
{
    Source->SetPosition(0);
    TDecompressionStream d(Source);
    uint8_t buf[4096];
    Integer n;
    Int64 total = 0;
    while ((n = d.Read(buf, sizeof buf)) > 0) {
        total += n;
        if (MaxSize >= 0 && total > MaxSize)
            throw EDecompressionError(u"The data inflates to more than " + IntToStr(MaxSize) + u" bytes");
        Dest->WriteBuffer(buf, n);
    }
}
