Attribute VB_Name = "vorn"
' vorn for Excel: thermophysical properties of helium-4 gas as worksheet functions.
'
' Import this module into a workbook (VBA editor: File > Import File) and put
' vorn.dll (64-bit) beside the workbook or on the PATH; then in a cell:
'
'   =VornCp(20, 1000)       isobaric specific heat capacity at 20 K, 1000 kPa, J/(kg K)
'   =VornRho(A2, B2)        density, kg/m^3, T in K and P in kPa as everywhere in vorn
'   =VornState(4.2, 100)    the state flags (2: liquid side of the saturation curve)
'   =VornEos("h", "TP", 4.2, 100)             the reference equation of state: h, J/kg
'   =VornEosSaturation("T", 4.2, "latent_heat") its saturated liquid and vapour
'
' A result that is not a finite number (NaN, infinity) shows as #NUM!.
'
' 64-bit Office only, as written. vorn.dll uses the C calling convention
' (cdecl) on every platform, which is the only one 64-bit Windows has. 32-bit
' VBA calls every Declare'd routine with stdcall instead: against the 32-bit
' vorn.dll it stops with error 49, "Bad DLL calling convention". 32-bit
' Office needs a small stdcall wrapper DLL in between (not provided).
'
' Every routine takes the addresses of its doubles: VBA's ByRef As Double is
' exactly that, and worksheet functions pass their ByVal copies on by
' reference. Names beginning with two underscores are not VBA identifiers, so
' the virial routines are declared under an Alias. The module constants are
' exported data, which VBA cannot reach: vorn_get_constant and
' vorn_set_constant read and write the same storage.
Option Explicit

' The 22 routines (every argument the address of a double, as the library takes it).
Private Declare PtrSafe Function vorn_b Lib "vorn.dll" Alias "__vorn_MOD_b" (ByRef T As Double) As Double
Private Declare PtrSafe Function vorn_db Lib "vorn.dll" Alias "__vorn_MOD_db" (ByRef T As Double) As Double
Private Declare PtrSafe Function vorn_d2b Lib "vorn.dll" Alias "__vorn_MOD_d2b" (ByRef T As Double) As Double
Private Declare PtrSafe Function vorn_c Lib "vorn.dll" Alias "__vorn_MOD_c" (ByRef T As Double) As Double
Private Declare PtrSafe Function vorn_dc Lib "vorn.dll" Alias "__vorn_MOD_dc" (ByRef T As Double) As Double
Private Declare PtrSafe Function vorn_d2c Lib "vorn.dll" Alias "__vorn_MOD_d2c" (ByRef T As Double) As Double
Private Declare PtrSafe Function vorn_d Lib "vorn.dll" Alias "__vorn_MOD_d" (ByRef T As Double) As Double
Private Declare PtrSafe Function vorn_dd Lib "vorn.dll" Alias "__vorn_MOD_dd" (ByRef T As Double) As Double
Private Declare PtrSafe Function vorn_d2d Lib "vorn.dll" Alias "__vorn_MOD_d2d" (ByRef T As Double) As Double
Private Declare PtrSafe Function vorn_rho Lib "vorn.dll" (ByRef T As Double, ByRef P As Double) As Double
Private Declare PtrSafe Function vorn_vol Lib "vorn.dll" (ByRef T As Double, ByRef P As Double) As Double
Private Declare PtrSafe Function vorn_cv Lib "vorn.dll" (ByRef T As Double, ByRef P As Double) As Double
Private Declare PtrSafe Function vorn_cp Lib "vorn.dll" (ByRef T As Double, ByRef P As Double) As Double
Private Declare PtrSafe Function vorn_gamma Lib "vorn.dll" (ByRef T As Double, ByRef P As Double) As Double
Private Declare PtrSafe Function vorn_w Lib "vorn.dll" (ByRef T As Double, ByRef P As Double) As Double
Private Declare PtrSafe Function vorn_Za_gk Lib "vorn.dll" (ByRef T As Double, ByRef P As Double) As Double
Private Declare PtrSafe Function vorn_w_gk Lib "vorn.dll" (ByRef T As Double, ByRef P As Double) As Double
Private Declare PtrSafe Function temp_K Lib "vorn.dll" _
    (ByRef phi As Double, ByRef P As Double, ByRef T0 As Double, ByRef P0 As Double) As Double
Private Declare PtrSafe Function vorn_k0 Lib "vorn.dll" (ByRef T As Double) As Double
Private Declare PtrSafe Function vorn_k Lib "vorn.dll" (ByRef T As Double, ByRef P As Double) As Double
Private Declare PtrSafe Function vorn_nu0 Lib "vorn.dll" (ByRef T As Double) As Double
Private Declare PtrSafe Function vorn_nu Lib "vorn.dll" (ByRef T As Double, ByRef P As Double) As Double

' Module constants by name: 64-bit VBA cannot reach exported data.
Private Declare PtrSafe Function vorn_get_constant Lib "vorn.dll" (ByVal name As String) As Double
Private Declare PtrSafe Function vorn_set_constant Lib "vorn.dll" _
    (ByVal name As String, ByVal value As Double) As Long
