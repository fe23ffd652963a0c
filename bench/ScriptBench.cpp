// Start-up cost of the resource script: loading the sample script's byte code against compiling its
// source, each into a fresh script engine, with the ratio of the two in one run.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "framework/core/Holder.h"
#include "framework/core/MemoryStreams.h"
#include "framework/resources/ResourceReader.h"

namespace {

using GF::CMemoryInputStream;
using GF::CMemoryOutputStream;
using GF::THolder;
using GF::HGENS::CResourceReader;
using Clock = std::chrono::steady_clock;

std::string SampleScript() {
    const auto path =
        std::filesystem::path(__FILE__).parent_path().parent_path() / "content" / "Animation" / "effects.as";
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

void ScriptModuleStep(benchmark::State& state) {
    const std::string source = SampleScript();
    CMemoryOutputStream byteCode;
    {
        THolder<CResourceReader> reader(new CResourceReader(nullptr));
        if (source.empty() || !reader->Script().Build(source.data(), static_cast<unsigned>(source.size())) ||
            !reader->Script().SaveByteCode(byteCode, source)) {
            state.SkipWithError("the sample script does not build");
            return;
        }
    }

    double compiling = 0.0, loading = 0.0;
    for (auto _ : state) {
        {
            THolder<CResourceReader> reader(new CResourceReader(nullptr));
            const auto start = Clock::now();
            benchmark::DoNotOptimize(
                reader->Script().Build(source.data(), static_cast<unsigned>(source.size())));
            compiling += Seconds(Clock::now() - start);
        }
        {
            THolder<CResourceReader> reader(new CResourceReader(nullptr));
            CMemoryInputStream in(byteCode.data);
            const auto start = Clock::now();
            benchmark::DoNotOptimize(reader->Script().LoadByteCode(in, source));
            loading += Seconds(Clock::now() - start);
        }
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["source_ms"] = compiling * 1000.0 / runs;
    state.counters["bytecode_ms"] = loading * 1000.0 / runs;
    state.counters["source/bytecode"] = loading > 0.0 ? compiling / loading : 0.0;
    state.counters["bytecode_bytes"] = static_cast<double>(byteCode.data.size());
}
BENCHMARK(ScriptModuleStep)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
