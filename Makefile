# The two commands of the project:
#   make run    set up, build and start the program
#   make test   set up, build and pass the tests (and a short fuzz run)

SHELL := bash
.SHELLFLAGS := -o pipefail -c

BUILD      ?= build
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 30
# The fuzz run takes 2 x FUZZ_SECONDS in all, as when it had two targets; every target gets
# an equal share of it, a whole second at least (0 would mean no limit to libFuzzer).
FUZZ_TARGETS := structure_reader table_reader record_reader settings_reader page_normaliser
FUZZ_TARGET_SECONDS ?= $(shell n=$$(( 2 * $(FUZZ_SECONDS) / $(words $(FUZZ_TARGETS)) )); \
                                echo $$(( n > 0 ? n : 1 )))

# Headless: Qt without a display; Qt WebEngine as root needs its sandbox off and no GPU.
TEST_ENV = QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 \
           QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu

.PHONY: all deps configure build test fuzz bench demo run package format clean

all: build

deps:
	bash scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -G Ninja

build: configure
	cmake --build $(BUILD) -j2

# The fuzz run comes first so that the test summary closes the output.
test: build fuzz
	cd $(BUILD) && $(TEST_ENV) ctest --output-on-failure -j2

# libFuzzer runs on the readers of the program's files, starting from the committed seeds.
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DQUARBEL_FUZZ=ON \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(FUZZ_BUILD) -j2
	@for target in $(FUZZ_TARGETS); do \
	  corpus=$$(mktemp -d); \
	  cp fuzz/corpus/$${target%_reader}/* "$$corpus"/; \
	  echo "fuzzing $$target for $(FUZZ_TARGET_SECONDS) s"; \
	  if ! $(FUZZ_BUILD)/fuzz/$${target}_fuzz -max_total_time=$(FUZZ_TARGET_SECONDS) -max_len=4096 \
	      -artifact_prefix=$(FUZZ_BUILD)/ -print_final_stats=1 "$$corpus" > "$$corpus.log" 2>&1; then \
	    grep -v '^#\|Uses:' "$$corpus.log" | tail -n 60; rm -rf "$$corpus" "$$corpus.log"; \
	    echo "fuzzing $$target found a failure"; exit 1; \
	  fi; \
	  tail -n 6 "$$corpus.log"; rm -rf "$$corpus" "$$corpus.log"; \
	done

bench: build
	$(BUILD)/bench/structure_bench
	$(BUILD)/bench/wordproc_bench $(BUILD)/program $(BUILD)/bench-work
	$(BUILD)/bench/generate_bench $(BUILD)/program $(BUILD)/bench-generate
	$(BUILD)/bench/conversion_bench $(BUILD)/program $(BUILD)/bench-work
	QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu $(BUILD)/bench/search_bench $(BUILD)/program $(BUILD)/bench-work

# A sample course made from the text sources in examples/, converted into a textbook.
demo: build
	bash examples/make-demo.sh $(BUILD)

run: build
	$(BUILD)/program/quarbel-vorizareda

# The Debian package, left in the build folder: $(BUILD)/quarbel-vorizareda_VERSION_ARCH.deb
package: build
	cmake --build $(BUILD) --target package

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD)
