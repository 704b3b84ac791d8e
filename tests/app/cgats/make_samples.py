#!/usr/bin/env python3
# Writes the CGATS files of this folder: six made-up reflectance curves,
# smooth and held flat below 400 nm and above 700 nm, given as spectra
# (percent at 380..730 nm; factors at 400..700 nm), as X Y Z and L*a*b*
# under illuminant C (the screen's weights), as X Y Z under D50 and under a
# white of their own (D65, 2 degrees) adapted from C with the Bradford
# matrix, and two files the converter must refuse (20 nm apart; 420 to
# 680 nm only). They are written beside this script, from wherever it runs.
import math
import os

WEIGHTS = [
    (0.000, 0.000, 0.000), (0.001, 0.000, 0.004), (0.004, 0.000, 0.017), (0.018, 0.001, 0.084),
    (0.076, 0.002, 0.358), (0.325, 0.009, 1.547), (1.292, 0.038, 6.207), (2.968, 0.123, 14.496),
    (3.959, 0.261, 19.860), (3.931, 0.443, 20.728), (3.360, 0.692, 19.286), (2.283, 1.061, 15.022),
    (1.116, 1.612, 9.479), (0.363, 2.358, 5.286), (0.048, 3.414, 2.868), (0.092, 4.842, 1.512),
    (0.578, 6.449, 0.720), (1.519, 7.936, 0.381), (2.786, 9.145, 0.195), (4.285, 9.831, 0.086),
    (5.877, 9.834, 0.038), (7.323, 9.148, 0.020), (8.414, 7.990, 0.015), (8.985, 6.629, 0.010),
    (8.958, 5.321, 0.007), (8.324, 4.177, 0.003), (7.055, 3.146, 0.001), (5.327, 2.196, 0.000),
    (3.692, 1.442, 0.000), (2.352, 0.887, 0.000), (1.360, 0.503, 0.000), (0.713, 0.261, 0.000),
    (0.364, 0.132, 0.000), (0.172, 0.062, 0.000), (0.080, 0.029, 0.000), (0.039, 0.014, 0.000),
    (0.019, 0.007, 0.000), (0.009, 0.003, 0.000), (0.004, 0.001, 0.000), (0.003, 0.001, 0.000)]
WHITE_C = (98.074, 100.0, 118.232)
WHITE_D50 = (96.42, 100.0, 82.49)
WHITE_D65_2 = (95.047, 100.0, 108.883)
BRADFORD = [[0.8951, 0.2664, -0.1614], [-0.7502, 1.7135, 0.0367], [0.0389, -0.0685, 1.0296]]


def clamp(w):
    return min(max(w, 400.0), 700.0)


def sigmoid(w, centre, width):
    return 1.0 / (1.0 + math.exp(-(clamp(w) - centre) / width))


def gauss(w, centre, width):
    return math.exp(-((clamp(w) - centre) / width) ** 2)


SAMPLES = [
    ("R1", "brick red", lambda w: 6 + 54 * sigmoid(w, 590, 15)),
    ("Y1", "straw", lambda w: 10 + 65 * sigmoid(w, 500, 20)),
    ("G1", "leaf", lambda w: 5 + 30 * gauss(w, 530, 40)),
    ("B1", "slate blue", lambda w: 8 + 30 * gauss(w, 450, 50)),
    ("N1", "mid grey", lambda w: 20.0),
    ("N2", "paper", lambda w: 85.0),
]


def xyz(curve):
    out = [0.0, 0.0, 0.0]
    for i, row in enumerate(WEIGHTS):
        r = round(curve(360 + 10 * i), 2)
        for k in range(3):
            out[k] += r * row[k]
    return [v / 100.0 for v in out]


def mat(m, v):
    return [sum(m[r][c] * v[c] for c in range(3)) for r in range(3)]


def inverse(m):
    a, b, c = m[0]
    d, e, f = m[1]
    g, h, i = m[2]
    det = a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g)
    return [[(e * i - f * h) / det, (c * h - b * i) / det, (b * f - c * e) / det],
            [(f * g - d * i) / det, (a * i - c * g) / det, (c * d - a * f) / det],
            [(d * h - e * g) / det, (b * g - a * h) / det, (a * e - b * d) / det]]


