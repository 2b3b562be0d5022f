"""Writes one medium's section of bench/results.md from what bench/run left
in its results folder: the paired timings, the strace summaries, the peak
memory of each command and the in-process matching figure. The other
medium's section and the notes around the sections are kept."""
import datetime
import json
import os
import re
import statistics
import sys

results, out, medium, runs, files, source_bytes, across = sys.argv[1:]
files = int(files)
key = "tmpfs" if medium.startswith("tmpfs") else "disk"

TARGETS = {
    "tmpfs": {"create": 0.75, "extract": 0.65, "update": 1.05, "tracks": 1.05},
    "disk": {"create": 0.9, "extract": 0.8, "update": 1.1},
}[key]
PEERS = {"create": "tar -cf + sync", "extract": "tar -xf", "update": "cp + sync",
         "tracks": "17 x (cp + sync)"}
MEMORY_BOUND_MB = 64
MATCHING_BOUND_MS = 100


def paired(name):
    """Per side the median wall time; the median of the per-pair ratios of
    wall time (with their range) and of CPU time (user + system)."""
    pairs = {}
    for line in open(f"{results}/{name}.times"):
        run, which, wall, user, system = line.split()
        pairs.setdefault(run, {})[which] = (float(wall), float(user) + float(system))
    ours = [p["ours"][0] for p in pairs.values()]
    peer = [p["peer"][0] for p in pairs.values()]
    ratios = [p["ours"][0] / p["peer"][0] for p in pairs.values()]
    cpu_ratios = [p["ours"][1] / p["peer"][1] for p in pairs.values()]
    return (statistics.median(ours), statistics.median(peer), statistics.median(ratios), min(ratios), max(ratios),
            statistics.median(cpu_ratios))


def verdict(met):
    return "met" if met else "**not met**"


lines = [
    f"Date: {datetime.datetime.now():%Y-%m-%d %H:%M}; cores: {os.cpu_count()}; "
    f"data on {medium}; {files} source files, {int(source_bytes) / 1e6:.0f} MB; "
    f"{runs} pairs after one warm-up pair, the two sides taking turns at going first. "
    "Ratio: median of the per-pair ratios of wall time (range in brackets); CPU ratio: the same for user + "
    "system time, which other work on the machine disturbs less.",
    "",
    "| operation | mendwright-cli | peer | ratio | CPU ratio | target | |",
    "|---|---|---|---|---|---|---|",
]
for name in ["create", "extract", "update", "tracks"]:
    ours, peer, ratio, low, high, cpu_ratio = paired(name)
    target = TARGETS.get(name)
    lines.append(
        f"| {name} | {ours * 1000:.0f} ms | {PEERS[name]} {peer * 1000:.0f} ms | {ratio:.2f} ({low:.2f}-{high:.2f}) | "
        f"{cpu_ratio:.2f} | " + (f"<= {target} | {verdict(ratio <= target)} |" if target else "- | |"))

lines += ["", f"| command | peak memory | bound | |", "|---|---|---|---|"]
for line in open(f"{results}/memory"):
    command, mb = line.split()
    label = {"create-across": f"create of a 256 MB file, archive on {os.path.dirname(across)}",
             "extract-across": f"extract of a 256 MB entry from {os.path.dirname(across)}"}.get(command, command)
    lines.append(f"| {label} | {float(mb):.1f} MB | {MEMORY_BOUND_MB} MB | {verdict(float(mb) <= MEMORY_BOUND_MB)} |")

matching = [b for b in json.load(open(f"{results}/matching.json"))["benchmarks"]
            if b.get("aggregate_name") == "median"]
if matching:
    ms, cpu_ms = matching[0]["real_time"], matching[0]["cpu_time"]
    lines += ["", f"Matching 10,000 files against 100,000 entries in process (bench/update_bench, median of 5): "
                  f"{ms:.1f} ms ({cpu_ms:.1f} ms of CPU), bound {MATCHING_BOUND_MS} ms, "
                  f"{verdict(ms <= MATCHING_BOUND_MS)}."]


cpu = {}
if os.path.exists(f"{results}/cpu"):
    for row in open(f"{results}/cpu"):
        name, wall, user, system = row.split()
        cpu.setdefault(name, []).append(float(user) + float(system))
if cpu:
    median = {name: statistics.median(times) * 1000 for name, times in cpu.items()}
    lines += ["", "CPU time (user + system, median of the runs): the tree of one-byte files costs what every file "
                  "costs apart from its bytes; the difference is the cost of the bytes.", "",
              "| command | full tree | one-byte tree (per file) | difference (bytes) |", "|---|---|---|---|"]
    for name, label in [("create", "create"), ("tar-c", "tar -cf"), ("extract", "extract"), ("tar-x", "tar -xf")]:
        full, small = median[f"{name}-source"], median[f"{name}-onebyte"]
        lines.append(f"| {label} | {full:.0f} ms | {small:.0f} ms ({small * 1000 / files:.1f} us) | {full - small:.0f} ms |")
    floor = {}
    if os.path.exists(f"{results}/floor"):
        for row in open(f"{results}/floor"):
            name, ms = row.split()
            floor.setdefault(name, []).append(float(ms))
    for name, label in [("list", "least to list the files: every folder read through"),
                        ("read", "least to read a file: open relative to its folder, read, close"),
                        ("write", "least to write a file: create relative to its folder, write, close")]:
        if name in floor:
            small = statistics.median(floor[name])
            lines.append(f"| {label} | | {small:.0f} ms ({small * 1000 / files:.1f} us) | |")
    if "pack" in floor:
        lines.append(f"| least to pack the tree: list, open relative, copy to the end, close, no names or checks | "
                     f"{statistics.median(floor['pack']):.0f} ms | | |")
    if "bytes" in floor:
        lines.append(f"| least to move the bytes: the archive copied whole into a new file in the kernel | | | "
                     f"{statistics.median(floor['bytes']):.0f} ms |")


def strace_calls(name):
    calls = {}
    path = f"{results}/{name}.strace"
    if not os.path.exists(path):
        return None
    for row in open(path):
        fields = row.split()
        if len(fields) >= 5 and re.fullmatch(r"[\d.]+", fields[0]) and fields[3].isdigit():
            calls[fields[-1]] = int(fields[3])
    return calls


columns = ["create-ours", "create-peer", "extract-ours", "extract-peer"]
counts = {c: strace_calls(c) for c in columns}
if all(counts.values()):
    names = sorted({n for c in counts.values() for n in c if n != "total"},
                   key=lambda n: -max(c.get(n, 0) for c in counts.values()))
    names = [n for n in names if max(c.get(n, 0) for c in counts.values()) >= 0.05 * files]
    lines += ["", f"System calls per source file (strace -c -f, totals divided by {files}):", "",
              "| call | create | tar -cf | extract | tar -xf |", "|---|---|---|---|---|"]
    for n in names + ["total"]:
        cells = " | ".join(f"{counts[c].get(n, 0) / files:.2f}" for c in columns)
        lines.append(f"| {'**total**' if n == 'total' else n} | {cells} |")

section = "\n".join([f"<!-- {key} -->", f"## {'tmpfs' if key == 'tmpfs' else 'Disk'}", "", *lines, f"<!-- /{key} -->"])
text = open(out).read() if os.path.exists(out) else "# Benchmark results\n"
pattern = re.compile(rf"<!-- {key} -->.*?<!-- /{key} -->", re.S)
text = pattern.sub(lambda _: section, text) if pattern.search(text) else text.rstrip("\n") + "\n\n" + section + "\n"
open(out, "w").write(text)
print(section)
