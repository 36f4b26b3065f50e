// Counts the separate sounds in a recording: raw signed 16-bit mono samples
// on standard input, at the rate given. A sound is a run of samples louder
// than the threshold; sounds closer than the gap belong together (the stops
// inside one word). Prints one line a sound: its start and length in seconds.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kLoud = 600;         // well above the null sink's silence (0)
constexpr double kGapSeconds = 0.3;

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: count_sounds SAMPLE_RATE < recording.raw\n");
    return 2;
  }
  const double rate = std::atof(argv[1]);
  std::vector<int16_t> samples;
  int16_t buffer[4096];
  size_t read;
  while ((read = std::fread(buffer, sizeof buffer[0], 4096, stdin)) > 0) {
    samples.insert(samples.end(), buffer, buffer + read);
  }
  const size_t gap = static_cast<size_t>(kGapSeconds * rate);
  long start = -1, last_loud = -1;
  const auto report = [&] {
    std::printf("%.2f %.2f\n", start / rate, (last_loud - start + 1) / rate);
  };
  for (size_t i = 0; i < samples.size(); ++i) {
    if (std::abs(samples[i]) < kLoud) continue;
    if (start >= 0 && i - static_cast<size_t>(last_loud) > gap) {
      report();
      start = -1;
    }
    if (start < 0) start = static_cast<long>(i);
    last_loud = static_cast<long>(i);
  }
  if (start >= 0) report();
  return 0;
}
