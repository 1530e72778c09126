// Drives the fuzz target without libFuzzer: random inputs from a seed for a
// given time, under the host tree's sanitizers. scripts/fuzz.sh uses it
// where clang is missing.
//   cvl_fuzz_loop SECONDS [SEED]
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
  const long seconds = argc > 1 ? std::atol(argv[1]) : 10;
  const unsigned long seed = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 1;
  std::mt19937 random(static_cast<std::mt19937::result_type>(seed));
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  unsigned long runs = 0;
  std::vector<uint8_t> input;
  while (std::chrono::steady_clock::now() < end) {
    for (int batch = 0; batch < 256; ++batch, ++runs) {
      input.resize(random() % 600);
      for (uint8_t& b : input) b = static_cast<uint8_t>(random());
      LLVMFuzzerTestOneInput(input.data(), input.size());
    }
  }
  std::printf("cvl_fuzz_loop: %lu inputs in %ld s from seed %lu, no finding\n", runs, seconds, seed);
  return 0;
}
