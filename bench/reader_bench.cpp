// Free-form reading speed in MB/s on texts shaped like the tool's inputs.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <random>
#include <span>
#include <string>

#include "run/block_input.hpp"
#include "run/free_reader.hpp"

namespace {

using namespace tolvek;

std::string ins_like(std::size_t records) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    std::string s;
    char line[160];
    for (std::size_t i = 0; i < records; ++i) {
        double t = 10.0 + static_cast<double>(i) / 720000.0;
        int n = std::snprintf(line, sizeof line, "%.10f %.10f %.10f %.4f %.4f %.4f %.4f %.4f\n", t,
                              56.2 + u(rng) * 1e-3, 9.4 + u(rng) * 1e-3, 1000 + u(rng) * 10,
                              u(rng) * 3, u(rng) * 3, 180 + u(rng) * 180, 1000 + u(rng) * 10);
        s.append(line, static_cast<std::size_t>(n));
    }
    return s;
}

std::string gps_like(std::size_t records) {
    std::string s;
    char line[160];
    for (std::size_t i = 0; i < records; ++i) {
        int n = std::snprintf(line, sizeof line, " %.4f   %.10f    %.10f   %.3f\r\n",
                              138001.005 + static_cast<double>(i), 45.0637017744 + i * 1e-7,
                              7.6559130289 - i * 1e-7, 304.436 + i * 1e-3);
        s.append(line, static_cast<std::size_t>(n));
    }
    return s;
}

// Rare forms on the exact slow path: D/Q and bare-sign exponents, long
// mantissas, repeats, nulls and slashes.
std::string adversarial(std::size_t records) {
    std::string s;
    for (std::size_t i = 0; i < records; ++i) {
        s += (i % 4 == 0)   ? "1.5D3 2*7.25 ,, 0.12345678901234567890123 -4.5q-2 1.5+3 /\n"
             : (i % 4 == 1) ? "3*1.0e1 .5 5. 1234567890123456789 -1E-300 8d+2\n"
             : (i % 4 == 2) ? "\t1,2,3,4,5,6,7,8\r\n"
                            : "1e22 1e-22 4*2.5 0.1 123456789.987654321\n";
    }
    return s;
}

// Reads all records of `text` as `per_record` reals each, through a real file.
void read_all(benchmark::State& state, const std::string& text, std::size_t per_record) {
    std::FILE* f = std::tmpfile();
    std::fwrite(text.data(), 1, text.size(), f);
    std::fflush(f);
    std::array<double, 8> v{};
    std::array<Target, 8> vars{};
    for (std::size_t i = 0; i < 8; ++i) vars[i] = real_var(v[i]);
    const std::span<const Target> record(vars.data(), per_record);
    for (auto _ : state) {
        ::lseek(fileno(f), 0, SEEK_SET);
        BlockInput in(fileno(f), "bench", 1 << 20);
        FreeReader reader(in);
        while (reader.read(record) == ReadStatus::complete) benchmark::DoNotOptimize(v);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    std::fclose(f);
}

void BM_ReadInsLike(benchmark::State& state) {
    read_all(state, ins_like(200000), 8);
}
void BM_ReadGpsLike(benchmark::State& state) {
    read_all(state, gps_like(400000), 4);
}
void BM_ReadAdversarial(benchmark::State& state) {
    read_all(state, adversarial(100000), 8);
}

BENCHMARK(BM_ReadInsLike)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadGpsLike)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAdversarial)->Unit(benchmark::kMillisecond);

}  // namespace