Private Declare PtrSafe Function vorn_version Lib "vorn.dll" () As LongPtr

' State flags, the thermometer report, the true compressibility factor, the gas thermometer.
Private Declare PtrSafe Function vorn_state Lib "vorn.dll" (ByRef T As Double, ByRef P As Double) As Long
Private Declare PtrSafe Function vorn_state_name Lib "vorn.dll" (ByVal bit As Long) As LongPtr
Private Declare PtrSafe Function vorn_temp_K_report Lib "vorn.dll" _
    (ByRef phi As Double, ByRef P As Double, ByRef T0 As Double, ByRef P0 As Double, ByRef iterations As Long, ByRef converged As Long) As Double
Private Declare PtrSafe Function vorn_Z Lib "vorn.dll" (ByRef T As Double, ByRef P As Double) As Double
Private Declare PtrSafe Function vorn_cvgt_temperature Lib "vorn.dll" _
    (ByRef P As Double, ByRef T0 As Double, ByRef P0 As Double, ByRef iterations As Long, ByRef converged As Long) As Double

' The reference equation of state. Its property and pair codes are const int*
' (ByRef As Long); its structs are these Types, laid out as in vorn.h (64-bit
' VBA aligns each member on its own size, as C does). `size` is set to
' LenB(...) before each call: the library writes only the fields that fit.
' --- Made by scripts/eos_facts.py --excel-write from vorn_eos_facts.def: do not edit; regenerate. ---
Public Type VornEosState
    size As LongPtr
    flags As Long
    phase As Long
    T As Double
    P As Double
    rho As Double
    vm As Double
    u As Double
    h As Double
    s As Double
    g As Double
    cv As Double
    cp As Double
    cp_cv As Double
    w As Double
    jt As Double
    kappa_T As Double
    alpha_V As Double
    dpdT As Double
    dpdrho As Double
    B As Double
    Z As Double
    q As Double
    evaluations As Long
    viscosity As Double
    conductivity As Double
    kinematic_viscosity As Double
    thermal_diffusivity As Double
    prandtl As Double
    superfluid_fraction As Double
    second_sound As Double
    heat_conductivity_function As Double
    lambda_distance As Double
    fourth_sound As Double
End Type

Public Type VornEosSaturation
    size As LongPtr
    flags As Long
    T As Double
    P As Double
    rho_liquid As Double
    rho_vapour As Double
    h_liquid As Double
    h_vapour As Double
    s_liquid As Double
    s_vapour As Double
    latent_heat As Double
    surface_tension As Double
    dPdT As Double
    evaluations As Long
    viscosity_liquid As Double
    viscosity_vapour As Double
    conductivity_liquid As Double
    conductivity_vapour As Double
End Type

' The cells of a state's row (VornEosState).
Private Const EOS_STATE_CELLS As Long = 33
' --- End of the part made by scripts/eos_facts.py. ---

Private Declare PtrSafe Function vorn_eos_value Lib "vorn.dll" _
    (ByRef property As Long, ByRef pair As Long, ByRef x1 As Double, ByRef x2 As Double) As Double
Private Declare PtrSafe Sub vorn_eos_value_n Lib "vorn.dll" _
    (ByVal n As LongPtr, ByRef property As Long, ByRef pair As Long, ByRef x1 As Double, ByRef x2 As Double, ByRef out As Double)
Private Declare PtrSafe Function vorn_eos_state_at Lib "vorn.dll" _
    (ByRef pair As Long, ByRef x1 As Double, ByRef x2 As Double, ByRef out As VornEosState) As Long
Private Declare PtrSafe Function vorn_eos_state_n Lib "vorn.dll" _
    (ByVal n As LongPtr, ByRef pair As Long, ByRef x1 As Double, ByRef x2 As Double, ByRef out As VornEosState) As Long
Private Declare PtrSafe Function vorn_eos_saturation_T Lib "vorn.dll" _
    (ByRef T As Double, ByRef out As VornEosSaturation) As Long
Private Declare PtrSafe Function vorn_eos_saturation_P Lib "vorn.dll" _
    (ByRef P As Double, ByRef out As VornEosSaturation) As Long
Private Declare PtrSafe Function vorn_eos_melting_pressure Lib "vorn.dll" (ByRef T As Double) As Double
Private Declare PtrSafe Function vorn_eos_lambda_temperature Lib "vorn.dll" (ByRef P As Double) As Double

