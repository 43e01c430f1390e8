function name = state_name(bit)
% vorn.state_name  Short name of one state flag; 'unknown' for anything else.
  name = vorn_mex('state_name', bit);
end
