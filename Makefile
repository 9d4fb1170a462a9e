# The two set-up commands are `make run` and `make test`; both install what is
# missing first. `make check` is the quick loop for every edit.
JOBS ?= 2
# Each build runs its own JOBS compilers, also when `make test` runs the three
# side by side: they do not join this make's job slots.
BUILD_TOOL := MAKEFLAGS= cmake --build
# Scenarios under Wine mostly wait (for windows, for Wine): three side by side.
E2E_JOBS ?= 3
NATIVE := build/native
WIN64 := build/win64
FUZZ := build/fuzz
BENCH := build/bench

.PHONY: deps native win64 check test test-native test-win64 test-fuzz fuzz-long run bench fuzz clean skin dist readme-picture \
        builds run-native-tests run-win64-tests run-win64-unit-tests run-fuzzers

deps:
	@bash scripts/install-deps.sh

native: deps
	cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Debug -DHORALUNE_SANITIZE=ON >/dev/null
	$(BUILD_TOOL) $(NATIVE) -j$(JOBS)

# Redraws the bundled skin with our generator (its output is committed).
skin: deps
	cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Debug -DHORALUNE_SANITIZE=ON >/dev/null
	$(BUILD_TOOL) $(NATIVE) -j$(JOBS) --target horalune-skingen
	mkdir -p skins/standard
	$(NATIVE)/tools/horalune-skingen skins/standard

win64: deps
	cmake -S . -B $(WIN64) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
	$(BUILD_TOOL) $(WIN64) -j$(JOBS)

fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHORALUNE_FUZZ=ON >/dev/null
	$(BUILD_TOOL) $(FUZZ) -j$(JOBS)

bench: deps
	cmake -S . -B $(BENCH) -DCMAKE_BUILD_TYPE=Release -DHORALUNE_BENCH=ON -DHORALUNE_TESTS=OFF >/dev/null
	$(BUILD_TOOL) $(BENCH) -j$(JOBS)
	@for b in $(BENCH)/bench/horalune_bench*; do [ -x "$$b" ] && "$$b"; done; true

test-native: native
	$(MAKE) --no-print-directory run-native-tests

test-win64: win64
	$(MAKE) --no-print-directory run-win64-tests

test-fuzz: fuzz
	$(MAKE) --no-print-directory run-fuzzers

# The runs alone, on builds already made. The native tests and the fuzz runs
# are pure processor work and yield to the Wine runs beside them, which
# mostly wait for windows and would time out when starved.
# QUICK=1: not the comparison of our sine and cosine with MPFR's over a
# million angles, nor the documents in a browser.
run-native-tests:
	nice -n 10 ctest --test-dir $(NATIVE) --output-on-failure -j$(JOBS) \
	  $(if $(QUICK),-E '^(ExactTrigAgainstMpfr\.|docs_in_a_browser$$)')

run-fuzzers:
	nice -n 10 bash scripts/run-fuzzers.sh

run-win64-tests:
	bash scripts/wine-prefix.sh
	ctest --test-dir $(WIN64) --output-on-failure -j$(E2E_JOBS)

run-win64-unit-tests:
	bash scripts/wine-prefix.sh
	ctest --test-dir $(WIN64) --output-on-failure -j$(JOBS) -E '^e2e_'

# The three builds side by side (each fills its gaps of configuring and
# linking with the others' compiling).
builds: deps
	$(MAKE) --no-print-directory -j3 -Otarget native win64 fuzz

# Both builds brought up to date, then the quick native unit tests with the
# layout check beside the Windows unit tests under Wine: no scenarios, no
# fuzzing.
check: deps
	$(MAKE) --no-print-directory -j2 -Otarget native win64
	$(MAKE) --no-print-directory -j2 -Otarget QUICK=1 run-win64-unit-tests run-native-tests

# Every fuzz target for FUZZ_SECONDS (default 1200), two at a time.
fuzz-long: fuzz
	bash scripts/fuzz-long.sh

# Every build, then every run side by side; each run's output comes whole
# when it ends (the Wine run, the longest, closes the output).
test: builds
	$(MAKE) --no-print-directory -j3 -Otarget run-win64-tests run-native-tests run-fuzzers

run: win64
	bash scripts/run-clock.sh

# The release zip, dist/Horalune-<version>-win64.zip.
dist: win64
	HORALUNE_BUILD=$(CURDIR)/$(WIN64) bash scripts/make-dist.sh

# Redraws docs/clock.png and docs/examples/examples.png with horalune-frame.
readme-picture: native
	HORALUNE_FRAME=$(CURDIR)/$(NATIVE)/tools/horalune-frame bash scripts/readme-picture.sh

clean:
	rm -rf build out
