#pragma once
// The generic one-field message records shared by many events. Each constructor sets the
// field to its default, which is what a sender reads when nobody answers.

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/mediator.h"
#include "platform/font_description.h"

namespace tally {

class TMedBoolean : public TMedRecord {
public:
    bool Value = false;
};

class TMedChar : public TMedRecord {
public:
    char Value = '\0';
};

// Colour as 0x00BBGGRR.
class TMedColor : public TMedRecord {
public:
    std::uint32_t Value = 0xFFFFFF;
};

class TMedInteger : public TMedRecord {
public:
    std::int32_t Value = 0;
};

class TMedLongint : public TMedRecord {
public:
    std::int32_t Value = 0;
};

class TMedString : public TMedRecord {
public:
    std::string Value;
};

// A reference to an object owned elsewhere.
class TMedObjectReference : public TMedRecord {
public:
    void* ObjRef = nullptr;
};

// A reference to a string list the sender owns.
class TMedStringListPointer : public TMedRecord {
public:
    std::vector<std::string>* List = nullptr;
};

class TMedFont : public TMedRecord {
public:
    TFontDescription Font;
};

}  // namespace tally

namespace tally {

// A deferred request to the main window: the window message number (the platform's first user
// message number plus the request code) and two parameters.
class TOsMsgVariables : public TMedRecord {
public:
    void* ObjRef = nullptr;
    std::int32_t MessageNumber = 0;
    std::int32_t FirstParam = 0;
    std::int32_t SecondParam = 0;
};

}  // namespace tally
