# Zoltrek Calculator: `make run` builds and starts the program, `make test` builds and runs
# every test. Both install the missing Debian packages first.

BUILD   ?= build
JOBS    ?= $(shell nproc 2>/dev/null || echo 2)
PACKAGES = g++ make cmake qt6-base-dev libgtest-dev libbenchmark-dev fonts-wine xvfb xdotool

SUDO := $(if $(filter 0,$(shell id -u)),,sudo)

.PHONY: all deps configure build run test bench gallery clean

all: build

deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing; \
	fi

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: deps build
	./$(BUILD)/zoltrek

test: deps build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

bench: deps build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b" || exit 1; done

gallery: deps build
	./$(BUILD)/src/controls/xpb/xpb_gallery $(BUILD)/xpb-gallery.png

clean:
	rm -rf $(BUILD)
