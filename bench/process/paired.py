#!/usr/bin/env python3
"""Times short commands as whole processes, taken in turns, to the tenth of a millisecond.

hyperfine runs all of one command's runs before the next command's, and the development VM's speed
drifts from one minute to the next; here every round runs each command once, in turn, so two builds
are compared under the same conditions. Prints each command's median and its 10th and 90th
percentiles, and each command's median against the first's.

    python3 bench/process/paired.py RUNS -- CMD_A [ARG...] -- CMD_B [ARG...] [-- CMD_C ...]
"""
import os
import statistics
import sys
import time

WARMUP = 5


def main():
    if len(sys.argv) < 4 or sys.argv[2] != "--":
        sys.exit(__doc__)
    runs = int(sys.argv[1])
    commands = []
    for arg in sys.argv[2:]:
        if arg == "--":
            commands.append([])
        else:
            commands[-1].append(arg)
    if any(not command for command in commands):
        sys.exit("paired.py: an empty command")
    quiet = os.open(os.devnull, os.O_WRONLY)
    actions = [(os.POSIX_SPAWN_DUP2, quiet, 1), (os.POSIX_SPAWN_DUP2, quiet, 2)]
    times = [[] for _ in commands]
    for round_number in range(WARMUP + runs):
        for command, kept in zip(commands, times):
            start = time.perf_counter_ns()
            pid = os.posix_spawnp(command[0], command, os.environ, file_actions=actions)
            _, status = os.waitpid(pid, 0)
            elapsed = (time.perf_counter_ns() - start) / 1e6
            if os.waitstatus_to_exitcode(status) != 0:
                sys.exit(f"paired.py: {' '.join(command)} failed")
            if round_number >= WARMUP:
                kept.append(elapsed)
    first = statistics.median(times[0])
    for command, kept in zip(commands, times):
        kept.sort()
        median = statistics.median(kept)
        print(f"{median:8.2f} ms  (p10 {kept[len(kept) // 10]:.2f}, p90 {kept[9 * len(kept) // 10]:.2f})"
              f"  {median / first:5.3f} of the first  {' '.join(command)}")


if __name__ == "__main__":
    main()
