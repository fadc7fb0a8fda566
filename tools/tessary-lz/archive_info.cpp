#include "tools/tessary-lz/archive_info.h"

#include <cstdio>
#include <string>

#include "lz/lz_file_info.h"
#include "lz/lz_header.h"
#include "platform/files.h"

namespace lz_tool {
namespace {

std::string DosDateText(std::uint32_t dos) {
  char text[64];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u (0x%08X)", 1980 + (dos >> 25),
                dos >> 21 & 0x0F, dos >> 16 & 0x1F, dos >> 11 & 0x1F, dos >> 5 & 0x3F,
                (dos & 0x1F) * 2, dos);
  return text;
}

// A stored name is foreign data: control bytes must not reach the terminal.
std::string Printable(std::string text) {
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  return text;
}

}  // namespace

void PrintArchiveInfo(const std::string& fileName, std::ostream& out) {
  platform::File file = platform::File::OpenInput(fileName);
  lz::TLZHeader header;
  if (!lz::ReadLZHeader(file, header)) {
    out << fileName << ": not an archive\n";
    return;
  }
  out << fileName << ":\n"
      << "  FileName:         " << Printable(header.FileName.Text()) << '\n'
      << "  UncompressedSize: " << header.UncompressedSize << '\n'
      << "  CompressedSize:   " << header.CompressedSize << '\n'
      << "  FileDate:         " << DosDateText(header.FileDate) << '\n'
      << "  Version:          " << Printable(header.Version.Text()) << '\n'
      << "  Archive size:     " << file.Size() << " bytes\n";
}

}  // namespace lz_tool
