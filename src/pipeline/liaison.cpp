#include "pipeline/stages.h"

namespace pimoru {

bool ApplyLiaison1(std::u16string&) { return false; }
bool ApplyLiaison2(std::u16string&) { return false; }

}  // namespace pimoru
