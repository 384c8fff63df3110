#include "shell/ui_texts.h"

#include <array>
#include <cstddef>

#include "shell/languages.h"

namespace tesmora {
namespace {

// One row per text, one column per language in LanguageIndex order: French,
// English, Spanish, Italian, Portuguese, German, Polish, Czech.
using Row = std::array<std::string_view, kLanguageCount>;
constexpr std::array<Row, kUiTextCount> kTexts{{
    // RecorderFiles
    {"Fichiers du KALDIRONE", "Files on the KALDIRONE", "Archivos del KALDIRONE",
     "File del KALDIRONE", "Ficheiros do KALDIRONE", "Dateien des KALDIRONE", "Pliki KALDIRONE",
     "Soubory KALDIRONE"},
    // PcFolders
    {"Dossiers de l'ordinateur", "Folders of the computer", "Carpetas del ordenador",
     "Cartelle del computer", "Pastas do computador", "Ordner des Computers", "Foldery komputera",
     "Složky počítače"},
    // PcFoldersHelp
    {"Lecteurs, dossiers et emplacements réseau", "Drives, folders and network places",
     "Unidades, carpetas y ubicaciones de red", "Unità, cartelle e risorse di rete",
     "Unidades, pastas e locais de rede", "Laufwerke, Ordner und Netzwerkorte",
     "Dyski, foldery i miejsca sieciowe", "Jednotky, složky a síťová umístění"},
    // PcFiles
    {"Fichiers du dossier sélectionné", "Files of the selected folder",
     "Archivos de la carpeta seleccionada", "File della cartella selezionata",
     "Ficheiros da pasta selecionada", "Dateien des gewählten Ordners", "Pliki wybranego folderu",
     "Soubory vybrané složky"},
    // RecorderMemory
    {"Mémoire du KALDIRONE", "Memory of the KALDIRONE", "Memoria del KALDIRONE",
     "Memoria del KALDIRONE", "Memória do KALDIRONE", "Speicher des KALDIRONE", "Pamięć KALDIRONE",
     "Paměť KALDIRONE"},
    // MenuBar
    {"Menu principal", "Main menu", "Menú principal", "Menu principale", "Menu principal",
     "Hauptmenü", "Menu główne", "Hlavní nabídka"},
    // ToolBar
    {"Barre d'outils", "Toolbar", "Barra de herramientas", "Barra degli strumenti",
     "Barra de ferramentas", "Werkzeugleiste", "Pasek narzędzi", "Panel nástrojů"},
    // PopupMenu
    {"Commandes des fichiers", "File commands", "Comandos de archivos", "Comandi dei file",
     "Comandos de ficheiros", "Dateibefehle", "Polecenia plików", "Příkazy souborů"},
    // StatusBar
    {"Barre d'état", "Status bar", "Barra de estado", "Barra di stato", "Barra de estado",
     "Statusleiste", "Pasek stanu", "Stavový řádek"},
    // RecorderCount
    {"Nombre de fichiers du KALDIRONE", "Number of files on the KALDIRONE",
     "Número de archivos del KALDIRONE", "Numero di file del KALDIRONE",
     "Número de ficheiros do KALDIRONE", "Anzahl der Dateien des KALDIRONE",
     "Liczba plików KALDIRONE", "Počet souborů KALDIRONE"},
    // PcCount
    {"Nombre de fichiers du dossier", "Number of files in the folder",
     "Número de archivos de la carpeta", "Numero di file della cartella",
     "Número de ficheiros da pasta", "Anzahl der Dateien im Ordner", "Liczba plików w folderze",
     "Počet souborů ve složce"},
    // FreePanel
    {"État", "Status", "Estado", "Stato", "Estado", "Status", "Stan", "Stav"},
    // PaneDivider
    {"Séparation des volets", "Divider between the panes", "Separador de los paneles",
     "Separatore dei riquadri", "Divisor dos painéis", "Trennlinie der Bereiche",
     "Rozdzielacz paneli", "Oddělovač panelů"},
    // Cancel
    {"Annuler", "Cancel", "Cancelar", "Annulla", "Cancelar", "Abbrechen", "Anuluj", "Zrušit"},
    // StopAfterFile
    {"Arrêter après le fichier en cours", "Stop after the current file",
     "Detener tras el archivo actual", "Fermare dopo il file corrente",
     "Parar após o ficheiro atual", "Nach der aktuellen Datei anhalten",
     "Zatrzymaj po bieżącym pliku", "Zastavit po aktuálním souboru"},
    // TransferredFile
    {"Fichier en cours de transfert", "File being transferred", "Archivo en transferencia",
     "File in trasferimento", "Ficheiro em transferência", "Datei wird übertragen",
     "Przesyłany plik", "Přenášený soubor"},
    // TransferDirection
    {"Sens du transfert", "Direction of the transfer", "Sentido de la transferencia",
     "Direzione del trasferimento", "Sentido da transferência", "Richtung der Übertragung",
     "Kierunek przesyłania", "Směr přenosu"},
    // TransferProgress
    {"Avancement du transfert", "Progress of the transfer", "Progreso de la transferencia",
     "Avanzamento del trasferimento", "Progresso da transferência", "Fortschritt der Übertragung",
     "Postęp przesyłania", "Průběh přenosu"},
    // DeletedFile
    {"Fichier en cours de suppression", "File being deleted", "Archivo en eliminación",
     "File in eliminazione", "Ficheiro em eliminação", "Datei wird gelöscht", "Usuwany plik",
     "Odstraňovaný soubor"},
    // ProgramVersion
    {"Version de Tesmora", "Version of Tesmora", "Versión de Tesmora", "Versione di Tesmora",
     "Versão do Tesmora", "Version von Tesmora", "Wersja Tesmora", "Verze programu Tesmora"},
    // RecorderVersion
    {"Version du KALDIRONE", "Version of the KALDIRONE", "Versión del KALDIRONE",
     "Versione del KALDIRONE", "Versão do KALDIRONE", "Version des KALDIRONE", "Wersja KALDIRONE",
     "Verze KALDIRONE"},
    // LegalNotice
    {"Mentions légales", "Legal notice", "Aviso legal", "Note legali", "Aviso legal",
     "Rechtlicher Hinweis", "Nota prawna", "Právní upozornění"},
    // Picture
    {"Logo de Tesmora", "Tesmora logo", "Logotipo de Tesmora", "Logo di Tesmora",
     "Logotipo do Tesmora", "Tesmora-Logo", "Logo Tesmora", "Logo programu Tesmora"},
    // FixedDrive
    {"Disque fixe", "Fixed drive", "Unidad fija", "Unità fissa", "Unidade fixa", "Festes Laufwerk",
     "Dysk stały", "Pevný disk"},
    // RemovableDrive
    {"Support amovible", "Removable drive", "Unidad extraíble", "Unità rimovibile",
     "Unidade removível", "Wechseldatenträger", "Dysk wymienny", "Vyměnitelná jednotka"},
    // CdRomDrive
    {"Lecteur de CD-ROM", "CD-ROM drive", "Unidad de CD-ROM", "Unità CD-ROM", "Unidade de CD-ROM",
     "CD-ROM-Laufwerk", "Napęd CD-ROM", "Jednotka CD-ROM"},
    // NetworkDrive
    {"Lecteur réseau", "Network drive", "Unidad de red", "Unità di rete", "Unidade de rede",
     "Netzlaufwerk", "Dysk sieciowy", "Síťová jednotka"},
    // NetworkPlaces
    {"Emplacements réseau", "Network places", "Ubicaciones de red", "Risorse di rete",
     "Locais de rede", "Netzwerkorte", "Miejsca sieciowe", "Síťová umístění"},
    // NetworkServer
    {"Serveur", "Server", "Servidor", "Server", "Servidor", "Server", "Serwer", "Server"},
    // NetworkShare
    {"Dossier partagé", "Shared folder", "Carpeta compartida", "Cartella condivisa",
     "Pasta partilhada", "Freigegebener Ordner", "Udostępniony folder", "Sdílená složka"},
    // FolderNode
    {"Dossier", "Folder", "Carpeta", "Cartella", "Pasta", "Ordner", "Folder", "Složka"},
    // OpenFolderNode
    {"Dossier affiché dans la liste", "Folder shown in the list", "Carpeta mostrada en la lista",
     "Cartella mostrata nell'elenco", "Pasta mostrada na lista", "In der Liste gezeigter Ordner",
     "Folder pokazany na liście", "Složka zobrazená v seznamu"},
    // PortDevice
    {"Périphérique du port choisi", "Device of the chosen port", "Dispositivo del puerto elegido",
     "Dispositivo della porta scelta", "Dispositivo da porta escolhida",
     "Gerät des gewählten Ports", "Urządzenie wybranego portu", "Zařízení zvoleného portu"},
    // DeviceConnected
    {"branché", "connected", "conectado", "collegato", "ligado", "angeschlossen", "podłączone",
     "připojeno"},
    // DeviceAbsent
    {"non branché", "not connected", "no conectado", "non collegato", "não ligado",
     "nicht angeschlossen", "niepodłączone", "nepřipojeno"},
    // PortDeviceHint
    {"Choisissez le périphérique série sur lequel le KALDIRONE est branché. Il est enregistré "
     "sous son nom stable.",
     "Choose the serial device the KALDIRONE is plugged into. It is kept under its stable name.",
     "Elija el dispositivo serie al que está conectado el KALDIRONE. Se guarda con su nombre "
     "estable.",
     "Scegliere il dispositivo seriale a cui è collegato il KALDIRONE. Viene registrato con il "
     "suo nome stabile.",
     "Escolha o dispositivo série a que o KALDIRONE está ligado. Fica registado com o seu nome "
     "estável.",
     "Wählen Sie das serielle Gerät, an dem der KALDIRONE angeschlossen ist. Es wird unter "
     "seinem festen Namen gespeichert.",
     "Wybierz urządzenie szeregowe, do którego podłączony jest KALDIRONE. Zostanie zapisane pod "
     "swoją stałą nazwą.",
     "Zvolte sériové zařízení, ke kterému je KALDIRONE připojen. Uloží se pod svým stálým "
     "názvem."},
    // NoSerialDevice
    {"Aucun périphérique série n'a été trouvé sur cet ordinateur.",
     "No serial device was found on this computer.",
     "No se ha encontrado ningún dispositivo serie en este ordenador.",
     "Nessun dispositivo seriale trovato su questo computer.",
     "Não foi encontrado nenhum dispositivo série neste computador.",
     "Auf diesem Computer wurde kein serielles Gerät gefunden.",
     "Na tym komputerze nie znaleziono urządzenia szeregowego.",
     "V tomto počítači nebylo nalezeno žádné sériové zařízení."},
    // SettingsNotWritten
    {"Le fichier des paramètres n'a pas pu être écrit ; le port reste inchangé.",
     "The settings file could not be written; the port is unchanged.",
     "No se ha podido escribir el archivo de configuración; el puerto no cambia.",
     "Impossibile scrivere il file delle impostazioni; la porta resta invariata.",
     "Não foi possível escrever o ficheiro de configuração; a porta fica inalterada.",
     "Die Einstellungsdatei konnte nicht geschrieben werden; der Port bleibt unverändert.",
     "Nie można zapisać pliku ustawień; port pozostaje bez zmian.",
     "Soubor nastavení nelze zapsat; port zůstává beze změny."},
    // AutoSaveNotWritten
    {"Le fichier des paramètres n'a pas pu être écrit ; le répertoire de sauvegarde automatique "
     "reste inchangé.",
     "The settings file could not be written; the automatic save directory is unchanged.",
     "No se ha podido escribir el archivo de configuración; la carpeta de guardado automático no "
     "cambia.",
     "Impossibile scrivere il file delle impostazioni; la cartella di salvataggio automatico resta "
     "invariata.",
     "Não foi possível escrever o ficheiro de configuração; a pasta de gravação automática fica "
     "inalterada.",
     "Die Einstellungsdatei konnte nicht geschrieben werden; der Ordner für automatische "
     "Speicherung bleibt unverändert.",
     "Nie można zapisać pliku ustawień; folder automatycznego zapisu pozostaje bez zmian.",
     "Soubor nastavení nelze zapsat; složka automatického ukládání zůstává beze změny."},
    // SerialPortDevice
    {"Port série", "Serial port", "Puerto serie", "Porta seriale", "Porta série", "Serieller Port",
     "Port szeregowy", "Sériový port"},
    // SheetFaceMissing: %1 the faces the sheets ask for
    {"Les fiches ne peuvent pas être dessinées : aucune police installée ne les dessine, leur "
     "police (%1 ou une autre police sans empattement) manque.",
     "The sheets cannot be drawn: no installed font draws them, their face (%1 or another "
     "sans-serif face) is missing.",
     "No se pueden dibujar las fichas: ninguna fuente instalada las dibuja, falta su tipo de "
     "letra (%1 u otro tipo de letra sin serifas).",
     "Impossibile disegnare le schede: nessun carattere installato le disegna, manca il loro "
     "carattere (%1 o un altro carattere senza grazie).",
     "Não é possível desenhar as fichas: nenhum tipo de letra instalado as desenha, falta o seu "
     "tipo de letra (%1 ou outro tipo de letra sem serifa).",
     "Die Blätter können nicht gezeichnet werden: keine installierte Schrift zeichnet sie, ihre "
     "Schriftart (%1 oder eine andere serifenlose Schrift) fehlt.",
     "Nie można narysować kart: żadna zainstalowana czcionka ich nie rysuje, brakuje ich czcionki "
     "(%1 lub innej czcionki bezszeryfowej).",
     "Listy nelze vykreslit: žádné nainstalované písmo je nevykreslí, chybí jejich písmo (%1 nebo "
     "jiné bezpatkové písmo)."},
    // SheetPages
    {"Pages des fiches de résultats", "Pages of the result sheets",
     "Páginas de las fichas de resultados", "Pagine delle schede dei risultati",
     "Páginas das fichas de resultados", "Seiten der Ergebnisblätter", "Strony kart wyników",
     "Stránky listů výsledků"},
    // SheetZoom
    {"Agrandissement de l'aperçu", "Zoom of the preview", "Ampliación de la vista previa",
     "Ingrandimento dell'anteprima", "Ampliação da pré-visualização", "Vergrößerung der Vorschau",
     "Powiększenie podglądu", "Zvětšení náhledu"},
    // ChoosePrinter
    {"Choisir l'imprimante", "Choose the printer", "Elegir la impresora", "Scegliere la stampante",
     "Escolher a impressora", "Drucker wählen", "Wybierz drukarkę", "Zvolit tiskárnu"},
    // PrintSheets
    {"Imprimer les fiches", "Print the sheets", "Imprimir las fichas", "Stampare le schede",
     "Imprimir as fichas", "Blätter drucken", "Drukuj karty", "Vytisknout listy"},
    // PdfFile
    {"Fichier PDF", "PDF file", "Archivo PDF", "File PDF", "Ficheiro PDF", "PDF-Datei", "Plik PDF",
     "Soubor PDF"},
    // PreparingSheets
    {"Préparation des fiches", "Preparing the sheets", "Preparación de las fichas",
     "Preparazione delle schede", "Preparação das fichas", "Blätter werden vorbereitet",
     "Przygotowywanie kart", "Příprava listů"},
    // SheetInPreparation
    {"Fiche en cours de préparation", "Sheet being prepared", "Ficha en preparación",
     "Scheda in preparazione", "Ficha em preparação", "Blatt in Vorbereitung",
     "Przygotowywana karta", "Připravovaný list"},
    // PageHint
    {"Page %1", "Page %1", "Página %1", "Pagina %1", "Página %1", "Seite %1", "Strona %1",
     "Strana %1"},
    // PrintServerSilent
    {"Le serveur d'impression ne répond pas : rien n'a été imprimé sur %1.",
     "The print server does not answer: nothing was printed on %1.",
     "El servidor de impresión no responde: no se ha impreso nada en %1.",
     "Il server di stampa non risponde: non è stato stampato nulla su %1.",
     "O servidor de impressão não responde: nada foi impresso em %1.",
     "Der Druckserver antwortet nicht: Auf %1 wurde nichts gedruckt.",
     "Serwer wydruku nie odpowiada: na %1 nic nie wydrukowano.",
     "Tiskový server neodpovídá: na %1 se nic nevytisklo."},
    // PrinterUnknown
    {"Le serveur d'impression ne connaît plus l'imprimante %1 : rien n'a été imprimé.",
     "The print server no longer knows the printer %1: nothing was printed.",
     "El servidor de impresión ya no conoce la impresora %1: no se ha impreso nada.",
     "Il server di stampa non conosce più la stampante %1: non è stato stampato nulla.",
     "O servidor de impressão já não conhece a impressora %1: nada foi impresso.",
     "Der Druckserver kennt den Drucker %1 nicht mehr: Es wurde nichts gedruckt.",
     "Serwer wydruku nie zna już drukarki %1: nic nie wydrukowano.",
     "Tiskový server již tiskárnu %1 nezná: nic se nevytisklo."},
    // PrinterRefusing
    {"L'imprimante %1 n'accepte pas de travaux pour le moment : rien n'a été imprimé.",
     "The printer %1 does not accept jobs at present: nothing was printed.",
     "La impresora %1 no acepta trabajos en este momento: no se ha impreso nada.",
     "La stampante %1 al momento non accetta lavori: non è stato stampato nulla.",
     "A impressora %1 não aceita trabalhos de momento: nada foi impresso.",
     "Der Drucker %1 nimmt derzeit keine Aufträge an: Es wurde nichts gedruckt.",
     "Drukarka %1 nie przyjmuje obecnie zadań: nic nie wydrukowano.",
     "Tiskárna %1 nyní nepřijímá úlohy: nic se nevytisklo."},
    // PrintJobRefused
    {"L'imprimante %1 a refusé le travail d'impression : rien n'a été imprimé.",
     "The printer %1 refused the print job: nothing was printed.",
     "La impresora %1 ha rechazado el trabajo de impresión: no se ha impreso nada.",
     "La stampante %1 ha rifiutato il lavoro di stampa: non è stato stampato nulla.",
     "A impressora %1 recusou o trabalho de impressão: nada foi impresso.",
     "Der Drucker %1 hat den Druckauftrag abgelehnt: Es wurde nichts gedruckt.",
     "Drukarka %1 odrzuciła zadanie wydruku: nic nie wydrukowano.",
     "Tiskárna %1 tiskovou úlohu odmítla: nic se nevytisklo."},
    // PrintNotStarted
    {"L'impression sur %1 n'a pas pu commencer : rien n'a été imprimé.",
     "The printing on %1 could not start: nothing was printed.",
     "La impresión en %1 no ha podido empezar: no se ha impreso nada.",
     "Non è stato possibile avviare la stampa su %1: non è stato stampato nulla.",
     "Não foi possível iniciar a impressão em %1: nada foi impresso.",
     "Der Druck auf %1 konnte nicht beginnen: Es wurde nichts gedruckt.",
     "Nie można rozpocząć drukowania na %1: nic nie wydrukowano.",
     "Tisk na %1 nelze zahájit: nic se nevytisklo."},
}};

}  // namespace

std::string_view UiTextUtf8(UiText text, int languageIndex) {
  if (languageIndex < 0 || languageIndex >= static_cast<int>(kTexts[0].size())) {
    languageIndex = kEnglish;
  }
  return kTexts[static_cast<std::size_t>(text)][static_cast<std::size_t>(languageIndex)];
}

}  // namespace tesmora
