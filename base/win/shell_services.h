#pragma once
// What the application shell offers the other subsystems on the user-interface thread.
#include <windows.h>

// The hidden top-level application window: clipboard owner, shell operation window and the
// start of the window walk. Null until start-up (or a test) sets it.
HWND ApplicationWindow();
void SetApplicationWindow(HWND window);

// Dispatches every message queued for the calling thread and returns when the queue is empty.
void ProcessPendingMessages();
