#include "app/main_frm.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <exception>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "app/dialog_asker.h"
#include "app/fonts.h"
#include "hangul/jamo.h"
#include "hangul/word_list.h"
#include "pipeline/pipeline.h"
#include "render/transcription.h"
#include "report/work_report.h"

namespace pimoru {
namespace {

constexpr int kPanel2Height = 160;
constexpr int kPanel4Height = 100;
constexpr int kPanel1Height = 45;
constexpr int kRowButtonWidth = 45;
constexpr int kBarButtonWidth = 90;
constexpr int kButtonHeight = 28;

QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QString PathToQString(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

QPushButton* MakeButton(const QString& object_name, const QString& caption,
                        int width, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(object_name);
  button->setFixedSize(width, kButtonHeight);
  button->setAutoDefault(false);
  return button;
}

QLabel* MakeLabel(const QString& object_name, const QString& caption,
                  QWidget* parent) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(object_name);
  return label;
}

QWidget* MakePanel(const QString& object_name, QWidget* parent) {
  auto* panel = new QWidget(parent);
  panel->setObjectName(object_name);
  return panel;
}

bool IsEnter(const QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const int key = static_cast<const QKeyEvent*>(event)->key();
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

TMainFrm::TMainFrm(Folders folders, UrlOpener open_url, QWidget* parent)
    : QWidget(parent),
      folders_(std::move(folders)),
      open_url_(std::move(open_url)),
      lists_(folders_.KdatFolder()) {
  setObjectName(QStringLiteral("MainFrm"));
  setWindowTitle(QStringLiteral("ハングル ぴもる"));
  setFont(PixelFont(JapaneseFamilies(), 13));
  BuildControls();
  PrepareFolders();
  LoadSettings(folders_.SettingsPath(), settings_);
  SetUpControls();
  ConnectHandlers();
}

TMainFrm::~TMainFrm() = default;

void TMainFrm::BuildControls() {
  page_control1_ = new QTabWidget(this);
  page_control1_->setObjectName(QStringLiteral("PageControl1"));
  tab_sheet1_ = MakePanel(QStringLiteral("TabSheet1"), page_control1_);
  page_control1_->addTab(tab_sheet1_, QStringLiteral("ハングル→発音記号"));

  // Four rows: label, field, command. The fields take the width.
  panel2_ = MakePanel(QStringLiteral("Panel2"), tab_sheet1_);
  panel2_->setFixedHeight(kPanel2Height);
  auto* rows = new QGridLayout(panel2_);
  rows->setContentsMargins(6, 4, 6, 4);
  rows->setHorizontalSpacing(6);
  rows->setVerticalSpacing(4);
  auto add_row = [&](int row, const QString& label_name, const QString& caption,
                     const QString& edit_name, const QString& button_name,
                     const QString& button_caption, QLineEdit*& edit,
                     QPushButton*& button) {
    rows->addWidget(MakeLabel(label_name, caption, panel2_), row, 0);
    edit = new QLineEdit(panel2_);
    edit->setObjectName(edit_name);
    rows->addWidget(edit, row, 1);
    button = MakeButton(button_name, button_caption, kRowButtonWidth, panel2_);
    rows->addWidget(button, row, 2);
  };
  add_row(0, QStringLiteral("Label1"), QStringLiteral("ハングル："),
          QStringLiteral("Edit1"), QStringLiteral("SpeedButton2"),
          QStringLiteral("変換1"), edit1_, speed_button2_);
  add_row(1, QStringLiteral("Label2"), QStringLiteral("読みﾊﾝｸﾞﾙ："),
          QStringLiteral("Edit2"), QStringLiteral("SpeedButton3"),
          QStringLiteral("変換2"), edit2_, speed_button3_);
  add_row(2, QStringLiteral("Label3"), QStringLiteral("発音記号："),
          QStringLiteral("Edit3"), QStringLiteral("SpeedButton4"),
          QStringLiteral("copy"), edit3_, speed_button4_);
  add_row(3, QStringLiteral("Label4"), QStringLiteral("発音カナ："),
          QStringLiteral("Edit4"), QStringLiteral("SpeedButton5"),
          QStringLiteral("copy"), edit4_, speed_button5_);
  rows->setColumnStretch(1, 1);

  // The report above the usage note and the options; only in the full view.
  panel3_ = MakePanel(QStringLiteral("Panel3"), tab_sheet1_);
  web_browser1_ = new QTextBrowser(panel3_);
  web_browser1_->setObjectName(QStringLiteral("WebBrowser1"));
  web_browser1_->setOpenLinks(false);
  panel4_ = MakePanel(QStringLiteral("Panel4"), panel3_);
  panel4_->setFixedHeight(kPanel4Height);
  auto* note = new QGridLayout(panel4_);
  note->setContentsMargins(6, 2, 6, 2);
  note->setVerticalSpacing(0);
  note->addWidget(
      MakeLabel(QStringLiteral("Label5"), QStringLiteral("使い方："), panel4_),
      0, 0);
  note->addWidget(
      MakeLabel(
          QStringLiteral("Label6"),
          QStringLiteral("1.入力ハングルは分かち書き（半角）をして下さい。"),
          panel4_),
      1, 0);
  note->addWidget(
      MakeLabel(
          QStringLiteral("Label7"),
          QStringLiteral("2.息継ぎしない分かち書きは読みﾊﾝｸﾞﾙで消してね。"),
          panel4_),
      2, 0);
  note->addWidget(MakeLabel(QStringLiteral("Label8"),
                            QStringLiteral("オプション："), panel4_),
                  3, 0);
  check_box3_ = new QCheckBox(QStringLiteral("リアル文末表現"), panel4_);
  check_box3_->setObjectName(QStringLiteral("CheckBox3"));
  check_box1_ = new QCheckBox(QStringLiteral("N挿入もチェックする"), panel4_);
  check_box1_->setObjectName(QStringLiteral("CheckBox1"));
  check_box2_ = new QCheckBox(panel4_);
  check_box2_->setObjectName(QStringLiteral("CheckBox2"));
  combo_box1_ = new QComboBox(panel4_);
  combo_box1_->setObjectName(QStringLiteral("ComboBox1"));
  note->addWidget(check_box3_, 0, 1);
  note->addWidget(check_box1_, 1, 1);
  note->addWidget(check_box2_, 2, 1);
  auto* notation = new QHBoxLayout;
  notation->addWidget(MakeLabel(QStringLiteral("Label9"),
                                QStringLiteral("濃音の発音表示："), panel4_));
  notation->addWidget(combo_box1_);
  notation->addStretch();
  note->addLayout(notation, 3, 1);
  note->setColumnStretch(0, 1);
  note->setColumnStretch(1, 1);

  auto* report = new QVBoxLayout(panel3_);
  report->setContentsMargins(0, 0, 0, 0);
  report->setSpacing(0);
  report->addWidget(web_browser1_, 1);
  report->addWidget(panel4_);

  auto* page = new QVBoxLayout(tab_sheet1_);
  page->setContentsMargins(0, 0, 0, 0);
  page->setSpacing(0);
  page->addWidget(panel2_);
  page->addWidget(panel3_, 1);
  page->addStretch(0);
  panel3_->hide();

  // The bar of general commands.
  panel1_ = MakePanel(QStringLiteral("Panel1"), this);
  panel1_->setFixedHeight(kPanel1Height);
  speed_button1_ =
      MakeButton(QStringLiteral("SpeedButton1"), QStringLiteral("Option"),
                 kBarButtonWidth, panel1_);
  speed_button1_->setCheckable(true);
  speed_button7_ =
      MakeButton(QStringLiteral("SpeedButton7"), QStringLiteral("Google翻訳"),
                 kBarButtonWidth, panel1_);
  speed_button6_ =
      MakeButton(QStringLiteral("SpeedButton6"), QStringLiteral("Clear"),
                 kBarButtonWidth, panel1_);
  speed_button8_ =
      MakeButton(QStringLiteral("SpeedButton8"), QStringLiteral("Readme"),
                 kBarButtonWidth, panel1_);
  button1_ = MakeButton(QStringLiteral("Button1"), QStringLiteral("終了"),
                        kBarButtonWidth, panel1_);
  auto* bar = new QHBoxLayout(panel1_);
  bar->setContentsMargins(6, 0, 6, 0);
  bar->addWidget(speed_button1_);
  bar->addWidget(speed_button7_);
  bar->addWidget(speed_button6_);
  bar->addStretch(1);
  bar->addWidget(speed_button8_);
  bar->addWidget(button1_);

  auto* window = new QVBoxLayout(this);
  window->setContentsMargins(0, 0, 0, 0);
  window->setSpacing(0);
  window->addWidget(page_control1_, 1);
  window->addWidget(panel1_);
}

void TMainFrm::PrepareFolders() {
  if (CreateSystemFolder(folders_)) return;
  QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(),
                  QStringLiteral("システムフォルダが作れませんでした。"),
                  QMessageBox::Yes);
  box.exec();
}

void TMainFrm::SetUpControls() {
  const Options& options = settings_.options;
  check_box1_->setChecked(options.n_insert_flg);
  check_box3_->setChecked(options.e_real_flg);

  const QFont hangul = PointFont(HangulFamilies(), 14);
  struct FieldSetUp {
    QLineEdit* field;
    QFont font;
  };
  for (const auto& [field, font] :
       {FieldSetUp{edit1_, hangul}, FieldSetUp{edit2_, hangul},
        FieldSetUp{edit3_, PointFont(SymbolFamilies(), 13)},
        FieldSetUp{edit4_, PointFont(JapaneseFamilies(), 11)}}) {
    field->clear();
    field->setFont(font);
    field->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  }
  // The symbols are typed, if at all, letter by letter: no input method.
  edit3_->setAttribute(Qt::WA_InputMethodEnabled, false);

  check_box2_->setText(QStringLiteral("ㅎの弱音化を無音化にする"));
  check_box2_->setChecked(options.h_strong_flg);

  combo_box1_->setEditable(false);
  combo_box1_->setFont(PointFont(JapaneseFamilies(), 9));
  combo_box1_->addItems({QStringLiteral("子音前に上付き声門閉鎖"),
                         QStringLiteral("子音前にアポストロフィ"),
                         QStringLiteral("子音後にアポストロフィ")});
  const bool known = options.noon_idx >= 0 && options.noon_idx <= 2;
  combo_box1_->setCurrentIndex(known ? options.noon_idx : -1);
}

void TMainFrm::ConnectHandlers() {
  edit1_->installEventFilter(this);
  edit2_->installEventFilter(this);
  connect(speed_button2_, &QPushButton::clicked, this,
          &TMainFrm::SpeedButton2Click);
  connect(speed_button3_, &QPushButton::clicked, this,
          &TMainFrm::SpeedButton3Click);
  connect(speed_button4_, &QPushButton::clicked, this,
          &TMainFrm::SpeedButton4Click);
  connect(speed_button5_, &QPushButton::clicked, this,
          &TMainFrm::SpeedButton5Click);
  connect(speed_button1_, &QPushButton::toggled, this,
          &TMainFrm::SpeedButton1Click);
  connect(speed_button6_, &QPushButton::clicked, this,
          &TMainFrm::SpeedButton6Click);
  connect(speed_button7_, &QPushButton::clicked, this,
          &TMainFrm::SpeedButton7Click);
  connect(speed_button8_, &QPushButton::clicked, this,
          &TMainFrm::SpeedButton8Click);
  connect(button1_, &QPushButton::clicked, this, &QWidget::close);
  connect(check_box1_, &QCheckBox::toggled, this,
          [this](bool on) { settings_.options.n_insert_flg = on; });
  connect(check_box2_, &QCheckBox::toggled, this,
          [this](bool on) { settings_.options.h_strong_flg = on; });
  connect(check_box3_, &QCheckBox::toggled, this,
          [this](bool on) { settings_.options.e_real_flg = on; });
  connect(combo_box1_, &QComboBox::currentIndexChanged, this,
          [this](int index) {
            if (index >= 0) settings_.options.noon_idx = index;
          });
  connect(web_browser1_, &QTextBrowser::anchorClicked, this,
          &TMainFrm::WebBrowser1AnchorClicked);
}

void TMainFrm::setVisible(bool visible) {
  // Set up before the window appears, so it never shows in the wrong place
  // or size first.
  if (visible && !isVisible()) FormShow();
  QWidget::setVisible(visible);
}

void TMainFrm::FormShow() {
  setWindowTitle(QStringLiteral("ハングル ぴもる"));
  speed_button1_->setChecked(false);
  SpeedButton1Click(false);
  resize(kClientWidth, kCompactHeight);
  if (shown_before_) return;
  shown_before_ = true;
  // The stored position is used once, at the first show; a negative left
  // edge (never stored, or unreadable) centres the window.
  if (settings_.main_left < 0) {
    const QScreen* screen =
        this->screen() ? this->screen() : QApplication::primaryScreen();
    const QRect area = screen->geometry();
    const QSize frame = frameGeometry().size() - geometry().size();
    const int width = kClientWidth + frame.width();
    const int height = kCompactHeight + frame.height();
    move(area.x() + (area.width() - width) / 2,
         area.y() + (area.height() - height) / 2);
  } else {
    move(settings_.main_left, settings_.main_top);
  }
}

void TMainFrm::closeEvent(QCloseEvent* event) {
  if (help_window_ != nullptr) help_window_->close();
  settings_.main_left = frameGeometry().x();
  settings_.main_top = frameGeometry().y();
  // A system folder that could not be made cannot take the file either; the
  // start-up warning has already said so.
  SaveSettings(folders_.SettingsPath(), settings_);
  event->accept();
}

bool TMainFrm::eventFilter(QObject* watched, QEvent* event) {
  if ((watched == edit1_ || watched == edit2_) && IsEnter(event)) {
    if (watched == edit1_) {
      SpeedButton2Click();
    } else {
      SpeedButton3Click();
    }
    return true;  // the key itself goes nowhere
  }
  return QWidget::eventFilter(watched, event);
}

void TMainFrm::SpeedButton2Click() {
  try {
    // An edited list takes effect now: the lists look at their files.
    DialogAsker asker(this);
    const std::u16string reading =
        RunPipeline(edit1_->text().toStdU16String(), settings_.options, lists_,
                    asker, record_);
    edit2_->setText(ToQString(reading));
    edit2_->setFocus();
    edit2_->deselect();
    edit2_->setCursorPosition(static_cast<int>(edit2_->text().size()));
  } catch (const std::exception& e) {
    ShowError(e.what());
  }
}

void TMainFrm::SpeedButton3Click() {
  try {
    const std::u16string input = Trim(edit1_->text().toStdU16String());
    const std::u16string reading = Trim(edit2_->text().toStdU16String());
    const Transcription transcription =
        Transcribe(reading, settings_.options.noon_idx, record_);
    voicing_marks_ = transcription.voicing_marks;
    edit3_->setText(ToQString(Trim(transcription.symbols)));
    edit4_->setText(ToQString(Trim(transcription.kana)));
    if (reading.empty()) return;
    // Writes nothing for an empty input; an earlier page is then shown again.
    const Conversion conversion{input, reading, transcription, record_};
    WriteWorkReport(folders_.WorkReportPath(), conversion,
                    folders_.HtmlFolder());
    ShowReport();
  } catch (const std::exception& e) {
    ShowError(e.what());
  }
}

void TMainFrm::ShowReport() {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(folders_.WorkReportPath(), ec)) return;
  const QUrl page =
      QUrl::fromLocalFile(PathToQString(folders_.WorkReportPath()));
  if (web_browser1_->source() == page) {
    web_browser1_->reload();
  } else {
    web_browser1_->setSource(page);
  }
}

void TMainFrm::ShowError(const char* message) {
  QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(),
                  QString::fromUtf8(message), QMessageBox::Ok, this);
  box.exec();
}

