#include "tools/tessary-lz/command_line.h"

namespace lz_tool {

const char* const kUsage =
    "Usage: tessary-lz [--yes] compress IN [OUT]\n"
    "       tessary-lz [--yes] expand IN [OUT]\n"
    "       tessary-lz info FILE\n"
    "       tessary-lz --help\n"
    "\n"
    "Compresses files into LZ archives, expands them, and shows an archive's header.\n"
    "\n"
    "  compress IN [OUT]  write the archive of IN to OUT; without OUT, to IN's name with the\n"
    "                     last character of its extension replaced by '~' (README.TXT gives\n"
    "                     README.TX~). An archive is copied as it is.\n"
    "  expand IN [OUT]    expand the archive IN into OUT; without OUT, into IN's folder under\n"
    "                     the name stored in the archive. A missing IN is looked for under its\n"
    "                     compressed name; a file that is no archive is copied.\n"
    "  info FILE          print the header fields of the archive FILE, or \"not an archive\".\n"
    "\n"
    "Options:\n"
    "  -y, --yes   replace an existing output without asking\n"
    "  -h, --help  show this text\n"
    "\n"
    "An existing output is replaced only after a question on the terminal (y: overwrite,\n"
    "n: skip, a: abort); when standard input is no terminal, only with --yes.\n"
    "Inputs of more than one 32000-byte block show a progress bar on standard error.\n"
    "\n"
    "Exit status: 0 success (also a skipped file), 1 codec or file error, or abort,\n"
    "2 wrong usage.\n";

namespace {

std::optional<Command> CommandNamed(const std::string& name) {
  if (name == "compress") return Command::Compress;
  if (name == "expand") return Command::Expand;
  if (name == "info") return Command::Info;
  return std::nullopt;
}

}  // namespace

std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& arguments,
                                            std::string& error) {
  CommandLine line;
  std::vector<std::string> words;
  bool optionsEnded = false;
  bool help = false;
  for (const std::string& argument : arguments) {
    if (optionsEnded || argument.empty() || argument[0] != '-' || argument == "-") {
      words.push_back(argument);
    } else if (argument == "--") {
      optionsEnded = true;
    } else if (argument == "-y" || argument == "--yes") {
      line.assumeYes = true;
    } else if (argument == "-h" || argument == "--help") {
      help = true;
    } else {
      error = "unknown option " + argument;
      return std::nullopt;
    }
  }
  if (help) return line;
  if (words.empty()) {
    error = "no command given";
    return std::nullopt;
  }
  const std::optional<Command> command = CommandNamed(words[0]);
  if (!command) {
    error = "unknown command " + words[0];
    return std::nullopt;
  }
  const std::size_t maxWords = *command == Command::Info ? 2 : 3;
  if (words.size() < 2 || words.size() > maxWords) {
    error = "wrong number of file names for " + words[0];
    return std::nullopt;
  }
  line.command = *command;
  line.input = words[1];
  if (words.size() == 3) line.output = words[2];
  return line;
}

}  // namespace lz_tool
