#include "sim/intel_hex_receiver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sim {
namespace {

using Event = IntelHexReceiver::Event;

std::vector<Event> FeedAll(IntelHexReceiver& receiver, const std::string& text) {
  std::vector<Event> events;
  for (const char c : text) {
    const Event event = receiver.Feed(static_cast<std::uint8_t>(c));
    if (event != Event::None) events.push_back(event);
  }
  return events;
}

struct RecordCase {
  const char* name;
  const char* text;
  std::vector<Event> events;
};

class IntelHexRecords : public ::testing::TestWithParam<RecordCase> {};

TEST_P(IntelHexRecords, AreCheckedOneByOne) {
  ReceivedImage image;
  IntelHexReceiver receiver(image);
  EXPECT_EQ(FeedAll(receiver, GetParam().text), GetParam().events);
  EXPECT_EQ(image.hexBytes, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IntelHexRecords,
    ::testing::Values(
        RecordCase{
            "DataThenEnd", ":0300300002337A1E\r\n:00000001FF\r\n", {Event::Record, Event::End}},
        RecordCase{"LowerCaseDigits", ":0300300002337a1e\n", {Event::Record}},
        RecordCase{"EndWithoutLineEnd", ":00000001FF", {Event::End}},
        RecordCase{"WrongChecksum", ":0300300002337A1F\r\n", {Event::BadRecord}},
        RecordCase{"NotADigit", ":03003000G2337A1E\r\n", {Event::BadRecord}},
        RecordCase{
            "CutShortByTheNextRecord", ":030030\r\n:00000001FF", {Event::BadRecord, Event::End}},
        RecordCase{"GarbageBetweenRecords", "x:00000001FF", {Event::BadRecord, Event::End}},
        RecordCase{"EndRecordWithData", ":0100000100FE", {Event::BadRecord}},
        RecordCase{"UnknownType", ":00000006FA", {Event::BadRecord}}),
    [](const auto& info) { return info.param.name; });

TEST(IntelHexReceiver, PlacesDataAfterAnExtendedLinearAddress) {
  ReceivedImage image;
  IntelHexReceiver receiver(image);
  FeedAll(receiver, ":020000040001F9\r\n:02001000ABCD76\r\n:00000001FF\r\n");
  ASSERT_EQ(image.data.size(), 1u);
  EXPECT_EQ(image.data.begin()->first, 0x10010u);
  EXPECT_EQ(image.data.begin()->second, (std::vector<std::uint8_t>{0xAB, 0xCD}));
  EXPECT_EQ(image.goodRecords, 3u);
  EXPECT_TRUE(image.ended);
}

}  // namespace
}  // namespace sim
