#!/usr/bin/env python3
"""AT-SPI walk of every window of Zelmor, as a screen reader sees it.

For each state scenario (states/NN-name.zs) the program is started with zelmor-shot, which
plays the scenario on the real Qt windows and keeps them up; then the accessible tree of every
showing window is read and each object a user can act on or read is audited against the rules
below. With --events the data-entry scenario is played again, this time on the running windows
through the pointer and AT-SPI, while listeners record what a screen reader is told.

Meant to be started by ./run, which provides the X server, the session bus, the accessibility
bus, its registry and a window manager.
"""

import argparse
import json
import os
import re
import shlex
import shutil
import signal
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, Gio, GLib  # noqa: E402

import pyatspi  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))

# ---------------------------------------------------------------------------------------------
# What is audited, and how. Generic rules first; the per-window table after them.

ACTIONABLE = {
    "push button", "toggle button", "check box", "radio button", "combo box", "text", "entry",
    "password text", "scroll bar", "spin button", "slider", "menu item", "check menu item",
    "radio menu item", "menu", "page tab", "list item", "table cell",
}
READABLE = {
    "label", "static", "image", "icon", "heading", "paragraph", "status bar", "notification",
    "canvas", "drawing area", "frame", "dialog", "alert",
}
CHECKABLE_ROLES = {"check box", "radio button", "toggle button", "check menu item",
                   "radio menu item"}
VALUE_ROLES = {"scroll bar", "slider", "spin button"}
IMAGE_ROLES = {"image", "icon"}

# A name that says nothing about what the object is for.
PLACEHOLDER = re.compile(
    r"^[\W_]+$"                                   # only punctuation: "--->", "...", "-"
    r"|^(label|command|check|option|combo|text|picture|image|frame|shape|line|toolbar|lbl|puls)"
    r"\d*(\(\d+\))?$",                            # a control's own name: "Label3", "Check1(2)"
    re.IGNORECASE)
BARE_NUMBER = re.compile(r"^\d+$")
MNEMONIC = re.compile(r"&\w")                   # a caption's access-key marker left in the name

# The program's windows: form name, title, or (for a window without a title) what it shows.
FORMS = [
    ("menu", r"^Zelmor: menu - immissione dati$", None),
    ("disegno", r"^Zelmor: disegno del modello", None),
    ("frontespizio", r"^Zelmor: frontespizio per la relazione$", None),
    ("sommario", r"^Zelmor: guida in linea$", None),
    ("frmTip", r"^Suggerimento del giorno$", None),
    ("guida", r"^Guida in linea", None),
    ("frmSplash", None, r"software VELTRANO|elaborazione eseguita con"),
]

# The hint boxes' texts: what to do next.
HINT_TEXT_RX = r"^(scegliere|indicare|cliccare|correggere|spuntare|ri-spuntare|digitare)\b"

# Per-window expectations: which objects are for what. `window` is a form name (regex),
# `roles` the roles the entry applies to (None: any audited), `name` / `group` regexes on the
# object's name and on the names of its ancestors. Then one of:
#   role=R      the object must have role R;
#   lenient=S   the name may break the generic rules; S is reported as a note;
#   value=(a,b) a value object must run from a to b, as the user counts;
#   skip=S      not audited (S says why).
EXPECT = [
    # The endemic kinds and the typologies are option buttons: one choice out of a set.
    dict(window="menu", roles=CHECKABLE_ROLES, group=r"situazione endemica|tipologia situazione",
         name=r".", role="radio button"),
    # The subsystems' ticks are check boxes.
    dict(window="menu", roles=CHECKABLE_ROLES, name=r"^(sottosistema )?n\.\s?\d$", role="check box"),
    # The link buttons 1..9 may be named by their digit alone (kept lenient, but noted).
    dict(window="menu", roles={"push button"}, name=r"^[1-9]$",
         lenient="link button named by its digit only"),
    # The help menu's caption is the question mark the windows have always had; Qt names a menu
    # by its caption alone.
    dict(window="menu|frontespizio", roles={"menu", "menu item"}, name=r"^\?$",
         lenient="help menu named by its caption '?'"),
    # The number of subsystems: a screen reader reads the bar's value as the count.
    dict(window="menu", roles=VALUE_ROLES, name=r".*", value=(1, 9)),
]

# What a window must show to be understood at all: (window, roles, name regex, what it is).
REQUIRED = [
    ("disegno", {"canvas", "drawing area", "image", "icon"}, r"\w", "the model's drawing"),
    ("menu", {"label", "status bar", "notification", "static"}, HINT_TEXT_RX,
     "the hint: what to do next"),
]

# Per-state expectations of checked objects (state regex, window, name regex, group regex).
CHECKED = [
    (r"^0[3-7]", "menu", r"^superficiale$", r"situazione endemica"),
    (r"^0[4-7]", "menu", r"^lato nord$", r"tipologia situazione superficiale"),
    (r"^0[4-7]", "menu", r"^(sottosistema )?n\.\s?[123]$", None),
]

# Windows where a key press does something of its own: no Tab probe there.
NO_TAB = {"frmSplash"}

# The hint box of the data-entry window.
HINT_TEXT = re.compile(HINT_TEXT_RX)
HINT_DESCRIPTION = re.compile(r"indicazioni in linea")

# ---------------------------------------------------------------------------------------------
# The accessibility bus, read in batches.
#
# zelmor-shot's hold loop runs the event loop in short turns between sleeps, and the program
# answers AT-SPI calls only there: read one call after the other, a window of a few hundred
# objects takes tens of seconds. So the walk sends every call of a level of the tree at once and
# collects the answers.

ACC = "org.a11y.atspi.Accessible"
PROPS = "org.freedesktop.DBus.Properties"


class Bus:
    def __init__(self):
        session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
        reply = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress",
                                  None, GLib.VariantType("(s)"), 0, 5000, None)
        self.address = reply.unpack()[0]
        flags = (Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
                 | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION)
        self.conn = Gio.DBusConnection.new_for_address_sync(self.address, flags, None, None)
        # A context of its own, so that a batch never dispatches the listeners' events.
        self.ctx = GLib.MainContext.new()

    def batch(self, calls, timeout_ms=8000):
        """calls: (bus name, path, interface, method, GLib.Variant or None). Returns the unpacked
        replies, an Exception in place of each failed one."""
        results = [None] * len(calls)
        left = [len(calls)]
        if not calls:
            return results
        self.ctx.push_thread_default()
        try:
            for i, (dest, path, iface, method, args) in enumerate(calls):
                def done(conn, res, i=i):
                    try:
                        results[i] = conn.call_finish(res).unpack()
                    except Exception as e:  # an error reply, a vanished object, a timeout
                        results[i] = e
                    left[0] -= 1
                self.conn.call(dest, path, iface, method, args, None, 0, timeout_ms, None, done)
        finally:
            self.ctx.pop_thread_default()
        while left[0] > 0:
            self.ctx.iteration(True)
        return results

    def call(self, dest, path, iface, method, args=None, timeout_ms=8000):
        return self.batch([(dest, path, iface, method, args)], timeout_ms)[0]

    def prop(self, dest, path, iface, name):
        return (dest, path, PROPS, "Get", GLib.Variant("(ss)", (iface, name)))

    def apps(self):
        r = self.call("org.a11y.atspi.Registry", "/org/a11y/atspi/accessible/root", ACC,
                      "GetChildren")
        if isinstance(r, Exception):
            return []
        out = []
        refs = list(r[0])
        dbus = ("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus")
        pids = self.batch([dbus + ("GetConnectionUnixProcessID", GLib.Variant("(s)", (bn,)))
                           for bn, _ in refs], 3000)
        names = self.batch([self.prop(bn, p, ACC, "Name") for bn, p in refs], 3000)
        for (bn, p), pid, name in zip(refs, pids, names):
            out.append(dict(bus=bn, path=p,
                            pid=None if isinstance(pid, Exception) else pid[0],
                            name=None if isinstance(name, Exception) else name[0]))
        return out


