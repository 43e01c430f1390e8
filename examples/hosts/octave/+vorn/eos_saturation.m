function s = eos_saturation(by, x)
% vorn.eos_saturation  The saturated liquid and vapour of the reference equation.
%   s = vorn.eos_saturation('T', T) for T in K (1.25 to 5.1953; below 2.1768 the
%   He II bath: the liquid from the saturated-liquid fits, the vapour extrapolated), or
%   vorn.eos_saturation('P', P) for P in kPa. A struct of arrays of the shape
%   of x: T, P, rho_liquid, rho_vapour, h_liquid, h_vapour, s_liquid,
%   s_vapour, latent_heat, surface_tension (N/m), dPdT (kPa/K), evaluations,
%   viscosity_liquid, viscosity_vapour (Pa s), conductivity_liquid,
%   conductivity_vapour (W/(m K)), and flags (uint32; 2 He II below the range, 8 extrapolated: the
%   bath's vapour, 64 no solution above it).
  s = vorn_mex('eos_saturation', by, x);
end
