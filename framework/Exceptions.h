// The framework's exceptions. Each names its class as the runtime reports it.
#pragma once

#include <stdexcept>
#include <string>

namespace fw {

class RuntimeException : public std::runtime_error {
  public:
    explicit RuntimeException(const std::string& message, std::string className = "RuntimeException")
        : std::runtime_error(message), className_(std::move(className)) {}
    const std::string& className() const { return className_; }

  private:
    std::string className_;
};

class NilObjectException : public RuntimeException {
  public:
    NilObjectException() : RuntimeException("A nil object was used.", "NilObjectException") {}
};

class IllegalCastException : public RuntimeException {
  public:
    IllegalCastException(const std::string& from, const std::string& to)
        : RuntimeException("An object of class " + from + " is not a " + to + ".", "IllegalCastException") {}
};

// A property record that names something its target does not have, or ends inside a value.
class PropertyRecordException : public RuntimeException {
  public:
    explicit PropertyRecordException(const std::string& message)
        : RuntimeException(message, "PropertyRecordException") {}
};

} // namespace fw
