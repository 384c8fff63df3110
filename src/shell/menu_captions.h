#pragma once

#include <array>
#include <string_view>

namespace tesmora {

// Which message captions each main-menu item. The main window relabels these
// items from the table whenever the language changes.
struct MenuCaption {
  std::string_view item;  // component name of the menu item
  int message;
};

inline constexpr std::array<MenuCaption, 22> kMainMenuCaptions{{
    {"Fichier", 336},
    {"NewRep", 337},
    {"Supprimer1", 338},
    {"Rafraichir", 339},
    {"ExportManuelle", 340},
    {"Exit", 341},
    {"Config", 342},
    {"Port", 343},
    {"DirSauve", 344},
    {"ExportAuto", 345},
    {"AllFiles", 346},
    {"Imprimante", 308},
    {"Edition1", 347},
    {"Copier1", 348},
    {"Coller1", 349},
    {"mSociete", 363},
    {"Slectionnertout1", 350},
    {"SelectAllPC", 335},
    {"Options1", 353},
    {"Langue1", 354},
    {"Aide", 358},
    {"Apropos", 359},
}};

inline constexpr std::array<MenuCaption, 6> kPopupMenuCaptions{{
    {"Copier", 348},
    {"Coller", 349},
    {"Supprimer", 360},
    {"Graphique", 361},
    {"Impression1", 362},
    {"Exporter1", 340},
}};

}  // namespace tesmora
