#!/usr/bin/env python3
"""Checks the console front end's answers with a real circuit simulator.

For several searches (lists, "Include Serial", DNM counts, precisions) it takes
result lines from varnock-search, builds the level shifter of each line in
ngspice (ideal op-amp as a voltage-controlled voltage source, the three
resistor pairs exactly as printed, Vref), simulates the output at Vi(min) and
Vi(max) and the resistance at the inverting input, and checks the printed
errors and resistance to the printed precision, each line within the asked
precision and the lines best first. With --tolerance, each of a sample of CSV
rows is built once per tolerance corner (every fitted part at either end of
its tolerance), and the lowest and highest simulated errors must match the
row's spread columns. Only the standard library is used. Usage: check_answers.py VARNOCK_SEARCH WORK_DIR [NGSPICE]
"""
import csv
import io
import itertools
import os
import re
import shutil
import struct
import subprocess
import sys

# Open-loop gain of the ideal op-amp. The output is simulated at A and 2A and
# extrapolated to infinite gain: Vo = 2 Vo(2A) - Vo(A) cancels the 1/A term,
# and a moderate A keeps the solver's rounding at the inverting node (which the
# gain multiplies) far below the printed digits.
OPEN_LOOP_GAIN = 1e6
LINES_PER_SEARCH = 20
NGSPICE = sys.argv[3] if len(sys.argv) > 3 else "ngspice"
# The report prints errors with four decimals and the resistance in whole ohms;
# a printed value may differ from the exact one by half its last digit, plus
# what the simulator's own arithmetic adds (see ORDER_TOLERANCE).
ERROR_TOLERANCE = 0.5e-4 + 1e-6
OHMS_TOLERANCE = 0.5
OHMS_RELATIVE_SLACK = 1e-9
# The simulator's own arithmetic (number parsing, the solve, the gain
# extrapolation) moves an error by about 2e-8 percentage points; this slack,
# still a hundredth of the printed last digit, covers it wherever simulated
# errors are compared with each other or with the precision.
ORDER_TOLERANCE = 1e-6
# The largest differences seen between printed and simulated values.
LARGEST = {"errors": 0.0, "ohms": 0.0, "spread": 0.0}

# Lists given to --list-file: scale letters, a decimal comma, a letter that is
# not directly after its number, leading spaces and words after the number.
MIXED_LIST = ["100m", "4,7", "22", " 68", "220", "1.5K", "4.7k", "10k", "22k", "47k",
              "100k", "330k ohm 1%", "2.2M", "8.2M", "3.3 M"]
LOW_VALUES = ["1", "2.2", "4,7", "10", "15", "22", "33", "47", "68", "100"]

# (voltages as typed, the same as numbers, further options). Voltages in the
# order Vi(min), Vi(max), Vo(min), Vo(max), Vref.
DEFAULT_VOLTS = (["0.6", "3.0", "0.1", "3.2", "3.3"], [0.6, 3.0, 0.1, 3.2, 3.3])
SEARCHES = [
    (DEFAULT_VOLTS, ["--list", "E12"]),
    (DEFAULT_VOLTS, ["--list", "E6", "--serial", "--precision", "0.05%", "--dnm", "1"]),
    (DEFAULT_VOLTS, ["--list", "List2", "--precision", "0.05%", "--dnm", "1"]),
    (DEFAULT_VOLTS, ["--list", "E12", "--serial", "--precision", "0.005%"]),
    ((["100m", "1.1", "0", "5V", "4.096"], [0.1, 1.1, 0.0, 5.0, 4.096]),
     ["--list", "E24", "--precision", "0.05%", "--dnm", "2"]),
    ((["1", "2", "0", "3.3", "2500m"], [1.0, 2.0, 0.0, 3.3, 2.5]),
     ["--list", "List3", "--list-file", "{mixed}", "--serial", "--precision", "1%"]),
    ((["0.2", "0.8", "-1", "1", "1.2"], [0.2, 0.8, -1.0, 1.0, 1.2]),
     ["--list", "List1", "--precision", "0.05%", "--dnm", "1"]),
    ((["0.5", "1.5", "0.5", "4.5", "5"], [0.5, 1.5, 0.5, 4.5, 5.0]),
     ["--list", "List2", "--list-file", "{low}", "--serial", "--precision", "1%", "--dnm", "0"]),
]

