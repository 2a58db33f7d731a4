#include "system/event.h"

#include <gtest/gtest.h>

#include "system/hook.h"
#include "system/string_object.h"

namespace {

TEST(Events, BuiltinNamesAreRegistered) {
  InitEvents();
  const struct {
    int id;
    const char* name;
  } cases[] = {
      {0x101, "AppSuspend"},  {0x104, "AppOpenFile"},      {0x105, "AppIdle"},       {0x201, "KeyDown"},
      {0x204, "KeyRepeat"},   {0x403, "MouseMove"},        {0x406, "MouseLeave"},    {0x801, "TimerTick"},
      {0x1001, "HotkeyHit"},  {0x2008, "GadgetLostFocus"}, {0x2009, "GadgetShape"},  {0x4003, "WindowClose"},
      {0x8001, "MenuAction"}, {0x10002, "StreamAvail"},    {0x20001, "ProcessExit"},
  };
  for (const auto& c : cases) EXPECT_EQ(TEvent::DescriptionForId(c.id), c.name) << c.id;
  EXPECT_EQ(TEvent::DescriptionForId(0x203), "KeyChar");
  // Unregistered ids, and ids that only appear inside other ids' digits.
  EXPECT_EQ(TEvent::DescriptionForId(0x106), "");
  EXPECT_EQ(TEvent::DescriptionForId(0), "");
  EXPECT_EQ(TEvent::DescriptionForId(25), "");  // "}257{" must not match "}25"
  EXPECT_EQ(TEvent::DescriptionForId(57), "");
}

TEST(Events, InitIsIdempotentAndAllocatesTheEmitHook) {
  InitEvents();
  const int hook = EmitEventHook;
  InitEvents();
  EXPECT_EQ(EmitEventHook, hook);
  EXPECT_GE(hook, 0);
  EXPECT_EQ(TEvent::DescriptionForId(EVENT_KEY_DOWN), "KeyDown");
}

TEST(Events, FirstRegistrationOfAnIdWins) {
  TEvent::RegisterId(0x7777, "First");
  TEvent::RegisterId(0x7777, "Second");
  EXPECT_EQ(TEvent::DescriptionForId(0x7777), "First");
}

TEST(Events, UserIdsCountUpFromBit31) {
  InitEvents();
  EXPECT_EQ(static_cast<unsigned>(TEvent::AllocUserId()), 0x80000001u);
  EXPECT_EQ(static_cast<unsigned>(AllocUserEventId("Custom")), 0x80000002u);
  const int third = AllocUserEventId("");
  EXPECT_EQ(static_cast<unsigned>(third), 0x80000003u);
  EXPECT_EQ(TEvent::DescriptionForId(static_cast<int>(0x80000002u)), "Custom");
  EXPECT_EQ(TEvent::DescriptionForId(third), "");
  // Unnamed user event: "UserEvent" and the low bits.
  EXPECT_EQ(CreateEvent(third, nullptr, 4)->ToString(), "UserEvent3: data=4, mods=0, x=0, y=0, extra=\"\"");
  EXPECT_EQ(CreateEvent(static_cast<int>(0x80000002u))->ToString(),
            "Custom: data=0, mods=0, x=0, y=0, extra=\"\"");
}

TEST(Events, ToStringListsTheFields) {
  InitEvents();
  EXPECT_EQ(CreateEvent(EVENT_MOUSE_DOWN, nullptr, 2, 3, -4, 500)->ToString(),
            "MouseDown: data=2, mods=3, x=-4, y=500, extra=\"\"");
  Ref<TStringObject> path = MakeRef<TStringObject>("/tmp/a b.txt");
  EXPECT_EQ(CreateEvent(EVENT_APP_OPEN_FILE, nullptr, 0, 0, 0, 0, path)->ToString(),
            "AppOpenFile: data=0, mods=0, x=0, y=0, extra=\"/tmp/a b.txt\"");
  // extra that is not a string shows as empty.
  Ref<TEvent> other = CreateEvent(1);
  EXPECT_EQ(CreateEvent(0x999, nullptr, 1, 0, 0, 0, other)->ToString(),
            "Unknown Event, id=2457: data=1, mods=0, x=0, y=0, extra=\"\"");
}

TEST(Events, CreateSetsEveryField) {
  Ref<Object> source = MakeRef<Object>();
  Ref<Object> extra = MakeRef<Object>();
  Ref<TEvent> event = TEvent::Create(EVENT_KEY_UP, source, 65, 1, 10, 20, extra);
  EXPECT_EQ(event->id, EVENT_KEY_UP);
  EXPECT_EQ(event->source.get(), source.get());
  EXPECT_EQ(event->data, 65);
  EXPECT_EQ(event->mods, 1);
  EXPECT_EQ(event->x, 10);
  EXPECT_EQ(event->y, 20);
  EXPECT_EQ(event->extra.get(), extra.get());
  EXPECT_EQ(source->RefCount(), 2);
  event = nullptr;
  EXPECT_EQ(source->RefCount(), 1);
  EXPECT_EQ(extra->RefCount(), 1);
}

Object* Count(int, Object* data, Object* context) {
  ++static_cast<TEvent*>(context)->data;
  return data;
}

TEST(Events, EmitRunsTheEmitHookChain) {
  InitEvents();
  Ref<TEvent> counter = CreateEvent(0);
  AddHook(EmitEventHook, Count, counter);
  CreateEvent(EVENT_KEY_DOWN)->Emit();
  EmitEvent(CreateEvent(EVENT_KEY_UP));
  EmitEvent(nullptr);
  EXPECT_EQ(counter->data, 2);
}

}  // namespace
