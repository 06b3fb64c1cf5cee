#!/usr/bin/env python3
"""Drives the real vorn binary in an X window under Xvfb with real input events.

Usage: vorn_e2e.py PATH/TO/vorn [--shots DIR]

A temporary tree is bind-mounted on a fresh mount point, so that vorn sees it as a drive of
its own, and vorn starts inside it. The test clicks through the tree, meets the
folder-not-found notice, opens a deep folder chain from the contents list, goes back up with
the toolbar, deletes two files through the confirmation, and ends vorn from its menu. After
every step the process's working directory must be the folder the tree selected, and the
screen must show that selection and the expected number of list rows.

Exit status: 0 passed, 1 failed, 77 skipped (no Xvfb, xdotool or xwd, or no right to mount).
"""

import argparse
import ctypes
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

# The helper is imported from the source tree, which must stay free of compiled files.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import xwd  # noqa: E402

SKIP = 77
SCREEN = "1100x800x24"
NAMESPACE_MARK = "VORN_E2E_IN_NAMESPACE"

# Where things are in the 960 x 700 main window, relative to its top-left corner.
ROW_PITCH = 18
TREE_PROBE_X = 250  # right of the names, so only the selection bar colours it
TREE_TOP, TREE_BOTTOM = 49, 676
LIST_CLICK_X = 380
LIST_FIRST_ROW_Y = 75
LIST_ICON_XS = range(327, 360)
UP_BUTTON = (82, 33)
DELETE_BUTTON = (114, 33)

CONFIRM_TITLE = "削除の確認"
# The progress dialog has the same caption; the notice is told apart by its warning icon.
NOTICE_TITLE = "Vorn\u3000Version 1.0"

# A chain this deep beneath alpha; each level also holds a smaller, empty folder that sorts
# first by name, so the tree's order and the list's order differ at every level.
CHAIN_DEPTH = 6
CHAIN_BOTTOM_FILE_SIZE = 50000

# The root's files, sizes chosen so that the list (largest first) puts the canary between
# the two doomed files: a range selection instead of two single rows would take it too.
KEPT_FILES = [("keep.bin", 9000), ("canary.bin", 4000)]
DOOMED_FILES = [("doomed1.bin", 6000), ("doomed2.bin", 2000)]
ROOT_FILES_BY_SIZE = sorted(KEPT_FILES + DOOMED_FILES, key=lambda entry: -entry[1])
# In name order, as the tree shows them; also largest first, as the list shows them.
ROOT_FOLDERS = [("alpha", None), ("beta", 20000), ("gone", 500)]


class Failure(Exception):
    pass


class Skip(Exception):
    pass


STARTED = time.monotonic()


def log(text):
    print("[%5.1fs] %s" % (time.monotonic() - STARTED, text), flush=True)


def run(*args, check=True, **kwargs):
    result = subprocess.run(args, capture_output=True, text=True, **kwargs)
    if check and result.returncode != 0:
        raise Failure("%s failed (%d): %s" % (" ".join(args), result.returncode, result.stderr))
    return result


