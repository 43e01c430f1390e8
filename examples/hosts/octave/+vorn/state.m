function flags = state(T, P)
% vorn.state  Which results mean nothing at (T, P): a uint32 set of flags.
%   flags = vorn.state(T, P), T in K, P in kPa, broadcast as vorn.cp does.
%   Test a flag with bitand(flags, f.LIQUID) where f = vorn.state_flags().
  flags = vorn_mex('state', T, P);
end
