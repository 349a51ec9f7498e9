"""Quarrow's windows as a user sees them: where the toolbar buttons and the lists stand, and the
dialogs a command opens. Positions come from the windows' layout in twips (15 to a pixel at the
96 DPI of the test display); the main window's caption and its toolbar's layout from the facts the
build writes beside the program."""

import json
import os
import re
import subprocess
import time

from desktop import StepFailed

OPEN_DIALOG = "打开PAK文件..."
PACK_DIALOG = "打包PAK文件..."
ADD_FILES_DIALOG = "增加档案..."
FOLDER_BROWSER = "选择文件夹"  # Wine's caption for the folder browser
PROGRESS_WINDOW = "处理中。。。"
UNSAVED_PROMPT = "保存？"
OPEN_ERROR = "打开错误"
APPEND_WINDOW = "附加档案内容"
HELP_WINDOW = "使用说明"
REPLACE_DIALOG = "替换档案内容..."
FIND_WINDOW = "查找档案"
OPENED_COPY_QUESTION = "打开"  # an opened entry's copy was changed: take it back?


def pixels(twips):
    return twips // 15


BUTTON_HEIGHT = 375  # every toolbar button's height
MAIN_CLIENT = (pixels(9495), pixels(7320))
LIST_TOP, LIST_HEIGHT = pixels(840), pixels(6135)
STATUS_HEIGHT = pixels(375)
FIRST_ROW_Y = LIST_TOP + 24  # below the column headers, inside the first row

APPEND_CLIENT = (pixels(8415), pixels(5055))
APPEND_BUTTONS = {"Browse": (6960, 480), "Delete": (6960, 1080), "Start": (5640, 4560), "Cancel": (7080, 4560)}
APPEND_BUTTON_SIZE = (1215, 375)


class ProgramFacts:
    """What the build says of the program it made: the version the main window's caption carries, and
    the toolbar's layout table (each button's row, left and width, and the strips' height, in twips),
    read from the file written beside Quarrow.exe."""

    def __init__(self, exe):
        with open(os.path.join(os.path.dirname(exe), "Quarrow.facts.json"), encoding="utf-8") as facts_file:
            facts = json.load(facts_file)
        self.main_caption = "Quarrow V" + facts["version"]
        # While an archive is current the caption names it, with " *" while it has unsaved edits.
        self.main_caption_pattern = "^" + re.escape(self.main_caption) + "( - .+)?$"
        toolbar = facts["toolbar"]
        self.strip_height = toolbar["strip_height"]
        rows = {"Top": 0, "Second": 1}
        self.buttons = {name: (rows[button["row"]], button["x"], button["width"])
                        for name, button in toolbar["buttons"].items()}


def windows_path(path):
    """How a Linux path reads to the program: Wine's drive Z: is the root."""
    return "Z:" + os.path.realpath(path).replace("/", "\\")


class TopWindow:
    """A top-level window of the program with a known client size."""

    def __init__(self, desktop, window, client_size):
        self.desktop = desktop
        self.window = window
        self.client_size = client_size

    def reading_window(self, read, attempts=3):
        """Runs a read of the window's X window. xwd fails now and then while Wine creates or destroys
        X windows inside the one it reads, and Wine may give a window a new X window when it changes
        how the window is managed: the read is repeated, with the window found again by its caption."""
        for attempt in range(attempts):
            try:
                return read()
            except subprocess.CalledProcessError:
                if attempt == attempts - 1:
                    raise
                time.sleep(0.2)
                self.window = self.desktop.wait_for_window(self.window.caption, 10, self.window.pattern)

    def frame(self):
        """(left, top) of the frame on the screen and (dx, dy) of the client area inside it: the
        frame's sides are equally wide, and whatever is left above the client area is border and
        caption."""
        left, top, width, height = self.reading_window(self.window.geometry)
        border = (width - self.client_size[0]) // 2
        return left, top, border, height - self.client_size[1] - border

    def to_screen(self, x, y):
        left, top, dx, dy = self.frame()
        return left + dx + x, top + dy + y

    def click(self, x, y):
        self.desktop.click_at(*self.to_screen(x, y))

    def region(self, x, y, width, height):
        """The raw RGB pixels of a rectangle of the client area."""
        def read():
            _, _, dx, dy = self.frame()
            xwd = subprocess.Popen(["xwd", "-id", self.window.xid, "-silent"], stdout=subprocess.PIPE,
                                   stderr=subprocess.DEVNULL, env=self.desktop.env)
            crop = subprocess.run(["convert", "xwd:-", "-crop", f"{width}x{height}+{x + dx}+{y + dy}",
                                   "+repage", "rgb:-"], stdin=xwd.stdout, capture_output=True, check=True)
            xwd.wait()
            return crop.stdout
        return self.reading_window(read)

    def screenshot(self, path):
        return self.window.screenshot(path)


