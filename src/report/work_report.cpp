#include "report/work_report.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "hangul/file_write.h"
#include "hangul/jamo.h"
#include "hangul/utf.h"
#include "pipeline/stages.h"
#include "report/change_reasons.h"
#include "report/text_diff.h"

namespace pimoru {
namespace {

constexpr std::u16string_view kLineEnd = u"\r\n";
constexpr std::u16string_view kRedOpen = u"<span class=\"red\">";
constexpr std::u16string_view kRedClose = u"</span>";

void AppendCharRef(std::u16string& out, char16_t c) {
  constexpr std::u16string_view kHexDigits = u"0123456789ABCDEF";
  out += u"&#x";
  for (int shift = 12; shift >= 0; shift -= 4)
    out += kHexDigits[(c >> shift) & 0xF];
  out += u';';
}

// How one character stands to a red run.
enum class Run { kPlain, kRed, kAsBefore };

// Writes `text` as character references; a run of kRed characters is wrapped
// in one red span. A run still open at the end is closed by the paragraph's
// own "</span>".
template <typename RunOf>
std::u16string WithRedRuns(std::u16string_view text, RunOf run_of) {
  std::u16string out;
  bool red = false;
  for (std::size_t k = 0; k < text.size(); ++k) {
    const Run run = run_of(k);
    if (run == Run::kRed && !red) {
      out += kRedOpen;
      red = true;
    } else if (run == Run::kPlain && red) {
      out += kRedClose;
      red = false;
    }
    AppendCharRef(out, text[k]);
  }
  return out;
}

// The html folder as written into href attributes: "/" as separator, no
// trailing one, characters that would end the attribute or start markup
// escaped for HTML, and those that change the meaning of a URL ("#", "?",
// "%") percent-encoded, so that a folder such as "C# & co" still links.
std::u16string FolderHref(const std::filesystem::path& folder) {
  const std::u8string generic = folder.generic_u8string();
  std::string utf8(generic.begin(), generic.end());
  while (!utf8.empty() && utf8.back() == '/') utf8.pop_back();
  std::u16string out;
  for (const char16_t c : Utf8ToUtf16Lossy(utf8)) {
    switch (c) {
      case u'&':
        out += u"&amp;";
        break;
      case u'"':
        out += u"&quot;";
        break;
      case u'\'':
        out += u"&#39;";
        break;
      case u'<':
        out += u"&lt;";
        break;
      case u'>':
        out += u"&gt;";
        break;
      case u'%':
        out += u"%25";
        break;
      case u'#':
        out += u"%23";
        break;
      case u'?':
        out += u"%3F";
        break;
      default:
        out += c;
    }
  }
  return out;
}

// The start of a text that the report shows.
std::u16string_view Shown(std::u16string_view text) {
  return text.substr(0, kReportCharacters);
}

// What follows a text's shown start: "…" where the text was cut.
std::u16string_view CutMark(std::u16string_view text) {
  return text.size() > kReportCharacters ? u"…" : u"";
}

// HighlightChanges, over the shown starts where a text is cut: cut texts
// of different lengths have nothing red.
std::u16string ShownChanges(std::u16string_view previous,
                            std::u16string_view current) {
  if (previous.size() <= kReportCharacters &&
      current.size() <= kReportCharacters) {
    return HighlightChanges(previous, current);
  }
  if (previous.size() != current.size()) return NumericCharRefs(Shown(current));
  return HighlightChanges(Shown(previous), Shown(current));
}

std::u16string Decimal(std::size_t number) {
  const std::string digits = std::to_string(number);
  return std::u16string(digits.begin(), digits.end());
}

void AppendLine(std::u16string& page, std::u16string_view line) {
  page += line;
  page += kLineEnd;
}

// A stage's paragraph up to its body: the link to its help page, and
// beside it why the text changed, where that is known.
std::u16string StageParagraphHead(std::u16string_view folder, StageId stage,
                                  std::u16string_view reason = u"") {
  std::u16string line = u"<p class=\"small\"><a href=\"";
  line += folder;
  line += u'/';
  line += HelpPage(stage);
  line += u"\" target=\"_blank\">";
  line += StageName(stage);
  line += u"</a>";
  if (!reason.empty()) {
    line += u" <span class=\"why\">";
    line += NumericCharRefs(reason);
    line += u"</span>";
  }
  line += u"：　";
  return line;
}

void AppendStageParagraph(std::u16string& page, std::u16string_view folder,
                          StageId stage, std::u16string_view body,
                          std::u16string_view reason = u"") {
  std::u16string line = StageParagraphHead(folder, stage, reason);
  line += u"<span class=\"ko2\">";
  line += body;
  line += u"</span></p>";
  AppendLine(page, line);
}

// The paragraph of a stage that asked but changed nothing.
void AppendUnchangedParagraph(std::u16string& page, std::u16string_view folder,
                              StageId stage) {
  AppendLine(page, StageParagraphHead(folder, stage) + u"変化なし</p>");
}

// The line that stands for the items of a list beyond kReportListed.
void AppendOmittedLine(std::u16string& page, std::size_t omitted,
                       std::u16string_view unit) {
  if (omitted == 0) return;
  AppendLine(page, u"<p class=\"small\">　・ほか " + Decimal(omitted) + u" " +
                       std::u16string(unit) + u"（省略）</p>");
}

void AppendQuestionLines(std::u16string& page,
                         const std::vector<RecordedQuestion>& questions) {
  const std::size_t listed = std::min(questions.size(), kReportListed);
  for (const RecordedQuestion& q : std::span(questions).first(listed)) {
    AppendLine(page, u"<p class=\"small\">　・<span class=\"ko2\">" +
                         NumericCharRefs(!q.marked.empty() ? q.marked
                                         : q.pair.empty()  ? q.word
                                                           : q.pair) +
                         u"</span>（" + std::u16string(InfoOf(q.kind).label) +
                         u"）　" + NumericCharRefs(QuestionAnswerText(q)) +
                         u"</p>");
  }
  AppendOmittedLine(page, questions.size() - listed, u"問");
}

// Why the reading of numbers left a place as typed.
std::u16string_view WhyLeft(NumberNoteKind kind) {
  switch (kind) {
    case NumberNoteKind::kLatinWord:
      return u"小文字を含む英単語";
    case NumberNoteKind::kMixedScript:
      return u"数字と英字の混じった語";
    case NumberNoteKind::kOddSeparators:
      return u"数として読めない区切り";
    case NumberNoteKind::kTooLarge:
      return u"大きすぎる数";
    case NumberNoteKind::kLoneUnit:
      return u"数のない単位・記号";
    case NumberNoteKind::kSinoKorean:
    case NumberNoteKind::kNative:
    case NumberNoteKind::kDigitByDigit:
    case NumberNoteKind::kLetters:
      break;
  }
  return {};
}

// A line for each place the reading of numbers left as typed.
void AppendLeftLines(std::u16string& page, std::span<const NumberNote> notes) {
  std::size_t listed = 0;
  std::size_t omitted = 0;
  for (const NumberNote& note : notes) {
    if (WasRead(note.kind)) continue;
    if (listed == kReportListed) {
      ++omitted;
      continue;
    }
    ++listed;
    AppendLine(page, u"<p class=\"small\">　・<span class=\"ko2\">" +
                         NumericCharRefs(Shown(note.typed)) +
                         std::u16string(CutMark(note.typed)) + u"</span>（" +
                         std::u16string(WhyLeft(note.kind)) +
                         u"）　読まずにそのまま</p>");
  }
  AppendOmittedLine(page, omitted, u"箇所");
}

bool AnyLeft(std::span<const NumberNote> notes) {
  return std::any_of(notes.begin(), notes.end(), [](const NumberNote& note) {
    return !WasRead(note.kind);
  });
}

// The syllable as a link to its sound, followed by ▶.
std::u16string SpeakLink(std::u16string_view syllable) {
  constexpr std::u16string_view kHexDigits = u"0123456789ABCDEF";
  std::u16string link = u"<a href=\"";
  link += kSpeakScheme;
  link += u':';
  for (const char byte : Utf16ToUtf8(syllable)) {
    const auto b = static_cast<unsigned char>(byte);
    link += u'%';
    link += kHexDigits[b >> 4];
    link += kHexDigits[b & 0xF];
  }
  return link + u"\">" + NumericCharRefs(syllable) + u" &#x25B6;</a>";
}

// Which kana belongs to which sound: a row for each syllable of the
// reading, with its symbols and its kana as the window shows them.
void AppendSyllableTable(std::u16string& page,
                         std::span<const SyllableSounds> syllables,
                         SyllableLinks links) {
  if (syllables.empty()) return;
  syllables = syllables.first(std::min(syllables.size(), kReportCharacters));
  AppendLine(page, u"<table class=\"syl\">");
  AppendLine(page, u"<tr><th>音節</th><th>発音記号</th><th>発音カナ</th></tr>");
  for (const SyllableSounds& syllable : syllables) {
    const std::u16string shown = links == SyllableLinks::kSpeak
                                     ? SpeakLink(syllable.reading)
                                     : NumericCharRefs(syllable.reading);
    AppendLine(page, u"<tr><td class=\"ko2\">" + shown + u"</td><td>" +
                         NumericCharRefs(syllable.symbols) + u"</td><td>" +
                         NumericCharRefs(syllable.kana) + u"</td></tr>");
  }
  AppendLine(page, u"</table>");
}

}  // namespace

std::u16string QuestionAnswerText(const RecordedQuestion& question) {
  const Answer& a = question.answer;
  std::u16string text;
  switch (a.by) {
    case Answerer::kDictionary:
      text = u"辞書：";
      text += a.reason;
      text += a.yes ? u"→はい" : u"→いいえ";
      return text;
    case Answerer::kUser:
      text = u"回答：";
      break;
    case Answerer::kPolicy:
      text = u"既定：";
      break;
  }
  text += a.yes ? u"はい" : u"いいえ";
  if (!a.reason.empty()) {
    text += u"（辞書：";
    text += a.reason;
    text += u"）";
  }
  if (question.places > 1) {
    text += u"（同じ語の";
    for (const char c : std::to_string(question.places)) text += c;
    text += u"か所に同じ答え）";
  }
  return text;
}

std::u16string NumericCharRefs(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size() * 8);
  for (const char16_t c : text) AppendCharRef(out, c);
  return out;
}

