#!/usr/bin/env bash
# cpack makes a Debian package of the build that holds the programs, the
# desktop files, the help pages, the manual pages and the metadata under
# /usr, with its dependencies from dpkg-shlibdeps.
#
#   deb_test.sh CPACK BUILD_DIR WORK_DIR VERSION
set -euo pipefail
cpack=$1
build=$2
work=$3
version=$4

for tool in dpkg-deb dpkg-shlibdeps; do
    if ! command -v "$tool" >/dev/null; then
        echo "$tool is missing (Debian package dpkg-dev): no package to check"
        exit 77
    fi
done

rm -rf "$work"
mkdir -p "$work"
if ! "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    exit 1
fi
debs=("$work"/*.deb)
if [[ ${#debs[@]} -ne 1 || ! -f ${debs[0]} ]]; then
    echo "cpack made no single package: ${debs[*]}"
    exit 1
fi
deb=${debs[0]}

status=0
fail() {
    echo "$(basename "$deb"): $*"
    status=1
}

info=$(dpkg-deb -I "$deb")
field() { sed -n "s/^ $1: //p" <<<"$info"; }
[[ $(field Package) == quirl32 ]] || fail "package name $(field Package)"
[[ $(field Version) == "$version" ]] || fail "version $(field Version), not $version"
[[ $(field Section) == graphics ]] || fail "section $(field Section)"
depends=$(field Depends)
# The packages' names, one a line, without their versions.
names=$(sed -E -e 's/ \([^)]*\)//g' -e 's/, /\n/g' <<<"$depends")
for library in libc6 libstdc++6 libpng16-16 libqt6core6 libqt6gui6 libqt6widgets6 \
    libqt6printsupport6 libqt6network6; do
    grep -qxF "$library" <<<"$names" || fail "does not depend on $library: $depends"
done

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
metainfo=usr/share/metainfo/io.github.quirl32.Quirl32.metainfo.xml
expected=(usr/bin/quirl32 usr/bin/quirl32-render
    usr/share/applications/quirl32.desktop usr/share/mime/packages/quirl32.xml
    usr/share/doc/quirl32/html/index.html
    usr/share/man/man1/quirl32.1.gz usr/share/man/man1/quirl32-render.1.gz "$metainfo")
for size in 16 32 48 256; do
    expected+=("usr/share/icons/hicolor/${size}x$size/apps/quirl32.png"
        "usr/share/icons/hicolor/${size}x$size/mimetypes/application-x-quirl32.png")
done
for file in "${expected[@]}"; do
    grep -qx "\./$file" <<<"$contents" || fail "does not hold $file"
done
# Only what is ours: no file outside /usr, none of the desktop's own caches.
while read -r path; do
    case "$path" in
    ./ | ./usr/*) ;;
    *) fail "holds $path outside /usr" ;;
    esac
done <<<"$contents"
for cache in usr/share/mime/mime.cache usr/share/applications/mimeinfo.cache; do
    if grep -qx "\./$cache" <<<"$contents"; then
        fail "holds the desktop's cache $cache"
    fi
done

# The metadata launches the desktop entry the package holds.
dpkg-deb -x "$deb" "$work/root"
launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' \
    "$work/root/$metainfo")
[[ -f $work/root/usr/share/applications/$launchable ]] ||
    fail "the metadata launches '$launchable', which the package does not hold"
rm -rf "$work"
exit "$status"
