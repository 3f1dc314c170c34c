// The options of a conversion. Owned by whoever runs it (the window's
// settings, the command line's flags, a test) and passed in.
#ifndef PIMORU_PIPELINE_OPTIONS_H_
#define PIMORU_PIPELINE_OPTIONS_H_

namespace pimoru {

// How the phonetic symbols write a tensed consonant. The numbers are those
// of the settings file's Noon_Idx and of --notation. A settings file may
// hold any other number; it is kept as read and written as
// kGlottalStopBefore (KnownNotation).
enum class Notation : int {
  kGlottalStopBefore = 0,  // ˀk
  kApostropheBefore = 1,   // ʼk
  kApostropheAfter = 2,    // kʼ
};

constexpr bool IsKnownNotation(Notation notation) {
  return notation >= Notation::kGlottalStopBefore &&
         notation <= Notation::kApostropheAfter;
}

constexpr Notation KnownNotation(Notation notation) {
  return IsKnownNotation(notation) ? notation : Notation::kGlottalStopBefore;
}

struct Options {
  bool n_insert_flg = false;  // run stage 10, N-insertion
  bool h_strong_flg = true;   // stage 15 drops a weakened ㅎ altogether
  bool e_real_flg = true;     // run stage 22, colloquial formal endings
  Notation notation = Notation::kGlottalStopBefore;
  // Read each line as spoken in one breath: the rules work across the
  // spaces between Hangul words; punctuation pauses.
  bool phrase_flg = false;
  // Run stage 24: spell out numbers, units and Latin capitals in Hangul
  // before the sound changes (3시 → 세 시).
  bool read_numbers_flg = false;

  friend bool operator==(const Options&, const Options&) = default;
};

}  // namespace pimoru

#endif  // PIMORU_PIPELINE_OPTIONS_H_
