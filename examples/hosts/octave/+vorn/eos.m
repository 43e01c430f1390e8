function out = eos(property, pair, x1, x2)
% vorn.eos  One property of the reference equation of state of helium-4.
%   out = vorn.eos(property, pair, x1, x2), e.g. vorn.eos('h', 'TP', 4.2, 100).
%   property: 'T', 'P', 'rho', 'vm', 'u', 'h', 's', 'g', 'cv', 'cp', 'cp_cv',
%   'w', 'jt', 'kappa_T', 'alpha_V', 'dpdT', 'dpdrho', 'B', 'Z', 'q', 'phase',
%   'flags', or the transport: 'viscosity' (Pa s), 'conductivity' (W/(m K)),
%   'kinematic_viscosity', 'thermal_diffusivity' (m^2/s), 'prandtl' (NaN in
%   two phases; vorn.eos_saturation has each phase's), He II's
%   'superfluid_fraction', 'second_sound', 'heat_conductivity_function' (NaN
%   in other phases); pair: 'TP', 'Trho', 'Prho', 'Ph', 'Ps', 'Ts', 'rhou',
%   'Tq', 'Pq', 'Pu', 'Th', 'Tu', 'rhoh', 'rhos' or 'hs'. Below 2.1768 K the He
%   II bath: vorn.eos('q', 'Ph', 1.6, vorn.eos('h', 'TP', 4.5, 300)) is 0.4627. Units of vorn.h: T in K, P in kPa, the rest SI per kilogram. x1 and
%   x2 broadcast as vorn.cp does; each element is vorn_eos_value's result,
%   bit for bit, NaN where the value is undefined (vorn.eos_state gives why).
  out = vorn_mex('eos', property, pair, x1, x2);
end
