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

// What the main window's save writes: its form record's eight values and 20 named values, in one bracket of
// the storage. Compare with BM_WriteOneValueOf200: the bracket costs one replacement of the file.
static void BM_SaveLayoutAnd20ValuesInOneBracket(benchmark::State &state)
{
    TBenchFile file;
    std::int64_t value = 0;
    for (auto _ : state) {
        ++value;
        file.Storage.Open(false);
        const std::string form = "Twnd_vx_Main";
        const std::string pair = std::to_string(value) + "," + std::to_string(value + 1);
        file.Storage.WriteString(form, "Size", pair);
        file.Storage.WriteString(form, "Size(1920x1080x96)", pair);
        file.Storage.WriteString(form, "Pos", pair);
        file.Storage.WriteString(form, "Pos(1920x1080)", pair);
        file.Storage.WriteInteger(form, "Align", 0);
        file.Storage.WriteInteger(form, "State", value % 3);
        file.Storage.WriteInteger(form, "Style", 0);
        file.Storage.WriteBoolean(form, "LayoutReadOnly", false);
        for (int i = 0; i < 20; ++i)
            file.Storage.WriteBoolean("Settings", "eth" + std::to_string(i), (value + i) % 2 == 0);
        file.Storage.Close();
    }
}
BENCHMARK(BM_SaveLayoutAnd20ValuesInOneBracket)->Unit(benchmark::kMicrosecond);
