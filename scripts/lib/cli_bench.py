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
    """(seconds, peak resident KiB, stdout) of one run of command."""
    start = time.perf_counter()
    child = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    output = child.stdout.read()
    _, status, usage = os.wait4(child.pid, 0)
    seconds = time.perf_counter() - start
    child.returncode = os.waitstatus_to_exitcode(status)
    return seconds, usage.ru_maxrss, output.decode(), child.returncode


def best(command, runs=RUNS):
    """Least wall time over runs, with that run's peak memory."""
    results = [run_once(command) for _ in range(runs)]
    return min(results, key=lambda r: r[0])


def floor_seconds(arguments, runs=RUNS):
    """The floor program times its work itself; its start-up is added
    separately from an empty run so that both sides pay for a process."""
    return min(float(run_once([FLOOR] + arguments)[2]) for _ in range(runs))


def lumistra(arguments):
    return [LUMISTRA] + arguments + ["-q", "--no-remember"]


def row(what, floor, tool, unit="s"):
    ratio = f"{tool / floor:5.2f}x" if floor > 0 else ""
    print(f"  {what:<44} {floor:9.3f} {tool:9.3f} {unit}  {ratio}")


def main():
    work = tempfile.mkdtemp(prefix="lumistra-bench-")
    os.environ["XDG_CONFIG_HOME"] = work
    photos = {}
    for name, (width, height) in {"4 MP": (2560, 1600), "24 MP": (6000, 4000)}.items():
        path = os.path.join(work, f"{width}x{height}.jpg")
        subprocess.run([FLOOR, "make-jpeg", path, str(width), str(height)], check=True)
        photos[name] = path
    process_start = best(["/bin/true"])[0]

    print(f"lumistra end to end, best of {RUNS} (load average {os.getloadavg()[0]:.2f} "
          f"on {os.cpu_count()} cores)")
    print(f"  {'':<44} {'floor':>9} {'lumistra':>9}")
    for name, path in photos.items():
        out = os.path.join(work, "out.jpg")
        floor = floor_seconds(["jpeg", path, os.path.join(work, "floor.jpg"), "95"]) + process_start
        tool = best(lumistra([path, "-o", out]))[0]
        row(f"{name} JPEG, quality 95, as subsampled", floor, tool)

    png = os.path.join(work, "4mp.png")
    subprocess.run(lumistra([photos["4 MP"], "-o", png]), check=True)
    for level in (1, 3, 6):
        floor = floor_seconds(["png", png, os.path.join(work, "floor.png"), str(level)])
        tool = best(lumistra([png, "-o", os.path.join(work, "out.png"),
                              "--png-level", str(level)]))[0]
        size = os.path.getsize(os.path.join(work, "out.png")) / 1e6
        row(f"4 MP PNG, level {level} ({size:.1f} MB)", floor + process_start, tool)

    print("  start-up (floor: /bin/true)")
    for what, arguments in (("--version", ["--version"]), ("--help", ["--help"]),
                            ("a missing file", [os.path.join(work, "absent.jpg")])):
        row(what, process_start, best([LUMISTRA] + arguments + ["--no-remember"]
                                      if what == "a missing file" else [LUMISTRA] + arguments)[0])

    seconds, peak, _, _ = best(lumistra([photos["24 MP"], "-o", os.path.join(work, "out.jpg")]), 1)
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
    print(f"  20 photos of 4 MP: -j 1 {times['1']:.2f} s, -j 2 {times['2']:.2f} s: "
          f"{times['1'] / times['2']:.2f}x the throughput")
    subprocess.run(["rm", "-rf", work], check=True)


main()
