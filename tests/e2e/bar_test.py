#!/usr/bin/env python3
"""The bar as a user meets it: a dropped file, the wheel over the bar, a drag that moves the
window, and the close button that ends the run."""
import os
import tempfile
import time

import harness


def test(desktop: harness.Desktop, qirt: harness.Qirt) -> None:
    x, y, w, h = qirt.geometry()
    if (x, y, w, h) != (189, 108, 800, 27):
        harness.fail(f"window at {x},{y} {w}x{h}, not 189,108 800x27")
    if qirt.title() != "":
        harness.fail(f"the bar is not empty at start: {qirt.title()!r}")

    tmp = tempfile.mkdtemp(prefix="qirt-bar-")
    long_line = "".join(chr(ord("A") + i % 26) for i in range(200))
    path = harness.write(os.path.join(tmp, "three.txt"),
                         ("first line\r\n" + long_line + "\r\nthird\r\n").encode())
    qirt.drop([path])
    qirt.wait_title("first line")

    qirt.wheel(5)  # toward the user: the next line
    qirt.wait_title(long_line)
    qirt.wheel(5)  # a long line scrolls sideways first: from byte 12
    qirt.wait_title(long_line[11:])
    qirt.wheel(4)  # and back: the start of the line reached, the line before
    qirt.wait_title("first line")

    desktop.screenshot(os.environ.get("QIRT_SCREENSHOT", os.path.join(tmp, "bar.png")))

    # A drag on the bar moves the window.
    bx, by = qirt.bar_point(dx=400)
    desktop.move(bx, by)
    desktop.xdotool("mousedown", "1")
    for step in range(1, 11):
        desktop.move(bx + 10 * step, by + 15 * step)
        time.sleep(0.03)
    desktop.xdotool("mouseup", "1")
    harness.wait_for(lambda: qirt.geometry()[:2] != (189, 108), 5, "the window to move")
    nx, ny, _, _ = qirt.geometry()
    if abs(nx - 189 - 100) > 20 or abs(ny - 108 - 150) > 20:
        harness.fail(f"the window moved to {nx},{ny}, not by about 100,150")

    code = qirt.close_by_button()
    if code != 0:
        harness.fail(f"exit code {code}")


if __name__ == "__main__":
    harness.run(test)
