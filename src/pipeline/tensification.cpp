#include "pipeline/stages.h"

namespace pimoru {

bool ApplyTensification3(std::u16string&, WordListSource&, Asker&) {
  return false;
}
bool ApplyTensification45(std::u16string&, Asker&) { return false; }

}  // namespace pimoru
