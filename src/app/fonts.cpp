#include "app/fonts.h"

namespace pimoru {
namespace {

QFont Pinned(const QStringList& families) {
  QFont font;
  // Qt asks the listed families in order for each character before it
  // falls back to the system's choice.
  font.setFamilies(families);
  return font;
}

}  // namespace

QStringList HangulFamilies() {
  return {QStringLiteral("GulimChe"), QStringLiteral("굴림체"),
          QStringLiteral("Noto Sans CJK KR"),
          QStringLiteral("Noto Sans CJK JP"), QStringLiteral("DejaVu Sans")};
}

QStringList SymbolFamilies() {
  return {QStringLiteral("Segoe UI"), QStringLiteral("DejaVu Sans"),
          QStringLiteral("Noto Sans CJK JP"),
          QStringLiteral("Noto Sans CJK KR")};
}

QStringList JapaneseFamilies() {
  return {QStringLiteral("メイリオ"), QStringLiteral("Meiryo"),
          QStringLiteral("Noto Sans CJK JP"),
          QStringLiteral("Noto Sans CJK KR"), QStringLiteral("DejaVu Sans")};
}

QStringList MonospaceFamilies() {
  return {QStringLiteral("MS Gothic"), QStringLiteral("ＭＳ ゴシック"),
          QStringLiteral("Noto Sans Mono CJK JP"),
          QStringLiteral("DejaVu Sans Mono")};
}

QFont PointFont(const QStringList& families, int points) {
  QFont font = Pinned(families);
  font.setPointSize(points);
  return font;
}

QFont PixelFont(const QStringList& families, int pixels) {
  QFont font = Pinned(families);
  font.setPixelSize(pixels);
  return font;
}

}  // namespace pimoru
