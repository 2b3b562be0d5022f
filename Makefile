# make run: install what is missing, build, start the program.
# make test: install what is missing, build, run every test.
# make test-sanitize: every test again, built with ASan and UBSan.
# make fuzz: the libFuzzer targets, FUZZ_SECONDS (60) each.
# make deb: the Debian package from a clean clone of HEAD, lintian-checked.
# make windows: mendwright-cli.exe and mendwright.exe (build-windows/win32/),
# cross-built with mingw-w64.
# make test-windows: the core, operation and command-line tests of that
# build, run under Wine.
# make windows-package: its installer and zip; make test-windows-package
# installs, runs and uninstalls them under Wine.
# These builds are the developers': tests on, warnings stop the build.
# A packager's plain cmake build has neither.
BUILD ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_FLAGS ?=

.PHONY: run programs test bench bench-disk build bootstrap clean test-sanitize fuzz deb windows test-windows windows-package test-windows-package

bootstrap:
	@bash scripts/bootstrap

$(BUILD)/build.ninja: CMakeLists.txt | bootstrap
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
	  -DBUILD_TESTING=ON -DCMAKE_COMPILE_WARNING_AS_ERROR=ON $(CMAKE_FLAGS)

build: bootstrap $(BUILD)/build.ninja
	cmake --build $(BUILD)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j2

# The two programs alone, so that the window opens before the tests are built.
programs: bootstrap $(BUILD)/build.ninja
	cmake --build $(BUILD) --target mendwright mendwright-cli man_pages

run: programs
	@bash scripts/run $(BUILD)

bench: build
	cmake -S . -B $(BUILD) -DMENDWRIGHT_BENCH=ON
	cmake --build $(BUILD)
	$(BUILD)/bench/core_bench
	$(BUILD)/bench/contents_bench
	bash bench/run $(BUILD)
	bash bench/mods $(BUILD)

# The same comparisons on a disk: an ext4 image on a loop device when root.
bench-disk: build
	cmake -S . -B $(BUILD) -DMENDWRIGHT_BENCH=ON
	cmake --build $(BUILD)
	bash bench/run $(BUILD) --disk

# Leak reports from libraries under Qt (dbus, fontconfig) are
# suppressed (tests/sanitizer/lsan.supp says which and why).
SANITIZE_BUILD ?= build-sanitize
test-sanitize: bootstrap
	ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizer/lsan.supp:print_suppressions=0 \
	$(MAKE) test BUILD=$(SANITIZE_BUILD) \
	  CMAKE_FLAGS="-DMENDWRIGHT_SANITIZE=ON $(CMAKE_FLAGS)"

FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
fuzz: bootstrap
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_COMPILER=clang++ -DMENDWRIGHT_LAYERS="core;ops;settings" \
	  -DCMAKE_COMPILE_WARNING_AS_ERROR=ON -DMENDWRIGHT_FUZZ=ON
	cmake --build $(FUZZ_BUILD)
	FUZZ_SECONDS=$(FUZZ_SECONDS) bash fuzz/run $(FUZZ_BUILD)

deb: bootstrap
	bash scripts/build-deb

# The Qt layers are not built for Windows. One folder serves both targets.
WINDOWS_BUILD ?= build-windows
$(WINDOWS_BUILD)/build.ninja: CMakeLists.txt | bootstrap
	cmake -S . -B $(WINDOWS_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake \
	  -DMENDWRIGHT_LAYERS="core;ops;settings;startup;cli;win32" \
	  -DBUILD_TESTING=ON -DCMAKE_COMPILE_WARNING_AS_ERROR=ON $(CMAKE_FLAGS)

windows: bootstrap $(WINDOWS_BUILD)/build.ninja
	cmake --build $(WINDOWS_BUILD) --target mendwright-cli mendwright

test-windows: bootstrap $(WINDOWS_BUILD)/build.ninja
	cmake --build $(WINDOWS_BUILD)
	bash scripts/test-windows $(WINDOWS_BUILD)

windows-package: bootstrap $(WINDOWS_BUILD)/build.ninja
	cmake --build $(WINDOWS_BUILD) --target windows-package

test-windows-package: windows-package
	bash scripts/test-windows-package $(WINDOWS_BUILD)

clean:
	rm -rf $(BUILD)
