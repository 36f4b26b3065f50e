#include "data/file_checks.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace lexmira {
namespace {

constexpr mode_t kAnyWritePermission = S_IWUSR | S_IWGRP | S_IWOTH;
constexpr mode_t kOwnerOnlyFolder = S_IRWXU;

}  // namespace

bool FileExists(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0;
}

bool IsWritable(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return false;
  return (info.st_mode & kAnyWritePermission) != 0 && ::access(path.c_str(), W_OK) == 0;
}

std::string CreateFolders(const std::string& path) {
  std::filesystem::path folder;
  for (const std::filesystem::path& part : std::filesystem::path(path)) {
    folder /= part;
    if (part.empty() || FileExists(folder.string())) continue;
    if (::mkdir(folder.c_str(), kOwnerOnlyFolder) != 0 && errno != EEXIST) {
      return folder.string() + ": " + std::strerror(errno);
    }
  }
  return "";
}

}  // namespace lexmira
