# make run   installs what is missing, builds (Release) and starts the game in a window.
# make test  installs what is missing, builds (Debug, ASan + UBSan) and runs every test headless.
# make bench builds and runs the benchmarks (Release).

JOBS ?= $(shell nproc)

.PHONY: deps run test bench clean

deps:
	./scripts/deps

run: deps
	cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DQUINDLE_TESTS=OFF
	cmake --build build/release -j $(JOBS)
	cd build/release/bin && ./quindle

test: deps
	cmake -S . -B build/debug -DCMAKE_BUILD_TYPE=Debug -DQUINDLE_SANITIZE=ON
	cmake --build build/debug -j $(JOBS)
	SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy \
	  ctest --test-dir build/debug --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DQUINDLE_TESTS=OFF -DQUINDLE_BENCH=ON
	cmake --build build/bench -j $(JOBS)
	cd build/bench/bench && for b in ./bench_*; do SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy $$b; done

clean:
	rm -rf build
