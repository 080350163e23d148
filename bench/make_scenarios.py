#!/usr/bin/env python3
"""Writes the benchmark's line and train descriptions into a directory.

    make_scenarios.py DIR

writes DIR/sparse_linea.txt, DIR/sparse_treno.txt (a clean 1,000,000 m route
with few records) and DIR/dense_linea.txt, DIR/dense_treno.txt (the fullest
1,000,000 m route the tables take). The output depends on nothing but this
script, so the same script always gives the same bytes.

The dense route, from the line description:
  - a gradient every 250 m and a curve every 500 m (all six classes, both
    sides), 80 tunnels (the tunnel list's limit) of every kind;
  - as many text boards as the record table leaves beside the stations;
  - a speed board on every third cell left free in the first fifth;
and from the train description:
  - a station every 20 km, a signal every 1,500 m, a speed limit every
    2,500 m and an adhesion value every 5,000 m;
  - in the first fifth, slow orders of every kind (with and without boards,
    slower and faster than 110, lengths from 200 to 2,000 m) and code cuts;
  - the worst case of the slow-order walk in the other four fifths: slow
    orders of length 0 (the start overwrites the end cell) on every pair of
    cells left free, so that no end cell stands after any of them and each
    walk runs to the last cell of the table.
No record is refused by the readers: every cell placed is free when it is
placed (the planner below follows the readers' own cell numbering).
"""
import pathlib
import sys

CRLF = "\r\n"
ROUTE = 1_000_000
CELL = 50
N_CELLE = (ROUTE + 7000) // CELL  # 20140, no tie to round
TUNNELS = 80
FIRST_BOARD_RECORD = 80


def text(lines):
    return CRLF.join(lines + ["[fine]", " " * 16]) + CRLF


def general(length):
    return [
        "Percorso di prova per il banco", "[generale]",
        f"lunghezza percorso,    {length}",
        "progressiva chilometrica uno,    600000,    1000,    0",
        "progressiva chilometrica due,    300000,    -500,    1",
        "progressiva chilometrica tre,    100000,    2000,    0",
        "sfondo uno,    1", "sfondo due,    500000", "sfondo tre,    0",
        "ripetizione segnali 9 codici,    4900,    990000",
    ]


class Cells:
    """Which cells are taken, numbered as the readers number them."""

    def __init__(self):
        self.taken = set()

    def free(self, *cells):
        return all(0 <= c <= N_CELLE and c not in self.taken for c in cells)

    def take(self, *cells):
        self.taken.update(cells)


