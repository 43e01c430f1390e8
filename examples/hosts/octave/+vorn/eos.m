function out = eos(property, pair, x1, x2)
% vorn.eos  One property of the reference equation of state of helium-4.
%   out = vorn.eos(property, pair, x1, x2), e.g. vorn.eos('h', 'TP', 4.2, 100).
%   property: a key of the library's table of the equation's facts,
%   vorn_eos_facts.def (installed beside vorn.h): 'T', 'P', 'rho', 'h', 's',
%   'cp', 'w', 'q', 'phase', 'flags', the transport ('viscosity' in Pa s,
%   'conductivity' in W/(m K), ...; NaN in two phases, vorn.eos_saturation
%   has each phase's), He II's ('superfluid_fraction', ...; NaN in other
%   phases), 'lambda_distance' (T - T_lambda(P), K); a name not in the table
%   is an error that lists them all. pair: the keys of x1 and x2 joined, as
%   the table has them: 'TP', 'Trho', 'Ph', 'Tq', 'hs', .... Below 2.1768 K the He
%   II bath: vorn.eos('q', 'Ph', 1.6, vorn.eos('h', 'TP', 4.5, 300)) is 0.4627. Units of vorn.h: T in K, P in kPa, the rest SI per kilogram. x1 and
%   x2 broadcast as vorn.cp does; each element is vorn_eos_value's result,
%   bit for bit, NaN where the value is undefined (vorn.eos_state gives why).
  out = vorn_mex('eos', property, pair, x1, x2);
end
