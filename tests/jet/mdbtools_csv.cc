#include "mdbtools_csv.h"

#include <sys/wait.h>

#include <cstdio>
#include <stdexcept>

namespace jet_test {

std::string RunCommand(const std::string& command, int* exit_code) {
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) throw std::runtime_error("cannot run " + command);
  std::string out;
  char buffer[1 << 14];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, got);
  const int status = pclose(pipe);
  *exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return out;
}

std::string ShellQuote(const std::string& word) {
  std::string quoted = "'";
  for (char c : word) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted.push_back(c);
    }
  }
  return quoted + "'";
}

std::vector<CsvRecord> ParseCsv(const std::string& text) {
  std::vector<CsvRecord> records;
  CsvRecord record;
  std::string field;
  bool quoted = false;
  size_t i = 0;
  const auto end_field = [&] {
    if (quoted || !field.empty()) {
      record.emplace_back(field);
    } else {
      record.emplace_back(std::nullopt);
    }
    field.clear();
    quoted = false;
  };
  while (i < text.size()) {
    const char c = text[i];
    if (c == '"' && field.empty() && !quoted) {
      quoted = true;
      ++i;
      while (i < text.size()) {
        if (text[i] == '"') {
          if (i + 1 < text.size() && text[i + 1] == '"') {
            field.push_back('"');
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        field.push_back(text[i++]);
      }
    } else if (c == ',') {
      end_field();
      ++i;
    } else if (c == '\n') {
      end_field();
      records.push_back(std::move(record));
      record.clear();
      ++i;
    } else {
      field.push_back(c);
      ++i;
    }
  }
  if (!record.empty() || !field.empty() || quoted) {
    end_field();
    records.push_back(std::move(record));
  }
  return records;
}

std::vector<std::string> MdbTables(const std::string& file) {
  int code;
  const std::string out = RunCommand("mdb-tables -1 " + ShellQuote(file), &code);
  if (code != 0) throw std::runtime_error("mdb-tables failed on " + file);
  std::vector<std::string> names;
  size_t start = 0;
  while (start < out.size()) {
    size_t end = out.find('\n', start);
    if (end == std::string::npos) end = out.size();
    if (end > start) names.push_back(out.substr(start, end - start));
    start = end + 1;
  }
  return names;
}

std::vector<CsvRecord> MdbExport(const std::string& file, const std::string& table) {
  int code;
  const std::string out = RunCommand("mdb-export -T '%Y-%m-%d %H:%M:%S' -b hex " +
                                         ShellQuote(file) + " " + ShellQuote(table),
                                     &code);
  if (code != 0) throw std::runtime_error("mdb-export failed on " + file + " " + table);
  return ParseCsv(out);
}

}  // namespace jet_test
