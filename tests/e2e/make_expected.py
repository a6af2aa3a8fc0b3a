#!/usr/bin/env python3
"""Writes the files that the end-to-end run must produce, from the file rules alone.

The records below are what the wizard keeps for the four-bar linkage that e2e.sh types in:
pairs A(0,1), B(1,2), C(2,3), D(3,0), frame 0, crank 1, centres of mass S1, S2, S3, force point F
on link 2, point K on link 3, one group (2, 3) of type 1 answered "not clockwise", and the stage-2
values of the script. Every mention of a link in a pair makes a link record, so the records are
0, 1, 1, 2, 2, 3, 3, 0; the later ones of a name are copies (Mark "c"). Pair-link indices keep the
last record of the name, Para1 is the pair where the link is second, Para2 where it is first.

Run it from this folder to rewrite expected/; the e2e test compares the program's files with
these byte for byte.
"""
import copy
import struct
from decimal import Decimal
from pathlib import Path

RECORD = 128
IS_SHARP_MARKER = b"\x1fZIS"  # the group record's optional IsSharp after Clockwise


def link(name, para1, para2, i1, i2, mark="", **values):
    z = dict(TwafzCount=-1, Spare1="", Clockwise="", CMAngle="", Spare3="", Spare2="", CMLength="", CM="",
             Spare4="", DP=[], GroupNo=-1, IsFrame=0.0, OnGuide="", IsDriving=0.0, ZLength="", Mass="",
             Moment="", MomentVn="", Name=name, Para1=para1, Para2=para2, Para1Index=i1, Para2Index=i2,
             Perpendicular="/n", Mark=mark, ZType="rr")
    z.update(values)
    return z


def point(name, kind, length="", angle="", force="", force_angle=""):
    return dict(Angle=angle, Force=force, ForceAngle=force_angle, Length=length, Name=name, Kind=kind)


FOUR_BAR = dict(
    FrameIndex=1, ForceAnalysis=6.0, MorePoints=6.0, ExtraPairsFlag=0.0,
    links=[
        link("0", "D", "A", 4, 1, GroupNo=0, IsFrame=1.0),
        link("1", "A", "B", 1, 2, GroupNo=0, IsDriving=1.0, CM="S1", CMLength="0.05", CMAngle="0",
             ZLength="0.1", Mass="2", Moment="0.01"),
        link("1", "A", "B", 1, 2, "c"),
        link("2", "B", "C", 2, 3, TwafzCount=0, GroupNo=1, CM="S2", CMLength="0.25", CMAngle="0",
             ZLength="0.5", Mass="4", Moment="0.1", MomentVn="0",
             DP=[point("F", "f", length="0.2", angle="0", force="100", force_angle="270")]),
        link("2", "B", "C", 2, 3, "c"),
        link("3", "C", "D", 3, 4, TwafzCount=0, GroupNo=1, CM="S3", CMLength="0.15", CMAngle="0",
             ZLength="0.3", Mass="3", Moment="0.02", MomentVn="-15",
             DP=[point("K", "o", length="0.1", angle="30")]),
        link("3", "C", "D", 3, 4, "c"),
        link("0", "D", "A", 4, 1, "c"),
    ],
    pairs=[
        dict(Name="A", Zveno1="0", Zveno1Index=8, Zveno2="1", Zveno2Index=3, ParaType="r", X="0", Y="0", XAngle=""),
        dict(Name="B", Zveno1="1", Zveno1Index=3, Zveno2="2", Zveno2Index=5, ParaType="r", X="", Y="", XAngle=""),
        dict(Name="C", Zveno1="2", Zveno1Index=5, Zveno2="3", Zveno2Index=7, ParaType="r", X="", Y="", XAngle=""),
        dict(Name="D", Zveno1="3", Zveno1Index=7, Zveno2="0", Zveno2Index=8, ParaType="r", X="0.4", Y="-0.1",
             XAngle=""),
    ],
    groups=[dict(Name="1", Zveno1Index=4, Zveno2Index=6, GType="1", Clockwise="n", IsSharp="")],
)


# ---- KVERTA input file -------------------------------------------------------------------

