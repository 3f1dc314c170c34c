// The dictionary of the system's files for the tests that need them, or
// the reason to skip.
#ifndef PIMORU_TESTS_LEXICON_LEXICON_SUPPORT_H_
#define PIMORU_TESTS_LEXICON_LEXICON_SUPPORT_H_

#include "lexicon/system_dictionary.h"

namespace pimoru {

// Loaded once for all the tests; null when the files are not installed.
const SystemDictionary* InstalledDictionary();

#define PIMORU_NEED_DICTIONARY()                                           \
  if (InstalledDictionary() == nullptr) {                                  \
    GTEST_SKIP() << "the dictionary's files are not installed "            \
                    "(libhangul-data, hunspell-ko): scripts/install-deps"; \
  }

}  // namespace pimoru

#endif  // PIMORU_TESTS_LEXICON_LEXICON_SUPPORT_H_
