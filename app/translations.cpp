#include "app/translations.h"

#include <array>
#include <string_view>

namespace vemo {

namespace {

// Rows by MessageId, columns English, French, Italian, German, Polish, Spanish. The texts are
// the ones users know from the device's documentation, misspellings and trailing spaces too.
// clang-format off
constexpr std::array<std::array<std::u16string_view, kLanguageCount>, kMessageCount> kTable = {{
    {u"Waiting connection...", u"Attente connection...", u"Attesa connessione...", u"Warte auf Verbindung...", u"Oczekujące połączenie...", u"Atendiendo conexion..."},
    {u"Hardware connected", u"Matériel connecté", u"Hardware connesso", u"Hardware vebunden", u"Urządzenie podłączone", u"Unidad conectada"},
    {u"Configuration Error", u"Erreur Configuration", u"Errore di configurazione", u"Konfigurationsfehler", u"Błąd konfiguracji", u"Error de configuracion"},
    {u"upgrade to release ", u"mise à jour en version ", u"Upgrade disponibile ", u"Upgrade verfügbar ", u"Dostępna wersja oprog. ", u"Actualizar a la version "},
    {u"write error !", u"erreur écriture !", u"Errore di scrittura !", u"Schreibfehler !", u"Błąd zapisu !", u"Error de copia !"},
    {u"verification error !", u"erreur vérification !", u"Errore di verfica !", u"Prüfungsfehler !", u"Błąd weryfikacji !", u"Compruebe error !"},
    {u"verifying...", u"vérification...", u"verifica...", u"Überprüfung...", u"weryffikacja...", u"Comprobar..."},
    {u"Rebooting...", u"Redémarrage...", u"Riavvio...", u"Neustart...", u"Ponowny start...", u"Reiniciar..."},
    {u"Writing, wait...", u"Ecriture, attendre...", u"Scrittura, attesa...", u"Schreiben, warte...", u"zapisu, Oczekujące...", u"Copia, atendiendo..."},
    {u"Standard :", u"Standard :", u"Standard :", u"Standard :", u"Standard :", u"Estand. :"},
    {u"Pict. Format :", u"Format Image :", u"Formato video :", u"Bildformat :", u"Format obrazu :", u"Imag. form. :"},
    {u"Light :", u"Lumière :", u"Luminosità :", u"Helligkeit :", u"Jasność :", u"Luz :"},
    {u"Contrast :", u"Contraste :", u"Contrasto :", u"Kontrast :", u"Kontrast :", u"Contraste :"},
    {u"Saturation :", u"Saturation :", u"Saturazione :", u"Sättigung :", u"Nasycenie :", u"Saturacion :"},
    {u"Freq. (kHz) :", u"Fréq. (kHz) :", u"Freq. (kHz) :", u"Freq. (kHz) :", u"Czest. (khz):", u"Frec. (kHz) :"},
    {u"TS Id. :", u"TS Id. :", u"TS Id. :", u"TS. Id. :", u"TS. Id. :", u"TS Id. :"},
    {u"Mode :", u"Mode :", u"Modo :", u"Modus :", u"Tryb :", u"Moda :"},
    {u"Const. :", u"Const. :", u"Const. :", u"Konst. :", u"Konst. :", u"Const. :"},
    {u"Bandwidth :", u"L. Bande :", u"Banda :", u"Bandbreite :", u"Pasmo :", u"Banda :"},
    {u"F.E.C. :", u"F.E.C. :", u"F.E.C. :", u"F.E.C. :", u"F.E.C. :", u"F.E.C. :"},
    {u"Guard Int. :", u"Int. Garde :", u"Int. guardia :", u"Guard Int. :", u"G. Interwal :", u"Int. Guarde :"},
    {u"Level Att. :", u"Niveau Att. :", u"Att. Livello :", u"Pegelsteller :", u"TLum. :", u"Att. nivel :"},
    {u"Network", u"Réseau", u"Rete", u"Netzwerk", u"Sieć", u"Red"},
    {u"Original Id. :", u"Original Id. :", u"Original Id. :", u"Original Id. :", u"Original Id. :", u"Original Id. :"},
    {u"Id. :", u"Id. :", u"Id. :", u"Id. :", u"Id. :", u"Id. :"},
    {u"Name :", u"Nom :", u"Nome :", u"Name :", u"Nazwa :", u"Nombre :"},
    {u"Service", u"Programme", u"Programma", u"Service", u"Program", u"Programa"},
    {u"L.C.N. :", u"L.C.N :", u"L.C.N. :", u"L.C.N. :", u"L.C.N. :", u"L.C.N. :"},
    {u"PMT PID :", u"PMT PID :", u"PMT PID :", u"PMT PID :", u"PMT PID :", u"PMT PID :"},
    {u"Video PID:", u"Vidéo PID :", u"Video PID :", u"Video PID :", u"Video PID :", u"Video PID:"},
    {u"Audio PID :", u"Audio PID :", u"Audio PID :", u"Audio PID :", u"Audio PID :", u"Audio PID :"},
}};
// clang-format on

}  // namespace

std::u16string Translate(int messageId, int language) {
    return std::u16string(kTable.at(static_cast<std::size_t>(messageId))
                              .at(static_cast<std::size_t>(language)));
}

}  // namespace vemo
