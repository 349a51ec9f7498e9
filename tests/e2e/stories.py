"""A user's stories with Quarrow.exe, each in a fresh run of the program, each step checked on the
screen or on disk and photographed."""

import os
import subprocess
import time

import pak
from desktop import StepFailed, Window
from program import (ADD_FILES_DIALOG, APPEND_WINDOW, FIND_WINDOW, FIRST_ROW_Y, HELP_WINDOW, LIST_TOP, MAIN_CLIENT,
                     OPEN_DIALOG, OPENED_COPY_QUESTION, OPEN_ERROR, PACK_DIALOG, PROGRESS_WINDOW, REPLACE_DIALOG,
                     UNSAVED_PROMPT,
                     AppendWindow, MainWindow, browse_to_folder, pick_files_in_dialog, type_into_file_dialog,
                     wait_for_change, wait_for_pixels, wait_for_settled, windows_path)


def write_file(path, content):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as stored:
        stored.write(content)


def make_game_tree(folder, seed):
    """A small tree like a game's resources: nested folders, a name in Chinese, an empty file, and
    contents of assorted sizes."""
    write_file(os.path.join(folder, "SCRIPT.TXT"), b"scene %d\r\n" % seed * 40)
    write_file(os.path.join(folder, "DATA", "MAP.DAT"), bytes((i * seed) % 256 for i in range(5000)))
    write_file(os.path.join(folder, "DATA", "EMPTY.BIN"), b"")
    write_file(os.path.join(folder, "PIC", "武将.BMP"), bytes((i * 7 + seed) % 251 for i in range(12345)))
    write_file(os.path.join(folder, "PIC", "SUB", "LOGO.PCX"), b"PCX" * (300 + seed))


def entries_of(archive):
    """The archive's entries as (stored name, data), in index order, read by the independent reader."""
    contents = pak.read_contents(archive)
    return [(entry.name, contents[entry.name]) for entry in pak.read_index(archive)]


