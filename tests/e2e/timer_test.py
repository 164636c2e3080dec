#!/usr/bin/env python3
"""Auto-advance as a user turns it on: the window made taller, "タイマー" chosen from the
popup menu, the speed slider set to 0.1 seconds, and the bar watched for two seconds."""
import os
import tempfile
import time

import harness


def test(desktop: harness.Desktop, qirt: harness.Qirt) -> None:
    tmp = tempfile.mkdtemp(prefix="qirt-timer-")
    long_line = "".join(chr(ord("a") + i % 26) for i in range(150))
    path = harness.write(os.path.join(tmp, "auto.txt"), ("first\r\n" + long_line + "\r\nlast\r\n").encode())
    qirt.drop([path])
    qirt.wait_title("first")

    desktop.xdotool("windowsize", qirt.window, "800", "80")
    harness.wait_for(lambda: qirt.geometry()[3] == 80, 5, "the window to grow")
    x, y, _, _ = qirt.geometry()
    desktop.move(x + 700, y + 55)
    desktop.xdotool("click", "3")  # the popup menu, over the client area
    time.sleep(0.5)
    desktop.xdotool("key", "Down", "Return")  # its one item, "タイマー"
    time.sleep(0.3)
    desktop.xdotool("key", "Tab", "Home")  # to the speed slider, and to its start: 0.1 s a line
    time.sleep(0.2)

    seen = []
    deadline = time.monotonic() + 2.5
    while time.monotonic() < deadline:
        title = qirt.title()
        if not seen or seen[-1] != title:
            seen.append(title)
        time.sleep(0.01)

    if long_line[3:] not in seen and long_line[7:] not in seen:
        harness.fail(f"the long line did not scroll sideways: {seen[:8]!r}")
    try:
        first_last = seen.index("last")
        seen.index("first", first_last)
    except ValueError:
        harness.fail(f"the text did not move on and wrap to the first line: {seen!r}")
    views = [t for t in seen if long_line.endswith(t) and t != long_line]
    if len(views) < 3:
        harness.fail(f"too few sideways views: {views!r}")


if __name__ == "__main__":
    harness.run(test)
