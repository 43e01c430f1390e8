function out = k0(T)
% vorn.k0  Thermal conductivity at zero pressure, W/(m K).
%   out = vorn.k0(T), T in K. The arguments broadcast as
%   element-wise operators do (equal sizes, or 1, in each dimension); each
%   element is the C routine's result, bit for bit.
  out = vorn_mex('k0', T);
end
