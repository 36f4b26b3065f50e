// The settings database set.mdb: table "main" with the Text columns "class",
// "time" and "id", and no rows until the first setting is saved.
#pragma once

#include <string>

#include "jet/status.h"

namespace lexmira {

// Creates set.mdb at `path`, which must not exist. The file appears whole or
// not at all: it is built beside `path` and renamed into place.
jet::Status CreateSettingsDatabase(const std::string& path);

}  // namespace lexmira
