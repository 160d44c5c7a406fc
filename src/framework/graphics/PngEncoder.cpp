#include "framework/graphics/PngEncoder.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>
#include <new>
#include <thread>

#include <libdeflate.h>
#include <zlib.h>

#include "framework/runtime/SysUtils.h"

namespace {

// Raw bytes a slice aims at: small enough for every processor to get several,
// large enough that the restart of the matches at its start costs little.
constexpr size_t SliceBytes = size_t(2) << 20;

uint8_t Paeth(uint8_t A, uint8_t B, uint8_t C)
{
    const int P = int(A) + B - C, PA = std::abs(P - A), PB = std::abs(P - B), PC = std::abs(P - C);
    return PA <= PB && PA <= PC ? A : PB <= PC ? B : C;
}

// The filtered row of each of the five filters, and the one to keep: the
// smallest sum of the bytes taken as signed differences.
class TRowFilter {
public:
    TRowFilter(size_t RowBytes, Integer Bpp) : FBytes(RowBytes), FBpp(Bpp), FTrial(5 * RowBytes) {}

    // Writes the filter type and the filtered row to Out (1 + RowBytes bytes).
    void Filter(const uint8_t* Raw, const uint8_t* Prior, uint8_t* Out)
    {
        const size_t N = FBytes, B = static_cast<size_t>(FBpp);
        uint8_t* T[5];
        for (int F = 0; F < 5; ++F) T[F] = FTrial.data() + F * N;
        std::memcpy(T[0], Raw, N);
        for (size_t I = 0; I < B; ++I) {
            T[1][I] = Raw[I];
            T[2][I] = static_cast<uint8_t>(Raw[I] - Prior[I]);
            T[3][I] = static_cast<uint8_t>(Raw[I] - (Prior[I] >> 1));
            T[4][I] = static_cast<uint8_t>(Raw[I] - Prior[I]);  // Paeth(0, up, 0) is up
        }
        for (size_t I = B; I < N; ++I) {
            T[1][I] = static_cast<uint8_t>(Raw[I] - Raw[I - B]);
            T[2][I] = static_cast<uint8_t>(Raw[I] - Prior[I]);
            T[3][I] = static_cast<uint8_t>(Raw[I] - ((Raw[I - B] + Prior[I]) >> 1));
            T[4][I] = static_cast<uint8_t>(Raw[I] - Paeth(Raw[I - B], Prior[I], Prior[I - B]));
        }
        int Best = 0;
        uint64_t BestSum = UINT64_MAX;
        for (int F = 0; F < 5; ++F) {
            uint64_t Sum = 0;
            for (size_t I = 0; I < N; ++I) Sum += static_cast<uint64_t>(std::abs(static_cast<int8_t>(T[F][I])));
            if (Sum < BestSum) {
                BestSum = Sum;
                Best = F;
            }
        }
        Out[0] = static_cast<uint8_t>(Best);
        std::memcpy(Out + 1, T[Best], N);
    }

private:
    size_t FBytes;
    Integer FBpp;
    std::vector<uint8_t> FTrial;
};

// The Adler-32 of A's data followed by B's data of LengthB bytes.
uint32_t CombineAdler32(uint32_t AdlerA, uint32_t AdlerB, uint64_t LengthB)
{
    constexpr uint64_t Base = 65521;
    const uint64_t Rem = LengthB % Base;
    uint64_t Sum1 = AdlerA & 0xFFFF;
    uint64_t Sum2 = (Rem * Sum1) % Base;
    Sum1 += (AdlerB & 0xFFFF) + Base - 1;
    Sum2 += (AdlerA >> 16) + (AdlerB >> 16) + Base - Rem;
    Sum1 %= Base;
    Sum2 %= Base;
    return static_cast<uint32_t>(Sum2 << 16 | Sum1);
}

// A raw deflate stream made to continue: the final flag of its last block is
// cleared and an empty stored block brings it to a byte boundary, so that the
// next slice's blocks can follow. The block boundaries are found by inflating.
void MakeJoinable(std::vector<uint8_t>& Deflated)
{
    z_stream S{};
    if (inflateInit2(&S, -15) != Z_OK) throw EOutOfMemory(u"Out of memory while writing the PNG image");
    std::unique_ptr<z_stream, int (*)(z_stream*)> Guard(&S, inflateEnd);
    S.next_in = Deflated.data();
    S.avail_in = static_cast<uInt>(Deflated.size());
    static thread_local uint8_t Junk[1 << 16];
    uint64_t LastHeader = 0;  // bit position of the header of the block being read
    for (;;) {
        S.next_out = Junk;
        S.avail_out = sizeof Junk;
        const int Ret = inflate(&S, Z_BLOCK);
        if (Ret != Z_OK) throw Exception(u"The PNG image data could not be joined");
        if ((S.data_type & 128) == 0) continue;
        const uint64_t At = static_cast<uint64_t>(S.next_in - Deflated.data()) * 8 - (S.data_type & 7);
        if ((S.data_type & 64) == 0) {
            LastHeader = At;  // a block ends here and another starts
            continue;
        }
        // The end of the final block: its unused bits are cleared, the flag too.
        const size_t Used = static_cast<size_t>(S.next_in - Deflated.data());
        const int Unused = S.data_type & 7;
        Deflated.resize(Used);
        if (Unused) Deflated.back() &= static_cast<uint8_t>(0xFF >> Unused);
        Deflated[LastHeader / 8] &= static_cast<uint8_t>(~(1u << (LastHeader % 8)));
        // Type 00, not final: three zero bits, then LEN 0 and NLEN 0xFFFF.
        if (Unused < 3) Deflated.push_back(0);
        for (uint8_t Byte : {0x00, 0x00, 0xFF, 0xFF}) Deflated.push_back(Byte);
        return;
    }
}

struct TSlice {
    Integer Top = 0, Bottom = 0;  // rows Top .. Bottom - 1
    std::vector<uint8_t> Deflated;
    uint32_t Adler = 1;
    uint64_t RawSize = 0;
};

struct TFreeCompressor {
    void operator()(libdeflate_compressor* C) const { libdeflate_free_compressor(C); }
};
using TCompressor = std::unique_ptr<libdeflate_compressor, TFreeCompressor>;

// One thread's compressor and buffers, reused from slice to slice: fresh
// memory costs a fault a page, which on some systems is most of the time.
struct TWorker {
    TCompressor Compressor;
    std::vector<uint8_t> Prior, Raw, Filtered, Deflated;
    std::unique_ptr<TRowFilter> Filter;

