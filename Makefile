# Linux entry points: everything is cross-built for Windows and run under Wine.
BUILD ?= build
CMAKE_FLAGS ?=
MAKEFLAGS += --no-print-directory

.PHONY: all deps configure build test run screenshots clean

all: build

deps:
	@tools/setup-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j2

test: build
	@tools/testbed/testbed ctest $(BUILD)

run: build
	@tools/run-demo.sh $(BUILD)

clean:
	rm -rf $(BUILD)

# The portable zip and the installer in $(BUILD)/dist/, with their SHA-256 (packaging/README.md).
.PHONY: dist
dist: build
	@cmake --build $(BUILD) --target dist
