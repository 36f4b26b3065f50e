// Where Lexmira's two databases are found. A build folder or a portable copy
// keeps both beside the program; an installed program finds words.mdb under
// its installation's share/ folder and keeps the learner's set.mdb in their
// configuration folder, since they cannot write beside it.
#pragma once

#include <functional>
#include <string>

namespace lexmira {

inline constexpr char kWordsFileName[] = "words.mdb";
inline constexpr char kSettingsFileName[] = "set.mdb";

// Native paths of words.mdb and set.mdb.
struct DatabaseLocations {
  std::string words;
  std::string settings;
};

// What the resolution asks of the machine it runs on.
struct LocationFacts {
  std::function<bool(const std::string& path)> file_exists;
  std::function<bool(const std::string& dir)> dir_writable;
  std::string xdg_config_home;  // "" when unset
  std::string home;             // the learner's home folder

  // The facts of this machine: its file system and this process's
  // environment ($XDG_CONFIG_HOME, $HOME, else the user's entry).
  static LocationFacts OfThisProcess();
};

// Both databases beside the program, as a build folder keeps them.
DatabaseLocations DatabasesBeside(const std::string& program_dir);

// words.mdb: beside the program, else in the installation's share/lexmira/;
// when it is in neither, the path beside the program (to report missing).
//
// set.mdb: beside the program when it exists there; else created there when
// the program is not an installed one (words.mdb not under share/) and its
// folder is writable; else $XDG_CONFIG_HOME/lexmira/set.mdb, or
// ~/.config/lexmira/set.mdb when that variable is unset or not absolute.
// An installed program never writes into its own folder, even for a user
// who may (root would otherwise leave a set.mdb in bin/ for everyone).
DatabaseLocations ResolveDatabaseLocations(const std::string& program_dir,
                                           const LocationFacts& facts);

}  // namespace lexmira
