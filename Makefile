# make run   installs what is missing, builds, starts the calculator
# make test  installs what is missing, builds every target, runs every test
SHELL := /bin/bash
JOBS ?= $(shell nproc)

.PHONY: all setup native sanitize win32 win64 fuzz-build windows-tests analyze test run bench fuzz clean

all: native win32

setup:
	@tools/setup

native: setup
	@cmake --preset native >/dev/null
	@cmake --build --preset native -j $(JOBS)

sanitize: setup
	@cmake --preset sanitize >/dev/null
	@cmake --build --preset sanitize -j $(JOBS)

win32: setup
	@cmake --preset win32 >/dev/null
	@cmake --build --preset win32 -j $(JOBS)

win64: setup
	@cmake --preset win64 >/dev/null
	@cmake --build --preset win64 -j $(JOBS)

fuzz-build: setup
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j $(JOBS)

# Every fuzz target for FUZZ_SECONDS each (default ten minutes).
FUZZ_SECONDS ?= 600
fuzz: fuzz-build
	@tools/fuzz $(FUZZ_SECONDS)

# The Windows tests run the 32-bit build under Wine where this machine can run 32-bit code, and the
# 64-bit build of the same sources where its kernel refuses it.
windows-tests: win32
	@if tools/wine-run --can-run-32; then tools/wine-ctest win32; \
	else echo "note: this kernel cannot run 32-bit code; the Windows tests run on the win64 build"; \
	     $(MAKE) --no-print-directory win64 && tools/wine-ctest win64; fi

# cppcheck and clang-tidy over the project's own code, native and Windows sources.
analyze: native
	@tools/analyze

test: native sanitize fuzz-build
	@ctest --preset native -j $(JOBS)
	@ctest --preset sanitize -j $(JOBS)
	@echo "fuzz targets, a few seconds each on their corpus:"
	@tools/fuzz 5
	@$(MAKE) --no-print-directory windows-tests
	@$(MAKE) --no-print-directory analyze

run: native win32
	@tools/run

bench: native win32
	@bench/run
	@tools/wine-run --can-run-32 || $(MAKE) --no-print-directory win64
	@bench/run-windows

clean:
	rm -rf build
