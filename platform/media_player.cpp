#include <filesystem>
#include <fstream>

#include "platform/exceptions.h"
#include "platform/sound_output.h"
#include "platform/widgets.h"

namespace platform {

MediaPlayer::MediaPlayer(Control* parent, std::string name, SoundOutput& output)
    : Control(parent, std::move(name)), output_(output) {}

// No notification from here: the watchers may already be gone.
MediaPlayer::~MediaPlayer() {
  if (playing_) output_.Stop();
}

void MediaPlayer::Open() {
  if (fileName_.empty()) throw Exception("Media player: no file name given");
  std::error_code error;
  const bool isFile = std::filesystem::is_regular_file(fileName_, error);
  if (!isFile || !std::ifstream(fileName_, std::ios::binary)) {
    throw Exception("Media player: cannot open the file \"" + fileName_ + "\"");
  }
  opened_ = true;
}

bool MediaPlayer::Play() {
  if (!opened_) throw Exception("Media player: no file is open");
  Assign(playing_, output_.Play(fileName_));
  return playing_;
}

void MediaPlayer::Close() {
  if (playing_) output_.Stop();
  opened_ = false;
  Assign(playing_, false);
}

}  // namespace platform
