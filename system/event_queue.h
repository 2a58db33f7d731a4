// The event queue: the last hook on EmitEventHook (priority -10000) posts every
// emitted event into a ring of 256 slots, from which PollEvent, WaitEvent and
// PeekEvent take them in order. "WindowMove", "WindowSize", "TimerTick" and
// "GadgetAction" coalesce: a new one updates a queued twin with the same id and
// source instead of taking a slot. A full queue drops new events silently.
#pragma once

#include <cstdint>
#include <string>

#include "system/event.h"

constexpr int kEventQueueSize = 256;

// Starts the queue (and the system module beneath it). Idempotent.
void InitEventQueue();

// Queues the event; with update, a queued event of the same id and source
// takes over its data, mods, x, y and extra instead.
void PostEvent(TEvent* event, bool update = false);

// Id of the next event, or 0 when none is pending after one PollSystem.
int PollEvent();
// Id of the next event, calling WaitSystem until there is one.
int WaitEvent();
// The next event without taking it, or null when none is pending after one
// PollSystem.
TEvent* PeekEvent();

// The event most recently taken; a blank event (id 0) before the first take
// and after a take from an empty queue.
TEvent* CurrentEvent();

int EventID();
int EventData();
int EventMods();
int EventX();
int EventY();
Object* EventExtra();
Object* EventSource();
// extra when it is a string, else "".
std::string EventText();
// The source as the raw-pointer handle the flat function layers use.
std::intptr_t EventSourceHandle();
