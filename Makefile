# make run: install what is missing, build, start the program.
# make test: install what is missing, build, run every test.
BUILD ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_FLAGS ?=

.PHONY: run test bench build bootstrap clean

bootstrap:
	@bash scripts/bootstrap

$(BUILD)/build.ninja: CMakeLists.txt | bootstrap
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS)

build: bootstrap $(BUILD)/build.ninja
	cmake --build $(BUILD)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j2

run: build
	@bash scripts/run $(BUILD)

bench: build
	$(BUILD)/bench/core_bench
	bash bench/run $(BUILD)

clean:
	rm -rf $(BUILD)
