#pragma once

#include <string>

namespace nimbrel {

// The system's default input language, behind an interface so that tests can name any culture.
class InputLanguage {
public:
    virtual ~InputLanguage() = default;

    // Culture name such as "de-DE" of the keyboard language the input settings name as default
    // (not the one active right now); empty when it cannot be told.
    virtual std::wstring defaultCultureName() = 0;
};

InputLanguage& systemInputLanguage();

} // namespace nimbrel
