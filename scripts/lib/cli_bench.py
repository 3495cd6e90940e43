#!/usr/bin/env python3
"""The lumistra tool's figures beside their floors, for scripts/bench.

Each figure is the best of several runs (wall time of the whole process), so
that a machine busy with other work disturbs it as little as possible.
Peak memory is the child's own maximum resident set (wait4)."""

import os
import subprocess
import sys
import tempfile
import time

BUILD = sys.argv[1]
LUMISTRA = os.path.join(BUILD, "app/cli/lumistra")
FLOOR = os.path.join(BUILD, "bench/codec_floor/lumistra-codec-floor")
RUNS = int(os.environ.get("LUMISTRA_BENCH_RUNS", "5"))


def run_once(command):
    """(wall seconds, CPU seconds, peak resident KiB) of one run of command."""
    start = time.perf_counter()
    child = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    seconds = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"cli_bench: {' '.join(command)} failed")
    return seconds, usage.ru_utime + usage.ru_stime, usage.ru_maxrss


def best(command, runs=RUNS):
    """Least wall and least CPU time over runs, and the peak memory."""
    results = [run_once(command) for _ in range(runs)]
    return (min(r[0] for r in results), min(r[1] for r in results), max(r[2] for r in results))


def floor(arguments, runs=RUNS):
    return best([FLOOR] + arguments, runs)


def best_failing(command, runs):
    """As best, for a command that is meant to fail."""
    results = []
    for _ in range(runs):
        start = time.perf_counter()
        child = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        _, _, usage = os.wait4(child.pid, 0)
        results.append((time.perf_counter() - start, usage.ru_utime + usage.ru_stime,
                        usage.ru_maxrss))
    return (min(r[0] for r in results), min(r[1] for r in results), max(r[2] for r in results))


def lumistra(arguments):
    return [LUMISTRA] + arguments + ["-q", "--no-remember"]


def row(what, floor_run, tool_run):
    """Wall time, and CPU time, which a busy machine disturbs less."""
    wall = tool_run[0] / floor_run[0]
    cpu = tool_run[1] / floor_run[1] if floor_run[1] > 0 else float("nan")
    print(f"  {what:<40} {floor_run[0]:7.3f} {tool_run[0]:7.3f} s {wall:5.2f}x"
          f"   {floor_run[1]:7.3f} {tool_run[1]:7.3f} s {cpu:5.2f}x")


def main():
    work = tempfile.mkdtemp(prefix="lumistra-bench-")
    os.environ["XDG_CONFIG_HOME"] = work
    photos = {}
    for name, (width, height) in {"4 MP": (2560, 1600), "24 MP": (6000, 4000)}.items():
        path = os.path.join(work, f"{width}x{height}.jpg")
        subprocess.run([FLOOR, "make-jpeg", path, str(width), str(height)], check=True)
        photos[name] = path
    print(f"lumistra end to end, best of {RUNS} (load average {os.getloadavg()[0]:.2f} "
          f"on {os.cpu_count()} cores)")
    print(f"  {'':<40} {'wall: floor':>11} {'lumistra':>9}      {'CPU: floor':>12} {'lumistra':>7}")
    for name, path in photos.items():
        out = os.path.join(work, "out.jpg")
        row(f"{name} JPEG, quality 95, as subsampled",
            floor(["jpeg", path, os.path.join(work, "floor.jpg"), "95"]),
            best(lumistra([path, "-o", out])))

    png = os.path.join(work, "4mp.png")
    subprocess.run(lumistra([photos["4 MP"], "-o", png]), check=True)
    for level in (1, 3, 6, 9):
        floor_run = floor(["png", png, os.path.join(work, "floor.png"), str(level)])
        tool_run = best(lumistra([png, "-o", os.path.join(work, "out.png"),
                                  "--png-level", str(level)]))
        size = os.path.getsize(os.path.join(work, "out.png")) / 1e6
        row(f"4 MP PNG, level {level} ({size:.2f} MB)", floor_run, tool_run)

    print("  start-up, the floor an empty C++ program's (lumistra-codec-floor with no arguments)")
    empty = best_failing([FLOOR], 20)
    for what, arguments in (("--version", ["--version"]), ("--help", ["--help"]),
                            ("a missing file", [os.path.join(work, "absent.jpg"), "--no-remember"])):
        tool_run = best([LUMISTRA] + arguments, 20) if what != "a missing file" else \
            best_failing([LUMISTRA] + arguments, 20)
        row(f"{what} ({tool_run[0] * 1000:.1f} ms)", empty, tool_run)

    peak = best(lumistra([photos["24 MP"], "-o", os.path.join(work, "out.jpg")]), 1)[2]
    pixels_mib = 6000 * 4000 * 3 / 2**20
    print(f"  peak memory, 24 MP RGB JPEG: {peak / 1024:.0f} MiB = "
          f"{peak / 1024 / pixels_mib:.2f}x its {pixels_mib:.0f} MiB of pixels")

    batch = os.path.join(work, "batch")
    os.mkdir(batch)
    inputs = []
    for i in range(20):
        inputs.append(os.path.join(batch, f"photo{i:02}.jpg"))
        os.link(photos["4 MP"], inputs[-1])
    times = {}
    for jobs in ("1", "2"):
        out_dir = os.path.join(work, f"out-j{jobs}")
        times[jobs] = best(lumistra(inputs + ["--out-dir", out_dir, "-j", jobs]), 2)[0]
        subprocess.run(["rm", "-rf", out_dir], check=True)
    print(f"  20 photos of 4 MP: -j 1 {times['1']:.2f} s, -j 2 {times['2']:.2f} s: "
          f"{times['1'] / times['2']:.2f}x the throughput")
    subprocess.run(["rm", "-rf", work], check=True)


main()
