// The real window, driven offscreen: typing, Enter, both conversions, the
// report, the question and warning boxes, the options, the settings file.
#include "app/main_frm.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QFontInfo>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSplitter>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>
#include <QUrlQuery>
#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/dialog_asker.h"
#include "app/fonts.h"
#include "hangul/word_knowledge.h"
#include "lexicon/dictionary.h"
#include "pipeline/speech_style.h"
#include "render/transcription.h"
#include "support/test_support.h"
#include "window_driver.h"

namespace pimoru {
namespace {

const std::filesystem::path kStagedData = PIMORU_STAGED_DATA_DIR;

QString Q(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QString FromPath(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

// The links and the red text of a document shown in a browser.
std::vector<QString> Links(const QTextDocument& document) {
  std::vector<QString> links;
  for (QTextBlock block = document.begin(); block.isValid();
       block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat format = it.fragment().charFormat();
      if (format.isAnchor() && !format.anchorHref().isEmpty()) {
        links.push_back(format.anchorHref());
      }
    }
  }
  return links;
}

QString RedText(const QTextBlock& block) {
  QString red;
  for (auto it = block.begin(); !it.atEnd(); ++it) {
    const QTextCharFormat format = it.fragment().charFormat();
    if (!format.hasProperty(QTextFormat::ForegroundBrush)) continue;
    const QColor color = format.foreground().color();
    if (color.red() > 150 && color.green() < 100 && color.blue() < 100) {
      red += it.fragment().text();
    }
  }
  return red;
}

QString RedText(const QTextDocument& document) {
  QString red;
  for (QTextBlock block = document.begin(); block.isValid();
       block = block.next()) {
    red += RedText(block);
  }
  return red;
}

// Centred on the screen, give or take the frame, which the window system
// adds only once the window is shown.
void ExpectCentred(const QWidget& window) {
  const QPoint screen = window.screen()->geometry().center();
  const QRect frame = window.frameGeometry();
  const QSize margins = frame.size() - window.size();
  EXPECT_NEAR(frame.center().x(), screen.x(), margins.width() / 2 + 1);
  EXPECT_NEAR(frame.center().y(), screen.y(), margins.height() / 2 + 1);
}

class MainFrmTest : public testing::Test {
 protected:
  std::filesystem::path SystemFolder() const {
    return root_.path() / "appdata" / "Vorquent" / "Pimoru" / "Sys";
  }
  std::filesystem::path SettingsFile() const {
    return SystemFolder() / "Pimoru.rng";
  }
  void WriteSettings(std::string_view text) {
    std::filesystem::create_directories(SystemFolder());
    root_.WriteBytes("appdata/Vorquent/Pimoru/Sys/Pimoru.rng", text);
  }

  TMainFrm& Open() {
    Folders folders;
    folders.system_folder = SystemFolder();
    folders.program_folder = program_folder_;
    window_ = std::make_unique<TMainFrm>(folders, [this](const QUrl& url) {
      opened_.push_back(url);
      return opens_;
    });
    window_->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    return *window_;
  }

  template <typename T = QWidget>
  T* Find(const QString& name) {
    T* control = window_->findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name.toStdString();
    return control;
  }
  QLineEdit* Edit(int n) {
    return Find<QLineEdit>(QStringLiteral("Edit%1").arg(n));
  }
  QTextBrowser* Browser() { return Find<QTextBrowser>("WebBrowser1"); }
  void Click(const QString& name) {
    QTest::mouseClick(Find<QAbstractButton>(name), Qt::LeftButton);
  }

  // Types as an input method does: each character committed to the field.
  void Type(int n, const QString& text) {
    for (const QChar c : text) {
      QInputMethodEvent event;
      event.setCommitString(QString(c));
      QApplication::sendEvent(Edit(n), &event);
    }
  }
  void Retype(int n, const QString& text) {
    Edit(n)->clear();
    Type(n, text);
  }
  void PressEnter(int n) { QTest::keyClick(Edit(n), Qt::Key_Return); }

  // What the event loop does between two actions of a user.
  static void Settle() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
  }

  QUrl ReportUrl() const {
    return QUrl::fromLocalFile(FromPath(SystemFolder() / "Work.html"));
  }

  TempFolder root_;
  std::filesystem::path program_folder_ = kStagedData;
  std::vector<QUrl> opened_;
  bool opens_ = true;  // whether the desktop opens what it is handed
  std::unique_ptr<TMainFrm> window_;
};

TEST_F(MainFrmTest, FirstStartMakesTheFolderAndShowsTheCompactWindowCentred) {
  ASSERT_FALSE(std::filesystem::exists(SystemFolder()));
  TMainFrm& window = Open();
  EXPECT_TRUE(std::filesystem::is_directory(SystemFolder()));
  EXPECT_EQ(window.windowTitle(), QStringLiteral("ハングル ぴもる"));
  EXPECT_EQ(window.size(), QSize(kClientWidth, kCompactHeight));
  EXPECT_FALSE(Find<QWidget>("Panel3")->isVisible());
  EXPECT_TRUE(Find<QWidget>("Panel2")->isVisible());

  EXPECT_EQ(window.settings(), Settings{});
  EXPECT_FALSE(Find<QCheckBox>("CheckBox1")->isChecked());
  // A new user reads the textbook's standard pronunciation first.
  EXPECT_FALSE(Find<QCheckBox>("CheckBox2")->isChecked());
  EXPECT_FALSE(Find<QCheckBox>("CheckBox3")->isChecked());
  EXPECT_EQ(Find<QComboBox>("StyleBox")->currentText(),
            QStringLiteral("教科書どおり"));
  EXPECT_FALSE(Find<QCheckBox>("CheckBox4")->isChecked());
  EXPECT_TRUE(Find<QCheckBox>("CheckBox5")->isChecked());
  EXPECT_FALSE(Find<QCheckBox>("CheckBox5")->isEnabled());  // no dictionary
  EXPECT_FALSE(Find<QCheckBox>("CheckBox6")->isChecked());
  EXPECT_EQ(Find<QComboBox>("ComboBox1")->currentIndex(), 0);

  ExpectCentred(window);
}

TEST_F(MainFrmTest, ControlsCarryTheirCaptions) {
  Open();
  const std::pair<const char*, const char*> captions[] = {
      {"Label1", "ハングル："},
      {"Label2", "読みﾊﾝｸﾞﾙ："},
      {"Label3", "発音記号："},
      {"Label4", "発音カナ："},
      {"Label5", "使い方："},
      {"Label6", "1.入力ハングルは分かち書き（半角）をして下さい。"},
      {"Label7", "2.息継ぎしない分かち書きは読みﾊﾝｸﾞﾙで消してね。"},
      {"Label8", "オプション："},
      {"Label9", "濃音の発音表示："},
      {"SpeedButton1", "Option"},
      {"SpeedButton2", "変換1"},
      {"SpeedButton3", "変換2"},
      {"SpeedButton4", "copy"},
      {"SpeedButton5", "copy"},
      {"SpeedButton9", "copy"},
      {"SpeedButton6", "Clear"},
      {"SpeedButton7", "Google翻訳"},
      {"SpeedButton8", "Readme"},
      {"Button1", "終了"},
      {"CheckBox1", "N挿入もチェックする"},
      {"CheckBox2", "ㅎの弱音化を無音化にする"},
      {"CheckBox3", "リアル文末表現"},
      {"CheckBox4", "語の間も続けて読む"},
      {"CheckBox5", "辞書で判断する"},
      {"CheckBox6", "数字・英字も読む"},
  };
  for (const auto& [name, caption] : captions) {
    SCOPED_TRACE(name);
    QWidget* control = Find(QString::fromLatin1(name));
    ASSERT_NE(control, nullptr);
    const QString text = qobject_cast<QLabel*>(control)
                             ? qobject_cast<QLabel*>(control)->text()
                             : qobject_cast<QAbstractButton*>(control)->text();
    EXPECT_EQ(text, QString::fromUtf8(caption));
  }
  auto* tabs = Find<QTabWidget>("PageControl1");
  ASSERT_EQ(tabs->count(), 1);
  EXPECT_EQ(tabs->tabText(0), QStringLiteral("ハングル→発音記号"));

  auto* notation = Find<QComboBox>("ComboBox1");
  EXPECT_FALSE(notation->isEditable());
  ASSERT_EQ(notation->count(), 3);
  EXPECT_EQ(notation->itemText(0), QStringLiteral("子音前に上付き声門閉鎖"));
  EXPECT_EQ(notation->itemText(1), QStringLiteral("子音前にアポストロフィ"));
  EXPECT_EQ(notation->itemText(2), QStringLiteral("子音後にアポストロフィ"));

  for (int n = 1; n <= 4; ++n) EXPECT_TRUE(Edit(n)->text().isEmpty());
  EXPECT_FALSE(Edit(3)->testAttribute(Qt::WA_InputMethodEnabled));
  EXPECT_TRUE(Edit(1)->testAttribute(Qt::WA_InputMethodEnabled));
  EXPECT_EQ(Find<QWidget>("SpeedButton2")->size(), QSize(45, 28));
  EXPECT_EQ(Find<QWidget>("SpeedButton6")->size(), QSize(90, 28));
}

TEST_F(MainFrmTest, FieldsAskForTheNamedFontsFirstThenFixedFallbacks) {
  TMainFrm& window = Open();
  struct Case {
    QWidget* control;
    QString first_family;
    int points;
  } const cases[] = {
      {Edit(1), QStringLiteral("GulimChe"), 14},
      {Edit(2), QStringLiteral("GulimChe"), 14},
      {Edit(3), QStringLiteral("Segoe UI"), 13},
      {Edit(4), QStringLiteral("メイリオ"), 11},
      {Find("ComboBox1"), QStringLiteral("メイリオ"), 9},
  };
  const QStringList installed = QFontDatabase::families();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.control->objectName().toStdString());
    const QFont font = c.control->font();
    ASSERT_FALSE(font.families().isEmpty());
    EXPECT_EQ(font.families().front(), c.first_family);
    EXPECT_EQ(font.pointSize(), c.points);
    // What is drawn is the first listed family that is installed, not the
    // locale's choice.
    QString expected;
    for (const QString& family : font.families()) {
      if (installed.contains(family)) {
        expected = family;
        break;
      }
    }
    if (!expected.isEmpty()) {
      EXPECT_EQ(QFontInfo(font).family(), expected);
    }
  }
  EXPECT_EQ(window.font().families().front(), QStringLiteral("メイリオ"));
  EXPECT_EQ(window.font().pixelSize(), 13);
}

