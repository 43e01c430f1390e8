// Time per call of every exported routine, called as a host calls it (through
// the shared library, by address), at one representative state in each region
// of the correlation; temp_K converged and on its 30-iteration row; the array
// forms per point against scalar calls over the same points; and one call of
// the C library's pow, the unit every cost is quoted in.
//
// Run: build/default/bench/vorn_bench (see docs/performance.md).
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "export/routine_table.hpp"
#include "vorn.h"

namespace {

using OneArgument = vorn_routines::Scalar1;
using TwoArguments = vorn_routines::Scalar2;
using OneArgumentArray = vorn_routines::Array1;
using TwoArgumentArray = vorn_routines::Array2;

struct State {
  const char* name;
  double T;  // K
  double P;  // kPa
};

// One state per region of the correlation: Za = 1, 1 + S1 x, orders 1-4, all six.
constexpr std::array<State, 4> kStates{{
    {"1.8K", 1.8, 1.0},
    {"2.3K", 2.3, 3.0},
    {"10K", 10.0, 100.0},
    {"300K", 300.0, 100.0},
}};

struct OneArgumentRoutine {
  std::string name;
  OneArgument scalar;
  OneArgumentArray array;
};
struct TwoArgumentRoutine {
  std::string name;
  TwoArguments scalar;
  TwoArgumentArray array;
};

// The table of routines by arity (the virial coefficients under their short
// names, the others under their exported ones), vorn_Z beside them.
const std::vector<OneArgumentRoutine> kOneArgument = [] {
  std::vector<OneArgumentRoutine> out;
  for (const auto* row : vorn_routines::rows_of_arity<1>()) {
    const std::string symbol = row->symbol;
    out.push_back({symbol.rfind("vorn_", 0) == 0 ? symbol : row->short_name, row->scalar1, row->array1});
  }
  return out;
}();
const std::vector<TwoArgumentRoutine> kTwoArguments = [] {
  std::vector<TwoArgumentRoutine> out;
  for (const auto* row : vorn_routines::rows_of_arity<2>())
    out.push_back({row->symbol, row->scalar2, row->array2});
  out.push_back({"vorn_Z", vorn_Z, vorn_Z_n});
  return out;
}();

struct ThermometerRow {
  const char* name;
  double phi, P, T0, P0;
};
constexpr std::array<ThermometerRow, 2> kThermometerRows{{
    {"converged_3_iterations", 0.1, 10.0, 273.16, 100.0},
    {"not_converged_30_iterations", 0.009745, 0.0357, 200.0, 5.0},
}};

// The unit: a real power with a base and exponent like those of the
// correlation, hidden from the optimiser so each iteration is one real call.
void pow_unit(benchmark::State& state) {
  double base = 300.0;
  double exponent = 0.9000000357627869;
  for (auto _ : state) {
    benchmark::DoNotOptimize(base);
    benchmark::DoNotOptimize(exponent);
    benchmark::DoNotOptimize(std::pow(base, exponent));
  }
}

// Points for the array forms: a sweep of temperatures across all regions (so
// that branches in the formulas see mixed inputs) at one pressure per point.
constexpr std::size_t kPoints = 1024;

std::vector<double> sweep(double low, double high) {
  std::vector<double> v(kPoints);
  for (std::size_t i = 0; i < kPoints; ++i) {
    v[i] = low + (high - low) * static_cast<double>((i * 389) % kPoints) / static_cast<double>(kPoints);
  }
  return v;
}

const std::vector<double>& sweep_T() {
  static const std::vector<double> T = sweep(1.5, 400.0);
  return T;
}
const std::vector<double>& sweep_P() {
  static const std::vector<double> P = sweep(0.0, 100.0);
  return P;
}

// A random sample of gas-side states over the sweep's range (uniform in T and
// P, the liquid side left out): what a user's array of states looks like.
struct GasSide {
  std::vector<double> T, P;
};
const GasSide& gas_side() {
  static const GasSide g = [] {
    GasSide s;
    std::mt19937_64 rng(2026);
    std::uniform_real_distribution<double> T(1.5, 400.0);
    std::uniform_real_distribution<double> P(0.0, 100.0);
    while (s.T.size() < 4096) {
      const double t = T(rng);
      const double p = P(rng);
      if ((vorn_state(&t, &p) & (VORN_STATE_LIQUID | VORN_STATE_INVALID)) != 0U) continue;
      s.T.push_back(t);
      s.P.push_back(p);
    }
    return s;
  }();
  return g;
}

void register_scalar() {
  for (const auto& r : kOneArgument) {
    for (const State& s : kStates) {
      benchmark::RegisterBenchmark((r.name + "/" + s.name).c_str(),
                                   [f = r.scalar, T = s.T](benchmark::State& state) {
                                     for (auto _ : state) benchmark::DoNotOptimize(f(&T));
                                   });
    }
  }
  for (const auto& r : kTwoArguments) {
    for (const State& s : kStates) {
      benchmark::RegisterBenchmark((r.name + "/" + s.name).c_str(),
                                   [f = r.scalar, T = s.T, P = s.P](benchmark::State& state) {
                                     for (auto _ : state) benchmark::DoNotOptimize(f(&T, &P));
                                   });
    }
  }
  for (const ThermometerRow& row : kThermometerRows) {
    benchmark::RegisterBenchmark((std::string("temp_K/") + row.name).c_str(), [row](benchmark::State& state) {
      for (auto _ : state) {
        benchmark::DoNotOptimize(temp_K(&row.phi, &row.P, &row.T0, &row.P0));
      }
    });
    benchmark::RegisterBenchmark(
        (std::string("vorn_temp_K_report/") + row.name).c_str(), [row](benchmark::State& state) {
          int iterations = 0;
          int converged = 0;
          for (auto _ : state) {
            benchmark::DoNotOptimize(
                vorn_temp_K_report(&row.phi, &row.P, &row.T0, &row.P0, &iterations, &converged));
          }
        });
  }
  for (const State& s : kStates) {
    benchmark::RegisterBenchmark((std::string("vorn_state/") + s.name).c_str(),
                                 [T = s.T, P = s.P](benchmark::State& state) {
                                   for (auto _ : state) benchmark::DoNotOptimize(vorn_state(&T, &P));
                                 });
  }
  // The gas thermometer from 273.16 K and 100 kPa down to 30 kPa (about 82 K).
  benchmark::RegisterBenchmark("vorn_cvgt_temperature/82K", [](benchmark::State& state) {
    const double P = 30.0;
    const double T0 = 273.16;
    const double P0 = 100.0;
    int iterations = 0;
    int converged = 0;
    for (auto _ : state) {
      benchmark::DoNotOptimize(vorn_cvgt_temperature(&P, &T0, &P0, &iterations, &converged));
    }
  });
}

// Per point: "scalar_loop" calls the scalar export at each point, "array" makes
// one call of the array form; items processed = points.
void register_arrays() {
  for (const auto& r : kOneArgument) {
    benchmark::RegisterBenchmark((r.name + "/scalar_loop").c_str(), [f = r.scalar](benchmark::State& state) {
      const std::vector<double>& T = sweep_T();
      std::vector<double> out(kPoints);
      for (auto _ : state) {
        for (std::size_t i = 0; i < kPoints; ++i) out[i] = f(&T[i]);
        benchmark::DoNotOptimize(out.data());
      }
      state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kPoints));
    });
    benchmark::RegisterBenchmark((r.name + "/array").c_str(), [f = r.array](benchmark::State& state) {
      const std::vector<double>& T = sweep_T();
      std::vector<double> out(kPoints);
      for (auto _ : state) {
        f(kPoints, T.data(), out.data());
        benchmark::DoNotOptimize(out.data());
      }
      state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kPoints));
    });
  }
  for (const auto& r : kTwoArguments) {
    benchmark::RegisterBenchmark((r.name + "/scalar_loop").c_str(), [f = r.scalar](benchmark::State& state) {
      const std::vector<double>& T = sweep_T();
      const std::vector<double>& P = sweep_P();
      std::vector<double> out(kPoints);
      for (auto _ : state) {
        for (std::size_t i = 0; i < kPoints; ++i) out[i] = f(&T[i], &P[i]);
        benchmark::DoNotOptimize(out.data());
      }
      state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kPoints));
    });
    benchmark::RegisterBenchmark((r.name + "/array").c_str(), [f = r.array](benchmark::State& state) {
      const std::vector<double>& T = sweep_T();
      const std::vector<double>& P = sweep_P();
      std::vector<double> out(kPoints);
      for (auto _ : state) {
        f(kPoints, T.data(), P.data(), out.data());
        benchmark::DoNotOptimize(out.data());
      }
      state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kPoints));
    });
  }
  benchmark::RegisterBenchmark("temp_K/scalar_loop", [](benchmark::State& state) {
    const std::vector<double>& T0 = sweep_T();
    const std::vector<double>& P0 = sweep_P();
    const std::vector<double> phi(kPoints, 0.5);
    std::vector<double> P(kPoints);
    for (std::size_t i = 0; i < kPoints; ++i) P[i] = 0.5 * P0[i];
    std::vector<double> out(kPoints);
    for (auto _ : state) {
      for (std::size_t i = 0; i < kPoints; ++i) out[i] = temp_K(&phi[i], &P[i], &T0[i], &P0[i]);
      benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kPoints));
  });
  benchmark::RegisterBenchmark("temp_K/array", [](benchmark::State& state) {
    const std::vector<double>& T0 = sweep_T();
    const std::vector<double>& P0 = sweep_P();
    const std::vector<double> phi(kPoints, 0.5);
    std::vector<double> P(kPoints);
    for (std::size_t i = 0; i < kPoints; ++i) P[i] = 0.5 * P0[i];
    std::vector<double> out(kPoints);
    for (auto _ : state) {
      vorn_temp_K_n(kPoints, phi.data(), P.data(), T0.data(), P0.data(), out.data());
      benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kPoints));
  });
  // The reports' array forms, which the Python package calls once for a whole
  // array: the same rows as temp_K's; the gas thermometer from each sweep
  // state to half its pressure.
  benchmark::RegisterBenchmark("vorn_temp_K_report/array", [](benchmark::State& state) {
    const std::vector<double>& T0 = sweep_T();
    const std::vector<double>& P0 = sweep_P();
    const std::vector<double> phi(kPoints, 0.5);
    std::vector<double> P(kPoints);
    for (std::size_t i = 0; i < kPoints; ++i) P[i] = 0.5 * P0[i];
    std::vector<double> out(kPoints);
    std::vector<int> iterations(kPoints);
    std::vector<int> converged(kPoints);
    for (auto _ : state) {
      vorn_temp_K_report_n(kPoints, phi.data(), P.data(), T0.data(), P0.data(), out.data(), iterations.data(),
                           converged.data());
      benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kPoints));
  });
  benchmark::RegisterBenchmark("vorn_cvgt_temperature/array", [](benchmark::State& state) {
    const std::vector<double>& T0 = sweep_T();
    const std::vector<double>& P0 = sweep_P();
    std::vector<double> P(kPoints);
    for (std::size_t i = 0; i < kPoints; ++i) P[i] = 0.5 * P0[i];
    std::vector<double> out(kPoints);
    std::vector<int> iterations(kPoints);
    std::vector<int> converged(kPoints);
    for (auto _ : state) {
      vorn_cvgt_temperature_n(kPoints, P.data(), T0.data(), P0.data(), out.data(), iterations.data(),
                              converged.data());
      benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kPoints));
  });
  benchmark::RegisterBenchmark("vorn_state/scalar_loop", [](benchmark::State& state) {
    const std::vector<double>& T = sweep_T();
    const std::vector<double>& P = sweep_P();
    std::vector<unsigned> out(kPoints);
    for (auto _ : state) {
      for (std::size_t i = 0; i < kPoints; ++i) out[i] = vorn_state(&T[i], &P[i]);
      benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kPoints));
  });
  benchmark::RegisterBenchmark("vorn_state/array", [](benchmark::State& state) {
    const std::vector<double>& T = sweep_T();
    const std::vector<double>& P = sweep_P();
    std::vector<unsigned> out(kPoints);
    for (auto _ : state) {
      vorn_state_n(kPoints, T.data(), P.data(), out.data());
      benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kPoints));
  });
  benchmark::RegisterBenchmark("vorn_state/array_gas_side", [](benchmark::State& state) {
    const GasSide& g = gas_side();
    std::vector<unsigned> out(g.T.size());
    for (auto _ : state) {
      vorn_state_n(g.T.size(), g.T.data(), g.P.data(), out.data());
      benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(g.T.size()));
  });
}

