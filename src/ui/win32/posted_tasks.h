#pragma once
#include <windows.h>

#include <functional>

namespace halvane {

// Work handed from any thread to the thread of a window through the window's message queue:
// each task travels as a heap copy in the LPARAM of a private message, and the window's
// procedure runs it with RunPostedTask.

// False when the message could not be posted (the window is gone): the task is dropped then.
bool PostTask(HWND target, UINT message, std::function<void()> task);
// Runs the task of one such message and frees it.
void RunPostedTask(LPARAM parcel);
// Frees, without running them, the tasks still queued for the window; the number freed. For a
// window that goes: the system would drop the messages and with them the tasks' memory.
int DiscardPostedTasks(HWND target, UINT message);

}  // namespace halvane
