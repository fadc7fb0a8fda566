#include "platform/qt/control_bindings.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

#include "platform/qt/bevel_panel.h"
#include "platform/qt/gauge_widget.h"
#include "platform/qt/qt_style.h"

namespace platform {

ControlBinding::ControlBinding(Control& control, QWidget& widget)
    : control_(control), widget_(widget), subscription_(control, [this] { Sync(); }) {}

void ControlBinding::Sync() {
  ApplyFont(widget_, control_.GetFont(), GreyWhenDisabled());
  ApplyBackground(widget_, control_.GetColor());
  SyncContent();
  const Bounds& bounds = control_.GetBounds();
  // A control without a size takes the size of its content (a label's caption).
  const QSize size = bounds.width == 0 && bounds.height == 0 ? widget_.sizeHint()
                                                             : QSize(bounds.width, bounds.height);
  widget_.setGeometry(bounds.left, bounds.top, size.width(), size.height());
  widget_.setEnabled(control_.Enabled());
  widget_.setVisible(control_.Visible());
}

namespace {

QString ToQString(const std::string& utf8) {
  return QString::fromStdString(utf8);
}

class LabelBinding final : public ControlBinding {
 public:
  LabelBinding(Label& label, QWidget& parent) : LabelBinding(label, *new QLabel(&parent)) {}

 private:
  LabelBinding(Label& label, QLabel& widget)
      : ControlBinding(label, widget), label_(label), widget_(widget) {}
  void SyncContent() override {
    widget_.setText(ToQString(label_.Caption()));
    widget_.setWordWrap(label_.WordWrap());
    widget_.setAlignment(Qt::AlignLeft | Qt::AlignTop);
  }
  Label& label_;
  QLabel& widget_;
};

class PanelBinding final : public ControlBinding {
 public:
  PanelBinding(Panel& panel, QWidget& parent) : PanelBinding(panel, *new BevelPanel(&parent)) {}

 private:
  PanelBinding(Panel& panel, BevelPanel& widget)
      : ControlBinding(panel, widget), panel_(panel), widget_(widget) {}
  void SyncContent() override {
    widget_.SetBevels(panel_.BevelInner(), panel_.BevelOuter());
    widget_.SetCaption(ToQString(panel_.Caption()));
  }
  Panel& panel_;
  BevelPanel& widget_;
};

class ButtonBinding final : public ControlBinding {
 public:
  ButtonBinding(Button& button, QWidget& parent, QtEventLoop& loop)
      : ButtonBinding(button, *new QPushButton(&parent), loop) {}

 private:
  ButtonBinding(Button& button, QPushButton& widget, QtEventLoop& loop)
      : ControlBinding(button, widget), button_(button), widget_(widget) {
    // Enter and Esc belong to the form, which knows its default and cancel buttons.
    widget_.setAutoDefault(false);
    QObject::connect(&widget_, &QPushButton::clicked,
                     [this, &loop] { loop.Deliver([this] { button_.Click(); }); });
  }
  void SyncContent() override { widget_.setText(ToQString(button_.Caption())); }
  bool GreyWhenDisabled() const override { return true; }
  Button& button_;
  QPushButton& widget_;
};

class CheckBoxBinding final : public ControlBinding {
 public:
  CheckBoxBinding(CheckBox& checkBox, QWidget& parent, QtEventLoop& loop)
      : CheckBoxBinding(checkBox, *new QCheckBox(&parent), loop) {}

 private:
  CheckBoxBinding(CheckBox& checkBox, QCheckBox& widget, QtEventLoop& loop)
      : ControlBinding(checkBox, widget), checkBox_(checkBox), widget_(widget) {
    // Qt has already toggled the box; the model decides, and the box shows what it decided.
    QObject::connect(&widget_, &QCheckBox::clicked, [this, &loop] {
      loop.Deliver([this] { checkBox_.Click(); });
      Sync();
    });
  }
  void SyncContent() override { widget_.setChecked(checkBox_.Checked()); }
  bool GreyWhenDisabled() const override { return true; }
  CheckBox& checkBox_;
  QCheckBox& widget_;
};

class EditBinding final : public ControlBinding {
 public:
  EditBinding(Edit& edit, QWidget& parent) : EditBinding(edit, *new QLineEdit(&parent)) {}

