#include "hangul/ask.h"

#include "hangul/jamo.h"

namespace pimoru {
namespace {

constexpr std::u16string_view kLineBreak = u"\r\n";

// The junction questions for a pattern of `width` code units. The input
// stays as it was during the walk; the output is built beside it.
bool AskAtJunction(std::u16string& text, std::u16string_view pattern,
                   std::u16string_view replacement, std::u16string_view kind,
                   std::u16string_view title, Asker& asker, std::size_t width) {
  if (pattern.size() < 2) return false;
  const std::u16string_view input(text);
  const char16_t final_jamo = pattern[0];
  const char16_t initial_jamo = pattern[1];
  std::size_t hit = Find(input, pattern.substr(0, width));
  if (hit == std::u16string_view::npos) return false;
  std::u16string out;
  out.reserve(input.size() + replacement.size());
  bool any_yes = false;
  std::size_t done = 0;
  while (hit != std::u16string_view::npos) {
    out.append(input.substr(done, hit - done));
    const std::size_t pos = hit + 1;  // 1-based, as the syllable helpers count
    std::u16string message;
    if (asker.ReadsMessages()) {
      const std::u16string pair =
          SyllableWithFinal(input, pos, final_jamo) +
          SyllableWithInitial(input, pos + 1, initial_jamo);
      message = JunctionMessage(title, pair, kind, final_jamo, initial_jamo);
    }
    if (asker.Confirm(message)) {
      out.append(replacement);
      any_yes = true;
    } else {
      out.append(pattern.substr(0, width));
    }
    done = hit + width;
    hit = Find(input, pattern.substr(0, width), done);
  }
  out.append(input.substr(done));
  text = std::move(out);
  return any_yes;
}

}  // namespace

std::u16string OccurrenceMessage(std::u16string_view title,
                                 std::u16string_view word,
                                 std::u16string_view question) {
  std::u16string message(title);
  message += kLineBreak;
  message += u' ';
  message += word;
  message += question;
  return message;
}

std::u16string JunctionMessage(std::u16string_view title,
                               std::u16string_view pair,
                               std::u16string_view kind, char16_t final_jamo,
                               char16_t initial_jamo) {
  std::u16string message(title);
  message += kLineBreak;
  message += pair;
  message += u"は";
  message += kind;
  message += u"ですか？";
  message += kind;
  message += u"で";
  message += CompatibilityJamo(final_jamo);
  message += u"パッチムの後ろに";
  message += CompatibilityJamo(initial_jamo);
  message += u"初声が来た場合、";
  message += title;
  message += u"します。";
  return message;
}

bool AskEachOccurrence(std::u16string& text, std::u16string_view pattern,
                       std::u16string_view replacement,
                       std::u16string_view title, std::u16string_view question,
                       Asker& asker) {
  if (pattern.empty()) return false;
  const std::u16string_view input(text);
  std::size_t hit = Find(input, pattern);
  if (hit == std::u16string_view::npos) return false;
  std::u16string out;
  out.reserve(input.size() + replacement.size());
  bool any_yes = false;
  std::size_t done = 0;
  // The word of the last question, [word_begin, word_end) in the input and
  // composed: occurrences in the same word show the same word, which is
  // then found and composed once, not once per occurrence.
  std::size_t word_begin = 0;
  std::size_t word_end = 0;
  std::u16string word;
  while (hit != std::u16string_view::npos) {
    out.append(input.substr(done, hit - done));
    std::u16string message;
    if (asker.ReadsMessages()) {
      const bool in_last_word =
          input[hit] != u' ' && hit >= word_begin && hit < word_end;
      if (!in_last_word) {
        // As WordAt: at a space, the word that follows it.
        if (input[hit] == u' ') {
          word_begin = hit + 1;
        } else {
          const std::size_t space = input.rfind(u' ', hit);
          word_begin = space == std::u16string_view::npos ? 0 : space + 1;
        }
        const std::size_t space = input.find(u' ', hit + 1);
        word_end = space == std::u16string_view::npos ? input.size() : space;
        word = ComposeText(input.substr(word_begin, word_end - word_begin));
      }
      message = OccurrenceMessage(title, word, question);
    }
    if (asker.Confirm(message)) {
      out.append(replacement);
      any_yes = true;
      done = hit + pattern.size();
    } else {
      // Refused: copy one code unit and look again from the next one.
      out += input[hit];
      done = hit + 1;
    }
    hit = Find(input, pattern, done);
  }
  out.append(input.substr(done));
  text = std::move(out);
  return any_yes;
}

bool AskAtJunction3(std::u16string& text, std::u16string_view pattern,
                    std::u16string_view replacement, std::u16string_view kind,
                    std::u16string_view title, Asker& asker) {
  return AskAtJunction(text, pattern, replacement, kind, title, asker, 3);
}

bool AskAtJunction2(std::u16string& text, std::u16string_view pattern,
                    std::u16string_view replacement, std::u16string_view kind,
                    std::u16string_view title, Asker& asker) {
  return AskAtJunction(text, pattern, replacement, kind, title, asker, 2);
}

}  // namespace pimoru
