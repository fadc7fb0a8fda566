#include "app/about_box.h"

#include "app/about_picture.h"

namespace app {

TAboutBox::TAboutBox(platform::Application& app, platform::Form* owner)
    : Form(app, owner, "AboutBox"),
      Panel1(this, "Panel1"),
      ProgramIcon(&Panel1, "ProgramIcon"),
      ProductName(&Panel1, "ProductName"),
      Version(&Panel1, "Version"),
      Copyright(&Panel1, "Copyright"),
      Comments(&Panel1, "Comments"),
      OKButton(this, "OKButton") {
  SetCaption("About");
  SetBorderStyle(platform::BorderStyle::Dialog);
  SetCentered(true);
  SetClientSize(298, 213);

  Panel1.SetBounds(8, 8, 281, 161);
  Panel1.SetBevels(platform::Bevel::Raised, platform::Bevel::Lowered);

  ProgramIcon.SetBounds(12, 12, AboutPictureWidth, AboutPictureHeight);
  ProgramIcon.SetStretch(true);
  ProgramIcon.SetPicture(AboutPictureWidth, AboutPictureHeight, DrawAboutPicture());

  // Labels without a size take the size of their caption.
  ProductName.SetBounds(74, 16, 0, 0);
  ProductName.SetCaption("Tessary Flash Utility");
  Version.SetBounds(74, 40, 0, 0);
  Version.SetCaption("Version " TESSARY_VERSION);
  Copyright.SetBounds(21, 102, 0, 0);
  Copyright.SetCaption("Copyright \u00A9 2024-2025 Orvell. All rights reserved.");
  Comments.SetBounds(7, 128, 267, 26);
  Comments.SetWordWrap(true);
  Comments.SetCaption("Made by the Orvell modem firmware department.");

  OKButton.SetBounds(111, 180, 75, 25);
  OKButton.SetCaption("OK");
  OKButton.SetDefault(true);
  OKButton.SetModalResult(platform::mrOk);
}

}  // namespace app
