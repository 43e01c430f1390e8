// The reference equation of state in every call shape a host uses, over 1000
// varied states a case (never one repeated state, which the library's
// per-thread last state would answer from memory), except the one case named
// `repeated` that measures exactly that:
//
//   value      one vorn_eos_value per output, 5 outputs a state (3 for the
//              quality pairs): a worksheet cell, a Fortran loop
//   state_at   one vorn_eos_state_at a state, every thermodynamic output
//   value_n    vorn_eos_value_n over the 1000 states, one output
//   state_n    vorn_eos_state_n over the 1000 states
//
// for (T, rho), (T, P) gas, liquid and supercritical, (P, h) gas and liquid,
// (P, s) gas, (T, q), (P, q) and (rho, u) gas, (T, q) and (P, h) in the He II
// bath, every other pair in one region, (rho, u), (h, s) and (P, h) inside
// the dome, and saturation at T and at P.
// Every time is per state (items_per_second is states per second).
//
// With VORN_BENCH_BASELINE=/path/to/another/libvorn.so in the environment the
// same cases also run against that library, loaded beside this one in the same
// process (named `baseline` rather than `vorn`), for figures side by side on a
// shared machine. bench/reference_eos_report.py makes the table of
// docs/performance.md from the JSON output.
#include <benchmark/benchmark.h>
#include <dlfcn.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "vorn.h"

namespace {

struct Api {
  std::string name;
  decltype(&vorn_eos_value) value;
  decltype(&vorn_eos_value_n) value_n;
  decltype(&vorn_eos_state_at) state_at;
  decltype(&vorn_eos_state_n) state_n;
  decltype(&vorn_eos_saturation_T) saturation_T;
  decltype(&vorn_eos_saturation_P) saturation_P;
};

template <typename F>
F symbol(void* handle, const char* name) {
  void* p = dlsym(handle, name);
  if (p == nullptr) {
    (void)std::fprintf(stderr, "baseline library lacks %s\n", name);
    std::exit(2);
  }
  return reinterpret_cast<F>(p);
}

// The library linked in, and the baseline if one is named. RTLD_DEEPBIND: the
// baseline's calls to its own exported names stay inside it.
std::vector<Api> libraries() {
  std::vector<Api> apis{{"vorn", vorn_eos_value, vorn_eos_value_n, vorn_eos_state_at, vorn_eos_state_n,
                         vorn_eos_saturation_T, vorn_eos_saturation_P}};
  const char* path = std::getenv("VORN_BENCH_BASELINE");
  if (path == nullptr || *path == '\0') return apis;
  void* h = dlopen(path, RTLD_NOW | RTLD_LOCAL | RTLD_DEEPBIND);
  if (h == nullptr) {
    (void)std::fprintf(stderr, "cannot load the baseline %s: %s\n", path, dlerror());
    std::exit(2);
  }
  apis.push_back({"baseline", symbol<decltype(&vorn_eos_value)>(h, "vorn_eos_value"),
                  symbol<decltype(&vorn_eos_value_n)>(h, "vorn_eos_value_n"),
                  symbol<decltype(&vorn_eos_state_at)>(h, "vorn_eos_state_at"),
                  symbol<decltype(&vorn_eos_state_n)>(h, "vorn_eos_state_n"),
                  symbol<decltype(&vorn_eos_saturation_T)>(h, "vorn_eos_saturation_T"),
                  symbol<decltype(&vorn_eos_saturation_P)>(h, "vorn_eos_saturation_P")});
  return apis;
}

constexpr std::size_t kStates = 1000;
// The thermodynamic state without transport (the struct's first version): what
// the flashes cost. Transport has its own benchmark (reference_transport_bench.cpp).
constexpr std::size_t kThermodynamicSize = VORN_EOS_STATE_SIZE_V1;
constexpr std::size_t kThermodynamicStride = (kThermodynamicSize + 7U) / 8U * 8U;

// Uniform in [0, 1) from a fixed sequence (splitmix64): the same states on every run.
struct Uniform {
  std::uint64_t s;
  double operator()() {
    std::uint64_t z = (s += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30U)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27U)) * 0x94D049BB133111EBULL;
    z ^= z >> 31U;
    return static_cast<double>(z >> 11U) * 0x1.0p-53;
  }
  double between(double lo, double hi) { return lo + (hi - lo) * (*this)(); }
  double log_between(double lo, double hi) { return lo * std::exp(std::log(hi / lo) * (*this)()); }
};

