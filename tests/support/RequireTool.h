#pragma once

#include <QStandardPaths>
#include <QtGlobal>

#include <gtest/gtest.h>

// The outside programs a test drives are part of what the project installs
// for its tests; only a developer's machine may lack one, and then the test
// is skipped there. CI sets CI, and a missing program fails it.
#define REQUIRE_TOOL(name)                                                                         \
    do {                                                                                           \
        if (QStandardPaths::findExecutable(name).isEmpty()) {                                      \
            if (qEnvironmentVariableIsSet("CI"))                                                   \
                FAIL() << name << " is not installed";                                             \
            GTEST_SKIP() << name << " is not installed (bash scripts/install-deps.sh)";            \
        }                                                                                          \
    } while (false)
