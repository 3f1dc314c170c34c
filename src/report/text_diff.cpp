#include "report/text_diff.h"

#include <algorithm>
#include <cstdint>

namespace pimoru {
namespace {

// Which characters of `a` and of `b` a shortest edit script keeps, by the
// greedy forward search over diagonals; false when it needs more than
// kMaxAlignedEdits edits. `a_kept` and `b_kept` come in all false.
bool ShortestScript(std::u16string_view a, std::u16string_view b,
                    std::vector<bool>& a_kept, std::vector<bool>& b_kept) {
  const auto n = static_cast<std::int64_t>(a.size());
  const auto m = static_cast<std::int64_t>(b.size());
  const std::int64_t max_d = std::min<std::int64_t>(
      n + m, static_cast<std::int64_t>(kMaxAlignedEdits));
  // The furthest x on diagonal k = x - y after d edits, kept for every d
  // over k in [-d, d] (at offset d * d) to walk the script back.
  std::vector<std::int32_t> trace;
  std::vector<std::int64_t> v(2 * static_cast<std::size_t>(max_d) + 3, 0);
  const std::int64_t mid = max_d + 1;
  std::int64_t last_d = -1;
  for (std::int64_t d = 0; d <= max_d && last_d < 0; ++d) {
    for (std::int64_t k = -d; k <= d; k += 2) {
      std::int64_t x = (k == -d || (k != d && v[mid + k - 1] < v[mid + k + 1]))
                           ? v[mid + k + 1]
                           : v[mid + k - 1] + 1;
      std::int64_t y = x - k;
      while (x < n && y < m && a[x] == b[y]) {
        ++x;
        ++y;
      }
      v[mid + k] = x;
      if (x >= n && y >= m) last_d = d;
    }
    for (std::int64_t k = -d; k <= d; ++k) {
      trace.push_back(static_cast<std::int32_t>(v[mid + k]));
    }
  }
  if (last_d < 0) return false;
  const auto at = [&](std::int64_t d, std::int64_t k) {
    return static_cast<std::int64_t>(trace[d * d + (k + d)]);
  };
  std::int64_t x = n;
  std::int64_t y = m;
  for (std::int64_t d = last_d; d > 0; --d) {
    const std::int64_t k = x - y;
    const bool down =
        k == -d || (k != d && at(d - 1, k - 1) < at(d - 1, k + 1));
    const std::int64_t prev_k = down ? k + 1 : k - 1;
    const std::int64_t prev_x = at(d - 1, prev_k);
    const std::int64_t prev_y = prev_x - prev_k;
    // The snake after the edit keeps its characters.
    const std::int64_t snake_x = down ? prev_x : prev_x + 1;
    for (std::int64_t s = snake_x; s < x; ++s) {
      a_kept[s] = true;
      b_kept[s - k] = true;
    }
    x = prev_x;
    y = prev_y;
  }
  for (std::int64_t s = 0; s < x; ++s) {  // the snake of d = 0
    a_kept[s] = true;
    b_kept[s] = true;
  }
  return true;
}

// Marks which characters of a and b stay, at offsets `a_at` and `b_at` of
// the whole texts.
void Align(std::u16string_view a, std::u16string_view b, std::size_t a_at,
           std::size_t b_at, std::vector<bool>& a_kept,
           std::vector<bool>& b_kept) {
  std::size_t same_start = 0;
  while (same_start < a.size() && same_start < b.size() &&
         a[same_start] == b[same_start]) {
    a_kept[a_at + same_start] = true;
    b_kept[b_at + same_start] = true;
    ++same_start;
  }
  std::size_t same_end = 0;
  while (same_end < a.size() - same_start && same_end < b.size() - same_start &&
         a[a.size() - 1 - same_end] == b[b.size() - 1 - same_end]) {
    ++same_end;
    a_kept[a_at + a.size() - same_end] = true;
    b_kept[b_at + b.size() - same_end] = true;
  }
  a = a.substr(same_start, a.size() - same_start - same_end);
  b = b.substr(same_start, b.size() - same_start - same_end);
  a_at += same_start;
  b_at += same_start;
  if (a.empty() || b.empty()) return;
  std::vector<bool> a_part(a.size());
  std::vector<bool> b_part(b.size());
  if (ShortestScript(a, b, a_part, b_part)) {
    for (std::size_t i = 0; i < a.size(); ++i) a_kept[a_at + i] = a_part[i];
    for (std::size_t j = 0; j < b.size(); ++j) b_kept[b_at + j] = b_part[j];
    return;
  }
  const std::size_t a_half = a.size() / 2;
  const std::size_t b_half = b.size() / 2;
  Align(a.substr(0, a_half), b.substr(0, b_half), a_at, b_at, a_kept, b_kept);
  Align(a.substr(a_half), b.substr(b_half), a_at + a_half, b_at + b_half,
        a_kept, b_kept);
}

constexpr bool IsBlank(char16_t c) { return c <= u' ' || c == u'\u3000'; }

// A join of the spacing as the record shows it.
constexpr char16_t kShownJoin = u'$';

}  // namespace

std::vector<DiffHunk> DiffHunks(std::u16string_view previous,
                                std::u16string_view current) {
  std::vector<DiffHunk> hunks;
  if (previous.size() == current.size()) {
    for (std::size_t k = 0; k < current.size(); ++k) {
      if (previous[k] == current[k]) continue;
      if (!hunks.empty() && hunks.back().current_end == k) {
        hunks.back().previous_end = hunks.back().current_end = k + 1;
      } else {
        hunks.push_back({k, k + 1, k, k + 1});
      }
    }
    return hunks;
  }
  std::vector<bool> previous_kept(previous.size());
  std::vector<bool> current_kept(current.size());
  Align(previous, current, 0, 0, previous_kept, current_kept);
  // The kept characters of both texts pair up in order; what lies between
  // two pairs is a hunk.
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < previous.size() || j < current.size()) {
    if (i < previous.size() && j < current.size() && previous_kept[i] &&
        current_kept[j]) {
      ++i;
      ++j;
      continue;
    }
    DiffHunk hunk{i, i, j, j};
    while (i < previous.size() && !previous_kept[i]) ++i;
    while (j < current.size() && !current_kept[j]) ++j;
    hunk.previous_end = i;
    hunk.current_end = j;
    const std::u16string_view gone =
        previous.substr(hunk.previous_begin, i - hunk.previous_begin);
    const bool only_joins_gone =
        hunk.current_begin == j &&
        std::all_of(gone.begin(), gone.end(),
                    [](char16_t c) { return c == kShownJoin; });
    if (!only_joins_gone) hunks.push_back(hunk);
  }
  return hunks;
}

std::vector<bool> MarkedCharacters(std::u16string_view previous,
                                   std::u16string_view current) {
  std::vector<bool> marked(current.size());
  for (const DiffHunk& hunk : DiffHunks(previous, current)) {
    if (hunk.current_begin < hunk.current_end) {
      std::fill(
          marked.begin() + static_cast<std::ptrdiff_t>(hunk.current_begin),
          marked.begin() + static_cast<std::ptrdiff_t>(hunk.current_end), true);
      continue;
    }
    // Only taken out: a neighbour shows where.
    const std::size_t at = hunk.current_begin;
    if (at < current.size() && !IsBlank(current[at])) {
      marked[at] = true;
    } else if (at > 0) {
      marked[at - 1] = true;
    } else if (at < current.size()) {
      marked[at] = true;
    }
  }
  return marked;
}

}  // namespace pimoru