' The saturated liquid (He II included) and the ITS-90 helium-4 vapour-pressure scale.
Private Declare PtrSafe Function vorn_svp_rho Lib "vorn.dll" (ByRef T As Double, ByRef flags As Long) As Double
Private Declare PtrSafe Function vorn_svp_alpha Lib "vorn.dll" (ByRef T As Double, ByRef flags As Long) As Double
Private Declare PtrSafe Function vorn_svp_rho_s Lib "vorn.dll" (ByRef T As Double, ByRef flags As Long) As Double
Private Declare PtrSafe Function vorn_svp_rho_normal Lib "vorn.dll" (ByRef T As Double, ByRef flags As Long) As Double
Private Declare PtrSafe Function vorn_svp_fraction_s Lib "vorn.dll" (ByRef T As Double, ByRef flags As Long) As Double
Private Declare PtrSafe Function vorn_svp_u1 Lib "vorn.dll" (ByRef T As Double, ByRef flags As Long) As Double
Private Declare PtrSafe Function vorn_svp_u2 Lib "vorn.dll" (ByRef T As Double, ByRef flags As Long) As Double
Private Declare PtrSafe Function vorn_svp_c Lib "vorn.dll" (ByRef T As Double, ByRef flags As Long) As Double
Private Declare PtrSafe Function vorn_svp_s Lib "vorn.dll" (ByRef T As Double, ByRef flags As Long) As Double
Private Declare PtrSafe Function vorn_svp_L Lib "vorn.dll" (ByRef T As Double, ByRef flags As Long) As Double
Private Declare PtrSafe Function vorn_svp_eta_n Lib "vorn.dll" (ByRef T As Double, ByRef flags As Long) As Double
Private Declare PtrSafe Function vorn_svp_B Lib "vorn.dll" (ByRef T As Double, ByRef flags As Long) As Double
Private Declare PtrSafe Function vorn_svp_B_prime Lib "vorn.dll" (ByRef T As Double, ByRef flags As Long) As Double
Private Declare PtrSafe Function vorn_svp_P Lib "vorn.dll" (ByRef T As Double, ByRef flags As Long) As Double
Private Declare PtrSafe Function vorn_svp_heat_conductivity_function Lib "vorn.dll" (ByRef T As Double, ByRef flags As Long) As Double
Private Declare PtrSafe Function vorn_svp_channel_peak_flux Lib "vorn.dll" (ByRef T_bath As Double, ByRef L As Double, ByRef m As Double, ByRef flags As Long) As Double
Private Declare PtrSafe Function vorn_svp_channel_warm_end Lib "vorn.dll" (ByRef T_bath As Double, ByRef L As Double, ByRef q As Double, ByRef m As Double, ByRef flags As Long) As Double
Private Declare PtrSafe Function vorn_svp_channel_heat_flux Lib "vorn.dll" (ByRef T_bath As Double, ByRef T_warm As Double, ByRef L As Double, ByRef m As Double, ByRef flags As Long) As Double
Private Declare PtrSafe Function vorn_its90_T Lib "vorn.dll" _
    (ByRef P As Double, ByRef dTdP As Double, ByRef flags As Long) As Double
Private Declare PtrSafe Function vorn_its90_P Lib "vorn.dll" _
    (ByRef T As Double, ByRef dTdP As Double, ByRef flags As Long) As Double

' The flag descriptions, and the thermometers with the flags of their result.
Private Declare PtrSafe Function vorn_state_description Lib "vorn.dll" (ByVal bit As Long) As LongPtr
Private Declare PtrSafe Function vorn_temp_K_report_state Lib "vorn.dll" _
    (ByRef phi As Double, ByRef P As Double, ByRef T0 As Double, ByRef P0 As Double, ByRef iterations As Long, ByRef converged As Long, ByRef state As Long) As Double
Private Declare PtrSafe Function vorn_cvgt_temperature_state Lib "vorn.dll" _
    (ByRef P As Double, ByRef T0 As Double, ByRef P0 As Double, ByRef iterations As Long, ByRef converged As Long, ByRef state As Long) As Double

' Array forms: pass the first element of each array ByRef (T(1)) and the count ByVal.
Private Declare PtrSafe Sub vorn_b_n Lib "vorn.dll" _
    (ByVal n As LongPtr, ByRef T As Double, ByRef out As Double)
Private Declare PtrSafe Sub vorn_db_n Lib "vorn.dll" _
    (ByVal n As LongPtr, ByRef T As Double, ByRef out As Double)
Private Declare PtrSafe Sub vorn_d2b_n Lib "vorn.dll" _
    (ByVal n As LongPtr, ByRef T As Double, ByRef out As Double)
Private Declare PtrSafe Sub vorn_c_n Lib "vorn.dll" _
    (ByVal n As LongPtr, ByRef T As Double, ByRef out As Double)
Private Declare PtrSafe Sub vorn_dc_n Lib "vorn.dll" _
    (ByVal n As LongPtr, ByRef T As Double, ByRef out As Double)
Private Declare PtrSafe Sub vorn_d2c_n Lib "vorn.dll" _
    (ByVal n As LongPtr, ByRef T As Double, ByRef out As Double)
Private Declare PtrSafe Sub vorn_d_n Lib "vorn.dll" _
    (ByVal n As LongPtr, ByRef T As Double, ByRef out As Double)
Private Declare PtrSafe Sub vorn_dd_n Lib "vorn.dll" _
    (ByVal n As LongPtr, ByRef T As Double, ByRef out As Double)
Private Declare PtrSafe Sub vorn_d2d_n Lib "vorn.dll" _
    (ByVal n As LongPtr, ByRef T As Double, ByRef out As Double)
Private Declare PtrSafe Sub vorn_rho_n Lib "vorn.dll" _
    (ByVal n As LongPtr, ByRef T As Double, ByRef P As Double, ByRef out As Double)