def poll(what, probe, timeout=10.0, interval=0.05):
    """Calls probe until it returns something true, and returns that."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure("timed out waiting for %s" % what)
        time.sleep(interval)


def die_with_parent():
    # Xvfb and vorn must not outlive a driver that the test runner kills.
    pr_set_pdeathsig = 1
    ctypes.CDLL(None, use_errno=True).prctl(pr_set_pdeathsig, signal.SIGKILL)


def is_white(rgb):
    return min(rgb) >= 250


def is_selection(rgb):
    r, _, b = rgb
    return b > 150 and b - r > 80


def is_red(rgb):
    r, g, b = rgb
    return r > 180 and g < 80 and b < 80


def is_warning_yellow(rgb):
    r, g, b = rgb
    return r > 200 and g > 180 and b < 80


class Tree:
    """The temporary tree vorn browses, the mount point where vorn sees it as a drive, and a
    runtime folder for vorn, all in one temporary folder."""

    def __init__(self):
        self.base = tempfile.mkdtemp(prefix="vorn-e2e.")
        self.source = os.path.join(self.base, "tree")
        self.mount_point = os.path.join(self.base, "drive")
        self.runtime = os.path.join(self.base, "runtime")
        for folder in (self.source, self.mount_point, self.runtime):
            os.mkdir(folder, 0o700)
        self.mounted = False
        # chain[level]: the parts of the chain's folder at that depth below the root.
        self.chain = [["alpha"]]

    def build(self):
        self.file("alpha/alpha.bin", 1000)
        for level in range(1, CHAIN_DEPTH + 1):
            os.makedirs(self.at(*self.chain[-1], "a%d" % level))
            self.chain.append(self.chain[-1] + ["z%d" % level])
        self.file(os.path.join(*self.chain[-1], "bottom.bin"), CHAIN_BOTTOM_FILE_SIZE)
        for name, size in ROOT_FOLDERS:
            if size:
                self.file(os.path.join(name, name + ".bin"), size)
        for name, size in KEPT_FILES + DOOMED_FILES:
            self.file(name, size)

    def at(self, *parts):
        return os.path.join(self.source, *parts)

    def file(self, relative, size):
        path = self.at(relative)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as out:
            out.write(b"v" * size)

    def entries(self):
        """Every path below the tree, with each file's size."""
        found = {}
        for folder, folders, files in os.walk(self.source):
            for name in folders:
                found[os.path.relpath(os.path.join(folder, name), self.source)] = None
            for name in files:
                path = os.path.join(folder, name)
                found[os.path.relpath(path, self.source)] = os.path.getsize(path)
        return found

    def mount(self):
        result = run("mount", "--bind", self.source, self.mount_point, check=False)
        if result.returncode != 0:
            raise Skip("cannot bind-mount a folder here: " + result.stderr.strip())
        self.mounted = True

    def remove(self):
        if self.mounted and run("umount", self.mount_point, check=False).returncode != 0:
            run("umount", "-l", self.mount_point, check=False)
        if os.path.ismount(self.mount_point):
            log("left %s in place: %s is still mounted" % (self.base, self.mount_point))
            return
        shutil.rmtree(self.base, ignore_errors=True)


class Display:
    """A private X server, and the xdotool and xwd calls on it."""

    def __init__(self):
        self.server = None
        self.env = None

    def start(self):
        reader, writer = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(writer), "-screen", "0", SCREEN, "-nolisten", "tcp"],
            pass_fds=(writer,),
            stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL,
            preexec_fn=die_with_parent,
        )
        os.close(writer)
        with os.fdopen(reader) as numbers:
            number = numbers.readline().strip()
        if not number:
            raise Failure("Xvfb did not start")
        self.env = dict(os.environ, DISPLAY=":" + number, QT_QPA_PLATFORM="xcb")
        self.env.pop("WAYLAND_DISPLAY", None)

    def stop(self):
        if self.server and self.server.poll() is None:
            self.server.terminate()
            self.server.wait(timeout=10)

    def tool(self, *args, check=True):
        return run("xdotool", *args, env=self.env, check=check).stdout.split()

    def windows_named(self, title):
        return self.tool("search", "--onlyvisible", "--name", "^%s$" % re.escape(title),
                         check=False)

    def geometry(self, window):
        text = run("xdotool", "getwindowgeometry", "--shell", window, env=self.env).stdout
        values = dict(line.split("=", 1) for line in text.split())
        return tuple(int(values[key]) for key in ("X", "Y", "WIDTH", "HEIGHT"))

    def dump(self, *target):
        """The image of the screen or of one window; None when the window has gone."""
        result = subprocess.run(["xwd", "-silent", *target], capture_output=True, env=self.env)
        return xwd.Image.from_xwd(result.stdout) if result.returncode == 0 else None

    def screen(self):
        image = self.dump("-root")
        if image is None:
            raise Failure("xwd cannot read the screen")
        return image

    def screenshot(self, windows):
        """The screen with the given windows drawn over it, in order.

        Xvfb's dump of the root leaves dialogs and menus black, so each window is dumped on
        its own and laid over the screen where it stands.
        """
        image = self.screen()
        for window in windows:
            shown = self.dump("-id", window)
            if shown:
                left, top, _, _ = self.geometry(window)
                image.paste(shown, left, top)
        return image


