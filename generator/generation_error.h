#pragma once

#include <stdexcept>
#include <string>
#include <system_error>

namespace generator {

// A failure that ends a generation run. what() is a French sentence fit for the status
// line, naming the file or program concerned.
class GenerationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The system's reason in French for the failures a user can act on; the system's own
// text otherwise.
std::string frenchReason(const std::error_code& code);

} // namespace generator
