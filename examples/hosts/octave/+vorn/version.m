function v = version()
% vorn.version  The version of the vorn library loaded, 'MAJOR.MINOR.PATCH'.
  v = vorn_mex('version');
end