TEST_F(MainFrmTest, EnterConvertsThroughBothCommandsAndShowsTheReport) {
  TMainFrm& window = Open();
  QSignalSpy enter_reached_edit1(Edit(1), &QLineEdit::returnPressed);
  Type(1, QStringLiteral("같이 먹어요"));
  PressEnter(1);
  EXPECT_EQ(Edit(2)->text(), QStringLiteral("가치 머거요"));
  EXPECT_EQ(enter_reached_edit1.count(), 0);  // the key was swallowed
  EXPECT_EQ(window.focusWidget(), Edit(2));
  EXPECT_EQ(Edit(2)->cursorPosition(), Edit(2)->text().size());
  EXPECT_FALSE(Edit(2)->hasSelectedText());
  EXPECT_EQ(window.record().results[StageId::kInput], u"같이 먹어요");

  PressEnter(2);
  StageRecord scratch;
  const Transcription expected =
      Transcribe(u"가치 머거요", Notation::kGlottalStopBefore, scratch);
  EXPECT_FALSE(Edit(3)->text().isEmpty());
  EXPECT_EQ(Edit(3)->text(), Q(expected.symbols));
  EXPECT_EQ(Edit(4)->text(), Q(expected.kana));
  EXPECT_EQ(window.voicing_marks(), expected.voicing_marks);
  EXPECT_EQ(window.record().results[StageId::kVoicing],
            scratch.results[StageId::kVoicing]);

  EXPECT_TRUE(std::filesystem::is_regular_file(SystemFolder() / "Work.html"));
  EXPECT_EQ(Browser()->source(), ReportUrl());
  EXPECT_TRUE(Browser()->document()->toPlainText().contains(
      QStringLiteral("가치 머거요")));
  EXPECT_FALSE(RedText(*Browser()->document()).isEmpty());
}

TEST_F(MainFrmTest, TheButtonsRunTheSameCommandsAsEnter) {
  Open();
  Type(1, QStringLiteral("먹어요"));
  Click("SpeedButton2");
  EXPECT_EQ(Edit(2)->text(), QStringLiteral("머거요"));
  Click("SpeedButton3");
  EXPECT_FALSE(Edit(3)->text().isEmpty());
  EXPECT_FALSE(Edit(4)->text().isEmpty());
  EXPECT_EQ(Browser()->source(), ReportUrl());
}

// Decides the questions about 일본 (not a future adnominal form) and only
// guesses about 목록, whose hanja it knows.
class StandInDictionary : public WordKnowledge {
 public:
  Judgement Judge(const Question& question) const override {
    const TypedSpan span = question.TypedWord();
    const std::u16string_view word =
        question.TypedLine().substr(span.offset, span.length);
    if (word == u"일본") {
      return {Verdict::kNo, false, u"일본＝日本（名詞）", u"일본", u"日本"};
    }
    if (word.starts_with(u"목록")) {
      return {Verdict::kUnknown, true, u"목록＝目錄？", u"목록", u"目錄"};
    }
    return {};
  }
};

TEST_F(MainFrmTest, QuestionsAreModalYesNoBoxes) {
  TMainFrm& window = Open();
  Click("CheckBox1");
  ASSERT_TRUE(window.settings().options.n_insert_flg);
  const QString question = QStringLiteral(
      "【N挿入】\n「솜이불」は合成語または2語がつながった語ですか？\n"
      "　솜｜이불（ㅁパッチム＋ㅇ初声）\n"
      "合成語または2語がつながった語でㅁパッチムの後ろにㅇ初声が来た場合、"
      "N挿入します。");
  struct Case {
    const char* name;
    QMessageBox::StandardButton answer;
    QString reading;
  } const cases[] = {
      {"Yes", QMessageBox::Yes, QStringLiteral("솜니불")},
      {"No", QMessageBox::No, QStringLiteral("소미불")},
      {"closed", BoxAnswerer::kCloseBox, QStringLiteral("소미불")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BoxAnswerer answerer({c.answer});
    Retype(1, QStringLiteral("솜이불"));
    PressEnter(1);
    ASSERT_EQ(answerer.seen().size(), 1u);
    const SeenBox& box = answerer.seen().front();
    EXPECT_EQ(box.text, question);
    EXPECT_EQ(box.title, QStringLiteral("確認"));
    EXPECT_EQ(box.icon, QMessageBox::Question);
    EXPECT_EQ(box.buttons, QMessageBox::Yes | QMessageBox::No);
    // In Japanese, like the question, and No unless told otherwise.
    EXPECT_EQ(box.button_texts,
              QStringList({QStringLiteral("はい"), QStringLiteral("いいえ")}));
    EXPECT_EQ(box.default_text, QStringLiteral("いいえ"));
    EXPECT_EQ(box.check_box, QStringLiteral("以後、同じ語には同じ答え"));
    EXPECT_TRUE(box.checked);
    EXPECT_EQ(Edit(2)->text(), c.reading);
  }

  // With the option off again, the next conversion asks nothing.
  Click("CheckBox1");
  EXPECT_FALSE(window.settings().options.n_insert_flg);
  BoxAnswerer answerer({QMessageBox::Yes});
  PressEnter(1);
  EXPECT_TRUE(answerer.seen().empty());
  EXPECT_EQ(Edit(2)->text(), QStringLiteral("소미불"));
}

// Each question is about the word as typed, not as the rules have left it,
// with the letters that meet marked and its place in the line; every kind
// has the same heading.
TEST_F(MainFrmTest, QuestionsNameTheWordAsTypedAndWhereItStands) {
  Open();
  Click("CheckBox1");  // N-insertion asks about 서울역
  struct Case {
    QString input;
    QStringList lines;  // shown, in this order
    QString not_shown;  // as the working text had it
  } const cases[] = {
      {QStringLiteral("목록을"),
       {QStringLiteral("【鼻音化】"),
        QStringLiteral("「목록을」は漢字語ですか？"),
        QStringLiteral("　목｜록을（ㄱパッチム＋ㄹ初声）")},
       QStringLiteral("목로")},
      {QStringLiteral("읽을게요"),
       {QStringLiteral("【濃音化】"),
        QStringLiteral("「읽을게요」は動詞や形容詞の未来連体形ですか？"),
        // 을게 is tensed by the list; the question is whether 읽 ends in
        // a future ㄹ (일 + 글 after liaison).
        QStringLiteral("　읽｜을게요（ㄹパッチム＋ㄱ初声）")},
       QStringLiteral("일글")},
      {QStringLiteral("어제 서울역에서"),
       {QStringLiteral("【N挿入】"),
        QStringLiteral("「서울역에서」は合成語または2語がつながった語ですか？"),
        QStringLiteral("　서울｜역에서（ㄹパッチム＋ㅇ初声）"),
        QStringLiteral("位置：4文字目　어제 ［서울역에서］")},
       QStringLiteral("「울역")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input.toStdString());
    BoxAnswerer answerer;
    Retype(1, c.input);
    PressEnter(1);
    ASSERT_FALSE(answerer.seen().empty());
    // The box that asks about the junction, among all it asked.
    QString text;
    for (const SeenBox& box : answerer.seen()) {
      if (box.text.split(u'\n').contains(c.lines[2])) text = box.text;
      EXPECT_FALSE(box.text.contains(c.not_shown)) << box.text.toStdString();
    }
    const QStringList shown = text.split(u'\n');
    qsizetype from = 0;
    for (const QString& line : c.lines) {
      const qsizetype at = shown.indexOf(line, from);
      EXPECT_GE(at, from) << line.toStdString() << "\n" << text.toStdString();
      from = std::max(from, at + 1);
    }
  }
}

// The same question about the same word is asked once and answered alike
// everywhere after, unless the user unticks 以後、同じ語には同じ答え; the
// report lists it once, with the number of places.
TEST_F(MainFrmTest, OneAnswerServesTheSameWordForTheRestOfTheConversion) {
  TMainFrm& window = Open();
  Click("CheckBox1");
  {
    BoxAnswerer answerer({QMessageBox::Yes});
    Type(1, QStringLiteral("솜이불 솜이불 솜이불"));
    PressEnter(1);
    EXPECT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(Edit(2)->text(), QStringLiteral("솜니불 솜니불 솜니불"));
    const std::vector<RecordedQuestion>& asked =
        window.record().questions[StageId::kNInsertion];
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked.front().places, 3);
    PressEnter(2);
    // Listed once, as the question showed the word.
    const QString report = Browser()->document()->toPlainText();
    EXPECT_EQ(report.count(QStringLiteral("솜｜이불（合成語？）")), 1)
        << report.toStdString();
    EXPECT_TRUE(report.contains(
        QStringLiteral("回答：はい（同じ語の3か所に同じ答え）")));
  }
  {
    // The next conversion asks again.
    BoxAnswerer answerer({QMessageBox::No, QMessageBox::Yes, QMessageBox::No});
    answerer.ClearCheckBoxes();
    PressEnter(1);
    EXPECT_EQ(answerer.seen().size(), 3u);
    EXPECT_EQ(Edit(2)->text(), QStringLiteral("소미불 솜니불 소미불"));
  }
}

