function s = eos_state(pair, x1, x2)
% vorn.eos_state  Every property of the reference equation of state at once.
%   s = vorn.eos_state(pair, x1, x2), pair as for vorn.eos ('TP', 'Ph', ...).
%   A struct of arrays of the broadcast shape: T, P, rho, vm, u, h, s, g, cv,
%   cp, cp_cv, w, jt, kappa_T, alpha_V, dpdT, dpdrho, B, Z, q, phase (0 none,
%   1 liquid, 2 vapour, 3 supercritical, 4 two-phase), evaluations, the
%   transport (viscosity in Pa s, conductivity in W/(m K), kinematic_viscosity
%   and thermal_diffusivity in m^2/s, prandtl; NaN in two phases), and flags
%   (uint32: 1 bad input, 2 He II, 4 solid, 8 extrapolated, 16 out of range,
%   32 not unique, 64 no solution, 128 not converged).
  s = vorn_mex('eos_state', pair, x1, x2);
end
