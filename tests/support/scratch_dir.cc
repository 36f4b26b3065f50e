#include "scratch_dir.h"

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>

namespace test_support {

ScratchDir::ScratchDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "lexmira-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("cannot make a scratch directory like " + pattern);
  }
  path_ = pattern;
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace test_support
