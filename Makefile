# The two commands a player or developer needs: `make run` and `make test`.
BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
WERROR ?= $(if $(CI),ON,OFF)
# ccache, where installed, lets several checkouts of the tree share one compile cache.
CCACHE := $(shell command -v ccache 2>/dev/null)
export CCACHE_BASEDIR ?= $(abspath $(CURDIR)/..)
export CCACHE_NOHASHDIR ?= 1

.PHONY: run test build deps configure bench clean sanitize fuzz

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLMOOR_WERROR=$(WERROR) \
		$(if $(CCACHE),-DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE)) > /dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@$(BUILD_DIR)/quillmoor $(ARGS)

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

bench: build
	@$(BUILD_DIR)/bench/quillmoor_bench

# Every test that needs no window and no printer, built with AddressSanitizer (leaks too) and
# UndefinedBehaviorSanitizer, in a build folder of its own.
SANITIZE_DIR ?= build-sanitize
SANITIZERS := -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer
export ASAN_OPTIONS ?= detect_leaks=1
export UBSAN_OPTIONS ?= print_stacktrace=1

sanitize: deps
	@cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=Debug -DQUILLMOOR_WERROR=$(WERROR) \
		-DCMAKE_CXX_FLAGS="-O1 $(SANITIZERS)" -DCMAKE_EXE_LINKER_FLAGS="$(SANITIZERS)" \
		$(if $(CCACHE),-DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE)) > /dev/null
	@cmake --build $(SANITIZE_DIR) -j $(JOBS)
	@cd $(SANITIZE_DIR) && ctest --output-on-failure -j $(JOBS) -LE 'e2e|printing'

# The fuzzing harnesses under clang's libFuzzer, each run for FUZZ_SECONDS.
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_FLAGS := -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined

fuzz: deps
	@cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=Debug -DQUILLMOOR_FUZZ=ON \
		-DCMAKE_CXX_COMPILER=clang++ -DQUILLMOOR_WERROR=$(WERROR) \
		-DCMAKE_CXX_FLAGS="-O1 $(FUZZ_FLAGS)" -DCMAKE_EXE_LINKER_FLAGS="$(FUZZ_FLAGS)" \
		$(if $(CCACHE),-DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE)) > /dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS) --target quillmoor_fuzzers
	@tests/fuzz/run.sh $(abspath $(FUZZ_DIR)) $(FUZZ_SECONDS)

clean:
	@rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR)
