# Quorvin: `make run` builds and starts the game, `make test` builds and runs every test.
# Every Debian package the project needs is installed by `deps`, which the other targets call.

BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
JOBS       ?= $(shell nproc)
FUZZ_SECONDS ?= 60
# `make test` also runs every fuzz target this long on its seeds, so that none can rot.
FUZZ_SMOKE_SECONDS ?= 3

PACKAGES = g++ cmake ninja-build pkg-config libgtest-dev libbenchmark-dev \
           qt6-base-dev qt6-multimedia-dev libjpeg-dev libgif-dev libgl-dev \
           clang libclang-rt-14-dev clang-format xvfb xauth imagemagick xdotool \
           openbox x11-utils desktop-file-utils appstream shared-mime-info dpkg-dev file \
           qt6-translations-l10n

SUDO = $(shell [ "$$(id -u)" = 0 ] || echo sudo)

SOAK_SECONDS ?= 300
PREFIX       ?= /usr/local

.PHONY: deps build run test test-asan soak bench format fuzz fuzz-build fuzz-smoke clean install package

deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVIN_APP=ON

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD) && ./quorvin

test: build fuzz-smoke
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The game, its data, menu entry, icons and description under PREFIX (DESTDIR is honoured).
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# A Debian package of the same files under /usr: $(BUILD)/quorvin_VERSION_ARCH.deb.
package: build
	cd $(BUILD) && cpack -G DEB

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORVIN_SANITIZE=ON -DQUORVIN_APP=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
	  ctest --output-on-failure -j $(JOBS)

# The window's soak test, run for SOAK_SECONDS instead of its short run in `make test`.
soak: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen QUORVIN_SOAK_SECONDS=$(SOAK_SECONDS) \
	  ./tests/app/window_tests --gtest_filter='SoakTest.*'

bench: build
	cd $(BUILD) && ./quorvin-cli bench && ./bench/quorvin_bench && \
	  QT_QPA_PLATFORM=offscreen ./bench/render_bench

# The fuzz targets that tests/fuzz/CMakeLists.txt lists, built with clang and libFuzzer.
fuzz-build: deps
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVIN_APP=OFF -DQUORVIN_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_targets

# A few seconds of each target on a throw-away copy of its seeds (part of `make test`).
fuzz-smoke: fuzz-build
	sh tests/fuzz/run_fuzz.sh $(FUZZ_BUILD) $(FUZZ_SMOKE_SECONDS)

# Every target FUZZ_SECONDS on a corpus folder of its own, fuzz-corpus/NAME, that grows from
# run to run, seeded from tests/fuzz/seeds/NAME (and the position files).
fuzz: fuzz-build
	sh tests/fuzz/run_fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS) fuzz-corpus

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
