# Thin wrapper around CMake. `make run` and `make test` do the whole set-up on a
# fresh Debian machine: install what is missing, build, generate the data folder.
JOBS ?= $(shell nproc)

.PHONY: run test build build-test deps bench fuzz soak contact-sheet levels-report package clean

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

clean:
	rm -rf build build-test build-fuzz
