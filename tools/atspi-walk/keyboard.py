#!/usr/bin/env python3
"""A whole model entered with the keyboard alone, while Orca listens.

The program itself (build/bin/zelmor, in a home of its own) is driven with xdotool key presses
only, never the pointer: the opening screen, the data entry of a model of three subsystems, the
drawing, the title page, a save through the file dialog and the full report. Each key, the hint
it left, the object that has the keyboard and what Orca said after it are logged, and each
step says whether it got where it meant to.

Meant to be started by `./run --keyboard`, which provides the X server, the session bus, the
accessibility bus, its registry and a window manager (and with --orca, Orca's speech setup).
"""

import argparse
import glob
import os
import re
import signal
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import walk  # noqa: E402  (the bus, the program and Orca, as the walk runs them)
from walk import ACC, PROPS, ok, pump, role_name, state_names  # noqa: E402

import pyatspi  # noqa: E402
from gi.repository import GLib  # noqa: E402

KINDS = ["superficiale", "lineare", "puntuale"]
AREA = ["totale", "lato nord", "lato sud", "lato est", "lato ovest", "angolo nord-ovest",
        "angolo nord-est", "angolo sud-est", "angolo sud-ovest"]
PARTICULAR = ["centrale"] + AREA[1:]
VALUES = ["debole", "medio", "forte"]

# The model entered: endemic kind, typology and value; then each subsystem's typology, value,
# the way its value is chosen, and its links.
MODEL = dict(
    kind="superficiale", typology="lato nord", value="forte", value_by="type",
    rows=[dict(typology="centrale", value="forte", by="list", links=[2, 3]),
          dict(typology="lato est", value="debole", by="type", links=[1]),
          dict(typology="angolo sud-ovest", value="medio", by="arrows", links=[])],
)

FINAL_HINT = "correggere, archiviare i dati o disegnare il modello"
MENU_TITLE = "Zelmor: menu - immissione dati"
DRAWING_TITLE = re.compile(r"^Zelmor: disegno del modello")
TITLE_PAGE = re.compile(r"^Zelmor: frontespizio")
DIALOG_ROLES = {"dialog", "alert", "file chooser"}


def norm(s):
    return " ".join((s or "").replace("&", "").split()).casefold()


class Focused:
    """The object that has the keyboard, as last read."""

    def __init__(self, path, role, name, description, states, value=None, text=None):
        self.path, self.role, self.name, self.description = path, role, name, description
        self.states, self.value, self.text = states, value, text

    def said(self):
        out = f'{self.role} "{self.name}"'
        if self.value is not None:
            out += f" value={self.value:g}"
        if self.text not in (None, "", self.name):
            out += f" text={self.text!r}"
        if "checked" in self.states:
            out += " [checked]"
        if "enabled" not in self.states:
            out += " [disabled]"
        return out


