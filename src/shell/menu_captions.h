#pragma once

#include <array>
#include <string_view>

#include "shell/message_ids.h"

namespace tesmora {

// Which message captions each main-menu item. The main window relabels these
// items from the table whenever the language changes.
struct MenuCaption {
  std::string_view item;  // component name of the menu item
  MessageId message;
};

inline constexpr std::array<MenuCaption, 22> kMainMenuCaptions{{
    {"Fichier", msg::kFileMenu},
    {"NewRep", msg::kNewFolderMenu},
    {"Supprimer1", msg::kDeleteMenu},
    {"Rafraichir", msg::kUpdateMenu},
    {"ExportManuelle", msg::kExportMenu},
    {"Exit", msg::kExitMenu},
    {"Config", msg::kConfigurationMenu},
    {"Port", msg::kSerialLink},
    {"DirSauve", msg::kAutoSaveMenu},
    {"ExportAuto", msg::kExportDataModeMenu},
    {"AllFiles", msg::kDisplayAllFilesMenu},
    {"Imprimante", msg::kPrinting},
    {"Edition1", msg::kEditMenu},
    {"Copier1", msg::kCopyMenu},
    {"Coller1", msg::kPasteMenu},
    {"mSociete", msg::kCompany},
    {"Slectionnertout1", msg::kSelectAllMenu},
    {"SelectAllPC", msg::kComputer},
    {"Options1", msg::kOptionsMenu},
    {"Langue1", msg::kLanguagesMenu},
    {"Aide", msg::kHelpMenu},
    {"Apropos", msg::kAboutMenu},
}};

inline constexpr std::array<MenuCaption, 6> kPopupMenuCaptions{{
    {"Copier", msg::kCopyMenu},
    {"Coller", msg::kPasteMenu},
    {"Supprimer", msg::kDeletePopup},
    {"Graphique", msg::kPrintPreviewMenu},
    {"Impression1", msg::kPrintMenu},
    {"Exporter1", msg::kExportMenu},
}};

}  // namespace tesmora
