function out = cp(T, P)
% vorn.cp  Isobaric specific heat capacity, J/(kg K).
%   out = vorn.cp(T, P), T in K, P in kPa. The arguments broadcast as
%   element-wise operators do (equal sizes, or 1, in each dimension); each
%   element is the C routine's result, bit for bit.
  out = vorn_mex('cp', T, P);
end
