#include "tools/tessary-pack/pack_options.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <map>
#include <string_view>
#include <vector>

#include "package/package_trailer.h"
#include "text/cp1252.h"
#include "text/message_catalogue.h"

namespace tessary_pack {
namespace {

struct OptionSpec {
  std::string_view name;
  bool takesValue;
  bool repeatable;
};

constexpr std::array<OptionSpec, 14> Options = {{
    {"--help", false, false},
    {"--show", true, false},
    {"--out", true, false},
    {"--main", true, false},
    {"--boot", true, false},
    {"--sound", true, false},
    {"--product", true, false},
    {"--boot-model", true, false},
    {"--main-model", true, false},
    {"--ignore-model", false, false},
    {"--built-for", true, false},
    {"--language", true, false},
    {"--country", true, true},
    {"--base", true, false},
}};

constexpr std::array<std::string_view, package::LanguageCount> LanguageCodes = {"en", "de", "fr",
                                                                                "it", "es"};

using Given = std::map<std::string, std::vector<std::string>, std::less<>>;

const OptionSpec& FindOption(std::string_view name) {
  const auto found = std::find_if(Options.begin(), Options.end(),
                                  [&](const OptionSpec& spec) { return spec.name == name; });
  if (found == Options.end()) throw UsageError(std::string(name), "unknown option (see --help)");
  return *found;
}

// Options in "--name value" or "--name=value" form, each value in order of appearance.
Given Collect(std::span<const std::string> args) {
  Given given;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const std::size_t equals = arg.find('=');
    const std::string name = arg == "-h" ? "--help" : arg.substr(0, equals);
    const OptionSpec& spec = FindOption(name);
    std::vector<std::string>& values = given[name];
    if (!values.empty() && !spec.repeatable) throw UsageError(name, "given more than once");
    if (!spec.takesValue) {
      if (equals != std::string::npos) throw UsageError(name, "takes no value");
      values.emplace_back();
    } else if (equals != std::string::npos) {
      values.push_back(arg.substr(equals + 1));
    } else if (i + 1 < args.size()) {
      values.push_back(args[++i]);
    } else {
      throw UsageError(name, "needs a value");
    }
  }
  return given;
}

std::optional<std::string> Optional(const Given& given, std::string_view name) {
  const auto found = given.find(name);
  if (found == given.end()) return std::nullopt;
  return found->second.front();
}

std::string Required(const Given& given, std::string_view name) {
  std::optional<std::string> value = Optional(given, name);
  if (!value || value->empty()) throw UsageError(std::string(name), "is required");
  return *value;
}

// The value in code page 1252, at most capacity bytes long.
std::string CodePageText(std::string_view option, const std::string& value, std::size_t capacity) {
  std::optional<std::string> converted = text::FromUtf8(value);
  if (!converted) {
    throw UsageError(std::string(option), "\"" + value + "\" cannot be written in code page 1252");
  }
  if (converted->size() > capacity) {
    throw UsageError(std::string(option),
                     "\"" + value + "\" is longer than " + std::to_string(capacity) + " bytes");
  }
  return *converted;
}

std::optional<int> SmallNumber(std::string_view value, int last) {
  int number = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
  if (value.empty() || error != std::errc() || end != value.data() + value.size()) {
    return std::nullopt;
  }
  if (number < 0 || number > last) return std::nullopt;
  return number;
}

bool SameLetters(std::string_view a, std::string_view b) {
  const auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return fold(x) == fold(y); });
}

std::uint8_t Language(const std::string& value) {
  const auto code = std::find(LanguageCodes.begin(), LanguageCodes.end(), value);
  if (code != LanguageCodes.end()) {
    return static_cast<std::uint8_t>(code - LanguageCodes.begin());
  }
  if (const std::optional<int> number = SmallNumber(value, package::LanguageCount - 1)) {
    return static_cast<std::uint8_t>(*number);
  }
  throw UsageError("--language", "unknown language \"" + value + "\" (en, de, fr, it, es or 0..4)");
}

int Country(const std::string& value) {
  if (const std::optional<int> index = SmallNumber(value, text::CountryCount - 1)) return *index;
  std::vector<int> matches;
  for (int i = 0; i < text::CountryCount; ++i) {
    if (SameLetters(text::CountryName(i), value)) matches.push_back(i);
  }
  if (matches.size() == 1) return matches.front();
  if (matches.empty()) {
    throw UsageError("--country", "unknown country \"" + value + "\" (a name or 0.." +
                                      std::to_string(text::CountryCount - 1) + ")");
  }
  throw UsageError("--country", "\"" + value + "\" names several countries; give an index (" +
                                    std::to_string(matches.front()) + ".." +
                                    std::to_string(matches.back()) + ")");
}

package::PackageInfo Trailer(const Given& given) {
  package::PackageInfo info;
  info.ProductName =
      CodePageText("--product", Required(given, "--product"), package::ProductNameCapacity);
  info.BootModel = CodePageText("--boot-model", Optional(given, "--boot-model").value_or(""),
                                package::ModelCapacity);
  info.MainModel = CodePageText("--main-model", Optional(given, "--main-model").value_or(""),
                                package::ModelCapacity);
  info.IgnoreModel = given.contains("--ignore-model");
  info.BuiltFor = CodePageText("--built-for", Optional(given, "--built-for").value_or(""),
                               package::BuiltForCapacity);
  info.Language = Language(Optional(given, "--language").value_or("en"));
  if (const auto countries = given.find("--country"); countries != given.end()) {
    for (const std::string& country : countries->second)
      info.Countries[Country(country)] = true;
  }
  return info;
}

}  // namespace

PackOptions ParsePackOptions(std::span<const std::string> args) {
  const Given given = Collect(args);
  PackOptions options;
  if (given.contains("--help") || args.empty()) {
    options.help = true;
    return options;
  }
  if (given.contains("--show")) {
    if (given.size() > 1) throw UsageError("--show", "takes no other option");
    options.show = Required(given, "--show");
    return options;
  }
  options.out = Required(given, "--out");
  options.mainHex = Required(given, "--main");
  options.bootHex = Optional(given, "--boot");
  options.sound = Optional(given, "--sound");
  options.base = Optional(given, "--base");
  options.info = Trailer(given);
  return options;
}

}  // namespace tessary_pack
