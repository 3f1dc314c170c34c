#include "lexicon/lexicon_support.h"

#include <memory>
#include <utility>

namespace pimoru {

const SystemDictionary* InstalledDictionary() {
  static const std::unique_ptr<SystemDictionary> dictionary = [] {
    auto d = std::make_unique<SystemDictionary>(FindDictionaryFiles());
    return d->Load() ? std::move(d) : nullptr;
  }();
  return dictionary.get();
}

}  // namespace pimoru
