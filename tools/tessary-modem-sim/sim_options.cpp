#include "tools/tessary-modem-sim/sim_options.h"

#include <charconv>
#include <functional>
#include <limits>
#include <map>
#include <optional>

#include "text/cp1252.h"

namespace tessary_modem_sim {

const char* const SimUsage =
    "Usage: tessary-modem-sim [options]\n"
    "Serves a simulated Tessary modem on a pseudo-terminal until SIGTERM.\n"
    "  --link PATH              make PATH a symlink to the pseudo-terminal\n"
    "  --capture FILE           write the HEX bytes of every programming session to FILE\n"
    "  --log FILE               write every command line received to FILE\n"
    "  --baud N                 line rate the modem reads at (default 115200; 0: unpaced)\n"
    "  --product TEXT           answer to ATI3 (default \"Tessary 336\")\n"
    "  --model TEXT             answer to ATI0 (default \"xx518200\")\n"
    "  --country N              country index answered to ATY14 (0..999)\n"
    "  --boot                   waiting in its boot code at start\n"
    "  --code good|corrupt|missing   state of its modem code (damaged code waits in boot code)\n"
    "  --silent                 never sends a byte\n"
    "  --no-echo                does not echo commands\n"
    "  --lower-case             replies in lower case\n"
    "  --no-flash               answers ERROR to ATGBOOT5\n"
    "  --programming accept|refuse|silent   answer of the boot code to AT{A}\n"
    "  --verdict-timeout        no verdict after the end record\n"
    "  --drop-line-after N      the device vanishes after N bytes of HEX data\n"
    "  --hold-cts-after N       CTS stays low after N bytes of HEX data\n"
    "  --rx-timeout-ms N        silence that ends a HEX reception (default 1500)\n";

namespace {

template <typename Number>
Number ParseNumber(const std::string& option, const std::string& text, Number low, Number high) {
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) {
    throw UsageError(option + ": expected a number from " + std::to_string(low) + " to " +
                     std::to_string(high) + ", got \"" + text + "\"");
  }
  return value;
}

// The modem's texts are code page 1252 on the line; the command line is UTF-8.
std::string LineText(const std::string& option, const std::string& utf8) {
  const std::optional<std::string> text = text::FromUtf8(utf8);
  if (!text) throw UsageError(option + ": \"" + utf8 + "\" has characters code page 1252 lacks");
  return *text;
}

template <typename Choice>
Choice ParseChoice(const std::string& option, const std::string& text,
                   const std::map<std::string, Choice>& choices) {
  const auto it = choices.find(text);
  if (it == choices.end()) throw UsageError(option + ": unknown value \"" + text + "\"");
  return it->second;
}

}  // namespace

SimOptions ParseSimOptions(std::span<const std::string> args) {
  SimOptions options;
  sim::ModemOptions& modem = options.modem;
  using Flag = std::function<void()>;
  using Valued = std::function<void(const std::string& option, const std::string& value)>;
  constexpr auto kMaxSize = std::numeric_limits<std::size_t>::max();
  const std::map<std::string, Flag> flags = {
      {"--help", [&] { options.help = true; }},
      {"--boot", [&] { modem.waitsInBootCode = true; }},
      {"--silent", [&] { modem.silent = true; }},
      {"--no-echo", [&] { modem.echo = false; }},
      {"--lower-case", [&] { modem.lowerCaseReplies = true; }},
      {"--no-flash", [&] { modem.flashCapable = false; }},
      {"--verdict-timeout", [&] { modem.verdictTimeout = true; }},
  };
  const std::map<std::string, Valued> valued = {
      {"--link", [&](auto&, auto& v) { options.link = v; }},
      {"--capture", [&](auto&, auto& v) { options.capture = v; }},
      {"--log", [&](auto&, auto& v) { options.log = v; }},
      {"--baud",
       [&](auto& o, auto& v) { options.baud = ParseNumber<std::uint32_t>(o, v, 0, 4'000'000); }},
      {"--product", [&](auto& o, auto& v) { modem.productName = LineText(o, v); }},
      {"--model", [&](auto& o, auto& v) { modem.modelCode = LineText(o, v); }},
      {"--country", [&](auto& o, auto& v) { modem.countryIndex = ParseNumber(o, v, 0, 999); }},
      {"--code",
       [&](auto& o, auto& v) {
         modem.code = ParseChoice<sim::CodeState>(o, v,
                                                  {{"good", sim::CodeState::Good},
                                                   {"corrupt", sim::CodeState::Corrupt},
                                                   {"missing", sim::CodeState::Missing}});
       }},
      {"--programming",
       [&](auto& o, auto& v) {
         modem.programming =
             ParseChoice<sim::ProgrammingAnswer>(o, v,
                                                 {{"accept", sim::ProgrammingAnswer::Accept},
                                                  {"refuse", sim::ProgrammingAnswer::Refuse},
                                                  {"silent", sim::ProgrammingAnswer::Silent}});
       }},
      {"--drop-line-after",
       [&](auto& o, auto& v) {
         modem.dropLineAfterHexBytes = ParseNumber<std::size_t>(o, v, 1, kMaxSize);
       }},
      {"--hold-cts-after",
       [&](auto& o, auto& v) {
         modem.holdCtsAfterHexBytes = ParseNumber<std::size_t>(o, v, 0, kMaxSize);
       }},
      {"--rx-timeout-ms",
       [&](auto& o, auto& v) {
         modem.rxDataTimeout = ParseNumber<sim::Micros>(o, v, 1, 3'600'000) * 1000;
       }},
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (const auto flag = flags.find(option); flag != flags.end()) {
      flag->second();
    } else if (const auto withValue = valued.find(option); withValue != valued.end()) {
      if (i + 1 >= args.size()) throw UsageError(option + ": a value is missing");
      withValue->second(option, args[++i]);
    } else {
      throw UsageError("unknown option \"" + option + "\"");
    }
  }
  return options;
}

}  // namespace tessary_modem_sim
