#pragma once

#include "platform/application.h"
#include "platform/widgets.h"

namespace app {

// The modal About box opened from the main window's menu.
class TAboutBox : public platform::Form {
 public:
  TAboutBox(platform::Application& app, platform::Form* owner);

  platform::Panel Panel1;
  platform::Image ProgramIcon;
  platform::Label ProductName;
  platform::Label Version;
  platform::Label Copyright;
  platform::Label Comments;
  platform::Button OKButton;
};

}  // namespace app