class Run:
    def __init__(self, args, bus, program, app, orca, t0):
        self.args, self.bus, self.program, self.app, self.orca = args, bus, program, app, orca
        self.t0 = t0
        self.deadline = t0 + args.limit
        self.step = "-"
        self.presses = {}
        self.typed = {}  # of the presses, the characters typed
        self.results = {}
        self.findings = []     # what the keyboard could not do
        self.speech_notes = []  # what Orca said that was wrong or confusing
        self.lines = []        # the log, key by key
        self.focus_events = []
        self.window_events = []
        self.hint_paths = {}   # window path -> hint label path
        self.known_windows = {}
        self.dialogs_seen = []
        self.last_focus = None
        self.expected_dialog = None  # a dialog the step opens on purpose (the file dialog)
        self.hint_window = None      # the work window whose hint was read last
        pyatspi.Registry.registerEventListener(self.on_focus, "object:state-changed:focused")
        pyatspi.Registry.registerEventListener(self.on_window, "window:activate")

    # ---- listeners (only where the event came from: what it is, is read afterwards)

    def on_focus(self, e):
        if not e.detail1:
            return
        try:
            bus = e.source.app.bus_name if e.source.app is not None else ""
            self.focus_events.append((time.time(), bus, e.source.path))
        except Exception:
            pass

    def on_window(self, e):
        try:
            bus = e.source.app.bus_name if e.source.app is not None else ""
            self.window_events.append((time.time(), bus, e.source.path))
        except Exception:
            pass

    # ---- reading the program

    def t(self):
        return time.time() - self.t0

    def out_of_time(self):
        return time.time() > self.deadline

    def read_object(self, path):
        b = self.app["bus"]
        r = self.bus.batch([(b, path, ACC, "GetRole", None), self.bus.prop(b, path, ACC, "Name"),
                            self.bus.prop(b, path, ACC, "Description"),
                            (b, path, ACC, "GetState", None),
                            (b, path, ACC, "GetInterfaces", None)], 3000)
        role, name, desc, st, ifs = r
        if isinstance(role, Exception):
            return None
        ifs = ok(ifs, ([],))[0]
        value = text = None
        extra = []
        if "org.a11y.atspi.Value" in ifs:
            extra.append(self.bus.prop(b, path, "org.a11y.atspi.Value", "CurrentValue"))
        if "org.a11y.atspi.Text" in ifs:
            extra.append((b, path, "org.a11y.atspi.Text", "GetText", GLib.Variant("(ii)", (0, -1))))
        r2 = self.bus.batch(extra, 3000) if extra else []
        k = 0
        if "org.a11y.atspi.Value" in ifs:
            value = ok(r2[k], (None,))[0]
            k += 1
        if "org.a11y.atspi.Text" in ifs:
            text = ok(r2[k], (None,))[0]
        return Focused(path, role_name(role[0]), ok(name, ("",))[0] or "",
                       ok(desc, ("",))[0] or "", state_names(ok(st, ([0, 0],))[0]), value, text)

    def focus(self):
        mine = [p for _, b, p in self.focus_events if b == self.app["bus"]]
        if mine:
            self.last_focus = mine[-1]
        if self.last_focus is None:
            return None
        return self.read_object(self.last_focus)

    def windows(self):
        """The program's top-level windows: (path, role, name, showing, active)."""
        b = self.app["bus"]
        r = self.bus.call(b, self.app["path"], ACC, "GetChildren", timeout_ms=3000)
        refs = list(ok(r, ([],))[0])
        calls = []
        for bn, p in refs:
            calls += [(bn, p, ACC, "GetRole", None), self.bus.prop(bn, p, ACC, "Name"),
                      (bn, p, ACC, "GetState", None)]
        res = self.bus.batch(calls, 3000)
        out = []
        for k, (bn, p) in enumerate(refs):
            role, name, st = res[3 * k:3 * k + 3]
            states = state_names(ok(st, ([0, 0],))[0])
            out.append((p, role_name(ok(role, (0,))[0]), ok(name, ("",))[0] or "",
                        "showing" in states, "active" in states))
        return out

    def window(self, rx):
        for p, role, name, showing, active in self.windows():
            if showing and re.search(rx, name):
                return p
        return None

    def active_window(self):
        for w in self.windows():
            if w[3] and w[4]:
                return w
        return None

    def tree(self, path):
        app = dict(bus=self.app["bus"], path=path, name="")
        return walk.snapshot(self.bus, app)

    def hint(self):
        """The hint line of the data-entry window or of the title page, whichever is active
        (else the data-entry window's)."""
        ws = [w for w in self.windows() if w[3]]
        pick = [w for w in ws if w[4] and (w[2] == MENU_TITLE or TITLE_PAGE.search(w[2]))] or \
               [w for w in ws if w[0] == self.hint_window] or \
               [w for w in ws if w[2] == MENU_TITLE]
        if not pick:
            return None
        wpath = self.hint_window = pick[0][0]
        if wpath not in self.hint_paths:
            root = self.tree(wpath)
            node = next((n for n in root.iter() if n.role_name not in walk.ACTIONABLE
                         and walk.HINT_DESCRIPTION.search(n.description)), None)
            if node is None:
                return None
            self.hint_paths[wpath] = node.path
        r = self.bus.call(self.app["bus"], self.hint_paths[wpath], PROPS, "Get",
                          GLib.Variant("(ss)", (ACC, "Name")), 3000)
        return ok(r, (None,))[0]

    def speech(self):
        """Everything Orca said: (epoch seconds, text)."""
        if self.orca is None:
            return []
        day = time.localtime(self.t0)
        midnight = time.mktime(day[:3] + (0, 0, 0) + day[6:])
        out = []
        for stamp, text in self.orca.speech():
            h, m, sec = stamp.split(":")
            # The text, without the voice settings Orca logs after it.
            said = re.sub(r"\s*\[?\{.*$", "", text).strip()
            out.append((midnight + int(h) * 3600 + int(m) * 60 + float(sec), said))
        return out

    def attribute_speech(self):
        """Each line of speech goes to the last key (or event) before it."""
        lines = sorted(self.lines, key=lambda ln: ln["sent"])
        for ln in lines:
            ln["speech"] = []
        before = []
        for when, text in self.speech():
            owner = None
            for ln in lines:
                if ln["sent"] <= when:
                    owner = ln
                else:
                    break
            if owner is None:
                before.append(text)
            else:
                owner["speech"].append(text)
        return before

    # ---- keys

    def settle(self, quiet=None, cap=None):
        # Orca speaks within a tenth of a second of a key; its log is written in blocks, so
        # its growth says only roughly when it is done.
        pump(self.args.wait)
        if self.orca is not None:
            self.orca.wait_idle(quiet or self.args.quiet, cap or self.args.orca_cap)

    def record(self, what, before_hint, sent=None):
        """Logs a key (sent at `sent`, epoch seconds) or an event of the run: the object that
        then has the keyboard and the hint. What Orca said is matched to it afterwards, by the
        times in Orca's log."""
        f = self.focus()
        h = self.hint()
        if before_hint is None and self.lines:
            before_hint = self.lines[-1]["hint"]
        if before_hint is None:
            before_hint = h  # a window's first hint is no change
        line = dict(t=(sent or time.time()) - self.t0, sent=sent or time.time(), step=self.step,
                    key=what, is_key=sent is not None, focus=f.said() if f else None,
                    hint=h, hint_changed=h != before_hint, speech=[])
        self.lines.append(line)
        print(f"{line['t']:6.1f} [{self.step}] {what:<14} focus: {line['focus']}", flush=True)
        if line["hint_changed"]:
            print(f"{'':7} hint -> {h!r}", flush=True)
        self.check_dialogs()
        return f

    def press(self, key, note=""):
        """One key or chord (counted as one press)."""
        before = self.hint()
        self.presses[self.step] = self.presses.get(self.step, 0) + 1
        sent = time.time()
        walk.xdotool("key", "--clearmodifiers", key)
        self.settle()
        return self.record(key + (f" ({note})" if note else ""), before, sent)

    def type(self, text):
        """Typed one character at a time: each counts as a press."""
        before = self.hint()
        self.presses[self.step] = self.presses.get(self.step, 0) + len(text)
        self.typed[self.step] = self.typed.get(self.step, 0) + len(text)
        sent = time.time()
        walk.xdotool("type", "--clearmodifiers", "--delay", "60", text)
        self.settle()
        return self.record(f"type {text!r}", before, sent)

    def find(self, what):
        self.findings.append(f"[{self.step}] {what}")
        print(f"{'':7} !! {what}", flush=True)

    # ---- dialogs: read, logged, closed

    def check_dialogs(self):
        for p, role, name, showing, active in self.windows():
            if not showing or role not in DIALOG_ROLES:
                continue
            if name == "" and role == "dialog" and p in self.known_windows:
                continue
            if self.expected_dialog is not None and re.search(self.expected_dialog, name):
                continue
            root = self.tree(p)
            texts = [n.name or n.text for n in root.iter()
                     if n.role_name in ("label", "static", "text", "paragraph")
                     and (n.name or n.text)]
            self.dialogs_seen.append((self.step, name, texts))
            print(f"{'':7} !! message box {name!r} ({role}): {' | '.join(texts)}", flush=True)
            self.known_windows[p] = "closed"
            self.presses[self.step] = self.presses.get(self.step, 0) + 1
            sent = time.time()
            walk.xdotool("key", "--clearmodifiers", "Return")
            self.settle()
            self.lines.append(dict(t=sent - self.t0, sent=sent, step=self.step, is_key=True,
                                   key="Return (message box)", focus=None, hint=self.hint(),
                                   hint_changed=False, speech=[]))
            if self.window_showing(p):
                self.presses[self.step] += 1
                sent = time.time()
                walk.xdotool("key", "--clearmodifiers", "Escape")
                self.settle()
                self.lines.append(dict(t=sent - self.t0, sent=sent, step=self.step, is_key=True,
                                       key="Escape (message box)", focus=None, hint=self.hint(),
                                       hint_changed=False, speech=[]))

    def window_showing(self, path):
        return any(w[0] == path and w[3] for w in self.windows())

    # ---- moving the keyboard

    def seek(self, pred, what, key="Tab", limit=None):
        """Presses Tab (or `key`) until the object that has the keyboard is what `pred` wants."""
        limit = limit or self.args.tab_limit
        f = self.focus()
        n = 0
        while not (f is not None and pred(f)):
            if n >= limit or self.out_of_time():
                self.find(f"{what}: not reached with {n} presses of {key} "
                          f"(the keyboard was on {f.said() if f else 'nothing'})")
                return None
            f = self.press(key, f"to {what}")
            n += 1
        return f

    def choose_option(self, names, target, what):
        """In a group of options that has the keyboard, the arrows to `target`, then Space."""
        f = self.focus()
        if f is None or norm(f.name) not in names:
            self.find(f"{what}: the keyboard is not in the group")
            return False
        for _ in range(len(names) + 1):
            here = names.index(norm(f.name))
            want = names.index(target)
            if here == want:
                break
            f = self.press("Down" if want > here else "Up", f"to {target!r}")
            if f is None or norm(f.name) not in names:
                self.find(f"{what}: an arrow took the keyboard out of the group "
                          f"(to {f.said() if f else 'nothing'})")
                return False
        if norm(f.name) != target:
            self.find(f"{what}: the arrows did not reach {target!r}")
            return False
        if "checked" in f.states:
            # Reached and checked by the arrows alone; Space is pressed anyway, as a user
            # who was told to press it would.
            pass
        f = self.press("space", f"choose {target!r}")
        if f is None or "checked" not in f.states:
            self.find(f"{what}: {target!r} not checked after Space")
            return False
        return True

    def set_combo(self, pred, what, value, by, key="Tab"):
        f = self.seek(pred, what, key)
        if f is None:
            return False
        if by == "type":
            if f.text:
                self.press("ctrl+a", "select the text")
            f = self.type(value)
        elif by == "list":
            f = self.press("alt+Down", "open the list")
            for _ in range(5):
                if f is not None and norm(f.name) == value:
                    break
                f = self.press("Down", f"to {value!r}")
            f = self.press("Return", f"pick {value!r}")
        else:  # the arrows on the closed box
            for _ in range(5):
                cur = combo_text(self.focus())
                if cur == value:
                    break
                here = VALUES.index(cur) if cur in VALUES else -1
                self.press("Down" if VALUES.index(value) > here else "Up", f"to {value!r}")
        got = combo_text(self.focus())
        if value not in got:
            self.find(f"{what}: reads {got!r} after {by}, not {value!r}")
            return False
        return True

    def wait_hint(self, rx, seconds=2.0):
        end = time.time() + seconds
        h = self.hint()
        while time.time() < end and not re.search(rx, h or ""):
            pump(0.2)
            h = self.hint()
        return bool(re.search(rx, h or ""))

    def expect_hint(self, rx, what):
        if self.wait_hint(rx):
            return True
        self.find(f"{what}: the hint reads {self.hint()!r}, expected /{rx}/")
        return False


