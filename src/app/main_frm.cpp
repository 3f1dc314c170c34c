#include "app/main_frm.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QUrlQuery>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>

#include "app/dialog_asker.h"
#include "app/fonts.h"
#include "app/qt_japanese.h"
#include "app/reading_styles.h"
#include "app/speech_controls.h"
#include "app/system_reason.h"
#include "app/zoom_browser.h"
#include "hangul/jamo.h"
#include "hangul/word_list.h"
#include "pipeline/pipeline.h"
#include "render/transcription.h"
#include "report/work_report.h"

namespace pimoru {
namespace {

constexpr int kPanel4Height = 100;
constexpr int kPanel1Height = 45;
constexpr int kBarButtonWidth = 90;
// Sizes of the four rows at the zoom of 100 %; the bar and the options
// below the report keep theirs.
constexpr int kRowButtonWidth = 45;
constexpr int kButtonHeight = 28;
constexpr int kLabelPixels = 13;

// The fonts of the four fields at the zoom of 100 %.
struct FieldFont {
  QStringList (*families)();
  int points;
};
constexpr FieldFont kHangulFieldFont = {HangulFamilies, 14};
constexpr FieldFont kSymbolFieldFont = {SymbolFamilies, 13};
constexpr FieldFont kKanaFieldFont = {JapaneseFamilies, 11};

// In the report's place while the input has changed since it was made.
constexpr char16_t kReportOutdated[] =
    u"入力が変わりました。変換1・変換2で新しい作業レポートを作ります。";

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

QLineEdit* MakeField(const QString& object_name, QWidget* parent) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(object_name);
  field->setMaxLength(kFieldMaxLength);
  field->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  return field;
}

bool IsEnter(const QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const int key = static_cast<const QKeyEvent*>(event)->key();
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// How far apart two ranges [a, a + a_size) and [b, b + b_size) lie; 0 when
// they overlap.
std::int64_t Gap(std::int64_t a, std::int64_t a_size, std::int64_t b,
                 std::int64_t b_size) {
  return std::max<std::int64_t>({0, b - (a + a_size), a - (b + b_size)});
}

std::int64_t Overlap(std::int64_t a, std::int64_t a_size, std::int64_t b,
                     std::int64_t b_size) {
  return std::max<std::int64_t>(
      0, std::min(a + a_size, b + b_size) - std::max(a, b));
}

// `a` moved just far enough for [a, a + size) to lie in [b, b + b_size), or
// to b when it is the larger.
int Inside(std::int64_t a, std::int64_t size, std::int64_t b,
           std::int64_t b_size) {
  return static_cast<int>(std::max(b, std::min(a, b + b_size - size)));
}

// The available areas of every screen, without task bars and docks.
QList<QRect> ScreenAreas() {
  QList<QRect> areas;
  for (const QScreen* screen : QGuiApplication::screens()) {
    areas.push_back(screen->availableGeometry());
  }
  return areas;
}

// A box with an address that could not be opened, to be copied from.
void ShowAddress(const QUrl& address, QWidget* parent) {
  QDialog box(parent);
  box.setObjectName(QStringLiteral("AddressBox"));
  box.setWindowTitle(QApplication::applicationDisplayName());
  auto* note = new QLabel(QStringLiteral("ウェブブラウザを開けませんでした。"
                                         "次のアドレスをブラウザで開いて"
                                         "ください。"),
                          &box);
  auto* field = new QLineEdit(&box);
  field->setObjectName(QStringLiteral("Address"));
  field->setReadOnly(true);
  field->setMaxLength(kFieldMaxLength);
  field->setText(address.toString(QUrl::FullyEncoded));
  field->setCursorPosition(0);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &box);
  QPushButton* copy = buttons->addButton(QStringLiteral("アドレスをコピー"),
                                         QDialogButtonBox::ActionRole);
  copy->setObjectName(QStringLiteral("CopyAddress"));
  QObject::connect(copy, &QPushButton::clicked, &box, [field] {
    QApplication::clipboard()->setText(field->text());
  });
  QObject::connect(buttons, &QDialogButtonBox::rejected, &box,
                   &QDialog::reject);
  auto* layout = new QVBoxLayout(&box);
  layout->addWidget(note);
  layout->addWidget(field);
  layout->addWidget(buttons);
  box.resize(480, box.sizeHint().height());
  box.exec();
}

}  // namespace

QUrl TranslatorUrl(const QString& hangul) {
  QUrl url(QString::fromLatin1(kTranslatorAddress));
  if (hangul.isEmpty()) return url;
  QString text = hangul.left(kTranslatorTextLimit);
  if (!text.isEmpty() && text.back().isHighSurrogate()) text.chop(1);
  QUrlQuery query(url);
  query.addQueryItem(QStringLiteral("text"), text);
  query.addQueryItem(QStringLiteral("op"), QStringLiteral("translate"));
  url.setQuery(query);
  return url;
}

