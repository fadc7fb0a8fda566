#include "platform/virtual/recorded_sound.h"

#include <fstream>
#include <iterator>

namespace platform {

bool RecordedSound::Play(const std::string& wavPath) {
  std::ifstream file(wavPath, std::ios::binary);
  if (!file || !deviceAvailable_) return false;
  playbacks_.push_back(Playback{wavPath, std::string(std::istreambuf_iterator<char>(file),
                                                     std::istreambuf_iterator<char>())});
  playing_ = true;
  return true;
}

}  // namespace platform