def num(text):
    """The 23-character number layout: sign, d.dddddddddddddd, E, exponent sign, four digits."""
    if text == "0":
        return " 0.00000000000000E+0000"
    value = Decimal(text)
    sign = "-" if value < 0 else " "
    digits, exponent = value.copy_abs().normalize().as_tuple()[1:]
    e = len(digits) - 1 + exponent
    mantissa = "".join(map(str, digits))[:15].ljust(15, "0")
    return f"{sign}{mantissa[0]}.{mantissa[1:]}E{'-' if e < 0 else '+'}{abs(e):04d}"


def name_lines(t):
    return [t[0], t[-1]] if len(t) >= 2 else [t[:1], "", ""]


def kv_lines(m):
    links, pairs, groups = m["links"], m["pairs"], m["groups"]
    moving = [z for z in links if z["Mark"] != "c" and z["IsFrame"] != 1.0]
    out = ["_Начало_описания_пар"]
    for p in pairs:
        out += [p["ParaType"], *name_lines(p["Zveno1"]), *name_lines(p["Zveno2"]), *name_lines(p["Name"])]
    out += [" ", "_Конец_описания_пар", "y", "_Ввод_стойки", *name_lines(links[m["FrameIndex"] - 1]["Name"])]
    out.append("_Ввод_начального_звена")
    for z in links:
        if z["IsDriving"] == 1.0:
            out += name_lines(z["Name"])
    out.append("_Ввод_дополнительных_точек")
    if m["ForceAnalysis"] == 7.0:
        out.append("n")
    else:
        out.append("y")
        for z in moving:
            out += name_lines(z["CM"])
        out.append("y")
        for z in moving:
            for d in z["DP"]:
                if d["Kind"] == "f":
                    out += name_lines(z["Name"]) + name_lines(d["Name"])
        out += [" ", "y"]
    if m["MorePoints"] == 7.0:
        out.append("n")
    else:
        out.append("y")
        for z in links:
            for d in z["DP"]:
                if d["Kind"] == "o":
                    out += name_lines(z["Name"]) + name_lines(d["Name"])
        out.append(" ")
    out += ["_Конец_ввода_пар,_звеньев_и_точек", "_Начало_разбивки_механизма_на_группы"]
    for g in groups:
        out += name_lines(links[g["Zveno1Index"] - 1]["Name"]) + name_lines(links[g["Zveno2Index"] - 1]["Name"])
    out += ["y", "_Конец_описания_структуры_механизма", "_Начало_задания_размеров_механизма",
            "_Положение_шарниров_стойки"]
    frame = links[m["FrameIndex"] - 1]["Name"]
    for p in pairs:
        if frame in (p["Zveno1"], p["Zveno2"]):
            out += ["_Пара_" + p["Name"], num(p["X"]), num(p["Y"])]
            if p["ParaType"] == "p" and p["XAngle"]:
                out.append(num(p["XAngle"]))
    out.append("_Задание_размеров_звеньев")
    for z in moving:
        out.append("_Звено_" + z["Name"])
        if z["ZType"] == "rr":
            out.append(num(z["ZLength"]))
        elif z["Perpendicular"] == "/n":
            out.append("y")
        else:
            out += ["n", num(z["Perpendicular"])]
    out.append("_Выбор_сборки")
    for g in groups:
        if g["GType"] == "1":
            out.append(g["Clockwise"])
        elif g["GType"] in ("2", "3"):
            for i in (g["Zveno1Index"], g["Zveno2Index"]):
                if links[i - 1]["Perpendicular"] != "/n":
                    out.append(links[i - 1]["Clockwise"])
            out.append(g["IsSharp"])
    assert m["ExtraPairsFlag"] == 0.0  # no link of this linkage has a third pair
    if m["MorePoints"] == 6.0:
        out += ["_Положение_точек_на_звеньях", "_Положение_просто_точек"]
        for z in links:
            for d in z["DP"]:
                if d["Kind"] == "o":
                    out += ["_Точка_" + d["Name"], num(d["Length"]), num(d["Angle"])]
    if m["ForceAnalysis"] == 6.0:
        out.append("_Положение_центров_масс")
        for z in moving:
            out += [num(z["CMLength"]), num(z["CMAngle"])]
        out.append("_Положение_точек_приложения_сил")
        for z in moving:
            for d in z["DP"]:
                if d["Kind"] == "f":
                    out += [num(d["Length"]), num(d["Angle"])]
    out.append("_Конец_здания_размеров")
    if m["ForceAnalysis"] == 6.0:
        out += ["_Ввод_сил_и_масс", "_Массы"]
        for z in moving:
            out += [num(z["Mass"]), num(z["Moment"])]
        out += ["y", "_Силы"]
        for z in moving:
            for d in z["DP"]:
                if d["Kind"] == "f":
                    out += [num(d["Force"]), num(d["ForceAngle"])]
        out.append("_Моменты")
        for z in moving:
            if z["IsDriving"] != 1.0:
                out.append(num(z["MomentVn"]))
        out.append("_Конец_задания_сил")
    out.append("y")
    return out


