"""A private X display with Wine on it, and the few things a user does there: wait for a window by its
caption, move the pointer, click, type, press keys, and look at the screen. The display and Wine's
environment are those of scripts/lib/wine-env.sh, under which the suite runs.

Everything goes through the X server from outside the program (xdotool sends real pointer and key
events through the XTEST extension), so the program sees what it would see from a person.
"""

import os
import re
import shutil
import subprocess
import time


class StepFailed(Exception):
    """A step of a story did not come out as it should."""


def _run(args, **kwargs):
    return subprocess.run(args, check=True, capture_output=True, text=True, **kwargs)


def _save_picture(xwd_args, env, path, attempts=3):
    """Saves what xwd reads (a window, or the whole screen) as a PNG. xwd fails now and then while
    Wine creates or destroys X windows inside the one it reads; it is asked again."""
    for attempt in range(attempts):
        with open(path, "wb") as png:
            xwd = subprocess.Popen(["xwd", *xwd_args, "-silent"], stdout=subprocess.PIPE,
                                   stderr=subprocess.DEVNULL, env=env)
            converted = subprocess.run(["convert", "xwd:-", "png:-"], stdin=xwd.stdout, stdout=png,
                                       stderr=subprocess.DEVNULL)
            xwd.wait()
        if converted.returncode == 0 and xwd.returncode == 0:
            return path
        time.sleep(0.2)
    raise StepFailed(f"no picture of {' '.join(xwd_args)} could be taken")


class Window:
    """A top-level window on the display, known by its X window id."""

    def __init__(self, desktop, xid, caption, pattern=None):
        self.desktop = desktop
        self.xid = xid
        self.caption = caption
        # What the caption may read while the window lives: the main window's names the open archive.
        self.pattern = pattern or "^" + re.escape(caption) + "$"

    def geometry(self):
        """(x, y, width, height) of the window's frame on the screen."""
        out = self.desktop.xdotool("getwindowgeometry", "--shell", self.xid)
        values = dict(line.split("=", 1) for line in out.splitlines() if "=" in line)
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    def screenshot(self, path):
        """The window's own picture. A grab of the whole screen shows a second Wine window black on
        a display without a window manager; the window by itself reads right."""
        return _save_picture(["-id", self.xid], self.desktop.env, path)


class Desktop:
    """The display and the Wine prefix of this process's environment, and the programs started on
    them."""

    def __init__(self):
        self.prefix = os.environ["WINEPREFIX"]
        self.env = dict(os.environ)
        self.programs = []

    # ---- the session

    def start(self):
        self.park_pointer()

    def stop(self):
        for program in self.programs:
            if program.poll() is None:
                program.kill()
        subprocess.run(["wineserver", "-k"], env=self.env, capture_output=True)
        for program in self.programs:
            try:
                program.wait(timeout=10)
            except subprocess.TimeoutExpired:
                pass

    def wine(self, *args, timeout=120):
        """Runs a Wine command to its end (registry settings, the prefix's first start)."""
        return subprocess.run(["wine", *args], env=self.env, capture_output=True, timeout=timeout)

    def start_program(self, exe, log_path, *args):
        """Starts a Windows program with its command line; what it and Wine print goes to the log file."""
        with open(log_path, "wb") as log:
            program = subprocess.Popen(["wine", exe, *args], env=self.env, stdout=log, stderr=subprocess.STDOUT)
        self.programs.append(program)
        return program

    # ---- looking

    def xdotool(self, *args):
        return _run(["xdotool", *args], env=self.env).stdout

    def visible_windows(self):
        result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", ""], env=self.env,
                                capture_output=True, text=True)
        return set(result.stdout.split())

    def window_name(self, xid):
        result = subprocess.run(["xdotool", "getwindowname", xid], env=self.env, capture_output=True,
                                text=True)
        return result.stdout.rstrip("\n")

    def find_window(self, caption, pattern=None):
        """The visible window whose caption is exactly the given text (or matches the pattern), or
        None."""
        pattern = pattern or "^" + re.escape(caption) + "$"
        result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", pattern],
                                env=self.env, capture_output=True, text=True)
        ids = result.stdout.split()
        return Window(self, ids[-1], caption, pattern) if ids else None

    def wait_for_window(self, caption, timeout=60, pattern=None):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            window = self.find_window(caption, pattern)
            if window is not None:
                return window
            time.sleep(0.25)
        raise StepFailed(f'no window "{caption}" appeared within {timeout} s')

    def wait_until_gone(self, window, timeout=60):
        """Waits until no window with the caption shows (Wine may have given the window a new X
        window meanwhile)."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.find_window(window.caption, window.pattern) is None:
                return
            time.sleep(0.25)
        raise StepFailed(f'the window "{window.caption}" was still open after {timeout} s')

    def wait_until(self, what, condition, timeout=60):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if condition():
                return
            time.sleep(0.25)
        raise StepFailed(f"{what}: not within {timeout} s")

    def screenshot(self, path):
        """The whole screen."""
        return _save_picture(["-root"], self.env, path)

    # ---- acting

    def park_pointer(self):
        """Moves the pointer into the screen's far corner, away from every window."""
        width, height = (int(side) for side in self.xdotool("getdisplaygeometry").split())
        self.move_to(width - 1, height - 1)

    def move_to(self, x, y):
        self.xdotool("mousemove", str(x), str(y))

    def click_at(self, x, y, button=1):
        self.move_to(x, y)
        # Wine reads the pointer's position from the motion event; the press comes a moment later,
        # as it would from a hand.
        time.sleep(0.1)
        self.xdotool("click", str(button))

    def control_click_at(self, x, y):
        """A click with Ctrl held, which adds a row to a list's selection."""
        self.move_to(x, y)
        time.sleep(0.1)
        self.xdotool("keydown", "ctrl")
        try:
            self.xdotool("click", "1")
        finally:
            self.xdotool("keyup", "ctrl")

    def press(self):
        self.xdotool("mousedown", "1")

    def release(self):
        self.xdotool("mouseup", "1")

    def glide(self, from_x, from_y, to_x, to_y, steps=10):
        """Moves the pointer in even steps, as a hand drags: a drag hears of each motion."""
        for part in range(1, steps + 1):
            time.sleep(0.1)
            self.move_to(from_x + (to_x - from_x) * part // steps, from_y + (to_y - from_y) * part // steps)

    def type_text(self, text):
        self.xdotool("type", "--delay", "30", text)

    def key(self, *keys):
        self.xdotool("key", "--delay", "50", *keys)

    def focus(self, window):
        self.xdotool("windowfocus", "--sync", window.xid)


def tools_present():
    """The programs the suite drives the display with; missing ones are named."""
    return [tool for tool in ("Xvfb", "xdotool", "xwd", "convert", "wine", "wineserver") if shutil.which(tool) is None]
