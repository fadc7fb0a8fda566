#include "platform/qt/qt_view.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "app/about_box.h"
#include "app/main_window.h"
#include "app/search_window.h"
#include "platform/qt/gauge_widget.h"
#include "platform/qt/qt_serial_device.h"
#include "platform/virtual/recorded_sound.h"
#include "qt_app_fixture.h"

namespace platform {
namespace {

struct Placement {
  const Control* control;
  int left, top, width, height;  // a size of 0 x 0: the control takes its caption's size
};

class QtViewTest : public QtAppTest {
 protected:
  QtViewTest() { form1.Show(); }

  FormWindow& Window(const Form& form) {
    FormWindow* window = view.WindowOf(form);
    EXPECT_NE(window, nullptr);
    return *window;
  }
  template <typename W = QWidget>
  W& WidgetOf(const Control& control) {
    QWidget* widget = Window(*const_cast<Control&>(control).OwningForm()).WidgetOf(control);
    EXPECT_NE(widget, nullptr) << control.Name();
    auto* typed = dynamic_cast<W*>(widget);
    EXPECT_NE(typed, nullptr) << control.Name();
    return *typed;
  }
  QWidget& ParentWidgetOf(const Control& control) {
    const Control* parent = control.Parent();
    if (dynamic_cast<const Form*>(parent))
      return Window(*static_cast<const Form*>(parent)).ClientArea();
    return WidgetOf(*parent);
  }
  void ExpectPlacements(std::span<const Placement> table) {
    for (const Placement& expected : table) {
      SCOPED_TRACE(expected.control->Name());
      const QWidget& widget = WidgetOf(*expected.control);
      EXPECT_EQ(widget.parentWidget(), &ParentWidgetOf(*expected.control));
      EXPECT_EQ(widget.pos(), QPoint(expected.left, expected.top));
      const QSize size =
          expected.width == 0 ? widget.sizeHint() : QSize(expected.width, expected.height);
      EXPECT_EQ(widget.size(), size);
    }
  }
  static QColor TextColor(const QWidget& widget, QPalette::ColorGroup group = QPalette::Active) {
    return widget.palette().color(group, QPalette::WindowText);
  }

