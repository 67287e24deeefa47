#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks what installing puts on a system, in a temporary tree of its own.
# Usage: install_checks.sh tree|validate|mime|caches|package BUILD_DIR
#   tree      cmake --install under a prefix and DESTDIR: every expected file, and nothing
#             written outside DESTDIR
#   caches    cmake --install to a prefix without DESTDIR updates the MIME, menu and icon caches
#             there, so the file types work at once
#   validate  the desktop entries and AppStream files by their own validators
#   mime      the MIME database built from the installed package knows both file kinds by
#             extension and by content
#   package   cpack -G DEB: the package's contents and its dependencies, and lintian --pedantic
#             finds nothing to warn about
# Exits 77 (skipped) when a tool the check needs is missing.
set -euo pipefail
mode=$1 build=$2

need() {
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
}
fail() { echo "FAIL: $*"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Installs under an unusual prefix through DESTDIR; sets $root to the installed prefix.
install_tree() {
  prefix=/opt/tavrin-install-check-$$
  DESTDIR=$work/dest cmake --install "$build" --prefix "$prefix" >"$work/install.log" ||
    { cat "$work/install.log"; fail "cmake --install failed"; }
  [ ! -e "$prefix" ] || fail "installing wrote to $prefix outside DESTDIR"
  root=$work/dest$prefix
}

png_size() { # prints the width and height from a PNG's header
  od -An -tu1 -j16 -N8 "$1" | awk '{print $3 * 256 + $4 "x" $7 * 256 + $8}'
}

case $mode in
tree)
  need cmake od
  install_tree
  expected=(
    bin/tavrin bin/quelda
    share/man/man1/tavrin.1.gz share/man/man1/quelda.1.gz
    share/man/ja/man1/tavrin.1.gz share/man/ja/man1/quelda.1.gz
    share/doc/tavrin/copyright share/doc/tavrin/changelog.gz
    share/applications/org.tavrin.Tavrin.desktop share/applications/org.tavrin.Quelda.desktop
    share/metainfo/org.tavrin.Tavrin.metainfo.xml share/metainfo/org.tavrin.Quelda.metainfo.xml
    share/mime/packages/tavrin.xml
  )
  for icon in apps/org.tavrin.Tavrin apps/org.tavrin.Quelda \
      mimetypes/application-x-tavrin-config mimetypes/application-x-quelda-config; do
    expected+=("share/icons/hicolor/scalable/$icon.svg")
    for size in 16 32 48 64 128 256; do
      expected+=("share/icons/hicolor/${size}x${size}/$icon.png")
    done
  done
  for f in "${expected[@]}"; do
    [ -s "$root/$f" ] || fail "$f is not installed"
  done
  for f in bin/tavrin bin/quelda; do [ -x "$root/$f" ] || fail "$f is not executable"; done
  for png in "$root"/share/icons/hicolor/*x*/*/*.png; do
    dir=$(basename "$(dirname "$(dirname "$png")")")
    [ "$(png_size "$png")" = "$dir" ] || fail "$png is $(png_size "$png"), not $dir"
  done
  # Programs still to come install with their manual pages once they exist.
  for program in tvdrv-sim tvrtool; do
    if [ -e "$root/bin/$program" ] && [ ! -e "$root/share/man/man1/$program.1.gz" ]; then
      fail "$program is installed without its manual page"
    fi
  done
  if [ -e "$root/bin/tvrtool" ]; then
    for f in share/tvrtool/tvrtool-layout.schema.json share/bash-completion/completions/tvrtool \
        share/zsh/vendor-completions/_tvrtool share/fish/vendor_completions.d/tvrtool.fish; do
      [ -s "$root/$f" ] || fail "tvrtool is installed without $f"
    done
    bash -n "$root/share/bash-completion/completions/tvrtool" || fail "the bash completion"
  fi
  for page in "$root"/share/man/man1/* "$root"/share/man/ja/man1/*; do
    gzip -t "$page" || fail "$page is not gzip-compressed"
  done
  # No cache of the system's: those belong to the system, refreshed when a package lands.
  for cache in share/mime/mime.cache share/applications/mimeinfo.cache \
      share/icons/hicolor/icon-theme.cache; do
    [ ! -e "$root/$cache" ] || fail "installing under DESTDIR wrote $cache"
  done
  count=$(find "$root" -type f | wc -l)
  echo "PASS: $count files installed under DESTDIR$prefix"
  ;;
validate)
  need cmake desktop-file-validate appstreamcli
  install_tree
  desktop-file-validate "$root"/share/applications/*.desktop || fail "desktop entries"
  # Offline: the validator must not reach out for anything the files name.
  appstreamcli validate --no-net "$root"/share/metainfo/*.metainfo.xml || fail "AppStream files"
  # The whole tree: each AppStream file against its desktop entry and icon.
  appstreamcli validate-tree --no-net "$root" || fail "installed tree"
  echo PASS
  ;;
caches)
  need cmake update-mime-database update-desktop-database
  prefix=$work/prefix
  env -u DESTDIR cmake --install "$build" --prefix "$prefix" >"$work/install.log" ||
    { cat "$work/install.log"; fail "cmake --install failed"; }
  [ -s "$prefix/share/mime/mime.cache" ] || fail "the MIME cache was not updated"
  grep -q x-tavrin-config "$prefix/share/mime/types" || fail "the MIME types do not know .tvr"
  grep -q 'application/x-tavrin-config=org.tavrin.Tavrin.desktop' \
    "$prefix/share/applications/mimeinfo.cache" || fail "the menu cache does not open .tvr"
  if command -v gtk-update-icon-cache >/dev/null; then
    [ -s "$prefix/share/icons/hicolor/icon-theme.cache" ] || fail "the icon cache was not updated"
  fi
  echo PASS
  ;;
mime)
  need cmake update-mime-database
  if command -v gio >/dev/null; then
    filetype() { gio info -a standard::content-type "$1" | awk '/content-type:/ {print $2}'; }
  elif command -v mimetype >/dev/null; then
    filetype() { mimetype --brief "$1"; }
  else
    echo "SKIP: neither gio nor mimetype is installed"; exit 77
  fi
  install_tree
  update-mime-database "$root/share/mime" 2>"$work/mime.log" || { cat "$work/mime.log"; fail "update-mime-database"; }
  # Only the freshly built database, then the system's for the types everyone knows.
  export XDG_DATA_HOME=$work/nohome XDG_DATA_DIRS=$root/share:/usr/share
  files=$work/files
  mkdir -p "$files"
  { printf TVRN; head -c 7728 /dev/zero; } >"$files/shop.tvr"
  { printf MGKY; head -c 644 /dev/zero; } >"$files/lock.qld"
  cp "$files/shop.tvr" "$files/shop-layout-copy"
  cp "$files/lock.qld" "$files/lock-backup"
  # The mark counts only at the very start of a file.
  { printf ' TVRN'; head -c 100 /dev/zero; } >"$files/not-a-layout"
  status=0
  while read -r name type; do
    got=$(filetype "$files/$name")
    if [ "$got" = "$type" ]; then
      echo "ok   $name: $got"
    else
      echo "FAIL $name: $got, expected $type"
      status=1
    fi
  done <<'EOF'
shop.tvr application/x-tavrin-config
lock.qld application/x-quelda-config
shop-layout-copy application/x-tavrin-config
lock-backup application/x-quelda-config
EOF
  got=$(filetype "$files/not-a-layout")
  if [ "$got" = application/x-tavrin-config ]; then
    echo "FAIL not-a-layout: taken for a layout"; status=1
  fi
  exit $status
  ;;
package)
  need cpack dpkg-deb dpkg-shlibdeps lintian
  cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" ||
    { cat "$work/cpack.log"; fail "cpack"; }
  deb=$(ls "$work"/package/*.deb)
  echo "== $(basename "$deb")"
  dpkg-deb --field "$deb" Package Version Architecture Depends
  dpkg-deb --contents "$deb" | awk '{print $6}' >"$work/contents"
  cat "$work/contents"
  for f in ./usr/bin/tavrin ./usr/bin/quelda ./usr/share/applications/org.tavrin.Tavrin.desktop \
      ./usr/share/mime/packages/tavrin.xml ./usr/share/man/man1/tavrin.1.gz \
      ./usr/share/icons/hicolor/48x48/apps/org.tavrin.Quelda.png ./usr/share/doc/tavrin/copyright \
      ./usr/share/doc/tavrin/changelog.gz; do
    grep -qx "$f" "$work/contents" || fail "$f is not in the package"
  done
  depends=$(dpkg-deb --field "$deb" Depends)
  for lib in libc6 libqt6core6 libqt6gui6 libqt6widgets6; do
    grep -q "\\b$lib\\b" <<<"$depends" || fail "the package does not depend on $lib"
  done
  # No scripts: the system's own triggers refresh the menu, MIME and icon caches.
  dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -E 'postinst|prerm|postrm' && fail "maintainer scripts in the package"
  grep -E 'mime\.cache|mimeinfo\.cache|icon-theme\.cache' "$work/contents" && fail "a system cache in the package"
  # Debian's own checks, the pedantic ones included: no error and no warning.
  lintian --pedantic --no-tag-display-limit "$deb" >"$work/lintian.log" 2>&1 || true
  cat "$work/lintian.log"
  if grep -E '^[EW]: ' "$work/lintian.log"; then fail "lintian finds errors or warnings"; fi
  echo PASS
  ;;
*)
  fail "unknown check $mode"
  ;;
esac
