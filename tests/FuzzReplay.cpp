// The replay program of a fuzz target in builds without libFuzzer: every file
// named, and every file in the folders named, goes once through the target's
// LLVMFuzzerTestOneInput. A finding aborts (or trips a sanitizer); on the host
// an input after which the process has held more than RssLimitMB fails as
// libFuzzer's memory limit would (a memory bomb that a 32-bit process could
// not hold); an empty corpus fails, so a corpus that went missing is noticed.
//
// "-mutate=N" before the corpus: after the replay, inputs made by changing
// the corpus's at random go through the target for N seconds ("-seed=S"
// repeats a run). A fuzzer without coverage, for the targets that run only
// under Wine, where there is no libFuzzer. Each input is written to
// "fuzz-current" before it runs, so a crash leaves it behind.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#if defined(__linux__)
#include <sys/resource.h>
#endif

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size);

namespace {
using TInput = std::vector<uint8_t>;

#if defined(__linux__)
// The sanitizers' own memory included.
constexpr long RssLimitMB = 1024;

long PeakRssMB()
{
    rusage Usage{};
    getrusage(RUSAGE_SELF, &Usage);
    return Usage.ru_maxrss / 1024;  // kilobytes on Linux
}
#endif

bool WithinMemory(const std::string& Name)
{
#if defined(__linux__)
    if (PeakRssMB() > RssLimitMB) {
        std::fprintf(stderr, "%s: the process held %ld MB (limit %ld MB)\n", Name.c_str(), PeakRssMB(), RssLimitMB);
        return false;
    }
#else
    (void)Name;
#endif
    return true;
}

// One to eight random changes: bits, bytes, boundary values, small sums,
// inserted, erased or repeated runs, a cut end, a piece of another input.
TInput Mutate(const std::vector<TInput>& Corpus, std::mt19937_64& Random)
{
    auto Pick = [&](size_t N) { return N ? static_cast<size_t>(Random() % N) : 0; };
    TInput In = Corpus[Pick(Corpus.size())];
    static const uint32_t Boundary[] = {0, 1, 0x7F, 0x80, 0xFF, 0x100, 0x7FFF, 0x8000, 0xFFFF, 0x10000,
                                        0x7FFFFFFF, 0x80000000u, 0xFFFFFFFFu};
    const size_t Changes = 1 + Pick(8);
    for (size_t c = 0; c < Changes; ++c) {
        const size_t At = Pick(In.size() + 1);
        switch (Pick(9)) {
        case 0:
            if (At < In.size()) In[At] ^= static_cast<uint8_t>(1u << Pick(8));
            break;
        case 1:
            if (At < In.size()) In[At] = static_cast<uint8_t>(Random());
            break;
        case 2: {
            const uint32_t V = Boundary[Pick(std::size(Boundary))];
            const size_t Width = size_t(1) << Pick(3);  // 1, 2 or 4 bytes, little-endian
            for (size_t k = 0; k < Width && At + k < In.size(); ++k) In[At + k] = static_cast<uint8_t>(V >> (8 * k));
            break;
        }
        case 3:
            if (At < In.size()) In[At] = static_cast<uint8_t>(In[At] + static_cast<int>(Pick(33)) - 16);
            break;
        case 4: {
            TInput Bytes(1 + Pick(16));
            for (uint8_t& B : Bytes) B = static_cast<uint8_t>(Random());
            In.insert(In.begin() + static_cast<std::ptrdiff_t>(At), Bytes.begin(), Bytes.end());
            break;
        }
        case 5:
            if (At < In.size())
                In.erase(In.begin() + static_cast<std::ptrdiff_t>(At),
                         In.begin() + static_cast<std::ptrdiff_t>(std::min(In.size(), At + 1 + Pick(64))));
            break;
        case 6:
            if (At < In.size()) {
                const TInput Run(In.begin() + static_cast<std::ptrdiff_t>(At),
                                 In.begin() + static_cast<std::ptrdiff_t>(std::min(In.size(), At + 1 + Pick(64))));
                const size_t To = Pick(In.size() + 1);
                In.insert(In.begin() + static_cast<std::ptrdiff_t>(To), Run.begin(), Run.end());
            }
            break;
        case 7:
            In.resize(At);
            break;
        default: {
            const TInput& Other = Corpus[Pick(Corpus.size())];
            const size_t From = Pick(Other.size() + 1);
            In.resize(At);
            In.insert(In.end(), Other.begin() + static_cast<std::ptrdiff_t>(From), Other.end());
            break;
        }
        }
    }
    if (In.size() > (size_t(1) << 20)) In.resize(size_t(1) << 20);
    return In;
}

int MutateFor(double Seconds, uint64_t Seed, const std::vector<TInput>& Corpus)
{
    std::mt19937_64 Random(Seed);
    const auto Start = std::chrono::steady_clock::now();
    auto Elapsed = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count(); };
    uint64_t Runs = 0;
    double Report = 60;
    while (Elapsed() < Seconds) {
        const TInput In = Mutate(Corpus, Random);
        {
            std::ofstream Out("fuzz-current", std::ios::binary | std::ios::trunc);
            Out.write(reinterpret_cast<const char*>(In.data()), static_cast<std::streamsize>(In.size()));
        }
        LLVMFuzzerTestOneInput(In.data(), In.size());
        ++Runs;
        if (!WithinMemory("fuzz-current")) return 1;
        if (Elapsed() >= Report) {
            std::printf("%llu runs in %.0f s\n", static_cast<unsigned long long>(Runs), Elapsed());
            std::fflush(stdout);
            Report += 60;
        }
    }
    std::remove("fuzz-current");
    std::printf("mutated: %llu runs in %.0f s (seed %llu), no finding\n", static_cast<unsigned long long>(Runs),
                Elapsed(), static_cast<unsigned long long>(Seed));
    return 0;
}
}  // namespace

int main(int argc, char** argv)
{
    namespace fs = std::filesystem;
    double MutateSeconds = 0;
    uint64_t Seed = static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "-mutate=", 8) == 0) {
            MutateSeconds = std::atof(argv[i] + 8);
            continue;
        }
        if (std::strncmp(argv[i], "-seed=", 6) == 0) {
            Seed = std::strtoull(argv[i] + 6, nullptr, 10);
            continue;
        }
        const fs::path arg(argv[i]);
        if (fs::is_directory(arg)) {
            for (const fs::directory_entry& e : fs::directory_iterator(arg))
                if (e.is_regular_file()) files.push_back(e.path());
        } else {
            files.push_back(arg);
        }
    }
    std::sort(files.begin(), files.end());
    std::vector<TInput> Corpus;
    for (const fs::path& f : files) {
        std::ifstream in(f, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "cannot read %s\n", f.string().c_str());
            return 1;
        }
        TInput bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
        if (!WithinMemory(f.string())) return 1;
        if (MutateSeconds > 0) Corpus.push_back(std::move(bytes));
    }
    std::printf("%zu inputs replayed\n", files.size());
    if (files.empty()) return 1;
    return MutateSeconds > 0 ? MutateFor(MutateSeconds, Seed, Corpus) : 0;
}