    TWorker(Integer Level, size_t RowBytes, Integer Bpp)
        : Compressor(libdeflate_alloc_compressor(Level)), Prior(RowBytes), Raw(RowBytes),
          Filter(std::make_unique<TRowFilter>(RowBytes, Bpp))
    {
        if (!Compressor) throw std::bad_alloc();
    }

    void Encode(TSlice& S, bool Last, size_t RowBytes, const TPngRowReader& Row)
    {
        const size_t Rows = static_cast<size_t>(S.Bottom - S.Top), Size = Rows * (RowBytes + 1);
        if (Filtered.size() < Size) Filtered.resize(Size);
        if (S.Top > 0)
            Row(S.Top - 1, Prior.data());
        else
            std::fill(Prior.begin(), Prior.end(), uint8_t(0));
        for (size_t I = 0; I < Rows; ++I) {
            Row(S.Top + static_cast<Integer>(I), Raw.data());
            Filter->Filter(Raw.data(), Prior.data(), Filtered.data() + I * (RowBytes + 1));
            std::swap(Raw, Prior);
        }
        S.RawSize = Size;
        S.Adler = libdeflate_adler32(1, Filtered.data(), Size);
        const size_t Bound = libdeflate_deflate_compress_bound(Compressor.get(), Size) + 8;
        if (Deflated.size() < Bound) Deflated.resize(Bound);
        const size_t Made =
            libdeflate_deflate_compress(Compressor.get(), Filtered.data(), Size, Deflated.data(), Deflated.size());
        if (Made == 0) throw Exception(u"The PNG image data could not be compressed");
        S.Deflated.assign(Deflated.begin(), Deflated.begin() + static_cast<ptrdiff_t>(Made));
        if (!Last) MakeJoinable(S.Deflated);
    }
};

// Chunks are built in one small buffer and handed to the sink whole.
class TChunkWriter {
public:
    explicit TChunkWriter(const TPngSink& Sink) : FSink(Sink) {}
    void Put(const char* Type, const std::vector<const std::vector<uint8_t>*>& Parts)
    {
        size_t Size = 0;
        for (const auto* P : Parts) Size += P->size();
        uint32_t Crc = libdeflate_crc32(0, Type, 4);
        for (const auto* P : Parts)  // a null buffer would restart the CRC
            if (!P->empty()) Crc = libdeflate_crc32(Crc, P->data(), P->size());
        uint8_t Head[8];
        Be32(Head, static_cast<uint32_t>(Size));
        std::memcpy(Head + 4, Type, 4);
        FSink(Head, 8);
        for (const auto* P : Parts)
            if (!P->empty()) FSink(P->data(), P->size());
        uint8_t Tail[4];
        Be32(Tail, Crc);
        FSink(Tail, 4);
    }
    static void Be32(uint8_t* P, uint32_t V)
    {
        for (int K = 0; K < 4; ++K) P[K] = static_cast<uint8_t>(V >> (24 - 8 * K));
    }

private:
    const TPngSink& FSink;
};

}  // namespace

