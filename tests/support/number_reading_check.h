// What holds of any reading of numbers, whatever the text: the notes stand
// in text order without overlap, each where it says in both texts; the text
// between them is copied unit for unit; a choice's note holds the reading it
// took; and every place of the spelled text maps into the text read, in
// order.
#ifndef PIMORU_TESTS_SUPPORT_NUMBER_READING_CHECK_H_
#define PIMORU_TESTS_SUPPORT_NUMBER_READING_CHECK_H_

#include <cstddef>
#include <string_view>

#include "pipeline/number_reading.h"

namespace pimoru {

// What is wrong with `read` as the reading of `text`, or null.
inline const char* NumberReadingFault(std::u16string_view text,
                                      const NumberReading& read) {
  const std::u16string_view spelled = read.text;
  std::size_t source_end = 0;
  std::size_t spelled_end = 0;
  for (const NumberNote& note : read.notes) {
    if (note.source.length == 0 || note.source.offset < source_end ||
        note.source.end() > text.size() || note.spelled_at < spelled_end ||
        note.spelled_at + note.spelled.size() > spelled.size()) {
      return "a note out of place";
    }
    if (text.substr(note.source.offset, note.source.length) != note.typed) {
      return "a note's typed text is not the text at its place";
    }
    if (spelled.substr(note.spelled_at, note.spelled.size()) != note.spelled) {
      return "a note's spelling is not the spelled text at its place";
    }
    if (!WasRead(note.kind) && note.spelled != note.typed) {
      return "a place left as typed was changed";
    }
    if (spelled.substr(spelled_end, note.spelled_at - spelled_end) !=
        text.substr(source_end, note.source.offset - source_end)) {
      return "the text between notes was not copied";
    }
    source_end = note.source.end();
    spelled_end = note.spelled_at + note.spelled.size();
  }
  if (spelled.substr(spelled_end) != text.substr(source_end)) {
    return "the text after the last note was not copied";
  }
  std::size_t last_note = 0;
  for (const NumberChoice& choice : read.choices) {
    if (choice.note >= read.notes.size() ||
        (&choice != &read.choices.front() && choice.note <= last_note)) {
      return "a choice names no note, or not in order";
    }
    last_note = choice.note;
    if (read.notes[choice.note].spelled !=
        (choice.native ? choice.native_reading : choice.sino_reading)) {
      return "a choice's note does not hold the reading taken";
    }
  }
  std::size_t previous = 0;
  for (std::size_t at = 0; at <= spelled.size(); ++at) {
    const std::size_t offset = SourceOffset(read, at);
    if (offset < previous || offset > text.size()) {
      return "a place maps outside the text or out of order";
    }
    previous = offset;
  }
  if (SourceOffset(read, spelled.size()) != text.size()) {
    return "the end does not map to the end";
  }
  return nullptr;
}

}  // namespace pimoru

#endif  // PIMORU_TESTS_SUPPORT_NUMBER_READING_CHECK_H_
