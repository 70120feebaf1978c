"""Page load of 150 slow images over TLS, HTTP/2 against HTTP/1.1, zemora against the floor.

Runs inside bench/http2.sh's mount namespace: the bind mounts made here (the test host
name in /etc/hosts, a CA bundle that also holds the test CA) end with it. nginx serves
the same page on two ports, one with h2 and one with HTTP/1.1 only; each image is
answered 40 ms late, so the figure is set by how many requests are in flight at once.
The page itself measures the load (navigation start to its load event, so start-up is
not counted) and puts it in its title, which is read from the window's caption.
"""
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HOST = "bench.zemora.test"
PORTS = {"h2": 8443, "h1.1": 9443}
PROTOCOLS = {"h2": "HTTP/2.0", "h1.1": "HTTP/1.1"}
IMAGES = 150
DELAY = 0.04  # s, each image
EXTRA_ENV = dict(e.split("=", 1) for e in os.environ.get("BENCH_ENV", "").split() if "=" in e)
PROGRAMS = {"zemora": "build-bench/zemora", "floor": "build-bench/bench/bare_webview"}
# Alternating in one run; the floor over HTTP/1.1 is there for reference.
CASES = [("zemora", "h2"), ("floor", "h2"), ("zemora", "h1.1"), ("floor", "h1.1")]
TITLE = re.compile(r"^loaded (\d+) ms (\d+)/(\d+)")
TITLE_X = "^loaded [0-9]+ ms"  # the same for xdotool's POSIX expressions
SYSTEM_BUNDLE = "/etc/ssl/certs/ca-certificates.crt"

# window.onload waits for every image, loaded or failed; the count tells them apart.
PAGE = """<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>loading</title>
<script>
window.addEventListener('load', function () {
  var ok = 0;
  for (var i = 0; i < document.images.length; i++)
    if (document.images[i].complete && document.images[i].naturalWidth > 0) ok++;
  document.title = 'loaded ' + Math.round(performance.now()) + ' ms ' + ok + '/' + document.images.length;
});
</script></head><body>
%s
</body></html>
""" % "\n".join(f'<img src="/img/{i}.svg" width="16" height="16" alt="{i}">' for i in range(1, IMAGES + 1))

SVG = '<svg xmlns="http://www.w3.org/2000/svg" width="16" height="16"><rect width="16" height="16" fill="#2a7"/></svg>'

NGINX_CONF = """
load_module /usr/lib/nginx/modules/ngx_http_echo_module.so;
daemon off;
worker_processes 1;
pid {work}/nginx.pid;
error_log {work}/error.log warn;
events {{ worker_connections 1024; }}
http {{
  log_format bench '$server_port $server_protocol $status $uri $connection';
  access_log {work}/access.log bench;
  client_body_temp_path {work}/tmp/body;
  proxy_temp_path {work}/tmp/proxy;
  fastcgi_temp_path {work}/tmp/fastcgi;
  uwsgi_temp_path {work}/tmp/uwsgi;
  scgi_temp_path {work}/tmp/scgi;
  types {{ text/html html; }}
  ssl_certificate {work}/server.pem;
  ssl_certificate_key {work}/server.key;
  ssl_protocols TLSv1.2 TLSv1.3;
  server {{
    listen 127.0.0.1:{h2} ssl http2;
    server_name {host};
    include {work}/site.conf;
  }}
  server {{
    listen 127.0.0.1:{h1} ssl;
    server_name {host};
    include {work}/site.conf;
  }}
}}
"""

SITE_CONF = """
root {work}/www;
add_header Cache-Control "no-store" always;
location = / {{ try_files /index.html =404; }}
location /img/ {{
  default_type image/svg+xml;
  echo_sleep {delay};
  echo '{svg}';
}}
"""


def sh(*args, **kw):
    return subprocess.run(args, check=True, capture_output=True, text=True, **kw)


def make_certificates(work):
    """A CA made for this run, and a certificate it signs for the test host and 127.0.0.1."""
    ec = ["-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes"]
    sh("openssl", "req", "-x509", *ec, "-keyout", f"{work}/ca.key", "-out", f"{work}/ca.pem",
       "-days", "2", "-subj", "/CN=Zemora bench test CA",
       "-addext", "basicConstraints=critical,CA:TRUE",
       "-addext", "keyUsage=critical,keyCertSign,cRLSign")
    sh("openssl", "req", *ec, "-keyout", f"{work}/server.key", "-out", f"{work}/server.csr",
       "-subj", f"/CN={HOST}")
    with open(f"{work}/server.ext", "w") as f:
        f.write(f"subjectAltName=DNS:{HOST},IP:127.0.0.1\nbasicConstraints=CA:FALSE\n"
                "keyUsage=critical,digitalSignature\nextendedKeyUsage=serverAuth\n")
    sh("openssl", "x509", "-req", "-in", f"{work}/server.csr", "-CA", f"{work}/ca.pem",
       "-CAkey", f"{work}/ca.key", "-CAcreateserial", "-out", f"{work}/server.pem",
       "-days", "2", "-extfile", f"{work}/server.ext")


