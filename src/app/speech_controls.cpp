#include "app/speech_controls.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMetaObject>
#include <QPushButton>
#include <utility>

namespace pimoru {
namespace {

const QString kPlay = QStringLiteral("▶");
const QString kStop = QStringLiteral("■");

}  // namespace

SpeechControls::SpeechControls(QWidget* parent)
    : QObject(parent),
      play_button_(new QPushButton(kPlay, parent)),
      speed_box_(new QWidget(parent)),
      speed_combo_(new QComboBox(speed_box_)) {
  play_button_->setObjectName(QStringLiteral("SpeedButton10"));
  play_button_->setAutoDefault(false);
  play_button_->hide();
  speed_box_->setObjectName(QStringLiteral("Panel5"));
  auto* label = new QLabel(QStringLiteral("読む速さ："), speed_box_);
  label->setObjectName(QStringLiteral("Label10"));
  speed_combo_->setObjectName(QStringLiteral("ComboBox2"));
  speed_combo_->addItems({QStringLiteral("普通"), QStringLiteral("ゆっくり")});
  auto* layout = new QHBoxLayout(speed_box_);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(label);
  layout->addWidget(speed_combo_);
  layout->addStretch();
  speed_box_->hide();
  connect(play_button_, &QPushButton::clicked, this, &SpeechControls::Toggle);
  connect(speed_combo_, &QComboBox::currentIndexChanged, this,
          [this](int index) {
            if (index >= 0) emit SpeedChanged(index);
          });
}

SpeechControls::~SpeechControls() {
  // The worker's last call may still be on its way here.
  if (worker_.joinable()) worker_.join();
}

void SpeechControls::SetUp(std::shared_ptr<const Speaker> speaker,
                           std::unique_ptr<SoundOutput> output) {
  Stop();
  speaker_ = std::move(speaker);
  output_ = std::move(output);
  state_.reset();
  connect(output_.get(), &SoundOutput::Finished, this, [this] {
    if (phase_ != Phase::kPlaying) return;
    phase_ = Phase::kIdle;
    Refresh();
  });
  connect(output_.get(), &SoundOutput::DevicesChanged, this,
          &SpeechControls::Refresh);
  // Loading the synthesiser takes a moment: not on the window's thread.
  worker_ = std::jthread([this, speaker = speaker_] {
    SpeakerState state = speaker->State();
    QMetaObject::invokeMethod(
        this,
        [this, state = std::move(state)] {
          state_ = state;
          Refresh();
        },
        Qt::QueuedConnection);
  });
  Refresh();
}

void SpeechControls::SetSpeedIndex(int index) {
  const bool known =
      index >= 0 && index < static_cast<int>(kSpeechWordsPerMinute.size());
  speed_combo_->setCurrentIndex(known ? index : 0);
}

QString SpeechControls::Problem() const {
  if (!state_) return QStringLiteral("音声を準備しています…");
  if (state_->support != SpeechSupport::kReady) {
    return QStringLiteral(
               "韓国語の音声合成が使えません。espeak-ng（libespeak-ng1）"
               "と espeak-ng-data を入れると使えます。\n（%1）")
        .arg(QString::fromStdString(state_->problem));
  }
  return output_->Unavailable();
}

bool SpeechControls::Ready() const {
  return output_ != nullptr && Problem().isEmpty();
}

void SpeechControls::Refresh() {
  // Built without speech: nothing to show.
  const bool shown = output_ != nullptr &&
                     !(state_ && state_->support == SpeechSupport::kNotBuilt);
  play_button_->setVisible(shown);
  speed_box_->setVisible(shown);
  if (!shown) return;
  if (Speaking()) {
    play_button_->setText(kStop);
    play_button_->setEnabled(true);
    play_button_->setToolTip(QStringLiteral("読み上げを止める（Ctrl+Space）"));
    return;
  }
  const QString problem = Problem();
  play_button_->setText(kPlay);
  play_button_->setEnabled(problem.isEmpty());
  play_button_->setToolTip(
      problem.isEmpty()
          ? QStringLiteral("読みハングルを読み上げる（Ctrl+Space）")
          : problem);
}

void SpeechControls::Toggle() {
  if (Speaking()) {
    Stop();
  } else if (Ready()) {
    emit PlayRequested();
  }
}

void SpeechControls::Say(const QString& text) {
  if (!Ready() || text.trimmed().isEmpty()) return;
  Stop();
  const int request = ++request_;
  const int index = std::max(0, speed_combo_->currentIndex());
  const int words_per_minute = kSpeechWordsPerMinute[index];
  phase_ = Phase::kSynthesising;
  Refresh();
  worker_ = std::jthread([this, request, words_per_minute,
                          text = text.toStdU16String(), speaker = speaker_] {
    std::optional<Speech> speech = speaker->Speak(text, words_per_minute);
    QMetaObject::invokeMethod(
        this,
        [this, request, speech = std::move(speech)] {
          Spoken(request, speech);
        },
        Qt::QueuedConnection);
  });
}

void SpeechControls::Spoken(int request, const std::optional<Speech>& speech) {
  if (request != request_ || phase_ != Phase::kSynthesising) return;
  if (!speech) {
    phase_ = Phase::kIdle;
    Refresh();
    return;
  }
  phase_ = Phase::kPlaying;
  Refresh();
  output_->Play(*speech);
}

void SpeechControls::Stop() {
  ++request_;
  const Phase was = std::exchange(phase_, Phase::kIdle);
  if (was == Phase::kPlaying) output_->Stop();
  if (was != Phase::kIdle) Refresh();
}

}  // namespace pimoru
