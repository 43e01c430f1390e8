function [v, flags] = channel(what, varargin)
% vorn.channel  Heat through a channel of He II from a saturated bath (turbulent counterflow).
%   q = vorn.channel('peak_flux', T_bath, L, m)        peak heat flux, W/m^2 (warm end at T_lambda)
%   T = vorn.channel('warm_end', T_bath, L, q, m)      warm-end temperature, K, for q in W/m^2
%   q = vorn.channel('heat_flux', T_bath, T_warm, L, m) heat flux, W/m^2, for a warm end at T_warm
%   T_bath in K (1.4 to below 2.1768), L in m, m the exponent of dT/dx = -f q^m (3; 2 to 4).
%   Arrays broadcast. NaN where there is no answer; [v, flags] gives the flags (uint32: 1 bad
%   input, 2 bath out of range, 16 past lambda: q above the peak flux). See docs/superfluid.md.
  [v, flags] = vorn_mex('channel', what, varargin{:});
end