void EncodePng(Integer Width, Integer Height, bool Alpha, const TPngRowReader& Row, const TPngSink& Sink, Integer Level,
               Integer Threads)
{
    if (Width <= 0 || Height <= 0) throw Exception(u"Invalid PNG picture size");
    Level = std::clamp(Level, PngFastestLevel, PngMaxLevel);
    const Integer Bpp = Alpha ? 4 : 3;
    const size_t RowBytes = static_cast<size_t>(Width) * Bpp;
    try {
        const Integer RowsPerSlice =
            static_cast<Integer>(std::clamp<size_t>(SliceBytes / (RowBytes + 1), 1, static_cast<size_t>(Height)));
        std::vector<TSlice> Slices(static_cast<size_t>((Height + RowsPerSlice - 1) / RowsPerSlice));
        for (size_t I = 0; I < Slices.size(); ++I) {
            Slices[I].Top = static_cast<Integer>(I) * RowsPerSlice;
            Slices[I].Bottom = std::min(Height, Slices[I].Top + RowsPerSlice);
        }

        if (Threads <= 0) Threads = static_cast<Integer>(std::max(1u, std::thread::hardware_concurrency()));
        Threads = std::min<Integer>(Threads, static_cast<Integer>(Slices.size()));
        std::atomic<size_t> Next{0};
        std::atomic<bool> Failed{false};
        auto Work = [&](std::exception_ptr& Error) {
            try {
                TWorker Worker(Level, RowBytes, Bpp);
                for (size_t I; !Failed && (I = Next++) < Slices.size();)
                    Worker.Encode(Slices[I], I + 1 == Slices.size(), RowBytes, Row);
            } catch (...) {
                Error = std::current_exception();
                Failed = true;
            }
        };
        std::vector<std::exception_ptr> Errors(static_cast<size_t>(Threads));
        std::vector<std::thread> Pool;
        for (Integer T = 1; T < Threads; ++T) Pool.emplace_back(Work, std::ref(Errors[static_cast<size_t>(T)]));
        Work(Errors[0]);
        for (std::thread& T : Pool) T.join();
        for (std::exception_ptr& E : Errors)
            if (E) std::rethrow_exception(E);

        static const uint8_t Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
        Sink(Signature, 8);
        TChunkWriter Chunks(Sink);
        std::vector<uint8_t> Header(13, 0);
        TChunkWriter::Be32(&Header[0], static_cast<uint32_t>(Width));
        TChunkWriter::Be32(&Header[4], static_cast<uint32_t>(Height));
        Header[8] = 8;              // bits a sample
        Header[9] = Alpha ? 6 : 2;  // colour type; compression, filter and interlace 0
        Chunks.Put("IHDR", {&Header});

        // One IDAT a slice: the zlib header goes before the first, the
        // checksum of all the filtered rows after the last.
        uint32_t Adler = 1;
        const std::vector<uint8_t> None;
        for (size_t I = 0; I < Slices.size(); ++I) {
            TSlice& S = Slices[I];
            std::vector<uint8_t> Before, After;
            if (I == 0) Before = {0x78, static_cast<uint8_t>(Level < 2 ? 0x01 : Level < 6 ? 0x5E : Level == 6 ? 0x9C : 0xDA)};
            Adler = I == 0 ? S.Adler : CombineAdler32(Adler, S.Adler, S.RawSize);
            if (I + 1 == Slices.size()) {
                After.resize(4);
                TChunkWriter::Be32(After.data(), Adler);
            }
            Chunks.Put("IDAT", {&Before, &S.Deflated, &After});
            std::vector<uint8_t>().swap(S.Deflated);
        }
        Chunks.Put("IEND", {&None});
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory(u"Out of memory while writing the PNG image");
    }
}

std::vector<uint8_t> EncodePng(Integer Width, Integer Height, bool Alpha, const TPngRowReader& Row, Integer Level,
                               Integer Threads)
{
    std::vector<uint8_t> Out;
    EncodePng(
        Width, Height, Alpha, Row, [&Out](const uint8_t* Data, size_t Size) { Out.insert(Out.end(), Data, Data + Size); },
        Level, Threads);
    return Out;
}
