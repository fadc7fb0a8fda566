#include "modem/modem_dialogue.h"

#include "platform/checked.h"

namespace modem {

std::uint8_t ModemDialogue::SelectedPort() const {
  return platform::RangeChecked<std::uint8_t>(ctx_.SelectedPort, 1, 4);
}

platform::Edit& ModemDialogue::RowEdit(std::uint8_t portNumber) const {
  return *ctx_.Edits.at(platform::RangeChecked<std::uint8_t>(portNumber, 1, 4));
}

void ModemDialogue::LogForPort(text::MessageId id, std::uint8_t portNumber) {
  ctx_.log.Add(id, std::to_string(portNumber) + ".");
}

}  // namespace modem
