#!/usr/bin/python3
"""A minimal StatusNotifierItem watcher and host (as Plasma, AppIndicator or XFCE offer). Logs
"registered <service>" and, when the trigger file appears, removes it, calls the item's Activate
as a host does on one click and logs "activated". Usage: sni_host.py <log file> <trigger file>"""
import os
import sys

from gi.repository import Gio, GLib

WATCHER = "org.kde.StatusNotifierWatcher"
# Gio answers Introspect and the property calls from this, as Qt expects of a watcher.
NODE = Gio.DBusNodeInfo.new_for_xml(f"""<node><interface name="{WATCHER}">
  <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
  <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
  <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
  <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
  <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
  <property name="ProtocolVersion" type="i" access="read"/>
</interface></node>""")
log, trigger = sys.argv[1], sys.argv[2]
bus = Gio.bus_get_sync(Gio.BusType.SESSION)
items = []


def note(line):
    print(line, file=open(log, "a"), flush=True)


def call(conn, sender, path, iface, method, args, invocation):
    if method == "RegisterStatusNotifierItem":
        # An item names its bus service, or only its object path on the sender's connection.
        service = args.unpack()[0]
        items.append(sender + service if service.startswith("/") else service)
        conn.emit_signal(None, path, WATCHER, "StatusNotifierItemRegistered",
                         GLib.Variant("(s)", (items[-1],)))
        note("registered " + items[-1])
    invocation.return_value(None)


def get(conn, sender, path, iface, name):
    return {"RegisteredStatusNotifierItems": GLib.Variant("as", items),
            "IsStatusNotifierHostRegistered": GLib.Variant("b", True),
            "ProtocolVersion": GLib.Variant("i", 0)}[name]


def activate_when_asked():
    if os.path.exists(trigger) and items:
        os.remove(trigger)
        name, _, path = items[-1].partition("/")
        bus.call_sync(name, "/" + path if path else "/StatusNotifierItem",
                      "org.kde.StatusNotifierItem", "Activate", GLib.Variant("(ii)", (0, 0)),
                      None, Gio.DBusCallFlags.NONE, -1, None)
        note("activated")
    return True


bus.register_object("/StatusNotifierWatcher", NODE.interfaces[0], call, get, None)
Gio.bus_own_name_on_connection(bus, WATCHER, Gio.BusNameOwnerFlags.DO_NOT_QUEUE,
                               lambda *_: note("ready"), None)
GLib.timeout_add(50, activate_when_asked)
GLib.MainLoop().run()
