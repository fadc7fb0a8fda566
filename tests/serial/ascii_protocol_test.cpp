#include "platform/ascii_protocol.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <numeric>
#include <string>
#include <vector>

#include "platform/com_port.h"
#include "platform/virtual/virtual_event_loop.h"
#include "sim/simulated_ports.h"
#include "tests/serial/scripted_peer.h"

namespace serial_test {
namespace {

constexpr sim::Micros Tick = 55'000;

class AsciiProtocolTest : public ::testing::Test {
 protected:
  AsciiProtocolTest() {
    protocol.OnProtocolStatus = [this](std::int32_t) { blocks.push_back(protocol.BlockLength()); };
    protocol.OnProtocolFinish = [this](std::int32_t) { ends.push_back({"finish", loop.Now()}); };
    protocol.OnProtocolError = [this](std::int32_t) { ends.push_back({"error", loop.Now()}); };
  }
  ~AsciiProtocolTest() override { std::filesystem::remove(path); }

  // A HEX-like text with every byte value a file may hold, so that nothing is translated.
  std::string WriteFile(std::size_t size) {
    std::string bytes;
    for (std::size_t i = 0; i < size; ++i)
      bytes.push_back(static_cast<char>(i * 7 % 256));
    std::ofstream(path, std::ios::binary) << bytes;
    protocol.SetFileMask(path.string());
    return bytes;
  }
  void RunFor(sim::Micros span) {
    loop.RunUntil([] { return false; }, loop.Now() + span);
  }
  std::uint64_t BlockSum() const { return std::accumulate(blocks.begin(), blocks.end(), 0ull); }

  struct End {
    std::string kind;
    sim::Micros at;
  };

  std::filesystem::path path = std::filesystem::temp_directory_path() /
                               ("ascii_protocol_test_" + std::to_string(::getpid()) + ".hex");
  platform::VirtualEventLoop loop;
  ScriptedPeer peer;
  sim::SimulatedPorts ports{loop};
  platform::ComPort port{loop, ports};
  platform::AsciiProtocol protocol{loop, port};
  std::vector<std::uint16_t> blocks;
  std::vector<End> ends;
};

TEST_F(AsciiProtocolTest, SendsTheFileUnchangedAndFinishesWhenTheLastByteHasLeft) {
  ports.Plug(1, peer);
  const std::string bytes = WriteFile(40'000);
  protocol.StartTransmit();
  EXPECT_TRUE(protocol.InProgress());
  RunFor(10'000'000);
  EXPECT_TRUE(peer.Received() == bytes) << "the bytes differ";
  ASSERT_EQ(ends.size(), 1u);
  EXPECT_EQ(ends[0].kind, "finish");
  EXPECT_EQ(ends[0].at, LineTime(40'000));  // the line never idled
  EXPECT_FALSE(protocol.InProgress());
  // About one status a second, each with the bytes since the last; the last one the rest.
  EXPECT_EQ(blocks.size(), 4u);
  EXPECT_NEAR(blocks[0], 990'000LL * 115'200 / 10'000'000, 1);
  EXPECT_EQ(BlockSum(), 40'000u);
}

TEST_F(AsciiProtocolTest, AFileThatCannotBeReadEndsWithAnError) {
  ports.Plug(1, peer);
  protocol.SetFileMask((std::filesystem::temp_directory_path() / "no-such-dir/x.hex").string());
  protocol.StartTransmit();
  RunFor(1'000);
  ASSERT_EQ(ends.size(), 1u);
  EXPECT_EQ(ends[0].kind, "error");
}

TEST_F(AsciiProtocolTest, APortThatCannotBeOpenedEndsWithAnError) {
  WriteFile(10);
  protocol.StartTransmit();
  RunFor(1'000);
  ASSERT_EQ(ends.size(), 1u);
  EXPECT_EQ(ends[0].kind, "error");
}

TEST_F(AsciiProtocolTest, AShortCtsStallOnlyDelaysTheTransfer) {
  peer.At(200'000, [](ScriptedPeer& p) { p.SetClearToSend(false); });
  peer.At(1'200'000, [](ScriptedPeer& p) { p.SetClearToSend(true); });
  ports.Plug(1, peer);
  const std::string bytes = WriteFile(20'000);
  protocol.StartTransmit();
  RunFor(10'000'000);
  EXPECT_TRUE(peer.Received() == bytes) << "the bytes differ";
  ASSERT_EQ(ends.size(), 1u);
  EXPECT_EQ(ends[0].kind, "finish");
  EXPECT_GE(ends[0].at, LineTime(20'000) + 1'000'000 - LineTime(1));
  EXPECT_LE(ends[0].at, LineTime(20'000) + 1'000'000 + LineTime(1));
  EXPECT_EQ(BlockSum(), 20'000u);
}

TEST_F(AsciiProtocolTest, CtsHeldLowEndsWithAnErrorAfterTheTransmitTimeout) {
  peer.At(100'000, [](ScriptedPeer& p) { p.SetClearToSend(false); });
  ports.Plug(1, peer);
  WriteFile(20'000);
  protocol.StartTransmit();
  RunFor(100'000 + 1092 * Tick - 1'000'000);
  EXPECT_TRUE(ends.empty());
  RunFor(2'000'000);
  ASSERT_EQ(ends.size(), 1u);
  EXPECT_EQ(ends[0].kind, "error");
  EXPECT_EQ(BlockSum(), peer.Received().size());
  RunFor(100'000'000);
  EXPECT_EQ(ends.size(), 1u);
}

TEST_F(AsciiProtocolTest, ADroppedLineEndsWithAnErrorAtOnce) {
  peer.At(500'000, [](ScriptedPeer& p) { p.DropLine(); });
  ports.Plug(1, peer);
  WriteFile(20'000);
  protocol.StartTransmit();
  RunFor(10'000'000);
  ASSERT_EQ(ends.size(), 1u);
  EXPECT_EQ(ends[0].kind, "error");
  EXPECT_EQ(ends[0].at, 500'000);
}

}  // namespace
}  // namespace serial_test
