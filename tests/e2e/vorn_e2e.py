#!/usr/bin/env python3
# Drives the real vorn binary in an X window with real input events:
#     vorn_e2e.py PATH/TO/vorn
# A temporary tree is bind-mounted on a fresh mount point, so that vorn sees it as a drive of
# its own, and vorn starts inside it. The test clicks through the tree, meets the
# folder-not-found notice, opens a deep folder chain from the contents list, goes back up with
# the toolbar, deletes two files through the confirmation, and ends vorn from its menu. After
# every step the process's working directory must be the folder the tree selected, and the
# screen must show that selection and the expected number of list rows.
# CMake runs it as root on a private X server (xvfb-run) in a private mount namespace, so that
# no other test meets its drive. Exit status: 0 passed, 1 failed.

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
# The root's files, largest first as the list shows them: the canary lies between the two
# doomed files, so a range selection instead of two single rows would take it too.
ROOT_FILES = [("keep.bin", 9000), ("doomed1.bin", 6000), ("canary.bin", 4000),
              ("doomed2.bin", 2000)]
DOOMED = {"doomed1.bin", "doomed2.bin"}
# In name order, as the tree shows them; also largest first, as the list shows them.
ROOT_FOLDERS = [("alpha", None), ("beta", 20000), ("gone", 500)]
STARTED = time.monotonic()


class Failure(Exception):
    pass


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
    while not (value := probe()):
        if time.monotonic() > deadline:
            raise Failure("timed out waiting for %s" % what)
        time.sleep(interval)
    return value


def die_with_parent():
    # Vorn must not outlive a driver that the test runner kills.
    pr_set_pdeathsig = 1
    ctypes.CDLL(None, use_errno=True).prctl(pr_set_pdeathsig, signal.SIGKILL)


def is_selection(rgb):
    return rgb[2] > 150 and rgb[2] - rgb[0] > 80


def is_red(rgb):
    return rgb[0] > 180 and rgb[1] < 80 and rgb[2] < 80


def is_warning_yellow(rgb):
    return rgb[0] > 200 and rgb[1] > 180 and rgb[2] < 80


class Tree:
    """The temporary tree vorn browses and the mount point where vorn sees it as a drive."""

    def __init__(self):
        self.base = tempfile.mkdtemp(prefix="vorn-e2e.")
        self.source = os.path.join(self.base, "tree")
        self.mount_point = os.path.join(self.base, "drive")
        self.runtime = os.path.join(self.base, "runtime")
        for folder in (self.source, self.mount_point, self.runtime):
            os.mkdir(folder, 0o700)
        # chain[level]: the parts of the chain's folder at that depth below the root.
        self.chain = [["alpha"]]

    def build(self):
        self.file("alpha/alpha.bin", 1000)
        for level in range(1, CHAIN_DEPTH + 1):
            os.makedirs(self.at(*self.chain[-1], "a%d" % level))
            self.chain.append(self.chain[-1] + ["z%d" % level])
        self.file(os.path.join(*self.chain[-1], "bottom.bin"), 50000)
        for name, size in ROOT_FOLDERS[1:]:
            self.file(os.path.join(name, name + ".bin"), size)
        for name, size in ROOT_FILES:
            self.file(name, size)
        run("mount", "--bind", self.source, self.mount_point)

    def at(self, *parts):
        return os.path.join(self.source, *parts)

    def file(self, relative, size):
        os.makedirs(os.path.dirname(self.at(relative)), exist_ok=True)
        with open(self.at(relative), "wb") as out:
            out.write(b"v" * size)

    def entries(self):
        """Every path below the tree, with each file's size."""
        found = {}
        for folder, folders, files in os.walk(self.source):
            for name in folders + files:
                path = os.path.join(folder, name)
                found[os.path.relpath(path, self.source)] = (
                    None if name in folders else os.path.getsize(path))
        return found

    def remove(self):
        run("umount", "-l", self.mount_point, check=False)
        if not os.path.ismount(self.mount_point):
            shutil.rmtree(self.base, ignore_errors=True)


