// Sound as a WAV file.
#ifndef PIMORU_SPEECH_WAV_H_
#define PIMORU_SPEECH_WAV_H_

#include <string>

#include "render/speaker.h"

namespace pimoru {

// The bytes of a RIFF WAVE file of `speech`: one chunk of 16-bit PCM, mono,
// little-endian, at its sample rate.
std::string WavFile(const Speech& speech);

}  // namespace pimoru

#endif  // PIMORU_SPEECH_WAV_H_
