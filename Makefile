# Two commands for a fresh Debian 12 machine:
#   make run    install what is missing, build, start the program
#   make test   install what is missing, build, run every test
# and one for a Debian package:
#   make package  the same build, then $(BUILD)/norvanta2_<version>_<arch>.deb
# Packages are installed with apt-get when run as root, through sudo where it
# exists, and otherwise the one apt-get line to run is printed.

PACKAGES := g++ make cmake qt6-base-dev qt6-base-dev-tools qt6-image-formats-plugins \
            libgl-dev fonts-noto-cjk xvfb xauth imagemagick fusefat fuse3 dosfstools \
            xdotool desktop-file-utils appstream file dpkg-dev
# HEIC and AVIF in the thumbnail box; heif-enc makes the test pictures.
PACKAGES += pkg-config libheif-dev libheif-examples
# Capture times for the capture-time order; exiftool writes them into the test
# pictures, the exiv2 command is what the benchmark measures against.
PACKAGES += libexiv2-dev libimage-exiftool-perl exiv2
BUILD    := build
JOBS     := -j2

.PHONY: all deps build run test bench package clean

all: build

deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'ok installed' || echo $$p; done); \
	if [ -z "$$missing" ]; then exit 0; fi; \
	echo "Installing:" $$missing; \
	if [ "$$(id -u)" = 0 ]; then SUDO=; \
	elif command -v sudo >/dev/null 2>&1; then SUDO=sudo; \
	else echo "Run as root: apt-get install -y --no-install-recommends" $$missing; exit 1; fi; \
	$$SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -q && \
	$$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $$missing

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) $(JOBS)

run: build
	./$(BUILD)/bin/norvanta2

test: build
	cd $(BUILD) && ctest --output-on-failure $(JOBS)

bench: build
	cmake --build $(BUILD) $(JOBS) --target benchmarks
	@for program in $(BUILD)/bench/*_bench; do echo "== $$program"; QT_QPA_PLATFORM=offscreen $$program || exit 1; done

package: build
	cd $(BUILD) && cpack

clean:
	rm -rf $(BUILD)
