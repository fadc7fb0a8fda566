#include "platform/posix/alsa_sound_output.h"

#include <alsa/asoundlib.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "platform/exceptions.h"

namespace platform {
namespace {

// How often the player tops up the device, and how much sound the device holds ahead: the
// buffer outlasts several feeding rounds, so a busy window does not make the sound stutter.
constexpr std::uint32_t kFeedIntervalMs = 50;
constexpr unsigned kLatencyUs = 500'000;

snd_pcm_format_t SampleFormat(std::uint16_t bitsPerSample) {
  switch (bitsPerSample) {
    case 8:
      return SND_PCM_FORMAT_U8;
    case 16:
      return SND_PCM_FORMAT_S16_LE;
    case 24:
      return SND_PCM_FORMAT_S24_3LE;
    default:
      return SND_PCM_FORMAT_S32_LE;
  }
}

// A machine without a sound card is normal for this program; ALSA would report it at length on
// standard error while the device is looked up. Quiet only for that moment.
void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

class QuietAlsa {
 public:
  QuietAlsa() { snd_lib_error_set_handler(IgnoreAlsaError); }
  ~QuietAlsa() { snd_lib_error_set_handler(nullptr); }
  QuietAlsa(const QuietAlsa&) = delete;
  QuietAlsa& operator=(const QuietAlsa&) = delete;
};

std::optional<std::vector<std::uint8_t>> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

bool AlsaSoundOutput::Play(const std::string& wavPath) {
  Stop();
  const auto file = ReadFile(wavPath);
  if (!file) return false;
  try {
    sound_ = ParseWave(*file);
  } catch (const Exception&) {
    return false;
  }
  const QuietAlsa quiet;
  if (snd_pcm_open(&pcm_, device_.c_str(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0) {
    pcm_ = nullptr;
    return false;
  }
  if (snd_pcm_set_params(pcm_, SampleFormat(sound_.bitsPerSample), SND_PCM_ACCESS_RW_INTERLEAVED,
                         sound_.channels, sound_.sampleRate, 1, kLatencyUs) < 0) {
    Stop();
    return false;
  }
  framesWritten_ = 0;
  Feed();
  if (Playing()) feedTimer_ = loop_.AddTimer(kFeedIntervalMs, [this] { Feed(); });
  return true;
}

void AlsaSoundOutput::Feed() {
  const std::size_t frames = sound_.FrameCount();
  while (framesWritten_ < frames) {
    const std::uint8_t* from = sound_.samples.data() + framesWritten_ * sound_.FrameBytes();
    const snd_pcm_sframes_t written = snd_pcm_writei(pcm_, from, frames - framesWritten_);
    if (written == -EAGAIN) return;  // the device is full; the next round goes on
    if (written < 0) {
      // An underrun (the window was busy for long) is recovered; anything else ends the sound.
      if (snd_pcm_recover(pcm_, static_cast<int>(written), 1) < 0) {
        Stop();
        return;
      }
      continue;
    }
    framesWritten_ += static_cast<std::size_t>(written);
  }
  // Everything is queued: done once the device has played it out.
  snd_pcm_sframes_t delay = 0;
  const bool running = snd_pcm_state(pcm_) == SND_PCM_STATE_RUNNING;
  if (!running || snd_pcm_delay(pcm_, &delay) < 0 || delay <= 0) {
    if (!running && snd_pcm_state(pcm_) == SND_PCM_STATE_PREPARED)
      snd_pcm_start(pcm_);
    else
      Stop();
  }
}

void AlsaSoundOutput::Stop() {
  if (feedTimer_) loop_.RemoveTimer(*feedTimer_);
  feedTimer_.reset();
  if (pcm_ == nullptr) return;
  snd_pcm_drop(pcm_);
  snd_pcm_close(pcm_);
  pcm_ = nullptr;
}

}  // namespace platform
