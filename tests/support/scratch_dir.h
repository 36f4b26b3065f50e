// ScratchDir: a fresh directory under the system's temporary directory,
// removed with everything in it when the object goes.
#pragma once

#include <string>

namespace test_support {

class ScratchDir {
 public:
  // Throws std::runtime_error when the directory cannot be made.
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

}  // namespace test_support
