// The Init Menu store's groups as last read, kept from one build to the
// next: a group whose key has not been written since is not read again.
#pragma once
#include <string>

#include "group_model.h"

namespace holm {

// The contents of the group at `path` under HKEY_CURRENT_USER, read from
// its key or, when the key is unchanged, kept from an earlier build; false
// when the key cannot be opened.
bool GroupContentsOf(const std::string& path, GroupContents& contents);

// A walk of the whole store begins or ends; groups the walk did not reach
// are forgotten at its end.
void BeginStoreWalk();
void EndStoreWalk();

}  // namespace holm
