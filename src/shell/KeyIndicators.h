#pragma once

// The state of the lock keys, as far as the platform tells it. On a platform
// that does not, every indicator reads unlit.
class CKeyIndicators {
public:
    enum EKey { CapsLock, NumLock, ScrollLock };
    static bool IsLit(EKey key);
};