QPoint PlaceOnScreens(QPoint top_left, QSize size, const QList<QRect>& areas) {
  const std::int64_t x = top_left.x();
  const std::int64_t y = top_left.y();
  const std::int64_t width = std::max(size.width(), 1);
  const std::int64_t height = std::max(size.height(), 1);
  std::int64_t covered = 0;
  const QRect* best = nullptr;
  std::int64_t best_overlap = 0;
  std::int64_t best_gap = 0;
  for (const QRect& area : areas) {
    const std::int64_t overlap = Overlap(x, width, area.x(), area.width()) *
                                 Overlap(y, height, area.y(), area.height());
    const std::int64_t gap = Gap(x, width, area.x(), area.width()) +
                             Gap(y, height, area.y(), area.height());
    covered += overlap;
    if (best == nullptr || overlap > best_overlap ||
        (overlap == 0 && best_overlap == 0 && gap < best_gap)) {
      best = &area;
      best_overlap = overlap;
      best_gap = gap;
    }
  }
  if (best == nullptr || covered >= width * height) return top_left;
  return {Inside(x, width, best->x(), best->width()),
          Inside(y, height, best->y(), best->height())};
}

TMainFrm::TMainFrm(Folders folders, UrlOpener open_url, QWidget* parent)
    : QWidget(parent),
      folders_(std::move(folders)),
      open_url_(std::move(open_url)),
      lists_(folders_.KdatFolder()) {
  setObjectName(QStringLiteral("MainFrm"));
  UseJapaneseQtStrings();
  setWindowTitle(QStringLiteral("ハングル ぴもる"));
  setFont(PixelFont(JapaneseFamilies(), kLabelPixels));
  BuildControls();
  PrepareFolders();
  ReadSettings();
  SetUpControls();
  ConnectHandlers();
}

TMainFrm::~TMainFrm() = default;

void TMainFrm::BuildControls() {
  page_control1_ = new QTabWidget(this);
  page_control1_->setObjectName(QStringLiteral("PageControl1"));
  // The one tab is never chosen: typing goes to the fields, not to it.
  page_control1_->tabBar()->setFocusPolicy(Qt::NoFocus);
  tab_sheet1_ = MakePanel(QStringLiteral("TabSheet1"), page_control1_);
  page_control1_->addTab(tab_sheet1_, QStringLiteral("ハングル→発音記号"));

  BuildRows();
  BuildReport();
  // The rows above, the report below: the line between them can be moved,
  // so the report takes the height the user wants.
  splitter1_ = new QSplitter(Qt::Vertical, tab_sheet1_);
  splitter1_->setObjectName(QStringLiteral("Splitter1"));
  splitter1_->setChildrenCollapsible(false);
  splitter1_->addWidget(panel2_);
  splitter1_->addWidget(panel3_);
  splitter1_->setStretchFactor(0, 0);
  splitter1_->setStretchFactor(1, 1);
  auto* page = new QVBoxLayout(tab_sheet1_);
  page->setContentsMargins(0, 0, 0, 0);
  page->setSpacing(0);
  page->addWidget(splitter1_);
  panel3_->hide();

  BuildBar();
  auto* window = new QVBoxLayout(this);
  window->setContentsMargins(0, 0, 0, 0);
  window->setSpacing(0);
  window->addWidget(page_control1_, 1);
  window->addWidget(panel1_);

  copy_result_ = new QAction(QStringLiteral("結果をまとめてコピー"), this);
  copy_result_->setObjectName(QStringLiteral("CopyResult"));
}