# The tolerance spread: searches run with --format csv --tolerance, a sample of
# rows each simulated at every corner. The CSV carries full precision, so the
# simulated extremes must agree to the simulator's own rounding.
TOLERANCE_SEARCHES = [
    (DEFAULT_VOLTS, ["--list", "E12", "--serial", "--precision", "0.5%"], "1%"),
    ((["100m", "1.1", "0", "5V", "4.096"], [0.1, 1.1, 0.0, 5.0, 4.096]),
     ["--series", "E96", "--from", "1k", "--to", "100k", "--precision", "0.05%", "--dnm", "1"], "0.1%"),
]
TOLERANCE_ROWS = 5
SPREAD_COLUMNS = ("err_vimin_lo_pct", "err_vimin_hi_pct", "err_vimax_lo_pct", "err_vimax_hi_pct")

LINE_PATTERN = re.compile(r"^(.*), (.*), (.*), (-?[0-9.]+|-?nan|-?inf)%, (-?[0-9.]+|-?nan|-?inf)%, ([0-9]+)$")
# The part of a name that the C library's decimal parser reads (the lists
# above hold no hexadecimal, infinite or NaN values).
NUMBER_PATTERN = re.compile(r"^[ \t\n\v\f\r]*([+-]?(?:[0-9]+\.?[0-9]*|\.[0-9]+)(?:[eE][+-]?[0-9]+)?)")
SCALE = {"m": lambda v: v / 1000, "u": lambda v: v / 1000000, "k": lambda v: v * 1000,
         "K": lambda v: v * 1000, "M": lambda v: v * 1000000}


def part_ohms(name):
    """The value the list parser gives the part named `name`; None for DNM."""
    if name == "DNM":
        return None
    match = NUMBER_PATTERN.match(name)
    if not match:
        raise ValueError("no number in part name %r" % name)
    value = float(match.group(1))
    letter = name[match.end():match.end() + 1]
    return SCALE[letter](value) if letter in SCALE else value


def parse_pair(text):
    """'a//b' or 'a+b' as (series, [ohms or None, ohms or None])."""
    series = "//" not in text
    first, second = text.split("+", 1) if series else text.split("//", 1)
    parts = [part_ohms(first), part_ohms(second)]
    if (series and None in parts) or parts == [None, None]:
        raise ValueError("%r is an open circuit: DNM can only stand beside a fitted part in parallel" % text)
    return series, parts


def parse_line(line):
    match = LINE_PATTERN.match(line)
    if not match:
        raise ValueError("not a result line: %r" % line)
    return {"text": line, "ra": parse_pair(match.group(1)), "rb": parse_pair(match.group(2)),
            "rf": parse_pair(match.group(3)), "errMin": float(match.group(4)),
            "errMax": float(match.group(5)), "ohms": int(match.group(6))}


class Netlist:
    def __init__(self):
        self.lines = ["* Varnock answers checked by ngspice"]
        self.count = 0

    def resistor(self, a, b, ohms):
        self.count += 1
        self.lines.append("R%d %s %s %r" % (self.count, a, b, ohms))

    def pair(self, a, b, pair, tag):
        """The printed pair between nodes a and b; an unfitted part is left out."""
        series, parts = pair
        if series:
            middle = tag + "m"
            self.resistor(a, middle, parts[0])
            self.resistor(middle, b, parts[1])
        else:
            for ohms in parts:
                if ohms is not None:
                    self.resistor(a, b, ohms)


def build_netlist(results, volts):
    vi_min, vi_max, _, _, vref = volts
    net = Netlist()
    net.lines += ["VIMIN vimin 0 DC %r" % vi_min, "VIMAX vimax 0 DC %r" % vi_max, "VREF vref 0 DC %r" % vref]
    for n, r in enumerate(results):
        for gain_factor in (1, 2):
            for end, source in (("lo", "vimin"), ("hi", "vimax")):
                tag = "l%dg%d%s" % (n, gain_factor, end)
                inv, out = "n" + tag, "o" + tag
                # Non-inverting input at Vi; Ra to Vref, Rb to ground, Rf to the output.
                net.lines.append("E%s %s 0 %s %s %r" % (tag, out, source, inv, OPEN_LOOP_GAIN * gain_factor))
                net.pair(inv, "vref", r["ra"], tag + "a")
                net.pair(inv, "0", r["rb"], tag + "b")
                net.pair(inv, out, r["rf"], tag + "f")
        # The resistance seen by the inverting input: Vref and the output are
        # sources, so all three pairs go to ground; 1 A in gives Req volts.
        tag = "l%dq" % n
        net.lines.append("I%s 0 %s DC 1" % (tag, "n" + tag))
        for key in ("ra", "rb", "rf"):
            net.pair("n" + tag, "0", r[key], tag + key)
    net.lines += [".op", ".end", ""]
    return "\n".join(net.lines)


