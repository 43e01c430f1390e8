// What transport adds to a state of the reference family. Each iteration asks
// for a different state (the thread's last-state cache never hits), once with
// a first-version struct, which has no room for transport and so never pays
// for it, and once with the whole struct; the difference is transport's cost.
// Targets: at most 0.15 us more per (T, rho) state, at most 25 % more per
// (T, P) state.
#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "vorn.h"

namespace {

struct Inputs {
  std::vector<double> x1, x2;
};

// 256 one-phase states over the fluid: liquid, near-critical, cold and warm
// gas, dense supercritical (T, rho in kg/m3; T, P in kPa).
Inputs spread(int pair) {
  Inputs in;
  for (int i = 0; i < 256; ++i) {
    const double f = static_cast<double>(i) / 255.0;
    const int kind = i % 4;
    double T = 0.0, x2 = 0.0;
    switch (kind) {
      case 0:  // compressed liquid
        T = 2.3 + 2.5 * f;
        x2 = pair == VORN_EOS_TRHO ? 135.0 + 10.0 * f : 300.0 + 2000.0 * f;
        break;
      case 1:  // around the critical point
        T = 5.2 + 0.6 * f;
        x2 = pair == VORN_EOS_TRHO ? 40.0 + 60.0 * f : 230.0 + 200.0 * f;
        break;
      case 2:  // cold gas
        T = 10.0 + 60.0 * f;
        x2 = pair == VORN_EOS_TRHO ? 0.5 + 20.0 * f : 100.0 + 3000.0 * f;
        break;
      default:  // warm gas up to a cylinder's pressure
        T = 80.0 + 220.0 * f;
        x2 = pair == VORN_EOS_TRHO ? 0.1 + 30.0 * f : 100.0 + 20000.0 * f;
        break;
    }
    in.x1.push_back(T);
    in.x2.push_back(x2);
  }
  return in;
}

void states(benchmark::State& state, int pair, std::size_t size) {
  const Inputs in = spread(pair);
  vorn_eos_state s{};
  std::size_t i = 0;
  for (auto _ : state) {
    s.size = size;
    benchmark::DoNotOptimize(vorn_eos_state_at(&pair, &in.x1[i], &in.x2[i], &s));
    benchmark::ClobberMemory();
    i = (i + 1) % in.x1.size();
  }
}

void one_value(benchmark::State& state, int pair, int property) {
  const Inputs in = spread(pair);
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(vorn_eos_value(&property, &pair, &in.x1[i], &in.x2[i]));
    i = (i + 1) % in.x1.size();
  }
}

}  // namespace

void register_reference_transport() {
  const std::array<std::pair<const char*, int>, 2> pairs{{{"TRHO", VORN_EOS_TRHO}, {"TP", VORN_EOS_TP}}};
  for (const auto& [name, pair] : pairs) {
    const int p = pair;
    benchmark::RegisterBenchmark((std::string("transport/") + name + "/state_v1").c_str(),
                                 [p](benchmark::State& s) { states(s, p, VORN_EOS_STATE_SIZE_V1); });
    benchmark::RegisterBenchmark((std::string("transport/") + name + "/state_full").c_str(),
                                 [p](benchmark::State& s) { states(s, p, sizeof(vorn_eos_state)); });
    benchmark::RegisterBenchmark((std::string("transport/") + name + "/value_cp").c_str(),
                                 [p](benchmark::State& s) { one_value(s, p, VORN_EOS_CP); });
    benchmark::RegisterBenchmark((std::string("transport/") + name + "/value_viscosity").c_str(),
                                 [p](benchmark::State& s) { one_value(s, p, VORN_EOS_VISCOSITY); });
  }
}
