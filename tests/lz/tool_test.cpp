#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/lz/lz_files.h"
#include "tests/lz/sample_data.h"
#include "tools/tessary-lz/lz_tool.h"

namespace lz_tool {
namespace {

using testing_support::Bytes;
using testing_support::TempFolder;

struct ToolRun {
  int status;
  std::string out;
  std::string err;
};

class LZTool : public ::testing::Test {
 protected:
  ToolRun Tool(std::vector<std::string> arguments, const std::string& answers = "",
               bool interactive = false) {
    std::istringstream in(answers);
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunTool(arguments, {in, out, err, interactive});
    return {status, out.str(), err.str()};
  }
  std::string Text(const std::string& name) const {
    const Bytes bytes = TempFolder::Read(folder_.Path(name));
    return std::string(bytes.begin(), bytes.end());
  }

  TempFolder folder_;
};

TEST_F(LZTool, WrongUsageExitsWithTwo) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"squeeze", "a"},
      {"compress"},
      {"compress", "a", "b", "c"},
      {"info", "a", "b"},
      {"--fast", "compress", "a"},
  };
  for (const auto& arguments : cases) {
    const ToolRun run = Tool(arguments);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("--help"), std::string::npos);
  }
  const ToolRun help = Tool({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("Usage: tessary-lz"), std::string::npos);
}

TEST_F(LZTool, CompressesExpandsAndDescribes) {
  const Bytes hex = lz_samples::IntelHexText(100000, 9);
  folder_.Write("image.hex", hex);
  ToolRun run = Tool({"compress", folder_.Path("image.hex")});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("image.he~"), std::string::npos);
  const std::string size = std::to_string(hex.size());
  EXPECT_NE(run.err.find("100% " + size + "/" + size + " bytes"), std::string::npos);

  run = Tool({"info", folder_.Path("image.he~")});
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("FileName:         image.hex"), std::string::npos);
  EXPECT_NE(run.out.find("UncompressedSize: " + size), std::string::npos);
  EXPECT_NE(Tool({"info", folder_.Path("image.hex")}).out.find("not an archive"),
            std::string::npos);

  run = Tool({"expand", folder_.Path("image.he~"), folder_.Path("copy.hex")});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(TempFolder::Read(folder_.Path("copy.hex")), hex);
}

TEST_F(LZTool, SmallInputsShowNoBar) {
  folder_.Write("small", "small");
  const ToolRun run = Tool({"compress", folder_.Path("small"), folder_.Path("small.z")});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
}

TEST_F(LZTool, ErrorsExitWithOneAndTheirMessage) {
  ToolRun run = Tool({"expand", folder_.Path("missing")});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("File not found"), std::string::npos);
  folder_.Write("plain", "plain");
  run = Tool({"expand", folder_.Path("plain")});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("specified for both Input and Output"), std::string::npos);
}

TEST_F(LZTool, OverwriteQuestion) {
  folder_.Write("in", "new contents");
  struct Case {
    const char* command;
    const char* answers;
    bool interactive;
    bool yes;
    int status;
    bool replaced;
  };
  const Case cases[] = {
      {"compress", "y\n", true, false, 0, true},     {"compress", "n\n", true, false, 0, false},
      {"compress", "a\n", true, false, 1, false},    {"compress", "", true, false, 1, false},
      {"compress", "", false, false, 1, false},      {"compress", "", false, true, 0, true},
      {"expand", "what\ny\n", true, false, 0, true}, {"expand", "n\n", true, false, 0, false},
      {"expand", "a\n", true, false, 1, false},      {"expand", "", false, false, 1, false},
      {"expand", "", false, true, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.command) + " " + c.answers);
    folder_.Write("out", "old");
    std::vector<std::string> arguments = {c.command, folder_.Path("in"), folder_.Path("out")};
    if (c.yes) arguments.insert(arguments.begin(), "--yes");
    const ToolRun run = Tool(arguments, c.answers, c.interactive);
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_EQ(Text("out") != "old", c.replaced);
    EXPECT_EQ(run.err.find("Overwrite?") != std::string::npos, c.interactive && !c.yes);
  }
}

}  // namespace
}  // namespace lz_tool
