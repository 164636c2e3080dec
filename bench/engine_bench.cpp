// Load and step costs of the reading engine. The file to load comes from QIRT_BENCH_FILE;
// without it a 256 MiB file of 40-byte lines is written to the temporary directory.
#include "encoding.h"
#include "linelist.h"
#include "nullwindow.h"
#include "reader.h"
#include "textdecoder.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

std::string writeFile(const std::string& name, std::uint64_t size, const std::string& line) {
    const std::string path = (std::filesystem::temp_directory_path() / name).string();
    if (std::filesystem::exists(path) && std::filesystem::file_size(path) >= size) {
        return path;
    }
    std::ofstream out(path, std::ios::binary);
    std::string block;
    while (block.size() < (std::size_t{1} << 20)) {
        block += line;
    }
    for (std::uint64_t written = 0; written < size; written += block.size()) {
        out << block;
    }
    return path;
}

std::string fortyByteLines() {
    return std::string(38, 'x') + "\r\n";
}

std::string benchFile() {
    if (const char* env = std::getenv("QIRT_BENCH_FILE")) {
        return env;
    }
    return writeFile("qirt-bench-256m.txt", std::uint64_t{256} << 20, fortyByteLines());
}

void BM_LoadFile(benchmark::State& state) {
    const std::string path = benchFile();
    const auto bytes = static_cast<std::int64_t>(std::filesystem::file_size(path));
    std::int64_t lines = 0;
    for (auto _ : state) {
        const qirt::LineList list = qirt::LineList::read(path);
        lines = list.count();
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_LoadFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// A wheel notch back and forth on one line: a view, then the line again.
void wheelOn(benchmark::State& state, const std::string& line) {
    const std::string path =
        writeFile("qirt-bench-line-" + std::to_string(line.size()) + ".txt", line.size(), line);
    NullWindow window;
    qirt::Reader reader(window);
    reader.loadFile(path);
    for (auto _ : state) {
        reader.wheelStep(-120);
        reader.wheelStep(120);
        benchmark::DoNotOptimize(window.title);
    }
    state.SetItemsProcessed(state.iterations() * 2);
}

void BM_WheelStep40ByteLine(benchmark::State& state) {
    wheelOn(state, std::string(38, 'x') + "\r\n" + std::string(38, 'y') + "\r\n");
}
BENCHMARK(BM_WheelStep40ByteLine);

void BM_WheelStep100MBLine(benchmark::State& state) {
    std::string line;
    line.reserve(100'000'002);
    for (int i = 0; i < 50'000'000; ++i) {
        line += "\x82\xa0"; // "あ": every step checks the byte before it
    }
    line += "\r\n";
    wheelOn(state, line);
}
BENCHMARK(BM_WheelStep100MBLine);

void BM_TickStepManyLines(benchmark::State& state) {
    NullWindow window;
    qirt::Reader reader(window);
    reader.loadFile(benchFile());
    for (auto _ : state) {
        reader.tickStep(10);
        benchmark::DoNotOptimize(window.title);
    }
    state.counters["lines"] = static_cast<double>(reader.lines().count());
}
BENCHMARK(BM_TickStepManyLines);

// Choosing the encoding looks at the first MiB only: this is its whole cost for any file.
void BM_DetectEncodingShiftJis(benchmark::State& state) {
    std::string sample;
    while (sample.size() < qirt::kEncodingSample) {
        // "吾輩は猫である。" in Shift-JIS, CR LF.
        sample += "\x8c\xe1\x94\x79\x82\xcd\x94\x4c\x82\xc5\x82\xa0\x82\xe9\x81\x42\r\n";
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(qirt::detectEncoding(sample));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(qirt::kEncodingSample));
}
BENCHMARK(BM_DetectEncodingShiftJis)->Unit(benchmark::kMillisecond);

// What the bar decodes of a title of any length: two bytes a pixel of its width (800 pixels,
// and a maximised 3840).
void BM_DecodeLongTitleCp932(benchmark::State& state) {
    std::string title;
    while (title.size() < static_cast<std::size_t>(state.range(0))) {
        title += "\x8c\xe1\x94\x79\x82\xcd\x94\x4c\x82\xc5\x82\xa0\x82\xe9\x81\x42";
    }
    qirt::TextDecoder decoder(qirt::Encoding::cp932());
    for (auto _ : state) {
        benchmark::DoNotOptimize(decoder.toUtf8(title));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(title.size()));
}
BENCHMARK(BM_DecodeLongTitleCp932)->Arg(1600)->Arg(7680)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
