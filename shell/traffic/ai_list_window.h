#pragma once
// The AI aircraft list window. The module's window bookkeeping opens and closes it.

// closed() is called when the user closes the list; it closes the list through CloseAiList.
bool OpenAiList(void (*closed)()); // false when it could not be created
// Destroys an open list window.
void CloseAiList();
// The once-a-second update while the list is open.
void RefreshAiListWindow();
