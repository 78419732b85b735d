#include "Quarl.LayoutManager.Storage.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// A settings file of 200 values in a few sections, in a fresh temporary folder.
class TBenchFile {
public:
    TBenchFile()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "vorlix-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        FFolder = pattern;
        Storage.SetFileName((FFolder / "vorlix.ini").string());
        for (int i = 0; i < 200; ++i)
            Storage.WriteInteger("Section" + std::to_string(i / 20), "Value" + std::to_string(i), i * 1000);
    }
    TBenchFile(const TBenchFile &) = delete;
    TBenchFile &operator=(const TBenchFile &) = delete;
    ~TBenchFile() { std::filesystem::remove_all(FFolder); }

    TLayoutManagerINIStorage Storage;

private:
    std::filesystem::path FFolder;
};

} // namespace

// One write: read and parse the file, change one line, write a temporary file, fsync, rename.
static void BM_WriteOneValueOf200(benchmark::State &state)
{
    TBenchFile file;
    std::int64_t value = 0;
    for (auto _ : state)
        file.Storage.WriteInteger("Section5", "Value105", ++value);
}
BENCHMARK(BM_WriteOneValueOf200)->Unit(benchmark::kMicrosecond);

// One read: the file is read and parsed afresh, so changes by other processes are always seen.
static void BM_ReadOneValueOf200(benchmark::State &state)
{
    TBenchFile file;
    for (auto _ : state)
        benchmark::DoNotOptimize(file.Storage.ReadInteger("Section9", "Value199", -1));
}
BENCHMARK(BM_ReadOneValueOf200)->Unit(benchmark::kMicrosecond);
