# The two commands a teacher or a developer needs: `make run` and `make test`.
# Both install what is missing on Debian 12, configure and build first.

BUILD      ?= build
JOBS       ?= 2
SUDO       := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
# What each package is for. `make run` installs only what building and running the program need:
# make, cmake, g++, qt6-base-dev (with Qt's platform plugins); Qt's Italian texts (qt6-translations-l10n);
# the fonts the screens and the page ask for (fonts-liberation, fontconfig); libcups2-dev, through which the
# page goes to the print queue; qt6-speech-dev, through which the voice speaks (its CMake package also wants
# qt6-declarative-dev); python3, which makes the teacher's guide one file at every build.
PACKAGES      := make cmake g++ qt6-base-dev qt6-translations-l10n fonts-liberation fontconfig libcups2-dev \
                 qt6-speech-dev qt6-declarative-dev python3
# `make test` adds the test kit, which a machine that only runs the program never needs:
# - the print tests read the PDF's words and places with pdftotext (poppler-utils), and run a CUPS
#   scheduler of their own, administered with CUPS's commands (cups, cups-client);
# - the package test (tests/pacchetto.sh): dpkg-deb and dpkg-parsechangelog (dpkg-dev), appstreamcli
#   (appstream), and lintian, as a distribution's maintainer would check the package;
# - the X server tests (tests/x11_*.py, Debian's own python3): Xvfb (xvfb), the window manager (openbox),
#   xset (x11-xserver-utils), xprop, xwininfo and xev (x11-utils), xdotool, a session bus (dbus) and the
#   accessibility bus and its Python bindings (at-spi2-core, python3-pyatspi);
# - make format and make format-check, which CI runs after the tests: clang-format;
# - make screenshots photographs windows with imagemagick (the printed page is drawn by pdftoppm, from
#   poppler-utils; the X server and its tools are the X server tests');
# - the voice's test runs a speech-dispatcher of its own, reached through Qt TextToSpeech's engine for it
#   (speech-dispatcher, qt6-speech-speechd-plugin).
TEST_PACKAGES := poppler-utils cups cups-client dpkg-dev appstream lintian xvfb xdotool x11-utils x11-xserver-utils \
                 dbus at-spi2-core python3-pyatspi openbox clang-format imagemagick speech-dispatcher \
                 qt6-speech-speechd-plugin
CMAKE_ARGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps deps-test build run test package format format-check clean

all: build

# Installs only the packages that are not there yet, so a machine that has them all is left alone. When
# another apt or dpkg runs (a second build, the system's own updates), it waits for it instead of failing.
deps:
	@missing=""; for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	    echo "Installing:$$missing"; \
	    $(SUDO) apt-get -o DPkg::Lock::Timeout=600 update -qq && \
	    DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get -o DPkg::Lock::Timeout=600 install -y -qq \
	        --no-install-recommends $$missing; \
	fi

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(CMAKE_ARGS)

# Without sudo, root installs once what the other user's make then finds: su -c 'make deps' for make run,
# su -c 'make deps-test' for make test.
deps-test: PACKAGES += $(TEST_PACKAGES)
deps-test: deps

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS)

run: build
	./$(BUILD)/contalino

test: PACKAGES += $(TEST_PACKAGES)
test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)
	$(MAKE) --no-print-directory test-sanitizers

# The whole suite again under AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer: any report
# fails the run.
SAN_BUILD   ?= build-sanitizers
SAN_OPTIONS := ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1 \
               LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
               UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