class Vorn:
    """The running program, seen through its windows and its working directory."""

    def __init__(self, binary, display, tree, shots):
        self.binary = binary
        self.display = display
        self.tree = tree
        self.shots = shots
        self.process = None
        self.window = None
        self.origin = (0, 0)
        self.last_click = 0.0

    def start(self):
        env = dict(self.display.env, XDG_RUNTIME_DIR=self.tree.runtime)
        self.process = subprocess.Popen(
            [self.binary], cwd=self.tree.mount_point, env=env, preexec_fn=die_with_parent
        )
        self.window = poll("the main window", self.main_window, timeout=20)
        left, top, width, height = self.display.geometry(self.window)
        self.origin = (left, top)
        log("main window %s at %d,%d size %dx%d" % (self.window, left, top, width, height))

    def main_window(self):
        if self.process.poll() is not None:
            raise Failure("vorn ended early with status %d" % self.process.returncode)
        for window in self.display.windows_named("Vorn - Version 1.0"):
            if self.display.geometry(window)[2] > 100:
                return window
        return None

    def windows(self):
        """Its visible windows: the main window, dialogs and open menus."""
        return self.display.tool("search", "--onlyvisible", "--pid", str(self.process.pid),
                                 check=False)

    def stop(self):
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait()

    # What it shows.

    def cwd(self):
        return os.readlink("/proc/%d/cwd" % self.process.pid)

    def expect_cwd(self, *parts):
        wanted = os.path.join(self.tree.mount_point, *parts)
        try:
            poll("working directory %s" % wanted, lambda: self.cwd() == wanted)
        except Failure:
            raise Failure("working directory is %s, expected %s" % (self.cwd(), wanted))

    def pixel(self, image, x, y):
        return image.pixel(self.origin[0] + x, self.origin[1] + y)

    def tree_selection_y(self, image):
        """Centre of the tree's selection bar, or None when no row is selected."""
        bar = [y for y in range(TREE_TOP, TREE_BOTTOM)
               if is_selection(self.pixel(image, TREE_PROBE_X, y))]
        return (bar[0] + bar[-1] + 1) // 2 if bar else None

    def list_row_count(self, image):
        """Rows with an icon, counted down from the first; None when the count runs off the
        screen, as it does over a list that is not painted yet."""
        count = 0
        while True:
            y = LIST_FIRST_ROW_Y + count * ROW_PITCH
            if self.origin[1] + y >= image.height:
                return None
            if all(is_white(self.pixel(image, x, y)) for x in LIST_ICON_XS):
                return count
            count += 1

    def delete_button_enabled(self, image):
        x, y = DELETE_BUTTON
        return any(is_red(self.pixel(image, x + dx, y + dy))
                   for dx in range(-8, 8) for dy in range(-7, 8))

    def expect_screen(self, what, check, describe):
        """Waits until the screen passes check; on time-out the last screen is saved."""
        last = []

        def probe():
            last[:] = [self.display.screen()]
            return check(last[0])

        try:
            poll(what, probe, timeout=10, interval=0.1)
        except Failure:
            self.save("failure", last[0])
            raise Failure("expected %s, but the screen shows %s" % (what, describe(last[0])))

    def expect_view(self, tree_y, list_rows):
        """The tree's selection bar centred at tree_y and that many rows in the list."""
        def seen(image):
            return self.tree_selection_y(image), self.list_row_count(image)

        def describe(image):
            selection_y, rows = seen(image)
            return "the selection at y=%s and %s" % (
                selection_y, "no painted list" if rows is None else "%d list rows" % rows)

        self.expect_screen(
            "the tree's selection at y=%d and %d list rows" % (tree_y, list_rows),
            lambda image: seen(image) == (tree_y, list_rows),
            describe,
        )

    def save(self, name, image=None):
        if not self.shots:
            return
        if image is None:
            others = [window for window in self.windows() if window != self.window]
            image = self.display.screenshot([self.window] + others)
        path = os.path.join(self.shots, name + ".png")
        image.save_png(path)
        log("screenshot " + path)

    # What the user does.

    def click(self, x, y, *, double=False, modifier=None):
        # Two single clicks closer than the double-click interval would make a double-click.
        time.sleep(max(0.0, self.last_click + 0.5 - time.monotonic()))
        args = ["mousemove", str(self.origin[0] + x), str(self.origin[1] + y)]
        if modifier:
            args += ["keydown", modifier]
        args += ["click", "--repeat", "2", "--delay", "80", "1"] if double else ["click", "1"]
        if modifier:
            args += ["keyup", modifier]
        self.display.tool(*args)
        self.last_click = time.monotonic()

    def key(self, *keys):
        self.display.tool("key", "--delay", "50", *keys)

    def wait_for_dialog(self, title):
        return poll("the dialog %r" % title, lambda: self.display.windows_named(title))[0]

    def wait_dialog_closed(self, title):
        poll("the dialog %r to close" % title, lambda: not self.display.windows_named(title))


