#include "package/firmware_package.h"
#include "package/tail_copy.h"
#include "package/temporary_files.h"
#include "platform/exceptions.h"
#include "platform/files.h"
#include "platform/windows_paths.h"

namespace package {

bool FirmwarePackage::ExtractAlertSound() {
  std::optional<platform::File> program = platform::File::TryOpenInput(context_.ProgramFileName);
  if (!program) return false;
  const PackageSettings& settings = context_.state.Settings;
  const TailPiece sound = TailOf(settings.BootLength, settings.MainLength).Sound;
  if (!sound.FitsIn(program->Size())) return false;
  if (context_.DebugMode) context_.log.Add("Extracting WAV file.");
  const std::string soundPath = platform::LocalPath(SoundFileName);
  platform::File soundFile = platform::File::CreateOutput(soundPath);
  CopyFromTail(*program, soundFile, sound.distanceFromEnd, ExactLength(sound.length));
  soundFile.Close();
  MarkTemporary(soundPath);
  return true;
}

void FirmwarePackage::RejectUtility() {
  context_.DestroySearchWindow();
  StartAlertSound();
  context_.app.MessageBox("Incorrect flash utility for modem.", "Error",
                          platform::MessageIcon::Error);
  context_.MediaPlayer1.Close();
  RemoveTemporaryFile(platform::LocalPath(SoundFileName));
  context_.CloseMainWindow();
}

// The sound only accompanies the rejection: without it (no program file, no device, no
// writable working directory) the box must still appear and the program still end.
void FirmwarePackage::StartAlertSound() {
  try {
    if (!ExtractAlertSound()) return;
    context_.MediaPlayer1.SetFileName(platform::LocalPath(SoundFileName));
    context_.MediaPlayer1.Open();
    context_.MediaPlayer1.Play();
  } catch (const platform::Exception&) {
    // Silent: the box that follows tells the user what matters.
  }
}

}  // namespace package