class Story:
    """One story: its scratch folder, its screenshots, and the program it drives."""

    def __init__(self, session, name):
        self.session = session
        self.desktop = session.desktop
        self.name = name
        self.work = os.path.join(session.scratch, name)
        self.shots = os.path.join(session.shots, name)
        os.makedirs(self.work)
        os.makedirs(self.shots, exist_ok=True)
        self.number = 0
        self.current_step = "starting"
        self.main = None
        self.empty_list = None  # the entry list's pixels with no rows, read once the program is up

    # ---- bookkeeping

    def step(self, title):
        self.current_step = title
        print(f"  {self.name}: {title}", flush=True)

    def shot(self, label, window=None):
        self.number += 1
        target = window or self.main
        return target.screenshot(os.path.join(self.shots, f"{self.number:02d}-{label}.png"))

    def save_failure_pictures(self):
        """The whole screen and every visible window, for a step that failed."""
        self.desktop.screenshot(os.path.join(self.shots, "FAILED-screen.png"))
        for xid in sorted(self.desktop.visible_windows()):
            name = self.desktop.window_name(xid)
            if name:
                Window(self.desktop, xid, name).screenshot(os.path.join(self.shots, f"FAILED-window-{xid}.png"))
        return self.shots

    def cli(self, *args):
        return subprocess.run([self.session.cli, *args], capture_output=True, check=True)

    # ---- the program

    def start_program(self, *args):
        self.step("start Quarrow.exe " + " ".join(args))
        self.desktop.start_program(self.session.quarrow, os.path.join(self.shots, "program.log"), *args)
        facts = self.session.facts
        window = self.desktop.wait_for_window(facts.main_caption, 90, facts.main_caption_pattern)
        self.main = MainWindow(self.desktop, window, facts)
        self.main.park_pointer()
        # The first paint is done once the list and the toolbar stop changing.
        wait_for_settled("the main window's first paint", lambda: self.main.region(0, 0, *self.main.client_size))
        self.empty_list = self.main.list_pixels()
        self.shot("started")

    def start_with_game_archive(self, seed, extra=None):
        """Packs a game tree (with the `extra` files, {relative name: bytes}) into GAME.PAK and starts the
        program with it on the command line; waits until it is open and named in the caption. The
        archive's entries and the caption."""
        source = os.path.join(self.work, "game")
        make_game_tree(source, seed)
        for name, content in (extra or {}).items():
            write_file(os.path.join(source, name), content)
        archive = os.path.join(self.work, "GAME.PAK")
        self.cli("pack", archive, source)
        self.start_program(windows_path(archive))
        self.step("the archive on the command line is open and named in the caption")
        caption = self.session.facts.main_caption + " - GAME.PAK"
        self.desktop.wait_for_window(caption)
        self.wait_no_progress_window()
        wait_for_settled("the list after the start-up Open", self.main.list_pixels)
        self.shot("opened-at-start")
        return entries_of(archive), caption

    def close_program(self):
        self.step("close the program")
        self.desktop.focus(self.main.window)
        self.desktop.key("alt+F4")
        self.desktop.wait_until_gone(self.main.window, 30)

    def answer_message(self, caption, key, label):
        """Waits for a message box, photographs it, answers it with a key and waits until it is gone."""
        message = self.desktop.wait_for_window(caption)
        time.sleep(0.5)  # its first paint
        self.shot(label, message)
        self.desktop.focus(message)
        self.desktop.key(key)
        self.desktop.wait_until_gone(message)

    def choose_folder(self, button, folder):
        """Presses a toolbar button that asks for a folder, picks the folder in the browser,
        photographs the choice, confirms it and waits until the browser is gone."""
        self.main.click_button(button)
        browser = browse_to_folder(self.desktop, folder)
        self.shot("folder-chosen", browser)
        self.desktop.key("Return")
        self.desktop.wait_until_gone(browser)
        self.main.park_pointer()

    def save_as_from_list_menu(self, target):
        """另存为PAK… from the menu Shift+F10 opens, into `target`; waits until the archive is written and
        the caption names it."""
        self.choose_from_list_menu(None, ["Up"], "save-as-menu")
        dialog = type_into_file_dialog(self.desktop, PACK_DIALOG, windows_path(target))
        self.desktop.wait_until_gone(dialog)
        self.desktop.wait_until("the archive is written", lambda: os.path.exists(target))
        self.wait_no_progress_window()
        self.desktop.wait_for_window(self.session.facts.main_caption + " - " + os.path.basename(target))

    def wait_no_progress_window(self):
        self.desktop.wait_until("the progress window closes",
                                lambda: self.desktop.find_window(PROGRESS_WINDOW) is None)

    def open_archive(self, archive):
        disabled_extract = self.main.button_pixels("Extract")
        self.step(f"open {os.path.basename(archive)} through the open dialog")
        self.main.click_button("Open")
        dialog = type_into_file_dialog(self.desktop, OPEN_DIALOG, windows_path(archive))
        self.desktop.wait_until_gone(dialog)
        self.main.park_pointer()
        # Extract comes alive when the archive is open.
        wait_for_change("the Extract button is enabled after Open", lambda: self.main.button_pixels("Extract"),
                        disabled_extract)
        self.wait_no_progress_window()
        wait_for_settled("the list after Open", self.main.list_pixels)
        self.shot("opened")


    def select_rows(self, rows):
        """Clicks the first of the rows (1-based) and Ctrl+clicks the others. The row height is
        measured from the band the first click highlights."""
        before = self.main.list_pixels()
        self.main.click(40, FIRST_ROW_Y)
        after = wait_for_change("the first row is selected", self.main.list_pixels, before)
        stride = MAIN_CLIENT[0] * 3
        x = 40 * 3
        changed = [y for y in range(len(after) // stride) if after[y * stride + x:y * stride + x + 3] !=
                   before[y * stride + x:y * stride + x + 3]]
        if not changed:
            raise StepFailed("no highlighted band below the pointer")
        top, height = changed[0], changed[-1] - changed[0] + 1
        centre = lambda row: LIST_TOP + top + (row - 1) * height + height // 2
        if rows[0] != 1:
            self.main.click(40, centre(rows[0]))
        for row in rows[1:]:
            self.desktop.control_click_at(*self.main.to_screen(40, centre(row)))
        time.sleep(0.5)
        return centre

    def find_rows(self, pattern):
        """Ctrl+F on the list, the pattern typed into the find window, Enter; waits until the window is
        gone and the list has settled."""
        self.desktop.focus(self.main.window)
        self.desktop.key("ctrl+f")
        window = self.desktop.wait_for_window(FIND_WINDOW)
        self.desktop.type_text(pattern)
        time.sleep(0.3)
        self.shot("find-window", window)
        self.desktop.key("Return")
        self.desktop.wait_until_gone(window)
        wait_for_settled("the list after Find", self.main.list_pixels)
        self.shot("found")

    def choose_from_list_menu(self, at_y, keys, label):
        """Opens the list's context menu with a right-click at the given height (or, at_y None, with
        Shift+F10 on the focused list), photographs it, and picks an item with the keyboard (Down from
        the top, Up from the bottom, then Return)."""
        windows_before = self.desktop.visible_windows()
        if at_y is None:
            self.desktop.focus(self.main.window)
            self.desktop.key("shift+F10")
        else:
            self.desktop.click_at(*self.main.to_screen(60, at_y), button=3)
        self.desktop.wait_until("the context menu opens", lambda: self.desktop.visible_windows() - windows_before)
        time.sleep(0.5)  # its first paint
        menu = Window(self.desktop, sorted(self.desktop.visible_windows() - windows_before)[-1], "")
        self.shot_with_popup(label, menu)
        self.desktop.key(*keys, "Return")
        self.desktop.wait_until("the context menu closes", lambda: menu.xid not in self.desktop.visible_windows())

    def shot_with_popup(self, label, popup):
        """The main window with a popup over it, as the eye sees them: the display has no compositor,
        so each is read by itself and the popup laid over the window where it stands."""
        window_picture = self.shot(label + "-window")
        popup_picture = popup.screenshot(os.path.join(self.shots, f"{self.number:02d}-{label}-popup.png"))
        window_left, window_top, _, _ = self.main.window.geometry()
        popup_left, popup_top, _, _ = popup.geometry()
        self.number += 1
        subprocess.run(["convert", window_picture, popup_picture, "-geometry",
                        f"+{popup_left - window_left}+{popup_top - window_top}", "-composite",
                        os.path.join(self.shots, f"{self.number:02d}-{label}.png")], check=True)


# ---- the stories

def open_and_extract(story):
    """Open a PAK through the open dialog, extract it through the folder browser: the extracted tree
    holds exactly the archive's content."""
    source = os.path.join(story.work, "game")
    make_game_tree(source, 3)
    archive = os.path.join(story.work, "GAME.PAK")
    story.cli("pack", archive, source)
    expected = pak.read_contents(archive)
    destination = os.path.join(story.work, "extracted")
    os.makedirs(destination)

    story.start_program()
    story.open_archive(archive)
    if story.main.list_pixels() == story.empty_list:
        raise StepFailed("the list stayed empty after Open")

    story.step("extract through the folder browser")
    status_before = story.main.status_pixels()
    story.choose_folder("Extract", destination)
    story.desktop.wait_until("every entry is on disk", lambda: pak.tree_contents(destination).keys() == expected.keys())
    story.wait_no_progress_window()
    wait_for_change("the status bar reports the extraction", story.main.status_pixels, status_before)
    wait_for_settled("the status bar after Extract", story.main.status_pixels)
    story.shot("extracted")
    extracted = pak.tree_contents(destination)
    if extracted != expected:
        differing = sorted(name for name in expected if extracted.get(name) != expected[name])
        raise StepFailed(f"the extracted files differ from the archive's entries: {differing}")
    if expected != pak.tree_contents(source):
        raise StepFailed("the archive made for the story does not hold the source tree")
    story.close_program()


def new_add_delete_pack(story):
    """New after an unsaved change (answering the prompt), Add folder, Add file, Delete of a selected
    row, Pack through the save dialog under a name typed without ".PAK": the archive on disk is
    byte-identical to what quarrow-cli packs from the same inputs."""
    tree = os.path.join(story.work, "tree")
    make_game_tree(tree, 5)
    extra = os.path.join(story.work, "extra")
    write_file(os.path.join(extra, "STRAY.TXT"), b"added, then dropped by New")
    write_file(os.path.join(extra, "NOTE.TXT"), b"note kept in the archive\r\n")
    write_file(os.path.join(extra, "DROP.BIN"), b"\x00\x01deleted before packing")

    story.start_program()
    story.step("Add file: one stray file, so that the workspace holds something unsaved")
    story.main.click_button("AddFile")
    dialog = type_into_file_dialog(story.desktop, ADD_FILES_DIALOG, windows_path(os.path.join(extra, "STRAY.TXT")))
    story.desktop.wait_until_gone(dialog)
    story.main.park_pointer()
    wait_for_change("the stray file is listed", story.main.list_pixels, story.empty_list)
    story.shot("stray-added")

    story.step("New: the prompt asks to save; the answer is No")
    story.main.click_button("New")
    story.answer_message(UNSAVED_PROMPT, "n", "prompt")  # 否(N)
    story.main.park_pointer()
    wait_for_pixels("the list is empty after New", story.main.list_pixels, lambda now: now == story.empty_list)
    story.shot("new")

    story.step("Add folder through the folder browser")
    story.choose_folder("AddFolder", tree)
    wait_for_change("the folder's files are listed", story.main.list_pixels, story.empty_list)
    story.wait_no_progress_window()
    after_folder = wait_for_settled("the list after Add folder", story.main.list_pixels)
    story.shot("folder-added")

    story.step("Add file: two files picked together in the file dialog")
    story.main.click_button("AddFile")
    dialog = pick_files_in_dialog(story.desktop, ADD_FILES_DIALOG, extra, ["NOTE.TXT", "DROP.BIN"])
    story.shot("two-files-typed", dialog)
    story.desktop.key("Return")
    story.desktop.wait_until_gone(dialog)
    story.main.park_pointer()
    wait_for_change("the two files are listed", story.main.list_pixels, after_folder)
    with_files = wait_for_settled("the list after Add file", story.main.list_pixels)
    story.shot("files-added")

    story.step("Delete: select the last row (DROP.BIN) and press the Delete button")
    story.main.click(40, FIRST_ROW_Y)
    story.desktop.key("End")
    selected = wait_for_change("the last row is selected", story.main.list_pixels, with_files)
    story.shot("row-selected")
    story.main.click_button("Del")
    story.main.park_pointer()
    wait_for_change("the row is gone", story.main.list_pixels, selected)
    story.shot("row-deleted")

    story.step("Pack through the save dialog, typing a name without .PAK")
    target = os.path.join(story.work, "BUILT.PAK")
    story.main.click_button("Save")
    dialog = type_into_file_dialog(story.desktop, PACK_DIALOG, windows_path(os.path.join(story.work, "BUILT")))
    story.desktop.wait_until_gone(dialog)
    story.main.park_pointer()
    story.desktop.wait_until("the archive is written", lambda: os.path.exists(target))
    story.wait_no_progress_window()
    wait_for_settled("the status bar after Pack", story.main.status_pixels)
    story.shot("packed")

    reference = os.path.join(story.work, "REFERENCE.PAK")
    story.cli("pack", reference, tree, os.path.join(extra, "NOTE.TXT"))
    with open(target, "rb") as built, open(reference, "rb") as expected:
        if built.read() != expected.read():
            raise StepFailed(f"{target} differs from what quarrow-cli packs from the same inputs ({reference})")
    names = [entry.name for entry in pak.read_index(target)]
    if "NOTE.TXT" not in names or "DROP.BIN" in names or "STRAY.TXT" in names:
        raise StepFailed(f"the packed archive holds the wrong files: {names}")
    story.close_program()


def append_content(story):
    """Append content: two files picked in the window's file dialog and Start; the archive grows by
    exactly the files plus 2 bytes each, its old bytes untouched, and it still opens with its old
    index."""
    source = os.path.join(story.work, "game")
    make_game_tree(source, 7)
    archive = os.path.join(story.work, "TARGET.PAK")
    story.cli("pack", archive, source)
    with open(archive, "rb") as original:
        before = original.read()
    index_before = [(entry.name, entry.offset, entry.size) for entry in pak.read_index(archive)]
    additions = os.path.join(story.work, "additions")
    first, second = b"first appended block", bytes(range(256)) * 9
    write_file(os.path.join(additions, "ONE.DAT"), first)
    write_file(os.path.join(additions, "TWO.DAT"), second)

    story.start_program()
    story.open_archive(archive)

    story.step("open the append-content window")
    story.main.click_button("AddContent")
    window = AppendWindow(story.desktop, story.desktop.wait_for_window(APPEND_WINDOW))
    empty = wait_for_settled("the append window's first paint", lambda: window.region(0, 0, *window.client_size))
    story.shot("append-window", window)

    story.step("pick two files through the window's file dialog")
    window.click_button("Browse")
    dialog = pick_files_in_dialog(story.desktop, ADD_FILES_DIALOG, additions, ["ONE.DAT", "TWO.DAT"])
    story.desktop.key("Return")
    story.desktop.wait_until_gone(dialog)
    picked = wait_for_change("the two files are listed", lambda: window.region(0, 0, *window.client_size), empty)
    story.shot("files-picked", window)

    story.step("Start")
    window.click_button("Start")
    expected_size = len(before) + len(first) + 2 + len(second) + 2
    story.desktop.wait_until("the archive has grown", lambda: os.path.getsize(archive) == expected_size)
    story.wait_no_progress_window()
    wait_for_change("the window shows the addresses", lambda: window.region(0, 0, *window.client_size), picked)
    wait_for_settled("the append window after Start", lambda: window.region(0, 0, *window.client_size))
    story.shot("appended", window)

    with open(archive, "rb") as grown:
        after = grown.read()
    if after != before + b"\r\n" + first + b"\r\n" + second:
        raise StepFailed("the archive is not its old bytes followed by each file after a line break")
    index_after = [(entry.name, entry.offset, entry.size) for entry in pak.read_index(archive)]
    if index_after != index_before:
        raise StepFailed("the archive's index changed")
    listed = story.cli("list", archive).stdout.decode("utf-8")
    if len(listed.splitlines()) != len(index_before):
        raise StepFailed(f"quarrow-cli lists the grown archive differently:\n{listed}")

    story.step("close the append window")
    window.click_button("Cancel")
    story.desktop.wait_until_gone(window.window)
    story.close_program()


def open_not_a_pak(story):
    """Open of a file that is not a PAK: the message box with its title, and the workspace as it
    was."""
    source = os.path.join(story.work, "game")
    make_game_tree(source, 11)
    archive = os.path.join(story.work, "REAL.PAK")
    story.cli("pack", archive, source)
    impostor = os.path.join(story.work, "NOTES.PAK")
    write_file(impostor, b"This is a text file with a .PAK name, not an archive.\r\n")

    story.start_program()
    story.open_archive(archive)
    list_before = story.main.list_pixels()
    status_before = story.main.status_pixels()

    story.step("open a file that is not a PAK")
    story.main.click_button("Open")
    dialog = type_into_file_dialog(story.desktop, OPEN_DIALOG, windows_path(impostor))
    story.desktop.wait_until_gone(dialog)
    story.answer_message(OPEN_ERROR, "Return", "message")
    story.main.park_pointer()
    time.sleep(0.5)
    if story.main.list_pixels() != list_before:
        raise StepFailed("the list changed after the refused Open")
    if story.main.status_pixels() != status_before:
        raise StepFailed("the status bar changed after the refused Open")
    story.shot("unchanged")
    with open(impostor, "rb") as untouched:
        if untouched.read() != b"This is a text file with a .PAK name, not an archive.\r\n":
            raise StepFailed("the refused file was changed")
    story.close_program()


def button_look(story):
    """Hovering and pressing a toolbar button changes its look; releasing on it clicks it."""
    story.start_program()
    story.step("the Help button at rest, hovered and pressed")
    normal = story.main.button_pixels("Help")
    story.desktop.move_to(*story.main.to_screen(*story.main.button_centre("Help")))
    hovered = wait_for_change("the button shows the hover look", lambda: story.main.button_pixels("Help"), normal)
    story.shot("hovered")
    story.desktop.press()
    pressed = wait_for_change("the button shows the pressed look", lambda: story.main.button_pixels("Help"), hovered)
    story.shot("pressed")
    if pressed == normal:
        raise StepFailed("the pressed button looks like the button at rest")

    story.step("release on the button: the Help window opens")
    story.desktop.release()
    help_window = story.desktop.wait_for_window(HELP_WINDOW)
    time.sleep(0.5)
    story.shot("help", help_window)
    story.desktop.focus(help_window)
    story.desktop.key("alt+F4")
    story.desktop.wait_until_gone(help_window)

    story.step("the pointer leaves: the button is at rest again")
    story.main.park_pointer()
    wait_for_pixels("the button returns to its look at rest", lambda: story.main.button_pixels("Help"),
                    lambda now: now == normal)
    story.shot("rest")
    story.close_program()


def extract_selected_rows(story):
    """Two rows picked with Ctrl+click, extracted through the list's context menu: only those two
    files appear in the chosen folder."""
    source = os.path.join(story.work, "game")
    make_game_tree(source, 13)
    archive = os.path.join(story.work, "GAME.PAK")
    story.cli("pack", archive, source)
    contents = pak.read_contents(archive)
    names = [entry.name for entry in pak.read_index(archive)]
    destination = os.path.join(story.work, "picked")
    os.makedirs(destination)

    story.start_program()
    story.open_archive(archive)
    story.step("select rows 2 and 4 with Ctrl+click")
    centre = story.select_rows([2, 4])
    story.shot("two-rows-selected")

    story.step("解包所选档案… from the context menu, into a folder picked in the browser")
    story.choose_from_list_menu(centre(4), ["Down"] * 3, "context-menu")
    browser = browse_to_folder(story.desktop, destination)
    story.desktop.key("Return")
    story.desktop.wait_until_gone(browser)
    expected = {names[1]: contents[names[1]], names[3]: contents[names[3]]}
    story.desktop.wait_until("both files are on disk", lambda: pak.tree_contents(destination).keys() == expected.keys())
    story.wait_no_progress_window()
    wait_for_settled("the status bar after the extraction", story.main.status_pixels)
    story.shot("extracted")
    if pak.tree_contents(destination) != expected:
        raise StepFailed(f"the folder holds {sorted(pak.tree_contents(destination))}, not {sorted(expected)}")
    story.close_program()


def command_line_replace_and_save(story):
    """Quarrow.exe started with a PAK on its command line opens it; one entry's data replaced through
    the context menu marks the caption; closing then asks, and cancelling keeps the window; 另存为PAK
    writes what an independent reader expects: every entry as it was but the replaced one."""
    replacement = os.path.join(story.work, "NEW.DAT")
    write_file(replacement, b"replaced through the menu\r\n" * 9)
    target = os.path.join(story.work, "EDITED.PAK")
    original, caption = story.start_with_game_archive(17)

    story.step("替换档案内容… on the first row")
    story.main.click(40, FIRST_ROW_Y)
    story.choose_from_list_menu(FIRST_ROW_Y, ["Down"] * 4, "context-menu")
    dialog = type_into_file_dialog(story.desktop, REPLACE_DIALOG, windows_path(replacement))
    story.desktop.wait_until_gone(dialog)
    story.desktop.wait_for_window(caption + " *")
    story.main.park_pointer()
    story.shot("replaced")

    story.step("closing asks about the unsaved edits; Cancel keeps the window")
    story.desktop.focus(story.main.window)
    story.desktop.key("alt+F4")
    story.answer_message(UNSAVED_PROMPT, "Escape", "close-question")
    time.sleep(0.5)
    if story.desktop.find_window(caption + " *") is None:
        raise StepFailed("the window did not stay after the question was cancelled")

    story.step("另存为PAK… into a new file, from the menu Shift+F10 opens")
    story.save_as_from_list_menu(target)
    story.shot("saved")
    with open(replacement, "rb") as new_data:
        expected = [(original[0][0], new_data.read())] + original[1:]
    if entries_of(target) != expected:
        raise StepFailed("the saved archive is not the original with the first entry's data replaced")
    story.close_program()


def drop_onto_open_archive(story):
    """Two files dragged from another program onto the list of an open archive, through the system's
    drag and drop: the one named like an entry replaces its data, the other is appended; closing asks
    about the edits, and 是 saves them into what an independent reader expects."""
    dropped = os.path.join(story.work, "dropped")
    write_file(os.path.join(dropped, "script.txt"), b"dropped over the old script\r\n")
    write_file(os.path.join(dropped, "EXTRA.DAT"), bytes(range(200)))
    target = os.path.join(story.work, "SAVED.PAK")
    original, caption = story.start_with_game_archive(19)

    story.step("drag two files from another program and drop them on the list")
    drag = story.desktop.start_program(story.session.drag_files, os.path.join(story.shots, "drag.log"),
                                       *(windows_path(os.path.join(dropped, name))
                                         for name in ("script.txt", "EXTRA.DAT")))
    source_window = story.desktop.wait_for_window("drag_files")
    left, top, width, height = source_window.geometry()
    story.desktop.move_to(left + width // 2, top + height // 2)
    time.sleep(0.3)
    story.desktop.press()
    to_x, to_y = story.main.to_screen(120, FIRST_ROW_Y + 40)
    for part in range(1, 11):
        time.sleep(0.1)
        story.desktop.move_to(left + width // 2 + (to_x - left - width // 2) * part // 10,
                              top + height // 2 + (to_y - top - height // 2) * part // 10)
    time.sleep(0.5)
    story.desktop.release()
    try:
        ended = drag.wait(timeout=30)
    except subprocess.TimeoutExpired:
        raise StepFailed("the drag did not end when the button was released")
    if ended != 0:
        raise StepFailed(f"the drag ended without a target taking the files (exit code {ended})")
    story.desktop.wait_for_window(caption + " *")
    story.main.park_pointer()
    wait_for_settled("the list after the drop", story.main.list_pixels)
    story.shot("dropped")

    story.step("closing asks about the edits; 是 saves them first")
    story.desktop.focus(story.main.window)
    story.desktop.key("alt+F4")
    story.answer_message(UNSAVED_PROMPT, "y", "close-question")  # 是(Y)
    dialog = type_into_file_dialog(story.desktop, PACK_DIALOG, windows_path(target))
    story.desktop.wait_until_gone(dialog)
    story.desktop.wait_until_gone(story.main.window, 60)
    expected = [(name, b"dropped over the old script\r\n" if name == "SCRIPT.TXT" else data)
                for name, data in original] + [("EXTRA.DAT", bytes(range(200)))]
    if entries_of(target) != expected:
        raise StepFailed("the saved archive is not the original with SCRIPT.TXT replaced and EXTRA.DAT added")


def drag_rows_out(story):
    """Two rows of different folders dragged out of the list onto another program's window, through the
    system's drag and drop: their files land there below their folders, with the archive's bytes. Dropped
    back onto the list, the same drag changes nothing."""
    original, caption = story.start_with_game_archive(23)
    names = [name for name, _ in original]
    picked = ["DATA\\MAP.DAT", "PIC\\SUB\\LOGO.PCX"]
    rows = [names.index(name) + 1 for name in picked]
    destination = os.path.join(story.work, "dropped")
    os.makedirs(destination)

    story.step(f"select rows {rows[0]} and {rows[1]}")
    centre = story.select_rows(rows)

    def drag_rows(to_x, to_y):
        from_x, from_y = story.main.to_screen(40, centre(rows[0]))
        story.desktop.move_to(from_x, from_y)
        time.sleep(0.3)
        story.desktop.press()
        # Past the list's drag threshold: the copies are made before the drag goes on.
        story.desktop.glide(from_x, from_y, from_x + 12, from_y, 3)
        time.sleep(1)
        story.wait_no_progress_window()
        story.desktop.glide(from_x + 12, from_y, to_x, to_y)
        time.sleep(0.5)
        story.desktop.release()

    story.step("drag them and drop them back onto the list: nothing changes")
    drag_rows(*story.main.to_screen(300, FIRST_ROW_Y + 200))
    # Files taken in would be added by a command of a few seconds, which then marks the caption.
    wait_for_settled("the window after the drop", lambda: story.main.region(0, 0, *MAIN_CLIENT), quiet=3.0)
    if story.desktop.find_window(caption + " *") is not None:
        raise StepFailed("the rows dropped back onto the list were taken as files")

    drop = story.desktop.start_program(os.path.join(os.path.dirname(story.session.drag_files), "drop_files.exe"),
                                       os.path.join(story.shots, "drop.log"), windows_path(destination))
    target = story.desktop.wait_for_window("drop_files")
    story.step("drag them out onto another program's window")
    left, top, width, height = target.geometry()
    drag_rows(left + width // 2, top + height // 2)
    try:
        ended = drop.wait(timeout=30)
    except subprocess.TimeoutExpired:
        raise StepFailed("nothing was dropped on the other program")
    if ended != 0:
        raise StepFailed(f"the other program could not copy what was dropped (exit code {ended})")
    story.main.park_pointer()
    story.shot("dragged-out")
    expected = {name: data for name, data in original if name in picked}
    if pak.tree_contents(destination) != expected:
        raise StepFailed(f"the drop left {sorted(pak.tree_contents(destination))}, not {sorted(expected)}")


def find_and_extract_matches(story):
    """Ctrl+F with a pattern selects the rows it matches and only those; 解包所选档案… then writes
    exactly their files."""
    original, _ = story.start_with_game_archive(23)
    destination = os.path.join(story.work, "found")
    os.makedirs(destination)

    story.step("Ctrl+F: every entry below PIC, typed with / and in lower case")
    story.find_rows("pic/*")

    story.step("解包所选档案… from the menu Shift+F10 opens, into a folder picked in the browser")
    story.choose_from_list_menu(None, ["Down"] * 3, "context-menu")
    browser = browse_to_folder(story.desktop, destination)
    story.desktop.key("Return")
    story.desktop.wait_until_gone(browser)
    expected = {name: data for name, data in original if name.startswith("PIC\\")}
    story.desktop.wait_until("the found files are on disk",
                             lambda: pak.tree_contents(destination).keys() == expected.keys())
    story.wait_no_progress_window()
    story.shot("extracted")
    if pak.tree_contents(destination) != expected:
        raise StepFailed(f"the folder holds {sorted(pak.tree_contents(destination))}, not {sorted(expected)}")
    story.close_program()


def open_change_take_back(story):
    """Enter on a row opens it in the program registered for its kind of file, which changes it; back
    in Quarrow the change is offered, 是 takes it into the list, and 另存为PAK writes it."""
    editor = os.path.join(os.path.dirname(story.session.drag_files), "change_file.exe")
    story.desktop.wine("reg", "add", r"HKCR\.qrw", "/ve", "/d", "QuarrowStory.qrw", "/f")
    story.desktop.wine("reg", "add", r"HKCR\QuarrowStory.qrw\shell\open\command", "/ve", "/d",
                       f'"{windows_path(editor)}" "%1"', "/f")
    notes = b"notes to be changed\r\n"
    original, caption = story.start_with_game_archive(29, {"DATA/NOTES.QRW": notes})
    target = os.path.join(story.work, "CHANGED.PAK")

    story.step("find the row, and Enter opens it in its program")
    story.find_rows("*.qrw")
    story.desktop.key("Return")

    story.step("back in Quarrow, the change is offered; 是 takes it into the list")
    try:
        question = story.desktop.wait_for_window(OPENED_COPY_QUESTION, 30)
    except StepFailed:
        # The program ended without handing the activation back: the user clicks Quarrow's window.
        story.desktop.focus(story.main.window)
        question = story.desktop.wait_for_window(OPENED_COPY_QUESTION, 30)
    story.answer_message(question.caption, "y", "take-back-question")  # 是(Y)
    story.desktop.wait_for_window(caption + " *")
    story.main.park_pointer()
    story.shot("taken-back")

    story.step("另存为PAK… writes the changed entry")
    story.save_as_from_list_menu(target)
    expected = [(name, data + b"changed by change_file\r\n" if name == "DATA\\NOTES.QRW" else data)
                for name, data in original]
    if entries_of(target) != expected:
        raise StepFailed("the saved archive is not the original with NOTES.QRW changed by its program")
    story.close_program()


STORIES = [open_and_extract, new_add_delete_pack, append_content, open_not_a_pak, button_look,
           extract_selected_rows, command_line_replace_and_save, drop_onto_open_archive, find_and_extract_matches,
           open_change_take_back,
           # Last: after Wine's drag and drop, keys sent to a later program's window through the X focus
           # alone do not always reach it.
           drag_rows_out]
