# Zoltrek Calculator: `make run` builds and starts the program, `make test` builds and runs
# every test. Both install the missing Debian packages first.

BUILD   ?= build
JOBS    ?= $(shell nproc 2>/dev/null || echo 2)
# Each command installs only what it needs: the program, then its tests, then the fuzzers.
PROGRAM_PACKAGES = g++ make cmake qt6-base-dev qt6-translations-l10n libfontconfig-dev fonts-wine
TEST_PACKAGES    = $(PROGRAM_PACKAGES) libgtest-dev libbenchmark-dev xvfb xdotool openbox x11-utils \
                   strace desktop-file-utils appstream libclang-rt-14-dev faketime groff-base
FUZZ_PACKAGES    = $(PROGRAM_PACKAGES) clang libclang-rt-14-dev
# The Debian package is built by debhelper and checked by lintian.
DEB_PACKAGES     = $(PROGRAM_PACKAGES) debhelper dpkg-dev fakeroot lintian
# The Windows program is cross-built with mingw-w64 against a static Qt built from Debian's own
# qt6-base source (dpkg-dev unpacks it) with the host Qt's tools; its tests run under Wine.
WINDOWS_PACKAGES      = make cmake ninja-build dpkg-dev perl g++-mingw-w64-x86-64-posix qt6-base-dev \
                        qt6-translations-l10n fonts-wine
WINDOWS_TEST_PACKAGES = $(WINDOWS_PACKAGES) googletest wine64 xvfb xdotool x11-utils faketime locales

SUDO := $(if $(filter 0,$(shell id -u)),,sudo)

.PHONY: all deps program-deps test-deps fuzz-deps deb-deps windows-deps windows-test-deps configure \
        configure-tests build run test bench gallery screenshots install install-strip uninstall \
        portable fuzz deb test-deb windows test-windows clean

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
deb-deps:
	$(call install_missing,$(DEB_PACKAGES))
windows-deps:
	$(call install_missing,$(WINDOWS_PACKAGES))
	@tools/windows/deb-src.sh
# Wine takes the Windows locale, and the code page of the names it passes on, from the system's
# locale: the program runs in a Russian one, as its users do.
windows-test-deps: windows-deps
	$(call install_missing,$(WINDOWS_TEST_PACKAGES))
	@locale -a | grep -qix 'ru_RU.utf8' || { echo "Making the locale ru_RU.UTF-8"; \
	  $(SUDO) localedef -i ru_RU -f UTF-8 ru_RU.UTF-8; }

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
# and the software centres' description under DIR/share, staged under DESTDIR for a package. An
# installed program keeps each user's journal in their data folder. The executable is laid out
# as built, with its debugging symbols, as `cmake --install` does; `make install-strip` strips it.
PREFIX ?= $(HOME)/zoltrek
# literal(variable): its value as the user gave it, on the command line or in the environment,
# quoted for the shell: "$(id)" or "${HOME}" in a folder's name is taken as it stands.
literal = $(subst ','\'',$(if $(filter command line environment,$(origin $(1))),$(value $(1)),$($(1))))
# A prefix that no desktop entry could start the program from is refused before anything is laid
# out: a line break or a tab, "%" (a launcher's field code), "\" or bytes that are not UTF-8; so
# is a space at either end, which CMake would drop.
define newline


endef
define install_program
	$(if $(findstring $(newline),$(value PREFIX)),$(error make install: PREFIX holds a line break, which a desktop entry cannot hold; choose another folder))
	@prefix='$(call literal,PREFIX)'; tab=$$(printf '\t'); bad=; \
	case "$$prefix" in *"$$tab"*) bad="a tab, which a desktop entry cannot hold" ;; \
	  *%*) bad="a %, which the desktop's launchers take for a field code" ;; \
	  *\\*) bad="a backslash, which a desktop entry's path cannot hold" ;; \
	  " "*|*" ") bad="a space at its start or end, which CMake would drop" ;; esac; \
	printf '%s' "$$prefix" | iconv -f UTF-8 -t UTF-8 >/dev/null 2>&1 || \
	  bad="bytes that are not UTF-8, which a desktop entry cannot hold"; \
	[ -z "$$bad" ] || { echo "make install: PREFIX holds $$bad; choose another folder."; exit 2; }
	cmake --build $(BUILD) -j $(JOBS) --target zoltrek
	@prefix='$(call literal,PREFIX)'; destdir='$(call literal,DESTDIR)'; \
	DESTDIR="$$destdir" cmake --install $(BUILD) --prefix "$$prefix" $(1) || exit 1; \
	if [ -z "$$destdir" ] && [ -f "$$prefix/zoltrek.dat" ] && [ ! -e "$$prefix/bin/zoltrek.dat" ]; then \
	  echo "The journal of an earlier install is $$prefix/zoltrek.dat: move it to"; \
	  echo "$$prefix/bin/zoltrek.dat, beside the program, to go on with it."; \
	fi
endef
install: program-deps configure
	$(call install_program,)
install-strip: program-deps configure
	$(call install_program,--strip)

