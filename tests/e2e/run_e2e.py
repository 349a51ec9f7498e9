#!/usr/bin/env python3
"""Runs the end-to-end stories: Quarrow.exe under Wine on a private Xvfb display, driven only from
outside with real pointer and key events. Screenshots of every step land in the output folder; a
failed step adds pictures of the screen and of each window and says where they are.

The suite runs in the project's Wine environment, on a display of its own: it starts itself again
under scripts/lib/wine-env.sh, which sets both up and takes the display down when the suite ends."""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time
import traceback

from desktop import Desktop, StepFailed, tools_present
from program import ProgramFacts
from stories import STORIES, Story

WINE_ENV = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "lib", "wine-env.sh")


class Session:
    """What every story shares: the programs under test, the desktop, the scratch folder."""

    def __init__(self, quarrow, cli, drag_files, shots, scratch, desktop):
        self.quarrow = quarrow
        self.drag_files = drag_files
        self.facts = ProgramFacts(quarrow)
        self.cli = cli
        self.shots = shots
        self.scratch = scratch
        self.desktop = desktop


def prepare_prefix(desktop, wine_run):
    """A Wine prefix of the suite's own, where Wine draws the program's frames itself, as there is no
    window manager to do it."""
    started = subprocess.run([wine_run, "cmd", "/c", "exit"], env=desktop.env, capture_output=True, timeout=300)
    if started.returncode != 0:
        raise StepFailed(f"the Wine prefix could not be prepared: {started.stderr.decode(errors='replace')}")
    desktop.wine("reg", "add", r"HKCU\Software\Wine\AppDefaults\Quarrow.exe\X11 Driver", "/v", "Decorated",
                 "/d", "N", "/f")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--quarrow", required=True, help="Quarrow.exe of the x86-64 tree")
    parser.add_argument("--cli", required=True, help="the native quarrow-cli")
    parser.add_argument("--drag-files", help="the drag source of the same tree (default: beside app/ in the tree)")
    parser.add_argument("--wine-run", required=True, help="the tree's wine-run.sh, which prepares a prefix")
    parser.add_argument("--out", required=True, help="folder for the screenshots and the Wine prefix")
    parser.add_argument("--story", action="append", help="run only the named stories")
    options = parser.parse_args()

    missing = tools_present()
    if missing:
        print(f"e2e: missing programs: {', '.join(missing)} (scripts/bootstrap installs them)", file=sys.stderr)
        return 2
    chosen = [story for story in STORIES if not options.story or story.__name__ in options.story]
    if not chosen:
        print(f"e2e: no such story; the stories are {', '.join(s.__name__ for s in STORIES)}", file=sys.stderr)
        return 2

    out = os.path.abspath(options.out)
    prefix = os.path.join(out, "wineprefix")
    if os.environ.get("QUARROW_WINE_ENV") != prefix:
        os.execv(WINE_ENV, [WINE_ENV, prefix, sys.executable, *sys.argv])
    shots = os.path.join(out, "screenshots")
    shutil.rmtree(shots, ignore_errors=True)
    os.makedirs(shots)
    # Short and plain, as the folder browser is walked by typing each folder's name.
    scratch = tempfile.mkdtemp(prefix="qe2e")
    # Wine links the prefix's desktop and documents to $HOME when it makes the prefix, so the home
    # must outlive the run, and stay apart from the user's own.
    home = os.path.join(out, "home")
    os.makedirs(home, exist_ok=True)

    desktop = Desktop()
    desktop.env["HOME"] = home
    desktop.env["QUARROW_WINEPREFIX"] = desktop.prefix
    failures = []
    try:
        desktop.start()
        prepare_prefix(desktop, options.wine_run)
        drag_files = options.drag_files or os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(
            options.quarrow))), "tests", "drag", "drag_files.exe")
        session = Session(options.quarrow, options.cli, drag_files, shots, scratch, desktop)
        for story_function in chosen:
            story = Story(session, story_function.__name__)
            started = time.monotonic()
            print(f"e2e: {story.name}", flush=True)
            try:
                story_function(story)
                print(f"e2e: {story.name}: passed in {time.monotonic() - started:.0f} s", flush=True)
            except (StepFailed, subprocess.CalledProcessError, OSError, ValueError) as error:
                where = story.save_failure_pictures()
                details = error if not isinstance(error, subprocess.CalledProcessError) else \
                    f"{error}\n{error.stderr.decode(errors='replace')}"
                print(f"e2e: {story.name}: FAILED at \"{story.current_step}\": {details}", flush=True)
                if not isinstance(error, StepFailed):
                    traceback.print_exc()
                print(f"e2e: {story.name}: screenshots in {where}", flush=True)
                failures.append(story.name)
                # A program left in a dialog would confuse the next story.
                subprocess.run(["wineserver", "-k"], env=desktop.env, capture_output=True)
                subprocess.run(["wineserver", "-w"], env=desktop.env, capture_output=True)
    finally:
        desktop.stop()
        if not failures:
            shutil.rmtree(scratch, ignore_errors=True)

    print(f"e2e: {len(chosen) - len(failures)} of {len(chosen)} stories passed; screenshots in {shots}")
    if failures:
        print(f"e2e: failed: {' '.join(failures)}; their files are kept in {scratch}")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
