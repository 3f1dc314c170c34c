// Where the window's speech is heard.
#ifndef PIMORU_APP_SOUND_OUTPUT_H_
#define PIMORU_APP_SOUND_OUTPUT_H_

#include <QBuffer>
#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>

#include "render/speaker.h"

class QAudioSink;
class QMediaDevices;

namespace pimoru {

// Plays speech, one piece at a time.
class SoundOutput : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;

  // Empty when sound can be played now; otherwise why not, for the user.
  virtual QString Unavailable() const = 0;
  // Plays `speech`, after stopping what was playing. Finished follows
  // when it is over, or at once when it cannot be played.
  virtual void Play(const Speech& speech) = 0;
  // Stops playing; Finished follows at once when something was playing.
  virtual void Stop() = 0;

 signals:
  void Finished();
  // The sound devices changed: Unavailable() may say otherwise now.
  void DevicesChanged();
};

// The system's default sound output, through Qt Multimedia.
class DeviceSoundOutput : public SoundOutput {
  Q_OBJECT

 public:
  explicit DeviceSoundOutput(QObject* parent = nullptr);
  ~DeviceSoundOutput() override;

  QString Unavailable() const override;
  void Play(const Speech& speech) override;
  void Stop() override;

 private:
  QMediaDevices* devices_;
  QAudioSink* sink_ = nullptr;
  QByteArray bytes_;
  QBuffer buffer_;
};

}  // namespace pimoru

#endif  // PIMORU_APP_SOUND_OUTPUT_H_
