// Indexed list: records kept under whole-number keys in ascending key order
// and found again by key. halvane and morwick keep their node table in one,
// keyed by node number, and each node's ports in another, keyed by port
// position 1, 2, 3 and so on. The list owns its records.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

// The keys of a list and its bookkeeping, whatever the records.
struct list_index {
  std::vector<std::int32_t> keys;  // strictly ascending

  // Where the key stands or would stand: its position, and whether an entry
  // already has it.
  std::pair<std::size_t, bool> locate(std::int32_t key) const;
  std::size_t size() const { return keys.size(); }
};

template <typename T>
struct indexed_list : list_index {
  std::vector<std::unique_ptr<T>> records;  // records[k] is stored under keys[k]

  // The record at a position in key order (0 is the lowest key).
  T& at(std::size_t position) const { return *records[position]; }
};

// Empties the list.
template <typename T>
void init_list(indexed_list<T>& list) {
  list = indexed_list<T>{};
}

// Links a new entry in at `position` (key order kept by the caller) and
// returns its position.
template <typename T>
std::size_t insert_(indexed_list<T>& list, std::unique_ptr<T> record, std::int32_t key, std::size_t position) {
  list.keys.insert(list.keys.begin() + static_cast<std::ptrdiff_t>(position), key);
  list.records.insert(list.records.begin() + static_cast<std::ptrdiff_t>(position), std::move(record));
  return position;
}

// Stores the record under the key: an existing entry with that key gets the
// new record (the old one is released), otherwise a new entry is linked in
// at its place. Returns the stored record.
template <typename T>
T* add_list(indexed_list<T>& list, std::unique_ptr<T> record, std::int32_t key) {
  auto [position, present] = list.locate(key);
  if (present) {
    list.records[position] = std::move(record);
  } else {
    position = insert_(list, std::move(record), key, position);
  }
  return list.records[position].get();
}

// The record stored under the key, or null when no entry has that key.
template <typename T>
T* recall_list(const indexed_list<T>& list, std::int32_t key) {
  auto [position, present] = list.locate(key);
  return present ? list.records[position].get() : nullptr;
}
