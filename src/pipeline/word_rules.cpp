#include "pipeline/stages.h"

namespace pimoru {

bool ApplyNasalisation1(std::u16string&, WordListSource&) { return false; }
bool ApplyTensification1(std::u16string&, WordListSource&) { return false; }
bool ApplyTensification2(std::u16string&, WordListSource&) { return false; }

}  // namespace pimoru
