#!/usr/bin/env python3
"""Speed of crustex.evaluate against crustex-batch grid on the same nodes.

The twenty-source example on a field of 1001 x 1001 nodes (about 1,000,000
points): crustex-batch grid writing ux, uy and uz to netCDF (the whole run),
crustex.grid, and crustex.evaluate at the nodes (the arrays made
beforehand). Best of three each, the same threads (one per CPU).

    PYTHONPATH=build/python python3 bench/python_evaluate.py build/crustex-batch
"""

import os
import re
import subprocess
import sys
import tempfile
import time

import numpy as np

import crustex

HERE = os.path.dirname(os.path.abspath(__file__))
EXAMPLE = os.path.join(HERE, "..", "examples", "twenty-sources.wrk.txt")
QUANTITIES = ("ux", "uy", "uz")


def best(run, repeat=3):
    times = []
    for _ in range(repeat):
        start = time.perf_counter()
        run()
        times.append(time.perf_counter() - start)
    return min(times)


def main():
    batch = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "build",
                                                               "crustex-batch")
    with tempfile.TemporaryDirectory() as tmp:
        work = os.path.join(tmp, "million.wrk.txt")
        text = open(EXAMPLE).read()
        # "fieldpara": x0, x1, y0, y1, plot width, x intervals, y intervals, ...
        text = re.sub(r'("fieldpara",[^,]+,[^,]+,[^,]+,[^,]+,[^,]+),500,500',
                      r"\1,1000,1000", text)
        open(work, "w").write(text)
        out = os.path.join(tmp, "grid.nc")
        t_batch = best(lambda: subprocess.run(
            [batch, "grid", work, "--quantities", ",".join(QUANTITIES), "-o", out],
            check=True, capture_output=True))
        model = crustex.read_model(work)
        nodes = model.grid
        x, y = np.meshgrid(nodes.x.astype(np.float64), nodes.y.astype(np.float64))
        t_grid = best(lambda: crustex.grid(model, QUANTITIES))
        t_eval = best(lambda: crustex.evaluate(model, x, y, quantities=QUANTITIES))
    print(f"points: {x.size}")
    print(f"crustex-batch grid:  {t_batch:7.3f} s")
    print(f"crustex.grid:        {t_grid:7.3f} s ({t_grid / t_batch:.2f} of the batch program)")
    print(f"crustex.evaluate:    {t_eval:7.3f} s ({t_eval / t_batch:.2f} of the batch program)")


if __name__ == "__main__":
    main()