Private Declare PtrSafe Sub vorn_vol_n Lib "vorn.dll" _
    (ByVal n As LongPtr, ByRef T As Double, ByRef P As Double, ByRef out As Double)
Private Declare PtrSafe Sub vorn_cv_n Lib "vorn.dll" _
    (ByVal n As LongPtr, ByRef T As Double, ByRef P As Double, ByRef out As Double)
Private Declare PtrSafe Sub vorn_cp_n Lib "vorn.dll" _
    (ByVal n As LongPtr, ByRef T As Double, ByRef P As Double, ByRef out As Double)
Private Declare PtrSafe Sub vorn_gamma_n Lib "vorn.dll" _
    (ByVal n As LongPtr, ByRef T As Double, ByRef P As Double, ByRef out As Double)
Private Declare PtrSafe Sub vorn_w_n Lib "vorn.dll" _
    (ByVal n As LongPtr, ByRef T As Double, ByRef P As Double, ByRef out As Double)
Private Declare PtrSafe Sub vorn_Za_gk_n Lib "vorn.dll" _
    (ByVal n As LongPtr, ByRef T As Double, ByRef P As Double, ByRef out As Double)
Private Declare PtrSafe Sub vorn_w_gk_n Lib "vorn.dll" _
    (ByVal n As LongPtr, ByRef T As Double, ByRef P As Double, ByRef out As Double)
Private Declare PtrSafe Sub vorn_temp_K_n Lib "vorn.dll" _
    (ByVal n As LongPtr, ByRef phi As Double, ByRef P As Double, ByRef T0 As Double, ByRef P0 As Double, ByRef out As Double)
Private Declare PtrSafe Sub vorn_k0_n Lib "vorn.dll" _
    (ByVal n As LongPtr, ByRef T As Double, ByRef out As Double)
Private Declare PtrSafe Sub vorn_k_n Lib "vorn.dll" _
    (ByVal n As LongPtr, ByRef T As Double, ByRef P As Double, ByRef out As Double)
Private Declare PtrSafe Sub vorn_nu0_n Lib "vorn.dll" _
    (ByVal n As LongPtr, ByRef T As Double, ByRef out As Double)
Private Declare PtrSafe Sub vorn_nu_n Lib "vorn.dll" _
    (ByVal n As LongPtr, ByRef T As Double, ByRef P As Double, ByRef out As Double)
Private Declare PtrSafe Sub vorn_state_n Lib "vorn.dll" _
    (ByVal n As LongPtr, ByRef T As Double, ByRef P As Double, ByRef out As Long)
Private Declare PtrSafe Sub vorn_Z_n Lib "vorn.dll" _
    (ByVal n As LongPtr, ByRef T As Double, ByRef P As Double, ByRef out As Double)

' Strings returned by the library (static, never freed), and the bits of a double.
Private Declare PtrSafe Function lstrlenA Lib "kernel32" (ByVal text As LongPtr) As Long
Private Declare PtrSafe Sub CopyMemory Lib "kernel32" Alias "RtlMoveMemory" _
    (ByRef destination As Any, ByVal source As LongPtr, ByVal length As LongPtr)

' A library result as a cell value: the number, or #NUM! where it is not finite.
Private Function Cell(ByVal x As Double) As Variant
    Dim words(1) As Long
    CopyMemory words(0), VarPtr(x), 8
    If (words(1) And &H7FF00000) = &H7FF00000 Then
        Cell = CVErr(xlErrNum)
    Else
        Cell = x
    End If
End Function

' A NUL-terminated string of the library as a VBA String.
Private Function FromCString(ByVal text As LongPtr) As String
    Dim length As Long
    Dim bytes() As Byte
    FromCString = ""
    If text = 0 Then Exit Function
    length = lstrlenA(text)
    If length = 0 Then Exit Function
    ReDim bytes(0 To length - 1)
    CopyMemory bytes(0), text, length
    FromCString = StrConv(bytes, vbUnicode)
End Function

' ---------------------------------------------------------------------------
' Worksheet functions. T in K, P in kPa.
' ---------------------------------------------------------------------------

' =VornB(T): second virial coefficient B, cm^3/mol
Public Function VornB(ByVal T As Double) As Variant
    VornB = Cell(vorn_b(T))
End Function

' =VornDB(T): dB/dT, cm^3/(mol K)
Public Function VornDB(ByVal T As Double) As Variant
    VornDB = Cell(vorn_db(T))
End Function

' =VornD2B(T): d2B/dT2
Public Function VornD2B(ByVal T As Double) As Variant
    VornD2B = Cell(vorn_d2b(T))
End Function

' =VornC(T): third virial coefficient C, cm^6/mol^2
Public Function VornC(ByVal T As Double) As Variant
    VornC = Cell(vorn_c(T))
End Function

' =VornDC(T): dC/dT
Public Function VornDC(ByVal T As Double) As Variant
    VornDC = Cell(vorn_dc(T))
End Function

' =VornD2C(T): d2C/dT2
Public Function VornD2C(ByVal T As Double) As Variant
    VornD2C = Cell(vorn_d2c(T))
