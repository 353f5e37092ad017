// The one entry point of kadrel_bench; every bench/*.cpp only registers its
// benchmarks.
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
