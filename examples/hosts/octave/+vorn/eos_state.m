function s = eos_state(pair, x1, x2)
% vorn.eos_state  Every property of the reference equation of state at once.
%   s = vorn.eos_state(pair, x1, x2), pair as for vorn.eos ('TP', 'Ph', ...).
%   A struct of arrays of the broadcast shape, a field for each of
%   vorn_eos_state's (vorn_eos_facts.def): T, P, rho, ... q, phase (0 none,
%   1 liquid, 2 vapour, 3 supercritical, 4 two-phase, 5 He II), evaluations,
%   the transport (NaN in two phases), He II's, lambda_distance,
%   fourth_sound, and flags (uint32: 1 bad input, 2 He II, 4 solid, 8
%   extrapolated, 16 out of range, 32 not unique, 64 no solution, 128 not
%   converged, 256 undefined, 512 near the lambda line).
  s = vorn_mex('eos_state', pair, x1, x2);
end