  QtEventLoop loop;
  RecordedSound sound;
  Application app{loop, sound};
  app::ProgramState state;
  QtSerialPortFactory ports{
      loop, {"/nonexistent/1", "/nonexistent/2", "/nonexistent/3", "/nonexistent/4"}};
  app::TForm1 form1{app, state, ports, nullptr};
  QtView view{app, loop};
};

TEST_F(QtViewTest, MainWindowControlsStandWhereTheLayoutPutsThem) {
  // clang-format off
  const Placement table[] = {
      {&form1.Panel1, 8, 8, 475, 149},
      {&form1.Label5, 8, 16, 0, 0},
      {&form1.Label6, 72, 16, 0, 0},
      {&form1.Label7, 420, 20, 0, 0},
      {&form1.Label1, 8, 44, 0, 0},
      {&form1.Label2, 8, 68, 0, 0},
      {&form1.Label3, 8, 92, 0, 0},
      {&form1.Label4, 8, 116, 0, 0},
      {&form1.Edit1, 66, 40, 331, 21},
      {&form1.Edit2, 66, 64, 331, 21},
      {&form1.Edit3, 66, 88, 331, 21},
      {&form1.Edit4, 66, 112, 331, 21},
      {&form1.CheckBox1, 428, 40, 17, 17},
      {&form1.CheckBox2, 428, 64, 17, 17},
      {&form1.CheckBox3, 428, 88, 17, 17},
      {&form1.CheckBox4, 428, 116, 17, 17},
      {&form1.ProgressPanel, 8, 164, 475, 49},
      {&form1.Label9, 8, 18, 0, 0},
      {&form1.Gauge1, 90, 14, 371, 22},
      {&form1.LogPanel, 8, 220, 475, 161},
      {&form1.Label10, 184, 14, 0, 0},
      {&form1.Memo1, 8, 44, 457, 105},
      {&form1.Button4, 119, 388, 75, 25},
      {&form1.Button2, 206, 388, 75, 25},
      {&form1.Button1, 293, 388, 75, 25},
      {&form1.MediaPlayer1, 28, 386, 29, 30},
  };
  // clang-format on
  ExpectPlacements(table);

  FormWindow& window = Window(form1);
  EXPECT_EQ(window.ClientArea().size(), QSize(492, 418));
  ASSERT_NE(window.MenuBar(), nullptr);
  EXPECT_EQ(window.ClientArea().y(),
            window.MenuBar()->height());                  // the client area lies below the menu
  EXPECT_EQ(window.minimumSize(), window.maximumSize());  // not resizable
  EXPECT_TRUE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(window.windowTitle(), "Orvell Tessary Software Upgrade");
}

TEST_F(QtViewTest, MainWindowShowsTheCaptionsAndTheLook) {
  FormWindow& window = Window(form1);
  std::vector<QString> menu;
  for (QAction* action : window.MenuBar()->actions())
    menu.push_back(action->text());
  EXPECT_EQ(menu, (std::vector<QString>{"E&xit", "&About"}));

  EXPECT_EQ(WidgetOf<QPushButton>(form1.Button4).text(), "&Start Over");
  EXPECT_EQ(WidgetOf<QPushButton>(form1.Button2).text(), "&FLASH!");
  EXPECT_EQ(WidgetOf<QPushButton>(form1.Button1).text(), "&Quit");
  EXPECT_FALSE(WidgetOf(form1.Button4).isEnabled());
  EXPECT_FALSE(WidgetOf(form1.Button2).isEnabled());
  EXPECT_TRUE(WidgetOf(form1.Button1).isEnabled());
  EXPECT_TRUE(WidgetOf(form1.Button2).font().bold());
  EXPECT_EQ(WidgetOf<QLabel>(form1.Label6).text(), "Modem Type Installed");
  EXPECT_EQ(WidgetOf<QLabel>(form1.Label10).text(), "System events:");

  const struct {
    const Control* control;
    QColor color;
  } colours[] = {
      {&form1.Label5, QColor(0, 0, 0x80)},  {&form1.Label1, QColor(0, 0, 0x80)},
      {&form1.Label6, QColor(0x80, 0, 0)},  {&form1.Label7, QColor(0x80, 0, 0x80)},
      {&form1.Label10, QColor(0, 0, 0xFF)},
  };
  for (const auto& c : colours)
    EXPECT_EQ(TextColor(WidgetOf(*c.control)), c.color) << c.control->Name();
  // The port texts stay maroon although the boxes are disabled.
  auto& edit = WidgetOf<QLineEdit>(form1.Edit1);
  EXPECT_FALSE(edit.isEnabled());
  EXPECT_EQ(edit.palette().color(QPalette::Disabled, QPalette::Text), QColor(0x80, 0, 0));

  const QFont labelFont = WidgetOf(form1.Label5).font();
  EXPECT_EQ(labelFont.pixelSize(), 11);
  EXPECT_TRUE(QFontDatabase::hasFamily(labelFont.family())) << labelFont.family().toStdString();
  const QFont heading = WidgetOf(form1.Label10).font();
  EXPECT_TRUE(heading.bold());
  EXPECT_EQ(heading.pixelSize(), 13);

  auto& memo = WidgetOf<QPlainTextEdit>(form1.Memo1);
  EXPECT_TRUE(memo.isReadOnly());
  EXPECT_EQ(memo.lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_EQ(memo.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_TRUE(memo.textInteractionFlags() & Qt::TextSelectableByMouse);

  EXPECT_FALSE(WidgetOf(form1.Label9).isVisibleTo(&window));
  EXPECT_FALSE(WidgetOf(form1.Gauge1).isVisibleTo(&window));
  EXPECT_FALSE(WidgetOf(form1.MediaPlayer1).isVisibleTo(&window));
  EXPECT_TRUE(WidgetOf(form1.Memo1).isVisibleTo(&window));
}

TEST_F(QtViewTest, ModelChangesReachTheWidgets) {
  form1.Edit2.SetText("Tessary 336 (boot code: code missing)");
  form1.Memo1.Add("First line");
  form1.Memo1.Add("Second line");
  form1.Gauge1.SetVisible(true);
  form1.Gauge1.SetMaxValue(200);
  form1.Gauge1.SetProgress(50);
  form1.CheckBox4.SetEnabled(true);
  form1.CheckBox4.SetChecked(true);
  const int shortWidth = WidgetOf(form1.Label6).width();
  form1.Label6.SetCaption("Tipi Di Modem Installato");

  EXPECT_EQ(WidgetOf<QLineEdit>(form1.Edit2).text(), "Tessary 336 (boot code: code missing)");
  EXPECT_EQ(WidgetOf<QPlainTextEdit>(form1.Memo1).toPlainText(), "First line\nSecond line");
  EXPECT_TRUE(WidgetOf(form1.Gauge1).isVisibleTo(&Window(form1)));
  EXPECT_EQ(WidgetOf<GaugeWidget>(form1.Gauge1).Percent(), 25);
  EXPECT_TRUE(WidgetOf<QCheckBox>(form1.CheckBox4).isChecked());
  EXPECT_TRUE(WidgetOf(form1.CheckBox4).isEnabled());
  EXPECT_EQ(WidgetOf<QLabel>(form1.Label6).text(), "Tipi Di Modem Installato");
  EXPECT_GT(WidgetOf(form1.Label6).width(), shortWidth);

  form1.Memo1.Clear();
  form1.Memo1.Add("After Start Over");
  EXPECT_EQ(WidgetOf<QPlainTextEdit>(form1.Memo1).toPlainText(), "After Start Over");
}

TEST_F(QtViewTest, ClickOnACheckBoxReachesItsHandler) {
  form1.CheckBox2.SetEnabled(true);
  form1.CheckBox3.SetEnabled(true);
  form1.CheckBox3.SetChecked(true);
  QTest::mouseClick(&WidgetOf(form1.CheckBox2), Qt::LeftButton);
  EXPECT_TRUE(form1.CheckBox2.Checked());
  EXPECT_FALSE(form1.CheckBox3.Checked());  // the handler unticked the other box
  EXPECT_FALSE(WidgetOf<QCheckBox>(form1.CheckBox3).isChecked());

  // A disabled box in the model refuses the click, and the widget shows the refusal.
  form1.CheckBox2.SetEnabled(false);
  WidgetOf(form1.CheckBox2).setEnabled(true);
  QTest::mouseClick(&WidgetOf(form1.CheckBox2), Qt::LeftButton);
  EXPECT_TRUE(form1.CheckBox2.Checked());
  EXPECT_TRUE(WidgetOf<QCheckBox>(form1.CheckBox2).isChecked());
}

// Each way out on a main window of its own, since each ends that program.
TEST_F(QtViewTest, QuitEscTheCloseBoxAndExitEndTheProgram) {
  const struct {
    const char* name;
    std::function<void(FormWindow&, app::TForm1&)> act;
  } cases[] = {
      {"click on Quit",
       [](FormWindow& w, app::TForm1& f) {
         QTest::mouseClick(w.WidgetOf(f.Button1), Qt::LeftButton);
       }},
      {"Esc", [](FormWindow& w, app::TForm1&) { QTest::keyClick(&w, Qt::Key_Escape); }},
      {"Esc in the log",
       [](FormWindow& w, app::TForm1& f) { QTest::keyClick(w.WidgetOf(f.Memo1), Qt::Key_Escape); }},
      {"close box", [](FormWindow& w, app::TForm1&) { w.close(); }},
      {"menu Exit", [](FormWindow& w, app::TForm1&) { w.MenuBar()->actions().at(0)->trigger(); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QtEventLoop caseLoop;
    Application caseApp(caseLoop, sound);
    app::ProgramState caseState;
    app::TForm1 caseForm(caseApp, caseState, ports, nullptr);
    QtView caseView(caseApp, caseLoop);
    caseForm.Show();
    FormWindow* window = caseView.WindowOf(caseForm);
    ASSERT_NE(window, nullptr);
    c.act(*window, caseForm);
    EXPECT_TRUE(caseLoop.Terminated());
    EXPECT_FALSE(window->isVisible());
  }
}

TEST_F(QtViewTest, SearchWindowIsABorderlessRedBannerOnTop) {
  app::TForm2 form2(app, &form1);
  form2.Show();
  FormWindow& window = Window(form2);
  EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_FALSE(window.isModal());
  EXPECT_EQ(window.MenuBar(), nullptr);
  EXPECT_EQ(window.ClientArea().size(), QSize(468, 44));
  ExpectPlacements(std::array{Placement{&form2.Panel1, -1, 0, 470, 43}});
  const QWidget& panel = WidgetOf(form2.Panel1);
  EXPECT_EQ(TextColor(panel), QColor(0xFF, 0, 0));
  EXPECT_TRUE(panel.font().bold());
  EXPECT_TRUE(panel.font().italic());
  EXPECT_EQ(panel.font().pixelSize(), 16);
}

TEST_F(QtViewTest, SearchWindowGoesWithItsForm) {
  auto form2 = std::make_unique<app::TForm2>(app, &form1);
  form2->Show();
  QPointer<FormWindow> window = &Window(*form2);
  form2.reset();
  EXPECT_TRUE(window.isNull());
  form1.Memo1.Add("the main window lives on");
  EXPECT_EQ(WidgetOf<QPlainTextEdit>(form1.Memo1).toPlainText(), "the main window lives on");
}

TEST_F(QtViewTest, AboutBoxIsModalAndItsOkButtonClosesIt) {
  app::TAboutBox about(app, &form1);
  bool sawModalWindow = false;
  loop.Post([&] {
    FormWindow& window = Window(about);
    sawModalWindow = window.isVisible() && window.windowModality() == Qt::ApplicationModal;
    EXPECT_EQ(window.ClientArea().size(), QSize(298, 213));
    EXPECT_EQ(window.windowTitle(), "About");
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    ExpectPlacements(std::array{
        Placement{&about.Panel1, 8, 8, 281, 161}, Placement{&about.ProgramIcon, 12, 12, 55, 81},
        Placement{&about.ProductName, 74, 16, 0, 0}, Placement{&about.Version, 74, 40, 0, 0},
        Placement{&about.Copyright, 21, 102, 0, 0}, Placement{&about.OKButton, 111, 180, 75, 25}});
    EXPECT_FALSE(WidgetOf<QLabel>(about.ProgramIcon).pixmap().isNull());
    QTest::mouseClick(&WidgetOf(about.OKButton), Qt::LeftButton);
  });
  EXPECT_EQ(about.ShowModal(), mrOk);
  EXPECT_TRUE(sawModalWindow);
  EXPECT_FALSE(Window(about).isVisible());
}

TEST_F(QtViewTest, EnterPressesTheDefaultButtonOfAModalBox) {
  app::TAboutBox about(app, &form1);
  loop.Post([&] { QTest::keyClick(&Window(about), Qt::Key_Return); });
  EXPECT_EQ(about.ShowModal(), mrOk);
}

TEST_F(QtViewTest, MessageBoxShowsTheErrorIconAndTheWholeText) {
  const std::string text = "Incorrect flash utility for modem.";
  loop.Post([&] {
    MessageBoxForm* box = nullptr;
    for (Form* form : app.Forms())
      box = box ? box : dynamic_cast<MessageBoxForm*>(form);
    ASSERT_NE(box, nullptr);
    FormWindow& window = Window(*box);
    EXPECT_TRUE(window.isModal());
    EXPECT_NE(window.ClientArea().findChild<QLabel*>("MessageIcon"), nullptr);
    const auto& label = WidgetOf<QLabel>(*box->Children().at(0));  // the text, made first
    EXPECT_EQ(label.text().toStdString(), text);
    EXPECT_LE(label.geometry().right(), window.ClientArea().width());
    EXPECT_GE(label.width(), label.sizeHint().width());
    QTest::mouseClick(&WidgetOf(box->OkButton()), Qt::LeftButton);
  });
  EXPECT_EQ(app.MessageBox(text, "", MessageIcon::Error), mrOk);
}

// Saved where the test runs (or in TESSARY_ARTEFACTS) for a person to look at.
TEST_F(QtViewTest, ScreenshotOfTheMainWindow) {
  form1.Edit2.SetText("Tessary 336 Internal (V.90/K56flex)");
  form1.Edit4.SetText("Tessary modem in boot mode: code missing");
  form1.CheckBox2.SetEnabled(true);
  form1.CheckBox4.SetEnabled(true);
  form1.CheckBox4.SetChecked(true);
  form1.Label9.SetVisible(true);
  form1.Gauge1.SetVisible(true);
  form1.Gauge1.SetMaxValue(100);
  form1.Gauge1.SetProgress(40);
  for (const char* line : {"Orvell Tessary flash utility", "Searching COM1... No modem found.",
                           "Searching COM2... modem found."}) {
    form1.Memo1.Add(line);
  }
  const char* folder = std::getenv("TESSARY_ARTEFACTS");
  const std::filesystem::path path =
      std::filesystem::path(folder ? folder : ".") / "qt_view_main_window.png";
  FormWindow& window = Window(form1);
  const QImage shot = window.grab().toImage();
  ASSERT_TRUE(shot.save(QString::fromStdString(path.string())));
  EXPECT_EQ(shot.size(), window.size());
  // The gauge's aqua bar is there in the picture.
  const QWidget& gauge = WidgetOf(form1.Gauge1);
  const QPoint inBar = gauge.mapTo(&window, QPoint(5, gauge.height() / 2));
  EXPECT_EQ(shot.pixelColor(inBar * shot.devicePixelRatio()), QColor(0, 0xFF, 0xFF));
}

}  // namespace
}  // namespace platform
