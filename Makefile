# make run   installs what is missing, builds (Release) and starts the game in a window.
# make test  installs what is missing, builds (Debug, ASan + UBSan) and runs every test headless.
# make bench builds and runs the benchmarks (Release) and prints their results as one table.
# make fuzz  builds the fuzz targets (clang, ASan + UBSan) and runs each for FUZZ_SECONDS.

JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 30

.PHONY: deps run test bench fuzz clean

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
	rm -rf build/bench/results && mkdir -p build/bench/results
	# One run per benchmark: a CSV file takes only the counters of its first benchmark.
	cd build/bench/bench && for b in bench_*; do \
	  n=0; for t in $$(./$$b --benchmark_list_tests); do n=$$((n + 1)); \
	    SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy ./$$b --benchmark_filter="^$$t\$$" \
	      --benchmark_out=../results/$$b.$$n.csv --benchmark_out_format=csv || exit 1; \
	  done; \
	done
	@echo
	@scripts/bench-table build/bench/results/*.csv

fuzz: deps
	cmake -S . -B build/fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUINDLE_TESTS=OFF -DQUINDLE_SANITIZE=ON -DQUINDLE_FUZZ=ON
	cmake --build build/fuzz -j $(JOBS) --target fuzz_all
	scripts/fuzz build/fuzz $(FUZZ_SECONDS)

clean:
	rm -rf build
