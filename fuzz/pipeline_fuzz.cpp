// Arbitrary UTF-16 text through the reading conversion and the
// transcription, with the options, the answers to the questions and the word
// lists drawn from the input.
//
// Input: a flag byte, four bytes of answers, then UTF-16 little-endian text.
// The text is cut at U+001E: the first piece is converted, the next ones are
// the lists in file order (co_suff, kspecial, wi3var, kan_bion, setsubi,
// riul_pat, riul_future); a list without a piece is missing. Flag bit 5 uses
// the shipped lists instead, so stages 2 to 7 and 18 also meet real entries.
// The stages that skip passes are also held to a run of every pass.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

#include "hangul/ask.h"
#include "hangul/jamo.h"
#include "hangul/rules.h"
#include "hangul/word_list.h"
#include "pipeline/late_stages.h"
#include "pipeline/pipeline.h"
#include "pipeline/stages.h"
#include "render/transcription.h"
#include "support/every_stage.h"

namespace {

constexpr char16_t kPieceSeparator = 0x1E;

// Answers from the bits of a seed, cycling.
class BitAsker : public pimoru::Asker {
 public:
  explicit BitAsker(std::uint32_t bits) : bits_(bits) {}
  bool Confirm(std::u16string_view) override {
    const bool answer = (bits_ >> (next_++ % 32)) & 1;
    return answer;
  }

 private:
  std::uint32_t bits_;
  unsigned next_ = 0;
};

// Lists built from pieces of the input, read afresh at every request as the
// window reads its files.
class InputWordLists : public pimoru::WordListSource {
 public:
  explicit InputWordLists(std::vector<std::u16string> pieces)
      : pieces_(std::move(pieces)) {}
  std::shared_ptr<const pimoru::WordList> Entries(
      pimoru::WordListId id) override {
    const auto index = static_cast<std::size_t>(id);
    if (index >= pieces_.size()) return nullptr;
    return std::make_shared<const pimoru::WordList>(
        pimoru::BuildWordList(id, pieces_[index], "fuzz"));
  }

 private:
  std::vector<std::u16string> pieces_;
};

// A stage that skips passes must give what running every pass gives, both
// untold and told the text's letter pairs (`fast(text, asker, pairs)`); a
// stage that may change the pairs must leave them telling of its result.
template <typename Fast, typename Plain>
void ExpectSameAsPlain(const std::u16string& input, std::uint32_t answers,
                       Fast fast, Plain plain) {
  std::u16string plain_text = input;
  BitAsker plain_asker(answers);
  const bool plain_changed = plain(plain_text, plain_asker);
  for (const bool told : {false, true}) {
    std::u16string fast_text = input;
    BitAsker fast_asker(answers);
    pimoru::LetterPairs pairs(input);
    if (fast(fast_text, fast_asker, told ? &pairs : nullptr) != plain_changed ||
        fast_text != plain_text) {
      std::abort();
    }
    for (std::size_t i = 0; told && i + 1 < fast_text.size(); ++i) {
      if constexpr (!std::is_invocable_v<Fast, std::u16string&, pimoru::Asker&,
                                         const pimoru::LetterPairs*>) {
        if (!pairs.Has(pimoru::LetterPairs::KeyBit(
                std::u16string_view(fast_text).substr(i, 2)))) {
          std::abort();
        }
      }
    }
  }
}

void CheckFastPaths(const std::u16string& text, std::uint32_t answers) {
  using pimoru::Asker;
  const std::u16string jamo = pimoru::DecomposeText(text);
  ExpectSameAsPlain(
      jamo, answers,
      [](std::u16string& t, Asker&, pimoru::LetterPairs* p) {
        return pimoru::ApplyLiaison1(t, p);
      },
      [](std::u16string& t, Asker&) { return pimoru::Liaison1Plainly(t); });
  ExpectSameAsPlain(
      jamo, answers,
      [](std::u16string& t, Asker&, pimoru::LetterPairs* p) {
        return pimoru::ApplySilencing(t, true, p);
      },
      [](std::u16string& t, Asker&) {
        return pimoru::SilencingPlainly(t, true);
      });
  ExpectSameAsPlain(jamo, answers, pimoru::ApplyNasalisation2,
                    pimoru::Nasalisation2Plainly);
  ExpectSameAsPlain(jamo, answers, pimoru::ApplyTensification45,
                    pimoru::Tensification45Plainly);
  ExpectSameAsPlain(
      jamo, answers,
      [](std::u16string& t, Asker&, pimoru::LetterPairs* p) {
        return pimoru::StandardiseFinals(t, p);
      },
      [](std::u16string& t, Asker&) {
        return pimoru::ApplyRulesPlainly(t, pimoru::StandardFinalRules());
      });
  ExpectSameAsPlain(
      jamo, answers,
      [](std::u16string& t, Asker&, const pimoru::LetterPairs*) {
        return pimoru::RealiseEndings(t);
      },
      [](std::u16string& t, Asker&) {
        return pimoru::ApplyRulesPlainly(t, pimoru::RealEndingRules());
      });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  if (size < 5) return 0;
  const std::uint8_t flags = data[0];
  const std::uint32_t answers = data[1] | (data[2] << 8) | (data[3] << 16) |
                                (static_cast<std::uint32_t>(data[4]) << 24);
  std::vector<std::u16string> pieces(1);
  for (std::size_t i = 5; i + 1 < size; i += 2) {
    const auto c = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    if (c == kPieceSeparator) {
      pieces.emplace_back();
    } else {
      pieces.back() += c;
    }
  }
  const std::u16string text = std::move(pieces.front());
  pieces.erase(pieces.begin());

  pimoru::Options options;
  options.n_insert_flg = flags & 1;
  options.h_strong_flg = flags & 2;
  options.e_real_flg = flags & 4;
  options.noon_idx = (flags >> 3) & 3;
  // Read once for the whole run, as the command line does.
  static pimoru::FolderWordLists shipped(PIMORU_SHIPPED_KDAT_DIR,
                                         /*cache=*/true);
  InputWordLists from_input(std::move(pieces));
  pimoru::WordListSource& lists =
      flags & 0x20 ? static_cast<pimoru::WordListSource&>(shipped) : from_input;
  BitAsker asker(answers);
  pimoru::StageRecord record;
  try {
    const std::u16string reading =
        pimoru::RunPipeline(text, options, lists, asker, record);
    // The pipeline passes over tables by the text's letter pairs; every
    // stage run untold must read the same.
    BitAsker every_stage_asker(answers);
    pimoru::StageRecord every_stage_record;
    if (pimoru::RunEveryStage(text, options, lists, every_stage_asker,
                              every_stage_record) != reading ||
        every_stage_record.changed != record.changed) {
      std::abort();
    }
    pimoru::Transcribe(reading, options.noon_idx, record);
  } catch (const pimoru::ConversionError&) {
    // A bad number in a list ends the conversion; nothing else may throw.
  }
  CheckFastPaths(text, answers);
  return 0;
}
