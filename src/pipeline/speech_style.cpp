#include "pipeline/speech_style.h"

#include <algorithm>

#include "pipeline/pipeline.h"

namespace pimoru {
namespace {

// Answers the questions of another reading of the same input as the
// conversion before answered them: the n-th question about a word and place
// takes the n-th answer given there (the last, past those), so that no
// question is asked twice.
class ReplayAsker : public Asker {
 public:
  ReplayAsker(const StageRecord& answered, Asker& unasked) : unasked_(unasked) {
    for (const std::vector<RecordedQuestion>& asked : answered.questions) {
      for (const RecordedQuestion& q : asked) given_.push_back({&q, false});
    }
  }

  Answer Respond(const Question& question, const Judgement& guess) override {
    const RecordedQuestion now = question.Record({});
    const auto same = [&now](const Given& g) {
      return g.question->kind == now.kind && g.question->word == now.word &&
             g.question->pair == now.pair;
    };
    auto it = std::find_if(given_.begin(), given_.end(),
                           [&](const Given& g) { return !g.used && same(g); });
    if (it == given_.end()) {
      const auto last = std::find_if(given_.rbegin(), given_.rend(), same);
      if (last == given_.rend()) return unasked_.Respond(question, guess);
      return last->question->answer;
    }
    it->used = true;
    return it->question->answer;
  }

 private:
  struct Given {
    const RecordedQuestion* question;
    bool used;
  };
  std::vector<Given> given_;
  Asker& unasked_;
};

std::u16string ReadingWith(std::u16string_view input, const Options& options,
                           WordListSource& lists, const StageRecord& answered,
                           Asker& unasked) {
  ReplayAsker replay(answered, unasked);
  StageRecord scratch;
  return RunPipeline(input, options, lists, replay, scratch,
                     RecordTexts::kFlagsOnly);
}

}  // namespace

SpeechStyle StyleOf(const Options& options) {
  std::size_t on = 0;
  for (const RelaxingOption& option : kRelaxingOptions) {
    on += options.*option.flag ? 1 : 0;
  }
  if (on == 0) return SpeechStyle::kTextbook;
  return on == std::size(kRelaxingOptions) ? SpeechStyle::kEveryday
                                           : SpeechStyle::kMixed;
}

Options WithStyle(Options options, SpeechStyle style) {
  if (style == SpeechStyle::kMixed) return options;
  for (const RelaxingOption& option : kRelaxingOptions) {
    options.*option.flag = style == SpeechStyle::kEveryday;
  }
  return options;
}

std::u16string_view ReadingName(SpeechStyle style) {
  return style == SpeechStyle::kEveryday ? u"日常の発音" : u"標準発音";
}

std::optional<OtherForm> OtherFormOf(std::u16string_view input,
                                     const Options& options,
                                     std::u16string_view reading,
                                     WordListSource& lists,
                                     const StageRecord& answered,
                                     Asker& unasked) {
  OtherForm other;
  // Speech relaxed at all is set beside the standard; the standard beside
  // everyday speech.
  other.style = StyleOf(options) == SpeechStyle::kTextbook
                    ? SpeechStyle::kEveryday
                    : SpeechStyle::kTextbook;
  const Options other_options = WithStyle(options, other.style);
  other.reading = ReadingWith(input, other_options, lists, answered, unasked);
  if (other.reading == reading) return std::nullopt;
  std::vector<const RelaxingOption*> differing;
  for (const RelaxingOption& option : kRelaxingOptions) {
    if (options.*option.flag != other_options.*option.flag) {
      differing.push_back(&option);
    }
  }
  // With one option between them, it is that one; with more, those that
  // change the reading on their own.
  for (const RelaxingOption* option : differing) {
    if (differing.size() == 1) break;
    Options alone = options;
    alone.*option->flag = other_options.*option->flag;
    if (ReadingWith(input, alone, lists, answered, unasked) != reading) {
      other.because.push_back(option->label);
    }
  }
  if (other.because.empty()) {
    for (const RelaxingOption* option : differing) {
      other.because.push_back(option->label);
    }
  }
  return other;
}

std::u16string OtherFormNote(const OtherForm& other) {
  std::u16string note = u"（";
  for (const std::u16string_view label : other.because) {
    note += u"「";
    note += label;
    note += u"」";
  }
  note += other.style == SpeechStyle::kTextbook ? u"をオフにした読み）"
                                                : u"をオンにした読み）";
  return note;
}

}  // namespace pimoru