// With 辞書で判断する off every question is asked, with what the dictionary
// knows beside it: the hanja and its guess, as the default button.
TEST_F(MainFrmTest, WithTheDictionaryOffItsHanjaAndGuessAreStillShown) {
  Open();
  window_->SetDictionary(std::make_shared<StandInDictionary>(), nullptr);
  Click("CheckBox5");
  BoxAnswerer answerer({QMessageBox::Yes});
  Type(1, QStringLiteral("목록"));
  PressEnter(1);
  ASSERT_EQ(answerer.seen().size(), 1u);
  EXPECT_TRUE(answerer.seen().front().text.contains(
      QStringLiteral("「목록」（目錄）は漢字語ですか？")))
      << answerer.seen().front().text.toStdString();
  EXPECT_TRUE(answerer.seen().front().text.endsWith(
      QStringLiteral("\n辞書の推測：はい（목록＝目錄？）")));
  EXPECT_EQ(answerer.seen().front().default_text, QStringLiteral("はい"));
}

// A word the hanja dictionary spells in several ways is shown with the
// likeliest spelling first and the next after it; the dictionary's reason
// names the likeliest alone.
TEST_F(MainFrmTest, AHomographShowsItsLikeliestHanjaFirst) {
  const std::shared_ptr<const Dictionary> dictionary =
      MakeDictionary(kStagedData, kStagedData / "no-user-folder");
  if (!dictionary->Built() || !dictionary->Load()) {
    GTEST_SKIP() << "no dictionary: " << dictionary->Status();
  }
  Open();
  window_->SetDictionary(dictionary, nullptr);
  Click("CheckBox5");  // every question asked
  const struct {
    QString input;
    QString shown;
    QString guess;
  } cases[] = {
      {QStringLiteral("강릉"), QStringLiteral("「강릉」（江陵／岡陵…）"),
       QStringLiteral("辞書の推測：はい（강릉＝江陵（漢字語））")},
      {QStringLiteral("종로"), QStringLiteral("「종로」（鐘路／宗老…）"),
       QStringLiteral("辞書の推測：はい（종로＝鐘路（漢字語））")},
      {QStringLiteral("강력"), QStringLiteral("「강력」（强力／剛力）"),
       QStringLiteral("辞書の推測：はい（강력＝强力（漢字語））")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input.toStdString());
    BoxAnswerer answerer({QMessageBox::Yes});
    Retype(1, c.input);
    PressEnter(1);
    ASSERT_EQ(answerer.seen().size(), 1u);
    const QString& text = answerer.seen().front().text;
    EXPECT_TRUE(text.contains(c.shown)) << text.toStdString();
    EXPECT_TRUE(text.endsWith(c.guess)) << text.toStdString();
  }
}

TEST_F(MainFrmTest, NotationChangesTheSymbolsOfTheNextTranscriptionOnly) {
  TMainFrm& window = Open();
  Type(2, QStringLiteral("아까"));
  PressEnter(2);
  const QString kana = Edit(4)->text();
  EXPECT_TRUE(Edit(3)->text().contains(QStringLiteral("ˀk")))
      << Edit(3)->text().toStdString();

  Find<QComboBox>("ComboBox1")->setCurrentIndex(2);
  EXPECT_EQ(window.settings().options.notation, Notation::kApostropheAfter);
  EXPECT_TRUE(Edit(3)->text().contains(QStringLiteral("ˀk")));  // not yet
  PressEnter(2);
  EXPECT_TRUE(Edit(3)->text().contains(QStringLiteral("kʼ")))
      << Edit(3)->text().toStdString();
  EXPECT_EQ(Edit(4)->text(), kana);
}

TEST_F(MainFrmTest, ClearEmptiesTheFieldsAndTheReport) {
  TMainFrm& window = Open();
  Type(1, QStringLiteral("같이 먹어요"));
  PressEnter(1);
  PressEnter(2);
  const StageRecord record = window.record();
  const std::string report = ReadFileBytes(SystemFolder() / "Work.html");
  ASSERT_FALSE(report.empty());

  Click("SpeedButton6");
  for (int n = 1; n <= 4; ++n) EXPECT_TRUE(Edit(n)->text().isEmpty()) << n;
  EXPECT_EQ(window.focusWidget(), Edit(1));
  EXPECT_EQ(window.record().results, record.results);
  EXPECT_TRUE(Browser()->document()->toPlainText().isEmpty());

  // A reading typed with no input writes no report, and shows none of an
  // earlier input.
  Type(2, QStringLiteral("가다"));
  PressEnter(2);
  EXPECT_FALSE(Edit(3)->text().isEmpty());
  EXPECT_EQ(ReadFileBytes(SystemFolder() / "Work.html"), report);
  EXPECT_FALSE(Browser()->document()->toPlainText().contains(
      QStringLiteral("가치 머거요")));
}

// Whether a field's text is drawn grey, as old.
bool LooksStale(const QLineEdit* field) {
  const QPalette& palette = field->palette();
  return palette.color(QPalette::Text) ==
             palette.color(QPalette::Disabled, QPalette::Text) &&
         palette.color(QPalette::Text) != QApplication::palette(field).color(
                                              QPalette::Active, QPalette::Text);
}

