# Two commands for a fresh Debian 12 machine: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: run test deps configure build clean bench

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@bash scripts/run.sh $(BUILD)/src/tarvolen

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# Start-up, memory and per-action latency against a bare Qt window; figures to $(BUILD)/bench.json.
bench: build
	@bash scripts/bench.sh $(BUILD)

clean:
	rm -rf $(BUILD)