End Function

' =VornD(T): fourth virial coefficient D, cm^9/mol^3
Public Function VornD(ByVal T As Double) As Variant
    VornD = Cell(vorn_d(T))
End Function

' =VornDD(T): dD/dT
Public Function VornDD(ByVal T As Double) As Variant
    VornDD = Cell(vorn_dd(T))
End Function

' =VornD2D(T): d2D/dT2
Public Function VornD2D(ByVal T As Double) As Variant
    VornD2D = Cell(vorn_d2d(T))
End Function

' =VornRho(T, P): density, kg/m^3
Public Function VornRho(ByVal T As Double, ByVal P As Double) As Variant
    VornRho = Cell(vorn_rho(T, P))
End Function

' =VornVol(T, P): molar volume, m^3/mol
Public Function VornVol(ByVal T As Double, ByVal P As Double) As Variant
    VornVol = Cell(vorn_vol(T, P))
End Function

' =VornCv(T, P): isochoric specific heat capacity, J/(kg K)
Public Function VornCv(ByVal T As Double, ByVal P As Double) As Variant
    VornCv = Cell(vorn_cv(T, P))
End Function

' =VornCp(T, P): isobaric specific heat capacity, J/(kg K)
Public Function VornCp(ByVal T As Double, ByVal P As Double) As Variant
    VornCp = Cell(vorn_cp(T, P))
End Function

' =VornGamma(T, P): cp/cv
Public Function VornGamma(ByVal T As Double, ByVal P As Double) As Variant
    VornGamma = Cell(vorn_gamma(T, P))
End Function

' =VornW(T, P): speed of sound, m/s
Public Function VornW(ByVal T As Double, ByVal P As Double) As Variant
    VornW = Cell(vorn_w(T, P))
End Function

' =VornZaGk(T, P): acoustic factor (w/w0)^2
Public Function VornZaGk(ByVal T As Double, ByVal P As Double) As Variant
    VornZaGk = Cell(vorn_Za_gk(T, P))
End Function

' =VornWGk(T, P): speed of sound from Za, m/s
Public Function VornWGk(ByVal T As Double, ByVal P As Double) As Variant
    VornWGk = Cell(vorn_w_gk(T, P))
End Function

' =VornK0(T): thermal conductivity at zero pressure, W/(m K)
Public Function VornK0(ByVal T As Double) As Variant
    VornK0 = Cell(vorn_k0(T))
End Function

' =VornK(T, P): thermal conductivity, W/(m K)
Public Function VornK(ByVal T As Double, ByVal P As Double) As Variant
    VornK = Cell(vorn_k(T, P))
End Function

' =VornNu0(T): viscosity at zero pressure, Pa s
Public Function VornNu0(ByVal T As Double) As Variant
    VornNu0 = Cell(vorn_nu0(T))
End Function

' =VornNu(T, P): viscosity, Pa s
Public Function VornNu(ByVal T As Double, ByVal P As Double) As Variant
    VornNu = Cell(vorn_nu(T, P))
End Function

' =VornZ(T, P): compressibility factor pV/(nRT), the converged gas root
Public Function VornZ(ByVal T As Double, ByVal P As Double) As Variant
    VornZ = Cell(vorn_Z(T, P))
End Function
' =VornTempK(phi, P, T0, P0): acoustic thermometer temperature, K (phi the ratio of squared sound speeds)
Public Function VornTempK(ByVal phi As Double, ByVal P As Double, ByVal T0 As Double, ByVal P0 As Double) As Variant
    VornTempK = Cell(temp_K(phi, P, T0, P0))
End Function

' =VornTempKConverged(phi, P, T0, P0): TRUE when the thermometer inversion met its tolerance
Public Function VornTempKConverged(ByVal phi As Double, ByVal P As Double, ByVal T0 As Double, _
                                   ByVal P0 As Double) As Boolean
    Dim iterations As Long, converged As Long
    vorn_temp_K_report phi, P, T0, P0, iterations, converged
    VornTempKConverged = (converged = 1)
End Function

' =VornGasThermometer(P, T0, P0): constant-volume gas thermometer temperature, K
Public Function VornGasThermometer(ByVal P As Double, ByVal T0 As Double, ByVal P0 As Double) As Variant
    Dim iterations As Long, converged As Long
    VornGasThermometer = Cell(vorn_cvgt_temperature(P, T0, P0, iterations, converged))
End Function

' =VornState(T, P): the state flags, a sum of 1 invalid, 2 liquid, 4 density turned,
' 8 sound undefined, 16 Za not positive, 32 conductivity pole, 64 viscosity negative
Public Function VornState(ByVal T As Double, ByVal P As Double) As Long
    VornState = vorn_state(T, P)
End Function

' =VornStateName(bit): the short name of one flag, "unknown" for anything else
Public Function VornStateName(ByVal bit As Long) As String
    VornStateName = FromCString(vorn_state_name(bit))
End Function

