#include "pipeline/stages.h"

namespace pimoru {

bool ApplyUiVariationWords(std::u16string&, WordListSource&) { return false; }
bool ApplyYeVariation(std::u16string&) { return false; }
bool ApplyUiVariation(std::u16string&) { return false; }

}  // namespace pimoru
