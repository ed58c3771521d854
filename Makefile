# Everyday entry points. The build lives in build/ (Release). Each installs
# with scripts/install-deps.sh only the packages its own task needs.
#   make run ARGS="--max-fps 0"   build the game alone, then play
#   make test                      build, then run every test, then the
#                                  tests again under ASan + UBSan (build-asan),
#                                  the headless tests of a build without Xlib
#                                  (build-nox11), the browser tests
#                                  (build-web), and the Windows build's
#                                  tests under Wine (build-windows)
#   make windows                   vaultrix-<version>-windows-x64.zip, cross-built
#   make fuzz FUZZ_SECONDS=60      fuzz each parser (not part of make test)
#   make bench                     Release build in build-bench, then measure
#   make install PREFIX=~/.local   build, then install under PREFIX
#   make package                   the .deb in build-pkg/ (Release, no tests)
#   make dist                      the source tarball of HEAD in build-dist/
#   make screenshot                render docs/*.png under Xvfb
#   make web                       the browser build in build-web/ (emcc)
#   make run-web                   build it, then serve it on 127.0.0.1
#   make test-web                  the browser tests in headless Chromium
BUILD_DIR := build
ARGS ?=
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PREFIX ?= /usr/local
PKG_DIR := build-pkg
BENCH_DIR := build-bench
ASAN_DIR := build-asan
NOX11_DIR := build-nox11
WINDOWS_DIR := build-windows
FUZZ_DIR := build-fuzz
DIST_DIR := build-dist
FUZZ_SECONDS ?= 60
# Any finding fails the test that made it. Window tests are left out here:
# they are slow under ASan and their findings would be the GL driver's.
SANITIZER_ENV := ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1:strict_string_checks=1 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

.PHONY: all deps configure build run test test-sanitize test-nox11 format format-check fuzz clean bench dist

# The house style is .clang-format; make format applies it, make test checks it.
SOURCES = $(shell find app engine game objects level tests bench fuzz scripts -name '*.cpp' -o -name '*.h')
format:
	clang-format -i $(SOURCES)

format-check:
	clang-format --dry-run --Werror $(SOURCES)
	@echo "format-check: $(words $(SOURCES)) files follow .clang-format"

all: build

deps:
	sh scripts/install-deps.sh run

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: configure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target vaultrix
	./$(BUILD_DIR)/vaultrix $(ARGS)

test:
	sh scripts/install-deps.sh test
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release -DVAULTRIX_TESTS=ON
	cmake --build $(BUILD_DIR) -j $(JOBS)
	ctest --test-dir $(BUILD_DIR) --output-on-failure
	$(MAKE) --no-print-directory format-check
	$(MAKE) --no-print-directory test-sanitize
	$(MAKE) --no-print-directory test-nox11
	$(MAKE) --no-print-directory test-web
	$(MAKE) --no-print-directory test-windows

test-sanitize:
	sh scripts/install-deps.sh test
	cmake -S . -B $(ASAN_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVAULTRIX_SANITIZE=ON -DVAULTRIX_TESTS=ON
	cmake --build $(ASAN_DIR) -j $(JOBS)
	$(SANITIZER_ENV) ctest --test-dir $(ASAN_DIR) --output-on-failure -j $(JOBS) -E '^window[.]'

# The engine without Xlib, as on Windows: it builds, and its headless tests pass.
test-nox11:
	sh scripts/install-deps.sh test
	cmake -S . -B $(NOX11_DIR) -DCMAKE_BUILD_TYPE=Release -DVAULTRIX_X11=OFF -DVAULTRIX_TESTS=ON
	cmake --build $(NOX11_DIR) -j $(JOBS)
	ctest --test-dir $(NOX11_DIR) --output-on-failure -j $(JOBS) -R '^(engine|game)[.]'

# Each parser under libFuzzer for FUZZ_SECONDS; crashes land in fuzz/regressions.
fuzz:
	sh scripts/install-deps.sh fuzz
	cmake -S fuzz -B $(FUZZ_DIR) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	bash fuzz/run.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

# Speed and memory figures (docs/performance.md); not part of make test.
# The browser's frame is measured against a three.js page of the same frames,
# which queue_dump (built here) prints from the game's own queue.
bench: web web-npm bench-npm
	sh scripts/install-deps.sh bench
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DVAULTRIX_BENCH=ON -DVAULTRIX_TESTS=OFF
	cmake --build $(BENCH_DIR) -j $(JOBS)
	bash bench/run.sh $(BENCH_DIR)
	node bench/web.js $(WEB_DIR) $(BENCH_DIR)

# The pinned three.js of the browser bench's baseline page.
.PHONY: bench-npm
bench-npm:
	cd bench && npm ci --no-audit --no-fund

# The Windows game, cross-built with mingw-w64; the libraries are built once
# into ~/.cache/vaultrix-windows (scripts/windows-deps.sh).
.PHONY: windows test-windows
windows:
	sh scripts/install-deps.sh windows
	bash scripts/windows-build.sh $(WINDOWS_DIR) $(JOBS)

# The Windows game's own tests, run under Wine (tests/wine/).
test-windows: windows
	sh scripts/install-deps.sh test
	ctest --test-dir $(WINDOWS_DIR) --output-on-failure

.PHONY: install package screenshot
install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

package:
	sh scripts/install-deps.sh package
	JOBS=$(JOBS) sh scripts/package.sh $(PKG_DIR)

dist:
	sh scripts/dist.sh $(DIST_DIR)

screenshot: build
	sh scripts/install-deps.sh test
	bash scripts/screenshots.sh ./$(BUILD_DIR)/vaultrix docs

clean:
	rm -rf $(BUILD_DIR) $(PKG_DIR) $(DIST_DIR) $(NOX11_DIR) $(WINDOWS_DIR) $(WEB_DIR)

# The browser build: Debian's emcc, our own page. A NodeSource node does not
# look in /usr/share/nodejs, where Debian's emscripten finds acorn.
WEB_DIR := build-web
WEB_PORT ?= 8000
WEB_ENV := NODE_PATH=/usr/share/nodejs
.PHONY: web run-web test-web web-npm
web:
	sh scripts/install-deps.sh web
	$(WEB_ENV) emcmake cmake -S . -B $(WEB_DIR) -DCMAKE_BUILD_TYPE=Release
	$(WEB_ENV) cmake --build $(WEB_DIR) -j $(JOBS)

run-web: web
	@echo "Vaultrix: http://127.0.0.1:$(WEB_PORT)/index.html"
	python3 -m http.server $(WEB_PORT) --bind 127.0.0.1 --directory $(WEB_DIR)

# The pinned driver for the system's Chromium; it never downloads a browser.
web-npm:
	sh scripts/install-deps.sh web
	cd tests/web && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund

test-web: web web-npm
	VAULTRIX_WEB_DIR=$(CURDIR)/$(WEB_DIR) node --test tests/web/