TEST_F(MainFrmTest, OutputOfAnEarlierInputIsGreyedAndItsReportTakenAway) {
  Open();
  Type(1, QStringLiteral("같이 먹어요"));
  PressEnter(1);
  PressEnter(2);
  ASSERT_TRUE(Browser()->document()->toPlainText().contains(
      QStringLiteral("가치 머거요")));
  for (int n = 2; n <= 4; ++n) EXPECT_FALSE(LooksStale(Edit(n))) << n;

  // Typing on: the three results are the old input's, and so is the report.
  Type(1, QStringLiteral(" 좋아요"));
  for (int n = 2; n <= 4; ++n) EXPECT_TRUE(LooksStale(Edit(n))) << n;
  EXPECT_FALSE(Browser()->document()->toPlainText().contains(
      QStringLiteral("가치 머거요")));
  EXPECT_TRUE(Browser()->document()->toPlainText().contains(
      QStringLiteral("入力が変わりました")));

  // 変換1 makes the reading new; the symbols and kana wait for 変換2.
  PressEnter(1);
  EXPECT_FALSE(LooksStale(Edit(2)));
  EXPECT_TRUE(LooksStale(Edit(3)));
  EXPECT_TRUE(LooksStale(Edit(4)));
  PressEnter(2);
  for (int n = 2; n <= 4; ++n) EXPECT_FALSE(LooksStale(Edit(n))) << n;
  EXPECT_TRUE(Browser()->document()->toPlainText().contains(
      QStringLiteral("가치 머거요 조아요")));

  // A reading mended by hand: its symbols and kana are old, the report of
  // the input stays.
  Type(2, QStringLiteral("요"));
  EXPECT_FALSE(LooksStale(Edit(2)));
  EXPECT_TRUE(LooksStale(Edit(3)));
  EXPECT_TRUE(LooksStale(Edit(4)));
  EXPECT_TRUE(Browser()->document()->toPlainText().contains(
      QStringLiteral("가치 머거요 조아요")));

  // A zoom reloads no page in the note's place.
  Type(1, QStringLiteral("요"));
  QTest::keyClick(window_.get(), Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_FALSE(Browser()->document()->toPlainText().contains(
      QStringLiteral("가치 머거요")));
}

// The block of the report at the top of its view.
int TopBlock(QTextBrowser* browser) {
  return browser->cursorForPosition(QPoint(4, 4)).blockNumber();
}

// Drags the handle of a scroll bar by `dy` pixels, as with the mouse.
void DragHandle(QScrollBar* bar, int dy) {
  QStyleOptionSlider option;
  option.initFrom(bar);
  option.orientation = bar->orientation();
  option.minimum = bar->minimum();
  option.maximum = bar->maximum();
  option.sliderPosition = bar->sliderPosition();
  option.sliderValue = bar->value();
  option.singleStep = bar->singleStep();
  option.pageStep = bar->pageStep();
  option.upsideDown = bar->invertedAppearance();
  const QRect handle = bar->style()->subControlRect(
      QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar);
  const QPoint from = handle.center();
  QTest::mousePress(bar, Qt::LeftButton, {}, from);
  QTest::mouseMove(bar, from + QPoint(0, dy / 2));
  QTest::mouseMove(bar, from + QPoint(0, dy));
  QTest::mouseRelease(bar, Qt::LeftButton, {}, from + QPoint(0, dy));
}

TEST_F(MainFrmTest, TheReportOpensAtItsFirstLineAndItsBarScrollsIt) {
  Open();
  QString text;
  for (int k = 0; k < 6; ++k) {
    text += QStringLiteral("안녕하세요 감사합니다 같이 먹어요 ");
  }
  Type(1, text);
  // Converted in the compact view, then opened.
  PressEnter(1);
  PressEnter(2);
  Click("SpeedButton1");
  Settle();
  QScrollBar* bar = Browser()->verticalScrollBar();
  ASSERT_GT(bar->maximum(), 0);
  EXPECT_EQ(bar->value(), 0);
  EXPECT_EQ(TopBlock(Browser()), 0);

  // Dragging the handle down scrolls down.
  DragHandle(bar, 60);
  EXPECT_GT(bar->value(), 0);
  EXPECT_GT(TopBlock(Browser()), 0);
  DragHandle(bar, 10000);
  EXPECT_EQ(bar->value(), bar->maximum());

  // The next conversion's report opens at its top again, bar and page
  // alike.
  Click("SpeedButton2");
  Click("SpeedButton3");
  Settle();
  EXPECT_EQ(bar->value(), 0);
  EXPECT_EQ(TopBlock(Browser()), 0);
  DragHandle(bar, 60);
  EXPECT_GT(TopBlock(Browser()), 0);

  // So does 変換2 alone, which makes the report anew.
  Click("SpeedButton3");
  Settle();
  EXPECT_EQ(bar->value(), 0);
  EXPECT_EQ(TopBlock(Browser()), 0);
}

// The red text of the report's paragraph that begins with `start`.
QString RedTextOfLine(const QTextDocument& document, const QString& start) {
  for (QTextBlock block = document.begin(); block.isValid();
       block = block.next()) {
    if (block.text().startsWith(start)) return RedText(block);
  }
  return QStringLiteral("(no line)");
}

TEST_F(MainFrmTest, EveryStageLineThatChangedTheTextHasRed) {
  Open();
  struct Case {
    bool phrase;
    QString input;
    QString line;
    QString red;
  } const cases[] = {
      // The spacing's join ("한$벌") leaves the text before, so the lengths
      // differ; its leaving is no change of this stage.
      {false, QStringLiteral("옷 한 벌"), QStringLiteral("パッチムの標準化"),
       QStringLiteral("옫")},
      // Read in one breath, the space goes with the liaison.
      {true, QStringLiteral("할 일이"), QStringLiteral("連音化１"),
       QStringLiteral("하릴")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input.toStdString());
    if (Find<QCheckBox>("CheckBox4")->isChecked() != c.phrase) {
      Click("CheckBox4");
    }
    Retype(1, c.input);
    PressEnter(1);
    PressEnter(2);
    EXPECT_EQ(RedTextOfLine(*Browser()->document(), c.line), c.red);
  }
}

// Beside each stage's link, which letters met and what they became, and
// why where the answers or a space tell it.
TEST_F(MainFrmTest, EachReportLineSaysWhyItsTextChanged) {
  Open();
  struct Case {
    bool phrase;
    QString input;
    QString line;  // how the stage's line begins
  } const cases[] = {
      {false, QStringLiteral("목록"),
       QStringLiteral("鼻音化２ ㄱ+ㄹ→ㅇ+ㄴ（漢字語）：")},
      {false, QStringLiteral("같이"), QStringLiteral("口蓋音化 ㅌ+ㅇ→ㅊ：")},
      {true, QStringLiteral("옷 한 벌"),
       QStringLiteral("激音化 ㅅ+ㅎ→ㅌ（語の間）：")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input.toStdString());
    if (Find<QCheckBox>("CheckBox4")->isChecked() != c.phrase) {
      Click("CheckBox4");
    }
    BoxAnswerer answerer({QMessageBox::Yes});
    Retype(1, c.input);
    PressEnter(1);
    PressEnter(2);
    bool found = false;
    for (QTextBlock block = Browser()->document()->begin(); block.isValid();
         block = block.next()) {
      found = found || block.text().startsWith(c.line);
    }
    EXPECT_TRUE(found) << Browser()->document()->toPlainText().toStdString();
  }
}

TEST_F(MainFrmTest, CopyPutsTheWholeFieldOnTheClipboard) {
  TMainFrm& window = Open();
  struct Case {
    const char* button;
    int edit;
    QString text;
  } const cases[] = {
      {"SpeedButton9", 2, QStringLiteral("가치 머거요")},
      {"SpeedButton4", 3, QStringLiteral("a  ˀka")},
      {"SpeedButton5", 4, QStringLiteral("ア   ッカ")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    Edit(c.edit)->setText(c.text);
    Edit(1)->setFocus();
    Click(QString::fromLatin1(c.button));
    EXPECT_EQ(QApplication::clipboard()->text(), c.text);
    EXPECT_EQ(window.focusWidget(), Edit(c.edit));
    EXPECT_EQ(Edit(c.edit)->selectedText(), c.text);
  }
}

TEST_F(MainFrmTest, OptionTogglesBetweenCompactAndFullHeights) {
  TMainFrm& window = Open();
  auto* toggle = Find<QAbstractButton>("SpeedButton1");
  const int width = window.width();
  Click("SpeedButton1");
  EXPECT_TRUE(toggle->isChecked());
  EXPECT_EQ(toggle->text(), QStringLiteral("Close"));
  EXPECT_EQ(window.size(), QSize(width, kFullHeight));
  EXPECT_TRUE(Browser()->isVisible());
  EXPECT_TRUE(Find<QWidget>("Panel4")->isVisible());
  EXPECT_EQ(Find<QWidget>("Panel4")->height(), 100);
  // The bar stays at the bottom, 45 high.
  const QRect bar = Find<QWidget>("Panel1")->geometry();
  EXPECT_EQ(bar.height(), 45);
  EXPECT_EQ(bar.bottom(), window.height() - 1);

  // Released a moment later, once the full view's layout has settled: the
  // window goes back to the compact height, not to the full view's minimum.
  Settle();
  Click("SpeedButton1");
  Settle();
  EXPECT_FALSE(toggle->isChecked());
  EXPECT_EQ(toggle->text(), QStringLiteral("Option"));
  EXPECT_EQ(window.size(), QSize(width, kCompactHeight));
  EXPECT_FALSE(Browser()->isVisible());
  EXPECT_EQ(Find<QWidget>("Panel1")->geometry().bottom(), window.height() - 1);
  // Nor can it be made taller, with an empty area below the rows.
  EXPECT_EQ(window.maximumHeight(), kCompactHeight);
}

TEST_F(MainFrmTest, TheSettingsFileSetsUpTheWindow) {
  struct Case {
    const char* file;
    bool centred;
    QPoint position;
    int notation_index;
    bool n_insert, h_strong, e_real;
  } const cases[] = {
      // MainTop missing: -100 would hide the title bar above the screen.
      {"MainLeft,100\r\n", false, {100, 0}, 0, false, true, true},
      {"MainLeft,100\r\nMainTop,40\r\n",
       false,
       {100, 40},
       0,
       false,
       true,
       true},
      {"MainLeft,abc\r\nMainTop,5\r\n", true, {}, 0, false, true, true},
      {"MainLeft,-5\r\nMainTop,40\r\n", true, {}, 0, false, true, true},
      {"Noon_Idx,7\r\n", true, {}, -1, false, true, true},
      {"N_Insert_Flg,1\r\nH_Strong_Flg,0\r\nE_Real_Flg,true\r\nNoon_Idx,2",
       true,
       {},
       2,
       true,
       false,
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    WriteSettings(c.file);
    TMainFrm& window = Open();
    const QRect frame = window.frameGeometry();
    if (c.centred) {
      ExpectCentred(window);
    } else {
      EXPECT_EQ(frame.topLeft(), c.position);
    }
    EXPECT_EQ(Find<QComboBox>("ComboBox1")->currentIndex(), c.notation_index);
    EXPECT_EQ(Find<QCheckBox>("CheckBox1")->isChecked(), c.n_insert);
    EXPECT_EQ(Find<QCheckBox>("CheckBox2")->isChecked(), c.h_strong);
    EXPECT_EQ(Find<QCheckBox>("CheckBox3")->isChecked(), c.e_real);
    window_.reset();
  }
}

TEST_F(MainFrmTest, ClosingWritesEveryLine) {
  TMainFrm& window = Open();
  Click("CheckBox1");
  Click("CheckBox2");
  Click("CheckBox3");
  Click("CheckBox4");
  Click("CheckBox6");
  Find<QComboBox>("ComboBox1")->setCurrentIndex(1);
  window.move(-20, 30);
  Click("Button1");
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(ReadFileBytes(SettingsFile()),
            "MainLeft,-20\r\nMainTop,30\r\nN_Insert_Flg,1\r\n"
            "H_Strong_Flg,1\r\nE_Real_Flg,1\r\nNoon_Idx,1\r\n"
            "Main_Width,634\r\nMain_Height,0\r\nOption_Open_Flg,0\r\n"
            "Zoom_Idx,3\r\nPhrase_Flg,1\r\nDict_Flg,1\r\n"
            "Speech_Speed_Idx,0\r\nRead_Numbers_Flg,1\r\n"
            "Settings_Version,2\r\n");
}

TEST_F(MainFrmTest, TextbookAndEverydayReadingsSideBySide) {
  TMainFrm& window = Open();
  auto* style = Find<QComboBox>("StyleBox");
  QLabel* reading_label = Find<QLabel>("Label2");
  QLabel* other_label = Find<QLabel>("OtherReadingLabel");
  QLineEdit* other = Find<QLineEdit>("OtherReading");
  QLineEdit* other_kana = Find<QLineEdit>("OtherKana");
  EXPECT_FALSE(other->isVisible());
  const int field_left = Edit(2)->x();

  // The textbook first, everyday speech beside it; the fields stay put.
  Type(1, QStringLiteral("안녕하세요 감사합니다"));
  PressEnter(1);
  Settle();
  EXPECT_EQ(Edit(2)->x(), field_left);
  EXPECT_EQ(Edit(2)->text(), QStringLiteral("안녕하세요 감사함니다"));
  EXPECT_EQ(reading_label->text(), QStringLiteral("標準発音："));
  EXPECT_TRUE(other->isVisible());
  EXPECT_EQ(other_label->text(), QStringLiteral("日常の発音："));
  EXPECT_EQ(other->text(), QStringLiteral("안녕아세요 감사안미다"));
  PressEnter(2);
  EXPECT_EQ(Edit(4)->text(),
            QStringLiteral("アンニョンハセヨ   カムサハムニダ"));
  EXPECT_EQ(other_kana->text(),
            QStringLiteral("アンニョンアセヨ   カムサアンミダ"));
  const QString report = Browser()->document()->toPlainText();
  EXPECT_TRUE(report.contains(QStringLiteral("日常の発音")) &&
              report.contains(QStringLiteral("안녕아세요 감사안미다")) &&
              report.contains(QStringLiteral(
                  "（「ㅎの弱音化を無音化にする」「リアル文末表現」"
                  "をオンにした読み）")))
      << report.toStdString();
  // Both go with the whole result.
  window_->findChild<QAction*>(QStringLiteral("CopyResult"))->trigger();
  EXPECT_TRUE(QApplication::clipboard()->text().endsWith(
      QStringLiteral("日常の発音：안녕아세요 감사안미다　"
                     "アンニョンアセヨ   カムサアンミダ\n")))
      << QApplication::clipboard()->text().toStdString();

  // The preset sets both options at once, and is saved.
  Click("SpeedButton1");
  style->setFocus();
  QTest::keyClick(style, Qt::Key_Down);
  EXPECT_EQ(style->currentText(), QStringLiteral("日常の発音"));
  EXPECT_TRUE(Find<QCheckBox>("CheckBox2")->isChecked());
  EXPECT_TRUE(Find<QCheckBox>("CheckBox3")->isChecked());
  EXPECT_EQ(StyleOf(window.settings().options), SpeechStyle::kEveryday);
  EXPECT_NE(
      ReadFileBytes(SettingsFile()).find("H_Strong_Flg,1\r\nE_Real_Flg,1\r\n"),
      std::string::npos);
  PressEnter(1);
  EXPECT_EQ(Edit(2)->text(), QStringLiteral("안녕아세요 감사안미다"));
  EXPECT_EQ(reading_label->text(), QStringLiteral("日常の発音："));
  EXPECT_EQ(other_label->text(), QStringLiteral("標準発音："));
  EXPECT_EQ(other->text(), QStringLiteral("안녕하세요 감사함니다"));

  // One option changed by hand: neither preset; only it is named. (A box
  // laid out wide is clicked on its mark, not in its empty middle.)
  QTest::mouseClick(Find<QCheckBox>("CheckBox3"), Qt::LeftButton, {},
                    QPoint(6, Find<QCheckBox>("CheckBox3")->height() / 2));
  EXPECT_FALSE(window.settings().options.e_real_flg);
  EXPECT_EQ(style->currentIndex(), -1);
  Retype(1, QStringLiteral("안녕하세요 고맙습니다"));
  PressEnter(1);
  PressEnter(2);
  EXPECT_EQ(other->text(), QStringLiteral("안녕하세요 고맙씀니다"));
  EXPECT_TRUE(Browser()->document()->toPlainText().contains(
      QStringLiteral("（「ㅎの弱音化を無音化にする」をオフにした読み）")));

  // Read alike, or cleared: one reading, as ever.
  Retype(1, QStringLiteral("같이"));
  PressEnter(1);
  EXPECT_FALSE(other->isVisible());
  EXPECT_EQ(reading_label->text(), QStringLiteral("読みﾊﾝｸﾞﾙ："));
  Retype(1, QStringLiteral("감사합니다"));
  PressEnter(1);
  EXPECT_TRUE(other->isVisible());
  Click("SpeedButton6");
  EXPECT_FALSE(other->isVisible());
  EXPECT_EQ(reading_label->text(), QStringLiteral("読みﾊﾝｸﾞﾙ："));
}

// The other style is read with the answers given, without asking again.
TEST_F(MainFrmTest, TheOtherStyleAsksNothingMore) {
  TMainFrm& window = Open();
  BoxAnswerer answerer({QMessageBox::Yes});
  Type(1, QStringLiteral("일본 감사합니다"));
  PressEnter(1);
  std::size_t asked = 0;
  for (const auto& questions : window.record().questions) {
    asked += questions.size();
  }
  ASSERT_GT(asked, 0u);
  EXPECT_EQ(answerer.seen().size(), asked);
  EXPECT_EQ(Edit(2)->text(), QStringLiteral("일뽄 감사함니다"));
  EXPECT_EQ(Find<QLineEdit>("OtherReading")->text(),
            QStringLiteral("일뽄 감사안미다"));
}

// A settings file of an older version keeps the options it has.
TEST_F(MainFrmTest, AnOlderSettingsFileKeepsEverydaySpeech) {
  WriteSettings(
      "MainLeft,10\r\nMainTop,10\r\nH_Strong_Flg,1\r\n"
      "E_Real_Flg,1\r\n");
  TMainFrm& window = Open();
  EXPECT_EQ(StyleOf(window.settings().options), SpeechStyle::kEveryday);
  EXPECT_EQ(Find<QComboBox>("StyleBox")->currentText(),
            QStringLiteral("日常の発音"));
  Type(1, QStringLiteral("감사합니다"));
  PressEnter(1);
  EXPECT_EQ(Edit(2)->text(), QStringLiteral("감사안미다"));
}

TEST_F(MainFrmTest, ThePhraseOptionReadsAcrossTheSpacesBetweenWords) {
  TMainFrm& window = Open();
  Type(1, QStringLiteral("밭 아래 옷 한 벌"));
  Click("SpeedButton2");
  EXPECT_EQ(Edit(2)->text(),
            QStringLiteral("받 아래 옫 한벌"));  // 한 벌 listed
  Click("CheckBox4");
  EXPECT_TRUE(window.settings().options.phrase_flg);
  Click("SpeedButton2");
  EXPECT_EQ(Edit(2)->text(), QStringLiteral("바다래 오탄벌"));
}

TEST_F(MainFrmTest, TheDictionaryDecidesWhatItCanAndGuessesTheRest) {
  TMainFrm& window = Open();
  window.SetDictionary(std::make_shared<StandInDictionary>(),
                       [] { return QStringLiteral("辞書：テスト用"); });
  EXPECT_TRUE(Find<QCheckBox>("CheckBox5")->isEnabled());
  {
    // Decided: no box, and the report says who answered.
    BoxAnswerer answerer({QMessageBox::Yes});
    Retype(1, QStringLiteral("일본 사람"));
    PressEnter(1);
    EXPECT_TRUE(answerer.seen().empty());
    EXPECT_EQ(Edit(2)->text(), QStringLiteral("일본 사람"));
    const std::vector<RecordedQuestion>& asked =
        window.record().questions[StageId::kTensification5];
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.front().answer.by, Answerer::kDictionary);
  }
  {
    // Undecided: asked, with the hanja and the guess as the default.
    BoxAnswerer answerer({QMessageBox::Yes});
    Retype(1, QStringLiteral("목록"));
    PressEnter(1);
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_TRUE(answerer.seen().front().text.contains(
        QStringLiteral("「목록」（目錄）")))
        << answerer.seen().front().text.toStdString();
    EXPECT_EQ(answerer.seen().front().default_text, QStringLiteral("はい"));
    EXPECT_EQ(Edit(2)->text(), QStringLiteral("몽녹"));
  }
  {
    // Switched off, every question is asked, with いいえ as the default.
    Click("CheckBox5");
    EXPECT_FALSE(window.settings().dict_flg);
    BoxAnswerer answerer({QMessageBox::No});
    Retype(1, QStringLiteral("일본 사람"));
    PressEnter(1);
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen().front().default_text, QStringLiteral("いいえ"));
  }
  // The Readme tells what the dictionary found.
  Click("SpeedButton8");
  ASSERT_NE(window.help_window(), nullptr);
  EXPECT_EQ(window.help_window()
                ->findChild<QLabel*>(QStringLiteral("HelpNote"))
                ->text(),
            QStringLiteral("辞書：テスト用"));
}

TEST_F(MainFrmTest, TheNumbersOptionSpellsOutDigitsAndAsksAboutCounters) {
  TMainFrm& window = Open();
  Retype(1, QStringLiteral("3시 30분에 만나요"));
  PressEnter(1);
  EXPECT_EQ(Edit(2)->text(), QStringLiteral("3시 30부네 만나요"));

  Click("CheckBox6");
  EXPECT_TRUE(window.settings().options.read_numbers_flg);
  EXPECT_NE(ReadFileBytes(SettingsFile()).find("\r\nRead_Numbers_Flg,1\r\n"),
            std::string::npos);
  PressEnter(1);
  EXPECT_EQ(Edit(2)->text(), QStringLiteral("세 시 삼시뿌네 만나요"));
  Retype(1, QStringLiteral("100명"));
  PressEnter(1);
  EXPECT_EQ(Edit(2)->text(), QStringLiteral("뱅명"));

  // A counter of either system is asked, with the guess as the default,
  // whether or not a dictionary is consulted.
  const QString counted = QStringLiteral(
      "【数字の読み】\n「2번」（두 번／이 "
      "번）は、回数や個数を数える固有語の数詞"
      "（前者）で読みますか？いいえなら、番号や年代を表す漢数詞（後者）で読み"
      "ます。\n前後からの推測：はい（2번＝回数・個数（固有語の数詞））");
  struct Case {
    const char* name;
    QString input;
    QMessageBox::StandardButton answer;
    QString default_text;
    QString reading;
  } const cases[] = {
      {"counted, No", QStringLiteral("2번 봤어요"), QMessageBox::No,
       QStringLiteral("はい"), QStringLiteral("이 번 봐써요")},
      {"numbered, Yes", QStringLiteral("3번 버스"), QMessageBox::Yes,
       QStringLiteral("いいえ"), QStringLiteral("세 번 버스")},
      {"closed", QStringLiteral("2번 봤어요"), BoxAnswerer::kCloseBox,
       QStringLiteral("はい"), QStringLiteral("이 번 봐써요")},
  };
  for (const bool dictionary : {false, true}) {
    if (dictionary) {
      window.SetDictionary(std::make_shared<StandInDictionary>(),
                           [] { return QStringLiteral("辞書：テスト用"); });
    }
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.name) + (dictionary ? ", dictionary" : ""));
      BoxAnswerer answerer({c.answer});
      Retype(1, c.input);
      PressEnter(1);
      ASSERT_EQ(answerer.seen().size(), 1u);
      if (c.input.startsWith(QStringLiteral("2번"))) {
        EXPECT_EQ(answerer.seen().front().text, counted)
            << answerer.seen().front().text.toStdString();
      }
      EXPECT_EQ(answerer.seen().front().default_text, c.default_text);
      EXPECT_EQ(Edit(2)->text(), c.reading);
    }
  }

  // Off again, digits stand as typed and nothing is asked.
  Click("CheckBox6");
  EXPECT_FALSE(window.settings().options.read_numbers_flg);
  BoxAnswerer answerer({QMessageBox::Yes});
  PressEnter(1);
  EXPECT_TRUE(answerer.seen().empty());
  EXPECT_EQ(Edit(2)->text(), QStringLiteral("2번 봐써요"));
}

