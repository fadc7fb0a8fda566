#pragma once

#include <sys/types.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace realtime {

// A program run by a test: started with extra environment, its output in files, ended by a
// signal or waited for with a limit, and never left behind.
class ChildProcess {
 public:
  struct Options {
    std::map<std::string, std::string> environment;  // added to (or replacing in) the test's own
    std::string stdoutPath = "/dev/null";
    std::string stderrPath = "/dev/null";
    std::optional<int> passFd;  // a descriptor of the test's, given to the child under this number
    int childFd = -1;
  };

  ChildProcess(const std::vector<std::string>& argv, const Options& options);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  void Signal(int signal);
  // The exit status (128 + signal number when killed), or nothing when it still runs at the
  // limit.
  std::optional<int> Wait(std::chrono::milliseconds limit);
  bool Running();

 private:
  pid_t pid_ = -1;
  std::optional<int> status_;
};

// Runs a program to its end and returns its exit status and standard output.
struct Completed {
  int status;
  std::string output;
};
Completed RunToEnd(const std::vector<std::string>& argv,
                   const std::map<std::string, std::string>& environment = {});

}  // namespace realtime
