# Top-level commands over CMake. `make run` installs what is missing, builds what it runs
# (the program with its help pages, and the converter) and starts Tabrino; `make test`
# installs what is missing, builds everything and runs every test with CTest.
BUILD ?= build
JOBS ?= 2
RUN_TARGETS = tabrino tabrino-convert
DEPS = cmake g++ make qt6-base-dev qt6-webengine-dev qt6-svg-dev libqt6svg6 \
       xvfb xauth xdotool desktop-file-utils xdg-utils libfile-mimeinfo-perl dpkg-dev file
# lupdate, for the check that the translation template holds the program's texts
TEST_DEPS = qt6-tools-dev qt6-l10n-tools
SUDO = $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: deps test-deps configure build run test sanitize translations bench fuzz package clean

deps:
	@missing=$$(for p in $(DEPS); do dpkg -s $$p >/dev/null 2>&1 || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	    echo "Installing: $$missing"; \
	    $(SUDO) apt-get update -q && \
	    $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -q $$missing; \
	fi

# Optimised, with line-level debug information (-g1: function names and line numbers in
# backtraces), which compiles about a quarter faster than full debug information. A unity
# build compiles the libraries' files eight at a time, reading Qt's headers once per batch:
# a fresh build needs a third of the compile time. (Each file still compiles on its own
# too: configure without -DCMAKE_UNITY_BUILD=ON to check.)
configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" \
	    -DCMAKE_UNITY_BUILD=ON -DCMAKE_UNITY_BUILD_BATCH_SIZE=8

build: configure
	cmake --build $(BUILD) -j$(JOBS)

run: configure
	cmake --build $(BUILD) -j$(JOBS) --target $(RUN_TARGETS)
	$(BUILD)/bin/tabrino

test-deps:
	$(MAKE) -C . deps DEPS="$(TEST_DEPS)"

test: test-deps build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

# The tests that need no window system, built with AddressSanitizer and
# UndefinedBehaviorSanitizer (-O1 keeps them quick): a memory error, a leak or undefined
# behaviour fails the run.
sanitize: deps
	cmake -S . -B $(BUILD)-sanitize -DCMAKE_BUILD_TYPE=Debug -DTABRINO_SANITIZE=ON \
	    -DTABRINO_BENCH=OFF -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1"
	cmake --build $(BUILD)-sanitize -j$(JOBS) --target unit_tests
	cd $(BUILD)-sanitize && ctest --output-on-failure -j$(JOBS) -LE 'gui|package'

# Writes the translation template translations/tabrino.ts from the program's texts.
translations: test-deps
	$(MAKE) -C . configure
	cmake --build $(BUILD) --target update_translations

bench: build
	$(BUILD)/bench/tabrino-bench

fuzz:
	$(MAKE) -C . deps DEPS="clang libclang-rt-14-dev cmake qt6-base-dev"
	CXX=clang++ cmake -S . -B $(BUILD)-fuzz -DTABRINO_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD)-fuzz -j$(JOBS)
	fuzz/run.sh $(BUILD)-fuzz $(FUZZ_SECONDS)

package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(BUILD)-fuzz $(BUILD)-sanitize
