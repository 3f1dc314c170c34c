#include "app/reading_styles.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <limits>

namespace pimoru {
namespace {

// The presets, in the list's order.
constexpr SpeechStyle kPresets[] = {SpeechStyle::kTextbook,
                                    SpeechStyle::kEveryday};

QLineEdit* MakeShownField(const QString& object_name, QWidget* parent) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(object_name);
  field->setReadOnly(true);
  field->setMaxLength(std::numeric_limits<int>::max());
  field->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  return field;
}

}  // namespace

StyleBox::StyleBox(QList<QCheckBox*> boxes, QWidget* parent)
    : QComboBox(parent), boxes_(std::move(boxes)) {
  setObjectName(QStringLiteral("StyleBox"));
  setEditable(false);
  addItems({QStringLiteral("教科書どおり"), QStringLiteral("日常の発音")});
  setPlaceholderText(QStringLiteral("（個別に設定）"));
  setToolTip(QStringLiteral(
      "教科書どおり：標準発音で読みます（ㅎを残し、語尾もそのまま）。\n"
      "日常の発音：ふだんの話し方のように、弱まったㅎを落とし、"
      "語尾をリアルに読みます。\n読みが違うときは、もう一方も並べて"
      "表示します。"));
  FollowBoxes();
  connect(this, &QComboBox::activated, this, &StyleBox::Choose);
  for (QCheckBox* box : boxes_) {
    connect(box, &QCheckBox::toggled, this, &StyleBox::FollowBoxes);
  }
}

SpeechStyle StyleBox::style() const {
  std::size_t on = 0;
  for (const QCheckBox* box : boxes_) on += box->isChecked() ? 1 : 0;
  if (on == 0) return SpeechStyle::kTextbook;
  return on == static_cast<std::size_t>(boxes_.size()) ? SpeechStyle::kEveryday
                                                       : SpeechStyle::kMixed;
}

void StyleBox::Choose(int index) {
  if (index < 0 || index >= static_cast<int>(std::size(kPresets))) return;
  const bool on = kPresets[index] == SpeechStyle::kEveryday;
  // Each box tells its own option, as if clicked.
  for (QCheckBox* box : boxes_) box->setChecked(on);
}

void StyleBox::FollowBoxes() {
  const QSignalBlocker quiet(this);
  int index = -1;
  for (int k = 0; k < static_cast<int>(std::size(kPresets)); ++k) {
    if (kPresets[k] == style()) index = k;
  }
  setCurrentIndex(index);
}

OtherReadingRow::OtherReadingRow(QGridLayout* grid, int row, int first_column,
                                 QWidget* parent) {
  label_ = new QLabel(parent);
  label_->setObjectName(QStringLiteral("OtherReadingLabel"));
  label_->setToolTip(QStringLiteral(
      "オプションの「発音の基準」で、上の読みと入れ替わります。"));
  reading_ = MakeShownField(QStringLiteral("OtherReading"), parent);
  kana_ = MakeShownField(QStringLiteral("OtherKana"), parent);
  auto* fields = new QHBoxLayout;
  fields->setContentsMargins(0, 0, 0, 0);
  fields->addWidget(reading_, 1);
  fields->addWidget(kana_, 1);
  grid->addWidget(label_, row, first_column - 1);
  grid->addLayout(fields, row, first_column, 1, -1);
  Hide();
}

void OtherReadingRow::Show(const OtherForm& other) {
  label_->setText(QString::fromUtf16(ReadingName(other.style).data(),
                                     ReadingName(other.style).size()) +
                  QStringLiteral("："));
  reading_->setText(QString::fromStdU16String(other.reading));
  reading_->setCursorPosition(0);
  kana_->clear();
  label_->show();
  reading_->show();
  kana_->show();
}

void OtherReadingRow::Hide() {
  reading_->clear();
  kana_->clear();
  label_->hide();
  reading_->hide();
  kana_->hide();
}

bool OtherReadingRow::shown() const { return !reading_->isHidden(); }

void OtherReadingRow::SetKana(const QString& kana) {
  kana_->setText(kana);
  kana_->setCursorPosition(0);
}

QString OtherReadingRow::Line() const {
  if (!shown()) return QString();
  QString line = label_->text() + reading_->text();
  if (!kana_->text().isEmpty()) line += QStringLiteral("　") + kana_->text();
  return line;
}

}  // namespace pimoru
