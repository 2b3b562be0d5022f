#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks that every file a
# desktop and a shell need is there, the AppStream file with the version.
set -euo pipefail
build=$1
app_id=$2
version=$3
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
missing=0
for file in \
  bin/mendwright-cli \
  share/applications/$app_id.desktop \
  share/metainfo/$app_id.metainfo.xml \
  share/mime/packages/$app_id.xml \
  share/icons/hicolor/scalable/apps/$app_id.svg \
  share/icons/hicolor/16x16/apps/$app_id.png \
  share/icons/hicolor/48x48/apps/$app_id.png \
  share/icons/hicolor/256x256/apps/$app_id.png \
  share/man/man1/mendwright.1 \
  share/man/man1/mendwright-cli.1 \
  share/bash-completion/completions/mendwright-cli; do
  if [ ! -e "$prefix/$file" ]; then
    echo "missing after install: $file"
    missing=1
  fi
done
if ! grep -q "<release version=\"$version\"" "$prefix/share/metainfo/$app_id.metainfo.xml"; then
  echo "the AppStream release is not version $version"
  missing=1
fi
# The windowed program is installed when it is built.
if [ -x "$build/qt/mendwright" ] && [ ! -x "$prefix/bin/mendwright" ]; then
  echo "missing after install: bin/mendwright"
  missing=1
fi
# The manual page opens, and the completion loads and offers the commands.
if ! MANPATH="$prefix/share/man" man -w mendwright-cli >/dev/null 2>&1 && command -v man >/dev/null; then
  echo "man does not find mendwright-cli in the installed prefix"
  missing=1
fi
completion=$prefix/share/bash-completion/completions/mendwright-cli
if [ -r /usr/share/bash-completion/bash_completion ] &&
  ! bash -c 'source /usr/share/bash-completion/bash_completion && source "$1" &&
    COMP_WORDS=(mendwright-cli ver) COMP_CWORD=1 COMP_LINE="mendwright-cli ver" COMP_POINT=18 &&
    _mendwright_cli mendwright-cli ver mendwright-cli && [ "${COMPREPLY[*]}" = verify ]' _ "$completion"; then
  echo "the bash completion does not load or does not complete the commands"
  missing=1
fi
exit $missing