class Scenario:
    """The user's session, step by step; each step checks where vorn stands afterwards."""

    def __init__(self, vorn, tree):
        self.vorn = vorn
        self.tree = tree
        self.drive_y = None
        self.root_rows = len(ROOT_FOLDERS) + len(ROOT_FILES_BY_SIZE)

    def tree_row_y(self, index):
        """A row of the tree counted from the drive's row; the drive's folders follow it."""
        return self.drive_y + index * ROW_PITCH

    def run(self):
        self.start_up()
        self.click_folder_in_tree()
        self.click_folder_removed_outside()
        self.open_deep_folder_from_list()
        self.go_up_to_drive_root()
        self.delete_two_files()
        self.exit_from_menu()

    def start_up(self):
        vorn = self.vorn
        vorn.start()
        vorn.expect_cwd()
        vorn.expect_screen("a selected drive in the tree",
                           lambda image: vorn.tree_selection_y(image) is not None,
                           lambda image: "no selection")
        image = vorn.display.screen()
        self.drive_y = vorn.tree_selection_y(image)
        vorn.expect_view(self.drive_y, self.root_rows)
        if vorn.delete_button_enabled(image):
            raise Failure("the delete button is enabled while the tree is the active pane")
        vorn.save("1-startup")
        log("start-up: the drive selected, %d rows listed, in %s" % (self.root_rows, vorn.cwd()))

    def click_folder_in_tree(self):
        self.vorn.click(TREE_PROBE_X, self.tree_row_y(2))
        self.vorn.expect_cwd("beta")
        self.vorn.expect_view(self.tree_row_y(2), 1)
        log("tree click: beta entered")

    def click_folder_removed_outside(self):
        vorn = self.vorn
        shutil.rmtree(self.tree.at("gone"))
        vorn.click(TREE_PROBE_X, self.tree_row_y(3))
        notice = vorn.wait_for_dialog(NOTICE_TITLE)
        shown = vorn.display.dump("-id", notice)
        if not shown or not any(is_warning_yellow(shown.pixel(x, y))
                                for x in range(min(60, shown.width))
                                for y in range(min(50, shown.height))):
            raise Failure("the dialog %r shows no notice icon" % NOTICE_TITLE)
        vorn.save("3-notice-folder-not-found")
        vorn.key("Return")
        vorn.wait_dialog_closed(NOTICE_TITLE)
        # The parent, the drive, is selected instead, and the folder has left both panes.
        self.root_rows -= 1
        vorn.expect_cwd()
        vorn.expect_view(self.drive_y, self.root_rows)
        log("folder removed outside: notice shown, the drive's root selected again")

    def open_deep_folder_from_list(self):
        vorn = self.vorn
        vorn.click(TREE_PROBE_X, self.tree_row_y(1))
        vorn.expect_cwd("alpha")
        vorn.expect_view(self.tree_row_y(1), 3)
        for level in range(1, CHAIN_DEPTH + 1):
            # The chain's folder is the largest, so the list's first row; in the tree it
            # comes second, after its empty sibling "a<level>".
            vorn.click(LIST_CLICK_X, LIST_FIRST_ROW_Y, double=True)
            vorn.expect_cwd(*self.tree.chain[level])
            vorn.expect_view(self.tree_row_y(1 + 2 * level), 1 if level == CHAIN_DEPTH else 2)
        vorn.save("2-deep-folder")
        log("double-clicks: %s entered" % "/".join(self.tree.chain[CHAIN_DEPTH]))

    def go_up_to_drive_root(self):
        vorn = self.vorn
        for level in range(CHAIN_DEPTH - 1, -1, -1):
            vorn.click(*UP_BUTTON)
            vorn.expect_cwd(*self.tree.chain[level])
            vorn.expect_view(self.tree_row_y(1 + 2 * level), 2 if level else 3)
        vorn.click(*UP_BUTTON)
        vorn.expect_cwd()
        vorn.expect_view(self.drive_y, self.root_rows)
        # Up from the drive's root does nothing; it is given time to go wrong.
        vorn.click(*UP_BUTTON)
        time.sleep(0.7)
        vorn.expect_cwd()
        vorn.expect_view(self.drive_y, self.root_rows)
        log("up button: back through the chain to the drive's root, and no further")

    def delete_two_files(self):
        vorn, tree = self.vorn, self.tree
        before = tree.entries()
        first_file_row = self.root_rows - len(ROOT_FILES_BY_SIZE)
        rows_y = [LIST_FIRST_ROW_Y + (first_file_row + ROOT_FILES_BY_SIZE.index(entry)) * ROW_PITCH
                  for entry in DOOMED_FILES]
        vorn.click(LIST_CLICK_X, rows_y[0])
        vorn.expect_screen("the delete button enabled with the list active",
                           vorn.delete_button_enabled, lambda image: "it disabled")
        vorn.click(LIST_CLICK_X, rows_y[1], modifier="ctrl")

        vorn.click(*DELETE_BUTTON)
        vorn.wait_for_dialog(CONFIRM_TITLE)
        vorn.key("Escape")
        vorn.wait_dialog_closed(CONFIRM_TITLE)
        vorn.expect_view(self.drive_y, self.root_rows)
        if tree.entries() != before:
            raise Failure("answering the confirmation with Escape changed the tree")

        vorn.click(*DELETE_BUTTON)
        vorn.wait_for_dialog(CONFIRM_TITLE)
        vorn.save("4-confirm-delete")
        vorn.key("Return")
        vorn.wait_dialog_closed(CONFIRM_TITLE)
        doomed = {name for name, _ in DOOMED_FILES}
        poll("the chosen files to go", lambda: not doomed & set(tree.entries()))
        expected = {path: size for path, size in before.items() if path not in doomed}
        if tree.entries() != expected:
            raise Failure("after the deletion the tree holds %s, expected %s"
                          % (tree.entries(), expected))
        self.root_rows -= len(DOOMED_FILES)
        vorn.expect_cwd()
        vorn.expect_view(self.drive_y, self.root_rows)
        vorn.save("5-after-delete")
        log("Escape kept everything; Yes deleted exactly %s, the canary and all else remain"
            % sorted(doomed))

    def exit_from_menu(self):
        vorn = self.vorn
        vorn.display.tool("windowfocus", "--sync", vorn.window)
        shown = set(vorn.windows())
        vorn.key("alt+m")
        poll("the main menu to open", lambda: set(vorn.windows()) - shown)
        vorn.key("x")
        try:
            status = vorn.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            vorn.save("failure")
            raise Failure("vorn is still running after its exit command")
        if status != 0:
            raise Failure("vorn exited with status %d" % status)
        log("menu exit: vorn ended with status 0")


