// Selection: the change handling of the library box and the interval box.
// Each choice takes effect at once and is written to the settings row at
// once, so that the next start shows it again.
#pragma once

#include <string>

#include "drill/drill_session.h"
#include "drill/drill_timer.h"
#include "drill/drill_view.h"

namespace lexmira {

class Selection {
 public:
  // Everything given must outlive the selection.
  Selection(DrillSession& session, DrillTimer& timer, DrillView& view);

  // The library box's text changed to `box_text` (UTF-8). Trims it (writing
  // the trimmed text back only when trimming changed it); when it is exactly
  // a catalogue name, reopens the word table on that library's first row
  // with the timer switched off and on again (so the drill runs, a whole
  // interval before the first tick), shows the library's label in the class
  // field and saves the name. A store error ends it at the step it arose in.
  void SelectLibrary(const std::string& box_text);

  // The interval box's text changed to `box_text`. Its trimmed text must be
  // an integer, else Error "'<text>' is not a valid integer value" is thrown
  // with nothing changed; the integer becomes the timer's interval, running
  // or not, and the trimmed text is saved.
  void SetInterval(const std::string& box_text);

 private:
  DrillSession& session_;
  DrillTimer& timer_;
  DrillView& view_;
};

}  // namespace lexmira