# ---------------------------------------------------------------------------------------------
# The steps.

def combo_text(f):
    """What a combo box shows: Qt names an editable one after its text, once it has one."""
    if f is None:
        return ""
    if f.text is not None:
        return norm(f.text)
    return norm(f.name) if norm(f.name) in VALUES else ""


def is_role(*roles):
    return lambda f: f.role in roles


def named(rx, *roles):
    return lambda f: (not roles or f.role in roles) and re.search(rx, norm(f.name), re.I)


def named_or_described(rx, *roles):
    return lambda f: (not roles or f.role in roles) and (
        re.search(rx, norm(f.name), re.I) or re.search(rx, norm(f.description), re.I))


def step_opening(r):
    r.step = "1 opening"
    deadline = time.time() + 20
    while time.time() < deadline and r.window(r"") is None:
        pump(0.3)
    ws = [w for w in r.windows() if w[3]]
    print(f"{'':7} windows: {[(w[1], w[2]) for w in ws]}", flush=True)
    r.settle(1.0, 6)
    r.record("(opening screen)", None)
    if r.args.opening_key:
        # What another key does there (a user exploring the screen).
        r.press(r.args.opening_key, "explore the opening screen")
        if not r.program.alive() or r.window(r"") is None:
            r.find(f"{r.args.opening_key} on the opening screen ended the program")
            return False
    r.press("Return", "begin")
    end = time.time() + 10
    while time.time() < end and r.window("^" + re.escape(MENU_TITLE) + "$") is None:
        pump(0.3)
    ok_ = r.window("^" + re.escape(MENU_TITLE) + "$") is not None
    if not ok_:
        r.find("Return on the opening screen did not open the data-entry window")
    else:
        r.settle(0.8, 6)
        r.record("(menu opened)", None)
    return ok_


