// What a "#text" line costs the text log, which makes the line's font for every line it takes:
// once a face is open at a height, making it again must be cheap.
#include <benchmark/benchmark.h>

#include "benchmarks/benchgame.h"
#include "librarysauce/textlog.h"

namespace {

void BM_TextLogLine(benchmark::State& state) {
  BenchDevice();
  g_TextLog.Reset();
  for (auto _ : state) g_TextLog.AddLine("#text line", 10);
  g_TextLog.ReleaseFonts();
  g_TextLog.Reset();
}

BENCHMARK(BM_TextLogLine)->Unit(benchmark::kMicrosecond);

}  // namespace