def kv_bytes(lines):
    """Windows-1251 codes moved to the DOS code page: 192..239 less 64, 240..255 less 16."""
    out = bytearray()
    for line in lines:
        for c in line.encode("cp1251"):
            out.append(c - 64 if 192 <= c <= 239 else c - 16 if c >= 240 else c)
        out += b"\r\n"
    return bytes(out)


# ---- project file ------------------------------------------------------------------------

def text(t):
    b = t.encode("cp1251")
    return struct.pack("<H", len(b)) + b


def integer(v):
    return struct.pack("<h", v)


def single(v):
    return struct.pack("<f", v)


def records(*values):
    out = b""
    for v in values:
        assert len(v) <= RECORD
        out += v.ljust(RECORD, b"\0")
    return out


def zvr_bytes(m):
    links = m["links"]
    out = records(integer(m["FrameIndex"]), single(m["ForceAnalysis"]), single(m["MorePoints"]),
                  integer(len(links)))
    for z in links:
        assert z["TwafzCount"] <= 0
        out += records(integer(z["TwafzCount"]))
        out += records(*(text(z[k]) for k in ("Spare1", "Clockwise", "CMAngle", "Spare3", "Spare2", "CMLength",
                                              "CM", "Spare4")))
        out += records(integer(len(z["DP"])))
        for d in z["DP"]:
            out += records(*(text(d[k]) for k in ("Angle", "Force", "ForceAngle", "Length", "Name", "Kind")))
        out += records(integer(z["GroupNo"]), single(z["IsFrame"]), text(z["OnGuide"]), single(z["IsDriving"]))
        out += records(*(text(z[k]) for k in ("ZLength", "Mass", "Moment", "MomentVn", "Name", "Para1", "Para2")))
        out += records(integer(z["Para1Index"]), integer(z["Para2Index"]))
        out += records(text(z["Perpendicular"]), text(z["Mark"]), text(z["ZType"]))
    out += records(integer(len(m["pairs"])))
    for p in m["pairs"]:
        out += records(text(p["Name"]) + text(p["Zveno1"]) + integer(p["Zveno1Index"]) + text(p["Zveno2"]) +
                       integer(p["Zveno2Index"]) + text(p["ParaType"]) + text(p["X"]) + text(p["Y"]) +
                       text(p["XAngle"]))
    out += records(integer(len(m["groups"])))
    for g in m["groups"]:
        out += records(text(g["Name"]) + integer(g["Zveno1Index"]) + integer(g["Zveno2Index"]) + text(g["GType"]) +
                       text(g["Clockwise"]) + IS_SHARP_MARKER + text(g["IsSharp"]))
    return out


def main():
    folder = Path(__file__).resolve().parent / "expected"
    folder.mkdir(exist_ok=True)
    # The second run changes the Y coordinate of pair D in the free-edit tree.
    edited = copy.deepcopy(FOUR_BAR)
    edited["pairs"][3]["Y"] = "-0.2"
    for name, m in (("fourbar", FOUR_BAR), ("fourbar-edited", edited)):
        (folder / f"{name}.kv").write_bytes(kv_bytes(kv_lines(m)))
        (folder / f"{name}.zvr").write_bytes(zvr_bytes(m))
    # Records: 4 + 26 per plain link + 6 per point + 1 + pairs + 1 + groups.
    assert len(zvr_bytes(FOUR_BAR)) == RECORD * (4 + 26 * 8 + 6 * 2 + 1 + 4 + 1 + 1)
    assert num("12.5") == " 1.25000000000000E+0001" and num("-0.1") == "-1.00000000000000E-0001"
    assert kv_bytes(["_Массы"]) == bytes.fromhex("5F8CA0E1E1EB0D0A")


if __name__ == "__main__":
    main()