TEST_F(MainFrmTest, ANotationOutsideTheListIsKeptButSavedAsZero) {
  WriteSettings("Noon_Idx,7\r\nMainLeft,12\r\nMainTop,34\r\n");
  TMainFrm& window = Open();
  EXPECT_EQ(window.settings().options.notation, static_cast<Notation>(7));
  window.close();
  EXPECT_TRUE(
      ReadFileBytes(SettingsFile())
          .starts_with("MainLeft,12\r\nMainTop,34\r\nN_Insert_Flg,0\r\n"
                       "H_Strong_Flg,1\r\nE_Real_Flg,1\r\nNoon_Idx,0\r\n"));
}

TEST_F(MainFrmTest, AnUncreatableSystemFolderWarnsOnceAndTheWindowGoesOn) {
  root_.WriteBytes("appdata", "a file where the folder should go");
  BoxAnswerer answerer({QMessageBox::Yes, QMessageBox::Ok});
  TMainFrm& window = Open();
  ASSERT_EQ(answerer.seen().size(), 1u);
  EXPECT_EQ(answerer.seen()[0].text,
            QStringLiteral("システムフォルダが作れませんでした。\n") +
                FromPath(SystemFolder()) +
                QStringLiteral(
                    "\n理由：パスの途中にフォルダではないものがあります。"));
  EXPECT_EQ(answerer.seen()[0].icon, QMessageBox::Warning);
  EXPECT_EQ(answerer.seen()[0].buttons, QMessageBox::Yes);
  EXPECT_EQ(window.settings(), Settings{});

  Type(1, QStringLiteral("같이"));
  PressEnter(1);
  EXPECT_EQ(Edit(2)->text(), QStringLiteral("가치"));
  // The report has nowhere to go: the error box says so, the symbols stand.
  PressEnter(2);
  EXPECT_FALSE(Edit(3)->text().isEmpty());
  ASSERT_EQ(answerer.seen().size(), 2u);
  EXPECT_EQ(answerer.seen()[1].icon, QMessageBox::Critical);
  // Japanese throughout: the system's reason on a line of its own.
  EXPECT_EQ(
      answerer.seen()[1].text,
      FromPath(SystemFolder() / "Work.html") +
          QStringLiteral(" に書き込めません。\n"
                         "理由：パスの途中にフォルダではないものがあります。"));

  // Nothing can be saved either; that was said at the start, and is not
  // said again for an option or at closing.
  Click("CheckBox1");
  window.close();
  EXPECT_EQ(answerer.seen().size(), 2u);
  EXPECT_TRUE(std::filesystem::is_regular_file(root_.path() / "appdata"));
}