def adapt(v, source, target):
    s = mat(BRADFORD, source)
    t = mat(BRADFORD, target)
    cone = mat(BRADFORD, v)
    return mat(inverse(BRADFORD), [cone[k] * t[k] / s[k] for k in range(3)])


def lab(v, white):
    def f(t):
        return t ** (1 / 3) if t > (6 / 29) ** 3 else t / (3 * (6 / 29) ** 2) + 4 / 29
    fx, fy, fz = (f(v[k] / white[k]) for k in range(3))
    return [116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)]


def write(name, head, fields, rows):
    with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), name), "w") as out:
        out.write(head)
        out.write("NUMBER_OF_FIELDS %d\nBEGIN_DATA_FORMAT\n%s\nEND_DATA_FORMAT\n"
                  % (len(fields), " ".join(fields)))
        out.write("NUMBER_OF_SETS %d\nBEGIN_DATA\n" % len(rows))
        for row in rows:
            out.write(" ".join(row) + "\n")
        out.write("END_DATA\n")


made = "ORIGINATOR \"tests/app/cgats/make_samples.py\"\n"
bands = list(range(380, 740, 10))
write("reflectances.ti3", "CTI3\n" + made + "DESCRIPTOR \"six curves, percent, 380 to 730 nm\"\n",
      ["SAMPLE_ID", "SAMPLE_NAME"] + ["SPEC_%d" % w for w in bands],
      [[i, '"%s"' % n] + ["%.2f" % c(w) for w in bands] for i, n, c in SAMPLES])
narrow = list(range(400, 710, 10))
write("reflectances-factors.txt", "CGATS.17\n" + made + "# reflectance factors, 400 to 700 nm\n",
      ["SAMPLE_ID"] + ["nm%d" % w for w in narrow],
      [[i] + ["%.4f" % (round(c(w), 2) / 100) for w in narrow] for i, n, c in SAMPLES])
write("xyz-c.cgats", "CGATS.17\n" + made + "ILLUMINANT C\n", ["SAMPLE_ID", "XYZ_X", "XYZ_Y", "XYZ_Z"],
      [[i] + ["%.4f" % v for v in xyz(c)] for i, n, c in SAMPLES])
write("lab-c.cgats", "CGATS.17\n" + made + "ILLUMINANT C\n", ["SAMPLE_ID", "LAB_L", "LAB_A", "LAB_B"],
      [[i] + ["%.4f" % v for v in lab(xyz(c), WHITE_C)] for i, n, c in SAMPLES])
write("xyz-d50.cgats", "CGATS.17\n" + made + "WHITE_POINT \"96.42 100 82.49\"\n",
      ["SAMPLE_ID", "XYZ_X", "XYZ_Y", "XYZ_Z"],
      [[i] + ["%.4f" % v for v in adapt(xyz(c), WHITE_C, WHITE_D50)] for i, n, c in SAMPLES])
write("xyz-d65-2.cgats", "CGATS.17\n" + made
      + "# a white none of the converter's illuminants, as factors of 1\n"
      + "MEASUREMENT_WHITE_POINT_XYZ \"0.95047 1 1.08883\"\n",
      ["SAMPLE_ID", "XYZ_X", "XYZ_Y", "XYZ_Z"],
      [[i] + ["%.6f" % (v / 100) for v in adapt(xyz(c), WHITE_C, WHITE_D65_2)]
       for i, n, c in SAMPLES])
wide = list(range(380, 740, 20))
write("spacing-20nm.cgats", "CGATS.17\n" + made, ["SAMPLE_ID"] + ["SPECTRAL_NM%d" % w for w in wide],
      [[i] + ["%.2f" % c(w) for w in wide] for i, n, c in SAMPLES[:2]])
short = list(range(420, 690, 10))
write("range-420-680.cgats", "CGATS.17\n" + made, ["SAMPLE_ID"] + ["SPECTRAL_NM_%d" % w for w in short],
      [[i] + ["%.2f" % c(w) for w in short] for i, n, c in SAMPLES[:2]])