void TMainFrm::BuildRows() {
  // Four rows: label, field, then the conversion's command and the copy
  // button, each in a column of its own. The fields take the width.
  panel2_ = MakePanel(QStringLiteral("Panel2"), tab_sheet1_);
  auto* rows = new QGridLayout(panel2_);
  rows->setContentsMargins(6, 4, 6, 4);
  rows->setHorizontalSpacing(6);
  rows->setVerticalSpacing(4);
  struct Row {
    const char* label_name;
    const char* caption;
    const char* edit_name;
    QLineEdit** edit;
    const char* command_name;  // nullptr: no command
    const char* command_caption;
    QPushButton** command;
    const char* copy_name;  // nullptr: no copy button
    QPushButton** copy;
  };
  const Row kRows[] = {
      {"Label1", "ハングル：", "Edit1", &edit1_, "SpeedButton2", "変換1",
       &speed_button2_, nullptr, nullptr},
      {"Label2", "読みﾊﾝｸﾞﾙ：", "Edit2", &edit2_, "SpeedButton3", "変換2",
       &speed_button3_, "SpeedButton9", &speed_button9_},
      {"Label3", "発音記号：", "Edit3", &edit3_, nullptr, nullptr, nullptr,
       "SpeedButton4", &speed_button4_},
      {"Label4", "発音カナ：", "Edit4", &edit4_, nullptr, nullptr, nullptr,
       "SpeedButton5", &speed_button5_},
  };
  int row = 0;
  for (const Row& r : kRows) {
    QLabel* label = MakeLabel(QString::fromLatin1(r.label_name),
                              QString::fromUtf8(r.caption), panel2_);
    row_labels_.push_back(label);
    rows->addWidget(label, row, 0);
    *r.edit = MakeField(QString::fromLatin1(r.edit_name), panel2_);
    rows->addWidget(*r.edit, row, 1, 1, r.command_name != nullptr ? 1 : 2);
    if (r.command_name != nullptr) {
      *r.command = MakeButton(QString::fromLatin1(r.command_name),
                              QString::fromUtf8(r.command_caption),
                              kRowButtonWidth, panel2_);
      rows->addWidget(*r.command, row, 2);
    }
    if (r.copy_name != nullptr) {
      *r.copy = MakeButton(QString::fromLatin1(r.copy_name),
                           QStringLiteral("copy"), kRowButtonWidth, panel2_);
      rows->addWidget(*r.copy, row, 3);
    }
    ++row;
  }
  // ▶ speaks the reading: at the end of its field, so the columns stay.
  speech_ = new SpeechControls(panel2_);
  auto* reading = new QHBoxLayout;
  rows->removeWidget(edit2_);
  reading->addWidget(edit2_);
  reading->addWidget(speech_->play_button());
  rows->addLayout(reading, 1, 1);
  other_row_ = std::make_unique<OtherReadingRow>(rows, row++, 1, panel2_);
  rows->setColumnStretch(1, 1);
  // Height beyond the rows' own, when the line to the report is moved
  // down, stays below them.
  rows->setRowStretch(row, 1);
}

void TMainFrm::BuildReport() {
  // The report above the usage note and the options; only in the full view.
  panel3_ = MakePanel(QStringLiteral("Panel3"), tab_sheet1_);
  web_browser1_ = new ZoomBrowser(panel3_);
  web_browser1_->setObjectName(QStringLiteral("WebBrowser1"));
  web_browser1_->setOpenLinks(false);
  panel4_ = MakePanel(QStringLiteral("Panel4"), panel3_);
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
  check_box4_ = new QCheckBox(QStringLiteral("語の間も続けて読む"), panel4_);
  check_box4_->setObjectName(QStringLiteral("CheckBox4"));
  check_box4_->setToolTip(QStringLiteral(
      "一息に話すように、スペースをはさんだ語の間でも連音化・激音化・"
      "鼻音化などを行います（句読点では区切ります）。"));
  check_box5_ = new QCheckBox(QStringLiteral("辞書で判断する"), panel4_);
  check_box5_->setObjectName(QStringLiteral("CheckBox5"));
  check_box5_->setToolTip(QStringLiteral(
      "漢字語か、未来連体形かなど、辞書で分かる質問は辞書が答えます。"
      "分からない質問だけを、辞書の見当を既定のボタンにして聞きます。"));
  check_box6_ = new QCheckBox(QStringLiteral("数字・英字も読む"), panel4_);
  check_box6_->setObjectName(QStringLiteral("CheckBox6"));
  check_box6_->setToolTip(QStringLiteral(
      "3시 → 세 시、100명 → 백 명、KTX → 케이티엑스 のように、数字・単位・"
      "大文字の略語をハングルに読み下してから発音規則をかけます。"));
  combo_box1_ = new QComboBox(panel4_);
  combo_box1_->setObjectName(QStringLiteral("ComboBox1"));
  note->addWidget(check_box3_, 0, 1);
  note->addWidget(check_box1_, 1, 1);
  note->addWidget(check_box2_, 2, 1);
  // Two to a line, so that the panel keeps its height.
  auto* reading_options = new QHBoxLayout;
  reading_options->addWidget(check_box4_);
  reading_options->addWidget(check_box6_);
  reading_options->addStretch();
  note->addLayout(reading_options, 3, 1);
  note->addWidget(check_box5_, 4, 1);
  auto* notation = new QHBoxLayout;
  notation->addWidget(MakeLabel(QStringLiteral("Label9"),
                                QStringLiteral("濃音の発音表示："), panel4_));
  notation->addWidget(combo_box1_);
  notation->addStretch();
  note->addLayout(notation, 5, 1);
  // Below the usage note, the preset of the options of everyday speech.
  style_box_ = new StyleBox({check_box2_, check_box3_}, panel4_);
  auto* style = new QHBoxLayout;
  style->addWidget(MakeLabel(QStringLiteral("StyleLabel"),
                             QStringLiteral("発音の基準："), panel4_));
  style->addWidget(style_box_);
  style->addStretch();
  note->addLayout(style, 4, 0);
  note->addWidget(speech_->speed_box(), 5, 0);
  note->setColumnStretch(0, 1);
  note->setColumnStretch(1, 1);
  panel4_->setFixedHeight(kPanel4Height);

  auto* report = new QVBoxLayout(panel3_);
  report->setContentsMargins(0, 0, 0, 0);
  report->setSpacing(0);
  report->addWidget(web_browser1_, 1);
  report->addWidget(panel4_);
}

