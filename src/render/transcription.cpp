#include "render/transcription.h"

namespace pimoru {

Transcription Transcribe(std::u16string_view, int, StageRecord&) {
  return {};
}

}  // namespace pimoru
