// ZLibStreams: streams that compress into and decompress from another stream
// in the zlib format (header, deflate data, checksum).
#pragma once

#include <memory>

#include "framework/runtime/Classes.h"

LM_EXCEPTION_CLASS(EZlibError, Exception);
LM_EXCEPTION_CLASS(ECompressionError, EZlibError);
LM_EXCEPTION_CLASS(EDecompressionError, EZlibError);

enum TCompressionLevel { clNone, clFastest, clDefault, clMax };  // zlib levels 0, 1, default, 9

// The underlying stream is not owned; it is read or written in 8,192-byte pieces
// and OnProgress fires after each piece.
class TCustomZlibStream : public TStream {
public:
    TCustomZlibStream(const TCustomZlibStream&) = delete;
    TCustomZlibStream& operator=(const TCustomZlibStream&) = delete;
    ~TCustomZlibStream() override;
    String ClassName() const override { return u"TCustomZlibStream"; }
    TNotifyEvent OnProgress;

protected:
    static constexpr Integer BufferSize = 8192;
    explicit TCustomZlibStream(TStream* Strm);
    void Progress();

    TStream* FStrm;
    Int64 FStrmPos;
    struct TZRec;
    std::unique_ptr<TZRec> FZRec;
    uint8_t FBuffer[BufferSize];
};

class TCompressionStream : public TCustomZlibStream {
public:
    TCompressionStream(TCompressionLevel CompressionLevel, TStream* Dest);
    // Finishes the zlib stream when Finish was not called; errors are lost there,
    // so writers that must know of them (a full disk) call Finish themselves.
    ~TCompressionStream() override;
    String ClassName() const override { return u"TCompressionStream"; }
    Integer Read(void* Buffer, Integer Count) override;  // raises ECompressionError
    Integer Write(const void* Buffer, Integer Count) override;
    // Only Seek(0, soCurrent): the number of input bytes taken so far.
    Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
    // Flushes the rest of the compressed data to Dest and ends the zlib stream.
    void Finish();
    Single CompressionRate() const;  // percent saved

private:
    bool FFinished = false;
};

// Stops at the end of the zlib stream: bytes that follow it in the source are
// left alone. Damaged data, or a source that ends before the zlib stream does,
// raises EDecompressionError "compression error".
class TDecompressionStream : public TCustomZlibStream {
public:
    explicit TDecompressionStream(TStream* Source);
    ~TDecompressionStream() override;
    String ClassName() const override { return u"TDecompressionStream"; }
    Integer Read(void* Buffer, Integer Count) override;
    Integer Write(const void* Buffer, Integer Count) override;  // raises EDecompressionError
    // Seek(0, soBeginning) restarts; forward moves skip; anything else raises.
    Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;

private:
    Int64 FStart;      // where the zlib stream begins in the source
    bool FEnded = false;
};

// All of Source (from its start) compressed at the highest level into Dest at its position.
void ZCompressStream(TMemoryStream* Source, TMemoryStream* Dest);
// All of Source (from its start) decompressed into Dest at its position.
// With MaxSize from 0 up, data that inflates to more than MaxSize bytes
// raises EDecompressionError, having written no more than MaxSize.
void ZDecompressStream(TStream* Dest, TMemoryStream* Source, Int64 MaxSize = -1);