def step_entry(r):
    r.step = "2 entry"
    m = MODEL
    done = True
    # The endemic kind.
    f = r.seek(named(r"^(superficiale|lineare|puntuale)$", "radio button"), "the endemic kinds")
    if f is None or not r.choose_option(KINDS, m["kind"], "endemic kind"):
        return False
    r.expect_hint(r"tipologia della situazione " + m["kind"], "kind")
    # Its typology.
    f = r.seek(lambda f: f.role == "radio button" and norm(f.name) in AREA,
               "the endemic typologies")
    if f is None or not r.choose_option(AREA, m["typology"], "endemic typology"):
        return False
    r.expect_hint(r"valore della situazione endemica", "typology")
    # Its value.
    # It stands before the kinds in the window (and in the order of Tab): Shift+Tab.
    if not r.set_combo(named(r"valore della situazione endemica", "combo box"),
                       "the endemic value", m["value"], m["value_by"], "shift+Tab"):
        done = False
    r.expect_hint(r"numero dei sottosistemi", "value")
    # The number of subsystems.
    f = r.seek(is_role("scroll bar"), "the count bar")
    if f is None:
        return False
    want = len(m["rows"])
    for _ in range(12):
        f = r.focus()
        if f is not None and f.value is not None and abs(f.value) == want and \
                re.search("spuntare", r.hint() or ""):
            break
        f = r.press("Up", f"count to {want}")
    f = r.focus()
    if f is None or f.value is None or abs(f.value) != want:
        r.find(f"the count bar reads {f.value if f else None}, not {want}")
        return False
    r.expect_hint(r"spuntare il sottosistema", "count")
    # The rows.
    for i, row in enumerate(m["rows"], 1):
        f = r.seek(named(rf"^(sottosistema )?n\.\s?{i}$", "check box"), f"the tick of row {i}")
        if f is None:
            return False
        f = r.press("space", f"tick row {i}")
        if f is None or "checked" not in f.states:
            r.find(f"row {i}: its box not checked after Space")
        r.expect_hint(r"tipologia della situazione particolare|tipologia del sottosistema",
                      f"row {i} ticked")
        # The typologies' frame is left of the rows, before them in the order of Tab.
        f = r.seek(lambda f: f.role == "radio button" and norm(f.name) in PARTICULAR
                   and "enabled" in f.states, f"the particular typologies (row {i})",
                   "shift+Tab")
        if f is None or not r.choose_option(PARTICULAR, row["typology"], f"row {i} typology"):
            return False
        r.expect_hint(rf"valore del sottosistema n\. {i}", f"row {i} typology")
        if not r.set_combo(named(rf"valore del sottosistema n\.\s?{i}$", "combo box"),
                           f"the value of row {i}", row["value"], row["by"]):
            done = False
        nxt = (rf"spuntare il sottosistema n\. {i + 1}" if i < len(m["rows"])
               else r"indicare i legami di ogni sottosistema")
        r.expect_hint(nxt, f"row {i} value")
    # The links.
    for i, row in enumerate(m["rows"], 1):
        for n, k in enumerate(row["links"]):
            # From the arrow button the link buttons are behind: Shift+Tab.
            f = r.seek(named(rf"^(legame con il sottosistema n\.\s?{k}|{k})$", "push button"),
                       f"link button {k} (row {i})", "shift+Tab" if i > 1 and n == 0 else "Tab")
            if f is None:
                return False
            r.press("space", f"link {i}-{k}")
        f = r.seek(named_or_described(r"passare ai legami|successivo", "push button"),
                   "the arrow button")
        if f is None:
            return False
        r.press("space", f"row {i} links done")
        nxt = (rf"legati al sottosistema n\. {i + 1}" if i < len(m["rows"])
               else re.escape(FINAL_HINT))
        r.expect_hint(nxt, f"row {i} links")
    return r.expect_hint(re.escape(FINAL_HINT), "the whole entry") and done


