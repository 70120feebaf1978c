#!/usr/bin/python3
"""Makes cookies-4.0.sqlite: the cookie store the engine's old 4.0 API (libsoup 2.4) writes,
as Zemora kept it before it moved to the 4.1 API. It logs into a local page that sets a
login cookie for 127.0.0.1, with the old engine, and keeps its store. The cookie lasts
until the end of 2037: the old library stores an expiry as a 32-bit number, so a later one
comes back already expired (it did not outlive a restart in the old build either).

Run it once on a display, when the test data must be made again:
  apt-get install python3-gi gir1.2-webkit2-4.0
  scripts/with-display.sh tests/e2e/data/make-cookie-store-4.0.py tests/e2e/data/cookies-4.0.sqlite
"""
import http.server
import os
import shutil
import sys
import tempfile
import threading

import gi

gi.require_version("Gtk", "3.0")
gi.require_version("WebKit2", "4.0")
from gi.repository import GLib, Gtk, WebKit2  # noqa: E402


class Login(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        body = b"<title>logged in</title>"
        self.send_response(200)
        self.send_header("Content-Type", "text/html")
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Set-Cookie", "login=kept-by-4.0; Expires=Thu, 31 Dec 2037 00:00:00 GMT; Path=/")
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


def main():
    out = sys.argv[1]
    server = http.server.HTTPServer(("127.0.0.1", 0), Login)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    work = tempfile.mkdtemp()
    store = os.path.join(work, "cookies.sqlite")
    manager = WebKit2.WebsiteDataManager(base_data_directory=work, base_cache_directory=work)
    context = WebKit2.WebContext.new_with_website_data_manager(manager)
    cookies = context.get_cookie_manager()
    cookies.set_persistent_storage(store, WebKit2.CookiePersistentStorage.SQLITE)
    view = WebKit2.WebView.new_with_context(context)
    window = Gtk.Window()
    window.add(view)
    window.show_all()

    def loaded(_view, event):
        if event == WebKit2.LoadEvent.FINISHED:
            # The store is written as the cookie arrives; a moment more for the network process.
            GLib.timeout_add(1000, Gtk.main_quit)

    view.connect("load-changed", loaded)
    view.load_uri("http://127.0.0.1:%d/login" % server.server_port)
    GLib.timeout_add(30000, Gtk.main_quit)
    Gtk.main()
    shutil.copyfile(store, out)
    shutil.rmtree(work)
    server.shutdown()


main()
