#!/usr/bin/env python3
"""Times three builds against `cp` of their own outputs, in one run.

    measure.py SCENPACK SPAWN_TIMED [ROUNDS] [--print-sums]

SPAWN_TIMED is the small runner built beside the benchmarks (spawn_timed.cpp):
it starts each command and reports its wall time, CPU time and peak memory.

The three scenarios:
  embedded  `scenpack run`: the five texts, then the build of the embedded
            scenario; its outputs are the six files it leaves;
  sparse    `scenpack build` of the sparse 1,000,000 m route;
  dense     `scenpack build` of the dense 1,000,000 m route;
(the two routes come from make_scenarios.py; their descriptions are copied
into the build directory before the clock starts, as a user puts them there).

Beside each build, the views of its files are timed the same way, their
output written to a file (spawn_timed --stdout, no shell between): `inspect`
(text, --summary, --json, --raw, --map) and `plot` (SVG and HTML), with
their ratio to the build's wall time.

Each round runs every scenario once into an emptied directory and then `cp`
of the same output files into another emptied directory, `sync` before each
timed command, so both see the same disk state. The figures are medians
over the rounds (best of the rounds in brackets): wall time, CPU time (user
+ system) and peak resident memory of the child. The wall ratio is the
median over the rounds of the build's wall time over that of the cp right
after it (a busy machine slows both alike); the CPU ratio compares the
medians. Then the outputs are
compared byte for byte, by SHA-256, with the sums kept in bench/README.md.
"""
import hashlib
import os
import pathlib
import re
import shutil
import statistics
import subprocess
import sys
import tempfile

HERE = pathlib.Path(__file__).resolve().parent
NAME, NUMBER = "Tarvena1", "84"
BINARIES = [f"{NAME}_linea.dat", f"{NAME}_{NUMBER}.sim", f"{NAME}_{NUMBER}.dat"]
DOCUMENTS = [f"{NAME}_{NUMBER}_{d}.txt" for d in ("note", "rallentamenti", "scheda_treno")]


SPAWN_TIMED = None

# The views timed on each build's files: a name and the arguments before the
# directory.
VIEWS = [("inspect", ["inspect"]), ("inspect --summary", ["inspect", "--summary"]),
         ("inspect --json", ["inspect", "--json"]), ("inspect --raw", ["inspect", "--raw"]),
         ("inspect --map", ["inspect", "--map"]), ("plot svg", ["plot"]), ("plot html", ["plot"])]


def timed(argv):
    """Wall seconds, CPU seconds and peak RSS (KiB) of one child."""
    subprocess.run(["sync"], check=True)
    line = subprocess.run([SPAWN_TIMED] + argv, check=True, capture_output=True, text=True).stdout
    wall_us, cpu_us, peak_kib, code = (int(v) for v in line.split())
    if code not in (0, 1):  # 1: a data fault recorded, the files are still written
        sys.exit(f"{' '.join(argv)}: exit status {code}")
    return wall_us / 1e6, cpu_us / 1e6, peak_kib


def empty(directory):
    shutil.rmtree(directory, ignore_errors=True)
    directory.mkdir()


class Scenario:
    def __init__(self, name, work, scenpack, sources=None):
        self.name, self.sources, self.scenpack = name, sources, scenpack
        self.out, self.copy = work / f"{name}-out", work / f"{name}-copy"
        self.outputs = BINARIES + (DOCUMENTS if sources is None else [])
        self.runs, self.copies = [], []
        self.views = {name: [] for name, _ in VIEWS}

    def round(self):
        empty(self.out)
        if self.sources is None:
            argv = [self.scenpack, "run", "--dir", str(self.out), "--quiet"]
        else:
            shutil.copyfile(self.sources[0], self.out / f"{NAME}_linea.txt")
            shutil.copyfile(self.sources[1], self.out / f"{NAME}_{NUMBER}-.txt")
            argv = [self.scenpack, "build", "--dir", str(self.out), "--quiet"]
        self.runs.append(timed(argv))
        for name, view in VIEWS:
            out = self.out.parent / f"{self.name}-view"
            out.unlink(missing_ok=True)  # the last round's text removed before the clock starts
            argv = ["--stdout", str(out), self.scenpack] + view + [str(self.out)]
            if view[0] == "plot":
                argv = [self.scenpack] + view + [str(self.out), "--out", str(out) + ("." + name.split()[-1])]
            self.views[name].append(timed(argv))
        empty(self.copy)
        self.copies.append(timed(["cp"] + [str(self.out / f) for f in self.outputs] + [str(self.copy)]))

    def sums(self):
        return {f"{self.name}/{f}": hashlib.sha256((self.out / f).read_bytes()).hexdigest() for f in self.outputs}


