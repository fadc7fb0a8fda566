#include "package/package_tail.h"

#include "package/package_state.h"

namespace package {

PackageTail TailOf(std::int32_t bootLength, std::int32_t mainLength) {
  PackageTail tail;
  tail.Trailer = {TrailerSize, TrailerSize};
  tail.Main = {tail.Trailer.distanceFromEnd + mainLength, mainLength};
  tail.Boot = {tail.Main.distanceFromEnd + bootLength, bootLength};
  tail.Sound = {tail.Boot.distanceFromEnd + SoundLength, SoundLength};
  return tail;
}

}  // namespace package
