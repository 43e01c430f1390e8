function out = temp_K(phi, P, T0, P0)
% vorn.temp_K  Acoustic thermometer temperature, K (phi the ratio of squared sound speeds).
%   out = vorn.temp_K(phi, P, T0, P0), P and P0 in kPa, T0 in K. The arguments broadcast as
%   element-wise operators do (equal sizes, or 1, in each dimension); each
%   element is the C routine's result, bit for bit.
  out = vorn_mex('temp_K', phi, P, T0, P0);
end
