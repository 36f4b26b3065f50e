#include "drill/selection.h"

#include "data/columns.h"
#include "data/library_catalog.h"
#include "data/str_to_int.h"
#include "data/text_trim.h"

namespace lexmira {

Selection::Selection(DrillSession& session, DrillTimer& timer, DrillView& view)
    : session_(session), timer_(timer), view_(view) {}

void Selection::SelectLibrary(const std::string& box_text) {
  const std::string name = Trim(box_text);
  if (name != box_text) view_.SetLibraryText(name);
  const LibraryEntry* library = FindLibrary(name);
  if (library == nullptr) return;
  timer_.SetEnabled(false);
  WordStore& words = session_.words();
  words.Close();
  words.OpenLibrary(std::string(library->table));
  timer_.SetEnabled(true);
  view_.ShowClass(std::string(library->label));
  session_.SaveSetting(setting_column::kLibrary, std::string(library->name));
}

void Selection::SetInterval(const std::string& box_text) {
  const std::string text = Trim(box_text);
  timer_.SetInterval(StrToInt(text));
  session_.SaveSetting(setting_column::kInterval, text);
}

}  // namespace lexmira
