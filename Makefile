# The two commands of the README: `make run` and `make test`. Both install the Debian packages
# they need when missing, configure and build.
BUILD := build
SANITIZE_BUILD := build-sanitize
JOBS := $(shell nproc)

PACKAGES := cmake g++ make pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
	libglew-dev libfreetype-dev libfontconfig-dev libx11-dev libxrandr-dev libxinerama-dev \
	libpng-dev libfftw3-dev libgl-dev libdbus-1-dev libxtst-dev clang-format libgl1-mesa-dri \
	libglx-mesa0 xvfb xauth fonts-liberation zenity xdotool dbus-daemon openbox

# What `make fuzz` needs besides: clang with libFuzzer.
FUZZ_PACKAGES := clang libclang-rt-dev

.PHONY: all deps build build-sanitize run test bench fuzz clean

all: build

deps:
	@tools/install-deps.sh $(PACKAGES)

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

build-sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DQX_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)

run: build
	@tools/run.sh $(BUILD)/out

# The format check, every test of the normal build (the window tests under Xvfb when there is no display), then
# the tests that need no window again under AddressSanitizer and UndefinedBehaviorSanitizer, and
# the storm of random input into the sanitized qxhost (under Xvfb when there is no display).
# No test reaches the user's own session or module folder: every qxhost they start keeps them in
# scratch folders, and runs on the files of the build folder.
test: export XDG_STATE_HOME := $(CURDIR)/$(BUILD)/test-state
test: export XDG_DATA_HOME := $(CURDIR)/$(BUILD)/test-data
test: export QXHOST_BUILD_FOLDER := 1
test: build build-sanitize
	@tools/check-format.sh
	@tools/with-display.sh ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	@ASAN_OPTIONS=detect_leaks=1 ctest --test-dir $(SANITIZE_BUILD) --output-on-failure \
		-j $(JOBS) -LE "window|storm"
	@ASAN_OPTIONS=detect_leaks=1 tools/with-display.sh ctest --test-dir $(SANITIZE_BUILD) \
		--output-on-failure -L storm

bench: build
	@for b in $(BUILD)/out/bench_*; do [ -x "$$b" ] && tools/with-display.sh "$$b"; done; true

# The libFuzzer targets of the incoming pins (alone, and with a frame of every page drawn after
# each), of command lines, of patch files and of the session file's reader, built with clang
# under the sanitizers; run one with build-fuzz/out/qx_command_fuzzer -max_total_time=60.
fuzz: deps
	@tools/install-deps.sh $(FUZZ_PACKAGES)
	@cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
		-DCMAKE_CXX_COMPILER=clang++ -DQX_SANITIZE=ON -DQX_FUZZ=ON >/dev/null
	@cmake --build build-fuzz -j $(JOBS) --target qx_pin_fuzzer qx_pin_draw_fuzzer qx_command_fuzzer \
		qx_patch_fuzzer qx_session_fuzzer

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) build-fuzz
