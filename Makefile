# Thin wrapper around CMake. `make test` and `make sanitize` are what CI runs.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS = -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDWFPLOT_WERROR=ON

DEB_PACKAGES = zlib1g-dev libpng-dev libjpeg-dev libgtest-dev libgmock-dev libbenchmark-dev \
               cmake g++ clang libclang-rt-14-dev unzip zip libxml2-utils binutils librsvg2-bin \
               locales \
               libcairo2-dev libtiff-dev pkg-config poppler-utils

# The Python module builds for Debian's interpreter, whose packages
# (pybind11, NumPy, pytest) come from Debian too.
PYTHON          ?= /usr/bin/python3
PYTHON_PACKAGES  = python3-dev python3-pybind11 pybind11-dev python3-numpy python3-pytest

PREFIX     ?= /usr/local
# The one version, CMake's project version, for what is made outside CMake.
VERSION := $(shell sed -n 's/^project.dwfplot VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

PACKAGE_BUILD    ?= build-package
PACKAGE_PACKAGES  = dpkg-dev file

FUZZ_BUILD   ?= build-fuzz
FUZZ_SECONDS ?= 60
BENCH_BUILD  ?= build-bench

.PHONY: all deps deps-python build test sanitize tsan demo bench fuzz python package docs install clean

all: build

# Installs the Debian packages a target needs (as root), or names them.
define install_missing
	@missing=""; \
	for p in $(1); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -z "$$missing" ]; then exit 0; fi; \
	if [ "$$(id -u)" = 0 ]; then \
	  echo "installing:$$missing"; \
	  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	else \
	  echo "missing Debian packages (install them as root):$$missing"; exit 1; \
	fi
endef

deps:
	$(call install_missing,$(DEB_PACKAGES))

deps-python: deps
	$(call install_missing,$(PYTHON_PACKAGES))

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

sanitize: deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_FLAGS) -DDWFPLOT_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	  ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

# Writers and readers on several threads at once under ThreadSanitizer; only
# the thread tests are built, the rest of the suite gains nothing from it.
TSAN_BUILD ?= build-tsan
tsan: deps
	cmake -S . -B $(TSAN_BUILD) $(CMAKE_FLAGS) -DDWFPLOT_TSAN=ON
	cmake --build $(TSAN_BUILD) --target dwfplot_threads_tests -j $(JOBS)
	TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 $(TSAN_BUILD)/tests/dwfplot_threads_tests

# The main job: a three-page plot written, read back and rendered to SVG in
# out/. Only the library and the tool are built, not the tests.
demo: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) --target dwfplot_tool -j $(JOBS)
	$(BUILD)/dwfplot demo -o out

# Writer and reader end to end beside the zlib floors, at three page sizes;
# the table of docs/PERFORMANCE.md comes from this run.
bench: deps
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DDWFPLOT_WERROR=ON -DDWFPLOT_TESTS=OFF -DDWFPLOT_BENCHMARKS=ON
	cmake --build $(BENCH_BUILD) --target dwfplot_benchmarks -j $(JOBS)
	bench/run.sh $(BENCH_BUILD)

# Each libFuzzer target for FUZZ_SECONDS, starting from its seed corpus.
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDWFPLOT_WERROR=ON -DDWFPLOT_TESTS=OFF -DDWFPLOT_FUZZ=ON
	cmake --build $(FUZZ_BUILD) --target dwfplot_fuzzers -j $(JOBS)
	fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# The module and the C++ host its tests compare with, then pytest.
python: deps-python
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DDWFPLOT_PYTHON=ON -DPython_EXECUTABLE=$(PYTHON)
	cmake --build $(BUILD) --target _dwfplot dwfplot_python_host dwfplot_tool -j $(JOBS)
	ctest --test-dir $(BUILD) --output-on-failure -R '^python$$'

# The Debian package (dwfplot_VERSION_ARCH.deb in $(PACKAGE_BUILD)), built for
# /usr, and the host example of the README built and run against its contents.
package: deps
	$(call install_missing,$(PACKAGE_PACKAGES))
	cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=Release -DDWFPLOT_WERROR=ON -DDWFPLOT_TESTS=OFF \
	  -DCMAKE_INSTALL_PREFIX=/usr
	cmake --build $(PACKAGE_BUILD) -j $(JOBS)
	cd $(PACKAGE_BUILD) && cpack -G DEB
	tests/install/package_test.sh $(PACKAGE_BUILD)/dwfplot_$(VERSION)_*.deb $(VERSION)

# The API reference of the public headers in $(DOCS_BUILD)/html; any Doxygen
# warning (an undocumented call, a stale parameter name) fails it.
DOCS_BUILD ?= build-docs
docs:
	$(call install_missing,doxygen)
	mkdir -p $(DOCS_BUILD)
	DWFPLOT_VERSION=$(VERSION) DWFPLOT_DOCS_OUTPUT=$(DOCS_BUILD) doxygen docs/Doxyfile
	@echo "API reference: $(DOCS_BUILD)/html/index.html"

# The prefix is configured, not only given at install time, so that the
# pkg-config file and the Python module name where the files really are.
install: deps-python
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DDWFPLOT_PYTHON=ON -DPython_EXECUTABLE=$(PYTHON) -DCMAKE_INSTALL_PREFIX=$(PREFIX)
	cmake --build $(BUILD) -j $(JOBS)
	cmake --install $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(TSAN_BUILD) $(FUZZ_BUILD) $(BENCH_BUILD) $(PACKAGE_BUILD) $(DOCS_BUILD)
