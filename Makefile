# Two entry points for people: `make run` and `make test`. Everything else is for developers and CI.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
CMAKE_FLAGS ?=
# Warnings are errors for developers and CI; a plain cmake build (a packager's) leaves them warnings.
WERROR     ?= ON
# Precompiled headers for the Qt-heavy targets in these builds; a packager's plain cmake build has none.
PCH        ?= ON
# clang-tidy's record of units that passed, beside the compiler cache (see scripts/tidy.py).
TIDY_CACHE ?= $(or $(shell ccache -k cache_dir 2>/dev/null),$(or $(XDG_CACHE_HOME),$(HOME)/.cache)/korvland)/korvland-tidy

.PHONY: deps build run test test-asan bench fuzz demo format-check check-layers tidy tidy-cached clean

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVLAND_WERROR=$(WERROR) \
	      -DKORVLAND_PCH=$(PCH) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/korvland

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	$(MAKE) test-asan

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DKORVLAND_SANITIZE=ON -DKORVLAND_BENCH=OFF \
	      -DKORVLAND_WERROR=$(WERROR) -DKORVLAND_PCH=$(PCH) $(CMAKE_FLAGS)
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp ctest --output-on-failure -j $(JOBS)

bench: build
	for b in $(BUILD)/bench/korvland_*bench; do QT_QPA_PLATFORM=offscreen $$b || exit 1; done

fuzz: deps
	KORVLAND_WERROR=$(WERROR) bash scripts/fuzz.sh

# Every C++ file as the repository's .clang-format lays it out.
format-check: deps
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

# No layer includes a header of a layer it must not see (the windows share one include root).
check-layers:
	@bash scripts/check-layers.sh

# clang-tidy over src and tools with .clang-tidy: any finding fails. tidy checks every unit;
# tidy-cached (CI) only those whose input changed since a run that passed them.
tidy: build
	bash scripts/tidy.sh $(BUILD)

tidy-cached: build
	bash scripts/tidy.sh $(BUILD) --cache $(TIDY_CACHE)

demo: build
	cmake --build $(BUILD) --target demo

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-fuzz build-clang-release build-gcc-release
