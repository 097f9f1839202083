#!/usr/bin/env python3
"""Process-level figures of the batch commands: `--png` of the largest corpus file and of a
160 x 50 document, side by side with the ansilove renderer (`-b 8`, the same 8-pixel cell)
when it is installed, and the start-up time of `--version`.

usage: bench/app/batch_bench.py [path/to/glyphloom] [runs]
"""
import os
import random
import resource
import shutil
import statistics
import struct
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
CORPUS = os.path.join(os.path.dirname(ROOT), "shared", "corpus", "ans")


def timed(command, runs):
    """Median wall time and median CPU time (user + system) in milliseconds of `runs` runs,
    after one warm-up. On a shared, busy machine the CPU time is the steadier figure."""
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wall, cpu = [], []
    for _ in range(runs):
        before = resource.getrusage(resource.RUSAGE_CHILDREN)
        start = time.perf_counter()
        subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wall.append((time.perf_counter() - start) * 1000.0)
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        cpu.append((after.ru_utime - before.ru_utime + after.ru_stime - before.ru_stime) * 1000.0)
    return statistics.median(wall), statistics.median(cpu)


def sauce(columns, rows, body_size):
    """A SAUCE trailer naming the width, so both renderers use 160 columns."""
    record = b"SAUCE00" + b"bench".ljust(35) + b"".ljust(20) + b"".ljust(20) + b"20260101"
    record += struct.pack("<IBBHHHHBB", body_size, 1, 1, columns, rows, 0, 0, 0, 1)
    record += b"IBM VGA".ljust(22, b"\0")
    assert len(record) == 128
    return b"\x1a" + record


def document_160x50(path):
    """Every cell a random CP437 shade or block in random colours: a busy, realistic page."""
    rng = random.Random(160 * 50)
    body = bytearray()
    for _ in range(50):
        for _ in range(160):
            body += b"\x1b[0;%d;%d%sm" % (30 + rng.randrange(8), 40 + rng.randrange(8), b";1" if rng.random() < 0.5 else b"")
            body += bytes([rng.choice([0xB0, 0xB1, 0xB2, 0xDB, 0xDC, 0xDF, 0x41, 0x2E])])
    body += b"\x1b[0m"
    with open(path, "wb") as out:
        out.write(bytes(body) + sauce(160, 50, len(body)))


def main():
    binary = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build", "src", "glyphloom")
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 20
    ansilove = shutil.which("ansilove")
    with tempfile.TemporaryDirectory(prefix="glyphloom-batch-bench-") as scratch:
        inputs = []
        if os.path.isdir(CORPUS):
            largest = max((os.path.join(CORPUS, n) for n in os.listdir(CORPUS) if n.lower().endswith(".ans")),
                          key=os.path.getsize)
            inputs.append(("largest corpus file " + os.path.basename(largest), largest))
        else:
            print("corpus absent: skipping the largest-file case")
        page = os.path.join(scratch, "page-160x50.ans")
        document_160x50(page)
        inputs.append(("160 x 50 document", page))

        out = os.path.join(scratch, "out.png")
        print("--png, %d runs each, median wall ms / median CPU ms" % runs)
        for label, path in inputs:
            ours = timed([binary, "--png", path, out], runs)
            line = "  %-38s glyphloom %8.2f / %8.2f" % (label, ours[0], ours[1])
            if ansilove:
                theirs = timed([ansilove, "-q", "-b", "8", "-o", out, path], runs)
                line += "   ansilove -b 8 %8.2f / %8.2f   ratio wall %.2f, CPU %.2f" % (
                    theirs[0], theirs[1], ours[0] / theirs[0], ours[1] / max(theirs[1], 1e-9))
            else:
                line += "   (ansilove not installed: no comparison)"
            print(line)

        startup = timed([binary, "--version"], runs * 5)
        print("start-up (--version), %d runs: median wall %.2f ms, median CPU %.2f ms" % (runs * 5, startup[0], startup[1]))


if __name__ == "__main__":
    main()