void TMainFrm::BuildBar() {
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
}

void TMainFrm::PrepareFolders() {
  const FileProblem problem = CreateSystemFolder(folders_);
  if (!problem) return;
  // The settings and the report have nowhere to go; that is said here once.
  save_problem_told_ = true;
  QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(),
                  QStringLiteral("システムフォルダが作れませんでした。\n%1\n%2")
                      .arg(PathToQString(folders_.system_folder),
                           QString::fromStdString(ReasonLine(problem))),
                  QMessageBox::Yes);
  box.exec();
}

void TMainFrm::ReadSettings() {
  const FileProblem problem = LoadSettings(folders_.SettingsPath(), settings_);
  if (!problem) return;
  keep_settings_file_ = true;
  ShowWarning(
      QStringLiteral("設定ファイルを読めませんでした。既定の設定で始めます。"
                     "このファイルには書き込みません。\n%1\n%2")
          .arg(PathToQString(folders_.SettingsPath()),
               QString::fromStdString(ReasonLine(problem))));
}

void TMainFrm::SetUpControls() {
  const Options& options = settings_.options;
  check_box1_->setChecked(options.n_insert_flg);
  check_box3_->setChecked(options.e_real_flg);

  // The symbols are typed, if at all, letter by letter: no input method.
  edit3_->setAttribute(Qt::WA_InputMethodEnabled, false);

  check_box2_->setText(QStringLiteral("ㅎの弱音化を無音化にする"));
  check_box2_->setChecked(options.h_strong_flg);
  check_box4_->setChecked(options.phrase_flg);
  check_box6_->setChecked(options.read_numbers_flg);
  check_box5_->setChecked(settings_.dict_flg);
  check_box5_->setEnabled(dictionary_ != nullptr);

  combo_box1_->setEditable(false);
  combo_box1_->setFont(PointFont(JapaneseFamilies(), 9));
  combo_box1_->addItems({QStringLiteral("子音前に上付き声門閉鎖"),
                         QStringLiteral("子音前にアポストロフィ"),
                         QStringLiteral("子音後にアポストロフィ")});
  // The items stand in the order of the notations' numbers.
  combo_box1_->setCurrentIndex(IsKnownNotation(options.notation)
                                   ? static_cast<int>(options.notation)
                                   : -1);
  speech_->SetSpeedIndex(settings_.speech_speed_idx);

  ApplyZoom();
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
  connect(speed_button9_, &QPushButton::clicked, this,
          &TMainFrm::SpeedButton9Click);
  connect(speed_button1_, &QPushButton::toggled, this,
          &TMainFrm::SpeedButton1Click);
  connect(speed_button6_, &QPushButton::clicked, this,
          &TMainFrm::SpeedButton6Click);
  connect(speed_button7_, &QPushButton::clicked, this,
          &TMainFrm::SpeedButton7Click);
  connect(speed_button8_, &QPushButton::clicked, this,
          &TMainFrm::SpeedButton8Click);
  connect(button1_, &QPushButton::clicked, this, &QWidget::close);
  // Every change of an option is saved at once, so that no way of ending
  // the program loses it.
  auto option = [this](bool Options::*flag) {
    return [this, flag](bool on) {
      settings_.options.*flag = on;
      WriteSettings(/*may_tell=*/true);
    };
  };
  connect(check_box1_, &QCheckBox::toggled, this,
          option(&Options::n_insert_flg));
  connect(check_box2_, &QCheckBox::toggled, this,
          option(&Options::h_strong_flg));
  connect(check_box3_, &QCheckBox::toggled, this, option(&Options::e_real_flg));
  connect(check_box4_, &QCheckBox::toggled, this, option(&Options::phrase_flg));
  connect(check_box6_, &QCheckBox::toggled, this,
          option(&Options::read_numbers_flg));
  connect(check_box5_, &QCheckBox::toggled, this, [this](bool on) {
    settings_.dict_flg = on;
    WriteSettings(/*may_tell=*/true);
  });
  connect(combo_box1_, &QComboBox::currentIndexChanged, this,
          [this](int index) {
            if (index < 0) return;
            settings_.options.notation = static_cast<Notation>(index);
            WriteSettings(/*may_tell=*/true);
          });
  connect(web_browser1_, &QTextBrowser::anchorClicked, this,
          &TMainFrm::WebBrowser1AnchorClicked);
  connect(edit1_, &QLineEdit::textEdited, this, &TMainFrm::Edit1Edited);
  connect(edit2_, &QLineEdit::textEdited, this, &TMainFrm::Edit2Edited);
  connect(speech_, &SpeechControls::PlayRequested, this,
          &TMainFrm::SpeakReading);
  connect(speech_, &SpeechControls::SpeedChanged, this, [this](int index) {
    settings_.speech_speed_idx = index;
    WriteSettings(/*may_tell=*/true);
  });
  connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Space), this),
          &QShortcut::activated, speech_, &SpeechControls::Toggle);

  for (QLineEdit* field : {edit1_, edit2_, edit3_, edit4_}) {
    field->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(field, &QWidget::customContextMenuRequested, this,
            [this, field](const QPoint& position) {
              FieldContextMenu(field, position);
            });
  }
  panel2_->setContextMenuPolicy(Qt::ActionsContextMenu);
  panel2_->addAction(copy_result_);
  connect(copy_result_, &QAction::triggered, this, &TMainFrm::CopyResult);
  for (QLineEdit* field : {edit2_, edit3_, edit4_}) {
    connect(field, &QLineEdit::textChanged, this, &TMainFrm::UpdateCopyResult);
  }
  UpdateCopyResult();

  struct ZoomKey {
    QKeySequence keys;
    int step;  // 0: back to 100 %
  };
  for (const auto& [keys, step] :
       {ZoomKey{QKeySequence::ZoomIn, 1},
        ZoomKey{QKeySequence(Qt::CTRL | Qt::Key_Equal), 1},
        ZoomKey{QKeySequence::ZoomOut, -1},
        ZoomKey{QKeySequence(Qt::CTRL | Qt::Key_0), 0}}) {
    auto* shortcut = new QShortcut(keys, this);
    connect(shortcut, &QShortcut::activated, this,
            [this, step = step] { Zoom(step); });
  }
}

