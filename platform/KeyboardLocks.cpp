#include "platform/KeyboardLocks.h"

#include <QGuiApplication>

// Qt tells key presses but not the state of the lock keys: X11's keyboard
// extension does, on the connection Qt already holds.
#include <X11/XKBlib.h>

namespace {

bool IndicatorOn(Display* display, const char* name) {
    // Only an indicator the server's keyboard map names; none is made.
    const Atom atom = XInternAtom(display, name, True);
    if (atom == None)
        return false;
    Bool on = False;
    if (!XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr))
        return false;
    return on != False;
}

} // namespace

KeyboardLocks KeyboardLocks::Read() {
    KeyboardLocks locks;
    const auto* x11 = qGuiApp != nullptr
                          ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                          : nullptr;
    Display* display = x11 != nullptr ? x11->display() : nullptr;
    if (display == nullptr)
        return locks;
    locks.kana = IndicatorOn(display, "Kana");
    locks.caps = IndicatorOn(display, "Caps Lock");
    locks.num = IndicatorOn(display, "Num Lock");
    locks.scroll = IndicatorOn(display, "Scroll Lock");
    return locks;
}
