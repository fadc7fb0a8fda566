#include <sys/stat.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "lz/lz_errors.h"
#include "lz/lz_file_info.h"
#include "lz/lz_obj.h"
#include "lz/my_fcopy.h"
#include "platform/exceptions.h"
#include "tests/lz/lz_files.h"

namespace lz {
namespace {

using Operation = std::function<std::int32_t(const std::string&, const std::string&)>;

const std::pair<const char*, Operation> kOperations[] = {
    {"decompress",
     [](const std::string& in, const std::string& out) {
       return LZDecompressFile(in, out, nullptr, nullptr);
     }},
    {"compress", [](const std::string& in,
                    const std::string& out) { return LZCompressFile(in, out, nullptr, nullptr); }},
};

class LZErrors : public LZFiles {
 protected:
  // The message number of the codec error, or the negated code of an EInOutError.
  static int ErrorOf(const std::function<void()>& action, std::string* message = nullptr) {
    try {
      action();
    } catch (const EVarkoLZError& error) {
      if (message != nullptr) *message = error.Message();
      return error.MessageNumber();
    } catch (const platform::EInOutError& error) {
      if (message != nullptr) *message = error.Message();
      return -error.ErrorCode();
    }
    return 0;
  }
};

TEST_F(LZErrors, NamesThatAreEmptyOrTheSameFile) {
  const std::string in = folder_.Write("Data.txt", "data");
  testing_support::WorkingDirectory inside(folder_.Root());
  for (const auto& [name, run] : kOperations) {
    SCOPED_TRACE(name);
    std::string message;
    EXPECT_EQ(ErrorOf([&] { run("", "out"); }, &message), 40003);
    EXPECT_EQ(message, "Invalid parameters to LZ function");
    EXPECT_EQ(ErrorOf([&] { run("Data.txt", ""); }), 40003);
    EXPECT_EQ(ErrorOf([&] { run("Data.txt", in); }), 40004);
    EXPECT_EQ(ErrorOf([&] { run("./sub/../Data.txt", "DATA.TXT"); }), 40004);
  }
  std::string message;
  ErrorOf([&] { LZDecompressFile("Data.txt", "DATA.TXT", nullptr, nullptr); }, &message);
  EXPECT_EQ(message, "File " + in + " specified for both Input and Output");
  ErrorOf([&] { LZCompressFile("Data.txt", "DATA.TXT", nullptr, nullptr); }, &message);
  EXPECT_EQ(message, "File Data.txt specified for both Input and Output");
  EXPECT_EQ(TempFolder::Read(in), Bytes({'d', 'a', 't', 'a'}));
}

TEST_F(LZErrors, MissingInputsAndOutputsThatCannotBeReplaced) {
  const std::string in = folder_.Write("in", "data");
  const std::string readOnly = folder_.Write("read-only", "keep");
  ::chmod(readOnly.c_str(), 0400);
  for (const auto& [name, run] : kOperations) {
    SCOPED_TRACE(name);
    std::string message;
    EXPECT_EQ(ErrorOf([&] { run(folder_.Path("missing"), folder_.Path("out")); }, &message), -2);
    EXPECT_EQ(message, "File not found");
    EXPECT_EQ(ErrorOf([&] { run(in, readOnly); }, &message), -5);
    EXPECT_EQ(message, "File access denied");
    EXPECT_EQ(TempFolder::Read(readOnly), Bytes({'k', 'e', 'e', 'p'}));
  }
}

TEST_F(LZErrors, ASubstituteInputMayNotBeTheOutput) {
  Compress(Bytes{'x'});  // leaves input.bin and its archive input.bi~
  const std::string missing = folder_.Path("input.bin");
  std::filesystem::remove(missing);
  const std::string archive = folder_.Path("input.bi~");
  EXPECT_EQ(ErrorOf([&] { LZDecompressFile(missing, archive, nullptr, nullptr); }), 40004);
  EXPECT_EQ(LZDecompressFile(missing, folder_.Path("x"), nullptr, nullptr), 1);
  EXPECT_EQ(GetStoredName(archive), "input.bin");
}

TEST_F(LZErrors, CopyingMoreThanTheSourceHolds) {
  LZContext context;
  platform::File source = platform::File::OpenInput(folder_.Write("in", "12345"));
  platform::File destination = platform::File::CreateOutput(folder_.Path("out"));
  EXPECT_THROW(MyFCopy(context, source, destination, -2, false), EVarkoLZDebug);
  std::string message;
  EXPECT_EQ(ErrorOf([&] { MyFCopy(context, source, destination, 6, false); }, &message), -100);
  EXPECT_EQ(message, "Read beyond end of file");
  source.Seek(0, platform::SeekOrigin::Begin);
  EXPECT_EQ(MyFCopy(context, source, destination, 3, true), 3);
}

TEST_F(LZErrors, LZObjWithoutInputNameDoesNothing) {
  LZObj empty("", folder_.Path("out"));
  EXPECT_FALSE(empty.HasInFileName());
  EXPECT_EQ(empty.Compress(), kLZSkipped);
  EXPECT_EQ(empty.Decompress(), kLZSkipped);
  EXPECT_FALSE(platform::FileExists(folder_.Path("out")));
}

TEST_F(LZErrors, LZObjChoosesDefaultNamesWithoutAnOutputName) {
  const std::string in = folder_.Write("README.TXT", "hello");
  LZObj compressor(in, "");
  EXPECT_EQ(compressor.Compress(), 43 + 6);
  std::filesystem::remove(in);
  LZObj expander(folder_.Path("README.TX~"), "");
  EXPECT_EQ(expander.Decompress(), 5);
  EXPECT_EQ(TempFolder::Read(in), Bytes({'h', 'e', 'l', 'l', 'o'}));
}

}  // namespace
}  // namespace lz
