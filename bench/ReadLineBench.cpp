// The shared line reader over a generated file of Gaussian-like table rows,
// about 100 MB: the first pass of every structure reader runs at this speed.

#include "io/StdioFile.h"
#include "model/ReadLine.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// The generated file, written once per run and removed when the program ends.
class GeneratedLines {
public:
    GeneratedLines()
        : path_((std::filesystem::temp_directory_path() / "ravek-bench-lines.txt").string()) {
        std::ofstream out(path_, std::ios::binary);
        const std::string row = "      1          6           0        1.234567   -2.345678    "
                                "0.000123\n";
        for (int i = 0; i < 100'000'000 / static_cast<int>(row.size()); ++i)
            out << row;
    }
    ~GeneratedLines() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

const std::string& GeneratedFile() {
    static const GeneratedLines file;
    return file.path();
}

void BM_ReadLine(benchmark::State& state) {
    const std::string& path = GeneratedFile();
    const auto bytes = std::filesystem::file_size(path);
    for (auto _ : state) {
        StdioFile file;
        file.Open(path, StdioFile::modeRead);
        char line[256];
        std::size_t lines = 0;
        while (ReadLine(line, sizeof line, &file) != nullptr)
            ++lines;
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

} // namespace

BENCHMARK(BM_ReadLine)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