void TMainFrm::setVisible(bool visible) {
  // Set up before the window appears, so it never shows in the wrong place
  // or size first.
  const bool first_show = visible && !shown_before_;
  if (visible && !isVisible()) FormShow();
  QWidget::setVisible(visible);
  // Where the window system has framed the window by now, the frame is
  // brought onto the screen too.
  if (first_show && settings_.main_left >= 0) {
    move(PlaceOnScreens(frameGeometry().topLeft(), frameGeometry().size(),
                        ScreenAreas()));
  }
}

void TMainFrm::FormShow() {
  setWindowTitle(QStringLiteral("ハングル ぴもる"));
  if (shown_before_) return;
  shown_before_ = true;
  {
    const QSignalBlocker quiet(speed_button1_);
    speed_button1_->setChecked(settings_.option_open_flg);
  }
  resize(settings_.main_width > 0 ? settings_.main_width : kClientWidth,
         height());
  SetFullView(settings_.option_open_flg);
  edit1_->setFocus();

  // The stored position is used once, at the first show; a negative left
  // edge (never stored, or unreadable) centres the window.
  const QSize frame_size = frameGeometry().size();
  if (settings_.main_left < 0) {
    const QScreen* screen =
        this->screen() ? this->screen() : QApplication::primaryScreen();
    const QRect area = screen->geometry();
    move(area.x() + (area.width() - frame_size.width()) / 2,
         area.y() + (area.height() - frame_size.height()) / 2);
  } else {
    // A place on a screen that is gone, or far off any, is brought back.
    move(PlaceOnScreens({settings_.main_left, settings_.main_top}, frame_size,
                        ScreenAreas()));
  }
}

void TMainFrm::TakeGeometry() {
  if (!shown_before_) return;
  // A maximised or minimised window keeps the place it had before.
  if (windowState() &
      (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)) {
    return;
  }
  settings_.main_left = frameGeometry().x();
  settings_.main_top = frameGeometry().y();
  settings_.main_width = width();
  if (panel3_->isVisible()) settings_.main_height = height();
}

void TMainFrm::WriteSettings(bool may_tell) {
  if (keep_settings_file_) return;
  TakeGeometry();
  const FileProblem problem = SaveSettings(folders_.SettingsPath(), settings_);
  if (!problem || save_problem_told_) return;
  save_problem_told_ = true;
  const QString text = QStringLiteral("設定を保存できませんでした。\n%1\n%2")
                           .arg(PathToQString(folders_.SettingsPath()),
                                QString::fromStdString(ReasonLine(problem)));
  if (may_tell) {
    ShowWarning(text);
  } else {
    std::fprintf(stderr, "pimoru: %s\n", text.toUtf8().constData());
  }
}

void TMainFrm::SaveState() { WriteSettings(/*may_tell=*/false); }