// A table of 1000 temperatures by 1000 pressures laid out row by row, as
// numpy broadcasts T[:, None] against P[None, :] and as the tool's tables
// reach the library: runs of 1000 points of one temperature. The same range
// as the sweep above; "grid" per point against "array" per point (every
// temperature different) is what keeping the part of T alone over a run
// saves.
constexpr std::size_t kGridSide = 1000;

struct Grid {
  std::vector<double> T, P;
};

const Grid& grid() {
  static const Grid g = [] {
    Grid out;
    for (std::size_t i = 0; i < kGridSide; ++i) {
      for (std::size_t j = 0; j < kGridSide; ++j) {
        out.T.push_back(1.5 + (400.0 - 1.5) * static_cast<double>(i) / kGridSide);
        out.P.push_back(100.0 * static_cast<double>(j) / kGridSide);
      }
    }
    return out;
  }();
  return g;
}

void register_grids() {
  for (const auto& r : kTwoArguments) {
    benchmark::RegisterBenchmark(
        (r.name + "/grid_1000x1000").c_str(), [f = r.array](benchmark::State& state) {
          const Grid& g = grid();
          std::vector<double> out(g.T.size());
          for (auto _ : state) {
            f(g.T.size(), g.T.data(), g.P.data(), out.data());
            benchmark::DoNotOptimize(out.data());
          }
          state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(g.T.size()));
        });
  }
}

}  // namespace

void register_reference_eos();        // reference_eos_bench.cpp
void register_reference_transport();  // reference_transport_bench.cpp

int main(int argc, char** argv) {
  benchmark::RegisterBenchmark("pow", pow_unit);
  register_scalar();
  register_arrays();
  register_grids();
  register_reference_eos();
  register_reference_transport();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
