#pragma once
// What a character typed into the Keys page's key field becomes. The keyboard layout names the
// key that produces the character (a 16-bit key-scan result: the virtual-key code in the low
// byte, the shift state in the high byte); only digit and letter keys can be hotkeys.
#include <cstdint>

// The terminating zero of an emptied field scans as the digit-2 key with Shift and Ctrl.
constexpr uint16_t kEmptyFieldKeyScan = 0x0332;

// The virtual-key code of a digit or letter key, or 0 for any other key and for no character.
uint8_t KeyFromKeyScan(uint16_t keyScan);

// The key field's text for a key: its one character, or empty for 0. text holds two bytes.
void KeyTextFromKey(uint8_t key, char* text);
