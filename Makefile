# Kelvra Trackmint: the two everyday commands are `make demo` and `make test`.
# Both install what is missing (scripts/install-deps.sh) before they build. The screen shows one
# line per step; what apt-get, CMake and the compiler say goes to build/logs/, and a step that
# fails prints its errors and the name of its log.

JOBS ?= $(shell nproc)
RELEASE_DIR := build/release
TEST_DIR := build/test
SECONDS ?= 600
FUZZ_TARGET ?=

.PHONY: all deps build demo test test-no-window test-tsan package check-package fuzz bench \
  bench-zip64 screenshot format clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	@JOBS=$(JOBS) scripts/build.sh release "Building the program" \
	  -DCMAKE_BUILD_TYPE=Release -DTRACKMINT_BUILD_TESTS=OFF

# Converts the bundled sample log and says where the result is.
demo: build
	@scripts/demo.sh $(RELEASE_DIR)

# The whole test suite, built with AddressSanitizer and UndefinedBehaviorSanitizer. The build's
# output goes to build/logs/build-test.log (its errors are shown when it fails); the tests' output
# comes to the screen.
test: deps
	@JOBS=$(JOBS) scripts/build.sh test "Building the tests with AddressSanitizer and UndefinedBehaviorSanitizer" \
	  -DCMAKE_BUILD_TYPE=Debug -DTRACKMINT_SANITIZE=ON -DTRACKMINT_WERROR=ON
	@ctest --test-dir $(TEST_DIR) --output-on-failure -j $(JOBS)

# Every test of a tree built without the Qt window (no sanitizers): the core, the batch mode, the
# tools and their tests need no toolkit. Logs: build/logs/build-no-window.log and
# build/logs/test-no-window.log.
test-no-window: deps
	@JOBS=$(JOBS) scripts/build.sh no-window "Building the tests without the window" \
	  -DCMAKE_BUILD_TYPE=Debug -DTRACKMINT_BUILD_WINDOW=OFF -DTRACKMINT_BUILD_TESTS=ON \
	  -DTRACKMINT_WERROR=ON
	@JOBS=$(JOBS) scripts/run-tests.sh no-window "Running the tests without the window"

# The deflate workers and the runs that drive them under ThreadSanitizer: test_kmz and test_run
# only, in a tree without the window; a report fails its test. Logs: build/logs/build-tsan.log
# and build/logs/test-tsan.log.
test-tsan: deps
	@JOBS=$(JOBS) scripts/build.sh tsan "Building the deflate and run tests with ThreadSanitizer" \
	  -DCMAKE_BUILD_TYPE=Debug -DTRACKMINT_TSAN=ON -DTRACKMINT_BUILD_WINDOW=OFF \
	  -DTRACKMINT_BUILD_TESTS=ON -DTRACKMINT_WERROR=ON -- test_kmz test_run
	@JOBS=$(JOBS) scripts/run-tests.sh tsan "Running the deflate and run tests under ThreadSanitizer" \
	  -L '^test_(kmz|run)$$'

# The Debian package build/kelvra-trackmint_<version>_<arch>.deb (CPack; the dependencies come
# from dpkg-shlibdeps, hence dpkg-dev). CPack's output goes to build/logs/package.log.
package:
	@scripts/install-deps.sh dpkg-dev file
	@JOBS=$(JOBS) scripts/package.sh

# Builds the package, validates its desktop entry, metainfo and manual page, installs it with
# apt-get, runs the installed program from another folder, removes it and looks for leftovers.
# It installs a package, so it needs root (or sudo) and is not part of `make test`.
check-package:
	@JOBS=$(JOBS) scripts/check-package.sh

# Coverage-guided fuzzing (clang, libFuzzer, ASan, UBSan) of the two kinds of file that users
# hand the program: "epoch_list" takes bytes through the log's byte path, "settings" through the
# settings file's reader. Without FUZZ_TARGET both run, one after the other, SECONDS seconds each;
# FUZZ_TARGET=settings (or epoch_list) runs that one only. Everything a run writes stays under
# build/: the inputs it finds in build/fuzz-work/TARGET/corpus, crash, leak, timeout, oom and
# slow-unit files in build/fuzz-work/TARGET/artifacts, the fuzzer's output in build/logs/.
fuzz:
	@scripts/install-deps.sh clang libclang-rt-14-dev
	@JOBS=$(JOBS) scripts/fuzz.sh $(SECONDS) $(FUZZ_TARGET)

# Speed and memory of the conversion on a generated log of about 100 MB.
bench: build
	@scripts/bench.sh $(RELEASE_DIR)

# A KMZ whose document passes 4 GiB (Zip64), read back by unzip, Python and GDAL; takes minutes.
bench-zip64: build
	@scripts/bench-zip64.sh $(RELEASE_DIR)

# A picture of the window at start-up, drawn without a display: build/window.png.
screenshot: deps
	@JOBS=$(JOBS) scripts/build.sh release "Building the screenshot tool" \
	  -DCMAKE_BUILD_TYPE=Release -DTRACKMINT_BUILD_TESTS=OFF -- window_screenshot
	@QT_QPA_PLATFORM=offscreen $(RELEASE_DIR)/src/app/window/window_screenshot build/window.png

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
