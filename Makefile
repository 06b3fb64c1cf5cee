# `make run` and `make test` do all set-up on a fresh Debian machine.
BUILD_DIR := build
PACKAGES := cmake ninja-build g++ qt6-base-dev libgtest-dev clang-format clang-tidy \
            fonts-ipafont-gothic xvfb xauth xdotool x11-apps \
            dpkg-dev file desktop-file-utils appstream man-db lintian devscripts

.PHONY: all setup configure build test check run bench bench-wide bench-cold mutate install deb format clean

all: build

setup:
	@./scripts/install-missing.sh $(PACKAGES)

configure: setup
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORN_WERROR=ON >/dev/null

build: configure
	@cmake --build $(BUILD_DIR)

test: build
	@cmake --build $(BUILD_DIR) --target format-check
	@./scripts/check-layers.sh
	@./scripts/check-naming.sh $(BUILD_DIR)
	@cd $(BUILD_DIR) && ctest --output-on-failure -j2

# The suite under AddressSanitizer and UndefinedBehaviorSanitizer, then the measuring and deletion
# suites, whose walks share work between threads, under ThreadSanitizer, repeatedly. Any report
# fails the run; only Qt's own leaks are suppressed. Full stacks for leaks: system libraries
# that Qt calls (D-Bus) have no frame pointers, and the leak must be traced back to Qt.
SAN_ENV := ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:fast_unwind_on_malloc=0 \
           LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizers/qt-leaks.supp:print_suppressions=0 \
           UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
           TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1
check: setup
	@cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVORN_SANITIZE=address,undefined >/dev/null
	@cmake --build build-asan
	@cd build-asan && $(SAN_ENV) ctest --output-on-failure -j2 -E '^package\.'
	@cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORN_SANITIZE=thread >/dev/null
	@cmake --build build-tsan --target measure_tests deletion_tests
	@cd build-tsan && $(SAN_ENV) ./tests/measure_tests --gtest_repeat=3 --gtest_brief=1 && \
		$(SAN_ENV) ./tests/deletion_tests --gtest_brief=1

run: build
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
		echo "No display: start Vorn from a desktop session, or try: xvfb-run -a ./$(BUILD_DIR)/vorn"; \
		exit 1; \
	fi
	@./$(BUILD_DIR)/vorn

bench: build
	@./bench/measure-vs-du.sh
	@./bench/fill-vs-measure.sh

# A folder of a million files: as a sub-folder, listed, and filled into the window.
bench-wide: build
	@./bench/measure-wide.sh

# Cold against du, ncdu and gdu; drops the system's caches, so run as root.
bench-cold: build
	@./bench/measure-cold.sh

# Which planted faults the tests catch; about half an hour.
mutate: setup
	@python3 bench/mutate.py bench/mutants.txt --title "Mutation results" --first-failure \
		--out bench/mutation-results.md

install: build
	@cmake --install $(BUILD_DIR)

# build/vorn_<version>_<arch>.deb, from what the package holds only: no tests, no tools.
deb: configure
	@cmake --build $(BUILD_DIR) --target package-contents
	@cd $(BUILD_DIR) && cpack -G DEB

format: configure
	@cmake --build $(BUILD_DIR) --target format

clean:
	rm -rf $(BUILD_DIR) build-asan build-tsan