 private:
  EditBinding(Edit& edit, QLineEdit& widget)
      : ControlBinding(edit, widget), edit_(edit), widget_(widget) {}
  void SyncContent() override {
    const QString text = ToQString(edit_.Text());
    if (widget_.text() != text) widget_.setText(text);
  }
  Edit& edit_;
  QLineEdit& widget_;
};

// The log: lines are only ever appended or all cleared, so only the new ones are drawn.
class MemoBinding final : public ControlBinding {
 public:
  MemoBinding(Memo& memo, QWidget& parent) : MemoBinding(memo, *new QPlainTextEdit(&parent)) {}

 private:
  MemoBinding(Memo& memo, QPlainTextEdit& widget)
      : ControlBinding(memo, widget), memo_(memo), widget_(widget) {
    widget_.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  }
  void SyncContent() override {
    widget_.setReadOnly(memo_.ReadOnly());
    if (memo_.ReadOnly()) {
      widget_.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    }
    widget_.setVerticalScrollBarPolicy(memo_.VerticalScrollBar() ? Qt::ScrollBarAlwaysOn
                                                                 : Qt::ScrollBarAlwaysOff);
    widget_.setLineWrapMode(memo_.WordWrap() ? QPlainTextEdit::WidgetWidth
                                             : QPlainTextEdit::NoWrap);
    const auto& lines = memo_.Lines();
    if (lines.size() < shownLines_) {
      widget_.clear();
      shownLines_ = 0;
    }
    for (; shownLines_ < lines.size(); ++shownLines_) {
      widget_.appendPlainText(ToQString(lines[shownLines_]));
    }
  }
  Memo& memo_;
  QPlainTextEdit& widget_;
  std::size_t shownLines_ = 0;
};

class GaugeBinding final : public ControlBinding {
 public:
  GaugeBinding(Gauge& gauge, QWidget& parent) : GaugeBinding(gauge, *new GaugeWidget(&parent)) {}

 private:
  GaugeBinding(Gauge& gauge, GaugeWidget& widget)
      : ControlBinding(gauge, widget), gauge_(gauge), widget_(widget) {}
  void SyncContent() override {
    widget_.SetState(gauge_.MinValue(), gauge_.MaxValue(), gauge_.Progress());
    widget_.SetColors(
        ToQColor(gauge_.GetColor()).value_or(widget_.palette().color(QPalette::Button)),
        ToQColor(gauge_.ForeColor()).value_or(widget_.palette().color(QPalette::Highlight)));
  }
  Gauge& gauge_;
  GaugeWidget& widget_;
};

class ImageBinding final : public ControlBinding {
 public:
  ImageBinding(Image& image, QWidget& parent) : ImageBinding(image, *new QLabel(&parent)) {}

 private:
  ImageBinding(Image& image, QLabel& widget)
      : ControlBinding(image, widget), image_(image), widget_(widget) {}
  void SyncContent() override {
    const QImage picture(reinterpret_cast<const uchar*>(image_.Pixels().data()),
                         image_.PixelWidth(), image_.PixelHeight(), QImage::Format_ARGB32);
    widget_.setPixmap(QPixmap::fromImage(picture));  // a deep copy: the model keeps its pixels
    widget_.setScaledContents(image_.Stretch());
  }
  Image& image_;
  QLabel& widget_;
};

// A control with nothing of its own to draw (the hidden media player): a place and a state.
class PlainBinding final : public ControlBinding {
 public:
  PlainBinding(Control& control, QWidget& parent)
      : ControlBinding(control, *new QWidget(&parent)) {}
};

template <typename Binding, typename Model, typename... Extra>
std::unique_ptr<ControlBinding> TryBind(Control& control, QWidget& parent, Extra&... extra) {
  auto* model = dynamic_cast<Model*>(&control);
  if (!model) return nullptr;
  return std::make_unique<Binding>(*model, parent, extra...);
}

}  // namespace

std::unique_ptr<ControlBinding> BindControl(Control& control, QWidget& parent, QtEventLoop& loop) {
  std::unique_ptr<ControlBinding> binding;
  if (!(binding = TryBind<LabelBinding, Label>(control, parent)) &&
      !(binding = TryBind<PanelBinding, Panel>(control, parent)) &&
      !(binding = TryBind<ButtonBinding, Button>(control, parent, loop)) &&
      !(binding = TryBind<CheckBoxBinding, CheckBox>(control, parent, loop)) &&
      !(binding = TryBind<EditBinding, Edit>(control, parent)) &&
      !(binding = TryBind<MemoBinding, Memo>(control, parent)) &&
      !(binding = TryBind<GaugeBinding, Gauge>(control, parent)) &&
      !(binding = TryBind<ImageBinding, Image>(control, parent))) {
    binding = std::make_unique<PlainBinding>(control, parent);
  }
  binding->Sync();
  return binding;
}

}  // namespace platform
