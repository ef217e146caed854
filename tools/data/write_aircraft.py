#!/usr/bin/env python3
"""Writes an aircraft file in the game's 49-line format (Shift-JIS labels, CR LF).

Usage: write_aircraft.py OUT [field=value ...]
Fields not given keep the values of the shipped default glider below. Section lists
take comma-separated values: SectionSpan=5.7,5,3,1
"""
import sys

LABELS = [
    ("ignored", "機体データ"), ("heading", "[初期条件]"), ("StartHeight", "発進高度[m]"),
    ("StartSpeed", "初速[m/s]"), ("StartPitch", "初期ピッチ角[deg]"), ("WindSpeed", "風速[m/s]"),
    ("heading", "[質量・重心]"), ("Mass", "全備質量[kg]"), ("CgPosition", "重心位置[m]"),
    ("TailPosition", "尾翼空力中心位置[m]"), ("GyrationRadius", "ピッチ慣性半径[m]"),
    ("BodyDragCoef", "胴体抗力係数"), ("heading", "[主翼]"), ("WingSpan", "翼幅[m]"),
    ("WingChord", "平均翼弦[m]"), ("WingIncidence", "取付角[deg]"),
    ("WingCm0", "ピッチングモーメント係数"), ("WingAcRatio", "空力中心位置[翼弦比]"),
    ("heading", "[主翼翼型]"), ("WingLiftSlope", "揚力傾斜[1/rad]"),
    ("WingZeroLiftAngle", "零揚力角[deg]"), ("WingClUpper", "揚力係数上限"),
    ("WingClAboveUpper", "上限超過時揚力係数"), ("WingClLower", "揚力係数下限"),
    ("WingClBelowLower", "下限未満時揚力係数"), ("WingProfileDrag", "形状抗力係数"),
    ("heading", "[尾翼]"), ("TailSpan", "尾翼幅[m]"), ("TailChord", "尾翼弦長[m]"),
    ("TailIncidence", "尾翼取付角[deg]"), ("TailLiftSlope", "尾翼揚力傾斜[1/rad]"),
    ("TailZeroLiftAngle", "尾翼零揚力角[deg]"), ("TailClUpper", "尾翼揚力係数上限"),
    ("TailClAboveUpper", "尾翼上限超過時揚力係数"), ("TailClLower", "尾翼揚力係数下限"),
    ("TailClBelowLower", "尾翼下限未満時揚力係数"), ("TailProfileDrag", "尾翼形状抗力係数"),
    ("heading", "[翼分割モデル]"), ("StripModel", "翼分割モデル[1=使用]"),
    ("WingMass", "主翼質量[kg]"), ("CenterHalfWidth", "中央部半幅[m]"),
    ("SectionEnabled", "区間有効[2-4]"), ("SectionSpan", "区間長[m]"),
    ("SectionRootChord", "区間翼根弦長[m]"), ("SectionTaper", "区間テーパ比"),
    ("SectionStiffness1", "区間剛性1[kgf/cm2]"), ("SectionStiffness2", "区間剛性2[cm4]"),
    ("SectionDihedral", "区間上反角[deg]"), ("SectionSweep", "区間後退角[deg]"),
]

DEFAULT = {
    "ignored": "1", "StartHeight": "10.5", "StartSpeed": "8", "StartPitch": "0", "WindSpeed": "0.5",
    "Mass": "100", "CgPosition": "0.3", "TailPosition": "5", "GyrationRadius": "1.3",
    "BodyDragCoef": "0.01", "WingSpan": "30", "WingChord": "0.89", "WingIncidence": "4",
    "WingCm0": "-0.1", "WingAcRatio": "0.25", "WingLiftSlope": "6", "WingZeroLiftAngle": "-6",
    "WingClUpper": "1.5", "WingClAboveUpper": "0.9", "WingClLower": "-0.5",
    "WingClBelowLower": "-0.3", "WingProfileDrag": "0.012", "TailSpan": "3", "TailChord": "0.6",
    "TailIncidence": "-0.5", "TailLiftSlope": "6", "TailZeroLiftAngle": "0", "TailClUpper": "1",
    "TailClAboveUpper": "0.6", "TailClLower": "-1", "TailClBelowLower": "-0.6",
    "TailProfileDrag": "0.01", "StripModel": "1", "WingMass": "25", "CenterHalfWidth": "0.3",
    "SectionEnabled": "1,1,1", "SectionSpan": "5.7,5,3,1", "SectionRootChord": "1.1,0.99,0.84,0.67",
    "SectionTaper": "0.9,0.85,0.8,0.6", "SectionStiffness1": "1200000,1200000,1200000,1200000",
    "SectionStiffness2": "90,60,30,10", "SectionDihedral": "2,1,1,2", "SectionSweep": "0,0,0,0",
}


def main():
    out = sys.argv[1]
    values = dict(DEFAULT)
    for arg in sys.argv[2:]:
        key, value = arg.split("=", 1)
        if key not in values:
            sys.exit(f"unknown field {key}")
        values[key] = value
    lines = []
    for key, label in LABELS:
        if key == "heading":
            lines.append(label)
        elif key.startswith("Section"):
            lines.append(label + "," + "".join(v + "," for v in values[key].split(",")))
        else:
            lines.append(label + "," + values[key])
    with open(out, "wb") as f:
        f.write("".join(l + "\r\n" for l in lines).encode("cp932"))


main()
