#!/usr/bin/env python3
"""Writes the seed corpus of the build fuzz target into fuzz/seeds/.

Each seed is one byte (low bit = modo_percorso), the line description, a NUL
byte and the train description, in the scenario's own row forms. Run it
again after changing the rows below; the seeds are kept in git.
"""
import pathlib

HERE = pathlib.Path(__file__).resolve().parent
CRLF = "\r\n"

LINE_GENERAL = [
    "Percorso di prova", "inizio dati", "     ", "[generale]" + " " * 24,
    "lunghezza percorso,    270000",
    "progressiva chilometrica uno,    263600,    46500,    0",
    "progressiva chilometrica due,    206200,    -6550,    0",
    "progressiva chilometrica tre,    190600,    28600,    0",
    "sfondo uno,    1", "sfondo due,    250000", "sfondo tre,    0",
    "ripetizione segnali 9 codici,    4900,    266650",
]
LINE_BODY = [
    "[pendenze]", "pendenza  , 500    , -7", "pendenza  , 2000   , -10", "pendenza  , 189500   , 12",
    "pendenza  , 265350   , 4", "pendenza  , 265350   , 0", "pendenza  , 267050   , 0", "", "",
    "[curve]", "curvad2,   500,  300", "- Roma Tiburtina", "curvas3,  1900,  450", "curvas6, 266450,  300", "",
    "[cartelli]", "indicatori_vmax,  1050, 85, 90, 95, 0, 85, 90, 95, 0",
    "indicatori_vmax,190650,140,155,160, 0,140,165,160, 0",
    "indicatori_vmax,265300, 60, 70, 75, 0, 60, 70, 75, 0",
    "[montagne]", "montagna, 19400,21300,11", "", "montagna,   87100,  87150,  2", "montagna, 222800,114100,11",
    "", "", "", "[indicazioni]", "", "",
    "cartello indicatore,  6200,     ( DOPPIO  ) ( BIVIO  ) (NOMENTANO)",
    "cartello indicatore, 266250,     (CAVALCAVIA) ( STATUTO )         ",
    "[fine]", " " * 16,
]

TRAIN_GENERAL = [
    " " * 18 + "Treno 84 sul  percorso di prova", " " * 22 + "percorso uguale al treno 1552",
    "", "", "", "", "", "", "inizio_dati", "[generale]",
    "numero vetture,    12", "percentuale massa frenata,    130", "sabbia,    300",
    "orologio,    8               9             25 ", "[aderenze] ", "aderenza,       0, 75", "", "",
    "[vel_limite]", "",
    "velocita' limite ,     0    ,   30", "velocita' limite ,   650    ,   95",
    "velocita' limite ,  4500    ,   90", "velocita' limite ,  7150    ,  110",
    "velocita' limite , 16250    ,  200", "velocita' limite ,190650    ,  160",
    "velocita' limite ,266300    ,   75",
]
TRAIN_STATIONS = [
    "[stazioni]", "",
    "-           pos. tipo lung. t  t  m    d d r   d d d   a   o  o  o   nome",
    "-                           p  a  a    2 3 a   1 2 3   c   r  r  r",
    "-                           s  b  r        p               o  m  s",
    "stazione,      0,  8, 500,  1, 0, 0,   4,0,0,  2,1,0,  1, 8, 10, 0, ROMA TERMINI",
    "stazione,   4500,  2, 800,  0, 1, 1,   1,1,0,  4,0,0,  0, 0, 0, 0, ROMA TIBURTINA",
    "stazione,  16550, 26, 500,  0, 0, 0,   0,0,0,  0,0,0,  0, 0, 0, 0, P.C. SETTE BAGNI",
    "stazione, 190000, 11,1100,  1, 0, 1,   4,0,2,  2,0,0,  0, 0, 0, 0, BIVIO AREZZO SUD",
    "stazione, 198750,  4, 800,  0, 1, 0,   1,1,0,  4,1,1, 60, 8, 38, 0, AREZZO",
    "-stazione, 260400, 25, 400,  0, 0, 0,   0,0,0,  0,0,0,  0, 0, 0, 0, BIVIO ROVEZZANO",
    "stazione, 267550,  6 ,600,  1, 0, 0,   0,0,0,  0,0,0,  0, 10,18, 0, FIRENZE S.M.N",
]
TRAIN_SIGNALS = [
    "[segnali]", "-                1                     destra",
    "-                a  d1 d2 d3 ra       d1 d2 d3 ac", "-                v",
    "segnale,   2550, 2, 4, 1, 0, 0,     0, 2, 1, 1, 0",
    "-segnale,   9100, 2, 4, 0, 0, 0,     2, 1, 0, 0, 0",
    "segnale,  20500, 2, 4, 0, 0, 0,     2, 1, 0, 0, 0", "- avviso Capena",
    "segnale,  187700, 1, 5, 7, 0, 0,     1, 3, 1, 0, 0",
    "segnale,  189050, 2, 2, 5, 7, 2,     2, 2, 1, 1, 0",
    "segnale,  197800, 2, 3, 1, 1, 0,     2, 2, 1, 1, 254",
    "segnale,  266650, 2, 2, 3, 0, 0,     2, 2, 1, 0, 0",
]
TRAIN_CODES = [
    "[codici]", "abbattimento codice, 5300,270", "abbattimento codice, 48500,270 ",
    "abbattimento codice, 109500,0  ", "abbattimento codice, 254500,180", "", "",
]
TRAIN_SLOW_ORDERS = [
    "[rallentamenti]", "rallentamento,   9300, 50, 200, 0, 1, 50", "rallentamento,  24300, 40, 400, 0, 1, 0",
    "rallentamento, 138400, 80, 800, 1, 1, 80", "rallentamento, 262800, 30, 350  1, 0, 30",
    "[fine]", "riferimento fine del file",
]

