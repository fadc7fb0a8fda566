#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "platform/exceptions.h"
#include "tools/tessary-modem-sim/pty_modem_server.h"
#include "tools/tessary-modem-sim/sim_options.h"

using tessary_modem_sim::PtyModemServer;

namespace {

// The signals that end the simulator, taken as events instead of by a handler.
int TerminationSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  for (const int signal : {SIGTERM, SIGINT, SIGHUP})
    sigaddset(&signals, signal);
  sigprocmask(SIG_BLOCK, &signals, nullptr);
  return signalfd(-1, &signals, SFD_CLOEXEC);
}

void Summarise(const PtyModemServer& server, PtyModemServer::End end) {
  const auto& modem = server.Modem();
  std::cout << "tessary-modem-sim: "
            << (end == PtyModemServer::End::LineDropped ? "dropped the line" : "stopped") << "; "
            << modem.Commands().size() << " commands, " << modem.Images().size()
            << " programming sessions";
  for (const auto& image : modem.Images()) {
    std::cout << "; " << image.hexBytes.size() << " bytes, " << image.goodRecords << " good and "
              << image.badRecords << " bad records" << (image.ended ? ", ended" : ", cut short");
  }
  std::cout << std::endl;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  tessary_modem_sim::SimOptions options;
  try {
    options = tessary_modem_sim::ParseSimOptions(args);
  } catch (const tessary_modem_sim::UsageError& error) {
    std::cerr << "tessary-modem-sim: " << error.what() << "\n" << tessary_modem_sim::SimUsage;
    return 2;
  }
  if (options.help) {
    std::cout << tessary_modem_sim::SimUsage;
    return 0;
  }
  const int signals = TerminationSignals();
  if (signals < 0) {
    std::cerr << "tessary-modem-sim: cannot take termination signals\n";
    return 1;
  }
  try {
    PtyModemServer server(options);
    std::cout << "tessary-modem-sim: serving on " << server.DevicePath()
              << (options.link ? " as " + *options.link : "") << std::endl;
    const PtyModemServer::End end = server.Run(signals);
    Summarise(server, end);
  } catch (const platform::Exception& error) {
    std::cerr << "tessary-modem-sim: " << error.what() << "\n";
    return 1;
  }
  close(signals);
  return 0;
}
