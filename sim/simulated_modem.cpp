#include "sim/simulated_modem.h"

#include <cstdio>
#include <utility>

namespace sim {

namespace {

constexpr std::uint8_t Backspace = 8;
constexpr std::string_view NvramCommand = "AT&F1S0=0&W&F2S0=0&W1YZ";

std::string UpperCase(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

std::string CountryCode(int index) {
  char code[8];
  std::snprintf(code, sizeof code, "%03d", index);
  return code;
}

}  // namespace

SimulatedModem::SimulatedModem(ModemOptions options)
    : options_(std::move(options)),
      mode_(options_.waitsInBootCode || options_.code != CodeState::Good ? Mode::Boot
                                                                         : Mode::Command) {}

void SimulatedModem::Receive(std::uint8_t byte, Micros now) {
  lastRx_ = now;
  if (mode_ == Mode::Hex) {
    HexByte(byte);
    return;
  }
  const bool lineEnd = byte == '\r' || byte == '\n';
  if (lineEndsOfImage_ && lineEnd) {
    // The line end after the end record still belongs to the file that was sent.
    images_.back().hexBytes.push_back(static_cast<char>(byte));
    return;
  }
  lineEndsOfImage_ = false;
  if (byte == '\n') return;
  Echo(byte);
  if (byte == Backspace) {
    if (!line_.empty()) line_.pop_back();
    return;
  }
  if (byte != '\r') {
    line_.push_back(static_cast<char>(byte));
    return;
  }
  const std::string line = UpperCase(line_);
  line_.clear();
  commands_.push_back(line);
  if (mode_ == Mode::Command) {
    CommandLine(line);
  } else {
    BootLine(line);
  }
}

void SimulatedModem::CommandLine(std::string_view line) {
  if (line.empty() || !line.starts_with("AT")) return;  // not a command: ignored
  if (line == "AT" || line == "ATGM") {
    Reply("OK");
  } else if (line == "ATI0") {
    Reply(options_.modelCode);
    Reply("OK");
  } else if (line == "ATI3") {
    Reply(options_.productName);
    Reply("OK");
  } else if (line == "ATY14") {
    Reply(CountryCode(options_.countryIndex));
    Reply("OK");
  } else if (line == "ATGBOOT5" && options_.flashCapable) {
    mode_ = Mode::Boot;  // the boot code prompts at the next line end
  } else if (line == NvramCommand) {
    ++nvramRewrites_;
    Reply("OK");
  } else {
    Reply("ERROR");
  }
}

void SimulatedModem::BootLine(std::string_view line) {
  if (line == "ATGM") {
    switch (options_.code) {
      case CodeState::Good:
        Reply("Starting Modem Code");
        mode_ = Mode::Command;
        return;
      case CodeState::Corrupt:
        Reply("Modem Code Corrupt");
        break;
      case CodeState::Missing:
        Reply("Modem Code Missing");
        break;
    }
  } else if (line == "ATI0") {
    Reply(options_.modelCode);
  } else if (line == "AT{A}") {
    switch (options_.programming) {
      case ProgrammingAnswer::Accept:
        Reply("Prog HEX");
        mode_ = Mode::Hex;
        images_.emplace_back();
        receiver_.emplace(images_.back());
        return;
      case ProgrammingAnswer::Refuse:
        Reply("ERROR");
        break;
      case ProgrammingAnswer::Silent:
        return;
    }
  }
  Prompt();
}

void SimulatedModem::HexByte(std::uint8_t byte) {
  const IntelHexReceiver::Event event = receiver_->Feed(byte);
  const std::size_t count = receiver_->Image().hexBytes.size();
  if (options_.holdCtsAfterHexBytes && count >= *options_.holdCtsAfterHexBytes) {
    clearToSend_ = false;
  }
  if (options_.dropLineAfterHexBytes && count == *options_.dropLineAfterHexBytes) {
    lineDropPending_ = true;
  }
  if (event != IntelHexReceiver::Event::End) return;
  if (receiver_->Image().badRecords == 0) {
    options_.code = CodeState::Good;
    EndHex("Program was successful");
  } else {
    options_.code = CodeState::Corrupt;
    EndHex("Flash program failed");
  }
}

void SimulatedModem::EndHex(std::string_view verdict) {
  if (!options_.verdictTimeout) Reply(verdict);
  receiver_.reset();
  mode_ = Mode::Boot;
  lineEndsOfImage_ = true;
  Prompt();
}

void SimulatedModem::Advance(Micros now) {
  if (mode_ != Mode::Hex || now < lastRx_ + options_.rxDataTimeout) return;
  // Whatever was written of the new code is only part of it.
  if (receiver_->Image().goodRecords > 0) options_.code = CodeState::Corrupt;
  receiver_.reset();
  Reply("No RX data timeout");
  mode_ = Mode::Boot;
  Prompt();
}

std::optional<Micros> SimulatedModem::NextWakeUp() const {
  if (mode_ != Mode::Hex) return std::nullopt;
  return lastRx_ + options_.rxDataTimeout;
}

std::uint8_t SimulatedModem::TakeOutput() {
  const std::uint8_t byte = output_.front();
  output_.pop_front();
  return byte;
}

bool SimulatedModem::TakeLineDrop() {
  return std::exchange(lineDropPending_, false);
}

void SimulatedModem::Echo(std::uint8_t byte) {
  if (options_.echo) Send(std::string_view(reinterpret_cast<const char*>(&byte), 1), false);
}

void SimulatedModem::Reply(std::string_view text) {
  std::string line = "\r\n";
  line += text;
  line += "\r\n";
  Send(line, options_.lowerCaseReplies);
}

void SimulatedModem::Prompt() {
  Send("\r\nBoot>", options_.lowerCaseReplies);
}

void SimulatedModem::Send(std::string_view bytes, bool lowerCase) {
  if (options_.silent) return;
  for (const char c : bytes) {
    const bool lower = lowerCase && c >= 'A' && c <= 'Z';
    output_.push_back(static_cast<std::uint8_t>(lower ? c - 'A' + 'a' : c));
  }
}

}  // namespace sim
