// The window's fonts. The named fonts come first; where they are not
// installed, fixed families that draw Hangul, kana and kanji, and the
// phonetic letters take over, in a fixed order, so the window looks the same
// whatever the user's locale.
#ifndef PIMORU_APP_FONTS_H_
#define PIMORU_APP_FONTS_H_

#include <QFont>
#include <QStringList>

namespace pimoru {

// The reading fields: Hangul first.
QStringList HangulFamilies();
// The phonetic symbols: Latin letters with the phonetic extensions.
QStringList SymbolFamilies();
// The katakana field, the labels and the window's default font.
QStringList JapaneseFamilies();
// Text files: every Japanese or Korean letter twice as wide as a Latin one.
QStringList MonospaceFamilies();

QFont PointFont(const QStringList& families, int points);
QFont PixelFont(const QStringList& families, int pixels);

}  // namespace pimoru

#endif  // PIMORU_APP_FONTS_H_
