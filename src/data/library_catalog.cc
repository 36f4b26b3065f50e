#include "data/library_catalog.h"

namespace lexmira {

const LibraryEntry* FindLibrary(std::string_view name) {
  for (const LibraryEntry& entry : kLibraryCatalog) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

}  // namespace lexmira
