# `make run` and `make test` do all set-up on a fresh Debian machine.
BUILD_DIR := build
PACKAGES := cmake ninja-build g++ qt6-base-dev libgtest-dev clang-format \
            fonts-ipafont-gothic xvfb xauth xdotool x11-apps \
            dpkg-dev file desktop-file-utils appstream man-db

.PHONY: all setup configure build test run bench bench-cold install deb format clean

all: build

setup:
	@./scripts/install-missing.sh $(PACKAGES)

configure: setup
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD_DIR)

test: build
	@cmake --build $(BUILD_DIR) --target format-check
	@cd $(BUILD_DIR) && ctest --output-on-failure -j2

run: build
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
		echo "No display: start Vorn from a desktop session, or try: xvfb-run -a ./$(BUILD_DIR)/vorn"; \
		exit 1; \
	fi
	@./$(BUILD_DIR)/vorn

bench: build
	@./bench/measure-vs-du.sh
	@./bench/fill-vs-measure.sh

# Cold against du, ncdu and gdu; drops the system's caches, so run as root.
bench-cold: build
	@./bench/measure-cold.sh

install: build
	@cmake --install $(BUILD_DIR)

# build/vorn_<version>_<arch>.deb
deb: build
	@cd $(BUILD_DIR) && cpack -G DEB

format: configure
	@cmake --build $(BUILD_DIR) --target format

clean:
	rm -rf $(BUILD_DIR)
