# The two commands a user needs: `make run` and `make test`.
SHELL := /bin/bash
FUZZ_SECONDS ?= 600

.PHONY: all bootstrap build build-host build-windows build-fuzz test run fuzz screenshots bench bench-probe soak clean

all: build

bootstrap:
	@scripts/bootstrap

build-host: bootstrap
	@cmake --preset host >/dev/null && cmake --build --preset host -j2

build-windows: bootstrap
	@cmake --preset windows >/dev/null && cmake --build --preset windows -j2

build-fuzz: bootstrap
	@cmake --preset fuzz >/dev/null && cmake --build --preset fuzz -j2

build: build-host build-windows

# Every test of both builds: host under AddressSanitizer and UBSan, a short
# fuzz run, then the Windows tests under Wine with a private Xvfb.
test: build build-fuzz
	@scripts/run-tests

run: build-windows
	@scripts/run-tavrel

fuzz: build-fuzz
	@scripts/run-fuzz $(FUZZ_SECONDS)

soak: build
	@scripts/soak 100

bench: build
	@scripts/bench

bench-probe: build
	@scripts/bench-probe

screenshots: build-windows
	@scripts/screenshots

clean:
	rm -rf build
