#!/usr/bin/env python3
"""UTM forward conversion of a million points held in numpy arrays:
geoframe's UTM.forward against pyproj's Transformer for the same projection
(EPSG:4326 to EPSG:32632, WGS 84 / UTM zone 32N), and against the library's own
C++ loop over the same points (BM_UtmForwardMillion of geoframe_bench) when the
build has the benchmarks. Prints the best of several runs in processor time (the
development machine is shared, so wall-clock time says more about the other
users) and the largest difference from pyproj.

    cmake --preset release && cmake --build --preset release
    /usr/bin/python3 bench/python_bench.py [--build build/release] [--points N]
"""

import argparse
import glob
import json
import os
import subprocess
import sys
import time


def best_of(repeat, call):
    times = []
    for _ in range(repeat):
        start = time.process_time()
        call()
        times.append(time.process_time() - start)
    return min(times)


def cxx_loop_seconds(build, repeat):
    """Seconds per million points of the C++ loop, or None without the benchmark."""
    program = os.path.join(build, "bench", "geoframe_bench")
    if not os.access(program, os.X_OK):
        return None
    output = subprocess.run(
        [program, "--benchmark_filter=BM_UtmForwardMillion$", "--benchmark_format=json",
         f"--benchmark_repetitions={repeat}"],
        check=True, capture_output=True, text=True).stdout
    runs = [run["cpu_time"] / 1e3 for run in json.loads(output)["benchmarks"]  # milliseconds
            if run.get("run_type") == "iteration"]
    return min(runs) if runs else None


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default="build/release", help="build folder (default %(default)s)")
    parser.add_argument("--points", type=int, default=1_000_000)
    parser.add_argument("--repeat", type=int, default=5)
    args = parser.parse_args()

    # The module of the build folder, unless PYTHONPATH already names one.
    if not os.environ.get("PYTHONPATH"):
        sys.path[:0] = [os.path.dirname(p) for p in
                        glob.glob(os.path.join(args.build, "lib", "python3*", "*-packages",
                                               "geoframe*.so"))]
    import numpy as np
    import pyproj
    import geoframe

    rng = np.random.default_rng(42)
    lat = rng.uniform(0.0, 84.0, args.points)
    lon = rng.uniform(6.0, 12.0, args.points)

    utm = geoframe.UTM(32)
    transformer = pyproj.Transformer.from_crs("EPSG:4326", "EPSG:32632")
    x, y, _ = utm.forward(lat, lon)
    ref_x, ref_y = transformer.transform(lat, lon)
    difference = max(np.max(np.abs(x - ref_x)), np.max(np.abs(y - ref_y)))

    ours = best_of(args.repeat, lambda: utm.forward(lat, lon))
    theirs = best_of(args.repeat, lambda: transformer.transform(lat, lon))
    per_point = 1e9 / args.points
    print(f"{args.points} points, best of {args.repeat} runs, module {geoframe.__file__}")
    print(f"  geoframe UTM.forward      {ours * 1e3:8.1f} ms  {ours * per_point:6.1f} ns/point")
    print(f"  pyproj Transformer        {theirs * 1e3:8.1f} ms  {theirs * per_point:6.1f} ns/point"
          f"  (geoframe / pyproj {ours / theirs:.2f})")
    loop = cxx_loop_seconds(args.build, args.repeat)
    if loop is not None:
        loop *= args.points / 1e6
        print(f"  C++ loop (geoframe_bench) {loop * 1e3:8.1f} ms  {loop * per_point:6.1f} ns/point"
              f"  (UTM.forward / C++ loop {ours / loop:.2f})")
    print(f"  largest difference from pyproj: {difference * 1e3:.2g} mm")


if __name__ == "__main__":
    main()
