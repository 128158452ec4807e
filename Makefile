# Front door: `make run` starts the program, `make test` runs every test.
# Both install the Debian packages they need first (tools/install-deps.sh).
# `make test-unit` runs the unit tests only, `make test-asan` the same under
# the sanitizers; CMAKE_FLAGS=-DLV_WERROR=ON makes every warning an error.

BUILD      ?= build
BUILD_ASAN ?= build-asan
JOBS       ?= 2
CMAKE_FLAGS ?=
# make install: the program folder is $(PREFIX)/lib/lumivex. The default is
# the user's own, so the program's update can write it.
PREFIX     ?= $(HOME)/.local
DESTDIR    ?=
export CMAKE_FLAGS

# Compiler cache when the machine has one: rebuilds of unchanged files are free.
ifneq ($(shell command -v ccache 2>/dev/null),)
export CMAKE_CXX_COMPILER_LAUNCHER ?= ccache
export CMAKE_C_COMPILER_LAUNCHER ?= ccache
endif

.PHONY: all deps configure build run test test-unit test-asan bench clean

all: build

deps:
	@tools/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@tools/run.sh $(BUILD)/bin/lv.exe

test: build
	@tools/test.sh all $(BUILD) $(BUILD_ASAN) $(JOBS)

test-unit: build
	@tools/test.sh unit $(BUILD) $(BUILD_ASAN) $(JOBS)

test-asan: deps
	@tools/test.sh asan $(BUILD) $(BUILD_ASAN) $(JOBS)

# Handed over through the environment, so that no character of a folder's
# name ($, quotes) means anything to the shell.
.PHONY: install uninstall
install uninstall: export LV_BUILD = $(BUILD)
install uninstall: export LV_DESTDIR = $(DESTDIR)
install uninstall: export LV_PREFIX = $(PREFIX)
install: build
	@tools/install.sh install "$$LV_BUILD" "$$LV_DESTDIR" "$$LV_PREFIX"

uninstall:
	@tools/install.sh uninstall "$$LV_BUILD" "$$LV_DESTDIR" "$$LV_PREFIX"

bench: build
	@tools/bench.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(BUILD_ASAN)