std::u16string HighlightChanges(std::u16string_view previous,
                                std::u16string_view current) {
  const std::vector<bool> marked = MarkedCharacters(previous, current);
  return WithRedRuns(current, [&](std::size_t k) {
    return marked[k] ? Run::kRed : Run::kPlain;
  });
}

std::u16string HighlightVoicing(std::u16string_view text,
                                std::u16string_view voicing_marks) {
  return WithRedRuns(text, [&](std::size_t k) {
    if (k >= voicing_marks.size()) return Run::kAsBefore;
    return voicing_marks[k] == u'2' ? Run::kRed : Run::kPlain;
  });
}

std::u16string WorkReportPage(std::u16string_view reading,
                              const StageRecord& record,
                              std::u16string_view voicing_marks,
                              const std::filesystem::path& html_folder,
                              std::span<const SyllableSounds> syllables,
                              SyllableLinks links, const OtherForm* other) {
  const std::u16string folder = FolderHref(html_folder);
  std::u16string page;
  AppendLine(
      page,
      u"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" "
      u"\"http://www.w3.org/TR/html4/loose.dtd\">");
  AppendLine(page, u"<html lang=\"ja\">");
  // The head line carries a line break of its own: an empty line follows.
  AppendLine(page, u"<head>\r\n");
  AppendLine(page,
             u"<meta http-equiv=\"Content-Type\" content=\"text/html; "
             u"charset=Shift_JIS\">");
  AppendLine(page,
             u"<meta http-equiv=\"Content-Style-Type\" content=\"text/css\">");
  AppendLine(page, u"<link rel=\"stylesheet\" href=\"" + folder +
                       u"/pimoru1.css\" type=\"text/css\">");
  AppendLine(page, u"<title>handwork</title>");
  AppendLine(page, u"</head>");
  AppendLine(page, u"<body>");
  const std::u16string_view input = record.results[StageId::kFormatting];
  if (input.size() > kReportCharacters || reading.size() > kReportCharacters) {
    AppendLine(page, u"<p class=\"small\">長い入力（" + Decimal(input.size()) +
                         u" 文字）のため、各段階の文は最初の " +
                         Decimal(kReportCharacters) +
                         u" 文字までを示し、そこで切ります（…）。</p>");
  }

  // The formatted input always opens the list.
  AppendStageParagraph(
      page, folder, StageId::kFormatting,
      NumericCharRefs(Shown(input)) + std::u16string(CutMark(input)));
  for (const Stage& s : StagesFrom(StageId::kFormatting).subspan(1)) {
    const StageId stage = s.id;
    const std::vector<RecordedQuestion>& asked = record.questions[stage];
    const std::span<const NumberNote> notes =
        stage == StageId::kNumberReading ? std::span(record.number_notes)
                                         : std::span<const NumberNote>();
    if (!record.changed[stage]) {
      if (!asked.empty() || AnyLeft(notes)) {
        AppendUnchangedParagraph(page, folder, stage);
        AppendQuestionLines(page, asked);
        AppendLeftLines(page, notes);
      }
      continue;
    }
    // A stage that the special words credited without storing a text of
    // its own shows the text that holds the credited change: for the
    // spacing the one the special words left, for a later stage the one
    // before it.
    const std::u16string text =
        record.results[stage].empty()
            ? PreviousStageResult(record,
                                  std::max(stage, StageId::kUiVariationWords))
            : record.results[stage];
    if (stage == StageId::kVoicing) {
      AppendStageParagraph(page, folder, stage,
                           HighlightVoicing(Shown(text), voicing_marks) +
                               std::u16string(CutMark(text)));
    } else {
      const std::u16string previous = PreviousStageResult(record, stage);
      AppendStageParagraph(
          page, folder, stage,
          ShownChanges(previous, text) + std::u16string(CutMark(text)),
          ChangeReason(Shown(previous), Shown(text), asked));
    }
    AppendQuestionLines(page, asked);
    AppendLeftLines(page, notes);
  }

  AppendLine(page, u"<p>読みﾊﾝｸﾞﾙ：　<span class=\"ko2\">" +
                       NumericCharRefs(Shown(reading)) +
                       std::u16string(CutMark(reading)) + u"</span></p>");
  if (other != nullptr) {
    AppendLine(page, u"<p>" + std::u16string(ReadingName(other->style)) +
                         u"：　<span class=\"ko2\">" +
                         NumericCharRefs(Shown(other->reading)) +
                         std::u16string(CutMark(other->reading)) +
                         u"</span>　" + OtherFormNote(*other) + u"</p>");
  }
  AppendSyllableTable(page, syllables, links);
  AppendLine(page, u"</body>");
  AppendLine(page, u"</html>");
  return page;
}

std::optional<std::string> WriteWorkReport(
    const std::filesystem::path& path, const Conversion& conversion,
    const std::filesystem::path& html_folder, SyllableLinks links) {
  if (Trim(conversion.input).empty()) return std::nullopt;
  // The table shows the syllables of the reading's shown start. One
  // character more is looked at and the last syllable left out, so that
  // each syllable shown has the neighbours it has in the whole reading.
  const std::u16string_view reading = conversion.reading;
  std::vector<SyllableSounds> syllables =
      SoundsBySyllable(reading.substr(0, kReportCharacters + 1),
                       conversion.transcription.notation);
  if (reading.size() > kReportCharacters && !syllables.empty()) {
    syllables.pop_back();
  }
  const std::u16string page = WorkReportPage(
      conversion.reading, conversion.record,
      conversion.transcription.voicing_marks, html_folder, syllables, links,
      conversion.other ? &*conversion.other : nullptr);
  std::string bytes = "\xFF\xFE";
  bytes.reserve(2 + page.size() * 2);
  for (const char16_t c : page) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return WriteFileAtomically(path, bytes);
}

}  // namespace pimoru
