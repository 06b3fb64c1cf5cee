#!/usr/bin/env python3
# Drives the real vorn binary in an X window with real input events:
#     vorn_e2e.py PATH/TO/vorn
# A temporary tree is bind-mounted on a fresh mount point, so that vorn sees it as a drive of
# its own, and vorn starts at a folder of it named in Japanese, given on the command line as a
# file manager's "Open with" gives it. The test clicks through the tree, meets the
# folder-not-found notice, opens a deep folder chain from the contents list, goes back up with
# the toolbar, deletes two files through the confirmation, and ends vorn from its menu. After
# every step the process's working directory must be the folder the tree selected, and the
# screen must show that selection and the expected number of list rows.
# It waits for what it looks for, never for a time: each wait has a failsafe, generous enough
# for a machine under any load, that only ends a session that has already gone wrong.
# CMake runs it as root in a private mount namespace, so that no other test meets its drive; it
# starts its own X server, on a display the server picks. Exit status: 0 passed, 1 failed.

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
# The caption of the notices and of the progress dialog; a notice shows a warning icon.
CAPTION = "Vorn\u3000Version 1.0"
FAILSAFE_SECONDS = 60

# A chain this deep beneath alpha; each level also holds a smaller, empty folder that sorts
# first by name, so the tree's order and the list's order differ at every level.
CHAIN_DEPTH = 6
# The root's files, largest first as the list shows them: the canary lies between the two
# doomed files, so a range selection instead of two single rows would take it too.
ROOT_FILES = [("keep.bin", 9000), ("doomed1.bin", 6000), ("canary.bin", 4000),
              ("doomed2.bin", 2000)]
DOOMED = {"doomed1.bin", "doomed2.bin"}
# In name order, as the tree shows them; also largest first, as the list shows them. Vorn
# starts at the last, in the tree the fourth row below the drive's.
START = "写真フォルダ"
ROOT_FOLDERS = [("alpha", None), ("beta", 20000), ("gone", 500), (START, 300)]
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


def poll(what, probe, timeout=FAILSAFE_SECONDS, interval=0.05):
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


class XServer:
    """A private X server on a display number it picks itself, so that no other server, one
    still going away included, is ever met; it is ready once it has written the number."""

    def __init__(self):
        ready, told = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(told), "-screen", "0", "1100x800x24", "-nolisten", "tcp"],
            pass_fds=(told,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            preexec_fn=die_with_parent)
        os.close(told)
        with os.fdopen(ready) as numbers:
            number = numbers.readline().strip()
        if not number:
            self.stop()
            raise Failure("the X server did not start")
        self.display = ":" + number

    def stop(self):
        self.process.terminate()
        self.process.wait()


def is_selection(rgb):
    return rgb[2] > 150 and rgb[2] - rgb[0] > 80


def shows_notice_icon(image):
    return any(rgb[0] > 200 and rgb[1] > 180 and rgb[2] < 80  # the warning's yellow
               for rgb in (image.pixel(x, y) for x in range(min(60, image.width))
                           for y in range(min(50, image.height))))


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
        """Every path below the tree."""
        return {os.path.relpath(os.path.join(folder, name), self.source)
                for folder, folders, files in os.walk(self.source) for name in folders + files}

    def remove(self):
        run("umount", "-l", self.mount_point, check=False)
        if not os.path.ismount(self.mount_point):
            shutil.rmtree(self.base, ignore_errors=True)


class Vorn:
    """The program on a private X server, seen through its windows and working directory."""

    def __init__(self, binary, tree, display):
        self.tree = tree
        self.env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb",
                        XDG_RUNTIME_DIR=tree.runtime)
        self.process = subprocess.Popen([binary, os.path.join(tree.mount_point, START)],
                                        cwd=tree.mount_point, env=self.env,
                                        preexec_fn=die_with_parent)
        self.last_click = 0.0
        self.window, self.origin = None, (0, 0)

    def show(self):
        self.window = poll("the main window", self.main_window)
        self.origin = self.geometry(self.window)[:2]

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()

    def tool(self, *args):
        return run("xdotool", *args, env=self.env).stdout.split()

    def search(self, *criteria):
        """The visible windows that match."""
        # xdotool fails when a window goes while it walks them (a progress dialog, say).
        def attempt():
            found = run("xdotool", "search", "--onlyvisible", *criteria, env=self.env, check=False)
            return not found.stderr and [found.stdout.split()]

        return poll("xdotool to search the windows", attempt)[0]

    def windows_named(self, title):
        return self.search("--name", "^%s$" % re.escape(title))

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
        """The picture of the screen or of a window, or None where xwd fails."""
        # As xdotool does, xwd fails when a window goes while it walks them.
        result = subprocess.run(["xwd", "-silent", *target], capture_output=True, env=self.env)
        return xwd.Image(result.stdout) if result.returncode == 0 else None

    def screen(self):
        return poll("a picture of the screen", lambda: self.dump("-root"))

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

    def expect_screen(self, what, seen, wanted=True):
        """Waits until seen(screen) gives wanted, or fails with what it gave last."""
        last = [None]

        def probe():
            last[:] = [seen(self.screen())]
            return last[0] == wanted

        try:
            poll(what, probe, interval=0.1)
        except Failure:
            raise Failure("expected %s, but the screen shows %s" % (what, last[0]))

    def expect_view(self, tree_y, list_rows):
        """The tree's selection bar centred at tree_y, that many rows in the list, vorn idle."""
        # The window repaints while it works and drops input meanwhile: only a view seen before
        # the progress dialog has gone is the one the operation ended with.
        self.expect_screen("(tree selection y, list rows, idle) = (%d, %d, True)"
                           % (tree_y, list_rows),
                           lambda image: (self.tree_selection_y(image), self.list_row_count(image),
                                          not self.windows_named(CAPTION)),
                           (tree_y, list_rows, True))

    # What the user does.

    def click(self, x, y, *, double=False, modifier=None):
        # Not a wait for vorn: a user's separate clicks at one place are further apart than
        # the double-click interval. xdotool returns once the X server has taken its events,
        # so the gap holds in the server's time, which Qt reads, however busy the machine. The
        # two clicks of a double-click go at once.
        time.sleep(max(0.0, self.last_click + 0.5 - time.monotonic()))
        args = ["mousemove", str(self.origin[0] + x), str(self.origin[1] + y)]
        args += ["keydown", modifier] if modifier else []
        args += ["click", "--repeat", "2", "--delay", "1", "1"] if double else ["click", "1"]
        args += ["keyup", modifier] if modifier else []
        self.tool(*args)
        self.last_click = time.monotonic()

    def key(self, *keys):
        self.tool("key", "--delay", "50", *keys)

    def answer_dialog(self, title, key, shows=lambda image: True):
        """Answers the dialog with a key once it has the keyboard and `shows` its face."""
        # Sent before, the key would go to the main window, which drops it.
        def focused():
            window = self.tool("getwindowfocus", "-f")[0]
            face = window in self.windows_named(title) and self.dump("-id", window)
            return face and shows(face) and window

        window = poll("the dialog %r with the keyboard and its face painted" % title, focused)
        self.key(key)
        poll("the dialog %r to close" % title, lambda: window not in self.windows_named(title))