void TMainFrm::closeEvent(QCloseEvent* event) {
  if (help_window_ != nullptr) help_window_->close();
  WriteSettings(/*may_tell=*/true);
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
    // With the dictionary switched off, every question is asked, with what
    // it knows of the word beside it.
    DialogAsker dialog(this);
    std::optional<KnowingAsker> knowing;
    std::optional<SuggestingAsker> suggesting;
    if (dictionary_ != nullptr && settings_.dict_flg) {
      knowing.emplace(*dictionary_, dialog);
    } else if (dictionary_ != nullptr) {
      suggesting.emplace(*dictionary_, dialog);
    }
    Asker& asker = knowing      ? static_cast<Asker&>(*knowing)
                   : suggesting ? static_cast<Asker&>(*suggesting)
                                : dialog;
    const std::u16string reading =
        RunPipeline(edit1_->text().toStdU16String(), settings_.options, lists_,
                    asker, record_);
    // The other style answers as this conversion did; what it alone asks,
    // the dictionary decides or it is No, without a box.
    FixedAsker no(false);
    std::optional<KnowingAsker> quiet;
    if (dictionary_ != nullptr) quiet.emplace(*dictionary_, no);
    other_ =
        OtherFormOf(edit1_->text().toStdU16String(), settings_.options, reading,
                    lists_, record_, quiet ? static_cast<Asker&>(*quiet) : no);
    ShowOtherForm();
    edit2_->setText(ToQString(reading));
    SetStale(edit2_, false);
    // The symbols, the kana and the report are still those of the reading
    // before.
    SetStale(edit3_, true);
    SetStale(edit4_, true);
    ClearReport(QString::fromUtf16(kReportOutdated));
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
        Transcribe(reading, settings_.options.notation, record_);
    voicing_marks_ = transcription.voicing_marks;
    // A long line is shown from its start, as it is read.
    edit3_->setText(ToQString(Trim(transcription.symbols)));
    edit3_->setCursorPosition(0);
    edit4_->setText(ToQString(Trim(transcription.kana)));
    edit4_->setCursorPosition(0);
    SetStale(edit3_, false);
    SetStale(edit4_, false);
    if (other_row_->shown()) {
      StageRecord scratch;
      other_row_->SetKana(ToQString(
          Trim(Transcribe(other_->reading, settings_.options.notation, scratch)
                   .kana)));
    }
    // Without an input there is no report to make, and the one shown last
    // belongs to another input.
    if (reading.empty() || input.empty()) {
      ClearReport(QString());
      return;
    }
    const Conversion conversion{input, reading, transcription, record_, other_};
    WriteWorkReport(
        folders_.WorkReportPath(), conversion, folders_.HtmlFolder(),
        speech_->Ready() ? SyllableLinks::kSpeak : SyllableLinks::kNone);
    ShowReport();
  } catch (const std::exception& e) {
    ShowError(e.what());
  }
}

void TMainFrm::Edit1Edited() {
  for (QLineEdit* field :
       {edit2_, edit3_, edit4_, other_row_->reading(), other_row_->kana()}) {
    SetStale(field, true);
  }
  ClearReport(QString::fromUtf16(kReportOutdated));
}

void TMainFrm::Edit2Edited() {
  SetStale(edit3_, true);
  SetStale(edit4_, true);
}

void TMainFrm::ShowOtherForm() {
  QLabel* reading_label = row_labels_[1];
  if (other_) {
    other_row_->Show(*other_);
    SetStale(other_row_->reading(), false);
    SetStale(other_row_->kana(), false);
    const std::u16string_view name = ReadingName(
        other_->style == SpeechStyle::kTextbook ? SpeechStyle::kEveryday
                                                : SpeechStyle::kTextbook);
    reading_label->setText(ToQString(name) + QStringLiteral("："));
  } else {
    other_row_->Hide();
    reading_label->setText(QStringLiteral("読みﾊﾝｸﾞﾙ："));
  }
  // The compact view takes the height of its rows.
  if (shown_before_) SetFullView(panel3_->isVisible());
}

void TMainFrm::SetStale(QLineEdit* field, bool stale) {
  if (field->property("stale").toBool() == stale) return;
  field->setProperty("stale", stale);
  if (!stale) {
    field->setPalette(QPalette());
    field->setToolTip(QString());
    return;
  }
  QPalette grey = field->palette();
  grey.setColor(QPalette::Text, grey.color(QPalette::Disabled, QPalette::Text));
  field->setPalette(grey);
  field->setToolTip(
      QStringLiteral("前の入力の結果です。変換し直してください。"));
}

void TMainFrm::ClearReport(const QString& note) {
  if (web_browser1_->showing_note() && web_browser1_->toPlainText() == note) {
    return;
  }
  web_browser1_->ShowNote(note);
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
                  QString::fromStdString(ErrorBoxText(message)),
                  QMessageBox::Ok, this);
  box.exec();
}