class MainWindow(TopWindow):
    def __init__(self, desktop, window, facts):
        super().__init__(desktop, window, MAIN_CLIENT)
        self.facts = facts

    def button_rect(self, name):
        row, left, width = self.facts.buttons[name]
        return pixels(left), pixels(row * self.facts.strip_height), pixels(width), pixels(BUTTON_HEIGHT)

    def button_centre(self, name):
        x, y, width, height = self.button_rect(name)
        return x + width // 2, y + height // 2

    def button_pixels(self, name):
        return self.region(*self.button_rect(name))

    def click_button(self, name):
        self.click(*self.button_centre(name))

    def caption(self):
        return self.desktop.window_name(self.window.xid)

    def list_pixels(self):
        return self.region(0, LIST_TOP, MAIN_CLIENT[0], LIST_HEIGHT)

    def status_pixels(self):
        return self.region(0, MAIN_CLIENT[1] - STATUS_HEIGHT, MAIN_CLIENT[0], STATUS_HEIGHT)

    def park_pointer(self):
        """Moves the pointer off the window, so that no button shows the hover look."""
        self.desktop.park_pointer()


class AppendWindow(TopWindow):
    def __init__(self, desktop, window):
        super().__init__(desktop, window, APPEND_CLIENT)

    def click_button(self, name):
        left, top = APPEND_BUTTONS[name]
        width, height = APPEND_BUTTON_SIZE
        self.click(pixels(left + width // 2), pixels(top + height // 2))


def wait_for_pixels(what, read, condition, timeout=60):
    """Reads a region until the condition holds of it; returns the pixels."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        current = read()
        if condition(current):
            return current
        time.sleep(0.3)
    raise StepFailed(f"{what}: not within {timeout} s")


def wait_for_change(what, read, before, timeout=60):
    return wait_for_pixels(what, read, lambda current: current != before, timeout)


def wait_for_settled(what, read, timeout=60, quiet=1.0):
    """Reads a region until it stays the same for the given time."""
    deadline = time.monotonic() + timeout
    last = read()
    since = time.monotonic()
    while time.monotonic() < deadline:
        time.sleep(0.3)
        current = read()
        if current != last:
            last, since = current, time.monotonic()
        elif time.monotonic() - since >= quiet:
            return current
    raise StepFailed(f"{what}: still changing after {timeout} s")


def window_pixels(desktop, window):
    """The whole picture of a top-level window, or None while it cannot be read (Wine is making or
    remaking its X windows)."""
    xwd = subprocess.run(["xwd", "-id", window.xid, "-silent"], capture_output=True, env=desktop.env)
    return xwd.stdout if xwd.returncode == 0 else None


# A blinking caret changes a few dozen bytes of a window's picture; filling a view changes thousands.
CARET_BYTES = 256


def wait_until_painted(desktop, window, what, timeout=60, quiet=1.0):
    """Waits until a window has stopped changing but for its caret: a dialog fills its views, and a
    tree lists a folder's children, some time after it shows, which a busy machine makes longer."""
    deadline = time.monotonic() + timeout
    last = window_pixels(desktop, window)
    since = time.monotonic()
    while time.monotonic() < deadline:
        time.sleep(0.3)
        current = window_pixels(desktop, window)
        same = current is not None and last is not None and len(current) == len(last) and \
            sum(a != b for a, b in zip(current, last)) <= CARET_BYTES
        if not same:
            last, since = current, time.monotonic()
        elif time.monotonic() - since >= quiet:
            return
    raise StepFailed(f"{what}: still changing after {timeout} s")


def type_into_file_dialog(desktop, caption, text, timeout=60):
    """Waits for a file dialog, types into its file name box (which has the focus when it opens) and
    confirms; returns the dialog's window."""
    dialog = desktop.wait_for_window(caption, timeout)
    wait_until_painted(desktop, dialog, "the file dialog fills its folder view")
    desktop.focus(dialog)
    desktop.type_text(text)
    desktop.key("Return")
    return dialog


def pick_files_in_dialog(desktop, caption, folder, names, timeout=60):
    """Waits for a file dialog that takes several files, goes to the folder by typing its path, and
    types the names, each in quotes, as one selection; the caller confirms. Returns the dialog."""
    dialog = desktop.wait_for_window(caption, timeout)
    wait_until_painted(desktop, dialog, "the file dialog fills its folder view")
    desktop.focus(dialog)
    desktop.type_text(windows_path(folder))
    desktop.key("Return")  # a folder's path makes the dialog show that folder
    wait_until_painted(desktop, dialog, "the file dialog shows the folder")
    desktop.type_text(" ".join(f'"{name}"' for name in names))
    return dialog


def browse_to_folder(desktop, path, timeout=60):
    """Picks a folder in Wine's folder browser the way a keyboard user does: from the desktop down to
    the file system's root "/", then each folder of the path in turn, opening it with the right arrow
    key and finding the next one by typing its name. Wine's browser takes the selected tree item,
    not what is typed into its edit box."""
    dialog = desktop.wait_for_window(FOLDER_BROWSER, timeout)
    wait_until_painted(desktop, dialog, "the folder browser fills its tree")
    desktop.focus(dialog)
    desktop.key("Home", "Down")  # the desktop, then its first child: "/"
    for part in os.path.realpath(path).strip("/").split("/"):
        desktop.key("Right")
        # The children are listed, and a second of quiet starts the tree's typed search afresh.
        wait_until_painted(desktop, dialog, f"the folder browser lists what is in front of {part}")
        desktop.type_text(part)
    wait_until_painted(desktop, dialog, "the folder browser selects the folder")
    return dialog
