#!/usr/bin/env bash
# Fetches Debian's own source package of qt6-base into the folder $1, at the version the Linux build
# uses, through a private apt configuration: its own sources list, lists and cache, with the deb-src
# entries derived from the deb entries this machine already has. The machine's apt setup is not touched.
set -euo pipefail

destinazione=$1
apt_privato=$destinazione/apt
mkdir -p "$apt_privato"/{lists/partial,cache/archives/partial,sources.list.d}
: >"$apt_privato/sources.list"

# One-line entries: every enabled "deb" line becomes "deb-src"; deb822 files: Types gains deb-src.
shopt -s nullglob
for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$file" ] || continue
    sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$file" >>"$apt_privato/sources.list"
done
for file in /etc/apt/sources.list.d/*.sources; do
    sed -E 's/^Types:.*/Types: deb-src/I' "$file" >"$apt_privato/sources.list.d/$(basename "$file")"
done

cat >"$apt_privato/apt.conf" <<CONF
Dir::Etc::SourceList "$apt_privato/sources.list";
Dir::Etc::SourceParts "$apt_privato/sources.list.d";
Dir::State::Lists "$apt_privato/lists";
Dir::Cache "$apt_privato/cache";
Dir::Cache::pkgcache "";
Dir::Cache::srcpkgcache "";
APT::Sandbox::User "root";
CONF
export APT_CONFIG=$apt_privato/apt.conf

versione=$(dpkg-query -W -f='${Version}' qt6-base-dev)
apt-get update -qq
cd "$destinazione"
apt-get source -qq "qt6-base=$versione"