struct Case {
  std::string name;
  int pair;
  std::vector<double> x1;
  std::vector<double> x2;
  std::vector<int> outputs;  // the properties a one-output-per-call host asks for
};

// (T, P) states in inputs' units (K, kPa), each also turned into (T, rho),
// (P, h), (P, s) and (rho, u) by the linked library.
struct Region {
  std::vector<vorn_eos_state> states;
};

// With a phase, only its states (He II's with NEAR_LAMBDA too).
Region region(std::uint64_t seed, double T_lo, double T_hi, double P_lo, double P_hi, int phase = -1) {
  Uniform u{seed};
  Region r;
  const int pair = VORN_EOS_TP;
  while (r.states.size() < kStates) {
    const double T = u.log_between(T_lo, T_hi);
    const double P = u.log_between(P_lo, P_hi);
    vorn_eos_state s{};
    s.size = sizeof s;
    vorn_eos_state_at(&pair, &T, &P, &s);
    const unsigned allowed = phase == VORN_EOS_PHASE_HE_II ? unsigned{VORN_EOS_FLAG_NEAR_LAMBDA} : 0U;
    if ((s.flags & ~allowed) == 0U && (phase < 0 || s.phase == phase)) r.states.push_back(s);
  }
  return r;
}

// Two-phase states from (T, q), T in [T_lo, T_hi]: the He II bath (1.25 K
// to 2.17 K) or the equation's dome.
Region two_phase_region(std::uint64_t seed, double T_lo, double T_hi) {
  Uniform u{seed};
  Region r;
  const int pair = VORN_EOS_TQ;
  while (r.states.size() < kStates) {
    const double T = u.between(T_lo, T_hi);
    const double q = u();
    vorn_eos_state s{};
    s.size = sizeof s;
    vorn_eos_state_at(&pair, &T, &q, &s);
    if (s.phase == VORN_EOS_PHASE_TWO_PHASE) r.states.push_back(s);
  }
  return r;
}

template <typename F>
Case derived(std::string name, int pair, const Region& r, F inputs, std::vector<int> outputs) {
  Case c{std::move(name), pair, {}, {}, std::move(outputs)};
  for (const vorn_eos_state& s : r.states) {
    const auto [a, b] = inputs(s);
    c.x1.push_back(a);
    c.x2.push_back(b);
  }
  return c;
}

Case quality(std::string name, int pair, std::uint64_t seed, double lo, double hi, std::vector<int> outputs) {
  Uniform u{seed};
  Case c{std::move(name), pair, {}, {}, std::move(outputs)};
  for (std::size_t i = 0; i < kStates; ++i) {
    c.x1.push_back(u.between(lo, hi));
    c.x2.push_back(u());
  }
  return c;
}

