// CAST-128 throughput in the table files' format: the salted stream with
// CAST-128 and a SHA-1 key over 10 MB, enciphering and deciphering; and the
// bare CBC mode for comparison.
#include <benchmark/benchmark.h>

#include "foundation/HyCrypUtils.h"
#include "foundation/crypto/Crypt_Cast128.h"

namespace {

constexpr size_t Size = 10 * 1024 * 1024;

RawByteString Data()
{
    RawByteString s(Size, '\0');
    for (size_t i = 0; i < Size; ++i) s[i] = char(i * 131 + (i >> 11));
    return s;
}

void StreamEncipher(benchmark::State& State)
{
    const RawByteString Plain = Data();
    for (auto _ : State) {
        TMemoryStream Out;
        Out.SetCapacity(Int64(Size) + 64);
        benchmark::DoNotOptimize(PwdEncryptStream(Plain, u"", 1, 2, &Out));
    }
    State.SetBytesProcessed(int64_t(State.iterations()) * int64_t(Size));
}
BENCHMARK(StreamEncipher)->Unit(benchmark::kMillisecond);

void StreamDecipher(benchmark::State& State)
{
    TMemoryStream Cipher;
    PwdEncryptStream(Data(), u"", 1, 2, &Cipher);
    for (auto _ : State) {
        Cipher.SetPosition(0);
        benchmark::DoNotOptimize(PwdDecryptStream(u"", &Cipher));
    }
    State.SetBytesProcessed(int64_t(State.iterations()) * int64_t(Size));
}
BENCHMARK(StreamDecipher)->Unit(benchmark::kMillisecond);

void BareCbc(benchmark::State& State)
{
    RawByteString Buffer = Data();
    const uint8_t Key[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    TCrypt_cast128 Cipher(nullptr);
    Cipher.Init(Key, 128, nullptr);
    for (auto _ : State) {
        Cipher.EncryptCBC(Buffer.data(), Buffer.data(), Cardinal(Size));
        benchmark::ClobberMemory();
    }
    State.SetBytesProcessed(int64_t(State.iterations()) * int64_t(Size));
}
BENCHMARK(BareCbc)->Unit(benchmark::kMillisecond);

}  // namespace
