# The two commands a new user needs: `make run` and `make test`.
BUILD ?= build
EXAMPLE ?= examples/harbour.gif
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
# Cache settings applied to the build folder even when it exists, as the CI's
# -DTAVLO_WERROR=ON -DTAVLO_PACKAGE_CHECK=ON.
OPTIONS ?=
JOBS ?= $(shell nproc)

.PHONY: run test check build configure deps sanitize bench fuzz fuzzers install deb clean format

deps:
	@bash tools/deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) $(OPTIONS)

configure: deps $(BUILD)/build.ninja
	@if [ -n "$(OPTIONS)" ]; then cmake -S . -B $(BUILD) $(OPTIONS); fi

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# The program alone: no tests, no fuzzers.
run: configure
	cmake --build $(BUILD) -j $(JOBS) --target tavlo
	./$(BUILD)/tavlo $(EXAMPLE)

test: build fuzzers
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The tests without building the fuzzers first.
check: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The fuzzers, for the short fuzz run among the tests; only where clang and its
# sanitizer runtimes are installed (the machine's own compiler otherwise builds all).
FUZZ_TARGETS = fuzz_imageinfo fuzz_htmlpage fuzz_mapreader fuzz_roundtrip fuzz_foreignpage
fuzzers:
	@if command -v clang++ >/dev/null && ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then \
	    [ -f build-fuzz/build.ninja ] || cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	        -DTAVLO_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ -DTAVLO_SANITIZE=ON -DBUILD_TESTING=OFF; \
	    cmake --build build-fuzz -j $(JOBS) --target $(FUZZ_TARGETS); \
	else echo "clang not found: the short fuzz run will be skipped"; fi

# The whole suite once more under AddressSanitizer and UndefinedBehaviorSanitizer; the
# fuzzers, sanitized already, are not run again.
sanitize:
	@bash tools/deps.sh sanitize
	$(MAKE) check BUILD=build-asan CMAKE_FLAGS="-DCMAKE_BUILD_TYPE=Debug -DTAVLO_SANITIZE=ON"

bench:
	@bash tools/deps.sh bench
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVLO_BENCH=ON
	cmake --build build-bench -j $(JOBS)
	bash bench/run.sh build-bench

fuzz:
	@bash tools/deps.sh fuzz
	cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVLO_FUZZ=ON \
	    -DCMAKE_CXX_COMPILER=clang++ -DTAVLO_SANITIZE=ON -DBUILD_TESTING=OFF
	cmake --build build-fuzz -j $(JOBS) --target $(FUZZ_TARGETS)
	bash fuzz/run.sh build-fuzz

PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package, $(BUILD)/tavlo_VERSION_amd64.deb.
deb: build
	cd $(BUILD) && cpack -G DEB

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build build-asan build-bench build-fuzz
