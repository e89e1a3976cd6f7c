#!/usr/bin/env python3
"""Speed of crustex.evaluate against crustex-batch grid on the same nodes.

The twenty-source example on a field of 1001 x 1001 nodes (about 1,000,000
points): crustex-batch grid writing ux, uy and uz to netCDF (the whole run),
crustex.grid, and crustex.evaluate at the nodes (the arrays made
beforehand). Best of three each, the same threads (one per CPU): the wall
time, and the processor time (user and system, of the process or of the
batch program's), which a machine busy with other work disturbs less.

    PYTHONPATH=build/python python3 bench/python_evaluate.py build/crustex-batch
"""

import os
import re
import resource
import subprocess
import sys
import tempfile
import time

import numpy as np

import crustex

HERE = os.path.dirname(os.path.abspath(__file__))
EXAMPLE = os.path.join(HERE, "..", "examples", "twenty-sources.wrk.txt")
QUANTITIES = ("ux", "uy", "uz")


def cputime():
    own = resource.getrusage(resource.RUSAGE_SELF)
    children = resource.getrusage(resource.RUSAGE_CHILDREN)
    return own.ru_utime + own.ru_stime + children.ru_utime + children.ru_stime


def best(run, repeat=3):
    """The shortest wall time and the shortest processor time of `repeat` runs."""
    wall, cpu = [], []
    for _ in range(repeat):
        start, startcpu = time.perf_counter(), cputime()
        run()
        wall.append(time.perf_counter() - start)
        cpu.append(cputime() - startcpu)
    return min(wall), min(cpu)


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
    print("                     wall (s)  of batch   processor (s)  of batch")
    for name, (wall, cpu) in (("crustex-batch grid", t_batch), ("crustex.grid", t_grid),
                              ("crustex.evaluate", t_eval)):
        print(f"{name:20} {wall:8.3f}  {wall / t_batch[0]:8.2f}   {cpu:13.3f}  "
              f"{cpu / t_batch[1]:8.2f}")


if __name__ == "__main__":
    main()
