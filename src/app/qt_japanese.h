// Qt's own strings in Japanese: the fields' context menus (元に戻す,
// コピー), the buttons of standard boxes and dialogs. The window is Japanese
// whatever the user's locale, so these are too.
#ifndef PIMORU_APP_QT_JAPANESE_H_
#define PIMORU_APP_QT_JAPANESE_H_

namespace pimoru {

// Installs Qt's Japanese translations into the running application, once
// however often it is called; false where they are not installed (the
// package qt6-translations-l10n), which leaves Qt's strings in English.
bool UseJapaneseQtStrings();

}  // namespace pimoru

#endif  // PIMORU_APP_QT_JAPANESE_H_
