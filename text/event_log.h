#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

#include "platform/widgets.h"
#include "text/message_catalogue.h"

namespace text {

// The window's event log: every line goes into the memo and, flushed at once, to a mirror
// stream (standard output in the program), so that a run can be followed from a terminal.
class EventLog {
 public:
  EventLog(platform::Memo& memo, std::ostream* mirror, const std::uint8_t& languageIndex)
      : memo_(memo), mirror_(mirror), languageIndex_(languageIndex) {}

  // Appends a UTF-8 line as it stands.
  void Add(const std::string& line);
  // Appends the message's text in the current language followed by suffix (UTF-8).
  void Add(MessageId id, std::string_view suffix = {});
  // The message's text in the current language.
  std::string Text(MessageId id) const { return MessageText(id, languageIndex_); }

 private:
  platform::Memo& memo_;
  std::ostream* mirror_;
  const std::uint8_t& languageIndex_;
};

}  // namespace text
