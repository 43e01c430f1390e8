! The vorn library seen from Fortran: every exported routine and module
! constant bound to its exported name. Arguments pass by reference (no VALUE
! attribute), as the library expects; results are returned by value.
module vorn_library
  use, intrinsic :: iso_c_binding, only: c_double
  implicit none
  private
  public :: g0, m0, pi, r
  public :: b, db, d2b, c, dc, d2c, d, dd, d2d
  public :: vorn_rho, vorn_vol, vorn_cv, vorn_cp, vorn_gamma, vorn_w
  public :: vorn_Za_gk, vorn_w_gk, temp_K, vorn_k0, vorn_k, vorn_nu0, vorn_nu

  ! The module constants, shared with the library: a store here is seen by
  ! the library's next call.
  real(c_double), bind(C, name="__vorn_MOD_g0") :: g0
  real(c_double), bind(C, name="__vorn_MOD_m0") :: m0
  real(c_double), bind(C, name="__vorn_MOD_pi") :: pi
  real(c_double), bind(C, name="__vorn_MOD_r") :: r

  interface
    real(c_double) function b(T) bind(C, name="__vorn_MOD_b")
      import :: c_double
      real(c_double), intent(in) :: T
    end function
    real(c_double) function db(T) bind(C, name="__vorn_MOD_db")
      import :: c_double
      real(c_double), intent(in) :: T
    end function
    real(c_double) function d2b(T) bind(C, name="__vorn_MOD_d2b")
      import :: c_double
      real(c_double), intent(in) :: T
    end function
    real(c_double) function c(T) bind(C, name="__vorn_MOD_c")
      import :: c_double
      real(c_double), intent(in) :: T
    end function
    real(c_double) function dc(T) bind(C, name="__vorn_MOD_dc")
      import :: c_double
      real(c_double), intent(in) :: T
    end function
    real(c_double) function d2c(T) bind(C, name="__vorn_MOD_d2c")
      import :: c_double
      real(c_double), intent(in) :: T
    end function
    real(c_double) function d(T) bind(C, name="__vorn_MOD_d")
      import :: c_double
      real(c_double), intent(in) :: T
    end function
    real(c_double) function dd(T) bind(C, name="__vorn_MOD_dd")
      import :: c_double
      real(c_double), intent(in) :: T
    end function
    real(c_double) function d2d(T) bind(C, name="__vorn_MOD_d2d")
      import :: c_double
      real(c_double), intent(in) :: T
    end function

    real(c_double) function vorn_rho(T, P) bind(C, name="vorn_rho")
      import :: c_double
      real(c_double), intent(in) :: T, P
    end function
    real(c_double) function vorn_vol(T, P) bind(C, name="vorn_vol")
      import :: c_double
      real(c_double), intent(in) :: T, P
    end function
    real(c_double) function vorn_cv(T, P) bind(C, name="vorn_cv")
      import :: c_double
      real(c_double), intent(in) :: T, P
    end function
    real(c_double) function vorn_cp(T, P) bind(C, name="vorn_cp")
      import :: c_double
      real(c_double), intent(in) :: T, P
    end function
    real(c_double) function vorn_gamma(T, P) bind(C, name="vorn_gamma")
      import :: c_double
      real(c_double), intent(in) :: T, P
    end function
    real(c_double) function vorn_w(T, P) bind(C, name="vorn_w")
      import :: c_double
      real(c_double), intent(in) :: T, P
    end function
    real(c_double) function vorn_Za_gk(T, P) bind(C, name="vorn_Za_gk")
      import :: c_double
      real(c_double), intent(in) :: T, P
    end function
    real(c_double) function vorn_w_gk(T, P) bind(C, name="vorn_w_gk")
      import :: c_double
      real(c_double), intent(in) :: T, P
    end function
    real(c_double) function temp_K(phi, P, T0, P0) bind(C, name="temp_K")
      import :: c_double
      real(c_double), intent(in) :: phi, P, T0, P0
    end function
    real(c_double) function vorn_k0(T) bind(C, name="vorn_k0")
      import :: c_double
      real(c_double), intent(in) :: T
    end function
    real(c_double) function vorn_k(T, P) bind(C, name="vorn_k")
      import :: c_double
      real(c_double), intent(in) :: T, P
    end function
    real(c_double) function vorn_nu0(T) bind(C, name="vorn_nu0")
      import :: c_double
      real(c_double), intent(in) :: T
    end function
    real(c_double) function vorn_nu(T, P) bind(C, name="vorn_nu")
      import :: c_double
      real(c_double), intent(in) :: T, P
    end function
  end interface
end module vorn_library
