#pragma once
// The AI aircraft list window. The module's window bookkeeping opens and closes it.

// closed() is called when the user closes the list; it closes the list through CloseAiList.
void OpenAiList(void (*closed)());
// Destroys an open list window.
void CloseAiList();
// The once-a-second update while the list is open.
void RefreshAiListWindow();
