// Purchase events: what a platform store calls when a purchase changes. The
// events wait in a script-visible queue (iap_event_queue) and the next
// asynchronous stage runs the purchase event.
#pragma once

// Adds one event value to the purchase event queue, made on first use.
void IapEvents_Add(double value);
// Forgets the store's structures and the event queue's id (tests).
void Iap_ResetForTest();
