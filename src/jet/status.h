// Status: the outcome of an engine call, either ok or a kind of failure with
// a message a user can act on (it names the file and what was wrong).
#pragma once

#include <string>
#include <utility>

namespace jet {

class [[nodiscard]] Status {
 public:
  enum class Code {
    kOk,
    kNotFound,         // no such table, column or row
    kCorruption,       // the file's bytes contradict the format
    kNotSupported,     // a valid file or request this engine does not handle
    kInvalidArgument,  // the caller's value does not fit (too long, not a number)
    kIOError,          // the operating system refused a read, write, sync or lock
  };

  Status() = default;  // ok

  static Status OK() { return Status(); }
  static Status NotFound(std::string msg) { return Status(Code::kNotFound, std::move(msg)); }
  static Status Corruption(std::string msg) { return Status(Code::kCorruption, std::move(msg)); }
  static Status NotSupported(std::string msg) { return Status(Code::kNotSupported, std::move(msg)); }
  static Status InvalidArgument(std::string msg) {
    return Status(Code::kInvalidArgument, std::move(msg));
  }
  static Status IOError(std::string msg) { return Status(Code::kIOError, std::move(msg)); }

  bool ok() const { return code_ == Code::kOk; }
  Code code() const { return code_; }
  // The message alone, without a kind prefix: it is what the user sees.
  const std::string& message() const { return message_; }

  // The same outcome with `context` (where or what it concerns) put in front
  // of the message as "context: message"; ok stays ok.
  Status WithContext(const std::string& context) const {
    return ok() ? *this : Status(code_, context + ": " + message_);
  }

 private:
  Status(Code code, std::string msg) : code_(code), message_(std::move(msg)) {}

  Code code_ = Code::kOk;
  std::string message_;
};

}  // namespace jet
