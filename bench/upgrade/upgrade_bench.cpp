// A whole upgrade of a 1 MB Intel-HEX image (main image only) on the virtual backend: the host
// CPU time it takes, and the virtual time on the line. The transfer must keep the line busy
// from its first byte to its last, so its virtual time is exactly what the bytes need at
// 115200 bit/s (ten bits a byte) after the fixed pauses that lead into it.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "tests/realtime/intel_hex_writer.h"
#include "tests/scenario/upgrade_rig.h"
#include "text/message_catalogue.h"

namespace {

using Micros = platform::VirtualEventLoop::Micros;

// 16 data bytes to a 45-byte record: just over 1 MiB of HEX text.
constexpr std::uint32_t ImageDataBytes = 372'800;
// From the line that reports programming mode to the transfer's first byte: the step timer's
// interval, then the pause that begins the transfer.
constexpr Micros PausesBeforeTransfer = (200 + 300) * 1000;

struct Firmware {
  std::string hex = realtime::GenerateIntelHex(0, ImageDataBytes, 29);
  scenario::PackagedUtility utility{{.mainHex = hex,
                                     .trailerOptions = {"--product", "Tessary 336", "--main-model",
                                                        "xx518200", "--country", "0"}}};
};

// What the line needs for the bytes when it never idles, rounded up to whole microseconds.
Micros LineTime(std::size_t bytes) {
  return (static_cast<Micros>(bytes) * 10 * 1'000'000 + 115'200 - 1) / 115'200;
}

void WholeUpgradeOfOneMegabyte(benchmark::State& state) {
  static const Firmware firmware;
  Micros total = 0;
  Micros transfer = 0;
  for (auto _ : state) {
    scenario::UpgradeRun run(firmware.utility.File());
    const sim::SimulatedModem& modem = run.Ports().AddModem(2);
    run.PlayUser(text::LanguageEnglish);
    Micros programming = 0;
    Micros sent = 0;
    run.User().WhenLogLine(run.Form1().Memo1, "Programming FLASHROM on COM2.",
                           [&] { programming = run.Loop().Now(); });
    run.User().WhenLogLine(run.Form1().Memo1, "Flash file upload sent successfully.",
                           [&] { sent = run.Loop().Now(); });
    run.Run();
    if (modem.Images().size() != 1 || modem.Images()[0].hexBytes != firmware.hex) {
      state.SkipWithError("the modem did not receive the packaged image");
      return;
    }
    total = run.Loop().Now();
    transfer = sent - programming - PausesBeforeTransfer;
  }

  const Micros predicted = LineTime(firmware.hex.size());
  state.counters["hex_bytes"] = static_cast<double>(firmware.hex.size());
  state.counters["virtual_s"] = static_cast<double>(total) / 1e6;
  state.counters["transfer_s"] = static_cast<double>(transfer) / 1e6;
  state.counters["idle_us"] = static_cast<double>(transfer - predicted);
  std::printf(
      "virtual line time of the whole upgrade: %.6f s\n"
      "transfer of %zu bytes: %.6f s, bytes x 10 / 115200 = %.6f s: %s (line idle %lld us)\n",
      static_cast<double>(total) / 1e6, firmware.hex.size(), static_cast<double>(transfer) / 1e6,
      static_cast<double>(predicted) / 1e6, transfer == predicted ? "equal" : "NOT EQUAL",
      static_cast<long long>(transfer - predicted));
}

// A fixed count, so that the check is printed once.
BENCHMARK(WholeUpgradeOfOneMegabyte)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
