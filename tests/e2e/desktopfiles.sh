#!/usr/bin/env bash
# The desktop files as a desktop and a software centre read them, and the Debian package:
# desktop-file-validate on the entry, appstreamcli on the metainfo, the file type and the manual
# page, all from a cmake --install into a temporary prefix; then cpack -G DEB, the package's files,
# and, only as root in CI (CI=true), dpkg -i into the real system, the program run from there,
# dpkg -r and the files gone again.
#
#   desktopfiles.sh <build folder>
#
# A missing tool skips its check with a line; exit code 77 (skipped) when no check could run.
set -uo pipefail

BUILD=${1:?build folder}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
PREFIX="$WORK/prefix"
RAN=0
fail() {
    echo "FAIL: $*"
    exit 1
}
have() {
    command -v "$1" >/dev/null 2>&1 && return 0
    echo "SKIP: $1 is not installed (Debian package $2)"
    return 1
}

cmake --install "$BUILD" --prefix "$PREFIX" >"$WORK/install.log" 2>&1 || { cat "$WORK/install.log"; fail "cmake --install"; }
ICONS=""
for size in 16 32 48 64 128 256; do
    ICONS="$ICONS share/icons/hicolor/${size}x${size}/apps/zuvrack.png"
done
FILES="bin/zuvrack share/applications/zuvrack.desktop share/mime/packages/zuvrack.xml share/man/man1/zuvrack.1 $ICONS"
METAINFO=$(ls "$PREFIX"/share/metainfo/*.metainfo.xml 2>/dev/null)
[ -n "$METAINFO" ] || fail "no metainfo installed"
for f in $FILES; do
    [ -e "$PREFIX/$f" ] || fail "not installed: $f"
done
grep -qx "Exec=$PREFIX/bin/zuvrack %f" "$PREFIX/share/applications/zuvrack.desktop" || fail "Exec does not open the file"
grep -qx "MimeType=application/x-zuvrack-project;" "$PREFIX/share/applications/zuvrack.desktop" || fail "no MimeType"

if have desktop-file-validate desktop-file-utils; then
    desktop-file-validate "$PREFIX/share/applications/zuvrack.desktop" || fail "desktop-file-validate"
    echo "ok: desktop-file-validate"
    RAN=1
fi
if have appstreamcli appstream; then
    appstreamcli validate --no-net "$METAINFO" || fail "appstreamcli validate"
    echo "ok: appstreamcli validate --no-net"
    RAN=1
fi
if have update-mime-database shared-mime-info; then
    mkdir -p "$WORK/mime/packages" && cp "$PREFIX/share/mime/packages/zuvrack.xml" "$WORK/mime/packages/"
    update-mime-database "$WORK/mime" 2>/dev/null || fail "update-mime-database"
    grep -q '^application/x-zuvrack-project:\*\.zvr$' "$WORK/mime/globs" || fail "*.zvr is not the project type"
    echo "ok: the mime type"
    RAN=1
fi
if have groff groff-base; then
    [ -z "$(groff -k -man -Tutf8 -ww -z "$PREFIX/share/man/man1/zuvrack.1" 2>&1)" ] || fail "groff warns on the manual page"
    echo "ok: the manual page"
    RAN=1
fi

if have cpack cmake && have dpkg-deb dpkg; then
    (cd "$BUILD" && cpack -G DEB -B "$WORK/package") >"$WORK/cpack.log" 2>&1 || { cat "$WORK/cpack.log"; fail "cpack -G DEB"; }
    DEB=$(ls "$WORK"/package/zuvrack_*.deb 2>/dev/null)
    [ -n "$DEB" ] || fail "cpack made no .deb"
    dpkg-deb -c "$DEB" | awk '{print $6}' >"$WORK/contents"
    for f in $FILES share/metainfo/$(basename "$METAINFO"); do
        grep -qx "./usr/$f" "$WORK/contents" || fail "not in the package: /usr/$f"
    done
    dpkg-deb -f "$DEB" Depends | grep -q libqt6widgets6 || fail "the package does not depend on Qt"
    echo "ok: cpack -G DEB ($(basename "$DEB"))"
    RAN=1
    if [ "${CI:-}" = "true" ] && [ "$(id -u)" = 0 ]; then
        dpkg -i "$DEB" || fail "dpkg -i"
        for f in $FILES; do
            [ -e "/usr/$f" ] || { dpkg -r zuvrack; fail "dpkg -i did not install /usr/$f"; }
        done
        VERSION=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM /usr/bin/zuvrack --version)
        dpkg -r zuvrack || fail "dpkg -r"
        [ "$VERSION" = "zuvrack 0.1.0" ] || fail "the installed program says '$VERSION'"
        for f in $FILES; do
            [ ! -e "/usr/$f" ] || fail "dpkg -r left /usr/$f"
        done
        echo "ok: dpkg -i, the installed program, dpkg -r"
    else
        echo "SKIP: dpkg -i and -r run only as root in CI (CI=true)"
    fi
fi
[ "$RAN" = 1 ] || exit 77
echo "PASS"