void TMainFrm::SpeedButton1Click(bool down) {
  // The report and the options are shown or pushed out of sight; the
  // layout is settled first so the new height is not held to the old
  // minimum.
  panel3_->setVisible(down);
  layout()->activate();
  speed_button1_->setText(down ? QStringLiteral("Close")
                               : QStringLiteral("Option"));
  resize(width(), down ? kFullHeight : kCompactHeight);
}

void TMainFrm::CopyField(QLineEdit* field) {
  field->setFocus();
  field->selectAll();
  field->copy();
}

void TMainFrm::SpeedButton4Click() { CopyField(edit3_); }

void TMainFrm::SpeedButton5Click() { CopyField(edit4_); }

void TMainFrm::SpeedButton6Click() {
  if (page_control1_->currentIndex() != 0) return;
  for (QLineEdit* field : {edit1_, edit2_, edit3_, edit4_}) field->clear();
  edit1_->setFocus();
}

void TMainFrm::SpeedButton7Click() {
  // Whether a browser opened is not checked: there is nothing to add.
  open_url_(QUrl(QString::fromLatin1(kTranslatorAddress)));
}

void TMainFrm::SpeedButton8Click() {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(folders_.ReadmePath(), ec)) return;
  open_url_(QUrl::fromLocalFile(PathToQString(folders_.ReadmePath())));
}

void TMainFrm::WebBrowser1AnchorClicked(const QUrl& link) {
  switch (ClassifyLink(web_browser1_->source(), link)) {
    case LinkTarget::kInPage:
      web_browser1_->scrollToAnchor(link.fragment());
      break;
    case LinkTarget::kLocal:
      if (help_window_ == nullptr)
        help_window_ = new HelpWindow(open_url_, this);
      help_window_->ShowPage(web_browser1_->source().resolved(link));
      break;
    case LinkTarget::kExternal:
      open_url_(link);
      break;
  }
}

}  // namespace pimoru
