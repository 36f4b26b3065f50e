// The window's devices for tests: Qt's dialogs, which no test opens unless it
// answers them itself, and a voice that speaks into memory instead of the
// desktop's audio server.
#pragma once

#include <memory>

#include "app/umain.h"
#include "memory_sink.h"

namespace lexmira::testing {

inline WindowDevices QuietDevices() {
  WindowDevices devices;
  devices.audio = std::make_unique<MemorySink>();
  return devices;
}

}  // namespace lexmira::testing
