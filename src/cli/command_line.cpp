#include "cli/command_line.h"

#include <charconv>
#include <string_view>

#include "pipeline/speech_style.h"

namespace pimoru {
namespace {

std::optional<int> ParseWordsPerMinute(std::string_view text) {
  int value = 0;
  const auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() ||
      value < kSlowestWordsPerMinute || value > kFastestWordsPerMinute) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

std::string UsageText() {
  return R"(Usage: pimoru-cli [OPTIONS] [TEXT ...]

Shows how Korean text is pronounced: the reading Hangul, phonetic symbols
and katakana. Converts each TEXT argument, or with none each line of
standard input (UTF-8; a leading byte-order mark is skipped), and prints
one line per input. An input that fails prints an empty line in tsv, an
object with "error" in json, and a line "エラー：..." in text and in the
stage trace. A line longer than 16 MiB is such a failure; the run goes on
with the next line.

Options:
  --format tsv|text|json      tsv: reading, symbols, katakana separated by tabs;
                              text: three labelled lines; json: one object per
                              line (default tsv)
  --answers ask|auto|yes|no   ask: the dictionary answers what it can decide,
                              the rest is asked on the terminal with the
                              dictionary's guess; auto: the dictionary
                              decides, the rest is answered No (the numeral
                              of --read-numbers takes its guess); yes, no:
                              every question answered so, no dictionary
                              (default: ask on a terminal, otherwise no)
  --answer-list LIST          answer the questions of each input in order
                              from LIST, a string of y and n (e.g. yny);
                              questions beyond it are answered No
  --no-dictionary             ask and auto consult no dictionary: every
                              question is asked, or answered No
  --n-insert, --no-n-insert   N-insertion on/off (default off)
  --h-strong, --no-h-strong   weakened ㅎ dropped altogether on/off (default on)
  --real-endings, --no-real-endings
                              colloquial formal endings on/off (default on)
  --standard                  the standard pronunciation of the textbooks:
                              the same as --no-h-strong --no-real-endings
                              (an option after it still counts)
  --phrase, --no-phrase       read each line as spoken in one breath: the sound
                              changes cross the spaces between words, and
                              punctuation pauses (default off)
  --read-numbers, --no-read-numbers
                              spell out digits, units and Latin capitals in
                              Hangul before the sound changes, as a Korean
                              speaker says them (default off; see below)
  --notation 0|1|2            tensed consonants: 0 ˀk, 1 ʼk, 2 kʼ (default 0)
  --stage-trace               also print every stage that changed the text
  --report FILE               write the HTML work report of the last input
                              that converted; FILE must be a regular file or
                              not exist (a symbolic link is written through,
                              but not another user's in a shared folder such
                              as /tmp); of a long input, the first 10,000
                              characters of each text are shown
  --data DIR                  folder holding kdat/ and html/ (default: the
                              installed data)
  --audio DIR                 also speak the reading of each input into
                              DIR/NNNN.wav, NNNN its number (0001.wav for the
                              first line or argument); an input that fails
                              or is blank gets no file. 16-bit mono WAV at
                              the synthesiser's rate; DIR is made if missing
  --audio-rate WPM            speed of --audio in words per minute, 80 to 450
                              (default 175; the window's ゆっくり is 120)
  --help, --version

With --read-numbers, numbers take the native numerals before a native
counter up to 99 (3시 세 시, 20살 스무 살) and the Sino-Korean ones
otherwise (2024년 이천이십사 년, 6월 유월, 100명 백 명, 3.14 삼 점 일사,
제1장 제일 장); codes are read digit by digit with 0 as 공 (010-1234-5678);
units and signs are said (5km 오 킬로미터, 10% 십 퍼센트, ₩5,000 오천 원);
capitals are spelled letter by letter (KTX 케이티엑스). Before 번 and 대
either system may be meant (3번: 세 번 "three times", 삼 번 "number three"),
which is asked: Yes takes the native numerals; auto takes the guess. Left as
typed, and listed in the report: Latin words with small letters, words of
digits and letters (3D, COVID-19), separators that make no number (1,00,0,
3:30), more than 16 digits, a unit without a number.

--audio needs the espeak-ng synthesiser with its Korean voice (packages
libespeak-ng1 and espeak-ng-data); without it --audio says speech is not
available and exits 2. --version says whether it was found.

The dictionary is read from the files of the packages libhangul-data (the
hanja dictionary) and hunspell-ko (the lexicon); PIMORU_HANJA_FILE and
PIMORU_LEXICON (the lexicon's .aff and .dic without their extension) point
elsewhere; each must be a regular file (the hanja dictionary at most 64 MiB,
the lexicon's files at most 128 MiB). --version says whether it was found.

Exit status: 0 when every input converted and all output was written; 1 when
some input failed, a word list could not be read, output, the report or a
sound file could not be written, no input converted for the report, or the
terminal gave no answer to a question (the run stops there); 2 for bad usage
and for --audio without speech.
)";
}

std::optional<CommandLine> ParseCommandLine(
    const std::vector<std::string>& args, std::string& error) {
  CommandLine cl;
  bool only_texts = false;
  bool audio_rate_given = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (only_texts || arg.empty() || arg[0] != '-' || arg == "-") {
      cl.texts.push_back(arg);
      continue;
    }
    if (arg == "--") {
      only_texts = true;
      continue;
    }
    // Options that take a value accept "--opt VALUE" and "--opt=VALUE".
    std::string name = arg;
    std::optional<std::string> value;
    if (const std::size_t eq = arg.find('='); eq != std::string::npos) {
      name = arg.substr(0, eq);
      value = arg.substr(eq + 1);
    }
    auto take_value = [&]() -> std::optional<std::string> {
      if (value) return value;
      if (i + 1 < args.size()) return args[++i];
      error = "option " + name + " needs a value";
      return std::nullopt;
    };
    auto no_value = [&] {
      if (value) error = "option " + name + " takes no value";
      return !value;
    };
    if (name == "--format") {
      const auto v = take_value();
      if (!v) return std::nullopt;
      if (*v == "tsv") {
        cl.format = OutputFormat::kTsv;
      } else if (*v == "text") {
        cl.format = OutputFormat::kText;
      } else if (*v == "json") {
        cl.format = OutputFormat::kJson;
      } else {
        error = "--format must be tsv, text or json, not '" + *v + "'";
        return std::nullopt;
      }
    } else if (name == "--answers") {
      const auto v = take_value();
      if (!v) return std::nullopt;
      if (*v == "ask") {
        cl.answers = AnswerPolicy::kAsk;
      } else if (*v == "auto") {
        cl.answers = AnswerPolicy::kAuto;
      } else if (*v == "yes") {
        cl.answers = AnswerPolicy::kYes;
      } else if (*v == "no") {
        cl.answers = AnswerPolicy::kNo;
      } else {
        error = "--answers must be ask, auto, yes or no, not '" + *v + "'";
        return std::nullopt;
      }
    } else if (name == "--answer-list") {
      const auto v = take_value();
      if (!v) return std::nullopt;
      if (v->find_first_not_of("yn") != std::string::npos) {
        error = "--answer-list must be a string of y and n, not '" + *v + "'";
        return std::nullopt;
      }
      cl.answer_list = *v;
    } else if (name == "--notation") {
      const auto v = take_value();
      if (!v) return std::nullopt;
      if (*v != "0" && *v != "1" && *v != "2") {
        error = "--notation must be 0, 1 or 2, not '" + *v + "'";
        return std::nullopt;
      }
      cl.options.notation = static_cast<Notation>((*v)[0] - '0');
    } else if (name == "--report") {
      const auto v = take_value();
      if (!v) return std::nullopt;
      if (v->empty()) {
        error = "--report needs a file name";
        return std::nullopt;
      }
      cl.report_path = *v;
    } else if (name == "--standard") {
      if (value) {
        error = "option " + name + " takes no value";
        return std::nullopt;
      }
      cl.options = WithStyle(cl.options, SpeechStyle::kTextbook);
    } else if (name == "--data") {
      const auto v = take_value();
      if (!v) return std::nullopt;
      if (v->empty()) {
        error = "--data needs a folder";
        return std::nullopt;
      }
      cl.data_folder = *v;
    } else if (name == "--audio") {
      const auto v = take_value();
      if (!v) return std::nullopt;
      if (v->empty()) {
        error = "--audio needs a folder";
        return std::nullopt;
      }
      cl.audio_folder = *v;
    } else if (name == "--audio-rate") {
      const auto v = take_value();
      if (!v) return std::nullopt;
      const std::optional<int> rate = ParseWordsPerMinute(*v);
      if (!rate) {
        error = "--audio-rate must be a whole number from " +
                std::to_string(kSlowestWordsPerMinute) + " to " +
                std::to_string(kFastestWordsPerMinute) + ", not '" + *v + "'";
        return std::nullopt;
      }
      cl.audio_rate = *rate;
      audio_rate_given = true;
    } else {
      struct Flag {
        std::string_view name;
        bool* target;
        bool value;
      };
      const Flag flags[] = {
          {"--n-insert", &cl.options.n_insert_flg, true},
          {"--no-n-insert", &cl.options.n_insert_flg, false},
          {"--h-strong", &cl.options.h_strong_flg, true},
          {"--no-h-strong", &cl.options.h_strong_flg, false},
          {"--real-endings", &cl.options.e_real_flg, true},
          {"--no-real-endings", &cl.options.e_real_flg, false},
          {"--phrase", &cl.options.phrase_flg, true},
          {"--no-phrase", &cl.options.phrase_flg, false},
          {"--read-numbers", &cl.options.read_numbers_flg, true},
          {"--no-read-numbers", &cl.options.read_numbers_flg, false},
          {"--stage-trace", &cl.stage_trace, true},
          {"--no-dictionary", &cl.no_dictionary, true},
          {"--help", &cl.help, true},
          {"--version", &cl.version, true},
      };
      bool known = false;
      for (const Flag& flag : flags) {
        if (name != flag.name) continue;
        if (!no_value()) return std::nullopt;
        *flag.target = flag.value;
        known = true;
      }
      if (!known) {
        error = "unknown option " + name;
        return std::nullopt;
      }
    }
  }
  if (audio_rate_given && !cl.audio_folder) {
    error = "--audio-rate needs --audio";
    return std::nullopt;
  }
  if (cl.answer_list && cl.answers != AnswerPolicy::kDefault) {
    error = "--answers and --answer-list exclude each other";
    return std::nullopt;
  }
  return cl;
}

}  // namespace pimoru
