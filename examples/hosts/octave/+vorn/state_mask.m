function mask = state_mask(routine)
% vorn.state_mask  The state flags that spoil a routine's result, as uint32.
%   mask = vorn.state_mask('cp'): the result of vorn.cp(T, P) means nothing,
%   or may be more than 1 % off, where bitand(vorn.state(T, P), mask) ~= 0.
%   routine is a name as the package has it ('b', 'cp', 'temp_K', 'Z').
  mask = vorn_mex('state_mask', routine);
end
