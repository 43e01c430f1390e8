function [P, dTdP, flags] = its90_P(T)
% vorn.its90_P  The helium-4 vapour pressure (kPa) at T90 (K) on the ITS-90 scale.
%   [P, dTdP, flags] = vorn.its90_P(T): dT90/dP in K/kPa; flags as vorn.its90_T.
  [P, dTdP, flags] = vorn_mex('its90_P', T);
end
