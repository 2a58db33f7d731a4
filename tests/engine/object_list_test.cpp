#include "engine/object_list.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Item : Object {
  Item(char name, int* deaths) : name(name), deaths(deaths) {}
  ~Item() override { ++*deaths; }
  char name;
  int* deaths;
};

std::string Contents(const TList<Item>& list) {
  std::string s;
  for (Item* i : list) s += i->name;
  std::string back;
  for (TLink<Item>* l = list.LastLink(); l; l = l->PrevLink()) back.insert(back.begin(), l->Value()->name);
  EXPECT_EQ(s, back) << "forward and backward walks disagree";
  return s;
}

TEST(TList, InsertsAtBothEndsAndAroundALink) {
  int deaths = 0;
  TList<Item> list;
  TLink<Item>* b = list.AddLast(new Item('b', &deaths));
  list.AddFirst(new Item('a', &deaths));
  list.AddLast(new Item('d', &deaths));
  list.InsertAfter(b, new Item('c', &deaths));
  list.InsertBefore(list.FirstLink(), new Item('0', &deaths));
  EXPECT_EQ(Contents(list), "0abcd");
  EXPECT_EQ(list.Count(), 5);
  EXPECT_EQ(list.First()->name, '0');
  EXPECT_EQ(list.Last()->name, 'd');
  EXPECT_EQ(b->List(), &list);
}

TEST(TList, RemovingALinkReleasesItsObject) {
  int deaths = 0;
  TList<Item> list;
  list.AddLast(new Item('a', &deaths));
  TLink<Item>* b = list.AddLast(new Item('b', &deaths));
  list.AddLast(new Item('c', &deaths));
  Ref<Item> kept(list.Last());
  list.Remove(b);
  EXPECT_EQ(deaths, 1);
  EXPECT_EQ(Contents(list), "ac");
  EXPECT_TRUE(list.Remove(kept.get()));
  EXPECT_FALSE(list.Remove(kept.get()));
  EXPECT_EQ(deaths, 1);  // still held by the test
  EXPECT_EQ(Contents(list), "a");
  list.Clear();
  EXPECT_TRUE(list.IsEmpty());
  EXPECT_EQ(list.First(), nullptr);
  EXPECT_EQ(deaths, 2);
}

TEST(TList, AnObjectInTwoListsLivesUntilBothLetGo) {
  int deaths = 0;
  auto* item = new Item('x', &deaths);
  TList<Item> one, two;
  one.AddLast(item);
  two.AddLast(item);
  EXPECT_EQ(item->RefCount(), 2);
  one.Clear();
  EXPECT_EQ(deaths, 0);
  two.Clear();
  EXPECT_EQ(deaths, 1);
}

}  // namespace
