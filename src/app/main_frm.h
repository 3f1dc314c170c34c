// The main window: the four fields of a conversion, its two commands, the
// work report, the options and a bar of general commands.
//
// Controls keep the numbered names of the window's design (Edit1, the input
// Hangul; SpeedButton2, "変換1"; ...) as their object names, and each handler
// is named after its control and event.
#ifndef PIMORU_APP_MAIN_FRM_H_
#define PIMORU_APP_MAIN_FRM_H_

#include <QWidget>
#include <string>

#include "app/folders.h"
#include "app/help_window.h"
#include "app/settings.h"
#include "hangul/word_list.h"
#include "pipeline/stage_record.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTextBrowser;

namespace pimoru {

// Client sizes of the window: the compact view shows the four rows and the
// bar, the full view also the report and the options.
inline constexpr int kClientWidth = 634;
inline constexpr int kCompactHeight = 240;
inline constexpr int kFullHeight = 513;

// The address that "Google翻訳" opens in the desktop's web browser.
inline constexpr char kTranslatorAddress[] =
    "https://translate.google.com/?sl=ko&tl=ja";

class TMainFrm : public QWidget {
  Q_OBJECT

 public:
  // Creates the system folder (with a warning box when it cannot), reads the
  // settings and sets up the controls from them. `open_url` hands web
  // addresses and documents to the desktop.
  TMainFrm(Folders folders, UrlOpener open_url, QWidget* parent = nullptr);
  ~TMainFrm() override;

  // Showing the window first sets its caption, the compact size and, the
  // first time, its position.
  void setVisible(bool visible) override;

  const Folders& folders() const { return folders_; }
  const Settings& settings() const { return settings_; }
  const StageRecord& record() const { return record_; }
  const std::u16string& voicing_marks() const { return voicing_marks_; }
  // The window of help pages, once a help link has opened it.
  HelpWindow* help_window() const { return help_window_; }

  // "変換1": the input through the reading conversion into Edit2.
  void SpeedButton2Click();
  // "変換2": the reading into symbols and katakana, and the work report.
  void SpeedButton3Click();

 protected:
  // Closing saves the position and the options.
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormShow();
  void BuildControls();
  void PrepareFolders();
  void SetUpControls();
  void ConnectHandlers();

  void SpeedButton1Click(bool down);
  void SpeedButton4Click();
  void SpeedButton5Click();
  void SpeedButton6Click();
  void SpeedButton7Click();
  void SpeedButton8Click();
  void WebBrowser1AnchorClicked(const QUrl& link);

  void CopyField(QLineEdit* field);
  void ShowReport();
  void ShowError(const char* message);

  Folders folders_;
  UrlOpener open_url_;
  // Kept between conversions; a list is read again when its file changed.
  FolderWordLists lists_;
  Settings settings_;
  StageRecord record_;
  std::u16string voicing_marks_;
  bool shown_before_ = false;
  HelpWindow* help_window_ = nullptr;

  QTabWidget* page_control1_;
  QWidget* tab_sheet1_;
  QWidget* panel1_;
  QWidget* panel2_;
  QWidget* panel3_;
  QWidget* panel4_;
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
  QPushButton* button1_;
  QTextBrowser* web_browser1_;
  QCheckBox* check_box1_;
  QCheckBox* check_box2_;
  QCheckBox* check_box3_;
  QComboBox* combo_box1_;
};

}  // namespace pimoru

#endif  // PIMORU_APP_MAIN_FRM_H_
