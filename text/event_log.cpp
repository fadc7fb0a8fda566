#include "text/event_log.h"

namespace text {

void EventLog::Add(const std::string& line) {
  memo_.Add(line);
  if (mirror_) *mirror_ << line << std::endl;
}

void EventLog::Add(MessageId id, std::string_view suffix) {
  Add(Text(id).append(suffix));
}

}  // namespace text
