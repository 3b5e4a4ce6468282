// Fixed-form field speed in ns per field, for the field shapes of both output files.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "run/fixed_form.hpp"

namespace {

using namespace tolvek;

struct Shape {
    double centre, spread;
    int w, d;
};

// Draped-file fields: time, latitude, longitude, height, a1, a2, a3;
// difference-file fields: time, north, east, up.
const Shape draped[] = {{15.0, 5.0, 10, 7},   {56.2, 0.5, 12, 7}, {9.4, 0.5, 13, 7},
                        {1000.0, 50.0, 9, 2}, {0.0, 3.0, 8, 3},   {0.0, 3.0, 8, 3},
                        {180.0, 180.0, 9, 3}};
const Shape differences[] = {
    {15.0, 5.0, 11, 7}, {0.0, 300.0, 12, 3}, {0.0, 300.0, 12, 3}, {0.0, 20.0, 12, 3}};

template <std::size_t N>
void write_fields(benchmark::State& state, const Shape (&shapes)[N]) {
    std::mt19937_64 rng(3);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    std::vector<double> values(N * 4096);
    for (std::size_t i = 0; i < values.size(); ++i) {
        const Shape& s = shapes[i % N];
        values[i] = s.centre + s.spread * u(rng);
    }
    char line[128];
    for (auto _ : state) {
        for (std::size_t i = 0; i < values.size(); i += N) {
            char* p = line;
            for (std::size_t k = 0; k < N; ++k)
                p = put_real(p, values[i + k], shapes[k].w, shapes[k].d);
            benchmark::DoNotOptimize(line);
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * values.size()));
}

void BM_DrapedFields(benchmark::State& state) {
    write_fields(state, draped);
}
void BM_DifferenceFields(benchmark::State& state) {
    write_fields(state, differences);
}

BENCHMARK(BM_DrapedFields);
BENCHMARK(BM_DifferenceFields);

}  // namespace
