! A Fortran host of vorn: reference values through the interface module, and
! the module constants shared with the library.
program host
  use, intrinsic :: iso_c_binding, only: c_double
  use vorn_library
  implicit none
  integer :: failures = 0
  real(c_double) :: saved, w_before
  real(c_double), parameter :: T20 = 20.0_c_double, P1000 = 1000.0_c_double

  call check('B(300 K)', b(300.0_c_double), 11.8191108_c_double, 1e-8_c_double)
  call check('C(300 K)', c(300.0_c_double), 108.3088004_c_double, 1e-9_c_double)
  call check('D(300 K)', d(300.0_c_double), 687.3752715_c_double, 1e-9_c_double)
  call check('dB/dT(20 K)', db(T20), 1.003465368_c_double, 1e-9_c_double)
  call check('rho(20 K, 1000 kPa)', vorn_rho(T20, P1000), 24.185122_c_double, 1e-7_c_double)
  call check('cp(20 K, 1000 kPa)', vorn_cp(T20, P1000), 5697.8757_c_double, 1e-7_c_double)
  call check('cv(20 K, 1000 kPa)', vorn_cv(T20, P1000), 3129.1324_c_double, 1e-7_c_double)
  call check('w(20 K, 1000 kPa)', vorn_w(T20, P1000), 275.07690_c_double, 1e-7_c_double)
  call check('Za(300 K, 1000 kPa)', vorn_Za_gk(300.0_c_double, P1000), 1.008771834_c_double, 1e-9_c_double)
  call check('k(20 K, 1000 kPa)', vorn_k(T20, P1000), 0.02935600372_c_double, 1e-9_c_double)
  call check('nu(20 K, 1000 kPa)', vorn_nu(T20, P1000), 3.754553239e-06_c_double, 1e-9_c_double)
  call check('temp_K(0.1, 10, 273.16, 100)', &
             temp_K(0.1_c_double, 10.0_c_double, 273.16_c_double, 100.0_c_double), &
             27.3233161208_c_double, 1e-11_c_double)

  ! The constants are the library's own: g0 is one unit in the last place above 5/3.
  call check('g0', g0, 1.666666666666667_c_double, 0.0_c_double)
  if (g0 == 5.0_c_double / 3.0_c_double) then
    print '(a)', 'FAIL g0 equals 5/3'
    failures = failures + 1
  end if

  ! A store into g0 here is seen by the library's next call.
  w_before = vorn_w_gk(T20, P1000)
  saved = g0
  g0 = 4.0_c_double * saved
  call check('w_gk with g0 times four', vorn_w_gk(T20, P1000), 2.0_c_double * w_before, 0.0_c_double)
  g0 = saved
  call check('w_gk with g0 restored', vorn_w_gk(T20, P1000), w_before, 0.0_c_double)

  print '(a,i0,a)', 'Fortran host: ', failures, ' failure(s)'
  if (failures /= 0) error stop 1

contains

  subroutine check(what, got, want, rel)
    character(*), intent(in) :: what
    real(c_double), intent(in) :: got, want, rel
    if (abs(got - want) <= rel * abs(want)) then
      print '(a,a,es22.14)', 'ok   ', what, got
    else
      print '(a,a,es22.14,a,es22.14)', 'FAIL ', what, got, ' expected ', want
      failures = failures + 1
    end if
  end subroutine check
end program host
