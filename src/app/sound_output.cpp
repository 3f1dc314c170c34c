#include "app/sound_output.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

namespace pimoru {

DeviceSoundOutput::DeviceSoundOutput(QObject* parent)
    : SoundOutput(parent), devices_(new QMediaDevices(this)) {
  connect(devices_, &QMediaDevices::audioOutputsChanged, this,
          &SoundOutput::DevicesChanged);
}

DeviceSoundOutput::~DeviceSoundOutput() {
  if (sink_ != nullptr) sink_->disconnect(this);
}

QString DeviceSoundOutput::Unavailable() const {
  if (!QMediaDevices::audioOutputs().isEmpty()) return {};
  return QStringLiteral("音声の出力先（サウンドデバイス）が見つかりません。");
}

void DeviceSoundOutput::Play(const Speech& speech) {
  Stop();
  QAudioFormat format;
  format.setSampleRate(speech.sample_rate);
  format.setChannelCount(1);
  format.setSampleFormat(QAudioFormat::Int16);
  const QAudioDevice device = QMediaDevices::defaultAudioOutput();
  if (device.isNull() || speech.samples.empty()) {
    emit Finished();
    return;
  }
  bytes_ = QByteArray(reinterpret_cast<const char*>(speech.samples.data()),
                      static_cast<qsizetype>(speech.samples.size() *
                                             sizeof(speech.samples[0])));
  buffer_.setData(bytes_);
  buffer_.open(QIODevice::ReadOnly);
  sink_ = new QAudioSink(device, format, this);
  connect(sink_, &QAudioSink::stateChanged, this, [this](QAudio::State state) {
    // Idle: every sample was played. Stopped on its own: the device failed.
    if (state == QAudio::IdleState || state == QAudio::StoppedState) Stop();
  });
  sink_->start(&buffer_);
}

void DeviceSoundOutput::Stop() {
  if (sink_ == nullptr) return;
  QAudioSink* sink = std::exchange(sink_, nullptr);
  sink->disconnect(this);
  sink->stop();
  // It may be in its own signal: deleted once that has returned.
  sink->deleteLater();
  buffer_.close();
  emit Finished();
}

}  // namespace pimoru
