// What converting one value costs, in both directions between the client
// library and the host: the per-property price of loading instances
// (pegValToQEL) and of invoking methods (qelValToPeg). Figures: README.md.

#include <vector>

#include <benchmark/benchmark.h>

#include <Pegasus/Common/CIMValue.h>

#include "convert/ValueConversion.h"

using NVORNQEL20::TCIMValue;

namespace {

const int kArrayLength = 100;

Pegasus::CIMValue PegasusUint16Array()
{
    Pegasus::Array<Pegasus::Uint16> items;
    for (int i = 0; i < kArrayLength; ++i)
        items.append(static_cast<Pegasus::Uint16>(i * 7));
    return Pegasus::CIMValue(items);
}

// The client values of the four cases; a string of a typical length.
Pegasus::CIMValue PegasusValue(int which)
{
    switch (which) {
    case 0: return Pegasus::CIMValue(Pegasus::Uint32(4000000000u));
    case 1: return Pegasus::CIMValue(Pegasus::String("VMware ESXi 7.0.3 build-20328353"));
    case 2: return Pegasus::CIMValue(Pegasus::CIMDateTime("20240315091733.250000-300"));
    default: return PegasusUint16Array();
    }
}

TCIMValue HostValue(int which)
{
    const Pegasus::CIMValue value = PegasusValue(which);
    TCIMValue out;
    NVORNQEL20::pegValToQEL("Value", value, value.getType(), value.isArray(), out,
                            boost::shared_ptr<NVORNQEL20::ICIMClass>());
    return out;
}

void PegValToQEL(benchmark::State& state)
{
    const Pegasus::CIMValue value = PegasusValue(static_cast<int>(state.range(0)));
    const boost::shared_ptr<NVORNQEL20::ICIMClass> noClass;
    for (auto _ : state) {
        TCIMValue out;
        NVORNQEL20::pegValToQEL("Value", value, value.getType(), value.isArray(), out, noClass);
        benchmark::DoNotOptimize(out);
    }
    state.SetItemsProcessed(state.iterations());
}

void QelValToPeg(benchmark::State& state)
{
    const TCIMValue value = HostValue(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Pegasus::CIMValue out;
        NVORNQEL20::qelValToPeg(value, out);
        benchmark::DoNotOptimize(out);
    }
    state.SetItemsProcessed(state.iterations());
}

// 0 uint32, 1 string, 2 datetime, 3 array of 100 uint16.
void Cases(benchmark::internal::Benchmark* benchmark)
{
    benchmark->ArgName("uint32_string_datetime_uint16x100")->DenseRange(0, 3);
}

}  // namespace

BENCHMARK(PegValToQEL)->Apply(Cases);
BENCHMARK(QelValToPeg)->Apply(Cases);

BENCHMARK_MAIN();