def ok(v, default=None):
    return default if isinstance(v, Exception) or v is None else v


class Node:
    __slots__ = ("bus", "path", "role", "role_name", "name", "description", "states",
                 "interfaces", "relations", "attributes", "children", "parent",
                 "index", "value", "actions", "text", "extents", "parent_ref", "error")

    def __init__(self, bus, path, parent, index):
        self.bus, self.path, self.parent, self.index = bus, path, parent, index
        self.children, self.relations = [], []
        self.value = self.actions = self.text = self.extents = self.parent_ref = None
        self.error = None
        self.role, self.role_name, self.name, self.description = 0, "?", "", ""
        self.states, self.interfaces, self.attributes = set(), [], {}

    def ipath(self):
        n, parts = self, []
        while n is not None and n.index is not None:
            parts.append(str(n.index))
            n = n.parent
        return ".".join(reversed(parts))

    def ancestors(self):
        n = self.parent
        while n is not None:
            yield n
            n = n.parent

    def iter(self):
        yield self
        for c in self.children:
            yield from c.iter()

    def shown(self):
        """Showing, and so is every ancestor up to the window."""
        return "showing" in self.states and all("showing" in a.states for a in self.ancestors()
                                                if a.parent is not None)

    def label(self):
        return f'{self.role_name} "{self.name}"'


def state_names(bits):
    out = set()
    for word, value in enumerate(bits):
        for b in range(32):
            if value & (1 << b):
                try:
                    out.add(Atspi.StateType(word * 32 + b).value_nick)
                except ValueError:
                    out.add(f"state{word * 32 + b}")
    return out


def role_name(role):
    try:
        return Atspi.role_get_name(Atspi.Role(role))
    except (ValueError, TypeError):
        return f"role{role}"


def relation_name(t):
    try:
        return Atspi.RelationType(t).value_nick
    except ValueError:
        return f"relation{t}"


def snapshot(bus, app, max_nodes=5000):
    """The whole accessible tree of an application, read level by level."""
    root = Node(app["bus"], app["path"], None, None)
    root.role_name, root.name = "application", app.get("name") or ""
    level, nodes = [root], [root]
    while level and len(nodes) < max_nodes:
        calls = []
        for n in level:
            b, p = n.bus, n.path
            calls += [(b, p, ACC, "GetChildren", None), (b, p, ACC, "GetRole", None),
                      (b, p, ACC, "GetState", None), (b, p, ACC, "GetInterfaces", None),
                      (b, p, ACC, "GetRelationSet", None), (b, p, ACC, "GetAttributes", None),
                      bus.prop(b, p, ACC, "Name"), bus.prop(b, p, ACC, "Description")]
        r = bus.batch(calls)
        nxt = []
        for k, n in enumerate(level):
            ch, role, st, ifs, rel, attrs, name, desc = r[8 * k:8 * k + 8]
            if isinstance(role, Exception):
                n.error = str(role)
                continue
            n.role = role[0]
            n.role_name = role_name(n.role)
            n.states = state_names(ok(st, ([0, 0],))[0])
            n.interfaces = list(ok(ifs, ([],))[0])
            n.relations = [(relation_name(t), list(targets)) for t, targets in ok(rel, ([],))[0]]
            n.attributes = dict(ok(attrs, ({},))[0])
            n.name = ok(name, ("",))[0] or ""
            n.description = ok(desc, ("",))[0] or ""
            for i, (cb, cp) in enumerate(ok(ch, ([],))[0]):
                c = Node(cb, cp, n, i)
                n.children.append(c)
                nxt.append(c)
        nodes += nxt
        level = nxt
    # What only some objects have, in one more batch.
    calls, slots = [], []
    for n in nodes[1:]:
        b, p = n.bus, n.path
        if "org.a11y.atspi.Value" in n.interfaces:
            for prop in ("CurrentValue", "MinimumValue", "MaximumValue"):
                calls.append(bus.prop(b, p, "org.a11y.atspi.Value", prop))
                slots.append((n, "value", prop))
        if "org.a11y.atspi.Action" in n.interfaces:
            calls.append((b, p, "org.a11y.atspi.Action", "GetActions", None))
            slots.append((n, "actions", None))
        if "org.a11y.atspi.Text" in n.interfaces:
            calls.append((b, p, "org.a11y.atspi.Text", "GetText", GLib.Variant("(ii)", (0, -1))))
            slots.append((n, "text", None))
        if "org.a11y.atspi.Component" in n.interfaces:
            calls.append((b, p, "org.a11y.atspi.Component", "GetExtents",
                          GLib.Variant("(u)", (0,))))  # screen coordinates
            slots.append((n, "extents", None))
        if "focusable" in n.states:
            calls.append(bus.prop(b, p, ACC, "Parent"))
            slots.append((n, "parent_ref", None))
    r = bus.batch(calls)
    for (n, what, prop), v in zip(slots, r):
        if isinstance(v, Exception):
            continue
        if what == "value":
            n.value = n.value or {}
            n.value[prop] = v[0]
        elif what == "actions":
            n.actions = [a[0] for a in v[0]]
        elif what == "text":
            n.text = v[0]
        elif what == "extents":
            n.extents = tuple(v[0])
        elif what == "parent_ref":
            n.parent_ref = tuple(v[0])
    return root


def form_of(window):
    for form, title, content in FORMS:
        if title and re.search(title, window.name):
            return form
        if content and not window.name and any(re.search(content, n.name) for n in window.iter()):
            return form
    return window.name or "(untitled)"


def norm(s):
    return " ".join(s.replace("&", "").split()).casefold()


def expectations(form, node):
    out = []
    groups = [a.name for a in node.ancestors() if a.parent is not None and a.name]
    for e in EXPECT:
        if not re.search(f"^(?:{e['window']})$", form):
            continue
        if e.get("roles") is not None and node.role_name not in e["roles"]:
            continue
        if e.get("name") is not None and not re.search(e["name"], node.name.strip(), re.I):
            continue
        if e.get("group") is not None and not any(re.search(e["group"], g, re.I) for g in groups):
            continue
        out.append(e)
    return out


# ---------------------------------------------------------------------------------------------
# The audit.

