# K-VOX Setup: the two commands a fresh Debian 12 machine needs (as root).
#   make demo   install what is missing, build, make the Windows 95 prefix and the sample
#               disks, run the setup on them
#   make test   the same set-up, then every test
.PHONY: all build prefix demo test clean

all: build

build:
	@scripts/install-deps.sh
	@scripts/build.sh

prefix: build
	@scripts/make-prefix.sh

demo:
	@scripts/demo.sh

test:
	@scripts/run-tests.sh

clean:
	@scripts/session.sh stop
	rm -rf build
