#include "lists.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>

namespace {

// A record that counts its own releases.
struct Tracked {
  std::string text;
  int* released;
  ~Tracked() { ++*released; }
};

indexed_list<std::string> list_of(std::initializer_list<int> keys) {
  indexed_list<std::string> list;
  init_list(list);
  for (int key : keys) add_list(list, std::make_unique<std::string>("k" + std::to_string(key)), key);
  return list;
}

}  // namespace

TEST(IndexedList, EmptyListRecallsNothing) {
  indexed_list<std::string> list;
  init_list(list);
  EXPECT_EQ(recall_list(list, 0), nullptr);
  EXPECT_EQ(list.size(), 0u);
}

TEST(IndexedList, KeysComeOutInAscendingOrder) {
  auto list = list_of({3, 1, 2});
  EXPECT_EQ(list.keys, (std::vector<std::int32_t>{1, 2, 3}));
  EXPECT_EQ(list.at(0), "k1");
  EXPECT_EQ(list.at(2), "k3");
  EXPECT_EQ(list.size(), 3u);
}

TEST(IndexedList, RecallFindsOnlyStoredKeys) {
  auto list = list_of({-5, 0, 4, 9, INT_MAX});
  EXPECT_EQ(*recall_list(list, -5), "k-5");
  EXPECT_EQ(*recall_list(list, 0), "k0");
  EXPECT_EQ(*recall_list(list, INT_MAX), "k" + std::to_string(INT_MAX));
  EXPECT_EQ(recall_list(list, -6), nullptr);
  EXPECT_EQ(recall_list(list, 5), nullptr);
  EXPECT_EQ(recall_list(list, 10), nullptr);
}

TEST(IndexedList, AddingAnExistingKeyReplacesAndReleasesTheRecord) {
  int released = 0;
  indexed_list<Tracked> list;
  add_list(list, std::make_unique<Tracked>("one", &released), 1);
  add_list(list, std::make_unique<Tracked>("two", &released), 2);
  add_list(list, std::make_unique<Tracked>("uno", &released), 1);
  EXPECT_EQ(released, 1);
  EXPECT_EQ(list.size(), 2u);
  EXPECT_EQ(list.keys, (std::vector<std::int32_t>{1, 2}));
  EXPECT_EQ(recall_list(list, 1)->text, "uno");
}

TEST(IndexedList, InitListEmptiesAList) {
  auto list = list_of({1, 2});
  init_list(list);
  EXPECT_EQ(list.size(), 0u);
  EXPECT_EQ(recall_list(list, 1), nullptr);
}
