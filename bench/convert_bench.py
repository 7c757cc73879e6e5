#!/usr/bin/env python3
"""geoframe-convert against PROJ's `proj` on a million random points (latitude
40 to 60, longitude 6 to 12, 7 decimals) to UTM zone 32 north, in user CPU time
of each process (the machine is shared: wall-clock time says more about the
other users), alternating the two commands in one run. Prints the median and
best user time of each and the ratio of the medians; with --compare OTHER it
also runs another geoframe-convert (an earlier build) and counts the output
lines that differ from it.

    cmake --preset release && cmake --build --preset release --target geoframe-convert
    /usr/bin/python3 bench/convert_bench.py [--build build/release] [--runs 7]
"""

import argparse
import os
import random
import resource
import statistics
import subprocess
import tempfile


def user_time(command, source, target):
    before = resource.getrusage(resource.RUSAGE_CHILDREN).ru_utime
    with open(source) as stdin, open(target, "w") as stdout:
        subprocess.run(command, stdin=stdin, stdout=stdout, check=True)
    return resource.getrusage(resource.RUSAGE_CHILDREN).ru_utime - before


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default="build/release")
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--points", type=int, default=1_000_000)
    parser.add_argument("--compare", help="another geoframe-convert to compare outputs with")
    args = parser.parse_args()

    work = tempfile.mkdtemp(prefix="geoframe-convert-bench-")
    latlon, lonlat = f"{work}/latlon.txt", f"{work}/lonlat.txt"
    random.seed(16)
    with open(latlon, "w") as a, open(lonlat, "w") as b:
        for _ in range(args.points):
            lat, lon = random.uniform(40, 60), random.uniform(6, 12)
            a.write(f"{lat:.7f} {lon:.7f}\n")
            b.write(f"{lon:.7f} {lat:.7f}\n")

    convert = os.path.join(args.build, "bin", "geoframe-convert")
    commands = {
        "geoframe-convert --threads 1": ([convert, "--threads", "1", "geo", "utm:32n"], latlon),
        "proj": (["proj", "+proj=utm", "+zone=32", "+ellps=WGS84", "-f", "%.3f"], lonlat),
    }
    if args.compare:
        commands["earlier geoframe-convert --threads 1"] = (
            [args.compare, "--threads", "1", "geo", "utm:32n"], latlon)
    times = {name: [] for name in commands}
    for _ in range(args.runs):
        for name, (command, source) in commands.items():
            times[name].append(user_time(command, source, f"{work}/{name.split()[0]}.out"))

    print(f"{args.points} points to UTM 32N, user CPU time, {args.runs} runs each, alternating")
    print("| command | median | best |")
    print("|---|---:|---:|")
    for name, values in times.items():
        print(f"| {name} | {statistics.median(values):.3f} s | {min(values):.3f} s |")
    mine = statistics.median(times["geoframe-convert --threads 1"])
    print(f"geoframe-convert / proj: {mine / statistics.median(times['proj']):.3f}")

    if args.compare:
        differ = 0
        largest = 0.0
        with open(f"{work}/geoframe-convert.out") as a, open(f"{work}/earlier.out") as b:
            for x, y in zip(a, b):
                if x != y:
                    differ += 1
                    largest = max(largest, *(abs(float(p) - float(q))
                                             for p, q in zip(x.split(), y.split())))
        print(f"lines differing from the earlier build: {differ} (largest {largest * 1000:.3f} mm)")


if __name__ == "__main__":
    main()
