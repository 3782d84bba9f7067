#include "lists.h"

#include <algorithm>

std::pair<std::size_t, bool> list_index::locate(std::int32_t key) const {
  const auto it = std::lower_bound(keys.begin(), keys.end(), key);
  const auto position = static_cast<std::size_t>(it - keys.begin());
  return {position, it != keys.end() && *it == key};
}