class Vorn:
    """The program on a private X server, seen through its windows and working directory."""

    def __init__(self, binary, tree):
        self.tree = tree
        self.env = dict(os.environ, QT_QPA_PLATFORM="xcb", XDG_RUNTIME_DIR=tree.runtime)
        self.process = subprocess.Popen([binary], cwd=tree.mount_point, env=self.env,
                                        preexec_fn=die_with_parent)
        self.last_click = 0.0
        self.window, self.origin = None, (0, 0)

    def show(self):
        self.window = poll("the main window", self.main_window, timeout=20)
        self.origin = self.geometry(self.window)[:2]

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()

    def tool(self, *args, check=True):
        return run("xdotool", *args, env=self.env, check=check).stdout.split()

    def windows_named(self, title):
        return self.tool("search", "--onlyvisible", "--name", "^%s$" % re.escape(title),
                         check=False)

    def geometry(self, window):
        text = run("xdotool", "getwindowgeometry", "--shell", window, env=self.env).stdout
        values = dict(line.split("=", 1) for line in text.split())
        return tuple(int(values[key]) for key in ("X", "Y", "WIDTH", "HEIGHT"))

    def main_window(self):
        if self.process.poll() is not None:
            raise Failure("vorn ended early with status %d" % self.process.returncode)
        return next((window for window in self.windows_named("Vorn - Version 1.0")
                     if self.geometry(window)[2] > 100), None)

    def dump(self, *target):
        result = subprocess.run(["xwd", "-silent", *target], capture_output=True, env=self.env)
        if result.returncode != 0:
            raise Failure("xwd cannot read %s" % " ".join(target))
        return xwd.Image(result.stdout)

    # What it shows.

    def expect_cwd(self, *parts):
        wanted = os.path.join(self.tree.mount_point, *parts)
        poll("working directory %s" % wanted,
             lambda: os.readlink("/proc/%d/cwd" % self.process.pid) == wanted)

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
        while self.origin[1] + LIST_FIRST_ROW_Y + count * ROW_PITCH < image.height:
            y = LIST_FIRST_ROW_Y + count * ROW_PITCH
            if all(min(self.pixel(image, x, y)) >= 250 for x in LIST_ICON_XS):
                return count
            count += 1
        return None

    def delete_button_enabled(self, image):
        x, y = DELETE_BUTTON
        return any(is_red(self.pixel(image, x + dx, y + dy))
                   for dx in range(-8, 8) for dy in range(-7, 8))

    def expect_screen(self, what, seen, wanted=True):
        """Waits until seen(screen) gives wanted, or fails with what it gave last."""
        last = []

        def probe():
            last[:] = [seen(self.dump("-root"))]
            return last[0] == wanted

        try:
            poll(what, probe, interval=0.1)
        except Failure:
            raise Failure("expected %s, but the screen shows %s" % (what, last[0]))
        return last[0]

    def expect_view(self, tree_y, list_rows):
        """The tree's selection bar centred at tree_y and that many rows in the list."""
        self.expect_screen("(tree selection y, list rows) = (%d, %d)" % (tree_y, list_rows),
                           lambda image: (self.tree_selection_y(image), self.list_row_count(image)),
                           (tree_y, list_rows))

    # What the user does.

    def click(self, x, y, *, double=False, modifier=None):
        # Two single clicks closer than the double-click interval would make a double-click.
        time.sleep(max(0.0, self.last_click + 0.5 - time.monotonic()))
        args = ["mousemove", str(self.origin[0] + x), str(self.origin[1] + y)]
        args += ["keydown", modifier] if modifier else []
        args += ["click", "--repeat", "2", "--delay", "80", "1"] if double else ["click", "1"]
        args += ["keyup", modifier] if modifier else []
        self.tool(*args)
        self.last_click = time.monotonic()

    def key(self, *keys):
        self.tool("key", "--delay", "50", *keys)

    def answer_dialog(self, title, key):
        window = poll("the dialog %r" % title, lambda: self.windows_named(title))[0]
        shown = self.dump("-id", window)
        self.key(key)
        poll("the dialog %r to close" % title, lambda: not self.windows_named(title))
        return shown


