#!/usr/bin/env python3
"""Writes the seed corpus of the decoder fuzz target into fuzz/decode_seeds/.

Each seed is one byte choosing the file (0 cells, 1 records, 2 route map)
followed by a small well-formed file of that kind, laid out as
docs/formats.md describes. The seeds are kept in git.
"""
import pathlib
import struct

OUT = pathlib.Path(__file__).resolve().parent / "decode_seeds"


def cell(tipo=0, d1=0, d2=0, d3=0, d4=0, tempo=0, avviso=0, galleria=0, d5=0, d6=100, d7=0):
    return struct.pack("<BhhhhBBBBBB", tipo, d1, d2, d3, d4, tempo, avviso, galleria, d5, d6, d7)


def record(text=b"", byte1=0, l1=0, l2=0, l3=0, byte2=0, ints=(0, 0, 0, 0, 0), bytes4=(0, 0, 0, 0), l4=0):
    return (struct.pack("<BiiiBH", byte1, l1, l2, l3, byte2, len(text)) + text +
            struct.pack("<5h4Bi", *ints, *bytes4, l4))


def route_map(points_set, metres):
    xs, ys = [0.0, 0.0], [0.0, 1.0]
    while len(xs) < points_set:
        xs.append(xs[-1] + 0.6)
        ys.append(ys[-1] + 0.8)
    out = b""
    for axis in (xs, ys):
        for j in range(metres):
            if j >= points_set:
                out += struct.pack("<h", 0)
            elif j < 2:
                out += struct.pack("<hh", 2, int(axis[j]))
            else:
                out += struct.pack("<hd", 5, axis[j])
    return out


def main():
    OUT.mkdir(exist_ok=True)
    cells = [cell(), cell(0, 5121, 2654), cell(1, 41, 0, 0, 8), cell(3, 50, 50), cell(2, 50, 50),
             cell(10, 1), cell(11, galleria=1), cell(12, 180), cell(13), cell(14, 80), cell(6, 1717, 1818)]
    records = [record() for _ in range(87)]
    records[1] = record(b"ROMA TERMINI", 8, -500, 500, 0, 1, (4, 0, 2, 1, 0), (0, 1, 0, 0), 29400)
    records[80] = record(b"( DOPPIO  ) ( BIVIO  )")
    records[84] = record(l1=140, l2=270000, l3=10)
    records[85] = record(b"Tarvena1", ints=(610, 0, 0, 0, 0), l4=36656)
    records[86] = record(b"84", ints=(5, 0, 8, 10, 0))
    seeds = {
        "cells_empty": b"\x00",
        "cells": b"\x00" + b"".join(cells),
        "records": b"\x01" + b"".join(records),
        "map_empty": b"\x02",
        "map_unset": b"\x02" + route_map(0, 5),
        "map": b"\x02" + route_map(40, 43),
    }
    for name, data in seeds.items():
        (OUT / name).write_bytes(data)


if __name__ == "__main__":
    main()
