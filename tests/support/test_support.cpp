#include "support/test_support.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <iterator>
#include <random>

#include "hangul/utf.h"
#include "pipeline/options.h"
#include "pipeline/pipeline.h"
#include "pipeline/stage_record.h"

namespace pimoru {

Answer ScriptedAsker::Respond(const Question& question,
                              const Judgement& guess) {
  messages_.push_back(question.Message());
  const TypedSpan word = question.TypedWord();
  questions_.push_back(
      {question.kind(),
       std::u16string(question.TypedLine().substr(
           std::min(word.offset, question.TypedLine().size()), word.length)),
       messages_.back()});
  Answer answer{false, Answerer::kUser, guess.reason, keep_};
  if (!answers_.empty()) {
    answer.yes = answers_.front();
    answers_.pop_front();
  }
  return answer;
}

std::u16string QuestionMessage(QuestionKind kind, std::u16string_view subject,
                               std::u16string_view marked,
                               std::u16string_view final_letter,
                               std::u16string_view initial_letter,
                               std::u16string_view position) {
  const QuestionKindInfo& info = InfoOf(kind);
  std::u16string message = u"【" + std::u16string(info.title) + u"】\n「" +
                           std::u16string(subject) + u"」";
  message += info.at_junction
                 ? u"は" + std::u16string(info.wording) + u"ですか？"
                 : std::u16string(info.wording);
  message += u"\n　" + std::u16string(marked) + u"（" +
             std::u16string(final_letter) + u"パッチム＋" +
             std::u16string(initial_letter) + u"初声）";
  if (info.at_junction) {
    message += u"\n" + std::u16string(info.wording) + u"で" +
               std::u16string(final_letter) + u"パッチムの後ろに" +
               std::u16string(initial_letter) + u"初声が来た場合、" +
               std::u16string(info.title) + u"します。";
  }
  if (!position.empty()) message += u"\n位置：" + std::u16string(position);
  return message;
}

TempFolder::TempFolder() {
  static std::atomic<unsigned> counter{0};
  std::random_device random;
  path_ = std::filesystem::temp_directory_path() /
          ("pimoru-test-" + std::to_string(random()) + "-" +
           std::to_string(counter++));
  std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ec;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(path_, ec);
}

std::filesystem::path TempFolder::WriteUtf16(std::string_view name,
                                             std::u16string_view text,
                                             bool bom) const {
  std::string bytes = bom ? "\xFF\xFE" : "";
  for (const char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return WriteBytes(name, bytes);
}

std::filesystem::path TempFolder::WriteBytes(std::string_view name,
                                             std::string_view bytes) const {
  const std::filesystem::path file = path_ / name;
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return file;
}

std::string ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::filesystem::path PlantLink(const TempFolder& root, mode_t folder_mode,
                                uid_t folder_owner, uid_t link_owner,
                                const std::filesystem::path& target,
                                std::string_view name) {
  const std::filesystem::path shared = root.path() / "shared";
  std::filesystem::create_directory(shared);
  const std::filesystem::path link = shared / name;
  std::filesystem::create_symlink(target, link);
  if (::lchown(link.c_str(), link_owner, link_owner) != 0 ||
      ::chown(shared.c_str(), folder_owner, folder_owner) != 0 ||
      ::chmod(shared.c_str(), folder_mode) != 0) {
    return {};
  }
  return link;
}

std::size_t CountOf(std::string_view text, std::string_view part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string_view::npos;
       at = text.find(part, at + part.size())) {
    ++count;
  }
  return count;
}

std::string U8(std::u16string_view text) { return Utf16ToUtf8(text); }

std::u16string PhraseReading(std::u16string_view input, WordListSource& lists,
                             bool n_insert, bool answer) {
  Options options;
  options.phrase_flg = true;
  options.n_insert_flg = n_insert;
  options.h_strong_flg = false;
  options.e_real_flg = false;
  FixedAsker asker(answer);
  StageRecord record;
  return RunPipeline(input, options, lists, asker, record);
}

std::u16string RandomText(std::mt19937& random, std::size_t max_length) {
  constexpr std::u16string_view kAlphabet = u"ab가나 \u11A8\u1100";
  std::uniform_int_distribution<std::size_t> length(0, max_length);
  std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1);
  std::u16string text;
  for (std::size_t n = length(random); n > 0; --n) {
    text += kAlphabet[pick(random)];
  }
  return text;
}

}  // namespace pimoru