def figure(samples, index, scale, unit):
    values = [s[index] * scale for s in samples]
    return f"{statistics.median(values):7.1f} {unit} (best {min(values):.1f})"


def expected_sums():
    text = (HERE / "README.md").read_text()
    return {m.group(2): m.group(1) for m in re.finditer(r"^ *([0-9a-f]{64})  (\S+)$", text, re.M)}


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    global SPAWN_TIMED
    scenpack = os.path.abspath(args[0])
    SPAWN_TIMED = os.path.abspath(args[1])
    rounds = int(args[2]) if len(args) > 2 else 7
    with tempfile.TemporaryDirectory(prefix="scenpack-bench-") as tmp:
        work = pathlib.Path(tmp)
        subprocess.run([sys.executable, str(HERE / "make_scenarios.py"), str(work / "src")], check=True)
        scenarios = [Scenario("embedded", work, scenpack)] + [
            Scenario(n, work, scenpack, (work / "src" / f"{n}_linea.txt", work / "src" / f"{n}_treno.txt"))
            for n in ("sparse", "dense")]
        for _ in range(rounds):
            for s in scenarios:
                s.round()
        print(f"medians of {rounds} rounds (best in brackets); wall ratio = median over the rounds of the "
              "build's wall time / that of the cp right after it; cpu ratio = median CPU / median CPU of cp")
        for s in scenarios:
            ratio = statistics.median(r[0] / c[0] for r, c in zip(s.runs, s.copies))
            cpu_ratio = statistics.median(r[1] for r in s.runs) / statistics.median(c[1] for c in s.copies)
            print(f"{s.name:9s} wall {figure(s.runs, 0, 1e3, 'ms')}  cpu {figure(s.runs, 1, 1e3, 'ms')}  "
                  f"peak {figure(s.runs, 2, 1 / 1024, 'MiB')}")
            print(f"{'cp':9s} wall {figure(s.copies, 0, 1e3, 'ms')}  cpu {figure(s.copies, 1, 1e3, 'ms')}  "
                  f"peak {figure(s.copies, 2, 1 / 1024, 'MiB')}")
            print(f"{'':9s} wall ratio {ratio:.2f}  cpu ratio {cpu_ratio:.2f}")
            build_wall = statistics.median(r[0] for r in s.runs)
            for name, samples in s.views.items():
                view_ratio = statistics.median(v[0] for v in samples) / build_wall
                print(f"  {name:18s} wall {figure(samples, 0, 1e3, 'ms')}  cpu {figure(samples, 1, 1e3, 'ms')}  "
                      f"peak {figure(samples, 2, 1 / 1024, 'MiB')}  / build {view_ratio:.2f}")
        expected = expected_sums()
        sums = {k: v for s in scenarios for k, v in s.sums().items()}
        changed = [k for k, v in sums.items() if expected.get(k) != v]
        if "--print-sums" in sys.argv:
            for k, v in sums.items():
                print(f"{v}  {k}")
        if changed:
            print("outputs differ from the sums in bench/README.md: " + ", ".join(changed))
            return 1
        print(f"outputs: all {len(sums)} files match the sums in bench/README.md")
        return 0


if __name__ == "__main__":
    sys.exit(main())
