#pragma once

#include <string>

// The texts of the module type library that name the kind of module at an
// address: the pickers and the documentation read a module's type through
// these, knowing only its identifier. An identifier that no type carries
// (0 included) reads as a single space.
class CModuleTypeTexts {
public:
    virtual ~CModuleTypeTexts() = default;

    virtual std::string GetNameById(short nId) const = 0;
    virtual std::string GetDescriptionById(short nId) const = 0;
    virtual std::string GetNoteById(short nId) const = 0;
};
