// tessary-flash: the flash utility on the real backends (Qt window, serial ports, ALSA sound).

#include <QApplication>
#include <QStringList>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/program.h"
#include "platform/posix/alsa_sound_output.h"
#include "platform/qt/qt_event_loop.h"
#include "platform/qt/qt_serial_device.h"
#include "platform/qt/qt_view.h"

namespace {

// COMn is the device named by TESSARY_COMn, else /dev/ttyS(n-1).
std::array<std::string, 4> ComDevicePaths() {
  std::array<std::string, 4> paths;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const std::string variable = "TESSARY_COM" + std::to_string(i + 1);
    const char* path = std::getenv(variable.c_str());
    paths[i] = path && *path ? path : "/dev/ttyS" + std::to_string(i);
  }
  return paths;
}

// Word 0 is the running program file itself, where the package lies; then the parameters, as
// left over once Qt has taken its own options.
std::vector<std::string> CommandLine() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  std::vector<std::string> words{error ? std::string() : self.string()};
  const QStringList arguments = QCoreApplication::arguments();
  for (qsizetype i = 1; i < arguments.size(); ++i)
    words.push_back(arguments[i].toStdString());
  return words;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication qtApplication(argc, argv);
  platform::QtEventLoop loop;
  platform::AlsaSoundOutput sound(loop);
  platform::QtSerialPortFactory serialPorts(loop, ComDevicePaths());
  app::Program program(loop, serialPorts, sound, CommandLine(), &std::cout);
  platform::QtView view(program.App(), loop);
  program.Run();
  return EXIT_SUCCESS;
}
