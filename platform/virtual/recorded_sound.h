#pragma once

#include <string>
#include <vector>

#include "platform/sound_output.h"

namespace platform {

// A sound device that only records: what was played (with the file's bytes at that moment,
// since a played file may be deleted right after) and whether it was stopped.
class RecordedSound : public SoundOutput {
 public:
  struct Playback {
    std::string path;
    std::string bytes;
  };

  explicit RecordedSound(bool deviceAvailable = true) : deviceAvailable_(deviceAvailable) {}

  // Like a real device: false for an unreadable file or when there is no device.
  bool Play(const std::string& wavPath) override;
  void Stop() override { playing_ = false; }

  const std::vector<Playback>& Playbacks() const { return playbacks_; }
  bool Playing() const { return playing_; }

 private:
  bool deviceAvailable_;
  std::vector<Playback> playbacks_;
  bool playing_ = false;
};

}  // namespace platform