def slow_order_cells(x, l, f_ta):
    cells = {x // CELL + 1, (x + l) // CELL + 1}
    if x > 1500:
        warning = (x - 1200) // CELL + 1
        cells.add(warning)
        if f_ta:
            cells.update(warning - 1 - j for j in range(4))
    return sorted(cells)


def dense():
    cells = Cells()
    line, train_general, stations, signals, orders, cuts = [], [], [], [], [], []
    first_fifth = ROUTE // 5

    # Stations every 20 km, kind 2, 400 m: the end mark stands on the cell
    # (pos + 200) / 50 - 1.
    for n, pos in enumerate(range(1000, ROUTE, 20000), start=1):
        cells.take((pos + 200) // CELL - 1)
        stations.append(f"stazione, {pos:7d},  2, 400,  0, 0, 0,   1,1,0,  4,0,0,  0, 8, {n % 60:2d}, 0, STAZIONE {n}")
    # Text boards: records 80 downward, while the stations' next record
    # stays below the next board record.
    boards = FIRST_BOARD_RECORD - len(stations) - 2
    text_boards = []
    for n in range(boards):
        p = 17000 + n * 35000
        while not cells.free(p // CELL + 1):
            p += CELL
        cells.take(p // CELL + 1)
        text_boards.append(f"cartello indicatore,  {p},     ( BIVIO {n:2d} ) (LINEA {n % 7})")
    # A signal every 1,500 m, first values alternating 1 and 2.
    for n, p in enumerate(range(800, ROUTE - 1000, 1500)):
        while not cells.free(p // CELL + 1):
            p += CELL
        cells.take(p // CELL + 1)
        kind = 1 + n % 2
        signals.append(f"segnale, {p:7d}, {kind}, 4, 1, 0, 0,     {kind}, 2, 1, 0, {(n * 7) % 130}")
    # Slow orders of every kind in the first fifth, one candidate per km.
    lengths = [200, 450, 800, 1250, 2000]
    speeds = [30, 50, 60, 80, 100, 120]
    for n, x in enumerate(range(1600, first_fifth, 1000)):
        l, v, f_ta = lengths[n % 5], speeds[n % 6], (n + 1) % 3 != 0
        d_v = v if n % 2 else 0
        need = slow_order_cells(x, l, f_ta)
        if cells.free(*need):
            cells.take(*need)
            orders.append(f"rallentamento, {x:7d}, {v:3d}, {l:4d}, {n % 2}, {int(f_ta)}, {d_v}")
    # Code cuts in the first fifth: cell p / 50, values 270, 180, 0, 75.
    values = [270, 180, 0, 75]
    for n, p in enumerate(range(1450, first_fifth, 900)):
        if cells.free(p // CELL):
            cells.take(p // CELL)
            cuts.append(f"abbattimento codice, {p}, {values[n % 4]}")
    # Speed boards on every third free cell of the first fifth.
    speed_boards = []
    free_seen = 0
    for c in range(3, first_fifth // CELL):
        if not cells.free(c):
            continue
        free_seen += 1
        if free_seen % 3 == 0:
            cells.take(c)
            p = (c - 1) * CELL
            a, b = 60 + (c % 20) * 5, 40 + (c % 9) * 5
            speed_boards.append(f"indicatori_vmax, {p}, {a}, {a + 5}, {a + 10}, {c % 3}, {b}, {b + 5}, {b + 10}, {c % 2}")
    # The walk's worst case: slow orders of length 0, no boards, on every
    # start and warning pair still free after the first fifth.
    for x in range(first_fifth, ROUTE - 100, CELL):
        need = slow_order_cells(x, 0, False)
        if cells.free(*need):
            cells.take(*need)
            orders.append(f"rallentamento, {x:7d}, {40 + (x // CELL) % 7 * 10:3d},    0, 0, 0, 0")

    body = ["[pendenze]"]
    body += [f"pendenza  , {p}   , {(p // 250) % 21 - 10}" for p in range(250, ROUTE, 250)]
    body.append("[curve]")
    for n, p in enumerate(range(100, ROUTE - 500, 500)):
        body.append(f"curva{'ds'[n % 2]}{n % 6 + 1}, {p},  {200 + (n % 3) * 100}")
    body.append("[montagne]")
    previous_end = 0
    for n in range(TUNNELS):
        start = 5000 + n * 12000
        if n % 5 == 4:
            start = previous_end + 100  # close to the one before: kind 3
        end = start + 1500 + (n % 4) * 500
        if n % 9 == 8:
            end = start - 400  # ends before it starts: no cell marked
        body.append(f"montagna, {start},{end},{[11, 12, 13, 1, 2, 3][n % 6]}")
        previous_end = end
    body.append("[cartelli]")
    body += speed_boards
    body.append("[indicazioni]")
    body += text_boards
    line = general(ROUTE) + body

    train = [
        "Treno di prova per il banco", "inizio_dati", "[generale]",
        "numero vetture,    12", "percentuale massa frenata,    130", "sabbia,    300",
        "orologio,    8               9             25 ", "[aderenze]",
    ]
    train += [f"aderenza, {p}, {60 + (p // 5000) % 30}" for p in range(0, ROUTE, 5000)]
    train.append("[vel_limite]")
    train += [f"velocita' limite , {p:7d}, {80 + (p // 2500) % 16 * 10}" for p in range(0, ROUTE, 2500)]
    train += ["[stazioni]"] + stations + ["[segnali]"] + signals
    train += ["[abbattimenti]"] + cuts + ["[rallentamenti]"] + orders
    return text(line), text(train)


def sparse():
    body = ["[pendenze]"]
    body += [f"pendenza  , {p}   , {(p // 10000) % 11 - 5}" for p in range(10000, ROUTE, 10000)]
    body.append("[curve]")
    body += [f"curva{'ds'[n % 2]}{n % 6 + 1}, {p},  400" for n, p in enumerate(range(25000, ROUTE, 50000))]
    body += ["[montagne]", "montagna, 19400,21300,11", "[cartelli]",
             "indicatori_vmax,  1050, 85, 90, 95, 0, 85, 90, 95, 0", "[indicazioni]",
             "cartello indicatore,  6200,     ( DOPPIO  ) ( BIVIO  ) (NOMENTANO)"]
    train = [
        "Treno di prova", "[generale]", "numero vetture,    12", "percentuale massa frenata,    130",
        "sabbia,    300", "orologio,    8               9             25 ", "aderenza,       0, 75",
        "velocita' limite ,     0    ,   30", "velocita' limite ,   650    ,   95",
        "velocita' limite , 16250    ,  200", "velocita' limite ,900000    ,  160",
        "stazione,      0,  8, 500,  1, 0, 0,   4,0,0,  2,1,0,  1, 8, 10, 0, PARTENZA",
        "stazione, 999000, 11, 1100,  1, 0, 1,   4,0,2,  2,0,0,  0, 0,  0, 0, ARRIVO",
    ]
    train += [f"segnale, {p:7d}, 2, 4, 1, 0, 0,     2, 2, 1, 0, 0" for p in range(52550, 990000, 100000)]
    train += ["rallentamento,   9300, 50, 200, 0, 1, 50", "abbattimento codice, 5300,270"]
    return text(general(ROUTE) + body), text(train)


def main():
    out = pathlib.Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    for name, (line, train) in (("sparse", sparse()), ("dense", dense())):
        (out / f"{name}_linea.txt").write_bytes(line.encode("cp1252"))
        (out / f"{name}_treno.txt").write_bytes(train.encode("cp1252"))


if __name__ == "__main__":
    main()
