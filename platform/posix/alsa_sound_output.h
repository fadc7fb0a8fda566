#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "platform/event_loop.h"
#include "platform/posix/wave_file.h"
#include "platform/sound_output.h"

struct _snd_pcm;

namespace platform {

// Plays WAVE files through ALSA. The device is opened non-blocking and fed from a loop timer
// while the sound lasts, so the window never waits for the sound card.
class AlsaSoundOutput final : public SoundOutput {
 public:
  explicit AlsaSoundOutput(EventLoop& loop, std::string device = "default")
      : loop_(loop), device_(std::move(device)) {}
  ~AlsaSoundOutput() override { Stop(); }
  AlsaSoundOutput(const AlsaSoundOutput&) = delete;
  AlsaSoundOutput& operator=(const AlsaSoundOutput&) = delete;

  bool Play(const std::string& wavPath) override;
  void Stop() override;

  // Whether a sound is still on its way to the speaker.
  bool Playing() const { return pcm_ != nullptr; }

 private:
  void Feed();

  EventLoop& loop_;
  std::string device_;
  _snd_pcm* pcm_ = nullptr;
  WaveSound sound_;
  std::size_t framesWritten_ = 0;
  std::optional<EventLoop::TimerId> feedTimer_;
};

}  // namespace platform