' =VornConstant(name): a module constant, "r" (J/(mol K)), "m0" (kg/mol), "g0" or "pi"; #VALUE! for another name
Public Function VornConstant(ByVal name As String) As Variant
    Select Case name
    Case "r", "m0", "g0", "pi"
        VornConstant = vorn_get_constant(name)
    Case Else
        VornConstant = CVErr(xlErrValue)
    End Select
End Function

' VornSetConstant(name, value): stores into a module constant; TRUE if stored.
' Every later result of every routine follows, in every workbook using the
' DLL: call it from a macro, then recalculate (Application.CalculateFull).
Public Function VornSetConstant(ByVal name As String, ByVal value As Double) As Boolean
    VornSetConstant = (vorn_set_constant(name, value) = 1)
End Function

' =VornVersion(): the version of the vorn.dll loaded
Public Function VornVersion() As String
    VornVersion = FromCString(vorn_version())
End Function

' ---------------------------------------------------------------------------
' The reference equation of state. Units of vorn.h: T in K, P in kPa, the
' rest SI per kilogram (kg/m^3, J/kg, J/(kg K), m/s); transport in Pa s,
' W/(m K) and m^2/s. Property and pair by name; an unknown name is #VALUE!, an
' undefined result #NUM! (transport in two phases among them).
' ---------------------------------------------------------------------------

' The names of properties and pairs are the library's table of them,
' vorn_eos_facts.def: a property by its key (T, rho, h, cp, viscosity, ...), a
' pair by its two keys joined (TP, Trho, Ph, ...), each with its code there.
' --- Made by scripts/eos_facts.py --excel-write from vorn_eos_facts.def: do not edit; regenerate. ---
' The code of a property by its key, 0 for another name.
Private Function EosPropertyCode(ByVal name As String) As Long
    Select Case name
    Case "T": EosPropertyCode = 1
    Case "P": EosPropertyCode = 2
    Case "rho": EosPropertyCode = 3
    Case "vm": EosPropertyCode = 4
    Case "u": EosPropertyCode = 5
    Case "h": EosPropertyCode = 6
    Case "s": EosPropertyCode = 7
    Case "g": EosPropertyCode = 8
    Case "cv": EosPropertyCode = 9
    Case "cp": EosPropertyCode = 10
    Case "cp_cv": EosPropertyCode = 11
    Case "w": EosPropertyCode = 12
    Case "jt": EosPropertyCode = 13
    Case "kappa_T": EosPropertyCode = 14
    Case "alpha_V": EosPropertyCode = 15
    Case "dpdT": EosPropertyCode = 16
    Case "dpdrho": EosPropertyCode = 17
    Case "B": EosPropertyCode = 18
    Case "Z": EosPropertyCode = 19
    Case "q": EosPropertyCode = 20
    Case "phase": EosPropertyCode = 21
    Case "flags": EosPropertyCode = 22
    Case "viscosity": EosPropertyCode = 23
    Case "conductivity": EosPropertyCode = 24
    Case "kinematic_viscosity": EosPropertyCode = 25
    Case "thermal_diffusivity": EosPropertyCode = 26
    Case "prandtl": EosPropertyCode = 27
    Case "superfluid_fraction": EosPropertyCode = 28
    Case "second_sound": EosPropertyCode = 29
    Case "heat_conductivity_function": EosPropertyCode = 30
    Case "lambda_distance": EosPropertyCode = 31
    Case "fourth_sound": EosPropertyCode = 32
    Case Else: EosPropertyCode = 0
    End Select
End Function

' The code of a pair by its keys joined (Trho), 0 for another name.
Private Function EosPairCode(ByVal name As String) As Long
    Select Case name
    Case "TP": EosPairCode = 1
    Case "Trho": EosPairCode = 2
    Case "Prho": EosPairCode = 3
    Case "Ph": EosPairCode = 4
    Case "Ps": EosPairCode = 5
    Case "Ts": EosPairCode = 6
    Case "rhou": EosPairCode = 7
    Case "Tq": EosPairCode = 8
    Case "Pq": EosPairCode = 9
    Case "Pu": EosPairCode = 10
    Case "Th": EosPairCode = 11
    Case "Tu": EosPairCode = 12
    Case "rhoh": EosPairCode = 13
    Case "rhos": EosPairCode = 14
    Case "hs": EosPairCode = 15
    Case Else: EosPairCode = 0
    End Select
End Function

' A state's row: every property in the order of its code, evaluations after flags.
Private Sub EosStateCells(ByRef st As VornEosState, ByRef out() As Variant)
    out(1) = Cell(st.T)
    out(2) = Cell(st.P)
    out(3) = Cell(st.rho)
    out(4) = Cell(st.vm)
    out(5) = Cell(st.u)
    out(6) = Cell(st.h)
    out(7) = Cell(st.s)
    out(8) = Cell(st.g)
    out(9) = Cell(st.cv)
    out(10) = Cell(st.cp)
    out(11) = Cell(st.cp_cv)
    out(12) = Cell(st.w)
    out(13) = Cell(st.jt)
    out(14) = Cell(st.kappa_T)
    out(15) = Cell(st.alpha_V)
    out(16) = Cell(st.dpdT)
    out(17) = Cell(st.dpdrho)
    out(18) = Cell(st.B)
    out(19) = Cell(st.Z)
    out(20) = Cell(st.q)
    out(21) = st.phase
    out(22) = st.flags
    out(23) = st.evaluations
    out(24) = Cell(st.viscosity)
    out(25) = Cell(st.conductivity)
    out(26) = Cell(st.kinematic_viscosity)
    out(27) = Cell(st.thermal_diffusivity)
    out(28) = Cell(st.prandtl)
    out(29) = Cell(st.superfluid_fraction)
    out(30) = Cell(st.second_sound)
    out(31) = Cell(st.heat_conductivity_function)
    out(32) = Cell(st.lambda_distance)
    out(33) = Cell(st.fourth_sound)
