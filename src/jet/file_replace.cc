#include "jet/file_replace.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace jet {

namespace {

Status SyncDirectoryOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  const std::string dir =
      slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return Status::IOError(dir + ": cannot open the directory: " + std::strerror(errno));
  const bool synced = ::fsync(fd) == 0;
  const int error = errno;
  ::close(fd);
  if (!synced) return Status::IOError(dir + ": cannot sync the directory: " + std::strerror(error));
  return Status::OK();
}

}  // namespace

Status MoveFileIntoPlace(const std::string& from, const std::string& to, Existing existing) {
  if (existing == Existing::kReplace) {
    if (std::rename(from.c_str(), to.c_str()) != 0) {
      return Status::IOError(to + ": cannot put the new file in place: " + std::strerror(errno));
    }
  } else {
    // A hard link never replaces an existing name.
    if (::link(from.c_str(), to.c_str()) != 0) {
      if (errno == EEXIST) return Status::InvalidArgument(to + ": file already exists");
      return Status::IOError(to + ": cannot put the new file in place: " + std::strerror(errno));
    }
    ::unlink(from.c_str());
  }
  return SyncDirectoryOf(to);
}

}  // namespace jet