TEST_F(MainFrmTest, AnErrorEndsTheConversionInAnErrorBox) {
  TempFolder program;
  std::filesystem::create_directories(program.path() / "kdat" /
                                      "riul_future.txt");
  program_folder_ = program.path();
  Open();
  Edit(2)->setText(QStringLiteral("이전"));
  BoxAnswerer answerer({QMessageBox::Ok});
  Type(1, QStringLiteral("같이"));
  PressEnter(1);
  ASSERT_EQ(answerer.seen().size(), 1u);
  const SeenBox& box = answerer.seen().front();
  EXPECT_EQ(box.icon, QMessageBox::Critical);
  EXPECT_EQ(box.title, QStringLiteral("Hangul Pimoru"));
  EXPECT_TRUE(box.text.contains(QStringLiteral("riul_future.txt")))
      << box.text.toStdString();
  EXPECT_EQ(Edit(2)->text(), QStringLiteral("이전"));

  // The lists are read afresh: once the file is mended, the next run works.
  std::filesystem::remove(program.path() / "kdat" / "riul_future.txt");
  PressEnter(1);
  EXPECT_EQ(answerer.seen().size(), 1u);
  EXPECT_EQ(Edit(2)->text(), QStringLiteral("가치"));

  // Without its kdat folder the window has no lists: an error, not a
  // reading without them.
  std::filesystem::remove_all(program.path() / "kdat");
  PressEnter(1);
  ASSERT_EQ(answerer.seen().size(), 2u);
  EXPECT_TRUE(
      answerer.seen()[1].text.contains(FromPath(program.path() / "kdat")))
      << answerer.seen()[1].text.toStdString();
}

TEST_F(MainFrmTest, HelpLinksOpenInTheProgramsOwnHelpWindow) {
  TMainFrm& window = Open();
  Type(1, QStringLiteral("같이 먹어요"));
  PressEnter(1);
  PressEnter(2);
  const std::vector<QString> links = Links(*Browser()->document());
  ASSERT_FALSE(links.empty());
  const QUrl link(links.front());
  emit Browser()->anchorClicked(link);
  HelpWindow* help = window.help_window();
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->isVisible());
  const QUrl page = help->findChild<QTextBrowser*>("HelpBrowser")->source();
  EXPECT_EQ(page, Browser()->source().resolved(link));
  EXPECT_TRUE(page.isLocalFile());
  EXPECT_EQ(std::filesystem::path(page.toLocalFile().toStdString())
                .parent_path()
                .lexically_normal(),
            window.folders().HtmlFolder().lexically_normal());
  EXPECT_TRUE(opened_.empty());

  // A web address goes to the desktop's browser instead.
  emit Browser()->anchorClicked(QUrl(QStringLiteral("https://example.org/")));
  ASSERT_EQ(opened_.size(), 1u);
  EXPECT_EQ(opened_[0], QUrl(QStringLiteral("https://example.org/")));

  window.close();
  EXPECT_FALSE(help->isVisible());
}

TEST_F(MainFrmTest, TheTranslatorGetsTheInputFromKoreanIntoJapanese) {
  Open();
  Click("SpeedButton7");
  Type(1, QStringLiteral("같이 먹어요"));
  Click("SpeedButton7");
  ASSERT_EQ(opened_.size(), 2u);
  EXPECT_EQ(opened_[0], QUrl(QString::fromLatin1(kTranslatorAddress)));
  EXPECT_EQ(opened_[1].host(), QStringLiteral("translate.google.com"));
  const QUrlQuery query(opened_[1]);
  EXPECT_EQ(query.queryItemValue(QStringLiteral("sl")), QStringLiteral("ko"));
  EXPECT_EQ(query.queryItemValue(QStringLiteral("tl")), QStringLiteral("ja"));
  EXPECT_EQ(query.queryItemValue(QStringLiteral("text"), QUrl::FullyDecoded),
            QStringLiteral("같이 먹어요"));
}

TEST(TranslatorUrl, HandsOverAtMostTheLimitAndNeverHalfACharacter) {
  const QString long_text(kTranslatorTextLimit + 10, QChar(u'가'));
  EXPECT_EQ(QUrlQuery(TranslatorUrl(long_text))
                .queryItemValue(QStringLiteral("text"), QUrl::FullyDecoded),
            long_text.left(kTranslatorTextLimit));
  // A character outside the basic plane is two units: not cut in two.
  const QString wide = QString(kTranslatorTextLimit - 1, QChar(u'가')) +
                       QString::fromUtf8("\xF0\xA0\x80\x80");
  EXPECT_EQ(QUrlQuery(TranslatorUrl(wide))
                .queryItemValue(QStringLiteral("text"), QUrl::FullyDecoded),
            wide.left(kTranslatorTextLimit - 1));
}

TEST_F(MainFrmTest, WithoutABrowserTheTranslatorsAddressIsShownToCopy) {
  Open();
  opens_ = false;
  Type(1, QStringLiteral("사람"));
  QString shown;
  QTimer copy;
  copy.setSingleShot(false);
  QObject::connect(&copy, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (box == nullptr || box->objectName() != QStringLiteral("AddressBox")) {
      return;
    }
    shown = box->findChild<QLineEdit*>(QStringLiteral("Address"))->text();
    box->findChild<QPushButton*>(QStringLiteral("CopyAddress"))->click();
    box->reject();
  });
  copy.start(10);
  QApplication::clipboard()->clear();
  Click("SpeedButton7");
  ASSERT_EQ(opened_.size(), 1u);  // it was tried
  EXPECT_EQ(shown, opened_[0].toString(QUrl::FullyEncoded));
  EXPECT_EQ(QApplication::clipboard()->text(), shown);
}

