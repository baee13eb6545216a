// Loading and saving a replacement log of 65535 rows, the most the car list file holds: the
// codec and the file, as the wizard does it (the save through the platform's atomic write).
#include "carlog/car_list.h"
#include "platform/posix/posix_files.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

using namespace obrinex;

std::vector<ListViewRow> fullLog() {
    std::vector<ListViewRow> rows;
    for (int i = 0; i < 65535; ++i) {
        rows.push_back({"Racer " + std::to_string(i), {"Bolt Ace Coupe (grün)", std::to_string(i % 208)}, 0});
    }
    return rows;
}

std::string scratchFile() {
    static const std::string folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "obrinex-carlog-XXXXXX").string();
        return std::string(::mkdtemp(pattern.data()));
    }();
    return folder + "/carlist.sav";
}

void SaveCarList(benchmark::State& state) {
    PosixFileSystem files;
    const auto rows = fullLog();
    const std::string path = scratchFile();
    for (auto _ : state) {
        if (files.writeFile(path, encodeCarList(rows)) != 0) {
            state.SkipWithError("the write failed");
        }
    }
}

void LoadCarList(benchmark::State& state) {
    PosixFileSystem files;
    const std::string path = scratchFile();
    files.writeFile(path, encodeCarList(fullLog()));
    for (auto _ : state) {
        std::string bytes;
        if (files.readFile(path, bytes, FileSharing::Exclusive) != 0) {
            state.SkipWithError("the read failed");
        }
        auto list = decodeCarList(bytes);
        if (!list || list->rows.size() != 65535) {
            state.SkipWithError("the log did not read back whole");
        }
        benchmark::DoNotOptimize(list);
    }
}

BENCHMARK(SaveCarList)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(LoadCarList)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