def step_drawing(r):
    r.step = "3 drawing"
    r.press("alt+d", "Disegno")
    end = time.time() + 15
    while time.time() < end and r.window(DRAWING_TITLE) is None:
        pump(0.3)
    if r.window(DRAWING_TITLE) is None:
        r.find("Alt+D did not open the drawing window")
        return False
    r.settle(1.0, 8)
    r.record("(drawing shown)", r.hint())
    act = r.active_window()
    if act is None or not DRAWING_TITLE.search(act[2]):
        r.find(f"the drawing window opened but is not the active one ({act})")
    f = r.seek(is_role("image", "icon", "canvas", "drawing area"), "the picture", limit=8)
    if f is None:
        return False
    r.settle(1.5, 10)
    r.record("(picture read)", r.hint())
    print(f"{'':7} picture: name {f.name!r}", flush=True)
    print(f"{'':7} picture: description {f.description!r}", flush=True)
    r.results["picture"] = (f.name, f.description)
    # Where Tab goes from the picture.
    r.press("Tab", "from the picture")
    for key in r.args.picture_keys:
        # What a key does on the picture (a click on it opens the title page).
        r.press(key, "on the picture")
        act = r.active_window()
        print(f"{'':7} after {key} on the picture the active window is {act and act[2]!r}",
              flush=True)
        r.results.setdefault("picture keys", []).append((key, act and act[2]))
    return bool(f.name or f.description)


