#include "shell/ui_texts.h"

#include <array>
#include <cstddef>

#include "shell/languages.h"

namespace tesmora {
namespace {

// One row per text, one column per language in LanguageIndex order: French,
// English, Spanish, Italian, Portuguese, German, Polish, Czech.
using Row = std::array<std::string_view, 8>;
constexpr std::array<Row, kUiTextCount> kTexts{{
    // RecorderFiles
    {"Fichiers du KALDIRONE", "Files on the KALDIRONE", "Archivos del KALDIRONE",
     "File del KALDIRONE", "Arquivos do KALDIRONE", "Dateien des KALDIRONE", "Pliki KALDIRONE",
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
     "Arquivos da pasta selecionada", "Dateien des gewählten Ordners", "Pliki wybranego folderu",
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
    {"Commandes des fichiers", "File commands", "Órdenes de archivos", "Comandi dei file",
     "Comandos de arquivos", "Dateibefehle", "Polecenia plików", "Příkazy souborů"},
    // StatusBar
    {"Barre d'état", "Status bar", "Barra de estado", "Barra di stato", "Barra de estado",
     "Statusleiste", "Pasek stanu", "Stavový řádek"},
    // RecorderCount
    {"Nombre de fichiers du KALDIRONE", "Number of files on the KALDIRONE",
     "Número de archivos del KALDIRONE", "Numero di file del KALDIRONE",
     "Número de arquivos do KALDIRONE", "Anzahl der Dateien des KALDIRONE",
     "Liczba plików KALDIRONE", "Počet souborů KALDIRONE"},
    // PcCount
    {"Nombre de fichiers du dossier", "Number of files in the folder",
     "Número de archivos de la carpeta", "Numero di file della cartella",
     "Número de arquivos da pasta", "Anzahl der Dateien im Ordner", "Liczba plików w folderze",
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
     "Parar após o arquivo atual", "Nach der aktuellen Datei anhalten",
     "Zatrzymaj po bieżącym pliku", "Zastavit po aktuálním souboru"},
    // TransferredFile
    {"Fichier en cours de transfert", "File being transferred", "Archivo en transferencia",
     "File in trasferimento", "Arquivo em transferência", "Datei in Übertragung", "Przesyłany plik",
     "Přenášený soubor"},
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
     "File in eliminazione", "Arquivo em exclusão", "Datei wird gelöscht", "Usuwany plik",
     "Mazaný soubor"},
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
    {"Fichier PDF", "PDF file", "Archivo PDF", "File PDF", "Arquivo PDF", "PDF-Datei", "Plik PDF",
     "Soubor PDF"},
    // PreparingSheets
    {"Préparation des fiches", "Preparing the sheets", "Preparación de las fichas",
     "Preparazione delle schede", "Preparação das fichas", "Blätter werden vorbereitet",
     "Przygotowywanie kart", "Příprava listů"},
    // SheetInPreparation
    {"Fiche en cours de préparation", "Sheet being prepared", "Ficha en preparación",
     "Scheda in preparazione", "Ficha em preparação", "Blatt in Vorbereitung",
     "Przygotowywana karta", "Připravovaný list"},
}};

}  // namespace

std::string_view UiTextUtf8(UiText text, int languageIndex) {
  if (languageIndex < 0 || languageIndex >= static_cast<int>(kTexts[0].size())) {
    languageIndex = kEnglish;
  }
  return kTexts[static_cast<std::size_t>(text)][static_cast<std::size_t>(languageIndex)];
}

}  // namespace tesmora
