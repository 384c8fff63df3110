#pragma once

#include <QIcon>

namespace tesmora::ui {

// The folder tree's state images (`ImageList1`), by node state 1 to 9 of
// explorer/node_state.h; a null icon for a place-holder.
QIcon NodeStateIcon(int state);

// The PC list's file-type icons (`ImageList2`) in the display-all-files
// mode, by the index explorer/pc_list.h gives; a null icon for kNoIcon.
QIcon FileTypeIcon(int icon);

}  // namespace tesmora::ui
