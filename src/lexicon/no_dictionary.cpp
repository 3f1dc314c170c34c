// The dictionary of a program built without the spell checker's library:
// it knows nothing, so every question is asked.
#include "lexicon/dictionary.h"

namespace pimoru {
namespace {

class NoDictionary : public Dictionary {
 public:
  bool Built() const override { return false; }
  bool FilesThere() const override { return false; }
  bool Load() const override { return false; }
  std::string Status() const override {
    return "built without the dictionary (the hunspell library)";
  }
  Judgement Judge(const Question&) const override { return {}; }
};

}  // namespace

std::unique_ptr<Dictionary> MakeDictionary() {
  return std::make_unique<NoDictionary>();
}

}  // namespace pimoru
