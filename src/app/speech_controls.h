// The window's speech: the ▶ button beside the reading, the speed, and
// the sound of a reading or of one syllable of it.
#ifndef PIMORU_APP_SPEECH_CONTROLS_H_
#define PIMORU_APP_SPEECH_CONTROLS_H_

#include <QObject>
#include <QString>
#include <array>
#include <memory>
#include <optional>
#include <thread>

#include "app/sound_output.h"
#include "render/speaker.h"

class QComboBox;
class QPushButton;
class QWidget;

namespace pimoru {

// The speeds of the speed box, in its order: 普通, ゆっくり.
inline constexpr std::array kSpeechWordsPerMinute = {kNormalWordsPerMinute,
                                                     kSlowWordsPerMinute};

class SpeechControls : public QObject {
  Q_OBJECT

 public:
  // Makes the button and the speed box as children of `parent`, hidden
  // until SetUp gives a speaker that was built with speech.
  explicit SpeechControls(QWidget* parent);
  ~SpeechControls() override;

  // Finds out in the background whether `speaker` can speak. Until it can,
  // and while `output` cannot play, the button is disabled and its tooltip
  // says why.
  void SetUp(std::shared_ptr<const Speaker> speaker,
             std::unique_ptr<SoundOutput> output);

  QPushButton* play_button() const { return play_button_; }
  QWidget* speed_box() const { return speed_box_; }
  // An index of kSpeechWordsPerMinute; any other is taken as 0.
  void SetSpeedIndex(int index);

  // Whether the button would speak now.
  bool Ready() const;
  bool Speaking() const { return phase_ != Phase::kIdle; }

  // Speaks `text` at the speed of the box, after stopping what was spoken;
  // the button stops it. Does nothing unless Ready().
  void Say(const QString& text);
  void Stop();
  // The button's action: stops while speaking, otherwise asks for the
  // reading with PlayRequested.
  void Toggle();

 signals:
  void PlayRequested();
  void SpeedChanged(int index);

 private:
  enum class Phase { kIdle, kSynthesising, kPlaying };

  // Why the button cannot speak, or empty.
  QString Problem() const;
  void Refresh();
  void Spoken(int request, const std::optional<Speech>& speech);

  QPushButton* play_button_;
  QWidget* speed_box_;
  QComboBox* speed_combo_;
  std::shared_ptr<const Speaker> speaker_;
  std::unique_ptr<SoundOutput> output_;
  std::optional<SpeakerState> state_;  // nullopt until known
  Phase phase_ = Phase::kIdle;
  // Counts the requests, so that a synthesis that was stopped or overtaken
  // is not played when it ends.
  int request_ = 0;
  // The check of the speaker, then each synthesis; joined before the next.
  std::jthread worker_;
};

}  // namespace pimoru

#endif  // PIMORU_APP_SPEECH_CONTROLS_H_
