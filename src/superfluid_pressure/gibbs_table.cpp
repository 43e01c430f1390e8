// The table of gibbs_table.hpp: its edges, its cells and their fits.
#include "superfluid_pressure/gibbs_table.hpp"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <new>

#include "constants/double_pair.hpp"
#include "reference_eos/boundaries.hpp"
#include "reference_eos/he_ii_liquid_data.hpp"
#include "superfluid/density.hpp"
#include "superfluid/heat_capacity.hpp"
#include "superfluid/vapour_pressure.hpp"
#include "superfluid_pressure/flash.hpp"

namespace vorn::superfluid_pressure {
namespace {

namespace eos = reference_eos;

// ---- Edges in T --------------------------------------------------------

constexpr double table_lowest = plane_lowest_temperature;             // K
constexpr double table_highest = eos::lambda_saturation_temperature;  // K
constexpr double lower_step = 0.025;                                  // K, below 1.25 K
constexpr int lower_steps = 18;                                       // 0.8 K to 1.25 K
// At most: the grid, the four single edges below, and every knot and node.
constexpr std::size_t most_edges = lower_steps + 1 + 4 + superfluid::vapour_pressure_spline.t.size() +
                                   superfluid::heat_capacity_below_spline.t.size() +
                                   eos::he_ii_liquid_nodes.size();

struct Edges {
  std::array<double, most_edges> T{};
  std::size_t count = 0;
};

constexpr void insert(Edges& e, double T) {
  if (!(T >= table_lowest && T <= table_highest)) return;
  std::size_t i = e.count;
  while (i > 0 && e.T[i - 1] > T) --i;
  if (i > 0 && e.T[i - 1] == T) return;
  for (std::size_t k = e.count; k > i; --k) e.T[k] = e.T[k - 1];
  e.T[i] = T;
  ++e.count;
}

// Every temperature where a function of T in the model has a joint: the
// bath's table (cubic Hermite between its nodes), the spline knots of the
// heat capacity and (below 1.25 K) of the vapour pressure, the density's
// join, the vapour pressure's junction; and a 0.025 K grid below 1.25 K.
constexpr Edges make_edges() {
  Edges e;
  for (int k = 0; k <= lower_steps; ++k) insert(e, table_lowest + lower_step * k);
  insert(e, superfluid::density_polynomial_end - superfluid::density_join);
  insert(e, superfluid::density_polynomial_end);
  insert(e, saturation_junction);
  for (const double t : superfluid::vapour_pressure_spline.t)
    if (t < saturation_junction) insert(e, t);
  for (const double t : superfluid::heat_capacity_below_spline.t) insert(e, t);
  for (const auto& node : eos::he_ii_liquid_nodes) insert(e, node.T);
  insert(e, table_highest);
  return e;
}
constexpr Edges edges = make_edges();
constexpr std::size_t T_cells = edges.count - 1;

// ---- Rows in p ---------------------------------------------------------

constexpr int p_cells = 30;
constexpr double p_highest = eos::lambda_melting_pressure;  // Pa
constexpr double p_step = p_highest / p_cells;

// ---- Cells -------------------------------------------------------------

constexpr int nodes = 6;
constexpr int quantities = 8;  // GibbsValues' fields, in order
constexpr int deepest = 5;     // levels of cutting in four
constexpr double clearance = 3.0;
constexpr double fit_tolerance = 1e-10;

// cos(pi (i + 1/2)/6): the first kind's nodes on [-1, 1].
constexpr std::array<double, nodes> chebyshev_nodes{0.96592582628906828675,  0.70710678118654752440,
                                                    0.25881904510252076235,  -0.25881904510252076235,
                                                    -0.70710678118654752440, -0.96592582628906828675};

enum Kind : int { no_fit = 0, fitted, cut };

struct Cell {
  Kind kind;
  std::atomic<Cell*> part[4];  // cut: the quarters, (T lower/upper) x (p lower/upper)
};
// A fitted cell: the coefficients of T_k(x) T_l(y), the quantities innermost
// (so that one product of the basis serves all eight, side by side).
struct FittedCell : Cell {
  double c[nodes][nodes][quantities];
};
// Every cell without a fit points here (zero-initialised: no_fit).
Cell no_fit_cell;

std::atomic<Cell*> base_cells[T_cells][p_cells];

struct Box {
  double T0, T1, p0, p1;
};

std::array<double, quantities> as_array(const GibbsValues& g) {
  return {g.g, g.s, g.cp, g.v, g.v_T, g.v_p, g.ds, g.cp_s};
}

// How far a value may miss the model: relative, with a floor where the
// value crosses zero (g, s, ds; V_T at the density's minimum).
constexpr std::array<double, quantities> floors{10.0, 1.0, 1.0, 0.0, 1e-5, 0.0, 1.0, 1.0};

// The Chebyshev polynomials T_0..T_5 at x.
std::array<double, nodes> basis(double x) {
  std::array<double, nodes> b{};
  b[0] = 1.0;
  b[1] = x;
  for (int k = 2; k < nodes; ++k) b[k] = 2.0 * x * b[k - 1] - b[k - 2];
  return b;
}

void evaluate(const FittedCell& cell, const Box& box, double T, double p,
              std::array<double, quantities>& out) {
  const std::array<double, nodes> bx = basis((2.0 * T - box.T0 - box.T1) / (box.T1 - box.T0));
  const std::array<double, nodes> by = basis((2.0 * p - box.p0 - box.p1) / (box.p1 - box.p0));
  // Each quantity's sum in the order of k then l, two quantities a register.
  constexpr std::size_t pairs = quantities / 2;
  DoublePair sum[pairs] = {};
  for (int k = 0; k < nodes; ++k)
    for (int l = 0; l < nodes; ++l) {
      const DoublePair w = broadcast_pair(bx[k] * by[l]);
      for (std::size_t q = 0; q < pairs; ++q) sum[q] += load_pair(&cell.c[k][l][2 * q]) * w;
    }
  for (std::size_t q = 0; q < pairs; ++q) {
    out[2 * q] = sum[q][0];
    out[2 * q + 1] = sum[q][1];
  }
}

// The line's distance at least clearance times the cell's extent towards it.
bool clear_of_line(const Box& b) {
  const double line_hi = eos::lambda_line_temperature(b.p1);
  const double line_lo = eos::lambda_line_temperature(b.p0);
  const double extent = (b.T1 - b.T0) + (line_lo - line_hi);
  return line_hi - b.T1 >= clearance * extent;
}

GibbsValues model(double T, double p) { return he_ii_gibbs(T, p, saturated_line(T)); }

// The fit on the nodes, checked at the corners and the centre; false where
// it misses.
bool fit(FittedCell& cell, const Box& box) {
  double f[quantities][nodes][nodes];
  for (int i = 0; i < nodes; ++i) {
    const double T = 0.5 * (box.T0 + box.T1) + 0.5 * (box.T1 - box.T0) * chebyshev_nodes[i];
    for (int j = 0; j < nodes; ++j) {
      const double p = 0.5 * (box.p0 + box.p1) + 0.5 * (box.p1 - box.p0) * chebyshev_nodes[j];
      const std::array<double, quantities> v = as_array(model(T, p));
      for (int q = 0; q < quantities; ++q) {
        if (!std::isfinite(v[q])) return false;
        f[q][i][j] = v[q];
      }
    }
  }
  std::array<std::array<double, nodes>, nodes> t{};  // t[k][i] = T_k(x_i)
  for (int i = 0; i < nodes; ++i) {
    const std::array<double, nodes> b = basis(chebyshev_nodes[i]);
    for (int k = 0; k < nodes; ++k) t[k][i] = b[k];
  }
  for (int q = 0; q < quantities; ++q)
    for (int k = 0; k < nodes; ++k)
      for (int l = 0; l < nodes; ++l) {
        double sum = 0.0;
        for (int i = 0; i < nodes; ++i)
          for (int j = 0; j < nodes; ++j) sum += f[q][i][j] * t[k][i] * t[l][j];
        const double scale = (k == 0 ? 1.0 : 2.0) * (l == 0 ? 1.0 : 2.0) / (nodes * nodes);
        cell.c[k][l][q] = scale * sum;
      }
  constexpr double at = 0.999;
  constexpr std::array<std::array<double, 2>, 5> checks{
      {{-at, -at}, {-at, at}, {at, -at}, {at, at}, {0.0, 0.0}}};
  for (const auto& x : checks) {
    const double T = 0.5 * (box.T0 + box.T1) + 0.5 * (box.T1 - box.T0) * x[0];
    const double p = 0.5 * (box.p0 + box.p1) + 0.5 * (box.p1 - box.p0) * x[1];
    const std::array<double, quantities> exact = as_array(model(T, p));
    std::array<double, quantities> got{};
    evaluate(cell, box, T, p, got);
    for (int q = 0; q < quantities; ++q)
      if (!(std::fabs(got[q] - exact[q]) <= fit_tolerance * (std::fabs(exact[q]) + floors[q]))) return false;
  }
  return true;
}

// A cell of the kind (with room for its coefficients if fitted), or nullptr
// where no memory is left.
template <typename CellType>
CellType* new_cell(Kind kind) {
  void* memory = std::malloc(sizeof(CellType));
  if (memory == nullptr) return nullptr;
  auto* cell = new (memory) CellType;
  cell->kind = kind;
  for (auto& part : cell->part) part.store(nullptr, std::memory_order_relaxed);
  return cell;
}

// The cell for the box at this level: fitted where it is clear of the line
// and its fit holds, else cut in four (down to the deepest level), else no
// fit. nullptr where no memory is left.
Cell* build(const Box& box, int level) {
  if (clear_of_line(box)) {
    auto* cell = new_cell<FittedCell>(fitted);
    if (cell == nullptr) return nullptr;
    if (fit(*cell, box)) return cell;
    std::free(cell);
  }
  if (level == deepest) return &no_fit_cell;
  return new_cell<Cell>(cut);
}

// The slot's cell, built if nobody has yet; the first one stored wins.
Cell* cell_in(std::atomic<Cell*>& slot, const Box& box, int level) {
  Cell* cell = slot.load(std::memory_order_acquire);
  if (cell != nullptr) return cell;
  Cell* built = build(box, level);
  if (built == nullptr) return nullptr;
  if (slot.compare_exchange_strong(cell, built, std::memory_order_acq_rel, std::memory_order_acquire))
    return built;
  if (built != &no_fit_cell) std::free(built);
  return cell;
}

}  // namespace

bool tabulated_gibbs(double T, double p, GibbsValues& out) {
  if (!(T >= table_lowest && T < table_highest && p >= 0.0 && p < p_highest)) return false;
  // The T cell: the last edge at or below T.
  std::size_t lo = 0;
  std::size_t hi = edges.count - 1;
  while (hi - lo > 1) {
    const std::size_t mid = (lo + hi) / 2;
    if (edges.T[mid] <= T)
      lo = mid;
    else
      hi = mid;
  }
  const int row = std::min(static_cast<int>(p / p_step), p_cells - 1);
  Box box{edges.T[lo], edges.T[lo + 1], row * p_step, row + 1 == p_cells ? p_highest : (row + 1) * p_step};
  Cell* cell = cell_in(base_cells[lo][row], box, 0);
  for (int level = 1; cell != nullptr && cell->kind == cut; ++level) {
    const double T_mid = 0.5 * (box.T0 + box.T1);
    const double p_mid = 0.5 * (box.p0 + box.p1);
    const bool upper_T = T >= T_mid;
    const bool upper_p = p >= p_mid;
    (upper_T ? box.T0 : box.T1) = T_mid;
    (upper_p ? box.p0 : box.p1) = p_mid;
    cell = cell_in(cell->part[(upper_T ? 2 : 0) + (upper_p ? 1 : 0)], box, level);
  }
  if (cell == nullptr || cell->kind != fitted) return false;
  std::array<double, quantities> v{};
  evaluate(*static_cast<const FittedCell*>(cell), box, T, p, v);
  out = {v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]};
  return true;
}

}  // namespace vorn::superfluid_pressure