def audited(node):
    """Whether the object is one a user acts on or reads, and is showing."""
    if node.parent is None or node.error:
        return False
    if node.role_name not in ACTIONABLE and node.role_name not in READABLE:
        return "focusable" in node.states and node.shown()
    # The parts of a combo box (its list and line edit) are read as the combo box itself.
    if any(a.role_name == "combo box" for a in node.ancestors()):
        lst = next(a for a in node.ancestors() if a.role_name == "combo box")
        popup = [c for c in lst.children if c.role_name in ("list", "menu", "table")]
        if not (node.role_name == "list item" and popup and popup[0].shown()):
            return False
    return node.shown()


# Containers a screen reader announces as such, named or not.
GROUP_ROLES = {"tool bar", "menu bar", "menu", "table row", "page tab", "list", "tree"}


def group_key(node):
    for a in node.ancestors():
        if a.parent is None or a.parent.parent is None:
            return ""
        if a.name.strip() or a.role_name in GROUP_ROLES:
            return a.ipath() + ":" + a.name
    return ""


def audit_window(form, window, checked_expect):
    """Returns (audited objects, wrong, notes, missing): wrong is [(node, reason)], notes
    [(node, note)], missing the lines for what the window should have and has not."""
    objects = [n for n in window.iter()
               if audited(n) and not any("skip" in e for e in expectations(form, n))]
    wrong, notes = [], []
    reasons = {}

    def bad(n, why):
        reasons.setdefault(n.path, []).append(why)

    for n in objects:
        exp = expectations(form, n)
        lenient = next((e["lenient"] for e in exp if "lenient" in e), None)
        role = n.role_name
        name = n.name.strip()
        is_window = n is window
        # Role: what the object is for.
        for e in exp:
            if "role" in e and role != e["role"]:
                bad(n, f"role {role}, expected {e['role']}")
        if role not in ACTIONABLE and role not in READABLE:
            bad(n, f"focusable, but role {role} is not one a user can act on")
        # Name.
        if not name:
            if role in IMAGE_ROLES:
                bad(n, "image without a text alternative (name it, or leave it out of the tree)")
            elif is_window:
                bad(n, "window without a title")
            elif role in ACTIONABLE:
                bad(n, "no name")
            else:
                bad(n, "no text (an empty label is read as nothing)")
        elif lenient and (PLACEHOLDER.match(name) or BARE_NUMBER.match(name)):
            notes.append((n, lenient))
        elif PLACEHOLDER.match(name):
            bad(n, f"placeholder name {name!r}")
        elif BARE_NUMBER.match(name) and not any(t == "labelled-by" for t, _ in n.relations):
            bad(n, f"bare number {name!r} as name")
        if name and MNEMONIC.search(n.name):
            bad(n, f"access-key marker left in the name {n.name!r}")
        # Value objects.
        if role in VALUE_ROLES:
            v = n.value
            if not v or any(k not in v for k in ("CurrentValue", "MinimumValue", "MaximumValue")):
                bad(n, "no value")
            else:
                cur, lo, hi = v["CurrentValue"], v["MinimumValue"], v["MaximumValue"]
                if lo > hi:
                    bad(n, f"minimum {lo:g} above maximum {hi:g}")
                elif not lo <= cur <= hi:
                    bad(n, f"value {cur:g} outside {lo:g}..{hi:g}")
                for e in exp:
                    if "value" in e and (lo, hi) != tuple(float(x) for x in e["value"]):
                        bad(n, f"value {cur:g} in {lo:g}..{hi:g}, expected the count "
                               f"{e['value'][0]}..{e['value'][1]}")
        # Checkable objects.
        if role in CHECKABLE_ROLES:
            # Qt's bridge never sends the "checkable" state: a toggle action says as much.
            toggles = any(a.lower() in ("toggle", "click", "press") for a in (n.actions or []))
            if ("checkable" not in n.states and not toggles and "enabled" in n.states):
                bad(n, "neither checkable nor a toggle action")
    # Checked where the state says so.
    for wform, rx, grx in checked_expect:
        if wform != form:
            continue
        for n in objects:
            if n.role_name not in CHECKABLE_ROLES or not re.search(rx, n.name.strip(), re.I):
                continue
            if grx and not any(re.search(grx, a.name, re.I) for a in n.ancestors()):
                continue
            if "checked" not in n.states:
                bad(n, "set, but not exposed as checked")
    # Two objects of one group with the same name cannot be told apart.
    seen = {}
    for n in objects:
        if n.role_name in ACTIONABLE and n.name.strip():
            seen.setdefault((group_key(n), norm(n.name)), []).append(n)
    for (_, _), same in seen.items():
        if len(same) > 1:
            for n in same:
                others = ", ".join(o.ipath() for o in same if o is not n)
                bad(n, f"same name as {others} in the same group")
    # Named after its group alone, an object of a group of several says nothing of its own.
    for n in objects:
        if n is window or not n.name.strip():
            continue
        g = next((a for a in n.ancestors() if a.parent is not None and a.parent.parent is not None
                  and a.name.strip()), None)
        if g is None or norm(g.name) != norm(n.name):
            continue
        members = [m for m in objects if m.role_name in ACTIONABLE and g in m.ancestors()]
        if len(members) > 1:
            bad(n, f"named only after its group {g.name!r}")
    # A focusable object must be reachable from its parent, and its parent from it.
    for n in objects:
        if "focusable" in n.states and n.parent_ref is not None and n.parent is not None:
            if n.parent_ref[1] != n.parent.path:
                bad(n, f"its parent ({n.parent_ref[1]}) is not the object that lists it")
    for n in objects:
        if n.path in reasons:
            wrong.append((n, "; ".join(reasons[n.path])))
    missing = [f"no {roles_text(roles)} object for {what}"
               for wform, roles, rx, what in REQUIRED
               if wform == form and not any(n.role_name in roles and re.search(rx, n.name.strip())
                                            for n in objects)]
    return objects, wrong, notes, missing


def roles_text(roles):
    return "/".join(sorted(roles))


def window_signature(window):
    return tuple((n.ipath(), n.role_name, n.name, n.description,
                  tuple(sorted(n.states - {"focused", "active"})),
                  None if n.value is None else tuple(sorted(n.value.items())))
                 for n in window.iter() if audited(n))


def to_json(node, paths):
    d = dict(index=node.ipath(), role=node.role_name, name=node.name,
             description=node.description, states=sorted(node.states))
    if node.value is not None:
        d["value"] = node.value
    if node.text is not None and node.text != node.name:
        d["text"] = node.text
    if node.actions:
        d["actions"] = node.actions
    if node.attributes:
        d["attributes"] = node.attributes
    if node.relations:
        d["relations"] = {
            t: [dict(index=paths[p].ipath() if p in paths else None,
                     name=paths[p].name if p in paths else None) for _, p in targets]
            for t, targets in node.relations}
    if node.extents:
        d["extents"] = node.extents
    if node.error:
        d["error"] = node.error
    if node.children:
        d["children"] = [to_json(c, paths) for c in node.children]
    return d


