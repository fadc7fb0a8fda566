#include <algorithm>
#include <string_view>

#include "platform/application.h"

namespace platform {
namespace {

// Rough metrics of the dialog font, enough for a view that takes the layout as it is.
constexpr int CharWidth = 6;
constexpr int LineHeight = 13;
constexpr int Margin = 16;
constexpr int IconSpace = 44;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;

struct TextExtent {
  int columns = 0;
  int lines = 1;
};

TextExtent Measure(std::string_view text) {
  TextExtent extent;
  int column = 0;
  for (const char c : text) {
    if (c == '\n') {
      ++extent.lines;
      column = 0;
    } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {  // one per UTF-8 character
      extent.columns = std::max(extent.columns, ++column);
    }
  }
  return extent;
}

}  // namespace

MessageBoxForm::MessageBoxForm(Application& app, Form* owner, const std::string& text,
                               const std::string& caption, MessageIcon icon)
    : Form(app, owner, "MessageBox"),
      icon_(icon),
      textLabel_(this, "Text"),
      okButton_(this, "OKButton") {
  SetCaption(caption);
  SetBorderStyle(BorderStyle::Dialog);
  SetBorderIcons(true, false, false);
  SetCentered(true);

  const TextExtent extent = Measure(text);
  const int textLeft = Margin + (icon == MessageIcon::None ? 0 : IconSpace);
  const int textWidth = extent.columns * CharWidth;
  const int textHeight = extent.lines * LineHeight;
  const int width = std::max(textLeft + textWidth + Margin, ButtonWidth + 2 * Margin);
  const int height = Margin + std::max(textHeight, 32) + Margin + ButtonHeight + Margin;
  SetClientSize(width, height);

  textLabel_.SetCaption(text);
  textLabel_.SetBounds(textLeft, Margin, textWidth, textHeight);

  okButton_.SetCaption("OK");
  okButton_.SetDefault(true);
  okButton_.SetCancel(true);
  okButton_.SetModalResult(mrOk);
  okButton_.SetBounds((width - ButtonWidth) / 2, height - Margin - ButtonHeight, ButtonWidth,
                      ButtonHeight);
}

}  // namespace platform
