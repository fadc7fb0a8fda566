#include <cstdio>

#include "modem/modem_dialogue.h"
#include "platform/exceptions.h"

namespace modem {

namespace {

constexpr int FirstUntriedCountry = 25;  // countries from here on are never asked for

// Whether the package allows US/Canada (country 0) and no other country.
bool UsCanadaOnly(const std::array<bool, 50>& countries) {
  if (!countries[0]) return false;
  for (std::size_t i = 1; i < countries.size(); ++i) {
    if (countries[i]) return false;
  }
  return true;
}

std::string CountryCode(int index) {
  char code[8];
  std::snprintf(code, sizeof code, "%03d", index);
  return code;
}

}  // namespace

bool ModemDialogue::CheckBootProduct() {
  return CheckProduct(ctx_.Settings.BootModel, ".  (1)");
}

bool ModemDialogue::CheckMainProduct() {
  return CheckProduct(ctx_.Settings.MainModel, ".  (2)");
}

bool ModemDialogue::CheckProduct(const std::string& modelCode, std::string_view passMark) {
  if (ctx_.PackageInfo.IgnoreModel) return true;
  line_.Pause(200);
  line_.Pause(500);
  line_.SendCommand("ATI0\r");
  if (line_.WaitForReply("ERROR^" + modelCode, 27) == 2) {
    ctx_.log.Add(text::msgNeedsUpdate1, passMark);
    return true;
  }
  ctx_.log.Add(text::msgWrongProductCode, passMark);
  return false;
}

bool ModemDialogue::CheckCountry() {
  const std::array<bool, 50>& allowed = ctx_.PackageInfo.Countries;
  ctx_.ApdComPort1.SetComNumber(SelectedPort());
  line_.Pause(200);
  bool found = false;
  try {
    // The modem is asked once for each allowed country, lowest first, until one answers.
    for (int i = 0; i < FirstUntriedCountry && !found; ++i) {
      if (!allowed[static_cast<std::size_t>(i)]) continue;
      line_.Pause(50);
      line_.SendCommand("ATY");
      line_.Pause(50);
      line_.SendCommand("\b");  // the modem's line editing leaves "ATY14"
      line_.Pause(50);
      line_.SendCommand("Y14\r");
      found = line_.WaitForReply(CountryCode(i), 12) == 1;
    }
  } catch (const platform::Exception&) {
    ctx_.log.Add(text::msgCannotOpenPort);
    ctx_.State.CountryRejected = 0;
    return false;
  }
  ctx_.State.CountryRejected = found || UsCanadaOnly(allowed) ? 0 : 1;
  return true;
}

}  // namespace modem