def bind_over(path, content, work, name):
    """Only this namespace sees it; the machine's file stays as it is."""
    replacement = f"{work}/{name}"
    with open(replacement, "w") as f:
        f.write(content)
    sh("mount", "--bind", replacement, path)


def start_nginx(work):
    # nginx's worker is not root: it reads the page through the folder, never the keys.
    os.chmod(work, 0o755)
    for key in ("ca.key", "server.key"):
        os.chmod(f"{work}/{key}", 0o600)
    os.makedirs(f"{work}/www", mode=0o755)
    os.makedirs(f"{work}/tmp")
    with open(f"{work}/www/index.html", "w") as f:
        f.write(PAGE)
    with open(f"{work}/site.conf", "w") as f:
        f.write(SITE_CONF.format(work=work, delay=DELAY, svg=SVG))
    with open(f"{work}/nginx.conf", "w") as f:
        f.write(NGINX_CONF.format(work=work, host=HOST, h2=PORTS["h2"], h1=PORTS["h1.1"]))
    nginx = subprocess.Popen(["nginx", "-p", work, "-c", f"{work}/nginx.conf", "-e", f"{work}/error.log"],
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for _ in range(100):
        if nginx.poll() is not None:
            raise RuntimeError("nginx did not start:\n" + open(f"{work}/error.log").read())
        if subprocess.run(["curl", "-s", "-o", "/dev/null", f"https://{HOST}:{PORTS['h2']}/"]).returncode == 0:
            return nginx
        time.sleep(0.05)
    raise RuntimeError("nginx does not answer")


def check_protocols():
    """curl, trusting only the namespace's bundle: h2 is negotiated (ALPN) on one port and
    not on the other, the certificate is accepted, and an image really comes late."""
    for kind, port in PORTS.items():
        out = subprocess.run(["curl", "--http2", "-sv", "-o", "/dev/null", "-w", "%{http_version} %{time_total}",
                              f"https://{HOST}:{port}/img/1.svg"], capture_output=True, text=True)
        if out.returncode != 0:
            raise RuntimeError(f"curl on port {port} failed:\n{out.stderr}")
        version, seconds = out.stdout.split()
        alpn = re.search(r"ALPN: server accepted (\S+)", out.stderr)
        alpn = alpn.group(1) if alpn else "none"
        wanted = ("h2", "2") if kind == "h2" else ("http/1.1", "1.1")
        if (alpn, version) != wanted:
            raise RuntimeError(f"port {port}: ALPN {alpn}, HTTP {version}; expected {wanted}")
        if float(seconds) < DELAY:
            raise RuntimeError(f"port {port}: image answered in {seconds} s, not {DELAY} s late")
        if "no-store" not in out.stderr:
            raise RuntimeError(f"port {port}: no Cache-Control: no-store")
        print(f"curl: port {port}: ALPN {alpn}, HTTP/{version}, certificate verified", file=sys.stderr)


class Log:
    """nginx's access log, read from where the last run stopped."""

    def __init__(self, path):
        self.path, self.at = path, 0

    def since_last(self):
        with open(self.path) as f:
            f.seek(self.at)
            lines = f.read().splitlines()
            self.at = f.tell()
        return [line.split() for line in lines]


def start_display():
    read, write = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24", "-dpi", "96",
                             "-nolisten", "tcp", "-noreset"], pass_fds=(write,),
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write)
    with os.fdopen(read) as f:
        number = f.readline().strip()
    if not number:
        raise RuntimeError("Xvfb did not start")
    return xvfb, f":{number}"


def caption(display, pid):
    """The caption of the program's window once the page has set its title, or None."""
    env = {**os.environ, "DISPLAY": display}
    found = subprocess.run(["xdotool", "search", "--all", "--pid", str(pid), "--name", TITLE_X],
                           env=env, capture_output=True, text=True)
    for window in found.stdout.split():
        name = subprocess.run(["xdotool", "getwindowname", window], env=env, capture_output=True)
        text = name.stdout.decode(errors="replace").strip()
        if TITLE.match(text):
            return text
    return None


def all_captions(display):
    env = {**os.environ, "DISPLAY": display}
    out = subprocess.run(["xdotool", "search", "--name", "."], env=env, capture_output=True, text=True)
    names = []
    for window in out.stdout.split():
        name = subprocess.run(["xdotool", "getwindowname", window], env=env, capture_output=True)
        names.append(name.stdout.decode(errors="replace").strip())
    return names


