// Arbitrary UTF-16 text through the reading conversion and the
// transcription, with the options, the answers to the questions and the word
// lists drawn from the input.
//
// Input: a flag byte, four bytes of answers, then UTF-16 little-endian text.
// The text is cut at U+001E: the first piece is converted, the next ones are
// the lists in file order (co_suff, kspecial, wi3var, kan_bion, setsubi,
// riul_pat, riul_future); a list without a piece is missing. Flag bit 5 uses
// the shipped lists instead, so stages 2 to 7 and 18 also meet real entries;
// bit 6 reads numbers first, so that the questions after it name words of
// a line whose syllables the spelling changed.
// The conversion and each jamo stage are also held to their plain runs.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "hangul/jamo.h"
#include "hangul/question.h"
#include "hangul/word_list.h"
#include "pipeline/pipeline.h"
#include "pipeline/stages.h"
#include "render/transcription.h"
#include "support/plain_run.h"

namespace {

constexpr char16_t kPieceSeparator = 0x1E;

// Answers from the bits of a seed, cycling.
class BitAsker : public pimoru::Asker {
 public:
  explicit BitAsker(std::uint32_t bits) : bits_(bits) {}
  pimoru::Answer Respond(const pimoru::Question& question,
                         const pimoru::Judgement&) override {
    // The question names its word as typed, within the line.
    const pimoru::TypedSpan word = question.TypedWord();
    if (word.offset + word.length > question.TypedLine().size()) std::abort();
    pimoru::Answer answer;
    answer.yes = ((bits_ >> (next_++ % 32)) & 1) != 0;
    answer.by = pimoru::Answerer::kPolicy;
    return answer;
  }

 private:
  std::uint32_t bits_;
  unsigned next_ = 0;
};

// Lists built from pieces of the input, read afresh at every request as the
// window reads an edited file.
class InputWordLists : public pimoru::WordListSource {
 public:
  explicit InputWordLists(std::vector<std::u16string> pieces)
      : pieces_(std::move(pieces)) {}
  const pimoru::IndexedWordList* Indexed(pimoru::WordListId id) override {
    const auto index = static_cast<std::size_t>(id);
    if (index >= pieces_.size()) return nullptr;
    built_[index] = std::make_unique<const pimoru::IndexedWordList>(
        pimoru::BuildWordList(id, pieces_[index], "fuzz"));
    return built_[index].get();
  }

 private:
  std::vector<std::u16string> pieces_;
  std::array<std::unique_ptr<const pimoru::IndexedWordList>,
             std::size(pimoru::kAllWordLists)>
      built_;
};

// Every jamo stage on the text as it is, through its shortcuts and plainly.
void CheckStages(const std::u16string& text, const pimoru::Options& options,
                 pimoru::WordListSource& lists, std::uint32_t answers) {
  const std::u16string jamo = pimoru::DecomposeText(text);
  for (const pimoru::Stage& stage : pimoru::Stages()) {
    if (stage.run == nullptr || stage.form != pimoru::TextForm::kJamo) continue;
    BitAsker fast_asker(answers);
    BitAsker plain_asker(answers);
    if (!pimoru::StageSameAsPlainRun(stage, jamo, options, lists, fast_asker,
                                     plain_asker)) {
      std::abort();
    }
  }
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
  // 3 names no notation and is written as the first.
  options.notation = static_cast<pimoru::Notation>((flags >> 3) & 3);
  options.read_numbers_flg = flags & 0x40;
  // Read once for the whole run, as the command line does.
  static pimoru::LoadedWordLists shipped(PIMORU_SHIPPED_KDAT_DIR);
  InputWordLists from_input(std::move(pieces));
  pimoru::WordListSource& lists =
      flags & 0x20 ? static_cast<pimoru::WordListSource&>(shipped) : from_input;
  BitAsker asker(answers);
  pimoru::StageRecord record;
  try {
    const std::u16string reading =
        pimoru::RunPipeline(text, options, lists, asker, record);
    // The indexes and the summary pass over rules and entries; the plain
    // run, which tries them all, must read the same.
    BitAsker plain_asker(answers);
    pimoru::StageRecord plain_record;
    if (pimoru::RunPipelinePlainly(text, options, lists, plain_asker,
                                   plain_record) != reading ||
        plain_record.changed != record.changed) {
      std::abort();
    }
    pimoru::Transcribe(reading, options.notation, record);
    CheckStages(text, options, lists, answers);
  } catch (const pimoru::ConversionError&) {
    // A bad number in a list ends the conversion; nothing else may throw.
  }
  return 0;
}
