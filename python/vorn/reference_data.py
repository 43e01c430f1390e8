"""Best published values for helium-4, to measure vorn against.

Each value carries a source key (``SOURCES``) and whether it was read from
the source ([R]) or computed from the source's published data or equations
([C]). These are the values ``scripts/accuracy.py`` writes into
``docs/accuracy.md``; they are copied here so that the page can be rebuilt
from the repository alone.
"""

SOURCES = {
    "ab initio": (
        "B(T) from the ab initio pair potential of Czachorowski et al., Phys. Rev. A 102, 042810 (2020), "
        "through G. Garberoglio's public code and phase shifts (also NIST data set mds2-3802)"
    ),
    "SRD134": (
        "NIST Standard Reference Database 134, helium-4 (stated uncertainties: B 1 %, C 10 %, "
        "thermal conductivity and viscosity 0.1 %)"
    ),
    "EOS": (
        "the reference equation of state of helium-4 of Ortiz-Vega, Hall, Holste, Lemmon et al. "
        "(REFPROP 10 coefficients; R = 8.3144598 J/(mol K), M = 4.002602 g/mol, reducing values 5.1953 K "
        "and 17383.7 mol/m^3), evaluated independently"
    ),
    "Chapman-Enskog": (
        "dilute-gas viscosity and thermal conductivity from the same ab initio phase shifts through the "
        "Chapman-Enskog series to 5th order (4th to 5th order changes results by < 1e-5 at T >= 4.2 K)"
    ),
    "CODATA": "CODATA 2014 molar gas constant; exact 2019 SI value; AME2020 atomic mass of helium-4",
    "Hands and Arp": (
        "B. A. Hands and V. D. Arp, Cryogenics 21, 697-703 (1981), Table 4: their thermal-conductivity "
        "correlation near the critical point, evaluated with an older equation of state (stated to 10 %)"
    ),
}

#: Second virial coefficient B, cm^3/mol: (T K, ab initio, how, SRD134 or None, EOS).
SECOND_VIRIAL = [
    (4.2, -80.0969, "C", None, -80.225),
    (10.0, -23.1231, "R", None, -23.236),
    (20.0, -2.7454, "C", None, -3.017),
    (77.0, 10.9466, "C", None, 10.880),
    (100.0, 11.6750, "R", 11.636, 11.645),
    (273.16, 11.9281, "R", 11.906, 11.946),  # SRD134 value is at 273.15 K
    (300.0, 11.8194, "C", 11.798, 11.837),
]

#: Third virial coefficient C, cm^6/mol^2, read from SRD134 (+-10 %): (T K, C).
THIRD_VIRIAL_SRD134 = [(100.0, 115.30), (273.15, 109.01), (300.0, 105.04)]
#: C implied by the EOS [C]: (T K, C). SRD134 and the EOS disagree by 30 % at 100 K:
#: neither is a firm reference below about 200 K.
THIRD_VIRIAL_EOS = [(4.2, 1090.0), (10.0, 527.0), (20.0, 302.0), (77.0, 180.0), (100.0, 165.3),
                    (273.16, 111.2), (300.0, 106.5)]

#: Dilute-gas transport [C, Chapman-Enskog]: (T K, viscosity uPa s, conductivity mW/(m K)).
DILUTE_TRANSPORT = [
    (4.2, 1.03370, 8.0584),
    (20.0, 3.35474, 26.2414),
    (77.0, 8.05243, 63.0016),
    (100.0, 9.55283, 74.7331),
    (273.16, 18.67736, 146.0338),
    (298.15, 19.82521, 154.9996),
    (300.0, 19.90910, 155.6549),
]
#: Thermal conductivity near the critical point on the 0.23 MPa isobar [R, Hands and Arp, 10 %]:
#: (T K, conductivity mW/(m K)).
CONDUCTIVITY_NEAR_CRITICAL_230KPA = [(5.18, 19.5), (5.2, 20.2), (5.23, 18.1), (5.26, 15.9), (5.3, 14.9)]
#: SRD134 dilute transport [R]: (T K, viscosity uPa s, conductivity mW/(m K)); 273.15 K for 273.16.
DILUTE_TRANSPORT_SRD134 = [(100.0, 9.6, 74.8), (273.15, 18.7, 146.2), (300.0, 19.9, 155.9)]

#: States from the EOS [C]: (label, T K, P kPa, phase, density kg/m^3, Z, cp J/(kg K), w m/s).
STATES = [
    ("300 K, 101.325 kPa", 300.0, 101.325, "gas", 0.162516, 1.000481, 5193.20, 1019.586),
    ("273.16 K, 101.325 kPa", 273.16, 101.325, "gas", 0.178475, 1.000533, 5193.23, 972.958),
    ("20 K, 1 MPa", 20.0, 1000.0, "gas", 24.2536, 0.992434, 5690.06, 274.722),
    ("4.2 K, saturated vapour (99.076 kPa)", 4.2, 99.076, "saturated vapour", 16.5107, 0.6878, 9403.6, 100.634),
    ("4.2 K, 100 kPa", 4.2, 100.0, "compressed liquid", 125.196, 0.09155, 5067.8, 180.151),
]
#: The EOS's metastable vapour root at 4.2 K and 100 kPa: density kg/m^3, cp J/(kg K), w m/s.
METASTABLE_VAPOUR_4K2_100KPA = (16.780, 9563.0, 100.33)
#: Normal boiling point: EOS 4.2238 K; ITS-90 helium-4 vapour-pressure relation 4.2221 K at 101.325 kPa.
NORMAL_BOILING_POINT = {"EOS": 4.2238, "ITS-90": 4.2221}

#: Constants: molar gas constant J/(mol K) (CODATA 2014, exact 2019 SI); molar mass of helium-4 g/mol.
GAS_CONSTANT = {"CODATA 2014": 8.3144598, "SI 2019": 8.314462618}
MOLAR_MASS = 4.002603254  # g/mol, atomic mass 4.00260325413 u
