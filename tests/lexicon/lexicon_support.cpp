#include "lexicon/lexicon_support.h"

#include <memory>

namespace pimoru {

const Dictionary* InstalledDictionary() {
  static const std::shared_ptr<Dictionary> dictionary = [] {
    std::shared_ptr<Dictionary> d = MakeDictionary();
    return d->Load() ? d : nullptr;
  }();
  return dictionary.get();
}

}  // namespace pimoru
