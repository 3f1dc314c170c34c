// What loading the compound lexicon adds to a process that has loaded the
// dictionary: its time and the resident memory it adds.
//
//   pimoru_compound_load DATA_DIR [USER_DIR]
//
// Loads the dictionary first (as the programs do before their first
// question), then the lexicon once, keeping it, and then five times more
// for the time; prints the resident memory before and after, the bytes
// the entries hold, and the median time.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "lexicon/compound_lexicon.h"
#include "lexicon/dictionary.h"

namespace pimoru {
namespace {

// The resident memory of this process in KiB, from /proc/self/status.
long ResidentKib() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.starts_with("VmRSS:")) return std::stol(line.substr(6));
  }
  return -1;
}

double Milliseconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

int Main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: pimoru_compound_load DATA_DIR [USER_DIR]\n";
    return 2;
  }
  const CompoundFiles files =
      FindCompoundFiles(argv[1], argc > 2 ? argv[2] : "/nonexistent");
  const std::shared_ptr<Dictionary> dictionary = MakeDictionary();
  if (!dictionary->Load()) {
    std::cerr << dictionary->Status() << '\n';
    return 1;
  }
  const long before = ResidentKib();
  auto start = std::chrono::steady_clock::now();
  const CompoundLexicon kept = CompoundLexicon::Load(files);
  const double first = Milliseconds(std::chrono::steady_clock::now() - start);
  const long after = ResidentKib();
  for (const std::string& error : kept.errors()) std::cerr << error << '\n';
  std::vector<double> times;
  for (int k = 0; k < 5; ++k) {
    start = std::chrono::steady_clock::now();
    const CompoundLexicon again = CompoundLexicon::Load(files);
    times.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
  }
  std::sort(times.begin(), times.end());
  std::printf("%zu entries from %s\n", kept.size(), files.shipped.c_str());
  std::printf(
      "resident memory: %ld KiB with the dictionary, %ld KiB with the "
      "lexicon too: +%.1f MiB (entries hold %.1f MiB)\n",
      before, after, (after - before) / 1024.0, kept.Bytes() / 1048576.0);
  std::printf("load time: %.1f ms the first time, %.1f ms median of 5\n", first,
              times[2]);
  return 0;
}

}  // namespace
}  // namespace pimoru

int main(int argc, char** argv) { return pimoru::Main(argc, argv); }
