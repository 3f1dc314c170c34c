// The main window: the four fields of a conversion, its two commands, the
// work report, the options and a bar of general commands.
//
// Controls keep the numbered names of the window's design (Edit1, the input
// Hangul; SpeedButton2, "変換1"; ...) as their object names, and each handler
// is named after its control and event.
#ifndef PIMORU_APP_MAIN_FRM_H_
#define PIMORU_APP_MAIN_FRM_H_

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <string>

#include "app/folders.h"
#include "app/help_window.h"
#include "app/settings.h"
#include "hangul/word_knowledge.h"
#include "hangul/word_list.h"
#include "pipeline/speech_style.h"
#include "pipeline/stage_record.h"
#include "render/speaker.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSplitter;
class QTabWidget;

namespace pimoru {

class OtherReadingRow;
class StyleBox;
class SoundOutput;
class SpeechControls;
class ZoomBrowser;

// Client sizes of the window at the zoom of 100 %: the compact view shows
// the four rows and the bar, the full view also the report and the options.
// The full view gives the report room for about ten of its lines, so that
// it can be read without scrolling at once, and still fits a screen 768
// high. The width and the full view's height are the user's once changed.
inline constexpr int kClientWidth = 634;
inline constexpr int kCompactHeight = 240;
inline constexpr int kFullHeight = 680;

// The most characters a field holds: as many as memory allows. A one-line
// field's own default cuts a paste at 32,767 without a word; a long text
// should only take longer, as the conversion takes time in proportion to
// it.
inline constexpr int kFieldMaxLength = std::numeric_limits<int>::max();

// The translator that "Google翻訳" opens, from Korean into Japanese.
inline constexpr char kTranslatorAddress[] =
    "https://translate.google.com/?sl=ko&tl=ja";
// The most characters of the input the translator is handed; it takes no
// more at once.
inline constexpr int kTranslatorTextLimit = 5000;

// The translator's address with `hangul` as the text to translate (its
// first kTranslatorTextLimit characters); the bare address when it is
// empty.
QUrl TranslatorUrl(const QString& hangul);

// Where a window whose frame of `size` has its top left corner at
// `top_left` goes so that it can be seen: where it is, when every part of it
// lies on the screens' `areas`; else onto the area it overlaps most, or
// failing that the nearest one, moved just far enough to lie inside it (its
// top left corner inside, when it is the larger). Any int is a position.
QPoint PlaceOnScreens(QPoint top_left, QSize size, const QList<QRect>& areas);

class TMainFrm : public QWidget {
  Q_OBJECT

 public:
  // Creates the system folder (with a warning box when it cannot), reads the
  // settings and sets up the controls from them. `open_url` hands web
  // addresses to the desktop.
  TMainFrm(Folders folders, UrlOpener open_url, QWidget* parent = nullptr);
  ~TMainFrm() override;

  // The dictionary that decides the questions it can while 辞書で判断する is
  // on, and a line saying what it found (shown with the Readme; it may wait
  // for the dictionary to load). Without one, every question is asked and
  // the option is greyed out.
  void SetDictionary(std::shared_ptr<const WordKnowledge> dictionary,
                     std::function<QString()> status);

  // The speaker of the reading and where it is heard: the ▶ button beside
  // the reading, Ctrl+Space, the speed and the report's syllables speak
  // through them. Without them, or with a speaker built without speech,
  // none of that is shown.
  void SetSpeech(std::shared_ptr<const Speaker> speaker,
                 std::unique_ptr<SoundOutput> output);

  // Showing the window the first time sets its caption, its view, size and
  // zoom as the settings say, its position, and the focus on the input.
  void setVisible(bool visible) override;

  // Saves the settings with the window's place and size now, without a
  // box: for the ends of the program where none may be shown (a signal,
  // the end of the session).
  void SaveState();

  const Folders& folders() const { return folders_; }
  const Settings& settings() const { return settings_; }
  const StageRecord& record() const { return record_; }
  const std::u16string& voicing_marks() const { return voicing_marks_; }
  // The window of help pages, once a help link or the Readme has opened it.
  HelpWindow* help_window() const { return help_window_; }

  // "変換1": the input through the reading conversion into Edit2.
  void SpeedButton2Click();
  // "変換2": the reading into symbols and katakana, and the work report.
  void SpeedButton3Click();