# `make uninstall [DESTDIR=STAGING]`: removes what the last install from this build laid out, as
# CMake listed it (without the staging folder, and its last line without a line end), and says
# what it removed; a journal is never among it.
uninstall:
	@manifest=$(BUILD)/install_manifest.txt; destdir='$(call literal,DESTDIR)'; \
	if [ ! -f "$$manifest" ]; then echo "Nothing to remove: no install from $(BUILD) is known."; exit 0; fi; \
	while IFS= read -r file || [ -n "$$file" ]; do \
	  case "$${file##*/}" in zoltrek.dat) continue ;; esac; \
	  file=$$destdir$$file; \
	  if [ -e "$$file" ] || [ -L "$$file" ]; then rm -f -- "$$file" && echo "Removed $$file"; fi; \
	done <"$$manifest"; \
	rm -f "$$manifest"

# `make portable DIR=FOLDER`: the program alone in a folder of its own, which keeps its journal
# beside it (a USB stick, say).
portable: program-deps configure
	@[ -n '$(call literal,DIR)' ] || { echo "Say where: make portable DIR=FOLDER"; exit 2; }
	cmake --build $(BUILD) -j $(JOBS) --target zoltrek
	@dir='$(call literal,DIR)'; mkdir -p -- "$$dir" && \
	cp --remove-destination -- $(BUILD)/zoltrek "$$dir/zoltrek" && \
	echo "The program is $$dir/zoltrek; its journal is $$dir/zoltrek.dat."

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

# `make deb`: the Debian package and its debug symbols in $(DEB_BUILD)/, built from a copy of this
# tree by dpkg-buildpackage, and lintian's verdict on them: no error, no warning.
DEB_BUILD ?= build-deb
deb: deb-deps
	@rm -rf $(DEB_BUILD) && mkdir -p $(DEB_BUILD)/source
	@tar -c --exclude-vcs --exclude='./build' --exclude='./build-*' . | tar -x -C $(DEB_BUILD)/source
	cd $(DEB_BUILD)/source && dpkg-buildpackage -b -us -uc -j$(JOBS) >../build.log 2>&1 || \
	  { tail -40 ../build.log; echo "dpkg-buildpackage failed: see $(DEB_BUILD)/build.log"; exit 1; }
	lintian --fail-on error,warning $(DEB_BUILD)/*.changes
	@ls $(DEB_BUILD)/*.deb

# `make test-deb`: the package built, unpacked and its program run by an ordinary user.
test-deb: test-deps deb build
	tests/e2e/deb_e2e.sh $(BUILD) $(DEB_BUILD)

# `make windows`: $(WINDOWS_BUILD)/zoltrek.exe, one executable that needs only Windows itself, and
# the archive a Windows user unpacks. The static Qt is built once per machine into
# ~/.cache/zoltrek (about 12 minutes on 2 cores); later builds take less than a minute.
WINDOWS_BUILD ?= build-windows
WINDOWS_TOOLCHAIN = $(CURDIR)/cmake/mingw-w64-x86_64.cmake
WINDOWS_QT = $$(tools/windows/build-qt.sh $(WINDOWS_TOOLCHAIN))
WINDOWS_CMAKE = -G Ninja -DCMAKE_TOOLCHAIN_FILE=$(WINDOWS_TOOLCHAIN) -DCMAKE_BUILD_TYPE=Release \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
windows: windows-deps
	@qt=$(WINDOWS_QT) && \
	cmake -S . -B $(WINDOWS_BUILD) $(WINDOWS_CMAKE) -DZOLTREK_TESTS=OFF \
	  -DCMAKE_PREFIX_PATH="$$qt" -DCMAKE_FIND_ROOT_PATH="$$qt" >/dev/null
	cmake --build $(WINDOWS_BUILD) -j $(JOBS) --target zoltrek zoltrek_archive

# `make test-windows`: the Qt-free tests cross-built and run under Wine, then the real program
# under Wine on a private X server, checked against the Linux build.
test-windows: test-deps windows-test-deps windows build
	@qt=$(WINDOWS_QT) && \
	cmake -S tests/windows -B $(WINDOWS_BUILD)/tests $(WINDOWS_CMAKE) \
	  -DCMAKE_PREFIX_PATH="$$qt" -DCMAKE_FIND_ROOT_PATH="$$qt" \
	  -DCMAKE_CROSSCOMPILING_EMULATOR=$(CURDIR)/tools/windows/wine.sh >/dev/null
	cmake --build $(WINDOWS_BUILD)/tests -j $(JOBS)
	WINEPREFIX=$(abspath $(WINDOWS_BUILD))/wine ctest --test-dir $(WINDOWS_BUILD)/tests \
	  --output-on-failure -j $(JOBS)
	tests/e2e/windows_e2e.sh $(BUILD) $(WINDOWS_BUILD)

# A journal is the user's data, never a build product: clean removes everything else and keeps,
# where it is, every file whose name starts with zoltrek.dat in any case (the journal and the
# user's copies of it: zoltrek.dat.bak, zoltrek.dat~, ZOLTREK.DAT), with anything under a folder
# of such a name, and says which.
clean:
	@for d in $(BUILD) $(FUZZ_BUILD) $(NOFONTS_BUILD) $(WINDOWS_BUILD) $(DEB_BUILD); do \
	  [ -d "$$d" ] || continue; \
	  find "$$d" -depth -mindepth 1 ! -iname 'zoltrek.dat*' ! -ipath '*/zoltrek.dat*/*' \
	    \( ! -type d -o -empty \) -delete; \
	  find "$$d" -iname 'zoltrek.dat*' -prune -exec echo "Kept {}" \; ; \
	  rmdir "$$d" 2>/dev/null || true; \
	done
