// The window speaks the reading: the ▶ button beside it, Ctrl+Space, the
// speed, and the syllables of the report; disabled, saying why, without a
// voice or a sound device. Driven offscreen with a sound output that plays
// nothing, as the test machine may have no sound card.
#include <gtest/gtest.h>

#include <QAudioDevice>
#include <QComboBox>
#include <QLineEdit>
#include <QMediaDevices>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "app/main_frm.h"
#include "app/sound_output.h"
#include "speech/speech.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

const QString kPlay = QStringLiteral("▶");
const QString kStop = QStringLiteral("■");

// Plays nothing: "plays" until it is stopped or the test ends the sound,
// and keeps what it was given.
class NullSoundOutput : public SoundOutput {
 public:
  explicit NullSoundOutput(QString unavailable = {})
      : unavailable_(std::move(unavailable)) {}
  QString Unavailable() const override { return unavailable_; }
  void Play(const Speech& speech) override {
    played.push_back(speech);
    playing = true;
  }
  void Stop() override {
    if (!std::exchange(playing, false)) return;
    emit Finished();
  }
  // The sound is over.
  void End() { Stop(); }

  std::vector<Speech> played;
  bool playing = false;

 private:
  QString unavailable_;
};

struct Spoken {
  std::u16string text;
  int words_per_minute;
};

// The process's speaker, or one in the state given; keeps what it was
// asked to speak (from the window's worker).
class RecordingSpeaker : public Speaker {
 public:
  explicit RecordingSpeaker(std::optional<SpeakerState> state = {})
      : state_(std::move(state)) {}
  SpeakerState State() const override {
    return state_ ? *state_ : MakeSpeaker()->State();
  }
  std::optional<Speech> Speak(std::u16string_view reading,
                              int words_per_minute) const override {
    {
      const std::lock_guard lock(mutex_);
      spoken_.push_back({std::u16string(reading), words_per_minute});
    }
    if (state_) return std::nullopt;
    return MakeSpeaker()->Speak(reading, words_per_minute);
  }
  std::vector<Spoken> spoken() const {
    const std::lock_guard lock(mutex_);
    return spoken_;
  }

 private:
  std::optional<SpeakerState> state_;
  mutable std::mutex mutex_;
  mutable std::vector<Spoken> spoken_;
};

bool WaitFor(const std::function<bool()>& done) {
  for (int k = 0; k < 1000 && !done(); ++k) QTest::qWait(10);
  return done();
}

class SpeechWindowTest : public testing::Test {
 protected:
  std::filesystem::path SettingsFile() const {
    return root_.path() / "Sys" / "Pimoru.rng";
  }

  TMainFrm& Open(std::shared_ptr<RecordingSpeaker> speaker,
                 QString unavailable = {}) {
    Folders folders;
    folders.system_folder = root_.path() / "Sys";
    folders.program_folder = PIMORU_STAGED_DATA_DIR;
    window_.reset();
    window_ =
        std::make_unique<TMainFrm>(folders, [](const QUrl&) { return true; });
    speaker_ = speaker;
    auto output = std::make_unique<NullSoundOutput>(std::move(unavailable));
    output_ = output.get();
    window_->SetSpeech(std::move(speaker), std::move(output));
    window_->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    // Until the speaker has been asked, the button waits.
    EXPECT_TRUE(WaitFor([this] {
      return Play()->isHidden() ||
             !Play()->toolTip().contains(QStringLiteral("準備"));
    }));
    return *window_;
  }

  QPushButton* Play() {
    return window_->findChild<QPushButton*>(QStringLiteral("SpeedButton10"));
  }
  QComboBox* Speed() {
    return window_->findChild<QComboBox*>(QStringLiteral("ComboBox2"));
  }
  QLineEdit* Edit(int n) {
    return window_->findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(n));
  }
  QTextBrowser* Browser() {
    return window_->findChild<QTextBrowser*>(QStringLiteral("WebBrowser1"));
  }
  bool Heard(std::size_t count) {
    return WaitFor([&] { return output_->played.size() == count; });
  }

  TempFolder root_;
  std::unique_ptr<TMainFrm> window_;
  std::shared_ptr<RecordingSpeaker> speaker_;
  NullSoundOutput* output_ = nullptr;
};

