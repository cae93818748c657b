# Zoltrek Calculator: `make run` builds and starts the program, `make test` builds and runs
# every test. Both install the missing Debian packages first.

BUILD   ?= build
JOBS    ?= $(shell nproc 2>/dev/null || echo 2)
# Each command installs only what it needs: the program, then its tests, then the fuzzers.
PROGRAM_PACKAGES = g++ make cmake qt6-base-dev qt6-translations-l10n libfontconfig-dev fonts-wine
TEST_PACKAGES    = $(PROGRAM_PACKAGES) libgtest-dev libbenchmark-dev xvfb xdotool openbox x11-utils \
                   strace desktop-file-utils appstream libclang-rt-14-dev faketime
FUZZ_PACKAGES    = $(PROGRAM_PACKAGES) clang libclang-rt-14-dev

SUDO := $(if $(filter 0,$(shell id -u)),,sudo)

.PHONY: all deps program-deps test-deps fuzz-deps configure configure-tests build run test bench gallery \
        screenshots install fuzz clean

all: build

# install_missing(packages): apt-get installs those dpkg does not know as installed.
define install_missing
	@missing=""; \
	for p in $(1); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing; \
	fi
endef

deps: test-deps fuzz-deps
program-deps:
	$(call install_missing,$(PROGRAM_PACKAGES))
test-deps:
	$(call install_missing,$(TEST_PACKAGES))
fuzz-deps:
	$(call install_missing,$(FUZZ_PACKAGES))

# `make run` configures the program alone unless this build already has the tests; `make test`
# turns them on.
$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZOLTREK_TESTS=OFF

configure: $(BUILD)/CMakeCache.txt

configure-tests:
	@grep -q '^ZOLTREK_TESTS:BOOL=ON' $(BUILD)/CMakeCache.txt 2>/dev/null || \
	  cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZOLTREK_TESTS=ON

build: configure-tests
	cmake --build $(BUILD) -j $(JOBS)

run: program-deps configure
	cmake --build $(BUILD) -j $(JOBS) --target zoltrek
	./$(BUILD)/zoltrek

test: test-deps build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# Every Google Benchmark program, each also writing a JSON report, then the one table of
# figures built from those reports and from start-ups timed under a private Xvfb.
BENCH_REPORTS = $(BUILD)/bench/reports
bench: test-deps build
	@mkdir -p $(BENCH_REPORTS)
	@for b in $(BUILD)/bench/bench_*; do \
	  [ -x "$$b" ] || continue; \
	  "$$b" --benchmark_out=$(BENCH_REPORTS)/$$(basename $$b).json \
	    --benchmark_out_format=json || exit 1; \
	done
	@. tests/support/xvfb.sh; xvfb_start || unset DISPLAY; \
	  $(BUILD)/bench/figures $(BENCH_REPORTS); status=$$?; xvfb_stop; exit $$status

# libFuzzer targets of the journal core and of the controls' logic, each for FUZZ_SECONDS;
# new inputs go to $(FUZZ_BUILD)/corpus, and an input that breaks a rule to
# $(FUZZ_BUILD)/crash-*.
FUZZ_BUILD   ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZERS       = textnum load rewrite datetime xpb
fuzz: fuzz-deps
	cmake -S fuzz -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@for t in $(FUZZERS); do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$t; \
	  echo "fuzz_$$t for $(FUZZ_SECONDS) s"; \
	  ./$(FUZZ_BUILD)/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    -artifact_prefix=$(FUZZ_BUILD)/ $(FUZZ_BUILD)/corpus/$$t fuzz/corpus/$$t \
	    > $(FUZZ_BUILD)/fuzz_$$t.log 2>&1 || { tail -40 $(FUZZ_BUILD)/fuzz_$$t.log; exit 1; }; \
	  grep -E 'number_of_executed_units' $(FUZZ_BUILD)/fuzz_$$t.log; \
	done

# `make install PREFIX=DIR [DESTDIR=STAGING]`: DIR/bin/zoltrek, with the desktop entry, the icons
# and the software centres' description under DIR/share, staged under DESTDIR for a package.
# Where the user may write DIR/bin, the journal is DIR/bin/zoltrek.dat (a portable install);
# else it is in the user's data folder.
PREFIX ?= $(HOME)/zoltrek
install: program-deps configure
	cmake --build $(BUILD) -j $(JOBS) --target zoltrek
	@prefix='$(subst ','\'',$(PREFIX))'; destdir='$(subst ','\'',$(DESTDIR))'; \
	DESTDIR="$$destdir" cmake --install $(BUILD) --prefix "$$prefix" --strip || exit 1; \
	if [ -z "$$destdir" ] && [ -f "$$prefix/zoltrek.dat" ] && [ ! -e "$$prefix/bin/zoltrek.dat" ]; then \
	  echo "The journal of an earlier install is $$prefix/zoltrek.dat; this program keeps it in"; \
	  echo "$$prefix/bin/zoltrek.dat: move it there to go on with it."; \
	fi

# Pictures of the real windows under Xvfb, written to build/screenshots/: at every screen scale,
# and from a second build without the bundled faces, as where fonts-wine is missing.
NOFONTS_BUILD ?= $(BUILD)-nofonts
screenshots: test-deps build
	cmake -S . -B $(NOFONTS_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZOLTREK_TESTS=OFF \
	  -DZOLTREK_FONT_DIR=/nonexistent >/dev/null
	cmake --build $(NOFONTS_BUILD) -j $(JOBS) --target zoltrek
	tests/e2e/screenshots.sh $(BUILD) $(BUILD)/screenshots
	tests/e2e/screenshots.sh $(BUILD) $(BUILD)/screenshots $(NOFONTS_BUILD)/zoltrek

gallery: program-deps configure
	cmake --build $(BUILD) -j $(JOBS) --target xpb_gallery
	./$(BUILD)/tools/xpbgallery/xpb_gallery $(BUILD)/xpb-gallery.png

# A journal is the user's data, never a build product: clean removes everything else and keeps
# every zoltrek.dat (with anything under a folder of that name) where it is.
clean:
	@for d in $(BUILD) $(FUZZ_BUILD) $(NOFONTS_BUILD); do \
	  [ -d "$$d" ] || continue; \
	  find "$$d" -depth -mindepth 1 ! -name zoltrek.dat ! -path '*/zoltrek.dat/*' \
	    \( ! -type d -o -empty \) -delete; \
	  find "$$d" -name zoltrek.dat -prune -exec echo "Kept the journal {}" \; ; \
	  rmdir "$$d" 2>/dev/null || true; \
	done
