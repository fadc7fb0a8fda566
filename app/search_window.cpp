#include "app/search_window.h"

namespace app {

TForm2::TForm2(platform::Application& app, platform::Form* owner)
    : Form(app, owner, "Form2"), Panel1(this, "Panel1") {
  SetCaption("Searching for modems...");
  SetBorderStyle(platform::BorderStyle::None);
  SetBorderIcons(false, false, false);
  SetStayOnTop(true);
  SetCentered(true);
  SetClientSize(468, 44);

  Panel1.SetBounds(-1, 0, 470, 43);
  Panel1.SetCaption("Searching for your modems.. please wait!");
  Panel1.SetFont({.pixelHeight = 16, .bold = true, .italic = true, .color = platform::Color::Red});
}

}  // namespace app
