#pragma once
// The one failure type of the program: a number, the source that raised it and
// a description. The message boxes show the description alone, in the frame
// of the routine that reports it; the number tells callers one failure from
// another (the launch words a refused elevation its own way by it).

#include <cstdint>
#include <stdexcept>
#include <string>

class Failure : public std::runtime_error {
public:
    Failure(std::int32_t number, std::string source, std::string description)
        : std::runtime_error(description),
          number_(number),
          source_(std::move(source)),
          description_(std::move(description)) {}

    std::int32_t Number() const { return number_; }
    const std::string& Source() const { return source_; }
    const std::string& Description() const { return description_; }

private:
    std::int32_t number_;
    std::string source_;
    std::string description_;
};
