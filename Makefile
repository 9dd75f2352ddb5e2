# Tessaly: "make run" starts the program, "make test" runs every test.
# Both install the Debian packages that are missing first (through sudo when not
# root); where that cannot be done, they list the packages to install by hand.

SHELL := /bin/bash
JOBS ?= 2
BUILD := build
ASAN_BUILD := build-asan
FUZZ_BUILD := build-fuzz
TSAN_BUILD := build-tsan

BUILD_PACKAGES := cmake g++ make googletest libgtest-dev libgmock-dev \
                  qt6-base-dev qt6-svg-dev qt6-qpa-plugins libgl-dev fonts-dejavu-core fonts-liberation poppler-utils locales desktop-file-utils shared-mime-info
# make package builds the .deb; make test also builds it and checks the metainfo file,
# renders the manual pages and reads the JSON output back.
PACKAGE_PACKAGES := dpkg-dev file
TEST_PACKAGES := appstream man-db groff-base python3 $(PACKAGE_PACKAGES)
BENCH_PACKAGES := libbenchmark-dev libmuparser-dev
# clang and libFuzzer's runtime (libclang_rt.fuzzer) for the fuzz targets.
FUZZ_PACKAGES := clang libclang-rt-14-dev

# Installs the packages given that are not installed yet; nothing when all are.
install_missing = @sh tools/debian-packages.sh $(1)

.PHONY: all deps test-deps package-deps bench-deps fuzz-deps build build-asan build-tsan build-fuzz run test \
        test-release test-asan test-tsan test-fuzz bench install install-built uninstall package clean

all: build

deps:
	$(call install_missing,$(BUILD_PACKAGES))

test-deps:
	$(call install_missing,$(BUILD_PACKAGES) $(TEST_PACKAGES))

package-deps:
	$(call install_missing,$(PACKAGE_PACKAGES))

bench-deps: deps
	$(call install_missing,$(BENCH_PACKAGES))

fuzz-deps: deps
	$(call install_missing,$(FUZZ_PACKAGES))

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DTESSALY_WERROR=ON
	cmake --build $(BUILD) -j$(JOBS)

# The Qt-free layers and their tests under AddressSanitizer and UndefinedBehaviorSanitizer.
build-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
	  -DTESSALY_QT_FREE_ONLY=ON -DTESSALY_SANITIZE=ON -DTESSALY_WERROR=ON
	cmake --build $(ASAN_BUILD) -j$(JOBS)

# The tests of threaded code (the numeric commands computing values of f on
# several threads) under ThreadSanitizer: only their test program is built.
build-tsan: deps
	cmake -S . -B $(TSAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
	  -DTESSALY_QT_FREE_ONLY=ON -DTESSALY_THREAD_SANITIZE=ON -DTESSALY_WERROR=ON
	cmake --build $(TSAN_BUILD) -j$(JOBS) --target numeric_test session_test

# The libFuzzer targets, built by clang over the Qt-free layers with the sanitizers.
build-fuzz: fuzz-deps
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
	  -DTESSALY_QT_FREE_ONLY=ON -DTESSALY_SANITIZE=ON -DTESSALY_FUZZ=ON -DTESSALY_TESTS=OFF -DTESSALY_WERROR=ON
	cmake --build $(FUZZ_BUILD) -j$(JOBS)

run: build
	./$(BUILD)/tessaly

# Installs the program, the command-line tool, the desktop entry, the icon, the
# study file type, the metainfo file, the manual pages, the bash completion and
# the licence under PREFIX (/usr/local);
# DESTDIR stages it elsewhere. CMake's list of what it installed, DESTDIR put in
# front, is kept in INSTALLED for make uninstall, which takes the same PREFIX and DESTDIR.
PREFIX ?= /usr/local
INSTALLED = $(BUILD)/installed-files.txt
install: build
	$(MAKE) --no-print-directory install-built

# The install of the build as it is, without building.
install-built:
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"
	awk -v destdir="$(DESTDIR)" '{ print destdir $$0 }' $(BUILD)/install_manifest.txt > $(INSTALLED)

uninstall:
	sh tools/uninstall.sh "$(INSTALLED)" "$(DESTDIR)$(PREFIX)"
	rm -f $(INSTALLED)

# The .deb of the release build, written to $(BUILD)/.
package: package-deps build
	cd $(BUILD) && cpack

test-release: test-deps build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

test-asan: build-asan
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j$(JOBS)

test-tsan: build-tsan
	cd $(TSAN_BUILD) && TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" ctest --output-on-failure -j$(JOBS) -R '^(Tabulation|CommandWatch|CommandThread)\.'

# Each fuzz target over its seed corpus, then on a fixed number of inputs of its own.
test-fuzz: build-fuzz
	cd $(FUZZ_BUILD) && ctest --output-on-failure

test: test-release test-asan test-tsan test-fuzz

bench: bench-deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DTESSALY_WERROR=ON
	cmake --build $(BUILD) -j$(JOBS) --target engine_bench commands_bench graph_bench trust_panel startup_bench
	./$(BUILD)/bench/engine_bench
	./$(BUILD)/bench/commands_bench
	./$(BUILD)/bench/graph_bench
	./$(BUILD)/bench/trust_panel
	./$(BUILD)/bench/startup_bench
	sh bench/cli_startup.sh $(BUILD)/tessaly-cli

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(TSAN_BUILD) $(FUZZ_BUILD)