.PHONY: test-sanitizers soak
test-sanitizers: PACKAGES += $(TEST_PACKAGES)
test-sanitizers: deps
	cmake -S . -B $(SAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DCONTALINO_SANITIZE=ON
	cmake --build $(SAN_BUILD) -j$(JOBS)
	cd $(SAN_BUILD) && $(SAN_OPTIONS) ctest --output-on-failure -j$(JOBS)

# A million random events on the whole program (CI runs 20,000 on every test run); SOAK_EVENTI sets
# another count, SOAK_SEME repeats a seed. The soak runs by itself, all its output shown: ctest's limit
# of 300 s suits CI's short run only, and the soak's own limit follows its count.
SOAK_EVENTI ?= 1000000
SOAK_SEME   ?=
soak: build
	cd $(BUILD)/tests && CONTALINO_SOAK_EVENTI=$(SOAK_EVENTI) $(if $(SOAK_SEME),CONTALINO_SOAK_SEME=$(SOAK_SEME)) \
	    QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 ./tst_soak -maxwarnings 0

# The Debian package a teacher installs: $(BUILD)/contalino_<version>_<arch>.deb
package: PACKAGES += dpkg-dev
package: build
	cd $(BUILD) && cpack -G DEB

# Retakes the README's pictures of the start, exercise and print screens, and the teacher's guide's (the
# help, the intervention, the warning, the message and the printed page), from the real program.
.PHONY: screenshots
screenshots: PACKAGES += $(TEST_PACKAGES)
screenshots: build
	BUILD=$(BUILD) scripts/screenshots.sh

# The benchmark, not a test (CI times nothing): a Release build of its own, figures printed and written to
# bench/results.md.
BENCH_BUILD ?= build-bench
.PHONY: bench
# Valgrind counts the instructions of the start-ups, a figure the machine's load does not move. The
# key-to-pixel latency on a virtual X server injects its presses with XTest and watches the drawing with
# the Damage extension, both through python3-xlib; the X server and its tools are the X server tests'.
bench: PACKAGES += $(TEST_PACKAGES) valgrind python3-xlib
bench: deps
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DCONTALINO_BENCH=ON
	cmake --build $(BENCH_BUILD) -j$(JOBS) --target prestazioni contalino latenza_minima
	./$(BENCH_BUILD)/bench/prestazioni bench/results.md
	/usr/bin/python3 bench/latenza.py $(BENCH_BUILD)/contalino $(BENCH_BUILD)/bench/latenza_minima bench/results.md
	if web/qt.sh --in-cache >/dev/null; then \
	    $(MAKE) --no-print-directory web web-bench; \
	else \
	    echo "The page in the browser: not measured, Qt for the browser is not in this machine's cache"; \
	fi

# The page against the toolkit's floor in the browser, appended to bench/results.md (make bench runs it).
.PHONY: web-bench
web-bench: PACKAGES += $(WEB_PACKAGES) $(WEB_TEST_PACKAGES)
web-bench: deps
	JOBS=$(JOBS) web/costruisci.sh $(BUILD) minimo_web >/dev/null
	/usr/bin/python3 bench/web.py build-web bench/results.md

# Windows, where most schools' computers are: Qt built for Windows from Debian's own qt6-base source
# package (once per machine, cached under ~/.cache/contalino), Contalino cross-built from the same
# sources with MinGW-w64, then the installer, the Windows Installer package and the portable zip in
# build-windows/.
# The cross compilers (and their strip), Ninja, NSIS (makensis), wixl and msibuild (msitools) for the
# .msi, Python's olefile (python3-olefile), which writes the commit's date into the .msi, zip,
# sha256sum; apt-get source unpacks Qt's source with dpkg-source (dpkg-dev) and xz.
WINDOWS_PACKAGES      := g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix ninja-build nsis wixl msitools zip \
                         python3-olefile \
                         dpkg-dev xz-utils
# The suite and the installer under Wine, on a virtual X server (xvfb-run needs xauth; the harness of the
# X server tests needs xset, xprop, xwininfo, openbox and a session bus), read by pixels (import) and
# window titles (xdotool); wrestool (icoutils) reads the program's resources, unzip the portable zip,
# pdftotext the saved page; the test prefixes' fonts are written with Python's fontTools.
WINDOWS_TEST_PACKAGES := wine wine64 icoutils unzip python3 python3-fonttools xvfb xauth xdotool x11-utils \
                         x11-xserver-utils imagemagick poppler-utils openbox dbus
.PHONY: windows windows-test
windows: PACKAGES += $(WINDOWS_PACKAGES)
windows: build
	windows/costruisci.sh $(BUILD)

windows-test: PACKAGES += $(WINDOWS_TEST_PACKAGES)
windows-test: windows
	windows/prova.sh

# The browser, for Chromebooks, tablets and classroom panels: Qt built for WebAssembly from Debian's own
# qt6-base source package with Debian's emscripten (once per machine, cached under ~/.cache/contalino),
# Contalino built from the same sources, and the page with its zip in build-web/ (web/costruisci.sh).
# The page's test drives Debian's Chromium headless through ChromeDriver (python3-selenium), reads the
# saved page with pdftotext (poppler-utils) and serves the page with python3's own web server.
WEB_PACKAGES      := emscripten ninja-build zip dpkg-dev xz-utils fonts-liberation qt6-translations-l10n
WEB_TEST_PACKAGES := chromium chromium-driver python3-selenium poppler-utils python3
.PHONY: web web-test
web: PACKAGES += $(WEB_PACKAGES)
web: build
	JOBS=$(JOBS) web/costruisci.sh $(BUILD)

web-test: PACKAGES += $(WEB_TEST_PACKAGES)
web-test: web
	/usr/bin/python3 web/prova.py build-web

# Every file a school downloads, in dist/: the .deb, the Windows installer, the .msi, the portable zip,
# the page's zip, the teacher's guide and SHA256SUMS, built afresh from the commit at hand (scripts/release.sh), so that
# the same commit gives the same bytes anywhere. make riproducibile builds it a second time from a clone
# in another folder and compares the two, byte for byte; diffoscope shows any difference.
.PHONY: release riproducibile
release: PACKAGES += $(WINDOWS_PACKAGES) $(WEB_PACKAGES) git
release: deps
	JOBS=$(JOBS) scripts/release.sh

riproducibile: PACKAGES += $(WINDOWS_PACKAGES) $(WEB_PACKAGES) diffoscope
riproducibile: release
	JOBS=$(JOBS) scripts/riproducibile.sh

format format-check: PACKAGES := clang-format git
format: deps
	clang-format -i $$(git ls-files '*.cpp' '*.h')

format-check: deps
	clang-format --dry-run --Werror $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD)
