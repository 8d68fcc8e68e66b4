#!/usr/bin/env python3
"""The window during a library scan: how long the user-interface thread's event loop stalls.

A returning user's application folder (made by tarvel-bench-shell-app-dir: a library of 100 songs
and a PL1 playlist of one 120-second tone that auto play starts, null sound output), and a music
folder of N small MP3 files (hard links of one, 100 to a folder), added by an adding scan. Under Xvfb the real `tarvel` is started with TARVEL_REPORT_STALLS=1 and the recording
platform fake (whose folder dialog answers with the music folder); once its window shows, the
library menu's "Add Files" is chosen with real clicks and keys (xdotool), and the run waits for the
new library's path list. The stalls the program reports between the click and the end of the scan
are taken; the longest one of each run is printed with the scan's time, and the medians of RUNS
runs. Every program started is checked for its exit code.

Usage: bench/scan/run.py [BUILD_DIR] [N] [RUNS]   (defaults: build-bench 15000 5)
"""
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
LIBRARY_X, LIBRARY_Y = 620 + 13, 468 + 13
CLOSE_X, CLOSE_Y = 660 + 8, 10 + 8


def run(args, **kw):
    subprocess.run(args, check=True, **kw)


def xdotool(env, *args):
    return subprocess.run(["xdotool", *args], env=env, check=True, capture_output=True,
                          text=True).stdout


def wait_for(condition, limit, what):
    end = time.monotonic() + limit
    while time.monotonic() < end:
        value = condition()
        if value:
            return value
        time.sleep(0.02)
    sys.exit(f"run.py: {what} did not come within {limit} s")


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build-bench"))
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 15000
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 5
    dist = os.path.join(build, "dist")
    tarvel = os.path.join(dist, "tarvel")
    generator = os.path.join(build, "bench", "tarvel-bench-shell-app-dir")
    if not os.access(tarvel, os.X_OK) or not os.access(generator, os.X_OK):
        sys.exit(f"build {build} first")
    if "TARVEL_BENCH_ON_XVFB" not in os.environ:
        os.environ["TARVEL_BENCH_ON_XVFB"] = "1"
        os.execvp("xvfb-run", ["xvfb-run", "-a", "-s", "-screen 0 1280x1024x24",
                               sys.executable, *sys.argv[:1], build, str(count), str(runs)])

    work = tempfile.mkdtemp()
    try:
        music = os.path.join(work, "music")
        run(["sox", "-n", "-r", "44100", "-c", "2", "-b", "16", f"{work}/tiny.wav", "synth", "1",
             "sine", "880"])
        run(["lame", "--quiet", f"{work}/tiny.wav", f"{work}/tiny.mp3"])
        run(["sox", "-n", "-r", "44100", "-c", "2", "-b", "16", f"{work}/tone.wav", "synth", "120",
             "sine", "440", "vol", "0.5"])
        run(["lame", "--quiet", f"{work}/tone.wav", f"{work}/tone440.mp3"])
        for i in range(count):
            folder = os.path.join(music, str(i // 100))
            os.makedirs(folder, exist_ok=True)
            os.link(f"{work}/tiny.mp3", os.path.join(folder, f"{i}.mp3"))
        answers = os.path.join(work, "answers.txt")
        with open(answers, "w") as f:
            f.write(music + "\r\n")

        longest, seconds = [], []
        for number in range(runs):
            app = os.path.join(work, f"app{number}")
            os.makedirs(os.path.join(app, "sort"))
            for folder in ("Pictures", "help", "ForApollo", "TvSysFile"):
                shutil.copytree(os.path.join(dist, folder), os.path.join(app, folder))
            run([generator, app, "10", "10", f"{work}/tone440.mp3", "120"])
            windows = os.path.join(work, f"windows{number}")
            os.makedirs(windows, mode=0o700)
            env = dict(os.environ, QT_QPA_PLATFORM="xcb", TARVEL_AUDIO="null",
                       TARVEL_PLATFORM="fake", TARVEL_PLATFORM_LOG=os.path.join(work, "log"),
                       TARVEL_PLATFORM_ANSWERS=answers, TARVEL_WINDOWS_DIR=windows,
                       TARVEL_REPORT_STALLS="1")
            stderr_path = os.path.join(work, f"stderr{number}")
            with open(stderr_path, "w") as stderr:
                player = subprocess.Popen([tarvel], cwd=app, env=env, stderr=stderr)
            window = wait_for(lambda: search(env, "Long Enough"), 30, "the playing window")
            time.sleep(1)
            xdotool(env, "mousemove", "--window", window, str(LIBRARY_X), str(LIBRARY_Y),
                    "click", "1")
            time.sleep(0.3)
            start = time.monotonic()
            xdotool(env, "key", "Down", "Down", "Return")
            path_list = os.path.join(app, "sort", "path.tan")
            wait_for(lambda: lines(path_list) == 100 + count, 600, "the end of the scan")
            end = time.monotonic()
            time.sleep(0.5)
            xdotool(env, "mousemove", "--window", window, str(CLOSE_X), str(CLOSE_Y), "click", "1")
            if player.wait(60) != 0:
                sys.exit(f"run.py: tarvel ended with {player.returncode}")
            stalls = []
            with open(stderr_path) as f:
                for line in f:
                    m = re.match(r"stall: (\d+) ms at (\d+) ms", line)
                    if m and start * 1000 <= int(m.group(2)) <= end * 1000 + 100:
                        stalls.append(int(m.group(1)))
            longest.append(max(stalls, default=0) + 5)
            seconds.append(end - start)
            print(f"run {number + 1}: scan of {count} files {end - start:.2f} s, "
                  f"longest event-loop stall {longest[-1]} ms ({len(stalls)} stalls over 10 ms)",
                  flush=True)
        print(f"median: scan {statistics.median(seconds):.2f} s, longest stall "
              f"{statistics.median(longest)} ms (goal under 50 ms)")
    finally:
        shutil.rmtree(work, ignore_errors=True)


def search(env, pattern):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", pattern], env=env,
                           capture_output=True, text=True)
    return found.stdout.split()[0] if found.returncode == 0 and found.stdout.strip() else None


def lines(path):
    with open(path, "rb") as f:
        return f.read().count(b"\n")


if __name__ == "__main__":
    main()