void TMainFrm::ShowWarning(const QString& text) {
  QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(),
                  text, QMessageBox::Ok, isVisible() ? this : nullptr);
  box.exec();
}

void TMainFrm::SpeedButton1Click(bool down) {
  SetFullView(down);
  KeepOnScreens();
  WriteSettings(/*may_tell=*/true);
}

void TMainFrm::KeepOnScreens() {
  const QSize frame_margins = frameGeometry().size() - geometry().size();
  move(PlaceOnScreens(frameGeometry().topLeft(), size() + frame_margins,
                      ScreenAreas()));
}

void TMainFrm::SetFullView(bool full) {
  // The height the user gave the full view is kept for its next opening.
  if (panel3_->isVisible()) settings_.main_height = height();
  settings_.option_open_flg = full;
  panel3_->setVisible(full);
  speed_button1_->setText(full ? QStringLiteral("Close")
                               : QStringLiteral("Option"));
  // The layouts are settled from the inside out first, so the window's
  // minimum is that of the view now shown and does not hold it to the old
  // one. Neither the splitter nor the tabs tell their parents of the new
  // sizes, so every widget from the splitter out is told itself.
  for (QWidget* widget = splitter1_; widget != this;
       widget = widget->parentWidget()) {
    widget->updateGeometry();
  }
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  layout()->activate();
  if (full) {
    setMaximumHeight(QWIDGETSIZE_MAX);
    resize(width(), FullHeight());
  } else {
    // The compact view has nothing to show in more height.
    const int compact = CompactHeight();
    setMaximumHeight(compact);
    resize(width(), compact);
  }
}

int TMainFrm::CompactHeight() const {
  // The window's own height at 100 %; zoomed, just what the rows need.
  const int rows = minimumSizeHint().height();
  return kZoomPercents[settings_.zoom_idx] == 100
             ? std::max(kCompactHeight, rows)
             : rows;
}

int TMainFrm::FullHeight() const {
  const int height =
      settings_.main_height > 0 ? settings_.main_height : kFullHeight;
  return std::max(height, minimumSizeHint().height());
}

void TMainFrm::Zoom(int step) {
  const int last = static_cast<int>(kZoomPercents.size()) - 1;
  const int index = step == 0 ? kDefaultZoomIdx
                              : std::clamp(settings_.zoom_idx + step, 0, last);
  if (index == settings_.zoom_idx) return;
  settings_.zoom_idx = index;
  ApplyZoom();
  WriteSettings(/*may_tell=*/true);
}

void TMainFrm::ApplyZoom() {
  const int percent = kZoomPercents[settings_.zoom_idx];
  auto scaled = [percent](int size) {
    return std::max(1, static_cast<int>(std::lround(size * percent / 100.0)));
  };
  const QFont label_font = PixelFont(JapaneseFamilies(), scaled(kLabelPixels));
  for (QLabel* label : row_labels_) label->setFont(label_font);
  other_row_->label()->setFont(label_font);
  // The labels keep the width of the longest caption the reading rows can
  // have, so that the fields stay put as the other reading comes and goes.
  const QFontMetrics label_metrics(label_font);
  int label_width = 0;
  for (const SpeechStyle style :
       {SpeechStyle::kTextbook, SpeechStyle::kEveryday}) {
    label_width = std::max(
        label_width, label_metrics.horizontalAdvance(
                         ToQString(ReadingName(style)) + QStringLiteral("：")));
  }
  for (const QLabel* label : row_labels_) {
    label_width =
        std::max(label_width, label_metrics.horizontalAdvance(label->text()));
  }
  static_cast<QGridLayout*>(panel2_->layout())
      ->setColumnMinimumWidth(0, label_width);
  struct Field {
    QLineEdit* field;
    FieldFont font;
  };
  for (const auto& [field, font] :
       {Field{edit1_, kHangulFieldFont}, Field{edit2_, kHangulFieldFont},
        Field{edit3_, kSymbolFieldFont}, Field{edit4_, kKanaFieldFont},
        Field{other_row_->reading(), kHangulFieldFont},
        Field{other_row_->kana(), kKanaFieldFont}}) {
    QFont zoomed = PointFont(font.families(), font.points);
    zoomed.setPointSizeF(font.points * percent / 100.0);
    field->setFont(zoomed);
  }
  for (QPushButton* button : {speed_button2_, speed_button3_, speed_button4_,
                              speed_button5_, speed_button9_}) {
    button->setFont(label_font);
    button->setFixedSize(scaled(kRowButtonWidth), scaled(kButtonHeight));
  }
  speech_->play_button()->setFont(label_font);
  speech_->play_button()->setFixedSize(scaled(kButtonHeight),
                                       scaled(kButtonHeight));
  web_browser1_->SetZoomPercent(percent);
  if (!shown_before_) return;
  // A view already shown takes its new height: the compact view that of
  // the rows, the full view at least theirs. Grown, it stays on the screen.
  SetFullView(panel3_->isVisible());
  KeepOnScreens();
}

