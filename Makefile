# Entry points for a newcomer; each installs what it needs first (scripts/setup).
BUILD ?= build
WERROR ?= $(if $(CI),ON,OFF)
JOBS ?= $(shell nproc)

.PHONY: setup build test sanitize demo bench clean

setup:
	@scripts/setup

$(BUILD)/build.ninja: | setup
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSARY_WERROR=$(WERROR)

build: setup $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The whole suite once more under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: setup
	cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTESSARY_WERROR=$(WERROR) -DTESSARY_SANITIZE=ON
	cmake --build build-sanitize -j $(JOBS)
	cd build-sanitize && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

demo: build
	scripts/demo $(BUILD)

bench: build
	scripts/bench $(BUILD)

clean:
	rm -rf $(BUILD) build-sanitize
