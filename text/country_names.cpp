#include <array>

#include <utility>  // std::in_range, which platform/checked.h uses

#include "platform/checked.h"
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
  const int checked = platform::RangeChecked<int>(index, 0, CountryCount - 1);
  return checked < static_cast<int>(NamedCountries.size()) ? NamedCountries[checked] : "Undefined";
}

}  // namespace text
