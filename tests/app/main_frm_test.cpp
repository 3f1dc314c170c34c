// The real window, driven offscreen: typing, Enter, both conversions, the
// report, the question and warning boxes, the options, the settings file.
#include "app/main_frm.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/fonts.h"
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

QString RedText(const QTextDocument& document) {
  QString red;
  for (QTextBlock block = document.begin(); block.isValid();
       block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat format = it.fragment().charFormat();
      if (!format.hasProperty(QTextFormat::ForegroundBrush)) continue;
      const QColor color = format.foreground().color();
      if (color.red() > 150 && color.green() < 100 && color.blue() < 100) {
        red += it.fragment().text();
      }
    }
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
      return true;
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

  QUrl ReportUrl() const {
    return QUrl::fromLocalFile(FromPath(SystemFolder() / "Work.html"));
  }

  TempFolder root_;
  std::filesystem::path program_folder_ = kStagedData;
  std::vector<QUrl> opened_;
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
  EXPECT_TRUE(Find<QCheckBox>("CheckBox2")->isChecked());
  EXPECT_TRUE(Find<QCheckBox>("CheckBox3")->isChecked());
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
      {"SpeedButton6", "Clear"},
      {"SpeedButton7", "Google翻訳"},
      {"SpeedButton8", "Readme"},
      {"Button1", "終了"},
      {"CheckBox1", "N挿入もチェックする"},
      {"CheckBox2", "ㅎの弱音化を無音化にする"},
      {"CheckBox3", "リアル文末表現"},
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
  EXPECT_EQ(window.record().results[0], u"같이 먹어요");

  PressEnter(2);
  StageRecord scratch;
  const Transcription expected =
      Transcribe(u"가치 머거요", /*noon_idx=*/0, scratch);
  EXPECT_FALSE(Edit(3)->text().isEmpty());
  EXPECT_EQ(Edit(3)->text(), Q(expected.symbols));
  EXPECT_EQ(Edit(4)->text(), Q(expected.kana));
  EXPECT_EQ(window.voicing_marks(), expected.voicing_marks);
  EXPECT_EQ(window.record().results[kVoicingSlot],
            scratch.results[kVoicingSlot]);

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

TEST_F(MainFrmTest, QuestionsAreModalYesNoBoxes) {
  TMainFrm& window = Open();
  Click("CheckBox1");
  ASSERT_TRUE(window.settings().options.n_insert_flg);
  const QString question = QStringLiteral(
      "ニウン挿入[n挿入]\n솜이は合成語または2語がつながった語ですか？"
      "合成語または2語がつながった語でㅁパッチムの後ろにㅇ初声が来た場合、"
      "ニウン挿入[n挿入]します。");
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

TEST_F(MainFrmTest, NotationChangesTheSymbolsOfTheNextTranscriptionOnly) {
  TMainFrm& window = Open();
  Type(2, QStringLiteral("아까"));
  PressEnter(2);
  const QString kana = Edit(4)->text();
  EXPECT_TRUE(Edit(3)->text().contains(QStringLiteral("ˀk")))
      << Edit(3)->text().toStdString();

  Find<QComboBox>("ComboBox1")->setCurrentIndex(2);
  EXPECT_EQ(window.settings().options.noon_idx, 2);
  EXPECT_TRUE(Edit(3)->text().contains(QStringLiteral("ˀk")));  // not yet
  PressEnter(2);
  EXPECT_TRUE(Edit(3)->text().contains(QStringLiteral("kʼ")))
      << Edit(3)->text().toStdString();
  EXPECT_EQ(Edit(4)->text(), kana);
}

TEST_F(MainFrmTest, ClearEmptiesTheFieldsButKeepsTheReport) {
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
  EXPECT_EQ(Browser()->source(), ReportUrl());
  EXPECT_FALSE(Browser()->document()->isEmpty());

  // A reading typed with no input writes no report; the last one is shown.
  Type(2, QStringLiteral("가다"));
  PressEnter(2);
  EXPECT_FALSE(Edit(3)->text().isEmpty());
  EXPECT_EQ(ReadFileBytes(SystemFolder() / "Work.html"), report);
  EXPECT_EQ(Browser()->source(), ReportUrl());
  EXPECT_TRUE(Browser()->document()->toPlainText().contains(
      QStringLiteral("가치 머거요")));
}

TEST_F(MainFrmTest, CopyPutsTheWholeFieldOnTheClipboard) {
  TMainFrm& window = Open();
  struct Case {
    const char* button;
    int edit;
    QString text;
  } const cases[] = {
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

  Click("SpeedButton1");
  EXPECT_FALSE(toggle->isChecked());
  EXPECT_EQ(toggle->text(), QStringLiteral("Option"));
  EXPECT_EQ(window.size(), QSize(width, kCompactHeight));
  EXPECT_FALSE(Browser()->isVisible());
  EXPECT_EQ(Find<QWidget>("Panel1")->geometry().bottom(), window.height() - 1);
}

TEST_F(MainFrmTest, TheSettingsFileSetsUpTheWindow) {
  struct Case {
    const char* file;
    bool centred;
    QPoint position;
    int notation_index;
    bool n_insert, h_strong, e_real;
  } const cases[] = {
      {"MainLeft,100\r\n", false, {100, -100}, 0, false, true, true},
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

TEST_F(MainFrmTest, ClosingWritesTheSixLines) {
  TMainFrm& window = Open();
  Click("CheckBox1");
  Click("CheckBox2");
  Click("CheckBox3");
  Find<QComboBox>("ComboBox1")->setCurrentIndex(1);
  window.move(-20, 30);
  Click("Button1");
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(ReadFileBytes(SettingsFile()),
            "MainLeft,-20\r\nMainTop,30\r\nN_Insert_Flg,1\r\n"
            "H_Strong_Flg,0\r\nE_Real_Flg,0\r\nNoon_Idx,1\r\n");
}

TEST_F(MainFrmTest, ANotationOutsideTheListIsKeptButSavedAsZero) {
  WriteSettings("Noon_Idx,7\r\nMainLeft,12\r\nMainTop,34\r\n");
  TMainFrm& window = Open();
  EXPECT_EQ(window.settings().options.noon_idx, 7);
  window.close();
  EXPECT_EQ(ReadFileBytes(SettingsFile()),
            "MainLeft,12\r\nMainTop,34\r\nN_Insert_Flg,0\r\n"
            "H_Strong_Flg,1\r\nE_Real_Flg,1\r\nNoon_Idx,0\r\n");
}

TEST_F(MainFrmTest, AnUncreatableSystemFolderWarnsOnceAndTheWindowGoesOn) {
  root_.WriteBytes("appdata", "a file where the folder should go");
  BoxAnswerer answerer({QMessageBox::Yes, QMessageBox::Ok});
  TMainFrm& window = Open();
  ASSERT_EQ(answerer.seen().size(), 1u);
  EXPECT_EQ(answerer.seen()[0].text,
            QStringLiteral("システムフォルダが作れませんでした。"));
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

  window.close();
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
  EXPECT_TRUE(answerer.seen()[1].text.contains(
      FromPath(program.path() / "kdat")))
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

TEST_F(MainFrmTest, TranslatorAndReadmeAreHandedToTheDesktop) {
  TempFolder program;
  program_folder_ = program.path();
  Open();
  Click("SpeedButton8");  // no Readme.txt: nothing at all
  EXPECT_TRUE(opened_.empty());
  Click("SpeedButton7");
  ASSERT_EQ(opened_.size(), 1u);
  EXPECT_EQ(opened_[0], QUrl(QString::fromLatin1(kTranslatorAddress)));

  const std::filesystem::path readme =
      program.WriteBytes("Readme.txt", "Hangul Pimoru\n");
  Click("SpeedButton8");
  ASSERT_EQ(opened_.size(), 2u);
  EXPECT_EQ(opened_[1], QUrl::fromLocalFile(FromPath(readme)));
}

}  // namespace
}  // namespace pimoru