def read_raw(path):
    """Node voltages of the operating point from ngspice's binary raw file."""
    with open(path, "rb") as f:
        data = f.read()
    header, _, values = data.partition(b"Binary:\n")
    names, count, in_vars = [], 0, False
    for line in header.decode("ascii").splitlines():
        if line.startswith("No. Variables:"):
            count = int(line.split(":")[1])
        elif line.startswith("Flags:") and "real" not in line:
            raise ValueError("raw file is not real-valued: " + line)
        elif line.startswith("Variables:"):
            in_vars = True
        elif in_vars and line.strip():
            names.append(line.split()[1].lower())
    if len(names) != count or len(values) < 8 * count:
        raise ValueError("raw file holds %d names, %d bytes for %d values" % (len(names), len(values), count))
    return dict(zip(names, struct.unpack("<%dd" % count, values[:8 * count])))


def simulate(results, volts, work):
    cir, raw = os.path.join(work, "answers.cir"), os.path.join(work, "answers.raw")
    with open(cir, "w") as f:
        f.write(build_netlist(results, volts))
    done = subprocess.run([NGSPICE, "-b", "-r", raw, cir], cwd=work, stdout=subprocess.PIPE,
                          stderr=subprocess.STDOUT, universal_newlines=True)
    if done.returncode != 0:
        raise RuntimeError("ngspice failed:\n" + done.stdout[-3000:])
    return read_raw(raw)


def simulated_errors(v, volts, n):
    """Errors at Vi(min) and Vi(max) of circuit n, extrapolated to infinite gain."""
    _, _, vo_min, vo_max, _ = volts
    out = {end: 2 * v["v(ol%dg2%s)" % (n, end)] - v["v(ol%dg1%s)" % (n, end)] for end in ("lo", "hi")}
    return (out["lo"] - vo_min) / vo_max * 100, (out["hi"] / vo_max - 1) * 100


def check_line(r, v, volts, n):
    """Problems of result line n against the simulated node voltages v."""
    err_min, err_max = simulated_errors(v, volts, n)
    ohms = v["v(nl%dq)" % n]
    r["worst"] = max(abs(err_min), abs(err_max))
    problems = []
    deviation = max(abs(r["errMin"] - err_min), abs(r["errMax"] - err_max))
    LARGEST["errors"] = max(LARGEST["errors"], deviation)
    LARGEST["ohms"] = max(LARGEST["ohms"], abs(r["ohms"] - ohms))
    if abs(r["errMin"] - err_min) > ERROR_TOLERANCE:
        problems.append("error at Vi(min) printed %.4f%%, simulated %.8f%%" % (r["errMin"], err_min))
    if abs(r["errMax"] - err_max) > ERROR_TOLERANCE:
        problems.append("error at Vi(max) printed %.4f%%, simulated %.8f%%" % (r["errMax"], err_max))
    if abs(r["ohms"] - ohms) > OHMS_TOLERANCE + OHMS_RELATIVE_SLACK * ohms:
        problems.append("resistance printed %d, simulated %.4f" % (r["ohms"], ohms))
    return problems


def dnm_count(r):
    return sum(1 for key in ("ra", "rb", "rf") if r[key][1][1] is None)


def check_order(results, options):
    """Problems with the listed lines as a whole: each within the precision
    (by its simulated errors) and best first (more DNM, then smaller error)."""
    typed = options[options.index("--precision") + 1] if "--precision" in options else "0.01%"
    precision = float(typed.rstrip("%"))
    problems = ["%s: simulated worst error %.8f%% beyond the precision %s" % (r["text"], r["worst"], typed)
                for r in results if r["worst"] > precision + ORDER_TOLERANCE]
    for a, b in zip(results, results[1:]):
        key_a, key_b = (-dnm_count(a), a["worst"]), (-dnm_count(b), b["worst"])
        if key_a[0] > key_b[0] or (key_a[0] == key_b[0] and key_a[1] > key_b[1] + ORDER_TOLERANCE):
            problems.append("listed out of order (%.3g):\n    %s\n    %s" % (key_a[1] - key_b[1], a["text"], b["text"]))
    return problems


def run_program(program, work, typed, options):
    args = [program, "--lang", "en", "--vi-min", typed[0], "--vi-max", typed[1], "--vo-min", typed[2],
            "--vo-max", typed[3], "--vref", typed[4]] + options
    # An empty folder, so that no Varnock.ini changes the state.
    folder = os.path.join(work, "run")
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    done = subprocess.run(args, cwd=folder, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                          universal_newlines=True)
    if done.returncode != 0:
        raise RuntimeError("%s: exit %d\n%s%s" % (" ".join(args), done.returncode, done.stdout, done.stderr))
    return done.stdout


def run_search(program, work, typed, options):
    lines = run_program(program, work, typed, options).splitlines()
    return lines[:-1], lines[-1]


