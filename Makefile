# make run | test | fuzz | bench | deps; BUILD=dir picks another build root.
BUILD ?= build
JOBS ?= 2
ROOT := $(abspath $(BUILD))
export PH_WINE_ROOT := $(ROOT)/wine

.PHONY: all deps native win32 test run fuzz bench wine-up wine-down wine-tests clean

all: native win32

deps:
	@tools/install-deps

native: deps
	cmake --preset native -B $(ROOT)/native >/dev/null
	cmake --build $(ROOT)/native -j$(JOBS)

# Test discovery runs the Wine test programs at build time, so the Windows
# build needs the Wine session.
win32: deps wine-up
	cmake --preset win32 -B $(ROOT)/win32 >/dev/null
	cmake --build $(ROOT)/win32 -j$(JOBS)

wine-up: deps
	@tools/wine-session start

wine-down:
	@tools/wine-session stop

# Only the Wine tests, against the session left running (make wine-up);
# ARGS are passed to ctest, e.g. make wine-tests ARGS='-R IconFile'.
wine-tests: win32
	ctest --test-dir $(ROOT)/win32 --output-on-failure $(ARGS)

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
