#include "pipeline/stages.h"

namespace pimoru {

bool StandardiseFinals(std::u16string&) { return false; }
bool RealiseEndings(std::u16string&) { return false; }

}  // namespace pimoru
