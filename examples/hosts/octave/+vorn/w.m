function out = w(T, P)
% vorn.w  Speed of sound (acoustic virial series), m/s.
%   out = vorn.w(T, P), T in K, P in kPa. The arguments broadcast as
%   element-wise operators do (equal sizes, or 1, in each dimension); each
%   element is the C routine's result, bit for bit.
  out = vorn_mex('w', T, P);
end