def load_once(program, kind, display, log):
    """ms measured by the page, ms from exec to the caption, connections the images came
    over; checks every image came over the protocol wanted."""
    home = tempfile.mkdtemp(prefix="zemora-http2-home-")
    env = {**os.environ, **EXTRA_ENV, "DISPLAY": display, "HOME": home,
           "XDG_CONFIG_HOME": f"{home}/.config", "XDG_CACHE_HOME": f"{home}/.cache",
           "XDG_DATA_HOME": f"{home}/.local/share"}
    url = f"https://{HOST}:{PORTS[kind]}/"
    log.since_last()
    start = time.monotonic()
    proc = subprocess.Popen([PROGRAMS[program], url], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        while (text := caption(display, proc.pid)) is None:
            if proc.poll() is not None:
                raise RuntimeError(f"{program} ended ({proc.returncode}) before the page loaded")
            if time.monotonic() - start > 30:
                raise TimeoutError(f"{program} {kind}: no load after 30 s; windows: {all_captions(display)}")
            time.sleep(0.02)
        wall = time.monotonic() - start
    finally:
        proc.terminate()
        proc.wait()
        shutil.rmtree(home, ignore_errors=True)
    page_ms, ok, total = map(int, TITLE.match(text).groups())
    if ok != IMAGES or total != IMAGES:
        raise RuntimeError(f"{program} {kind}: {ok} of {total} images loaded ({text!r})")
    images = [r for r in log.since_last() if len(r) == 5 and r[3].startswith("/img/")]
    wrong = [r for r in images if r[0] != str(PORTS[kind]) or r[1] != PROTOCOLS[kind] or r[2] != "200"]
    if len(images) < IMAGES or wrong:
        raise RuntimeError(f"{program} {kind}: {len(images)} image requests, not as expected: {wrong[:3]}")
    return page_ms, wall * 1000, len({r[4] for r in images})


def load(program, kind, display, log, tries=3):
    for _ in range(tries):
        try:
            return load_once(program, kind, display, log)
        except TimeoutError as e:
            print(f"{e}; retrying", file=sys.stderr)
    raise RuntimeError(f"{program} {kind}: no load in {tries} tries")


def main():
    # The bind mounts below would otherwise replace the machine's own files.
    if os.readlink("/proc/self/ns/mnt") == os.readlink(f"/proc/{os.getppid()}/ns/mnt"):
        sys.exit("run through bench/http2.sh: it needs a mount namespace of its own")
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 5
    work = tempfile.mkdtemp(prefix="zemora-http2-")
    nginx = xvfb = None
    try:
        make_certificates(work)
        with open("/etc/hosts") as f:
            bind_over("/etc/hosts", f.read() + f"\n127.0.0.1 {HOST}\n", work, "hosts")
        with open(SYSTEM_BUNDLE) as f, open(f"{work}/ca.pem") as ca:
            bind_over(SYSTEM_BUNDLE, f.read() + "\n" + ca.read(), work, "bundle.crt")
        nginx = start_nginx(work)
        check_protocols()
        xvfb, display = start_display()
        log = Log(f"{work}/access.log")
        # The first load of each also shows the engine took the certificate (an error page
        # never sets the title) and warms the file cache.
        for program, kind in CASES:
            page, _, connections = load(program, kind, display, log)
            print(f"check: {program} over {kind}: certificate accepted, {IMAGES} images over "
                  f"{PROTOCOLS[kind]} on {connections} connection(s), {page} ms", file=sys.stderr)
        results = {case: [] for case in CASES}
        for _ in range(runs):
            for case in CASES:
                results[case].append(load(*case, display, log))
    finally:
        for p in (xvfb, nginx):
            if p:
                p.terminate()
                p.wait()
        shutil.rmtree(work, ignore_errors=True)

    print(f"runs: {runs} each, alternating; {IMAGES} images, each {DELAY * 1000:.0f} ms late; "
          f"BENCH_ENV={os.environ.get('BENCH_ENV', '')!r}")
    print(f"{'program':8} {'over':5} {'page load ms':>13} {'exec to title ms':>17} {'connections':>12}   per run (page load ms)")
    med = {}
    for (program, kind), r in results.items():
        med[(program, kind)] = statistics.median(p for p, _, _ in r)
        print(f"{program:8} {kind:5} {med[(program, kind)]:13.0f} {statistics.median(w for _, w, _ in r):17.0f} "
              f"{statistics.median(c for _, _, c in r):12.0f}   "
              + " ".join(str(p) for p, _, _ in r))
    print(f"zemora h2 / floor h2     {med[('zemora', 'h2')] / med[('floor', 'h2')]:.3f}  (goal <= 1.1)")
    print(f"zemora h2 / zemora h1.1  {med[('zemora', 'h2')] / med[('zemora', 'h1.1')]:.3f}  (goal <= 0.6)")
    print(f"floor h2 / floor h1.1    {med[('floor', 'h2')] / med[('floor', 'h1.1')]:.3f}")


if __name__ == "__main__":
    main()
