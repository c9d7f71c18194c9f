# Thin wrapper around CMake. `make run` and `make test` do the whole set-up on a
# fresh Debian machine: install what is missing, build, generate the data folder.
JOBS ?= $(shell nproc)

.PHONY: run test build build-test deps bench fuzz soak contact-sheet language-sheet levels-report package clean \
	windows-deps windows test-windows package-windows web-deps web serve-web test-web bench-web

deps:
	@scripts/install-deps

build: deps
	cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DVARNOKA_TESTS=OFF
	cmake --build build -j $(JOBS)

run: build
	cd build/game && ./varnoka

build-test: deps
	cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARNOKA_SANITIZE=ON -DVARNOKA_BENCH=OFF
	cmake --build build-test -j $(JOBS)

test: build-test
	cd build-test && ctest --output-on-failure -j $(JOBS)

# The Debian package of the release build: build/varnoka_<version>_<arch>.deb.
package: build
	cd build && cpack -G DEB

bench: build
	cmake -S . -B build -DVARNOKA_BENCH=ON
	cmake --build build -j $(JOBS) --target varnoka_bench
	build/bench/varnoka_bench

# SECONDS per target, FUZZ_JOBS targets at once.
fuzz: deps
	scripts/run-fuzz $(or $(SECONDS),60)

# The long runs on the sanitizer build: a million frames of play by the rules,
# every data file damaged, a million frames of random input over every screen;
# the random input once more on the release build for its memory curve
# (scripts/soak lists them).
soak: build-test build
	cmake --build build-test --target soak_rules -j $(JOBS)
	cmake -S . -B build -DVARNOKA_TESTS=ON
	cmake --build build --target test_hardening -j $(JOBS)
	scripts/soak

# Every level played by the autoplayer with every strategy, SEEDS seeds each
# (10 by default), on all cores: build/levels-report/ gets runs.tsv, levels.tsv,
# weeks.tsv and levels-report.png, and the goals the levels are tuned to are
# checked. INPUT=keys plays with key presses on the board cursor only.
levels-report: build
	build/tools/autoplay/autoplay --game build/game --out build/levels-report --seeds $(or $(SEEDS),10) --jobs $(JOBS) \
	  --input $(or $(INPUT),mouse)

contact-sheet: build
	cmake --build build --target contact-sheet

# Every language's scripted session on the sanitizer build, and five of its
# frames per language on review/languages.png.
language-sheet: build-test
	cd build-test && ctest -R LanguageSession --output-on-failure
	mkdir -p review
	build-test/tools/datagen/contactsheet --languages build-test/frames/languages --sheet review/languages.png

# Windows: a cross build with MinGW-w64 in build-windows/ (build-windows/game
# holds varnoka.exe beside the native build's data folder). The libraries are
# built once from Debian's sources into ~/.cache/varnoka-thirdparty/windows.
WINDOWS_CMAKE = cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-windows.cmake \
	-DCMAKE_BUILD_TYPE=Release -DVARNOKA_BENCH=OFF -DVARNOKA_NATIVE_GAME_DIR=$(CURDIR)/build/game

windows-deps: deps
	@scripts/install-deps windows
	JOBS=$(JOBS) scripts/thirdparty windows

windows: build windows-deps
	$(WINDOWS_CMAKE) -DVARNOKA_TESTS=OFF
	cmake --build build-windows -j $(JOBS)

# The test suite built for Windows and run under Wine (scripts/wine-run, a
# Wine prefix of its own in ~/.cache/varnoka-wine), headless as make test;
# then a player's session of the game and the installer, on a virtual X
# server (tests/windows/).
test-windows: build windows-deps
	$(WINDOWS_CMAKE) -DVARNOKA_TESTS=ON
	cmake --build build-windows -j $(JOBS)
	cmake --build build-windows --target package-windows
	scripts/wine-run cmd /c exit
	# Wine now and then fails to start a program at all (a test that ends at
	# once with no output); a failed test runs once more, so only a fault that
	# fails twice fails the run.
	cd build-windows && ctest --output-on-failure -j $(JOBS) --repeat until-pass:2

# build-windows/Varnoka-<version>-windows.zip (unpack and run) and
# build-windows/Varnoka-<version>-setup.exe (the installer).
package-windows: windows
	cmake --build build-windows --target package-windows

# The browser: a WebAssembly build in build-wasm/ whose page, program and packed
# data folder land in build-web/ (the data comes from the native build's
# content pipeline). Its libraries are built once from Debian's sources into
# ~/.cache/varnoka-thirdparty/web. Debian's emscripten needs NODE_PATH for
# its own modules when another Node.js comes first on the PATH.
export NODE_PATH := /usr/share/nodejs
WEB_CMAKE = emcmake cmake -S . -B build-wasm -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-web.cmake \
	-DCMAKE_BUILD_TYPE=Release -DVARNOKA_TESTS=OFF -DVARNOKA_BENCH=OFF -DVARNOKA_WEB_DATA=$(CURDIR)/build/game

web-deps: deps
	@scripts/install-deps web
	JOBS=$(JOBS) scripts/thirdparty web

web: build web-deps
	$(WEB_CMAKE)
	cmake --build build-wasm -j $(JOBS)

serve-web: web
	node tests/web/serve.mjs build-web 8080

# The browser build played in headless Chromium against the desktop's frames
# (drawn by `make test` into build-test/tests/web-reference/).
test-web: web build-test
	cd build-test && ctest --output-on-failure -R WebReference
	cd tests/web && npm ci --no-audit --no-fund --silent
	node --test tests/web/

# The work time of a frame in the browser against the native build's, in one
# run (bench/web-frames.mjs), with the download size and the load time.
bench-web: web build-test
	cmake -S . -B build -DVARNOKA_BENCH=ON
	cmake --build build -j $(JOBS) --target varnoka_bench
	cd build-test && ctest --output-on-failure -R WebReference
	cd tests/web && npm ci --no-audit --no-fund --silent
	node bench/web-frames.mjs build-web build/bench/varnoka_bench build-test/tests/web-reference

clean:
	rm -rf build build-test build-fuzz build-windows build-wasm build-web build-web-test