def step_title_page(r):
    r.step = "4 title page"
    # The drawing window has no menu bar: back to the data-entry window first.
    act = r.active_window()
    if act is not None and DRAWING_TITLE.search(act[2]):
        r.press("alt+Tab", "back to the data-entry window")
        act = r.active_window()
        if act is None or act[2] != MENU_TITLE:
            r.find(f"Alt+Tab from the drawing did not give the data-entry window ({act})")
    f = r.press("alt+v", "Visualizza")
    for _ in range(5):
        if f is not None and norm(f.name) == "finestra frontespizio":
            break
        f = r.press("Down", "to Finestra Frontespizio")
    if f is None or norm(f.name) != "finestra frontespizio":
        r.find("the Visualizza menu did not reach 'Finestra Frontespizio'")
        return False
    r.press("Return", "Finestra Frontespizio")
    end = time.time() + 10
    while time.time() < end and r.window(TITLE_PAGE) is None:
        pump(0.3)
    if r.window(TITLE_PAGE) is None:
        r.find("the title page did not open")
        return False
    r.settle(0.8, 6)
    f = r.record("(title page shown)", None)
    f = r.seek(named(r"^progetto$", "text"), "the project field", limit=20)
    if f is None:
        return False
    fields = [("progetto", "Piano di prova"), ("localita", "Borgo Nuovo"),
              ("tipologia di studio", None), ("committente", "Comune di Prova")]
    typed = {}
    for name, value in fields:
        f = r.focus()
        if f is None or norm(f.name).replace("à", "a") != name:
            r.find(f"title page: expected the field {name!r}, the keyboard is on "
                   f"{f.said() if f else None}")
        if value:
            r.type(value)
            f = r.focus()
            typed[name] = f.text if f else None
        r.press("Tab", "next field")
    # On through the rest, to see every stop.
    for _ in range(8):
        f = r.press("Tab", "through the fields")
        if f is not None and norm(f.name) == "progetto":
            break
    r.results["title page"] = typed
    return typed.get("progetto") == "Piano di prova"