# ---------------------------------------------------------------------------------------------
# Running the program.

class Program:
    """zelmor-shot on a scenario, or (scenario None) the program itself, in a home of its own."""

    def __init__(self, args, scenario, workdir):
        self.args = args
        out = os.path.join(workdir, "pictures")
        os.makedirs(out, exist_ok=True)
        env = dict(os.environ)
        env.update(QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
                   QT_QPA_PLATFORM="xcb")
        self.log = open(os.path.join(workdir, "program.log"), "w")
        if scenario is None:
            home = os.path.join(workdir, "home")
            os.makedirs(home, exist_ok=True)
            env.update(HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
                       XDG_DATA_HOME=os.path.join(home, ".local", "share"))
            command = [os.path.join(args.bin, "zelmor")]
        else:
            command = [os.path.join(args.bin, "zelmor-shot"), "--hold", str(args.hold),
                       scenario, out]
        self.proc = subprocess.Popen(command, cwd=workdir, env=env, stdout=self.log,
                                     stderr=subprocess.STDOUT)

    def alive(self):
        return self.proc.poll() is None

    def stop(self):
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(3)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait(3)
        self.log.close()


def find_app(bus, program, deadline):
    while time.time() < deadline and program.alive():
        for app in bus.apps():
            if app["pid"] == program.proc.pid:
                return app
        pump(0.2)
    return None


def windows_of(bus, app):
    r = bus.call(app["bus"], app["path"], ACC, "GetChildren")
    refs = list(ok(r, ([],))[0])
    st = bus.batch([(b, p, ACC, "GetState", None) for b, p in refs])
    names = bus.batch([bus.prop(b, p, ACC, "Name") for b, p in refs])
    return [(p, ok(n, ("",))[0], "showing" in state_names(ok(s, ([0, 0],))[0]))
            for (b, p), s, n in zip(refs, st, names)]


def wait_ready(bus, app, program, deadline, settle=1.0):
    """Until the program's windows stop coming and going."""
    last, since = None, time.time()
    while time.time() < deadline and program.alive():
        w = windows_of(bus, app)
        if w != last:
            last, since = w, time.time()
        elif any(s for _, _, s in w) and time.time() - since >= settle:
            return True
        pump(0.25)
    return False


def pump(seconds):
    """Runs the default main context (where the listeners' events arrive) for a while."""
    ctx = GLib.MainContext.default()
    end = time.time() + seconds
    while time.time() < end:
        if not ctx.iteration(False):
            time.sleep(0.01)


def check_scenario(args, path):
    script = os.path.join(args.bin, "zelmor-script")
    if not os.access(script, os.X_OK):
        return None
    with tempfile.TemporaryDirectory() as d:
        try:
            r = subprocess.run([script, path], cwd=d, capture_output=True, text=True, timeout=60)
        except subprocess.TimeoutExpired:
            return "zelmor-script timed out"
    if r.returncode != 0:
        return (r.stdout + r.stderr).strip().splitlines()[0] if (r.stdout + r.stderr).strip() \
            else f"zelmor-script exit {r.returncode}"
    return None


def xdotool(*a, timeout=10):
    try:
        return subprocess.run(["xdotool", *map(str, a)], capture_output=True, text=True,
                              timeout=timeout)
    except subprocess.TimeoutExpired:
        return subprocess.CompletedProcess(a, 124, "", "timed out")


# ---------------------------------------------------------------------------------------------
# Focus: what Tab reaches.

class FocusLog:
    def __init__(self):
        self.events = []
        pyatspi.Registry.registerEventListener(self.on_focus, "object:state-changed:focused")

    def on_focus(self, e):
        if e.detail1:
            try:
                self.events.append((e.source.app.bus_name if e.source.app else "", e.source.path))
            except Exception:
                pass


def describe(bus, dest, path):
    """Role and name of an object, and of its parents, read one by one."""
    parts = []
    for _ in range(6):
        role, name, parent = bus.batch([(dest, path, ACC, "GetRole", None),
                                        bus.prop(dest, path, ACC, "Name"),
                                        bus.prop(dest, path, ACC, "Parent")], 3000)
        if isinstance(role, Exception):
            parts.append(path)
            break
        parts.append(f'{role_name(role[0])} "{ok(name, ("",))[0]}"')
        if isinstance(parent, Exception) or parent[0][1] in ("/org/a11y/atspi/null", path):
            break
        path = parent[0][1]
        if path == "/org/a11y/atspi/accessible/root":
            break
    return " in ".join(parts)


def x_window_for(title, pid):
    r = xdotool("search", "--all", "--pid", pid, "--name", f"^{re.escape(title)}$")
    ids = r.stdout.split()
    return ids[0] if ids else None


def tab_probe(args, focus, root, window, form, presses):
    """Presses Tab in the window and checks that every object the focus reaches is in the tree.
    Returns (stops, outside): the objects reached, and the focus targets not in the tree."""
    if not window.name:
        return None
    xid = x_window_for(window.name, args.current_pid)
    if xid is None:
        return None
    xdotool("windowactivate", "--sync", xid)
    pump(0.3)
    paths = {n.path: n for n in root.iter()}
    stops, outside, first, idle = [], [], None, 0
    del focus.events[:]
    for _ in range(presses):
        xdotool("key", "--clearmodifiers", "Tab")
        pump(0.25)
        mine = [p for b, p in focus.events if b == root.bus]
        del focus.events[:]
        if not mine:
            idle += 1
            if idle >= 4:  # nothing in the window takes the focus
                break
            continue
        idle, path = 0, mine[-1]
        if path == first:
            break
        first = first or path
        n = paths.get(path)
        if n is None:
            outside.append(describe(args.bus, root.bus, path))
        elif n not in stops:
            stops.append(n)
    return stops, outside


# ---------------------------------------------------------------------------------------------
# The walk, state by state.

def state_files(folder):
    return sorted(os.path.join(folder, f) for f in os.listdir(folder)
                  if re.match(r"^\d\d-.*\.zs$", f))


