#!/usr/bin/env python3
"""A small GTK window that offers files for dragging, as a file manager does.

Usage: dragsource.py X Y HEXPATH...   (each path's bytes in hexadecimal, since GTK takes
its arguments as UTF-8 and a path may hold any bytes)
It shows a 120 x 60 window at X, Y; a drag that starts on it carries the paths as a
text/uri-list, percent-encoded byte for byte. It prints "ready" once it is shown and
"dropped" when a drag ends, then keeps running until killed.
"""
import sys
import urllib.parse

import gi

gi.require_version("Gtk", "3.0")
gi.require_version("Gdk", "3.0")
from gi.repository import Gdk, GLib, Gtk  # noqa: E402


def uri_of(path: bytes) -> str:
    return "file://" + urllib.parse.quote(path, safe="/")


def main() -> None:
    x, y = int(sys.argv[1]), int(sys.argv[2])
    paths = [bytes.fromhex(p) for p in sys.argv[3:]]
    del sys.argv[3:]
    uris = [uri_of(p) for p in paths]

    window = Gtk.Window(title="drag source")
    window.set_default_size(120, 60)
    window.move(x, y)
    box = Gtk.EventBox()
    box.add(Gtk.Label(label="drag me"))
    window.add(box)
    target = Gtk.TargetEntry.new("text/uri-list", 0, 0)
    box.drag_source_set(Gdk.ModifierType.BUTTON1_MASK, [target], Gdk.DragAction.COPY)

    def on_get(_widget, _context, selection, _info, _time):
        selection.set_uris(uris)

    def on_end(_widget, _context):
        print("dropped", flush=True)

    box.connect("drag-data-get", on_get)
    box.connect("drag-end", on_end)
    window.connect("destroy", Gtk.main_quit)

    def on_mapped(*_args):
        GLib.timeout_add(200, lambda: print("ready", flush=True) and False)

    window.connect("map-event", on_mapped)
    window.show_all()
    Gtk.main()


if __name__ == "__main__":
    main()
