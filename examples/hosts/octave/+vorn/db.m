function out = db(T)
% vorn.db  DB/dT, cm^3/(mol K).
%   out = vorn.db(T), T in K. The arguments broadcast as
%   element-wise operators do (equal sizes, or 1, in each dimension); each
%   element is the C routine's result, bit for bit.
  out = vorn_mex('db', T);
end
