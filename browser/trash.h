#pragma once
// The desktop's trash, as the delete command uses it. A file goes only into a
// real trash (the user's $XDG_DATA_HOME/Trash, or the trash of the file's own
// disk that Qt picks); where none can take it the caller must ask before
// deleting outright.

#include <QString>

namespace Trash {

// The user's trash folder with its "files" and "info" folders, made if need be;
// empty when there is none to use (HOME unset or relative, the data folder or
// the trash cannot be made or written).
QString userTrash();

// Moves the file into a trash. True only when it lies in a trash now; on false
// the file is where it was.
bool moveToTrash(const QString& path);

} // namespace Trash
