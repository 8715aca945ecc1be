# Set-up, build, run and test on a Debian 12 machine.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
DEMO       ?= demo-work
PACKAGES   := qt6-base-dev libsqlite3-dev cmake g++ make libgtest-dev libgmock-dev libbenchmark-dev clang-format

.PHONY: all setup build build-asan run test test-asan reset-demo format screenshots bench clean

all: build

setup:
	@missing=$$(for p in $(PACKAGES); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
		echo "Installing: $$missing"; \
		SUDO=$$( [ "$$(id -u)" -eq 0 ] || echo sudo ); \
		$$SUDO apt-get update && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y $$missing; \
	fi

$(BUILD)/CMakeCache.txt: | setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

$(ASAN_BUILD)/CMakeCache.txt: | setup
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DMORVANE_SANITIZE=ON

build: setup $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

build-asan: setup $(ASAN_BUILD)/CMakeCache.txt
	cmake --build $(ASAN_BUILD) -j $(JOBS)

$(DEMO)/R1:
	rm -rf $(DEMO) && cp -r data/demo-controller $(DEMO)

reset-demo:
	rm -rf $(DEMO) && cp -r data/demo-controller $(DEMO)

run: build $(DEMO)/R1
	mkdir -p $(DEMO)/R1/Mada
	$(BUILD)/morvane --controller $(DEMO) --mada $(DEMO)/R1/Mada/

# Every tab, the safety screen and the version screen of the demo controller, rendered offscreen.
screenshots: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/bench/morvane_screenshots docs/screenshots

test: build build-asan
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

format:
	find app common config madata grids save servo controller log tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

bench: build
	$(BUILD)/bench/morvane_bench
	QT_QPA_PLATFORM=offscreen $(BUILD)/bench/morvane_gui_bench

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