TEST_F(MainFrmTest, TheReadmeOpensInTheHelpWindow) {
  TempFolder program;
  program_folder_ = program.path();
  TMainFrm& window = Open();
  {
    // Missing: said in a box, nothing opened.
    BoxAnswerer answerer({QMessageBox::Ok});
    Click("SpeedButton8");
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_TRUE(answerer.seen()[0].text.startsWith(
        QStringLiteral("Readme.txt が見つかりません。")));
    EXPECT_EQ(window.help_window(), nullptr);
  }
  const std::filesystem::path readme = program.WriteBytes(
      "Readme.txt", "■ この道具について\nハングル ぴもる <Readme>\n");
  Click("SpeedButton8");
  HelpWindow* help = window.help_window();
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->isVisible());
  auto* browser = help->findChild<QTextBrowser*>("HelpBrowser");
  EXPECT_EQ(browser->source(), QUrl::fromLocalFile(FromPath(readme)));
  EXPECT_EQ(browser->document()->toPlainText(),
            QStringLiteral("■ この道具について\nハングル ぴもる <Readme>\n"));
  EXPECT_EQ(help->windowTitle(), QStringLiteral("Readme.txt"));
  EXPECT_TRUE(browser->document()->defaultFont().families().contains(
      QStringLiteral("Noto Sans Mono CJK JP")));
  EXPECT_TRUE(opened_.empty());
}

TEST_F(MainFrmTest, TypingRightAfterTheStartGoesToTheInput) {
  TMainFrm& window = Open();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  ASSERT_EQ(QApplication::focusWidget(), Edit(1));
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("abc"));
  EXPECT_EQ(Edit(1)->text(), QStringLiteral("abc"));
}

// Presses Enter in the question box `delay_ms` after it is first seen
// open, and records whether it was open then. A box still open long after
// is closed, so that a test fails instead of waiting for ever.
class EnterInBox {
 public:
  explicit EnterInBox(int delay_ms) : delay_ms_(delay_ms) {
    QObject::connect(&poll_, &QTimer::timeout, [this] { Poll(); });
    poll_.start(5);
  }
  bool box_open() const { return box_open_; }

 private:
  static constexpr int kGiveUpMs = 10000;

  void Poll() {
    QWidget* box = QApplication::activeModalWidget();
    if (box == nullptr || !box->isVisible()) return;
    if (!seen_.isValid()) seen_.start();
    if (seen_.elapsed() > delay_ms_ + kGiveUpMs) {
      box->close();
    } else if (!pressed_ && seen_.elapsed() >= delay_ms_) {
      pressed_ = true;
      box_open_ = true;
      QTest::keyClick(box->focusWidget() ? box->focusWidget() : box,
                      Qt::Key_Return);
    }
  }

  int delay_ms_;
  QTimer poll_;
  QElapsedTimer seen_;
  bool pressed_ = false;
  bool box_open_ = false;
};

// Clear, 일본 사람, Enter, Enter: the first Enter runs 変換1, which asks
// whether 본 is tensed; the second, meant for 変換2, reaches the question
// the moment it opens. It must not answer it: the question waits for a
// key pressed once it could be read, and Enter then means No.
TEST_F(MainFrmTest, AQuickSecondEnterDoesNotAnswerTheQuestion) {
  Open();
  Type(1, QStringLiteral("일본 사람"));
  EnterInBox second_enter(0);
  EnterInBox deliberate_enter(kQuestionKeyDelayMs + 300);
  PressEnter(1);
  EXPECT_TRUE(second_enter.box_open());
  EXPECT_TRUE(deliberate_enter.box_open());  // still asking
  EXPECT_EQ(Edit(2)->text(), QStringLiteral("일본 사람"));
}

TEST(AskYesNo, EnterChoosesTheDefaultButtonOnceTheBoxCanBeRead) {
  for (const bool default_yes : {false, true}) {
    SCOPED_TRACE(default_yes);
    EnterInBox enter(kQuestionKeyDelayMs + 100);
    EXPECT_EQ(AskYesNo(nullptr, QStringLiteral("질문"), default_yes),
              default_yes);
    EXPECT_TRUE(enter.box_open());
  }
}

TEST_F(MainFrmTest, APasteLongerThanALineEditsDefaultIsKeptWhole) {
  Open();
  // 40,000 characters: a line field's own limit is 32,767.
  QString text;
  while (text.size() < 40000) text += QStringLiteral("같이 먹어요 ");
  text += QStringLiteral("마지막");
  QApplication::clipboard()->setText(text);
  Edit(1)->setFocus();
  Edit(1)->paste();
  EXPECT_EQ(Edit(1)->text(), text);
  PressEnter(1);
  EXPECT_TRUE(Edit(2)->text().endsWith(QStringLiteral("가치 머거요 마지막")));
  EXPECT_GT(Edit(2)->text().size(), 40000);
}

TEST_F(MainFrmTest, AnOptionChangeIsSavedAtOnce) {
  Open();
  ASSERT_FALSE(std::filesystem::exists(SettingsFile()));
  Click("CheckBox1");
  EXPECT_NE(ReadFileBytes(SettingsFile()).find("N_Insert_Flg,1\r\n"),
            std::string::npos);
  Find<QComboBox>("ComboBox1")->setCurrentIndex(2);
  EXPECT_NE(ReadFileBytes(SettingsFile()).find("Noon_Idx,2\r\n"),
            std::string::npos);
  Click("SpeedButton1");
  EXPECT_NE(ReadFileBytes(SettingsFile()).find("Option_Open_Flg,1\r\n"),
            std::string::npos);
}

TEST_F(MainFrmTest, ASettingsFileThatCannotBeReadIsNeverWrittenOver) {
  // A folder stands at the file's path: it cannot be read.
  std::filesystem::create_directories(SettingsFile());
  BoxAnswerer answerer({QMessageBox::Ok});
  TMainFrm& window = Open();
  ASSERT_EQ(answerer.seen().size(), 1u);
  EXPECT_EQ(answerer.seen()[0].icon, QMessageBox::Warning);
  EXPECT_EQ(
      answerer.seen()[0].text,
      QStringLiteral("設定ファイルを読めませんでした。既定の設定で始めます。"
                     "このファイルには書き込みません。\n") +
          FromPath(SettingsFile()) +
          QStringLiteral("\n理由：ファイルではないもの（フォルダ、デバイス、"
                         "名前付きパイプなど）があります。"));
  EXPECT_EQ(window.settings(), Settings{});

  // Whatever was there (a file the user could not read, now mended) is
  // left alone by every later save, and nothing more is said.
  std::filesystem::remove(SettingsFile());
  WriteSettings("MainLeft,7\r\n");
  Click("CheckBox1");
  window.close();
  EXPECT_EQ(ReadFileBytes(SettingsFile()), "MainLeft,7\r\n");
  EXPECT_EQ(answerer.seen().size(), 1u);
}

TEST_F(MainFrmTest, SettingsThatCannotBeSavedAreSaidOnce) {
  // A link into a folder that does not exist: read as no file, never
  // written.
  std::filesystem::create_directories(SystemFolder());
  std::filesystem::create_symlink(root_.path() / "gone" / "Pimoru.rng",
                                  SettingsFile());
  BoxAnswerer answerer({QMessageBox::Ok});
  TMainFrm& window = Open();
  EXPECT_TRUE(answerer.seen().empty());
  Click("CheckBox1");
  Click("CheckBox1");
  window.close();
  ASSERT_EQ(answerer.seen().size(), 1u);
  EXPECT_EQ(answerer.seen()[0].text,
            QStringLiteral("設定を保存できませんでした。\n") +
                FromPath(SettingsFile()) +
                QStringLiteral("\n理由：ファイルまたはフォルダがありません。"));
}

TEST_F(MainFrmTest, TheWindowRemembersItsSizeTheReportAndTheZoom) {
  TMainFrm& window = Open();
  Click("SpeedButton1");
  window.resize(700, 600);
  QTest::keyClick(&window, Qt::Key_Plus, Qt::ControlModifier);
  window.close();
  const std::string saved = ReadFileBytes(SettingsFile());
  for (const char* line : {"Main_Width,700\r\n", "Main_Height,600\r\n",
                           "Option_Open_Flg,1\r\n", "Zoom_Idx,4\r\n"}) {
    EXPECT_NE(saved.find(line), std::string::npos) << line << saved;
  }
  window_.reset();

  TMainFrm& again = Open();
  EXPECT_EQ(again.size(), QSize(700, 600));
  EXPECT_TRUE(Browser()->isVisible());
  EXPECT_TRUE(Find<QAbstractButton>("SpeedButton1")->isChecked());
  EXPECT_DOUBLE_EQ(Edit(1)->font().pointSizeF(), 14 * kZoomPercents[4] / 100.0);

  // Closed, the window is compact: as tall as its zoomed rows need, no
  // more; opened again, it has the height it had.
  Click("SpeedButton1");
  Settle();
  EXPECT_GT(again.height(), kCompactHeight);
  EXPECT_EQ(again.height(), again.minimumSizeHint().height());
  EXPECT_EQ(again.maximumHeight(), again.height());
  Click("SpeedButton1");
  EXPECT_EQ(again.size(), QSize(700, 600));
}

