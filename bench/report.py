#!/usr/bin/env python3
"""Writes docs/performance.md (to stdout) from the figures scripts/bench collected.

Reads the Google Benchmark and hyperfine JSON files and the environment
variables scripts/bench exports."""

import json
import os

env = os.environ
work = env["WORK"]


def shorten(text):
    """Commands as a reader can repeat them: without the temporary folder."""
    return text.replace(work, "$TMP")


def read_medians(file_name):
    """Each benchmark's median, in ms of wall clock."""
    with open(file_name) as f:
        bench = json.load(f)
    runs = {}
    for b in bench["benchmarks"]:
        scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b["time_unit"]]
        if b.get("run_type") == "aggregate" and b.get("aggregate_name") != "median":
            continue  # with one repetition there are no aggregates, only the run
        runs.setdefault(b["run_name"].split("/iterations:")[0], []).append(b["real_time"] * scale)
    return {name: sorted(v)[len(v) // 2] for name, v in runs.items()}


medians = read_medians(env["BENCH_JSON"])
# Per round: the plain player's medians and those with every detail.
pair_rounds = int(env.get("PAIR_ROUNDS", "0"))
pairs = [(read_medians(f"{work}/pair-{i}-plain.json"), read_medians(f"{work}/pair-{i}-details.json"))
         for i in range(1, pair_rounds + 1)]
startup_times = []  # per command, the runs of every round
for i in range(1, int(env["STARTUP_ROUNDS"]) + 1):
    with open(f"{work}/startup-{i}.json") as f:
        for n, result in enumerate(json.load(f)["results"]):
            if n == len(startup_times):
                startup_times.append([])
            startup_times[n] += result["times"]
empty_ms, text_ms, ledra_ms, small_ms, summary_ms = (
    sorted(t)[len(t) // 2] * 1e3 for t in startup_times)
startup_runs = len(startup_times[0])
kib = 1024.0
rss_empty = int(env["RSS_EMPTY"]) / kib
rss_ledra = int(env["RSS_LEDRA"]) / kib
rss_session = int(env["RSS_SESSION"]) / kib

SIZES = [100, 2000, 32767]
ROWS = [  # (benchmark, what it measures)
    ("BM_LoadPlayer", "load a player: four sections + `CalcStatus`"),
    ("BM_SavePlayer", "save a player: backup, temporary file, flush, rename, folder sync"),
    ("BM_CalcStatus", "`CalcStatus` alone"),
    ("BM_DataRead", "表示: `JoukenSet` + `DataRead`"),
    ("BM_Calc_Graph", "表示: `Calc_Graph`"),
    ("BM_CalcRank", "表示: `CalcRank` (incl. `Calc_Graph`)"),
    ("BM_HyoujiComputations", "表示: all computations (`DataRead` + `CalcRank`)"),
    ("BM_GridFill", "表示: `DataWrite` (totals + grid fill) and repaint"),
    ("BM_SHyouji_Click", "表示 button as a whole, with grid fill and repaint"),
    ("BM_ToukeiOpen", "statistics window open (runs 表示 once)"),
    ("BM_EntryOpen", "entry window open, to its first paint"),
    ("BM_EntryKeystroke", "entry window: one keystroke in a cell, with repaint"),
    ("BM_EntryStore", "entry window: OK (check, sort, store, summary)"),
    ("BM_SortGroups", "single-visit ranking order (fast)"),
    ("BM_LiteralSortGroups", "single-visit ranking order (literal quadratic loops)"),
]


def fmt_ms(v):
    if v is None:
        return "–"
    if v < 0.1:
        return f"{v * 1000:.1f} µs"
    if v < 10:
        return f"{v:.2f} ms"
    return f"{v:.1f} ms"


def median(name, size):
    return medians.get(f"{name}/{size}")


def verdict(value, limit):
    return "met" if value is not None and value <= limit else "**missed**"


full = 32767
load = median("BM_LoadPlayer", full)
save = median("BM_SavePlayer", full)
comp = median("BM_HyoujiComputations", full)
hyouji = median("BM_SHyouji_Click", full)
entry = median("BM_EntryOpen", full)
ratio = ledra_ms / empty_ms
fast = median("BM_SortGroups", full)
literal = median("BM_LiteralSortGroups", full)

out = []
w = out.append
w("# Performance")
w("")
w("What ledra3 costs as the data grows, measured by `scripts/bench`, which writes this page.")
w("Times are wall-clock medians; the windows run under Qt's offscreen platform.")
w("")
w("## Machine")
w("")
w(f"- date: {env['MACHINE_DATE']}")
w(f"- CPU: {env['MACHINE_CPU']}, {env['MACHINE_CORES']} cores (`nproc`)")
w(f"- memory: {env['MACHINE_MEM']}")
w(f"- OS: {env['MACHINE_OS']}")
w(f"- Qt: {env['MACHINE_QT']}")
w(f"- compiler and build: {env['MACHINE_COMPILER']}")
w(f"- load average (1, 5, 15 min) before the timings: {env['LOAD_BEFORE']}, before the start-up "
  f"and memory runs: {env['LOAD_STARTUP']}, after: {env['LOAD_AFTER']} (the machine is shared; "
  "figures taken under load are higher)")
w("")
w("## Targets at 32,767 records")
w("")
w("| what | target | measured | |")
w("|---|---|---|---|")
w(f"| load a player | ≤ 30 ms | {fmt_ms(load)} | {verdict(load, 30)} |")
w(f"| save a player | ≤ 60 ms | {fmt_ms(save)} | {verdict(save, 60)} |")
w(f"| 表示 computations | ≤ 20 ms | {fmt_ms(comp)} | {verdict(comp, 20)} |")
w(f"| 表示 with grid fill | ≤ 100 ms | {fmt_ms(hyouji)} | {verdict(hyouji, 100)} |")
w(f"| entry window open | ≤ 500 ms | {fmt_ms(entry)} | {verdict(entry, 500)} |")
w(f"| start-up to the first painted main window | ≤ 1.5 × empty Qt window "
  f"({fmt_ms(1.5 * empty_ms)}) | {fmt_ms(ledra_ms)} = {ratio:.2f} × (a window with one line "
  f"of Japanese text: {text_ms / empty_ms:.2f} ×) | {verdict(ratio, 1.5)} |")
summary_ratio = summary_ms / empty_ms
w(f"| start-up to the player's summary shown | ≤ 2 × empty Qt window ({fmt_ms(2 * empty_ms)}) "
  f"and ≤ 1.4 × the window with Japanese text ({fmt_ms(1.4 * text_ms)}) | {fmt_ms(summary_ms)} "
  f"= {summary_ratio:.2f} × empty, {summary_ms / text_ms:.2f} × text | "
  f"{verdict(max(summary_ratio / 2, summary_ms / text_ms / 1.4), 1)} |")
w(f"| peak memory, player loaded and entry window open | ≤ 100 MB | {rss_session:.1f} MiB "
  f"(empty Qt window: {rss_empty:.1f} MiB) | {verdict(rss_session * kib * kib / 1e6, 100)} |")
w("")
w("## Targets of the newer windows at 32,767 records")
w("")
w("| what | target | measured | |")
w("|---|---|---|---|")
NEWER = [  # (benchmark run, what, target in ms)
    ("BM_SummaryRegroup", "集計表: group again, fill and repaint", 50),
    ("BM_SummaryRegroupTag", "集計表: choose タグ, every visit with 1–3 tags, fill and repaint", 50),
    ("BM_CsvExport/0", "CSV export, UTF-8", 200),
    ("BM_CsvExport/1", "CSV export, Shift_JIS", 200),
    ("BM_CsvImportPreview/0", "CSV import preview (every row already present)", 500),
    ("BM_CsvImportPreview/1", "CSV import preview into an empty player", 500),
    ("BM_CalendarSwitchMonth/32767", "カレンダー: next or previous month, with repaint", 16),
    ("BM_CalendarOpen/32767", "カレンダー: open, to the first paint", 100),
    ("BM_MonthlyChartOpen/32767", "月別グラフ: open, to the first paint", 100),
    ("BM_StoreEditorOpen/32767", "store editor with 32,767 stores: open", 100),
    ("BM_EntryPasteUndo/10000", "入力画面: undo of a 10,000-row paste, with repaint", 50),
]
for name, what, limit in NEWER:
    value = medians.get(name)
    if value is not None:
        w(f"| {what} | ≤ {limit} ms | {fmt_ms(value)} | {verdict(value, limit)} |")
# Every visit with every detail, against the same visits without any (the
# plain player) and with play times alone (the companion file's first version).
# The ratio is the median of the rounds' (see below the table).
for verb, plain_name in (("load", "BM_LoadPlayer"), ("save", "BM_SavePlayer")):
    plain_key, detailed_key = f"{plain_name}/{full}", f"{plain_name}WithDetails/{full}"
    rounds = sorted((d[detailed_key] / p[plain_key], p[plain_key], d[detailed_key])
                    for p, d in pairs if plain_key in p and detailed_key in d)
    timed = median(f"{plain_name}WithTimes", full)
    detailed = median(f"{plain_name}WithDetails", full)
    if rounds and timed and detailed:
        ratio, plain, detailed_paired = rounds[len(rounds) // 2]
        w(f"| {verb} a player, every visit with every detail | ≤ 1.3 × the plain player | "
          f"{fmt_ms(detailed_paired)} against {fmt_ms(plain)} = {ratio:.2f} × (rounds: "
          f"{rounds[0][0]:.2f}–{rounds[-1][0]:.2f} ×; in the run below, every detail "
          f"{fmt_ms(detailed)}, play times alone {fmt_ms(timed)}) | {verdict(ratio, 1.3)} |")
if pairs:
    w("")
    w(f"The rows of every detail: `{shorten(env['PAIR_CMD'])}`, with the filter of the plain "
      f"player's load and save and then with that of every detail, {pair_rounds} times, each in "
      "a process of its own; the figures of the round with the median ratio. Measured minutes "
      "apart, as in the run below, each side gets the machine at its own speed, which on a "
      "shared machine drifts by more than the margin the target leaves.")
w("")
w("## Timings by data size")
w("")
w(f"Command: `{shorten(env['BENCH_CMD'])}` "
  f"(median of {env['REPS']} repetitions, each the mean of as many iterations as Google Benchmark "
  "needs; the player is made by the benchmark: 50 stores, 80 machines, dates from 1990 on, "
  "a comment on every third visit).")
w("")
w("| what | 100 | 2,000 | 32,767 |")
w("|---|---|---|---|")
for name, what in ROWS:
    w(f"| {what} | " + " | ".join(fmt_ms(median(name, s)) for s in SIZES) + " |")
w(f"| load a player, every visit with play times (`<name>.times` too) | | | "
  f"{fmt_ms(median('BM_LoadPlayerWithTimes', 32767))} |")
w(f"| save a player, every visit with play times (both files) | | | "
  f"{fmt_ms(median('BM_SavePlayerWithTimes', 32767))} |")
w(f"| load a player, every visit with play times, rate, spins, jackpots and tags | | | "
  f"{fmt_ms(median('BM_LoadPlayerWithDetails', 32767))} |")
w(f"| save a player, every visit with play times, rate, spins, jackpots and tags | | | "
  f"{fmt_ms(median('BM_SavePlayerWithDetails', 32767))} |")
w(f"| entry window: paste 10,000 rows of 12 columns into an empty grid | "
  f"{fmt_ms(median('BM_EntryPaste', 10000))} (10,000 rows) | | |")
w("")
if fast and literal:
    w(f"The ranking order at 32,767 single visits: {fmt_ms(fast)} against {fmt_ms(literal)} for "
      f"the literal quadratic loops (kept in the benchmark only, and checked to give the same "
      f"order): {literal / fast:,.0f} × faster.")
    w("")
w("## Start-up")
w("")
w(f"Command: `{shorten(env['STARTUP_CMD'])} --export-json …`, {env['STARTUP_ROUNDS']} times "
  f"(median of the {startup_runs} runs of each program; each round begins with 3 warm-up runs), "
  "with `QT_QPA_PLATFORM=offscreen`, `LEDRA_QUIT_AFTER_FIRST_PAINT=1` and "
  "`XDG_CONFIG_HOME` pointing to a folder in which the player `bench` is the remembered one. "
  "With that variable every program here ends in the event-loop turn after its main window's "
  "first paint (painted and flushed by then), at once, without tearing down: the time is the "
  "start-up alone. The main window paints first and opens the remembered player right after; "
  "the last row waits for the paint that shows the player's summary "
  "(`LEDRA_QUIT_AFTER_FIRST_PAINT=2`).")
w("")
w("| program | median | |")
w("|---|---|---|")
w(f"| `{shorten(env['EMPTY_CMD'])}` (a Qt Widgets program showing an empty window) | "
  f"{fmt_ms(empty_ms)} | 1.00 × |")
w(f"| `{shorten(env['TEXT_CMD'])}` (the same with a menu bar and one line of Japanese text) | "
  f"{fmt_ms(text_ms)} | {text_ms / empty_ms:.2f} × |")
w(f"| `{shorten(env['LEDRA_CMD'])}` (32,767 records) | {fmt_ms(ledra_ms)} | {ratio:.2f} × |")
w(f"| `{shorten(env['SMALL_CMD'])}` (100 records) | {fmt_ms(small_ms)} | {small_ms / empty_ms:.2f} × |")
w(f"| `{shorten(env['SUMMARY_CMD'])}` (32,767 records, until the summary is shown) | "
  f"{fmt_ms(summary_ms)} | {summary_ms / empty_ms:.2f} × |")
w("")
w("What the start-up costs beyond the empty window, from `perf record --call-graph dwarf` and "
  "`valgrind --tool=callgrind` on the command above: most of it is what any window with "
  "Japanese text pays (fontconfig reading its configuration, the font database, the first "
  "glyphs of each font size; the `--text` row). Three costs of our own were removed: drawing "
  "the main window's SVG pictures (a quarter of the start-up; the build now bakes them for the "
  "sizes the main window uses), the menu bar's overflow icon, which Qt reads for every menu bar "
  "and which loads every image format plugin (now read when first drawn), and a fontconfig "
  "search per font size for the families that are not installed (the UI font now names the "
  "installed one). Opening the player and showing its summary (the last row against the "
  "first) is mostly decoding and reading the 1.2 MB file: plain ASCII bytes are widened eight "
  "at a time and only the rest goes through the CP932 converter, and each number is read in "
  "the pass that finds its end (callgrind, start to summary: 206 → 134 million instructions). "
  "Cold, most of the rest was page faults for memory touched the first time (about 10 µs each "
  "on the virtual machine measured): the record table is now sized once and it and the "
  "decoded text are mapped in one call (`PrepareToFill`). The remembered player's file and "
  "records are read on a second thread while the main window is built (`ReadPlayerAhead`): "
  "the summary shows about 12 ms sooner, and the first paint comes about 4 ms later, as the "
  "two threads share the memory system (paired runs of both builds).")
w("")
w("## Peak memory")
w("")
w("Maximum resident set size from `/usr/bin/time -v COMMAND` (median of several runs), same "
  "environment as for the start-up:")
w("")
w("| command | peak RSS |")
w("|---|---|")
w(f"| `{shorten(env['EMPTY_CMD'])}` | {rss_empty:.1f} MiB |")
w(f"| `{shorten(env['SUMMARY_CMD'])}` (32,767 records loaded, main window) | {rss_ledra:.1f} MiB |")
w(f"| `{shorten(env['SESSION_CMD'])}` (the same, then the entry window open over all records) | "
  f"{rss_session:.1f} MiB |")
w("")
w("## Profiling")
w("")
w("A figure that misses its target is profiled with `perf record -g` on the benchmark alone, e.g. "
  "`QT_QPA_PLATFORM=offscreen perf record -g build/bench/ledra_bench "
  "--benchmark_filter='BM_LoadPlayer/32767'` then `perf report --no-children`, and the start-up "
  "with `perf record --call-graph dwarf` on the start-up command above.")
w("")
print("\n".join(out))
