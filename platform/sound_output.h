#pragma once

#include <string>

namespace platform {

// Plays a RIFF WAVE file without blocking the loop.
class SoundOutput {
 public:
  virtual ~SoundOutput() = default;
  // Starts playing; returns false when the file cannot be played or there is no sound device.
  virtual bool Play(const std::string& wavPath) = 0;
  // Stops whatever is playing; harmless when nothing is.
  virtual void Stop() = 0;
};

}  // namespace platform