 protected:
  // Closing saves the position, the size and the options.
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormShow();
  void BuildControls();
  void BuildRows();
  void BuildReport();
  void BuildBar();
  void PrepareFolders();
  void ReadSettings();
  void SetUpControls();
  void ConnectHandlers();

  void SpeedButton1Click(bool down);
  void SpeedButton4Click();
  void SpeedButton5Click();
  void SpeedButton6Click();
  void SpeedButton7Click();
  void SpeedButton8Click();
  void SpeedButton9Click();
  void WebBrowser1AnchorClicked(const QUrl& link);
  // Speaks the reading row, converting the input first when it is empty.
  void SpeakReading();
  void FieldContextMenu(QLineEdit* field, const QPoint& position);

  // Shows or hides the report and the options, and sizes the window to
  // the view.
  void SetFullView(bool full);
  int CompactHeight() const;
  // Moves the window, grown or zoomed, back onto the screens where it
  // reaches past them.
  void KeepOnScreens();
  int FullHeight() const;
  // Sets the text of the four rows and of the report to the zoom of the
  // settings; `step` moves it along the list first.
  void Zoom(int step);
  void ApplyZoom();

  // The input was edited: what was made from it is shown as old, and its
  // report is taken away.
  void Edit1Edited();
  // The reading was edited: its symbols and kana are shown as old.
  void Edit2Edited();
  // Shows the reading in the other style beside the one converted, and
  // names both; or hides it and the reading is the reading again.
  void ShowOtherForm();
  // Greys a field out as made from an input that has changed since, or
  // shows it as current again.
  void SetStale(QLineEdit* field, bool stale);
  // Takes the report of an earlier input out of view, leaving `note`.
  void ClearReport(const QString& note);

  void CopyField(QLineEdit* field);
  void CopyResult();
  void UpdateCopyResult();
  void ShowReport();
  void ShowHelp(const QUrl& page);
  void ShowError(const char* message);
  void ShowWarning(const QString& text);
  // Takes the window's place and size into the settings.
  void TakeGeometry();
  // Writes the settings file with the window's place and size, unless it
  // could not be read at the start. A failure is told in a box once, when
  // `may_tell`, and on standard error otherwise.
  void WriteSettings(bool may_tell);

  Folders folders_;
  UrlOpener open_url_;
  // Kept between conversions; a list is read again when its file changed.
  FolderWordLists lists_;
  Settings settings_;
  StageRecord record_;
  std::u16string voicing_marks_;
  bool shown_before_ = false;
  // The settings file exists but could not be read: it is never written
  // over, so that nothing in it is lost.
  bool keep_settings_file_ = false;
  // A failure to save has been told (or the system folder's, which takes
  // the file with it); later ones are not.
  bool save_problem_told_ = false;
  HelpWindow* help_window_ = nullptr;

  QTabWidget* page_control1_;
  QWidget* tab_sheet1_;
  QSplitter* splitter1_;
  QWidget* panel1_;
  QWidget* panel2_;
  QWidget* panel3_;
  QWidget* panel4_;
  QList<QLabel*> row_labels_;
  QLineEdit* edit1_;
  QLineEdit* edit2_;
  QLineEdit* edit3_;
  QLineEdit* edit4_;
  QPushButton* speed_button1_;
  QPushButton* speed_button2_;
  QPushButton* speed_button3_;
  QPushButton* speed_button4_;
  QPushButton* speed_button5_;
  QPushButton* speed_button6_;
  QPushButton* speed_button7_;
  QPushButton* speed_button8_;
  QPushButton* speed_button9_;
  QPushButton* button1_;
  ZoomBrowser* web_browser1_;
  QCheckBox* check_box1_;
  QCheckBox* check_box2_;
  QCheckBox* check_box3_;
  QCheckBox* check_box4_;  // 語の間も続けて読む
  QCheckBox* check_box5_;  // 辞書で判断する
  QCheckBox* check_box6_;  // 数字・英字も読む
  std::shared_ptr<const WordKnowledge> dictionary_;
  std::function<QString()> dictionary_status_;
  QComboBox* combo_box1_;
  StyleBox* style_box_;
  std::unique_ptr<OtherReadingRow> other_row_;
  // The reading of the last 変換1 in the other style, where it differs.
  std::optional<OtherForm> other_;
  SpeechControls* speech_;
  QAction* copy_result_;
};

}  // namespace pimoru

#endif  // PIMORU_APP_MAIN_FRM_H_
