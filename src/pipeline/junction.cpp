#include "pipeline/stages.h"

namespace pimoru {

bool ApplyNInsertion(std::u16string&, Asker&) { return false; }
bool ApplyPalatalisation(std::u16string&) { return false; }
bool ApplyAspiration(std::u16string&) { return false; }

}  // namespace pimoru
