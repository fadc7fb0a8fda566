#include "tools/tessary-pack/pack_command.h"

#include <vector>

#include "package/alert_sound.h"
#include "package/package_file.h"
#include "package/package_trailer.h"
#include "package/package_writer.h"
#include "platform/exceptions.h"
#include "platform/files.h"
#include "tools/tessary-pack/pack_options.h"

namespace tessary_pack {
namespace {

constexpr std::string_view HelpText =
    R"(Usage: tessary-pack --out FILE --main HEX --product NAME [options]
       tessary-pack --show FILE
       tessary-pack --help

Builds a packaged Tessary flash utility: a copy of the base executable followed by the alert
sound, the boot and main firmware images (Intel HEX, LZ-compressed) and the trailer that
describes them. The output is written under a temporary name and marked executable; on any
error nothing is left behind.

  --out FILE            the packaged utility to write
  --main HEX            main firmware image (Intel HEX)
  --boot HEX            boot firmware image (Intel HEX); without it the package has none
  --product NAME        product name, as the modem answers ATI3 (at most 49 bytes)
  --boot-model M        model code the boot image is built for (at most 8 bytes)
  --main-model M        model code the main image is built for (at most 8 bytes)
  --ignore-model        skip both model checks; run the boot pass even without --boot-model
  --built-for TEXT      whom the package is built for, shown in debug mode (at most 50 bytes)
  --language L          log language: en, de, fr, it, es or 0..4 (default en)
  --country C           approve a country, by name or index 0..49; may be repeated
  --sound WAV           alert sound, a RIFF WAVE file of exactly 27958 bytes
                        (default: a built-in alert)
  --base EXE            executable to package (default: tessary-flash beside tessary-pack)
  --show FILE           print the trailer of a packaged file and where its pieces lie
  --help, -h            print this text

Texts are given in UTF-8 and stored in code page 1252. Exit status: 0 done, 2 a wrong
option or input file (the message names the option), 1 any other failure.
)";

std::string OptionOf(package::PackageInput input) {
  switch (input) {
    case package::PackageInput::Base:
      return "--base";
    case package::PackageInput::MainHex:
      return "--main";
    case package::PackageInput::BootHex:
      return "--boot";
    case package::PackageInput::Sound:
      return "--sound";
    case package::PackageInput::Output:
      return "--out";
  }
  return "";
}

std::vector<std::uint8_t> ReadSound(const std::string& path) {
  try {
    platform::File file = platform::File::OpenInput(path);
    if (file.Size() != package::SoundLength) {
      throw UsageError("--sound", path + " is not a RIFF WAVE file of exactly " +
                                      std::to_string(package::SoundLength) + " bytes");
    }
    std::vector<std::uint8_t> bytes(package::SoundLength);
    file.Read(bytes);
    return bytes;
  } catch (const platform::EInOutError& error) {
    throw UsageError("--sound", "cannot read " + path + ": " + error.Message());
  }
}

std::string PieceLine(std::string_view label, std::int64_t fileSize,
                      const package::TailPiece& piece) {
  return std::string(label) + "at byte " + std::to_string(piece.OffsetIn(fileSize)) + ", " +
         std::to_string(piece.length) + " bytes";
}

void Show(const std::string& path, std::ostream& out) {
  std::optional<package::PackageFile> package;
  try {
    package = package::ReadPackageFile(path);
  } catch (const platform::EInOutError& error) {
    throw UsageError("--show", "cannot read " + path + ": " + error.Message());
  }
  if (!package) throw UsageError("--show", path + " carries no firmware package");
  for (const std::string& line : package::PackageInfoDump(package->Info))
    out << line << '\n';
  const package::PackageTail& tail = package->Tail;
  out << PieceLine("Sound        = ", package->FileSize, tail.Sound) << '\n'
      << PieceLine("Boot Archive = ", package->FileSize, tail.Boot) << '\n'
      << PieceLine("Main Archive = ", package->FileSize, tail.Main) << '\n'
      << PieceLine("Trailer      = ", package->FileSize, tail.Trailer) << '\n';
}

void Pack(const PackOptions& options, const std::string& defaultBase, std::ostream& out) {
  package::PackageRequest request;
  request.BaseFile = options.base.value_or(defaultBase);
  request.MainHexFile = options.mainHex;
  request.BootHexFile = options.bootHex;
  request.Sound = options.sound ? ReadSound(*options.sound) : package::BuiltInAlertSound();
  request.Info = options.info;
  const package::PackageInfo written = package::WritePackage(request, options.out);
  out << "tessary-pack: wrote " << options.out << " (boot archive " << written.BootLength
      << " bytes, main archive " << written.MainLength << " bytes)\n";
}

}  // namespace

int RunPackCommand(std::span<const std::string> args, const std::string& defaultBase,
                   std::ostream& out, std::ostream& err) {
  try {
    const PackOptions options = ParsePackOptions(args);
    if (options.help) {
      out << HelpText;
    } else if (options.show) {
      Show(*options.show, out);
    } else {
      Pack(options, defaultBase, out);
    }
    return ExitOk;
  } catch (const UsageError& error) {
    err << "tessary-pack: " << error.Option() << ": " << error.what() << '\n';
  } catch (const package::PackageInputError& error) {
    err << "tessary-pack: " << OptionOf(error.Input()) << ": " << error.what() << '\n';
  } catch (const std::exception& error) {
    err << "tessary-pack: " << error.what() << '\n';
    return ExitFailure;
  }
  return ExitUsage;
}

}  // namespace tessary_pack
