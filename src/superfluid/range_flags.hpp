// The flags of the saturated-liquid properties and of the vapour-pressure
// scale, the same bits as VORN_SVP_FLAG_* of vorn.h (the exports check it).
#pragma once

namespace vorn::superfluid {

inline constexpr unsigned flag_bad_input = 1U;      // T or p not finite or not positive: NaN
inline constexpr unsigned flag_out_of_range = 2U;   // outside the fit (or the scale and its extension): NaN
inline constexpr unsigned flag_outside_scale = 4U;  // 0.5 K to 1.25 K: a value, but not ITS-90
inline constexpr unsigned flag_at_lambda = 8U;  // at the lambda point, where the property has no value: NaN
// A He II channel whose warm end would pass T_lambda: NaN.
inline constexpr unsigned flag_past_lambda = 16U;

}  // namespace vorn::superfluid
