#!/usr/bin/env bash
# A teacher's `make run` installs only what building and running the program need: not one package of the
# test kit that `make test` adds, and `make test` every one of them. Read from what make would do (make -n).
set -euo pipefail
cd "$1"
unset MAKEFLAGS MFLAGS MAKELEVEL # run from make test: this make is a fresh one, not a part of it
parole() { make -n "$1" BUILD=build-pacchetti SAN_BUILD=build-pacchetti | tr -s ' \t;\\' '\n'; }
kit=$(make -pn run | sed -n 's/^TEST_PACKAGES := //p')
[ -n "$kit" ] || { echo "ERRORE: no TEST_PACKAGES in the Makefile" >&2; exit 1; }
run=$(parole run) test=$(parole test) errori=0
for p in $kit; do
    grep -qxF -- "$p" <<<"$run" && { echo "ERRORE: make run installs $p, which only the tests use" >&2; errori=1; }
    grep -qxF -- "$p" <<<"$test" || { echo "ERRORE: make test does not install $p" >&2; errori=1; }
done
[ "$errori" = 0 ] && echo "make run: $(wc -w <<<"$kit") packages of the test kit left out, all in make test"
