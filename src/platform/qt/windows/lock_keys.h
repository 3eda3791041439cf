#pragma once
// The keyboard's lock keys, where the windowing system tells them (X11).

struct LockKeyState {
    bool known = false;
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

LockKeyState ReadLockKeys();
