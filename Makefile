# The two commands: `make run` and `make test`. Both install what is missing first.
BUILD      ?= build
BUILD_ASAN ?= build-asan
BUILD_DEB  ?= build-deb
JOBS       ?= $(shell nproc)
CTEST_ARGS ?= --output-on-failure -j $(JOBS)
# ccache, where installed, shares compiled objects between checkouts of the project (paths relative to it).
ifneq ($(shell command -v ccache),)
export CMAKE_CXX_COMPILER_LAUNCHER ?= ccache
export CCACHE_BASEDIR ?= $(CURDIR)
# With debug information ccache also hashes the build folder's absolute path by default; left out, a
# clone in another folder finds the objects another clone compiled.
export CCACHE_NOHASHDIR ?= true
endif

.PHONY: all deps configure build run test test-asan bench deb clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/Varnholt/Quorvane/quorvane

test: build
	@cd $(BUILD) && ctest $(CTEST_ARGS)

# The same suite built with AddressSanitizer and UndefinedBehaviorSanitizer; any report fails.
test-asan: deps
	@cmake -S . -B $(BUILD_ASAN) -DCMAKE_BUILD_TYPE=Debug -DQUORVANE_SANITIZE=ON >/dev/null
	@cmake --build $(BUILD_ASAN) -j $(JOBS)
	@cd $(BUILD_ASAN) && ctest $(CTEST_ARGS)

# Without a display the benchmarks that open windows use the offscreen platform. Every benchmark runs;
# one that crashes or fails is named at the end and fails the target.
bench: build
	@[ -n "$$DISPLAY" ] || export QT_QPA_PLATFORM=$${QT_QPA_PLATFORM:-offscreen}; \
	failed=""; \
	for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] || continue; "$$b" || failed="$$failed $${b##*/}"; done; \
	[ -z "$$failed" ] || { echo "benchmarks that failed:$$failed" >&2; exit 1; }

# The Debian package quorvane_<version>_amd64.deb, built in its own tree with the package's layout;
# lintian's errors and warnings fail it.
deb: deps
	@bash scripts/install-deps.sh deb
	@cmake -S . -B $(BUILD_DEB) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVANE_PACKAGE=ON -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
	@cmake --build $(BUILD_DEB) -j $(JOBS) --target quorvane quorvane-cli qdb location_database desktop_icons
	@cd $(BUILD_DEB) && cpack -G DEB >/dev/null
	@cp $(BUILD_DEB)/quorvane_*_amd64.deb .
	@ls quorvane_*_amd64.deb
	@lintian --fail-on error,warning quorvane_*_amd64.deb

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_DEB)
