function out = w_gk(T, P)
% vorn.w_gk  Speed of sound from Za, m/s.
%   out = vorn.w_gk(T, P), T in K, P in kPa. The arguments broadcast as
%   element-wise operators do (equal sizes, or 1, in each dimension); each
%   element is the C routine's result, bit for bit.
  out = vorn_mex('w_gk', T, P);
end
