"""End-to-end harness: a real X server (Xvfb), a window manager (openbox), the real qirt
binary, input from xdotool, and the bar's text read back over AT-SPI.

Each test script runs inside its own D-Bus session (dbus-run-session), so that the
accessibility bus is its own too.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))


def fail(message: str) -> None:
    print("FAIL: " + message, flush=True)
    sys.exit(1)


def wait_for(predicate, timeout: float, what: str, interval: float = 0.05):
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            fail("timed out waiting for " + what)
        time.sleep(interval)


class Desktop:
    """Xvfb with openbox on a display of its own."""

    def __init__(self, width: int = 1280, height: int = 800):
        read_fd, write_fd = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", f"{width}x{height}x24", "-nolisten", "tcp"],
            pass_fds=[write_fd], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        with os.fdopen(read_fd) as f:
            display = f.readline().strip()
        if not display:
            fail("Xvfb did not start")
        self.display = ":" + display
        self.env = dict(os.environ)
        self.env.update({
            "DISPLAY": self.display,
            "QT_QPA_PLATFORM": "xcb",
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
            "QT_ACCESSIBILITY": "1",
            "NO_AT_BRIDGE": "0",
        })
        self.env.pop("WAYLAND_DISPLAY", None)
        self.tmp = tempfile.mkdtemp(prefix="qirt-e2e-")
        # The runtime folder of this test's own D-Bus session (run.sh), where the
        # accessibility bus lives.
        self.env.setdefault("XDG_RUNTIME_DIR", self.tmp)
        os.environ["DISPLAY"] = self.display
        self.wm = subprocess.Popen(["openbox", "--sm-disable"], env=self.env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for(lambda: self.xdotool("search", "--class", "openbox", check=False) is not None or True,
                 5, "openbox")
        time.sleep(0.5)
        self.children = []

    def xdotool(self, *args, check: bool = True):
        result = subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True)
        if result.returncode != 0:
            if check:
                fail("xdotool " + " ".join(args) + ": " + result.stderr.strip())
            return None
        return result.stdout

    def move(self, x: int, y: int) -> None:
        """Moves the pointer and waits until it is there (xdotool's --sync hangs when it is
        there already)."""
        self.xdotool("mousemove", str(x), str(y))

        def there():
            out = self.xdotool("getmouselocation", "--shell")
            values = dict(line.split("=", 1) for line in out.split())
            return int(values["X"]) == x and int(values["Y"]) == y

        wait_for(there, 5, f"the pointer at {x},{y}", interval=0.01)

    def start(self, argv, **kwargs):
        process = subprocess.Popen(argv, env=self.env, **kwargs)
        self.children.append(process)
        return process

    def screenshot(self, path: str) -> None:
        subprocess.run(["import", "-window", "root", path], env=self.env, check=False)

    def close(self) -> None:
        for p in reversed(self.children):
            if p.poll() is None:
                p.kill()
                p.wait()
        for p in (self.wm, self.xvfb):
            p.kill()
            p.wait()
        shutil.rmtree(self.tmp, ignore_errors=True)


class Qirt:
    """The program under test, and what a user sees of it."""

    def __init__(self, desktop: Desktop, binary: str):
        self.desktop = desktop
        self.process = desktop.start([binary], stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        self.window = wait_for(self._find_window, 10, "the qirt window")
        self._bar = None

    def _find_window(self):
        out = self.desktop.xdotool("search", "--onlyvisible", "--name", "^qirt$", check=False)
        return out.split()[0] if out else None

    def geometry(self):
        out = self.desktop.xdotool("getwindowgeometry", "--shell", self.window)
        values = dict(line.split("=", 1) for line in out.split())
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    def _accessible_bar(self):
        return accessible_bar()

    def title(self) -> str:
        """The bar's text, as assistive technologies read it."""
        if self._bar is None:
            self._bar = wait_for(self._accessible_bar, 10, "the bar over AT-SPI", interval=0.2)
        return self._bar.name

    def wait_title(self, expected: str, timeout: float = 5) -> None:
        wait_for(lambda: self.title() == expected, timeout, f"title {expected!r}, last {self.title()!r}")

    def bar_point(self, dx: int = 300):
        x, y, _, _ = self.geometry()
        return x + dx, y + 13

    def wheel(self, button: int, times: int = 1) -> None:
        """Wheel notches over the bar: button 5 turns toward the user, 4 away."""
        x, y = self.bar_point()
        self.desktop.move(x, y)
        for _ in range(times):
            self.desktop.xdotool("click", str(button))
            time.sleep(0.05)

    def drop(self, paths, source_at=(900, 500)) -> None:
        """A real drag of paths from another program onto the bar."""
        argv = [sys.executable, os.path.join(HERE, "dragsource.py"), str(source_at[0]), str(source_at[1])]
        source = self.desktop.start(argv + [os.fsencode(p).hex() for p in paths],
                                    stdout=subprocess.PIPE, text=True)
        if source.stdout.readline().strip() != "ready":
            fail("the drag source did not start")
        sx, sy = source_at[0] + 60, source_at[1] + 30
        tx, ty = self.bar_point()
        d = self.desktop
        d.move(sx, sy)
        time.sleep(0.1)
        d.xdotool("mousedown", "1")
        for step in range(1, 11):
            d.move(sx + (tx - sx) * step // 10, sy + (ty - sy) * step // 10)
            time.sleep(0.03)
        time.sleep(0.3)
        d.xdotool("mouseup", "1")
        if source.stdout.readline().strip() != "dropped":
            fail("the drag did not end")
        source.kill()
        source.wait()

    def close_by_button(self) -> int:
        x, y, w, _ = self.geometry()
        self.desktop.move(x + w - 15, y + 13)
        self.desktop.xdotool("click", "1")
        try:
            return self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            fail("qirt did not end after the close button")
            return -1


def accessible_bar():
    """The bar of the running qirt as assistive technologies see it, or None."""
    import pyatspi
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is None or app.name != "qirt":
            continue
        stack = [app]
        while stack:
            node = stack.pop()
            if node is None:
                continue
            if node.description == "現在の行":
                return node
            stack.extend(node[i] for i in range(node.childCount))
    return None


def write(path: str, data: bytes) -> str:
    with open(path, "wb") as f:
        f.write(data)
    return path


def run(test) -> None:
    """Runs test(desktop, qirt) and reports the result CTest reads."""
    binary = sys.argv[1]
    desktop = Desktop()
    try:
        qirt = Qirt(desktop, binary)
        test(desktop, qirt)
        print("PASS", flush=True)
    finally:
        desktop.close()