def step_save(r, folder):
    r.step = "5 save"
    target = os.path.join(folder, "Zelmor-dati-tastiera")
    before = set(glob.glob(target + "*"))
    f = r.press("alt+f", "File")
    for _ in range(8):
        if f is not None and re.match(r"salva con nome", norm(f.name)):
            break
        f = r.press("Down", "to Salva con nome")
    if f is None or not re.match(r"salva con nome", norm(f.name)):
        r.find("the File menu did not reach 'Salva con nome...'")
        return False
    # The dialog is expected: the message-box guard leaves it alone.
    r.expected_dialog = re.compile(r"^Salva file", re.I)
    r.press("Return", "Salva con nome")
    end = time.time() + 10
    dlg = None
    while time.time() < end and dlg is None:
        for p, role, name, showing, active in r.windows():
            if showing and role in DIALOG_ROLES and re.search(r"salva", name, re.I):
                dlg = (p, name)
        pump(0.3)
    if dlg is None:
        r.find("no save dialog appeared")
        return False
    r.settle(0.8, 6)
    f = r.record(f"(dialog {dlg[1]!r})", r.hint())
    if f is None or f.role not in ("text", "entry", "combo box"):
        r.find(f"the save dialog opened with the keyboard on {f.said() if f else None}, "
               "not on the file name")
    # The folder the dialog is in: when it is the one meant, the name alone is enough.
    tree = r.tree(dlg[0])
    boxes = [(n.name, n.text) for n in tree.iter() if n.role_name == "combo box"]
    print(f"{'':7} dialog combo boxes: {boxes}", flush=True)
    in_home = any(os.path.realpath(x or "") == os.path.realpath(folder) for b in boxes for x in b)
    r.results["dialog folder"] = boxes[0][0] if boxes else None
    r.press("ctrl+a", "select the proposed name")
    r.type(os.path.basename(target) if in_home else target)
    r.press("Return", "save")
    end = time.time() + 8
    while time.time() < end and r.window_showing(dlg[0]):
        pump(0.3)
    if r.window_showing(dlg[0]):
        r.find("the save dialog is still open after Return")
        r.press("Escape", "close the dialog")
        return False
    r.expected_dialog = None
    r.settle()
    r.check_dialogs()
    made = sorted(set(glob.glob(target + "*")) - before)
    r.results["saved"] = [(p, os.path.getsize(p)) for p in made]
    if not made:
        r.find(f"no file {target}* on disk after the save")
    return bool(made)


def step_report(r, home, started):
    r.step = "6 report"
    act = r.active_window()
    if act is None or not TITLE_PAGE.search(act[2]):
        r.find(f"before the report the active window is {act}, not the title page")
    r.press("alt+s", "Stampa")
    end = time.time() + min(60, max(5, r.deadline - time.time() - 15))
    found = []
    hints = []
    while time.time() < end:
        pump(0.5)
        h = r.hint()
        if h and (not hints or hints[-1] != h):
            hints.append(h)
            print(f"{r.t():6.1f} {'':7} hint -> {h!r}", flush=True)
        for pattern in ("**/*.doc", "**/*.pdf", "**/*.odt"):
            for p in glob.glob(os.path.join(home, pattern), recursive=True):
                if os.path.getmtime(p) >= started and p not in found:
                    found.append(p)
        r.check_dialogs()
        if found and any(p.endswith(".doc") for p in found):
            pump(2.0)  # the PDF copy follows the report
            for p in glob.glob(os.path.join(home, "**/*.pdf"), recursive=True):
                if os.path.getmtime(p) >= started and p not in found:
                    found.append(p)
            break
    # What the user is told once the report is done.
    pump(3.0)
    r.check_dialogs()
    r.settle()
    r.record("(report done)", None)
    r.results["hint after the report"] = r.hint()
    r.results["report"] = [(os.path.relpath(p, home), os.path.getsize(p)) for p in found]
    r.results["report hints"] = hints
    if not found:
        r.find("no report file under HOME after Alt+S")
    return bool(found)


# ---------------------------------------------------------------------------------------------

