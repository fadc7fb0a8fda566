#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lz/lz_compress.h"
#include "lz/lz_decompress.h"
#include "platform/exceptions.h"
#include "tests/lz/lz_files.h"
#include "tests/lz/sample_data.h"

namespace lz {
namespace {

using Counts = std::vector<std::int32_t>;

// Records every report with a copy of the record it came with.
struct ReportLog {
  TLZReportProc Proc() {
    return [this](TLZReportRec& record, std::int32_t count) {
      counts.push_back(count);
      records.push_back(record);
    };
  }
  Counts counts;
  std::vector<TLZReportRec> records;
};

Counts Zeros(std::size_t n) {
  return Counts(n, 0);
}
Counts Join(Counts a, const Counts& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class Reports : public LZFiles {
 protected:
  // An archive of data written by the encoder itself, or data as it is.
  std::string Input(const Bytes& data, bool asArchive) {
    return folder_.Write("input", asArchive ? Compress(data) : data);
  }
};

TEST_F(Reports, ExpandingReportsEachWrittenBlock) {
  struct Case {
    const char* name;
    Bytes data;
    bool archive;
    Counts counts;
  };
  const Case cases[] = {
      {"archive of 70000", lz_samples::RandomBytes(70000, 5), true, {-1, 32000, 32000, 6000, -2}},
      {"archive of 64000", lz_samples::RandomBytes(64000, 5), true, {-1, 32000, 32000, 0, -2}},
      {"empty archive", {}, true, {-1, 0, -2}},
      {"plain 70000", lz_samples::RandomBytes(70000, 5), false, {-1, 32000, 32000, 6000, -2}},
      {"plain 64000", lz_samples::RandomBytes(64000, 5), false, {-1, 32000, 32000, -2}},
  };
  for (const Case& c : cases) {
    ReportLog log;
    const std::string in = Input(c.data, c.archive);
    EXPECT_EQ(LZDecompressFile(in, folder_.Path("out"), nullptr, log.Proc()),
              static_cast<std::int32_t>(c.data.size()));
    EXPECT_EQ(log.counts, c.counts) << c.name;
    EXPECT_EQ(log.records.front().FileName, folder_.Path("out")) << c.name;
    EXPECT_EQ(log.records.front().UncompressedSize, static_cast<std::int32_t>(c.data.size()));
    EXPECT_EQ(log.records.back().FileName, "") << c.name;
  }
}

TEST_F(Reports, CompressingReportsEachReadBlockAndEveryReadAfterTheEnd) {
  const Bytes data = lz_samples::RandomBytes(70000, 6);
  ReportLog log;
  const std::string in = folder_.Write("input", data);
  LZCompressFile(in, folder_.Path("out"), nullptr, log.Proc());
  // Random data ends in literals: each of the last 18 positions reads once more.
  EXPECT_EQ(log.counts, Join({-1, 32000, 32000, 6000}, Join(Zeros(18), {-2})));
  EXPECT_EQ(log.records.front().FileName, in);
  EXPECT_EQ(log.records.front().CompressedSize, -1);
  EXPECT_EQ(log.records.back().CompressedSize, -1);  // never updated
  EXPECT_EQ(log.records.back().UncompressedSize, 70000);

  ReportLog copyLog;
  const std::string archive =
      folder_.Write("archive", ArchiveOf(lz_samples::RandomBytes(70000 - 43, 7)));
  EXPECT_EQ(LZCompressFile(archive, folder_.Path("copy"), nullptr, copyLog.Proc()), 70000);
  EXPECT_EQ(copyLog.counts, Counts({-1, 32000, 32000, 6000, 0, -2}));
}

TEST_F(Reports, EmptyCompressionReadsOnce) {
  ReportLog log;
  LZCompressFile(folder_.Write("input", ""), folder_.Path("out"), nullptr, log.Proc());
  EXPECT_EQ(log.counts, Counts({-1, 0, -2}));
}

TEST_F(Reports, TheEndIsReportedAlsoWhenAnErrorStopsTheOperation) {
  ReportLog log;
  const std::string in = Input(lz_samples::RandomBytes(70000, 5), true);
  TLZReportProc failing = [&](TLZReportRec& record, std::int32_t count) {
    log.Proc()(record, count);
    if (count == 32000) throw platform::EAbort();
  };
  EXPECT_THROW(LZDecompressFile(in, folder_.Path("out"), nullptr, failing), platform::EAbort);
  EXPECT_EQ(log.counts, Counts({-1, 32000, -2}));
}

// Replies of the overwrite question, and what each leaves behind.
class Confirm : public LZFiles {
 protected:
  void SetUp() override {
    archive_ = folder_.Write("in.ar~", Compress(Text("expanded")));
    plain_ = folder_.Write("plain.txt", "plain text");
    out_ = folder_.Write("out", "old");
  }
  static Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }
  Bytes Out() const { return TempFolder::Read(out_); }

  std::string archive_;
  std::string plain_;
  std::string out_;
};

TEST_F(Confirm, ExpandSkipsOnZeroAbortsOnTwoAndOverwritesOtherwise) {
  struct Case {
    std::uint8_t reply;
    std::int32_t result;
    std::string out;
  };
  const Case cases[] = {{0, kLZSkipped, "old"}, {1, 8, "expanded"}, {7, 8, "expanded"}};
  for (const Case& c : cases) {
    folder_.Write("out", "old");
    ReportLog log;
    std::string askedFor;
    auto confirm = [&](TLZReportRec& record, const std::string& outFileName) {
      askedFor = record.FileName + " -> " + outFileName;
      return c.reply;
    };
    EXPECT_EQ(LZDecompressFile(archive_, out_, confirm, log.Proc()), c.result);
    EXPECT_EQ(Out(), Text(c.out)) << int(c.reply);
    EXPECT_EQ(askedFor, "input.bin -> " + out_);  // the name stored in the archive
    EXPECT_EQ(log.counts.empty(), c.reply == 0);
  }
  folder_.Write("out", "old");
  auto abort = [](TLZReportRec&, const std::string&) { return kConfirmAbort; };
  EXPECT_THROW(LZDecompressFile(archive_, out_, abort, nullptr), platform::EAbort);
  EXPECT_EQ(Out(), Text("old"));
}

TEST_F(Confirm, ExpandAsksAboutAPlainInputWithItsOwnNameAndSize) {
  TLZReportRec asked;
  auto confirm = [&](TLZReportRec& record, const std::string&) {
    asked = record;
    return kConfirmOverwrite;
  };
  EXPECT_EQ(LZDecompressFile(plain_, out_, confirm, nullptr), 10);
  EXPECT_EQ(asked.FileName, plain_);
  EXPECT_EQ(asked.CompressedSize, 10);
  EXPECT_EQ(asked.UncompressedSize, 10);
  EXPECT_EQ(asked.Version.Text(), "0");
}

TEST_F(Confirm, NoQuestionWithoutAnOutputOrWithoutAProc) {
  int asked = 0;
  auto confirm = [&](TLZReportRec&, const std::string&) {
    ++asked;
    return kConfirmSkip;
  };
  EXPECT_EQ(LZDecompressFile(archive_, folder_.Path("new"), confirm, nullptr), 8);
  EXPECT_EQ(LZDecompressFile(archive_, out_, nullptr, nullptr), 8);
  EXPECT_EQ(asked, 0);
  EXPECT_EQ(Out(), Text("expanded"));
}

TEST_F(Confirm, CompressOverwritesOnlyOnOne) {
  for (std::uint8_t reply : {0, 2, 7}) {
    auto confirm = [&](TLZReportRec& record, const std::string&) {
      EXPECT_EQ(record.CompressedSize, 10);
      EXPECT_EQ(record.UncompressedSize, 10);
      return reply;
    };
    EXPECT_EQ(LZCompressFile(plain_, out_, confirm, nullptr), kLZSkipped) << int(reply);
    EXPECT_EQ(Out(), Text("old"));
  }
  auto yes = [](TLZReportRec&, const std::string&) { return kConfirmOverwrite; };
  EXPECT_EQ(LZCompressFile(plain_, out_, yes, nullptr), 43 + 12);
}

}  // namespace
}  // namespace lz
