#!/bin/sh
# Starts Tarvel in the user's app dir, made from the installation tree: $TARVEL_HOME, else
# ${XDG_DATA_HOME:-~/.local/share}/tarvel. Program files (pictures, help, the external player's
# plug-in) are refreshed on every start; the user's library, playlists and settings are never
# overwritten. Files named on the command line are added to the playlist and the first one
# plays; when Tarvel runs already, it is given them instead.
# The installation tree is ../lib/tarvel beside this script, or $TARVEL_DIST when that is set.
set -eu
here=$(dirname "$(readlink -f "$0")")
dist="${TARVEL_DIST:-$here/../lib/tarvel}"
app_dir="${TARVEL_HOME:-${XDG_DATA_HOME:-$HOME/.local/share}/tarvel}"

# The player runs in the app dir: relative file names are made absolute first.
count=$#
while [ "$count" -gt 0 ]; do
  arg=$1
  shift
  case "$arg" in
    /* | -*) ;;
    *) arg="$PWD/$arg" ;;
  esac
  set -- "$@" "$arg"
  count=$((count - 1))
done

mkdir -p "$app_dir/sort" "$app_dir/TvSysFile"
for folder in Pictures help ForApollo; do
  rm -rf "${app_dir:?}/$folder"
  cp -R "$dist/$folder" "$app_dir/$folder"
done
# Shipped settings fill in only what the user does not have yet.
for file in "$dist/TvSysFile/"*; do
  [ -e "$app_dir/TvSysFile/${file##*/}" ] || cp "$file" "$app_dir/TvSysFile/"
done
cd "$app_dir"
exec "$dist/tarvel" "$@"
