#include "tools/tessary-lz/lz_tool.h"

#include <memory>
#include <optional>

#include "lz/lz_context.h"
#include "lz/lz_names.h"
#include "lz/lz_obj.h"
#include "platform/exceptions.h"
#include "platform/files.h"
#include "tools/tessary-lz/archive_info.h"
#include "tools/tessary-lz/command_line.h"
#include "tools/tessary-lz/overwrite_question.h"
#include "tools/tessary-lz/progress_bar.h"

namespace lz_tool {
namespace {

// Follows the codec's reports: draws the bar and notes whether the output was begun.
class ReportDisplay {
 public:
  ReportDisplay(std::ostream& err, bool showBar) : err_(err), showBar_(showBar) {}

  lz::TLZReportProc Proc() {
    return [this](lz::TLZReportRec& record, std::int32_t count) { Report(record, count); };
  }
  bool OutputBegun() const { return begun_; }
  const std::string& FirstReportName() const { return firstReportName_; }

 private:
  void Report(const lz::TLZReportRec& record, std::int32_t count) {
    if (count == lz::kReportStart) {
      begun_ = true;
      firstReportName_ = record.FileName;
      if (showBar_) bar_ = std::make_unique<ProgressBar>(err_, record.UncompressedSize);
    } else if (count == lz::kReportEnd) {
      if (bar_) bar_->Finish();
      bar_.reset();
    } else if (bar_) {
      bar_->Advance(count);
    }
  }

  std::ostream& err_;
  bool showBar_;
  bool begun_ = false;
  std::string firstReportName_;
  std::unique_ptr<ProgressBar> bar_;
};

// The size of the file the operation will read; the expander reads a missing input under its
// compressed name.
std::int64_t InputSize(const CommandLine& line) {
  std::optional<platform::File> file = platform::File::TryOpenInput(line.input);
  if (!file && line.command == Command::Expand) {
    file = platform::File::TryOpenInput(lz::MakeCompressedName(line.input));
  }
  return file ? file->Size() : 0;
}

const char* VerbOf(Command command) {
  return command == Command::Compress ? "compress" : "expand";
}

int ReportDeclined(const OverwriteQuestion& question, const ToolStreams& streams) {
  const std::string& outName = question.AskedAbout();
  switch (question.LastOutcome()) {
    case OverwriteQuestion::Outcome::Refused:
      streams.err << "tessary-lz: " << outName
                  << " exists; standard input is no terminal to ask, so it is kept (use --yes to"
                     " replace it)\n";
      return kExitFailure;
    case OverwriteQuestion::Outcome::Abort:
      streams.err << "tessary-lz: aborted\n";
      return kExitFailure;
    default:
      streams.out << "skipped " << outName << " (kept the existing file)\n";
      return kExitSuccess;
  }
}

int RunCodec(const CommandLine& line, const ToolStreams& streams) {
  OverwriteQuestion question(streams.in, streams.err, line.assumeYes, streams.interactive);
  ReportDisplay display(streams.err, InputSize(line) > lz::kLZBlockSize);
  lz::LZObj codec(line.input, line.output);
  codec.ConfirmProc = question.Proc();
  codec.ReportProc = display.Proc();
  const bool compress = line.command == Command::Compress;
  // The expander names its output in its first report; the compressor's is known before.
  auto outName = [&] {
    if (compress) return line.output.empty() ? lz::MakeCompressedName(line.input) : line.output;
    return display.FirstReportName().empty() ? line.output : display.FirstReportName();
  };

  std::int32_t result;
  try {
    result = compress ? codec.Compress() : codec.Decompress();
  } catch (const platform::EAbort&) {
    streams.err << "tessary-lz: aborted\n";
    return kExitFailure;
  } catch (const platform::Exception&) {
    // The codec leaves a half-written output behind; nobody should take it for a good one.
    if (display.OutputBegun() && platform::DeleteFile(outName())) {
      streams.err << "tessary-lz: removed the incomplete " << outName() << '\n';
    }
    throw;
  }
  if (result == lz::kLZSkipped) {
    return ReportDeclined(question, streams);
  }
  if (!compress && result == 0 && !display.OutputBegun()) {
    streams.out << "nothing to expand in " << line.input << '\n';
    return kExitSuccess;
  }
  streams.out << (compress ? "compressed " : "expanded ") << line.input << " -> " << outName()
              << ": " << result << " bytes written\n";
  return kExitSuccess;
}

}  // namespace

int RunTool(const std::vector<std::string>& arguments, const ToolStreams& streams) {
  std::string error;
  const std::optional<CommandLine> line = ParseCommandLine(arguments, error);
  if (!line) {
    streams.err << "tessary-lz: " << error << "\nTry 'tessary-lz --help'.\n";
    return kExitUsage;
  }
  if (line->command == Command::Help) {
    streams.out << kUsage;
    return kExitSuccess;
  }
  try {
    if (line->command == Command::Info) {
      PrintArchiveInfo(line->input, streams.out);
      return kExitSuccess;
    }
    return RunCodec(*line, streams);
  } catch (const platform::Exception& failure) {
    const char* verb = line->command == Command::Info ? "info" : VerbOf(line->command);
    streams.err << "tessary-lz: " << verb << ' ' << line->input << ": " << failure.Message();
    if (dynamic_cast<const platform::ERangeError*>(&failure) != nullptr ||
        dynamic_cast<const platform::EIntOverflow*>(&failure) != nullptr) {
      streams.err << " (files of 2 GB and more are not supported)";
    }
    streams.err << '\n';
    return kExitFailure;
  }
}

}  // namespace lz_tool