def walk_states(args, bus, focus, dump):
    total_audited = total_right = 0
    any_ran = False
    seen_windows = {}
    for path in state_files(args.states):
        state = os.path.basename(path)[:-3]
        if args.only and not re.search(args.only, state):
            continue
        print(f"\n== {state}")
        err = check_scenario(args, path)
        if err:
            print(f"  scenario fails, state skipped: {err}")
            continue
        with tempfile.TemporaryDirectory(prefix="atspi-walk-") as work:
            program = Program(args, path, work)
            args.current_pid = program.proc.pid
            try:
                deadline = time.time() + args.timeout
                app = find_app(bus, program, deadline)
                if app is None or not wait_ready(bus, app, program, deadline):
                    print("  the program did not show its windows on the accessibility bus"
                          + ("" if program.alive() else f" (exit {program.proc.returncode})"))
                    continue
                t0 = time.time()
                root = snapshot(bus, app)
                took = time.time() - t0
                any_ran = True
                paths = {n.path: n for n in root.iter()}
                checked = [(w, rx, g) for srx, w, rx, g in CHECKED if re.search(srx, state)]
                state_dump = dict(state=state, scenario=os.path.relpath(path, args.root),
                                  windows=[])
                shown = [w for w in root.children if "showing" in w.states]
                hidden = len(root.children) - len(shown)
                print(f"  {len(paths) - 1} objects read in {took:.1f} s; "
                      f"{len(shown)} windows showing, {hidden} not")
                for w in root.children:
                    state_dump["windows"].append(to_json(w, paths))
                for w in shown:
                    form = form_of(w)
                    objects, wrong, notes, missing = audit_window(form, w, checked)
                    sig = window_signature(w)
                    # The same window, unchanged since an earlier state, is not counted again.
                    if not args.recount and seen_windows.get((form, sig)):
                        print(f"  window {form} \"{w.name}\": unchanged since "
                              f"{seen_windows[(form, sig)]} (not counted again)")
                        state_dump.setdefault("audit", []).append(dict(
                            window=form, title=w.name, counted=False,
                            audited=len(objects) + len(missing),
                            right=len(objects) - len(wrong),
                            wrong=[f"{n.label()} [{n.ipath()}]: {why}" for n, why in wrong]
                            + list(missing)))
                        continue
                    seen_windows[(form, sig)] = state
                    extra = list(missing)
                    if not args.no_tab and form not in NO_TAB:
                        probe = tab_probe(args, focus, root, w, form, args.tab_presses)
                        if probe is not None:
                            stops, outside = probe
                            for p in outside:
                                extra.append(f"focus reached {p}, which is not in the tree")
                            tabnote = f", Tab reaches {len(stops)}"
                        else:
                            tabnote = ", Tab not probed (window not found)"
                    else:
                        tabnote = ""
                    n_aud = len(objects) + len(extra)
                    n_right = len(objects) - len(wrong)
                    total_audited += n_aud
                    total_right += n_right
                    print(f"  window {form} \"{w.name}\": audited {n_aud}, right {n_right}, "
                          f"wrong {n_aud - n_right}{tabnote}")
                    state_dump.setdefault("audit", []).append(dict(
                        window=form, title=w.name, counted=True, audited=n_aud, right=n_right,
                        wrong=[f"{n.label()} [{n.ipath()}]: {why}" for n, why in wrong] + extra,
                        notes=[f"{n.label()} [{n.ipath()}]: {why}" for n, why in notes]))
                    for n, why in wrong:
                        print(f"    WRONG {n.label()} [{n.ipath()}]: {why}")
                    for why in extra:
                        print(f"    WRONG {why}")
                    for n, why in notes:
                        print(f"    note  {n.label()} [{n.ipath()}]: {why}")
                dump.append(state_dump)
            finally:
                program.stop()
    pct = 100.0 * total_right / total_audited if total_audited else 0.0
    print(f"\nTOTAL audited={total_audited} right={total_right} ({pct:.1f} %)")
    return any_ran, total_audited - total_right


# ---------------------------------------------------------------------------------------------
# The events run: the data-entry scenario played on the running windows.
#
# zelmor-shot plays its scenario before the program's event loop first runs, and Qt connects
# to the accessibility bus only from that loop: nothing the scenario does reaches a listener.
# So the program is started on the opening screen alone, and the scenario's gestures are made
# on the real windows, as a user would: a pointer click on a button or a box, a click on a
# combo box and then on the item of its list, the scroll bar's value set through AT-SPI.
# The program itself is started (not zelmor-shot) when the scenario sets nothing up before its
# start: zelmor-shot's hold loop answers one AT-SPI call per turn between short sleeps, and a
# screen reader, which asks several per event, falls tens of seconds behind the menu's opening.

# Scenario control -> how to find it on the screen: roles, a regex on the name (or, when no
# name matches, on the description), and a regex on an enclosing group's name.
def control_selector(ctrl):
    m = re.match(r"^(\w+)(?:\.(\w+)(?:\((\d+)\))?)?$", ctrl)
    if not m:
        return None
    form, name, idx = m.group(1), m.group(2), int(m.group(3) or 0)
    if name is None:
        return dict(form=form, window=True)
    kinds = ["superficiale", "lineare", "puntuale"]
    area = ["totale", "lato nord", "lato sud", "lato est", "lato ovest", "angolo nord-ovest",
            "angolo nord-est", "angolo sud-est", "angolo sud-ovest"]
    linear = ["longitudinale nord", "longitudinale centro", "longitudinale sud",
              "trasversale ovest", "trasversale centro", "trasversale est",
              "trasversale nord-ovest/sud-est", "trasversale nord-est/sud-ovest", "croce centrale"]
    particular = ["centrale"] + area[1:]
    table = {
        "endemica": (CHECKABLE_ROLES, lambda i: rf"^{kinds[i - 1]}$", r"situazione endemica"),
        "Option1": (CHECKABLE_ROLES, lambda i: rf"^{re.escape(area[i - 1])}$", r"superficiale"),
        "Option2": (CHECKABLE_ROLES, lambda i: rf"^{re.escape(linear[i - 1])}$", r"lineare"),
        "Option3": (CHECKABLE_ROLES, lambda i: rf"^{re.escape(particular[i - 1])}$", r"particolare"),
        "Check1": (CHECKABLE_ROLES, lambda i: rf"^(sottosistema )?n\.\s?{i}$", None),
        "Combo1": ({"combo box"}, lambda i: rf"sottosistema n\.\s?{i}\b", None),
        "valore": ({"combo box"}, lambda i: r"situazione endemica", None),
        "VScroll1": (VALUE_ROLES, lambda i: r".*", None),
        "legami": ({"push button"}, lambda i: rf"^{i}$|sottosistema n\.\s?{i}$", None),
        "dopo": ({"push button"}, lambda i: r"passare ai legami|successivo|dopo|avanti", None),
        "disegn": ({"push button", "menu item"}, lambda i: r"^disegno$", None),
    }
    if name not in table:
        return None
    roles, rx, group = table[name]
    return dict(form=form, roles=roles, name=rx(idx), group=group)


def find_control(root, sel):
    windows = [w for w in root.children if "showing" in w.states and form_of(w) == sel["form"]]
    if not windows:
        return None
    if sel.get("window"):
        return windows[0]
    cands = [n for w in windows for n in w.iter()
             if n.role_name in sel["roles"] and n.shown() and "enabled" in n.states
             and (sel["group"] is None
                  or any(re.search(sel["group"], a.name, re.I) for a in n.ancestors()))]
    for field in ("name", "description"):
        hits = [n for n in cands if re.search(sel["name"], norm(getattr(n, field)), re.I)]
        if hits:
            return hits[0]
    return None


