#include "lz/lz_compress.h"

#include <utility>

#include "lz/lz_context.h"
#include "lz/lz_encode.h"
#include "lz/lz_errors.h"
#include "lz/lz_file_info.h"
#include "lz/lz_names.h"
#include "lz/lz_output.h"
#include "lz/my_fcopy.h"
#include "platform/checked.h"
#include "platform/files.h"

namespace lz {
namespace {

TLZHeader MakeHeader(const std::string& inFileName, std::uint32_t date,
                     const TLZReportRec& record) {
  TLZHeader header;
  header.FileName = CountedString<12>(ExtractFileName(inFileName));
  header.FileDate = date;
  header.Signature = CountedString<8>(kLZSignature);
  header.UncompressedSize = record.UncompressedSize;
  header.Version = record.Version;
  return header;
}

std::int32_t WriteArchive(LZContext& context, TLZHeader& header) {
  platform::File& output = *context.Output;
  output.Write(EncodeLZHeader(header));
  context.InPos = kLZBlockSize;
  context.InCount = kLZBlockSize;
  context.OutPos = 0;
  *context.WorkArea = LZWorkArea{};
  context.ReportOnWrite = false;
  LZEncode(context);
  // Until this point the header says CompressedSize 0: a cut-short archive stays recognisable.
  header.CompressedSize = context.TotalWritten;
  output.Seek(0, platform::SeekOrigin::Begin);
  output.Write(EncodeLZHeader(header));
  return platform::CheckedAdd(context.TotalWritten, static_cast<std::int32_t>(kLZHeaderSize));
}

}  // namespace

std::int32_t LZCompressFile(std::string inFileName, std::string outFileName,
                            const TLZConfirmProc& confirmProc, const TLZReportProc& reportProc) {
  TLZReportRec record;
  LZContext context;
  if (!context.AllocateLZBuffers()) throw LZInitialisationFailed();
  if (inFileName.empty() || outFileName.empty()) throw InvalidLZParameters();
  // Compared in their absolute forms: "a" and "./a" must not be read and replaced at once.
  if (platform::SameFileName(platform::ExpandFileName(inFileName),
                             platform::ExpandFileName(outFileName))) {
    throw SameInputAndOutput(inFileName);
  }
  const std::uint32_t date = FileDateByName(inFileName);

  record.FileName = inFileName;
  record.FileDate = date;
  record.UncompressedSize = FileSizeByName(inFileName);
  record.Version = GetFileVersionText(inFileName);
  if (platform::FileExists(outFileName)) {
    record.CompressedSize = record.UncompressedSize;
    if (confirmProc && confirmProc(record, outFileName) != kConfirmOverwrite) return kLZSkipped;
  } else {
    record.CompressedSize = -1;
  }
  context.CurrentReport = record;

  platform::File input = platform::File::OpenInput(inFileName);
  platform::File output = platform::File::CreateOutput(outFileName);
  context.Input = &input;
  context.Output = &output;
  TLZHeader header;
  return WriteOutput(output, header.FileDate, record, reportProc, [&] {
    if (reportProc) reportProc(record, kReportStart);
    context.CurrentReportProc = reportProc;
    // An archive is not compressed twice; the copy keeps the archive's own date.
    if (ReadLZHeader(input, header)) return MyFCopy(context, input, output, -1, false);
    header = MakeHeader(inFileName, date, record);
    return WriteArchive(context, header);
  });
}

std::int32_t LZCompressFileDefault(std::string inFileName, const TLZConfirmProc& confirmProc,
                                   const TLZReportProc& reportProc) {
  std::string outFileName = MakeCompressedName(inFileName);
  return LZCompressFile(std::move(inFileName), std::move(outFileName), confirmProc, reportProc);
}

}  // namespace lz