std::vector<Case> cases() {
  const Region gas = region(1, 10.0, 300.0, 10.0, 1000.0);
  const Region liquid = region(2, 2.3, 5.0, 300.0, 2000.0);
  const Region supercritical = region(3, 5.5, 50.0, 300.0, 10000.0);
  const Region bath = two_phase_region(6, 1.25, 2.17);
  const Region dome = two_phase_region(8, 2.2, 5.15);
  const Region he_ii = region(9, 0.8, 2.15, 10.0, 2400.0, VORN_EOS_PHASE_HE_II);
  auto TP = [](const vorn_eos_state& s) { return std::pair{s.T, s.P}; };
  auto Trho = [](const vorn_eos_state& s) { return std::pair{s.T, s.rho}; };
  auto Ph = [](const vorn_eos_state& s) { return std::pair{s.P, s.h}; };
  auto Ps = [](const vorn_eos_state& s) { return std::pair{s.P, s.s}; };
  auto rhou = [](const vorn_eos_state& s) { return std::pair{s.rho, s.u}; };
  auto Prho = [](const vorn_eos_state& s) { return std::pair{s.P, s.rho}; };
  auto Ts = [](const vorn_eos_state& s) { return std::pair{s.T, s.s}; };
  auto Pu = [](const vorn_eos_state& s) { return std::pair{s.P, s.u}; };
  auto Th = [](const vorn_eos_state& s) { return std::pair{s.T, s.h}; };
  auto Tu = [](const vorn_eos_state& s) { return std::pair{s.T, s.u}; };
  auto rhoh = [](const vorn_eos_state& s) { return std::pair{s.rho, s.h}; };
  auto rhos = [](const vorn_eos_state& s) { return std::pair{s.rho, s.s}; };
  auto hs = [](const vorn_eos_state& s) { return std::pair{s.h, s.s}; };
  const std::vector<int> kFive{VORN_EOS_P, VORN_EOS_RHO, VORN_EOS_H, VORN_EOS_S, VORN_EOS_CP};
  const std::vector<int> kFiveAtTP{VORN_EOS_RHO, VORN_EOS_H, VORN_EOS_S, VORN_EOS_CP, VORN_EOS_W};
  const std::vector<int> kFiveAtPX{VORN_EOS_T, VORN_EOS_RHO, VORN_EOS_S, VORN_EOS_CP, VORN_EOS_W};
  return {
      derived("TRHO/gas", VORN_EOS_TRHO, gas, Trho, kFive),
      derived("TRHO/liquid", VORN_EOS_TRHO, liquid, Trho, kFive),
      derived("TP/gas", VORN_EOS_TP, gas, TP, kFiveAtTP),
      derived("TP/liquid", VORN_EOS_TP, liquid, TP, kFiveAtTP),
      derived("TP/supercritical", VORN_EOS_TP, supercritical, TP, kFiveAtTP),
      derived("PH/gas", VORN_EOS_PH, gas, Ph, kFiveAtPX),
      derived("PH/liquid", VORN_EOS_PH, liquid, Ph, kFiveAtPX),
      derived("PS/gas", VORN_EOS_PS, gas, Ps, kFiveAtPX),
      quality("TQ", VORN_EOS_TQ, 4, 2.2, 5.15, {VORN_EOS_P, VORN_EOS_RHO, VORN_EOS_H}),
      quality("PQ", VORN_EOS_PQ, 5, 6.0, 215.0, {VORN_EOS_T, VORN_EOS_RHO, VORN_EOS_H}),
      derived("RHOU/gas", VORN_EOS_RHOU, gas, rhou, kFive),
      // The He II bath below the lambda point.
      quality("TQ/bath", VORN_EOS_TQ, 7, 1.25, 2.17, {VORN_EOS_P, VORN_EOS_RHO, VORN_EOS_H}),
      derived("PH/bath", VORN_EOS_PH, bath, Ph, kFiveAtPX),
      // He II under pressure: (T, P) itself, and the flashes on its Gibbs energy.
      derived("TP/he-ii", VORN_EOS_TP, he_ii, TP, kFiveAtTP),
      derived("PH/he-ii", VORN_EOS_PH, he_ii, Ph, kFiveAtPX),
      derived("TRHO/he-ii", VORN_EOS_TRHO, he_ii, Trho, kFive),
      derived("PS/he-ii", VORN_EOS_PS, he_ii, Ps, kFiveAtPX),
      derived("TH/he-ii", VORN_EOS_TH, he_ii, Th, kFiveAtPX),
      derived("HS/he-ii", VORN_EOS_HS, he_ii, hs, kFiveAtPX),
      // The other pairs, one region each (a library without a pair answers
      // bad input at once: its column then means nothing).
      derived("PRHO/liquid", VORN_EOS_PRHO, liquid, Prho, kFiveAtPX),
      derived("TS/gas", VORN_EOS_TS, gas, Ts, kFiveAtPX),
      derived("PU/gas", VORN_EOS_PU, gas, Pu, kFiveAtPX),
      derived("TH/supercritical", VORN_EOS_TH, supercritical, Th, kFiveAtPX),
      derived("RHOH/gas", VORN_EOS_RHOH, gas, rhoh, kFiveAtPX),
      derived("RHOS/gas", VORN_EOS_RHOS, gas, rhos, kFiveAtPX),
      derived("HS/gas", VORN_EOS_HS, gas, hs, kFiveAtPX),
      derived("TU/liquid", VORN_EOS_TU, liquid, Tu, kFiveAtPX),
      // Inside the dome, where the mixture's iterations run.
      derived("RHOU/two_phase", VORN_EOS_RHOU, dome, rhou, kFiveAtPX),
      derived("HS/two_phase", VORN_EOS_HS, dome, hs, kFiveAtPX),
      derived("PH/two_phase", VORN_EOS_PH, dome, Ph, kFiveAtPX),
  };
}

