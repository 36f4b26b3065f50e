// Putting a newly built database file in place in one step: readers see the
// old file or the whole new one, never a part, and the change survives a
// power cut.
#pragma once

#include <string>

#include "jet/status.h"

namespace jet {

enum class Existing { kReplace, kKeep };

// Moves the finished file `from` to `to` (same directory) and syncs the
// directory. With Existing::kKeep an existing `to` is left alone and the
// call fails with InvalidArgument naming it.
Status MoveFileIntoPlace(const std::string& from, const std::string& to, Existing existing);

}  // namespace jet
