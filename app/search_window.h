#pragma once

#include "platform/application.h"
#include "platform/widgets.h"

namespace app {

// The borderless "please wait" window that lies on top of the main window during discovery.
class TForm2 : public platform::Form {
 public:
  TForm2(platform::Application& app, platform::Form* owner);

  platform::Panel Panel1;
};

}  // namespace app
