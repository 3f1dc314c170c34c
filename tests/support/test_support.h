// Helpers shared by the tests: scripted answers, temporary folders with
// word-list fixtures, and readable printing of UTF-16 text.
#ifndef PIMORU_TESTS_SUPPORT_TEST_SUPPORT_H_
#define PIMORU_TESTS_SUPPORT_TEST_SUPPORT_H_

#include <sys/types.h>

#include <deque>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "hangul/question.h"
#include "hangul/word_list.h"

namespace pimoru {

// What a question said of itself when it was asked.
struct AskedQuestion {
  QuestionKind kind;
  std::u16string typed_word;  // the word as typed, empty where unknown
  std::u16string message;
};

// Answers from a script, in order, and records every question it was asked.
// A question beyond the script is answered No and recorded all the same.
class ScriptedAsker : public Asker {
 public:
  ScriptedAsker() = default;
  explicit ScriptedAsker(std::vector<bool> answers)
      : answers_(answers.begin(), answers.end()) {}
  Answer Respond(const Question& question, const Judgement& guess) override;
  // Gives every answer from now on to be kept for the same word, as a user
  // who leaves 以後、同じ語には同じ答え ticked.
  void KeepAnswers() { keep_ = true; }

  const std::vector<std::u16string>& messages() const { return messages_; }
  const std::vector<AskedQuestion>& questions() const { return questions_; }
  std::size_t unanswered() const { return answers_.size(); }

 private:
  std::deque<bool> answers_;
  bool keep_ = false;
  std::vector<std::u16string> messages_;
  std::vector<AskedQuestion> questions_;
};

// A question's message as the user reads it, line by line: the rule, the
// question about `subject`, `marked` (the subject with "｜" where the
// junction's syllables meet) with the letters that meet there, for a
// junction what the rule then does, and `position` where the line holds
// more than the subject.
std::u16string QuestionMessage(QuestionKind kind, std::u16string_view subject,
                               std::u16string_view marked,
                               std::u16string_view final_letter,
                               std::u16string_view initial_letter,
                               std::u16string_view position = u"");

// A fresh folder under the system's temporary folder, removed afterwards.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // Writes `text` as UTF-16 little-endian, with or without the BOM FF FE.
  std::filesystem::path WriteUtf16(std::string_view name,
                                   std::u16string_view text,
                                   bool bom = true) const;
  std::filesystem::path WriteBytes(std::string_view name,
                                   std::string_view bytes) const;

 private:
  std::filesystem::path path_;
};

std::string ReadFileBytes(const std::filesystem::path& path);

// Owners that are nobody on a test machine, for the files root makes.
inline constexpr uid_t kOtherUser = 4242;
inline constexpr uid_t kThirdUser = 4243;

// Links planted for PlantLink by root, acting as itself, and whether it
// must refuse to follow them where links are followed only as the system's
// protection of shared folders allows.
struct PlantedLinkCase {
  const char* name;
  mode_t folder_mode;
  uid_t folder_owner;
  uid_t link_owner;
  bool refused;
};
inline constexpr PlantedLinkCase kPlantedLinks[] = {
    {"another user's link in a sticky shared folder", 01777, 0, kOtherUser,
     true},
    {"a link of a third user in another's shared folder", 01777, kThirdUser,
     kOtherUser, true},
    {"the folder owner's link", 01777, kOtherUser, kOtherUser, false},
    {"own link", 01777, kOtherUser, 0, false},
    {"a shared folder that is not sticky", 0777, 0, kOtherUser, false},
};

// A symbolic link `name` to `target`, owned by `link_owner`, in a folder
// "shared" made under `root` with `folder_mode` and `folder_owner`: what
// another user plants in /tmp. Only root can make it; the link's path, or
// an empty one where the owners could not be given.
std::filesystem::path PlantLink(const TempFolder& root, mode_t folder_mode,
                                uid_t folder_owner, uid_t link_owner,
                                const std::filesystem::path& target,
                                std::string_view name);

// How often `part` stands in `text`, not overlapping.
std::size_t CountOf(std::string_view text, std::string_view part);

// UTF-8 for failure messages.
std::string U8(std::u16string_view text);

// The reading of `input` as spoken in one breath with `lists`, ㅎ kept and
// the formal endings as written, N-insertion as `n_insert` says, every
// question answered `answer`.
std::u16string PhraseReading(std::u16string_view input, WordListSource& lists,
                             bool n_insert = false, bool answer = false);

// A text of up to `max_length` units over a small alphabet of ASCII,
// syllables, a space and jamo, so that patterns made the same way occur
// often, overlap and are formed by earlier replacements.
std::u16string RandomText(std::mt19937& random, std::size_t max_length);

}  // namespace pimoru

#endif  // PIMORU_TESTS_SUPPORT_TEST_SUPPORT_H_
