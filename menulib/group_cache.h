// The Init Menu store's groups as last read, kept from one build to the
// next: a group whose key has not been written since is not read again.
#pragma once
#include <string>

#include "group_model.h"

namespace holm {

// The contents of the group at `path` under HKEY_CURRENT_USER, as read at
// the beginning of the walk or, when the key is unchanged, kept from an
// earlier build; false when the key cannot be opened or the walk did not
// find the group.
bool GroupContentsOf(const std::string& path, GroupContents& contents);

// A walk of the tree at `root` begins (its groups are found and read, all
// before the walk, several at once) or ends; groups the walk did not reach
// are forgotten at its end.
void BeginStoreWalk(const std::string& root);
void EndStoreWalk();

}  // namespace holm
