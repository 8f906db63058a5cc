# SPDX-License-Identifier: GPL-3.0-or-later
# Commands for a fresh Debian 12 machine; each installs only what it needs:
#   make run      build the program and start it
#   make test     build everything, run every test
#   make package  build the program, then $(BUILD)/norvanta2_<version>_<arch>.deb
#   make bench    build and run the benchmarks
#   make translations  bring translations/norvanta2_en.ts up to date with the code
#   make deps     install the packages of all four
# Packages are installed with apt-get when run as root, through sudo where it
# exists, and otherwise the one apt-get line to run is printed.

# Building and running the program: the compiler, Qt with its image-format
# plug-ins and the translation tools that compile the English window, libheif
# for HEIC and AVIF and libtiff for large scans in the thumbnail box, exiv2 for
# capture times, and a font with the glyphs of the Japanese interface.
RUN_PACKAGES     := g++ make cmake pkg-config qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-l10n-tools \
                    libgl-dev qt6-image-formats-plugins libheif-dev libtiff-dev libexiv2-dev zlib1g-dev fonts-noto-cjk
# Making the package: dpkg-shlibdeps finds the libraries the program links,
# file tells cpack which files are programs.
PACKAGE_PACKAGES := dpkg-dev file
# Running the tests: a virtual display driven by xdotool, test pictures made
# with ImageMagick, heif-enc and exiftool and read back with exiv2, a FAT card
# image mounted through FUSE, and the checkers of the menu entry, the metadata
# and the package.
TEST_PACKAGES    := xvfb xauth xdotool imagemagick libheif-examples libimage-exiftool-perl exiv2 \
                    fusefat fuse3 dosfstools desktop-file-utils appstream lintian
# The benchmarks time the program through its window on a virtual display
# (windowclock, built against X11, DAMAGE and XTEST) side by side with the
# plain tools doing the same work: vipsthumbnail, heif-thumbnailer (on
# pictures encoded with heif-enc), perl rename and exiv2.
BENCH_PACKAGES   := xvfb libx11-dev libxdamage-dev libxtst-dev libvips-tools heif-thumbnailer libheif-examples \
                    rename exiv2

BUILD := build
JOBS  := -j2
# The test programs are compiled for `make test` only.
CONFIGURE = cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=$(1)

.PHONY: translations all deps run-deps package-deps test-deps bench-deps build build-all run test bench package clean

all: build

# install-missing PACKAGES: apt-get installs those not installed yet.
define install-missing
	@missing=$$(for p in $(1); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'ok installed' || echo $$p; done); \
	if [ -z "$$missing" ]; then exit 0; fi; \
	echo "Installing:" $$missing; \
	if [ "$$(id -u)" = 0 ]; then SUDO=; \
	elif command -v sudo >/dev/null 2>&1; then SUDO=sudo; \
	else echo "Run as root: apt-get install -y --no-install-recommends" $$missing; exit 1; fi; \
	$$SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -q && \
	$$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $$missing
endef

run-deps:
	$(call install-missing,$(RUN_PACKAGES))
package-deps:
	$(call install-missing,$(RUN_PACKAGES) $(PACKAGE_PACKAGES))
test-deps:
	$(call install-missing,$(RUN_PACKAGES) $(PACKAGE_PACKAGES) $(TEST_PACKAGES))
bench-deps:
	$(call install-missing,$(RUN_PACKAGES) $(BENCH_PACKAGES))
deps:
	$(call install-missing,$(sort $(RUN_PACKAGES) $(PACKAGE_PACKAGES) $(TEST_PACKAGES) $(BENCH_PACKAGES)))

# The program, its sender command and the files they need beside them.
build: run-deps
	$(call CONFIGURE,OFF)
	cmake --build $(BUILD) $(JOBS)

# The same and every test program.
build-all: test-deps
	$(call CONFIGURE,ON)
	cmake --build $(BUILD) $(JOBS)

run: build
	./$(BUILD)/bin/norvanta2

test: build-all
	cd $(BUILD) && ctest --output-on-failure $(JOBS)

# Every benchmark runs, even after one that could not measure; MISSED goals
# are figures, not failures. `make bench BENCH_SMOKE=1` checks quickly that
# each still runs end to end, on a tenth of the files, judging no goal.
bench: bench-deps build
	cmake --build $(BUILD) $(JOBS) --target benchmarks
	@status=0; for program in $(BUILD)/bench/*_bench; do echo "== $$program"; $$program || status=1; done; \
	rm -rf "$${TMPDIR:-/tmp}/nvbench-spent"; exit $$status

package: package-deps build
	cd $(BUILD) && cpack

translations: build
	cmake --build $(BUILD) --target update_translations

clean:
	rm -rf $(BUILD)