def session(vorn, tree):
    """The user's session, step by step; each step checks where vorn stands afterwards."""
    vorn.show()
    vorn.expect_cwd()
    drive_y = poll("a selected drive in the tree",
                   lambda: vorn.tree_selection_y(vorn.dump("-root")))
    root_rows = len(ROOT_FOLDERS) + len(ROOT_FILES)
    vorn.expect_view(drive_y, root_rows)
    if vorn.delete_button_enabled(vorn.dump("-root")):
        raise Failure("the delete button is enabled while the tree is the active pane")
    log("start-up: the drive selected, %d rows listed" % root_rows)

    def tree_row_y(index):
        # Counted from the drive's row; the drive's folders follow it.
        return drive_y + index * ROW_PITCH

    vorn.click(TREE_PROBE_X, tree_row_y(2))
    vorn.expect_cwd("beta")
    vorn.expect_view(tree_row_y(2), 1)
    log("tree click: beta entered")

    shutil.rmtree(tree.at("gone"))
    vorn.click(TREE_PROBE_X, tree_row_y(3))
    shown = vorn.answer_dialog(NOTICE_TITLE, "Return")
    if not any(is_warning_yellow(shown.pixel(x, y))
               for x in range(min(60, shown.width)) for y in range(min(50, shown.height))):
        raise Failure("the dialog %r shows no notice icon" % NOTICE_TITLE)
    # The parent, the drive, is selected instead, and the folder has left both panes.
    root_rows -= 1
    vorn.expect_cwd()
    vorn.expect_view(drive_y, root_rows)
    log("folder removed outside: notice shown, the drive's root selected again")

    vorn.click(TREE_PROBE_X, tree_row_y(1))
    vorn.expect_cwd("alpha")
    vorn.expect_view(tree_row_y(1), 3)
    for level in range(1, CHAIN_DEPTH + 1):
        # The chain's folder is the largest, so the list's first row; in the tree it comes
        # second, after its empty sibling "a<level>".
        vorn.click(LIST_CLICK_X, LIST_FIRST_ROW_Y, double=True)
        vorn.expect_cwd(*tree.chain[level])
        vorn.expect_view(tree_row_y(1 + 2 * level), 1 if level == CHAIN_DEPTH else 2)
    log("double-clicks: %s entered" % "/".join(tree.chain[CHAIN_DEPTH]))

    for level in range(CHAIN_DEPTH - 1, -1, -1):
        vorn.click(*UP_BUTTON)
        vorn.expect_cwd(*tree.chain[level])
        vorn.expect_view(tree_row_y(1 + 2 * level), 2 if level else 3)
    # Up from the drive's root does nothing; it is given time to go wrong.
    for pause in (0, 0.7):
        vorn.click(*UP_BUTTON)
        time.sleep(pause)
        vorn.expect_cwd()
        vorn.expect_view(drive_y, root_rows)
    log("up button: back through the chain to the drive's root, and no further")

    before = tree.entries()
    first_file_row = root_rows - len(ROOT_FILES)
    doomed_ys = [LIST_FIRST_ROW_Y + (first_file_row + row) * ROW_PITCH
                 for row, (name, _) in enumerate(ROOT_FILES) if name in DOOMED]
    vorn.click(LIST_CLICK_X, doomed_ys[0])
    vorn.expect_screen("the delete button enabled with the list active",
                       vorn.delete_button_enabled)
    vorn.click(LIST_CLICK_X, doomed_ys[1], modifier="ctrl")
    vorn.click(*DELETE_BUTTON)
    vorn.answer_dialog(CONFIRM_TITLE, "Escape")
    vorn.expect_view(drive_y, root_rows)
    if tree.entries() != before:
        raise Failure("answering the confirmation with Escape changed the tree")
    vorn.click(*DELETE_BUTTON)
    vorn.answer_dialog(CONFIRM_TITLE, "Return")
    poll("the chosen files to go", lambda: not DOOMED & set(tree.entries()))
    expected = {path: size for path, size in before.items() if path not in DOOMED}
    if tree.entries() != expected:
        raise Failure("after the deletion the tree holds %s, expected %s"
                      % (tree.entries(), expected))
    root_rows -= len(DOOMED)
    vorn.expect_cwd()
    vorn.expect_view(drive_y, root_rows)
    log("Escape kept everything; Yes deleted exactly %s" % sorted(DOOMED))

    vorn.tool("windowfocus", "--sync", vorn.window)
    windows = lambda: set(vorn.tool("search", "--onlyvisible", "--pid",  # noqa: E731
                                    str(vorn.process.pid), check=False))
    shown = windows()
    vorn.key("alt+m")
    poll("the main menu to open", lambda: windows() - shown)
    vorn.key("x")
    try:
        status = vorn.process.wait(timeout=10)
    except subprocess.TimeoutExpired:
        raise Failure("vorn is still running after its exit command")
    if status != 0:
        raise Failure("vorn exited with status %d" % status)
    log("menu exit: vorn ended with status 0")


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: vorn_e2e.py PATH/TO/vorn")
    tree = Tree()
    vorn = None
    try:
        tree.build()
        vorn = Vorn(os.path.abspath(sys.argv[1]), tree)
        session(vorn, tree)
    except Failure as failure:
        log("FAIL: %s" % failure)
        return 1
    finally:
        if vorn:
            vorn.stop()
        tree.remove()
    log("PASS")
    return 0


if __name__ == "__main__":
    sys.exit(main())