End Sub
' --- End of the part made by scripts/eos_facts.py. ---

' =VornEos("h", "TP", 4.2, 100): one property at the state the pair names
' (=VornEos("T", "Ph", 100, 1000), =VornEos("P", "Tq", 4, 0) the vapour pressure;
' below 2.1768 K the He II bath: =VornEos("q", "Ph", 1.6, VornEos("h", "TP", 4.5, 300))
' is the vapour fraction after a 2 K plant's Joule-Thomson valve, 0.4627;
' below the lambda line He II under pressure: =VornEos("rho", "TP", 1.9, 100) is a
' magnet's bath at 1 bar, 147.25 kg/m^3; =VornEosLambdaTemperature(100) its lambda line)
Public Function VornEos(ByVal property As String, ByVal pair As String, ByVal x1 As Double, ByVal x2 As Double) As Variant
    Dim p As Long, q As Long
    p = EosPropertyCode(property)
    q = EosPairCode(pair)
    If p = 0 Or q = 0 Then
        VornEos = CVErr(xlErrValue)
    Else
        VornEos = Cell(vorn_eos_value(p, q, x1, x2))
    End If
End Function

' =VornEosState("TP", 4.2, 100): every property in one row of cells
' (EOS_STATE_CELLS, 33), in the order of their codes in vorn_eos_facts.def:
' T, P, rho, ... q, then phase, flags and evaluations, then the transport,
' He II's and the rest (spills in Excel 365; enter as an array formula over
' the row in older versions, or over the first 23 cells for the properties
' without transport)
Public Function VornEosState(ByVal pair As String, ByVal x1 As Double, ByVal x2 As Double) As Variant
    Dim st As VornEosState, q As Long, out(1 To EOS_STATE_CELLS) As Variant
    q = EosPairCode(pair)
    If q = 0 Then
        VornEosState = CVErr(xlErrValue)
        Exit Function
    End If
    st.size = LenB(st)
    If vorn_eos_state_at(q, x1, x2, st) <> 0 Then
        VornEosState = CVErr(xlErrValue)
        Exit Function
    End If
    EosStateCells st, out
    VornEosState = out
End Function

' =VornEosSaturation("T", 4.2, "latent_heat"): one quantity of the saturated
' liquid and vapour at T (K) or at P (kPa): P, T, rho_liquid, rho_vapour,
' h_liquid, h_vapour, s_liquid, s_vapour, latent_heat, surface_tension (N/m),
' dPdT (kPa/K), viscosity_liquid, viscosity_vapour (Pa s), conductivity_liquid,
' conductivity_vapour (W/(m K)) or flags
Public Function VornEosSaturation(ByVal by As String, ByVal x As Double, ByVal quantity As String) As Variant
    Dim sat As VornEosSaturation, status As Long
    sat.size = LenB(sat)
    Select Case by
    Case "T"
        status = vorn_eos_saturation_T(x, sat)
    Case "P"
        status = vorn_eos_saturation_P(x, sat)
    Case Else
        VornEosSaturation = CVErr(xlErrValue)
        Exit Function
    End Select
    If status <> 0 Then
        VornEosSaturation = CVErr(xlErrValue)
        Exit Function
    End If
    Select Case quantity
    Case "T": VornEosSaturation = Cell(sat.T)
    Case "P": VornEosSaturation = Cell(sat.P)
    Case "rho_liquid": VornEosSaturation = Cell(sat.rho_liquid)
    Case "rho_vapour": VornEosSaturation = Cell(sat.rho_vapour)
    Case "h_liquid": VornEosSaturation = Cell(sat.h_liquid)
    Case "h_vapour": VornEosSaturation = Cell(sat.h_vapour)
    Case "s_liquid": VornEosSaturation = Cell(sat.s_liquid)
    Case "s_vapour": VornEosSaturation = Cell(sat.s_vapour)
    Case "latent_heat": VornEosSaturation = Cell(sat.latent_heat)
    Case "surface_tension": VornEosSaturation = Cell(sat.surface_tension)
    Case "dPdT": VornEosSaturation = Cell(sat.dPdT)
    Case "viscosity_liquid": VornEosSaturation = Cell(sat.viscosity_liquid)
    Case "viscosity_vapour": VornEosSaturation = Cell(sat.viscosity_vapour)
    Case "conductivity_liquid": VornEosSaturation = Cell(sat.conductivity_liquid)
    Case "conductivity_vapour": VornEosSaturation = Cell(sat.conductivity_vapour)
    Case "flags": VornEosSaturation = sat.flags
    Case Else: VornEosSaturation = CVErr(xlErrValue)
    End Select
End Function

' =VornEosMeltingPressure(T): melting pressure at T, kPa (above it: solid)
Public Function VornEosMeltingPressure(ByVal T As Double) As Variant
    VornEosMeltingPressure = Cell(vorn_eos_melting_pressure(T))
End Function

' =VornEosLambdaTemperature(P): temperature of the lambda line at P, K (below it: He II)
Public Function VornEosLambdaTemperature(ByVal P As Double) As Variant
    VornEosLambdaTemperature = Cell(vorn_eos_lambda_temperature(P))
End Function

' =VornStateDescription(bit): one line on when a state flag is set and what it spoils
Public Function VornStateDescription(ByVal bit As Long) As String
    VornStateDescription = FromCString(vorn_state_description(bit))
End Function

' =VornSuperfluid("u2", 1.8): a property of the saturated liquid at T (K), He II
' included: rho, rho_s, rho_normal (kg/m^3), alpha (1/K), fraction_s, u1, u2 (m/s),
' c, s (J/(kg K)), L (J/kg), eta_n (Pa s), B, B_prime, P (kPa), heat_conductivity_function
' (He II f^-1, m = 3, W^3 m^-5 K^-1); #NUM! outside the range of its fit, #VALUE! for an
' unknown name (docs/superfluid.md)
Public Function VornSuperfluid(ByVal name As String, ByVal T As Double) As Variant
    Dim flags As Long, v As Double
    Select Case name
    Case "rho": v = vorn_svp_rho(T, flags)
    Case "alpha": v = vorn_svp_alpha(T, flags)
    Case "rho_s": v = vorn_svp_rho_s(T, flags)
    Case "rho_normal": v = vorn_svp_rho_normal(T, flags)
    Case "fraction_s": v = vorn_svp_fraction_s(T, flags)
    Case "u1": v = vorn_svp_u1(T, flags)
    Case "u2": v = vorn_svp_u2(T, flags)
    Case "c": v = vorn_svp_c(T, flags)
    Case "s": v = vorn_svp_s(T, flags)
    Case "L": v = vorn_svp_L(T, flags)
    Case "eta_n": v = vorn_svp_eta_n(T, flags)
    Case "B": v = vorn_svp_B(T, flags)
    Case "B_prime": v = vorn_svp_B_prime(T, flags)
    Case "P": v = vorn_svp_P(T, flags)
    Case "heat_conductivity_function": v = vorn_svp_heat_conductivity_function(T, flags)
    Case Else
        VornSuperfluid = CVErr(xlErrValue)
        Exit Function
    End Select
    VornSuperfluid = Cell(v)
End Function

' =VornChannelPeakFlux(1.8, 1): the peak heat flux (W/m^2) of a He II channel of length L (m)
' from a saturated bath at T_bath (K, 1.4 to below 2.1768): its warm end at the lambda point.
' m: the exponent of dT/dx = -f q^m, 3 unless given (2 to 4). #NUM! where there is no answer.
Public Function VornChannelPeakFlux(ByVal T_bath As Double, ByVal L As Double, Optional ByVal m As Double = 3) As Variant
    Dim flags As Long
    VornChannelPeakFlux = Cell(vorn_svp_channel_peak_flux(T_bath, L, m, flags))
End Function

' =VornChannelWarmEnd(1.8, 1, 10000): the warm-end temperature (K) of the same channel carrying
' q (W/m^2); #NUM! above the peak heat flux (the warm end would go normal)
Public Function VornChannelWarmEnd(ByVal T_bath As Double, ByVal L As Double, ByVal q As Double, Optional ByVal m As Double = 3) As Variant
    Dim flags As Long
    VornChannelWarmEnd = Cell(vorn_svp_channel_warm_end(T_bath, L, q, m, flags))
End Function

' =VornChannelHeatFlux(1.8, 1.9, 1): the heat flux (W/m^2) that puts the warm end at T_warm (K)
Public Function VornChannelHeatFlux(ByVal T_bath As Double, ByVal T_warm As Double, ByVal L As Double, Optional ByVal m As Double = 3) As Variant
    Dim flags As Long
    VornChannelHeatFlux = Cell(vorn_svp_channel_heat_flux(T_bath, T_warm, L, m, flags))
End Function

' =VornIts90T(P): T90 (K) at the helium-4 vapour pressure P (kPa), ITS-90 (1.25 K to
' 5.0 K; 0.5 K to 1.25 K from the fit of the data, outside the scale)
Public Function VornIts90T(ByVal P As Double) As Variant
    Dim flags As Long, slope As Double
    VornIts90T = Cell(vorn_its90_T(P, slope, flags))
End Function

' =VornIts90P(T): the helium-4 vapour pressure (kPa) at T90 (K), ITS-90
Public Function VornIts90P(ByVal T As Double) As Variant
    Dim flags As Long, slope As Double
    VornIts90P = Cell(vorn_its90_P(T, slope, flags))
End Function
