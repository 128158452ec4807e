# Front door: `make run` starts the program, `make test` runs every test.
# Both install the Debian packages they need first (tools/install-deps.sh).
# `make run` and `make install` build the program alone; `make build`,
# `make test` and `make bench` build the tests and benchmarks too.
# `make deb` builds the Debian package.
# `make test-unit` runs the unit tests only, `make test-asan` the same under
# the sanitizers; `make lint` runs clang-tidy over the tree and `make format`
# rewrites it in clang-format's layout; CMAKE_FLAGS=-DLV_WERROR=ON makes
# every warning an error.

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

.PHONY: all deps configure build program run test test-unit test-asan bench clean lint format

all: build

deps:
	@tools/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS) >/dev/null

# What the program needs to run or to be installed: the two executables and
# the English catalogue. Tests and benchmarks are built by `make build`,
# `make test` and `make bench` only.
PROGRAM_TARGETS = lv nplv lv_catalogue

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

program: configure
	@cmake --build $(BUILD) -j $(JOBS) --target $(PROGRAM_TARGETS)

run: program
	@tools/run.sh $(BUILD)/bin/lv.exe

# The test script checks the package list before it builds.
test: configure
	@tools/test.sh all $(BUILD) $(BUILD_ASAN) $(JOBS)

test-unit: configure
	@tools/test.sh unit $(BUILD) $(BUILD_ASAN) $(JOBS)

test-asan: deps
	@tools/test.sh asan $(BUILD) $(BUILD_ASAN) $(JOBS)

# Handed over through the environment, so that no character of a folder's
# name ($, quotes) means anything to the shell.
.PHONY: install uninstall
install uninstall: export LV_BUILD = $(BUILD)
install uninstall: export LV_DESTDIR = $(DESTDIR)
install uninstall: export LV_PREFIX = $(PREFIX)
install: program
	@tools/install.sh install "$$LV_BUILD" "$$LV_DESTDIR" "$$LV_PREFIX"

uninstall:
	@tools/install.sh uninstall "$$LV_BUILD" "$$LV_DESTDIR" "$$LV_PREFIX"

bench: build
	@tools/bench.sh $(BUILD)

# The Debian package, built by debhelper from a copy of the sources.
.PHONY: deb
deb: deps
	@JOBS=$(JOBS) tools/deb.sh $(BUILD)

# clang-tidy over the whole tree (.clang-tidy); clang-format's layout.
lint: configure
	@tools/lint.sh $(BUILD) $(JOBS)

format: deps
	@tools/format.sh fix

clean:
	rm -rf $(BUILD) $(BUILD_ASAN)
