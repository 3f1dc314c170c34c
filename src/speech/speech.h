// The speaker of this process: the synthesiser where the program was built
// with it, otherwise one that cannot speak.
#ifndef PIMORU_SPEECH_SPEECH_H_
#define PIMORU_SPEECH_SPEECH_H_

#include <memory>

#include "render/speaker.h"

namespace pimoru {

// The same speaker on every call. Nothing is loaded before its first
// State() or Speak().
std::shared_ptr<const Speaker> MakeSpeaker();

}  // namespace pimoru

#endif  // PIMORU_SPEECH_SPEECH_H_