def office_pids(home):
    """The office processes the program started for this run: their environment names its home."""
    out = []
    for d in os.listdir("/proc"):
        if not d.isdigit() or int(d) == os.getpid():
            continue
        try:
            with open(f"/proc/{d}/environ", "rb") as f:
                env = f.read().split(b"\0")
        except OSError:
            continue
        if f"HOME={home}".encode() in env:
            out.append(int(d))
    return out


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--bin", default=os.path.join(os.path.dirname(os.path.dirname(HERE)),
                                                  "build", "bin"))
    ap.add_argument("--orca", metavar="LOG", help="run Orca, its debug log here")
    ap.add_argument("--limit", type=float, default=200.0, help="seconds for the whole run")
    ap.add_argument("--wait", type=float, default=0.35, help="seconds after each key")
    ap.add_argument("--quiet", type=float, default=0.3,
                    help="and then until Orca's log is quiet this long")
    ap.add_argument("--orca-cap", type=float, default=2.0)
    ap.add_argument("--tab-limit", type=int, default=30)
    ap.add_argument("--until", type=int, default=6, help="stop after this step")
    ap.add_argument("--opening-key", help="press this key on the opening screen first")
    ap.add_argument("--picture-key", dest="picture_keys", action="append", default=[],
                    help="also press this key on the drawing's picture (may be repeated)")
    args = ap.parse_args()
    args.bin = os.path.abspath(args.bin)
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(3))
    t0 = time.time()
    bus = walk.Bus()
    orca = None
    work = tempfile.mkdtemp(prefix="atspi-keyboard-")
    if args.orca:
        orca = walk.Orca(bus, args.orca, work)
        print(f"Orca {'running' if orca.ready else 'NOT running'} (pid {orca.proc.pid})")
        if not orca.ready:
            orca.stop()
            orca = None
    pa = argparse.Namespace(bin=args.bin, hold=0)
    program = walk.Program(pa, None, work)
    home = os.path.join(work, "home")
    r = None
    status = 2
    try:
        app = walk.find_app(bus, program, time.time() + 30)
        if app is None:
            print("the program did not come on the accessibility bus")
            return 2
        r = Run(args, bus, program, app, orca, t0)
        steps = [("1 opening", lambda: step_opening(r)), ("2 entry", lambda: step_entry(r)),
                 ("3 drawing", lambda: step_drawing(r)),
                 ("4 title page", lambda: step_title_page(r)),
                 # The program runs in the run's own folder, where the dialog opens.
                 ("5 save", lambda: step_save(r, work)),
                 ("6 report", lambda: step_report(r, home, t0))]
        for k, (name, body) in enumerate(steps, 1):
            if k > args.until:
                break
            if r.out_of_time():
                r.results[name] = False
                r.find(f"{name}: out of time")
                break
            print(f"\n== step {name}", flush=True)
            try:
                r.results[name] = bool(body())
            except Exception as e:  # a step that broke is reported, the run goes on
                import traceback
                traceback.print_exc()
                r.results[name] = False
                r.find(f"{name}: {type(e).__name__}: {e}")
            if not r.program.alive():
                r.find("the program ended")
                break
        status = 0
    finally:
        office = office_pids(home)
        program.stop()
        if orca is not None:
            orca.stop()
        for pid in office:
            try:
                os.kill(pid, signal.SIGTERM)
            except OSError:
                pass
        time.sleep(0.5)
        for pid in office:
            try:
                os.kill(pid, signal.SIGKILL)
            except OSError:
                pass
        if r is not None:
            summary(r, office)
    return status


def summary(r, office):
    before = r.attribute_speech()
    print("\n== key by key (t = seconds from the start; hint after the key; Orca after it)")
    if before:
        print(f"  Orca before the first key: {before}")
    for ln in r.lines:
        mark = "" if ln["is_key"] else "   "
        print(f"  {ln['t']:6.1f} [{ln['step']}] {mark}{ln['key']}  ->  {ln['focus']}")
        if ln["hint_changed"]:
            print(f"           hint: {ln['hint']!r}")
        for text in ln["speech"]:
            print(f"           Orca: {text}")
    print("\n== summary")
    total = typed = 0
    names = ["1 opening", "2 entry", "3 drawing", "4 title page", "5 save", "6 report"]
    for name in names:
        n, c = r.presses.get(name, 0), r.typed.get(name, 0)
        total += n
        typed += c
        res = r.results.get(name)
        print(f"  step {name:<13} {'ok' if res else 'NOT DONE' if res is False else 'not run'}"
              f"  {n} key presses ({c} of them typed characters)")
    print(f"  key presses in all: {total} ({typed} typed characters, {total - typed} other "
          f"keys); {r.t():.0f} s")
    for k in ("picture", "picture keys", "dialog folder", "saved", "report", "report hints", "hint after the report",
              "title page"):
        if k in r.results:
            print(f"  {k}: {r.results[k]}")
    if office:
        print(f"  office processes ended: {office}")
    for step, name, texts in r.dialogs_seen:
        print(f"  message box in {step}: {name!r}: {' | '.join(texts)}")
    print(f"  what the keyboard could not do: {len(r.findings)}")
    for f in r.findings:
        print(f"    - {f}")
    silent = [ln for ln in r.lines if ln["hint_changed"] and ln["hint"]
              and not any(norm(ln["hint"]) in norm(s) for s in ln["speech"])]
    print(f"  hint changes not heard from Orca right after: {len(silent)}")
    for ln in silent:
        print(f"    - [{ln['step']}] after {ln['key']}: {ln['hint']!r}")


if __name__ == "__main__":
    sys.exit(main())
