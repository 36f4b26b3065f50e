// Boxes for the benchmarks: written to standard error instead of shown, so a
// measured run never waits in a modal box (as it would when no audio server
// answers the voice).
#pragma once

#include <cstdio>
#include <string>

#include "app/messages.h"

namespace lexmira::bench {

class StderrMessages final : public Messages {
 public:
  void ShowMessage(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
  void ShowError(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
};

}  // namespace lexmira::bench
