#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace platform {

class Application;
class Form;

// Colours the windows use; a view maps them to its own palette.
enum class Color { Default, Black, Navy, Maroon, Purple, Blue, Red, Aqua, ButtonFace, Window };

struct Font {
  std::string name = "MS Sans Serif";
  int pixelHeight = 11;  // character height
  bool bold = false;
  bool italic = false;
  Color color = Color::Default;
  bool operator==(const Font&) const = default;
};

struct Bounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Bounds&) const = default;
};

// Something a view can watch: every change of state calls each listener once.
class Observable {
 public:
  using Listener = std::function<void()>;
  int Subscribe(Listener listener);
  void Unsubscribe(int token);

 protected:
  void Changed();
  template <typename T>
  void Assign(T& field, const T& value) {
    if (field == value) return;
    field = value;
    Changed();
  }

 private:
  std::map<int, Listener> listeners_;
  int nextToken_ = 1;
};

// A control: state and handlers only; drawing is a view's business. A control registers with
// its parent on construction (children keep their creation order) and leaves it when destroyed.
class Control : public Observable {
 public:
  Control(Control* parent, std::string name);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& Name() const { return name_; }
  Control* Parent() const { return parent_; }
  const std::vector<Control*>& Children() const { return children_; }
  Form* OwningForm();  // the form this control lies on (itself for a form)
  // Whether the user can reach it: it and every parent visible and enabled, and no modal box
  // of another form in the way.
  bool AcceptsInput();

  const Bounds& GetBounds() const { return bounds_; }
  void SetBounds(int left, int top, int width, int height) {
    Assign(bounds_, Bounds{left, top, width, height});
  }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible) { Assign(visible_, visible); }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { Assign(enabled_, enabled); }
  Color GetColor() const { return color_; }
  void SetColor(Color color) { Assign(color_, color); }
  const Font& GetFont() const { return font_; }
  void SetFont(const Font& font) { Assign(font_, font); }

 private:
  Control* parent_;
  std::string name_;
  std::vector<Control*> children_;
  Bounds bounds_;
  bool visible_ = true;
  bool enabled_ = true;
  Color color_ = Color::Default;
  Font font_;
};

class Label : public Control {
 public:
  using Control::Control;
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption) { Assign(caption_, caption); }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wrap) { Assign(wordWrap_, wrap); }

 private:
  std::string caption_;
  bool wordWrap_ = false;
};

enum class Bevel { None, Lowered, Raised };

class Panel : public Control {
 public:
  using Control::Control;
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption) { Assign(caption_, caption); }
  Bevel BevelInner() const { return bevelInner_; }
  Bevel BevelOuter() const { return bevelOuter_; }
  void SetBevels(Bevel inner, Bevel outer);

 private:
  std::string caption_;
  Bevel bevelInner_ = Bevel::None;
  Bevel bevelOuter_ = Bevel::Raised;
};

// Caption with '&' before the accelerator letter. Click() is the user's click: it does
// nothing on a hidden or disabled button.
class Button : public Control {
 public:
  using Control::Control;
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption) { Assign(caption_, caption); }
  bool Default() const { return default_; }  // Enter presses it
  void SetDefault(bool value) { Assign(default_, value); }
  bool Cancel() const { return cancel_; }  // Esc presses it
  void SetCancel(bool value) { Assign(cancel_, value); }
  int ModalResult() const { return modalResult_; }  // given to its form when clicked
  void SetModalResult(int result) { modalResult_ = result; }
  void Click();

  std::function<void()> OnClick;

 private:
  std::string caption_;
  bool default_ = false;
  bool cancel_ = false;
  int modalResult_ = 0;
};

// A change of the ticked state, by the user or by code, runs OnClick.
class CheckBox : public Control {
 public:
  using Control::Control;
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  void Click();  // the user's click: toggles when enabled and visible

  std::function<void()> OnClick;

 private:
  bool checked_ = false;
};

class Edit : public Control {
 public:
  using Control::Control;
  const std::string& Text() const { return text_; }
  void SetText(const std::string& text) { Assign(text_, text); }

 private:
  std::string text_;
};

// Multi-line text; the event log appends to it.
class Memo : public Control {
 public:
  using Control::Control;
  const std::vector<std::string>& Lines() const { return lines_; }
  void Add(const std::string& line);
  void Clear();
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value) { Assign(readOnly_, value); }
  bool VerticalScrollBar() const { return verticalScrollBar_; }
  void SetVerticalScrollBar(bool value) { Assign(verticalScrollBar_, value); }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value) { Assign(wordWrap_, value); }

 private:
  std::vector<std::string> lines_;
  bool readOnly_ = false;
  bool verticalScrollBar_ = false;
  bool wordWrap_ = true;
};

