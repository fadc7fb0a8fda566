#include "lz/lz_decompress.h"

#include <algorithm>
#include <utility>

#include "lz/lz_context.h"
#include "lz/lz_decode.h"
#include "lz/lz_errors.h"
#include "lz/lz_file_info.h"
#include "lz/lz_names.h"
#include "lz/lz_output.h"
#include "lz/my_fcopy.h"
#include "platform/checked.h"
#include "platform/exceptions.h"
#include "platform/files.h"

namespace lz {
namespace {

// The record describing an archive's content, or a plain input as it stands.
void DescribeInput(TLZReportRec& record, bool isArchive, const TLZHeader& header,
                   std::int32_t plainSize, std::uint32_t date, const CountedString<8>& version) {
  if (isArchive) {
    record.CompressedSize = header.CompressedSize;
    record.UncompressedSize = header.UncompressedSize;
    record.FileDate = header.FileDate;
    record.Version = header.Version;
  } else {
    record.CompressedSize = plainSize;
    record.UncompressedSize = plainSize;
    record.FileDate = date;
    record.Version = version;
  }
}

struct CompressedInput {
  std::string fileName;
  std::string storedName;
};

// When the requested file is missing its compressed name is tried; the archive found there
// must hold the requested file.
CompressedInput FindCompressedInput(const std::string& requested) {
  CompressedInput found{MakeCompressedName(requested), {}};
  found.storedName = GetStoredName(found.fileName);
  if (!platform::SameFileName(ExtractFileName(found.storedName), ExtractFileName(requested))) {
    throw WrongCompressedFile(found.storedName);
  }
  return found;
}

}  // namespace

std::int32_t LZDecompressFile(std::string inFileName, std::string outFileName,
                              const TLZConfirmProc& confirmProc, const TLZReportProc& reportProc) {
  TLZReportRec record;
  LZContext context;
  if (!context.AllocateLZBuffers()) throw LZInitialisationFailed();
  if (inFileName.empty() || outFileName.empty()) throw InvalidLZParameters();
  inFileName = platform::ExpandFileName(inFileName);
  outFileName = platform::ExpandFileName(outFileName);
  if (platform::SameFileName(inFileName, outFileName)) throw SameInputAndOutput(inFileName);
  if (!platform::FileExists(inFileName)) {
    inFileName = FindCompressedInput(inFileName).fileName;
    // The substitute may be the very file asked for as output.
    if (platform::SameFileName(inFileName, outFileName)) throw SameInputAndOutput(inFileName);
  }
  const std::uint32_t date = FileDateByName(inFileName);

  platform::File input = platform::File::OpenInput(inFileName);
  TLZHeader header;
  const bool isArchive = ReadLZHeader(input, header);
  const auto plainSize = platform::RangeChecked<std::int32_t>(input.Size());

  if (platform::FileExists(outFileName)) {
    record.FileName = isArchive ? header.FileName.Text() : inFileName;
    DescribeInput(record, isArchive, header, plainSize, date, GetFileVersionText(inFileName));
    if (confirmProc) {
      const std::uint8_t reply = confirmProc(record, outFileName);
      if (reply == kConfirmSkip) return kLZSkipped;
      if (reply == kConfirmAbort) throw platform::EAbort();
    }
  }
  record.FileName = outFileName;
  DescribeInput(record, isArchive, header, plainSize, date, CountedString<8>("0"));
  context.CurrentReport = record;

  platform::File output = platform::File::CreateOutput(outFileName);
  context.Input = &input;
  context.Output = &output;
  if (!isArchive) header.FileDate = date;
  return WriteOutput(output, header.FileDate, record, reportProc, [&] {
    if (reportProc) reportProc(record, kReportStart);
    context.CurrentReportProc = reportProc;
    if (!isArchive) return MyFCopy(context, input, output, -1, true);
    context.InPos = kLZBlockSize;
    context.InCount = kLZBlockSize;
    context.OutPos = 0;
    std::ranges::fill(context.WorkArea->RingBuffer, 0);
    input.Seek(kLZHeaderSize, platform::SeekOrigin::Begin);
    context.ReportOnWrite = true;
    LZDecode(context);
    return context.TotalWritten;
  });
}

std::int32_t LZDecompressFileDefault(std::string inFileName, const TLZConfirmProc& confirmProc,
                                     const TLZReportProc& reportProc) {
  if (inFileName.empty()) return 0;
  std::string stored;
  if (!platform::FileExists(inFileName)) {
    CompressedInput found = FindCompressedInput(inFileName);
    inFileName = std::move(found.fileName);
    stored = std::move(found.storedName);
  } else {
    stored = GetStoredName(inFileName);
  }
  // A stored name that ends in a separator names no file.
  stored = ExtractFileName(stored);
  if (stored.empty()) return 0;
  inFileName = platform::ExpandFileName(inFileName);
  // Refuses plain files (their stored name is their own) and archives storing their own name.
  if (platform::SameFileName(ExtractFileName(inFileName), stored)) {
    throw SameInputAndOutput(inFileName);
  }
  return LZDecompressFile(inFileName, ExtractFilePath(inFileName) + stored, confirmProc,
                          reportProc);
}

}  // namespace lz
