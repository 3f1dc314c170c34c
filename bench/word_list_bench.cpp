// Reading and indexing a word list of a thousand to a million entries: the
// time per entry should stay flat across the range (linear in the list).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "hangul/utf.h"
#include "hangul/word_list.h"

namespace pimoru {
namespace {

// A setsubi.txt of `lines` entries of two to four random syllables, each
// with its last syllable changed, in a folder of its own.
std::filesystem::path WriteList(std::size_t lines) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() /
      ("pimoru-bench-" + std::to_string(::getpid()) + "-" +
       std::to_string(lines));
  std::filesystem::create_directories(folder);
  std::mt19937 random(1);
  std::uniform_int_distribution<int> length(2, 4);
  std::uniform_int_distribution<int> syllable(0xAC00, 0xD7A3);
  std::u16string text;
  for (std::size_t k = 0; k < lines; ++k) {
    std::u16string word;
    for (int n = length(random); n > 0; --n) {
      word += static_cast<char16_t>(syllable(random));
    }
    text += word + u',' + word.substr(0, word.size() - 1) +
            static_cast<char16_t>(syllable(random)) + u'\n';
  }
  std::ofstream(folder / "setsubi.txt", std::ios::binary) << Utf16ToUtf8(text);
  return folder;
}

void BM_LoadWordList(benchmark::State& state) {
  const auto lines = static_cast<std::size_t>(state.range(0));
  const std::filesystem::path folder = WriteList(lines);
  for (auto _ : state) {
    benchmark::DoNotOptimize(LoadWordList(folder, WordListId::kSetsubi));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_LoadWordList)
    ->RangeMultiplier(10)
    ->Range(1000, 1000000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pimoru