// Horizontal progress gauge; Progress always stays within MinValue..MaxValue.
class Gauge : public Control {
 public:
  using Control::Control;
  std::int64_t MinValue() const { return minValue_; }
  std::int64_t MaxValue() const { return maxValue_; }
  std::int64_t Progress() const { return progress_; }
  void SetMaxValue(std::int64_t value);
  void SetProgress(std::int64_t value);
  void AddProgress(std::int64_t delta) { SetProgress(progress_ + delta); }
  Color ForeColor() const { return foreColor_; }
  void SetForeColor(Color color) { Assign(foreColor_, color); }

 private:
  std::int64_t minValue_ = 0;
  std::int64_t maxValue_ = 100;
  std::int64_t progress_ = 0;
  Color foreColor_ = Color::Black;
};

// A bitmap held with its control (the About box picture): ARGB pixels, row by row.
class Image : public Control {
 public:
  using Control::Control;
  int PixelWidth() const { return pixelWidth_; }
  int PixelHeight() const { return pixelHeight_; }
  const std::vector<std::uint32_t>& Pixels() const { return pixels_; }
  void SetPicture(int width, int height, std::vector<std::uint32_t> argb);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool value) { Assign(stretch_, value); }

 private:
  int pixelWidth_ = 0;
  int pixelHeight_ = 0;
  std::vector<std::uint32_t> pixels_;
  bool stretch_ = false;
};

class MenuItem : public Observable {
 public:
  explicit MenuItem(std::string name, std::string caption = {})
      : name_(std::move(name)), caption_(std::move(caption)) {}
  const std::string& Name() const { return name_; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption) { Assign(caption_, caption); }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { Assign(enabled_, enabled); }
  void Click();

  std::function<void()> OnClick;

 private:
  std::string name_;
  std::string caption_;
  bool enabled_ = true;
};

// A menu bar whose items stand directly on the bar.
class MainMenu {
 public:
  void Add(MenuItem& item) { items_.push_back(&item); }
  const std::vector<MenuItem*>& Items() const { return items_; }

 private:
  std::vector<MenuItem*> items_;
};

class SoundOutput;

// Hidden player for a WAV file. Open() fails with platform::Exception when the file is
// missing; Play() reports false when the sound cannot be played (no device); Close() stops.
class MediaPlayer : public Control {
 public:
  MediaPlayer(Control* parent, std::string name, SoundOutput& output);
  ~MediaPlayer() override;
  const std::string& FileName() const { return fileName_; }
  void SetFileName(const std::string& name) { Assign(fileName_, name); }
  void Open();
  bool Play();
  void Close();
  bool Playing() const { return playing_; }

 private:
  SoundOutput& output_;
  std::string fileName_;
  bool opened_ = false;
  bool playing_ = false;
};

enum class BorderStyle { Single, None, Dialog };
enum class MessageIcon { None, Error, Warning, Information };

inline constexpr int mrNone = 0;
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;

// A top-level window. The first form created in an Application becomes its main form;
// closing the main form terminates the loop.
class Form : public Control {
 public:
  Form(Application& app, Form* owner, std::string name);
  ~Form() override;

  Application& App() const { return app_; }
  Form* Owner() const { return owner_; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption) { Assign(caption_, caption); }
  int ClientWidth() const { return clientWidth_; }
  int ClientHeight() const { return clientHeight_; }
  void SetClientSize(int width, int height);
  BorderStyle GetBorderStyle() const { return borderStyle_; }
  void SetBorderStyle(BorderStyle style) { Assign(borderStyle_, style); }
  bool MinimizeBox() const { return minimizeBox_; }
  bool MaximizeBox() const { return maximizeBox_; }
  void SetBorderIcons(bool systemMenu, bool minimize, bool maximize);
  bool SystemMenu() const { return systemMenu_; }
  bool StayOnTop() const { return stayOnTop_; }
  void SetStayOnTop(bool value) { Assign(stayOnTop_, value); }
  bool Centered() const { return centered_; }
  void SetCentered(bool value) { Assign(centered_, value); }
  MainMenu* Menu() const { return menu_; }
  void SetMenu(MainMenu* menu) { Assign(menu_, menu); }

  bool Showing() const { return showing_; }
  bool Modal() const { return modal_; }
  void Show();      // runs OnShow the first time
  int ShowModal();  // nested loop until ModalResult is set or the form closes
  void Close();     // hides; the main form's close ends the program
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result);

  // Keyboard: Esc presses the cancel button, Enter the default button.
  enum class Key { Escape, Enter };
  void KeyPress(Key key);

  std::function<void()> OnShow;

 private:
  Application& app_;
  Form* owner_;
  std::string caption_;
  int clientWidth_ = 0;
  int clientHeight_ = 0;
  BorderStyle borderStyle_ = BorderStyle::Single;
  bool systemMenu_ = true;
  bool minimizeBox_ = true;
  bool maximizeBox_ = true;
  bool stayOnTop_ = false;
  bool centered_ = false;
  MainMenu* menu_ = nullptr;
  bool showing_ = false;
  bool shownBefore_ = false;
  bool modal_ = false;
  int modalResult_ = mrNone;
};

}  // namespace platform
