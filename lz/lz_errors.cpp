#include "lz/lz_errors.h"

namespace lz {

EVarkoLZError LZInitialisationFailed() {
  return EVarkoLZError(kMsgLZInitialisationFailed, "LZ-Initialisation failed");
}

EVarkoLZCompress InvalidLZParameters() {
  return EVarkoLZCompress(kMsgInvalidParameters, "Invalid parameters to LZ function");
}

EVarkoLZCompress SameInputAndOutput(const std::string& inFileName) {
  return EVarkoLZCompress(kMsgSameInputAndOutput,
                          "File " + inFileName + " specified for both Input and Output");
}

EVarkoLZCompress WrongCompressedFile(const std::string& storedName) {
  return EVarkoLZCompress(kMsgWrongCompressedFile, "Wrong compressed file: " + storedName);
}

}  // namespace lz
