#include "system/event_queue.h"

#include <array>

#include "system/hook.h"
#include "system/string_object.h"
#include "system/system.h"

namespace {

struct Queue {
  std::array<Ref<TEvent>, kEventQueueSize> ring;
  // Ever-increasing; the slot of a count is its low 8 bits.
  std::uint32_t put = 0;
  std::uint32_t get = 0;
  Ref<TEvent> blank;
  Ref<TEvent> current;
};

// Made at start-up and never torn down.
Queue* queue = nullptr;

Queue& Q() {
  InitEventQueue();
  return *queue;
}

bool Coalesces(int id) {
  return id == EVENT_WINDOW_MOVE || id == EVENT_WINDOW_SIZE || id == EVENT_TIMER_TICK ||
         id == EVENT_GADGET_ACTION;
}

Object* QueueHook(int, Object* data, Object*) {
  if (auto* event = dynamic_cast<TEvent*>(data)) PostEvent(event, Coalesces(event->id));
  return data;
}

int Take(Queue& q) {
  Ref<TEvent>& slot = q.ring[q.get % kEventQueueSize];
  q.current = std::move(slot);
  slot = nullptr;
  ++q.get;
  return q.current->id;
}

}  // namespace

void InitEventQueue() {
  if (queue) return;
  InitSystem();
  queue = new Queue;
  queue->blank = MakeRef<TEvent>();
  queue->current = queue->blank;
  AddHook(EmitEventHook, QueueHook, nullptr, -10000);
}

void PostEvent(TEvent* event, bool update) {
  if (!event) return;
  Queue& q = Q();
  if (update) {
    for (std::uint32_t i = q.get; i != q.put; ++i) {
      TEvent* twin = q.ring[i % kEventQueueSize].get();
      if (twin->id == event->id && twin->source.get() == event->source.get()) {
        twin->data = event->data;
        twin->mods = event->mods;
        twin->x = event->x;
        twin->y = event->y;
        twin->extra = event->extra;
        return;
      }
    }
  }
  if (q.put - q.get >= kEventQueueSize) return;
  q.ring[q.put % kEventQueueSize] = event;
  ++q.put;
}

int PollEvent() {
  Queue& q = Q();
  if (q.put == q.get) {
    PollSystem();
    if (q.put == q.get) {
      q.current = q.blank;
      return 0;
    }
  }
  return Take(q);
}

int WaitEvent() {
  Queue& q = Q();
  while (q.put == q.get) WaitSystem();
  return Take(q);
}

TEvent* PeekEvent() {
  Queue& q = Q();
  if (q.put == q.get) PollSystem();
  if (q.put == q.get) return nullptr;
  return q.ring[q.get % kEventQueueSize].get();
}

TEvent* CurrentEvent() { return Q().current.get(); }

int EventID() { return CurrentEvent()->id; }
int EventData() { return CurrentEvent()->data; }
int EventMods() { return CurrentEvent()->mods; }
int EventX() { return CurrentEvent()->x; }
int EventY() { return CurrentEvent()->y; }
Object* EventExtra() { return CurrentEvent()->extra.get(); }
Object* EventSource() { return CurrentEvent()->source.get(); }

std::string EventText() {
  auto* text = dynamic_cast<TStringObject*>(CurrentEvent()->extra.get());
  return text ? text->text : std::string();
}

std::intptr_t EventSourceHandle() { return reinterpret_cast<std::intptr_t>(CurrentEvent()->source.get()); }
