// Repeating platform timers. SDL's timer thread only counts due ticks and posts
// one SDL event while ticks are pending; the ticks reach the program on the
// main thread through PlatformPollInput/PlatformWaitInput
// (InputSink::TimerFired), never on the timer thread.
#pragma once

// Starts a timer firing hertz times per second; its handle (> 0), or 0 when
// hertz is not a positive finite rate or no timer can be made.
int PlatformStartTimer(double hertz);
// Stops the timer; ticks still pending are discarded. Unknown handles are
// ignored.
void PlatformStopTimer(int handle);
