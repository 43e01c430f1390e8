// The reference equation of state as a host calls it: one (T, rho) state with
// every property, each flash at a representative state, and saturation at T
// and at P. The counter `evaluations` is the Helmholtz-energy evaluations the
// call cost (from the struct's own count).
#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "vorn.h"

namespace {

struct Case {
  const char* name;
  int pair;
  double x1;
  double x2;
};

// Inputs in the library's units (K, kPa, kg/m3, J/kg, J/(kg K)), at states of
// each kind; the caloric inputs are those of the (T, P) state in the row above.
const std::array<Case, 12> kCases{{
    {"TRHO/gas_10K", VORN_EOS_TRHO, 10.0, 5.0},
    {"TRHO/liquid_4K", VORN_EOS_TRHO, 4.0, 130.0},
    {"TP/gas_300K", VORN_EOS_TP, 300.0, 100.0},
    {"TP/liquid_4K", VORN_EOS_TP, 4.0, 200.0},
    {"TP/vapour_4K", VORN_EOS_TP, 4.0, 50.0},
    {"PH/gas_300K", VORN_EOS_PH, 100.0, 1.55e6},
    {"PH/liquid_4K", VORN_EOS_PH, 200.0, -694.0},
    {"PS/gas_300K", VORN_EOS_PS, 100.0, 31000.0},
    {"TS/gas_300K", VORN_EOS_TS, 300.0, 31000.0},
    {"RHOU/gas_300K", VORN_EOS_RHOU, 0.16, 9.3e5},
    {"TQ/4K", VORN_EOS_TQ, 4.0, 0.5},
    {"PQ/101kPa", VORN_EOS_PQ, 101.325, 0.5},
}};

}  // namespace

void register_reference_eos() {
  for (const Case& c : kCases) {
    benchmark::RegisterBenchmark((std::string("vorn_eos_state/") + c.name).c_str(),
                                 [c](benchmark::State& state) {
                                   vorn_eos_state s{};
                                   s.size = sizeof s;
                                   for (auto _ : state) {
                                     benchmark::DoNotOptimize(vorn_eos_state_at(&c.pair, &c.x1, &c.x2, &s));
                                     benchmark::ClobberMemory();
                                   }
                                   state.counters["evaluations"] = s.evaluations;
                                 });
  }
  benchmark::RegisterBenchmark("vorn_eos_value/cp_TRHO_10K", [](benchmark::State& state) {
    const int property = VORN_EOS_CP;
    const int pair = VORN_EOS_TRHO;
    const double T = 10.0;
    const double rho = 5.0;
    for (auto _ : state) benchmark::DoNotOptimize(vorn_eos_value(&property, &pair, &T, &rho));
  });
  for (double T : {2.5, 4.2, 5.19}) {
    benchmark::RegisterBenchmark(("vorn_eos_saturation_T/" + std::to_string(T).substr(0, 4) + "K").c_str(),
                                 [T](benchmark::State& state) {
                                   vorn_eos_saturation s{};
                                   s.size = sizeof s;
                                   for (auto _ : state) {
                                     benchmark::DoNotOptimize(vorn_eos_saturation_T(&T, &s));
                                     benchmark::ClobberMemory();
                                   }
                                   state.counters["evaluations"] = s.evaluations;
                                 });
  }
  benchmark::RegisterBenchmark("vorn_eos_saturation_P/101kPa", [](benchmark::State& state) {
    const double P = 101.325;
    vorn_eos_saturation s{};
    s.size = sizeof s;
    for (auto _ : state) {
      benchmark::DoNotOptimize(vorn_eos_saturation_P(&P, &s));
      benchmark::ClobberMemory();
    }
    state.counters["evaluations"] = s.evaluations;
  });
}
