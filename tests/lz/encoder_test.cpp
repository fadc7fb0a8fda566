#include <gtest/gtest.h>

#include <string>

#include "tests/lz/lz_files.h"
#include "tests/lz/reference_encoder.h"
#include "tests/lz/sample_data.h"

namespace lz {
namespace {

struct Corpus {
  const char* name;
  Bytes data;
};

// Ascending keys, each a few bytes apart, build degenerate chains in the trees.
Bytes AscendingCounters(std::size_t count) {
  Bytes bytes;
  for (std::size_t i = 0; i < count; ++i) {
    const std::string line = "#" + std::to_string(100000 + i * 7) + ";";
    bytes.insert(bytes.end(), line.begin(), line.end());
  }
  return bytes;
}

Bytes LongRuns() {
  Bytes bytes;
  for (int run = 0; run < 40; ++run)
    bytes.insert(bytes.end(), 1000 + run * 37, static_cast<std::uint8_t>(run * 7));
  return bytes;
}

class EncoderCorpora : public LZFiles, public ::testing::WithParamInterface<Corpus> {};

TEST_P(EncoderCorpora, WritesTheReferenceBytesAndExpandsBack) {
  const Bytes& data = GetParam().data;
  const Bytes archive = Compress(data);
  const lz_reference::ReferenceResult reference = lz_reference::ReferenceEncode(data, true);
  EXPECT_TRUE(StreamOf(archive) == reference.stream) << "stream differs from the reference";
  EXPECT_TRUE(Expand(archive) == data) << "round trip differs";
}

INSTANTIATE_TEST_SUITE_P(Data, EncoderCorpora,
                         ::testing::Values(Corpus{"Random", lz_samples::RandomBytes(70000, 1)},
                                           Corpus{"LongRuns", LongRuns()},
                                           Corpus{"IntelHex", lz_samples::IntelHexText(300000, 2)},
                                           Corpus{"Firmware", lz_samples::FirmwareImage(100000, 3)},
                                           Corpus{"AscendingCounters", AscendingCounters(20000)},
                                           Corpus{"Zeros", Bytes(50000, 0)}),
                         [](const auto& info) { return std::string(info.param.name); });

// The splaying decides which of equally long candidates the search meets first; these inputs
// grow trees deep enough for it to change the stream.
TEST(EncoderSplaying, DeepTreesSplayAndChangeTheStream) {
  for (const Bytes& data : {lz_samples::IntelHexText(300000, 2), AscendingCounters(20000)}) {
    const lz_reference::ReferenceResult withSplay = lz_reference::ReferenceEncode(data, true);
    const lz_reference::ReferenceResult without = lz_reference::ReferenceEncode(data, false);
    EXPECT_GT(withSplay.splays, 100);
    EXPECT_NE(withSplay.stream, without.stream);
  }
}

}  // namespace
}  // namespace lz
