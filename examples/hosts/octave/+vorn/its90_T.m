function [T, dTdP, flags] = its90_T(P)
% vorn.its90_T  T90 (K) from the helium-4 vapour pressure P (kPa) on the ITS-90 scale.
%   [T, dTdP, flags] = vorn.its90_T(P): dT90/dP in K/kPa; flags (uint32) 4 from 0.5 K to
%   1.25 K (outside the scale, the fit of Donnelly and Barenghi), 2 out of range (NaN).
  [T, dTdP, flags] = vorn_mex('its90_T', P);
end
