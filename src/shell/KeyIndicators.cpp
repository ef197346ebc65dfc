#include "shell/KeyIndicators.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>

namespace {

const char* const kIndicatorNames[] = {"Caps Lock", "Num Lock", "Scroll Lock"};

} // namespace

bool CKeyIndicators::IsLit(EKey key) {
    auto* pX11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display* pDisplay = pX11 ? pX11->display() : nullptr;
    if (!pDisplay)
        return false;
    Atom indicator = XInternAtom(pDisplay, kIndicatorNames[key], True);
    Bool bOn = False;
    if (indicator == None ||
        !XkbGetNamedIndicator(pDisplay, indicator, nullptr, &bOn, nullptr, nullptr))
        return false;
    return bOn == True;
}