def session(vorn, tree):
    """The user's session, step by step; each step checks where vorn stands afterwards."""
    vorn.show()
    vorn.expect_cwd(START)
    start_y = poll("a selected folder in the tree",
                   lambda: vorn.tree_selection_y(vorn.screen()))
    vorn.expect_view(start_y, 1)
    # The clicks below, counted from the drive's row, show that this is the row it was taken for.
    drive_y = start_y - len(ROOT_FOLDERS) * ROW_PITCH
    root_rows = len(ROOT_FOLDERS) + len(ROOT_FILES)
    log("start-up: %s selected and listed" % START)

    def tree_row_y(index):
        # Counted from the drive's row; the drive's folders follow it.
        return drive_y + index * ROW_PITCH

    vorn.click(TREE_PROBE_X, tree_row_y(2))
    vorn.expect_cwd("beta")
    vorn.expect_view(tree_row_y(2), 1)
    log("tree click: beta entered")

    shutil.rmtree(tree.at("gone"))
    vorn.click(TREE_PROBE_X, tree_row_y(3))
    vorn.answer_dialog(CAPTION, "Return", shows_notice_icon)
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
    vorn.click(*UP_BUTTON)
    vorn.expect_cwd()
    vorn.expect_view(drive_y, root_rows)
    # Up from the drive's root does nothing. Input is handled in order, so once the click on a
    # row that follows it shows its selection, the Up has had every chance to go wrong.
    first_file_row = root_rows - len(ROOT_FILES)
    doomed_ys = [LIST_FIRST_ROW_Y + (first_file_row + row) * ROW_PITCH
                 for row, (name, _) in enumerate(ROOT_FILES) if name in DOOMED]
    vorn.click(*UP_BUTTON)
    vorn.click(LIST_CLICK_X, doomed_ys[0])
    vorn.expect_screen("the first doomed row selected",
                       lambda image: is_selection(vorn.pixel(image, LIST_CLICK_X, doomed_ys[0])))
    vorn.expect_cwd()
    vorn.expect_view(drive_y, root_rows)
    log("up button: back through the chain to the drive's root, and no further")

    before = tree.entries()
    vorn.click(LIST_CLICK_X, doomed_ys[1], modifier="ctrl")
    vorn.click(*DELETE_BUTTON)
    vorn.answer_dialog(CONFIRM_TITLE, "Return")
    poll("the chosen files to go", lambda: not DOOMED & tree.entries())
    if tree.entries() != before - DOOMED:
        raise Failure("after the deletion the tree holds %s, expected %s"
                      % (sorted(tree.entries()), sorted(before - DOOMED)))
    root_rows -= len(DOOMED)
    vorn.expect_cwd()
    vorn.expect_view(drive_y, root_rows)
    log("the confirmation answered: exactly %s deleted" % sorted(DOOMED))

    vorn.tool("windowfocus", "--sync", vorn.window)
    windows = lambda: set(vorn.search("--pid", str(vorn.process.pid)))  # noqa: E731
    shown = windows()
    vorn.key("alt+m")
    poll("the main menu to open", lambda: windows() - shown)
    vorn.key("x")
    try:
        status = vorn.process.wait(timeout=FAILSAFE_SECONDS)
    except subprocess.TimeoutExpired:
        raise Failure("vorn is still running after its exit command")
    if status != 0:
        raise Failure("vorn exited with status %d" % status)
    log("menu exit: vorn ended with status 0")


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: vorn_e2e.py PATH/TO/vorn")
    tree = Tree()
    server = vorn = None
    try:
        tree.build()
        server = XServer()
        vorn = Vorn(os.path.abspath(sys.argv[1]), tree, server.display)
        session(vorn, tree)
    except Failure as failure:
        log("FAIL: %s" % failure)
        return 1
    finally:
        if vorn:
            vorn.stop()
        if server:
            server.stop()
        tree.remove()
    log("PASS")
    return 0


if __name__ == "__main__":
    sys.exit(main())
