#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks that every file a
# desktop and a shell need is there.
set -euo pipefail
build=$1
app_id=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
missing=0
for file in \
  bin/mendwright-cli \
  share/applications/$app_id.desktop \
  share/metainfo/$app_id.metainfo.xml \
  share/icons/hicolor/scalable/apps/$app_id.svg; do
  if [ ! -e "$prefix/$file" ]; then
    echo "missing after install: $file"
    missing=1
  fi
done
# The windowed program is installed when it is built.
if [ -x "$build/app/mendwright" ] && [ ! -x "$prefix/bin/mendwright" ]; then
  echo "missing after install: bin/mendwright"
  missing=1
fi
exit $missing