def corners(r, tolerance):
    """The combination once per corner: each fitted part times 1 - t or 1 + t."""
    fitted = [(key, i) for key in ("ra", "rb", "rf") for i in (0, 1) if r[key][1][i] is not None]
    for signs in itertools.product((-1, 1), repeat=len(fitted)):
        moved = {key: (r[key][0], list(r[key][1])) for key in ("ra", "rb", "rf")}
        for (key, i), sign in zip(fitted, signs):
            moved[key][1][i] *= 1 + sign * tolerance
        yield moved


def check_tolerance(program, work, search):
    """Problems of the spread columns of a sample of rows; the number checked."""
    (typed, volts), options, tolerance = search
    out = run_program(program, work, typed, options + ["--format", "csv", "--tolerance", tolerance])
    rows = spread(list(csv.DictReader(io.StringIO(out))), TOLERANCE_ROWS)
    fraction = float(tolerance.rstrip("%")) / 100
    circuits, owners = [], []
    for n, row in enumerate(rows):
        r = {key: (row[key + "_kind"] == "+", [part_ohms(row[key + "1"]), part_ohms(row[key + "2"])])
             for key in ("ra", "rb", "rf")}
        for moved in corners(r, fraction):
            circuits.append(moved)
            owners.append(n)
    v = simulate(circuits, volts, work)
    simulated = [[[], []] for _ in rows]
    for n, owner in enumerate(owners):
        for end, err in enumerate(simulated_errors(v, volts, n)):
            simulated[owner][end].append(err)
    problems = []
    for row, (errs_min, errs_max) in zip(rows, simulated):
        expected = (min(errs_min), max(errs_min), min(errs_max), max(errs_max))
        for column, value in zip(SPREAD_COLUMNS, expected):
            difference = abs(float(row[column]) - value)
            LARGEST["spread"] = max(LARGEST["spread"], difference)
            if difference > ORDER_TOLERANCE:
                problems.append("%s, %s, %s: %s %s, simulated %.8f" % (row["ra"], row["rb"], row["rf"], column,
                                                                     row[column], value))
    print("%-70s %4d rows,   %2d checked at %d corners" % (" ".join(options + ["--tolerance", tolerance])[:70],
                                                         len(rows), len(rows), len(circuits)))
    return problems, len(rows)


def spread(items, count):
    """Up to count items, evenly spread over the list (first and last included)."""
    if len(items) <= count:
        return items
    return [items[round(i * (len(items) - 1) / (count - 1))] for i in range(count)]


def main():
    program, work = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    lists = {}
    for key, values in (("mixed", MIXED_LIST), ("low", LOW_VALUES)):
        lists[key] = os.path.join(work, key + ".txt")
        with open(lists[key], "w", newline="") as f:
            f.write("".join(value + "\r\n" for value in values))

    checked, with_series, with_dnm, failures = 0, 0, 0, []
    for (typed, volts), options in SEARCHES:
        options = [option.format(**lists) for option in options]
        lines, status = run_search(program, work, typed, options)
        if not lines:
            failures.append("%s: no result lines (%s)" % (" ".join(options), status))
            continue
        results = []
        for line in spread(lines, LINES_PER_SEARCH):
            try:
                results.append(parse_line(line))
            except ValueError as error:
                failures.append("%s\n  %s" % (" ".join(options), error))
        voltages = simulate(results, volts, work)
        for n, r in enumerate(results):
            failures += ["%s\n  %s: %s" % (" ".join(options), r["text"], p) for p in check_line(r, voltages, volts, n)]
        failures += ["%s\n  %s" % (" ".join(options), p) for p in check_order(results, options)]
        checked += len(results)
        with_series += sum(1 for r in results if any(r[key][0] for key in ("ra", "rb", "rf")))
        with_dnm += sum(1 for r in results if any(None in r[key][1] for key in ("ra", "rb", "rf")))
        print("%-70s %4d lines, %2d checked (%s)" % (" ".join(options)[:70], len(lines), len(results), status))
    spread_rows = 0
    for search in TOLERANCE_SEARCHES:
        problems, rows = check_tolerance(program, work, search)
        failures += ["--tolerance: " + p for p in problems]
        spread_rows += rows
    print("checked %d result lines of %d searches against ngspice (%d with a series pair, %d with DNM);"
          " largest difference %.6f percentage points in the errors, %.3f ohms in the resistance"
          % (checked, len(SEARCHES), with_series, with_dnm, LARGEST["errors"], LARGEST["ohms"]))
    print("checked the tolerance spread of %d rows at every corner; largest difference %.2g percentage points"
          % (spread_rows, LARGEST["spread"]))
    for failure in failures:
        print("FAIL " + failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
