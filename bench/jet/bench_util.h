// Small helpers shared by the engine's benchmarks.
#pragma once

#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace jet_bench {

// A scratch directory removed at exit.
inline const std::string& ScratchDir() {
  static const std::string dir = [] {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "lexmira-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(ScratchDir(), ignored);
    });
    return pattern;
  }();
  return dir;
}

// Runs a shell command; aborts the benchmark when it fails.
inline void Run(const std::string& command) {
  if (std::system(command.c_str()) != 0) {
    std::fprintf(stderr, "command failed: %s\n", command.c_str());
    std::exit(1);
  }
}

inline double Min(const std::vector<double>& v) {
  return *std::min_element(v.begin(), v.end());
}

}  // namespace jet_bench
