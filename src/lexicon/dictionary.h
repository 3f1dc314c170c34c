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

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "hangul/word_knowledge.h"

namespace pimoru {

class Dictionary : public WordKnowledge {
 public:
  // Whether the program was built with a dictionary; the one that knows
  // nothing, which judges every question Unknown, was not.
  virtual bool Built() const = 0;
  // Loads the files unless that was done; safe from any thread, and the
  // files are read once. Returns whether both could be read.
  virtual bool Load() const = 0;
  // One line saying what was loaded, or which file could not be and why;
  // loads first.
  virtual std::string Status() const = 0;
  // What was wrong with a file it read, one message each, naming the file
  // and the line (a bad line of the user's compound list); nothing before
  // it has loaded, which this does not do, so that a run that needs no
  // dictionary never waits for one.
  virtual std::vector<std::string> Problems() const = 0;
};

// The dictionary of the system's files and of the compound lists in the
// program's data folder (the one that holds kdat/) and the user's folder;
// nothing is read before the first question or Load().
std::unique_ptr<Dictionary> MakeDictionary(
    const std::filesystem::path& program_folder,
    const std::filesystem::path& user_folder);

}  // namespace pimoru

#endif  // PIMORU_LEXICON_DICTIONARY_H_
