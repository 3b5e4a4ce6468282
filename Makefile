# Thin front over CMake and CTest.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all build demo test clean

all: build

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

build: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

demo: build
	rm -rf $(BUILD)/demo && mkdir -p $(BUILD)/demo && cp examples/tiny/* $(BUILD)/demo/
	cd $(BUILD)/demo && ../tolvek < dialogue.txt
	@echo "outputs: $(BUILD)/demo/tolvek.pos $(BUILD)/demo/tolvek.dif"

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD)
