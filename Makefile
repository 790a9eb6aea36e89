# The two commands a player or developer needs: `make run` and `make test`.
BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
WERROR ?= $(if $(CI),ON,OFF)
# ccache, where installed, lets several checkouts of the tree share one compile cache.
CCACHE := $(shell command -v ccache 2>/dev/null)
export CCACHE_BASEDIR ?= $(abspath $(CURDIR)/..)
export CCACHE_NOHASHDIR ?= 1

.PHONY: run test build deps configure bench bench-real package sanitize fuzz clean

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

# The real game in a window on a private X server: processor, memory and frame pacing.
bench-real: build
	@bash bench/real_game.sh $(BUILD_DIR)/quillmoor $(BUILD_DIR)/data $(BUILD_DIR)/tests/e2e \
		$(BUILD_DIR)/bench/libquillmoor_present_shim.so $(BUILD_DIR) $(SCALES)

# The Debian package of the game and the editor, with its dependencies worked out by dpkg.
# Its own build folder: configured for /usr with the games in /usr/games, so the game's
# compiled-in data path is right, and built with Debian's hardening flags.
package: deps
	@DEB_BUILD_MAINT_OPTIONS=hardening=+all; export DEB_BUILD_MAINT_OPTIONS; \
	cmake -S . -B $(BUILD_DIR)/deb -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
		-DCMAKE_INSTALL_BINDIR=games -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
		-DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get CXXFLAGS)" \
		-DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)" \
		-DQUILLMOOR_WERROR=$(WERROR) $(if $(CCACHE),-DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE)) > /dev/null
	@cmake --build $(BUILD_DIR)/deb -j $(JOBS) --target quillmoor_installed
	@cd $(BUILD_DIR)/deb && cpack -G DEB

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
