// The replay program of a fuzz target in builds without libFuzzer: every file
// named, and every file in the folders named, goes once through the target's
// LLVMFuzzerTestOneInput. A finding aborts (or trips a sanitizer); an input
// after which the process has held more than RssLimitMB fails as libFuzzer's
// memory limit would (a memory bomb that a 32-bit process could not hold); an
// empty corpus fails, so a corpus that went missing is noticed.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include <sys/resource.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size);

namespace {
// The sanitizers' own memory included.
constexpr long RssLimitMB = 1024;

long PeakRssMB()
{
    rusage Usage{};
    getrusage(RUSAGE_SELF, &Usage);
    return Usage.ru_maxrss / 1024;  // kilobytes on Linux
}
}  // namespace

int main(int argc, char** argv)
{
    namespace fs = std::filesystem;
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i) {
        const fs::path arg(argv[i]);
        if (fs::is_directory(arg)) {
            for (const fs::directory_entry& e : fs::directory_iterator(arg))
                if (e.is_regular_file()) files.push_back(e.path());
        } else {
            files.push_back(arg);
        }
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& f : files) {
        std::ifstream in(f, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "cannot read %s\n", f.c_str());
            return 1;
        }
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
        if (PeakRssMB() > RssLimitMB) {
            std::fprintf(stderr, "%s: the process held %ld MB (limit %ld MB)\n", f.c_str(), PeakRssMB(), RssLimitMB);
            return 1;
        }
    }
    std::printf("%zu inputs replayed\n", files.size());
    return files.empty() ? 1 : 0;
}
