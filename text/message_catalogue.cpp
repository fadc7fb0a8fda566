#include "text/message_catalogue.h"

#include "platform/exceptions.h"

namespace text {
namespace {

constexpr int LanguageCount = 5;
using Row = std::array<std::string_view, LanguageCount>;

// One row per MessageId, one column per LanguageIndex (English, German, French, Italian,
// Spanish). The texts stand exactly as the log shows them, with their odd spacing.
constexpr std::array<Row, MessageCount> Catalogue = {{
    // msgDebugModeActive
    Row{"Debug mode is active.", "Debug-Modus aktiviert.", "Le mode DEBUG est actif.",
        "Il modulo per eliminazione errori (debug) e' attivo.", "Esta activo el modo de debug."},
    // msgPressFlash
    Row{"Press the FLASH! button to begin flashing the currently selected modem.",
        "Drücken Sie den FLASH! Button um das ausgewählte Modem zu flashen.",
        "Appuyez sur le bouton FLASH! pour commencer à flasher le modem sélectionné.",
        "Premere il pulsante FLASH! per far lampeggiare il modem correntemente selezionato.",
        "Apriete el boton de FLASH! para comensar a revelar la selecsion."},
    // msgEnsureCorrectModem
    Row{"Ensure that the correct modem is selected, and press the FLASH! button.",
        "Stellen Sie sich sicher, dass das richtige Modem ausgewählt wurde und klicken Sie "
        "anschliessend auf den \"FLASH!\" Button.",
        "Vérifiez que le modem sélectionné est le bon, et appuyez sur FLASH!",
        "Assicurarsi che sia selezionato il modem corretto e premere FLASH!",
        "Este seguro que la selecsion de modem este corecto, entonse apriete el FLASH!"},
    // msgNoModemsFound
    Row{"No modems found to FLASH.", "Kein flashbares Modem gefunden.",
        "Aucun modem trouvé qui puisse être flashé.", "Nessun modem sta lampeggiando.",
        "No encuentro modem para FLASH."},
    // msgEnsureModemInstalled
    Row{"Ensure that you have your modem installed and press the \"Start Over\" button.",
        "Stellen Sie sicher, dass Ihr Modem eingeschalten ist und klicken Sie anschlieesend auf "
        "den Button \"Start Over\".",
        "Vérifiez que votre modem est installé et pressez le bouton \"Start Over\".",
        "Assicurarsi che il suo modem e' installato e premere il pulsante \"Start Over\".",
        "Aseguresé que el modem este ionstalado y apriete el boton de \"Start Over\"."},
    // msgIntegrityPassed
    Row{"Flash data integrity check passed.",
        "Keine Fehler beim überprüfen der Flash-Daten gefunden.",
        "Le test d'intégrité des données flashées a réussi.",
        "Controllo dei dati \"flash\" passato.",
        "Dato del \"flash\" paso el verificación del integridad."},
    // msgIntegrityFailed
    Row{"Flash data integrity check failed.  Failure code ",
        "Beim überprüfen der Flash-Daten ist ein Fehler aufgetreten.  Der Fehlercode lautet  ",
        "Le test d'intégrité des données flashées a échoué.  Code d'erreur ",
        "Controllo dei dati \"Flash\" fallito.  Codice di fallimento ",
        "Dato del \"flash\" falló el verificación del integridad.  Verificación Código "},
    // msgFlashingBoot
    Row{"Flashing boot code...", "Bootcode wird geflasht...", "Flash du code de boot...",
        "Lampeggiamento codice \"Boot\"...", "Flashing boot código..."},
    // msgCheckingIntegrity
    Row{"Checking modem integrity...", "Überprüfe die Flash-Daten...",
        "Test d'intégrité du modem...", "Controllo dell'integrita' del modem...",
        "Verificando integridad del modem..."},
    // msgProgrammingFailed
    Row{"Flash programming was not successful.", "Das flashen war nicht erfolgreich.",
        "La programmation par flash a échoué.", "Il programma del \"Flash\" non ha avuto successo.",
        "Programación del \"flash\" no comenso."},
    // msgFlashingMain
    Row{"Flashing main code...", "Der Hauptcode wird nun geflasht...", "Flash du code principal...",
        "Lampeggiamento codice principale...", "Código principal \"flashing\"..."},
    // msgRewritingNvram
    Row{"Rewriting NVRAM templates 0 and 1...", "NVRAM Speicher 0 und 1 werden geschrieben...",
        "Réécriture des réglages 0 et 1 du modem...", "Riscrivere maschera NVRAM 0 e 1...",
        "Escribiendo de nuero el templet del NVRAM 0 y 1..."},
    // msgResettingModem
    Row{"Resetting modem...", "Modem zurücksetzen...", "Redémarrage du modem...",
        "Reset automatico del modem...", "Recomponiendo el modem..."},
    // msgFailure
    Row{"Failure...", "Fehler...", "Echec...", "Fallimento...", "Fracasó..."},
    // msgComplete
    Row{"Complete.", "Fertig.", "Terminé.", "Completo.", "Completo."},
    // msgUploadSent
    Row{"Flash file upload sent successfully.", "Code wurde erfolgreich geflasht.",
        "L'envoi du fichier de flash a réussi.", "Il \"Flash file\" caricato inviato con successo.",
        "Fila del \"flash\" que mando trenes buen resultado."},
    // msgUploadIncomplete
    Row{"Flash file upload did not complete successfully.",
        "Beim flashen des Codes ist ein Fehler aufgetreten.",
        "L'envoi du fichier de flash a échoué.",
        "Il \"Flash file\" caricato non e' stato completato con successo.",
        "Fila del \"flash\" no completó."},
    // msgUtilityInitialized
    Row{" flash utility initialized...", " Flash-Utility wird initialisiert...",
        " utilitaire de flash démarré...", " utilita \"Flash\" inizializzata...",
        " comensando el utilidad de Flash..."},
    // msgEnteringFlashMode
    Row{"Entering FLASH mode on COM", "Starte die Flash-Phase an COM",
        "Passage en mode FLASH sur le port COM", "Accesso al modulo \"Flash\" su COM",
        "Poniendo FLASH modo en COM"},
    // msgNoFlashCapability
    Row{"Modem does not support FLASH capability.",
        "Das angeschlossene Modem ist kein FLASH-Modem.",
        "Ce modem n'accepte pas les commandes de flash.",
        "Il modem non sostiene la capacita' \"Flash\".",
        "Modem no sostiene el capabilidad de Flash."},
    // msgCannotOpenPort
    Row{"Could not open COM port -- aborting.", "COM-Port kann nicht geöffnet werden -- Abbruch.",
        "Impossible d'ouvrir le port de communication -- Fin du programme.",
        "Non si puo' aprire l'uscita COM -- abortire.",
        "Parando, no podia encontrar el porte de COM."},
    // msgWrongProductCode
    Row{"This application does not work with this modem product code.",
        "Das Modem benötigt nicht das Flash-Update #1 -- Abbruch.", "Flash du code n°1.",
        "Modem non necessita dell'aggiornamento Flash #1.",
        "Modem no necesita actualización de Flash #1."},
    // msgNeedsUpdate1
    Row{"Modem needs flash update #1.", "Das Modem benötigt das Flash-Update #1.",
        "Le modem nécessite le flash du code n°1.", "Modem necessita dell'aggiornamento Flash #1.",
        "Modem necesita actualzación de Flash #1."},
    // msgNotRespondingAbort
    Row{"Modem not responding -- aborting.", "Das angeschlossene Modem reagiert nicht -- Abbruch.",
        "Le modem ne répond pas -- Fin du programme.", "Modem non risponde -- abortire",
        "Modem no esta respondiendo -- finalizando."},
    // msgProgrammingFlashrom
    Row{"Programming FLASHROM on COM", "Programmiere FLASHROM...",
        "Programmation de la mémoire de flash sur COM", "Programmare FLASHROM su COM",
        "Programando FLASHROM en COM"},
    // msgNotResponding
    Row{"Modem is not responding...", "Das angeschlossene Modem reagiert nicht...",
        "Le modem ne répond pas...", "Modem non risponde...", "Modem no esta respondiendo..."},
    // msgCommandMode
    Row{"Modem is in command mode...", "Das Modem befindet sich im Befehlsmodus...",
        "Le modem est en mode commande...", "Modem in stato comando...",
        "Modem en el modo de mandar..."},
    // msgStartingModemCode
    Row{"Modem responded correctly -- starting modem code.",
        "Das Modem antwortet korrekt -- starte den Code.",
        "Le modem répond correctement.  Démarrage du modem.",
        "Il modem ha risposto correttamente -- inizia il codice del modem.",
        "Modem respondio correctamente -- comendando el codigo de modem."},
    // msgCodeCorrupt
    Row{"Modem code is corrupt.", "Der Flash-Code ist beschädigt.",
        "Le code du modem est endommagé.", "Il codice del modem e' rovinato.",
        "El código del modem esta corrompido."},
    // msgNoDevice
    Row{"No device present on COM", "Kein Gerät gefunden an COM",
        "Pas de périphérique détecté sur COM", "Nessun apparecchio e' presente su COM",
        "El artifacto no esta presente en el COM"},
    // msgDevicePresent
    Row{"Device present on COM", "Ein Gerät wurde gefunden an COM", "Périphérique détecté sur COM",
        "Apparecchio presente su COM", "El artifacto esta presente en el COM"},
    // msgInFlashMode
    Row{"Modem is in flash mode... resetting COM",
        "Das Modem an COMx befindet sich im Flash-Modus... zurücksetzen",
        "Le modem sur COMx est en mode flash... Redémarrage.",
        "Modem su COMx in stato \"flash\"... si riassetta.",
        "Modem en COMx esta en el modo recomponiendo de flash."},
    // msgCodeCorruptOnPort
    Row{"Modem code is corrupt on COM", "Der Flash-Code an COMx ist beschädigt",
        "Le code du modem sur COMx est endommagé.", "Codice del modem su COMx e' rovinato.",
        "El codigo del modem en COMx esta corrompido."},
    // msgCodeMissingOnPort
    Row{"Modem code is missing on COM", "Flash-Code an COMx nicht gefunden.",
        "Le code du modem sur COMx est absent.", "Il codice modem su COMx e' mancante.",
        "El codigo del modem no esta presente en COMx."},
    // msgModemFound
    Row{" modem found.", " modem found.", " modem found.", " modem found.", " modem found."},
    // msgNoModemFound
    Row{"No modem found.", "No modem found.", "No modem found.", "No modem found.",
        "No modem found."},
    // msgModemIsNotA
    Row{"Modem is not a ", "Modem is not a ", "Modem is not a ", "Modem is not a ",
        "Modem is not a "},
}};

}  // namespace

std::string MessageText(MessageId id, std::uint8_t languageIndex) {
  if (languageIndex < 1 || languageIndex > LanguageCount || id >= MessageCount) {
    throw platform::ERangeError();
  }
  return std::string(Catalogue[id][languageIndex - 1]);
}

}  // namespace text