void TMainFrm::CopyField(QLineEdit* field) {
  field->setFocus();
  field->selectAll();
  field->copy();
}

void TMainFrm::SpeedButton4Click() { CopyField(edit3_); }

void TMainFrm::SpeedButton5Click() { CopyField(edit4_); }

void TMainFrm::SpeedButton9Click() { CopyField(edit2_); }

void TMainFrm::CopyResult() {
  // Each row that holds a text, labelled as in the window: the typed line
  // first, then the lines as `pimoru-cli --format text` writes them.
  QString text;
  const QLineEdit* const fields[] = {edit1_, edit2_, edit3_, edit4_};
  for (std::size_t row = 0; row < std::size(fields); ++row) {
    if (fields[row]->text().isEmpty()) continue;
    text += row_labels_[static_cast<qsizetype>(row)]->text() +
            fields[row]->text() + u'\n';
  }
  if (other_row_->shown()) text += other_row_->Line() + u'\n';
  QApplication::clipboard()->setText(text);
}

void TMainFrm::UpdateCopyResult() {
  // Without a result, there is nothing to copy but what was typed.
  copy_result_->setEnabled(!edit2_->text().isEmpty() ||
                           !edit3_->text().isEmpty() ||
                           !edit4_->text().isEmpty());
}

void TMainFrm::FieldContextMenu(QLineEdit* field, const QPoint& position) {
  QMenu* menu = field->createStandardContextMenu();
  menu->addSeparator();
  menu->addAction(copy_result_);
  menu->exec(field->mapToGlobal(position));
  delete menu;
}

void TMainFrm::SpeedButton6Click() {
  if (page_control1_->currentIndex() != 0) return;
  for (QLineEdit* field : {edit1_, edit2_, edit3_, edit4_}) {
    field->clear();
    SetStale(field, false);
  }
  other_.reset();
  ShowOtherForm();
  ClearReport(QString());
  edit1_->setFocus();
}

void TMainFrm::SpeedButton7Click() {
  const QUrl address = TranslatorUrl(edit1_->text().trimmed());
  if (open_url_(address)) return;
  // No browser: the address is shown, to be copied into one by hand.
  ShowAddress(address, this);
}

void TMainFrm::SpeedButton8Click() {
  // The Readme is our own text: it opens in the help window, with or
  // without a web browser on the desktop.
  std::error_code ec;
  if (!std::filesystem::is_regular_file(folders_.ReadmePath(), ec)) {
    ShowWarning(QStringLiteral("Readme.txt が見つかりません。\n%1")
                    .arg(PathToQString(folders_.ReadmePath())));
    return;
  }
  ShowHelp(QUrl::fromLocalFile(PathToQString(folders_.ReadmePath())));
  help_window_->SetNote(dictionary_status_
                            ? dictionary_status_()
                            : QStringLiteral("辞書：このぴもるは辞書なしで"
                                             "作られています。質問はすべて"
                                             "表示されます。"));
}

void TMainFrm::SetDictionary(std::shared_ptr<const WordKnowledge> dictionary,
                             std::function<QString()> status) {
  dictionary_ = std::move(dictionary);
  dictionary_status_ = std::move(status);
  check_box5_->setEnabled(dictionary_ != nullptr);
}

void TMainFrm::SetSpeech(std::shared_ptr<const Speaker> speaker,
                         std::unique_ptr<SoundOutput> output) {
  speech_->SetUp(std::move(speaker), std::move(output));
}

void TMainFrm::SpeakReading() {
  if (edit2_->text().trimmed().isEmpty() &&
      !edit1_->text().trimmed().isEmpty()) {
    SpeedButton2Click();
  }
  // What is heard is the reading row, never the input as typed.
  speech_->Say(edit2_->text());
}

void TMainFrm::ShowHelp(const QUrl& page) {
  if (help_window_ == nullptr) help_window_ = new HelpWindow(open_url_, this);
  help_window_->SetNote(QString());
  help_window_->ShowPage(page);
}

void TMainFrm::WebBrowser1AnchorClicked(const QUrl& link) {
  if (link.scheme() ==
      QString::fromUtf16(kSpeakScheme.data(), kSpeakScheme.size())) {
    speech_->Say(link.path(QUrl::FullyDecoded));
    return;
  }
  switch (ClassifyLink(web_browser1_->source(), link)) {
    case LinkTarget::kInPage:
      web_browser1_->scrollToAnchor(link.fragment());
      break;
    case LinkTarget::kLocal:
      ShowHelp(web_browser1_->source().resolved(link));
      break;
    case LinkTarget::kExternal:
      open_url_(link);
      break;
  }
}

}  // namespace pimoru
