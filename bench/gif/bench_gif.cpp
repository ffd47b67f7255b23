// Decodes the same large GIFs with our reader and with giflib; prints megapixels per second and
// our time as a fraction of giflib's (at most 1.0 is the target).

#include "jvgifimage.h"

#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

const char* const kFiles[] = {"plasma256", "plasma4", "flat4"};

std::vector<std::uint8_t> readFile(const std::string& name) {
    std::ifstream in(std::string(GIF_BENCH_DIR) + "/" + name + ".gif", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

struct Source {
    const std::vector<std::uint8_t>* bytes;
    std::size_t at;
};

int readBytes(GifFileType* file, GifByteType* out, int count) {
    auto* source = static_cast<Source*>(file->UserData);
    const std::size_t n = std::min(std::size_t(count), source->bytes->size() - source->at);
    std::memcpy(out, source->bytes->data() + source->at, n);
    source->at += n;
    return static_cast<int>(n);
}

void setRate(benchmark::State& state, double pixels) {
    state.counters["MP/s"] =
        benchmark::Counter(pixels * double(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
}

void ours(benchmark::State& state, const std::string& name) {
    const auto bytes = readFile(name);
    double pixels = 0;
    for (auto _ : state) {
        TJvGIFImage gif;
        gif.loadFromStream(bytes);
        const TGIFBitmap* bitmap = gif.currentBitmap();
        benchmark::DoNotOptimize(bitmap->row(0));
        pixels = double(bitmap->width()) * bitmap->height();
    }
    setRate(state, pixels);
}

void giflib(benchmark::State& state, const std::string& name) {
    const auto bytes = readFile(name);
    double pixels = 0;
    for (auto _ : state) {
        Source source{&bytes, 0};
        int error = 0;
        GifFileType* file = DGifOpen(&source, readBytes, &error);
        if (!file || DGifSlurp(file) != GIF_OK) {
            state.SkipWithError("giflib failed");
            break;
        }
        benchmark::DoNotOptimize(file->SavedImages[0].RasterBits);
        pixels =
            double(file->SavedImages[0].ImageDesc.Width) * file->SavedImages[0].ImageDesc.Height;
        DGifCloseFile(file, &error);
    }
    setRate(state, pixels);
}

// Keeps each run's time per iteration so the ratios can be printed after the table.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                m_seconds[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    void printRatios() const {
        for (const char* file : kFiles) {
            const auto a = m_seconds.find(std::string("ours/") + file);
            const auto b = m_seconds.find(std::string("giflib/") + file);
            if (a != m_seconds.end() && b != m_seconds.end())
                std::printf("%-10s time ours / giflib = %.3f\n", file, a->second / b->second);
        }
    }

private:
    std::map<std::string, double> m_seconds;
};

} // namespace

int main(int argc, char** argv) {
    for (const char* file : kFiles) {
        benchmark::RegisterBenchmark((std::string("ours/") + file).c_str(), ours, file)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("giflib/") + file).c_str(), giflib, file)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
}
