"""Times exec-to-title and sums the process tree's PSS, for zemora and the bare floor.

Runs inside bench/startup.sh's mount namespace, where www.baidu.com is 127.0.0.1.
"""
import http.server
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading
import time

TITLE = "Zemora Bench Page"
PAGE = f"<!DOCTYPE html><html><head><meta charset='utf-8'><title>{TITLE}</title></head><body><p>{TITLE}</p></body></html>".encode()
EXTRA_ENV = dict(e.split("=", 1) for e in os.environ.get("BENCH_ENV", "").split() if "=" in e)
PROGRAMS = {"zemora": "build-bench/zemora", "floor": "build-bench/bench/bare_webview"}


class Page(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        self.send_response(200)
        self.send_header("Content-Type", "text/html; charset=utf-8")
        self.send_header("Content-Length", str(len(PAGE)))
        self.end_headers()
        self.wfile.write(PAGE)

    def log_message(self, *args):
        pass


def tree(pid):
    """pid and all its descendants."""
    children = {}
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open(f"/proc/{entry}/stat") as f:
                    ppid = int(f.read().rsplit(")", 1)[1].split()[1])
                children.setdefault(ppid, []).append(int(entry))
            except OSError:
                pass
    found, todo = [], [pid]
    while todo:
        p = todo.pop()
        found.append(p)
        todo.extend(children.get(p, []))
    return found


def pss_kib(pids):
    total = 0
    for p in pids:
        try:
            with open(f"/proc/{p}/smaps_rollup") as f:
                for line in f:
                    if line.startswith("Pss:"):
                        total += int(line.split()[1])
        except OSError:
            pass
    return total


def title_shown(display):
    out = subprocess.run(["xdotool", "search", "--name", f"^{TITLE}"],
                         env={**os.environ, "DISPLAY": display},
                         capture_output=True, text=True)
    return out.returncode == 0 and out.stdout.strip() != ""


def run_once(program, display, tries=3):
    """One measured start; a start the engine never finishes (it happens, rarely, to
    both programs alike) is retried."""
    for attempt in range(tries):
        try:
            return start_once(program, display)
        except TimeoutError:
            print(f"{program}: no title after 20 s, retrying", file=sys.stderr)
    raise RuntimeError(f"{program}: no title in {tries} tries")


def start_once(program, display):
    home = tempfile.mkdtemp(prefix="zemora-bench-")
    env = {**os.environ, **EXTRA_ENV, "DISPLAY": display, "HOME": home,
           "XDG_CONFIG_HOME": f"{home}/.config", "XDG_CACHE_HOME": f"{home}/.cache",
           "XDG_DATA_HOME": f"{home}/.local/share"}
    start = time.monotonic()
    proc = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        while not title_shown(display):
            if time.monotonic() - start > 20:
                raise TimeoutError()
            time.sleep(0.005)
        elapsed = time.monotonic() - start
        memory = pss_kib(tree(proc.pid))
    finally:
        proc.terminate()
        proc.wait()
        shutil.rmtree(home, ignore_errors=True)
    return elapsed, memory


def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 7
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 80), Page)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    display = ":77"
    xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", "1280x1024x24", "-dpi", "96"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(1)
    results = {name: [] for name in PROGRAMS}
    try:
        run_once(PROGRAMS["floor"], display)  # warm the file cache for both
        run_once(PROGRAMS["zemora"], display)
        for i in range(runs):
            for name, program in PROGRAMS.items():
                results[name].append(run_once(program, display))
    finally:
        xvfb.terminate()
        server.shutdown()
    med = {name: (statistics.median(t for t, _ in r), statistics.median(m for _, m in r))
           for name, r in results.items()}
    print(f"runs: {runs} each, alternating")
    print(f"{'program':10} {'start-up ms':>12} {'PSS MiB':>9}   per run (start-up ms)")
    for name, (t, m) in med.items():
        print(f"{name:10} {t * 1000:12.0f} {m / 1024:9.1f}   " + " ".join(f"{r * 1000:.0f}" for r, _ in results[name]))
    print(f"ratio      {med['zemora'][0] / med['floor'][0]:12.3f} {med['zemora'][1] / med['floor'][1]:9.3f}")


if __name__ == "__main__":
    main()
