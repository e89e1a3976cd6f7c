#!/usr/bin/env bash
# Builds the Debian package crustex_<version>_<arch>.deb with CPack in
# build/package/, reusing the Release build in build/ (configured for the
# prefix /usr; only the two start-ups are rebuilt for it).
#   scripts/package.sh           the package
#   scripts/package.sh --check   also validate the desktop entry, the AppStream
#                                data and the package (lintian), unpack it into
#                                a scratch root, install the build under another
#                                prefix, and render an installed example with
#                                each from another directory
# Needs dpkg-dev (dpkg-shlibdeps); --check also lintian, desktop-file-utils
# and appstream; setup-deps.sh installs them when missing.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build"
check=false
[ "${1:-}" = "--check" ] && check=true
umask 022

packages=(dpkg-dev)
$check && packages+=(lintian desktop-file-utils appstream)
"$root/scripts/setup-deps.sh" "${packages[@]}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build "$build" -j "$(nproc)"
rm -rf "$build/package"
(cd "$build" && cpack -B "$build/package" >/dev/null)
deb=$(ls "$build"/package/crustex_*.deb)
echo "$deb ($(du -h "$deb" | cut -f1))"
$check || exit 0

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
status=0
fail() { echo "package.sh: $*" >&2; status=1; }

echo "== lintian"
lintian --fail-on error,warning "$deb" || fail "lintian reported errors or warnings"

echo "== unpacked into a scratch root"
dpkg -x "$deb" "$scratch/root"
desktop-file-validate "$scratch"/root/usr/share/applications/*.desktop || fail "desktop entry"
appstreamcli validate --no-net "$scratch"/root/usr/share/metainfo/*.metainfo.xml || fail "AppStream data"

echo "== installed under another prefix"
cmake --install "$build" --prefix "$scratch/prefix" >/dev/null

# Each installation renders its own example from another directory with its
# own data (an empty configuration directory, so no settings file points
# elsewhere): the map, topography and catalogue of the Hualien example. The
# picture must be the one the build tree draws from the source tree's data.
mkdir -p "$scratch/work" "$scratch/config"
example=hualien.wrk.txt
(cd "$root" && XDG_CONFIG_HOME="$scratch/config" \
   "$build/crustex-batch" render "examples/$example" -o "$scratch/reference.png")
for prefix in "$scratch/root/usr" "$scratch/prefix"; do
  out="$scratch/work/$(basename "$prefix").png"
  if ! (cd "$scratch/work" && XDG_CONFIG_HOME="$scratch/config" \
          "$prefix/bin/crustex-batch" render "$prefix/share/crustex/examples/$example" -o "$out"); then
    fail "$prefix/bin/crustex-batch could not render $example"
  elif ! cmp -s "$out" "$scratch/reference.png"; then
    fail "$prefix/bin/crustex-batch drew $example unlike the build tree (data not found?)"
  else
    echo "$prefix: $example rendered from $scratch/work"
  fi
done
# The Python module of each installation, when the build has one, gives the
# build tree's values for the same example.
if [ -d "$build/python/crustex" ]; then
  probe='import crustex, sys; m = crustex.read_model(sys.argv[1]); print(crustex.grid(m, "uz")["uz"].tobytes().hex())'
  reference=$(cd "$scratch/work" && PYTHONPATH="$build/python" /usr/bin/python3 -c "$probe" \
                "$root/examples/$example")
  for site in "$scratch/root/usr/lib/python3/dist-packages" "$scratch/prefix/lib/python3/dist-packages"; do
    got=$(cd "$scratch/work" && PYTHONPATH="$site" /usr/bin/python3 -c "$probe" \
            "$root/examples/$example") || { fail "crustex cannot be imported from $site"; continue; }
    [ "$got" = "$reference" ] || fail "the Python module in $site gives other values"
  done
fi
for program in crustex crustex-batch crustex-convert; do
  "$scratch/root/usr/bin/$program" --help >/dev/null || fail "$program --help"
done
[ -z "$(ls -A "$scratch/config")" ] || fail "a batch run wrote into the configuration directory"
exit $status