def missing_tools():
    needed = ("Xvfb", "xdotool", "xwd", "mount", "umount")
    return [tool for tool in needed if not shutil.which(tool)]


def run_in_private_mount_namespace():
    """Runs this script again where its mount is seen by nobody else, if the system allows.

    Other tests that list the system's drives then never meet the temporary drive, and the
    mount ends with the namespace even when the runner kills the test. None when the script
    has to run here instead.
    """
    if os.environ.get(NAMESPACE_MARK) or not shutil.which("unshare"):
        return None
    probe = ["unshare", "--mount", "--propagation", "private", "true"]
    if subprocess.run(probe, capture_output=True).returncode != 0:
        return None
    # Without a fork unshare becomes the script itself, so a stop is passed straight to it,
    # and it cleans up.
    command = ["unshare", "--mount", "--propagation", "private"]
    env = dict(os.environ, **{NAMESPACE_MARK: "1"})
    inner = subprocess.Popen(command + [sys.executable] + sys.argv, env=env)

    def stop_inner(_number, _frame):
        inner.terminate()

    signal.signal(signal.SIGTERM, stop_inner)
    signal.signal(signal.SIGINT, stop_inner)
    return inner.wait()


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("binary")
    parser.add_argument("--shots", help="folder for the screenshots")
    options = parser.parse_args()

    missing = missing_tools()
    if missing:
        log("SKIP: not installed: " + ", ".join(missing))
        return SKIP
    if os.geteuid() != 0:
        log("SKIP: mounting the test drive needs root")
        return SKIP
    status = run_in_private_mount_namespace()
    if status is not None:
        return status

    def stop_on_signal(number, _frame):
        raise SystemExit("stopped by signal %d" % number)

    signal.signal(signal.SIGTERM, stop_on_signal)
    signal.signal(signal.SIGINT, stop_on_signal)
    if options.shots:
        os.makedirs(options.shots, exist_ok=True)

    tree = Tree()
    display = Display()
    vorn = Vorn(os.path.abspath(options.binary), display, tree, options.shots)
    try:
        tree.build()
        tree.mount()
        display.start()
        Scenario(vorn, tree).run()
    except Skip as reason:
        log("SKIP: %s" % reason)
        return SKIP
    except Failure as failure:
        log("FAIL: %s" % failure)
        return 1
    finally:
        vorn.stop()
        display.stop()
        tree.remove()
    log("PASS")
    return 0


if __name__ == "__main__":
    sys.exit(main())
