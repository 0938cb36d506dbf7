# Two entry points: `make run` and `make test`. Both install what is missing first.
JOBS ?= $(shell nproc)
BUILD ?= build
SANBUILD ?= build-sanitize
WASMBUILD ?= build-wasm
WEBBUILD ?= $(BUILD)/web
WEBPORT ?= 8029
# Debian's emscripten finds its JavaScript helpers (acorn) through NODE_PATH.
export NODE_PATH := $(if $(NODE_PATH),$(NODE_PATH):)/usr/share/nodejs

.PHONY: setup configure build programs run test test-sanitize screenshots wasm web web-serve bench clean

setup:
	@bash tools/setup.sh

configure: setup
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(WASM_TESTS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# What `make run` runs and nothing else: the two programs. The tests and
# benchmarks are built by `make test` (and `make bench`).
programs: configure
	@if [ ! -x $(BUILD)/src/shell/talvor ] || [ ! -x $(BUILD)/src/cli/talvor-cli ]; then \
	    echo "building talvor and talvor-cli with $(JOBS) jobs: the first build takes roughly" \
	         "4 minutes on two idle cores, much longer on a busy one; later builds only what changed"; \
	fi
	@cmake --build $(BUILD) -j $(JOBS) --target talvor talvor-cli

# With a display: the desktop program on a demo project made from the worked
# example (out/demo). Without one: the worked example written into out/ and
# calculated there by the command-line tool.
run: programs
	@mkdir -p out
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	    if [ ! -f out/demo/Talvor.PRJ ]; then \
	        $(BUILD)/src/cli/talvor-cli project out/demo add >/dev/null && \
	        $(BUILD)/src/cli/talvor-cli project out/demo calc; \
	    fi; \
	    echo "opening the desktop program on out/demo"; \
	    exec $(BUILD)/src/shell/talvor out/demo; \
	else \
	    $(BUILD)/src/cli/talvor-cli new --force out/example.TV && \
	    echo "default worked example written to out/example.TV"; \
	    $(BUILD)/src/cli/talvor-cli calc out/example.TV; status=$$?; \
	    echo "calculation report (RTF with its drawings): out/example_TLVR.RTF"; \
	    echo "no display: the desktop program is $(BUILD)/src/shell/talvor [PROJECT_DIR]"; \
	    exit $$status; \
	fi

# The tests of the WebAssembly core run its module under node beside the
# native build, and those of the web page open it in chromium.
test: web
	@bash tools/setup.sh browser || echo "chromium could not be installed: the browser test will fail"
	@$(MAKE) --no-print-directory build \
	    WASM_TESTS="-DTALVOR_WASM_BUILD=$(abspath $(WASMBUILD)) -DTALVOR_WEB_BUILD=$(abspath $(WEBBUILD))"
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory screenshots
	@$(MAKE) --no-print-directory test-sanitize

# The user guide's pictures, taken from the desktop program into
# $(BUILD)/screenshots, where the guide of the build tree finds them; those
# of the web edition from $(WEBBUILD) in chromium, skipped (with a word on
# stderr) where the page or chromium is missing.
screenshots: build
	@cmake --build $(BUILD) --target screenshots
	@node tools/screenshots/web-pictures.js $(WEBBUILD) $(BUILD)/screenshots web/node_modules/playwright-core

# The file readers face hostile input: run their tests under ASan and UBSan too.
test-sanitize: setup
	@cmake -S . -B $(SANBUILD) -DCMAKE_BUILD_TYPE=Debug -DTALVOR_SANITIZE=ON \
	    -DTALVOR_ONLY_CORE=ON >/dev/null
	@cmake --build $(SANBUILD) -j $(JOBS)
	@cd $(SANBUILD) && ctest --output-on-failure -j $(JOBS)

# The Qt-free core as WebAssembly, with the node driver its tests run.
wasm:
	@bash tools/setup.sh wasm $(WASMBUILD)
	@emcmake cmake -S . -B $(WASMBUILD) -DCMAKE_BUILD_TYPE=Release \
	    -DTALVOR_DXFLIB_SOURCE=$(abspath $(WASMBUILD))/dxflib/source >/dev/null
	@cmake --build $(WASMBUILD) -j $(JOBS)

# The web edition: the page (web/, TypeScript checked, then bundled by esbuild)
# with the core's module, into $(WEBBUILD). Its npm packages are installed
# from the lock file when it is newer than what is installed.
web: wasm
	@bash tools/setup.sh web
	@cd web && if [ ! node_modules/.package-lock.json -nt package-lock.json ]; then \
	    npm ci --no-audit --no-fund --loglevel=error; fi
	@cd web && npx tsc -p .
	@node web/build.mjs $(WASMBUILD)/src/web $(WEBBUILD)

# Static files only: any local server does.
web-serve: web
	@echo "the web edition: http://localhost:$(WEBPORT)/ (Ctrl+C stops)"
	@cd $(WEBBUILD) && python3 -m http.server $(WEBPORT) --bind 127.0.0.1

bench: build web
	@for b in $(BUILD)/bench/bench_*; do $$b; done
	@TALVOR_NUMBER_TEXT_VALUES=1000000 $(BUILD)/tests/platform/platform_tests \
	    --gtest_filter='NumberText.*' --gtest_brief=1
	@bash bench/wasm-bench.sh $(BUILD) $(WASMBUILD)
	@node bench/web-page-bench.js $(WEBBUILD) $(BUILD)

clean:
	rm -rf $(BUILD) $(SANBUILD) $(WASMBUILD)