SHORT_LINE = ["[generale]", "lunghezza percorso,    20000", "sfondo uno,    1",
              "ripetizione segnali 4 codici,    1000,    0", "[pendenze]", "pendenza  , 500    , -7",
              "montagna, 2000,2600,1", "indicatori_vmax,  1050, 85, 90, 95, 0, 85, 90, 95, 0", "[fine]", " " * 16]
SHORT_TRAIN = ["[generale]", "velocita' limite ,     0    ,   30", "aderenza,       0, 75",
               "stazione,      0,  8, 500,  1, 0, 0,   4,0,0,  2,1,0,  1, 8, 10, 0, ROMA TERMINI",
               "segnale,   2550, 2, 4, 1, 0, 0,     0, 2, 1, 1, 0", "rallentamento,   9300, 50, 200, 0, 1, 50",
               "abbattimento codice, 5300,270", "[fine]", "riferimento fine del file"]


def text(lines):
    return CRLF.join(lines) + CRLF


def seed(name, modo, line, train):
    data = bytes([modo]) + text(line).encode("cp1252")
    if train is not None:
        data += b"\0" + text(train).encode("cp1252")
    (HERE / "seeds" / name).write_bytes(data)


def main():
    (HERE / "seeds").mkdir(exist_ok=True)
    line = LINE_GENERAL + LINE_BODY
    train = TRAIN_GENERAL + TRAIN_STATIONS + TRAIN_SIGNALS + TRAIN_CODES + TRAIN_SLOW_ORDERS
    seed("scenario", 0, line, train)
    seed("scenario_with_map", 1, line, train)
    seed("short_route", 0, SHORT_LINE, SHORT_TRAIN)
    seed("short_route_with_map", 1, SHORT_LINE, SHORT_TRAIN)
    seed("line_only", 0, SHORT_LINE, None)
    for i, row in enumerate(TRAIN_STATIONS[5:] + TRAIN_SIGNALS[4:] + TRAIN_SLOW_ORDERS[1:5]):
        seed("row_%02d" % i, 0, ["[generale]", "lunghezza percorso,    270000", "[fine]", ""], ["[generale]", row, "[fine]", ""])


if __name__ == "__main__":
    main()
