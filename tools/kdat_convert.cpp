// pimoru-kdat-convert IN OUT: UTF-8 text to UTF-16 little-endian with BOM.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>

#include "hangul/utf.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: pimoru-kdat-convert IN OUT\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::cerr << "pimoru-kdat-convert: cannot read " << argv[1] << '\n';
    return 1;
  }
  const std::string bytes{std::istreambuf_iterator<char>(in),
                          std::istreambuf_iterator<char>()};
  std::string_view body(bytes);
  if (body.starts_with("\xEF\xBB\xBF")) body.remove_prefix(3);
  const std::optional<std::u16string> text = pimoru::Utf8ToUtf16(body);
  if (!text) {
    std::cerr << "pimoru-kdat-convert: " << argv[1] << " is not valid UTF-8\n";
    return 1;
  }
  std::string out = "\xFF\xFE";
  for (const char16_t c : *text) {
    out += static_cast<char>(c & 0xFF);
    out += static_cast<char>(c >> 8);
  }
  std::ofstream file(argv[2], std::ios::binary | std::ios::trunc);
  file.write(out.data(), static_cast<std::streamsize>(out.size()));
  if (!file) {
    std::cerr << "pimoru-kdat-convert: cannot write " << argv[2] << '\n';
    return 1;
  }
  return 0;
}
