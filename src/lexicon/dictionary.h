// The dictionary that answers the questions it can, as the programs see
// it: what it makes of a question, whether its files are there, loading
// them ahead of the first question (the window does, in the background at
// start-up) and a line saying what it found.
//
// This header is all the programs include of the lexicon. Where the spell
// checker's library was not found, the library holds only a dictionary
// that knows nothing, so that the programs need not know how they were
// built.
#ifndef PIMORU_LEXICON_DICTIONARY_H_
#define PIMORU_LEXICON_DICTIONARY_H_

#include <memory>
#include <string>

#include "hangul/word_knowledge.h"

namespace pimoru {

class Dictionary : public WordKnowledge {
 public:
  // Whether the program was built with a dictionary; the one that knows
  // nothing, which judges every question Unknown, was not.
  virtual bool Built() const = 0;
  // Whether its files are there, without reading them.
  virtual bool FilesThere() const = 0;
  // Loads the files unless that was done; safe from any thread, and the
  // files are read once. Returns whether both could be read.
  virtual bool Load() const = 0;
  // One line saying what was loaded or which file is missing; loads first.
  virtual std::string Status() const = 0;
};

// The dictionary of the system's files; nothing is read before the first
// question or Load().
std::unique_ptr<Dictionary> MakeDictionary();

}  // namespace pimoru

#endif  // PIMORU_LEXICON_DICTIONARY_H_
