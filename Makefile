# make run | test | fuzz | bench | deps; BUILD=dir picks another build root.
BUILD ?= build
JOBS ?= 2
ROOT := $(abspath $(BUILD))
export PH_WINE_ROOT := $(ROOT)/wine

.PHONY: all deps native win32 win64 test run fuzz bench wine-up wine-down wine-tests clean

all: native win32

deps:
	@tools/install-deps

native: deps
	cmake --preset native -B $(ROOT)/native >/dev/null
	cmake --build $(ROOT)/native -j$(JOBS)

# Test discovery runs the Wine test programs at build time, so the Windows
# builds need the Wine session. win32 builds the shipped 32-bit programs. Where this machine runs no
# 32-bit code (tools/wine-preset says win64), its Wine tests are built but
# not run, and win64 builds the same sources 64-bit to carry them.
WINE_PRESET = $(shell tools/wine-preset)

win32: deps wine-up
	cmake --preset win32 -B $(ROOT)/win32 -DPH_WINE_TESTS=$(if $(filter win32,$(WINE_PRESET)),ON,OFF) >/dev/null
	cmake --build $(ROOT)/win32 -j$(JOBS)

win64: deps wine-up
	cmake --preset win64 -B $(ROOT)/win64 >/dev/null
	cmake --build $(ROOT)/win64 -j$(JOBS)

wine-up: deps
	@tools/wine-session start

wine-down:
	@tools/wine-session stop

# Only the Wine tests, against the session left running (make wine-up);
# ARGS are passed to ctest, e.g. make wine-tests ARGS='-R IconFile'.
wine-tests: win32
	$(if $(filter win64,$(WINE_PRESET)),$(MAKE) win64)
	ctest --test-dir $(ROOT)/$(WINE_PRESET) --output-on-failure $(ARGS)

test: deps
	@tools/run-tests $(ROOT)

run: deps
	@tools/run-program $(ROOT)

fuzz: deps
	@tools/run-fuzz $(ROOT)

bench: deps
	@tools/run-bench $(ROOT)

clean:
	-tools/wine-session stop
	rm -rf $(ROOT)
