#!/usr/bin/env python3
"""qirt on Wayland: under a headless weston compositor it starts, shows its window with the
bar exposed and empty, and keeps running until it is sent SIGTERM."""
import os
import signal
import subprocess
import sys
import time

import harness


def main() -> None:
    binary = sys.argv[1]
    runtime = os.environ["XDG_RUNTIME_DIR"]
    socket = "qirt-wayland"
    weston = subprocess.Popen(
        ["weston", "--backend=headless-backend.so", f"--socket={socket}", "--idle-time=0"],
        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        harness.wait_for(lambda: os.path.exists(os.path.join(runtime, socket)), 10, "weston")
        env = dict(os.environ, WAYLAND_DISPLAY=socket, QT_QPA_PLATFORM="wayland",
                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        env.pop("DISPLAY", None)
        qirt = subprocess.Popen([binary], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        try:
            bar = harness.wait_for(harness.accessible_bar, 15, "the bar over AT-SPI", interval=0.2)
            if bar.name != "":
                harness.fail(f"the bar is not empty at start: {bar.name!r}")
            time.sleep(1)
            if qirt.poll() is not None:
                harness.fail(f"qirt ended on its own: {qirt.stderr.read()}")
            qirt.send_signal(signal.SIGTERM)
            qirt.wait(timeout=10)
        finally:
            if qirt.poll() is None:
                qirt.kill()
                qirt.wait()
    finally:
        weston.kill()
        weston.wait()
    print("PASS", flush=True)


if __name__ == "__main__":
    main()
