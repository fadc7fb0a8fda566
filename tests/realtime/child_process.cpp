#include "child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace realtime {
namespace {

std::vector<std::string> MergedEnvironment(const std::map<std::string, std::string>& extra) {
  std::map<std::string, std::string> merged;
  for (char** entry = environ; *entry; ++entry) {
    const std::string text = *entry;
    const auto equals = text.find('=');
    if (equals != std::string::npos) merged[text.substr(0, equals)] = text.substr(equals + 1);
  }
  for (const auto& [name, value] : extra)
    merged[name] = value;
  std::vector<std::string> result;
  for (const auto& [name, value] : merged)
    result.push_back(name + "=" + value);
  return result;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (std::string& s : strings)
    pointers.push_back(s.data());
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const Options& options) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, options.stdoutPath.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, options.stderrPath.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (options.passFd) posix_spawn_file_actions_adddup2(&actions, *options.passFd, options.childFd);
  std::vector<std::string> args = argv;
  std::vector<std::string> environment = MergedEnvironment(options.environment);
  const std::vector<char*> argPointers = Pointers(args);
  const std::vector<char*> envPointers = Pointers(environment);
  const int error = posix_spawn(&pid_, args.at(0).c_str(), &actions, nullptr, argPointers.data(),
                                envPointers.data());
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) throw std::runtime_error("cannot start " + args.at(0));
}

ChildProcess::~ChildProcess() {
  if (!Running()) return;
  Signal(SIGKILL);
  Wait(std::chrono::seconds(10));
}

void ChildProcess::Signal(int signal) {
  if (Running()) kill(pid_, signal);
}

bool ChildProcess::Running() {
  if (status_) return false;
  int status = 0;
  if (waitpid(pid_, &status, WNOHANG) != pid_) return true;
  status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return false;
}

std::optional<int> ChildProcess::Wait(std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (Running() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return status_;
}

Completed RunToEnd(const std::vector<std::string>& argv,
                   const std::map<std::string, std::string>& environment) {
  const std::filesystem::path output =
      std::filesystem::temp_directory_path() / ("run_to_end_" + std::to_string(getpid()));
  ChildProcess::Options options;
  options.environment = environment;
  options.stdoutPath = output.string();
  ChildProcess child(argv, options);
  const std::optional<int> status = child.Wait(std::chrono::seconds(60));
  std::ifstream in(output);
  Completed result{status.value_or(-1), std::string(std::istreambuf_iterator<char>(in), {})};
  std::filesystem::remove(output);
  return result;
}

}  // namespace realtime
