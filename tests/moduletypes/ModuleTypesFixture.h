#pragma once

#include "model/SystemFixture.h"
#include "moduletypes/ModuleTypes.h"

#include <initializer_list>
#include <string>

// A system and a module type library of their own on a temporary launch
// directory.
class TypeLibraryTest : public SystemTest {
protected:
    CModuleTypes types{m_dir.Str(), m_shell};

    // Appends a type named strName whose output and switch latch channels
    // (1..10) are those given.
    void AddType(const std::string& strName, std::initializer_list<int> anOutput = {},
                 std::initializer_list<int> anSwitch = {}) {
        ASSERT_TRUE(types.AddType());
        types.SetTypeName(strName);
        for (int nChannel : anOutput)
            types.SetOutputChannel(nChannel, true);
        for (int nChannel : anSwitch)
            types.SetSwitchChannel(nChannel, true);
    }
};
