function out = k(T, P)
% vorn.k  Thermal conductivity, W/(m K).
%   out = vorn.k(T, P), T in K, P in kPa. The arguments broadcast as
%   element-wise operators do (equal sizes, or 1, in each dimension); each
%   element is the C routine's result, bit for bit.
  out = vorn_mex('k', T, P);
end
