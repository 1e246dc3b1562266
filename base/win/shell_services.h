#pragma once
// What the message queue of the user-interface thread offers the other subsystems.
#include <windows.h>

// Dispatches every message queued for the calling thread and returns when the queue is empty.
void ProcessPendingMessages();
