// TList: the engine's ordered list of object references.
//
// A doubly linked list whose links hold a counted reference (Ref<T>) to their
// object, so an object in a global list (entity_list, cam_list, ...) stays alive
// until it is taken out. Inserting returns the new TLink; an object that keeps
// its link can leave the list in constant time. Removing a link drops its
// reference last, after the list is consistent again, so an object deleted by
// that drop may safely touch the list in its destructor.
//
// Walking the links while removing the current one is not allowed; walk a copy
// or restart from the front.
#pragma once

#include "core/object.h"

template <class T>
class TList;

template <class T>
class TLink {
 public:
  T* Value() const { return value_.get(); }
  TLink* NextLink() const { return succ_; }
  TLink* PrevLink() const { return pred_; }
  TList<T>* List() const { return list_; }

 private:
  friend class TList<T>;
  TLink(T* value, TList<T>* list) : value_(value), list_(list) {}

  Ref<T> value_;
  TLink* succ_ = nullptr;
  TLink* pred_ = nullptr;
  TList<T>* list_;
};

template <class T>
class TList {
 public:
  TList() = default;
  TList(const TList&) = delete;
  TList& operator=(const TList&) = delete;
  ~TList() { Clear(); }

  TLink<T>* FirstLink() const { return head_; }
  TLink<T>* LastLink() const { return tail_; }
  T* First() const { return head_ ? head_->Value() : nullptr; }
  T* Last() const { return tail_ ? tail_->Value() : nullptr; }
  int Count() const { return count_; }
  bool IsEmpty() const { return count_ == 0; }

  TLink<T>* AddFirst(T* value) { return Link(new TLink<T>(value, this), nullptr, head_); }
  TLink<T>* AddLast(T* value) { return Link(new TLink<T>(value, this), tail_, nullptr); }
  TLink<T>* InsertBefore(TLink<T>* at, T* value) { return Link(new TLink<T>(value, this), at->pred_, at); }
  TLink<T>* InsertAfter(TLink<T>* at, T* value) { return Link(new TLink<T>(value, this), at, at->succ_); }

  // The first link holding value, or null.
  TLink<T>* FindLink(const T* value) const {
    for (TLink<T>* l = head_; l; l = l->succ_)
      if (l->Value() == value) return l;
    return nullptr;
  }

  // Unlinks and deletes a link of this list (its reference is dropped last).
  void Remove(TLink<T>* link) {
    (link->pred_ ? link->pred_->succ_ : head_) = link->succ_;
    (link->succ_ ? link->succ_->pred_ : tail_) = link->pred_;
    --count_;
    delete link;
  }

  // Removes the first link holding value; false when there is none.
  bool Remove(const T* value) {
    TLink<T>* link = FindLink(value);
    if (link) Remove(link);
    return link != nullptr;
  }

  void Clear() {
    while (head_) Remove(head_);
  }

  // Forward iteration over the objects.
  class Iterator {
   public:
    explicit Iterator(TLink<T>* link) : link_(link) {}
    T* operator*() const { return link_->Value(); }
    Iterator& operator++() {
      link_ = link_->NextLink();
      return *this;
    }
    bool operator!=(const Iterator& o) const { return link_ != o.link_; }

   private:
    TLink<T>* link_;
  };
  Iterator begin() const { return Iterator(head_); }
  Iterator end() const { return Iterator(nullptr); }

 private:
  TLink<T>* Link(TLink<T>* link, TLink<T>* pred, TLink<T>* succ) {
    link->pred_ = pred;
    link->succ_ = succ;
    (pred ? pred->succ_ : head_) = link;
    (succ ? succ->pred_ : tail_) = link;
    ++count_;
    return link;
  }

  TLink<T>* head_ = nullptr;
  TLink<T>* tail_ = nullptr;
  int count_ = 0;
};
