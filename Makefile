# Two commands for a fresh Debian 12 machine: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
# cmake --build runs make again below this one: without this, every step of it prints its directory.
MAKEFLAGS += --no-print-directory
# As CI builds: a warning fails the build. ccache comes with the packages.
CMAKE_OPTIONS = -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DTARVOLEN_WERROR=ON

.PHONY: run test deps configure build clean bench fuzz package approve-pictures

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_OPTIONS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@$(BUILD)/src/tarvolen

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# After an intended change of what the lesson shows: the pictures that differ become the
# approved ones in tests/approved/. Look at them (git diff) before committing.
approve-pictures: build
	@cd $(BUILD) && APPROVE_PICTURES=1 ctest --output-on-failure -R '^tst_pictures$$'
	@git status --short tests/approved

# Start-up, memory and per-action latency against a bare Qt window; figures to $(BUILD)/bench.json.
# Its programs are built only here (and for the bench guard among the tests).
bench: build
	@cmake --build $(BUILD) -j $(JOBS) --target tarvolen_bench tarvolen_baseline
	@bash scripts/bench.sh $(BUILD)

# A .deb of the lesson for Debian 12, written to $(BUILD).
package: build
	@cd $(BUILD) && cpack -G DEB

# The unit tests, then FUZZ_ACTIONS random learner actions, all under AddressSanitizer and
# UndefinedBehaviorSanitizer in their own build directory.
FUZZ_BUILD ?= build-asan
FUZZ_ACTIONS ?= 1000000
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:check_initialization_order=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fuzz: deps
	@cmake -S . -B $(FUZZ_BUILD) $(CMAKE_OPTIONS) -DTARVOLEN_SANITIZE=ON >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@cd $(FUZZ_BUILD) && $(SANITIZER_ENV) ctest --output-on-failure -j $(JOBS) -R '^tst_'
	@$(SANITIZER_ENV) QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=1 \
		$(FUZZ_BUILD)/tests/tarvolen_fuzz --actions $(FUZZ_ACTIONS)

clean:
	rm -rf $(BUILD)
