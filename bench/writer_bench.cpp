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
std::vector<double> sample(const Shape (&shapes)[N]) {
    std::mt19937_64 rng(3);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    std::vector<double> values(N * 4096);
    for (std::size_t i = 0; i < values.size(); ++i) {
        const Shape& s = shapes[i % N];
        values[i] = s.centre + s.spread * u(rng);
    }
    return values;
}

// The draped-file line as the tool writes it: shapes known at compile time.
void BM_DrapedLineFields(benchmark::State& state) {
    const std::vector<double> values = sample(draped);
    char line[128];
    for (auto _ : state) {
        for (std::size_t i = 0; i < values.size(); i += 7) {
            char* p = put_field<10, 7>(line, values[i]);
            p = put_field<12, 7>(p, values[i + 1]);
            p = put_field<13, 7>(p, values[i + 2]);
            p = put_field<9, 2>(p, values[i + 3]);
            p = put_field<8, 3>(p, values[i + 4]);
            p = put_field<8, 3>(p, values[i + 5]);
            put_field<9, 3>(p, values[i + 6]);
            benchmark::DoNotOptimize(line);
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * values.size()));
}

// The difference-file line as the tool writes it.
void BM_DifferenceLineFields(benchmark::State& state) {
    const std::vector<double> values = sample(differences);
    char line[128];
    for (auto _ : state) {
        for (std::size_t i = 0; i < values.size(); i += 4) {
            char* p = put_field<11, 7>(line, values[i]);
            p = put_field<12, 3>(p, values[i + 1]);
            p = put_field<12, 3>(p, values[i + 2]);
            put_field<12, 3>(p, values[i + 3]);
            benchmark::DoNotOptimize(line);
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * values.size()));
}

// The same fields with the shape given at run time.
void BM_DrapedFieldsRuntimeShape(benchmark::State& state) {
    const std::vector<double> values = sample(draped);
    char line[128];
    for (auto _ : state) {
        for (std::size_t i = 0; i < values.size(); i += 7) {
            char* p = line;
            for (std::size_t k = 0; k < 7; ++k)
                p = put_real(p, values[i + k], draped[k].w, draped[k].d);
            benchmark::DoNotOptimize(line);
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * values.size()));
}

BENCHMARK(BM_DrapedLineFields);
BENCHMARK(BM_DifferenceLineFields);
BENCHMARK(BM_DrapedFieldsRuntimeShape);

}  // namespace
