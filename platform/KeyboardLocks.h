#pragma once

// Whether the keyboard's lock keys are on: kana, caps lock, num lock and
// scroll lock, as the window system's keyboard indicators say. All off
// where the window system cannot tell (not X11, an indicator the keyboard
// map does not name).
struct KeyboardLocks {
    bool kana = false;
    bool caps = false;
    bool num = false;
    bool scroll = false;

    // Asks the window system now (one request per indicator).
    static KeyboardLocks Read();

    bool operator==(const KeyboardLocks& other) const {
        return kana == other.kana && caps == other.caps && num == other.num &&
               scroll == other.scroll;
    }
    bool operator!=(const KeyboardLocks& other) const { return !(*this == other); }
};
