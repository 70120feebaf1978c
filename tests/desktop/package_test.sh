#!/usr/bin/env bash
# Builds the Debian package from the build tree, has lintian check it, and unpacks it into
# a scratch root for the tests that run the installed program:
#   package_test.sh BUILD_DIR OUT_DIR     (the root is OUT_DIR/root)
set -euo pipefail
build=$1
out=$2
rm -rf "$out"
mkdir -p "$out"
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$out/cpack" >"$out/cpack.log" 2>&1 ||
  { cat "$out/cpack.log" >&2; fail "cpack"; }
debs=("$out"/cpack/zemora_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one package, found: ${debs[*]}"
deb=${debs[0]}
echo "Package: $deb"

# Errors fail; warnings are shown.
lintian --tag-display-limit 0 "$deb" 2>&1 | grep -v 'running with root privileges' | tee "$out/lintian.log" || true
if grep -q '^E:' "$out/lintian.log"; then fail "lintian reports errors"; fi

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for dep in bubblewrap xdg-dbus-proxy fonts-wqy-microhei libwebkit2gtk-4.1-0 libwxgtk3.2-1 libc6; do
  [[ ", $depends," == *", $dep"[\ ,]* ]] || fail "Depends lacks $dep"
done
[ "$(dpkg-deb -f "$deb" Version)" = 1.0.0.0 ] || fail "version is not 1.0.0.0"

root=$out/root
dpkg-deb -x "$deb" "$root"
for f in usr/bin/zemora usr/share/applications/zemora.desktop \
         usr/share/metainfo/invalid.zemora.Zemora.metainfo.xml usr/share/man/man1/zemora.1.gz \
         usr/share/doc/zemora/copyright usr/share/doc/zemora/changelog.gz \
         usr/share/icons/hicolor/scalable/apps/zemora.svg usr/share/icons/hicolor/48x48/apps/zemora.png; do
  [ -f "$root/$f" ] || fail "package lacks /$f"
done
file "$root/usr/bin/zemora" | grep -q ', stripped' || fail "the program is not stripped"
zcat "$root/usr/share/man/man1/zemora.1.gz" | grep -q '^\.TH ZEMORA 1' || fail "manual page"
desktop-file-validate "$root/usr/share/applications/zemora.desktop" || fail "installed desktop entry"
appstreamcli validate --no-net "$root/usr/share/metainfo/invalid.zemora.Zemora.metainfo.xml" >/dev/null ||
  fail "installed metainfo"
# The installed program answers without a display.
version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/zemora" --version)
[[ "$version" =~ ^"zemora 1.0.0.0 (WebKitGTK "[0-9]+\.[0-9]+\.[0-9]+")"$ ]] || fail "--version printed '$version'"
# The engine's 4.1 API alone: the old one and its HTTP library are never loaded.
for old in libwebkit2gtk-4.0 libsoup-2.4 libwx_gtk3u_webview; do
  [[ "$depends" != *"$old"* ]] || fail "Depends names $old"
done
echo "Package checked and unpacked into $root"