def click_at(node, where="centre"):
    """A pointer click: on a box's indicator (left), a combo box's arrow (right), or the centre."""
    x, y, w, h = node.extents
    cx = {"left": x + min(8, w // 2), "right": x + w - min(6, w // 2)}.get(where, x + w // 2)
    cy = y + h // 2
    # (Not --sync: it waits for ever when the pointer is already there.)
    xdotool("mousemove", cx, cy)
    time.sleep(0.05)
    xdotool("click", "1")


def hint_node(root):
    for w in root.children:
        if form_of(w) != "menu":
            continue
        for n in w.iter():
            if n.role_name in ACTIONABLE:
                continue
            if HINT_DESCRIPTION.search(n.description) or HINT_TEXT.match(n.name.strip()):
                return n
    return None


def parse_scenario(path):
    steps = []
    with open(path, encoding="utf-8") as f:
        for lineno, line in enumerate(f, 1):
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            steps.append((lineno, shlex.split(line)))
    return steps


class EventLog:
    TYPES = ["object:text-changed", "object:property-change:accessible-name",
             "object:property-change:accessible-description", "object:state-changed:showing",
             "object:announcement", "window"]

    def __init__(self, t0):
        self.t0, self.events, self.app_bus = t0, [], None
        for t in self.TYPES:
            pyatspi.Registry.registerEventListener(self.on_event, t)

    def on_event(self, e):
        try:
            src = e.source
            bus = src.app.bus_name if src.app is not None else ""
            path = src.path
        except Exception:
            return
        data = e.any_data
        if isinstance(data, Atspi.Accessible):
            try:
                data = f"<{data.path}>"
            except Exception:
                data = "<object>"
        elif data is not None and not isinstance(data, (str, int, float, bool)):
            data = str(data)
        self.events.append(dict(t=time.time() - self.t0, type=e.type, bus=bus, path=path,
                                detail1=e.detail1, detail2=e.detail2, any_data=data))

    def resolve(self, bus):
        """Role and name of the new events' sources, read now, soon after the events.

        Qt sends the object itself, not its new name, with a name change: what the name became
        is read from the object."""
        new = [e for e in self.events if "name" not in e and e["bus"] == self.app_bus]
        r = bus.batch([c for e in new for c in ((e["bus"], e["path"], ACC, "GetRole", None),
                                                 bus.prop(e["bus"], e["path"], ACC, "Name"))],
                      3000)
        for k, e in enumerate(new):
            role, name = r[2 * k], r[2 * k + 1]
            e["role"] = role_name(role[0]) if not isinstance(role, Exception) else None
            e["name"] = ok(name, (None,))[0]


class Orca:
    """Orca, run with a debug log of its own; what it says is in that log."""

    def __init__(self, bus, log_path, workdir):
        self.log_path = os.path.abspath(log_path)
        if os.path.exists(self.log_path):
            os.remove(self.log_path)
        prefs = os.path.join(workdir, "orca-prefs")
        os.makedirs(prefs, exist_ok=True)
        self.out = open(os.path.join(workdir, "orca.out"), "w")
        self.proc = subprocess.Popen(["orca", "--replace", "-u", prefs,
                                      f"--debug-file={self.log_path}"],
                                     stdout=self.out, stderr=subprocess.STDOUT)
        self.ready = False
        deadline = time.time() + 20
        while time.time() < deadline and self.proc.poll() is None:
            if any((a["name"] or "").lower() == "orca" for a in bus.apps()) and \
                    "SPEECH OUTPUT" in self.read():
                self.ready = True
                break
            pump(0.3)

    def read(self):
        try:
            with open(self.log_path, encoding="utf-8", errors="replace") as f:
                return f.read()
        except OSError:
            return ""

    def wait_idle(self, quiet, cap):
        """Until Orca has dealt with what it was sent: its log stops growing for a while.

        Orca asks the program about each event, and zelmor-shot's event loop answers a call at
        a time between short sleeps: a window's opening keeps Orca busy for seconds."""
        end, last, since = time.time() + cap, -1, time.time()
        while time.time() < end:
            try:
                size = os.path.getsize(self.log_path)
            except OSError:
                size = 0
            if size != last:
                last, since = size, time.time()
            elif time.time() - since >= quiet:
                return True
            pump(0.2)
        return False

    def speech(self):
        out = []
        for line in self.read().splitlines():
            m = re.search(r"^(\S+) - SPEECH OUTPUT: (.*)$", line)
            if m:
                out.append((m.group(1), m.group(2)))
        return out

    def stop(self):
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(5)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait(3)
        self.out.close()
        return self.proc.returncode


def run_events(args, bus, dump):
    print("\n== events: the data-entry scenario played on the running windows")
    scenario = args.events_scenario
    steps = parse_scenario(scenario)
    t0 = time.time()
    log = EventLog(t0)
    orca = None
    if args.orca:
        orca_dir = tempfile.mkdtemp(prefix="atspi-walk-orca-")
        orca = Orca(bus, args.orca, orca_dir)
        print(f"  Orca {'running' if orca.ready else 'NOT running'} "
              f"(pid {orca.proc.pid}, debug log {orca.log_path})")
        if not orca.ready:
            code = orca.stop()
            print(f"  Orca did not come up (exit {code}); its output:")
            with open(os.path.join(orca_dir, "orca.out"), errors="replace") as f:
                for line in f.read().splitlines()[-15:]:
                    print(f"    {line}")
            orca = None
    with tempfile.TemporaryDirectory(prefix="atspi-walk-") as work:
        start = os.path.join(work, "opening.zs")
        setup = 0
        with open(start, "w", encoding="utf-8") as f:
            # Only what has to come before the program runs: the gestures follow on screen.
            for _, words in steps:
                if words[0] in ("setting", "today", "screen", "write", "start"):
                    f.write(shlex.join(words) + "\n")
                    setup += words[0] != "start"
                if words[0] == "start":
                    break
        use_shot = args.events_shot or setup > 0 or not os.access(
            os.path.join(args.bin, "zelmor"), os.X_OK)
        print(f"  on {'zelmor-shot ' + os.path.basename(start) if use_shot else 'the program'}"
              f", playing {os.path.relpath(scenario, args.root)}")
        program = Program(args, start if use_shot else None, work)
        args.current_pid = program.proc.pid
        names = {}
        outcome = dict(steps=0, failed=None, expects=[])
        try:
            deadline = time.time() + args.events_timeout
            app = find_app(bus, program, deadline)
            if app is None or not wait_ready(bus, app, program, deadline):
                print("  the program did not show its windows on the accessibility bus")
                return False
            log.app_bus = app["bus"]
            root = snapshot(bus, app)
            remember(names, root)
            log.resolve(bus)
            started = False
            for lineno, words in steps:
                if time.time() > deadline:
                    outcome["failed"] = f"line {lineno}: out of time"
                    break
                verb = words[0]
                if verb == "start":
                    started = True
                    continue
                if not started or verb in ("setting", "today", "screen", "write"):
                    continue
                if verb == "expect" and len(words) == 4 and words[2] == "text" \
                        and words[1].endswith(".passo"):
                    h = hint_node(root)
                    got = h.name.strip() if h is not None else None
                    outcome["expects"].append((lineno, words[3], got))
                    continue
                if verb == "expect":
                    continue
                outcome.setdefault("gestures", []).append((time.time() - t0, lineno,
                                                           " ".join(words)))
                err = perform(bus, root, verb, words[1:])
                if err:
                    outcome["failed"] = f"line {lineno} ({' '.join(words)}): {err}"
                    break
                outcome["steps"] += 1
                pump(args.step_wait)
                if orca is not None and not orca.wait_idle(1.0, 20 if outcome["steps"] == 1 else 8):
                    outcome.setdefault("orca_late", []).append(lineno)
                log.resolve(bus)
                root = snapshot(bus, app)
                remember(names, root)
            pump(1.0)
            if orca is not None:
                orca.wait_idle(2.0, 20)
            log.resolve(bus)
        finally:
            program.stop()
            pump(0.5)
            if orca is not None:
                orca.stop()
    if args.orca:
        shutil.rmtree(orca_dir, ignore_errors=True)
    # Only the program's own events.
    evs = [e for e in log.events if e["bus"] == log.app_bus]
    hint_paths = set(names.get("<hint>", ()))
    for e in evs:
        if e.get("role") not in ACTIONABLE and HINT_TEXT.match((e.get("name") or "").strip()):
            hint_paths.add(e["path"])
    print(f"  {outcome['steps']} gestures made"
          + (f"; stopped at {outcome['failed']}" if outcome["failed"] else ""))
    if outcome.get("orca_late"):
        print(f"  Orca was still busy when the gestures of lines {outcome['orca_late']} went on")
    for lineno, want, got in outcome["expects"]:
        mark = "ok" if got == want else "DIFFERENT"
        print(f"  hint at line {lineno}: {mark}: expected {want!r}, read {got!r}")
    print(f"  {len(evs)} events from the program:")
    hint_events = []
    burst = []

    def flush():
        if len(burst) > 4 and not args.all_events:
            roles = sorted({b[1] for b in burst})
            print(f"    {burst[0][0]['t']:7.2f} {len(burst)} x {burst[0][0]['type']} "
                  f"({', '.join(roles)})")
        else:
            for _, _, line in burst:
                print(line)
        del burst[:]

    for e in evs:
        known = names.get(e["path"], ("?", "?", ""))
        role = e.get("role") or known[0]
        name = e.get("name") if e.get("name") is not None else known[1]
        is_hint = e["path"] in hint_paths or (
            isinstance(e["any_data"], str) and HINT_TEXT.match(e["any_data"].strip() or "-"))
        if is_hint:
            hint_events.append(e)
        if args.all_events or is_hint or not e["type"].startswith("object:state-changed:showing"):
            line = (f"    {e['t']:7.2f} {e['type']} {role} \"{name[:60]}\" "
                    f"d={e['detail1']},{e['detail2']}"
                    + (f" data={str(e['any_data'])[:60]!r}"
                       if not str(e["any_data"]).startswith("</") else "")
                    + ("  <- hint" if is_hint else ""))
            # A window's set-up sends a burst of alike events: one line for them.
            if burst and (is_hint or burst[-1][0]["type"] != e["type"]
                          or e["t"] - burst[-1][0]["t"] > 0.05):
                flush()
            if is_hint:
                print(line)
            else:
                burst.append((e, role, line))
    flush()
    showing = sum(1 for e in evs if e["type"].startswith("object:state-changed:showing"))
    if not args.all_events and showing:
        print(f"    (+ {showing} showing changes, listed only with --all-events)")
    kinds = {}
    for e in hint_events:
        kinds[e["type"]] = kinds.get(e["type"], 0) + 1
    print(f"  events about the hint box: {len(hint_events)} "
          + ", ".join(f"{k}={v}" for k, v in sorted(kinds.items())))
    texts = []
    for e in hint_events:
        if e["type"] == "object:property-change:accessible-name":
            texts.append(e.get("name") or "")
        elif e["type"].startswith("object:text-changed:insert") and e["any_data"]:
            texts.append(e["any_data"])
        elif e["type"] == "object:announcement" and e["any_data"]:
            texts.append(e["any_data"])
    print(f"  hint texts heard: {len(texts)} ({len(set(texts))} different)")
    for t in texts:
        print(f"    - {t}")
    speech = []
    if orca is not None:
        day = time.localtime(t0)
        start = t0 - time.mktime(day[:3] + (0, 0, 0) + day[6:])
        for stamp, line in orca.speech():
            h, m, sec = stamp.split(":")
            speech.append((int(h) * 3600 + int(m) * 60 + float(sec) - start, line))
    # Gesture by gesture: the hint it left, and what Orca said meanwhile.
    print("  gesture by gesture (t = seconds from the start):")
    gestures = outcome.get("gestures", [])
    marks = [(0.0, 0, "(program start)")] + gestures
    for k, (t, lineno, what) in enumerate(marks):
        end = marks[k + 1][0] if k + 1 < len(marks) else float("inf")
        hints = [e.get("name") for e in hint_events if t <= e["t"] < end
                 and e["type"] == "object:property-change:accessible-name"]
        print(f"    {t:6.1f} {('line %d: ' % lineno) if lineno else ''}{what}")
        for h in hints:
            print(f"             hint -> {h!r}")
        for st, line in speech:
            if t <= st < end:
                print(f"             Orca: {line.split('{')[0]}")
    if orca is not None:
        print(f"  Orca: {len(speech)} lines of SPEECH OUTPUT in all"
              + ("" if any(HINT_TEXT.match(l.strip("'")) for _, l in speech)
                 else ", none of them a hint"))
    dump.append(dict(events=evs, hint_texts=texts, speech=[list(x) for x in speech],
                     outcome=dict(steps=outcome["steps"], failed=outcome["failed"],
                                  gestures=gestures)))
    return True


def remember(names, root):
    """Role, name and description of every object, as last read; and every object that has
    ever read as a hint."""
    hints = names.setdefault("<hint>", set())
    for n in root.iter():
        names[n.path] = (n.role_name, n.name, n.description)
        if n.role_name not in ACTIONABLE and (HINT_DESCRIPTION.search(n.description)
                                              or HINT_TEXT.match(n.name.strip())):
            hints.add(n.path)


def perform(bus, root, verb, rest):
    if verb not in ("click", "choose", "scroll"):
        return f"gesture {verb!r} not played on screen"
    sel = control_selector(rest[0])
    if sel is None:
        return f"no way known to find {rest[0]} on the screen"
    node = find_control(root, sel)
    if node is None or not node.extents:
        return f"{rest[0]} not found among the showing, enabled objects"
    if verb == "click":
        click_at(node, "left" if node.role_name in CHECKABLE_ROLES else "centre")
        return None
    if verb == "choose":
        app = dict(bus=root.bus, path=root.path, name=root.name)
        items = []
        for _ in range(2):
            click_at(node, "right")
            pump(0.5)
            fresh = snapshot(bus, app)
            combo = next((n for n in fresh.iter() if n.path == node.path), None)
            lists = [c for c in (combo.children if combo else []) if c.role_name == "list"]
            if lists and "showing" in lists[0].states:
                items = [n for n in lists[0].iter() if n.role_name == "list item"
                         and norm(n.name) == norm(rest[1]) and n.extents and n.extents[2] > 0]
                break
        if not items:
            xdotool("key", "Escape")
            return f"item {rest[1]!r} not found in an open list"
        click_at(items[0])
        return None
    if verb == "scroll":
        want = float(rest[1])
        v = node.value or {}
        lo, hi = v.get("MinimumValue", 0.0), v.get("MaximumValue", 0.0)
        # The bar may count downwards (an upward arrow that adds one): then its values are negative.
        target = want if lo <= want <= hi else -want if lo <= -want <= hi else None
        if target is None:
            return f"value {want:g} outside the bar's {lo:g}..{hi:g}"
        r = bus.call(node.bus, node.path, PROPS, "Set",
                     GLib.Variant("(ssv)", ("org.a11y.atspi.Value", "CurrentValue",
                                            GLib.Variant("d", target))))
        return None if not isinstance(r, Exception) else f"value not set: {r}"
    return None


# ---------------------------------------------------------------------------------------------
# Two runs side by side.

def flat(node, depth=0, out=None):
    out = [] if out is None else out
    keep = sorted(node.get("states", []) and set(node["states"]) & {"checked", "focusable",
                                                                      "showing", "enabled"})
    value = node.get("value")
    out.append("  " * depth + f'{node["role"]} "{node["name"]}"'
               + (f' ({node["description"]})' if node.get("description") else "")
               + (f" [{','.join(keep)}]" if keep else "")
               + (f" value={value.get('CurrentValue')}" if value else ""))
    for c in node.get("children", []):
        flat(c, depth + 1, out)
    return out


def compare(old_path, new_path, limit):
    import difflib
    with open(old_path, encoding="utf-8") as f:
        old = {d.get("state"): d for d in json.load(f) if d.get("state")}
    with open(new_path, encoding="utf-8") as f:
        new = {d.get("state"): d for d in json.load(f) if d.get("state")}
    totals = [0, 0, 0, 0]
    for state in sorted(set(old) | set(new)):
        a, b = old.get(state), new.get(state)
        print(f"\n== {state}")
        if a is None or b is None:
            print(f"  only in {'the new' if a is None else 'the old'} run")
            continue
        audits = {}
        for which, d in ((0, a), (1, b)):
            for w in d.get("audit", []):
                audits.setdefault(w["window"], [None, None])[which] = w
        for form, (x, y) in audits.items():
            cx = f"{x['right']}/{x['audited']}" if x else "-"
            cy = f"{y['right']}/{y['audited']}" if y else "-"
            print(f"  window {form}: right/audited {cx} -> {cy}")
            if x and x.get("counted", True):
                totals[0] += x["right"]
                totals[1] += x["audited"]
            if y and y.get("counted", True):
                totals[2] += y["right"]
                totals[3] += y["audited"]
            gone = sorted(set(x["wrong"] if x else []) - set(y["wrong"] if y else []))
            came = sorted(set(y["wrong"] if y else []) - set(x["wrong"] if x else []))
            for line in came[:limit]:
                print(f"    + WRONG {line}")
            if len(came) > limit:
                print(f"    + ... {len(came) - limit} more")
            if gone:
                print(f"    - {len(gone)} wrong objects of the old run are not wrong in the new one")
        la = [line for w in a["windows"] if "showing" in w["states"] for line in flat(w)]
        lb = [line for w in b["windows"] if "showing" in w["states"] for line in flat(w)]
        diff = list(difflib.unified_diff(la, lb, "old", "new", n=0, lineterm=""))[2:]
        print(f"  tree: {sum(1 for d in diff if d.startswith('-'))} lines gone, "
              f"{sum(1 for d in diff if d.startswith('+'))} new")
        for line in diff[:limit]:
            print(f"    {line}")
        if len(diff) > limit:
            print(f"    ... {len(diff) - limit} more")
    pa = 100.0 * totals[0] / totals[1] if totals[1] else 0.0
    pb = 100.0 * totals[2] / totals[3] if totals[3] else 0.0
    print(f"\nTOTAL right/audited {totals[0]}/{totals[1]} ({pa:.1f} %) -> "
          f"{totals[2]}/{totals[3]} ({pb:.1f} %)")


# ---------------------------------------------------------------------------------------------

def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    root_dir = os.path.dirname(os.path.dirname(HERE))
    ap.add_argument("--bin", default=os.path.join(root_dir, "build", "bin"))
    ap.add_argument("--states", default=os.path.join(HERE, "states"))
    ap.add_argument("--events", action="store_true", help="also record the data-entry events")
    ap.add_argument("--events-scenario", default=None,
                    help="the entry played for --events (default: the states' NN-menu-complete)")
    ap.add_argument("--json", help="dump the raw trees (and the events) to this file")
    ap.add_argument("--strict", action="store_true", help="exit 1 if any object is wrong")
    ap.add_argument("--only", help="only the states whose name matches this regex")
    ap.add_argument("--no-walk", action="store_true", help="skip the states' walk")
    ap.add_argument("--no-tab", action="store_true", help="skip the Tab probe")
    ap.add_argument("--tab-presses", type=int, default=60)
    ap.add_argument("--recount", action="store_true",
                    help="count a window again in each state even when unchanged")
    ap.add_argument("--all-events", action="store_true")
    ap.add_argument("--events-shot", action="store_true",
                    help="run --events on zelmor-shot rather than on the program itself")
    ap.add_argument("--orca", metavar="LOG", help="run Orca during --events, its debug log here")
    ap.add_argument("--hold", type=int, default=600)
    ap.add_argument("--timeout", type=float, default=40.0, help="seconds per state")
    ap.add_argument("--events-timeout", type=float, default=150.0, help="seconds for --events")
    ap.add_argument("--step-wait", type=float, default=0.6)
    ap.add_argument("--compare", nargs=2, metavar=("OLD", "NEW"),
                    help="compare the --json dumps of two runs (needs no display)")
    ap.add_argument("--diff-lines", type=int, default=40)
    args = ap.parse_args()
    if args.compare:
        compare(*args.compare, args.diff_lines)
        return 0
    args.root = root_dir
    args.bin = os.path.abspath(args.bin)
    args.states = os.path.abspath(args.states)
    if args.events_scenario is None:
        found = [p for p in state_files(args.states) if re.search(r"menu-complete", p)]
        args.events_scenario = found[0] if found else None
    if not os.access(os.path.join(args.bin, "zelmor-shot"), os.X_OK):
        print(f"no zelmor-shot in {args.bin}", file=sys.stderr)
        return 2

    # Ended from outside: the program goes with us.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(3))
    bus = Bus()
    args.bus = bus
    # Listeners first: the program reads which events are wanted when it connects.
    focus = FocusLog()
    dump = []
    ran, wrong = True, 0
    if not args.no_walk:
        ran, wrong = walk_states(args, bus, focus, dump)
    if args.events:
        if args.events_scenario is None:
            print("no scenario for --events")
        else:
            ran = run_events(args, bus, dump) and ran
    if args.json:
        with open(args.json, "w", encoding="utf-8") as f:
            json.dump(dump, f, ensure_ascii=False, indent=1)
        print(f"\ntrees written to {args.json}")
    if not ran:
        return 2
    return 1 if args.strict and wrong else 0


if __name__ == "__main__":
    sys.exit(main())
