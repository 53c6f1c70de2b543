#pragma once
// The AI aircraft list window. Its callers set the list-open and module-window-open flags.

void OpenAiList();
// Destroys an open list window; the caller clears the flags.
void CloseAiList();
// The once-a-second update while the list is open.
void RefreshAiList();
