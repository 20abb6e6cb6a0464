# K-VOX Setup: the two commands a fresh Debian 12 machine needs (as root).
#   make demo   install what is missing, build, make the Windows 95 prefix and the sample
#               disks, run the setup on them
#   make test   the same set-up, then every test
#   make bench  the same set-up, then the copy benchmark (prints figures)
#   make fuzz   the same set-up, then the setup on a few hundred damaged setup1.inf files
.PHONY: all build prefix demo test bench fuzz clean

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

bench:
	@bench/run.sh

fuzz:
	@scripts/fuzz.sh

clean:
	@scripts/session.sh stop
	rm -rf build
