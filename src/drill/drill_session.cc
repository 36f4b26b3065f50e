#include "drill/drill_session.h"

#include <cstdint>
#include <filesystem>

#include "data/columns.h"
#include "data/error.h"
#include "data/file_checks.h"
#include "data/library_catalog.h"
#include "data/settings_schema.h"
#include "data/str_to_int.h"
#include "data/text_trim.h"
#include "drill/shown_row.h"

namespace lexmira {
namespace {

constexpr char kChoicesNotRemembered[] = "\n所选的词库、时间间隔和学习位置将不会被记住。";

// The remembered interval, when the stored text is one the interval box
// would take (an integer, after trimming) and a timer can tick on (not
// negative).
std::optional<int> RememberedInterval(const std::string& time_text) {
  const std::optional<int32_t> value = TryStrToInt(Trim(time_text));
  if (!value || *value < 0) return std::nullopt;
  return *value;
}

}  // namespace

DrillSession::DrillSession(DrillView& view, DrillTimer& timer, MessageSink& messages)
    : view_(view), timer_(timer), messages_(messages) {}

std::optional<std::string> DrillSession::OpenWords(const std::string& path) {
  if (!FileExists(path)) {
    return "找不到词库文件“" + path + "”：文件不存在。没有单词可以显示。";
  }
  try {
    words_.SetDatabasePath(path);
    words_.OpenLibrary(kFirstLibraryTable);
  } catch (const Error& error) {
    return "无法打开词库文件“" + path + "”：" + error.what();
  }
  return std::nullopt;
}

std::optional<std::string> DrillSession::OpenSettings(const std::string& path) {
  const bool existed = FileExists(path);
  try {
    if (!existed) {
      const std::string folder = std::filesystem::path(path).parent_path().string();
      if (const std::string problem = CreateFolders(folder); !problem.empty()) throw Error(problem);
      const jet::Status created = CreateSettingsDatabase(path);
      if (!created.ok()) throw Error(created.message());
    }
    settings_.Open(path);
  } catch (const Error& error) {
    const std::string problem = existed ? "无法打开设置文件“" : "无法创建设置文件“";
    return problem + path + "”：" + error.what() + kChoicesNotRemembered;
  }
  if (settings_.read_only()) return "设置文件“" + path + "”是只读的。" + kChoicesNotRemembered;
  return std::nullopt;
}

// The remembered library is opened for real and a valid remembered interval
// becomes the timer's, so that the boxes never claim what the drill does not
// do.
void DrillSession::RestoreRememberedChoices() {
  if (!settings_.IsOpen()) return;
  const std::string library_name = settings_.ReadSetting(setting_column::kLibrary);
  if (!library_name.empty()) {
    view_.SetLibraryText(library_name);
    const LibraryEntry* library = FindLibrary(library_name);
    if (library != nullptr && words_.IsOpen()) words_.OpenLibrary(std::string(library->table));
  }
  const std::string time = settings_.ReadSetting(setting_column::kInterval);
  if (!time.empty()) {
    view_.SetIntervalText(time);
    if (const std::optional<int> interval = RememberedInterval(time)) timer_.SetInterval(*interval);
  }
  const std::string id = settings_.ReadSetting(setting_column::kPosition);
  if (!id.empty() && words_.IsOpen()) words_.LocateId(id);
}

void DrillSession::ShowCurrentRow() {
  if (words_.IsOpen()) lexmira::ShowCurrentRow(words_, WordForm::kAsStored, view_, messages_);
}

void DrillSession::SaveSetting(const char* column, const std::string& text) {
  if (remembers_choices()) settings_.SaveSetting(column, text);
}

void DrillSession::RememberPosition() {
  if (words_.IsOpen()) SaveSetting(setting_column::kPosition, words_.Field(word_column::kId));
}

}  // namespace lexmira
