#include "text/message_catalogue.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/exceptions.h"
#include "text/cp1252.h"

namespace text {
namespace {

constexpr std::uint8_t English = 1, German = 2, French = 3, Italian = 4, Spanish = 5;

TEST(MessageText, LooksUpTheRowInTheLanguage) {
  struct Case {
    MessageId id;
    std::uint8_t language;
    std::string expected;
  };
  const Case cases[] = {
      {msgComplete, English, "Complete."},
      {msgComplete, German, "Fertig."},
      {msgComplete, French, "Terminé."},
      {msgComplete, Italian, "Completo."},
      {msgComplete, Spanish, "Completo."},
      {msgFailure, French, "Echec..."},
      {msgFailure, Italian, "Fallimento..."},
      {msgFailure, Spanish, "Fracasó..."},
      {msgDebugModeActive, English, "Debug mode is active."},
      {msgCheckingIntegrity, German, "Überprüfe die Flash-Daten..."},
      {msgWrongProductCode, French, "Flash du code n°1."},
      {msgEnsureModemInstalled, Spanish,
       "Aseguresé que el modem este ionstalado y apriete el boton de \"Start Over\"."},
      {msgIntegrityFailed, German,
       "Beim überprüfen der Flash-Daten ist ein Fehler aufgetreten.  Der Fehlercode lautet  "},
      {msgUtilityInitialized, Italian, " utilita \"Flash\" inizializzata..."},
      {msgProgrammingFlashrom, German, "Programmiere FLASHROM..."},
      {msgInFlashMode, English, "Modem is in flash mode... resetting COM"},
      {msgCodeCorruptOnPort, German, "Der Flash-Code an COMx ist beschädigt"},
      {msgModemIsNotA, Spanish, "Modem is not a "},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MessageText(c.id, c.language), c.expected)
        << "row " << int{c.id} << " language " << int{c.language};
  }
}

TEST(MessageText, PortTableTextsAreEnglishInEveryLanguage) {
  for (std::uint8_t language = English; language <= Spanish; ++language) {
    EXPECT_EQ(MessageText(msgModemFound, language), " modem found.");
    EXPECT_EQ(MessageText(msgNoModemFound, language), "No modem found.");
    EXPECT_EQ(MessageText(msgModemIsNotA, language), "Modem is not a ");
  }
}

TEST(MessageText, EveryTextIsPresentAndFitsTheCodePage) {
  for (int row = 0; row < MessageCount; ++row) {
    for (std::uint8_t language = English; language <= Spanish; ++language) {
      const std::string text = MessageText(static_cast<MessageId>(row), language);
      EXPECT_FALSE(text.empty()) << row << "/" << int{language};
      EXPECT_TRUE(FromUtf8(text).has_value()) << text;
    }
  }
}

TEST(MessageText, LanguageOutsideOneToFiveIsARangeError) {
  for (const std::uint8_t language : {0, 6, 255}) {
    for (int row = 0; row < MessageCount; ++row) {
      try {
        MessageText(static_cast<MessageId>(row), language);
        ADD_FAILURE() << "row " << row << " language " << int{language};
      } catch (const platform::ERangeError& e) {
        EXPECT_EQ(e.Message(), "Range check error");
      }
    }
  }
}

TEST(MessageText, RowOutsideTheCatalogueIsARangeError) {
  EXPECT_THROW(MessageText(static_cast<MessageId>(MessageCount), English), platform::ERangeError);
}

TEST(CountryName, NamesTheIndexedCountry) {
  struct Case {
    int index;
    std::string_view expected;
  };
  const Case cases[] = {
      {0, "US/Canada"}, {4, "U.K."},       {11, "Czechoslovakia"}, {17, "International"},
      {23, "Korea"},    {24, "Undefined"}, {49, "Undefined"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CountryName(c.index), c.expected) << c.index;
}

TEST(CountryName, EveryNameFitsItsFourteenPlaces) {
  for (int i = 0; i < CountryCount; ++i)
    EXPECT_LE(CountryName(i).size(), 14u) << i;
}

TEST(CountryName, IndexOutsideTheTableIsARangeError) {
  EXPECT_THROW(CountryName(-1), platform::ERangeError);
  EXPECT_THROW(CountryName(CountryCount), platform::ERangeError);
}

}  // namespace
}  // namespace text
