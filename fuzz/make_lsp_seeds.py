#!/usr/bin/env python3
"""Writes the seed corpus of the language server's fuzz target into
fuzz/lsp_seeds/: sessions of an editor, each the byte stream the server
reads (framed JSON-RPC messages). Run it again after changing the sessions
below; the seeds are kept in git.
"""
import json
import pathlib

HERE = pathlib.Path(__file__).resolve().parent
LINE = "file:///r/Tarvena1_linea.txt"
TRAIN = "file:///r/Tarvena1_84-.txt"


def framed(message):
    body = json.dumps(message, ensure_ascii=False).encode("utf-8")
    return b"Content-Length: %d\r\n\r\n" % len(body) + body


def request(n, method, params):
    return {"jsonrpc": "2.0", "id": n, "method": method, "params": params}


def notify(method, params):
    return {"jsonrpc": "2.0", "method": method, "params": params}


def pos(line, character):
    return {"line": line, "character": character}


def doc(uri):
    return {"textDocument": {"uri": uri}}


def opened(uri, text):
    return notify("textDocument/didOpen",
                  {"textDocument": {"uri": uri, "languageId": "scenpack", "version": 1, "text": text}})


def changed(uri, start, end, text):
    return notify("textDocument/didChange", {"textDocument": {"uri": uri, "version": 2},
                                             "contentChanges": [{"range": {"start": start, "end": end},
                                                                 "text": text}]})


START = [request(1, "initialize", {"capabilities": {}}), notify("initialized", {})]
END = [request(99, "shutdown", None), notify("exit", None)]
LINE_TEXT = ("linea\r\n[generale]\r\nlunghezza percorso, 5000\r\n[pendenze]\r\npendeza, 500, 3\r\n"
             "pendenza, 700, 3,5\r\n[curve]\r\ncurva destra 3, 500, 300\r\n[fine]\r\n\r\n")
TRAIN_TEXT = ("treno\r\n[generale]\r\nnumero vetture, 4\r\n[vel_limite]\r\nvelocita' limite, 0, 97\r\n"
              "[segnali]\r\nsegnale, 2550, 2, 4, 1, 0, 0, 0, 2, 1, 1, 0\r\n"
              "segnale, 2560, 2, 4, 1, 0, 0, 0, 2, 1, 1, 0\r\n[fine]\r\n\r\n")

SESSIONS = {
    "edit_line": START + [
        opened(LINE, LINE_TEXT),
        changed(LINE, pos(4, 0), pos(4, 7), "pendenza"),
        changed(LINE, pos(2, 20), pos(2, 24), "1000000"),
        request(2, "textDocument/hover", {**doc(LINE), "position": pos(4, 10)}),
        request(3, "textDocument/codeAction", {**doc(LINE), "range": {"start": pos(4, 0), "end": pos(4, 0)},
                                               "context": {"diagnostics": []}}),
        notify("textDocument/didSave", doc(LINE)),
        notify("textDocument/didClose", doc(LINE)),
    ] + END,
    "edit_train": START + [
        opened(TRAIN, TRAIN_TEXT),
        changed(TRAIN, pos(7, 0), pos(8, 0), ""),
        request(2, "textDocument/completion", {**doc(TRAIN), "position": pos(6, 0)}),
        request(3, "textDocument/documentSymbol", doc(TRAIN)),
        notify("textDocument/didChange", {"textDocument": {"uri": TRAIN, "version": 3},
                                          "contentChanges": [{"text": "treno\u2265\U0001F686\r\n"}]}),
    ] + END,
    "pair_elsewhere": START + [
        opened("file:///s/a.txt", LINE_TEXT),
        opened("file:///s/b.txt", TRAIN_TEXT),
        request(2, "textDocument/hover", {**doc("file:///s/b.txt"), "position": pos(4, 22)}),
    ] + END,
}


def main():
    out = HERE / "lsp_seeds"
    out.mkdir(exist_ok=True)
    for name, messages in SESSIONS.items():
        (out / name).write_bytes(b"".join(framed(m) for m in messages))
    # Frames the reader must refuse and go on after.
    (out / "bad_frames").write_bytes(
        b"Content-Length: 99999999999\r\n\r\n{}" + b"Content-Length: x\r\n\r\n" + b"Oops\r\n\r\n" +
        b"Content-Length: 9\r\n\r\n{not json" + framed([request(1, "initialize", {}), 3]) +
        b"Content-Length: 50\r\n\r\n{")


if __name__ == "__main__":
    main()
