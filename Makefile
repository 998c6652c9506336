# Two entry points do all set-up: `make run` and `make test`.
BUILD    := build
NATIVE   := $(BUILD)/native
WIN      := $(BUILD)/win
BENCHDIR := $(BUILD)/bench
PREFIX   := $(abspath $(WIN))/wineprefix
JOBS     ?= $(shell nproc)
XVFB     := xvfb-run -a -s "-screen 0 1280x1024x24"
# Every C++ source and header of ours, for clang-format.
SOURCES   = $(shell find src tests bench -name '*.cpp' -o -name '*.h' | sort)
export LC_ALL := ru_RU.UTF-8

.PHONY: all deps native win prefix run test test-core test-ui check-format check-layers check-tidy bench format clean screenshots dist

all: native win

deps:
	@scripts/install-deps.sh

native: deps
	@cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Debug -DQUIVRA_SANITIZE=ON >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

win: deps
	@cmake -S . -B $(WIN) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64.cmake \
	    -DCMAKE_BUILD_TYPE=Release -DQUIVRA_WINEPREFIX=$(PREFIX) >/dev/null
	@cmake --build $(WIN) -j $(JOBS)
	@mkdir -p $(WIN)/Data/Skins && cp skins/*.asz $(WIN)/Data/Skins/ 2>/dev/null || true

prefix: deps
	@$(XVFB) scripts/wine-prefix.sh $(PREFIX)
	@$(XVFB) scripts/wine-prefix.sh $(PREFIX)-sync

test-core: native
	@cd $(NATIVE) && ctest --output-on-failure -j $(JOBS)

test-ui: win prefix
	@$(XVFB) sh -c 'cd $(WIN) && ctest --output-on-failure; rc=$$?; WINEPREFIX=$(PREFIX) /usr/lib/wine/wineserver -k; WINEPREFIX=$(PREFIX)-sync /usr/lib/wine/wineserver -k; exit $$rc'

check-format: deps
	@clang-format --dry-run -Werror $(SOURCES)
	@echo "format: every source as .clang-format has it"

check-layers:
	@scripts/check-layers.sh

check-tidy: native
	@scripts/check-tidy.sh $(NATIVE)

test: check-format check-layers check-tidy test-core test-ui

dist: win
	@scripts/dist.sh $(WIN) dist

run: win prefix
	@scripts/run.sh $(WIN)/quivra.exe $(PREFIX) $(BUILD)/screenshot.png

bench: deps win prefix
	@cmake -S . -B $(BENCHDIR) -DCMAKE_BUILD_TYPE=Release -DQUIVRA_BENCH=ON >/dev/null
	@cmake --build $(BENCHDIR) -j $(JOBS)
	@$(BENCHDIR)/core_bench
	@$(XVFB) scripts/bench-shell.sh $(WIN) $(PREFIX)

format:
	@clang-format -i $(SOURCES)

clean:
	rm -rf $(BUILD)

screenshots: win prefix
	@scripts/screenshots.sh $(abspath $(WIN)) $(PREFIX) docs/screenshots