TEST_F(SpeechWindowTest, TheButtonIsEnabledOnlyWithAVoiceAndADevice) {
  struct Case {
    const char* name;
    std::optional<SpeakerState> state;  // nullopt: the real synthesiser
    QString unavailable;                // of the sound output
    bool shown;
    bool enabled;
    QString tooltip_part;
  };
  const QString no_device = QStringLiteral("サウンドデバイスがありません");
  const Case cases[] = {
      {"voice", std::nullopt, {}, true, true, QStringLiteral("読み上げる")},
      {"no voice",
       SpeakerState{SpeechSupport::kMissing, "no Korean voice"},
       {},
       true,
       false,
       QStringLiteral(
           "espeak-ng-data を入れると使えます。\n（no Korean voice）")},
      {"no device", std::nullopt, no_device, true, false, no_device},
      {"built without",
       SpeakerState{SpeechSupport::kNotBuilt, "built without"},
       {},
       false,
       false,
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Open(std::make_shared<RecordingSpeaker>(c.state), c.unavailable);
    // The speed is in the options, which are shown with the report.
    EXPECT_EQ(Play()->isVisible(), c.shown);
    EXPECT_EQ(
        !window_->findChild<QWidget*>(QStringLiteral("Panel5"))->isHidden(),
        c.shown);
    if (!c.shown) continue;
    EXPECT_EQ(Play()->isEnabled(), c.enabled);
    EXPECT_EQ(Play()->text(), kPlay);
    EXPECT_TRUE(Play()->toolTip().contains(c.tooltip_part))
        << Play()->toolTip().toStdString();
    // Neither the button nor its key speaks without a voice and a device.
    Edit(2)->setText(QStringLiteral("궁물"));
    QTest::mouseClick(Play(), Qt::LeftButton);
    if (c.enabled) {
      EXPECT_TRUE(Heard(1));
    } else {
      QTest::keyClick(window_.get(), Qt::Key_Space, Qt::ControlModifier);
      QTest::qWait(50);
      EXPECT_TRUE(speaker_->spoken().empty());
    }
  }
}

TEST(DeviceSoundOutput, SaysWhyWhenTheMachineHasNoSoundDevice) {
  const DeviceSoundOutput output;
  EXPECT_EQ(output.Unavailable().isEmpty(),
            !QMediaDevices::audioOutputs().isEmpty());
}

TEST_F(SpeechWindowTest, PlayingThenStoppingLeavesTheButtonReady) {
  Open(std::make_shared<RecordingSpeaker>());
  // Nothing converted yet: ▶ converts first, and speaks the reading.
  Edit(1)->setText(QStringLiteral("같이 먹어요"));
  QTest::mouseClick(Play(), Qt::LeftButton);
  EXPECT_EQ(Edit(2)->text(), QStringLiteral("가치 머거요"));
  ASSERT_TRUE(Heard(1));
  ASSERT_EQ(speaker_->spoken().size(), 1u);
  EXPECT_EQ(speaker_->spoken()[0].text, u"가치 머거요");
  EXPECT_EQ(speaker_->spoken()[0].words_per_minute, kNormalWordsPerMinute);
  EXPECT_EQ(output_->played[0].sample_rate, 22050);
  EXPECT_GT(output_->played[0].samples.size(), 10'000u);
  EXPECT_EQ(Play()->text(), kStop);
  EXPECT_TRUE(Play()->isEnabled());

  QTest::mouseClick(Play(), Qt::LeftButton);  // stop
  EXPECT_FALSE(output_->playing);
  EXPECT_EQ(Play()->text(), kPlay);
  EXPECT_TRUE(Play()->isEnabled());

  // Ctrl+Space plays the reading row as it stands, edited or not; the sound
  // ending leaves the button ready too.
  Edit(2)->setText(QStringLiteral("가치머거요"));
  QTest::keyClick(window_.get(), Qt::Key_Space, Qt::ControlModifier);
  ASSERT_TRUE(Heard(2));
  EXPECT_EQ(speaker_->spoken().back().text, u"가치머거요");
  EXPECT_EQ(Play()->text(), kStop);
  output_->End();
  EXPECT_EQ(Play()->text(), kPlay);
  EXPECT_TRUE(Play()->isEnabled());
}

TEST_F(SpeechWindowTest, ASecondRequestOvertakesTheFirst) {
  Open(std::make_shared<RecordingSpeaker>());
  Edit(2)->setText(QStringLiteral("가"));
  QTest::mouseClick(Play(), Qt::LeftButton);  // synthesising
  Edit(2)->setText(QStringLiteral("오늘 날씨가 참 조쿠나"));
  QTest::mouseClick(Play(), Qt::LeftButton);  // stops it
  EXPECT_EQ(Play()->text(), kPlay);
  QTest::mouseClick(Play(), Qt::LeftButton);
  ASSERT_TRUE(Heard(1));
  // Only the sentence is heard: the word's late sound was dropped.
  EXPECT_EQ(speaker_->spoken().size(), 2u);
  EXPECT_GT(output_->played[0].samples.size(), 30'000u);
  QTest::qWait(50);
  EXPECT_EQ(output_->played.size(), 1u);
}

TEST_F(SpeechWindowTest, TheSpeedIsUsedAndRemembered) {
  Open(std::make_shared<RecordingSpeaker>());
  Speed()->setCurrentIndex(1);  // ゆっくり
  EXPECT_NE(ReadFileBytes(SettingsFile()).find("Speech_Speed_Idx,1\r\n"),
            std::string::npos);
  Edit(2)->setText(QStringLiteral("궁물"));
  QTest::mouseClick(Play(), Qt::LeftButton);
  ASSERT_TRUE(Heard(1));
  EXPECT_EQ(speaker_->spoken()[0].words_per_minute, kSlowWordsPerMinute);

  window_->close();
  Open(std::make_shared<RecordingSpeaker>());
  EXPECT_EQ(Speed()->currentIndex(), 1);
  EXPECT_EQ(Speed()->currentText(), QStringLiteral("ゆっくり"));
}

TEST_F(SpeechWindowTest, EachSyllableOfTheReportSpeaks) {
  Open(std::make_shared<RecordingSpeaker>());
  Edit(1)->setText(QStringLiteral("국물"));
  QTest::keyClick(Edit(1), Qt::Key_Return);
  QTest::keyClick(Edit(2), Qt::Key_Return);
  const QString page = Browser()->document()->toHtml();
  EXPECT_TRUE(page.contains(QStringLiteral("speak:%EA%B6%81")));  // 궁
  EXPECT_TRUE(page.contains(QStringLiteral("speak:%EB%AC%BC")));  // 물
  emit Browser()->anchorClicked(QUrl(QStringLiteral("speak:%EA%B6%81")));
  ASSERT_TRUE(Heard(1));
  EXPECT_EQ(speaker_->spoken()[0].text, u"궁");

  // Where nothing can be heard, the syllables are not links.
  Open(std::make_shared<RecordingSpeaker>(),
       QStringLiteral("サウンドデバイスがありません"));
  Edit(1)->setText(QStringLiteral("국물"));
  QTest::keyClick(Edit(1), Qt::Key_Return);
  QTest::keyClick(Edit(2), Qt::Key_Return);
  EXPECT_FALSE(
      Browser()->document()->toHtml().contains(QStringLiteral("speak:")));
}

}  // namespace
}  // namespace pimoru
