// File-system questions the stores ask before opening or creating a file.
#pragma once

#include <string>

namespace lexmira {

bool FileExists(const std::string& path);

// Whether this process may write to the file or folder at `path`, and it is
// not marked read-only: a file or folder without any write permission is
// treated as read-only even for a user whom the system would let write, as a
// learner who write-protects set.mdb means it.
bool IsWritable(const std::string& path);

// Creates the folder `path` and any missing parents, each readable by its
// owner only, as the learner's own configuration folders are. Returns "" on
// success, else the system's reason.
std::string CreateFolders(const std::string& path);

}  // namespace lexmira
