#include "lexicon/lexicon_support.h"

#include <memory>
#include <utility>

namespace pimoru {

const SystemDictionary* InstalledDictionary() {
  static const std::unique_ptr<SystemDictionary> dictionary = [] {
    DictionaryFiles files = FindDictionaryFiles();
    files.compounds = FindCompoundFiles(PIMORU_STAGED_DATA_DIR, "");
    auto d = std::make_unique<SystemDictionary>(std::move(files));
    return d->Load() ? std::move(d) : nullptr;
  }();
  return dictionary.get();
}

}  // namespace pimoru
