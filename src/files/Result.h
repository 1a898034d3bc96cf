#pragma once
// The outcome of an operation outside the engine: a value, or the message that says in
// plain words why there is none. The bullet table, the settings record and file writes
// report through it, so every caller checks and shows failures the same way.
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace tarnwick {

// Why an operation failed, as the user is told.
struct Error {
    std::string message;
    // The bullet table's error number ("Error Code=" in its message boxes); 0 elsewhere.
    int code = 0;
};

template <class T>
class [[nodiscard]] Result {
public:
    Result(T value) : outcome_(std::move(value)) {}
    Result(Error error) : outcome_(std::move(error)) {}

    bool ok() const { return std::holds_alternative<T>(outcome_); }
    explicit operator bool() const { return ok(); }
    const T& value() const { return std::get<T>(outcome_); }
    T& value() { return std::get<T>(outcome_); }
    const T& operator*() const { return value(); }
    T& operator*() { return value(); }
    const T* operator->() const { return &value(); }
    T* operator->() { return &value(); }
    // The message; empty when the operation succeeded.
    const std::string& error() const {
        static const std::string none;
        return ok() ? none : std::get<Error>(outcome_).message;
    }
    int errorCode() const { return ok() ? 0 : std::get<Error>(outcome_).code; }
    // The failure, to hand on as the outcome of a caller (empty after a success).
    Error failure() const { return ok() ? Error{} : std::get<Error>(outcome_); }

private:
    std::variant<T, Error> outcome_;
};

// An operation that gives nothing back but may fail.
template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Error error) : error_(std::move(error)) {}

    bool ok() const { return !error_; }
    explicit operator bool() const { return ok(); }
    const std::string& error() const {
        static const std::string none;
        return error_ ? error_->message : none;
    }
    int errorCode() const { return error_ ? error_->code : 0; }
    Error failure() const { return error_.value_or(Error{}); }

private:
    std::optional<Error> error_;
};

using Status = Result<void>;

// The outcome without its value: for callers that only report failures.
template <class T>
Status statusOf(const Result<T>& result) {
    if (result) return {};
    return result.failure();
}

}  // namespace tarnwick
