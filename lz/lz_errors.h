#pragma once

#include <string>

#include "platform/exceptions.h"

namespace lz {

// Numbers of the codec's messages.
inline constexpr int kMsgLZInitialisationFailed = 40002;
inline constexpr int kMsgInvalidParameters = 40003;
inline constexpr int kMsgSameInputAndOutput = 40004;
inline constexpr int kMsgWrongCompressedFile = 40006;

// An error of the codec, with the number of its message.
class EVarkoLZError : public platform::Exception {
 public:
  EVarkoLZError(int messageNumber, std::string message)
      : Exception(std::move(message)), messageNumber_(messageNumber) {}
  int MessageNumber() const { return messageNumber_; }

 private:
  int messageNumber_;
};

// A request the codec refuses: bad names or a mismatched archive.
class EVarkoLZCompress : public EVarkoLZError {
 public:
  using EVarkoLZError::EVarkoLZError;
};

// Internal misuse of the codec's routines.
class EVarkoLZDebug : public platform::Exception {
 public:
  using Exception::Exception;
};

EVarkoLZError LZInitialisationFailed();
EVarkoLZCompress InvalidLZParameters();
EVarkoLZCompress SameInputAndOutput(const std::string& inFileName);
EVarkoLZCompress WrongCompressedFile(const std::string& storedName);

}  // namespace lz
