#include <array>

#include "platform/exceptions.h"
#include "text/message_catalogue.h"

namespace text {
namespace {

constexpr std::array<std::string_view, 24> NamedCountries = {
    "US/Canada",   "Japan",       "Finland",      "Sweden",   "U.K.",        "Norway",
    "Switzerland", "Netherlands", "South Africa", "Italy",    "New Zealand", "Czechoslovakia",
    "Belgium",     "Denmark",     "Australia",    "France",   "Germany",     "International",
    "Austria",     "Ireland",     "Spain",        "Portugal", "Asean",       "Korea",
};

}  // namespace

std::string_view CountryName(int index) {
  if (index < 0 || index >= CountryCount) throw platform::ERangeError();
  return index < static_cast<int>(NamedCountries.size()) ? NamedCountries[index] : "Undefined";
}

}  // namespace text