TEST_F(MainFrmTest, ControlPlusAndMinusZoomTheRowsAndTheReportTogether) {
  TMainFrm& window = Open();
  Type(1, QStringLiteral("같이"));
  PressEnter(1);
  PressEnter(2);
  Click("SpeedButton1");
  const auto report_pixels = [this] {
    // The size of the reading's letters in the report.
    for (QTextBlock block = Browser()->document()->begin(); block.isValid();
         block = block.next()) {
      for (auto it = block.begin(); !it.atEnd(); ++it) {
        if (it.fragment().text().contains(QStringLiteral("가치"))) {
          return it.fragment().charFormat().font().pixelSize();
        }
      }
    }
    return 0;
  };
  const int report_at_100 = report_pixels();
  ASSERT_EQ(report_at_100, 16);
  const int field_height = Edit(1)->height();

  for (int k = 0; k < 3; ++k) {
    QTest::keyClick(&window, Qt::Key_Plus, Qt::ControlModifier);
  }
  Settle();
  const int percent = kZoomPercents[kDefaultZoomIdx + 3];
  EXPECT_EQ(window.settings().zoom_idx, kDefaultZoomIdx + 3);
  EXPECT_DOUBLE_EQ(Edit(2)->font().pointSizeF(), 14 * percent / 100.0);
  EXPECT_EQ(Find<QLabel>("Label1")->font().pixelSize(),
            std::lround(13 * percent / 100.0));
  EXPECT_EQ(report_pixels(), std::lround(16 * percent / 100.0));
  EXPECT_GT(Edit(1)->height(), field_height);
  // The rows still fit above the report.
  EXPECT_LE(Find<QWidget>("Edit4")->mapTo(&window, QPoint(0, 0)).y() +
                Edit(4)->height(),
            Browser()->mapTo(&window, QPoint(0, 0)).y());

  QTest::keyClick(&window, Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_EQ(window.settings().zoom_idx, kDefaultZoomIdx + 2);
  QTest::keyClick(&window, Qt::Key_0, Qt::ControlModifier);
  EXPECT_EQ(window.settings().zoom_idx, kDefaultZoomIdx);
  EXPECT_EQ(report_pixels(), report_at_100);
  for (int k = 0; k < 20; ++k) {
    QTest::keyClick(&window, Qt::Key_Minus, Qt::ControlModifier);
  }
  EXPECT_EQ(window.settings().zoom_idx, 0);  // the smallest, no further
  // Compact at the smallest zoom: as tall as the small rows need.
  Click("SpeedButton1");
  Settle();
  EXPECT_LT(window.height(), kCompactHeight);
  EXPECT_EQ(window.height(), window.minimumSizeHint().height());
}

TEST_F(MainFrmTest, TheReportTakesTheHeightTheUserGivesIt) {
  TMainFrm& window = Open();
  Click("SpeedButton1");
  auto* splitter = Find<QSplitter>("Splitter1");
  ASSERT_EQ(splitter->count(), 2);
  EXPECT_EQ(splitter->widget(0), Find<QWidget>("Panel2"));
  EXPECT_EQ(splitter->widget(1), Find<QWidget>("Panel3"));
  const int report = Browser()->height();
  window.resize(window.width(), window.height() + 200);
  Settle();
  EXPECT_EQ(Browser()->height(), report + 200);
  // The line between rows and report moves; the rows keep their room.
  splitter->setSizes({splitter->sizes()[0] + 50, splitter->sizes()[1] - 50});
  Settle();
  EXPECT_EQ(Browser()->height(), report + 150);
  splitter->setSizes({0, splitter->sizes()[0] + splitter->sizes()[1]});
  Settle();
  EXPECT_GE(Find<QWidget>("Panel2")->height(),
            Find<QWidget>("Panel2")->minimumSizeHint().height());
}

// The commands of a field's context menu, as offered.
QStringList ContextMenuOf(QLineEdit* field) {
  QStringList offered;
  QTimer look;
  QObject::connect(&look, &QTimer::timeout, [&] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr) return;
    for (const QAction* action : menu->actions()) {
      // Without the shortcut that follows a tab.
      if (!action->isSeparator()) {
        offered.push_back(action->text().section(u'\t', 0, 0));
      }
    }
    menu->close();
  });
  look.start(10);
  emit field->customContextMenuRequested(QPoint(5, 5));
  return offered;
}

TEST_F(MainFrmTest, QtsOwnStringsAreJapaneseWhateverTheLocale) {
  const QLocale before;
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  Open();
  const QStringList offered = ContextMenuOf(Edit(1));
  QLocale::setDefault(before);
  EXPECT_TRUE(offered.contains(QStringLiteral("コピー(&C)")))
      << offered.join(QStringLiteral(",")).toStdString();
  EXPECT_TRUE(offered.filter(QStringLiteral("Copy")).isEmpty());
  EXPECT_TRUE(offered.filter(QStringLiteral("Undo")).isEmpty());
}

TEST_F(MainFrmTest, TheReportOpensWithRoomForTenOfItsLines) {
  TMainFrm& window = Open();
  // Many stages change it, each line short enough to take one line.
  Type(1, QStringLiteral("같이 먹어요 옷 한 벌 국물 좋아요 신라"));
  PressEnter(1);
  PressEnter(2);
  Click("SpeedButton1");
  Settle();
  ASSERT_GT(Browser()->document()->blockCount(), 12);
  const int bottom = Browser()->viewport()->height() - 4;
  EXPECT_GE(Browser()->cursorForPosition(QPoint(4, bottom)).blockNumber(), 9);
  // And the grown window stays on the screen.
  EXPECT_TRUE(
      window.screen()->availableGeometry().contains(window.frameGeometry()));
}

TEST_F(MainFrmTest, LongSymbolAndKanaRowsShowTheirStart) {
  Open();
  QString text;
  for (int k = 0; k < 8; ++k) text += QStringLiteral("안녕하세요 감사합니다 ");
  Type(1, text);
  PressEnter(1);
  PressEnter(2);
  for (int n : {3, 4}) {
    SCOPED_TRACE(n);
    EXPECT_GT(Edit(n)->fontMetrics().horizontalAdvance(Edit(n)->text()),
              Edit(n)->width());
    EXPECT_EQ(Edit(n)->cursorPosition(), 0);
  }
}

TEST(PlaceOnScreens, APlaceOffEveryScreenIsBroughtOntoTheNearest) {
  const QSize size(640, 300);
  const QRect left(0, 0, 1920, 1040);  // a task bar below
  const QRect right(1920, 0, 1280, 1024);
  const QList<QRect> one = {left};
  const QList<QRect> two = {left, right};
  struct Case {
    const char* name;
    QPoint top_left;
    QList<QRect> areas;
    QPoint placed;
  } const cases[] = {
      {"inside", {100, 200}, one, {100, 200}},
      {"right of the screen", {3000, 200}, one, {1280, 200}},
      {"far right", {2147483647, 2147483647}, one, {1280, 740}},
      {"far left and up", {-2147483647 - 1, -5000}, one, {0, 0}},
      {"below, under the task bar", {100, 900}, one, {100, 740}},
      {"a monitor unplugged", {3500, 100}, one, {1280, 100}},
      {"on the second monitor", {3000, 100}, two, {2560, 100}},
      {"across both monitors", {1700, 100}, two, {1700, 100}},
      {"mostly on the second", {1800, 900}, two, {1920, 724}},
      {"no screen known", {3000, 100}, {}, {3000, 100}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(PlaceOnScreens(c.top_left, size, c.areas), c.placed);
  }
  // A window larger than the screen keeps its top left corner on it.
  EXPECT_EQ(PlaceOnScreens({500, 500}, QSize(3000, 2000), one), QPoint(0, 0));
}

TEST_F(MainFrmTest, APlaceStoredOffTheScreenIsBroughtBackOntoIt) {
  for (const char* file : {"MainLeft,3000\r\nMainTop,100\r\n",
                           "MainLeft,2147483647\r\nMainTop,2147483647\r\n"}) {
    SCOPED_TRACE(file);
    WriteSettings(file);
    TMainFrm& window = Open();
    const QRect area = window.screen()->availableGeometry();
    EXPECT_TRUE(area.contains(window.frameGeometry()))
        << window.frameGeometry().x() << "," << window.frameGeometry().y();
    window_.reset();
  }
}

TEST_F(MainFrmTest, TheWholeResultIsCopiedFromTheContextMenu) {
  Open();
  auto* copy_result =
      window_->findChild<QAction*>(QStringLiteral("CopyResult"));
  ASSERT_NE(copy_result, nullptr);
  // Nothing to copy yet, not even with an input typed.
  EXPECT_FALSE(copy_result->isEnabled());
  Type(1, QStringLiteral("같이"));
  EXPECT_FALSE(copy_result->isEnabled());

  // The typed line too, and only the rows that hold a text.
  PressEnter(1);
  ASSERT_TRUE(copy_result->isEnabled());
  copy_result->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(),
            QStringLiteral("ハングル：같이\n読みﾊﾝｸﾞﾙ：가치\n"));
  PressEnter(2);
  copy_result->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(),
            QStringLiteral("ハングル：같이\n読みﾊﾝｸﾞﾙ：가치\n発音記号：") +
                Edit(3)->text() + QStringLiteral("\n発音カナ：") +
                Edit(4)->text() + QStringLiteral("\n"));

  // It is offered in each field's menu, below the field's own commands.
  for (int n = 1; n <= 4; ++n) {
    SCOPED_TRACE(n);
    const QStringList offered = ContextMenuOf(Edit(n));
    ASSERT_GT(offered.size(), 1);
    EXPECT_EQ(offered.back(), copy_result->text());
    EXPECT_EQ(offered.count(QStringLiteral("コピー(&C)")), 1)
        << offered.join(QStringLiteral(",")).toStdString();
  }

  Click("SpeedButton6");
  EXPECT_FALSE(copy_result->isEnabled());
}

}  // namespace
}  // namespace pimoru
