// Fuzzes the engine: the input is taken as a database file, opened
// read-only, and every value of every table is read; then it is opened for
// update, and each table gets an update of its first row and an insert. Any
// error is fine; a crash, hang or runaway allocation is a fault.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "engine_exercise.h"
#include "jet/database.h"

namespace {

// The input lives in an in-memory file, reached through its /proc path.
const std::string& InputPath() {
  static const std::string path = [] {
    const int fd = memfd_create("jet_fuzz", 0);
    if (fd < 0) std::abort();
    return "/proc/self/fd/" + std::to_string(fd);
  }();
  return path;
}

int InputFd() { return std::stoi(InputPath().substr(InputPath().rfind('/') + 1)); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const int fd = InputFd();
  if (ftruncate(fd, 0) != 0) std::abort();
  size_t done = 0;
  while (done < size) {
    const ssize_t put = pwrite(fd, data + done, size - done, static_cast<off_t>(done));
    if (put <= 0) std::abort();
    done += static_cast<size_t>(put);
  }
  std::unique_ptr<jet::Database> db;
  if (jet::Database::Open(InputPath(), jet::OpenMode::kReadOnly, &db).ok()) {
    (void)engine_exercise::ReadEverything(db.get());
  }
  db.reset();
  if (jet::Database::Open(InputPath(), jet::OpenMode::kReadWrite, &db).ok()) {
    (void)engine_exercise::WriteEachTable(db.get());
    (void)engine_exercise::ReadEverything(db.get());
  }
  return 0;
}
