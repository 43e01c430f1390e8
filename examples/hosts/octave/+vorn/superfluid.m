function [v, flags] = superfluid(name, T)
% vorn.superfluid  The saturated liquid of helium-4, He II included (0 K to 5.15 K).
%   v = vorn.superfluid(name, T) for T in K (an array), name one of 'rho' (kg/m^3),
%   'alpha' (1/K), 'rho_s', 'rho_normal' (kg/m^3), 'fraction_s', 'u1', 'u2' (m/s),
%   'c', 's' (J/(kg K), along saturation), 'L' (J/kg), 'eta_n' (Pa s), 'B', 'B_prime',
%   'P' (kPa), 'heat_conductivity_function' (He II f^-1 for m = 3, W^3 m^-5 K^-1, 1.4 K
%   on, 0 from T_lambda). NaN outside the fit's range; [v, flags] gives the flags too (uint32:
%   1 bad input, 2 out of range, 8 at the lambda point). See docs/superfluid.md.
  [v, flags] = vorn_mex('svp', name, T);
end