void per_state(benchmark::State& state, std::size_t states_an_iteration) {
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * states_an_iteration));
}

void register_shapes(const Api& api, const Case& c) {
  const std::string prefix = "eos/" + api.name + "/";
  benchmark::RegisterBenchmark((prefix + "value/" + c.name).c_str(), [api, c](benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
      for (const int property : c.outputs)
        benchmark::DoNotOptimize(api.value(&property, &c.pair, &c.x1[i], &c.x2[i]));
      i = i + 1 == kStates ? 0 : i + 1;
    }
    per_state(state, 1);
  });
  benchmark::RegisterBenchmark((prefix + "state_at/" + c.name).c_str(), [api, c](benchmark::State& state) {
    vorn_eos_state s{};
    s.size = kThermodynamicSize;
    std::size_t i = 0;
    long evaluations = 0;
    for (auto _ : state) {
      api.state_at(&c.pair, &c.x1[i], &c.x2[i], &s);
      benchmark::ClobberMemory();
      evaluations += s.evaluations;
      i = i + 1 == kStates ? 0 : i + 1;
    }
    per_state(state, 1);
    state.counters["evaluations"] =
        static_cast<double>(evaluations) / static_cast<double>(state.iterations());
  });
  benchmark::RegisterBenchmark((prefix + "value_n/" + c.name).c_str(), [api, c](benchmark::State& state) {
    std::vector<double> out(kStates);
    const int property = c.outputs.front();
    for (auto _ : state) {
      api.value_n(kStates, &property, &c.pair, c.x1.data(), c.x2.data(), out.data());
      benchmark::ClobberMemory();
    }
    per_state(state, kStates);
  });
  benchmark::RegisterBenchmark((prefix + "state_n/" + c.name).c_str(), [api, c](benchmark::State& state) {
    std::vector<double> buffer(kStates * kThermodynamicStride / sizeof(double));
    auto* out = reinterpret_cast<vorn_eos_state*>(buffer.data());
    out->size = kThermodynamicStride;
    for (auto _ : state) {
      api.state_n(kStates, &c.pair, c.x1.data(), c.x2.data(), out);
      benchmark::ClobberMemory();
    }
    per_state(state, kStates);
  });
}

// One state asked for again and again: the last state of the thread answers.
void register_repeated(const Api& api, const Case& c) {
  const std::string prefix = "eos/" + api.name + "/";
  benchmark::RegisterBenchmark(
      (prefix + "value/repeated/" + c.name).c_str(), [api, c](benchmark::State& state) {
        for (auto _ : state)
          for (const int property : c.outputs)
            benchmark::DoNotOptimize(api.value(&property, &c.pair, &c.x1[0], &c.x2[0]));
        per_state(state, 1);
      });
}

void register_saturation(const Api& api) {
  const std::string prefix = "eos/" + api.name + "/saturation/";
  Uniform u{6};
  std::vector<double> T(kStates);
  std::vector<double> P(kStates);
  for (std::size_t i = 0; i < kStates; ++i) {
    T[i] = u.between(2.1768, 5.19);
    P[i] = u.between(5.04, 228.0);
  }
  benchmark::RegisterBenchmark((prefix + "T").c_str(), [api, T](benchmark::State& state) {
    vorn_eos_saturation s{};
    s.size = sizeof s;
    std::size_t i = 0;
    for (auto _ : state) {
      api.saturation_T(&T[i], &s);
      benchmark::ClobberMemory();
      i = i + 1 == kStates ? 0 : i + 1;
    }
    per_state(state, 1);
  });
  benchmark::RegisterBenchmark((prefix + "P").c_str(), [api, P](benchmark::State& state) {
    vorn_eos_saturation s{};
    s.size = sizeof s;
    std::size_t i = 0;
    for (auto _ : state) {
      api.saturation_P(&P[i], &s);
      benchmark::ClobberMemory();
      i = i + 1 == kStates ? 0 : i + 1;
    }
    per_state(state, 1);
  });
}

}  // namespace

// Each case against each library in turn, so that a baseline runs beside the
// library it is compared with rather than minutes apart.
void register_reference_eos() {
  const std::vector<Case> all = cases();
  const std::vector<Api> apis = libraries();
  for (const Case& c : all)
    for (const Api& api : apis) register_shapes(api, c);
  for (const Api& api : apis) {
    register_repeated(api, all[2]);  // (T, P) gas
    register_saturation(api);
  }
}
