// Element access of the enumeration results.

#include "registry/NameArray.h"

#include "platform/Failure.h"

const std::string& NameArray::operator[](std::int32_t index) const {
    if (index < 1 || index > Count()) throw Failure(kErrSubscriptOutOfRange, "", "Subscript out of range");
    return names_[static_cast<std::size_t>(index) - 1];
}
